#include "bootstrap.h"

#include "connection.h"
#include "data_paths.h"
#include "db_error.h"
#include "demo.h"
#include "demo_files.h"
#include "host_error.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "query.h"
#include "services.h"
#include "suitedb.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace host {

namespace {

bool g_bootstrapped = false;
bool g_created = false;

LanguageInfo findLanguage(db::Connection &connection, const QString &code)
{
    db::Query query(&connection, QStringLiteral("select id_jezyka, kod from jezyk where kod = :kod"));
    query.parameters().setValue(QStringLiteral("kod"), code.trimmed());
    query.open();
    if (query.isEmpty()) {
        db::Query all(&connection, QStringLiteral("select kod from jezyk order by id_jezyka"));
        all.open();
        QStringList known;
        for (all.first(); !all.eof(); all.next())
            known << all.value(0).toString();
        throw HostError(QStringLiteral("Unknown language \"%1\"; the database knows: %2")
                            .arg(code, known.join(QStringLiteral(", "))));
    }
    return {query.value(0).toInt(), query.value(1).toString()};
}

UserInfo findUser(db::Connection &connection, const QString &login)
{
    db::Query query(&connection,
                    QStringLiteral("select id_u, login, nazwisko, imie, administrator, aktywny "
                                   "from uzytkownik where login = :login"));
    query.parameters().setValue(QStringLiteral("login"), login.trimmed());
    query.open();
    if (query.isEmpty())
        throw HostError(QStringLiteral("Unknown login \"%1\": no such user in the database").arg(login));
    if (!query.value(QStringLiteral("aktywny")).toBool())
        throw HostError(QStringLiteral("The user \"%1\" is not active").arg(login));
    UserInfo user;
    user.id = query.value(QStringLiteral("id_u")).toInt();
    user.login = query.value(QStringLiteral("login")).toString();
    user.administrator = query.value(QStringLiteral("administrator")).toBool();
    const QString name = QStringList{query.value(QStringLiteral("nazwisko")).toString().trimmed(),
                                     query.value(QStringLiteral("imie")).toString().trimmed()}
                             .join(QLatin1Char(' '))
                             .trimmed();
    user.displayName = name.isEmpty() ? user.login : QStringLiteral("%1 (%2)").arg(name, user.login);
    return user;
}

// The first company whose type is the own-company entry of the typ_firmy
// dictionary; the entry is recognised by its identifier or its text.
int firstOwnCompany(db::Connection &connection, int languageId)
{
    try {
        db::Query types(
            &connection,
            QStringLiteral("select s.id_wartosci, s.wartosc, t.tresc from slowwartosci s "
                           "left join tlumaczenie t on t.identyfikator = s.wartosc and t.id_jezyka = :id_jezyka "
                           "where s.typ_slownika = 'typ_firmy'"));
        types.parameters().setValue(QStringLiteral("id_jezyka"), languageId);
        types.open();
        const QString ownText = LoadResstrings(QStringLiteral("Resstrings_IDS_firma_wlasna"));
        QList<int> ownTypes;
        for (types.first(); !types.eof(); types.next()) {
            const QString id = Services::normalizedKey(types.value(1).toString());
            if (id == QLatin1String("firma_wlasna")
                || types.value(1).toString().compare(ownText, Qt::CaseInsensitive) == 0
                || types.value(2).toString().compare(ownText, Qt::CaseInsensitive) == 0)
                ownTypes << types.value(0).toInt();
        }
        for (int type : ownTypes) {
            db::Query first(&connection, QStringLiteral("select min(id_f) from firma where typ_firmy = :t"));
            first.parameters().setValue(QStringLiteral("t"), type);
            first.open();
            if (!first.isEmpty() && first.value(0).toInt() > 0)
                return first.value(0).toInt();
        }
    } catch (const db::DbError &error) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("bootstrap"), __LINE__,
                         QStringLiteral("no active company: ") + error.message());
    }
    return 0;
}

} // namespace

bool isBootstrapped()
{
    return g_bootstrapped;
}

bool databaseWasCreated()
{
    return g_created;
}

void bootstrap(const BootstrapOptions &options)
{
#ifdef __GLIBC__
    // A list of a large register lives in a few big blocks; with glibc's
    // sliding threshold a closed list's blocks would stay in the process and
    // the next open would add its own on top.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    shutdown();
    const QString target = options.database.isEmpty() ? defaultDatabasePath() : options.database;
    const bool file = !db::Connection::isPostgresTarget(target);
    if (!options.createWhenMissing && file && QFileInfo(target).size() == 0) {
        const QString message = QFileInfo::exists(target)
            ? QStringLiteral("The database %1 is an empty file; remove it and run: malvo db create %1")
            : QStringLiteral("The database %1 does not exist; to create a new one run: malvo db create %1");
        throw HostError(message.arg(target));
    }
    if (file) {
        const QString folder = QFileInfo(target).absolutePath();
        if (!QDir().mkpath(folder))
            throw HostError(QStringLiteral("Cannot create the database folder %1").arg(folder));
    }

    std::unique_ptr<db::Connection> connection;
    try {
        connection = db::Connection::open(target);
    } catch (const db::DbError &error) {
        // The statement that met a file which is not a database means nothing to the user.
        QString reason = error.message().section(QStringLiteral("\nStatement:"), 0, 0);
        if (!reason.startsWith(QLatin1String("Cannot open")))
            reason =
                QStringLiteral("Cannot open the database %1: %2").arg(db::Connection::displayTarget(target), reason);
        throw HostError(reason);
    }

    suitedb::registerProcedures();
    bool created = false;
    try {
        created = suitedb::schemaVersion(*connection) == 0;
        if (created && !options.createWhenMissing)
            throw HostError(
                QStringLiteral("The database %1 holds no Malvo register; %2")
                    .arg(db::Connection::displayTarget(target),
                         file ? QStringLiteral(
                             "point --db at a Malvo database or create a new one with: malvo db create NEW_FILE")
                              : QStringLiteral("create the register in it with: malvo db create \"CONNECTION\"")));
        suitedb::createOrUpgrade(*connection);
        if (created && options.demoCompaniesWhenCreated > 0) {
            suitedb::generateDemoCompanies(*connection, options.demoCompaniesWhenCreated);
            suitedb::generateDemoDocuments(*connection);
            writeDemoFiles(*connection);
        }
    } catch (const HostError &) {
        throw;
    } catch (const db::DbError &error) {
        throw HostError(QStringLiteral("Cannot prepare the database %1: %2")
                            .arg(db::Connection::displayTarget(target), error.message()));
    }

    const LanguageInfo language = findLanguage(*connection, options.language);
    const UserInfo user = findUser(*connection, options.login);

    Services &s = services();
    s.setConnection(std::move(connection));
    s.setUser(user);
    try {
        s.setLanguage(language);
    } catch (const db::DbError &error) {
        s.reset();
        throw HostError(QStringLiteral("Cannot load the translations: ") + error.message());
    }
    resetVariables();
    var::AktywnaFirma.set(firstOwnCompany(*s.connection(), language.id));
    g_created = created;
    g_bootstrapped = true;
}

bool installQtTranslations(const QString &language)
{
    static QTranslator *installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (language == QLatin1String("en"))
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = translator.release();
    return true;
}

void shutdown()
{
    services().reset();
    g_bootstrapped = false;
}

} // namespace host
