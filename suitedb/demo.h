#pragma once

#include "suitedb_export.h"

#include <functional>

namespace db {
class Connection;
}

namespace suitedb {

// Adds `count` realistic companies (Polish names and legal forms, valid NIP,
// REGON and KRS, addresses in the seeded cities, phones, bank accounts with
// valid numbers, contacts, kinds, statuses, some branches of head offices).
// The same seed gives the same companies. progress(done, count) may be null.
MALVO_SUITEDB_EXPORT void generateDemoCompanies(db::Connection &connection, int count, unsigned seed = 1,
                                                const std::function<void(int, int)> &progress = {});

} // namespace suitedb
