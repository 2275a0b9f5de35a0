#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <tuple>

using db::DataSet;
using db::DbError;

namespace {

// Where the rows come from: the typed column stores of a query, or the
// value stores of an in-memory list; filter and sort must agree on both.
enum class Source { Memory, SQLite };

const char *const Columns[] = {"id", "nazwa", "miasto", "kwota", "kod", "data"};

std::vector<std::vector<QVariant>> sampleRows()
{
    auto at = [](int m, int d, int h, int mi) { return QVariant(QDateTime(QDate(2026, m, d), QTime(h, mi))); };
    return {
        {1, QStringLiteral("Alfa"), QStringLiteral("Łódź"), 10.5, QStringLiteral("10"), at(5, 1, 10, 0)},
        {2, QStringLiteral("O'Brien"), QStringLiteral("Gdańsk"), 0.0, QStringLiteral("9"), at(5, 15, 0, 0)},
        {3, QStringLiteral("beta"), QStringLiteral("łódź"), -3.0, QStringLiteral("abc"), QVariant()},
        {4, QVariant(), QStringLiteral("Warszawa"), QVariant(), QStringLiteral("010"), at(6, 1, 12, 30)},
        {5, QStringLiteral("Żabka"), QStringLiteral("ŁÓDŹ"), 100.0, QVariant(),
         QVariant(QDateTime(QDate(2025, 12, 31), QTime(23, 59)))},
        {6, QStringLiteral("ąbc"), QVariant(), 10.5, QStringLiteral("2.5"), at(5, 15, 23, 0)},
    };
}

class SampleData
{
public:
    explicit SampleData(Source source)
        : m_source(source)
    {}

    DataSet &open()
    {
        if (m_source == Source::Memory) {
            m_dataSet = std::make_unique<DataSet>();
            const QMetaType::Type types[] = {QMetaType::Int,    QMetaType::QString, QMetaType::QString,
                                             QMetaType::Double, QMetaType::QString, QMetaType::QDateTime};
            QList<db::FieldDef> fields;
            for (int i = 0; i < 6; ++i)
                fields.append(db::FieldDef{QString::fromUtf8(Columns[i]), types[i]});
            m_dataSet->openFromRows(fields, sampleRows());
            return *m_dataSet;
        }
        m_scratch = std::make_unique<testsupport::ScratchDatabase>(db::Engine::SQLite);
        db::Connection &c = m_scratch->connection();
        c.execute(
            QStringLiteral("create table f (id integer primary key, nazwa text collate PL, miasto text collate PL,"
                           " kwota real, kod text, data timestamp)"));
        db::Query insert(&c, QStringLiteral("insert into f values (:id, :nazwa, :miasto, :kwota, :kod, :data)"));
        for (const auto &row : sampleRows()) {
            for (int i = 0; i < 6; ++i)
                insert.parameters().setValue(QString::fromUtf8(Columns[i]), row[size_t(i)]);
            insert.exec();
        }
        auto query = std::make_unique<db::Query>(&c, QStringLiteral("select * from f order by id"));
        query->open();
        m_dataSet = std::move(query);
        return *m_dataSet;
    }

private:
    Source m_source;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<DataSet> m_dataSet;
};

std::string sourceName(Source s)
{
    return s == Source::Memory ? "Memory" : "SQLite";
}

void PrintTo(Source s, std::ostream *os)
{
    *os << sourceName(s);
}

} // namespace

// ---- filter expressions -------------------------------------------------------------

struct FilterCase
{
    const char *expression;
    std::vector<int> ids;
};

void PrintTo(const FilterCase &c, std::ostream *os)
{
    *os << '"' << c.expression << '"';
}

class FilterExpression : public testing::TestWithParam<std::tuple<FilterCase, Source>>
{};

TEST_P(FilterExpression, SelectsRows)
{
    const auto &[c, source] = GetParam();
    SampleData data(source);
    DataSet &ds = data.open();
    ds.setFilter(QString::fromUtf8(c.expression));
    EXPECT_EQ(dbtest::visibleIds(ds), c.ids) << c.expression;
    EXPECT_EQ(ds.filter(), QString::fromUtf8(c.expression));
    EXPECT_EQ(ds.recNo(), c.ids.empty() ? 0 : 1);
}

