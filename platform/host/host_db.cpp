#include "host_funcs.h"

#include "connection.h"
#include "day_time.h"
#include "db_error.h"
#include "internal.h"
#include "query.h"
#include "services.h"
#include "statement_time_limit.h"
#include "stored_proc.h"

#include <atomic>
#include <optional>

namespace host {

namespace {

std::atomic<int> g_timeLimit{0};

int columnIndex(const db::DataSet &data, const QString &column)
{
    if (column.isEmpty())
        return data.fieldCount() > 0 ? 0 : -1;
    return data.fieldIndex(column);
}

// The column of the first row: nullopt on a failure (reported), an invalid
// QVariant when there is no row.
std::optional<QVariant> firstValue(const char *function, const QString &sql, const QString &column,
                                   db::Connection *connection, const QVariantMap &params)
{
    auto query = detail::openStatement(function, sql, connection, params);
    if (!query)
        return std::nullopt;
    db::Query &q = **query;
    const int index = columnIndex(q, column);
    if (index < 0) {
        detail::reportError(QLatin1String(function), QStringLiteral("No column \"%1\" in: %2").arg(column, sql));
        return std::nullopt;
    }
    if (q.isEmpty())
        return QVariant();
    q.first();
    return q.value(index);
}

template <typename T, typename Convert>
QList<T> columnValues(const char *function, const QString &sql, const QString &column, db::Connection *connection,
                      const QVariantMap &params, Convert convert)
{
    QList<T> result;
    auto query = detail::openStatement(function, sql, connection, params);
    if (!query)
        return result;
    db::Query &q = **query;
    const int index = columnIndex(q, column);
    if (index < 0) {
        detail::reportError(QLatin1String(function), QStringLiteral("No column \"%1\" in: %2").arg(column, sql));
        return result;
    }
    for (q.first(); !q.eof(); q.next())
        result << convert(q.value(index));
    return result;
}

} // namespace

namespace detail {

std::optional<std::unique_ptr<db::Query>> openStatement(const char *function, const QString &sql,
                                                        db::Connection *connection, const QVariantMap &params)
{
    db::Connection *c = detail::connectionOr(connection);
    if (!c) {
        detail::reportError(QLatin1String(function), QStringLiteral("No database connection."));
        return std::nullopt;
    }
    try {
        auto query = std::make_unique<db::Query>(c, sql);
        detail::bindAll(*query, params);
        query->open();
        return query;
    } catch (const db::DbError &error) {
        detail::reportError(QLatin1String(function), error.message() + QStringLiteral("\n") + sql);
        return std::nullopt;
    }
}

db::Connection *connectionOr(db::Connection *connection)
{
    return connection ? connection : services().connection();
}

void bindAll(db::Query &query, const QVariantMap &params)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        if (query.parameters().contains(it.key()))
            query.parameters().setValue(it.key(), it.value());
}

} // namespace detail

db::Connection *GetConnection()
{
    return services().connection();
}

QString collated(const QString &expression)
{
    const db::Connection *c = GetConnection();
    return c ? c->dialect().collated(expression) : expression;
}

QString like(const QString &expression, const QString &pattern)
{
    const db::Connection *c = GetConnection();
    return c ? c->dialect().like(expression, pattern) : expression + QStringLiteral(" like ") + pattern;
}

void Podepnij_kwerendy(QObject *owner, db::Connection *connection)
{
    if (!owner)
        return;
    db::Connection *c = detail::connectionOr(connection);
    if (auto *data = qobject_cast<db::DataSet *>(owner))
        data->setConnection(c);
    if (auto *proc = qobject_cast<db::StoredProc *>(owner))
        proc->setConnection(c);
    for (db::DataSet *data : owner->findChildren<db::DataSet *>())
        data->setConnection(c);
    for (db::StoredProc *proc : owner->findChildren<db::StoredProc *>())
        proc->setConnection(c);
}

void setQueryTimeLimit(int milliseconds)
{
    g_timeLimit = qMax(0, milliseconds);
}

int queryTimeLimit()
{
    return g_timeLimit;
}

