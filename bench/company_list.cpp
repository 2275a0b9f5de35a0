// Measures the real company list for N demo companies on either engine, each
// figure beside its target: the first screen of rows, the whole list against
// the database's own tool reading the plain view (sqlite3, or psql's copy),
// the longest the window stops answering while the rest comes in, phrase
// search, sorting, select all, one quick-find keystroke, the company editor
// and peak memory. Targets grow from their 100,000-company value to their
// 1,000,000-company value in step with N.

#include "bench_support.h"
#include "bootstrap.h"
#include "company/edycja_firmy_form.h"
#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "host_context.h"
#include "host_funcs.h"
#include "lista_grid.h"
#include "lista_grid_model.h"
#include "lists/firmy_list_box.h"
#include "lists/lista_firm_form.h"
#include "lists/lista_firm_fr.h"
#include "lists/szybkie_szukanie_kontroler.h"
#include "partners_api.h"
#include "ramka/modul.h"
#include "scripted_prompter.h"
#include "suitedb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <limits>

namespace {

const char *const Usage = R"(usage: bench_company_list [options]
  --companies N                   demo companies in the database (default 100000)
  --engine sqlite|postgresql      the database engine (default sqlite)
  --db TARGET                     SQLite: the file (default /tmp/malvo-bench-list-N.db);
                                  PostgreSQL: a connection string (default: database
                                  malvo_bench_N on the server of $MALVO_TEST_PG)
  --phrase TEXT                   the phrase searched (default: one matching ~300 names)
  --help                          this text
The database is made once and reused while it holds N companies.
)";

// Each open is timed as the best of these runs, as is the reference.
constexpr int TimedRuns = 3;

void settle()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

double elapsedMs(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// With longestPauseMs, the longest the event loop was held at a time: how
// long the window could not answer the user.
bool waitFor(const std::function<bool()> &done, int timeoutMs = 600000, double *longestPauseMs = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QElapsedTimer pause;
        pause.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (longestPauseMs)
            *longestPauseMs = std::max(*longestPauseMs, elapsedMs(pause));
    }
    return true;
}

// A piece of a company name that matches a few hundred names (closest to 300).
QString pickPhrase(const db::DataSet &lista)
{
    const int nazwa = lista.fieldIndex(QStringLiteral("nazwa"));
    if (nazwa < 0 || lista.totalRowCount() == 0)
        return {};
    QStringList names;
    names.reserve(lista.totalRowCount());
    for (int row = 0; row < lista.totalRowCount(); ++row)
        names << lista.valueAt(db::Bookmark(row), nazwa).toString().toLower();
    QHash<QString, int> tried;
    QString best;
    int bestDistance = 1 << 30;
    const qsizetype step = std::max<qsizetype>(1, names.size() / 40);
    for (qsizetype i = 0; i < names.size(); i += step) {
        const QString &name = names[i];
        for (int len : {4, 5, 6, 8}) {
            for (int at = 0; at + len <= name.size(); at += 3) {
                const QString piece = name.mid(at, len);
                if (piece.contains(QLatin1Char(' ')) || tried.contains(piece))
                    continue;
                const auto hits =
                    std::count_if(names.cbegin(), names.cend(), [&](const QString &n) { return n.contains(piece); });
                tried.insert(piece, int(hits));
                const int wanted = std::clamp(int(names.size() / 300), 100, 3000);
                if (hits >= wanted / 3 && hits <= wanted * 3 && std::abs(int(hits) - wanted) < bestDistance) {
                    bestDistance = std::abs(int(hits) - wanted);
                    best = piece;
                }
            }
        }
        if (bestDistance < 50)
            break;
    }
    return best;
}

// A target set for 100,000 and 1,000,000 companies, for n companies.
double scaledTarget(double atHundredThousand, double atMillion, int n)
{
    const double share = std::clamp((n - 100000) / 900000.0, 0.0, 1.0);
    return atHundredThousand + share * (atMillion - atHundredThousand);
}

struct Figure
{
    QString what;
    double value = 0;
    QString unit;
    double target = 0; // 0: none
    QString reference;
};

void typeKey(QLineEdit *box, QChar letter)
{
    const int key = Qt::Key_A + (letter.toLower().unicode() - 'a');
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(letter));
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(letter));
    QCoreApplication::sendEvent(box, &release);
}

