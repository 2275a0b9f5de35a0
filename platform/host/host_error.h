#pragma once

#include "db_error.h"
#include "host_export.h"

namespace host {

// A failure of the host itself (unknown login or language, a database that
// cannot be reached); callers that already catch db::DbError catch it too.
class MALVO_HOST_EXPORT HostError : public db::DbError
{
public:
    explicit HostError(const QString &message);
};

} // namespace host