const FilterCase filterCases[] = {
    {"id = 3", {3}},
    {"ID=3", {3}},
    {"[id] <> 3", {1, 2, 4, 5, 6}},
    {"id < 0 and id > 0", {}},
    {"id > 1 AND id <= 4", {2, 3, 4}},
    {"id = 1 or id = 6", {1, 6}},
    {"(id = 1 or id = 2) and kwota > 5", {1}},
    {"id = 1 or id = 2 and kwota > 50", {1}},
    {"kwota > 50 and id = 5 or id = 1", {1, 5}},
    {"((id = 2)) or (miasto = 'gdańsk' and id = 6)", {2}},
    {"miasto = 'łódź'", {1, 3, 5}},
    {"miasto = 'ŁÓDŹ'", {1, 3, 5}},
    {"miasto <> 'łódź'", {2, 4}},
    {"miasto >= 'Ł'", {1, 3, 4, 5}},
    {"nazwa > 'b'", {2, 3, 5}},
    {"nazwa = 'O''Brien'", {2}},
    {"nazwa like '%''%'", {2}},
    {"nazwa like 'a%'", {1}},
    {"nazwa LIKE 'Ą*'", {6}},
    {"nazwa like '%b%'", {2, 3, 5, 6}},
    {"nazwa like '*KA'", {5}},
    {"nazwa like 'b_ta'", {}},
    {"nazwa like 'beta'", {3}},
    {"nazwa = null", {4}},
    {"nazwa <> NULL", {1, 2, 3, 5, 6}},
    {"nazwa is null", {4}},
    {"miasto is not null and id < 3", {1, 2}},
    {"kwota = 10.5", {1, 6}},
    {"kwota = '10.5'", {1, 6}},
    {"kwota >= 0", {1, 2, 5, 6}},
    {"kwota < -2.5", {3}},
    {"kod = 10", {1, 4}},
    {"kod > 9", {1, 4}},
    {"kod = 2.5", {6}},
    {"kod = '010'", {4}},
    {"data >= #2026-05-15#", {2, 4, 6}},
    {"data < #2026-05-15#", {1, 5}},
    {"data = #15.05.2026#", {2}},
    {"data > '2026-05-15 12:00'", {4, 6}},
    {"data = null", {3}},
};

INSTANTIATE_TEST_SUITE_P(Cases, FilterExpression,
                         testing::Combine(testing::ValuesIn(filterCases),
                                          testing::Values(Source::Memory, Source::SQLite)),
                         [](const testing::TestParamInfo<std::tuple<FilterCase, Source>> &info) {
                             return std::to_string(info.index / 2) + "_" + sourceName(std::get<1>(info.param));
                         });

struct MalformedFilter
{
    const char *expression;
    const char *problem;
    int position;
};

void PrintTo(const MalformedFilter &c, std::ostream *os)
{
    *os << '"' << c.expression << '"';
}

class FilterMalformed : public testing::TestWithParam<MalformedFilter>
{};

TEST_P(FilterMalformed, ThrowsAndKeepsPreviousFilter)
{
    const MalformedFilter &c = GetParam();
    SampleData data(Source::Memory);
    DataSet &ds = data.open();
    ds.setFilter(QStringLiteral("id > 4"));
    try {
        ds.setFilter(QString::fromUtf8(c.expression));
        FAIL() << "accepted " << c.expression;
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.problem))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("position %1").arg(c.position))) << e.message().toStdString();
    }
    EXPECT_EQ(ds.filter(), QStringLiteral("id > 4"));
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 6}));
}

INSTANTIATE_TEST_SUITE_P(Cases, FilterMalformed,
                         testing::Values(MalformedFilter{"id = ", "expected a value", 6},
                                         MalformedFilter{"id 3", "expected an operator", 4},
                                         MalformedFilter{"(id = 1", "missing ')'", 8},
                                         MalformedFilter{"id = 1)", "unbalanced ')'", 7},
                                         MalformedFilter{"brak = 1", "unknown field 'brak'", 1},
                                         MalformedFilter{"id = 1 and", "expected a field name", 11},
                                         MalformedFilter{"and id = 1", "expected a field name", 1},
                                         MalformedFilter{"nazwa = 'abc", "unterminated quoted text", 9},
                                         MalformedFilter{"id == 1", "unknown operator", 4},
                                         MalformedFilter{"nazwa like 5", "LIKE needs a quoted pattern", 12},
                                         MalformedFilter{"id > null", "NULL can only be compared", 6},
                                         MalformedFilter{"data = #2026-13-45#", "malformed date", 8},
                                         MalformedFilter{"id = 1 id = 2", "unexpected 'id'", 8},
                                         MalformedFilter{"[id = 1", "unterminated field name", 1},
                                         MalformedFilter{"id = 1.2.3", "malformed number", 6},
                                         MalformedFilter{"id = 1 & id = 2", "unexpected character '&'", 8}));

