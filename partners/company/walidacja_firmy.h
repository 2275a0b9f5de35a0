#pragma once

#include "company/dane_firmy.h"

#include <QString>
#include <memory>

class QWidget;

namespace db {
class Connection;
}

namespace partners {

// The control a failed check asks the editor to focus.
enum class PoleFirmy { Brak, Nazwa, Skrot, Miasto, Centrala, DlugoscOkresu, WalutaLimitu, Nip, Regon, Krs };

inline const QString ZakladkaDaneOgolne = QStringLiteral("tsDaneOgolne");
inline const QString ZakladkaKsiegRozl = QStringLiteral("tsKsiegRozl");

struct WynikWalidacji
{
    bool poprawna = true;
    PoleFirmy pole = PoleFirmy::Brak;
    QString zakladka; // page to activate; empty: stay where the user is

    static WynikWalidacji ok() { return {}; }
    static WynikWalidacji blad(PoleFirmy pole, const QString &zakladka = ZakladkaDaneOgolne)
    {
        return {false, pole, zakladka};
    }
};

// Hints of the required controls; the missing-field message names them.
struct PodpowiedziPol
{
    QString nazwa = QStringLiteral("Nazwa firmy");
    QString skrot = QStringLiteral("Skrót");
    QString miasto = QStringLiteral("Państwo, kod pocztowy, miejscowość");
    QString waluta = QStringLiteral("Waluta domyślna");
};

// One validation pass over the editor's values before a save: required
// fields, rights, head office, period length, credit-limit currency, the
// uniqueness of NIP, REGON, KRS, name and short name, and the optional CDN XL
// acronym check. Messages and questions go through host::InfoBox; the pass
// stops at the first failure. A confirmed XL acronym replaces dane.skrot.
class TWalidacjaFirmy
{
public:
    explicit TWalidacjaFirmy(DaneFirmy &dane, QWidget *wlasciciel = nullptr, db::Connection *polaczenie = nullptr);

    void ustawPodpowiedzi(const PodpowiedziPol &podpowiedzi) { m_podpowiedzi = podpowiedzi; }

    WynikWalidacji sprawdz();

    // CheckUniqueColumn: true when no other company holds the value (or the
    // user confirmed a duplicate NIP or name).
    bool sprawdzUnikalnosc(const QString &kolumna, const QString &wartosc, const QString &kluczKomunikatu);
    // CheckNipUnique: true when a conflicting NIP was found and reported.
    bool nipZajety();
    // The CDN XL acronym check; never fails the pass.
    void sprawdzAkronimXL();

private:
    bool blad(const QString &tekst);
    bool pytanie(const QString &tekst);
    QString brakujacePole(const QString &podpowiedz) const;

    DaneFirmy &m_dane;
    QWidget *m_wlasciciel;
    db::Connection *m_polaczenie;
    PodpowiedziPol m_podpowiedzi;
};

// Text of the XL connection failure (shown as information).
QString komunikatBleduXL();
// Text of the XL acronym question.
QString pytanieAkronimXL();

// The short name the CDN XL cards hold for the NIP: the first card whose
// trimmed Knt_Nip (case-insensitive, not empty) equals the NIP as typed
// (trimmed) or the NIP's digits. Empty when none matches.
struct KartaXL
{
    QString akronim;
    QString nip;
};
QString akronimXLDlaNip(const QList<KartaXL> &karty, const QString &nip);

// Opens the CDN XL database named by a connection target. A PostgreSQL
// target is used as it is; an SQLite file holds the cards in its own main
// schema, so the file is attached to itself under the name CDN, which makes
// [CDN].[KntKarty] (CDN.KntKarty) resolve the same way on both. Throws
// db::DbError when it cannot be opened.
std::unique_ptr<db::Connection> otworzBazeXL(const QString &cel);

// Typing colours: whether the NIP is valid for the chosen prefix (only "PL"
// is checked: Nieznany, the normal colour, for other prefixes or an empty
// NIP) and whether a typed e-mail is rejected.
enum class StanNip { Nieznany, Poprawny, Bledny };
StanNip stanNip(const QString &prefiks, const QString &nip);
bool emailBledny(const QString &email);

} // namespace partners
