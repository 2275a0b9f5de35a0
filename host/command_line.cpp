#include "command_line.h"
#include "module_loader.h"

#include "bootstrap.h"
#include "connection.h"
#include "db_error.h"
#include "demo.h"
#include "demo_files.h"
#include "prompter.h"
#include "suitedb.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

} // namespace

QString commandUsage()
{
    return QStringLiteral(
        "usage: malvo [--db TARGET] [--lang pl|en]\n"
        "       malvo db create TARGET [--demo N]\n"
        "       malvo export [--db TARGET] --format csv|xml|7z [--ids 1,2,3 | --phrase TEXT] FILE\n"
        "       malvo import [--db TARGET] [--on-duplicate skip|overwrite] [--match name|name-or-nip] FILE\n"
        "       malvo --version\n"
        "TARGET is an SQLite file path or a PostgreSQL connection string.\n");
}

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usage()
{
    err() << commandUsage();
    return 2;
}

int createDatabase(const QString &target, int demoCount)
{
    if (!db::Connection::isPostgresTarget(target) && QFileInfo::exists(target)) {
        err() << "malvo: " << target << " already exists; remove it or choose another path\n";
        return 1;
    }
    auto connection = db::Connection::open(target);
    if (suitedb::schemaVersion(*connection) > 0) {
        err() << "malvo: the database " << target << " already holds the suite's tables\n";
        return 1;
    }
    suitedb::createOrUpgrade(*connection);
    if (demoCount > 0) {
        suitedb::generateDemoCompanies(*connection, demoCount, 1, [](int done, int total) {
            err() << "\rdemo companies: " << done << " / " << total << Qt::flush;
        });
        err() << "\n";
        suitedb::generateDemoDocuments(*connection);
        host::writeDemoFiles(*connection);
    }
    out() << "created " << target << " (schema version " << suitedb::currentSchemaVersion() << ", " << demoCount
          << " demo companies)\n";
    return 0;
}

// The module's entry points, as partners_api.h declares them.
using ProgressEntry = void (*)(int current, int total);
using ExportEntry = int (*)(QString, int, QList<int>, QString, ProgressEntry, QString *);
using ImportEntry = int (*)(QString, int, int, ProgressEntry, QString *);

