#pragma once

#include "dataset.h"

#include <ostream>
#include <vector>

// Readable values in failure messages.
static inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace filterstest {

// Ids of the visible rows in their order.
inline std::vector<int> visibleIds(db::DataSet &dataSet)
{
    std::vector<int> ids;
    for (int i = 0; i < dataSet.recordCount(); ++i)
        ids.push_back(dataSet.valueAt(dataSet.bookmarkAt(i), dataSet.fieldIndex(QStringLiteral("id"))).toInt());
    return ids;
}

// A translation that shows the key without its prefix.
inline QString bareKey(const QString &key)
{
    return key.mid(int(qstrlen("Resstrings_IDS_")));
}

} // namespace filterstest
