#include "frame_fixture.h"

#include "ramka/settings/ramka_dostosuj_form.h"
#include <QAction>
#include <QComboBox>
#include <gtest/gtest.h>

namespace {
const QString kOkno = QStringLiteral("Tokno_testowe_form");
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

TEST_P(RamkaListaUstawieniaTest, LayoutAndSortAreSavedOnCloseAndRestoredByTheNextFrame)
{
    firma(QStringLiteral("Alfa"));
    firma(QStringLiteral("Beta"));
    QStringList uklad;
    {
        auto ramka = lista(kOkno + QStringLiteral("_2"));
        EXPECT_EQ(ramka->Formularz, kOkno);
        ramka->ListaGrid()->moveColumn(QStringLiteral("nazwa"), 1);
        ramka->ListaGrid()->setColumnWidth(ramka->ListaGrid()->columnOf(QStringLiteral("nazwa")), 321);
        const int kolumna = ramka->ListaGrid()->columnOf(QStringLiteral("nazwa"));
        ramka->ListaGrid()->titleClicked(kolumna);
        ramka->ListaGrid()->titleClicked(kolumna);
        uklad = kolejnosc(*ramka);
    }
    EXPECT_EQ(
        count(QStringLiteral("typ = 'TColumn' and nazwa = :n"), {{QStringLiteral("n"), ui::czy_zaznaczono_ramka}}), 0);
    auto ramka = lista(kOkno);
    EXPECT_EQ(kolejnosc(*ramka), uklad);
    EXPECT_EQ(uklad.mid(0, 2), QStringList({ui::czy_zaznaczono_ramka, QStringLiteral("nazwa")}));
    EXPECT_EQ(szerokosc(*ramka, QStringLiteral("nazwa")), 321);
    EXPECT_EQ(ramka->FiltrListy.sort(), QStringLiteral("nazwa DESC,id DESC"));
    EXPECT_EQ(ramka->Lista()->value(QStringLiteral("nazwa")).toString(), QStringLiteral("Beta"));
}

TEST_P(RamkaListaUstawieniaTest, ResetRestoresTheDesignLayoutAndKeepsTheDateRecord)
{
    firma(QStringLiteral("Alfa"));
    {
        auto ramka = lista(kOkno);
        auto *zakres = ramka->findChild<QComboBox *>(QStringLiteral("zakres_dat"));
        zakres->setCurrentIndex(zakres->findData(partners::DatePresetCode::LastSixMonths));
        ramka->zakres_datChange(false);
        ramka->bZapiszFiltryListyClick();
        ramka->ListaGrid()->setColumnWidth(ramka->ListaGrid()->columnOf(QStringLiteral("nazwa")), 321);
    }
    EXPECT_EQ(count(QStringLiteral("typ = 'TDateTimePicker'")), 1);
    EXPECT_GT(count(QStringLiteral("typ = 'TColumn'")), 0);

    auto ramka = lista(kOkno);
    EXPECT_EQ(ramka->zakres().lastPresetCode(), partners::DatePresetCode::LastSixMonths);
    ramka->akcja(QStringLiteral("reset"))->trigger();
    EXPECT_EQ(count(QStringLiteral("typ = 'TColumn'")), 0);
    EXPECT_EQ(count(QStringLiteral("typ = 'TDateTimePicker'")), 1);
    EXPECT_EQ(szerokosc(*ramka, QStringLiteral("nazwa")), 200);
    EXPECT_TRUE(ramka->ListaGrid()->isColumnHidden(ramka->ListaGrid()->columnOf(QStringLiteral("skrot"))));
    ramka.reset();

    // Widths are fitted only on the user's first open: the design layout stays now.
    auto nastepna = lista(kOkno);
    EXPECT_EQ(szerokosc(*nastepna, QStringLiteral("nazwa")), 200);
    EXPECT_EQ(nastepna->zakres().lastPresetCode(), partners::DatePresetCode::LastSixMonths);
}

TEST_P(RamkaListaUstawieniaTest, FirstOpenWithRowsFitsWidthsOncePerUser)
{
    const auto flagi = [] {
        return host::GetIntDB(
            QStringLiteral("select count(*) from ustawienia where kod = 'ramka_lista_fr' and wartosc = '1'"));
    };
    {
        auto pusta = lista(kOkno);
        EXPECT_EQ(szerokosc(*pusta, QStringLiteral("nazwa")), 200);
    }
    EXPECT_EQ(flagi(), 0);
    firma(QStringLiteral("A"));
    auto ramka = lista(kOkno);
    EXPECT_LT(szerokosc(*ramka, QStringLiteral("nazwa")), 200);
    EXPECT_EQ(flagi(), 1);
}

TEST_P(RamkaListaUstawieniaTest, CustomisationDialogChangesTheGridAndTheSearchColumns)
{
    firma(QStringLiteral("Alfa"));
    auto ramka = lista();
    prompter().push(host::ScriptedPrompter::Answer::dialog([](QDialog &d) {
        auto &okno = static_cast<Tramka_dostosuj_form &>(d);
        okno.zaznacz({QStringLiteral("nazwa")});
        okno.usunZaznaczone();
        okno.zaznacz({QStringLiteral("skrot")});
        okno.dodajZaznaczone();
    }));
    ramka->akcja(QStringLiteral("pwidoczne"))->trigger();
    auto *grid = ramka->ListaGrid();
    EXPECT_TRUE(grid->isColumnHidden(grid->columnOf(QStringLiteral("nazwa"))));
    EXPECT_FALSE(grid->isColumnHidden(grid->columnOf(QStringLiteral("skrot"))));
    EXPECT_EQ(ramka->KolumnyWyszukiwania, QStringList({QStringLiteral("#id"), QStringLiteral("skrot")}));
}

TEST_P(RamkaListaUstawieniaTest, TwoListsOnOneWindowKeepSeparateLayouts)
{
    firma(QStringLiteral("Alfa"));
    int drugaPrzed = 0;
    {
        auto pierwsza = lista(kOkno, QStringLiteral("lista1"));
        auto druga = lista(kOkno, QStringLiteral("lista2"));
        pierwsza->ListaGrid()->setColumnWidth(pierwsza->ListaGrid()->columnOf(QStringLiteral("nazwa")), 321);
        drugaPrzed = szerokosc(*druga, QStringLiteral("nazwa"));
        ASSERT_NE(drugaPrzed, 321);
    }
    auto pierwsza = lista(kOkno, QStringLiteral("lista1"));
    auto druga = lista(kOkno, QStringLiteral("lista2"));
    EXPECT_EQ(szerokosc(*pierwsza, QStringLiteral("nazwa")), 321);
    EXPECT_EQ(szerokosc(*druga, QStringLiteral("nazwa")), drugaPrzed);
}

TEST_P(RamkaListaUstawieniaTest, WithoutAWindowNameNothingIsStored)
{
    firma(QStringLiteral("Alfa"));
    {
        auto ramka = lista();
        ramka->ListaGrid()->setColumnWidth(ramka->ListaGrid()->columnOf(QStringLiteral("nazwa")), 321);
        ramka->bZapiszFiltryListyClick();
    }
    EXPECT_EQ(count(QStringLiteral("1 = 1")), 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(RamkaListaUstawieniaTest);
