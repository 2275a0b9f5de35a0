#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"

#include <QCoreApplication>
#include <tuple>

using db::DataSet;
using db::DbError;
using db::FieldDef;

namespace {

FieldDef field(const char *name, QMetaType::Type type)
{
    FieldDef f;
    f.name = QString::fromUtf8(name);
    f.type = type;
    return f;
}

// id, nazwa: (1 Alfa) (2 Łódź Sp.) (3 beta) (4 null) (5 ŁÓDKA)
void openCompanies(DataSet &ds)
{
    std::vector<std::vector<QVariant>> rows = {
        {1, "Alfa"}, {2, "Łódź Sp."}, {3, "beta"}, {4, QVariant()}, {5, "ŁÓDKA"}};
    ds.openFromRows({field("id", QMetaType::Int), field("nazwa", QMetaType::QString)}, std::move(rows));
}

// Records the signals of a data set in order.
struct SignalLog
{
    std::vector<std::string> events;

    explicit SignalLog(DataSet &ds)
    {
        QObject::connect(&ds, &DataSet::beforeOpen, [this](DataSet *) { events.push_back("beforeOpen"); });
        QObject::connect(&ds, &DataSet::afterOpen, [this](DataSet *) { events.push_back("afterOpen"); });
        QObject::connect(&ds, &DataSet::afterScroll, [this](DataSet *) { events.push_back("afterScroll"); });
        QObject::connect(&ds, &DataSet::afterClose, [this](DataSet *) { events.push_back("afterClose"); });
        QObject::connect(&ds, &DataSet::rowsReset, [this]() { events.push_back("rowsReset"); });
        QObject::connect(&ds, &DataSet::currentRowChanged,
                         [this](int row) { events.push_back("row" + std::to_string(row)); });
    }
    std::vector<std::string> take() { return std::exchange(events, {}); }
};

using Events = std::vector<std::string>;

} // namespace

// ---- navigation -----------------------------------------------------------------

// Loops visit every row once and the row number clamps; an empty or closed set has no current row.
TEST(DataSetNavigation, LoopsRowNumbersAndEmptyOrClosedSets)
{
    DataSet ds;
    EXPECT_THROW(ds.value(0), DbError);
    ds.openFromRows({field("id", QMetaType::Int)}, {});
    EXPECT_TRUE(ds.isActive());
    EXPECT_TRUE(ds.isEmpty());
    EXPECT_TRUE(ds.bof());
    EXPECT_TRUE(ds.eof());
    EXPECT_EQ(ds.recNo(), 0);
    EXPECT_EQ(ds.bookmark(), -1);
    ds.next();
    ds.last();
    EXPECT_TRUE(ds.eof());
    EXPECT_THROW(ds.value(0), DbError);

    openCompanies(ds);
    std::vector<int> seen;
    for (ds.first(); !ds.eof(); ds.next())
        seen.push_back(ds.value("id").toInt());
    EXPECT_EQ(ds.recNo(), 5);
    for (ds.last(); !ds.bof(); ds.prior())
        seen.push_back(ds.value("id").toInt());
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 5, 4, 3, 2, 1}));
    EXPECT_EQ(ds.recNo(), 1);
    ds.setRecNo(3);
    EXPECT_EQ(ds.value(0).toInt(), 3);
    EXPECT_FALSE(ds.bof());
    EXPECT_FALSE(ds.eof());
    ds.setRecNo(99);
    EXPECT_EQ(ds.recNo(), 5);
    ds.setRecNo(-1);
    EXPECT_EQ(ds.recNo(), 1);
    EXPECT_THROW(ds.value("missing"), DbError);
    EXPECT_THROW(ds.value(7), DbError);
    EXPECT_THROW(ds.valueAt(5, 0), DbError);
    EXPECT_THROW(ds.locate("brak", 1), DbError);
    EXPECT_EQ(ds.fieldIndex("NAZWA"), 1);
    EXPECT_FALSE(ds.hasField("nazw"));
    ds.close();
    EXPECT_FALSE(ds.isActive());
    EXPECT_EQ(ds.recordCount(), 0);
    EXPECT_EQ(ds.fieldCount(), 0);
    EXPECT_THROW(ds.value(0), DbError);
}

// ---- bookmarks ------------------------------------------------------------------

