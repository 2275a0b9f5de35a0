#pragma once

#include <QString>

class QObject;

// The schedule sibling ("schedule.dll"): the small editor of the schedule
// entry linked to a record (table code and record id). The application
// object and the caller's module handle are the suite's calling convention
// and may be null; the language picks the texts. Returns 1 when the entry was
// saved, 0 when cancelled or when the record has no linked entry.
extern "C" int _EditRecordProstyPowiazanyTermin(QObject *aplikacja, void *modul, int idRekordu, int kodTabeli,
                                                int idJezyka);

namespace terminarz {
using EditRecordProstyPowiazanyTerminFn = decltype(_EditRecordProstyPowiazanyTermin);
inline constexpr const char *Biblioteka = "schedule.dll";
inline constexpr const char *EksportEdycji = "_EditRecordProstyPowiazanyTermin";
} // namespace terminarz
