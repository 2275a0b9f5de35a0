#pragma once

#include "db_error.h"
#include "host_funcs.h"

#include <QString>
#include <exception>
#include <type_traits>

namespace host {

// Runs the body of an exported C function: nothing may cross the C boundary
// into the host. A failure is logged under the library's source name and the
// export's name, and the export answers `onError`.
template <typename Body, typename Result = std::invoke_result_t<Body>>
Result guardExport(const QString &source, const char *exportName, Result onError, Body &&body)
{
    const auto log = [&](const QString &text) {
        save_log_to_file(source, QLatin1String(exportName), __LINE__, QStringLiteral("CATCH ") + text);
    };
    try {
        return body();
    } catch (const db::DbError &error) {
        log(error.message());
    } catch (const std::exception &error) {
        log(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        log(QStringLiteral("unknown"));
    }
    return onError;
}

// The same for an export without a result.
template <typename Body>
void guardExport(const QString &source, const char *exportName, Body &&body)
{
    guardExport(source, exportName, 0, [&] {
        body();
        return 0;
    });
}

} // namespace host
