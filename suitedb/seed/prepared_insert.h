#pragma once

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>

namespace db {
class Connection;
}

namespace suitedb::seed {

// A statement prepared once and run many times with values bound by position,
// for bulk loading inside the caller's transaction.
class PreparedInsert
{
public:
    // With idColumn set, run() returns the generated key of that column.
    PreparedInsert(db::Connection &connection, const QString &sql, const QString &idColumn = QString());

    // Binds the values in placeholder order and runs the statement; returns
    // the generated key (0 without idColumn). Throws db::DbError.
    qint64 run(std::initializer_list<QVariant> values);

private:
    db::Connection &m_connection;
    QSqlQuery m_query;
    QString m_sql;
    bool m_returnsId = false;
};

// Runs one query with values bound in placeholder order and returns every
// row. Throws db::DbError.
QList<QList<QVariant>> selectRows(db::Connection &connection, const QString &sql,
                                  std::initializer_list<QVariant> values = {});

} // namespace suitedb::seed
