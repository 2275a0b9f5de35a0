#include "joined_columns.h"

#include "db_error.h"

#include <algorithm>

namespace db::detail {

namespace {

qint64 keyAt(const Column &keys, int row)
{
    return keys.store() == Store::Int ? keys.intAt(row) : keys.value(row).toLongLong();
}

} // namespace

JoinedColumns::JoinedColumns(const QStringList &commands)
{
    for (const QString &command : commands)
        m_sides.push_back({command, {}, {}, 0});
}

JoinedColumns::~JoinedColumns() = default;

bool JoinedColumns::read(Connection &connection, const Parameters &parameters, const std::function<bool(int)> &more)
{
    for (; m_reading < m_sides.size(); ++m_reading) {
        Side &side = m_sides[m_reading];
        if (!m_reader)
            m_reader = startFetch(connection, side.command, parameters, side.rows);
        if (!m_reader->read(side.rows, more))
            return false;
        m_reader.reset();
        if (side.rows.fields.size() < 2)
            throw DbError(QStringLiteral("Joined columns need a key and a column: ") + side.command);
        const Column &keys = side.rows.columns.front();
        side.byKey.reserve(size_t(side.rows.rowCount));
        for (int r = 0; r < side.rows.rowCount; ++r)
            if (!keys.isNull(r))
                side.byKey.emplace_back(keyAt(keys, r), r);
        if (!std::ranges::is_sorted(side.byKey))
            std::ranges::sort(side.byKey);
    }
    return true;
}

qsizetype JoinedColumns::fieldCount() const
{
    qsizetype count = 0;
    for (const Side &side : m_sides)
        count += side.rows.fields.size() - 1;
    return count;
}

void JoinedColumns::addFields(FetchedRows &rows) const
{
    for (const Side &side : m_sides) {
        for (qsizetype f = 1; f < side.rows.fields.size(); ++f) {
            rows.fields.append(side.rows.fields[f]);
            rows.columns.emplace_back(side.rows.fields[f].type);
        }
    }
}

// Rows mostly come in key order: the entry after the last match is tried
// before a search.
int JoinedColumns::rowOf(Side &side, qint64 key)
{
    const auto &byKey = side.byKey;
    size_t at = side.next;
    const bool inPlace = (at == 0 || byKey[at - 1].first < key) && (at == byKey.size() || key <= byKey[at].first);
    if (!inPlace)
        at = size_t(std::ranges::lower_bound(byKey, key, {}, &std::pair<qint64, int>::first) - byKey.begin());
    side.next = at;
    if (at == byKey.size() || byKey[at].first != key)
        return -1;
    side.next = at + 1;
    return byKey[at].second;
}

void JoinedColumns::fill(FetchedRows &rows, int keyColumn, int firstColumn, int from)
{
    const Column &keys = rows.columns[size_t(keyColumn)];
    int column = firstColumn;
    for (Side &side : m_sides) {
        const int width = int(side.rows.fields.size()) - 1;
        for (int r = from; r < rows.rowCount; ++r) {
            const int at = keys.isNull(r) ? -1 : rowOf(side, keyAt(keys, r));
            for (int c = 0; c < width; ++c) {
                Column &target = rows.columns[size_t(column + c)];
                if (at < 0)
                    target.appendNull();
                else
                    target.appendCell(side.rows.columns[size_t(c + 1)], at);
            }
        }
        for (int c = column; c < column + width; ++c)
            rows.fields[c].type = rows.columns[size_t(c)].type();
        column += width;
    }
}

} // namespace db::detail
