#include "command_line.h"
#include "main_window.h"
#include "module_loader.h"

#include "bootstrap.h"
#include "db_error.h"
#include "host.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

namespace {

// Companies a first start puts into the new embedded database, so that a
// newcomer sees a working list at once.
constexpr int DemoCompaniesOnFirstRun = 200;

int runGui(QApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Malvo: the companies register of the transport suite"));
    parser.addHelpOption();
    QCommandLineOption dbOption(QStringLiteral("db"),
                                QStringLiteral("SQLite file or PostgreSQL connection string (default: %1).")
                                    .arg(host::defaultDatabasePath()),
                                QStringLiteral("target"));
    QCommandLineOption langOption(QStringLiteral("lang"), QStringLiteral("Language: pl or en."),
                                  QStringLiteral("code"), QStringLiteral("pl"));
    QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("Login of the user."),
                                  QStringLiteral("login"), QStringLiteral("admin"));
    QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the window into a PNG file and exit."),
                                        QStringLiteral("file"));
    parser.addOptions({dbOption, langOption, userOption, screenshotOption});
    parser.process(app);

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
    if (parser.isSet(screenshotOption)) {
        // Once the window has been laid out and painted.
        QTimer::singleShot(0, &window, [&window, file = parser.value(screenshotOption)] {
            const bool saved = window.grab().save(file, "PNG");
            if (!saved)
                QTextStream(stderr) << "malvo: cannot write " << file << "\n";
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    const int code = app.exec();
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
