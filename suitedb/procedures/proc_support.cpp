#include "proc_support.h"

#include "connection.h"
#include "day_time.h"
#include "dialect.h"
#include "query.h"
#include "suitedb.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTime>
#include <algorithm>

namespace suitedb::procs {

namespace {

void bindAll(db::Query &query, const Values &binds)
{
    for (const auto &[name, value] : binds)
        query.parameters().setValue(name, value);
}

db::Parameters toParameters(const Values &binds)
{
    db::Parameters result;
    for (const auto &[name, value] : binds)
        result.append(name, value);
    return result;
}

} // namespace

void define(const char *name, std::initializer_list<ParamDef> params, std::function<int(db::ProcedureContext &)> body)
{
    auto &registry = db::ProcedureRegistry::instance();
    if (registry.find(QString::fromLatin1(name)))
        return;
    db::ProcedureDefinition definition;
    definition.name = QString::fromLatin1(name);
    for (const ParamDef &p : params)
        definition.parameters.add(QString::fromLatin1(p.name), p.type, p.direction, p.size);
    definition.body = std::move(body);
    registry.add(std::move(definition));
}

bool isBlank(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

QVariant toInt(const QVariant &value)
{
    if (isBlank(value))
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Int:
        return value;
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
        return value.toInt();
    default:
        break;
    }
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    if (!ok)
        return {};
    return int(number);
}

QVariant toFlag(const QVariant &value)
{
    if (isBlank(value))
        return {};
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return 1;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return 0;
    const QVariant number = toInt(value);
    return number.isValid() ? QVariant(number.toInt() != 0 ? 1 : 0) : QVariant();
}

QVariant toText(const QVariant &value)
{
    if (isBlank(value))
        return {};
    return value.toString();
}

QVariant toDecimal(const QVariant &value)
{
    if (isBlank(value))
        return {};
    bool ok = false;
    const double number = value.toString().trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? QVariant(number) : QVariant();
}

QVariant toDateTime(const QVariant &value)
{
    if (isBlank(value))
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().isValid() ? value : QVariant();
    case QMetaType::QDate:
        return value.toDate().isValid() ? QVariant(QDateTime(value.toDate(), QTime(0, 0))) : QVariant();
    case QMetaType::QTime: // a time of day lives on the framework's day zero
        return value.toTime().isValid() ? QVariant(QDateTime(QDate(1899, 12, 30), value.toTime())) : QVariant();
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return db::DayTime::toDateTime(value.toDouble());
    default:
        break;
    }
    const QString text = value.toString().trimmed();
    QDateTime parsed = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!parsed.isValid())
        parsed = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!parsed.isValid()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            parsed = QDateTime(date, QTime(0, 0));
    }
    return parsed.isValid() ? QVariant(parsed) : QVariant();
}

QVariant orDefault(const QVariant &value, const QVariant &fallback)
{
    return isBlank(value) ? fallback : value;
}

int exec(db::Connection &connection, const QString &sql, const Values &binds)
{
    return db::execute(connection, sql, toParameters(binds));
}

void execWithNext(db::Connection &connection, const QString &sql, const Values &binds)
{
    db::executeWithNext(connection, sql, toParameters(binds));
}

QVariant scalar(db::Connection &connection, const QString &sql, const Values &binds)
{
    db::Query query(&connection, sql);
    bindAll(query, binds);
    query.open();
    if (query.isEmpty())
        return {};
    query.first();
    return query.value(0);
}

bool exists(db::Connection &connection, const char *table, const char *key, const QVariant &id)
{
    if (isBlank(id))
        return false;
    const QString sql =
        QStringLiteral("select count(*) from %1 where %2 = :id").arg(QLatin1String(table), QLatin1String(key));
    return scalar(connection, sql, {{QStringLiteral("id"), id}}).toInt() > 0;
}

int checkWritable(db::Connection &connection, const char *table, const char *key, const QVariant &id, bool hasSyncFlag)
{
    if (!hasSyncFlag)
        return exists(connection, table, key, id) ? 0 : ResultRecordDeleted;
    const QString sql =
        QStringLiteral("select w_synchronizacji from %1 where %2 = :id").arg(QLatin1String(table), QLatin1String(key));
    db::Query query(&connection, sql);
    query.parameters().setValue(QStringLiteral("id"), id);
    query.open();
    if (query.isEmpty())
        return ResultRecordDeleted;
    query.first();
    return query.value(0).toInt() != 0 ? ResultSynchronising : 0;
}

