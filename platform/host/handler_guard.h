#pragma once

#include "db_error.h"
#include "host_export.h"

#include <QString>
#include <concepts>
#include <exception>
#include <source_location>

namespace host {

// Logs a failure that a guard stopped: the caller's source file and line, its
// Class::method and "CATCH" with the failure's text.
MALVO_HOST_EXPORT void logGuardedFailure(const std::source_location &where, const QString &text);
// "Class::method" of a compiler's function signature ("void Class::method(int)").
MALVO_HOST_EXPORT QString methodName(const char *signature);

// Runs the body of an event handler or an exported function so that no
// exception leaves it: into Qt's event loop or across the C boundary into the
// host. A failure is logged with the caller's place and the guard answers
// `onError`; the window stays usable.
template <typename Result, std::invocable Body>
Result guard(Result onError, Body &&body, const std::source_location &where = std::source_location::current())
{
    try {
        return body();
    } catch (const db::DbError &error) {
        logGuardedFailure(where, error.message());
    } catch (const std::exception &error) {
        logGuardedFailure(where, QString::fromUtf8(error.what()));
    } catch (...) {
        logGuardedFailure(where, QStringLiteral("unknown"));
    }
    return onError;
}

// The same for a body without a result; whether it ran to its end.
template <std::invocable Body>
bool guard(Body &&body, const std::source_location &where = std::source_location::current())
{
    return guard(
        false,
        [&] {
            body();
            return true;
        },
        where);
}

} // namespace host
