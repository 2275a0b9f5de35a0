#include "data_paths.h"

#include <QDir>

namespace host {

QString dataDirectory()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(base).filePath(QStringLiteral("malvo"));
}

QString defaultDatabasePath()
{
    const QString overridden = qEnvironmentVariable("MALVO_DB");
    if (!overridden.isEmpty())
        return overridden;
    return QDir(dataDirectory()).filePath(QStringLiteral("malvo.db"));
}

} // namespace host
