#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace db {
class Dialect;
}

namespace partners {

// A statement with the values of its :name parameters.
struct KomendaSql
{
    QString tekst;
    QVariantMap parametry;
    // Some of tekst's rows, by id, quick to start where tekst is not (its
    // grouped joins are computed whole first); empty when not asked for.
    QString pierwszeWiersze = {};
    // Commands giving by id the columns tekst leaves out (a grouped read of
    // documents and groups instead of a search of each per company).
    QStringList kolumnyDolaczane = {};
};

// What the company list's SELECT depends on when Lista opens.
struct StanZapytaniaListyFirm
{
    int idJezyka = 0;
    // Component tag of Lista: non-zero reloads only the company with this id.
    int tag = 0;
    bool tylkoWlasneFirmy = false;        // TylkoWlasneFirmyCheck checked
    bool ukryjFirmyZalRozWidoczne = true; // cbUkryjFirmyZalRoz visible
    bool ukryjFirmyZalRoz = false;        // cbUkryjFirmyZalRoz checked
    // Valid: only companies with a document, not yet done, whose validity
    // ends by this day (expired ones included: they are the most urgent).
    QDate dokumentyWygasajaDo;
    // Non-zero: the first screen's rows come from pierwszeWiersze.
    int wierszePierwszegoEkranu = 0;
};

// Dictionary group of the firma_rodzaj entries that mark loading and
// unloading places.
inline constexpr int GrupaFirmZalRoz = 4;

// Lista's order while the user has set none. The command has no ORDER BY:
// the data set sorts it far faster than the server's sorter, which carries
// whole rows.
inline constexpr char PorzadekListyFirm[] = "nazwa,id";

// The command text and parameters of Lista (ListaBeforeOpen). Besides the
// view's fields the rows carry the company's kinds as their ids joined by
// commas (PoleIdGrup): joining a translation to each of a large register's
// rows costs ten times more than naming the dictionary's few entries once.
KomendaSql komendaListyFirm(const StanZapytaniaListyFirm &stan, const db::Dialect &dialect);

// Every dictionary entry's name in the language: its translation, or its
// wartosc when it has none.
KomendaSql komendaNazwRodzajow(int idJezyka);

// lista_firm_w_grupie and qZapiszGrupe.
inline constexpr const char *SqlListaFirmWGrupie = "select id_f from firma_grupa where grupa = :grupa";
inline constexpr const char *SqlZapiszGrupe = "insert into firma_grupa (id_f, grupa) values (:id_f, :grupa)";

// updateUserActiveCompany: forgets a deleted company as any user's active one.
KomendaSql komendaZapomnijAktywnaFirme(int idF);

} // namespace partners
