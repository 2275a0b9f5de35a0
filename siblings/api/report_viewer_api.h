#pragma once

/* The C interface of the report viewer sibling (libreport_viewer.so, the
 * suite's "report_viewer.dll"). Texts are UTF-16, zero-terminated.
 *
 * The report's data is the XML file next to the report file, with the same
 * base name: "data/Reports/SYS_R.rpt" reads "data/Reports/SYS_R.xml". That
 * XML has a root "xml" and one "row" per row with elements pole1, pole2, ...;
 * a first row with nazwa="!naglowek" gives the column titles (and widths in
 * the attribute szerokosc), a row with nazwa="!podsumowanie" is the summary.
 *
 * Parameters known to the viewer (others are ignored):
 *   @tytul               title printed over the table
 *   @nazwa_programu      program name in the footer
 *   @data_rap            date text in the header
 *   @uzytk_rap           the user, in the footer
 *   @nazwa_pliku         proposed name of an exported PDF file
 *   @nazwa_pliku2        second line under the title (e.g. the date range)
 *   @chrome_tabs_caption caption of the viewer window when caption is null
 */

#include <uchar.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct MalvoReportParam
{
    const char16_t *name; /* with its "@" */
    const char16_t *value;
} MalvoReportParam;

/* _run_crystal_ext results. */
enum {
    MalvoReportShown = 0,       /* the viewer was shown and closed */
    MalvoReportNoData = 1,      /* the XML file is missing or unreadable */
    MalvoReportBadArguments = 2 /* no report path or params without a count */
};

/* Shows the report modally (through the host's prompter): a table with print
 * preview, printing and PDF export. caption may be null. */
typedef int (*MalvoRunCrystalExtFn)(const char16_t *reportPath, const MalvoReportParam *params, int paramCount,
                                    const char16_t *caption);
int _run_crystal_ext(const char16_t *reportPath, const MalvoReportParam *params, int paramCount,
                     const char16_t *caption);

/* Renders the report to a PDF file without a window. Returns the number of
 * pages written, or -MalvoReportNoData / -MalvoReportBadArguments, or -3 when
 * the PDF cannot be written. */
int _report_to_pdf(const char16_t *reportPath, const MalvoReportParam *params, int paramCount, const char16_t *pdfPath);

#ifdef __cplusplus
}
#endif
