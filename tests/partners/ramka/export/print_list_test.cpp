#include "ramka/export/print_list.h"
#include "ramka/export/ramka_kolumny_wydruku_form.h"

#include "../settings/ramka_test_support.h"
#include "siblings.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace ramka;
using Answer = host::ScriptedPrompter::Answer;

namespace {

std::vector<KolumnaWydruku> siatka()
{
    return {{"skrot", "Skrót", 80, true},
            {"nazwa", "Nazwa", 250, true},
            {"nip", "NIP", -5, false},
            {"miasto", "Miasto", 120, true}};
}

// The fields of print columns (only the printed ones when asked) or of export columns.
template <typename Kolumna>
QStringList pola(const std::vector<Kolumna> &kolumny, bool tylkoDrukowane = false)
{
    QStringList wynik;
    for (const Kolumna &k : kolumny)
        if constexpr (std::is_same_v<Kolumna, KolumnaWydruku>) {
            if (!tylkoDrukowane || k.drukuj)
                wynik << k.pole;
        } else {
            wynik << k.pole;
        }
    return wynik;
}

} // namespace

using UstawieniaWydrukuTest = RamkaHostTest;

TEST_P(UstawieniaWydrukuTest, RememberedColumnsComeBackCheckedInTheirOrderWithTheirWidthsUntilForgotten)
{
    const auto ustawienia = [](const QString &okno = u"Tlista_firm_form"_s) {
        return UstawieniaWydruku(okno, host::AktIdU());
    };
    auto k = ustawienia().wczytaj(siatka());
    EXPECT_EQ(pola(k), (QStringList{"skrot", "nazwa", "nip", "miasto"})) << "without stored rows the grid decides";
    EXPECT_EQ(pola(k, true), (QStringList{"skrot", "nazwa", "miasto"}));
    EXPECT_EQ(k[2].szerokosc, 0);

    auto wybor = siatka();
    wybor[0].drukuj = false;
    wybor[2].drukuj = true;
    wybor[2].szerokosc = 44;
    std::swap(wybor[1], wybor[3]); // miasto before nazwa
    ASSERT_TRUE(ustawienia().zapamietaj(wybor));
    ASSERT_TRUE(ustawienia().zapamietaj(wybor)); // a second time replaces, never duplicates
    EXPECT_EQ(count(u"typ = 'columns' and nazwa = 'check'"_s), 1);
    EXPECT_EQ(count(u"typ = 'columns' and nazwa <> 'check'"_s), 3);
    EXPECT_EQ(count(u"typ = 'columns' and nazwa = 'nip' and napis = '44' and kolejnosc = 1"_s), 1);

    k = ustawienia().wczytaj(siatka());
    EXPECT_EQ(pola(k), (QStringList{"miasto", "nip", "nazwa", "skrot"}));
    EXPECT_EQ(pola(k, true), (QStringList{"miasto", "nip", "nazwa"}));
    EXPECT_EQ(k[1].szerokosc, 44);
    // Another window has its own set-up.
    EXPECT_EQ(pola(ustawienia(u"Inne"_s).wczytaj(siatka()), true), (QStringList{"skrot", "nazwa", "miasto"}));

    ASSERT_TRUE(ustawienia(u"Inne"_s).zapamietaj(siatka()));
    ASSERT_TRUE(ustawienia().zapomnij());
    EXPECT_EQ(count(u"formularz = 'Tlista_firm_form'"_s), 0);
    EXPECT_EQ(count(u"formularz = 'Inne'"_s), 4);
}

MALVO_INSTANTIATE_FOR_ENGINES(UstawieniaWydrukuTest);

TEST(ParametryRaportu, NamesInOrderAndDatesAsDayMonthYear)
{
    ParametryWydruku p;
    p.tytul = u"Firmy/klienci"_s;
    p.uzytkownik = u"Nowak Anna (anowak)"_s;
    p.dataWydruku = QDate(2026, 12, 5);
    p.okresOd = QDate(2026, 1, 2);
    p.okresDo = QDate(2026, 1, 31);
    const auto pary = parametryRaportu(p);
    QStringList nazwy;
    for (const auto &para : pary)
        nazwy << para.first;
    EXPECT_EQ(nazwy,
              (QStringList{"@nazwa_programu", "@data_rap", "@tytul", "@uzytk_rap", "@nazwa_pliku", "@nazwa_pliku2",
                           "@chrome_tabs_caption"}));
    EXPECT_EQ(pary[1].second, "05-12-2026");
    EXPECT_EQ(pary[2].second, "Firmy/klienci");
    EXPECT_EQ(pary[4].second, "Firmy klienci");
    EXPECT_TRUE(pary[5].second.contains("02-01-2026"));
    EXPECT_TRUE(pary[5].second.contains("31-01-2026"));
}

class DrukujListeTest : public RamkaHostTest
{
protected:
    void SetUp() override
    {
        RamkaHostTest::SetUp();
        if (!IsSkipped())
            host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    }
    void TearDown() override
    {
        host::setSiblingDirectory(QString());
        RamkaHostTest::TearDown();
    }
    QTemporaryDir katalogHosta;
};

