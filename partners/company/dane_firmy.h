#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

namespace db {
class Connection;
}

namespace partners {

// The company editor's values: the window fills this from its controls
// (and from it), validation and saving work on it alone. Ids of list
// entries are 0 when nothing (or the empty first entry) is chosen.
struct DaneFirmy
{
    int idFirmy = 0; // 0 or less: not stored yet

    // General data
    QString nazwa;
    QString skrot;
    int idTypu = 0; // typ_firmy entry; the save picks it from firmaWlasna
    bool firmaWlasna = false;
    int idStatusu = 0;
    bool oddzial = false; // "Oddział firmy" chosen (else head office / stand-alone)
    int idCentrali = 0;
    QList<int> rodzaje; // checked firma_rodzaj entries
    double limitKredytowy = 0;
    QString walutaLimitu;
    QString prefiksNip;          // EU VAT prefix chosen in the list
    QString nip;                 // the number shown, without the prefix
    bool nipZablokowany = false; // kept by an external synchronisation
    QString regon;
    QString krs;
    QString nrTrans;
    QString skype;
    QString nrGg;
    QString www;
    QString eMail;
    QString wlasciciel;
    QString apdId; // edit texts
    QString apdToken;
    bool aktywna = true;
    bool bus = false;
    QString uwagi;
    int idKomunikatora = 0;

    // Default address: the chosen entry of the city list and the street.
    int idM = 0;
    int idKodu = 0;
    QString ulica;
    QString nrDomu;
    QString nrM;

    // Working time and accounting
    QTime nocneOd;
    QTime nocneDo;
    QTime swietaOd;
    QTime poraNocnaOd;
    QTime poraNocnaDo;
    int limitNadh = 260;
    int okresRoz = 0;              // period-length code
    bool okresRozWymagany = false; // the editor armed the period length as required
    QDate poczatekOkresu;          // start of the first settlement period
    int dodatkoweWolne = 7;
    QString mpk;       // cost centre
    QString komentarz; // report footer

    // Invoice and order defaults
    QString kodAnalityczny;
    QString terminZaplaty; // days, as the dictionary text; empty = none
    int sposobZaplaty = 0;
    bool szablonyWidoczne = false; // the two template lists are shown
    int szablonZlecenia = 0;
    int szablonPotwierdzenia = 0;
    bool uwagiFvWidoczne = false; // the invoice-remarks memo is shown
    QStringList uwagiFv;
    bool uwagiSpWidoczne = false;
    QStringList uwagiSp;
    int idFvUd = 0;      // default additional remark
    int idKontaRozl = 0; // settlement account of the active own company
    bool dataKursuAuto = false;
    int dataKursuZrodlo = 0; // 0 loading date, 1 unloading date
    int dniKursuIndeks = 2;  // index in "-2".."+2"; -1 none chosen
    bool oswiadczenieVat = false;
    bool fvPodsum2 = false;     // fv_kontrahent_podsum2
    bool fvJednaWaluta = false; // fv_kontrahent_1waluta
    bool papierFirmowy = false;
    QString marginesGorny;

    // As loaded (or last saved): what the save compares against.
    QString wczytaneUwagi;
    QString wczytanyKomentarz;
    QString wczytanySkrot;
    QString wczytanyApdId;
    QString wczytanyApdToken;
    int idAdresuDomyslnego = 0;
    int idImpMpk = -1;         // import link 10; -1 none
    int idImpAnalityczny = -1; // import link 15; -1 none
    // The row version read with the company; -1 unknown (the save then checks nothing).
    int wersja = -1;

    bool nowa() const { return idFirmy <= 0; }
    bool miastoWybrane() const { return idM > 0; }
};

// The values of a company not stored yet (host variables for the defaults).
DaneFirmy nowaFirma();

// A stored NIP split into its EU prefix (leading non-digits, at most 2, when
// the text has 2 characters or more) and the number shown.
struct NipZPrefiksem
{
    QString prefiks;
    QString numer;
};
NipZPrefiksem rozdzielNip(const QString &zapisany);

// Loads a stored company with its kinds, import links and settings rows.
// False when the view has no row for the id (the values are then those of
// nowaFirma() with the id kept, so a save reports the deleted record).
// The invoice-defaults rows are read only with zDomyslnymiFv (the tab is shown).
// The record is read in language idJezyka; 0: the host's.
bool wczytajFirme(DaneFirmy &dane, int idFirmy, bool zDomyslnymiFv = true, db::Connection *polaczenie = nullptr,
                  int idJezyka = 0);

// Whether one of the companies, or the typ_firmy entry, is an own company's;
// a failed read counts as yes, so that a right is never given by an error.
bool zawieraFirmeWlasna(const QList<int> &ids, db::Connection *polaczenie = nullptr);
bool typFirmyWlasnej(int idTypu, db::Connection *polaczenie = nullptr);

// Reads the settings rows of a company (FK, SP and, when asked, partners.dll).
void wczytajUstawieniaFirmy(DaneFirmy &dane, bool zDomyslnymiFv, db::Connection *polaczenie = nullptr);

} // namespace partners
