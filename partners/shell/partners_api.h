#pragma once

// Entry points of the companies module, looked up by name by the host
// (QLibrary::resolve) or called directly by code linked with the module.
// Plain C linkage; strings are returned by value.

#include <QString>
#include <QtCore/qglobal.h>

class QObject;

#define PARTNERS_ENTRY extern "C" Q_DECL_EXPORT

// Module name: "ALL".
PARTNERS_ENTRY QString _GetModuleName();
// Module code: the module name followed by "_PARTNERS".
PARTNERS_ENTRY QString _GetDllCode();
// File version of the module file, as the host formats file versions.
PARTNERS_ENTRY QString _GetVersionA();
// Translation key of the right that governs the module.
PARTNERS_ENTRY QString _GetNazwaUpr();
// Hands the host's handle to the company list window; waits up to three
// times 500 ms for that window to appear, then gives up.
PARTNERS_ENTRY void _SetDllInstance(int handle);
// 1 while a company editor window is open and shown, else 0.
PARTNERS_ENTRY int _isEdited();

// Opens the company list window with the given rights level; while one is
// open, brings it to the front instead (the rights are not applied again).
PARTNERS_ENTRY void _Execute(QObject *owner, int rights);

// Function types of the entry points, for hosts that resolve them.
using GetStringEntry = QString (*)();
using SetDllInstanceEntry = void (*)(int);
using IsEditedEntry = int (*)();
using ExecuteEntry = void (*)(QObject *, int);
