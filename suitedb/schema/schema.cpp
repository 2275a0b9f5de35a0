#include "suitedb.h"

#include "connection.h"
#include "db_error.h"
#include "query.h"
#include "seed.h"
#include "sql_script.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <vector>

namespace suitedb {

namespace {

constexpr int SchemaVersion = 5;

script::ColumnTypes typesFor(db::Connection &connection)
{
    return script::columnTypes(connection.engine(), QLatin1String(db::Connection::SqliteTextCollation));
}

QString readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw db::DbError(QStringLiteral("Missing schema script %1").arg(path));
    return QString::fromUtf8(file.readAll());
}

void runScript(db::Connection &connection, const QString &path, const script::ColumnTypes &types)
{
    const QStringList statements = script::split(script::expand(readResource(path), types));
    for (const QString &statement : statements) {
        try {
            connection.execute(statement);
        } catch (const db::DbError &error) {
            throw db::DbError(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), error.message()));
        }
    }
}

// The base scripts always create the current version.
void createSchema(db::Connection &connection)
{
    if (connection.engine() == db::Engine::PostgreSQL)
        connection.execute(QStringLiteral("create extension if not exists citext"));
    const auto types = typesFor(connection);
    const QDir dir(QStringLiteral(":/suitedb/sql"));
    const QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        runScript(connection, dir.filePath(file), types);
}

// Brings a database from toVersion - 1 to toVersion. A new version adds its
// step here together with the same change in the base scripts.
struct UpgradeStep
{
    int toVersion;
    void (*apply)(db::Connection &connection);
};

// Earlier programs redefined NOCASE on their SQLite connections, so text
// indexes were built in an order no other SQLite tool shares.
void rebuildTextIndexes(db::Connection &connection)
{
    if (connection.engine() == db::Engine::SQLite)
        connection.execute(QStringLiteral("reindex nocase"));
}

// Documents carry a cost; the table comes from the base script so both stay one.
void addCosts(db::Connection &connection)
{
    if (connection.database().tables(QSql::Tables).contains(QStringLiteral("koszt"), Qt::CaseInsensitive))
        return;
    const QStringList statements = script::split(
        script::expand(readResource(QStringLiteral(":/suitedb/sql/030_operations.sql")), typesFor(connection)));
    for (const QString &statement : statements) {
        if (statement.startsWith(QLatin1String("create table koszt ")))
            connection.execute(statement);
    }
    seedDictionaries(connection, {QStringLiteral("koszt_typ"), QStringLiteral("koszt_rodzaj")});
}

// The company list reads each company's kinds in order and its latest
// validity per kind of paper from indexes alone.
void coverCompanyListReads(db::Connection &connection)
{
    for (const char *statement :
         {"drop index if exists ix_dokument_f",
          "create index if not exists ix_dokument_f_rodzaj on dokument(id_f, rodzaj, czy_wykonany, wazny_do)",
          "drop index if exists ix_firma_grupa_f",
          "create index if not exists ix_firma_grupa_f_grupa on firma_grupa(id_f, grupa)"})
        connection.execute(QString::fromLatin1(statement));
}

// A company's row version lets a save tell that another user saved it after it was read.
void addCompanyVersion(db::Connection &connection)
{
    if (!connection.database().record(QStringLiteral("firma")).contains(QStringLiteral("wersja")))
        connection.execute(QStringLiteral("alter table firma add column wersja integer not null default 0"));
}

const std::vector<UpgradeStep> &upgradeSteps()
{
    static const std::vector<UpgradeStep> steps{
        {2, rebuildTextIndexes}, {3, addCosts}, {4, coverCompanyListReads}, {5, addCompanyVersion}};
    return steps;
}

void setVersion(db::Connection &connection, int version)
{
    db::Query(&connection, QStringLiteral("delete from schema_version")).exec();
    db::Query insert(&connection, QStringLiteral("insert into schema_version (wersja) values (:wersja)"));
    insert.parameters().setValue(QStringLiteral("wersja"), version);
    insert.exec();
}

} // namespace

int currentSchemaVersion()
{
    return SchemaVersion;
}

int schemaVersion(db::Connection &connection)
{
    const QStringList tables = connection.database().tables(QSql::Tables);
    if (!tables.contains(QStringLiteral("schema_version"), Qt::CaseInsensitive))
        return 0;
    db::Query query(&connection, QStringLiteral("select max(wersja) from schema_version"));
    query.open();
    return query.isEmpty() ? 0 : query.value(0).toInt();
}

void createOrUpgrade(db::Connection &connection)
{
    registerProcedures();
    const int version = schemaVersion(connection);
    if (version > SchemaVersion) {
        throw db::DbError(QStringLiteral("The database is at schema version %1, newer than this program's %2")
                              .arg(version)
                              .arg(SchemaVersion));
    }
    db::Transaction transaction(connection);
    if (version == 0) {
        createSchema(connection);
        seedReferenceData(connection);
    } else {
        for (const UpgradeStep &step : upgradeSteps()) {
            if (step.toVersion > version)
                step.apply(connection);
        }
        refreshMessageTexts(connection);
    }
    if (version != SchemaVersion)
        setVersion(connection, SchemaVersion);
    transaction.commit();
}

} // namespace suitedb
