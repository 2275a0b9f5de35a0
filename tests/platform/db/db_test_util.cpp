#include "db_test_util.h"

#include "query.h"

namespace dbtest {

QString textType(db::Connection &connection)
{
    if (connection.engine() == db::Engine::PostgreSQL) {
        connection.execute(QStringLiteral("create extension if not exists citext"));
        return QStringLiteral("citext");
    }
    return QStringLiteral("text collate PL");
}

QString orderedTextType(db::Connection &connection)
{
    const QString type = textType(connection);
    if (connection.engine() != db::Engine::PostgreSQL)
        return type;
    db::Query q(&connection, QStringLiteral("select count(*) from pg_collation where collname = 'pl-x-icu'"));
    q.open();
    return q.value(0).toInt() > 0 ? type + QStringLiteral(" collate \"pl-x-icu\"") : QString();
}

void createFirma(db::Connection &connection, const QStringList &names)
{
    connection.execute(
        QStringLiteral("create table firma (id integer primary key, nazwa %1, miasto %1)").arg(textType(connection)));
    db::Query insert(&connection, QStringLiteral("insert into firma (id, nazwa) values (:id, :nazwa)"));
    for (int i = 0; i < names.size(); ++i) {
        bind(insert.parameters(), {{"id", i + 1}, {"nazwa", names[i]}});
        insert.exec();
    }
}

std::vector<int> visibleIds(db::DataSet &dataSet)
{
    std::vector<int> ids;
    const int field = dataSet.fieldIndex(QStringLiteral("id"));
    for (int i = 0; i < dataSet.recordCount(); ++i)
        ids.push_back(dataSet.valueAt(dataSet.bookmarkAt(i), field).toInt());
    return ids;
}

QStringList column(db::DataSet &dataSet, const QString &field)
{
    QStringList values;
    const int index = dataSet.fieldIndex(field);
    for (int i = 0; i < dataSet.recordCount(); ++i)
        values.append(dataSet.valueAt(dataSet.bookmarkAt(i), index).toString());
    return values;
}

void bind(db::Parameters &parameters, const QVariantMap &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        parameters.setValue(it.key(), it.value());
}

QVariant scalar(db::Connection &connection, const QString &sql, const QVariantMap &values)
{
    db::Query q(&connection, sql);
    bind(q.parameters(), values);
    q.open();
    return q.isEmpty() ? QVariant() : q.value(0);
}

std::vector<int> ids(db::Connection &connection, const QString &sql, const QVariantMap &values)
{
    db::Query q(&connection, sql);
    bind(q.parameters(), values);
    q.open();
    std::vector<int> result;
    for (int i = 0; i < q.recordCount(); ++i)
        result.push_back(q.valueAt(q.bookmarkAt(i), 0).toInt());
    return result;
}

} // namespace dbtest
