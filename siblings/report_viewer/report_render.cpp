#include "report_render.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QTextDocument>

namespace report_viewer {

namespace {

// Wider than this (in screen pixels) prints across the page.
constexpr int SzerokoscPoziomo = 700;

QString esc(const QString &tekst)
{
    return tekst.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

int sumaSzerokosci(const RaportTabela &tabela)
{
    int suma = 0;
    for (int s : tabela.szerokosci)
        suma += std::max(0, s);
    return suma;
}

} // namespace

QString htmlRaportu(const RaportTabela &tabela, const ParametryRaportu &p)
{
    const int n = tabela.liczbaKolumn();
    const int suma = sumaSzerokosci(tabela);
    QString html = QStringLiteral("<html><body style=\"font-size:8pt\">");
    html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\"><tr><td><b style=\"font-size:12pt\">%1</b></td>"
                           "<td align=\"right\">%2</td></tr>")
                .arg(esc(p.value(QStringLiteral("@tytul"))), esc(p.value(QStringLiteral("@data_rap"))));
    if (!p.value(QStringLiteral("@nazwa_pliku2")).isEmpty())
        html += QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>").arg(esc(p.value(QStringLiteral("@nazwa_pliku2"))));
    html += QStringLiteral("</table><br>");

    html += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                           "style=\"border-collapse:collapse\"><thead><tr>");
    for (int c = 0; c < n; ++c) {
        const int procent = suma > 0 ? std::max(1, tabela.szerokosci.value(c) * 100 / suma) : 100 / std::max(1, n);
        html += QStringLiteral("<th bgcolor=\"#DCDCDC\" width=\"%1%\" align=\"left\">%2</th>")
                    .arg(procent)
                    .arg(esc(tabela.tytuly[c]));
    }
    html += QStringLiteral("</tr></thead>");
    for (int r = 0; r < tabela.wiersze.size(); ++r) {
        html += r % 2 ? QStringLiteral("<tr bgcolor=\"#F0F0F0\">") : QStringLiteral("<tr>");
        for (const QString &w : tabela.wiersze[r])
            html += QStringLiteral("<td>%1</td>").arg(esc(w));
        html += QStringLiteral("</tr>");
    }
    if (tabela.podsumowanie) {
        html += QStringLiteral("<tr>");
        for (const QString &w : *tabela.podsumowanie)
            html += QStringLiteral("<td><b>%1</b></td>").arg(esc(w));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><br>");
    html += QStringLiteral("<p style=\"font-size:7pt\">%1 &nbsp; %2</p>")
                .arg(esc(p.value(QStringLiteral("@nazwa_programu"))), esc(p.value(QStringLiteral("@uzytk_rap"))));
    html += QStringLiteral("</body></html>");
    return html;
}

std::unique_ptr<QTextDocument> dokumentRaportu(const RaportTabela &tabela, const ParametryRaportu &parametry)
{
    auto dokument = std::make_unique<QTextDocument>();
    dokument->setHtml(htmlRaportu(tabela, parametry));
    return dokument;
}

int drukujRaport(const RaportTabela &tabela, const ParametryRaportu &parametry, QPrinter &printer)
{
    printer.setPageOrientation(sumaSzerokosci(tabela) > SzerokoscPoziomo ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
    auto dokument = dokumentRaportu(tabela, parametry);
    // A page size in points makes the document paginate as the printer will.
    dokument->setPageSize(printer.pageLayout().paintRect(QPageLayout::Point).size());
    const int strony = dokument->pageCount();
    dokument->print(&printer);
    return strony;
}

int zapiszPdf(const RaportTabela &tabela, const ParametryRaportu &parametry, const QString &sciezkaPdf)
{
    {
        QFile proba(sciezkaPdf);
        if (!proba.open(QIODevice::WriteOnly))
            return -1;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(sciezkaPdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(parametry.value(QStringLiteral("@tytul")));
    const int strony = drukujRaport(tabela, parametry, printer);
    return QFileInfo(sciezkaPdf).size() > 0 ? strony : -1;
}

} // namespace report_viewer
