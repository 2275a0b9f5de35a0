#pragma once

#include "ramka/export/list_export.h"

#include <QDate>

namespace db {
class Connection;
}

namespace ramka {

// One column of the print column set-up.
struct KolumnaWydruku
{
    QString pole;
    QString tytul;
    int szerokosc = 0;
    bool drukuj = false;

    bool operator==(const KolumnaWydruku &) const = default;
};

// The remembered print columns of a window and user: ust_form rows of kind
// 'columns' (the width in napis) plus a 'check' marker row.
class UstawieniaWydruku
{
public:
    UstawieniaWydruku(QString formularz, int idU, db::Connection *connection = nullptr);

    // The grid columns in grid order (drukuj = visible) become the set-up:
    // without stored rows as given (negative widths as 0); with stored rows
    // the stored columns first, checked, in stored order with stored widths,
    // then the others unchecked. Stored columns the grid lacks are dropped.
    std::vector<KolumnaWydruku> wczytaj(const std::vector<KolumnaWydruku> &kolumnySiatki) const;
    // Printing with "remember" ticked: the checked columns in order replace
    // the stored ones. False when the database refused.
    bool zapamietaj(const std::vector<KolumnaWydruku> &kolumny) const;
    // Printing without it: every stored row of the set-up goes.
    bool zapomnij() const;

private:
    db::Connection *polaczenie() const;
    QString m_formularz;
    int m_idU;
    db::Connection *m_connection;
};

// Only the checked columns, as the print writes them.
std::vector<KolumnaEksportu> kolumnyDoDruku(const std::vector<KolumnaWydruku> &kolumny);

// <host folder>/data/Reports/SYS_R.xml and .rpt; the host folder defaults
// to the folder siblings are loaded from.
QString sciezkaXmlWydruku(const QString &katalogHosta = QString());
QString sciezkaRaportuWydruku(const QString &katalogHosta = QString());
// Writes the XML through QSaveFile, creating data/Reports when missing.
bool zapiszXmlWydrukuDoPliku(const QString &sciezka, const TabelaEksportu &tabela, QString *blad = nullptr);

// The report's parameters as DrukujListe fills them.
struct ParametryWydruku
{
    QString nazwaProgramu = QStringLiteral("Malvo");
    QString tytul;      // the list's title
    QString uzytkownik; // empty: the logged-in user
    QDate dataWydruku;  // null: today
    QDate okresOd;      // the list's date range, when it has one
    QDate okresDo;
    QString nazwaPliku; // proposed PDF name; empty: from the title
    QString podpisOkna; // empty: the translated Resstrings_IDS_DrukujTrAll and the title
};

// Name/value pairs passed to _run_crystal_ext, in the documented order.
QList<QPair<QString, QString>> parametryRaportu(const ParametryWydruku &p);

enum class WynikWydruku { Pokazano, BrakPodgladu, Blad };

// DrukujListe: writes the XML and runs the report through report_viewer.dll.
// A missing viewer is no error (the suite skips missing siblings): BrakPodgladu.
WynikWydruku DrukujListe(const TabelaEksportu &tabela, const ParametryWydruku &parametry,
                         const QString &katalogHosta = QString());

} // namespace ramka
