#include "connection.h"
#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"

#include <QMap>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using db::Connection;
using db::DbError;
using db::Query;

namespace {

QVariant scalar(Connection &connection, const QString &sql)
{
    Query q(&connection, sql);
    q.open();
    return q.isEmpty() ? QVariant() : q.value(0);
}

int countRows(Connection &connection, const QString &table)
{
    return scalar(connection, QStringLiteral("select count(*) from ") + table).toInt();
}

} // namespace

// ---- targets -------------------------------------------------------------------

struct TargetCase
{
    const char *target;
    bool postgres;
};

void PrintTo(const TargetCase &c, std::ostream *os)
{
    *os << '"' << c.target << '"';
}

class ConnectionTarget : public testing::TestWithParam<TargetCase>
{};

TEST_P(ConnectionTarget, IsRecognised)
{
    EXPECT_EQ(Connection::isPostgresTarget(QString::fromUtf8(GetParam().target)), GetParam().postgres);
}

INSTANTIATE_TEST_SUITE_P(Targets, ConnectionTarget,
                         testing::Values(TargetCase{"/home/u/malvo.db", false}, TargetCase{"malvo.db", false},
                                         TargetCase{"C:/dane/suite.db", false},
                                         TargetCase{"postgresql://malvo@localhost:5432/suite", true},
                                         TargetCase{"postgres://localhost/suite", true},
                                         TargetCase{"host=127.0.0.1 port=5432 dbname=suite user=malvo", true},
                                         TargetCase{"dbname=suite", true}));

TEST(ConnectionSqlite, CreatesMissingFileWithPragmas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/new.db"));
    auto connection = Connection::open(path);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(connection->engine(), db::Engine::SQLite);
    EXPECT_EQ(scalar(*connection, QStringLiteral("pragma foreign_keys")).toInt(), 1);
    EXPECT_EQ(scalar(*connection, QStringLiteral("pragma journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_EQ(scalar(*connection, QStringLiteral("pragma busy_timeout")).toInt(), 5000);
}

TEST(ConnectionSqlite, ConnectionsUseDistinctNamesAndRemoveThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.db"));
    QString first, second;
    {
        auto a = Connection::open(path);
        auto b = Connection::open(path);
        first = a->database().connectionName();
        second = b->database().connectionName();
        EXPECT_NE(first, second);
        EXPECT_TRUE(QSqlDatabase::contains(first));
    }
    EXPECT_FALSE(QSqlDatabase::contains(first));
    EXPECT_FALSE(QSqlDatabase::contains(second));
}

TEST(ConnectionPostgres, UnreachableServerThrows)
{
    EXPECT_THROW(Connection::open(QStringLiteral("host=127.0.0.1 port=1 dbname=x user=nobody connect_timeout=2")),
                 DbError);
}

// ---- both engines --------------------------------------------------------------

class ConnectionTest : public testsupport::EngineTest
{};

TEST_P(ConnectionTest, ExecuteRejectsBadStatement)
{
    EXPECT_THROW(connection().execute(QStringLiteral("create tabel x (id int)")), DbError);
}

TEST_P(ConnectionTest, NestedTransactionRollsBackInnerSavepointOnly)
{
    Connection &c = connection();
    c.execute(QStringLiteral("create table t (id integer primary key)"));
    c.begin();
    c.execute(QStringLiteral("insert into t values (1)"));
    c.begin();
    EXPECT_EQ(c.transactionDepth(), 2);
    c.execute(QStringLiteral("insert into t values (2)"));
    c.rollback();
    c.begin();
    c.execute(QStringLiteral("insert into t values (3)"));
    c.commit();
    c.commit();
    EXPECT_EQ(c.transactionDepth(), 0);
    EXPECT_EQ(countRows(c, QStringLiteral("t")), 2);
    EXPECT_EQ(scalar(c, QStringLiteral("select sum(id) from t")).toInt(), 4);
}

TEST_P(ConnectionTest, InnerSavepointSurvivesFailedStatement)
{
    Connection &c = connection();
    c.execute(QStringLiteral("create table t (id integer primary key)"));
    db::Transaction outer(c);
    c.execute(QStringLiteral("insert into t values (1)"));
    {
        db::Transaction inner(c);
        EXPECT_THROW(c.execute(QStringLiteral("insert into t values (1)")), DbError);
    }
    c.execute(QStringLiteral("insert into t values (2)"));
    outer.commit();
    EXPECT_EQ(countRows(c, QStringLiteral("t")), 2);
}

TEST_P(ConnectionTest, UncommittedTransactionRollsBackOnScopeExit)
{
    Connection &c = connection();
    c.execute(QStringLiteral("create table t (id integer primary key)"));
    {
        db::Transaction transaction(c);
        c.execute(QStringLiteral("insert into t values (1)"));
    }
    EXPECT_EQ(c.transactionDepth(), 0);
    EXPECT_EQ(countRows(c, QStringLiteral("t")), 0);
}

TEST_P(ConnectionTest, CommitOrRollbackWithoutTransactionThrows)
{
    EXPECT_THROW(connection().commit(), DbError);
    EXPECT_THROW(connection().rollback(), DbError);
}

TEST_P(ConnectionTest, PolishTextComparesCaseInsensitively)
{
    Connection &c = connection();
    dbtest::createFirma(c, {QStringLiteral("ŁÓDŹ"), QStringLiteral("Gdańsk"), QStringLiteral("łódka")});
    Query q(&c, QStringLiteral("select id from firma where nazwa = :n"));
    q.parameters().setValue(QStringLiteral("n"), QStringLiteral("łódź"));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.value(0).toInt(), 1);

    q.setCommandText(QStringLiteral("select id from firma where nazwa like :n order by id"));
    q.parameters().setValue(QStringLiteral("n"), QStringLiteral("łód%"));
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), (std::vector<int>{1, 3}));

    q.parameters().setValue(QStringLiteral("n"), QStringLiteral("%AŃ_K"));
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), (std::vector<int>{2}));
}