TEST(DataSetBookmarks, StableAcrossSortFilterAndBookmarkFilter)
{
    DataSet ds;
    openCompanies(ds);
    ds.setRecNo(3);
    const db::Bookmark beta = ds.bookmark();
    ds.setSort("id desc");
    EXPECT_EQ(ds.bookmark(), beta) << "sort keeps the current row";
    EXPECT_EQ(ds.visibleIndexOf(beta), 2);
    ds.first();
    EXPECT_TRUE(ds.gotoBookmark(beta));
    EXPECT_EQ(ds.value("nazwa").toString(), "beta");

    ds.setFilter("id > 3");
    EXPECT_EQ(ds.visibleIndexOf(beta), -1);
    EXPECT_FALSE(ds.gotoBookmark(beta));
    EXPECT_EQ(ds.valueAt(beta, 1).toString(), "beta") << "hidden rows stay readable";
    EXPECT_EQ(ds.bookmarkAt(99), -1);

    ds.setFilter(QString());
    ds.setSort(QString());
    ds.setBookmarkFilter({0, 2, 4});
    EXPECT_TRUE(ds.hasBookmarkFilter());
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{1, 3, 5}));
    ds.setFilter("id >= 3");
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{3, 5}));
    ds.setSort("id desc");
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 3}));
    ds.clearBookmarkFilter();
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 4, 3}));
    ds.setBookmarkFilter({});
    EXPECT_TRUE(ds.isEmpty());

    ds.setBookmarkFilter({0, 1});
    openCompanies(ds); // drops the bookmark filter, keeps expression and sort
    EXPECT_FALSE(ds.hasBookmarkFilter());
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 4, 3}));
}

// ---- locate ---------------------------------------------------------------------

TEST(DataSetLocate, FindsFirstMatchingVisibleRowOrStays)
{
    // field, value, partial, case insensitive, the id found (0: none)
    using Case = std::tuple<const char *, QVariant, bool, bool, int>;
    const Case cases[] = {
        {"nazwa", "BETA", false, true, 3}, {"nazwa", "BETA", false, false, 0},    {"nazwa", "łódka", false, true, 5},
        {"nazwa", "łód", false, true, 0},  {"nazwa", "łód", true, true, 2},       {"nazwa", "Łódź", true, false, 2},
        {"nazwa", "łódź", true, false, 0}, {"nazwa", QVariant(), false, true, 4}, {"id", 3, false, true, 3},
        {"id", 4.0, false, true, 4},       {"id", "04", false, true, 4},          {"id", 9, false, true, 0}};
    DataSet ds;
    openCompanies(ds);
    for (const auto &[field, value, partial, caseInsensitive, expectedId] : cases) {
        SCOPED_TRACE(std::string(field) + " " + value.toString().toStdString());
        ds.setRecNo(2);
        const bool found = ds.locate(field, value, db::LocateOptions{partial, caseInsensitive});
        EXPECT_EQ(found, expectedId != 0);
        EXPECT_EQ(ds.value("id").toInt(), found ? expectedId : 2) << "a failed locate does not move";
    }
}

// ---- calculated fields ------------------------------------------------------------

TEST(DataSetCalculated, FilledOncePerRowAndUsableInFilterAndSort)
{
    DataSet ds;
    ds.addCalculatedField("dlugosc", QMetaType::Int);
    int calls = 0;
    ds.setOnCalcFields([&calls](DataSet &set, db::Bookmark row) {
        ++calls;
        const QVariant name = set.valueAt(row, set.fieldIndex("nazwa"));
        set.setValueAt(row, set.fieldIndex("dlugosc"),
                       name.isNull() ? QVariant() : QVariant(int(name.toString().size())));
    });
    openCompanies(ds);
    EXPECT_EQ(calls, 5);
    ASSERT_EQ(ds.fieldCount(), 3);
    EXPECT_EQ(ds.fieldDef(2).kind, db::FieldKind::Calculated);
    EXPECT_EQ(ds.value("dlugosc").toInt(), 4);

    ds.setFilter("dlugosc >= 5");
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{2, 5}));
    ds.setFilter(QString());
    ds.setSort("dlugosc desc, id");
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{2, 5, 1, 3, 4}));

    openCompanies(ds);
    EXPECT_EQ(calls, 10) << "reopening computes them again";
}

// ---- events -------------------------------------------------------------------------

