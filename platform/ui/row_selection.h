#pragma once

#include "ui_export.h"

#include <QHash>
#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <optional>

namespace ui {

// Key of a row that survives sorting, filtering and reopening: its id, plus its guid when the data set has one.
struct RowKey
{
    qint64 id = 0;
    QString guid;
    friend bool operator==(const RowKey &a, const RowKey &b) { return a.id == b.id && a.guid == b.guid; }
};

inline size_t qHash(const RowKey &key, size_t seed = 0) noexcept
{
    return ::qHash(key.id, seed) ^ ::qHash(key.guid, seed);
}

// One row the user has touched, and whether it is selected.
struct sData
{
    RowKey klucz;
    bool zaznaczony = false;
};

// The selection of a list: entries stay in the order the rows were first
// touched; clearing only resets flags. A hash index keeps look-ups constant
// so that selecting 100,000 rows stays instant.
class MALVO_UI_EXPORT RowSelection
{
public:
    using KeyAt = std::function<RowKey(int row)>;
    using RowOf = std::function<int(const RowKey &key)>; // -1 when not visible

    void registerKey(const RowKey &key, bool selected); // appends when absent, else leaves it
    void toggle(const RowKey &key);
    void select(const RowKey &key);
    void clear();  // every flag off
    void setAll(); // every flag on
    void reset();  // forgets entries and anchors

    bool isSelected(const RowKey &key) const;
    bool contains(const RowKey &key) const { return m_index.contains(key); }
    int selectedCount() const { return m_selected; }
    QList<RowKey> selectedKeys() const; // in the order first touched
    const std::deque<sData> &entries() const { return m_entries; }

    // A click on a visible row. Ctrl toggles it; Shift selects every row from
    // the anchor to it; a plain click makes it the only selected row unless
    // the selection is sticky. The row becomes the new anchor.
    void click(int row, bool ctrl, bool shift, bool sticky, const KeyAt &keyAt, const RowOf &rowOf);

    const std::optional<RowKey> &anchor() const { return m_anchor; }
    const std::optional<RowKey> &shiftAnchor() const { return m_shiftAnchor; }

private:
    sData &entry(const RowKey &key, bool selected);
    void setFlag(sData &data, bool on);

    std::deque<sData> m_entries;
    QHash<RowKey, size_t> m_index;
    int m_selected = 0;
    std::optional<RowKey> m_anchor;
    std::optional<RowKey> m_shiftAnchor;
};

} // namespace ui
