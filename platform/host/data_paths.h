#pragma once

#include "host_export.h"

#include <QString>

namespace host {

// The folder of the host's own files ($XDG_DATA_HOME/malvo).
MALVO_HOST_EXPORT QString dataDirectory();
// $MALVO_DB when set, else $XDG_DATA_HOME/malvo/malvo.db (~/.local/share/malvo/malvo.db).
MALVO_HOST_EXPORT QString defaultDatabasePath();

} // namespace host
