#include "frame_fixture.h"

#include "ramka/settings/ramka_dostosuj_form.h"
#include <QComboBox>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString kOkno = u"Tokno_testowe_form"_s;
}

class RamkaListaUstawieniaTest : public RamkaListaTest
{
protected:
    static int szerokosc(Tramka_lista_frame &ramka, const QString &pole)
    {
        return ramka.ListaGrid()->columnWidth(ramka.ListaGrid()->columnOf(pole));
    }
    static QStringList kolejnosc(Tramka_lista_frame &ramka)
    {
        QStringList pola;
        for (const auto &k : ramka.ListaGrid()->columnLayout())
            pola << k.fieldName;
        return pola;
    }
};

// A second list on the window keeps its own layout; a list without a window stores nothing.
TEST_P(RamkaListaUstawieniaTest, LayoutAndSortAreSavedOnCloseAndRestoredByTheNextFrame)
{
    firma(u"Alfa"_s);
    firma(u"Beta"_s);
    QStringList uklad;
    int drugaPrzed = 0;
    {
        auto ramka = lista(kOkno + u"_2"_s);
        auto druga = lista(kOkno, u"lista2"_s);
        auto bezOkna = lista();
        ramka->ListaGrid()->moveColumn(u"nazwa"_s, 1);
        for (auto *r : {ramka.get(), bezOkna.get()})
            r->ListaGrid()->setColumnWidth(r->ListaGrid()->columnOf(u"nazwa"_s), 321);
        bezOkna->bZapiszFiltryListyClick();
        drugaPrzed = szerokosc(*druga, u"nazwa"_s);
        ASSERT_NE(drugaPrzed, 321);
        const int kolumna = ramka->ListaGrid()->columnOf(u"nazwa"_s);
        ramka->ListaGrid()->titleClicked(kolumna);
        ramka->ListaGrid()->titleClicked(kolumna);
        uklad = kolejnosc(*ramka);
    }
    EXPECT_EQ(count(u"typ = 'TColumn' and nazwa = :n"_s, {{u"n"_s, ui::czy_zaznaczono_ramka}}), 0);
    EXPECT_EQ(count(u"formularz <> :f"_s, {{u"f"_s, kOkno}}), 0);
    EXPECT_EQ(szerokosc(*lista(kOkno, u"lista2"_s), u"nazwa"_s), drugaPrzed);
    auto ramka = lista(kOkno);
    EXPECT_EQ(kolejnosc(*ramka), uklad);
    EXPECT_EQ(szerokosc(*ramka, u"nazwa"_s), 321);
    EXPECT_EQ(ramka->FiltrListy.sort(), u"nazwa DESC,id DESC"_s);
    EXPECT_EQ(ramka->Lista()->value(u"nazwa"_s).toString(), u"Beta"_s);
}

// Widths are fitted on the user's first open that has rows, and only then.
TEST_P(RamkaListaUstawieniaTest, FirstOpenWithRowsFitsWidthsAndResetUndoesTheCustomisationButKeepsTheDates)
{
    const auto flagi = [] {
        return host::GetIntDB(u"select count(*) from ustawienia where kod = 'ramka_lista_fr' and wartosc = '1'"_s);
    };
    EXPECT_EQ(szerokosc(*lista(kOkno), u"nazwa"_s), 200);
    EXPECT_EQ(flagi(), 0);
    firma(u"A"_s);
    {
        auto ramka = lista(kOkno);
        EXPECT_LT(szerokosc(*ramka, u"nazwa"_s), 200);
        EXPECT_EQ(flagi(), 1);
        auto *zakres = ramka->findChild<QComboBox *>(u"zakres_dat"_s);
        zakres->setCurrentIndex(zakres->findData(partners::DatePresetCode::LastSixMonths));
        ramka->zakres_datChange(false);
        ramka->bZapiszFiltryListyClick();
        prompter().push(host::ScriptedPrompter::Answer::dialog([](QDialog &d) {
            auto &okno = static_cast<Tramka_dostosuj_form &>(d);
            okno.zaznacz({u"nazwa"_s});
            okno.usunZaznaczone();
            okno.zaznacz({u"skrot"_s});
            okno.dodajZaznaczone();
        }));
        ramka->akcja(u"pwidoczne"_s)->trigger();
        EXPECT_EQ(ramka->KolumnyWyszukiwania, QStringList({u"#id"_s, u"skrot"_s}));
    }
    EXPECT_EQ(count(u"typ = 'TDateTimePicker'"_s), 1);
    EXPECT_GT(count(u"typ = 'TColumn'"_s), 0);

    auto ramka = lista(kOkno);
    EXPECT_EQ(ramka->zakres().lastPresetCode(), partners::DatePresetCode::LastSixMonths);
    ramka->akcja(u"reset"_s)->trigger();
    EXPECT_EQ(count(u"typ = 'TColumn'"_s), 0);
    EXPECT_EQ(count(u"typ = 'TDateTimePicker'"_s), 1);
    EXPECT_EQ(szerokosc(*ramka, u"nazwa"_s), 200);
    EXPECT_FALSE(ramka->ListaGrid()->isColumnHidden(ramka->ListaGrid()->columnOf(u"nazwa"_s)));
    EXPECT_TRUE(ramka->ListaGrid()->isColumnHidden(ramka->ListaGrid()->columnOf(u"skrot"_s)));
    ramka.reset();

    auto nastepna = lista(kOkno);
    EXPECT_EQ(szerokosc(*nastepna, u"nazwa"_s), 200);
    EXPECT_EQ(nastepna->zakres().lastPresetCode(), partners::DatePresetCode::LastSixMonths);
}

MALVO_INSTANTIATE_FOR_ENGINES(RamkaListaUstawieniaTest);
