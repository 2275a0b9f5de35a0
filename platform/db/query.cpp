#include "query.h"

#include "connection.h"
#include "db_error.h"
#include "engine.h"

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

} // namespace db