namespace {

using HeldLimit = std::shared_ptr<std::unique_ptr<db::StatementTimeLimit>>;

// A data set reading its rows in chunks keeps its time limit until the last
// one, or until it is closed or opened again; a later chunk's error reaches
// the user as an open's does.
QObject *watchFetch(db::DataSet &dataSet, const HeldLimit &limit)
{
    auto *watch = new QObject(&dataSet);
    QObject::connect(&dataSet, &db::DataSet::fetchFailed, watch, [](db::DataSet *data, const QString &message) {
        detail::reportError(QStringLiteral("OpenQuery"), message + QLatin1Char('\n') + data->commandText());
    });
    const auto done = [watch, limit, &dataSet] {
        limit->reset();
        QObject::disconnect(&dataSet, nullptr, watch, nullptr);
        watch->deleteLater();
    };
    QObject::connect(&dataSet, &db::DataSet::fetchComplete, watch, done);
    QObject::connect(&dataSet, &db::DataSet::afterClose, watch, done);
    QObject::connect(&dataSet, &db::DataSet::afterOpen, watch,
                     [watch, done, &dataSet] { QObject::connect(&dataSet, &db::DataSet::beforeOpen, watch, done); });
    return watch;
}

} // namespace

int OpenQuery(db::DataSet &dataSet, int)
{
    if (!dataSet.connection())
        dataSet.setConnection(services().connection());
    if (!dataSet.connection()) {
        detail::reportError(QStringLiteral("OpenQuery"), QStringLiteral("No database connection."));
        return 0;
    }
    bool expired = false;
    try {
        // Another data set's pending rows come first, under their own limit.
        dataSet.connection()->finishPendingFetch();
        const auto limit = std::make_shared<std::unique_ptr<db::StatementTimeLimit>>(
            std::make_unique<db::StatementTimeLimit>(*dataSet.connection(), queryTimeLimit()));
        std::unique_ptr<QObject> watch(dataSet.fetchInChunks() ? watchFetch(dataSet, limit) : nullptr);
        try {
            dataSet.open();
        } catch (const db::DbError &) {
            expired = *limit && (*limit)->expired();
            throw;
        }
        if (dataSet.isFetching())
            watch.release();
        return 1;
    } catch (const db::DbError &error) {
        if (expired || db::StatementTimeLimit::isTimeout(error.message())) {
            // The caller decides what to ask (a list offers to narrow its date range).
            save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("OpenQuery"), __LINE__,
                             QStringLiteral("time-out: ") + error.message() + QLatin1Char('\n')
                                 + dataSet.commandText());
            return OpenQueryTimedOut;
        }
        detail::reportError(QStringLiteral("OpenQuery"), error.message() + QLatin1Char('\n') + dataSet.commandText());
        return 0;
    }
}

int ExecQuery(db::Query &query, int)
{
    if (!query.connection())
        query.setConnection(services().connection());
    try {
        query.exec();
        return 1;
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("ExecQuery"), error.message() + QLatin1Char('\n') + query.commandText());
        return 0;
    }
}

int ExecQuery(const QString &sql, db::Connection *connection, int flag, const QVariantMap &params)
{
    db::Connection *c = detail::connectionOr(connection);
    if (!c) {
        detail::reportError(QStringLiteral("ExecQuery"), QStringLiteral("No database connection."));
        return 0;
    }
    try {
        db::Query query(c, sql);
        detail::bindAll(query, params);
        return ExecQuery(query, flag);
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("ExecQuery"), error.message() + QLatin1Char('\n') + sql);
        return 0;
    }
}

int ExecProc(db::StoredProc &procedure, int)
{
    if (!procedure.connection())
        procedure.setConnection(services().connection());
    try {
        procedure.execProc();
        return 1;
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("ExecProc"),
                            procedure.procedureName() + QStringLiteral(": ") + error.message());
        return 0;
    }
}

int GetIntDB(const QString &sql, const QString &column, db::Connection *connection, const QVariantMap &params)
{
    const auto value = firstValue("GetIntDB", sql, column, connection, params);
    if (!value)
        return -1;
    return value->isValid() && !value->isNull() ? value->toInt() : 0;
}

