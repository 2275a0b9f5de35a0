#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"

#include <QDateTime>
#include <gtest/gtest.h>

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
    std::vector<std::vector<QVariant>> rows = {{1, QStringLiteral("Alfa")},
                                               {2, QStringLiteral("Łódź Sp.")},
                                               {3, QStringLiteral("beta")},
                                               {4, QVariant()},
                                               {5, QStringLiteral("ŁÓDKA")}};
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

TEST(DataSetNavigation, ForwardLoopVisitsEveryRowOnce)
{
    DataSet ds;
    openCompanies(ds);
    std::vector<int> seen;
    for (ds.first(); !ds.eof(); ds.next())
        seen.push_back(ds.value(QStringLiteral("id")).toInt());
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(ds.recNo(), 5);
}

TEST(DataSetNavigation, BackwardLoopVisitsEveryRowOnce)
{
    DataSet ds;
    openCompanies(ds);
    std::vector<int> seen;
    for (ds.last(); !ds.bof(); ds.prior())
        seen.push_back(ds.value(QStringLiteral("id")).toInt());
    EXPECT_EQ(seen, (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(ds.recNo(), 1);
}

TEST(DataSetNavigation, SetRecNoClampsAndClearsBofEof)
{
    DataSet ds;
    openCompanies(ds);
    ds.setRecNo(3);
    EXPECT_EQ(ds.value(0).toInt(), 3);
    EXPECT_FALSE(ds.bof());
    EXPECT_FALSE(ds.eof());
    ds.setRecNo(99);
    EXPECT_EQ(ds.recNo(), 5);
    ds.setRecNo(-1);
    EXPECT_EQ(ds.recNo(), 1);
}

TEST(DataSetNavigation, EmptyResultIsBofAndEofWithoutCurrentRow)
{
    DataSet ds;
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
}

TEST(DataSetNavigation, FieldAccessErrors)
{
    DataSet ds;
    EXPECT_THROW(ds.value(0), DbError);
    openCompanies(ds);
    EXPECT_THROW(ds.value(QStringLiteral("missing")), DbError);
    EXPECT_THROW(ds.value(7), DbError);
    EXPECT_THROW(ds.valueAt(5, 0), DbError);
    EXPECT_EQ(ds.fieldIndex(QStringLiteral("NAZWA")), 1);
    EXPECT_FALSE(ds.hasField(QStringLiteral("nazw")));
    EXPECT_TRUE(ds.value(QStringLiteral("id")).isValid());
}

TEST(DataSetNavigation, CloseForgetsRows)
{
    DataSet ds;
    openCompanies(ds);
    ds.close();
    EXPECT_FALSE(ds.isActive());
    EXPECT_EQ(ds.recordCount(), 0);
    EXPECT_EQ(ds.fieldCount(), 0);
    EXPECT_THROW(ds.value(0), DbError);
}

// ---- bookmarks ------------------------------------------------------------------

TEST(DataSetBookmarks, StableAcrossSortAndFilter)
{
    DataSet ds;
    openCompanies(ds);
    ds.setRecNo(3);
    const db::Bookmark beta = ds.bookmark();
    ds.setSort(QStringLiteral("id desc"));
    EXPECT_EQ(ds.bookmark(), beta) << "sort keeps the current row";
    EXPECT_EQ(ds.visibleIndexOf(beta), 2);
    ds.first();
    EXPECT_TRUE(ds.gotoBookmark(beta));
    EXPECT_EQ(ds.value(QStringLiteral("nazwa")).toString(), QStringLiteral("beta"));

    ds.setFilter(QStringLiteral("id > 3"));
    EXPECT_EQ(ds.visibleIndexOf(beta), -1);
    EXPECT_FALSE(ds.gotoBookmark(beta));
    EXPECT_EQ(ds.valueAt(beta, 1).toString(), QStringLiteral("beta")) << "hidden rows stay readable";
    EXPECT_EQ(ds.bookmarkAt(99), -1);
}

TEST(DataSetBookmarks, BookmarkFilterCombinesWithExpression)
{
    DataSet ds;
    openCompanies(ds);
    ds.setBookmarkFilter({0, 2, 4});
    EXPECT_TRUE(ds.hasBookmarkFilter());
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{1, 3, 5}));
    ds.setFilter(QStringLiteral("id >= 3"));
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{3, 5}));
    ds.setSort(QStringLiteral("id desc"));
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 3}));
    ds.clearBookmarkFilter();
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 4, 3}));
    ds.setBookmarkFilter({});
    EXPECT_TRUE(ds.isEmpty());
}

TEST(DataSetBookmarks, ReopeningDropsTheBookmarkFilterButKeepsExpressionAndSort)
{
    DataSet ds;
    openCompanies(ds);
    ds.setBookmarkFilter({0, 1});
    ds.setFilter(QStringLiteral("id <> 2"));
    ds.setSort(QStringLiteral("id desc"));
    openCompanies(ds);
    EXPECT_FALSE(ds.hasBookmarkFilter());
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 4, 3, 1}));
}

