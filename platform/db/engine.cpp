#include "engine.h"

#include "db_error.h"
#include "pg_session.h"
#include "sql_text.h"
#include "text_collation.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace db::detail {

namespace {

// ---- SQLite text functions ----------------------------------------------

int plCollate(void *, int aLength, const void *a, int bLength, const void *b)
{
    return collation::compareUtf8(static_cast<const char *>(a), aLength, static_cast<const char *>(b), bLength);
}

void likeFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return sqlite3_result_null(context);
    }
    char32_t escape = 0;
    if (argc == 3) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[2])));
        const QList<uint> ucs = e.toUcs4();
        if (ucs.size() != 1)
            return sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
        escape = ucs.first();
    }
    // like(X, Y) is "Y like X".
    const char *pattern = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int patternLength = sqlite3_value_bytes(argv[0]);
    const char *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    const int textLength = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(context, collation::likeUtf8(text, textLength, pattern, patternLength, escape) ? 1 : 0);
}

template <bool Upper>
void caseFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const QString s = QString::fromUtf8(text, sqlite3_value_bytes(argv[0]));
    const QByteArray out = (Upper ? s.toUpper() : s.toLower()).toUtf8();
    sqlite3_result_text(context, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

// ---- SQLite statements ---------------------------------------------------

struct Statement
{
    sqlite3_stmt *stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

[[noreturn]] void throwSqlite(sqlite3 *handle, const QString &sql)
{
    throw DbError(QStringLiteral("%1\nStatement: %2").arg(QString::fromUtf8(sqlite3_errmsg(handle)), sql));
}

void bindSqlite(sqlite3_stmt *stmt, int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    const auto type = QMetaType::Type(value.metaType().id());
    if (isIntegerType(type)) {
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        return;
    }
    if (isFloatingType(type)) {
        sqlite3_bind_double(stmt, index, value.toDouble());
        return;
    }
    switch (type) {
    case QMetaType::Bool:
        sqlite3_bind_int(stmt, index, value.toBool() ? 1 : 0);
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDateTime: {
        const QString text = sqltext::isoDateTime(value.toDateTime());
        sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDate: {
        const QString text = value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QTime: {
        const QTime t = value.toTime();
        const QString text = t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
        sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QString text = value.toString();
        sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
        return;
    }
    }
}

// Values for each placeholder occurrence, in order.
QList<QVariant> occurrenceValues(const QStringList &names, const Parameters &parameters)
{
    QList<QVariant> values;
    values.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        // Generated statements name their placeholders in the parameters' order.
        const QString &name = names[i];
        const int index =
            i < parameters.count() && parameters.at(int(i)).name == name ? int(i) : parameters.indexOf(name);
        values.append(index < 0 ? QVariant() : sqltext::boundValue(parameters.at(index)));
    }
    return values;
}

// Prepares the statement at `tail`, binding its placeholders from `values`.
sqlite3_stmt *prepareNext(sqlite3 *handle, const char *&tail, const char *end, const QList<QVariant> &values,
                          int &nextValue, const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const char *rest = nullptr;
    if (sqlite3_prepare_v2(handle, tail, int(end - tail), &stmt, &rest) != SQLITE_OK)
        throwSqlite(handle, sql);
    tail = rest;
    if (!stmt)
        return nullptr;
    const int count = sqlite3_bind_parameter_count(stmt);
    for (int i = 1; i <= count; ++i)
        bindSqlite(stmt, i, nextValue < values.size() ? values[nextValue++] : QVariant());
    return stmt;
}

// The statements of one command text, prepared one after another with their
// placeholders bound in order.
class StatementSequence
{
public:
    StatementSequence(sqlite3 *handle, const QString &sql, const Parameters &parameters)
        : m_handle(handle),
          m_sql(sql)
    {
        const sqltext::Placeholders placeholders = sqltext::parse(sql);
        m_values = occurrenceValues(placeholders.names, parameters);
        m_utf8 = placeholders.positional().toUtf8();
        m_tail = m_utf8.constData();
        m_end = m_tail + m_utf8.size();
    }

    bool atEnd() const { return m_tail >= m_end; }
    // The next statement; null for an empty one (a stray ";").
    sqlite3_stmt *next() { return prepareNext(m_handle, m_tail, m_end, m_values, m_nextValue, m_sql); }

private:
    sqlite3 *m_handle;
    const QString &m_sql;
    QList<QVariant> m_values;
    QByteArray m_utf8;
    const char *m_tail = nullptr;
    const char *m_end = nullptr;
    int m_nextValue = 0;
};

// Texts a connection keeps at most, so commands built with varying texts
// cannot grow the cache without end.
constexpr size_t MaxCachedStatements = 256;

// The cached statement of a single-statement text, bound to the values;
// reset and unbound again when the lease ends. Null for a text of several
// statements, or one already in use further up the stack.
class Lease
{
public:
    Lease(Connection &connection, const QString &sql, const Parameters &parameters)
    {
        auto &cache = ConnectionAccess::statements(connection);
        if (!cache)
            cache = std::make_unique<StatementCache>();
        StatementCache::Entry &entry = cache->entry(ConnectionAccess::sqlite(connection), sql);
        if (!entry.stmt || entry.busy)
            return;
        m_entry = &entry;
        m_entry->busy = true;
        const QList<QVariant> values = occurrenceValues(entry.names, parameters);
        for (qsizetype i = 0; i < values.size(); ++i)
            bindSqlite(entry.stmt, int(i + 1), values[i]);
    }
    ~Lease()
    {
        if (!m_entry)
            return;
        sqlite3_reset(m_entry->stmt);
        sqlite3_clear_bindings(m_entry->stmt);
        m_entry->busy = false;
    }
    Lease(const Lease &) = delete;
    Lease &operator=(const Lease &) = delete;
    sqlite3_stmt *stmt() const { return m_entry ? m_entry->stmt : nullptr; }

private:
    StatementCache::Entry *m_entry = nullptr;
};

int sqliteExecute(Connection &connection, const QString &sql, const Parameters &parameters)
{
    sqlite3 *handle = ConnectionAccess::sqlite(connection);
    if (const Lease lease(connection, sql, parameters); lease.stmt()) {
        int rc;
        while ((rc = sqlite3_step(lease.stmt())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throwSqlite(handle, sql);
        return sqlite3_stmt_readonly(lease.stmt()) ? 0 : sqlite3_changes(handle);
    }
    StatementSequence statements(handle, sql, parameters);
    int changed = 0;
    while (!statements.atEnd()) {
        Statement statement;
        statement.stmt = statements.next();
        if (!statement.stmt)
            continue;
        int rc;
        while ((rc = sqlite3_step(statement.stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throwSqlite(handle, sql);
        if (!sqlite3_stmt_readonly(statement.stmt))
            changed += sqlite3_changes(handle);
    }
    return changed;
}

// What a declared column type of SQLite makes of its cells.
enum class Kind { Int, Double, Text, Date, Blob, Auto };

struct SqliteColumn
{
    Kind kind;
    QMetaType::Type type;
    int size = 0;
};

SqliteColumn classify(const char *declared)
{
    if (!declared || !*declared)
        return {Kind::Auto, QMetaType::QString};
    const QByteArray decl = QByteArray(declared).toUpper();
    int size = 0;
    static const QRegularExpression sizePattern(QStringLiteral("\\(\\s*(\\d+)"));
    const auto match = sizePattern.match(QString::fromLatin1(decl));
    if (match.hasMatch())
        size = match.captured(1).toInt();
    if (decl.contains("BOOL"))
        return {Kind::Int, QMetaType::Bool};
    if (decl.contains("DATETIME") || decl.contains("TIMESTAMP"))
        return {Kind::Date, QMetaType::QDateTime};
    if (decl.contains("DATE"))
        return {Kind::Date, QMetaType::QDate};
    if (decl.contains("TIME"))
        return {Kind::Date, QMetaType::QTime};
    if (decl.contains("BIGINT") || decl.contains("INT8"))
        return {Kind::Int, QMetaType::LongLong};
    if (decl.contains("INT"))
        return {Kind::Int, QMetaType::Int};
    if (decl.contains("CHAR") || decl.contains("CLOB") || decl.contains("TEXT"))
        return {Kind::Text, QMetaType::QString, size};
    if (decl.contains("BLOB"))
        return {Kind::Blob, QMetaType::QByteArray};
    if (decl.contains("REAL") || decl.contains("FLOA") || decl.contains("DOUB") || decl.contains("NUM")
        || decl.contains("DEC") || decl.contains("MONEY"))
        return {Kind::Double, QMetaType::Double};
    return {Kind::Auto, QMetaType::QString, size};
}

void appendSqliteText(Column &column, sqlite3_stmt *stmt, int i)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
    const int bytes = sqlite3_column_bytes(stmt, i);
    column.appendUtf8(text ? text : "", bytes);
}

// Reads a stepped SQLite statement; the statement belongs to the caller.
class SqliteRows
{
public:
    SqliteRows(sqlite3 *handle, sqlite3_stmt *stmt, const QString &sql, FetchedRows &result)
        : m_handle(handle),
          m_stmt(stmt),
          m_sql(sql)
    {
        // Stepped before the columns are read: a kept statement whose tables
        // changed is prepared again by its first step.
        m_rc = sqlite3_step(stmt);
        const int columnCount = sqlite3_column_count(stmt);
        m_kinds.reserve(size_t(columnCount));
        result.columns.reserve(size_t(columnCount));
        for (int i = 0; i < columnCount; ++i) {
            const SqliteColumn kind = classify(sqlite3_column_decltype(stmt, i));
            m_kinds.push_back(kind);
            FieldDef field;
            field.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
            field.type = kind.type;
            field.size = kind.size;
            result.fields.append(field);
            const Store store = kind.kind == Kind::Int ? Store::Int
                : kind.kind == Kind::Double            ? Store::Double
                : kind.kind == Kind::Text              ? Store::Text
                : kind.kind == Kind::Date              ? Store::Date
                                                       : Store::Pending;
            result.columns.emplace_back(kind.type, store);
        }
    }

    // Appends rows until the result ends (true) or `more` says stop; rows
    // `passOver` says so of are left out. Throws DbError.
    template <typename More, typename PassOver>
    bool read(FetchedRows &result, More more, PassOver passOver)
    {
        const int columnCount = int(m_kinds.size());
        int rows = 0;
        for (; m_rc == SQLITE_ROW; m_rc = sqlite3_step(m_stmt)) {
            if (!more(rows))
                return false;
            if (passOver(m_stmt))
                continue;
            for (int i = 0; i < columnCount; ++i)
                appendCell(result, i);
            ++rows;
            ++result.rowCount;
        }
        if (m_rc != SQLITE_DONE)
            throwSqlite(m_handle, m_sql);
        return true;
    }

private:
    void appendCell(FetchedRows &result, int i)
    {
        sqlite3_stmt *stmt = m_stmt;
        Column &column = result.columns[size_t(i)];
        const int type = sqlite3_column_type(stmt, i);
        if (type == SQLITE_NULL) {
            column.appendNull();
            return;
        }
        switch (m_kinds[size_t(i)].kind) {
        case Kind::Int:
            if (type == SQLITE_INTEGER)
                column.appendInt(sqlite3_column_int64(stmt, i));
            else if (type == SQLITE_FLOAT)
                column.appendDouble(sqlite3_column_double(stmt, i));
            else
                appendSqliteText(column, stmt, i);
            break;
        case Kind::Double:
            if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
                column.appendDouble(sqlite3_column_double(stmt, i));
            else
                appendSqliteText(column, stmt, i);
            break;
        case Kind::Text:
        case Kind::Date:
            appendSqliteText(column, stmt, i);
            break;
        case Kind::Blob:
        case Kind::Auto:
            if (column.store() == Store::Pending) {
                const QMetaType::Type t = type == SQLITE_INTEGER ? QMetaType::LongLong
                    : type == SQLITE_FLOAT                       ? QMetaType::Double
                    : type == SQLITE_TEXT                        ? QMetaType::QString
                                                                 : QMetaType::QByteArray;
                column.setType(t);
                result.fields[i].type = t;
            }
            if (type == SQLITE_INTEGER)
                column.appendInt(sqlite3_column_int64(stmt, i));
            else if (type == SQLITE_FLOAT)
                column.appendDouble(sqlite3_column_double(stmt, i));
            else if (type == SQLITE_TEXT)
                appendSqliteText(column, stmt, i);
            else
                column.appendVariant(
                    QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, i)), sqlite3_column_bytes(stmt, i)));
            break;
        }
    }

    sqlite3 *m_handle;
    sqlite3_stmt *m_stmt;
    QString m_sql;
    int m_rc = SQLITE_DONE;
    std::vector<SqliteColumn> m_kinds;
};

const auto AllRows = [](int) { return true; };

FetchedRows readRows(sqlite3 *handle, sqlite3_stmt *stmt, const QString &sql)
{
    FetchedRows result;
    SqliteRows(handle, stmt, sql, result).read(result, AllRows, [](sqlite3_stmt *) { return false; });
    return result;
}

FetchedRows sqliteFetch(Connection &connection, const QString &sql, const Parameters &parameters)
{
    sqlite3 *handle = ConnectionAccess::sqlite(connection);
    if (const Lease lease(connection, sql, parameters); lease.stmt())
        return readRows(handle, lease.stmt(), sql);
    StatementSequence statements(handle, sql, parameters);
    Statement statement;
    while (!statement.stmt && !statements.atEnd())
        statement.stmt = statements.next();
    return statement.stmt ? readRows(handle, statement.stmt, sql) : FetchedRows();
}

// The statement stays open between chunks: a kept one leased, another owned.
class SqliteReader final : public RowReader
{
public:
    SqliteReader(Connection &connection, const QString &sql, const Parameters &parameters, FetchedRows &result)
        : m_lease(connection, sql, parameters)
    {
        sqlite3 *handle = ConnectionAccess::sqlite(connection);
        sqlite3_stmt *stmt = m_lease.stmt();
        if (!stmt) {
            StatementSequence statements(handle, sql, parameters);
            while (!m_own.stmt && !statements.atEnd())
                m_own.stmt = statements.next();
            stmt = m_own.stmt;
        }
        if (stmt)
            m_rows.emplace(handle, stmt, sql, result);
    }
    bool read(FetchedRows &rows, const std::function<bool(int)> &more) override
    {
        return !m_rows || m_rows->read(rows, more, [this](sqlite3_stmt *stmt) {
            return passingOver() && passedOver(sqlite3_column_int64(stmt, m_passColumn));
        });
    }

private:
    Lease m_lease;
    Statement m_own;
    std::optional<SqliteRows> m_rows;
};

// ---- PostgreSQL ------------------------------------------------------------

[[noreturn]] void throwQuery(const QSqlQuery &query, const QString &sql)
{
    const QString lost =
        Connection::isLost(query.driver(), query.lastError()) ? Connection::lostConnectionText() + u'\n' : QString();
    throw DbError(QStringLiteral("%1%2\nStatement: %3").arg(lost, query.lastError().text(), sql));
}

// A forward-only query read in steps; it keeps the statement open on the
// server between them.
class PostgresReader final : public RowReader
{
public:
    PostgresReader(Connection &connection, const QString &sql, const Parameters &parameters, FetchedRows &result)
        : m_query(ConnectionAccess::session(connection)),
          m_sql(sql)
    {
        // Savepoints and work waiting go first, in a run of their own.
        if (QList<BoundStatement> waiting = ConnectionAccess::takeWaitingStatements(connection); !waiting.isEmpty()) {
            pg_conn *handle = ConnectionAccess::pgSession(connection);
            ConnectionAccess::pg(connection).run(handle, waiting, false);
        }
        m_query.setForwardOnly(true);
        m_query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        if (!m_query.exec(sqltext::postgresText(sql, parameters)))
            throwQuery(m_query, sql);
        m_select = m_query.isSelect();
        if (!m_select)
            return;
        const QSqlRecord record = m_query.record();
        const int columnCount = record.count();
        for (int i = 0; i < columnCount; ++i) {
            const QSqlField f = record.field(i);
            QMetaType::Type type = QMetaType::Type(f.metaType().id());
            Store store = Store::Variant;
            switch (type) {
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Int:
                type = QMetaType::Int;
                store = Store::Int;
                break;
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::ULong:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
                type = QMetaType::LongLong;
                store = Store::Int;
                break;
            case QMetaType::Bool:
                store = Store::Int;
                break;
            case QMetaType::Float:
            case QMetaType::Double:
                type = QMetaType::Double;
                store = Store::Double;
                break;
            case QMetaType::QString:
                store = Store::Text;
                break;
            case QMetaType::QDate:
            case QMetaType::QTime:
            case QMetaType::QDateTime:
                store = Store::Date;
                break;
            default:
                break;
            }
            FieldDef field;
            field.name = f.name();
            field.type = type;
            field.size = type == QMetaType::QString && f.length() > 0 ? f.length() : 0;
            result.fields.append(field);
            result.columns.emplace_back(type, store);
            m_stores.push_back(store);
        }
    }

    bool read(FetchedRows &result, const std::function<bool(int)> &more) override
    {
        return read(result, [&more](int rows) { return more(rows); });
    }

    template <typename More>
    bool read(FetchedRows &result, More more)
    {
        if (!m_select)
            return true;
        const int columnCount = int(m_stores.size());
        for (int rows = 0; more(rows); ++rows) {
            if (!m_query.next()) {
                if (m_query.lastError().isValid())
                    throwQuery(m_query, m_sql);
                return true;
            }
            if (passingOver() && passedOver(m_query.value(m_passColumn).toLongLong()))
                continue;
            for (int i = 0; i < columnCount; ++i) {
                Column &column = result.columns[size_t(i)];
                const QVariant v = m_query.value(i);
                if (v.isNull()) {
                    column.appendNull();
                    continue;
                }
                switch (m_stores[size_t(i)]) {
                case Store::Int:
                    column.appendInt(v.toLongLong());
                    break;
                case Store::Double:
                    column.appendDouble(v.toDouble());
                    break;
                case Store::Text: {
                    const QString s = v.toString();
                    column.appendText(reinterpret_cast<const char16_t *>(s.utf16()), s.size());
                    break;
                }
                default:
                    column.appendVariant(v);
                    break;
                }
            }
            ++result.rowCount;
        }
        return false;
    }

private:
    QSqlQuery m_query;
    QString m_sql;
    bool m_select = false;
    std::vector<Store> m_stores;
};

// The waiting statements and this one in one round trip.
PgSession::Outcome postgresRun(Connection &connection, const QString &sql, const Parameters &parameters, bool read)
{
    pg_conn *handle = ConnectionAccess::pgSession(connection); // first: connecting again forgets prepared statements
    return ConnectionAccess::pg(connection)
        .run(handle, ConnectionAccess::takeWaitingStatements(connection) << BoundStatement{sql, parameters}, read);
}

} // namespace

void StatementCache::clear()
{
    for (auto &[sql, entry] : m_entries)
        sqlite3_finalize(entry.stmt);
    m_entries.clear();
}

StatementCache::Entry &StatementCache::entry(sqlite3 *handle, const QString &sql)
{
    if (const auto it = m_entries.find(sql); it != m_entries.end())
        return it->second;
    if (m_entries.size() >= MaxCachedStatements)
        std::erase_if(m_entries, [](auto &item) {
            if (item.second.busy)
                return false;
            sqlite3_finalize(item.second.stmt);
            return true;
        });
    const sqltext::Placeholders placeholders = sqltext::parse(sql);
    const QByteArray utf8 = placeholders.positional().toUtf8();
    Entry fresh;
    const char *rest = nullptr;
    if (sqlite3_prepare_v2(handle, utf8.constData(), int(utf8.size()), &fresh.stmt, &rest) != SQLITE_OK)
        throwSqlite(handle, sql);
    const bool single = fresh.stmt && sqlite3_bind_parameter_count(fresh.stmt) == placeholders.names.size()
        && std::all_of(rest, utf8.constData() + utf8.size(), [](char c) { return c == ';' || std::isspace(uchar(c)); });
    if (single)
        fresh.names = placeholders.names;
    else {
        sqlite3_finalize(fresh.stmt);
        fresh.stmt = nullptr;
    }
    // The key owns its characters: a literal's may belong to a library unloaded later.
    return m_entries.emplace(QString(sql.constData(), sql.size()), std::move(fresh)).first->second;
}

void registerSqliteText(sqlite3 *handle)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation_v2(handle, "PL", SQLITE_UTF8, nullptr, plCollate, nullptr);
    sqlite3_create_function_v2(handle, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(handle, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(handle, "lower", 1, flags, nullptr, caseFunction<false>, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(handle, "upper", 1, flags, nullptr, caseFunction<true>, nullptr, nullptr, nullptr);
}

namespace {

// Every statement first lets a pending fetch finish; on SQLite it also runs
// the waiting savepoint statements, which PostgreSQL's takes along instead.
bool readyForStatement(Connection &connection)
{
    ConnectionAccess::throwIfBatchFailed(connection);
    connection.finishPendingFetch();
    if (connection.engine() != Engine::SQLite)
        return false;
    connection.sendWaitingStatements();
    return true;
}

} // namespace

int executeCommand(Connection &connection, const QString &sql, const Parameters &parameters)
{
    if (readyForStatement(connection))
        return sqliteExecute(connection, sql, parameters);
    return postgresRun(connection, sql, parameters, false).changed;
}

void executeWithNext(Connection &connection, const QString &sql, const Parameters &parameters)
{
    if (connection.engine() == Engine::SQLite || connection.transactionDepth() == 0) {
        executeCommand(connection, sql, parameters);
        return;
    }
    ConnectionAccess::addWaitingWork(connection, {sql, parameters});
}

FetchedRows fetchRows(Connection &connection, const QString &sql, const Parameters &parameters)
{
    if (readyForStatement(connection))
        return sqliteFetch(connection, sql, parameters);
    return postgresRun(connection, sql, parameters, true).rows;
}

std::unique_ptr<RowReader> startFetch(Connection &connection, const QString &sql, const Parameters &parameters,
                                      FetchedRows &result)
{
    if (readyForStatement(connection))
        return std::make_unique<SqliteReader>(connection, sql, parameters, result);
    return std::make_unique<PostgresReader>(connection, sql, parameters, result);
}

} // namespace db::detail