TEST(DataSetEvents, OrderOnOpenMoveCloseAndWithDisabledControls)
{
    DataSet ds;
    SignalLog log(ds);
    openCompanies(ds);
    EXPECT_EQ(log.take(), (Events{"rowsReset", "afterOpen", "afterScroll"}));
    ds.next();
    EXPECT_EQ(log.take(), (Events{"row1", "afterScroll"}));
    ds.last();
    ds.next();
    EXPECT_EQ(log.take(), (Events{"row4", "afterScroll"})) << "next at the end only sets eof";
    ds.setFilter("id < 3");
    EXPECT_EQ(log.take(), (Events{"rowsReset", "afterScroll"}));
    ds.close();
    EXPECT_EQ(log.take(), (Events{"rowsReset", "afterClose"}));

    // Views whose controls are disabled hear one reset at the end.
    openCompanies(ds);
    log.take();
    ds.disableControls();
    ds.enableControls();
    EXPECT_TRUE(log.take().empty()) << "nothing changed, nothing to tell";
    ds.disableControls();
    ds.disableControls();
    ds.next();
    ds.setSort("id desc");
    ds.setFilter("id > 1");
    EXPECT_TRUE(ds.controlsDisabled());
    EXPECT_EQ(log.take(), (Events{"afterScroll", "afterScroll", "afterScroll"})) << "views hear nothing";
    ds.enableControls();
    EXPECT_TRUE(log.take().empty()) << "still disabled once";
    ds.enableControls();
    EXPECT_EQ(log.take(), Events{"rowsReset"});
    ds.enableControls();
    EXPECT_FALSE(ds.controlsDisabled());
}

// ---- display text -----------------------------------------------------------------

TEST(DataSetDisplayText, FormatsValuesByType)
{
    const std::tuple<QVariant, QMetaType::Type, const char *> cases[] = {
        {QVariant(), QMetaType::Int, ""},
        {qlonglong(-9000000000LL), QMetaType::LongLong, "-9000000000"},
        {3.0, QMetaType::Double, "3"},
        {0.1, QMetaType::Double, "0.1"},
        {1e15, QMetaType::Double, "1000000000000000"},
        {true, QMetaType::Bool, "1"},
        {false, QMetaType::Bool, "0"},
        {QDate(2026, 5, 15), QMetaType::QDate, "2026-05-15"},
        {QDateTime(QDate(2026, 5, 15), QTime(8, 5)), QMetaType::QDateTime, "2026-05-15 08:05:00"},
        {QTime(8, 5, 7), QMetaType::QTime, "08:05:07"}};
    for (const auto &[value, type, text] : cases)
        EXPECT_EQ(DataSet::displayTextOf(value, type), QString::fromUtf8(text)) << text;
}

// ---- data from the engines --------------------------------------------------------

class DataSetEngineTest : public testsupport::EngineTest
{};

TEST_P(DataSetEngineTest, ColumnsKeepTheirTypesAndIsoTextReadsAsDates)
{
    db::Query q(&connection(),
                QString("select 1 + 1 as n, 2.5 as d, 'x' || 'y' as s, null as z"
                        " union all select null, null, null, null"));
    SignalLog log(q);
    q.open();
    EXPECT_EQ(log.take(), (Events{"beforeOpen", "rowsReset", "afterOpen", "afterScroll"}));
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.value("n").toInt(), 2);
    EXPECT_DOUBLE_EQ(q.value("d").toDouble(), 2.5);
    EXPECT_EQ(q.value("s").toString(), "xy");
    EXPECT_TRUE(q.value("z").isNull());
    q.next();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(q.value(i).isNull()) << i;
    EXPECT_EQ(q.displayText(0), QString());

    connection().execute("create table d (id integer primary key, dt timestamp, dd date, tt time)");
    connection().execute(
        QString("insert into d values (1, '2026-05-15 10:20:30', '2026-05-16', '08:05:07'),"
                " (2, '2026-05-15T07:00:00.250', '2026-05-17', '23:59:59.500'), (3, null, null, null)"));
    q.setCommandText("select * from d order by id");
    q.open();
    EXPECT_EQ(q.value("dt").toDateTime(), QDateTime(QDate(2026, 5, 15), QTime(10, 20, 30)));
    EXPECT_EQ(q.value("dd").toDate(), QDate(2026, 5, 16));
    EXPECT_EQ(q.value("tt").toTime(), QTime(8, 5, 7));
    EXPECT_EQ(q.displayText("dt"), "2026-05-15 10:20:30");
    q.next();
    EXPECT_EQ(q.value("dt").toDateTime(), QDateTime(QDate(2026, 5, 15), QTime(7, 0, 0, 250)));
    EXPECT_EQ(q.value("tt").toTime(), QTime(23, 59, 59, 500));
    q.setFilter("dt >= #2026-05-15 08:00#");
    EXPECT_EQ(dbtest::visibleIds(q), std::vector<int>{1});
    q.setFilter(QString());
    q.setSort("dt");
    EXPECT_EQ(dbtest::visibleIds(q), (std::vector<int>{3, 2, 1}));
    if (connection().engine() == db::Engine::SQLite) {
        // A cell of a date column that holds no date reads as its text.
        connection().execute("insert into d values (4, 'soon', null, null)");
        q.setSort("id");
        q.open();
        EXPECT_EQ(q.value("dt").toDateTime(), QDateTime(QDate(2026, 5, 15), QTime(10, 20, 30)));
        q.last();
        EXPECT_EQ(q.value("dt"), QVariant(QString("soon")));
    }
}