// ---- locate ---------------------------------------------------------------------

struct LocateCase
{
    const char *field;
    QVariant value;
    bool partial;
    bool caseInsensitive;
    int expectedId; // 0 = not found
};

void PrintTo(const LocateCase &c, std::ostream *os)
{
    *os << c.field << " " << c.value.toString().toStdString() << (c.partial ? " partial" : "")
        << (c.caseInsensitive ? "" : " case-sensitive");
}

class DataSetLocate : public testing::TestWithParam<LocateCase>
{};

TEST_P(DataSetLocate, FindsFirstMatchingVisibleRow)
{
    const LocateCase &c = GetParam();
    DataSet ds;
    openCompanies(ds);
    ds.setRecNo(2);
    const bool found = ds.locate(QString::fromUtf8(c.field), c.value, db::LocateOptions{c.partial, c.caseInsensitive});
    EXPECT_EQ(found, c.expectedId != 0);
    if (found)
        EXPECT_EQ(ds.value(QStringLiteral("id")).toInt(), c.expectedId);
    else
        EXPECT_EQ(ds.recNo(), 2) << "a failed locate does not move";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataSetLocate,
    testing::Values(LocateCase{"nazwa", QStringLiteral("beta"), false, true, 3},
                    LocateCase{"nazwa", QStringLiteral("BETA"), false, true, 3},
                    LocateCase{"nazwa", QStringLiteral("BETA"), false, false, 0},
                    LocateCase{"nazwa", QStringLiteral("łódka"), false, true, 5},
                    LocateCase{"nazwa", QStringLiteral("łód"), false, true, 0},
                    LocateCase{"nazwa", QStringLiteral("łód"), true, true, 2},
                    LocateCase{"nazwa", QStringLiteral("ŁÓDK"), true, true, 5},
                    LocateCase{"nazwa", QStringLiteral("Łódź"), true, false, 2},
                    LocateCase{"nazwa", QStringLiteral("łódź"), true, false, 0},
                    LocateCase{"nazwa", QVariant(), false, true, 4}, LocateCase{"id", 3, false, true, 3},
                    LocateCase{"id", QStringLiteral("4"), false, true, 4}, LocateCase{"id", 4.0, false, true, 4},
                    LocateCase{"id", QStringLiteral("04"), false, true, 4}, LocateCase{"id", 9, false, true, 0}));

TEST(DataSetLocateUnknown, UnknownFieldThrows)
{
    DataSet ds;
    openCompanies(ds);
    EXPECT_THROW(ds.locate(QStringLiteral("brak"), 1), DbError);
}

// ---- calculated fields ------------------------------------------------------------

TEST(DataSetCalculated, FilledOncePerRowAndUsableInFilterAndSort)
{
    DataSet ds;
    ds.addCalculatedField(QStringLiteral("dlugosc"), QMetaType::Int);
    int calls = 0;
    ds.setOnCalcFields([&calls](DataSet &set, db::Bookmark row) {
        ++calls;
        const QVariant name = set.valueAt(row, set.fieldIndex(QStringLiteral("nazwa")));
        set.setValueAt(row, set.fieldIndex(QStringLiteral("dlugosc")),
                       name.isNull() ? QVariant() : QVariant(int(name.toString().size())));
    });
    openCompanies(ds);
    EXPECT_EQ(calls, 5);
    ASSERT_EQ(ds.fieldCount(), 3);
    EXPECT_EQ(ds.fieldDef(2).kind, db::FieldKind::Calculated);
    EXPECT_EQ(ds.value(QStringLiteral("dlugosc")).toInt(), 4);

    ds.setFilter(QStringLiteral("dlugosc >= 5"));
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{2, 5}));
    ds.setFilter(QString());
    ds.setSort(QStringLiteral("dlugosc desc, id"));
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{2, 5, 1, 3, 4}));

    openCompanies(ds);
    EXPECT_EQ(calls, 10) << "reopening computes them again";
}

// ---- events -------------------------------------------------------------------------

TEST(DataSetEvents, OrderOnOpenMoveAndClose)
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
    ds.setFilter(QStringLiteral("id < 3"));
    EXPECT_EQ(log.take(), (Events{"rowsReset", "afterScroll"}));
    ds.close();
    EXPECT_EQ(log.take(), (Events{"rowsReset", "afterClose"}));
}

TEST(DataSetEvents, DisabledControlsHearOneResetAtTheEnd)
{
    DataSet ds;
    openCompanies(ds);
    SignalLog log(ds);
    ds.disableControls();
    ds.disableControls();
    ds.next();
    ds.setSort(QStringLiteral("id desc"));
    ds.setFilter(QStringLiteral("id > 1"));
    EXPECT_TRUE(ds.controlsDisabled());
    EXPECT_EQ(log.take(), (Events{"afterScroll", "afterScroll", "afterScroll"})) << "views hear nothing";
    ds.enableControls();
    EXPECT_TRUE(log.take().empty()) << "still disabled once";
    ds.enableControls();
    EXPECT_EQ(log.take(), Events{"rowsReset"});
    ds.enableControls();
    EXPECT_FALSE(ds.controlsDisabled());
}