TEST_P(ConnectionTest, LikeHonoursEscapeAndNull)
{
    Connection &c = connection();
    dbtest::createFirma(c, {QStringLiteral("100% ŁÓDŹ"), QStringLiteral("100 łódź"), QStringLiteral("1000")});
    Query q(&c, QStringLiteral("select id from firma where nazwa like :n escape '!' order by id"));
    q.parameters().setValue(QStringLiteral("n"), QStringLiteral("100!%%"));
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), std::vector<int>{1});
    q.parameters().setValue(QStringLiteral("n"), QStringLiteral("100_ŁÓDŹ"));
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), std::vector<int>{2});
    q.parameters().setValue(QStringLiteral("n"), QVariant());
    q.open();
    EXPECT_TRUE(q.isEmpty());
}

TEST_P(ConnectionTest, LowerAndUpperHandlePolishLetters)
{
    EXPECT_EQ(scalar(connection(), QStringLiteral("select lower('ZAŻÓŁĆ GĘŚLĄ JAŹŃ')")).toString(),
              QStringLiteral("zażółć gęślą jaźń"));
    EXPECT_EQ(scalar(connection(), QStringLiteral("select upper('zażółć')")).toString(), QStringLiteral("ZAŻÓŁĆ"));
}

TEST_P(ConnectionTest, OrdersPolishNamesAlphabetically)
{
    Connection &c = connection();
    const QString type = dbtest::orderedTextType(c);
    if (type.isEmpty())
        GTEST_SKIP() << "the server has no Polish collation";
    const QStringList shuffled = {QStringLiteral("Żuraw"),  QStringLiteral("ćma"),  QStringLiteral("Zebra"),
                                  QStringLiteral("ąb"),     QStringLiteral("Łoś"),  QStringLiteral("lis"),
                                  QStringLiteral("Źrebak"), QStringLiteral("Ćwik"), QStringLiteral("abc"),
                                  QStringLiteral("b"),      QStringLiteral("Ala"),  QStringLiteral("c"),
                                  QStringLiteral("Śliwa"),  QStringLiteral("sowa"), QStringLiteral("ósemka"),
                                  QStringLiteral("Owca"),   QStringLiteral("ńa"),   QStringLiteral("nora")};
    c.execute(QStringLiteral("create table osoba (id integer primary key, nazwa %1)").arg(type));
    Query insert(&c, QStringLiteral("insert into osoba (id, nazwa) values (:id, :nazwa)"));
    for (int i = 0; i < shuffled.size(); ++i) {
        insert.parameters().setValue(QStringLiteral("id"), i);
        insert.parameters().setValue(QStringLiteral("nazwa"), shuffled[i]);
        insert.exec();
    }
    Query q(&c, QStringLiteral("select id, nazwa from osoba order by nazwa, id"));
    q.open();
    const QStringList expected = {QStringLiteral("abc"),    QStringLiteral("Ala"),    QStringLiteral("ąb"),
                                  QStringLiteral("b"),      QStringLiteral("c"),      QStringLiteral("ćma"),
                                  QStringLiteral("Ćwik"),   QStringLiteral("lis"),    QStringLiteral("Łoś"),
                                  QStringLiteral("nora"),   QStringLiteral("ńa"),     QStringLiteral("Owca"),
                                  QStringLiteral("ósemka"), QStringLiteral("sowa"),   QStringLiteral("Śliwa"),
                                  QStringLiteral("Zebra"),  QStringLiteral("Źrebak"), QStringLiteral("Żuraw")};
    EXPECT_EQ(dbtest::column(q, QStringLiteral("nazwa")), expected);
}

