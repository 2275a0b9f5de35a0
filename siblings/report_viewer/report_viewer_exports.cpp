// The C entry points; everything else stays inside the library.
#include "report_viewer_api.h"

#include "report_data.h"
#include "report_render.h"
#include "report_window.h"

#include "prompter.h"
#include "sibling_entry.h"

namespace {

bool czytajArgumenty(const char16_t *reportPath, const MalvoReportParam *params, int paramCount, QString &raport,
                     report_viewer::ParametryRaportu &parametry)
{
    if (!reportPath || !*reportPath || paramCount < 0 || (paramCount > 0 && !params))
        return false;
    raport = QString::fromUtf16(reportPath);
    for (int i = 0; i < paramCount; ++i)
        if (params[i].name)
            parametry.insert(QString::fromUtf16(params[i].name),
                             params[i].value ? QString::fromUtf16(params[i].value) : QString());
    return true;
}

} // namespace

SIBLING_ENTRY int _run_crystal_ext(const char16_t *reportPath, const MalvoReportParam *params, int paramCount,
                                   const char16_t *caption)
{
    QString raport;
    report_viewer::ParametryRaportu parametry;
    if (!czytajArgumenty(reportPath, params, paramCount, raport, parametry))
        return MalvoReportBadArguments;
    report_viewer::RaportTabela tabela;
    if (!report_viewer::czytajXmlPlik(report_viewer::plikDanychRaportu(raport), tabela))
        return MalvoReportNoData;
    report_viewer::Treport_viewer_form okno(tabela, parametry);
    const QString podpis =
        caption && *caption ? QString::fromUtf16(caption) : parametry.value(QStringLiteral("@chrome_tabs_caption"));
    okno.setWindowTitle(podpis.isEmpty() ? parametry.value(QStringLiteral("@tytul")) : podpis);
    // Modal: the caller releases the library as soon as this returns.
    host::prompter().runModal(&okno);
    return MalvoReportShown;
}

SIBLING_ENTRY int _report_to_pdf(const char16_t *reportPath, const MalvoReportParam *params, int paramCount,
                                 const char16_t *pdfPath)
{
    QString raport;
    report_viewer::ParametryRaportu parametry;
    if (!czytajArgumenty(reportPath, params, paramCount, raport, parametry) || !pdfPath || !*pdfPath)
        return -MalvoReportBadArguments;
    report_viewer::RaportTabela tabela;
    if (!report_viewer::czytajXmlPlik(report_viewer::plikDanychRaportu(raport), tabela))
        return -MalvoReportNoData;
    const int strony = report_viewer::zapiszPdf(tabela, parametry, QString::fromUtf16(pdfPath));
    return strony < 0 ? -3 : strony;
}
