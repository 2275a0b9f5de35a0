#pragma once

#include "company/miasto_firmy.h"
#include "ramka/import_eksport/szablony_ie.h"

#include "connection.h"
#include "query.h"
#include "stored_proc.h"

#include <QHash>
#include <functional>
#include <memory>
#include <optional>

// Stores the companies of an import with their accounts, addresses, contact
// persons and phones. Each company is written whole or not at all (a
// savepoint): a record that fails leaves nothing behind and is listed in the
// summary with its number in the file and its name. The companies are
// committed in batches, so the disk is synced once per batch; a batch whose
// commit fails is listed as refused.
class PolaElementu;

class Timport_firm_form : public Tszablon_import_from
{
    Q_OBJECT
public:
    // Which stored company an imported one is: the same trimmed name, or
    // also the same NIP (EU prefix and separators aside).
    enum class Dopasowanie { Nazwa, NazwaLubNip };
    // What to do with a company that exists already: a Tpomin_nadpisz_form code.
    using Decyzja = std::function<int(const QString &nazwa)>;

    struct Odrzucony
    {
        int numer = 0;
        QString nazwa;
        QString powod;
    };
    struct Podsumowanie
    {
        int zapisane = 0;
        int nadpisane = 0;
        int pominiete = 0;
        QList<Odrzucony> odrzucone;
        QString tekst() const;
    };

    explicit Timport_firm_form(Decyzja decyzja, Dopasowanie dopasowanie = Dopasowanie::Nazwa,
                               QObject *parent = nullptr);
    // Asks the user through Tpomin_nadpisz_form.
    explicit Timport_firm_form(QObject *parent = nullptr);
    ~Timport_firm_form() override;

    // True when the record was stored or deliberately skipped.
    bool ImportRecord(const QDomElement &record) override;
    // Hands the summary to poImporcie, or shows it.
    void EndImport() override;

    const Podsumowanie &podsumowanie() const { return m_podsumowanie; }
    std::function<void(const Podsumowanie &)> poImporcie;

private:
    // Commits the batch; with blad, or when the commit fails, lists its companies as refused.
    void zatwierdzPartie(const QString &blad = QString());
    void wczytajSlowniki();
    int istniejaca(const QString &nazwa, const QString &nip) const;
    int zapiszFirme(const PolaElementu &firma, int id);
    // nowa: the company has no rows of its own yet.
    void zapiszTelefony(const PolaElementu &firma, int idFirmy, bool nowa);
    void zapiszAdresy(const PolaElementu &firma, int idFirmy, bool nowa);
    void zapiszKonta(const PolaElementu &firma, int idFirmy, bool nowa);
    void zapiszKontakty(const PolaElementu &firma, int idFirmy, bool nowa);
    int idPanstwa(const QString &tekst);
    // Found or created; nowe tells which.
    int idMiasta(const QString &miasto, int panstwo, bool &nowe);
    int idKodu(int idM, const QString &kod, bool noweMiasto);
    void otworzDla(db::Query &q, int idFirmy);
    QVariant wykonaj(db::StoredProc &proc, const QVariantMap &parametry, const char *wyjscie = "@id");
    QVariant pierwsza(db::Query &q, const QVariantMap &parametry);

    Decyzja m_decyzja;
    Dopasowanie m_dopasowanie;
    int m_odpowiedz = 0;
    int m_numer = 0;
    bool m_slowniki = false;
    int m_jezyk = 0;
    bool m_prawaZmian = false;
    Podsumowanie m_podsumowanie;
    std::unique_ptr<db::Transaction> m_partia;
    // The companies of the open batch, and whether each overwrote one.
    QList<QPair<Odrzucony, bool>> m_wPartii;
    QHash<QString, int> m_poNazwie;
    QHash<QString, int> m_poNip;
    QHash<QString, int> m_telFax;
    QHash<QString, int> m_rodzajeTel;
    QHash<QString, int> m_stanowiska;
    // Cities and postal codes by name, and those of the company being written.
    QHash<QString, int> m_miasta, m_kody;
    QHash<QString, int> m_noweMiasta, m_noweKody;
    // Countries by domain, ISO code, registration code and name, case-folded;
    // of equal texts the first country's. Read at the first address.
    std::optional<QHash<QString, int>> m_panstwa;
    db::StoredProc m_spFirma, m_spTelefon, m_spAdres, m_spKonto, m_spKontakt, m_spMiasto, m_spKod;
    db::Query m_telefonyFirmy, m_adresyFirmy, m_kontaFirmy, m_usunKontakty, m_miasto, m_kod;
};
