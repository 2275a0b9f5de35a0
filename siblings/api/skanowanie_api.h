#pragma once

#include <QString>

// The scanning sibling ("data\\Drivlog\\scan_import.dll"): scans from the
// first available device, or the one the host variable "skaner" (group "ALL")
// names, to JPEG files at the target path, one file per page; the pages of a
// multi-page scan (a feeder source, named by "skaner_zrodlo") get "_1", "_2",
// ... before the extension; a taken name is never overwritten. Returns the number
// of files written; `pliki` receives their local paths, ";"-separated when more
// than one. A missing device gives 0 and a line in the log.
extern "C" int _SkanujDokumenty(QString sciezkaDocelowa, QString *pliki);

namespace skanowanie {
using SkanujDokumentyFn = decltype(_SkanujDokumenty);
inline constexpr const char *Biblioteka = "data\\Drivlog\\scan_import.dll";
} // namespace skanowanie
