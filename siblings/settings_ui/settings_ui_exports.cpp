// The C entry points; everything else stays inside the library.
#include "firmy_wlasne.h"

#include "db_error.h"
#include "host_funcs.h"

#define SETTINGS_UI_ENTRY extern "C" __attribute__((visibility("default")))

// Called by the company list after companies were deleted.
SETTINGS_UI_ENTRY void _OdswiezFirmy()
{
    // Nothing may cross the C boundary into the caller.
    try {
        settings_ui::odswiezFirmy();
    } catch (const db::DbError &blad) {
        host::save_log_to_file(QStringLiteral("settings_ui"), QStringLiteral("_OdswiezFirmy"), __LINE__,
                               QStringLiteral("CATCH ") + blad.message());
    } catch (const std::exception &blad) {
        host::save_log_to_file(QStringLiteral("settings_ui"), QStringLiteral("_OdswiezFirmy"), __LINE__,
                               QStringLiteral("CATCH ") + QString::fromLocal8Bit(blad.what()));
    } catch (...) {
        host::save_log_to_file(QStringLiteral("settings_ui"), QStringLiteral("_OdswiezFirmy"), __LINE__,
                               QStringLiteral("CATCH unknown"));
    }
}
