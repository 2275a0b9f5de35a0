#include "parameters.h"

#include "db_error.h"

#include <QStringList>

namespace db {

namespace {

// Longer lists are searched through the index.
constexpr qsizetype ShortList = 12;

} // namespace

int Parameters::indexOf(const QString &name) const
{
    if (m_items.size() > ShortList) {
        if (m_index.size() != m_items.size()) {
            m_index.clear();
            for (int i = 0; i < m_items.size(); ++i)
                m_index.insert(m_items[i].name.toCaseFolded(), i);
        }
        // Most names are in lower case already, which spares folding a copy.
        if (const auto it = m_index.constFind(name); it != m_index.cend())
            return *it;
        return m_index.value(name.toCaseFolded(), -1);
    }
    // Names are nearly always asked for as they were declared, and an exact
    // comparison costs a fraction of a case-insensitive one.
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i].name == name)
            return i;
    for (int i = 0; i < m_items.size(); ++i) {
        // Case folding never changes the length of the names parameters have.
        if (m_items[i].name.size() == name.size() && m_items[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Parameter &Parameters::param(const QString &name)
{
    const int index = indexOf(name);
    if (index < 0)
        throw DbError(QStringLiteral("Unknown parameter %1").arg(name));
    return m_items[index];
}

const Parameter &Parameters::param(const QString &name) const
{
    return const_cast<Parameters *>(this)->param(name);
}

Parameter &Parameters::add(const QString &name, QMetaType::Type type, ParamDirection direction, int size)
{
    int index = indexOf(name);
    if (index < 0) {
        m_items.append(Parameter{});
        index = int(m_items.size()) - 1;
        if (!m_index.isEmpty())
            m_index.insert(name.toCaseFolded(), index);
    }
    Parameter &p = m_items[index];
    p.name = name;
    p.type = type;
    p.direction = direction;
    p.size = size;
    return p;
}

void Parameters::setValue(const QString &name, const QVariant &value)
{
    const int index = indexOf(name);
    if (index >= 0) {
        Parameter &p = m_items[index];
        if (p.type == QMetaType::UnknownType && value.isValid())
            p.type = QMetaType::Type(value.metaType().id());
        p.value = value;
        return;
    }
    Parameter &p = add(name, value.isValid() ? QMetaType::Type(value.metaType().id()) : QMetaType::UnknownType);
    p.value = value;
}

void Parameters::append(const QString &name, const QVariant &value)
{
    Parameter &p = m_items.emplace_back();
    p.name = name;
    p.type = value.isValid() ? QMetaType::Type(value.metaType().id()) : QMetaType::UnknownType;
    p.value = value;
    if (!m_index.isEmpty())
        m_index.insert(name.toCaseFolded(), int(m_items.size()) - 1);
}

QVariant Parameters::value(const QString &name) const
{
    const int index = indexOf(name);
    return index < 0 ? QVariant() : m_items[index].value;
}

BoundList boundList(const QString &name, const QList<int> &values)
{
    BoundList list;
    QStringList placeholders;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString parameter = name + QString::number(i);
        placeholders << QLatin1Char(':') + parameter;
        list.values.insert(parameter, values.at(i));
    }
    list.placeholders = placeholders.join(QStringLiteral(", "));
    return list;
}

} // namespace db
