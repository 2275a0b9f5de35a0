#include "bench_support.h"

#include "connection.h"
#include "db_error.h"
#include "demo.h"
#include "suitedb.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>
#include <limits>

namespace bench {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

void ensureDatabase(const QString &file, int companies)
{
    if (QFileInfo::exists(file))
        return;
    out() << "creating " << file << " with " << companies << " demo companies..." << Qt::endl;
    QElapsedTimer timer;
    timer.start();
    auto connection = db::Connection::open(file);
    suitedb::createOrUpgrade(*connection);
    suitedb::generateDemoCompanies(*connection, companies);
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

double timeSqliteCli(const QString &file, const QString &sql, int runs)
{
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < runs; ++run) {
        QProcess sqlite;
        sqlite.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        sqlite.start(QStringLiteral("sqlite3"), {file, sql});
        sqlite.waitForFinished(-1);
        const double ms = timer.nsecsElapsed() / 1e6;
        if (sqlite.exitStatus() != QProcess::NormalExit || sqlite.exitCode() != 0)
            throw db::DbError(QStringLiteral("sqlite3 failed: ") + QString::fromUtf8(sqlite.readAllStandardError()));
        best = std::min(best, ms);
    }
    return best;
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
