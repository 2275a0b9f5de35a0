#pragma once

#include "suitedb_export.h"

#include <QString>
#include <functional>

namespace db {
class Connection;
}

namespace suitedb {

// Version the program's schema is at; stored in table schema_version.
MALVO_SUITEDB_EXPORT int currentSchemaVersion();
// Version a database is at (0 for an empty database).
MALVO_SUITEDB_EXPORT int schemaVersion(db::Connection &connection);

// Creates the schema, views and seed data, or upgrades an older database to
// the current version. Harmless on a database already at the current version,
// whose message texts it brings up to this program's.
// Also registers the procedure bodies. Throws db::DbError.
MALVO_SUITEDB_EXPORT void createOrUpgrade(db::Connection &connection);

// Registers the stored procedure bodies (PZapFirmeFull, PZapAdres, ...) in
// db::ProcedureRegistry; idempotent.
MALVO_SUITEDB_EXPORT void registerProcedures();

// Return values of the procedures besides 0 (success).
inline constexpr int ResultRecordDeleted = 101;    // the row to update or delete no longer exists
inline constexpr int ResultSynchronising = 102;    // the row is being written by a synchronisation
inline constexpr int ResultUnknownObject = 103;    // PUsunW: table or key column not deletable
inline constexpr int ResultChangedMeanwhile = 103; // PZapFirmeFull: saved by another user since @wersja was read
inline constexpr int ResultMissingValue = 104;     // a required parameter is null or invalid
inline constexpr int ResultDependentRows = 547;    // other rows still refer to the row

// Language ids of the seeded languages.
inline constexpr int LanguagePolish = 1;
inline constexpr int LanguageEnglish = 2;

// Table codes of definicja_tabela.
inline constexpr int TableCompany = 7;
inline constexpr int TableVehicle = 8;
inline constexpr int TableDocument = 28;

} // namespace suitedb