QString GetStringDB(const QString &sql, const QString &column, db::Connection *connection, const QVariantMap &params)
{
    const auto value = firstValue("GetStringDB", sql, column, connection, params);
    return value && !value->isNull() ? value->toString() : QString();
}

QDateTime GetDateTimeDB(const QString &sql, const QString &column, db::Connection *connection,
                        const QVariantMap &params)
{
    const auto value = firstValue("GetDateTimeDB", sql, column, connection, params);
    if (!value || !value->isValid() || value->isNull())
        return {};
    if (value->metaType().id() == QMetaType::QDate)
        return value->toDate().startOfDay();
    if (value->metaType().id() == QMetaType::QString) {
        // SQLite keeps dates as ISO text.
        QDateTime parsed = QDateTime::fromString(value->toString(), Qt::ISODateWithMs);
        if (!parsed.isValid())
            parsed = QDateTime::fromString(value->toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!parsed.isValid())
            parsed = QDate::fromString(value->toString(), Qt::ISODate).startOfDay();
        return parsed;
    }
    return value->toDateTime();
}

QList<int> GetListaIntDB(const QString &sql, const QString &column, db::Connection *connection,
                         const QVariantMap &params)
{
    return columnValues<int>("GetListaIntDB", sql, column, connection, params,
                             [](const QVariant &v) { return v.toInt(); });
}

QStringList GetListaStringDB(const QString &sql, const QString &column, db::Connection *connection,
                             const QVariantMap &params)
{
    return columnValues<QString>("GetListaStringDB", sql, column, connection, params,
                                 [](const QVariant &v) { return v.toString(); });
}

bool CzyIstniejeRekordDB(const QString &sql, db::Connection *connection, const QVariantMap &params)
{
    auto query = detail::openStatement("CzyIstniejeRekordDB", sql, connection, params);
    return query && !(*query)->isEmpty();
}

std::unique_ptr<db::StoredProc> Otworz_procedure(const QString &name, QObject *parent)
{
    db::Connection *c = services().connection();
    if (!c) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("Otworz_procedure"), __LINE__,
                         QStringLiteral("%1: no database connection").arg(name));
        return nullptr;
    }
    auto procedure = std::make_unique<db::StoredProc>(c, name, parent);
    try {
        procedure->refreshParameters();
    } catch (const db::DbError &error) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("Otworz_procedure"), __LINE__,
                         name + QStringLiteral(": ") + error.message());
        return nullptr;
    }
    return procedure;
}

QString double_to_sql_str(double value, db::Connection *connection)
{
    db::Connection *c = detail::connectionOr(connection);
    const QDateTime moment = db::DayTime::toDateTime(value);
    std::unique_ptr<db::Dialect> fallback;
    const db::Dialect *dialect = c ? &c->dialect() : nullptr;
    if (!dialect) {
        fallback = db::Dialect::create(db::Engine::SQLite);
        dialect = fallback.get();
    }
    if (!db::DayTime::hasTimeOfDay(value))
        return dialect->dateLiteral(moment.date());
    return dialect->dateTimeLiteral(moment);
}

void Ustaw_daty_kontroli(double &start, double &end, db::Connection *connection)
{
    const QDate today = QDate::currentDate();
    QDate from(today.year(), today.month(), 1);
    QDate to = from.addMonths(1).addDays(-1);
    db::Connection *c = detail::connectionOr(connection);
    if (c) {
        try {
            db::Query query(c,
                            QStringLiteral("select co, wartosc from ustawienia where kod = 'ALL' and id_f is null "
                                           "and co in ('data_kontroli_od', 'data_kontroli_do')"));
            query.open();
            for (query.first(); !query.eof(); query.next()) {
                const QDate d = QDate::fromString(query.value(1).toString().left(10), Qt::ISODate);
                if (!d.isValid())
                    continue;
                if (query.value(0).toString().compare(QLatin1String("data_kontroli_od"), Qt::CaseInsensitive) == 0)
                    from = d;
                else
                    to = d;
            }
        } catch (const db::DbError &error) {
            save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("Ustaw_daty_kontroli"), __LINE__,
                             error.message());
        }
    }
    start = db::DayTime::fromDate(from);
    end = db::DayTime::fromDate(to);
}

} // namespace host
