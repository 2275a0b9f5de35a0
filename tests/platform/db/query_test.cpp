#include "connection.h"
#include "db_error.h"
#include "db_test_util.h"
#include "dialect.h"
#include "query.h"
#include "scratch_database.h"

#include <QDateTime>
#include <gtest/gtest.h>

using db::Connection;
using db::DbError;
using db::Query;

// ---- placeholders (no database needed) -----------------------------------------

struct PlaceholderCase
{
    const char *sql;
    std::vector<const char *> names;
};

void PrintTo(const PlaceholderCase &c, std::ostream *os)
{
    *os << '"' << c.sql << '"';
}

class QueryPlaceholders : public testing::TestWithParam<PlaceholderCase>
{};

TEST_P(QueryPlaceholders, DerivesParameterNames)
{
    Query q;
    q.setCommandText(QString::fromUtf8(GetParam().sql));
    std::vector<std::string> names;
    for (const db::Parameter &p : q.parameters())
        names.push_back(p.name.toStdString());
    std::vector<std::string> expected(GetParam().names.begin(), GetParam().names.end());
    EXPECT_EQ(names, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QueryPlaceholders,
    testing::Values(PlaceholderCase{"select * from t where a = :a and b = :b", {"a", "b"}},
                    PlaceholderCase{"select * from t where a = :x or b = :X or c = :y", {"x", "y"}},
                    PlaceholderCase{"select ':no', 'it''s :no', \":no\" from t where a = :yes", {"yes"}},
                    PlaceholderCase{"select a::text, b::integer from t where c = :c::int", {"c"}},
                    PlaceholderCase{"select 1 -- where a = :comment\n, :after", {"after"}},
                    PlaceholderCase{"select /* :comment */ :a /* :b\n :c */", {"a"}},
                    PlaceholderCase{"select $$ :quoted $$, $tag$ :q $tag$, :real", {"real"}},
                    PlaceholderCase{"select '12:30' as t, :miasto_łódź", {"miasto_łódź"}},
                    PlaceholderCase{"select a[1:2] from t", {}},
                    PlaceholderCase{"insert into t (a) values (:a)", {"a"}}));

TEST(QueryCommand, NewTextKeepsValuesOfRemainingParameters)
{
    Query q;
    q.setCommandText(QStringLiteral("select * from t where a = :a and b = :b"));
    q.parameters().setValue(QStringLiteral("a"), 1);
    q.parameters().setValue(QStringLiteral("b"), QStringLiteral("x"));
    q.setCommandText(QStringLiteral("select * from t where b = :B and c = :c"));
    ASSERT_EQ(q.parameters().count(), 2);
    EXPECT_FALSE(q.parameters().contains(QStringLiteral("a")));
    EXPECT_EQ(q.parameters().value(QStringLiteral("b")).toString(), QStringLiteral("x"));
    EXPECT_TRUE(q.parameters().param(QStringLiteral("c")).isNull());
}

TEST(QueryCommand, UnknownParameterThrows)
{
    db::Parameters p;
    EXPECT_THROW(p.param(QStringLiteral("missing")), DbError);
    EXPECT_FALSE(p.value(QStringLiteral("missing")).isValid());
}

TEST(QueryCommand, OpenWithoutConnectionThrows)
{
    Query q;
    q.setCommandText(QStringLiteral("select 1"));
    EXPECT_THROW(q.open(), DbError);
    EXPECT_THROW(q.exec(), DbError);
}

// ---- both engines ----------------------------------------------------------------

class QueryTest : public testsupport::EngineTest
{
protected:
    void createTyped()
    {
        connection().execute(QStringLiteral("create table typed (id integer primary key, i integer, big bigint, d "
                                            "numeric(12,2), r double precision,"
                                            " s %1, dt timestamp, dd date, tt time, b boolean)")
                                 .arg(dbtest::textType(connection())));
    }
};

TEST_P(QueryTest, InjectionTextIsStoredAndReadBackUnchanged)
{
    Connection &c = connection();
    dbtest::createFirma(c, {});
    const QStringList hostile = {QStringLiteral("O'Brien; drop table firma --"),
                                 QStringLiteral("'); delete from firma; --"), QStringLiteral("back\\slash\\' x"),
                                 QStringLiteral(":nazwa ? $1 /* -- */")};
    Query insert(&c, QStringLiteral("insert into firma (id, nazwa) values (:id, :nazwa)"));
    for (int i = 0; i < hostile.size(); ++i) {
        insert.parameters().setValue(QStringLiteral("id"), i + 1);
        insert.parameters().setValue(QStringLiteral("nazwa"), hostile[i]);
        EXPECT_EQ(insert.exec(), 1);
    }
    Query select(&c, QStringLiteral("select id, nazwa from firma where nazwa = :nazwa"));
    for (const QString &text : hostile) {
        select.parameters().setValue(QStringLiteral("nazwa"), text);
        select.open();
        ASSERT_EQ(select.recordCount(), 1) << text.toStdString();
        EXPECT_EQ(select.value(QStringLiteral("nazwa")).toString(), text);
    }
    Query all(&c, QStringLiteral("select count(*) from firma"));
    all.open();
    EXPECT_EQ(all.value(0).toInt(), hostile.size());
}

TEST_P(QueryTest, NullParametersOfEachTypeAreStored)
{
    createTyped();
    Query insert(&connection(),
                 QStringLiteral("insert into typed (id, i, big, d, r, s, dt, dd, tt, b)"
                                " values (1, :i, :big, :d, :r, :s, :dt, :dd, :tt, :b)"));
    const std::pair<const char *, QMetaType::Type> types[] = {
        {"i", QMetaType::Int},    {"big", QMetaType::LongLong}, {"d", QMetaType::Double},
        {"r", QMetaType::Double}, {"s", QMetaType::QString},    {"dt", QMetaType::QDateTime},
        {"dd", QMetaType::QDate}, {"tt", QMetaType::QTime},     {"b", QMetaType::Bool}};
    for (const auto &[name, type] : types)
        insert.parameters().add(QString::fromUtf8(name), type);
    EXPECT_EQ(insert.exec(), 1);
    Query check(&connection(),
                QStringLiteral("select * from typed where i is null and big is null and d is null"
                               " and r is null and s is null and dt is null and dd is null"
                               " and tt is null and b is null"));
    check.open();
    EXPECT_EQ(check.recordCount(), 1);
}

TEST_P(QueryTest, TypedNullParameterWorksInIsNullTest)
{
    createTyped();
    connection().execute(QStringLiteral("insert into typed (id, i) values (1, 5), (2, 6)"));
    Query q(&connection(), QStringLiteral("select id from typed where (:i is null or i = :i) order by id"));
    q.parameters().add(QStringLiteral("i"), QMetaType::Int);
    q.open();
    EXPECT_EQ(q.recordCount(), 2);
    q.parameters().setValue(QStringLiteral("i"), 6);
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), std::vector<int>{2});
}

