#include "dialect.h"

namespace db {

namespace {

class CommonDialect : public Dialect
{
public:
    QString limit(const QString &select, int n) const override
    {
        return select + QStringLiteral(" limit ") + QString::number(n);
    }
    QString concat(const QStringList &expressions) const override { return expressions.join(QStringLiteral(" || ")); }
    QString ifNull(const QString &expression, const QString &fallback) const override
    {
        return QStringLiteral("coalesce(%1, %2)").arg(expression, fallback);
    }
    QString insertReturningId(const QString &insertStatement, const QString &idColumn) const override
    {
        return insertStatement + QStringLiteral(" returning ") + idColumn;
    }
    QString upsert(const QString &table, const QStringList &keyColumns, const QStringList &updateColumns) const override
    {
        QStringList columns = keyColumns;
        for (const QString &c : updateColumns) {
            if (!columns.contains(c, Qt::CaseInsensitive))
                columns.append(c);
        }
        QStringList values;
        for (const QString &c : columns)
            values.append(QLatin1Char(':') + c);
        QString sql = QStringLiteral("insert into %1 (%2) values (%3) on conflict (%4) ")
                          .arg(table, columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")),
                               keyColumns.join(QStringLiteral(", ")));
        if (updateColumns.isEmpty())
            return sql + QStringLiteral("do nothing");
        QStringList sets;
        for (const QString &c : updateColumns)
            sets.append(QStringLiteral("%1 = excluded.%1").arg(c));
        return sql + QStringLiteral("do update set ") + sets.join(QStringLiteral(", "));
    }
};

class SqliteDialect final : public CommonDialect
{
public:
    Engine engine() const override { return Engine::SQLite; }
    bool prefersRowSubqueries() const override { return true; }
    QString lockingRows(const QString &select) const override { return select; }
    QString joinedValues(const QString &expression) const override
    {
        return QStringLiteral("group_concat(%1)").arg(expression);
    }
    QString collated(const QString &expression) const override { return expression + QStringLiteral(" collate PL"); }
    QString like(const QString &expression, const QString &pattern) const override
    {
        return expression + QStringLiteral(" like ") + pattern;
    }
    // Dates are stored as ISO text, so literals must have the same shape as bound values.
    QString dateLiteral(const QDate &date) const override { return quote(date.toString(QStringLiteral("yyyy-MM-dd"))); }
    QString dateTimeLiteral(const QDateTime &dateTime) const override
    {
        return quote(dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
};

class PostgresDialect final : public CommonDialect
{
public:
    Engine engine() const override { return Engine::PostgreSQL; }
    bool prefersRowSubqueries() const override { return false; }
    QString lockingRows(const QString &select) const override { return select + QStringLiteral(" for update"); }
    QString joinedValues(const QString &expression) const override
    {
        return QStringLiteral("string_agg(cast(%1 as varchar), ',')").arg(expression);
    }
    // citext with the pl-x-icu collation already compares this way.
    QString collated(const QString &expression) const override { return expression; }
    QString like(const QString &expression, const QString &pattern) const override
    {
        return expression + QStringLiteral(" like ") + pattern + QStringLiteral(" escape ''");
    }
    QString dateLiteral(const QDate &date) const override
    {
        return QStringLiteral("date ") + quote(date.toString(QStringLiteral("yyyy-MM-dd")));
    }
    QString dateTimeLiteral(const QDateTime &dateTime) const override
    {
        return QStringLiteral("timestamp ") + quote(dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
};

} // namespace

QString Dialect::quote(const QString &text) const
{
    QString body = text;
    body.remove(QChar(0));
    body.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + body + QLatin1Char('\'');
}

std::unique_ptr<Dialect> Dialect::create(Engine engine)
{
    if (engine == Engine::PostgreSQL)
        return std::make_unique<PostgresDialect>();
    return std::make_unique<SqliteDialect>();
}

} // namespace db
