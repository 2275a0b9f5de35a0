#include "siblings.h"

#include "host_funcs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QRegularExpression>

#ifndef MALVO_HOST_VERSION
#define MALVO_HOST_VERSION "0.0.0"
#endif

namespace host {

namespace {
QString g_siblingDirectory;
}

void setSiblingDirectory(const QString &path)
{
    g_siblingDirectory = path;
}

QString siblingDirectory()
{
    if (!g_siblingDirectory.isEmpty())
        return g_siblingDirectory;
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString siblingLibraryPath(const QString &suiteName)
{
    QString relative = localPath(suiteName.trimmed());
    if (QDir::isAbsolutePath(relative) && QFileInfo(relative).suffix() != QLatin1String("dll"))
        return relative;
    const int slash = relative.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash >= 0 ? relative.left(slash + 1) : QString();
    QString base = relative.mid(slash + 1);
    if (base.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        base.chop(4);
    if (!base.endsWith(QLatin1String(".so")))
        base = QStringLiteral("lib") + base + QStringLiteral(".so");
    const QString file = folder + base;
    return QDir::isAbsolutePath(file) ? file : QDir(siblingDirectory()).filePath(file);
}

SiblingLibrary::SiblingLibrary(const QString &suiteName)
    : m_path(siblingLibraryPath(suiteName))
{
    if (!QFileInfo::exists(m_path))
        return;
    m_library = std::make_unique<QLibrary>(m_path);
    if (!m_library->load()) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("SiblingLibrary"), __LINE__,
                         m_path + QStringLiteral(": ") + m_library->errorString());
        m_library.reset();
    }
}

SiblingLibrary::~SiblingLibrary()
{
    if (m_library)
        m_library->unload();
}

bool SiblingLibrary::isLoaded() const
{
    return m_library != nullptr;
}

void *SiblingLibrary::resolveSymbol(const char *exportName) const
{
    if (!m_library)
        return nullptr;
    return reinterpret_cast<void *>(m_library->resolve(exportName));
}

std::unique_ptr<SiblingLibrary> LoadLibrary_main(const QString &suiteName)
{
    auto library = std::make_unique<SiblingLibrary>(suiteName);
    if (!library->isLoaded())
        return nullptr;
    return library;
}

QString hostVersion()
{
    QStringList parts = QString::fromLatin1(MALVO_HOST_VERSION).split(QLatin1Char('.'));
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    return parts.mid(0, 4).join(QLatin1Char('.'));
}

QString GetFileVersion(const QString &file)
{
    QString path = localPath(file);
    if (!QFileInfo::exists(path) || path.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        path = siblingLibraryPath(file);
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    // A versioned shared library (libx.so.1.2.3, usually behind a symlink).
    static const QRegularExpression versioned(QStringLiteral("\\.so\\.(\\d+(?:\\.\\d+){0,3})$"));
    const auto match = versioned.match(info.canonicalFilePath());
    if (match.hasMatch()) {
        QStringList parts = match.captured(1).split(QLatin1Char('.'));
        while (parts.size() < 4)
            parts << QStringLiteral("0");
        return parts.join(QLatin1Char('.'));
    }
    return hostVersion();
}

} // namespace host
