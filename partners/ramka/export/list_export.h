#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

class QIODevice;

namespace db {
class DataSet;
struct FieldDef;
} // namespace db

namespace ramka {

struct KolumnaEksportu
{
    QString pole;      // field name
    QString tytul;     // title as shown (already translated)
    int szerokosc = 0; // pixels; HTML widths and the printed table
};

// What every list output writes: the visible columns and the visible rows
// of the grid, in grid order, as display texts.
struct TabelaEksportu
{
    QString tytul;
    std::vector<KolumnaEksportu> kolumny;
    std::vector<QStringList> wiersze;        // one text per column
    std::optional<QStringList> podsumowanie; // the summary row, when shown
};

// Display text of a value as the grid shows it; null uses the data set's own.
using FormatWartosci = std::function<QString(const QVariant &value, const db::FieldDef &field)>;

// Reads the visible rows of the data set (after filter and sort) for the
// given columns. A column whose field the data set lacks is written empty.
// The current row is left where it was. After each row the progress
// callback gets (row number from 1, number of rows).
using PostepWierszy = std::function<void(int biezacy, int wszystkich)>;
TabelaEksportu tabelaZDataSet(const db::DataSet &dane, const QString &tytul,
                              const std::vector<KolumnaEksportu> &kolumny, const FormatWartosci &format = {},
                              const PostepWierszy &postep = {});

// CSV: CR LF after every line; the titles, then one line per row; every
// value followed by ";"; a line break inside a value becomes one blank. A
// value holding ";" or a quote is quoted with its quotes doubled, so a
// spreadsheet still reads one value. Written as UTF-8 with a byte order
// mark, which spreadsheet programs recognise.
void zapiszCsv(QIODevice &wyjscie, const TabelaEksportu &tabela);
// One CSV line without its line end (the titles or one row).
QString liniaCsv(const QStringList &wartosci);

// An HTML 3.2 page with one table: the title over all columns on #919191,
// the column titles on #DCDCDC with widths in percent of the total, rows
// alternating #FFFFFF and #F0F0F0, "&nbsp" in empty cells. The meta tag
// declares "text/html; charset=win-1250"; the bytes are plain ASCII with
// every other character as a numeric reference, so the page reads right
// whatever the browser makes of that charset.
void zapiszHtml(QIODevice &wyjscie, const TabelaEksportu &tabela);

// The print-preview XML: declaration with UTF-8, root "xml", one "row" per
// row with one element per column named "pole1", "pole2", ... in column
// order; &, <, >, ' written as &amp; &lt; &gt; &#39;. The first row, with
// nazwa="!naglowek", holds the column titles and carries each column's width
// in szerokosc; the summary row comes last with nazwa="!podsumowanie".
void zapiszXmlWydruku(QIODevice &wyjscie, const TabelaEksportu &tabela);
QString escapeXml(const QString &tekst);

} // namespace ramka
