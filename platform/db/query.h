#pragma once

#include "dataset.h"

namespace db {

// A command with :name parameters that is either opened (it is then a data
// set holding all rows) or executed (exec returns the rows affected).
class MALVO_DB_EXPORT Query : public DataSet
{
    Q_OBJECT
public:
    explicit Query(QObject *parent = nullptr);
    Query(Connection *connection, const QString &sql, QObject *parent = nullptr);

    // Executes the command; returns the number of rows affected. Throws DbError.
    int exec();
};

// A command run without a data set, for the many small statements of a
// procedure; returns the number of rows affected. Throws DbError.
MALVO_DB_EXPORT int execute(Connection &connection, const QString &sql, const Parameters &parameters);
// An insert of one row; returns the value its identity column idColumn got. Throws DbError.
// Runs a statement whose outcome the caller need not see before its next
// statement in the same transaction level: on PostgreSQL it goes in that
// statement's round trip, whose failure a failure of it becomes; a level
// ending with it still waiting sends it first. Elsewhere it runs at once.
MALVO_DB_EXPORT void executeWithNext(Connection &connection, const QString &sql, const Parameters &parameters);
MALVO_DB_EXPORT qint64 executeInsert(Connection &connection, const QString &insert, const QString &idColumn,
                                     const Parameters &parameters);

} // namespace db