TEST_P(ConnectionTest, SecondConnectionSeesCommittedData)
{
    Connection &c = connection();
    c.execute(QStringLiteral("create table t (id integer primary key)"));
    c.execute(QStringLiteral("insert into t values (7)"));
    auto other = scratch().openAnother();
    EXPECT_EQ(countRows(*other, QStringLiteral("t")), 1);
}

TEST_P(ConnectionTest, PostgresUrlTargetOpensTheSameDatabase)
{
    if (GetParam() != db::Engine::PostgreSQL)
        GTEST_SKIP() << "PostgreSQL targets only";
    connection().execute(QStringLiteral("create table marker (id integer)"));
    QMap<QString, QString> parts;
    for (const QString &item : scratch().target().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        parts.insert(item.section(QLatin1Char('='), 0, 0), item.section(QLatin1Char('='), 1));
    const QString url = QStringLiteral("postgresql://%1@%2:%3/%4")
                            .arg(parts.value(QStringLiteral("user")), parts.value(QStringLiteral("host")),
                                 parts.value(QStringLiteral("port")), parts.value(QStringLiteral("dbname")));
    auto other = Connection::open(url);
    EXPECT_EQ(other->engine(), db::Engine::PostgreSQL);
    EXPECT_EQ(countRows(*other, QStringLiteral("marker")), 0);
}

TEST_P(ConnectionTest, TextFieldSizeComesFromTheDeclaration)
{
    connection().execute(QStringLiteral("create table sized (kod varchar(12), opis text)"));
    Query q(&connection(), QStringLiteral("select kod, opis from sized"));
    q.open();
    EXPECT_EQ(q.fieldDef(0).type, QMetaType::QString);
    EXPECT_EQ(q.fieldDef(0).size, 12);
    EXPECT_EQ(q.fieldDef(1).size, 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(ConnectionTest);

TEST(ConnectionSqliteCollation, NocaseIsReplacedByThePolishOrder)
{
    testsupport::ScratchDatabase scratch(db::Engine::SQLite);
    Connection &c = scratch.connection();
    c.execute(QStringLiteral("create table n (id integer primary key, s text collate nocase)"));
    c.execute(QStringLiteral("insert into n values (1, 'ŁÓDŹ'), (2, 'zebra'), (3, 'łąka'), (4, 'Lis')"));
    Query q(&c, QStringLiteral("select id from n where s = 'łódź'"));
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), std::vector<int>{1});
    q.setCommandText(QStringLiteral("select id from n order by s"));
    q.open();
    EXPECT_EQ(dbtest::visibleIds(q), (std::vector<int>{4, 3, 1, 2}));
}
