#pragma once

// The suite's global working-time settings, kept in memory by the
// shared_store sibling for the active own company. Modules reach it through
// the export _GetGlobalSettings of "shared_store.dll" and read or change it in
// place. The library is never unloaded once loaded, so the object (one per
// process) outlives the caller's release of the library.
//
// Source of the dictionary part: defaults (periods start on day 1; lengths
// coded 1..6 of 1, 2, 3, 4, 6 and 12 months), overridden by ustawienia rows
// with kod 'ALL' and no company or user: co 'dzien_poczatku_okresu' = the
// start day (1..28), co 'dlugosc_okresu' = entries "code:months[:name]"
// separated by ';'. They are read through the host's connection on the first
// call for each database the host is connected to; a malformed row is logged
// and the default kept.

#include <QDateTime>
#include <QList>
#include <QString>

namespace shared_store {

// An entry of the period-length dictionary (global settings key dlugosc_okresu).
struct DlugoscOkresu
{
    int kod = 0;      // stored in firma.okres_roz
    QString nazwa;    // shown in the lists
    int miesiace = 1; // length in months
};

struct GlobalSettings
{
    int dzienPoczatkuOkresu = 1; // day of the month settlement periods start on
    QList<DlugoscOkresu> dlugosc_okresu;
    // The active own company's working time, written after it is saved.
    QDateTime nocneOd;
    QDateTime nocneDo;
    QDateTime swietaOd;
    int limitNadgodzin = 260;
    int okresRoz = 0; // code of the period length; 0 none
};

} // namespace shared_store

// Signature of the export: the settings object, never null.
using GetGlobalSettingsEntry = shared_store::GlobalSettings *(*)();
