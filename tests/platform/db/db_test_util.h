#pragma once

#include "connection.h"
#include "dataset.h"

#include <QVariantMap>
#include <ostream>

namespace db {
inline void PrintTo(Engine engine, std::ostream *os)
{
    *os << (engine == Engine::SQLite ? "SQLite" : "PostgreSQL");
}
} // namespace db

namespace dbtest {

// The column type that compares text as the suite's server does.
QString textType(db::Connection &connection);
// The same, ordered by the Polish alphabet on PostgreSQL too; empty when the
// server has no Polish collation.
QString orderedTextType(db::Connection &connection);
// Creates table `firma (id, nazwa, miasto)` with the given names, ids from 1.
void createFirma(db::Connection &connection, const QStringList &names);
// Ids of the visible rows in order (field "id").
std::vector<int> visibleIds(db::DataSet &dataSet);
QStringList column(db::DataSet &dataSet, const QString &field);
void bind(db::Parameters &parameters, const QVariantMap &values);
// The first value a statement returns, null when it returns no row.
QVariant scalar(db::Connection &connection, const QString &sql, const QVariantMap &values = {});
// Ids of the rows a statement returns (its first column).
std::vector<int> ids(db::Connection &connection, const QString &sql, const QVariantMap &values = {});

} // namespace dbtest
