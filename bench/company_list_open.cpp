// Opens the company view for N demo companies into a data set and compares
// the time with the sqlite3 command running the same SELECT on the same file.
//
//   bench_company_list_open [--companies N] [--db FILE] [--runs R]
//
// The database is created once (with N demo companies) and reused. The data
// set is opened in a child process so that its peak memory is its own.

#include "bench_support.h"
#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "demo.h"
#include "suitedb.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <limits>

namespace {

const QString Select = QStringLiteral("select * from VListaFirmFull where id_jezyka = %1").arg(suitedb::LanguagePolish);

// Child mode: open the data set once, print "<ms> <rows> <peak kB>".
int openOnce(const QString &file)
{
    auto connection = db::Connection::open(file);
    db::DataSet lista;
    lista.setConnection(connection.get());
    lista.setCommandText(Select);
    QElapsedTimer timer;
    timer.start();
    lista.open();
    const double ms = timer.nsecsElapsed() / 1e6;
    bench::out() << ms << " " << lista.recordCount() << " " << bench::peakMemoryKb() << Qt::endl;
    return 0;
}

struct ChildResult
{
    double ms = 0;
    int rows = 0;
    long peakKb = 0;
};

ChildResult timeDataSet(const QString &file)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open-once"), file});
    child.waitForFinished(-1);
    const QStringList parts = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char(' '));
    if (child.exitCode() != 0 || parts.size() != 3)
        throw db::DbError(QStringLiteral("data set run failed: ") + QString::fromUtf8(child.readAllStandardError()));
    return {parts[0].toDouble(), parts[1].toInt(), parts[2].trimmed().toLong()};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == QLatin1String("--open-once"))
            return openOnce(args[2]);

        int companies = 100000;
        int runs = 3;
        QString file;
        for (int i = 1; i + 1 < args.size(); i += 2) {
            if (args[i] == QLatin1String("--companies"))
                companies = args[i + 1].toInt();
            else if (args[i] == QLatin1String("--db"))
                file = args[i + 1];
            else if (args[i] == QLatin1String("--runs"))
                runs = std::max(1, args[i + 1].toInt());
        }
        if (file.isEmpty())
            file = QDir::temp().filePath(QStringLiteral("malvo-bench-%1.db").arg(companies));
        bench::ensureCompanies(file, companies);

        double cliBest = std::numeric_limits<double>::max();
        ChildResult best{std::numeric_limits<double>::max(), 0, 0};
        for (int run = 0; run < runs; ++run) {
            cliBest = std::min(cliBest, bench::timeSqliteCli(file, Select));
            const ChildResult r = timeDataSet(file);
            if (r.ms < best.ms)
                best = r;
        }
        bench::out() << "company list open, " << best.rows << " rows (best of " << runs << " runs)\n";
        bench::out() << "  sqlite3 command:  " << QString::number(cliBest, 'f', 1) << " ms\n";
        bench::out() << "  data set open:    " << QString::number(best.ms, 'f', 1) << " ms\n";
        bench::out() << "  ratio:            " << QString::number(best.ms / cliBest, 'f', 2) << " (target <= 2.0)\n";
        bench::out() << "  peak memory:      " << QString::number(best.peakKb / 1024.0, 'f', 1)
                     << " MB (target <= 400)\n";
        return 0;
    } catch (const db::DbError &e) {
        QTextStream(stderr) << "bench: " << e.message() << "\n";
        return 1;
    }
}
