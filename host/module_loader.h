#pragma once

#include <QLibrary>
#include <QString>

// The companies module, loaded at run time from the host's own directory as
// the suite loads its modules.
class ModuleLoader
{
public:
    ModuleLoader();

    bool load();
    QString errorString() const { return m_library.errorString(); }
    QString moduleName() { return callString("_GetModuleName"); }
    QString moduleCode() { return callString("_GetDllCode"); }
    QString version() { return callString("_GetVersionA"); }
    QFunctionPointer resolve(const char *symbol) { return m_library.resolve(symbol); }

private:
    QString callString(const char *symbol);

    QLibrary m_library;
};
