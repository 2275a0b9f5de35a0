#include "row_selection.h"

#include <algorithm>

namespace ui {

sData &RowSelection::entry(const RowKey &key, bool selected)
{
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd())
        return m_entries[*found];
    m_index.insert(key, m_entries.size());
    m_entries.push_back({key, false});
    setFlag(m_entries.back(), selected);
    return m_entries.back();
}

void RowSelection::setFlag(sData &data, bool on)
{
    if (data.zaznaczony == on)
        return;
    data.zaznaczony = on;
    m_selected += on ? 1 : -1;
}

void RowSelection::registerKey(const RowKey &key, bool selected)
{
    entry(key, selected);
}

void RowSelection::toggle(const RowKey &key)
{
    sData &data = entry(key, false);
    setFlag(data, !data.zaznaczony);
}

void RowSelection::select(const RowKey &key)
{
    setFlag(entry(key, true), true);
}

void RowSelection::clear()
{
    for (sData &data : m_entries)
        data.zaznaczony = false;
    m_selected = 0;
}

void RowSelection::setAll()
{
    for (sData &data : m_entries)
        data.zaznaczony = true;
    m_selected = int(m_entries.size());
}

void RowSelection::reset()
{
    m_entries.clear();
    m_index.clear();
    m_selected = 0;
    m_anchor.reset();
    m_shiftAnchor.reset();
}

bool RowSelection::isSelected(const RowKey &key) const
{
    const auto found = m_index.constFind(key);
    return found != m_index.constEnd() && m_entries[*found].zaznaczony;
}

QList<RowKey> RowSelection::selectedKeys() const
{
    QList<RowKey> keys;
    keys.reserve(m_selected);
    for (const sData &data : m_entries)
        if (data.zaznaczony)
            keys << data.klucz;
    return keys;
}

void RowSelection::click(int row, bool ctrl, bool shift, bool sticky, const KeyAt &keyAt, const RowOf &rowOf)
{
    const RowKey key = keyAt(row);
    if (ctrl) {
        toggle(key);
    } else if (shift) {
        int from = m_anchor ? rowOf(*m_anchor) : -1;
        if (from < 0)
            from = row;
        for (int r = std::min(from, row), last = std::max(from, row); r <= last; ++r)
            select(keyAt(r));
        m_shiftAnchor = key;
    } else if (!sticky) {
        clear();
        select(key);
    } else {
        registerKey(key, false);
    }
    m_anchor = key;
}

} // namespace ui
