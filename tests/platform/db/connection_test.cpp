#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"

#include <QMap>
#include <QTemporaryDir>

using db::Connection;
using db::DbError;
using db::Query;

using dbtest::ids;
using dbtest::scalar;

namespace {

int countRows(Connection &connection)
{
    return scalar(connection, "select count(*) from t").toInt();
}

} // namespace

TEST(ConnectionTarget, PostgresTargetsAreRecognised)
{
    const std::pair<const char *, bool> cases[] = {{"/home/u/malvo.db", false},
                                                   {"C:/dane/suite.db", false},
                                                   {"postgresql://malvo@localhost:5432/suite", true},
                                                   {"postgres://localhost/suite", true},
                                                   {"host=127.0.0.1 port=5432 dbname=suite user=malvo", true}};
    for (const auto &[target, postgres] : cases)
        EXPECT_EQ(Connection::isPostgresTarget(target), postgres) << target;
}

TEST(ConnectionSqlite, CreatesMissingFileWithPragmasOwnNamesAndPolishCollation)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/new.db");
    QString first, second;
    {
        auto connection = Connection::open(path);
        EXPECT_TRUE(QFileInfo::exists(path));
        EXPECT_EQ(connection->engine(), db::Engine::SQLite);
        EXPECT_EQ(scalar(*connection, "pragma foreign_keys").toInt(), 1);
        EXPECT_EQ(scalar(*connection, "pragma journal_mode").toString(), "wal");
        EXPECT_EQ(scalar(*connection, "pragma busy_timeout").toInt(), 5000);
        auto other = Connection::open(path);
        first = connection->database().connectionName();
        second = other->database().connectionName();
        EXPECT_NE(first, second);
        EXPECT_TRUE(QSqlDatabase::contains(first));
    }
    EXPECT_FALSE(QSqlDatabase::contains(first));
    EXPECT_FALSE(QSqlDatabase::contains(second));

    testsupport::ScratchDatabase scratch(db::Engine::SQLite);
    Connection &c = scratch.connection();
    c.execute("create table n (id integer primary key, s text collate nocase)");
    c.execute("insert into n values (1, 'ŁÓDŹ'), (2, 'zebra'), (3, 'łąka'), (4, 'Lis')");
    const QString s = c.dialect().collated("s");
    EXPECT_EQ(ids(c, "select id from n where " + s + " = :n", {{"n", "łódź"}}), std::vector<int>{1});
    EXPECT_EQ(ids(c, "select id from n order by " + s), (std::vector<int>{4, 3, 1, 2}));
}

TEST(ConnectionSqlite, StatementsStayPreparedFollowTheSchemaAndLeaveWithTheConnection)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.db");
    {
        auto c = Connection::open(path);
        c->execute("create table t (id integer primary key, s text)");
        for (int id = 1; id <= 3; ++id) {
            Query insert(c.get(), "insert into t (id, s) values (:id, :s)");
            insert.parameters().setValue("id", id);
            if (id != 2)
                insert.parameters().setValue("s", QString::number(id));
            insert.exec();
        }
        EXPECT_EQ(ids(*c, "select id from t where s is null"), std::vector<int>{2});
        const QString runs = "select run from sqlite_stmt where sql = 'insert into t (id, s) values (?, ?)'";
        EXPECT_EQ(scalar(*c, runs).toInt(), 3);

        Query all(c.get(), "select * from t");
        all.open();
        c->execute("alter table t add column u text");
        all.open();
        EXPECT_EQ(all.fieldCount(), 3);

        c->clearStatementCache();
        EXPECT_FALSE(scalar(*c, runs).isValid());
        EXPECT_EQ(countRows(*c), 3);
    }
    // Only a connection closed for good lets another change the journal mode.
    auto again = Connection::open(path);
    EXPECT_EQ(scalar(*again, "pragma journal_mode = delete").toString(), "delete");
}

// ---- both engines --------------------------------------------------------------

class ConnectionTest : public testsupport::EngineTest
{};

