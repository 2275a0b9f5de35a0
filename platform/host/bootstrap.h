#pragma once

#include "host_export.h"

#include <QString>

namespace host {

struct BootstrapOptions
{
    QString database; // SQLite file path or PostgreSQL connection string; empty = defaultDatabasePath()
    QString login = QStringLiteral("admin");
    QString language = QStringLiteral("pl"); // "pl" or "en"
    int demoCompaniesWhenCreated = 0;        // demo companies added when the database is created now
};

// Opens the database (creating and seeding it when missing or empty,
// upgrading an older one), logs the user in, loads the language's
// translations and sets the host variables' defaults (aktywna_firma: the
// first own company, or 0). A previous bootstrap is shut down first.
// Throws host::HostError (a db::DbError) with a clear message for an unknown
// or inactive login, an unknown language or a database that cannot be
// opened; the host is then left not bootstrapped.
MALVO_HOST_EXPORT void bootstrap(const BootstrapOptions &options);
// Closes the connection and returns every piece of host state to its default.
MALVO_HOST_EXPORT void shutdown();
// $MALVO_DB when set, else $XDG_DATA_HOME/malvo/malvo.db (~/.local/share/malvo/malvo.db).
MALVO_HOST_EXPORT QString defaultDatabasePath();
// The folder of the host's own files ($XDG_DATA_HOME/malvo).
MALVO_HOST_EXPORT QString dataDirectory();
MALVO_HOST_EXPORT bool isBootstrapped();
// Whether the last bootstrap created the database (rather than opening one).
MALVO_HOST_EXPORT bool databaseWasCreated();

} // namespace host
