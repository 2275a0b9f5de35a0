#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"

using db::Connection;
using db::DbError;
using db::Query;

TEST(QueryCommand, DerivesParametersFromTheTextKeepingValuesAndMisuseThrows)
{
    const std::pair<const char *, QStringList> cases[] = {
        {"select * from t where a = :a and b = :b", {"a", "b"}},
        {"select * from t where a = :x or b = :X or c = :y", {"x", "y"}},
        {"select ':no', 'it''s :no', \":no\" from t where a = :yes", {"yes"}},
        {"select a::text, b::integer from t where c = :c::int", {"c"}},
        {"select 1 -- where a = :comment\n, :after", {"after"}},
        {"select /* :comment */ :a /* :b\n :c */", {"a"}},
        {"select $$ :quoted $$, $tag$ :q $tag$, :real", {"real"}},
        {"select '12:30' as t, :miasto_łódź", {"miasto_łódź"}},
        {"select a[1:2] from t", {}},
        {"insert into t (a) values (:a)", {"a"}}};
    for (const auto &[sql, expected] : cases) {
        Query q;
        q.setCommandText(sql);
        QStringList names;
        for (const db::Parameter &p : q.parameters())
            names << p.name;
        EXPECT_EQ(names, expected) << sql;
    }

    Query q;
    q.setCommandText("select * from t where a = :a and b = :b");
    dbtest::bind(q.parameters(), {{"a", 1}, {"b", "x"}});
    q.setCommandText("select * from t where b = :B and c = :c");
    ASSERT_EQ(q.parameters().count(), 2);
    EXPECT_FALSE(q.parameters().contains("a"));
    EXPECT_EQ(q.parameters().value("b").toString(), "x");
    EXPECT_TRUE(q.parameters().param("c").isNull());
    EXPECT_THROW(q.parameters().param("missing"), DbError);
    EXPECT_FALSE(q.parameters().value("missing").isValid());
    EXPECT_THROW(q.open(), DbError); // no connection
    EXPECT_THROW(q.exec(), DbError);
}

// ---- both engines ----------------------------------------------------------------

class QueryTest : public testsupport::EngineTest
{
protected:
    std::vector<int> ids(Query &q)
    {
        q.open();
        return dbtest::visibleIds(q);
    }
};

TEST_P(QueryTest, ValuesAndTypedNullsRoundTripWithConsistentTypesAndSizes)
{
    connection().execute(QString("create table typed (id integer primary key, i integer, big bigint, d numeric(12,2),"
                                 " r double precision, s %1, dt timestamp, dd date, tt time, b boolean)")
                             .arg(dbtest::textType(connection())));
    const QString columns = "i, big, d, r, s, dt, dd, tt, b";
    const QDateTime when(QDate(2026, 5, 15), QTime(10, 20, 30));
    const std::tuple<QString, QMetaType::Type, QVariant> values[] = {
        {"i", QMetaType::Int, -42},
        {"big", QMetaType::LongLong, qlonglong(9000000000LL)},
        {"d", QMetaType::Double, 12.5},
        {"r", QMetaType::Double, 0.25},
        {"s", QMetaType::QString, "Zażółć"},
        {"dt", QMetaType::QDateTime, when},
        {"dd", QMetaType::QDate, QDate(2026, 5, 15)},
        {"tt", QMetaType::QTime, QTime(8, 15)},
        {"b", QMetaType::Bool, true}};
    Query insert(
        &connection(),
        QString("insert into typed (id, %1) values (:id, :%2)").arg(columns, QString(columns).replace(", ", ", :")));
    insert.parameters().setValue("id", 1);
    for (const auto &[name, type, value] : values)
        insert.parameters().setValue(name, value);
    EXPECT_EQ(insert.exec(), 1);
    insert.parameters().setValue("id", 2);
    for (const auto &[name, type, value] : values)
        insert.parameters().add(name, type).value = QVariant();
    EXPECT_EQ(insert.exec(), 1);

    Query q(&connection(), "select id, " + columns + " from typed order by id");
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldDef(0).type, QMetaType::Int);
    for (const auto &[name, type, value] : values) {
        EXPECT_EQ(q.fieldDef(q.fieldIndex(name)).type, type) << name.toStdString();
        EXPECT_EQ(q.value(name), value) << name.toStdString();
    }
    q.next();
    for (int i = 1; i < q.fieldCount(); ++i)
        EXPECT_TRUE(q.value(i).isNull()) << i;

    // A typed null parameter works in an "is null" test.
    Query optional(&connection(), "select id from typed where (:i is null or i = :i) order by id");
    optional.parameters().add("i", QMetaType::Int);
    EXPECT_EQ(ids(optional), (std::vector<int>{1, 2}));
    optional.parameters().setValue("i", -42);
    EXPECT_EQ(ids(optional), std::vector<int>{1});

    // A text field's size comes from its declaration.
    connection().execute("create table sized (kod varchar(12), opis text)");
    Query sized(&connection(), "select kod, opis from sized");
    sized.open();
    EXPECT_EQ(sized.fieldDef(0).type, QMetaType::QString);
    EXPECT_EQ(sized.fieldDef(0).size, 12);
    EXPECT_EQ(sized.fieldDef(1).size, 0);
}

