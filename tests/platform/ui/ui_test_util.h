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

} // namespace uitest
