#pragma once

// Entry points of the companies module, looked up by name by the host
// (QLibrary::resolve) or called directly by code linked with the module.
// Plain C linkage; strings are returned by value.

#include <QList>
#include <QString>
#include <QStringList>
#include <QtCore/qglobal.h>

#include <chrono>

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
// Not exported: the pause between those waits, so tests need not sit through it.
namespace partners {
void ustawOczekiwanieNaListe(std::chrono::milliseconds pauza);
}
// 1 while a company editor window is open and shown, else 0.
PARTNERS_ENTRY int _isEdited();

// Opens the company list window with the given rights level; while one is
// open, brings it to the front instead (the rights are not applied again).
PARTNERS_ENTRY void _Execute(QObject *owner, int rights);

// Opens the list window (as _Execute) and queues an edit of the company in
// it; *wasOpen tells whether the window was open before.
PARTNERS_ENTRY void _EdytujRekordTab(int id, int rights, int handle, bool *wasOpen);
// Opens the list window (as _Execute) and runs a phrase search in it.
PARTNERS_ENTRY void _UruchomWyszukiwanieWgFrazy(QString phrase, int rights, int handle, bool *wasOpen);
// Import from the external application and of contact persons: only the list
// window is opened (and closed again by the first); nothing is imported. -1.
PARTNERS_ENTRY int _ImportFirmyZTobolca(QObject *owner, int handle, QString fileName);
PARTNERS_ENTRY int _ImportOsKonatkt(QObject *owner, int handle, QString fileName);

// The modal company picker: the chosen company's id, or -1.
PARTNERS_ENTRY int _ExecuteModal();
// The picker for a company named by an imported order (entry 1 its name,
// entry 0 its binding id): the company pointed at, or -1. The second leaves
// the binding id out of its sentence.
PARTNERS_ENTRY int _ZImportuZlecSP(void *ignored1, void *ignored2, QStringList info);
PARTNERS_ENTRY int _ZImportuZlecSPBezPowiazania(void *ignored1, void *ignored2, QStringList info);

// Creates a company from an imported order's list (entry 1 name, 2 country,
// 3 postal code, 4 city, 5 street, 6 flat number, 7 group, 8 city id, 9
// postal-code id) without a window: the new company's id, 0 when it was not
// saved, -1 when entry 8 or 9 of a list of 10 or more is not a whole number
// (nothing is saved; the reason goes to the log).
PARTNERS_ENTRY int _ZapiszBezPokazywaniaFormularza(void *ignored1, void *ignored2, QStringList list);

// The company editor, shown modally; every call opens its own editor.
// Edits a company and returns the id passed in, whatever the user did.
PARTNERS_ENTRY int _EditRecord(void *ignored1, void *ignored2, int id, int idJezyka);
// The same, first showing the page whose objectName is `tab` (none matching: the first page).
PARTNERS_ENTRY int _EditRecordZakladka(int id, int idJezyka, QString tab);
// Edits through a stand-alone company list frame; nothing when the company is not in it.
PARTNERS_ENTRY void _EdytujFirme(int id);
// A new company: its id once saved, 0 when none was; -5 at once in the restricted list.
PARTNERS_ENTRY int _NewRecord();
// A new company with the kind `group` checked (-1 none).
PARTNERS_ENTRY int _NewRecordPar(void *ignored, int group);
// From within an order: adding an order from the editor is disabled and saving always allowed.
PARTNERS_ENTRY int _Firma_NewRecord_Zlec();
PARTNERS_ENTRY int _Firma_EditRecord_Zlec(void *ignored1, void *ignored2, int id, int idJezyka);

// A company's address in its editor: (*params)[0] is the company, (*params)[1]
// the address (0 or less: a new one), which becomes the saved address's id.
// The editor's result: 1 when an address was saved, else 0 (also for an
// address the company does not have).
PARTNERS_ENTRY int _NewRecordFirmaAdres(QObject *owner, int **params);

// Import and export of companies without a window, for the command line.
// Progress is told as (record, records); a file that cannot be read or
// written is told through the host's message boxes.
using PostepEntry = void (*)(int current, int total);
// Writes the companies `ids` in that order; without ids those that the
// company list's phrase search finds for `phrase`, or every company, in the
// list's order. Format 1 XML, 2 CSV, 3 XML in a 7z archive. The number of
// companies written (*summary tells of ids that name no company), or -1
// when no file was written (*summary may say why).
PARTNERS_ENTRY int _EksportFirmDoPliku(QString fileName, int format, QList<int> ids, QString phrase,
                                       PostepEntry progress, QString *summary);
// Imports an .xml or .csv file; a company that exists already is overwritten
// (onDuplicate 1) or skipped (2); match 0 by name, 1 by name or NIP. The
// number of records refused, with *summary telling what was written,
// overwritten, skipped and refused; -1 when the file was not imported.
PARTNERS_ENTRY int _ImportFirmZPliku(QString fileName, int onDuplicate, int match, PostepEntry progress,
                                     QString *summary);

// Function types of the entry points, for hosts that resolve them.
using GetStringEntry = QString (*)();
using SetDllInstanceEntry = void (*)(int);
using IsEditedEntry = int (*)();
using ExecuteEntry = void (*)(QObject *, int);
using EdytujRekordTabEntry = void (*)(int, int, int, bool *);
using UruchomWyszukiwanieWgFrazyEntry = void (*)(QString, int, int, bool *);
using ImportZPlikuEntry = int (*)(QObject *, int, QString);
using ExecuteModalEntry = int (*)();
using ZImportuZlecSPEntry = int (*)(void *, void *, QStringList);
using ZapiszBezPokazywaniaFormularzaEntry = int (*)(void *, void *, QStringList);
using EditRecordEntry = int (*)(void *, void *, int, int);
using EditRecordZakladkaEntry = int (*)(int, int, QString);
using EdytujFirmeEntry = void (*)(int);
using NewRecordEntry = int (*)();
using NewRecordParEntry = int (*)(void *, int);
using NewRecordFirmaAdresEntry = int (*)(QObject *, int **);
using EksportFirmDoPlikuEntry = int (*)(QString, int, QList<int>, QString, PostepEntry, QString *);
using ImportFirmZPlikuEntry = int (*)(QString, int, int, PostepEntry, QString *);
