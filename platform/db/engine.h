#pragma once

#include "connection.h"
#include "dataset.h"
#include "parameters.h"
#include "row_store.h"

#include <QList>
#include <vector>

struct sqlite3;

namespace db {

// Internal access of the library to what a Connection keeps private.
class ConnectionAccess
{
public:
    static sqlite3 *sqlite(const Connection &connection) { return static_cast<sqlite3 *>(connection.m_sqlite); }
};

namespace detail {

struct FetchedRows
{
    QList<FieldDef> fields;
    std::vector<Column> columns;
    int rowCount = 0;
};

// Runs a command whose :name placeholders take the parameters' values;
// returns the rows it changed. Throws DbError.
int executeCommand(Connection &connection, const QString &sql, const Parameters &parameters);
// Runs a query and reads all of its rows. Throws DbError.
FetchedRows fetchRows(Connection &connection, const QString &sql, const Parameters &parameters);

// Registers the collation PL and the functions like, lower and upper.
void registerSqliteText(sqlite3 *handle);

} // namespace detail
} // namespace db
