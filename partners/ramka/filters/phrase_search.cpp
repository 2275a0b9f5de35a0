#include "ramka/filters/phrase_search.h"

#include <algorithm>

namespace partners {

namespace {

bool hasVisibleColumn(const QList<GridColumnInfo> &grid, const QString &field)
{
    return std::any_of(grid.begin(), grid.end(), [&field](const GridColumnInfo &c) {
        return c.visible && c.fieldName.compare(field, Qt::CaseInsensitive) == 0;
    });
}

} // namespace

bool isIntegerSearchColumn(const QString &entry)
{
    return entry.startsWith(IntegerColumnMark);
}

QString searchColumnField(const QString &entry)
{
    return isIntegerSearchColumn(entry) ? entry.mid(1) : entry;
}

QStringList eligibleSearchColumns(const QList<db::FieldDef> &fields, const QList<GridColumnInfo> &grid,
                                  const QStringList &excluded)
{
    QStringList columns;
    for (const db::FieldDef &field : fields) {
        if (field.kind != db::FieldKind::Data || excluded.contains(field.name, Qt::CaseInsensitive))
            continue;
        const bool integer = db::isIntegerType(field.type);
        if (!integer && field.type != QMetaType::QString)
            continue;
        if (hasVisibleColumn(grid, field.name))
            columns.append(integer ? IntegerColumnMark + field.name : field.name);
    }
    return columns;
}

bool isNumericPhrase(const QString &phrase)
{
    if (phrase.isEmpty())
        return false;
    for (QChar c : phrase) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    phrase.toInt(&ok);
    return ok;
}

QString phraseCondition(const QString &phrase, const QStringList &kolumnyWyszukiwania,
                        const ExtraPhraseCondition &extra)
{
    if (phrase.isEmpty())
        return {};
    const bool numeric = isNumericPhrase(phrase);
    QString quoted = phrase;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));

    QStringList parts;
    bool integerColumns = false;
    for (const QString &entry : kolumnyWyszukiwania) {
        if (isIntegerSearchColumn(entry)) {
            integerColumns = true;
            if (numeric)
                parts.append(searchColumnField(entry) + QLatin1Char('=') + QString::number(phrase.toInt()));
        } else {
            parts.append(entry + QStringLiteral(" like '%") + quoted + QStringLiteral("%' "));
        }
    }
    if (extra) {
        const QString more = extra(quoted);
        if (!more.isEmpty())
            parts.append(more);
    }
    if (!parts.isEmpty())
        return QLatin1Char('(') + parts.join(QStringLiteral(" or ")) + QLatin1Char(')');
    return integerColumns ? QStringLiteral("(id=0)") : QString();
}

// ---- PhraseColumnsMenu --------------------------------------------------------------

void PhraseColumnsMenu::rebuild(const QStringList &eligible, const QList<GridColumnInfo> &grid)
{
    QList<Item> items;
    for (const QString &entry : eligible) {
        Item item;
        item.entry = entry;
        item.integer = isIntegerSearchColumn(entry);
        const QString field = searchColumnField(entry);
        item.title = field;
        for (const GridColumnInfo &column : grid) {
            if (column.fieldName.compare(field, Qt::CaseInsensitive) == 0) {
                item.title = column.title;
                break;
            }
        }
        for (const Item &old : m_items) {
            if (old.entry.compare(entry, Qt::CaseInsensitive) == 0)
                item.checked = old.checked;
        }
        items.append(item);
    }
    m_items = items;
    if (std::none_of(m_items.begin(), m_items.end(), [](const Item &i) { return i.checked; }))
        m_all = true;
}

void PhraseColumnsMenu::toggle(int menuIndex)
{
    if (menuIndex == 0) {
        m_all = true;
        for (Item &item : m_items)
            item.checked = false;
        return;
    }
    if (menuIndex < 1 || menuIndex > m_items.size())
        return;
    Item &item = m_items[menuIndex - 1];
    item.checked = !item.checked;
    m_all = std::none_of(m_items.begin(), m_items.end(), [](const Item &i) { return i.checked; });
}

QStringList PhraseColumnsMenu::searchColumns() const
{
    QStringList columns;
    for (const Item &item : m_items) {
        if (m_all || item.checked)
            columns.append(item.entry);
    }
    return columns;
}

} // namespace partners