TEST_P(DrukujListeTest, WritesSysRXmlAndShowsItInTheViewerUnlessItIsMissing)
{
    TabelaEksportu t;
    t.tytul = u"Lista firm"_s;
    t.kolumny = {{"skrot", "Skrót", 80}, {"nazwa", "Nazwa", 200}};
    t.wiersze = {{"ALFA", "Alfa & syn"}, {"BETA", "Beta <sp. j.>"}};
    t.podsumowanie = QStringList{"2", ""};

    QStringList naglowki;
    QStringList komorki;
    QString tytulOkna;
    prompter().push(Answer::dialog([&](QDialog &okno) {
        tytulOkna = okno.windowTitle();
        auto *widok = okno.findChild<QTableView *>(u"tabela"_s);
        ASSERT_TRUE(widok);
        const QAbstractItemModel *m = widok->model();
        for (int c = 0; c < m->columnCount(); ++c)
            naglowki << m->headerData(c, Qt::Horizontal).toString();
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c)
                komorki << m->index(r, c).data().toString();
        okno.accept();
    }));
    ParametryWydruku p;
    p.tytul = t.tytul;
    EXPECT_EQ(DrukujListe(t, p, katalogHosta.path()), WynikWydruku::Pokazano);

    EXPECT_TRUE(QFile::exists(katalogHosta.filePath(u"data/Reports/SYS_R.xml"_s)));
    EXPECT_EQ(naglowki, (QStringList{"Skrót", "Nazwa"}));
    EXPECT_EQ(komorki, (QStringList{"ALFA", "Alfa & syn", "BETA", "Beta <sp. j.>", "2", ""}));
    EXPECT_TRUE(tytulOkna.contains("Lista firm"));

    prompter().clear();
    host::setSiblingDirectory(katalogHosta.path());
    EXPECT_EQ(DrukujListe(t, {}, katalogHosta.path()), WynikWydruku::BrakPodgladu);
    EXPECT_TRUE(prompter().questions().isEmpty());
}

MALVO_INSTANTIATE_FOR_ENGINES(DrukujListeTest);

class KolumnyWydrukuTest : public RamkaHostTest
{
protected:
    std::optional<std::vector<KolumnaEksportu>> wybierz(std::function<void(Tramka_kolumny_wydruku_form &)> ustaw)
    {
        prompter().push(Answer::dialog([ustaw](QDialog &d) {
            auto *okno = qobject_cast<Tramka_kolumny_wydruku_form *>(&d);
            ASSERT_TRUE(okno);
            if (ustaw)
                ustaw(*okno);
        }));
        return wybierzKolumnyWydruku(nullptr, u"Tlista_firm_form"_s, host::AktIdU(), siatka());
    }
};

TEST_P(KolumnyWydrukuTest, RememberedChoiceIsPrintedAndOfferedNextTime)
{
    const auto wynik = wybierz([](Tramka_kolumny_wydruku_form &okno) {
        auto *drzewo = okno.findChild<QTreeWidget *>(u"drzewo"_s);
        drzewo->topLevelItem(0)->setCheckState(0, Qt::Unchecked); // skrot out
        drzewo->setCurrentItem(drzewo->topLevelItem(3));
        okno.wGore(); // miasto before nip
        okno.findChild<QSpinBox *>(u"szerokosc_miasto"_s)->setValue(99);
        okno.findChild<QCheckBox *>(u"zapamietaj"_s)->setChecked(true);
        okno.findChild<QPushButton *>(u"drukuj"_s)->click();
    });
    ASSERT_TRUE(wynik.has_value());
    EXPECT_EQ(pola(*wynik), (QStringList{"nazwa", "miasto"}));
    EXPECT_EQ((*wynik)[1].szerokosc, 99);

    std::vector<KolumnaWydruku> pokazane;
    wybierz([&](Tramka_kolumny_wydruku_form &okno) { pokazane = okno.kolumny(); });
    EXPECT_EQ(pola(pokazane), (QStringList{"nazwa", "miasto", "skrot", "nip"}));
    EXPECT_EQ(pola(pokazane, true), (QStringList{"nazwa", "miasto"}));
}

TEST_P(KolumnyWydrukuTest, CancelKeepsTheStoredChoiceAndPrintingWithoutRememberingForgetsIt)
{
    ASSERT_TRUE(UstawieniaWydruku(u"Tlista_firm_form"_s, host::AktIdU()).zapamietaj(siatka()));
    EXPECT_FALSE(wybierz([](Tramka_kolumny_wydruku_form &okno) { okno.reject(); }).has_value());
    EXPECT_EQ(count(u"typ = 'columns'"_s), 4);

    const auto wynik = wybierz([](Tramka_kolumny_wydruku_form &okno) {
        okno.zaznaczWszystkie(false);
        okno.accept();
    });
    ASSERT_TRUE(wynik.has_value());
    EXPECT_EQ(pola(*wynik), (QStringList{"skrot", "nazwa", "miasto"}));
    EXPECT_EQ(count(u"typ = 'columns'"_s), 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(KolumnyWydrukuTest);