// Nobody can answer a window here: messages go to standard error and every
// question gets the answer of closing it.
class ConsolePrompter : public host::Prompter
{
public:
    int messageBox(QWidget *, const QString &text, int flags, const QString &) override
    {
        err() << "malvo: " << text << "\n" << Qt::flush;
        return host::mb::escapeAnswer(flags);
    }
    int runModal(QDialog *) override { return 0; }
    std::optional<QString> inputText(QWidget *, const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString chooseOpenFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QStringList chooseOpenFiles(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString chooseDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    bool openUrl(const QUrl &) override { return false; }
    bool openFile(const QString &) override { return false; }
    bool sendMail(const QStringList &, const QString &, const QString &, const QString &) override { return false; }
};

void progressBar(int current, int total)
{
    constexpr int Width = 40;
    const int filled = total > 0 ? int(qint64(current) * Width / total) : Width;
    // A large file would otherwise write to the terminal for every record.
    static int shown = -1;
    const int permille = total > 0 ? int(qint64(current) * 1000 / total) : 1000;
    if (permille == shown && current < total)
        return;
    shown = current < total ? permille : -1;
    err() << "\r[" << QString(filled, u'#') << QString(Width - filled, u' ') << "] " << current << " / " << total
          << (current >= total ? "\n" : "") << Qt::flush;
}

// `malvo export|import ...`: the module's own import and export, without a window.
int transferCompanies(const QStringList &arguments)
{
    const bool isExport = arguments.at(1) == QLatin1String("export");
    QCommandLineParser parser;
    const QCommandLineOption db{QStringLiteral("db"), QString(), QStringLiteral("target")};
    const QCommandLineOption format{QStringLiteral("format"), QString(), QStringLiteral("format")};
    const QCommandLineOption ids{QStringLiteral("ids"), QString(), QStringLiteral("ids")};
    const QCommandLineOption phrase{QStringLiteral("phrase"), QString(), QStringLiteral("text")};
    const QCommandLineOption onDuplicate{QStringLiteral("on-duplicate"), QString(), QStringLiteral("what"),
                                         QStringLiteral("skip")};
    const QCommandLineOption match{QStringLiteral("match"), QString(), QStringLiteral("rule"), QStringLiteral("name")};
    if (isExport)
        parser.addOptions({db, format, ids, phrase});
    else
        parser.addOptions({db, onDuplicate, match});
    if (!parser.parse(QStringList{arguments.at(0)} + arguments.mid(2)) || parser.positionalArguments().size() != 1) {
        if (!parser.errorText().isEmpty())
            err() << "malvo: " << parser.errorText() << "\n";
        return usage();
    }
    const QString file = parser.positionalArguments().constFirst();
    const QStringList formats{QStringLiteral("xml"), QStringLiteral("csv"), QStringLiteral("7z")};
    const int formatCode = isExport ? int(formats.indexOf(parser.value(format))) + 1 : 0;
    QList<int> idList;
    if (isExport) {
        if (formatCode == 0) {
            err() << "malvo: --format must be csv, xml or 7z\n";
            return 2;
        }
        if (formatCode == 3 && !file.endsWith(QLatin1String(".7z"))) {
            err() << "malvo: a 7z archive's name ends with .7z\n";
            return 2;
        }
        if (parser.isSet(ids) && parser.isSet(phrase)) {
            err() << "malvo: give --ids or --phrase, not both\n";
            return 2;
        }
        for (const QString &id : parser.value(ids).split(u',', Qt::SkipEmptyParts)) {
            bool ok = false;
            idList << id.trimmed().toInt(&ok);
            if (!ok || idList.last() <= 0) {
                err() << "malvo: --ids takes company ids separated by commas, not " << parser.value(ids) << "\n";
                return 2;
            }
        }
        if (parser.isSet(ids) && idList.isEmpty()) {
            err() << "malvo: --ids names no company\n";
            return 2;
        }
    } else {
        const QStringList answers{QStringLiteral("overwrite"), QStringLiteral("skip")};
        const QStringList rules{QStringLiteral("name"), QStringLiteral("name-or-nip")};
        if (!answers.contains(parser.value(onDuplicate)) || !rules.contains(parser.value(match))) {
            err() << "malvo: --on-duplicate takes skip or overwrite, --match name or name-or-nip\n";
            return 2;
        }
        if (!QFileInfo(file).isFile()) {
            err() << "malvo: no file " << file << "\n";
            return 1;
        }
    }

    host::BootstrapOptions options;
    options.database = parser.value(db);
    // As the window does: the default register is created on first use, a named one never.
    options.createWhenMissing = !parser.isSet(db);
    try {
        host::bootstrap(options);
    } catch (const db::DbError &e) {
        err() << "malvo: " << e.message() << "\n";
        return 1;
    }
    host::setPrompter(std::make_unique<ConsolePrompter>());
    ModuleLoader module;
    const bool loaded = module.load();
    const auto exportEntry = reinterpret_cast<ExportEntry>(loaded ? module.resolve("_EksportFirmDoPliku") : nullptr);
    const auto importEntry = reinterpret_cast<ImportEntry>(loaded ? module.resolve("_ImportFirmZPliku") : nullptr);
    const ProgressEntry progress = isatty(fileno(stderr)) ? &progressBar : nullptr;
    QString summary;
    int code = 1;
    if (!exportEntry || !importEntry) {
        err() << "malvo: " << module.errorString() << "\n";
    } else if (isExport) {
        const int written = exportEntry(file, formatCode, idList, parser.value(phrase), progress, &summary);
        if (written >= 0)
            out() << "exported " << written << " companies to " << file << "\n";
        if (!summary.isEmpty())
            err() << "malvo: " << summary << "\n";
        code = written >= 0 ? 0 : 1;
    } else {
        const int refused = importEntry(file, parser.value(onDuplicate) == QLatin1String("overwrite") ? 1 : 2,
                                        parser.value(match) == QLatin1String("name") ? 0 : 1, progress, &summary);
        (refused < 0 ? err() : out()) << summary << (summary.isEmpty() ? "" : "\n");
        code = refused == 0 ? 0 : 1;
    }
    host::setPrompter(nullptr);
    host::shutdown();
    return code;
}

} // namespace

bool isBatchCommand(const QStringList &arguments)
{
    const QStringList commands{QStringLiteral("db"), QStringLiteral("export"), QStringLiteral("import")};
    return arguments.size() > 1 && commands.contains(arguments.at(1));
}

int runCommandLine(const QStringList &arguments)
{
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        out() << commandUsage();
        return 0;
    }
    if (arguments.at(1) != QLatin1String("db"))
        return transferCompanies(arguments);
    // arguments: malvo db create TARGET [--demo N]
    if (arguments.size() < 4 || arguments.at(2) != QLatin1String("create"))
        return usage();
    const QString target = arguments.at(3);
    int demoCount = 0;
    for (int i = 4; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--demo") && i + 1 < arguments.size()) {
            bool ok = false;
            demoCount = arguments.at(++i).toInt(&ok);
            if (!ok || demoCount < 0) {
                err() << "malvo: --demo takes a number of companies\n";
                return 2;
            }
        } else {
            return usage();
        }
    }
    try {
        return createDatabase(target, demoCount);
    } catch (const db::DbError &e) {
        err() << "malvo: " << e.message() << "\n";
        return 1;
    }
}