// The first letters of a name in the middle of the list: plain letters only,
// as typed.
QString typedPrefix(const db::DataSet &lista)
{
    const int nazwa = lista.fieldIndex(QStringLiteral("nazwa"));
    for (int i = lista.recordCount() / 2; i < lista.recordCount(); ++i) {
        const QString name = lista.valueAt(lista.bookmarkAt(i), nazwa).toString().left(4).toLower();
        if (name.size() == 4 && std::all_of(name.cbegin(), name.cend(), [](QChar c) {
                return c >= QLatin1Char('a') && c <= QLatin1Char('z');
            }))
            return name;
    }
    return QStringLiteral("tran");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--help"))) {
        bench::out() << Usage;
        return 0;
    }
    try {
        const int companies = bench::intArgument(args, QStringLiteral("--companies"), 100000, 1);
        const QString engine = bench::textArgument(args, QStringLiteral("--engine"), QStringLiteral("sqlite"));
        const bool postgres = engine == QLatin1String("postgresql");
        if (!postgres && engine != QLatin1String("sqlite")) {
            QTextStream(stderr) << "bench: unknown engine " << engine << "\n" << Usage;
            return 2;
        }
        QString target = bench::textArgument(args, QStringLiteral("--db"));
        if (target.isEmpty() && postgres) {
            const QString server = qEnvironmentVariable("MALVO_TEST_PG");
            if (server.isEmpty()) {
                QTextStream(stderr) << "bench: PostgreSQL needs --db or $MALVO_TEST_PG "
                                       "(eval \"$(scripts/pg-test-server.sh start)\")\n";
                return 2;
            }
            target = bench::postgresDatabase(server, QStringLiteral("malvo_bench_%1").arg(companies));
        }
        if (target.isEmpty())
            target = bench::sqliteFile(companies);
        bench::ensureCompanies(target, companies);

        host::BootstrapOptions options;
        options.database = target;
        host::bootstrap(options);
        host::ScriptedPrompter &prompter = host::installScriptedPrompter();
        host::appContext().setOption(host::option::ListaFirmSzybkieSzukanie, true);
        if (!postgres)
            bench::warmFile(target);

        QList<Figure> figures;
        // Open: from the entry point to the first rows on screen, and on to
        // the whole list in; the best of a few, each in a fresh window.
        Tlista_firm_form *forma = nullptr;
        Tlista_firm_frame *frame = nullptr;
        double firstScreenMs = std::numeric_limits<double>::max();
        double wholeMs = std::numeric_limits<double>::max();
        double longestPauseMs = std::numeric_limits<double>::max();
        double quickFindReadyMs = std::numeric_limits<double>::max();
        QElapsedTimer timer;
        for (int run = 0; run < TimedRuns; ++run) {
            if (forma) {
                forma->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                settle();
            }
            timer.start();
            _Execute(nullptr, 1);
            forma = qobject_cast<Tlista_firm_form *>(partners::windows().lista_firm_form.data());
            if (!forma)
                throw db::DbError(QStringLiteral("the company list window did not appear"));
            frame = forma->frame_list();
            ui::ListaGrid *grid = frame->ListaGrid();
            if (!waitFor([&] { return forma->isVisible() && grid->gridModel()->rowCount() > 0; }))
                throw db::DbError(QStringLiteral("no rows shown within 600 s"));
            grid->viewport()->repaint();
            firstScreenMs = std::min(firstScreenMs, elapsedMs(timer));
            double pauseMs = 0;
            if (!waitFor([&] { return frame->property("DaneWczytane").toBool(); }, 600000, &pauseMs))
                throw db::DbError(QStringLiteral("the company list did not load within 600 s"));
            wholeMs = std::min(wholeMs, elapsedMs(timer));
            // The quick-find index is built between events after the list is in.
            partners::SzybkieSzukanieKontroler *szybkie = frame->SzybkieSzukanie();
            if (!szybkie || !waitFor([&] { return !szybkie->buduje(); }, 600000, &pauseMs))
                throw db::DbError(QStringLiteral("the quick-find index was not built within 600 s"));
            quickFindReadyMs = std::min(quickFindReadyMs, elapsedMs(timer));
            longestPauseMs = std::min(longestPauseMs, pauseMs);
        }
        db::DataSet &lista = *frame->Lista();
        const int listRows = lista.recordCount();

        const QString plainView =
            QStringLiteral("select * from VListaFirmFull where id_jezyka = %1").arg(suitedb::LanguagePolish);
        const double referenceMs = postgres ? bench::timePsqlCopy(target, plainView, TimedRuns)
                                            : bench::timeSqliteCli(target, plainView, TimedRuns);
        const QString referenceName = postgres ? QStringLiteral("psql copy") : QStringLiteral("sqlite3");
        figures << Figure{QStringLiteral("first screen of rows shown"), firstScreenMs, QStringLiteral("ms"),
                          scaledTarget(150, 300, companies), QString()};
        figures << Figure{QStringLiteral("whole list fetched"), wholeMs, QStringLiteral("ms"), 0,
                          QStringLiteral("%1: %2 ms").arg(referenceName).arg(referenceMs, 0, 'f', 1)};
        figures << Figure{QStringLiteral("whole list / plain view read"), wholeMs / referenceMs, QStringLiteral("x"),
                          1.5, QString()};
        figures << Figure{QStringLiteral("quick-find index built, from the open"), quickFindReadyMs,
                          QStringLiteral("ms"), 0, QString()};
        figures << Figure{QStringLiteral("longest pause of the window meanwhile"), longestPauseMs, QStringLiteral("ms"),
                          0, QString()};

        const double stepTarget = scaledTarget(50, 500, companies);
        auto *szukany = frame->findChild<QLineEdit *>(QStringLiteral("szukany_tekst"));
        if (!szukany)
            throw db::DbError(QStringLiteral("szukany_tekst not found"));
        const QString phrase = bench::textArgument(args, QStringLiteral("--phrase"), pickPhrase(lista));
        szukany->setText(phrase);
        timer.restart();
        frame->bWyszWgFrazyZastosujClick();
        waitFor([&] { return frame->property("DaneWczytane").toBool(); });
        settle();
        figures << Figure{QStringLiteral("phrase search \"%1\" (%2 rows)").arg(phrase).arg(lista.recordCount()),
                          elapsedMs(timer), QStringLiteral("ms"), stepTarget, QString()};
        szukany->clear();
        frame->bWyszWgFrazyZastosujClick();
        waitFor([&] { return frame->property("DaneWczytane").toBool(); });
        settle();

        ui::ListaGrid *grid = frame->ListaGrid();
        for (const QString &field : {QStringLiteral("nazwa"), QStringLiteral("miasto")}) {
            const int column = grid->columnOf(field);
            if (column < 0)
                throw db::DbError(QStringLiteral("column %1 not in the grid").arg(field));
            timer.restart();
            grid->titleClicked(column);
            settle();
            figures << Figure{QStringLiteral("sort by %1").arg(field), elapsedMs(timer), QStringLiteral("ms"),
                              stepTarget, QString()};
        }

        timer.restart();
        grid->checkAll();
        settle();
        figures << Figure{QStringLiteral("select all (%1 selected)").arg(grid->selectedCount()), elapsedMs(timer),
                          QStringLiteral("ms"), stepTarget, QString()};
        grid->uncheckAll();

        // Quick-find: the slowest of the keystrokes of a name's first letters.
        partners::SzybkieSzukanieKontroler *szybkie = frame->SzybkieSzukanie();
        if (!szybkie)
            throw db::DbError(QStringLiteral("quick-find is off"));
        szukany->clear();
        szukany->setFocus();
        const QString typed = typedPrefix(lista);
        double slowestKeyMs = 0;
        for (const QChar letter : typed) {
            timer.restart();
            typeKey(szukany, letter);
            settle();
            slowestKeyMs = std::max(slowestKeyMs, elapsedMs(timer));
        }
        const int shown = szybkie->widoczna() ? szybkie->lista()->liczbaWpisow() : 0;
        figures << Figure{QStringLiteral("quick-find keystroke (\"%1\", %2 shown)").arg(typed).arg(shown), slowestKeyMs,
                          QStringLiteral("ms"), scaledTarget(20, 100, companies), QString()};
        szybkie->ukryj();
        szukany->clear();

        // The company editor, for a company in the middle of the list.
        const int company =
            lista.valueAt(lista.bookmarkAt(lista.recordCount() / 2), lista.fieldIndex(QStringLiteral("id"))).toInt();
        double editorMs = 0;
        {
            auto editor = std::make_unique<Tedycja_firmy_form>();
            editor->UstawRekord(company, host::GetLanguage());
            prompter.push(host::ScriptedPrompter::Answer::dialog([&](QDialog &) {
                settle();
                editorMs = elapsedMs(timer);
            }));
            timer.restart();
            editor->PokazRekord(company, Tszablon_edycja_form::Edycja, 1);
        }
        figures << Figure{QStringLiteral("company editor to a filled window"), editorMs, QStringLiteral("ms"), 150,
                          QString()};
        figures << Figure{QStringLiteral("peak memory"), bench::peakMemoryKb() / 1024.0, QStringLiteral("MB"),
                          scaledTarget(200, 900, companies), QString()};

        bench::out() << "\ncompany list, " << listRows << " companies, " << engine << " ("
                     << db::Connection::displayTarget(target) << ")\n";
        const auto line = [](const QString &a, const QString &b, const QString &c, const QString &d, const QString &e) {
            bench::out() << QStringLiteral("  %1 %2 %3 %4  %5\n").arg(a, -44).arg(b, 12).arg(c, 12).arg(d, -6).arg(e);
        };
        line(QStringLiteral("figure"), QStringLiteral("value"), QStringLiteral("target"), QStringLiteral("result"),
             QStringLiteral("reference"));
        bool allMet = true;
        for (const Figure &f : std::as_const(figures)) {
            const int decimals = f.unit == QLatin1String("x") ? 2 : 1;
            const QString value = QStringLiteral("%1 %2").arg(f.value, 0, 'f', decimals).arg(f.unit);
            const QString target =
                f.target > 0 ? QStringLiteral("<= %1 %2").arg(f.target, 0, 'f', decimals).arg(f.unit) : QString();
            const bool met = f.target <= 0 || f.value <= f.target;
            allMet = allMet && met;
            line(f.what, value, target,
                 f.target > 0 ? (met ? QStringLiteral("ok") : QStringLiteral("MISSED")) : QString(), f.reference);
        }
        bench::out() << (allMet ? "all targets met\n" : "some targets missed\n");
        bench::out().flush();

        forma->close();
        settle();
        host::shutdown();
        return 0;
    } catch (const db::DbError &e) {
        QTextStream(stderr) << "bench: " << e.message() << "\n";
        return 1;
    }
}
