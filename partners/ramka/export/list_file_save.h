#pragma once

#include "ramka/export/list_export.h"

#include <functional>

class QWidget;

namespace ramka {

enum class FormatPliku { Csv, Html };

// The owner's title with every "/" replaced by a blank.
QString proponowanaNazwaPliku(const QString &tytulOkna);
// The last three characters choose: "tml" is HTML, anything else CSV.
FormatPliku formatPliku(const QString &sciezka);
// The file filter of the save question: CSV first, then HTML.
QString filtrPlikowListy();

// Writes the table through QSaveFile, so a failed write leaves an existing
// file as it was. False (and the reason) when it cannot be written.
bool zapiszTabeleDoPliku(const QString &sciezka, const TabelaEksportu &tabela, QString *blad = nullptr);

enum class WynikZapisuListy { Zapisano, Anulowano, NieNadpisano, Blad };

// zapiszClick without the grid: asks for the file (proposing the title in
// the folder given), asks before overwriting (yes writes, no and cancel
// stop), builds the table only then and writes it. Failures are shown with
// Resstrings_IDS_nie_mozna_nadpisac. The questions go through the prompter.
WynikZapisuListy zapiszListeDoPliku(QWidget *owner, const QString &tytulOkna, const QString &katalog,
                                    const std::function<TabelaEksportu()> &tabela, QString *sciezka = nullptr);

} // namespace ramka
