#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace suitedb::seed {

// One data row of a tab-separated data file, with its line for messages.
struct TsvRow
{
    int line = 0;
    QStringList fields;
};

// Reads a UTF-8 tab-separated file (usually an embedded resource). Lines
// starting with '#' and blank lines are skipped; "\n", "\t" and "\\" in a
// field are unescaped. Throws db::DbError when the file cannot be read or a
// row has fewer than minFields fields.
QList<TsvRow> readTsv(const QString &path, int minFields);

// The embedded data file of the given name.
QString seedFile(const QString &name);

} // namespace suitedb::seed
