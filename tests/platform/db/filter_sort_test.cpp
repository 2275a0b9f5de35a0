#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"

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
        {1, "Alfa", "Łódź", 10.5, "10", at(5, 1, 10, 0)},
        {2, "O'Brien", "Gdańsk", 0.0, "9", at(5, 15, 0, 0)},
        {3, "beta", "łódź", -3.0, "abc", QVariant()},
        {4, QVariant(), "Warszawa", QVariant(), "010", at(6, 1, 12, 30)},
        {5, "Żabka", "ŁÓDŹ", 100.0, QVariant(), QVariant(QDateTime(QDate(2025, 12, 31), QTime(23, 59)))},
        {6, "ąbc", QVariant(), 10.5, "2.5", at(5, 15, 23, 0)},
    };
}

// The sample rows in a data set of their own, or fetched from SQLite.
class SampleData
{
public:
    explicit SampleData(Source source)
    {
        if (source == Source::Memory) {
            const QMetaType::Type types[] = {QMetaType::Int,    QMetaType::QString, QMetaType::QString,
                                             QMetaType::Double, QMetaType::QString, QMetaType::QDateTime};
            QList<db::FieldDef> fields;
            for (int i = 0; i < 6; ++i)
                fields.append(db::FieldDef{Columns[i], types[i]});
            m_dataSet = std::make_unique<DataSet>();
            m_dataSet->openFromRows(fields, sampleRows());
            return;
        }
        m_scratch = std::make_unique<testsupport::ScratchDatabase>(db::Engine::SQLite);
        db::Connection &c = m_scratch->connection();
        c.execute("create table f (id integer primary key, nazwa text collate PL, miasto text collate PL,"
                  " kwota real, kod text, data timestamp)");
        db::Query insert(&c, "insert into f values (:id, :nazwa, :miasto, :kwota, :kod, :data)");
        for (const auto &row : sampleRows()) {
            for (int i = 0; i < 6; ++i)
                insert.parameters().setValue(Columns[i], row[size_t(i)]);
            insert.exec();
        }
        m_dataSet = std::make_unique<db::Query>(&c, "select * from f order by id");
        static_cast<db::Query &>(*m_dataSet).open();
    }
    DataSet &open() { return *m_dataSet; }

private:
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<DataSet> m_dataSet;
};

using Case = std::pair<const char *, std::vector<int>>;

} // namespace

class FilterSortTest : public testing::TestWithParam<Source>
{};

// The phrase search writes "like '%phrase%'", in which % and * match any run and _ only itself.
TEST_P(FilterSortTest, FilterExpressionsSelectRows)
{
    const Case cases[] = {Case{"ID=3", {3}},
                          Case{"[id] <> 3", {1, 2, 4, 5, 6}},
                          Case{"id > 1 AND id <= 4", {2, 3, 4}},
                          Case{"(id = 1 or id = 2) and kwota > 5", {1}},
                          Case{"id = 1 or id = 2 and kwota > 50", {1}},
                          Case{"kwota > 50 and id = 5 or id = 1", {1, 5}},
                          Case{"((id = 2)) or (miasto = 'gdańsk' and id = 6)", {2}},
                          Case{"miasto = 'łódź'", {1, 3, 5}},
                          Case{"miasto <> 'łódź'", {2, 4}},
                          Case{"miasto >= 'Ł'", {1, 3, 4, 5}},
                          Case{"nazwa > 'b'", {2, 3, 5}},
                          Case{"nazwa = 'O''Brien'", {2}},
                          Case{"nazwa like 'a%'", {1}},
                          Case{"nazwa LIKE 'Ą*'", {6}},
                          Case{"nazwa like '%b%'", {2, 3, 5, 6}},
                          Case{"nazwa like '*KA'", {5}},
                          Case{"nazwa like 'b_ta'", {}},
                          Case{"nazwa like 'beta'", {3}},
                          Case{"nazwa like '%o''B%' or miasto like '%Ń%'", {2}},
                          Case{"nazwa like '%ŻAB%' or miasto like '%ódź%'", {1, 3, 5}},
                          Case{"nazwa like '%b_t%' or nazwa like '%b*t%'", {3}},
                          Case{"nazwa like '%b%c%'", {6}},
                          Case{"nazwa like '%' and kod like '%0%'", {1}},
                          Case{"data like '%2026-05-1%'", {2, 6}},
                          Case{"nazwa = null", {4}},
                          Case{"nazwa <> NULL", {1, 2, 3, 5, 6}},
                          Case{"nazwa is null", {4}},
                          Case{"miasto is not null and id < 3", {1, 2}},
                          Case{"kwota = 10.5", {1, 6}},
                          Case{"kwota = '10.5'", {1, 6}},
                          Case{"kwota < -2.5", {3}},
                          Case{"kod = 10", {1, 4}},
                          Case{"kod = 2.5", {6}},
                          Case{"kod = '010'", {4}},
                          Case{"data >= #2026-05-15#", {2, 4, 6}},
                          Case{"data = #15.05.2026#", {2}},
                          Case{"data > '2026-05-15 12:00'", {4, 6}},
                          Case{"data = null", {3}}};
    SampleData data(GetParam());
    DataSet &ds = data.open();
    for (const auto &[expression, ids] : cases) {
        ds.setFilter(expression);
        EXPECT_EQ(dbtest::visibleIds(ds), ids) << expression;
        EXPECT_EQ(ds.filter(), expression);
        EXPECT_EQ(ds.recNo(), ids.empty() ? 0 : 1) << expression;
    }
}

