#include "bench_support.h"

#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "demo.h"
#include "suitedb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <sys/resource.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace bench {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

namespace {

int companyCount(db::Connection &connection)
{
    db::DataSet count;
    count.setConnection(&connection);
    count.setCommandText(QStringLiteral("select count(*) from firma"));
    try {
        count.open();
    } catch (const db::DbError &) {
        return -1; // no schema yet
    }
    return count.valueAt(0, 0).toInt();
}

QString serverOf(const QString &target)
{
    return postgresDatabase(target, QStringLiteral("postgres"));
}

// The demo generator writes PostgreSQL statement by statement, some twenty
// minutes per 100,000 companies; the same companies generated in SQLite
// are copied over by sqlite3 and psql instead, ids and all. Both databases
// are seeded alike, so the dictionary ids the rows point at agree.
void copyCompaniesFromSqlite(const QString &file, const QString &target)
{
    auto source = db::Connection::open(file);
    auto copy = db::Connection::open(target);
    for (const char *table : {"firma", "firma_grupa", "adres", "telefon", "kontakt", "konto", "okres_roz",
                              "import_powiazania", "dokument", "dokument_plik"}) {
        db::DataSet info;
        info.setConnection(source.get());
        info.setCommandText(QStringLiteral("select name, pk from pragma_table_info('%1')").arg(QLatin1String(table)));
        info.open();
        QStringList columns;
        QString key;
        for (int r = 0; r < info.recordCount(); ++r) {
            columns << info.valueAt(r, 0).toString();
            if (info.valueAt(r, 1).toInt() == 1)
                key = columns.last();
        }
        const QString list = columns.join(QLatin1Char(','));
        QProcess reader;
        QProcess writer;
        reader.setStandardOutputProcess(&writer);
        reader.start(
            QStringLiteral("sqlite3"),
            {QStringLiteral("-csv"), file, QStringLiteral("select %1 from %2").arg(list, QLatin1String(table))});
        writer.start(QStringLiteral("psql"),
                     {QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), target, QStringLiteral("-c"),
                      QStringLiteral("\\copy %1(%2) from stdin with csv").arg(QLatin1String(table), list)});
        reader.waitForFinished(-1);
        writer.closeWriteChannel();
        writer.waitForFinished(-1);
        if (reader.exitCode() != 0 || writer.exitCode() != 0)
            throw db::DbError(QStringLiteral("copying %1 failed: %2%3")
                                  .arg(QLatin1String(table), QString::fromLocal8Bit(reader.readAllStandardError()),
                                       QString::fromLocal8Bit(writer.readAllStandardError())));
        copy->execute(
            QStringLiteral("select setval(pg_get_serial_sequence('%1', '%2'), coalesce(max(%2), 0) + 1, false)"
                           " from %1")
                .arg(QLatin1String(table), key));
    }
}

} // namespace

QString sqliteFile(int companies)
{
    return QDir::temp().filePath(QStringLiteral("malvo-bench-list-%1.db").arg(companies));
}

QString postgresDatabase(const QString &server, const QString &name)
{
    static const QRegularExpression dbname(QStringLiteral("dbname=\\S*"));
    QString target = server;
    if (target.contains(dbname))
        target.replace(dbname, QStringLiteral("dbname=") + name);
    else
        target += QStringLiteral(" dbname=") + name;
    return target;
}

void makeEmpty(const QString &target)
{
    if (db::Connection::isPostgresTarget(target)) {
        static const QRegularExpression dbname(QStringLiteral("dbname=(\\S+)"));
        const QString name = dbname.match(target).captured(1);
        auto server = db::Connection::open(serverOf(target));
        server->execute(QStringLiteral("drop database if exists \"%1\"").arg(name));
        server->execute(QStringLiteral("create database \"%1\"").arg(name));
        return;
    }
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(target + suffix);
}

void ensureCompanies(const QString &target, int companies)
{
    const bool postgres = db::Connection::isPostgresTarget(target);
    {
        std::unique_ptr<db::Connection> existing;
        try {
            if (postgres || QFileInfo::exists(target))
                existing = db::Connection::open(target);
        } catch (const db::DbError &) {
            // A server without this database yet.
        }
        if (existing && companyCount(*existing) == companies)
            return;
    }
    out() << "creating " << db::Connection::displayTarget(target) << " with " << companies << " demo companies..."
          << Qt::endl;
    QElapsedTimer timer;
    timer.start();
    makeEmpty(target);
    if (postgres)
        ensureCompanies(sqliteFile(companies), companies);
    auto connection = db::Connection::open(target);
    suitedb::createOrUpgrade(*connection);
    if (postgres) {
        copyCompaniesFromSqlite(sqliteFile(companies), target);
    } else {
        suitedb::generateDemoCompanies(*connection, companies);
        suitedb::generateDemoDocuments(*connection);
    }
    connection->execute(QStringLiteral("analyze"));
    out() << "created in " << timer.elapsed() / 1000.0 << " s" << Qt::endl;
}

void warmFile(const QString &file)
{
    for (const QString &path : {file, file + QStringLiteral("-wal")}) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        while (!f.read(1 << 20).isEmpty()) {
        }
    }
}

namespace {

// Best wall time of `runs` runs of the program, its output discarded.
double timeProgram(const QString &program, const QStringList &arguments, int runs)
{
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(program, arguments);
        process.waitForFinished(-1);
        const double ms = timer.nsecsElapsed() / 1e6;
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            throw db::DbError(program + QStringLiteral(" failed: ")
                              + QString::fromUtf8(process.readAllStandardError()));
        best = std::min(best, ms);
    }
    return best;
}

} // namespace

double timeSqliteCli(const QString &file, const QString &sql, int runs)
{
    return timeProgram(QStringLiteral("sqlite3"), {file, sql}, runs);
}

double timePsqlCopy(const QString &target, const QString &select, int runs)
{
    return timeProgram(QStringLiteral("psql"),
                       {target, QStringLiteral("-c"), QStringLiteral("copy (%1) to stdout").arg(select)}, runs);
}

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int intArgument(const QStringList &args, const QString &name, int fallback, int least)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? std::max(least, args.at(at + 1).toInt()) : fallback;
}

QString textArgument(const QStringList &args, const QString &name, const QString &fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : fallback;
}

void printTenfold(const QString &what, int size, double tenthMs, double fullMs)
{
    out() << what << '\n';
    out() << "  " << size / 10 << ": " << QString::number(tenthMs, 'f', 1) << " ms\n";
    out() << "  " << size << ": " << QString::number(fullMs, 'f', 1) << " ms\n";
    out() << "  ratio: " << QString::number(fullMs / std::max(tenthMs, 1e-3), 'f', 2) << " (linear: 10)" << Qt::endl;
}

} // namespace bench
