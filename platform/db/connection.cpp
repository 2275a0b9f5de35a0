#include "connection.h"

#include "dataset.h"
#include "db_error.h"
#include "engine.h"
#include "pg_session.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace db {

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("malvo_db_%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

struct PgSettings
{
    QString host;
    int port = -1;
    QString dbName;
    QString user;
    QString password;
    QStringList options;
};

// "key=value key='quoted value' ..." as libpq reads it.
PgSettings parseConnInfo(const QString &text)
{
    PgSettings s;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        const qsizetype keyStart = i;
        while (i < n && text[i] != QLatin1Char('=') && !text[i].isSpace())
            ++i;
        const QString key = text.mid(keyStart, i - keyStart);
        while (i < n && text[i].isSpace())
            ++i;
        if (i < n && text[i] == QLatin1Char('='))
            ++i;
        while (i < n && text[i].isSpace())
            ++i;
        QString value;
        if (i < n && text[i] == QLatin1Char('\'')) {
            ++i;
            while (i < n && text[i] != QLatin1Char('\'')) {
                if (text[i] == QLatin1Char('\\') && i + 1 < n)
                    ++i;
                value += text[i++];
            }
            ++i;
        } else {
            while (i < n && !text[i].isSpace())
                value += text[i++];
        }
        if (key.isEmpty())
            continue;
        if (key == QLatin1String("host") || key == QLatin1String("hostaddr"))
            s.host = value;
        else if (key == QLatin1String("port"))
            s.port = value.toInt();
        else if (key == QLatin1String("dbname"))
            s.dbName = value;
        else if (key == QLatin1String("user"))
            s.user = value;
        else if (key == QLatin1String("password"))
            s.password = value;
        else
            s.options.append(key + QLatin1Char('=') + value);
    }
    return s;
}

PgSettings parseUrl(const QString &text)
{
    const QUrl url(text);
    PgSettings s;
    s.host = url.host();
    s.port = url.port(-1);
    s.dbName = url.path().mid(1);
    s.user = url.userName(QUrl::FullyDecoded);
    s.password = url.password(QUrl::FullyDecoded);
    const QUrlQuery query(url);
    for (const auto &item : query.queryItems(QUrl::FullyDecoded))
        s.options.append(item.first + QLatin1Char('=') + item.second);
    return s;
}

} // namespace

bool Connection::isPostgresTarget(const QString &target)
{
    static const QRegularExpression keyValue(QStringLiteral("^\\s*[A-Za-z_]+\\s*="));
    return target.startsWith(QLatin1String("postgresql://")) || target.startsWith(QLatin1String("postgres://"))
        || keyValue.match(target).hasMatch();
}

Connection::Connection(const QString &target, const QString &connectionName, Engine engine)
    : m_target(target),
      m_connectionName(connectionName),
      m_dialect(Dialect::create(engine))
{}

QString Connection::displayTarget(const QString &target)
{
    static const QRegularExpression keyword(QStringLiteral("password\\s*=\\s*\\S+"));
    static const QRegularExpression url(QStringLiteral("(://[^:/@]+):[^@]*@"));
    QString shown = target;
    shown.replace(keyword, QStringLiteral("password=***"));
    shown.replace(url, QStringLiteral("\\1:***@"));
    return shown;
}

