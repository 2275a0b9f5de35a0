#pragma once

#include "report_data.h"

#include <memory>

class QPrinter;
class QTextDocument;

namespace report_viewer {

// The printable form of a report: the title, the date and the second title
// line over a table with the column titles repeated on every page; the
// program and the user under it. Widths follow the file's widths.
QString htmlRaportu(const RaportTabela &tabela, const ParametryRaportu &parametry);
std::unique_ptr<QTextDocument> dokumentRaportu(const RaportTabela &tabela, const ParametryRaportu &parametry);

// Sets the printer's orientation for the table (landscape for wide tables)
// and prints; returns the number of pages.
int drukujRaport(const RaportTabela &tabela, const ParametryRaportu &parametry, QPrinter &printer);

// Writes a PDF file; the number of pages, or -1 when the file cannot be written.
int zapiszPdf(const RaportTabela &tabela, const ParametryRaportu &parametry, const QString &sciezkaPdf);

} // namespace report_viewer
