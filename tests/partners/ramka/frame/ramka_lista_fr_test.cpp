#include "frame_fixture.h"

#include "day_time.h"
#include "ramka/ramka_filtr_popup.h"
#include "ramka/settings/ramka_dostosuj_form.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using ScriptedAnswer = host::ScriptedPrompter::Answer;

class RamkaListaDaneTest : public RamkaListaTest
{
protected:
    void szukaj(Tramka_lista_frame &ramka, const QString &fraza)
    {
        auto *edit = ramka.findChild<QLineEdit *>(u"szukany_tekst"_s);
        edit->setText(fraza);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

// Both narrow the rows already loaded; a refresh keeps them.
TEST_P(RamkaListaDaneTest, PhraseSearchAndColumnFilterNarrowTheLoadedRows)
{
    const int obrien = firma(u"O'Brien Transport"_s);
    const int kowalski = firma(u"Kowalski 123"_s);
    const int zuraw = firma(u"Żuraw o'brien"_s);
    firma(u""_s);
    auto ramka = lista();
    szukaj(*ramka, u"O'Brien"_s);
    EXPECT_EQ(ids(*ramka), QList<int>({obrien, zuraw})) << "whatever the case";
    // One blank between the caption and the count, whatever the translation ends with.
    EXPECT_TRUE(ramka->tekstPanelu(0).endsWith(u": 2"_s)) << ramka->tekstPanelu(0).toStdString();
    szukaj(*ramka, u"żUR"_s);
    EXPECT_EQ(ids(*ramka), QList<int>{zuraw});

    // The phrase survives a refresh; select all takes only the rows it shows.
    szukaj(*ramka, u"kowal"_s);
    ramka->odswiezClick();
    EXPECT_EQ(ids(*ramka), QList<int>{kowalski});
    ramka->akcja(u"pZaznaczAll"_s)->trigger();
    EXPECT_EQ(ramka->ListaGrid()->selectedKeys(), QList<ui::RowKey>({ui::RowKey{kowalski, {}}}));
    szukaj(*ramka, QString());
    EXPECT_EQ(ramka->Lista()->recordCount(), 4);

    const int kolumna = ramka->ListaGrid()->columnOf(u"nazwa"_s);
    EXPECT_FALSE(ramka->akcja(u"usunfiltry"_s)->isEnabled());
    ramka->otworzFiltrKolumny(kolumna);
    auto *popup = ramka->findChild<TComboFiltrPopup *>();
    ASSERT_NE(popup, nullptr);
    QStringList teksty;
    for (int i = 0; i < popup->lista()->count(); ++i)
        teksty << popup->lista()->item(i)->text();
    EXPECT_TRUE(teksty.contains(u"("_s + host::LoadResstrings(u"Resstrings_IDS_Puste"_s) + ")"));
    ASSERT_TRUE(popup->kliknij(teksty[1])); // uncheck all
    ASSERT_TRUE(popup->kliknij(u"O'Brien Transport"_s));
    popup->close();
    EXPECT_EQ(ids(*ramka), QList<int>{obrien});
    EXPECT_EQ(ramka->ListaGrid()->columnFilterState(kolumna), ui::ColumnFilterState::Active);
    EXPECT_TRUE(ramka->akcja(u"usunfiltry"_s)->isEnabled());
    ramka->odswiezClick();
    EXPECT_EQ(ids(*ramka), QList<int>{obrien});
    // Saved to a file: the rows the filters leave.
    QTemporaryDir dir;
    prompter().push(ScriptedAnswer::saveFile(dir.filePath(u"lista.csv"_s)));
    ramka->akcja(u"pzapisz"_s)->trigger();
    QFile csv(dir.filePath(u"lista.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList linie = QString::fromUtf8(csv.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(linie.size(), 2);
    EXPECT_TRUE(linie[0].endsWith(u"Id;Nazwa;"_s));
    EXPECT_EQ(linie[1], u"%1;O'Brien Transport;"_s.arg(obrien));

    ramka->akcja(u"usunfiltry"_s)->trigger();
    EXPECT_EQ(ramka->Lista()->recordCount(), 4);
    EXPECT_EQ(ramka->ListaGrid()->columnFilterState(kolumna), ui::ColumnFilterState::Inactive);
    EXPECT_FALSE(ramka->akcja(u"usunfiltry"_s)->isEnabled());
}

TEST_P(RamkaListaDaneTest, TitleSortIsStableByIdAndARefreshKeepsItAndTheCurrentRow)
{
    const int a1 = firma(u"Alfa"_s);
    const int b = firma(u"Beta"_s);
    const int a2 = firma(u"Alfa"_s);
    const int a3 = firma(u"alfa"_s);
    auto ramka = lista();
    const int kolumna = ramka->ListaGrid()->columnOf(u"nazwa"_s);
    ramka->ListaGrid()->titleClicked(kolumna);
    EXPECT_EQ(ids(*ramka), QList<int>({a1, a2, a3, b}));
    ramka->ListaGrid()->titleClicked(kolumna);
    EXPECT_EQ(ids(*ramka), QList<int>({b, a3, a2, a1}));
    ASSERT_TRUE(ramka->GoToId(a2));
    const int gamma = firma(u"Gamma"_s);

    int otwarcia = 0;
    QObject::connect(ramka->Lista(), &db::DataSet::beforeOpen, ramka.get(), [&] {
        ++otwarcia;
        ramka->odswiezClick(); // a second request while the first one runs is ignored
    });
    ramka->odswiezClick();
    EXPECT_EQ(otwarcia, 1);
    EXPECT_EQ(ids(*ramka), QList<int>({gamma, b, a3, a2, a1}));
    EXPECT_EQ(ramka->idBiezacegoWiersza(), a2);
    EXPECT_EQ(ramka->Lista()->recNo(), 4);

    ramka->akcja(u"Odwiez1"_s)->trigger();
    EXPECT_EQ(otwarcia, 2);
}

TEST_P(RamkaListaDaneTest, OwnerFilledListIsNeverOpenedByTheFrameAndHasNoRefresh)
{
    firma(u"Alfa"_s);
    TestowaListaFirm ramka;
    ramka.InicjujRamke(u"partners.dll"_s, true, QString(), u"lista"_s, true);
    EXPECT_FALSE(ramka.Lista()->isActive());
    EXPECT_EQ(ramka.akcja(u"odswiez"_s), nullptr);
    EXPECT_EQ(ramka.akcja(u"Odwiez1"_s), nullptr);
    EXPECT_FALSE(ramka.akcja(u"nowy"_s)->isVisible());
    EXPECT_TRUE(ramka.akcja(u"pnowy"_s)->shortcut().isEmpty());

    // The owner fills it; the frame's steps still run on it.
    ramka.Lista()->openFromRows({{u"id"_s, QMetaType::Int}, {u"nazwa"_s, QMetaType::QString}},
                                {{1, u"Jeden"_s}, {2, u"Dwa"_s}});
    EXPECT_TRUE(ramka.daneWczytane());
    EXPECT_EQ(ramka.tekstPanelu(0), ui::rowCountText(2));
    ramka.Lista()->setRecNo(2);
    ramka.odswiezClick();
    EXPECT_EQ(ramka.Lista()->recNo(), 2);
}

TEST_P(RamkaListaDaneTest, EnglishToolAndFilterBarsShowNoPolishCaption)
{
    // The tool bar's actions and the filter bar's named buttons (unnamed ones are Qt's own).
    const auto napisyPaskow = [](Tramka_lista_frame &ramka) {
        QMap<QString, QString> napisy;
        for (QAction *a : ramka.findChild<QToolBar *>(u"ToolBar"_s)->actions())
            napisy.insert(a->objectName(), a->text());
        for (QToolButton *b : ramka.findChild<QWidget *>(u"pPanelFiltry"_s)->findChildren<QToolButton *>())
            if (!b->objectName().isEmpty())
                napisy.insert(b->objectName(), b->text());
        return napisy;
    };
    const QMap<QString, QString> polskie = napisyPaskow(*lista());
    ASSERT_EQ(polskie.value(u"odswiez"_s), u"Odśwież listę"_s);

    host::shutdown();
    bootstrapAs(u"admin"_s, u"en"_s);
    const QMap<QString, QString> angielskie = napisyPaskow(*lista());
    ASSERT_EQ(angielskie.keys(), polskie.keys());
    for (auto it = angielskie.cbegin(); it != angielskie.cend(); ++it) {
        const std::string nazwa = it.key().toStdString();
        EXPECT_FALSE(it.value().isEmpty()) << nazwa;
        // The phrase columns' ellipsis is the same in every language.
        if (it.key() != u"bSzukany_tekst"_s) {
            EXPECT_NE(it.value(), polskie.value(it.key())) << nazwa;
        }
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(RamkaListaDaneTest);

// ---- date range ----------------------------------------------------------------------

class RamkaListaDatTest : public RamkaListaTest
{
protected:
    QDateTime dt(int y, int m, int d, int h = 0) { return QDateTime(QDate(y, m, d), QTime(h, 0)); }

    void wybierzPreset(Tramka_lista_frame &ramka, int kod)
    {
        auto *combo = ramka.findChild<QComboBox *>(u"zakres_dat"_s);
        int i = combo->findData(kod);
        if (i < 0) { // "more" first
            combo->setCurrentIndex(combo->findData(partners::DatePresetCode::More));
            ramka.zakres_datChange(true);
            i = combo->findData(kod);
        }
        ASSERT_GE(i, 0);
        combo->setCurrentIndex(i);
        ramka.zakres_datChange(true);
    }

    void ustawDaty(Tramka_lista_frame &ramka, const QDate &od, const QDate &do_)
    {
        wybierzPreset(ramka, partners::DatePresetCode::UserRange);
        ramka.findChild<QDateTimeEdit *>(u"okres_od"_s)->setDateTime(QDateTime(od, QTime()));
        ramka.findChild<QDateTimeEdit *>(u"okres_do"_s)->setDateTime(QDateTime(do_, QTime()));
        auto *zastosuj = ramka.findChild<QToolButton *>(u"bOkres_zastosuj"_s);
        EXPECT_TRUE(zastosuj->isEnabled());
        zastosuj->click();
    }
};

TEST_P(RamkaListaDatTest, PresetsUseTodayTheEndDayIsWholeAndATimedOutLongRangeIsShortenedOnYes)
{
    firma(u"Luty"_s, {}, dt(2026, 2, 20));
    const int marzec = firma(u"Marzec"_s, {}, dt(2026, 3, 1));
    const int stara = firma(u"Stara"_s, {}, dt(2026, 4, 5));
    const int nowa = firma(u"Nowa"_s, {}, dt(2026, 5, 10, 18));
    ListaZDatami ramka;
    ramka.ustawDzisiaj(QDate(2026, 5, 15));
    ramka.InicjujRamke(u"partners.dll"_s, false, QString(), u"lista_dat"_s);
    // One date column needs no choice.
    EXPECT_TRUE(ramka.findChild<QComboBox *>(u"ktora_data"_s)->isHidden());
    EXPECT_EQ(ramka.KolumnyDat, QStringList{u"nocne_od"_s});

    wybierzPreset(ramka, partners::DatePresetCode::LastThreeMonths);
    EXPECT_EQ(ramka.zakres().range().start, db::DayTime::fromDate(QDate(2026, 3, 1)));
    EXPECT_EQ(ids(ramka), QList<int>({marzec, stara, nowa}));
    ustawDaty(ramka, QDate(2026, 5, 1), QDate(2026, 5, 10));
    EXPECT_EQ(ids(ramka), QList<int>{nowa});
    // A date-time column reads the host's (here Polish) way.
    EXPECT_EQ(ramka.ListaGrid()->model()->index(0, ramka.ListaGrid()->columnOf(u"nocne_od"_s)).data(), u"10.05.2026"_s);

    ramka.limitCzasu = true;

    prompter().answerMessage(host::mb::IdNo);
    ustawDaty(ramka, QDate(2026, 4, 1), QDate(2026, 5, 10));
    EXPECT_FALSE(ramka.Lista()->isActive());
    EXPECT_EQ(ramka.zakres().range().start, db::DayTime::fromDate(QDate(2026, 4, 1)));

    prompter().clear();
    prompter().answerMessage(host::mb::IdYes);
    const int przed = ramka.otwarcia.size();
    ramka.odswiezClick();
    ASSERT_EQ(prompter().messageTexts().size(), 1);
    EXPECT_EQ(prompter().messageTexts().first(), host::LoadResstrings(u"Resstrings_IDS_limit_czasu_zakres_dat"_s));
    EXPECT_EQ(ramka.otwarcia.size(), przed + 2);
    EXPECT_EQ(db::DayTime::toDate(ramka.zakres().range().start), QDate(2026, 4, 10));
    EXPECT_EQ(ramka.findChild<QDateTimeEdit *>(u"okres_od"_s)->date(), QDate(2026, 4, 10));
    EXPECT_EQ(ids(ramka), QList<int>{nowa});

    // Within a month nothing is asked.
    prompter().clear();
    ramka.limitCzasu = false;
    ustawDaty(ramka, QDate(2026, 4, 20), QDate(2026, 5, 10));
    EXPECT_TRUE(prompter().messageTexts().isEmpty());
}

MALVO_INSTANTIATE_FOR_ENGINES(RamkaListaDatTest);

// ---- layout settings ---------------------------------------------------------------------

namespace {
const QString OknoTestowe = u"Tokno_testowe_form"_s;
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
        auto ramka = lista(OknoTestowe + u"_2"_s);
        auto druga = lista(OknoTestowe, u"lista2"_s);
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
    EXPECT_EQ(count(u"formularz <> :f"_s, {{u"f"_s, OknoTestowe}}), 0);
    EXPECT_EQ(szerokosc(*lista(OknoTestowe, u"lista2"_s), u"nazwa"_s), drugaPrzed);
    auto ramka = lista(OknoTestowe);
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
    EXPECT_EQ(szerokosc(*lista(OknoTestowe), u"nazwa"_s), 200);
    EXPECT_EQ(flagi(), 0);
    firma(u"A"_s);
    {
        auto ramka = lista(OknoTestowe);
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

    auto ramka = lista(OknoTestowe);
    EXPECT_EQ(ramka->zakres().lastPresetCode(), partners::DatePresetCode::LastSixMonths);
    ramka->akcja(u"reset"_s)->trigger();
    EXPECT_EQ(count(u"typ = 'TColumn'"_s), 0);
    EXPECT_EQ(count(u"typ = 'TDateTimePicker'"_s), 1);
    EXPECT_EQ(szerokosc(*ramka, u"nazwa"_s), 200);
    EXPECT_FALSE(ramka->ListaGrid()->isColumnHidden(ramka->ListaGrid()->columnOf(u"nazwa"_s)));
    EXPECT_TRUE(ramka->ListaGrid()->isColumnHidden(ramka->ListaGrid()->columnOf(u"skrot"_s)));
    ramka.reset();

    auto nastepna = lista(OknoTestowe);
    EXPECT_EQ(szerokosc(*nastepna, u"nazwa"_s), 200);
    EXPECT_EQ(nastepna->zakres().lastPresetCode(), partners::DatePresetCode::LastSixMonths);
}

MALVO_INSTANTIATE_FOR_ENGINES(RamkaListaUstawieniaTest);
