#pragma once

#include "db_export.h"

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace db {

enum class ParamDirection { Input, Output, InputOutput, ReturnValue };

// One named parameter of a command or stored procedure. A null value is an
// invalid QVariant; the type says how it is bound (and what a null is).
struct MALVO_DB_EXPORT Parameter
{
    QString name; // without the ':' of a command; with the '@' of a procedure
    QMetaType::Type type = QMetaType::UnknownType;
    ParamDirection direction = ParamDirection::Input;
    int size = 0;   // maximum length of text parameters; 0 = unlimited
    QVariant value; // QVariant() = null

    bool isNull() const { return !value.isValid() || value.isNull(); }
};

// Ordered, name-addressable parameter list (names compare case-insensitively).
class MALVO_DB_EXPORT Parameters
{
public:
    int count() const { return int(m_items.size()); }
    bool contains(const QString &name) const { return indexOf(name) >= 0; }
    int indexOf(const QString &name) const;

    Parameter &at(int index) { return m_items[index]; }
    const Parameter &at(int index) const { return m_items[index]; }
    // Throws DbError when no parameter of that name exists.
    Parameter &param(const QString &name);
    const Parameter &param(const QString &name) const;

    // Adds (or replaces the definition of) a parameter; returns it.
    Parameter &add(const QString &name, QMetaType::Type type, ParamDirection direction = ParamDirection::Input,
                   int size = 0);
    // Sets the value of an existing parameter, or adds an input one typed from the value.
    void setValue(const QString &name, const QVariant &value);
    // Adds an input parameter typed from the value, without looking for one
    // of that name: for lists built of names known to be distinct.
    void append(const QString &name, const QVariant &value);
    QVariant value(const QString &name) const;
    void clear()
    {
        m_items.clear();
        m_index.clear();
    }

    QList<Parameter>::const_iterator begin() const { return m_items.cbegin(); }
    QList<Parameter>::const_iterator end() const { return m_items.cend(); }

private:
    QList<Parameter> m_items;
    // Positions by case-folded name, kept for long lists only, so that
    // setting every value of a long "in" list is not quadratic.
    mutable QHash<QString, int> m_index;
};

// An "in (...)" list of bound values: the placeholders ":<name>0, :<name>1, ..."
// to put into the statement and their values by parameter name. Every engine
// takes MaxListValues in one list.
struct MALVO_DB_EXPORT BoundList
{
    QString placeholders;
    QVariantMap values;
};
MALVO_DB_EXPORT BoundList boundList(const QString &name, const QList<int> &values);
inline constexpr qsizetype MaxListValues = 500;

// The value to bind for optional text: null when the text is empty.
inline QVariant nullIfEmpty(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace db
