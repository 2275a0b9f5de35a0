#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One column of a list grid as it is stored and restored: the unit of the
// default layout, of the stored settings and of the customisation dialog.
// A layout is a vector of these in grid order.
struct TUstKolumna
{
    enum Wyrownanie { DoLewej = 0, DoPrawej = 1, DoSrodka = 2 };

    QString pole;       // field name; the key of the stored record
    QString napis;      // title as a translation key (or literal text)
    int szerokosc = 64; // pixels
    bool widoczna = true;
    int wyrownanie = DoLewej;
    int kolejnosc = 0; // position in the grid, from 0

    bool operator==(const TUstKolumna &) const = default;
};

using UkladKolumn = std::vector<TUstKolumna>;

namespace ramka {

// The selection column of every list: never stored, never customised.
inline constexpr const char *KolumnaZaznaczenia = "czy_zaznaczono_ramka";
bool czyKolumnaZaznaczenia(const TUstKolumna &kolumna);

// Index of the column for a field (case-insensitive), -1 when absent.
int indeksKolumny(const UkladKolumn &uklad, const QString &pole);
// Sets kolejnosc to each entry's index.
void numeruj(UkladKolumn &uklad);
// The stored save rule: position, field, visibility or width differ.
bool czyUkladZmieniony(const UkladKolumn &migawka, const UkladKolumn &biezacy);
// Number of visible columns, the selection column not counted.
int liczbaWidocznych(const UkladKolumn &uklad);
// Title as shown: translation keys translated, an empty title shows the field.
QString napisWyswietlany(const TUstKolumna &kolumna);

// A stored column record read back.
struct ZapisanaKolumna
{
    QString pole;
    QString napis;
    int szerokosc = 0;
    bool widoczna = true;
    int wyrownanie = 0;
};

// Applies stored records (in stored order) onto a layout: each record naming
// a column moves it to the next position and sets its title, width,
// visibility and alignment; records naming no column are skipped; columns
// without a record follow in their previous order. The selection column
// keeps its index.
UkladKolumn zastosujZapisane(const UkladKolumn &uklad, const std::vector<ZapisanaKolumna> &zapisane);

// The layout a reset restores: the default entries whose field still has a
// column (renumbered), then grid columns the default does not know. A
// read-only list keeps its current visibility.
UkladKolumn ukladPoResecie(const UkladKolumn &domyslny, const UkladKolumn &biezacy, bool tylkoOdczyt);

} // namespace ramka
