#pragma once

#include "company/dane_firmy.h"

#include <QDate>
#include <QVariant>
#include <QVariantMap>
#include <functional>

class QWidget;

namespace db {
class Connection;
}

namespace partners {

// Save modes of the editor: the company is not stored yet / exists.
inline constexpr int TrybNowaFirma = 0;
inline constexpr int TrybIstniejacaFirma = 1;

// The NIP as stored: trimmed, the chosen EU prefix (2 characters or more) put
// in front unless its leading non-digits already are that prefix. Null when
// the NIP is empty.
QVariant nipDoZapisu(const QString &prefiks, const QString &nip);

// A time of day as the suite stores it: that time on the framework's day zero.
QVariant czasDoZapisu(const QTime &czas);

// Every parameter of PZapFirmeFull for the values; a null QVariant where the
// company stores nothing. An untouched remark or footer sends only its
// "_mod" flag 0.
QVariantMap parametryZapisuFirmy(const DaneFirmy &dane, int tryb, int idUzytkownika);

// The company editor's save sequence: PZapFirmeFull, then kinds, the
// settlement-account pair, first settlement periods, default address, import
// links, settings rows and the notifications of the host and the siblings.
// Messages go through the host; nothing throws.
class TZapisFirmy
{
public:
    // Creates a company's settlement periods from a date with a period length.
    using GeneratorOkresow = std::function<void(int idFirmy, int kodDlugosci, const QDate &odDnia)>;

    explicit TZapisFirmy(DaneFirmy &dane, QWidget *wlasciciel = nullptr, db::Connection *polaczenie = nullptr);

    // Set from the user's rights at construction; the editor may override.
    bool prawaFakturySprzedazy = false; // sales_invoices.dll
    bool prawaKalendarza = false;       // calendars.dll
    // Periods of a new company; empty: none are generated.
    GeneratorOkresow generujOkresy;

    // ZapiszZmiany: true when the procedure reported success. After a first
    // save dane.idFirmy holds the new id, so the next save is an update.
    bool zapisz(int tryb);
    bool zapisz() { return zapisz(m_dane.nowa() ? TrybNowaFirma : TrybIstniejacaFirma); }

    // @RETURN_VALUE of the last PZapFirmeFull (-1 when it did not run).
    int kodZwrotny() const { return m_kod; }

private:
    void przeniesKatalogPlikow();
    int idTypuFirmy(bool wlasna) const;
    void synchronizujApd(int id);
    void zapiszRodzaje(int id);
    void zapiszKontoRozliczeniowe(int id);
    void utworzOkresy(int id);
    void zapiszAdres(int id, int tryb);
    void zapiszPowiazanie(int id, const QString &tekst, int &idPowiazania, int kodImportu);
    void aktualizujUstawieniaGlobalne();
    void zapiszDomyslneFv(int id);
    void zapiszOpcjeFk(int id, const QString &klucz, bool wartosc);
    void zapiszDateKursu(int id);
    // The row the values' keys select is updated when it exists, inserted otherwise.
    void zmienLubWstaw(const QString &ileJest, const QString &zmien, const QString &wstaw, const QVariantMap &wartosci);

    DaneFirmy &m_dane;
    QWidget *m_wlasciciel;
    db::Connection *m_polaczenie;
    int m_kod = -1;
};

} // namespace partners
