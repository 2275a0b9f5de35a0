#pragma once

#include <dataset.h>

#include <QList>
#include <QVariant>
#include <memory>
#include <vector>

namespace uitest {

inline db::FieldDef field(const char *name, QMetaType::Type type)
{
    db::FieldDef def;
    def.name = QString::fromLatin1(name);
    def.type = type;
    return def;
}

inline std::unique_ptr<db::DataSet> dataSet(const QList<db::FieldDef> &fields, std::vector<std::vector<QVariant>> rows)
{
    auto set = std::make_unique<db::DataSet>();
    set->openFromRows(fields, std::move(rows));
    return set;
}

// The value of a field in every visible row, in order.
inline QList<QVariant> column(const db::DataSet &set, const char *name)
{
    QList<QVariant> values;
    const int index = set.fieldIndex(QString::fromLatin1(name));
    for (int row = 0; row < set.recordCount(); ++row)
        values << set.valueAt(set.bookmarkAt(row), index);
    return values;
}

inline QList<qint64> ids(const db::DataSet &set)
{
    QList<qint64> result;
    for (const QVariant &value : column(set, "id"))
        result << value.toLongLong();
    return result;
}

} // namespace uitest