TEST(FilterBeforeOpen, AppliesOnOpenAndEmptyTextRemovesIt)
{
    DataSet ds;
    ds.setFilter(QStringLiteral("id >= 5"));
    EXPECT_THROW(ds.setFilter(QStringLiteral("id >")), DbError);
    EXPECT_EQ(ds.filter(), QStringLiteral("id >= 5"));
    ds.openFromRows({db::FieldDef{QStringLiteral("id"), QMetaType::Int}}, {{4}, {5}, {6}});
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 6}));
    ds.setFilter(QStringLiteral("  "));
    EXPECT_EQ(ds.recordCount(), 3);
}

// ---- sort strings -----------------------------------------------------------------

struct SortCase
{
    const char *sort;
    std::vector<int> ids;
};

void PrintTo(const SortCase &c, std::ostream *os)
{
    *os << '"' << c.sort << '"';
}

class SortString : public testing::TestWithParam<std::tuple<SortCase, Source>>
{};

TEST_P(SortString, OrdersRows)
{
    const auto &[c, source] = GetParam();
    SampleData data(source);
    DataSet &ds = data.open();
    ds.setSort(QString::fromUtf8(c.sort));
    EXPECT_EQ(dbtest::visibleIds(ds), c.ids) << c.sort;
}

const SortCase sortCases[] = {
    {"", {1, 2, 3, 4, 5, 6}},
    {"nazwa", {4, 1, 6, 3, 2, 5}},
    {"nazwa DESC", {5, 2, 3, 6, 1, 4}},
    {"miasto asc", {6, 2, 1, 3, 5, 4}},
    {"miasto, id desc", {6, 2, 5, 3, 1, 4}},
    {"MIASTO Desc , ID", {4, 1, 3, 5, 2, 6}},
    {"[kwota] desc, id", {5, 1, 6, 2, 3, 4}},
    {"KWOTA ASC", {4, 3, 2, 1, 6, 5}},
    {"data", {3, 5, 1, 2, 6, 4}},
    {"kod", {5, 4, 1, 6, 2, 3}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SortString,
                         testing::Combine(testing::ValuesIn(sortCases),
                                          testing::Values(Source::Memory, Source::SQLite)),
                         [](const testing::TestParamInfo<std::tuple<SortCase, Source>> &info) {
                             return std::to_string(info.index / 2) + "_" + sourceName(std::get<1>(info.param));
                         });

class SortMalformed : public testing::TestWithParam<const char *>
{};

TEST_P(SortMalformed, ThrowsAndKeepsPreviousSort)
{
    SampleData data(Source::Memory);
    DataSet &ds = data.open();
    ds.setSort(QStringLiteral("id desc"));
    EXPECT_THROW(ds.setSort(QString::fromUtf8(GetParam())), DbError);
    EXPECT_EQ(ds.sort(), QStringLiteral("id desc"));
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{6, 5, 4, 3, 2, 1}));
}

INSTANTIATE_TEST_SUITE_P(Cases, SortMalformed,
                         testing::Values("nazwa ascending", "nazwa,", ",id", "[nazwa", "brak", "nazwa asc desc",
                                         "id desc x", "[] asc"));

TEST(SortStability, EqualKeysKeepFetchedOrderOverManyRows)
{
    std::vector<std::vector<QVariant>> rows;
    const QString groups[] = {QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("B")};
    for (int i = 0; i < 1000; ++i)
        rows.push_back({i, groups[i % 4]});
    DataSet ds;
    ds.openFromRows(
        {db::FieldDef{QStringLiteral("id"), QMetaType::Int}, db::FieldDef{QStringLiteral("g"), QMetaType::QString}},
        rows);
    ds.setSort(QStringLiteral("g"));
    const std::vector<int> ids = dbtest::visibleIds(ds);
    ASSERT_EQ(ids.size(), 1000u);
    for (size_t i = 1; i < 500; ++i)
        EXPECT_LT(ids[i - 1], ids[i]) << "a and A form one group in fetched order";
    for (size_t i = 501; i < 1000; ++i)
        EXPECT_LT(ids[i - 1], ids[i]);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[500], 0);
}
