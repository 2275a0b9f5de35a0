#include "query.h"

#include "connection.h"
#include "db_error.h"
#include "dialect.h"
#include "engine.h"

#include <sqlite3.h>

namespace db {

Query::Query(QObject *parent)
    : DataSet(parent)
{}

Query::Query(Connection *connection, const QString &sql, QObject *parent)
    : DataSet(parent)
{
    setConnection(connection);
    setCommandText(sql);
}

int Query::exec()
{
    if (!connection())
        throw DbError(QStringLiteral("The query has no connection"));
    return detail::executeCommand(*connection(), commandText(), parameters());
}

int execute(Connection &connection, const QString &sql, const Parameters &parameters)
{
    return detail::executeCommand(connection, sql, parameters);
}

void executeWithNext(Connection &connection, const QString &sql, const Parameters &parameters)
{
    detail::executeWithNext(connection, sql, parameters);
}

qint64 executeInsert(Connection &connection, const QString &insert, const QString &idColumn,
                     const Parameters &parameters)
{
    // On SQLite the identity column is the rowid, so no result need be read.
    if (connection.engine() == Engine::SQLite) {
        detail::executeCommand(connection, insert, parameters);
        return sqlite3_last_insert_rowid(ConnectionAccess::sqlite(connection));
    }
    const detail::FetchedRows inserted =
        detail::fetchRows(connection, connection.dialect().insertReturningId(insert, idColumn), parameters);
    if (inserted.rowCount != 1)
        throw DbError(QStringLiteral("The insert gave no %1").arg(idColumn));
    return inserted.columns.front().value(0).toLongLong();
}

} // namespace db