TEST_P(QueryTest, ValuesRoundTripWithConsistentTypes)
{
    createTyped();
    Query insert(&connection(),
                 QStringLiteral("insert into typed (id, i, big, d, r, s, dt, dd, tt, b)"
                                " values (1, :i, :big, :d, :r, :s, :dt, :dd, :tt, :b)"));
    const QDateTime when(QDate(2026, 5, 15), QTime(10, 20, 30));
    insert.parameters().setValue(QStringLiteral("i"), -42);
    insert.parameters().setValue(QStringLiteral("big"), qlonglong(9000000000LL));
    insert.parameters().setValue(QStringLiteral("d"), 12.5);
    insert.parameters().setValue(QStringLiteral("r"), 0.25);
    insert.parameters().setValue(QStringLiteral("s"), QStringLiteral("Zażółć"));
    insert.parameters().setValue(QStringLiteral("dt"), when);
    insert.parameters().setValue(QStringLiteral("dd"), QDate(2026, 5, 15));
    insert.parameters().setValue(QStringLiteral("tt"), QTime(8, 15));
    insert.parameters().setValue(QStringLiteral("b"), true);
    insert.exec();

    Query q(&connection(), QStringLiteral("select id, i, big, d, r, s, dt, dd, tt, b from typed"));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    const std::pair<const char *, QMetaType::Type> expectedTypes[] = {
        {"id", QMetaType::Int},   {"i", QMetaType::Int},     {"big", QMetaType::LongLong}, {"d", QMetaType::Double},
        {"r", QMetaType::Double}, {"s", QMetaType::QString}, {"dt", QMetaType::QDateTime}, {"dd", QMetaType::QDate},
        {"tt", QMetaType::QTime}, {"b", QMetaType::Bool}};
    for (const auto &[name, type] : expectedTypes)
        EXPECT_EQ(q.fieldDef(q.fieldIndex(QString::fromUtf8(name))).type, type) << name;
    EXPECT_EQ(q.value(QStringLiteral("i")), QVariant(-42));
    EXPECT_EQ(q.value(QStringLiteral("big")).toLongLong(), 9000000000LL);
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("d")).toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("r")).toDouble(), 0.25);
    EXPECT_EQ(q.value(QStringLiteral("s")).toString(), QStringLiteral("Zażółć"));
    EXPECT_EQ(q.value(QStringLiteral("dt")).toDateTime(), when);
    EXPECT_EQ(q.value(QStringLiteral("dd")).toDate(), QDate(2026, 5, 15));
    EXPECT_EQ(q.value(QStringLiteral("tt")).toTime(), QTime(8, 15));
    EXPECT_EQ(q.value(QStringLiteral("b")), QVariant(true));
    EXPECT_EQ(q.displayText(QStringLiteral("dt")), QStringLiteral("2026-05-15 10:20:30"));
    EXPECT_EQ(q.displayText(QStringLiteral("d")), QStringLiteral("12.5"));
}

