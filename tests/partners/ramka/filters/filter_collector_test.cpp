#include "ramka/filters/filter_collector.h"

#include "filters_test_rows.h"
#include "host_funcs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace partners;
using filterstest::visibleIds;
using Change = TFilterCollector::ListChange;

namespace {

const TComboFiltr::Labels Labels = TComboFiltr::Labels::from(filterstest::bareKey);

QStringList texts(const QList<TComboFiltr::Entry> &entries)
{
    QStringList result;
    for (const TComboFiltr::Entry &e : entries)
        result.append(e.text);
    return result;
}

// Six companies: city and kind, one without a city.
class ColumnFilters : public testing::Test
{
protected:
    void SetUp() override
    {
        const QList<db::FieldDef> fields{{QStringLiteral("id"), QMetaType::Int},
                                         {QStringLiteral("miasto"), QMetaType::QString},
                                         {QStringLiteral("typ"), QMetaType::QString},
                                         {QStringLiteral("nazwa"), QMetaType::QString}};
        std::vector<std::vector<QVariant>> rows{
            {1, QStringLiteral("Kraków"), QStringLiteral("A"), QStringLiteral("Alfa")},
            {2, QStringLiteral("Kraków"), QStringLiteral("B"), QStringLiteral("Beta")},
            {3, QStringLiteral("Gdańsk"), QStringLiteral("A"), QStringLiteral("Gamma")},
            {4, QStringLiteral("Gdańsk"), QStringLiteral("C"), QStringLiteral("Delta")},
            {5, QVariant(), QStringLiteral("B"), QStringLiteral("Epsilon")},
            {6, QStringLiteral("Warszawa"), QStringLiteral("C"), QStringLiteral("Zeta")},
        };
        dataSet.openFromRows(fields, std::move(rows));
        for (const char *field : {"id", "miasto", "typ", "nazwa"})
            collector.addFilter(QString::fromLatin1(field));
        collector.apply(dataSet);
    }

    // Opens a column's list, leaves only `keep` checked and closes it.
    Change keepOnly(const char *field, const QStringList &keep)
    {
        const int index = collector.indexOf(QString::fromLatin1(field));
        collector.prepareList(dataSet, index);
        TComboFiltr &filter = collector.filter(index);
        filter.uncheckAllOffered();
        for (const QString &value : keep)
            filter.setChecked(value, true);
        return collector.listClosed(dataSet, index);
    }

    QStringList offered(const char *field)
    {
        const int index = collector.indexOf(QString::fromLatin1(field));
        collector.prepareList(dataSet, index);
        return collector.filter(index).offeredValues();
    }

    int orderOf(const char *field) { return collector.filter(collector.indexOf(QString::fromLatin1(field))).order(); }

    db::DataSet dataSet;
    TFilterCollector collector;
};

TEST_F(ColumnFilters, ListStartsWithCheckAllEntriesAndShowsEmptyValues)
{
    EXPECT_EQ(texts(collector.entries(dataSet, collector.indexOf(QStringLiteral("miasto")), Labels)),
              (QStringList{QStringLiteral("(Zaznacz_wszystko)"), QStringLiteral("(Odznacz_wszystko)"),
                           QStringLiteral("(Puste)"), QStringLiteral("Gdańsk"), QStringLiteral("Kraków"),
                           QStringLiteral("Warszawa")}));
    EXPECT_FALSE(collector.anyActive());
}

TEST_F(ColumnFilters, EmptyValuesCanBeFilteredOnTheirOwn)
{
    EXPECT_EQ(keepOnly("miasto", {QString()}), Change::Activated);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{5}));
}

TEST_F(ColumnFilters, AFilterActivatedFirstNarrowsTheValuesOfTheNext)
{
    ASSERT_EQ(keepOnly("miasto", {QStringLiteral("Kraków")}), Change::Activated);
    EXPECT_EQ(orderOf("miasto"), 1);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{1, 2}));
    EXPECT_TRUE(collector.anyActive());

    EXPECT_EQ(offered("typ"), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    ASSERT_EQ(keepOnly("typ", {QStringLiteral("A")}), Change::Activated);
    EXPECT_EQ(orderOf("typ"), 2);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{1}));

    EXPECT_EQ(offered("miasto"),
              (QStringList{QString(), QStringLiteral("Gdańsk"), QStringLiteral("Kraków"), QStringLiteral("Warszawa")}))
        << "the first filter is not narrowed by a later one";
    EXPECT_EQ(offered("nazwa"), QStringList{QStringLiteral("Alfa")}) << "an inactive filter offers the shown rows";
}