TEST_P(QueryTest, ParametersAmongLiteralsCastsAndOperatorsAndRewrittenCommands)
{
    dbtest::createFirma(connection(), {"Alfa", "Beta", "Gamma"});
    Query twice(&connection(), "select id from firma where nazwa = :n or (id > 2 and nazwa <> :n) order by id");
    twice.parameters().setValue("n", "beta");
    EXPECT_EQ(ids(twice), (std::vector<int>{2, 3}));

    const QString cast = GetParam() == db::Engine::PostgreSQL ? "'7'::integer" : "7";
    Query q(&connection(), QString("select '12:30 :x' as t, %1 as c, :p as p, 10 -:n as r").arg(cast));
    ASSERT_EQ(q.parameters().count(), 2);
    dbtest::bind(q.parameters(), {{"p", "ok"}, {"n", -5}});
    q.open();
    EXPECT_EQ(q.value("t").toString(), "12:30 :x");
    EXPECT_EQ(q.value("c").toInt(), 7);
    EXPECT_EQ(q.value("p").toString(), "ok");
    EXPECT_EQ(q.value("r").toInt(), 15);

    Query update(&connection(), "update firma set miasto = :m where id >= :from");
    dbtest::bind(update.parameters(), {{"m", "Łódź"}, {"from", 2}});
    EXPECT_EQ(update.exec(), 2);

    // A before-open handler may rewrite the command; a bad one throws.
    Query rewritten(&connection(), "select id from firma");
    QObject::connect(&rewritten, &db::DataSet::beforeOpen, [](db::DataSet *ds) {
        ds->setCommandText("select id from firma where id = :id");
        ds->parameters().setValue("id", 2);
    });
    EXPECT_EQ(ids(rewritten), std::vector<int>{2});

    Query bad(&connection(), "select * from missing_table");
    try {
        bad.open();
        FAIL() << "no error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains("missing_table"));
    }
    EXPECT_FALSE(bad.isActive());
}

TEST_P(QueryTest, DialectStatementsRun)
{
    Connection &c = connection();
    const db::Dialect &dialect = c.dialect();
    c.execute(
        QString("create table kv (id %1, k varchar(20) not null unique, v %2, d timestamp)")
            .arg(GetParam() == db::Engine::PostgreSQL ? "serial primary key" : "integer primary key autoincrement",
                 dbtest::textType(c)));
    Query insert(&c, dialect.insertReturningId("insert into kv (k, v) values (:k, :v)", "id"));
    dbtest::bind(insert.parameters(), {{"k", "a"}, {"v", "1"}});
    insert.open();
    const int firstId = insert.value(0).toInt();
    insert.parameters().setValue("k", "b");
    insert.open();
    EXPECT_EQ(insert.value(0).toInt(), firstId + 1);

    Query upsert(&c, dialect.upsert("kv", {"k"}, {"v"}));
    dbtest::bind(upsert.parameters(), {{"k", "a"}, {"v", "changed"}});
    upsert.exec();
    upsert.parameters().setValue("k", "c");
    upsert.exec();

    const QDateTime noon(QDate(2026, 5, 15), QTime(12, 0));
    c.execute(QString("update kv set d = %1 where k = 'a'").arg(dialect.dateTimeLiteral(noon)));
    Query q(&c,
            dialect.limit(QString("select k, %1 as joined, %2 as fallback, d from kv order by k")
                              .arg(dialect.concat({"k", dialect.quote("'-"), "v"}),
                                   dialect.ifNull("d", dialect.dateLiteral(QDate(2000, 1, 1)))),
                          2));
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.value("joined").toString(), "a'-changed");
    EXPECT_EQ(q.value("d").toDateTime(), noon);
    q.next();
    EXPECT_EQ(q.value("joined").toString(), "b'-1");
    EXPECT_TRUE(q.value("fallback").toString().startsWith("2000-01-01"));
    EXPECT_EQ(dbtest::scalar(c, "select count(*) from kv").toInt(), 3);
}

MALVO_INSTANTIATE_FOR_ENGINES(QueryTest);
