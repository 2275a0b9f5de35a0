#include "ramka/settings/ust_kolumna.h"
#include "ramka_test_support.h"

#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace ramka;

TEST(ZastosujZapisane, StoredOrderComesFirstAndOthersFollowInDesignOrderWithoutGaps)
{
    const UkladKolumn u = zastosujZapisane(
        projektTestowy(),
        {{"miasto", "Resstrings_IDS_Miasto", 77, true, 1}, {"nazwa", "Resstrings_IDS_nazwa", 150, false, 2}});
    EXPECT_EQ(polaUkladu(u), (QStringList{KolumnaZaznaczenia, "miasto", "nazwa", "skrot", "nip"}));
    EXPECT_EQ(u[1].napis, "Resstrings_IDS_Miasto");
    // Columns without a record keep their design values.
    EXPECT_EQ(u[3].szerokosc, 100);
    EXPECT_TRUE(u[3].widoczna);

    // Records of removed columns are skipped without leaving gaps; a repeated one counts once.
    const UkladKolumn bezUsunietych = zastosujZapisane(
        projektTestowy(),
        {{"usunieta", "x", 5, true, 0}, {"nip", "Resstrings_IDS_nip", 50, true, 0}, {"NIP", "powtorka", 60, false, 0}});
    EXPECT_EQ(polaUkladu(bezUsunietych), (QStringList{KolumnaZaznaczenia, "nip", "skrot", "nazwa", "miasto"}));
    EXPECT_EQ(bezUsunietych[1].szerokosc, 50);
    EXPECT_TRUE(bezUsunietych[1].widoczna);
}

TEST(CzyUkladZmieniony, OnlyOrderFieldVisibilityAndWidthCount)
{
    const UkladKolumn a = projektTestowy();
    const std::pair<std::function<void(UkladKolumn &)>, bool> zmiany[] = {
        {[](UkladKolumn &b) { b[1].napis = u"inny"_s, b[1].wyrownanie = 2; }, false},
        {[](UkladKolumn &b) { b[2].szerokosc += 1; }, true},
        {[](UkladKolumn &b) { b[3].widoczna = false; }, true},
        {[](UkladKolumn &b) { std::swap(b[1], b[2]); }, true},
        {[](UkladKolumn &b) { b.pop_back(); }, true}};
    for (const auto &[zmien, zmieniony] : zmiany) {
        UkladKolumn b = a;
        zmien(b);
        EXPECT_EQ(czyUkladZmieniony(a, b), zmieniony);
    }
}

TEST(UkladPoResecie, DropsDefaultsWithoutAColumnKeepsUnknownColumnsAndAReadOnlyVisibility)
{
    UkladKolumn biezacy = {kolumnaTestowa("nip", 10, false), kolumnaTestowa("dodana", 30), kolumnaTestowa("skrot", 40)};
    const UkladKolumn u = ukladPoResecie(projektTestowy(), biezacy, false);
    EXPECT_EQ(polaUkladu(u), (QStringList{"skrot", "nip", "dodana"}));
    EXPECT_EQ(u[2].kolejnosc, 2);

    // A read-only list keeps its visibility.
    UkladKolumn tylkoDoOdczytu = projektTestowy();
    tylkoDoOdczytu[2].widoczna = false;
    tylkoDoOdczytu[2].szerokosc = 5;
    const UkladKolumn r = ukladPoResecie(projektTestowy(), tylkoDoOdczytu, true);
    EXPECT_FALSE(r[2].widoczna);
    EXPECT_EQ(r[2].szerokosc, 200);
}
