#include "scratch_database.h"

#include <QRegularExpression>
#include <QUuid>

namespace testsupport {

namespace {

QString adminTarget()
{
    return qEnvironmentVariable("MALVO_TEST_PG");
}

// Runs one statement on the admin database of the test server.
void adminExec(const QString &sql)
{
    auto admin = db::Connection::open(adminTarget());
    admin->execute(sql);
}

QString withDbName(QString conninfo, const QString &dbName)
{
    static const QRegularExpression dbPart(QStringLiteral("dbname=\\S+"));
    if (conninfo.contains(dbPart))
        return conninfo.replace(dbPart, QStringLiteral("dbname=") + dbName);
    return conninfo + QStringLiteral(" dbname=") + dbName;
}

} // namespace

ScratchDatabase::ScratchDatabase(db::Engine engine)
    : m_engine(engine)
{
    if (engine == db::Engine::SQLite) {
        m_target = m_dir.filePath(QStringLiteral("test.db"));
        return;
    }
    if (adminTarget().isEmpty())
        return;
    m_pgName = QStringLiteral("malvo_t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    adminExec(QStringLiteral("create database %1 template template0 encoding 'UTF8'").arg(m_pgName));
    m_target = withDbName(adminTarget(), m_pgName);
}

ScratchDatabase::~ScratchDatabase()
{
    m_connection.reset();
    if (!m_pgName.isEmpty()) {
        try {
            adminExec(QStringLiteral("drop database if exists %1 with (force)").arg(m_pgName));
        } catch (...) {
            // A database left behind dies with the throw-away server.
        }
    }
}

db::Connection &ScratchDatabase::connection()
{
    if (!m_connection)
        m_connection = db::Connection::open(m_target);
    return *m_connection;
}

std::unique_ptr<db::Connection> ScratchDatabase::openAnother() const
{
    return db::Connection::open(m_target);
}

std::vector<db::Engine> engines()
{
    return {db::Engine::SQLite, db::Engine::PostgreSQL};
}

std::string engineName(const testing::TestParamInfo<db::Engine> &info)
{
    return info.param == db::Engine::SQLite ? "SQLite" : "PostgreSQL";
}

void EngineTest::SetUp()
{
    m_db = std::make_unique<ScratchDatabase>(GetParam());
    if (!m_db->available())
        GTEST_SKIP() << "MALVO_TEST_PG is not set; scripts/test.sh starts a PostgreSQL server for these tests";
}

} // namespace testsupport
