#include "lists/lista_firm_reguly.h"

#include "host_variables.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

// Deleting is refused, with that message, while the active company is among the selected.
TEST(BlokadaUsuwania, AktywnaFirmaWZaznaczeniu)
{
    const struct
    {
        QList<int> zaznaczone;
        int aktywna;
        bool zablokowane;
    } przypadki[] = {{{5}, 5, true}, {{1, 2, 5, 9}, 5, true}, {{1, 2, 9}, 5, false},
                     {{}, 5, false}, {{0, 3}, 0, false},      {{50}, 5, false}};
    for (const auto &u : przypadki)
        EXPECT_EQ(blokadaUsuwaniaFirm(u.zaznaczone, u.aktywna),
                  u.zablokowane ? u"Resstrings_IDS_Nie_mozna_usunac_aktywnej_firmy"_s : QString())
            << u.aktywna;
}

// The row entries need one selected row of an open list whose window is not being opened.
TEST(MenuKontekstowe, JedenZaznaczonyWiersz)
{
    const struct
    {
        bool otwarta, otwierana;
        int zaznaczone;
        bool zmien, wlaczone;
    } przypadki[] = {{true, false, 1, true, true},
                     {true, false, 0, true, false},
                     {true, false, 2, true, false},
                     {false, false, 1, false, false},
                     {true, true, 1, false, false}};
    for (const auto &m : przypadki) {
        SCOPED_TRACE(testing::Message() << m.otwarta << m.otwierana << m.zaznaczone);
        const StanMenuKontekstowego s = stanMenuKontekstowego(m.otwarta, m.otwierana, m.zaznaczone);
        EXPECT_EQ(s.zmien, m.zmien);
        EXPECT_EQ(s.menu.ustawAktywnaFirme, m.wlaczone);
        EXPECT_EQ(s.menu.dodajZlecenie, m.wlaczone);
        EXPECT_EQ(s.menu.podgladPowiazanychPlikow, m.wlaczone);
    }
}

} // namespace
