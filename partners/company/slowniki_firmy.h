#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;
class QWidget;

namespace partners {

// An account of the active own company offered for settlements.
struct KontoRozliczeniowe
{
    int id = 0;
    QString nazwa; // bank and number
    bool aktywne = true;
};

// The company editor's lookups: every list its pages offer and every value
// they look up, with the user's values bound, never spliced into the SQL.
class SlownikiFirmy
{
public:
    // A dictionary of VListaPozSlownika by its type, in the host's language.
    static void ladujSlownik(QComboBox *combo, const QString &typSlownika, bool pustyPierwszy);
    static void ladujRodzaje(QListWidget *lista);
    // Head offices a company may belong to: not itself, not a branch.
    static void ladujCentrale(QComboBox *combo, int idFirmy);
    static void ladujMiasta(QComboBox *combo);
    static void ladujTerminy(QComboBox *combo);
    static void ladujSposobyZaplaty(QComboBox *combo);
    static void ladujSzablonyZlecen(QComboBox *combo);
    static QStringList waluty();
    static QStringList prefiksyNip();
    // Period lengths of the shared store's global settings: name and code.
    static QList<QPair<QString, int>> dlugosciOkresow();
    static QList<KontoRozliczeniowe> kontaAktywnejFirmy();

    static QString prefiksNipPanstwa(int idPanstwa);
    static QString nazwaFirmy(int idFirmy);
    // "country code, postal code, city" of a city the pick list may not offer.
    static QString opisMiasta(int idM, int idKodu);
    static int liczbaOddzialow(int idFirmy);

    // Opens the host dictionary frame on a dictionary; returns the entry chosen, 0 none.
    static int otworzSlownik(QWidget *rodzic, const QString &typSlownika);
    static QString wartoscSlownika(int id);
};

} // namespace partners
