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
        wynik << s.id(p);
    return wynik;
}

TEST(SzybkieSzukanieFirm, ZnajdujeBezWzgleduNaWielkoscLiterWKolejnosciListy)
{
    db::DataSet lista;
    otworz(lista);
    SzybkieSzukanieFirm s;
    s.zbuduj(lista);
    const std::pair<const char *, QList<int>> frazy[] = {
        {"żółw", {10}},          {"ŻÓŁW", {10}},   {"łódź", {10}},       {"ŁÓDZ", {30}}, // Łódzka, not Łódź
        {"łąka", {20}},          {"ŹDŹBŁO", {10}}, {"7010002137", {30}}, {"@", {10, 20, 30}}, {"", {}}, {"xyz", {}},
        {"zolw", {10}},            // e-mail only: no letter folding beyond case
        {"5260001246;;;ż", {10}}}; // nip, its separator, skrot
    for (const auto &[fraza, oczekiwane] : frazy)
        EXPECT_EQ(idy(s, s.znajdz(QString::fromUtf8(fraza))), oczekiwane) << fraza;
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
    ASSERT_EQ(s.liczba(), 2);
    EXPECT_EQ(s.id(0), 10);
    EXPECT_EQ(s.id(1), 30);
    EXPECT_TRUE(s.tekst(0).startsWith(u"Żółw Transport"_s));
    EXPECT_EQ(lista.value(u"id"_s), biezacy);
}

// Of several matches in a column the first is shown in bold.
TEST(ZakresTrafienia, PierwszeTrafienie)
{
    const ZakresTrafienia z = zakresTrafienia(u"abcabc"_s, u"C"_s);
    EXPECT_EQ(z.poczatek, 2);
    EXPECT_EQ(z.dlugosc, 1);
}

// The highlight stays inside the list; -1 is none.
TEST(PrzesunPodswietlenie, ZostajeWLiscie)
{
    const int ruchy[][4] = {{-1, 1, 3, 0}, {0, 1, 3, 1},    {2, 1, 3, 2}, {1, -1, 3, 0},
                            {0, -1, 3, 0}, {-1, -1, 3, -1}, {0, 1, 0, -1}}; // current, step, count, result
    for (const auto &r : ruchy)
        EXPECT_EQ(przesunPodswietlenie(r[0], r[1], r[2]), r[3]) << r[0] << " " << r[1] << " " << r[2];
}

} // namespace
