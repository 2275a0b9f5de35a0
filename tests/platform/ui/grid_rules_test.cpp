// Rules of the grid that need no window: sorting by titles, the incremental
// search buffer, the row selection, totals, cell texts and the palette.
#include "column_totals.h"
#include "grid_column.h"
#include "incremental_search.h"
#include "list_palette.h"
#include "row_selection.h"
#include "title_sort.h"

#include <host_funcs.h>
#include <host_variables.h>

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>

using namespace ui;

namespace {

// ---- sorting by titles -------------------------------------------------------------

struct SortCase
{
    const char *name;
    QStringList clicks;
    QStringList expected;
};

std::ostream &operator<<(std::ostream &out, const SortCase &c)
{
    return out << c.name;
}

class TitleSortSequence : public testing::TestWithParam<SortCase>
{};

TEST_P(TitleSortSequence, BuildsSortStrings)
{
    TitleSort sort;
    QStringList built;
    for (const QString &field : GetParam().clicks)
        built << sort.click(field);
    EXPECT_EQ(built, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Clicks, TitleSortSequence,
                         testing::Values(SortCase{"same_title_toggles",
                                                  {"nazwa", "nazwa", "nazwa"},
                                                  {"nazwa ASC,id ASC", "nazwa DESC,id DESC", "nazwa ASC,id ASC"}},
                                         SortCase{"other_title_starts_ascending",
                                                  {"nazwa", "nazwa", "miasto"},
                                                  {"nazwa ASC,id ASC", "nazwa DESC,id DESC", "miasto ASC,id ASC"}},
                                         SortCase{"back_to_first_title_ascending_again",
                                                  {"nazwa", "miasto", "nazwa"},
                                                  {"nazwa ASC,id ASC", "miasto ASC,id ASC", "nazwa ASC,id ASC"}},
                                         SortCase{"title_names_compare_without_case",
                                                  {"Nazwa", "nazwa"},
                                                  {"Nazwa ASC,id ASC", "nazwa DESC,id DESC"}},
                                         SortCase{
                                             "key_column_needs_no_tie_break", {"id", "id"}, {"id ASC", "id DESC"}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TitleSort, MappedColumnSortsByItsExpressions)
{
    TitleSort sort;
    sort.setMapping({"adres;miasto", "adres;ulica", "kod;kod_pocztowy"});
    EXPECT_EQ(sort.click("adres"), "miasto ASC, ulica ASC,id ASC");
    EXPECT_EQ(sort.click("adres"), "miasto DESC, ulica DESC,id DESC");
    EXPECT_EQ(sort.click("nazwa"), "nazwa ASC,id ASC");
}

TEST(TitleSort, WithoutTieBreakFieldSortsByTheColumnOnly)
{
    TitleSort sort;
    sort.setTieBreakField(QString());
    EXPECT_EQ(sort.click("nazwa"), "nazwa ASC");
}

TEST(TitleSort, RestoredSortContinuesWithTheOtherDirection)
{
    TitleSort sort;
    sort.restore("nazwa DESC,id DESC");
    EXPECT_EQ(sort.lastField(), "nazwa");
    EXPECT_EQ(sort.click("nazwa"), "nazwa ASC,id ASC");
    sort.restore("miasto ASC,id ASC");
    EXPECT_EQ(sort.click("miasto"), "miasto DESC,id DESC");
    sort.restore(QString());
    EXPECT_EQ(sort.click("miasto"), "miasto ASC,id ASC");
}

TEST(TitleSort, RestoredMappedSortBelongsToItsColumn)
{
    TitleSort sort;
    sort.setMapping({"adres;miasto", "adres;ulica"});
    sort.restore("miasto ASC, ulica ASC,id ASC");
    EXPECT_EQ(sort.lastField(), "adres");
    EXPECT_EQ(sort.click("adres"), "miasto DESC, ulica DESC,id DESC");
}

// ---- incremental search ---------------------------------------------------------------

class IncrementalSearchTest : public testing::Test
{
protected:
    IncrementalSearch::Outcome type(const QString &text, int key = 0)
    {
        if (key == 0)
            key = text.isEmpty() ? 0 : text.at(0).toUpper().unicode();
        return search.keyPress(key, text, [this](const QString &prefix) {
            for (int i = 0; i < names.size(); ++i)
                if (names.at(i).startsWith(prefix, Qt::CaseInsensitive)) {
                    row = i;
                    return true;
                }
            return false;
        });
    }

    QStringList names{"Adam", "kamil", "Kot", "Kowal", "Zenon"};
    IncrementalSearch search;
    int row = -1;
};

TEST_F(IncrementalSearchTest, LettersNarrowToTheFirstMatchingRow)
{
    EXPECT_EQ(type("k"), IncrementalSearch::Outcome::Found);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(type("o"), IncrementalSearch::Outcome::Found);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(search.buffer(), "ko");
}

TEST_F(IncrementalSearchTest, LetterWithoutMatchIsDroppedAgain)
{
    type("k");
    type("o");
    EXPECT_EQ(type("x"), IncrementalSearch::Outcome::Rejected);
    EXPECT_EQ(search.buffer(), "ko");
    EXPECT_EQ(row, 2);
    EXPECT_EQ(type("w"), IncrementalSearch::Outcome::Found);
    EXPECT_EQ(row, 3);
}

TEST_F(IncrementalSearchTest, FirstLetterWithoutMatchLeavesTheBufferEmpty)
{
    EXPECT_EQ(type("q"), IncrementalSearch::Outcome::Emptied);
    EXPECT_TRUE(search.buffer().isEmpty());
    EXPECT_EQ(row, -1);
}

TEST_F(IncrementalSearchTest, BackspaceShortensAndSearchesAgain)
{
    type("k");
    type("o");
    EXPECT_EQ(type(QString(QChar(8)), Qt::Key_Backspace), IncrementalSearch::Outcome::Found);
    EXPECT_EQ(search.buffer(), "k");
    EXPECT_EQ(row, 1);
    EXPECT_EQ(type(QString(QChar(8)), Qt::Key_Backspace), IncrementalSearch::Outcome::Emptied);
    EXPECT_EQ(type(QString(QChar(8)), Qt::Key_Backspace), IncrementalSearch::Outcome::Ignored);
}

TEST_F(IncrementalSearchTest, EscapeClearsAndEnterIsIgnored)
{
    type("k");
    EXPECT_EQ(type("\r", Qt::Key_Return), IncrementalSearch::Outcome::Ignored);
    EXPECT_EQ(search.buffer(), "k");
    EXPECT_EQ(type(QString(QChar(27)), Qt::Key_Escape), IncrementalSearch::Outcome::Emptied);
    EXPECT_TRUE(search.buffer().isEmpty());
}

TEST_F(IncrementalSearchTest, ControlCharactersAreNotTyped)
{
    EXPECT_EQ(type(QString(QChar(1)), Qt::Key_A), IncrementalSearch::Outcome::Ignored);
    EXPECT_EQ(type(QString(), Qt::Key_Shift), IncrementalSearch::Outcome::Ignored);
    EXPECT_TRUE(search.buffer().isEmpty());
}

// ---- selection ---------------------------------------------------------------------

RowKey key(qint64 id, const QString &guid = QString())
{
    return RowKey{id, guid};
}

class RowSelectionTest : public testing::Test
{
protected:
    // Visible rows 0..9 carry ids 100..109.
    void click(int row, bool ctrl = false, bool shift = false, bool sticky = false)
    {
        selection.click(
            row, ctrl, shift, sticky, [](int r) { return key(100 + r); },
            [this](const RowKey &k) { return hidden.contains(k.id) ? -1 : int(k.id - 100); });
    }
    QList<qint64> selectedIds() const
    {
        QList<qint64> result;
        for (const RowKey &k : selection.selectedKeys())
            result << k.id;
        return result;
    }

    RowSelection selection;
    QList<qint64> hidden;
};

TEST_F(RowSelectionTest, FlagsAndCount)
{
    selection.registerKey(key(1), false);
    selection.registerKey(key(2), true);
    selection.registerKey(key(2), false); // already there: left alone
    selection.toggle(key(3));
    selection.select(key(1));
    EXPECT_EQ(selection.selectedCount(), 3);
    EXPECT_EQ(selectedIds(), (QList<qint64>{1, 2, 3}));
    selection.toggle(key(2));
    EXPECT_EQ(selectedIds(), (QList<qint64>{1, 3}));
    selection.clear();
    EXPECT_EQ(selection.selectedCount(), 0);
    EXPECT_EQ(selection.entries().size(), 3u); // entries stay, only flags reset
    selection.setAll();
    EXPECT_EQ(selection.selectedCount(), 3);
}

TEST_F(RowSelectionTest, GuidTellsRowsWithTheSameIdApart)
{
    selection.select(key(1, "a"));
    EXPECT_TRUE(selection.isSelected(key(1, "a")));
    EXPECT_FALSE(selection.isSelected(key(1, "b")));
    EXPECT_FALSE(selection.isSelected(key(1)));
}

TEST_F(RowSelectionTest, PlainClickSelectsOnlyTheClickedRow)
{
    click(2);
    click(5, true);
    click(7);
    EXPECT_EQ(selectedIds(), (QList<qint64>{107}));
}

TEST_F(RowSelectionTest, CtrlTogglesAndKeepsTheRest)
{
    click(2);
    click(5, true);
    click(8, true);
    EXPECT_EQ(selectedIds(), (QList<qint64>{102, 105, 108}));
    click(5, true);
    EXPECT_EQ(selectedIds(), (QList<qint64>{102, 108}));
}

TEST_F(RowSelectionTest, ShiftSelectsFromTheAnchorInEitherDirection)
{
    click(6);
    click(3, false, true);
    EXPECT_EQ(selection.selectedCount(), 4);
    for (int id = 103; id <= 106; ++id)
        EXPECT_TRUE(selection.isSelected(key(id))) << id;
    click(8, true);
    click(9, false, true); // anchor moved to the Ctrl-clicked row
    EXPECT_EQ(selection.selectedCount(), 6);
    EXPECT_TRUE(selection.isSelected(key(109)));
    EXPECT_FALSE(selection.isSelected(key(107)));
}

TEST_F(RowSelectionTest, ShiftWithoutVisibleAnchorSelectsTheClickedRow)
{
    click(6);
    hidden << 106;
    click(3, false, true);
    EXPECT_TRUE(selection.isSelected(key(103)));
    EXPECT_FALSE(selection.isSelected(key(104)));
}

TEST_F(RowSelectionTest, StickySelectionSurvivesPlainClicks)
{
    click(1, true);
    click(4, false, false, true);
    EXPECT_EQ(selectedIds(), (QList<qint64>{101}));
    ASSERT_TRUE(selection.anchor().has_value());
    EXPECT_EQ(selection.anchor()->id, 104);
}

// ---- totals ------------------------------------------------------------------------

struct TotalCase
{
    const char *name;
    SummaryKind kind;
    int decimals;
    QVariantList values;
    const char *expected;
};

std::ostream &operator<<(std::ostream &out, const TotalCase &c)
{
    return out << c.name;
}

class ColumnTotalCase : public testing::TestWithParam<TotalCase>
{};

TEST_P(ColumnTotalCase, SumsAndFormats)
{
    ColumnTotal total(GetParam().kind, GetParam().decimals);
    for (const QVariant &value : GetParam().values)
        total.add(value);
    EXPECT_EQ(total.text(QLocale::c(), DayWords{"dzień", "dni"}), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ColumnTotalCase,
    testing::Values(
        TotalCase{"integers", SummaryKind::Integer, 0, {1, 2, QVariant(), qint64(3000000000LL)}, "3000000003"},
        TotalCase{"integers_none", SummaryKind::Integer, 0, {}, "0"},
        TotalCase{"decimal_two", SummaryKind::Decimal, 2, {0.1, 0.2, 0.3, 10.005}, "10.61"},
        TotalCase{"decimal_four", SummaryKind::Decimal, 4, {1.23456, 1}, "2.2346"},
        TotalCase{"decimal_no_grouping", SummaryKind::Decimal, 2, {123456.5, 1000000}, "1123456.50"},
        TotalCase{"duration_below_a_day", SummaryKind::Duration, 0, {0.125, 0.0625}, "04:30"},
        TotalCase{"duration_one_day", SummaryKind::Duration, 0, {0.5, 0.75}, "1 dzień 06:00"},
        TotalCase{"duration_days", SummaryKind::Duration, 0, {1.5, 1.5, 0.25}, "3 dni 06:00"},
        TotalCase{"duration_times", SummaryKind::Duration, 0, {QTime(1, 30), QTime(23, 45)}, "1 dzień 01:15"},
        TotalCase{"duration_rounds_to_whole_day", SummaryKind::Duration, 0, {0.99999}, "1 dzień 00:00"},
        TotalCase{"not_summed", SummaryKind::None, 0, {1, 2}, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ColumnTotal, KindFollowsTheFieldUnlessTheColumnSaysOtherwise)
{
    GridColumn column;
    column.displayFormat = ",0.000";
    EXPECT_EQ(ColumnTotal::forColumn(column, QMetaType::Int).kind(), SummaryKind::Integer);
    ColumnTotal decimal = ColumnTotal::forColumn(column, QMetaType::Double);
    EXPECT_EQ(decimal.kind(), SummaryKind::Decimal);
    decimal.add(1.5);
    EXPECT_EQ(decimal.text(QLocale::c(), {}), "1.500");
    EXPECT_EQ(ColumnTotal::forColumn(column, QMetaType::QString).kind(), SummaryKind::None);
    column.summary = SummaryKind::Duration;
    EXPECT_EQ(ColumnTotal::forColumn(column, QMetaType::Double).kind(), SummaryKind::Duration);
    column.checkBox = true;
    EXPECT_EQ(ColumnTotal::forColumn(column, QMetaType::Int).kind(), SummaryKind::None);
}

// ---- cell texts --------------------------------------------------------------------

struct FormatCase
{
    const char *name;
    QVariant value;
    QMetaType::Type type;
    const char *format;
    const char *expected;
};

std::ostream &operator<<(std::ostream &out, const FormatCase &c)
{
    return out << c.name;
}

class FormatValueCase : public testing::TestWithParam<FormatCase>
{};

TEST_P(FormatValueCase, ShowsTheValueAsFormatted)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(formatValue(c.value, c.type, QString::fromLatin1(c.format), QLocale::c()),
              QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FormatValueCase,
    testing::Values(FormatCase{"grouped_two", 1234567.5, QMetaType::Double, ",0.00", "1,234,567.50"},
                    FormatCase{"plain_two", 1234.5, QMetaType::Double, "#0.00", "1234.50"},
                    FormatCase{"grouped_four", 1234.56789, QMetaType::Double, ",0.0000", "1,234.5679"},
                    FormatCase{"grouped_none", 1234.6, QMetaType::Double, ",0", "1,235"},
                    FormatCase{"integer_with_decimals", 7, QMetaType::Int, ",0.00", "7.00"},
                    FormatCase{"no_format", 2.5, QMetaType::Double, "", "2.5"},
                    FormatCase{"date", QDate(2024, 3, 5), QMetaType::QDate, "dd.MM.yyyy", "05.03.2024"},
                    FormatCase{"date_time", QDateTime(QDate(2024, 3, 5), QTime(7, 8)), QMetaType::QDateTime,
                               "dd.MM.yyyy HH:mm", "05.03.2024 07:08"},
                    FormatCase{"null", QVariant(), QMetaType::Double, ",0.00", ""},
                    FormatCase{"text_ignores_number_format", QString("abc"), QMetaType::QString, ",0.00", "abc"}),
    [](const auto &info) { return std::string(info.param.name); });

class OneLineCase : public testing::TestWithParam<std::pair<const char *, const char *>>
{};

TEST_P(OneLineCase, LineBreaksBecomeOneBlank)
{
    EXPECT_EQ(oneLine(QString::fromLatin1(GetParam().first)), QString::fromLatin1(GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(Texts, OneLineCase,
                         testing::Values(std::pair{"ab", "ab"}, std::pair{"a\r\nb", "a b"}, std::pair{"a\nb", "a b"},
                                         std::pair{"a \nb", "a b"}, std::pair{"a\n b", "a b"},
                                         std::pair{"a \r\n b", "a b"}, std::pair{"a\nb\nc", "a b c"},
                                         std::pair{"a  b", "a  b"}));

// ---- palette -----------------------------------------------------------------------

class PaletteTest : public testing::Test
{
protected:
    void SetUp() override { host::resetVariables(); }
    void TearDown() override
    {
        host::resetVariables();
        host::setPaletaStala(false);
    }
};

TEST_F(PaletteTest, WindowsColourValuesAreBlueGreenRed)
{
    EXPECT_EQ(ListPalette::fromTColor(0x4123CE), QColor(0xCE, 0x23, 0x41));
    EXPECT_EQ(ListPalette::fixed().markedTitleBackground, QColor(0xCE, 0x23, 0x41));
    EXPECT_EQ(ListPalette::fixed().evenRowBackground, QColor(0xE1, 0xE4, 0xEA));
}

TEST_F(PaletteTest, HostVariablesUnlessThePaletteIsFixed)
{
    ASSERT_TRUE(host::var::ListaKolorZaznaczone.set(0x0000FF));
    ASSERT_TRUE(host::var::ListaKolorNiezaznaczonyPom.set(0x00FF00));
    host::setPaletaStala(false);
    const ListPalette fromHost = ListPalette::current();
    EXPECT_EQ(fromHost.selectedBackground, QColor(Qt::red));
    EXPECT_EQ(fromHost.evenRowBackground, QColor(Qt::green));
    EXPECT_EQ(fromHost.cellText, ListPalette::fixed().cellText);
    host::setPaletaStala(true);
    EXPECT_EQ(ListPalette::current(), ListPalette::fixed());
}

} // namespace
