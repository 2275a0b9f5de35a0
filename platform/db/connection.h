#pragma once

#include "db_export.h"
#include "dialect.h"
#include "parameters.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>

struct pg_conn;

namespace db {

class DataSet;
namespace detail {
class StatementCache;
class PgSession;

// A statement with the values of its :name placeholders.
struct BoundStatement
{
    QString sql;
    Parameters parameters;
};
} // namespace detail

// One open connection to the suite database: the embedded SQLite file or a
// PostgreSQL server. On SQLite it registers what makes text behave as the
// suite's server does (case-insensitive comparison, `like` and ordering,
// Polish letters included), turns foreign keys on, WAL mode and a busy timeout.
//
// SQLite text columns are declared `TEXT COLLATE NOCASE`, the stock collation,
// so their indexes are in the order every SQLite tool keeps (the sqlite3
// shell's integrity_check, VACUUM and writes agree with ours). NOCASE folds
// ASCII letters only; where a Polish letter's case or alphabet place matters,
// statements compare through Dialect::collated, which on SQLite uses the
// collation PL registered here: Unicode case folding in Polish alphabet order
// (a < ą < b < c < ć ... z < ź < ż). `like` (with % and _), `lower` and
// `upper` are replaced on every connection by Unicode-aware, case-insensitive
// versions. PostgreSQL text columns are `citext` with COLLATE "pl-x-icu".
class MALVO_DB_EXPORT Connection
{
public:
    // target: a file path (SQLite; created when missing) or a PostgreSQL
    // connection string ("postgresql://user@host:port/dbname" or
    // "host=... port=... dbname=... user=... password=...").
    // Throws DbError when the database cannot be opened.
    static std::unique_ptr<Connection> open(const QString &target);
    // Opens a second database whose tables statements name as schema.table:
    // an SQLite file is attached under that name, a PostgreSQL database keeps
    // them in that schema already.
    static std::unique_ptr<Connection> openAsSchema(const QString &target, const QString &schema);
    static bool isPostgresTarget(const QString &target);
    // The target as it may be shown or logged: without its password.
    static QString displayTarget(const QString &target);

    // The collation SQLite text columns are declared with: the stock one, never
    // redefined by our connections, so that every SQLite tool orders indexes alike.
    static constexpr const char *SqliteTextCollation = "NOCASE";

    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    const QString &target() const { return m_target; }
    // For statements run through a QSqlQuery of the caller's own: the
    // savepoint statements still waiting are sent first.
    QSqlDatabase database();
    // For a QSqlQuery kept prepared: sends them before each run.
    void sendWaitingStatements();
    const Dialect &dialect() const { return *m_dialect; }
    Engine engine() const { return m_dialect->engine(); }

    // Transactions nest: the outermost level is a real transaction, inner
    // levels are savepoints. Throw DbError on failure. A savepoint and its
    // release wait for the next statement, which on PostgreSQL carries them
    // in its own round trip; a level that ran no statement costs nothing.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }
    // Rows the open transaction has locked or added, by table and key: no
    // one else can delete them before it ends, so they need no lock again.
    // Forgotten when it ends and at any rollback, which may release them;
    // outside a transaction nothing is held.
    void holdRow(const QString &table, qint64 key);
    bool holdsRow(const QString &table, qint64 key) const { return m_heldRows.value(table).contains(key); }
    // Inside a WriteBatch on PostgreSQL: the key the next row of the table
    // takes, from a block reserved ahead, so that its insert need not wait to
    // learn it. Otherwise nothing: the insert tells its key. Throws DbError.
    std::optional<qint64> reserveKey(const QString &table, const QString &keyColumn);

    // Runs a statement without parameters (DDL, pragmas); throws DbError.
    void execute(const QString &sql);

    // Statements stay prepared, by command text, until the connection closes
    // or this is called.
    void clearStatementCache();

    // A PostgreSQL session the server ended (a restart, a terminated backend):
    // the statement that met it fails with lostConnectionText() in front of
    // the driver's words; the next use outside a transaction connects again.
    static bool isLost(const QSqlDriver *driver);
    static bool isLost(const QSqlDriver *driver, const QSqlError &error);
    static QString lostConnectionText();

    // A data set reading its result in chunks holds the connection until it
    // has read the rest; every statement first lets it finish.
    void finishPendingFetch() const;
    void setPendingFetch(DataSet *dataSet) { m_pendingFetch = dataSet; }
    DataSet *pendingFetch() const { return m_pendingFetch; }

private:
    friend class ConnectionAccess;
    friend class WriteBatch;
    Connection(const QString &target, const QString &connectionName, Engine engine);
    void transactionStatement(const QString &sql);
    // PostgreSQL: the statements in one round trip.
    void executeOnServer(const QList<detail::BoundStatement> &statements);
    // Whether the level numbered `level` (1 outermost) is inside a WriteBatch.
    bool insideBatch(int level) const { return m_batchLevel > 0 && level > m_batchLevel; }
    // SQLite runs a batch's steps at once and a failed one fails the batch:
    // the levels inside need no savepoints of their own.
    bool withoutSavepoint(int level) const { return m_sqlite && insideBatch(level); }
    void throwIfBatchFailed() const;
    // Where the level's savepoint waits; -1 once it was sent.
    qsizetype unsentSavepoint(int level) const;
    // Takes back what waits since the level's savepoint; false when that savepoint was sent.
    bool dropUnsent(int level);
    QList<detail::BoundStatement> takeWaitingStatements()
    {
        m_workWaiting = false;
        return std::exchange(m_waitingStatements, {});
    }
    QSqlDatabase session() const;
    // The libpq session behind the driver, connected again when lost.
    pg_conn *pgSession() const;
    void openSession();
    void reconnect(QSqlDatabase &database);

    QString m_target;
    QString m_connectionName;
    std::unique_ptr<Dialect> m_dialect;
    int m_depth = 0;
    QList<detail::BoundStatement> m_waitingStatements;
    bool m_workWaiting = false; // a statement of the level waits, not only savepoints
    int m_batchLevel = 0;       // the level a WriteBatch was opened at; 0 = none
    bool m_batchFailed = false; // a level inside the batch was rolled back
    QHash<QString, QSet<qint64>> m_heldRows;
    QHash<QString, QList<qint64>> m_reservedKeys; // by table, the next last
    void *m_sqlite = nullptr;                     // the sqlite3 handle of the QSQLITE connection
    std::unique_ptr<detail::StatementCache> m_statements;
    std::unique_ptr<detail::PgSession> m_pg;
    DataSet *m_pendingFetch = nullptr;
};

// Many rows written in one go (an import), opened inside the level whose
// work it covers. Statements that wait for the next one (db::executeWithNext)
// then wait past the ends of the deeper levels too, until a read, this
// level's end or a statement that must go: a failure among them is this
// level's, whichever inner step it came from. Keys come from reserved blocks
// (Connection::reserveKey). Only PostgreSQL waits; SQLite runs each at once.
// A deeper level rolled back fails the batch: statements and commits throw
// until this level, or one further out, is rolled back.
class MALVO_DB_EXPORT WriteBatch
{
public:
    explicit WriteBatch(Connection &connection);
    ~WriteBatch();
    WriteBatch(const WriteBatch &) = delete;
    WriteBatch &operator=(const WriteBatch &) = delete;

private:
    Connection &m_connection;
    int m_outerLevel;
};

// Commits on commit(); rolls back when it goes out of scope uncommitted.
class MALVO_DB_EXPORT Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};

} // namespace db