TEST_P(QueryTest, SameParameterUsedTwice)
{
    dbtest::createFirma(connection(), {QStringLiteral("Alfa"), QStringLiteral("Beta"), QStringLiteral("Gamma")});
    Query q(&connection(),
            QStringLiteral("select id from firma where nazwa = :n or (id > 2 and nazwa <> :n) order by id"));
    EXPECT_EQ(q.parameters().count(), 1);
    q.parameters().setValue(QStringLiteral("n"), QStringLiteral("beta"));
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), (std::vector<int>{2, 3}));
}

TEST_P(QueryTest, ColonsInLiteralsAndCastsAreNotParameters)
{
    const QString cast = GetParam() == db::Engine::PostgreSQL ? QStringLiteral("'7'::integer") : QStringLiteral("7");
    Query q(&connection(), QStringLiteral("select '12:30 :x' as t, %1 as c, :p as p").arg(cast));
    ASSERT_EQ(q.parameters().count(), 1);
    q.parameters().setValue(QStringLiteral("p"), QStringLiteral("ok"));
    q.open();
    EXPECT_EQ(q.value(QStringLiteral("t")).toString(), QStringLiteral("12:30 :x"));
    EXPECT_EQ(q.value(QStringLiteral("c")).toInt(), 7);
    EXPECT_EQ(q.value(QStringLiteral("p")).toString(), QStringLiteral("ok"));
}

TEST_P(QueryTest, NegativeNumberAfterMinusStaysArithmetic)
{
    Query q(&connection(), QStringLiteral("select 10 -:n as r"));
    q.parameters().setValue(QStringLiteral("n"), -5);
    q.open();
    EXPECT_EQ(q.value(0).toInt(), 15);
}