// Read in chunks, a result ends with the rows of a whole read, whatever needs
// every row before the last chunk: a sort, a filter, a locate, another
// statement on the connection, a reopen.
TEST_P(DataSetEngineTest, ChunkedOpenEndsWithTheRowsOfAWholeRead)
{
    connection().execute("create table n (id integer primary key, k integer, t varchar(20))");
    connection().execute("with recursive s(i) as (select 1 union all select i + 1 from s where i < 2000)"
                         " insert into n select i, case when i % 97 = 0 then null else (i * 7919) % 1000 end,"
                         " 'r' || i from s");
    const QString sql = "select id, k, t from n order by id";
    db::Query whole(&connection(), sql);
    whole.open();
    const auto rowsOf = [](DataSet &ds) { return std::make_pair(dbtest::visibleIds(ds), dbtest::column(ds, "t")); };
    db::Query q(&connection(), sql);
    q.setFetchInChunks(true, 100);
    int appended = 0;
    int complete = 0;
    QObject::connect(&q, &DataSet::rowsAppended, [&](int first, int last) { appended += last - first + 1; });
    QObject::connect(&q, &DataSet::fetchComplete, [&] { ++complete; });
    const auto openMidFetch = [&] {
        q.open();
        EXPECT_TRUE(q.isFetching());
    };
    const auto toTheEnd = [&] {
        while (q.isFetching())
            QCoreApplication::processEvents();
    };

    openMidFetch();
    EXPECT_EQ(q.recordCount(), 100);
    toTheEnd();
    EXPECT_EQ(appended, 1900);
    EXPECT_EQ(complete, 1);
    EXPECT_EQ(rowsOf(q), rowsOf(whole));

    openMidFetch();
    q.setSort("k desc, id");
    whole.setSort("k desc, id");
    EXPECT_EQ(rowsOf(q), rowsOf(whole));
    // The sort stays: the rows come in fetched order and are sorted at the last chunk.
    openMidFetch();
    EXPECT_EQ(dbtest::visibleIds(q).back(), 100);
    toTheEnd();
    EXPECT_EQ(rowsOf(q), rowsOf(whole));

    openMidFetch();
    q.setFilter("k < 100");
    whole.setFilter("k < 100");
    EXPECT_EQ(rowsOf(q), rowsOf(whole));
    // A kept filter reads the next open whole: no row shows unfiltered.
    q.open();
    EXPECT_FALSE(q.isFetching());
    EXPECT_EQ(rowsOf(q), rowsOf(whole));
    q.setFilter(QString());
    whole.setFilter(QString());

    openMidFetch();
    EXPECT_TRUE(q.locate("t", "r1542"));
    EXPECT_EQ(q.value("id").toInt(), 1542);

    openMidFetch();
    openMidFetch();
    connection().execute("delete from n where id > 1000");
    EXPECT_FALSE(q.isFetching());
    EXPECT_EQ(rowsOf(q), rowsOf(whole));
    EXPECT_EQ(dbtest::scalar(connection(), "select count(*) from n").toInt(), 1000);
    EXPECT_EQ(complete, 6);

    // Columns joined by id from a side table that lacks most ids and gives
    // them in another order: the rows of the statement that joins them, after
    // first rows or without, finished by another statement or read whole.
    connection().execute("create table m (n_id integer, w varchar(10))");
    connection().execute("insert into m select id, 'w' || id from n where id % 3 = 0 order by id desc");
    const QString joinedSql = "select n.id, n.k, n.t, m.w from n left join m on m.n_id = n.id order by n.id";
    db::Query joined(&connection(), joinedSql);
    joined.open();
    const auto joinedRowsOf = [](DataSet &ds) {
        return std::make_pair(dbtest::visibleIds(ds), dbtest::column(ds, "w"));
    };
    q.setSort(QString());
    q.setJoinedColumns({"select n_id, w from m"}, "id");
    for (const QString &firstRows : {connection().dialect().limit(joinedSql, 100), QString()}) {
        q.setFirstRowsCommand(firstRows, "id");
        openMidFetch();
        toTheEnd();
        EXPECT_EQ(joinedRowsOf(q), joinedRowsOf(joined));
        openMidFetch();
        EXPECT_EQ(dbtest::scalar(connection(), "select count(*) from m").toInt(), 333);
        EXPECT_FALSE(q.isFetching());
        EXPECT_EQ(joinedRowsOf(q), joinedRowsOf(joined));
    }
    q.setFetchInChunks(false);
    q.open();
    EXPECT_EQ(joinedRowsOf(q), joinedRowsOf(joined));
}

MALVO_INSTANTIATE_FOR_ENGINES(DataSetEngineTest);
