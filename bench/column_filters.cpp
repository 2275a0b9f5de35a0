// Applies a column filter that keeps three of fifty codes to a loaded list
// of N rows and compares the time with the same filter over N/10 rows
// measured in the same run: the ratio shows how the filter scales.
//
//   bench_column_filters [--rows N] [--runs R]

#include "bench_support.h"
#include "dataset.h"
#include "ramka/filters/filter_collector.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <limits>

namespace {

struct Result
{
    double ms = 0;
    int shown = 0;
};

// Loads `rows` rows, checks three codes in the first column's list and times closing it.
Result applyOnce(int rows)
{
    std::vector<std::vector<QVariant>> data;
    data.reserve(rows);
    for (int i = 0; i < rows; ++i)
        data.push_back({i + 1, QStringLiteral("K%1").arg(i % 50, 2, 10, QLatin1Char('0')), i % 7});
    db::DataSet dataSet;
    dataSet.openFromRows({{QStringLiteral("id"), QMetaType::Int},
                          {QStringLiteral("kod"), QMetaType::QString},
                          {QStringLiteral("grupa"), QMetaType::Int}},
                         std::move(data));
    partners::TFilterCollector collector;
    collector.addFilter(QStringLiteral("kod"));
    collector.addFilter(QStringLiteral("grupa"));
    collector.apply(dataSet);
    collector.prepareList(dataSet, 0);
    collector.filter(0).uncheckAllOffered();
    for (const char *code : {"K03", "K17", "K42"})
        collector.filter(0).setChecked(QString::fromLatin1(code), true);
    QElapsedTimer timer;
    timer.start();
    collector.listClosed(dataSet, 0);
    return {timer.nsecsElapsed() / 1e6, dataSet.recordCount()};
}

Result best(int rows, int runs)
{
    Result result{std::numeric_limits<double>::max(), 0};
    for (int run = 0; run < runs; ++run) {
        const Result r = applyOnce(rows);
        if (r.ms < result.ms)
            result = r;
    }
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rows = bench::intArgument(args, QStringLiteral("--rows"), 100000, 10);
    const int runs = bench::intArgument(args, QStringLiteral("--runs"), 3, 1);
    const Result reference = best(rows / 10, runs);
    const Result full = best(rows, runs);
    bench::printTenfold(QStringLiteral("column filter, 3 of 50 codes, by rows (best of %1 runs)").arg(runs), rows,
                        reference.ms, full.ms);
    bench::out() << "  shown: " << reference.shown << " and " << full.shown << Qt::endl;
    return 0;
}
