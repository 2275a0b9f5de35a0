#include "command_line.h"
#include "main_window.h"
#include "module_loader.h"

#include "bootstrap.h"
#include "db_error.h"
#include "host.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Companies the demo database gets when `--demo` first creates it.
constexpr int DemoCompanies = 200;

QString demoDatabasePath()
{
    return QDir(host::dataDirectory()).filePath(QStringLiteral("demo.db"));
}

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

bool screenshotAddress(MainWindow &window, int company, int address, const QString &file)
{
    int polls = 0;
    const auto loaded = [&polls](QWidget &) { return ++polls > 2; };
    return screenshotModal(
        "edycja_adresu_form", loaded, [&] { window.editAddress(company, address); }, file);
}

// The linked-files window opens from the company editor's button, as a user
// opens it; an image among the files is previewed, and the editor closes after.
bool screenshotLinkedFiles(MainWindow &window, int company, const QString &file)
{
    QTimer opener;
    opener.setInterval(50);
    QObject::connect(&opener, &QTimer::timeout, [&opener] {
        for (QWidget *editor : QApplication::topLevelWidgets()) {
            auto *button = editor->findChild<QAbstractButton *>(QStringLiteral("bPowiazPliki"));
            if (!editor->inherits("Tedycja_firmy_form") || !editor->isVisible() || !button)
                continue;
            opener.stop();
            QTimer::singleShot(0, button, [button, editor] {
                button->click();
                editor->close();
            });
            return;
        }
    });
    int polls = 0;
    const auto loaded = [&polls](QWidget &dialog) {
        if (auto *files = dialog.findChild<QListWidget *>(QStringLiteral("lbListaPlikow")); files && polls == 0) {
            static const QRegularExpression image(QStringLiteral("\\.(jpe?g|bmp|png)$"),
                                                  QRegularExpression::CaseInsensitiveOption);
            for (int row = files->count() - 1; row >= 0; --row)
                if (image.match(files->item(row)->text()).hasMatch())
                    files->setCurrentRow(row);
        }
        return ++polls > 2;
    };
    return screenshotModal(
        "Tpowiaz_pliki_form", loaded,
        [&] {
            opener.start();
            window.editCompany(company, QString());
        },
        file);
}

// A company's first document, opened from the editor's documents tab as a
// user opens it (F2 on the list); the company editor closes after.
bool screenshotDocument(MainWindow &window, int company, const QString &page, const QString &file)
{
    QTimer opener;
    opener.setInterval(50);
    QObject::connect(&opener, &QTimer::timeout, [&opener] {
        for (QWidget *editor : QApplication::topLevelWidgets()) {
            auto *list = editor->findChild<QWidget *>(QStringLiteral("lista_dokumenty_frame"));
            if (!editor->inherits("Tedycja_firmy_form") || !list || !list->property("DaneWczytane").toBool())
                continue;
            opener.stop();
            auto *edit = list->findChild<QAction *>(QStringLiteral("edycja"));
            QTimer::singleShot(0, editor, [edit, editor] {
                if (edit)
                    edit->trigger();
                editor->close();
            });
            return;
        }
    });
    int polls = 0;
    const auto loaded = [&polls, &page](QWidget &editor) {
        auto *pages = editor.findChild<QTabWidget *>(QStringLiteral("PageControl"));
        if (QWidget *shown = pages && !page.isEmpty() ? pages->findChild<QWidget *>(page) : nullptr)
            pages->setCurrentWidget(shown);
        return ++polls > 2;
    };
    return screenshotModal(
        "edycja_dokument_form", loaded,
        [&] {
            opener.start();
            window.editCompany(company, QStringLiteral("tsDokumenty"));
        },
        file);
}

