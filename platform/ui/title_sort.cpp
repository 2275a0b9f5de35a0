#include "title_sort.h"

namespace ui {

QString TitleSort::build(const QString &field, bool ascending) const
{
    const QString direction = ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    QStringList mapped;
    for (const QString &entry : m_mapping) {
        const int cut = entry.indexOf(QLatin1Char(';'));
        if (cut > 0 && entry.left(cut).trimmed().compare(field, Qt::CaseInsensitive) == 0) {
            const QString expression = entry.mid(cut + 1).trimmed();
            if (!expression.isEmpty())
                mapped << expression + direction;
        }
    }
    QString sort = mapped.isEmpty() ? field + direction : mapped.join(QStringLiteral(", "));
    if (!m_tieBreak.isEmpty() && field.compare(m_tieBreak, Qt::CaseInsensitive) != 0)
        sort += QLatin1Char(',') + m_tieBreak + direction;
    return sort;
}

QString TitleSort::click(const QString &field)
{
    if (field.compare(m_lastField, Qt::CaseInsensitive) != 0)
        m_ascendingNext = true;
    const QString sort = build(field, m_ascendingNext);
    m_lastField = field;
    m_ascendingNext = !m_ascendingNext;
    return sort;
}

void TitleSort::restore(const QString &sort)
{
    const QString first = sort.section(QLatin1Char(','), 0, 0).trimmed();
    if (first.isEmpty()) {
        m_lastField.clear();
        m_ascendingNext = true;
        return;
    }
    const QStringList words = first.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString field = words.value(0);
    // A mapped column is stored by its expressions; give the click back to its column.
    for (const QString &entry : m_mapping) {
        const int cut = entry.indexOf(QLatin1Char(';'));
        if (cut > 0
            && entry.mid(cut + 1).trimmed().section(QLatin1Char(' '), 0, 0).compare(field, Qt::CaseInsensitive) == 0) {
            field = entry.left(cut).trimmed();
            break;
        }
    }
    m_lastField = field;
    const bool descending = words.size() > 1 && words.at(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    m_ascendingNext = descending;
}

} // namespace ui
