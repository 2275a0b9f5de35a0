#include "lists/lista_firm_reguly.h"

#include "host_variables.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

struct Usuwanie
{
    QList<int> zaznaczone;
    int aktywna;
    bool zablokowane;
};

class BlokadaUsuwania : public testing::TestWithParam<Usuwanie>
{};

TEST_P(BlokadaUsuwania, AktywnaFirmaWZaznaczeniu)
{
    const Usuwanie u = GetParam();
    const QString klucz = blokadaUsuwaniaFirm(u.zaznaczone, u.aktywna);
    EXPECT_EQ(!klucz.isEmpty(), u.zablokowane);
    if (u.zablokowane) {
        EXPECT_EQ(klucz, u"Resstrings_IDS_Nie_mozna_usunac_aktywnej_firmy"_s);
    }
}

INSTANTIATE_TEST_SUITE_P(Zaznaczenia, BlokadaUsuwania,
                         testing::Values(Usuwanie{{5}, 5, true}, Usuwanie{{1, 2, 5, 9}, 5, true},
                                         Usuwanie{{1, 2, 9}, 5, false}, Usuwanie{{}, 5, false},
                                         Usuwanie{{0, 3}, 0, false}, Usuwanie{{50}, 5, false}));

struct Menu
{
    bool otwarta, otwierana;
    int zaznaczone;
    bool zmien, wlaczone;
};

class MenuKontekstowe : public testing::TestWithParam<Menu>
{};

TEST_P(MenuKontekstowe, JedenZaznaczonyWiersz)
{
    const Menu m = GetParam();
    const StanMenuKontekstowego s = stanMenuKontekstowego(m.otwarta, m.otwierana, m.zaznaczone);
    EXPECT_EQ(s.zmien, m.zmien);
    EXPECT_EQ(s.menu.ustawAktywnaFirme, m.wlaczone);
    EXPECT_EQ(s.menu.dodajZlecenie, m.wlaczone);
    EXPECT_EQ(s.menu.podgladPowiazanychPlikow, m.wlaczone);
}

INSTANTIATE_TEST_SUITE_P(Stany, MenuKontekstowe,
                         testing::Values(Menu{true, false, 1, true, true}, Menu{true, false, 0, true, false},
                                         Menu{true, false, 2, true, false}, Menu{false, false, 1, false, false},
                                         Menu{true, true, 1, false, false}));

TEST(FiltryListyFirm, ZapisWZmiennychHostaFL)
{
    host::resetVariables();
    const FiltryListyFirm domyslne = wczytajFiltryListyFirm();
    EXPECT_FALSE(domyslne.tylkoWlasneFirmy);
    EXPECT_FALSE(domyslne.ukryjFirmyZalRoz);

    zapiszFiltryListyFirm({false, true});
    EXPECT_TRUE(host::GetZm(u"lista_firm_f_roz_zal_check"_s, u"FL"_s).toBool());
    EXPECT_FALSE(host::GetZm(u"lista_firm_f_wlasne_check"_s, u"FL"_s).toBool());
    const FiltryListyFirm odczytane = wczytajFiltryListyFirm();
    EXPECT_FALSE(odczytane.tylkoWlasneFirmy);
    EXPECT_TRUE(odczytane.ukryjFirmyZalRoz);

    zapiszFiltryListyFirm({true, false});
    EXPECT_TRUE(wczytajFiltryListyFirm().tylkoWlasneFirmy);
    EXPECT_FALSE(wczytajFiltryListyFirm().ukryjFirmyZalRoz);
    host::resetVariables();
}

} // namespace
