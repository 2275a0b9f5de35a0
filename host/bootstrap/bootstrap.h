#pragma once

#include <QString>

namespace host {

struct BootstrapOptions
{
    QString database; // SQLite file path or PostgreSQL connection string; empty = host::defaultDatabasePath()
    QString login = QStringLiteral("admin");
    QString language = QStringLiteral("pl"); // "pl" or "en"
    int demoCompaniesWhenCreated = 0;        // demo companies added when the database is created now
    // False for a database the user named: a mistyped path must not become an empty register.
    bool createWhenMissing = true;
};

// Opens the database (creating and seeding it when missing or empty and
// createWhenMissing allows it, upgrading an older one), logs the user in, loads the language's
// translations and sets the host variables' defaults (aktywna_firma: the
// first own company, or 0). A previous bootstrap is shut down first.
// Throws host::HostError (a db::DbError) with a clear message for an unknown
// or inactive login, an unknown language or a database that cannot be
// opened; the host is then left not bootstrapped.
void bootstrap(const BootstrapOptions &options);
// Closes the connection and returns every piece of host state to its default.
void shutdown();
bool isBootstrapped();
// Whether the last bootstrap created the database (rather than opening one).
bool databaseWasCreated();
// Installs Qt's own translations (standard dialogs, edit menus) for the
// language, replacing those installed before; English needs none. False when
// the language's file is missing.
bool installQtTranslations(const QString &language);

} // namespace host
