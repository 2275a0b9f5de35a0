#pragma once

#include "ramka/settings/ust_kolumna.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace db {
class Connection;
}

namespace ramka {

// Who and which list the stored records belong to.
struct KluczUstawien
{
    int idU = 0;       // the logged-in user
    QString formularz; // the owning window's base name; empty: nothing is persisted
    QString kodDll;    // the module code ("partners.dll")
    QString menu;      // the frame's component name
};

// The stored date range of a window: the last preset code, or (code below 1)
// the user's own dates.
struct UstawienieOkresu
{
    int kodOkresu = 0;
    QString napis;
    QDateTime dataOd; // null: empty
    QDateTime dataDo;
};

// What the list hands over when it is saved.
struct StanListy
{
    UkladKolumn kolumny; // the grid columns in grid order
    QString sortowanie;  // the filter collector's sort string
    // The date record is written only when set: the frame sets it when the
    // filter bar and the range are visible and the host's rule asks for it.
    std::optional<UstawienieOkresu> okres;
};

// What reading gives back: the layout to apply and the other records found.
struct OdczytaneUstawienia
{
    UkladKolumn kolumny;        // the default layout with the stored records applied
    bool zapisanyUklad = false; // at least one column record was applied
    std::optional<QString> sortowanie;
    std::optional<UstawienieOkresu> okres;
};

// Outcome of a store operation; a failure names the translation key the
// caller shows (the store itself asks nothing).
struct WynikUstawien
{
    bool ok = true;
    QString komunikat;       // Resstrings_IDS_... when !ok
    int zapisaneKolumny = 0; // column records written by the save

    static WynikUstawien blad(const QString &klucz) { return {false, klucz, 0}; }
};

// The per-user settings of one list in ust_form, through zap_ust and
// pob_ust2 on the host's connection (or the one given). Remembers the
// default layout and the snapshot that decides whether the columns are saved.
class UstawieniaListy
{
public:
    explicit UstawieniaListy(KluczUstawien klucz, db::Connection *connection = nullptr);

    const KluczUstawien &klucz() const { return m_klucz; }
    bool czyZapisywac() const { return !m_klucz.formularz.isEmpty(); }

    // The design layout, captured once before stored settings are applied;
    // it is also the first snapshot.
    void ustawDomyslnyUklad(const UkladKolumn &uklad);
    const UkladKolumn &domyslnyUklad() const { return m_domyslny; }
    const UkladKolumn &migawka() const { return m_migawka; }

    // OdczytUstawienListyPoczatek: applies the stored records onto the default
    // layout and takes the snapshot. On failure the result holds the default
    // layout and the message key.
    WynikUstawien odczytaj(OdczytaneUstawienia &wynik);

    // ZapisUstawienListy. A full save writes the sort record and, when the
    // layout differs from the snapshot, one record per column (the selection
    // column excepted); a filters-only save writes just the date record.
    WynikUstawien zapisz(const StanListy &stan, bool tylkoFiltry);

    // ResetUstawienListy: deletes the column and sort records of this list
    // (the date record stays) and gives the layout to restore; the snapshot
    // becomes that layout.
    WynikUstawien resetuj(const UkladKolumn &biezacy, bool tylkoOdczyt, UkladKolumn &przywrocony);

    // Once-per-user automatic width fitting of this list.
    bool czySzerokosciDopasowane() const;
    WynikUstawien oznaczSzerokosciDopasowane();
    QString kluczDopasowania() const;

private:
    db::Connection *polaczenie() const;

    KluczUstawien m_klucz;
    db::Connection *m_connection;
    UkladKolumn m_domyslny;
    UkladKolumn m_migawka;
};

} // namespace ramka
