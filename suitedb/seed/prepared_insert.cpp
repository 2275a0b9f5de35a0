#include "prepared_insert.h"

#include "connection.h"
#include "db_error.h"

#include <QSqlError>
#include <QSqlRecord>

namespace suitedb::seed {

namespace {

[[noreturn]] void fail(const QSqlQuery &query, const QString &sql)
{
    throw db::DbError(query.lastError().text() + QStringLiteral("\n") + sql);
}

} // namespace

PreparedInsert::PreparedInsert(db::Connection &connection, const QString &sql, const QString &idColumn)
    : m_connection(connection),
      m_query(connection.database()),
      m_sql(idColumn.isEmpty() ? sql : connection.dialect().insertReturningId(sql, idColumn)),
      m_returnsId(!idColumn.isEmpty())
{
    m_query.setForwardOnly(true);
    if (!m_query.prepare(m_sql))
        fail(m_query, m_sql);
}

qint64 PreparedInsert::run(std::initializer_list<QVariant> values)
{
    // A savepoint begun since the statement was prepared must be sent first.
    m_connection.sendWaitingStatements();
    int position = 0;
    for (const QVariant &value : values)
        m_query.bindValue(position++, value);
    if (!m_query.exec())
        fail(m_query, m_sql);
    qint64 id = 0;
    if (m_returnsId) {
        if (!m_query.next())
            fail(m_query, m_sql);
        id = m_query.value(0).toLongLong();
    }
    m_query.finish();
    return id;
}

QList<QList<QVariant>> selectRows(db::Connection &connection, const QString &sql,
                                  std::initializer_list<QVariant> values)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query, sql);
    int position = 0;
    for (const QVariant &value : values)
        query.bindValue(position++, value);
    if (!query.exec())
        fail(query, sql);
    QList<QList<QVariant>> rows;
    while (query.next()) {
        QList<QVariant> row;
        const int columns = query.record().count();
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row.append(query.value(i));
        rows.append(std::move(row));
    }
    return rows;
}

} // namespace suitedb::seed
