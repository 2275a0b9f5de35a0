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
// Gives a share of the companies a few documents of the seeded kinds; some
// run out within the next 30 days, some already have, most later. The same
// seed gives the same documents on the same day.
MALVO_SUITEDB_EXPORT void generateDemoDocuments(db::Connection &connection, unsigned seed = 1);

} // namespace suitedb
