#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace partners {

// usunClick: the selection may not hold the active own company
// (aktywna_firma). The message key when it does, empty otherwise.
QString blokadaUsuwaniaFirm(const QList<int> &zaznaczone, int aktywnaFirma);
inline constexpr const char *KluczNieMoznaUsunacAktywnej = "Resstrings_IDS_Nie_mozna_usunac_aktywnej_firmy";

// Entries of the context menu that need exactly one selected row.
struct MenuKontekstoweFirm
{
    bool ustawAktywnaFirme = false;        // "Ustaw jako aktywną firmę"
    bool dodajZlecenie = false;            // "Dodaj zlecenie"
    bool podgladPowiazanychPlikow = false; // "Podgląd powiązanych plików"
};
// Nothing changes while Lista is closed or opening (`zmien` false).
struct StanMenuKontekstowego
{
    bool zmien = false;
    MenuKontekstoweFirm menu;
};
StanMenuKontekstowego stanMenuKontekstowego(bool listaOtwarta, bool listaOtwierana, int liczbaZaznaczonych);

// "Podgląd powiązanych plików" opens the linked files of the current row's
// company: only when there is a current row with an id.
bool moznaPokazacPowiazanePliki(bool jestBiezacyWiersz, const QVariant &id);

// "Ustaw jako aktywną firmę" then tells the host's main window (posted).
inline constexpr int KomunikatAktywnaFirma = 0x487;
inline constexpr int KomunikatAktywnaFirmaParam1 = 1;
inline constexpr int KomunikatAktywnaFirmaParam2 = 0;

// Multi-action entries shown by rights: "Szablon Realizacji" with orders.dll
// at exactly 1, the order-confirmation conditions with that and
// pokaz_wydruk_potw_zlecenia, "Domyślne uwagi dodatkowe" with sales_invoices.dll at exactly 1.
struct MultiakcjeFirm
{
    bool szablonRealizacji = false;
    bool warunkiPotwierdzeniaZlecenia = false;
    bool domyslneUwagiDodatkowe = false;
};
MultiakcjeFirm widoczneMultiakcje(int uprZlecenia, int pokazWydrukPotwZlecenia, int uprFaktury);

// Caption of an editor tab: the template (text of Resstrings_IDS_Edycja and
// " %skrot") with the company's short name.
QString szablonZakladkiEdycji(const QString &tekstEdycja);
QString podpisZakladkiEdycji(const QString &szablon, const QString &skrot);

// The two filter check boxes, kept in host variables between frames
// (lista_firm_f_wlasne_check, lista_firm_f_roz_zal_check, group "FL").
struct FiltryListyFirm
{
    bool tylkoWlasneFirmy = false;  // TylkoWlasneFirmyCheck
    bool ukryjFirmyZalRoz = false;  // cbUkryjFirmyZalRoz
    bool dokumentyWygasaja = false; // cbDokumentyWygasaja
    int dniWygasania = 30;          // seDniWygasania
};
FiltryListyFirm wczytajFiltryListyFirm();
void zapiszFiltryListyFirm(const FiltryListyFirm &filtry);

} // namespace partners
