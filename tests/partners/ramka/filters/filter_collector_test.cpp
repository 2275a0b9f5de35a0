#include "ramka/filters/filter_collector.h"

#include "filters_test_rows.h"
#include "host_funcs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;
using filterstest::visibleIds;
using Change = TFilterCollector::ListChange;
using Ids = std::vector<int>;

namespace {

const QList<db::FieldDef> Pola{
    {"id", QMetaType::Int}, {"miasto", QMetaType::QString}, {"typ", QMetaType::QString}, {"nazwa", QMetaType::QString}};

// Six companies: city and kind, one without a city.
class ColumnFilters : public testing::Test
{
protected:
    void SetUp() override
    {
        dataSet.openFromRows(Pola,
                             {{1, "Kraków", "A", "Alfa"},
                              {2, "Kraków", "B", "Beta"},
                              {3, "Gdańsk", "A", "Gamma"},
                              {4, "Gdańsk", "C", "Delta"},
                              {5, QVariant(), "B", "Epsilon"},
                              {6, "Warszawa", "C", "Zeta"}});
        for (const char *field : {"id", "miasto", "typ", "nazwa"})
            collector.addFilter(QString::fromLatin1(field));
        collector.apply(dataSet);
    }

    int index(const char *field) { return collector.indexOf(QString::fromLatin1(field)); }

    // Opens a column's list, leaves only `keep` checked and closes it.
    Change keepOnly(const char *field, const QStringList &keep)
    {
        collector.prepareList(dataSet, index(field));
        TComboFiltr &filter = collector.filter(index(field));
        filter.uncheckAllOffered();
        for (const QString &value : keep)
            filter.setChecked(value, true);
        return collector.listClosed(dataSet, index(field));
    }

    QStringList offered(const char *field)
    {
        collector.prepareList(dataSet, index(field));
        return collector.filter(index(field)).offeredValues();
    }

    int orderOf(const char *field) { return collector.filter(index(field)).order(); }

