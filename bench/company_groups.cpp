// Measures building the kind names of every company (NazwyGrupFirm) from the
// rows of lista_grup_firm: two kinds per company, one in seven without a
// translation. The reference is the same build on a tenth of the companies in
// the same run; a ratio near 10 means the build grows linearly.
//
//   bench_company_groups [--companies N] [--runs R]

#include "bench_support.h"
#include "dataset.h"
#include "lists/lista_firm_grupy.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

QList<db::FieldDef> groupFields()
{
    QList<db::FieldDef> fields;
    for (const char *name : {"id_fg", "id_f", "grupa", "wartosc", "tresc"}) {
        db::FieldDef f;
        f.name = QString::fromLatin1(name);
        f.type = f.name == QLatin1String("wartosc") || f.name == QLatin1String("tresc") ? QMetaType::QString
                                                                                        : QMetaType::Int;
        fields << f;
    }
    return fields;
}

void openGroups(db::DataSet &groups, int companies)
{
    std::vector<std::vector<QVariant>> rows;
    rows.reserve(2 * size_t(companies));
    for (int f = 1; f <= companies; ++f)
        for (int g = 0; g < 2; ++g) {
            const int kind = 10 + g + f % 3;
            rows.push_back({QVariant(2 * f + g), QVariant(f), QVariant(kind),
                            QVariant(QStringLiteral("slow_%1").arg(kind)),
                            f % 7 == 0 && g == 1 ? QVariant() : QVariant(QStringLiteral("Rodzaj %1").arg(kind))});
        }
    groups.openFromRows(groupFields(), std::move(rows));
}

// Best wall time of `runs` builds, in ms.
double timeBuild(int companies, int runs)
{
    db::DataSet groups;
    openGroups(groups, companies);
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        partners::NazwyGrupFirm names;
        names.wczytaj(groups);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        if (names.liczbaFirm() != companies)
            bench::out() << "warning: " << names.liczbaFirm() << " companies named of " << companies << Qt::endl;
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int companies = bench::intArgument(args, QStringLiteral("--companies"), 100000, 10);
    const int runs = bench::intArgument(args, QStringLiteral("--runs"), 3, 1);
    const double reference = timeBuild(companies / 10, runs);
    const double full = timeBuild(companies, runs);
    bench::printTenfold(QStringLiteral("kind names, by companies (best of %1 runs)").arg(runs), companies, reference,
                        full);
    bench::out() << "peak memory: " << bench::peakMemoryKb() << " kB" << Qt::endl;
    return 0;
}
