// Measures the company export and import without a window: N demo companies
// with their accounts, addresses, contacts and phones exported to CSV and to
// XML through TImportExport and Texport_firm_form, each against the sqlite3
// command writing the same joins with -csv; then each file imported into an
// empty database through Timport_firm_form, on SQLite and, with
// $MALVO_TEST_PG set, on PostgreSQL too. Every phase runs in a process of its
// own, so each peak memory figure is that phase's.
//
//   bench_company_export_import [--companies N] [--db FILE] [--dir DIR]
//
// The demo database is created once (with N demo companies) and reused.

#include "bench_support.h"
#include "bootstrap.h"
#include "company/import_eksport/export_firm_form.h"
#include "company/import_eksport/import_firm_form.h"
#include "company/import_eksport/pomin_nadpisz_form.h"
#include "connection.h"
#include "db_error.h"
#include "host_funcs.h"
#include "ramka/import_eksport/import_eksport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <limits>

namespace {

constexpr int TimedRuns = 3;

void printRow(const QString &what, const QString &value, const QString &target = QString(), bool ok = true)
{
    bench::out() << QStringLiteral("  %1 %2 %3 %4\n")
                        .arg(what, -46)
                        .arg(value, 14)
                        .arg(target, 10)
                        .arg(target.isEmpty() ? QString() : (ok ? QStringLiteral("ok") : QStringLiteral("MISSED")));
    bench::out().flush();
}

void printPeak(const QString &phase)
{
    const double peakMb = bench::peakMemoryKb() / 1024.0;
    printRow(QStringLiteral("peak memory, %1").arg(phase), QStringLiteral("%1 MB").arg(peakMb, 0, 'f', 1),
             QStringLiteral("< 300 MB"), peakMb < 300);
}

// The rows the export reads, as the sqlite3 command writes them: each
// company with its accounts (every company at least once), then with its
// addresses, contacts and phones; one join per table, no cross product.
QString referenceSql(int language)
{
    const QString firma = QStringLiteral("f.id, f.nazwa, f.skrot, f.wlasciciel, f.e_mail, f.www, f.nr_gg, f.skype, "
                                         "f.nr_trans, f.nip, f.regon, f.krs, f.nazwa_statusu, f.id_typu, f.nocne_od, "
                                         "f.nocne_do, f.swieta_od, f.pora_nocna_od, f.pora_nocna_do");
    const QString jezyk = QString::number(language);
    return QStringLiteral("select %1, k.id, k.nr_konta, k.bank, k.waluta, k.czy_domyslne, k.aktywne "
                          "from VListaFirmFull f left join VListaKont k on k.tabela = 7 and k.id_ = f.id "
                          "where f.id_jezyka = %2 order by f.id, k.id;"
                          "select %1, a.id, a.ulica, a.nr_domu, a.nr_m, a.kod, a.miasto, a.nazwa_panstwa, "
                          "a.czy_domyslny from VListaFirmFull f join VListaAdresow a on a.tabela = 7 and a.id_ = f.id "
                          "where f.id_jezyka = %2 order by f.id, a.id;"
                          "select %1, c.id, c.imie, c.nazwisko, c.e_mail, c.nr_gg, c.skype, c.nr_trans, "
                          "c.stanowisko, c.tel from VListaFirmFull f join VListaKontaktow c on c.id_f = f.id "
                          "and c.id_jezyka = %2 where f.id_jezyka = %2 order by f.id, c.id;"
                          "select %1, t.id, t.numer, t.rodzaj_slownie, t.tel_fax_slownie, t.czy_domysl "
                          "from VListaFirmFull f join VListaTelefonow t on t.tabela = 7 and t.id_ = f.id "
                          "and t.id_jezyka = %2 where f.id_jezyka = %2 order by f.id, t.id;")
        .arg(firma, jezyk);
}

double timeSqliteCsv(const QString &file, const QString &sql, const QString &output)
{
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < TimedRuns; ++run) {
        QProcess sqlite;
        sqlite.setStandardOutputFile(output);
        QElapsedTimer timer;
        timer.start();
        sqlite.start(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), file, sql});
        sqlite.waitForFinished(-1);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        if (sqlite.exitStatus() != QProcess::NormalExit || sqlite.exitCode() != 0)
            throw db::DbError(QStringLiteral("sqlite3 failed: ") + QString::fromUtf8(sqlite.readAllStandardError()));
    }
    return best;
}