// Help, version and mistakes in the options need no display, so the command
// line is read before the GUI application exists.
struct StartCommandLine
{
    QCommandLineParser parser;
    QCommandLineOption db{QStringLiteral("db"),
                          QStringLiteral("An existing SQLite file or PostgreSQL connection string (default: %1,"
                                         " created on first start).")
                              .arg(host::defaultDatabasePath()),
                          QStringLiteral("target")};
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Open the demo database (%1), created with %2 demo companies on first use.")
                                .arg(demoDatabasePath())
                                .arg(DemoCompanies)};
    QCommandLineOption lang{QStringLiteral("lang"), QStringLiteral("Language: pl or en."), QStringLiteral("code"),
                            QStringLiteral("pl")};
    QCommandLineOption user{QStringLiteral("user"), QStringLiteral("Login of the user."), QStringLiteral("login"),
                            QStringLiteral("admin")};
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Render the window into a PNG file and exit."),
                                  QStringLiteral("file")};
    QCommandLineOption window{
        QStringLiteral("window"),
        QStringLiteral("With --screenshot: open this window first (list: the company list, the"
                       " default; picker: the company picker, editor: the company editor, address: a"
                       " company's address editor, pliki: a company's linked files, dokument: a company's first"
                       " document)."),
        QStringLiteral("name")};
    QCommandLineOption company{QStringLiteral("company"),
                               QStringLiteral("With --window editor: the company to edit (default: a new one); with"
                                              " --window address, pliki or dokument: the company, required."),
                               QStringLiteral("id")};
    QCommandLineOption tab{
        QStringLiteral("tab"),
        QStringLiteral("With --window editor or dokument: the page shown first, by its name (tsKsiegRozl,"
                       " tsKoszt, ...)."),
        QStringLiteral("name")};
    QCommandLineOption address{QStringLiteral("address"),
                               QStringLiteral("With --window address: the address to edit (default: a new one)."),
                               QStringLiteral("id")};
    QCommandLineOption option{QStringLiteral("option"),
                              QStringLiteral("Turn on a numbered option of the installation (135: the Aktywna"
                                             " column, 136: quick-find in the company list). Repeatable."),
                              QStringLiteral("number")};

    StartCommandLine()
    {
        parser.setApplicationDescription(QStringLiteral("Malvo: the companies register of the transport suite\n\n")
                                         + commandUsage());
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({db, demo, lang, user, screenshot, window, option, company, tab, address});
    }
};

// Qt's own options (-platform offscreen, -style fusion, ...) are the GUI
// application's to take; our parser would refuse them as unknown.
QStringList withoutQtOptions(const QStringList &arguments)
{
    static const QStringList withValue{
        u"platform"_s,        u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s,
        u"qwindowgeometry"_s, u"qwindowicon"_s,        u"qwindowtitle"_s,  u"session"_s,
        u"style"_s,           u"stylesheet"_s,         u"display"_s,       u"geometry"_s};
    static const QStringList flags{u"reverse"_s, u"widgetcount"_s, u"nograb"_s, u"dograb"_s, u"sync"_s};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString name = argument.startsWith(u"--"_s) ? argument.mid(2)
            : argument.startsWith(u'-')             ? argument.mid(1)
                                                    : QString();
        const bool joined = name.contains(u'=');
        name = name.section(u'=', 0, 0);
        if (i > 0 && withValue.contains(name)) {
            i += joined ? 0 : 1;
            continue;
        }
        if (i > 0 && flags.contains(name))
            continue;
        kept << argument;
    }
    return kept;
}

