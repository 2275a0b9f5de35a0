#include "frame_fixture.h"

#include "day_time.h"
#include "ramka/ramka_filtr_popup.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using ScriptedAnswer = host::ScriptedPrompter::Answer;

class RamkaListaDaneTest : public RamkaListaTest
{
protected:
    void szukaj(Tramka_lista_frame &ramka, const QString &fraza)
    {
        auto *edit = ramka.findChild<QLineEdit *>(QStringLiteral("szukany_tekst"));
        edit->setText(fraza);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

TEST_P(RamkaListaDaneTest, PhraseSearchFiltersTheLoadedRowsOnVisibleColumns)
{
    const int obrien = firma(QStringLiteral("O'Brien Transport"));
    const int kowalski = firma(QStringLiteral("Kowalski 123"));
    firma(QStringLiteral("Nowak"));
    auto ramka = lista();
    ASSERT_TRUE(ramka->Lista()->isActive());
    EXPECT_EQ(ramka->Lista()->recordCount(), 3);
    // The hidden short name is no search column; the integer id is.
    EXPECT_EQ(ramka->KolumnyWyszukiwania, QStringList({QStringLiteral("#id"), QStringLiteral("nazwa")}));

    szukaj(*ramka, QStringLiteral("O'Brien"));
    EXPECT_TRUE(ramka->FiltrListy.phraseCondition().contains(QStringLiteral("'%O''Brien%'")));
    EXPECT_EQ(ids(*ramka), QList<int>{obrien});
    EXPECT_EQ(ramka->tekstPanelu(0), ui::rowCountText(1));

    szukaj(*ramka, QStringLiteral("123"));
    EXPECT_EQ(ramka->FiltrListy.phraseCondition(), QStringLiteral("(id=123 or nazwa like '%123%' )"));
    EXPECT_EQ(ids(*ramka), QList<int>{kowalski});

    szukaj(*ramka, QStringLiteral("abc"));
    EXPECT_EQ(ramka->FiltrListy.phraseCondition(), QStringLiteral("(nazwa like '%abc%' )"));
    EXPECT_TRUE(ids(*ramka).isEmpty());

    // The phrase survives a refresh; select all takes only the rows it shows.
    szukaj(*ramka, QStringLiteral("kowal"));
    ramka->odswiezClick();
    EXPECT_EQ(ids(*ramka), QList<int>{kowalski});
    ramka->akcja(QStringLiteral("pZaznaczAll"))->trigger();
    EXPECT_EQ(ramka->ListaGrid()->selectedKeys(), QList<ui::RowKey>({ui::RowKey{kowalski, {}}}));

    szukaj(*ramka, QString());
    EXPECT_EQ(ramka->Lista()->recordCount(), 3);
}

TEST_P(RamkaListaDaneTest, RefreshKeepsTheCurrentRowAndIgnoresARequestWhileOneRuns)
{
    firma(QStringLiteral("Beta"));
    const int gamma = firma(QStringLiteral("Gamma"));
    auto ramka = lista();
    ramka->ListaGrid()->titleClicked(ramka->ListaGrid()->columnOf(QStringLiteral("nazwa")));
    ASSERT_TRUE(ramka->GoToId(gamma));
    firma(QStringLiteral("Alfa"));

    int otwarcia = 0;
    QObject::connect(ramka->Lista(), &db::DataSet::beforeOpen, ramka.get(), [&] {
        ++otwarcia;
        ramka->odswiezClick(); // a second request while the first one runs
    });
    ramka->odswiezClick();
    EXPECT_EQ(otwarcia, 1);
    EXPECT_FALSE(ramka->OdswiezanieTrwa);
    EXPECT_EQ(ramka->Lista()->recordCount(), 3);
    EXPECT_EQ(ramka->idBiezacegoWiersza(), gamma);
    EXPECT_EQ(ramka->Lista()->recNo(), 3);

    ramka->akcja(QStringLiteral("Odwiez1"))->trigger();
    EXPECT_EQ(otwarcia, 2);
}

TEST_P(RamkaListaDaneTest, TitleSortIsStableByIdInTheSortDirectionAndSurvivesRefresh)
{
    const int a1 = firma(QStringLiteral("Alfa"));
    const int b = firma(QStringLiteral("Beta"));
    const int a2 = firma(QStringLiteral("Alfa"));
    const int a3 = firma(QStringLiteral("alfa"));
    auto ramka = lista();
    const int kolumna = ramka->ListaGrid()->columnOf(QStringLiteral("nazwa"));
    ramka->ListaGrid()->titleClicked(kolumna);
    EXPECT_EQ(ids(*ramka), QList<int>({a1, a2, a3, b}));
    ramka->ListaGrid()->titleClicked(kolumna);
    EXPECT_EQ(ids(*ramka), QList<int>({b, a3, a2, a1}));
    ramka->odswiezClick();
    EXPECT_EQ(ids(*ramka), QList<int>({b, a3, a2, a1}));
}

TEST_P(RamkaListaDaneTest, ColumnFilterFromTheFunnelNarrowsAndUsunfiltryRemovesIt)
{
    firma(QStringLiteral("Alfa"));
    const int beta = firma(QStringLiteral("Beta"));
    firma(QStringLiteral(""));
    auto ramka = lista();
    const int kolumna = ramka->ListaGrid()->columnOf(QStringLiteral("nazwa"));
    EXPECT_FALSE(ramka->akcja(QStringLiteral("usunfiltry"))->isEnabled());

    ramka->otworzFiltrKolumny(kolumna);
    auto *popup = ramka->findChild<TComboFiltrPopup *>();
    ASSERT_NE(popup, nullptr);
    QStringList teksty;
    for (int i = 0; i < popup->lista()->count(); ++i)
        teksty << popup->lista()->item(i)->text();
    EXPECT_EQ(teksty.size(), 5);
    EXPECT_TRUE(
        teksty.contains(QStringLiteral("(") + host::LoadResstrings(QStringLiteral("Resstrings_IDS_Puste")) + ")"));
    ASSERT_TRUE(popup->kliknij(teksty[1])); // uncheck all
    ASSERT_TRUE(popup->kliknij(QStringLiteral("Beta")));
    popup->close();

    EXPECT_EQ(ids(*ramka), QList<int>{beta});
    EXPECT_EQ(ramka->ListaGrid()->columnFilterState(kolumna), ui::ColumnFilterState::Active);
    EXPECT_TRUE(ramka->akcja(QStringLiteral("usunfiltry"))->isEnabled());
    // Reopening keeps the column filter.
    ramka->odswiezClick();
    EXPECT_EQ(ids(*ramka), QList<int>{beta});

    ramka->akcja(QStringLiteral("usunfiltry"))->trigger();
    EXPECT_EQ(ramka->Lista()->recordCount(), 3);
    EXPECT_EQ(ramka->ListaGrid()->columnFilterState(kolumna), ui::ColumnFilterState::Inactive);
    EXPECT_FALSE(ramka->akcja(QStringLiteral("usunfiltry"))->isEnabled());
}

TEST_P(RamkaListaDaneTest, OwnerFilledListIsNeverOpenedByTheFrameAndHasNoRefresh)
{
    firma(QStringLiteral("Alfa"));
    TestowaListaFirm ramka;
    ramka.InicjujRamke(QStringLiteral("partners.dll"), true, QString(), QStringLiteral("lista"), true);
    EXPECT_FALSE(ramka.Lista()->isActive());
    EXPECT_EQ(ramka.akcja(QStringLiteral("odswiez")), nullptr);
    EXPECT_EQ(ramka.akcja(QStringLiteral("Odwiez1")), nullptr);
    EXPECT_FALSE(ramka.akcja(QStringLiteral("nowy"))->isVisible());
    EXPECT_TRUE(ramka.akcja(QStringLiteral("pnowy"))->shortcut().isEmpty());

    // The owner fills it; the frame's steps still run on it.
    ramka.Lista()->openFromRows({{QStringLiteral("id"), QMetaType::Int}, {QStringLiteral("nazwa"), QMetaType::QString}},
                                {{1, QStringLiteral("Jeden")}, {2, QStringLiteral("Dwa")}});
    EXPECT_TRUE(ramka.DaneWczytane);
    EXPECT_EQ(ramka.tekstPanelu(0), ui::rowCountText(2));
    ramka.Lista()->setRecNo(2);
    ramka.odswiezClick();
    EXPECT_EQ(ramka.Lista()->recNo(), 2);
}

namespace {

// The texts of the tool bar's actions and the filter bar's buttons, by object name.
QMap<QString, QString> napisyPaskow(Tramka_lista_frame &ramka)
{
    QMap<QString, QString> napisy;
    for (QAction *a : ramka.findChild<QToolBar *>(QStringLiteral("ToolBar"))->actions())
        napisy.insert(a->objectName(), a->text());
    // Unnamed buttons belong to Qt's own editors (the clear button of the phrase field).
    for (QToolButton *b : ramka.findChild<QWidget *>(QStringLiteral("pPanelFiltry"))->findChildren<QToolButton *>()) {
        if (!b->objectName().isEmpty())
            napisy.insert(b->objectName(), b->text());
    }
    return napisy;
}

} // namespace

TEST_P(RamkaListaDaneTest, EnglishToolAndFilterBarsShowNoPolishCaption)
{
    const QMap<QString, QString> polskie = napisyPaskow(*lista());
    ASSERT_EQ(polskie.value(QStringLiteral("odswiez")), QStringLiteral("Odśwież listę"));

    host::shutdown();
    bootstrapAs(QStringLiteral("admin"), QStringLiteral("en"));
    const QMap<QString, QString> angielskie = napisyPaskow(*lista());
    ASSERT_EQ(angielskie.keys(), polskie.keys());
    const QRegularExpression polskieLitery(QStringLiteral("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]"));
    const QRegularExpression litera(QStringLiteral("\\p{L}"));
    for (auto it = angielskie.cbegin(); it != angielskie.cend(); ++it) {
        const std::string nazwa = it.key().toStdString();
        EXPECT_FALSE(it.value().isEmpty()) << nazwa;
        EXPECT_FALSE(it.value().contains(polskieLitery)) << nazwa << " " << it.value().toStdString();
        // Symbols such as the phrase columns' ellipsis are the same in every language.
        if (polskie.value(it.key()).contains(litera)) {
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
        auto *combo = ramka.findChild<QComboBox *>(QStringLiteral("zakres_dat"));
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
        ramka.findChild<QDateTimeEdit *>(QStringLiteral("okres_od"))->setDateTime(QDateTime(od, QTime()));
        ramka.findChild<QDateTimeEdit *>(QStringLiteral("okres_do"))->setDateTime(QDateTime(do_, QTime()));
        auto *zastosuj = ramka.findChild<QToolButton *>(QStringLiteral("bOkres_zastosuj"));
        EXPECT_TRUE(zastosuj->isEnabled());
        zastosuj->click();
    }
};

TEST_P(RamkaListaDatTest, PresetsUseTodayAndTheEndDayIsWhole)
{
    firma(QStringLiteral("Luty"), {}, dt(2026, 2, 20));
    const int marzec = firma(QStringLiteral("Marzec"), {}, dt(2026, 3, 1));
    const int maj = firma(QStringLiteral("Maj"), {}, dt(2026, 5, 10, 18));
    ListaZDatami ramka;
    ramka.ustawDzisiaj(QDate(2026, 5, 15));
    ramka.InicjujRamke(QStringLiteral("partners.dll"), false, QString(), QStringLiteral("lista_dat"));
    // One date column needs no choice.
    EXPECT_TRUE(ramka.findChild<QComboBox *>(QStringLiteral("ktora_data"))->isHidden());
    EXPECT_EQ(ramka.KolumnyDat, QStringList{QStringLiteral("nocne_od")});

    wybierzPreset(ramka, partners::DatePresetCode::LastThreeMonths);
    EXPECT_EQ(ramka.zakres().range().start, db::DayTime::fromDate(QDate(2026, 3, 1)));
    EXPECT_EQ(ids(ramka), QList<int>({marzec, maj}));

    ustawDaty(ramka, QDate(2026, 5, 1), QDate(2026, 5, 10));
    EXPECT_EQ(ids(ramka), QList<int>{maj});
}

TEST_P(RamkaListaDatTest, TimedOutLongRangeIsShortenedToThirtyDaysOnYes)
{
    const int nowa = firma(QStringLiteral("Nowa"), {}, dt(2026, 5, 10));
    firma(QStringLiteral("Stara"), {}, dt(2026, 4, 5));
    ListaZDatami ramka;
    ramka.ustawDzisiaj(QDate(2026, 5, 15));
    ramka.InicjujRamke(QStringLiteral("partners.dll"), false, QString(), QStringLiteral("lista_dat"));
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
    EXPECT_EQ(prompter().messageTexts().first(),
              host::LoadResstrings(QStringLiteral("Resstrings_IDS_limit_czasu_zakres_dat")));
    EXPECT_EQ(ramka.otwarcia.size(), przed + 2);
    EXPECT_EQ(db::DayTime::toDate(ramka.zakres().range().start), QDate(2026, 4, 10));
    EXPECT_EQ(ramka.findChild<QDateTimeEdit *>(QStringLiteral("okres_od"))->date(), QDate(2026, 4, 10));
    ASSERT_TRUE(ramka.Lista()->isActive());
    EXPECT_EQ(ids(ramka), QList<int>{nowa});

    // Within a month nothing is asked.
    prompter().clear();
    ramka.limitCzasu = false;
    ustawDaty(ramka, QDate(2026, 4, 20), QDate(2026, 5, 10));
    EXPECT_TRUE(prompter().messageTexts().isEmpty());
}

MALVO_INSTANTIATE_FOR_ENGINES(RamkaListaDatTest);
