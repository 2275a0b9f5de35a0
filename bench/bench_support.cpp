#include "bench_support.h"

#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "demo.h"
#include "suitedb.h"

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

} // namespace

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
    if (postgres) {
        static const QRegularExpression dbname(QStringLiteral("dbname=(\\S+)"));
        const QString name = dbname.match(target).captured(1);
        auto server = db::Connection::open(serverOf(target));
        server->execute(QStringLiteral("drop database if exists \"%1\"").arg(name));
        server->execute(QStringLiteral("create database \"%1\"").arg(name));
    } else {
        QFile::remove(target);
        QFile::remove(target + QStringLiteral("-wal"));
        QFile::remove(target + QStringLiteral("-shm"));
    }
    auto connection = db::Connection::open(target);
    suitedb::createOrUpgrade(*connection);
    suitedb::generateDemoCompanies(*connection, companies);
    suitedb::generateDemoDocuments(*connection);
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
