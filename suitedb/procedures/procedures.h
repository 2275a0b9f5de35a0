#pragma once

#include <QVariant>

namespace db {
class Connection;
}

namespace suitedb::procs {

void registerCompanyProcedures();
void registerDocumentProcedures();
void registerCityProcedures();
void registerDeleteProcedures();
void registerListSettingsProcedures();

// Gives the owner a default address when it has addresses but none is default.
void ensureDefaultAddress(db::Connection &connection, const QVariant &tableCode, const QVariant &owner);

} // namespace suitedb::procs