TEST_P(ConnectionTest, TransactionsNestAsSavepointsAndMisuseThrows)
{
    Connection &c = connection();
    EXPECT_THROW(c.execute("create tabel x (id int)"), DbError);
    EXPECT_THROW(c.commit(), DbError);
    EXPECT_THROW(c.rollback(), DbError);
    c.execute("create table t (id integer primary key)");
    c.begin();
    c.execute("insert into t values (1)");
    c.holdRow("t", 1);
    c.begin();
    EXPECT_EQ(c.transactionDepth(), 2);
    c.execute("insert into t values (2)");
    c.holdRow("t", 2);
    EXPECT_TRUE(c.holdsRow("t", 1) && c.holdsRow("t", 2));
    // Any rollback forgets them all, not only those taken after its savepoint.
    c.rollback();
    EXPECT_FALSE(c.holdsRow("t", 1) || c.holdsRow("t", 2));
    c.begin();
    c.execute("insert into t values (3)");
    c.holdRow("t", 3);
    c.commit();
    c.commit();
    EXPECT_EQ(c.transactionDepth(), 0);
    EXPECT_FALSE(c.holdsRow("t", 3)) << "nothing is held past the transaction";
    c.holdRow("t", 3);
    EXPECT_FALSE(c.holdsRow("t", 3)) << "nor outside one";
    EXPECT_EQ(scalar(c, "select sum(id) from t").toInt(), 4);

    {
        db::Transaction outer(c);
        c.execute("insert into t values (5)");
        {
            db::Transaction inner(c);
            EXPECT_THROW(c.execute("insert into t values (5)"), DbError);
        }
        c.execute("insert into t values (6)"); // the failed inner statement did not spoil the outer one
        outer.commit();
    }
    EXPECT_EQ(countRows(c), 4);
    {
        // Savepoint statements wait for the next statement: a level that
        // ran none, and an inner level's release, still come out right.
        db::Transaction outer(c);
        db::Transaction{c};
        {
            db::Transaction middle(c);
            db::Transaction inner(c);
            c.execute("insert into t values (8)");
            inner.commit();
        }
        c.execute("insert into t values (9)");
        db::Transaction empty(c);
        empty.commit();
        outer.commit();
    }
    EXPECT_EQ(scalar(c, "select sum(id) from t").toInt(), 1 + 3 + 5 + 6 + 9);
    {
        db::Transaction uncommitted(c);
        c.execute("insert into t values (7)");
    }
    EXPECT_EQ(c.transactionDepth(), 0);
    EXPECT_EQ(countRows(c), 5);

    auto other = scratch().openAnother();
    EXPECT_EQ(countRows(*other), 5);

    // A statement that waits for the next one: a level ending first sends it,
    // and its failure is still that level's, not the next level's.
    {
        db::Transaction outer(c);
        {
            db::Transaction inner(c);
            db::executeWithNext(c, "insert into t values (10)", {});
            inner.commit();
        }
        {
            db::Transaction inner(c);
            EXPECT_THROW(
                {
                    db::executeWithNext(c, "insert into t values (10)", {});
                    inner.commit();
                },
                DbError);
        }
        db::Transaction next(c);
        c.execute("insert into t values (11)");
        next.commit();
        outer.commit();
    }
    EXPECT_EQ(scalar(*other, "select sum(id) from t where id >= 10").toInt(), 21);

    // In a batch the work waits past the inner levels: its failure is the
    // batch level's, and a rollback of that level takes it back unsent.
    {
        db::Transaction outer(c);
        {
            db::Transaction record(c);
            const db::WriteBatch batch(c);
            EXPECT_THROW(
                {
                    for (int step = 0; step < 2; ++step) {
                        db::Transaction inner(c);
                        db::executeWithNext(c, "insert into t values (12)", {});
                        inner.commit();
                    }
                    record.commit();
                },
                DbError);
        }
        // A deeper level rolled back fails the batch: what follows throws
        // until the batch level is rolled back, which takes back every step.
        {
            db::Transaction record(c);
            const db::WriteBatch batch(c);
            {
                db::Transaction inner(c);
                c.execute("insert into t values (14)");
                if (c.engine() == db::Engine::PostgreSQL) // taken back unsent: were it sent, 11 is taken
                    db::executeWithNext(c, "insert into t values (11)", {});
            }
            EXPECT_THROW(c.execute("insert into t values (15)"), DbError);
            EXPECT_THROW(record.commit(), DbError);
        }
        db::Transaction record(c);
        const db::WriteBatch batch(c);
        c.execute("insert into t values (13)");
        record.commit();
        outer.commit();
    }
    EXPECT_EQ(scalar(*other, "select sum(id) from t where id >= 12").toInt(), 13);

    // Keys reserved for a batch are the sequence's own: no other insert takes them.
    EXPECT_FALSE(c.reserveKey("t", "id")) << "outside a batch the insert tells its key";
    if (c.engine() == db::Engine::PostgreSQL) {
        c.execute("create table r (id integer generated by default as identity primary key)");
        db::Transaction record(c);
        const db::WriteBatch batch(c);
        const std::optional<qint64> first = c.reserveKey("r", "id");
        const std::optional<qint64> second = c.reserveKey("r", "id");
        ASSERT_TRUE(first && second);
        EXPECT_LT(*first, *second);
        EXPECT_GT(scalar(c, "insert into r default values returning id").toLongLong(), *second);
    }
}

// More texts than a connection keeps prepared, some run inside a transaction:
// those let go run again, and the transaction is not disturbed.
TEST_P(ConnectionTest, StatementTextsBeyondTheKeptOnesRunAgain)
{
    Connection &c = connection();
    c.execute("create table t (id integer primary key)");
    c.execute("insert into t values (1)");
    db::Transaction transaction(c);
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 300; ++i)
            ASSERT_EQ(scalar(c, QString("select count(*) + %1 from t where id < :n").arg(i), {{"n", 2}}).toInt(),
                      i + 1);
    transaction.commit();
}

