#include "statement_time_limit.h"

#include "db_error.h"
#include "engine.h"

#include <sqlite3.h>

namespace db {

StatementTimeLimit::StatementTimeLimit(Connection &connection, int milliseconds)
    : m_connection(connection),
      m_limit(milliseconds)
{
    if (m_limit <= 0)
        return;
    m_clock.start();
    if (connection.engine() == Engine::SQLite) {
        m_sqlite = ConnectionAccess::sqlite(connection);
        if (m_sqlite)
            sqlite3_progress_handler(m_sqlite, 1000, &StatementTimeLimit::progress, this);
    } else {
        connection.execute(QStringLiteral("set statement_timeout = %1").arg(m_limit));
        m_serverTimeout = true;
    }
}

StatementTimeLimit::~StatementTimeLimit()
{
    if (m_sqlite)
        sqlite3_progress_handler(m_sqlite, 0, nullptr, nullptr);
    if (m_serverTimeout) {
        try {
            m_connection.execute(QStringLiteral("set statement_timeout = 0"));
        } catch (const DbError &) {
            // An aborted transaction refuses it; the rollback restores the setting.
        }
    }
}

bool StatementTimeLimit::isTimeout(const QString &message)
{
    return message.contains(QLatin1String("statement timeout"), Qt::CaseInsensitive)
        || message.contains(QLatin1String("57014"))
        || message.contains(QLatin1String("interrupted"), Qt::CaseInsensitive);
}

int StatementTimeLimit::progress(void *self)
{
    auto *limit = static_cast<StatementTimeLimit *>(self);
    if (limit->m_clock.elapsed() > limit->m_limit) {
        limit->m_expired = true;
        return 1;
    }
    return 0;
}

} // namespace db
