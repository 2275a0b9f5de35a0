#pragma once

#include "suitedb_export.h"

#include <QStringList>

namespace db {
class Connection;
}

namespace suitedb {

// Fills a freshly created schema with the suite's reference data: languages,
// users and rights, translations of the messages and captions, dictionaries,
// countries, cities with postal codes, table codes and the bank register.
// Runs inside the caller's transaction.
MALVO_SUITEDB_EXPORT void seedReferenceData(db::Connection &connection);

// Replaces the stored message texts with those this program carries.
// Runs inside the caller's transaction.
MALVO_SUITEDB_EXPORT void refreshMessageTexts(db::Connection &connection);

// Adds the seeded entries of these dictionary types, for a database that
// predates them. Runs inside the caller's transaction.
MALVO_SUITEDB_EXPORT void seedDictionaries(db::Connection &connection, const QStringList &types);

} // namespace suitedb