bool ownerExists(db::Connection &connection, int tableCode, const QVariant &id)
{
    switch (tableCode) {
    case TableCompany: {
        // Locks the row: a delete of the company under way ends first, so no row outlives it.
        if (isBlank(id))
            return false;
        const QString firma = QStringLiteral("firma");
        if (connection.holdsRow(firma, id.toLongLong()))
            return true;
        const bool found =
            scalar(connection, connection.dialect().lockingRows(QStringLiteral("select 1 from firma where id_f = :id")),
                   {{"id", id}})
                .isValid();
        if (found)
            connection.holdRow(firma, id.toLongLong());
        return found;
    }
    case TableVehicle:
        return exists(connection, "samochod", "id_s", id);
    case TableDocument:
        return exists(connection, "dokument", "id_dok", id);
    default:
        return true;
    }
}

namespace {

QString insertText(const char *table, const Values &values, const Expressions &computed)
{
    const auto isComputed = [&computed](const QString &column) {
        return std::ranges::any_of(computed, [&column](const auto &c) { return c.first == column; });
    };
    // In reserved buffers: an insert is built for each row written.
    const QLatin1String tableName(table);
    qsizetype length = tableName.size() + 32;
    for (const auto &[column, value] : values)
        length += 2 * column.size() + 5;
    for (const auto &[column, expression] : computed)
        length += column.size() + expression.size() + 4;
    QString columns;
    columns.reserve(length);
    QString placeholders;
    placeholders.reserve(length);
    const auto add = [&columns, &placeholders](const QString &column, QLatin1String before, const QString &value) {
        if (!columns.isEmpty()) {
            columns += QLatin1String(", ");
            placeholders += QLatin1String(", ");
        }
        columns += column;
        placeholders += before;
        placeholders += value;
    };
    for (const auto &[column, value] : values)
        if (!isComputed(column))
            add(column, QLatin1String(":"), column);
    for (const auto &[column, expression] : computed)
        add(column, QLatin1String(), expression);
    return QLatin1String("insert into ") + tableName + QLatin1String(" (") + columns + QLatin1String(") values (")
        + placeholders + QLatin1Char(')');
}

} // namespace

int insertRow(db::Connection &connection, const char *table, const char *key, const Values &values,
              const Expressions &computed)
{
    // A key known beforehand lets the insert travel with the next statement.
    const std::optional<qint64> reserved = connection.reserveKey(QLatin1String(table), QLatin1String(key));
    if (reserved) {
        Values keyed = values;
        keyed.prepend({QLatin1String(key), *reserved});
        db::executeWithNext(connection, insertText(table, keyed, computed), toParameters(keyed));
        return int(*reserved);
    }
    return int(
        db::executeInsert(connection, insertText(table, values, computed), QLatin1String(key), toParameters(values)));
}

void updateRow(db::Connection &connection, const char *table, const char *key, const QVariant &id, const Values &values)
{
    if (values.isEmpty())
        return;
    QStringList sets;
    for (const auto &[column, value] : values)
        sets.append(QStringLiteral("%1 = :%1").arg(column));
    const QString sql = QStringLiteral("update %1 set %2 where %3 = :id__")
                            .arg(QLatin1String(table), sets.join(QStringLiteral(", ")), QLatin1String(key));
    Values binds = values;
    binds.append({QStringLiteral("id__"), id});
    exec(connection, sql, binds);
}

int saveRow(db::ProcedureContext &context, const char *idParam, const char *table, const char *key,
            const Values &values, bool hasSyncFlag, const Expressions &computedOnInsert)
{
    auto &connection = context.connection();
    const QString idName = QString::fromLatin1(idParam);
    const QVariant id = toInt(context.in(idName));
    if (!id.isValid()) {
        context.setOut(idName, insertRow(connection, table, key, values, computedOnInsert));
        return 0;
    }
    const int state = checkWritable(connection, table, key, id, hasSyncFlag);
    if (state != 0)
        return state;
    updateRow(connection, table, key, id, values);
    context.setOut(idName, id);
    return 0;
}

void matchColumn(QString &where, Values &binds, const char *column, const QVariant &value)
{
    if (isBlank(value)) {
        where += QStringLiteral(" and %1 is null").arg(QLatin1String(column));
    } else {
        where += QStringLiteral(" and %1 = :%1").arg(QLatin1String(column));
        binds.append({QString::fromLatin1(column), value});
    }
}

} // namespace suitedb::procs
