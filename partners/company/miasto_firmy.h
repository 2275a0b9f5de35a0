#pragma once

#include <QList>
#include <QString>

namespace db {
class Connection;
}

namespace partners {

struct Panstwo
{
    int id_p = 0;
    QString waluta;
    QString domena;
    QString sam; // registration code ("PL", "D")
    QString iso;
    QString nazwa;
};

// The countries, read once, found by what an order or a user names them with.
class PanstwaFirmy
{
public:
    explicit PanstwaFirmy(db::Connection *polaczenie = nullptr);

    // id_p of the first country whose domain, ISO code or registration code
    // equals the trimmed text in any letter case (a domain with or without
    // its leading dot); 0 when none.
    int znajdz(const QString &tekst) const;
    // The ISO (else registration) code of the country; empty when unknown.
    QString kod(int idP) const;
    const QList<Panstwo> &lista() const { return m_lista; }

private:
    QList<Panstwo> m_lista;
};

// A city by its exact name, within the country when countryId is above 0;
// 0 when there is none.
int znajdzMiasto(const QString &miasto, int idPanstwa, db::Connection *polaczenie = nullptr);
// A new city of the country (a code; empty: Poland) with the postal code
// (may be empty) through the cities sibling; 0 when the sibling is missing or
// created nothing.
int dodajMiastoBezFormularza(const QString &miasto, const QString &panstwo, const QString &kod);
// The cities sibling's editor of a new city: its id, 0 when none was made.
int noweMiastoOknem();
// The cities sibling's editor of the city.
void edytujMiastoOknem(int idMiasta);
// A postal code of the city (and of the country when idPanstwa is above 0); 0 when none.
int znajdzKodPocztowy(const QString &kod, int idMiasta, int idPanstwa, db::Connection *polaczenie = nullptr);

// An address given as text, to be turned into ids.
struct AdresDoRozpoznania
{
    QString panstwo; // domain, ISO or registration code
    QString miasto;
    QString kod;
    int id_panstwa = 0;
    int id_m = 0;
    int id_kodu = 0;
};

// Fills in the ids still below 1: the country, the city by name (an empty
// name is "_"), a new city of that country with the postal code when none is
// found, and the postal code of the city. Ids already given are kept.
void rozpoznajAdres(AdresDoRozpoznania &adres, const PanstwaFirmy &panstwa, db::Connection *polaczenie = nullptr);

// "Długa 5/3": street "Długa", house "5", flat "3". Without a slash the
// whole text is the street.
struct UlicaZNumerami
{
    QString ulica;
    QString nr_domu;
    QString nr_m;
};
UlicaZNumerami rozbijUlice(const QString &tekst);

} // namespace partners