TEST_P(QueryTest, ExecReturnsRowsAffected)
{
    dbtest::createFirma(connection(), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    Query q(&connection(), QStringLiteral("update firma set miasto = :m where id >= :from"));
    q.parameters().setValue(QStringLiteral("m"), QStringLiteral("Łódź"));
    q.parameters().setValue(QStringLiteral("from"), 2);
    EXPECT_EQ(q.exec(), 2);
}

TEST_P(QueryTest, BadStatementThrowsWithItsText)
{
    Query q(&connection(), QStringLiteral("select * from missing_table"));
    try {
        q.open();
        FAIL() << "no error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("missing_table")));
    }
    EXPECT_FALSE(q.isActive());
}

TEST_P(QueryTest, BeforeOpenHandlerMayRewriteTheCommand)
{
    dbtest::createFirma(connection(), {QStringLiteral("a"), QStringLiteral("b")});
    Query q(&connection(), QStringLiteral("select id from firma"));
    QObject::connect(&q, &db::DataSet::beforeOpen, [](db::DataSet *ds) {
        ds->setCommandText(QStringLiteral("select id from firma where id = :id"));
        ds->parameters().setValue(QStringLiteral("id"), 2);
    });
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), std::vector<int>{2});
}

// ---- dialect statements run on their engine -----------------------------------------

TEST_P(QueryTest, DialectStatementsRun)
{
    Connection &c = connection();
    const db::Dialect &dialect = c.dialect();
    c.execute(QStringLiteral("create table kv (id %1, k varchar(20) not null unique, v %2, d timestamp)")
                  .arg(GetParam() == db::Engine::PostgreSQL ? QStringLiteral("serial primary key")
                                                            : QStringLiteral("integer primary key autoincrement"),
                       dbtest::textType(c)));
    Query insert(
        &c, dialect.insertReturningId(QStringLiteral("insert into kv (k, v) values (:k, :v)"), QStringLiteral("id")));
    insert.parameters().setValue(QStringLiteral("k"), QStringLiteral("a"));
    insert.parameters().setValue(QStringLiteral("v"), QStringLiteral("1"));
    insert.open();
    const int firstId = insert.value(0).toInt();
    insert.parameters().setValue(QStringLiteral("k"), QStringLiteral("b"));
    insert.open();
    EXPECT_EQ(insert.value(0).toInt(), firstId + 1);

    Query upsert(&c, dialect.upsert(QStringLiteral("kv"), {QStringLiteral("k")}, {QStringLiteral("v")}));
    upsert.parameters().setValue(QStringLiteral("k"), QStringLiteral("a"));
    upsert.parameters().setValue(QStringLiteral("v"), QStringLiteral("changed"));
    upsert.exec();
    upsert.parameters().setValue(QStringLiteral("k"), QStringLiteral("c"));
    upsert.exec();

    c.execute(QStringLiteral("update kv set d = %1 where k = 'a'")
                  .arg(dialect.dateTimeLiteral(QDateTime(QDate(2026, 5, 15), QTime(12, 0)))));
    Query q(&c,
            dialect.limit(QStringLiteral("select k, %1 as joined, %2 as fallback, d from kv order by k")
                              .arg(dialect.concat(
                                       {QStringLiteral("k"), dialect.quote(QStringLiteral("'-")), QStringLiteral("v")}),
                                   dialect.ifNull(QStringLiteral("d"), dialect.dateLiteral(QDate(2000, 1, 1)))),
                          2));
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.value(QStringLiteral("joined")).toString(), QStringLiteral("a'-changed"));
    EXPECT_EQ(q.value(QStringLiteral("d")).toDateTime(), QDateTime(QDate(2026, 5, 15), QTime(12, 0)));
    q.next();
    EXPECT_EQ(q.value(QStringLiteral("joined")).toString(), QStringLiteral("b'-1"));
    EXPECT_TRUE(q.value(QStringLiteral("fallback")).toString().startsWith(QStringLiteral("2000-01-01")));
    Query count(&c, QStringLiteral("select count(*) from kv"));
    count.open();
    EXPECT_EQ(count.value(0).toInt(), 3);
}

MALVO_INSTANTIATE_FOR_ENGINES(QueryTest);
