#pragma once

#include "suitedb_export.h"

#include <QString>
#include <QStringList>

namespace db {
enum class Engine;
}

// The schema scripts: placeholders for the types that differ between the
// engines, and statements separated by semicolons.
namespace suitedb::script {

struct ColumnTypes
{
    QString id;       // {{ID}}: identity primary key
    QString text;     // {{TEXT}}: case-insensitive text
    QString dateTime; // {{DATETIME}}
    QString boolean;  // {{BOOL}}: 0/1
    QString money;    // {{MONEY}}: decimal 18,2
    QString ci;       // {{CI}} after a parenthesised expression: compare it as {{TEXT}}
};

// sqliteCollation: the case-insensitive collation the connection registered.
MALVO_SUITEDB_EXPORT ColumnTypes columnTypes(db::Engine engine, const QString &sqliteCollation);

// Replaces the placeholders; throws db::DbError on one it does not know.
MALVO_SUITEDB_EXPORT QString expand(const QString &script, const ColumnTypes &types);

// Statements of a script without comments; a semicolon inside quotes or a
// comment does not end a statement.
MALVO_SUITEDB_EXPORT QStringList split(const QString &script);

} // namespace suitedb::script
