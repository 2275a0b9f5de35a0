#pragma once

// Helpers shared by the host's own sources; not part of its interface.

#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

class QWidget;

namespace db {
class Connection;
class DbError;
class Query;
} // namespace db

namespace host::detail {

void resetSyscore();
// The host's connection when none is given; null when there is none either.
db::Connection *connectionOr(db::Connection *connection);
// Reports a failure to the user (error box) and the log, then returns.
void reportError(const QString &function, const QString &message, QWidget *owner = nullptr);
void bindAll(db::Query &query, const QVariantMap &params);
// Opens a statement on the connection (or the host's); nullopt after reporting a failure.
std::optional<std::unique_ptr<db::Query>> openStatement(const char *function, const QString &sql,
                                                        db::Connection *connection, const QVariantMap &params);

} // namespace host::detail
