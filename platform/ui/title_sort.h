#pragma once

#include "ui_export.h"

#include <QString>
#include <QStringList>

namespace ui {

// The sort a title click asks for. Kept apart from the grid so the direction
// rules can be checked without a window.
class MALVO_UI_EXPORT TitleSort
{
public:
    // Entries "column;expression": the column sorts by these expressions instead of its field.
    void setMapping(const QStringList &entries) { m_mapping = entries; }
    const QStringList &mapping() const { return m_mapping; }
    // Rows with equal values keep this field's order; empty for none.
    void setTieBreakField(const QString &field) { m_tieBreak = field; }

    // Sort string for a click on the column; flips the direction for the next
    // click on the same column, another column starts ascending again.
    QString click(const QString &field);
    // Restores the state from a stored sort string ("nazwa DESC,id DESC").
    void restore(const QString &sort);

    const QString &lastField() const { return m_lastField; }
    bool ascendingNext() const { return m_ascendingNext; }
    QString build(const QString &field, bool ascending) const;

private:
    QStringList m_mapping;
    QString m_tieBreak = QStringLiteral("id");
    QString m_lastField;
    bool m_ascendingNext = true;
};

} // namespace ui
