#include "ramka/settings/ust_kolumna.h"

#include "host_funcs.h"

namespace ramka {

bool czyKolumnaZaznaczenia(const TUstKolumna &kolumna)
{
    return kolumna.pole.compare(QLatin1String(KolumnaZaznaczenia), Qt::CaseInsensitive) == 0;
}

int indeksKolumny(const UkladKolumn &uklad, const QString &pole)
{
    for (int i = 0; i < int(uklad.size()); ++i)
        if (uklad[i].pole.compare(pole, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void numeruj(UkladKolumn &uklad)
{
    for (int i = 0; i < int(uklad.size()); ++i)
        uklad[i].kolejnosc = i;
}

bool czyUkladZmieniony(const UkladKolumn &migawka, const UkladKolumn &biezacy)
{
    if (migawka.size() != biezacy.size())
        return true;
    for (size_t i = 0; i < biezacy.size(); ++i) {
        const TUstKolumna &a = migawka[i];
        const TUstKolumna &b = biezacy[i];
        if (a.pole.compare(b.pole, Qt::CaseInsensitive) != 0 || a.widoczna != b.widoczna || a.szerokosc != b.szerokosc)
            return true;
    }
    return false;
}

int liczbaWidocznych(const UkladKolumn &uklad)
{
    int n = 0;
    for (const TUstKolumna &k : uklad)
        if (k.widoczna && !czyKolumnaZaznaczenia(k))
            ++n;
    return n;
}

QString napisWyswietlany(const TUstKolumna &kolumna)
{
    if (kolumna.napis.isEmpty())
        return kolumna.pole;
    if (kolumna.napis.startsWith(QLatin1String("Resstrings_IDS_")))
        return host::LoadResstrings(kolumna.napis);
    return kolumna.napis;
}

namespace {

// Takes the selection column out so that moves never shift it.
int wyjmijZaznaczenie(UkladKolumn &uklad, TUstKolumna &wyjeta)
{
    for (int i = 0; i < int(uklad.size()); ++i) {
        if (czyKolumnaZaznaczenia(uklad[i])) {
            wyjeta = uklad[i];
            uklad.erase(uklad.begin() + i);
            return i;
        }
    }
    return -1;
}

void wstawZaznaczenie(UkladKolumn &uklad, int indeks, const TUstKolumna &kolumna)
{
    if (indeks < 0)
        return;
    uklad.insert(uklad.begin() + std::min<int>(indeks, int(uklad.size())), kolumna);
}

} // namespace

UkladKolumn zastosujZapisane(const UkladKolumn &uklad, const std::vector<ZapisanaKolumna> &zapisane)
{
    UkladKolumn wynik = uklad;
    TUstKolumna zaznaczenie;
    const int indeksZaznaczenia = wyjmijZaznaczenie(wynik, zaznaczenie);
    int nastepna = 0;
    for (const ZapisanaKolumna &z : zapisane) {
        const int i = indeksKolumny(wynik, z.pole);
        // A column already placed keeps its place when a record repeats it.
        if (i < nastepna)
            continue;
        TUstKolumna k = wynik[i];
        k.napis = z.napis;
        k.szerokosc = z.szerokosc;
        k.widoczna = z.widoczna;
        k.wyrownanie = z.wyrownanie;
        wynik.erase(wynik.begin() + i);
        wynik.insert(wynik.begin() + nastepna, k);
        ++nastepna;
    }
    wstawZaznaczenie(wynik, indeksZaznaczenia, zaznaczenie);
    numeruj(wynik);
    return wynik;
}

UkladKolumn ukladPoResecie(const UkladKolumn &domyslny, const UkladKolumn &biezacy, bool tylkoOdczyt)
{
    UkladKolumn wynik;
    for (const TUstKolumna &d : domyslny) {
        const int i = indeksKolumny(biezacy, d.pole);
        if (i < 0)
            continue;
        TUstKolumna k = d;
        if (tylkoOdczyt)
            k.widoczna = biezacy[i].widoczna;
        wynik.push_back(k);
    }
    for (const TUstKolumna &b : biezacy)
        if (indeksKolumny(wynik, b.pole) < 0)
            wynik.push_back(b);
    numeruj(wynik);
    return wynik;
}

} // namespace ramka
