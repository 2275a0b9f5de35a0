#include "command_line.h"
#include "main_window.h"
#include "module_loader.h"

#include "bootstrap.h"
#include "db_error.h"
#include "host.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace {

// Companies a first start puts into the new embedded database, so that a
// newcomer sees a working list at once.
constexpr int DemoCompaniesOnFirstRun = 200;

// The picture must show rows, so wait until the list frame says they are in.
void waitForCompanyList(QWidget &window)
{
    const auto loaded = [&window] {
        const QObject *frame = window.findChild<QObject *>(QStringLiteral("frame_list"));
        if (!frame) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if ((frame = w->findChild<QObject *>(QStringLiteral("frame_list"))))
                    break;
        }
        return frame && frame->property("DaneWczytane").toBool();
    };
    QDeadlineTimer deadline(std::chrono::seconds(60));
    while (!loaded() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
}

// A modal window of the module, named by its objectName or class: it is
// photographed from inside its own loop once `ready` says so, then dismissed
// without its close question. `run` opens it and returns when it is gone.
bool screenshotModal(const char *name, const std::function<bool(QWidget &)> &ready, const std::function<void()> &run,
                     const QString &file)
{
    bool saved = false;
    bool tried = false;
    QDeadlineTimer deadline(std::chrono::seconds(60));
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if ((w->objectName() == QLatin1String(name) || w->inherits(name)) && w->isVisible())
                modal = w;
        if ((!modal || !ready(*modal)) && !deadline.hasExpired())
            return;
        poll.stop();
        tried = true;
        if (!modal)
            return;
        QCoreApplication::processEvents();
        saved = modal->grab().save(file, "PNG");
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
    });
    poll.start();
    run();
    if (!saved)
        QTextStream(stderr) << "malvo: " << (tried ? "cannot write " : "no window to photograph for ") << file << "\n";
    return saved;
}

bool screenshotPicker(MainWindow &window, const QString &file)
{
    const auto loaded = [](QWidget &picker) {
        const QObject *frame = picker.findChild<QObject *>(QStringLiteral("frame_list"));
        return frame && frame->property("DaneWczytane").toBool();
    };
    return screenshotModal(
        "lista_firm_modal_form", loaded, [&window] { window.pickCompany(); }, file);
}

// The editor loads while it is shown; one more pass of the loop lets it paint.
bool screenshotEditor(MainWindow &window, int company, const QString &page, const QString &file)
{
    int polls = 0;
    const auto loaded = [&polls](QWidget &) { return ++polls > 2; };
    const auto run = [&] {
        if (company > 0)
            window.editCompany(company, page);
        else
            window.newCompany();
    };
    return screenshotModal("Tedycja_firmy_form", loaded, run, file);
}

int runGui(QApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Malvo: the companies register of the transport suite"));
    parser.addHelpOption();
    QCommandLineOption dbOption(
        QStringLiteral("db"),
        QStringLiteral("SQLite file or PostgreSQL connection string (default: %1).").arg(host::defaultDatabasePath()),
        QStringLiteral("target"));
    QCommandLineOption langOption(QStringLiteral("lang"), QStringLiteral("Language: pl or en."), QStringLiteral("code"),
                                  QStringLiteral("pl"));
    QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("Login of the user."), QStringLiteral("login"),
                                  QStringLiteral("admin"));
    QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the window into a PNG file and exit."),
                                        QStringLiteral("file"));
    QCommandLineOption windowOption(QStringLiteral("window"),
                                    QStringLiteral("With --screenshot: open this window first (list: the company list,"
                                                   " picker: the company picker, editor: the company editor)."),
                                    QStringLiteral("name"));
    QCommandLineOption companyOption(QStringLiteral("company"),
                                     QStringLiteral("With --window editor: the company to edit (default: a new one)."),
                                     QStringLiteral("id"));
    QCommandLineOption tabOption(
        QStringLiteral("tab"),
        QStringLiteral("With --window editor: the page shown first, by its name (tsKsiegRozl, ...)."),
        QStringLiteral("name"));
    QCommandLineOption optionOption(QStringLiteral("option"),
                                    QStringLiteral("Turn on a numbered option of the installation (135: the Aktywna"
                                                   " column, 136: quick-find in the company list). Repeatable."),
                                    QStringLiteral("number"));
    parser.addOptions(
        {dbOption, langOption, userOption, screenshotOption, windowOption, optionOption, companyOption, tabOption});
    parser.process(app);
    const QString windowName = parser.value(windowOption);
    const QStringList windows{QStringLiteral("list"), QStringLiteral("picker"), QStringLiteral("editor")};
    if (!windowName.isEmpty() && !windows.contains(windowName)) {
        QTextStream(stderr) << "malvo: unknown window " << windowName
                            << " (known: " << windows.join(QLatin1String(", ")) << ")\n";
        return 2;
    }
    int company = 0;
    if (parser.isSet(companyOption)) {
        bool ok = false;
        company = parser.value(companyOption).toInt(&ok);
        if (!ok || company <= 0) {
            QTextStream(stderr) << "malvo: --company needs a company id, not " << parser.value(companyOption) << "\n";
            return 2;
        }
    }

    for (const QString &number : parser.values(optionOption)) {
        bool ok = false;
        const int option = number.toInt(&ok);
        if (!ok) {
            QTextStream(stderr) << "malvo: --option needs a number, not " << number << "\n";
            return 2;
        }
        host::appContext().setOption(option, true);
    }

    host::BootstrapOptions options;
    options.database = parser.value(dbOption);
    options.language = parser.value(langOption);
    options.login = parser.value(userOption);
    options.demoCompaniesWhenCreated = DemoCompaniesOnFirstRun;
    try {
        host::bootstrap(options);
    } catch (const db::DbError &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Malvo"), e.message());
        return 1;
    }

    ModuleLoader module;
    if (!module.load()) {
        host::InfoError(module.errorString());
        return 1;
    }
    MainWindow window(module);
    host::setMainWindow(&window);
    window.show();
    const bool screenshot = parser.isSet(screenshotOption);
    int code = 0;
    if (screenshot && windowName == QLatin1String("picker")) {
        code = screenshotPicker(window, parser.value(screenshotOption)) ? 0 : 1;
    } else if (screenshot && windowName == QLatin1String("editor")) {
        code = screenshotEditor(window, company, parser.value(tabOption), parser.value(screenshotOption)) ? 0 : 1;
    } else {
        if (!screenshot || windowName == QLatin1String("list")) {
            if (window.openCompanyList() && screenshot)
                waitForCompanyList(window);
        }
        if (screenshot) {
            // Once the window has been laid out and painted.
            QTimer::singleShot(0, &window, [&window, file = parser.value(screenshotOption)] {
                const bool saved = window.grab().save(file, "PNG");
                if (!saved)
                    QTextStream(stderr) << "malvo: cannot write " << file << "\n";
                QCoreApplication::exit(saved ? 0 : 1);
            });
        }
        code = app.exec();
    }
    // Module windows store their list settings when they go, which needs the
    // connection that shutdown closes.
    qDeleteAll(window.workspace()->subWindowList());
    host::setMainWindow(nullptr);
    host::shutdown();
    return code;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    if (isBatchCommand(arguments)) {
        QCoreApplication app(argc, argv);
        return runCommandLine(arguments);
    }
    // --version needs no display either.
    if (arguments.contains(QStringLiteral("--version"))) {
        QTextStream(stdout) << "malvo " << MALVO_VERSION << "\n";
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("malvo"));
    QApplication::setApplicationVersion(QStringLiteral(MALVO_VERSION));
    return runGui(app);
}
