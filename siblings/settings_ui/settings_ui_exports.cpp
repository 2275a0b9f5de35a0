// The C entry points; everything else stays inside the library.
#include "firmy_wlasne.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "sibling_entry.h"

// Called by the company list after companies were deleted.
SIBLING_ENTRY void _OdswiezFirmy()
{
    host::guard([] { settings_ui::odswiezFirmy(); });
}
