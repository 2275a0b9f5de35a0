#include "lists/szybkie_szukanie.h"

#include "dataset.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

// Rows: id, nazwa, nip, skrot, miasto, wlasciciel, e_mail.
void otworz(db::DataSet &lista)
{
    QList<db::FieldDef> pola{{u"id"_s, QMetaType::Int}};
    for (const char *nazwa : {"nazwa", "nip", "skrot", "miasto", "wlasciciel", "e_mail"})
        pola << db::FieldDef{QString::fromLatin1(nazwa)};
    lista.openFromRows(
        pola,
        {{10, u"Żółw Transport Sp. z o.o."_s, u"5260001246"_s, u"ŻÓŁW"_s, u"Łódź"_s, u"Jan Źdźbło"_s,
          u"biuro@zolw.pl"_s},
         {20, u"Zakład Łąka"_s, QVariant(), u"ŁĄKA"_s, u"Kraków"_s, u"Anna Nowak"_s, u"laka@o2.pl"_s},
         {30, u"Beta Spedycja"_s, u"7010002137"_s, u"BETA"_s, u"Gdańsk"_s, u"Ewa Łódzka"_s, u"beta@beta.pl"_s}});
}

QList<int> idy(const SzybkieSzukanieFirm &s, const QList<int> &pozycje)
{
    QList<int> wynik;
    for (int p : pozycje)
        wynik << s.wpisy().at(p).id;
    return wynik;
}

struct Szukanie
{
    const char *fraza;
    QList<int> oczekiwane;
};

class SzybkieSzukanie : public testing::TestWithParam<Szukanie>
{};

TEST_P(SzybkieSzukanie, ZnajdujeBezWzgleduNaWielkoscLiterWKolejnosciListy)
{
    db::DataSet lista;
    otworz(lista);
    SzybkieSzukanieFirm s;
    s.zbuduj(lista);
    EXPECT_EQ(idy(s, s.znajdz(QString::fromUtf8(GetParam().fraza))), GetParam().oczekiwane);
}

INSTANTIATE_TEST_SUITE_P(Frazy, SzybkieSzukanie,
                         testing::Values(Szukanie{"żółw", {10}}, Szukanie{"ŻÓŁW", {10}}, Szukanie{"łódź", {10}},
                                         Szukanie{"ŁÓDZ", {30}}, // Łódzka, not Łódź
                                         Szukanie{"łąka", {20}}, Szukanie{"ŹDŹBŁO", {10}}, Szukanie{"7010002137", {30}},
                                         Szukanie{"@", {10, 20, 30}}, Szukanie{"", {}}, Szukanie{"xyz", {}},
                                         Szukanie{"zolw", {10}}, // e-mail only: no letter folding beyond case
                                         Szukanie{"5260001246;;;ż", {10}})); // nip, its separator, skrot

TEST(SzybkieSzukanieFirm, TekstMaStaleKolumnyPolMimoPustychWartosci)
{
    const QString pelny = SzybkieSzukanieFirm::tekstWpisu({"N", "P", "S", "M", "W", "E"});
    EXPECT_EQ(pelny, u"N;;P;;;S;;;;M;;;;;W;;;;;;E"_s);
    const QString zPustymi = SzybkieSzukanieFirm::tekstWpisu({"N", "", "S", "", "", "E"});
    const QStringList a = kolumnyWpisu(pelny), b = kolumnyWpisu(zPustymi);
    ASSERT_EQ(a.size(), b.size());
    const int kolumnaPola[] = {0, 2, 5, 9, 14, 20};
    EXPECT_EQ(a.at(kolumnaPola[5]), u"E"_s);
    EXPECT_EQ(b.at(kolumnaPola[2]), u"S"_s);
    EXPECT_EQ(b.at(kolumnaPola[5]), u"E"_s);
    EXPECT_TRUE(b.at(kolumnaPola[1]).isEmpty());
}

TEST(SzybkieSzukanieFirm, IndeksIdzieZaSortowaniemIFiltremINieRuszaBiezacego)
{
    db::DataSet lista;
    otworz(lista);
    lista.setSort(u"nazwa DESC"_s);
    lista.setFilter(u"id <> 20"_s);
    lista.first();
    lista.next();
    const QVariant biezacy = lista.value(u"id"_s);
    SzybkieSzukanieFirm s;
    s.zbuduj(lista);
    ASSERT_EQ(s.wpisy().size(), 2);
    EXPECT_EQ(s.wpisy().at(0).id, 10);
    EXPECT_EQ(s.wpisy().at(1).id, 30);
    EXPECT_TRUE(s.wpisy().at(0).tekst.startsWith(u"Żółw Transport"_s));
    EXPECT_EQ(lista.value(u"id"_s), biezacy);

    // A closed list gives an empty index.
    lista.close();
    s.zbuduj(lista);
    EXPECT_TRUE(s.wpisy().isEmpty());
    EXPECT_TRUE(s.znajdz(u"a"_s).isEmpty());
}

struct Trafienie
{
    const char *kolumna;
    const char *fraza;
    int poczatek;
    int dlugosc;
};

class ZakresTrafieniaTest : public testing::TestWithParam<Trafienie>
{};

TEST_P(ZakresTrafieniaTest, ZwracaCzescDoPogrubienia)
{
    const ZakresTrafienia z =
        zakresTrafienia(QString::fromUtf8(GetParam().kolumna), QString::fromUtf8(GetParam().fraza));
    EXPECT_EQ(z.dlugosc, GetParam().dlugosc);
    if (z.dlugosc > 0) {
        EXPECT_EQ(z.poczatek, GetParam().poczatek);
    }
}

INSTANTIATE_TEST_SUITE_P(Kolumny, ZakresTrafieniaTest,
                         testing::Values(Trafienie{"Zakład Łąka", "łĄ", 7, 2}, Trafienie{"ŻÓŁW", "ół", 1, 2},
                                         Trafienie{"Beta", "beta", 0, 4}, Trafienie{"Beta", "x", 0, 0},
                                         Trafienie{"", "a", 0, 0}, Trafienie{"Beta", "", 0, 0},
                                         Trafienie{"abcabc", "c", 2, 1}));

struct Ruch
{
    int biezacy, krok, liczba, wynik;
};

class PrzesunPodswietlenie : public testing::TestWithParam<Ruch>
{};

TEST_P(PrzesunPodswietlenie, ZostajeWLiscie)
{
    const Ruch r = GetParam();
    EXPECT_EQ(przesunPodswietlenie(r.biezacy, r.krok, r.liczba), r.wynik);
}

INSTANTIATE_TEST_SUITE_P(Ruchy, PrzesunPodswietlenie,
                         testing::Values(Ruch{-1, 1, 3, 0}, Ruch{0, 1, 3, 1}, Ruch{2, 1, 3, 2}, Ruch{1, -1, 3, 0},
                                         Ruch{0, -1, 3, 0}, Ruch{-1, -1, 3, -1}, Ruch{0, 1, 0, -1}));

} // namespace