void exportPhase(const QString &database, const QString &dir)
{
    host::BootstrapOptions options;
    options.database = database;
    options.createWhenMissing = false;
    host::bootstrap(options);
    const QList<int> ids = host::GetListaIntDB(QStringLiteral("select id_f from firma order by id_f"));
    const QString reference = QDir(dir).filePath(QStringLiteral("reference.csv"));
    bench::warmFile(database);
    const double cliMs = timeSqliteCsv(database, referenceSql(host::GetLanguage()), reference);
    printRow(QStringLiteral("sqlite3 -csv, the same joins"), QStringLiteral("%1 ms").arg(cliMs, 0, 'f', 1));
    for (const int kod : {2, 1}) {
        const QString plik = QDir(dir).filePath(kod == 2 ? QStringLiteral("firmy.csv") : QStringLiteral("firmy.xml"));
        // The best of as many runs as the sqlite3 side has.
        double ms = std::numeric_limits<double>::max();
        for (int run = 0; run < TimedRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            TImportExport job(TIEFileType::utworz(kod), std::make_unique<Texport_firm_form>(ids), plik, false);
            if (!job.Run(false))
                throw db::DbError(QStringLiteral("the export to %1 failed").arg(plik));
            ms = std::min(ms, timer.nsecsElapsed() / 1e6);
        }
        const QString nazwa = kod == 2 ? QStringLiteral("CSV") : QStringLiteral("XML");
        printRow(QStringLiteral("export of %1 companies to %2 (%3 kB)")
                     .arg(ids.size())
                     .arg(nazwa)
                     .arg(QFile(plik).size() / 1024),
                 QStringLiteral("%1 ms").arg(ms, 0, 'f', 1));
        // The target is the CSV's; the XML, larger by its markup, is shown beside it.
        printRow(QStringLiteral("ratio %1 export / sqlite3").arg(nazwa), QString::number(ms / cliMs, 'f', 2),
                 kod == 2 ? QStringLiteral("<= 2.0") : QString(), ms / cliMs <= 2.0);
    }
    printPeak(QStringLiteral("export"));
    bench::out() << "  (sqlite3 statement: " << referenceSql(host::GetLanguage()) << ")\n";
    host::shutdown();
}

void importPhase(const QString &file, const QString &database)
{
    bench::makeEmpty(database);
    const bool postgres = db::Connection::isPostgresTarget(database);
    host::BootstrapOptions options;
    options.database = database;
    host::bootstrap(options);
    auto forma = std::make_unique<Timport_firm_form>([](const QString &) { return int(Tpomin_nadpisz_form::Pomin); });
    Timport_firm_form::Podsumowanie wynik;
    forma->poImporcie = [&wynik](const Timport_firm_form::Podsumowanie &p) { wynik = p; };
    QElapsedTimer timer;
    timer.start();
    TImportExport job(TIEFileType::utworz(kodTypuPliku(file)), std::move(forma), file);
    if (!job.Run(false))
        throw db::DbError(QStringLiteral("the import of %1 failed").arg(file));
    const double s = timer.nsecsElapsed() / 1e9;
    const double rate = wynik.zapisane / s;
    const QString nazwa = QFileInfo(file).fileName() + (postgres ? QStringLiteral(", PostgreSQL") : QString());
    printRow(QStringLiteral("import of %1 (%2 written, %3 refused)")
                 .arg(nazwa)
                 .arg(wynik.zapisane)
                 .arg(wynik.odrzucone.size()),
             QStringLiteral("%1 ms").arg(s * 1000, 0, 'f', 1));
    const int target = postgres ? 2000 : 5000;
    printRow(QStringLiteral("companies per second, %1").arg(nazwa), QString::number(rate, 'f', 0),
             QStringLiteral(">= %1").arg(target), rate >= target && wynik.odrzucone.isEmpty());
    printPeak(QStringLiteral("import ") + nazwa);
    host::shutdown();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        const int companies = bench::intArgument(args, QStringLiteral("--companies"), 10000, 1);
        const QString database = bench::textArgument(
            args, QStringLiteral("--db"), QDir::temp().filePath(QStringLiteral("malvo-bench-%1.db").arg(companies)));
        const QString dir = bench::textArgument(
            args, QStringLiteral("--dir"), QDir::temp().filePath(QStringLiteral("malvo-bench-ie-%1").arg(companies)));
        const QString phase = bench::textArgument(args, QStringLiteral("--phase"), QString());
        if (phase == QLatin1String("export")) {
            exportPhase(database, dir);
            return 0;
        }
        if (phase == QLatin1String("import")) {
            importPhase(
                bench::textArgument(args, QStringLiteral("--file"), QString()),
                bench::textArgument(args, QStringLiteral("--into"), QDir(dir).filePath(QStringLiteral("import.db"))));
            return 0;
        }
        bench::ensureCompanies(database, companies);
        QDir().mkpath(dir);
        bench::out() << "\ncompany export and import, " << companies << " demo companies (" << database << ")\n";
        bench::out() << QStringLiteral("  %1 %2 %3 %4\n")
                            .arg(QStringLiteral("measure"), -46)
                            .arg(QStringLiteral("value"), 14)
                            .arg(QStringLiteral("target"), 10)
                            .arg(QStringLiteral("result"));
        bench::out().flush();
        const QStringList common{QStringLiteral("--db"), database, QStringLiteral("--dir"), dir};
        QList<QStringList> phases{{QStringLiteral("--phase"), QStringLiteral("export")}};
        QStringList into{QDir(dir).filePath(QStringLiteral("import.db"))};
        if (const QString server = qEnvironmentVariable("MALVO_TEST_PG"); !server.isEmpty())
            into << bench::postgresDatabase(server, QStringLiteral("malvo_bench_import"));
        for (const QString &target : std::as_const(into))
            for (const char *file : {"firmy.csv", "firmy.xml"})
                phases.append({QStringLiteral("--phase"), QStringLiteral("import"), QStringLiteral("--file"),
                               QDir(dir).filePath(QLatin1String(file)), QStringLiteral("--into"), target});
        for (const QStringList &p : phases) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(), common + p);
            child.waitForFinished(-1);
            if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
                throw db::DbError(QStringLiteral("the phase %1 failed").arg(p.join(u' ')));
        }
        return 0;
    } catch (const db::DbError &e) {
        QTextStream(stderr) << "bench: " << e.message() << "\n";
        return 1;
    }
}
