#include "procedures.h"
#include "suitedb.h"

namespace suitedb {

void registerProcedures()
{
    procs::registerCompanyProcedures();
    procs::registerDocumentProcedures();
    procs::registerCityProcedures();
    procs::registerDeleteProcedures();
    procs::registerListSettingsProcedures();
}

} // namespace suitedb