TEST_P(FilterSortTest, SortStringsOrderRows)
{
    const Case cases[] = {Case{"", {1, 2, 3, 4, 5, 6}},
                          Case{"nazwa", {4, 1, 6, 3, 2, 5}},
                          Case{"nazwa DESC", {5, 2, 3, 6, 1, 4}},
                          Case{"miasto, id desc", {6, 2, 5, 3, 1, 4}},
                          Case{"MIASTO Desc , ID", {4, 1, 3, 5, 2, 6}},
                          Case{"[kwota] desc, id", {5, 1, 6, 2, 3, 4}},
                          Case{"KWOTA ASC", {4, 3, 2, 1, 6, 5}},
                          Case{"data", {3, 5, 1, 2, 6, 4}},
                          Case{"kod", {5, 4, 1, 6, 2, 3}}};
    SampleData data(GetParam());
    DataSet &ds = data.open();
    for (const auto &[sort, ids] : cases) {
        ds.setSort(sort);
        EXPECT_EQ(dbtest::visibleIds(ds), ids) << sort;
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, FilterSortTest, testing::Values(Source::Memory, Source::SQLite),
                         [](const auto &info) { return info.param == Source::Memory ? "Memory" : "SQLite"; });

TEST(FilterMalformed, FilterOrSortThrowsAndKeepsThePreviousOneWhichAppliesOnOpen)
{
    using Case = std::tuple<const char *, const char *, int>;
    const std::string deep = std::string(101, '(') + "id = 1" + std::string(101, ')');
    const Case cases[] = {Case{"id = ", "expected a value", 6},
                          {deep.c_str(), "more than 100 nested '('", 101},
                          {"id 3", "expected an operator", 4},
                          {"(id = 1", "missing ')'", 8},
                          {"id = 1)", "unbalanced ')'", 7},
                          {"brak = 1", "unknown field 'brak'", 1},
                          {"id = 1 and", "expected a field name", 11},
                          {"and id = 1", "expected a field name", 1},
                          {"nazwa = 'abc", "unterminated quoted text", 9},
                          {"nazwa like '%2", "nazwa like '%2\": unterminated quoted text", 12},
                          {"id == 1", "unknown operator", 4},
                          {"nazwa like 5", "LIKE needs a quoted pattern", 12},
                          {"id > null", "NULL can only be compared", 6},
                          {"data = #2026-13-45#", "malformed date", 8},
                          {"id = 1 id = 2", "unexpected 'id'", 8},
                          {"[id = 1", "unterminated field name", 1},
                          {"id = 1.2.3", "malformed number", 6},
                          {"id = 1 & id = 2", "unexpected character '&'", 8}};
    SampleData data(Source::Memory);
    DataSet &ds = data.open();
    ds.setFilter("id > 4");
    for (const auto &[expression, problem, position] : cases) {
        try {
            ds.setFilter(expression);
            ADD_FAILURE() << "accepted " << expression;
        } catch (const DbError &e) {
            EXPECT_TRUE(e.message().contains(problem)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString("position %1").arg(position))) << e.message().toStdString();
        }
    }
    EXPECT_EQ(ds.filter(), "id > 4");
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{5, 6}));
    ds.setFilter(QString());

    ds.setSort("id desc");
    for (const char *sort :
         {"nazwa ascending", "nazwa,", ",id", "[nazwa", "brak", "nazwa asc desc", "id desc x", "[] asc"})
        EXPECT_THROW(ds.setSort(sort), DbError) << sort;
    EXPECT_EQ(ds.sort(), "id desc");
    EXPECT_EQ(dbtest::visibleIds(ds), (std::vector<int>{6, 5, 4, 3, 2, 1}));

    // A filter set before opening applies on open, and blank text removes it.
    DataSet unopened;
    unopened.setFilter("id >= 5");
    EXPECT_THROW(unopened.setFilter("id >"), DbError);
    EXPECT_EQ(unopened.filter(), "id >= 5");
    unopened.openFromRows({db::FieldDef{"id", QMetaType::Int}}, {{4}, {5}, {6}});
    EXPECT_EQ(dbtest::visibleIds(unopened), (std::vector<int>{5, 6}));
    unopened.setFilter("  ");
    EXPECT_EQ(unopened.recordCount(), 3);
}

