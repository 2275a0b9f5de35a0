#pragma once

#include <dataset.h>
#include <grid_column.h>

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

// A column showing a field under its own name.
inline ui::GridColumn column(const char *name, int width = 120)
{
    ui::GridColumn c;
    c.fieldName = QString::fromLatin1(name);
    c.title = c.fieldName;
    c.width = width;
    return c;
}

// Ids of the visible rows, in order.
inline QList<qint64> ids(const db::DataSet &set)
{
    QList<qint64> result;
    for (int row = 0; row < set.recordCount(); ++row)
        result << set.valueAt(set.bookmarkAt(row), set.fieldIndex("id")).toLongLong();
    return result;
}

} // namespace uitest