// Also on standard error, and only there when no one could see or close a box.
int fail(const QString &message, bool screenshot)
{
    QTextStream(stderr) << "malvo: " << message << "\n";
    const QString platform = QGuiApplication::platformName();
    if (!screenshot && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        QMessageBox::critical(nullptr, QStringLiteral("Malvo"), message);
    return 1;
}

int runGui(QApplication &app, StartCommandLine &command)
{
    QCommandLineParser &parser = command.parser;
    if (parser.isSet(command.demo) && parser.isSet(command.db)) {
        QTextStream(stderr) << "malvo: --demo opens the demo database; leave out --db\n";
        return 2;
    }
    const QString windowName = parser.value(command.window);
    const QStringList windows{QStringLiteral("list"),    QStringLiteral("picker"), QStringLiteral("editor"),
                              QStringLiteral("address"), QStringLiteral("pliki"),  QStringLiteral("dokument")};
    if (!windowName.isEmpty() && !windows.contains(windowName)) {
        QTextStream(stderr) << "malvo: unknown window " << windowName
                            << " (known: " << windows.join(QLatin1String(", ")) << ")\n";
        return 2;
    }
    int company = 0;
    if (parser.isSet(command.company)) {
        bool ok = false;
        company = parser.value(command.company).toInt(&ok);
        if (!ok || company <= 0) {
            QTextStream(stderr) << "malvo: --company needs a company id, not " << parser.value(command.company) << "\n";
            return 2;
        }
    }
    if ((windowName == QLatin1String("address") || windowName == QLatin1String("pliki")
         || windowName == QLatin1String("dokument"))
        && company <= 0) {
        QTextStream(stderr) << "malvo: --window " << windowName << " needs --company\n";
        return 2;
    }
    int address = 0;
    if (parser.isSet(command.address)) {
        bool ok = false;
        address = parser.value(command.address).toInt(&ok);
        if (!ok || address <= 0) {
            QTextStream(stderr) << "malvo: --address needs an address id, not " << parser.value(command.address)
                                << "\n";
            return 2;
        }
    }

    for (const QString &number : parser.values(command.option)) {
        bool ok = false;
        const int option = number.toInt(&ok);
        if (!ok) {
            QTextStream(stderr) << "malvo: --option needs a number, not " << number << "\n";
            return 2;
        }
        host::appContext().setOption(option, true);
    }

    const bool screenshot = parser.isSet(command.screenshot);
    host::BootstrapOptions options;
    options.database = parser.isSet(command.demo) ? demoDatabasePath() : parser.value(command.db);
    options.createWhenMissing = !parser.isSet(command.db);
    options.language = parser.value(command.lang);
    options.login = parser.value(command.user);
    options.demoCompaniesWhenCreated = parser.isSet(command.demo) ? DemoCompanies : 0;
    try {
        host::bootstrap(options);
    } catch (const db::DbError &e) {
        return fail(e.message(), screenshot);
    }
    host::installQtTranslations(options.language);

    ModuleLoader module;
    if (!module.load())
        return fail(module.errorString(), screenshot);
    MainWindow window(module);
    host::setMainWindow(&window);
    window.show();
    int code = 0;
    if (screenshot && windowName == QLatin1String("picker")) {
        code = screenshotPicker(window, parser.value(command.screenshot)) ? 0 : 1;
    } else if (screenshot && windowName == QLatin1String("editor")) {
        code = screenshotEditor(window, company, parser.value(command.tab), parser.value(command.screenshot)) ? 0 : 1;
    } else if (screenshot && windowName == QLatin1String("address")) {
        code = screenshotAddress(window, company, address, parser.value(command.screenshot)) ? 0 : 1;
    } else if (screenshot && windowName == QLatin1String("pliki")) {
        code = screenshotLinkedFiles(window, company, parser.value(command.screenshot)) ? 0 : 1;
    } else if (screenshot && windowName == QLatin1String("dokument")) {
        code = screenshotDocument(window, company, parser.value(command.tab), parser.value(command.screenshot)) ? 0 : 1;
    } else {
        if (window.openCompanyList() && screenshot)
            waitForCompanyList(window);
        if (screenshot) {
            // Once the window has been laid out and painted.
            QTimer::singleShot(0, &window, [&window, file = parser.value(command.screenshot)] {
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
    QCoreApplication::setApplicationName(QStringLiteral("malvo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MALVO_VERSION));
    StartCommandLine command;
    if (!command.parser.parse(withoutQtOptions(arguments)) || command.parser.isSet(QStringLiteral("help"))
        || command.parser.isSet(QStringLiteral("version"))) {
        // Prints the help, the version or the mistake and exits.
        QCoreApplication app(argc, argv);
        command.parser.process(app);
    }
    // A picture needs no screen: render off screen when there is none.
    if (command.parser.isSet(command.screenshot) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runGui(app, command);
}