    db::DataSet dataSet;
    TFilterCollector collector;
};

TEST_F(ColumnFilters, ListStartsWithCheckAllEntriesAndEmptyValuesFilterOnTheirOwn)
{
    QStringList texts;
    for (const TComboFiltr::Entry &e :
         collector.entries(dataSet, index("miasto"), TComboFiltr::Labels::from(filterstest::bareKey)))
        texts << e.text;
    EXPECT_EQ(texts,
              (QStringList{"(Zaznacz_wszystko)", "(Odznacz_wszystko)", "(Puste)", "Gdańsk", "Kraków", "Warszawa"}));
    EXPECT_EQ(offered("id").size(), 6) << "numbers are values too";

    EXPECT_EQ(keepOnly("miasto", {QString()}), Change::Activated);
    EXPECT_EQ(visibleIds(dataSet), Ids{5});
}

TEST_F(ColumnFilters, AFilterActivatedFirstNarrowsTheValuesOfTheNext)
{
    ASSERT_EQ(keepOnly("miasto", {"Kraków"}), Change::Activated);
    EXPECT_EQ(orderOf("miasto"), 1);
    EXPECT_EQ(visibleIds(dataSet), (Ids{1, 2}));

    EXPECT_EQ(offered("typ"), (QStringList{"A", "B"}));
    ASSERT_EQ(keepOnly("typ", {"A"}), Change::Activated);
    EXPECT_EQ(orderOf("typ"), 2);
    EXPECT_EQ(visibleIds(dataSet), Ids{1});

    EXPECT_EQ(offered("miasto"), (QStringList{QString(), "Gdańsk", "Kraków", "Warszawa"}))
        << "the first filter is not narrowed by a later one";
    EXPECT_EQ(offered("nazwa"), QStringList{"Alfa"}) << "an inactive filter offers the shown rows";
}

TEST_F(ColumnFilters, ReclosingMovesAFilterToTheEndAndCheckingEverythingSwitchesItOff)
{
    keepOnly("nazwa", {"Alfa", "Beta", "Gamma", "Delta", "Epsilon"});
    keepOnly("miasto", {"Kraków", "Gdańsk"});
    keepOnly("typ", {"A", "B"});
    EXPECT_EQ(visibleIds(dataSet), (Ids{1, 2, 3}));

    EXPECT_EQ(keepOnly("miasto", {"Gdańsk"}), Change::MovedToEnd);
    EXPECT_EQ(orderOf("typ"), 2);
    EXPECT_EQ(orderOf("miasto"), 3);
    EXPECT_EQ(visibleIds(dataSet), Ids{3});
    EXPECT_EQ(offered("miasto"), (QStringList{QString(), "Gdańsk", "Kraków"}))
        << "now narrowed by the filters before it";

    const int typ = index("typ");
    collector.prepareList(dataSet, typ);
    for (const TComboFiltr::Entry &entry :
         collector.filter(typ).entries(TComboFiltr::Labels::from(filterstest::bareKey)))
        if (entry.kind == TComboFiltr::Entry::Kind::CheckAll)
            collector.filter(typ).click(entry);
    EXPECT_EQ(collector.listClosed(dataSet, typ), Change::Deactivated);
    EXPECT_EQ(orderOf("typ"), 0);
    EXPECT_EQ(orderOf("nazwa"), 1);
    EXPECT_EQ(orderOf("miasto"), 2);
    EXPECT_EQ(visibleIds(dataSet), (Ids{3, 4}));
}

TEST_F(ColumnFilters, UncheckingEverythingOrRemovingAllShowsEveryRowWithAllChecked)
{
    collector.prepareList(dataSet, index("typ"));
    EXPECT_EQ(collector.listClosed(dataSet, index("typ")), Change::None) << "opened and closed without a change";
    EXPECT_FALSE(collector.anyActive());

    keepOnly("typ", {"C"});
    EXPECT_EQ(keepOnly("typ", {}), Change::Deactivated);
    EXPECT_EQ(dataSet.recordCount(), 6);
    collector.prepareList(dataSet, index("typ"));
    EXPECT_EQ(collector.filter(index("typ")).checkedOfferedCount(), 3);

    keepOnly("miasto", {"Kraków"});
    keepOnly("typ", {"B"});
    collector.removeAll(&dataSet);
    EXPECT_EQ(offered("miasto").size(), 4);
    EXPECT_EQ(collector.filter(index("miasto")).checkedOfferedCount(), 4);
}

TEST_F(ColumnFilters, PhraseAndColumnFiltersCombineAndSurviveAReopen)
{
    collector.setPhrase("(nazwa like '%ta%' )", "ta");
    collector.apply(dataSet);
    EXPECT_EQ(visibleIds(dataSet), (Ids{2, 4, 6}));
    EXPECT_EQ(offered("typ"), (QStringList{"B", "C"}));
    keepOnly("typ", {"C"});
    EXPECT_EQ(visibleIds(dataSet), (Ids{4, 6}));

    dataSet.openFromRows(Pola, {{7, "Gdańsk", "C", "Eta"}, {8, "Kraków", "B", "Theta"}, {9, "Kraków", "C", "Kappa"}});
    collector.markAllForRebuild();
    collector.apply(dataSet);
    EXPECT_EQ(visibleIds(dataSet), Ids{7});
}

TEST_F(ColumnFilters, SortIsGivenToTheDataSetAndAnUnknownOneDropped)
{
    QTemporaryDir logDir;
    host::setLogFilePath(logDir.filePath("host.log"));
    collector.setSort("nazwa DESC,id DESC");
    collector.apply(dataSet);
    EXPECT_EQ(visibleIds(dataSet), (Ids{6, 3, 5, 4, 2, 1}));

    collector.setSort("brak ASC");
    collector.apply(dataSet);
    EXPECT_TRUE(collector.sort().isEmpty());
    EXPECT_EQ(visibleIds(dataSet), (Ids{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(QFile::exists(logDir.filePath("host.log")));
    host::setLogFilePath(QString());
}

TEST_F(ColumnFilters, DerivedFrameTestRejectsRowsAndHearsOfTheResult)
{
    int notified = 0;
    collector.setRowAcceptor(
        [](const db::DataSet &ds, db::Bookmark row) { return ds.valueAt(row, 0).toInt() % 2 == 0; },
        [&notified] { ++notified; });
    collector.apply(dataSet);
    EXPECT_EQ(visibleIds(dataSet), (Ids{2, 4, 6}));
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(offered("miasto"), (QStringList{"Gdańsk", "Kraków", "Warszawa"})) << "rejected rows offer no values";

    collector.setRowAcceptor([](const db::DataSet &, db::Bookmark) { return false; });
    collector.apply(dataSet);
    EXPECT_EQ(dataSet.recordCount(), 0);
}

TEST_F(ColumnFilters, ASelectionColumnFiltersByItsOwnValuesAndFiltersFollowAMovedColumn)
{
    const QSet<int> selected{2, 3};
    collector.addFilter("czy_zaznaczono_ramka", [&selected](const db::DataSet &ds, db::Bookmark row) {
        return selected.contains(ds.valueAt(row, 0).toInt()) ? u"1"_s : u"0"_s;
    });
    EXPECT_EQ(keepOnly("czy_zaznaczono_ramka", {"1"}), Change::Activated);
    EXPECT_EQ(visibleIds(dataSet), (Ids{2, 3}));

    collector.moveFilter(index("nazwa"), 0);
    EXPECT_EQ(collector.filter(0).field(), "nazwa");
    EXPECT_EQ(collector.filter(1).field(), "id");
}

} // namespace
