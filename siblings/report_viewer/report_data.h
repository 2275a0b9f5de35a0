#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QIODevice;

namespace report_viewer {

// The list a report shows, as read from its XML file.
struct RaportTabela
{
    QStringList tytuly;
    QList<int> szerokosci;      // 0 where the file gives none
    QList<QStringList> wiersze; // as many texts as titles
    std::optional<QStringList> podsumowanie;

    int liczbaKolumn() const { return int(tytuly.size()); }
};

// The report's named parameters ("@tytul" -> text).
using ParametryRaportu = QHash<QString, QString>;

// Reads the list XML. A file without a title row gets titles "1", "2", ...
// Rows shorter than the widest are padded. False with the reason on
// malformed XML or a root other than "xml".
bool czytajXml(QIODevice &wejscie, RaportTabela &tabela, QString *blad = nullptr);
bool czytajXmlPlik(const QString &sciezka, RaportTabela &tabela, QString *blad = nullptr);

// The data file of a report: same folder and base name, suffix ".xml".
QString plikDanychRaportu(const QString &sciezkaRaportu);

} // namespace report_viewer
