// Measures the company editor on a company with many rows of its own: the
// time from the call to a filled window, and to each page shown the first
// time (its lists loaded and laid out), against the sqlite3 command reading
// the same company's addresses, contacts and phones.
//
//   bench_company_editor [--addresses N] [--contacts N] [--phones N] [--db FILE]
//
// Each run adds one company with the rows asked for to a database of 1,000
// demo companies, made again when an earlier run's company is in it.

#include "bench_support.h"
#include "bootstrap.h"
#include "company/edycja_firmy_form.h"
#include "company/podrekordy/ramka_podrekordow_fr.h"
#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "host_funcs.h"
#include "scripted_prompter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <memory>

namespace {

struct Sizes
{
    int addresses = 50;
    int contacts = 50;
    int phones = 200;
};

void exec(const QString &sql, const QVariantMap &values)
{
    if (!host::ExecQuery(sql, nullptr, 0, values))
        throw db::DbError(QStringLiteral("cannot run: %1").arg(sql));
}

// The company and its rows, written directly in one transaction.
int addHeavyCompany(const Sizes &sizes)
{
    db::Transaction transaction(*host::GetConnection());
    exec(QStringLiteral("insert into firma (nazwa, skrot, aktywna) values (:nazwa, :skrot, 1)"),
         {{QStringLiteral("nazwa"), QStringLiteral("Bench Spedycja Wielu Adresów Sp. z o.o.")},
          {QStringLiteral("skrot"), QStringLiteral("BENCH-WIELE")}});
    const int company = host::GetIntDB(QStringLiteral("select max(id_f) from firma"));
    const int city = host::GetIntDB(QStringLiteral("select min(id_m) from miasto"));
    for (int i = 0; i < sizes.addresses; ++i)
        exec(QStringLiteral("insert into adres (id_, tabela, id_m, ulica, nr_domu, czy_domyslny) "
                            "values (:id_, 7, :id_m, :ulica, :nr_domu, :dom)"),
             {{QStringLiteral("id_"), company},
              {QStringLiteral("id_m"), city},
              {QStringLiteral("ulica"), QStringLiteral("Magazynowa")},
              {QStringLiteral("nr_domu"), QString::number(i + 1)},
              {QStringLiteral("dom"), i == 0 ? 1 : 0}});
    for (int i = 0; i < sizes.contacts; ++i)
        exec(QStringLiteral("insert into kontakt (id_f, nazwisko, imie, e_mail, tel) "
                            "values (:id_f, :nazwisko, :imie, :e_mail, :tel)"),
             {{QStringLiteral("id_f"), company},
              {QStringLiteral("nazwisko"), QStringLiteral("Kowalski %1").arg(i + 1)},
              {QStringLiteral("imie"), QStringLiteral("Jan")},
              {QStringLiteral("e_mail"), QStringLiteral("jan%1@example.pl").arg(i + 1)},
              {QStringLiteral("tel"), QStringLiteral("+48 600 100 %1").arg(i + 100)}});
    for (int i = 0; i < sizes.phones; ++i)
        exec(QStringLiteral("insert into telefon (id_, tabela, numer, czy_domysl, tel_fax) "
                            "values (:id_, 7, :numer, :dom, 1)"),
             {{QStringLiteral("id_"), company},
              {QStringLiteral("numer"), QStringLiteral("+48 22 %1").arg(1000000 + i)},
              {QStringLiteral("dom"), i == 0 ? 1 : 0}});
    transaction.commit();
    return company;
}

int rowsOnPage(QWidget *page)
{
    int rows = 0;
    for (Tramka_podrekordow_frame *frame : page->findChildren<Tramka_podrekordow_frame *>())
        rows += frame->Lista()->isActive() ? frame->Lista()->recordCount() : 0;
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        Sizes sizes;
        sizes.addresses = bench::intArgument(args, QStringLiteral("--addresses"), 50, 0);
        sizes.contacts = bench::intArgument(args, QStringLiteral("--contacts"), 50, 0);
        sizes.phones = bench::intArgument(args, QStringLiteral("--phones"), 200, 0);
        const QString file = bench::textArgument(args, QStringLiteral("--db"),
                                                 QDir::temp().filePath(QStringLiteral("malvo-bench-editor.db")));
        bench::ensureCompanies(file, 1000);

        host::BootstrapOptions options;
        options.database = file;
        host::bootstrap(options);
        host::ScriptedPrompter &prompter = host::installScriptedPrompter();
        const int company = addHeavyCompany(sizes);
        bench::warmFile(file);

        struct Timing
        {
            QString page;
            double ms;
            int rows;
        };
        QList<Timing> timings;
        QElapsedTimer timer;
        // The editor goes before the connection does.
        auto editor = std::make_unique<Tedycja_firmy_form>();
        editor->UstawRekord(company, host::GetLanguage());
        prompter.push(host::ScriptedPrompter::Answer::dialog([&](QDialog &) {
            QCoreApplication::processEvents();
            timings << Timing{QStringLiteral("filled window (tsDaneOgolne)"), timer.nsecsElapsed() / 1e6, 0};
            QTabWidget *pages = editor->PageControl();
            for (int i = 0; i < pages->count(); ++i) {
                if (!pages->isTabVisible(i) || i == pages->currentIndex())
                    continue;
                timer.restart();
                pages->setCurrentIndex(i);
                QCoreApplication::processEvents();
                timings << Timing{pages->widget(i)->objectName(), timer.nsecsElapsed() / 1e6,
                                  rowsOnPage(pages->widget(i))};
            }
        }));
        timer.start();
        editor->PokazRekord(company, Tszablon_edycja_form::Edycja, 1);

        const QString reference =
            QStringLiteral("select * from VListaAdresow where tabela = 7 and id_ = %1; "
                           "select * from VListaKontaktow where id_f = %1 and id_jezyka = 1; "
                           "select * from VListaTelefonow where tabela = 7 and id_ = %1 and id_jezyka = 1;")
                .arg(company);
        const double cliMs = bench::timeSqliteCli(file, reference, 3);

        bench::out() << QStringLiteral("\ncompany editor, %1 addresses, %2 contacts, %3 phones (%4)\n")
                            .arg(sizes.addresses)
                            .arg(sizes.contacts)
                            .arg(sizes.phones)
                            .arg(file);
        bench::out() << QStringLiteral("  %1 %2 %3 %4 %5\n")
                            .arg(QStringLiteral("measure"), -32)
                            .arg(QStringLiteral("rows"), 6)
                            .arg(QStringLiteral("value"), 10)
                            .arg(QStringLiteral("target"), 10)
                            .arg(QStringLiteral("result"));
        for (const Timing &t : std::as_const(timings))
            bench::out() << QStringLiteral("  %1 %2 %3 %4 %5\n")
                                .arg(t.page, -32)
                                .arg(t.rows, 6)
                                .arg(QStringLiteral("%1 ms").arg(t.ms, 0, 'f', 1), 10)
                                .arg(QStringLiteral("< 150 ms"), 10)
                                .arg(t.ms < 150 ? QStringLiteral("ok") : QStringLiteral("MISSED"));
        bench::out() << QStringLiteral("  %1 %2 %3\n")
                            .arg(QStringLiteral("sqlite3, the three lists' rows"), -32)
                            .arg(QString(), 6)
                            .arg(QStringLiteral("%1 ms").arg(cliMs, 0, 'f', 1), 10);
        bench::out().flush();
        editor.reset();
        host::shutdown();
        return timings.size() > 1 ? 0 : 1;
    } catch (const db::DbError &e) {
        QTextStream(stderr) << "bench: " << e.message() << "\n";
        return 1;
    }
}
