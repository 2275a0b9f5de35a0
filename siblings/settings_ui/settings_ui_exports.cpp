// The C entry points; everything else stays inside the library.
#include "firmy_wlasne.h"

#include "export_guard.h"

#define SETTINGS_UI_ENTRY extern "C" __attribute__((visibility("default")))

// Called by the company list after companies were deleted.
SETTINGS_UI_ENTRY void _OdswiezFirmy()
{
    host::guardExport(QStringLiteral("settings_ui"), "_OdswiezFirmy", [] { settings_ui::odswiezFirmy(); });
}
