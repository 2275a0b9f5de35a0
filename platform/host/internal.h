#pragma once

// Helpers shared by the host's own sources; not part of its interface.

#include <QString>
#include <QVariantMap>

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

} // namespace host::detail