TEST_P(ConnectionTest, PolishTextComparesCaseInsensitively)
{
    Connection &c = connection();
    dbtest::createFirma(c, {"ŁÓDŹ", "Gdańsk", "łódka", "100% ŁÓDŹ", "100 łódź", "1000"});
    QString like = "select id from firma where nazwa like :n order by id";
    EXPECT_EQ(ids(c, "select id from firma where nazwa = :n", {{"n", "łódź"}}), std::vector<int>{1});
    EXPECT_EQ(ids(c, like, {{"n", "łód%"}}), (std::vector<int>{1, 3}));
    EXPECT_EQ(ids(c, like, {{"n", "%AŃ_K"}}), std::vector<int>{2});
    like.insert(like.indexOf(" order"), " escape '!'");
    EXPECT_EQ(ids(c, like, {{"n", "100!%%"}}), std::vector<int>{4});
    EXPECT_EQ(ids(c, like, {{"n", "100_ŁÓDŹ"}}), std::vector<int>{5});
    EXPECT_TRUE(ids(c, like, {{"n", QVariant()}}).empty());
    // A value whose type nothing around it tells still binds, also as a
    // transaction's first use of the text, which the transaction outlives.
    {
        db::Transaction transaction(c);
        const QString untyped = "select id from firma where :n is null order by id";
        EXPECT_EQ(ids(c, untyped, {{"n", QVariant()}}).size(), 6u);
        EXPECT_TRUE(ids(c, untyped, {{"n", "x"}}).empty());
        EXPECT_EQ(ids(c, "select id from firma where nazwa = :n", {{"n", "GDAŃSK"}}), std::vector<int>{2});
        transaction.commit();
    }
    EXPECT_EQ(scalar(c, "select lower('ZAŻÓŁĆ GĘŚLĄ JAŹŃ')").toString(), "zażółć gęślą jaźń");
    EXPECT_EQ(scalar(c, "select upper('zażółć')").toString(), "ZAŻÓŁĆ");
}

TEST_P(ConnectionTest, OrdersPolishNamesAlphabetically)
{
    Connection &c = connection();
    const QString type = dbtest::orderedTextType(c);
    if (type.isEmpty())
        GTEST_SKIP() << "the server has no Polish collation";
    // Names equal but for letter case are ties, which both orders break by id.
    const QStringList sorted =
        QString("10 ton|1000|2 koła|a b|a c|ab|abc|Ala|ALA|ąb|b|c|Cafe A|Café A|Cafe B|ćma|Ćwik|e|"
                "Éa|Eb|lis|Łoś|ŁOŚ|nora|ńa|Owca|ósemka|Przedsiębiorstwo Handlowe Ab|"
                "przedsiębiorstwo handlowe ac|Przedsiębiorstwo Handlowe Ąb|sowa|Śliwa|"
                "Zebra|Źrebak|Żuraw")
            .split('|');
    c.execute(QString("create table osoba (id integer primary key, nazwa %1)").arg(type));
    Query insert(&c, "insert into osoba (id, nazwa) values (:id, :nazwa)");
    for (int i = 0; i < sorted.size(); ++i) {
        insert.parameters().setValue("id", i); // stored out of order
        insert.parameters().setValue("nazwa", sorted[(i * 11) % sorted.size()]);
        insert.exec();
    }
    Query q(&c, "select id, nazwa from osoba order by nazwa, id");
    q.open();
    EXPECT_EQ(dbtest::column(q, "nazwa").join('|').toLower().toStdString(), sorted.join('|').toLower().toStdString());
    Query local(&c, "select id, nazwa from osoba order by id");
    local.open();
    local.setSort("nazwa");
    EXPECT_EQ(dbtest::visibleIds(local), dbtest::visibleIds(q)) << "the data set sorts as the database does";
}

TEST_P(ConnectionTest, PostgresUrlTargetOpensTheSameDatabase)
{
    if (GetParam() != db::Engine::PostgreSQL)
        GTEST_SKIP() << "PostgreSQL targets only";
    connection().execute("create table t (id integer)");
    QMap<QString, QString> parts;
    for (const QString &item : scratch().target().split(' ', Qt::SkipEmptyParts))
        parts.insert(item.section('=', 0, 0), item.section('=', 1));
    auto other = Connection::open(
        QString("postgresql://%1@%2:%3/%4")
            .arg(parts.value("user"), parts.value("host"), parts.value("port"), parts.value("dbname")));
    EXPECT_EQ(other->engine(), db::Engine::PostgreSQL);
    EXPECT_EQ(countRows(*other), 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(ConnectionTest);
