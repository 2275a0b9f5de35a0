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

} // namespace db
