#include "module_loader.h"

#include <QCoreApplication>
#include <QDir>

ModuleLoader::ModuleLoader()
    : m_library(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libpartners.so")))
{}

bool ModuleLoader::load()
{
    return m_library.load();
}

QString ModuleLoader::callString(const char *symbol)
{
    using StringEntry = QString (*)();
    const auto entry = reinterpret_cast<StringEntry>(m_library.resolve(symbol));
    return entry ? entry() : QString();
}
