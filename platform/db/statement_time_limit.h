#pragma once

#include "db_export.h"

#include <QElapsedTimer>
#include <QString>

struct sqlite3;

namespace db {

class Connection;

// Interrupts statements of a connection that run past a limit while it lives.
// SQLite calls a progress handler every few thousand virtual-machine steps;
// PostgreSQL cancels the statement itself through statement_timeout.
class MALVO_DB_EXPORT StatementTimeLimit
{
public:
    // A limit of 0 or less sets none.
    StatementTimeLimit(Connection &connection, int milliseconds);
    ~StatementTimeLimit();
    StatementTimeLimit(const StatementTimeLimit &) = delete;
    StatementTimeLimit &operator=(const StatementTimeLimit &) = delete;

    // Whether the limit stopped a statement.
    bool expired() const { return m_expired; }
    // Whether an error message is an engine's "the statement took too long".
    static bool isTimeout(const QString &message);

private:
    static int progress(void *self);

    Connection &m_connection;
    int m_limit;
    QElapsedTimer m_clock;
    sqlite3 *m_sqlite = nullptr;
    bool m_serverTimeout = false;
    bool m_expired = false;
};

} // namespace db