TEST(SortStability, EqualKeysKeepFetchedOrderOverManyRows)
{
    std::vector<std::vector<QVariant>> rows;
    const QString groups[] = {"b", "A", "a", "B"};
    for (int i = 0; i < 1000; ++i)
        rows.push_back({i, groups[i % 4]});
    DataSet ds;
    ds.openFromRows({db::FieldDef{"id", QMetaType::Int}, db::FieldDef{"g", QMetaType::QString}}, rows);
    ds.setSort("g");
    const std::vector<int> ids = dbtest::visibleIds(ds);
    ASSERT_EQ(ids.size(), 1000u);
    for (size_t i = 1; i < 500; ++i)
        EXPECT_LT(ids[i - 1], ids[i]) << "a and A form one group in fetched order";
    for (size_t i = 501; i < 1000; ++i)
        EXPECT_LT(ids[i - 1], ids[i]);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[500], 0);
}

// Thousands of names that never repeat make the name column stop keeping a
// dictionary while the city column keeps one; both answer as the database does.
// Names alike past their first 24 letters, or but for letter case, sort as
// the database's collation has them; numbers as wide as they come, too.
TEST(TextStores, RepeatingAndDistinctTextAnswerAsTheDatabase)
{
    testsupport::ScratchDatabase scratch(db::Engine::SQLite);
    db::Connection &c = scratch.connection();
    c.execute("create table f (id integer primary key, nazwa text, miasto text, data date, szeroka integer)");
    c.execute("with recursive n(i) as (select 1 union all select i + 1 from n where i < 6000) insert into f"
              " select i, case when i % 1000 = 0 then null when i % 3 = 0 then 'firma ' || (6000 - i)"
              " when i % 3 = 1 then 'Przedsiębiorstwo Spedycyjne ' || (i / 3)"
              " else 'PRZEDSIĘBIORSTWO SPEDYCYJNE ' || (i / 3) end,"
              " case i % 4 when 0 then 'Łódź' when 1 then 'łódź' when 2 then null else 'Gdańsk' end,"
              " case when i % 3 = 0 then null else date('2026-01-01', '+' || (i % 500) || ' days') end,"
              " i * 7919 % 1000 * 100003 from n");
    db::Query ds(&c, "select * from f order by id");
    ds.open();
    for (const int id : {1, 1000, 4096, 4097, 5999}) {
        const QVariant nazwa = ds.valueAt(id - 1, ds.fieldIndex("nazwa"));
        EXPECT_EQ(nazwa, dbtest::scalar(c, "select nazwa from f where id = :id", {{"id", id}})) << id;
        EXPECT_EQ(nazwa.isNull(), id % 1000 == 0) << id;
    }
    const std::pair<const char *, const char *> sorts[] = {{"nazwa", "order by nazwa collate PL, id"},
                                                           {"miasto desc", "order by lower(miasto) desc, id"},
                                                           {"data", "order by data, id"},
                                                           {"szeroka desc", "order by szeroka desc, id"}};
    for (const auto &[sort, order] : sorts) {
        ds.setSort(sort);
        EXPECT_EQ(dbtest::visibleIds(ds), dbtest::ids(c, QString("select id from f ") + order)) << sort;
    }
    ds.setSort("id");
    const std::pair<const char *, const char *> filters[] = {
        {"miasto = 'łódź' and nazwa like 'firma 1%'", "lower(miasto) = 'łódź' and nazwa like 'firma 1%'"},
        {"nazwa = 'firma 1233' or miasto = null", "nazwa = 'firma 1233' or miasto is null"},
        {"data >= #2027-05-01#", "data >= '2027-05-01'"}};
    for (const auto &[filter, where] : filters) {
        ds.setFilter(filter);
        EXPECT_EQ(dbtest::visibleIds(ds), dbtest::ids(c, QString("select id from f where %1 order by id").arg(where)))
            << filter;
    }
}
