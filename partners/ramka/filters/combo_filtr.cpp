#include "ramka/filters/combo_filtr.h"

namespace partners {

TComboFiltr::Labels TComboFiltr::Labels::from(const Translate &translate)
{
    const auto bracketed = [&translate](const char *key) {
        return QLatin1Char('(') + translate(QString::fromLatin1(key)) + QLatin1Char(')');
    };
    return {bracketed("Resstrings_IDS_Zaznacz_wszystko"), bracketed("Resstrings_IDS_Odznacz_wszystko"),
            bracketed("Resstrings_IDS_Puste")};
}

TComboFiltr::TComboFiltr(QString field, ValueSource source)
    : m_field(std::move(field)),
      m_source(std::move(source))
{}

QStringList TComboFiltr::offeredValues() const
{
    QStringList values;
    for (const auto &[value, pozycja] : m_pozycje) {
        if (pozycja.afterEarlierFilters)
            values.append(value);
    }
    return values;
}

int TComboFiltr::offeredCount() const
{
    int count = 0;
    for (const auto &entry : m_pozycje)
        count += entry.second.afterEarlierFilters ? 1 : 0;
    return count;
}

int TComboFiltr::checkedOfferedCount() const
{
    int count = 0;
    for (const auto &entry : m_pozycje)
        count += entry.second.afterEarlierFilters && entry.second.checked ? 1 : 0;
    return count;
}

QList<TComboFiltr::Entry> TComboFiltr::entries(const Labels &labels) const
{
    QList<Entry> list;
    list.append({Entry::Kind::CheckAll, labels.checkAll, {}, false});
    list.append({Entry::Kind::UncheckAll, labels.uncheckAll, {}, false});
    for (const auto &[value, pozycja] : m_pozycje) {
        if (pozycja.afterEarlierFilters)
            list.append({Entry::Kind::Value, value.isEmpty() ? labels.empty : value, value, pozycja.checked});
    }
    return list;
}

void TComboFiltr::setChecked(const QString &value, bool checked)
{
    m_pozycje[value].checked = checked;
}

void TComboFiltr::toggle(const QString &value)
{
    TComboFiltrPozycja &pozycja = m_pozycje[value];
    pozycja.checked = !pozycja.checked;
}

void TComboFiltr::click(const Entry &entry)
{
    switch (entry.kind) {
    case Entry::Kind::CheckAll:
        checkAllOffered();
        break;
    case Entry::Kind::UncheckAll:
        uncheckAllOffered();
        break;
    case Entry::Kind::Value:
        toggle(entry.value);
        break;
    }
}

void TComboFiltr::checkAllOffered()
{
    for (auto &entry : m_pozycje) {
        if (entry.second.afterEarlierFilters)
            entry.second.checked = true;
    }
}

void TComboFiltr::uncheckAllOffered()
{
    for (auto &entry : m_pozycje) {
        if (entry.second.afterEarlierFilters)
            entry.second.checked = false;
    }
}

bool TComboFiltr::passes(const QString &value) const
{
    const auto it = m_pozycje.find(value);
    return it == m_pozycje.end() || it->second.checked;
}

void TComboFiltr::resetChecks()
{
    for (auto &entry : m_pozycje)
        entry.second.checked = true;
}

} // namespace partners
