#include "command_line.h"

#include "connection.h"
#include "db_error.h"
#include "demo.h"
#include "suitedb.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usage()
{
    err() << "usage: malvo [--db TARGET] [--lang pl|en]\n"
             "       malvo db create TARGET [--demo N]\n"
             "       malvo --version\n"
             "TARGET is an SQLite file path or a PostgreSQL connection string.\n";
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
    }
    out() << "created " << target << " (schema version " << suitedb::currentSchemaVersion() << ", " << demoCount
          << " demo companies)\n";
    return 0;
}

} // namespace

bool isBatchCommand(const QStringList &arguments)
{
    return arguments.size() > 1 && arguments.at(1) == QLatin1String("db");
}

int runCommandLine(const QStringList &arguments)
{
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