TEST_F(ColumnFilters, ReclosingAnActiveFilterMovesItToTheEnd)
{
    keepOnly("miasto", {QStringLiteral("Kraków"), QStringLiteral("Gdańsk")});
    keepOnly("typ", {QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{1, 2, 3}));

    EXPECT_EQ(keepOnly("miasto", {QStringLiteral("Gdańsk")}), Change::MovedToEnd);
    EXPECT_EQ(orderOf("typ"), 1);
    EXPECT_EQ(orderOf("miasto"), 2);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{3}));
    EXPECT_EQ(offered("miasto"), (QStringList{QString(), QStringLiteral("Gdańsk"), QStringLiteral("Kraków")}))
        << "now narrowed by the kind filter before it";
}

TEST_F(ColumnFilters, CheckingEverythingSwitchesTheFilterOffAndRenumbers)
{
    keepOnly("miasto", {QStringLiteral("Kraków"), QStringLiteral("Gdańsk")});
    keepOnly("typ", {QStringLiteral("A")});
    keepOnly("nazwa", {QStringLiteral("Alfa")});
    ASSERT_EQ(collector.activeCount(), 3);

    const int miasto = collector.indexOf(QStringLiteral("miasto"));
    collector.prepareList(dataSet, miasto);
    for (const TComboFiltr::Entry &entry : collector.filter(miasto).entries(Labels)) {
        if (entry.kind == TComboFiltr::Entry::Kind::CheckAll)
            collector.filter(miasto).click(entry);
    }
    EXPECT_EQ(collector.listClosed(dataSet, miasto), Change::Deactivated);
    EXPECT_EQ(orderOf("miasto"), 0);
    EXPECT_EQ(orderOf("typ"), 1);
    EXPECT_EQ(orderOf("nazwa"), 2);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{1}));
}

TEST_F(ColumnFilters, UncheckingEverythingSwitchesTheFilterOffWithAllChecked)
{
    keepOnly("typ", {QStringLiteral("C")});
    EXPECT_EQ(keepOnly("typ", {}), Change::Deactivated);
    EXPECT_EQ(dataSet.recordCount(), 6);
    const int typ = collector.indexOf(QStringLiteral("typ"));
    collector.prepareList(dataSet, typ);
    EXPECT_EQ(collector.filter(typ).checkedOfferedCount(), 3);
}

TEST_F(ColumnFilters, OpeningAndClosingWithoutChangeKeepsAnInactiveFilterOff)
{
    const int typ = collector.indexOf(QStringLiteral("typ"));
    collector.prepareList(dataSet, typ);
    EXPECT_EQ(collector.listClosed(dataSet, typ), Change::None);
    EXPECT_FALSE(collector.anyActive());
}

TEST_F(ColumnFilters, RemovingAllShowsEveryRowAndRechecksValues)
{
    keepOnly("miasto", {QStringLiteral("Kraków")});
    keepOnly("typ", {QStringLiteral("B")});
    collector.removeAll(&dataSet);
    EXPECT_FALSE(collector.anyActive());
    EXPECT_EQ(dataSet.recordCount(), 6);
    EXPECT_EQ(offered("miasto").size(), 4);
    const int miasto = collector.indexOf(QStringLiteral("miasto"));
    EXPECT_EQ(collector.filter(miasto).checkedOfferedCount(), 4);
}

TEST_F(ColumnFilters, PhraseAndColumnFiltersCombine)
{
    collector.setPhrase(QStringLiteral("(nazwa like '%ta%' )"), QStringLiteral("ta"));
    collector.apply(dataSet);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{2, 4, 6}));
    EXPECT_EQ(offered("typ"), (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
    keepOnly("typ", {QStringLiteral("C")});
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{4, 6}));
}

TEST_F(ColumnFilters, FiltersSurviveAReopen)
{
    keepOnly("miasto", {QStringLiteral("Gdańsk")});
    const QList<db::FieldDef> fields{{QStringLiteral("id"), QMetaType::Int},
                                     {QStringLiteral("miasto"), QMetaType::QString},
                                     {QStringLiteral("typ"), QMetaType::QString},
                                     {QStringLiteral("nazwa"), QMetaType::QString}};
    std::vector<std::vector<QVariant>> rows{
        {7, QStringLiteral("Gdańsk"), QStringLiteral("A"), QStringLiteral("Eta")},
        {8, QStringLiteral("Kraków"), QStringLiteral("A"), QStringLiteral("Theta")},
    };
    dataSet.openFromRows(fields, std::move(rows));
    collector.markAllForRebuild();
    collector.apply(dataSet);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{7}));
}

