#pragma once

#include "parameters.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace db::sqltext {

// A command split at its :name placeholders: text[i] precedes names[i];
// text has one more item than names.
struct Placeholders
{
    QStringList text;
    QStringList names;
    QStringList distinct;
    bool severalStatements = false; // a `;` with another statement after it

    // Distinct names in the order they first appear.
    QStringList distinctNames() const;
    // The command with each placeholder replaced by `?`.
    QString positional() const;
};

// Finds :name outside quotes, comments, dollar-quoted text and `::` casts.
Placeholders parse(const QString &sql);

// The value a parameter binds: its value converted to its declared type, or
// a null of that type.
QVariant boundValue(const Parameter &parameter);

// A PostgreSQL literal of a bound value; text is quoted with doubled
// apostrophes, valid because the connection forces standard_conforming_strings.
QString postgresLiteral(const QVariant &value, QMetaType::Type declaredType);

// The command with each placeholder replaced by its value's PostgreSQL literal
// (null for a name without a parameter).
QString postgresText(const QString &sql, const Parameters &parameters);

QString isoDateTime(const QDateTime &dateTime);

} // namespace db::sqltext
