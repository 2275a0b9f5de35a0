#pragma once

#include "connection.h"
#include "dataset.h"
#include "parameters.h"
#include "row_store.h"

#include <QList>
#include <QSet>
#include <QStringList>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class QSqlQuery;

namespace db {

// Internal access of the library to what a Connection keeps private.
class ConnectionAccess
{
public:
    static sqlite3 *sqlite(const Connection &connection) { return static_cast<sqlite3 *>(connection.m_sqlite); }
    static std::unique_ptr<detail::StatementCache> &statements(Connection &connection)
    {
        return connection.m_statements;
    }
    // The session without sending the waiting savepoint statements: the
    // caller puts them in front of its own.
    static QSqlDatabase session(const Connection &connection) { return connection.session(); }
    static QList<detail::BoundStatement> takeWaitingStatements(Connection &connection)
    {
        return connection.takeWaitingStatements();
    }
    static void throwIfBatchFailed(const Connection &connection) { connection.throwIfBatchFailed(); }
    static void addWaitingWork(Connection &connection, detail::BoundStatement statement)
    {
        connection.throwIfBatchFailed();
        connection.m_waitingStatements.append(std::move(statement));
        connection.m_workWaiting = true;
    }
    // PostgreSQL: the statements of the session and the libpq session itself.
    static detail::PgSession &pg(Connection &connection);
    static pg_conn *pgSession(const Connection &connection) { return connection.pgSession(); }
};

namespace detail {

// The prepared statements of one SQLite connection by command text: parsing
// and planning a command costs more than running it on a few rows.
class StatementCache
{
public:
    struct Entry
    {
        sqlite3_stmt *stmt = nullptr; // null: the text is not one statement, so it is never kept
        QStringList names;            // the placeholder of each `?`, in order
        bool busy = false;
    };
    ~StatementCache() { clear(); }
    void clear();
    // The entry for the text, prepared now when new; throws DbError.
    Entry &entry(sqlite3 *handle, const QString &sql);

private:
    std::unordered_map<QString, Entry> m_entries;
};

struct FetchedRows
{
    QList<FieldDef> fields;
    std::vector<Column> columns;
    int rowCount = 0;
};

// Runs a command whose :name placeholders take the parameters' values;
// returns the rows it changed. Throws DbError.
int executeCommand(Connection &connection, const QString &sql, const Parameters &parameters);
// See db::executeWithNext.
void executeWithNext(Connection &connection, const QString &sql, const Parameters &parameters);
// Runs a query and reads all of its rows. Throws DbError.
FetchedRows fetchRows(Connection &connection, const QString &sql, const Parameters &parameters);

// A query whose rows are read a part at a time; nothing else may run on the
// connection until it is read to the end or destroyed.
class RowReader
{
public:
    virtual ~RowReader() = default;
    // Appends rows while more(rows read by this call) says so; true once the
    // result has ended. Throws DbError.
    virtual bool read(FetchedRows &rows, const std::function<bool(int)> &more) = 0;
    // Rows whose integer in `column` is one of `keys` are passed over.
    void passOver(int column, QSet<qint64> keys)
    {
        m_passColumn = column;
        m_passKeys = std::move(keys);
    }

protected:
    // Each key is passed over once: a row seen, its key stops being looked for.
    bool passingOver() const { return !m_passKeys.isEmpty(); }
    bool passedOver(qint64 key) { return m_passKeys.remove(key); }
    int m_passColumn = -1;

private:
    QSet<qint64> m_passKeys;
};
// Runs a query and fills the fields and empty columns of `result`. Throws DbError.
std::unique_ptr<RowReader> startFetch(Connection &connection, const QString &sql, const Parameters &parameters,
                                      FetchedRows &result);

// Registers the collation PL and the functions like, lower and upper.
void registerSqliteText(sqlite3 *handle);

} // namespace detail
} // namespace db