TEST_F(ColumnFilters, SortIsGivenToTheDataSetAndAnUnknownOneDropped)
{
    QTemporaryDir logDir;
    host::setLogFilePath(logDir.filePath(QStringLiteral("host.log")));
    collector.setSort(QStringLiteral("nazwa DESC,id DESC"));
    collector.apply(dataSet);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{6, 3, 5, 4, 2, 1}));

    collector.setSort(QStringLiteral("brak ASC"));
    collector.apply(dataSet);
    EXPECT_TRUE(collector.sort().isEmpty());
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(QFile::exists(logDir.filePath(QStringLiteral("host.log"))));
    host::setLogFilePath(QString());
}

TEST_F(ColumnFilters, DerivedFrameTestRejectsRowsAndHearsOfTheResult)
{
    int notified = 0;
    collector.setRowAcceptor(
        [](const db::DataSet &ds, db::Bookmark row) { return ds.valueAt(row, 0).toInt() % 2 == 0; },
        [&notified] { ++notified; });
    collector.apply(dataSet);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{2, 4, 6}));
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(offered("miasto"),
              (QStringList{QStringLiteral("Gdańsk"), QStringLiteral("Kraków"), QStringLiteral("Warszawa")}))
        << "rejected rows offer no values";

    collector.setRowAcceptor([](const db::DataSet &, db::Bookmark) { return false; });
    collector.apply(dataSet);
    EXPECT_EQ(dataSet.recordCount(), 0);
}

TEST_F(ColumnFilters, ASelectionColumnFiltersByItsOwnValues)
{
    const QSet<int> selected{2, 3};
    TComboFiltr &selection = collector.addFilter(
        QStringLiteral("czy_zaznaczono_ramka"), [&selected](const db::DataSet &ds, db::Bookmark row) {
            return selected.contains(ds.valueAt(row, 0).toInt()) ? QStringLiteral("1") : QStringLiteral("0");
        });
    EXPECT_TRUE(selection.hasValueSource());
    EXPECT_EQ(keepOnly("czy_zaznaczono_ramka", {QStringLiteral("1")}), Change::Activated);
    EXPECT_EQ(visibleIds(dataSet), (std::vector<int>{2, 3}));
}

TEST_F(ColumnFilters, FiltersFollowAMovedColumn)
{
    collector.moveFilter(collector.indexOf(QStringLiteral("nazwa")), 0);
    EXPECT_EQ(collector.filter(0).field(), QStringLiteral("nazwa"));
    EXPECT_EQ(collector.filter(1).field(), QStringLiteral("id"));
}

// ---- a large list ----------------------------------------------------------------------

TEST(ColumnFiltersOnManyRows, KeepExactlyTheRowsWithACheckedValue)
{
    constexpr int rowCount = 100000;
    const QList<db::FieldDef> fields{{QStringLiteral("id"), QMetaType::Int},
                                     {QStringLiteral("kod"), QMetaType::QString},
                                     {QStringLiteral("grupa"), QMetaType::Int}};
    std::vector<std::vector<QVariant>> rows;
    rows.reserve(rowCount);
    for (int i = 0; i < rowCount; ++i)
        rows.push_back({i + 1, QStringLiteral("K%1").arg(i % 50, 2, 10, QLatin1Char('0')), i % 7});
    db::DataSet dataSet;
    dataSet.openFromRows(fields, std::move(rows));

    TFilterCollector collector;
    collector.addFilter(QStringLiteral("kod"));
    collector.addFilter(QStringLiteral("grupa"));
    collector.apply(dataSet);
    collector.prepareList(dataSet, 0);
    ASSERT_EQ(collector.filter(0).offeredCount(), 50);
    collector.filter(0).uncheckAllOffered();
    for (const char *kod : {"K03", "K17", "K42"})
        collector.filter(0).setChecked(QString::fromLatin1(kod), true);

    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(collector.listClosed(dataSet, 0), Change::Activated);
    const qint64 elapsed = timer.elapsed();
    RecordProperty("apply_ms", int(elapsed));

    ASSERT_EQ(dataSet.recordCount(), 3 * rowCount / 50);
    const int kod = dataSet.fieldIndex(QStringLiteral("kod"));
    for (int i = 0; i < dataSet.recordCount(); ++i) {
        const QString value = dataSet.valueAt(dataSet.bookmarkAt(i), kod).toString();
        ASSERT_TRUE(value == QLatin1String("K03") || value == QLatin1String("K17") || value == QLatin1String("K42"))
            << value.toStdString();
    }
    collector.prepareList(dataSet, 1);
    EXPECT_EQ(collector.filter(1).offeredCount(), 7);
}

} // namespace