std::unique_ptr<Connection> Connection::open(const QString &target)
{
    const QString name = nextConnectionName();
    const bool postgres = isPostgresTarget(target);
    std::unique_ptr<Connection> connection(
        new Connection(target, name, postgres ? Engine::PostgreSQL : Engine::SQLite));
    QSqlDatabase db = QSqlDatabase::addDatabase(postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
    if (postgres) {
        const PgSettings s = target.contains(QLatin1String("://")) ? parseUrl(target) : parseConnInfo(target);
        db.setHostName(s.host);
        if (s.port > 0)
            db.setPort(s.port);
        db.setDatabaseName(s.dbName);
        db.setUserName(s.user);
        db.setPassword(s.password);
        db.setConnectOptions(s.options.join(QLatin1Char(';')));
    } else {
        const QFileInfo file(target);
        if (target != QLatin1String(":memory:"))
            QDir().mkpath(file.absolutePath());
        db.setDatabaseName(target);
    }
    if (!db.open()) {
        const QString error = db.lastError().text();
        db = QSqlDatabase();
        connection.reset(); // removes the registration
        throw DbError(QStringLiteral("Cannot open database %1: %2").arg(displayTarget(target), error));
    }
    if (postgres) {
        connection->openSession();
    } else {
        const QVariant handle = db.driver()->handle();
        connection->m_sqlite = *static_cast<sqlite3 *const *>(handle.constData());
        detail::registerSqliteText(ConnectionAccess::sqlite(*connection));
        connection->execute(QStringLiteral("pragma foreign_keys = on; pragma busy_timeout = 5000;"
                                           " pragma temp_store = memory; pragma cache_size = -16384;"));
        if (target != QLatin1String(":memory:"))
            connection->execute(QStringLiteral("pragma journal_mode = wal"));
    }
    return connection;
}

void Connection::openSession()
{
    execute(QStringLiteral("set standard_conforming_strings = on"));
    execute(QStringLiteral("set client_min_messages = warning"));
}

bool Connection::isLost(const QSqlDriver *driver)
{
    if (!driver || driver->dbmsType() != QSqlDriver::PostgreSQL)
        return false;
    // The driver closes a session it finds broken; ours are closed only when they go.
    if (!driver->isOpen())
        return true;
    const QVariant handle = driver->handle();
    PGconn *session = handle.isValid() ? *static_cast<PGconn *const *>(handle.constData()) : nullptr;
    return session && PQstatus(session) == CONNECTION_BAD;
}

bool Connection::isLost(const QSqlDriver *driver, const QSqlError &error)
{
    // Connection failures and the server's shutdown or termination of the session.
    const QString code = error.nativeErrorCode();
    return isLost(driver) || code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P"));
}

QString Connection::lostConnectionText()
{
    return QStringLiteral("The connection to the database server was lost; the next action connects again.");
}

void Connection::reconnect(QSqlDatabase &database)
{
    // The server has dropped the open transaction; its remaining levels must fail, not go on without it.
    if (m_depth > 0)
        throw DbError(lostConnectionText());
    database.close();
    // The new session has none of the old one's prepared statements.
    m_pg.reset();
    if (!database.open())
        throw DbError(lostConnectionText() + QLatin1Char('\n') + database.lastError().text());
    openSession();
}

std::unique_ptr<Connection> Connection::openAsSchema(const QString &target, const QString &schema)
{
    auto connection = open(target);
    if (connection->engine() == Engine::SQLite)
        connection->execute(
            QStringLiteral("attach database %1 as %2").arg(connection->dialect().quote(target), schema));
    return connection;
}

Connection::~Connection()
{
    if (m_pendingFetch)
        m_pendingFetch->cancelFetch();
    if (m_depth > 0) {
        try {
            m_depth = 1;
            rollback();
        } catch (...) {
            // Closing the connection discards the transaction anyway.
        }
    }
    // A statement left prepared would keep SQLite from closing the file.
    m_statements.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

void Connection::clearStatementCache()
{
    finishPendingFetch();
    if (m_statements)
        m_statements->clear();
    if (m_pg)
        m_pg->clear();
}

void Connection::finishPendingFetch() const
{
    if (m_pendingFetch)
        m_pendingFetch->finishFetch();
}

QSqlDatabase Connection::database()
{
    QSqlDatabase database = session();
    sendWaitingStatements();
    return database;
}

QSqlDatabase Connection::session() const
{
    finishPendingFetch();
    QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
    if (isLost(database.driver()))
        const_cast<Connection *>(this)->reconnect(database);
    return database;
}

pg_conn *Connection::pgSession() const
{
    const QVariant handle = session().driver()->handle();
    return *static_cast<PGconn *const *>(handle.constData());
}

void Connection::execute(const QString &sql)
{
    throwIfBatchFailed();
    finishPendingFetch();
    if (m_sqlite) {
        sendWaitingStatements();
        char *error = nullptr;
        if (sqlite3_exec(ConnectionAccess::sqlite(*this), sql.toUtf8().constData(), nullptr, nullptr, &error)
            != SQLITE_OK) {
            const QString message = QString::fromUtf8(error ? error : "unknown error");
            sqlite3_free(error);
            throw DbError(QStringLiteral("%1\nStatement: %2").arg(message, sql));
        }
        return;
    }
    if (!m_waitingStatements.isEmpty())
        executeOnServer(takeWaitingStatements());
    pg_conn *handle = pgSession(); // first: connecting again forgets the prepared statements
    ConnectionAccess::pg(*this).runText(handle, sql);
}

detail::PgSession &ConnectionAccess::pg(Connection &connection)
{
    if (!connection.m_pg)
        connection.m_pg = std::make_unique<detail::PgSession>();
    return *connection.m_pg;
}

void Connection::executeOnServer(const QList<detail::BoundStatement> &statements)
{
    pg_conn *handle = pgSession(); // first: connecting again forgets the prepared statements
    ConnectionAccess::pg(*this).run(handle, statements, false);
}

void Connection::transactionStatement(const QString &sql)
{
    // On SQLite they are run often enough that the statement cache pays.
    if (m_sqlite)
        detail::executeCommand(*this, sql, {});
    else
        executeOnServer(takeWaitingStatements() << detail::BoundStatement{sql, {}});
}

void Connection::sendWaitingStatements()
{
    throwIfBatchFailed();
    if (m_waitingStatements.isEmpty())
        return;
    const QList<detail::BoundStatement> statements = takeWaitingStatements();
    if (m_sqlite) {
        for (const detail::BoundStatement &statement : statements)
            detail::executeCommand(*this, statement.sql, statement.parameters);
        return;
    }
    executeOnServer(statements);
}

namespace {

QString savepointName(int level)
{
    return QStringLiteral("malvo_sp_%1").arg(level);
}

} // namespace

qsizetype Connection::unsentSavepoint(int level) const
{
    const QString savepoint = QLatin1String("savepoint ") + savepointName(level);
    qsizetype at = m_waitingStatements.size();
    while (--at >= 0 && m_waitingStatements[at].sql != savepoint) {
    }
    return at;
}

bool Connection::dropUnsent(int level)
{
    const qsizetype unsent = unsentSavepoint(level);
    // What waits after the savepoint, or all that waits once it was sent, was queued inside the level.
    m_waitingStatements.resize(std::max<qsizetype>(unsent, 0));
    m_workWaiting = std::ranges::any_of(m_waitingStatements, [](const detail::BoundStatement &s) {
        return !s.sql.startsWith(QLatin1String("savepoint ")) && !s.sql.startsWith(QLatin1String("release savepoint "));
    });
    return unsent >= 0;
}

void Connection::begin()
{
    throwIfBatchFailed();
    if (m_depth == 0)
        transactionStatement(QStringLiteral("begin"));
    else if (!withoutSavepoint(m_depth + 1))
        m_waitingStatements.append({QLatin1String("savepoint ") + savepointName(m_depth), {}});
    ++m_depth;
}

void Connection::throwIfBatchFailed() const
{
    if (m_batchFailed)
        throw DbError(QStringLiteral("A step of this write failed before; the write can only be taken back"));
}

void Connection::commit()
{
    if (m_depth == 0)
        throw DbError(QStringLiteral("commit without an open transaction"));
    throwIfBatchFailed();
    if (m_depth == 1) {
        // On failure the level stays open, so the caller's rollback still applies.
        transactionStatement(QStringLiteral("commit"));
        m_heldRows.clear();
    } else if (!withoutSavepoint(m_depth)) {
        // A statement waiting for the level's next one has none: it goes now,
        // while its failure is still this level's (or a batch's around it).
        if (m_workWaiting && (m_batchLevel == 0 || m_depth <= m_batchLevel))
            sendWaitingStatements();
        // A level that ran nothing is taken back unsent, and so is one whose
        // work all waits in a batch: its failure would be the batch level's.
        const qsizetype unsent = unsentSavepoint(m_depth - 1);
        if (unsent >= 0 && (unsent == m_waitingStatements.size() - 1 || insideBatch(m_depth)))
            m_waitingStatements.removeAt(unsent);
        else
            m_waitingStatements.append({QLatin1String("release savepoint ") + savepointName(m_depth - 1), {}});
    }
    --m_depth;
}

void Connection::rollback()
{
    if (m_depth == 0)
        throw DbError(QStringLiteral("rollback without an open transaction"));
    const int level = --m_depth;
    m_heldRows.clear();
    // Inside a batch a level rolled back fails the batch, whose own
    // rollback, or one further out, takes back every step.
    m_batchFailed = insideBatch(level + 1);
    // SQLite ends the whole transaction by itself after some errors.
    if (m_sqlite && sqlite3_get_autocommit(ConnectionAccess::sqlite(*this))) {
        m_depth = 0;
        m_batchFailed = false;
        takeWaitingStatements();
        return;
    }
    if (level == 0) {
        takeWaitingStatements();
        transactionStatement(QStringLiteral("rollback"));
        return;
    }
    if (m_batchFailed)
        return;
    // What waits inside the level is undone unsent.
    if (dropUnsent(level))
        return;
    const QString savepoint = savepointName(level);
    m_waitingStatements << detail::BoundStatement{QLatin1String("rollback to savepoint ") + savepoint, {}}
                        << detail::BoundStatement{QLatin1String("release savepoint ") + savepoint, {}};
    sendWaitingStatements();
}

std::optional<qint64> Connection::reserveKey(const QString &table, const QString &keyColumn)
{
    if (m_sqlite || m_batchLevel == 0)
        return std::nullopt;
    QList<qint64> &keys = m_reservedKeys[table];
    if (keys.isEmpty()) {
        Parameters names;
        names.append(QStringLiteral("table"), table);
        names.append(QStringLiteral("column"), keyColumn);
        // Sequences never give a value twice, whatever becomes of this transaction.
        const detail::FetchedRows reserved = detail::fetchRows(
            *this,
            QStringLiteral("select nextval(pg_get_serial_sequence(:table, :column)) from generate_series(1, 100)"),
            names);
        // Taken from the back, lowest first.
        for (int row = reserved.rowCount - 1; row >= 0; --row) {
            const QVariant key = reserved.columns.front().value(row);
            if (key.isNull())
                throw DbError(QStringLiteral("%1.%2 takes no values from a sequence").arg(table, keyColumn));
            keys.append(key.toLongLong());
        }
    }
    return keys.takeLast();
}

void Connection::holdRow(const QString &table, qint64 key)
{
    if (m_depth > 0)
        m_heldRows[table].insert(key);
}

WriteBatch::WriteBatch(Connection &connection)
    : m_connection(connection),
      m_outerLevel(connection.m_batchLevel)
{
    m_connection.m_batchLevel = m_connection.m_depth;
}

WriteBatch::~WriteBatch()
{
    m_connection.m_batchLevel = m_outerLevel;
}

Transaction::Transaction(Connection &connection)
    : m_connection(connection)
{
    m_connection.begin();
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        m_connection.rollback();
    } catch (...) {
        // A destructor must not throw; the server discards the work anyway.
    }
}

void Transaction::commit()
{
    m_connection.commit();
    m_done = true;
}

} // namespace db