TEST(DataSetEvents, EnableWithoutChangesIsSilent)
{
    DataSet ds;
    openCompanies(ds);
    SignalLog log(ds);
    ds.disableControls();
    ds.enableControls();
    EXPECT_TRUE(log.take().empty());
}

TEST(DataSetEvents, QueryOpenStartsWithBeforeOpen)
{
    testsupport::ScratchDatabase scratch(db::Engine::SQLite);
    db::Query q(&scratch.connection(), QStringLiteral("select 1 as x"));
    SignalLog log(q);
    q.open();
    EXPECT_EQ(log.take(), (Events{"beforeOpen", "rowsReset", "afterOpen", "afterScroll"}));
}

// ---- display text -----------------------------------------------------------------

struct DisplayCase
{
    QVariant value;
    QMetaType::Type type;
    const char *text;
};

void PrintTo(const DisplayCase &c, std::ostream *os)
{
    *os << '"' << c.text << '"';
}

class DataSetDisplayText : public testing::TestWithParam<DisplayCase>
{};

TEST_P(DataSetDisplayText, FormatsValue)
{
    EXPECT_EQ(DataSet::displayTextOf(GetParam().value, GetParam().type), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Values, DataSetDisplayText,
    testing::Values(DisplayCase{QVariant(), QMetaType::Int, ""}, DisplayCase{42, QMetaType::Int, "42"},
                    DisplayCase{qlonglong(-9000000000LL), QMetaType::LongLong, "-9000000000"},
                    DisplayCase{12.5, QMetaType::Double, "12.5"}, DisplayCase{3.0, QMetaType::Double, "3"},
                    DisplayCase{0.1, QMetaType::Double, "0.1"},
                    DisplayCase{1e15, QMetaType::Double, "1000000000000000"}, DisplayCase{true, QMetaType::Bool, "1"},
                    DisplayCase{false, QMetaType::Bool, "0"},
                    DisplayCase{QDate(2026, 5, 15), QMetaType::QDate, "2026-05-15"},
                    DisplayCase{QDateTime(QDate(2026, 5, 15), QTime(8, 5)), QMetaType::QDateTime,
                                "2026-05-15 08:05:00"},
                    DisplayCase{QTime(8, 5, 7), QMetaType::QTime, "08:05:07"},
                    DisplayCase{QStringLiteral("Łódź"), QMetaType::QString, "Łódź"}));

// ---- data from the engines --------------------------------------------------------

class DataSetEngineTest : public testsupport::EngineTest
{};

TEST_P(DataSetEngineTest, ExpressionColumnsAndNullsKeepTheirTypes)
{
    db::Query q(&connection(),
                QStringLiteral("select 1 + 1 as n, 2.5 as d, 'x' || 'y' as s, null as z"
                               " union all select null, null, null, null"));
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.value(QStringLiteral("n")).toInt(), 2);
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("d")).toDouble(), 2.5);
    EXPECT_EQ(q.value(QStringLiteral("s")).toString(), QStringLiteral("xy"));
    EXPECT_TRUE(q.value(QStringLiteral("z")).isNull());
    q.next();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(q.value(i).isNull()) << i;
    EXPECT_EQ(q.displayText(0), QString());
}

TEST_P(DataSetEngineTest, IsoTextInDateColumnsReadsAsDates)
{
    connection().execute(QStringLiteral("create table d (id integer primary key, dt timestamp, dd date)"));
    connection().execute(QStringLiteral("insert into d values (1, '2026-05-15 10:20:30', '2026-05-16'),"
                                        " (2, '2026-05-15T07:00:00.250', '2026-05-17'), (3, null, null)"));
    db::Query q(&connection(), QStringLiteral("select * from d order by id"));
    q.open();
    EXPECT_EQ(q.value(QStringLiteral("dt")).toDateTime(), QDateTime(QDate(2026, 5, 15), QTime(10, 20, 30)));
    EXPECT_EQ(q.value(QStringLiteral("dd")).toDate(), QDate(2026, 5, 16));
    q.next();
    EXPECT_EQ(q.value(QStringLiteral("dt")).toDateTime(), QDateTime(QDate(2026, 5, 15), QTime(7, 0, 0, 250)));
    q.setFilter(QStringLiteral("dt >= #2026-05-15 08:00#"));
    EXPECT_EQ(dbtest::visibleIds(q), std::vector<int>{1});
    q.setFilter(QString());
    q.setSort(QStringLiteral("dt"));
    EXPECT_EQ(dbtest::visibleIds(q), (std::vector<int>{3, 2, 1}));
}

MALVO_INSTANTIATE_FOR_ENGINES(DataSetEngineTest);
