// Rules of the grid that need no window: sorting by titles, the incremental
// search buffer, the row selection, totals and cell texts. The kind of a
// column's total and the palette are checked through the window.
#include "column_totals.h"
#include "grid_column.h"
#include "incremental_search.h"
#include "row_selection.h"
#include "title_sort.h"

#include <QDate>
#include <gtest/gtest.h>
#include <tuple>

using namespace ui;

namespace {

// ---- sorting by titles -------------------------------------------------------------

// Toggling on one title and starting ascending on another are driven through
// the window in lista_grid_test; these are the rules it does not reach.
TEST(TitleSort, SortStringsOfTitleClicks)
{
    TitleSort sort;
    EXPECT_EQ(sort.click("Nazwa"), "Nazwa ASC,id ASC");
    EXPECT_EQ(sort.click("nazwa"), "nazwa DESC,id DESC") << "title names compare without case";
    EXPECT_EQ(sort.click("id"), "id ASC") << "the key column needs no tie break";
    EXPECT_EQ(sort.click("id"), "id DESC");
    sort.restore(QString());
    EXPECT_EQ(sort.click("nazwa"), "nazwa ASC,id ASC");
    sort.setTieBreakField(QString());
    EXPECT_EQ(sort.click("miasto"), "miasto ASC");

    sort = TitleSort(); // a mapped column sorts by its expressions
    sort.setMapping({"adres;miasto", "adres;ulica", "kod;kod_pocztowy"});
    EXPECT_EQ(sort.click("adres"), "miasto ASC, ulica ASC,id ASC");
    EXPECT_EQ(sort.click("adres"), "miasto DESC, ulica DESC,id DESC");
    EXPECT_EQ(sort.click("nazwa"), "nazwa ASC,id ASC");
    sort.restore("miasto ASC, ulica ASC,id ASC");
    EXPECT_EQ(sort.lastField(), "adres");
    EXPECT_EQ(sort.click("adres"), "miasto DESC, ulica DESC,id DESC");
}

// ---- incremental search ---------------------------------------------------------------

// Typing, dropping a letter without a match and Escape are driven through the
// window in lista_grid_test.
TEST(IncrementalSearch, BackspaceEnterAndControlKeys)
{
    const QStringList names{"Adam", "kamil", "Kot", "Kowal", "Zenon"};
    IncrementalSearch search;
    int row = -1;
    auto type = [&](const QString &text, int key) {
        return search.keyPress(key, text, [&](const QString &prefix) {
            for (int i = 0; i < names.size(); ++i)
                if (names.at(i).startsWith(prefix, Qt::CaseInsensitive)) {
                    row = i;
                    return true;
                }
            return false;
        });
    };
    using Outcome = IncrementalSearch::Outcome;
    const QString backspace(QChar(8));
    EXPECT_EQ(type("q", Qt::Key_Q), Outcome::Emptied) << "a first letter without a match";
    EXPECT_TRUE(search.buffer().isEmpty());
    EXPECT_EQ(row, -1);
    EXPECT_EQ(type(QString(QChar(1)), Qt::Key_A), Outcome::Ignored);
    EXPECT_EQ(type(QString(), Qt::Key_Shift), Outcome::Ignored);
    EXPECT_TRUE(search.buffer().isEmpty());
    type("k", Qt::Key_K);
    type("o", Qt::Key_O);
    EXPECT_EQ(type("\r", Qt::Key_Return), Outcome::Ignored);
    EXPECT_EQ(search.buffer(), "ko");
    EXPECT_EQ(type(backspace, Qt::Key_Backspace), Outcome::Found);
    EXPECT_EQ(search.buffer(), "k");
    EXPECT_EQ(row, 1);
    EXPECT_EQ(type(backspace, Qt::Key_Backspace), Outcome::Emptied);
    EXPECT_EQ(type(backspace, Qt::Key_Backspace), Outcome::Ignored);
}

// ---- selection ---------------------------------------------------------------------

RowKey key(qint64 id, const QString &guid = QString())
{
    return RowKey{id, guid};
}

TEST(RowSelection, FlagsCountGuidsAndTheClickAnchor)
{
    RowSelection selection;
    selection.registerKey(key(1), false);
    selection.registerKey(key(2), true);
    selection.registerKey(key(2), false); // already there: left alone
    selection.toggle(key(3));
    selection.select(key(1));
    EXPECT_EQ(selection.selectedCount(), 3);
    selection.toggle(key(2));
    EXPECT_EQ(selection.selectedCount(), 2);
    EXPECT_FALSE(selection.isSelected(key(2)));
    selection.clear();
    EXPECT_EQ(selection.selectedCount(), 0);
    EXPECT_EQ(selection.entries().size(), 3u); // entries stay, only flags reset
    selection.setAll();
    EXPECT_EQ(selection.selectedCount(), 3);

    selection.select(key(1, "a"));
    EXPECT_TRUE(selection.isSelected(key(1, "a")));
    EXPECT_FALSE(selection.isSelected(key(1, "b")));

    // The anchor of Shift and sticky clicks; plain, Ctrl and Shift clicks are driven through the window in
    // lista_grid_test.
    // Visible rows 0..9 carry ids 100..109.
    RowSelection clicked;
    QList<qint64> hidden;
    auto click = [&](int row, bool ctrl, bool shift, bool sticky = false) {
        clicked.click(
            row, ctrl, shift, sticky, [](int r) { return key(100 + r); },
            [&](const RowKey &k) { return hidden.contains(k.id) ? -1 : int(k.id - 100); });
    };
    click(6, false, false);
    click(8, true, false);
    click(9, false, true); // anchor moved to the Ctrl-clicked row
    EXPECT_EQ(clicked.selectedCount(), 3);
    EXPECT_TRUE(clicked.isSelected(key(109)));
    hidden << 106 << 108 << 109;
    click(3, false, true); // no visible anchor: only the clicked row
    EXPECT_EQ(clicked.selectedCount(), 4);
    EXPECT_TRUE(clicked.isSelected(key(103)));
    EXPECT_FALSE(clicked.isSelected(key(104)));
    click(4, false, false, true);
    EXPECT_EQ(clicked.selectedCount(), 4) << "a sticky plain click keeps the selection";
    ASSERT_TRUE(clicked.anchor().has_value());
    EXPECT_EQ(clicked.anchor()->id, 104);
}

// ---- totals ------------------------------------------------------------------------

TEST(ColumnTotal, SumsAndFormatsByKind)
{
    using Case = std::tuple<SummaryKind, int, QVariantList, const char *>;
    using K = SummaryKind;
    const Case cases[] = {Case{K::Integer, 0, {1, 2, QVariant(), qint64(3000000000LL)}, "3000000003"},
                          Case{K::Integer, 0, {}, "0"},
                          Case{K::Decimal, 2, {0.1, 0.2, 0.3, 10.005}, "10.61"},
                          Case{K::Decimal, 2, {123456.5, 1000000}, "1123456.50"}, // no grouping
                          Case{K::Duration, 0, {0.125, 0.0625}, "04:30"},
                          Case{K::Duration, 0, {0.5, 0.75}, "1 dzień 06:00"},
                          Case{K::Duration, 0, {1.5, 1.5, 0.25}, "3 dni 06:00"},
                          Case{K::Duration, 0, {QTime(1, 30), QTime(23, 45)}, "1 dzień 01:15"},
                          Case{K::Duration, 0, {0.99999}, "1 dzień 00:00"}}; // rounds to a whole day
    for (const auto &[kind, decimals, values, expected] : cases) {
        ColumnTotal total(kind, decimals);
        for (const QVariant &value : values)
            total.add(value);
        EXPECT_EQ(total.text(QLocale::c(), DayWords{"dzień", "dni"}), expected);
    }
}

// ---- cell texts --------------------------------------------------------------------

TEST(CellText, FormattedAndOnOneLine)
{
    using Case = std::tuple<QVariant, QMetaType::Type, const char *, const char *>;
    const Case cases[] = {
        Case{1234567.5, QMetaType::Double, ",0.00", "1,234,567.50"},
        Case{1234.5, QMetaType::Double, "#0.00", "1234.50"},
        Case{1234.56789, QMetaType::Double, ",0.0000", "1,234.5679"},
        Case{1234.6, QMetaType::Double, ",0", "1,235"},
        Case{7, QMetaType::Int, ",0.00", "7.00"},
        Case{2.5, QMetaType::Double, "", "2.5"},
        Case{QDate(2024, 3, 5), QMetaType::QDate, "dd.MM.yyyy", "05.03.2024"},
        Case{QDateTime(QDate(2024, 3, 5), QTime(7, 8)), QMetaType::QDateTime, "dd.MM.yyyy HH:mm", "05.03.2024 07:08"},
        Case{QVariant(), QMetaType::Double, ",0.00", ""},
        Case{QString("abc"), QMetaType::QString, ",0.00", "abc"}}; // text ignores a number format
    for (const auto &[value, type, format, expected] : cases)
        EXPECT_EQ(formatValue(value, type, format, QLocale::c()), expected) << expected;

    const char *const linesAndLine[][2] = {{"ab", "ab"}, {"a \r\n b", "a b"}, {"a\nb\nc", "a b c"}, {"a  b", "a  b"}};
    for (const auto &[lines, line] : linesAndLine)
        EXPECT_EQ(oneLine(lines), line);
}

} // namespace
