#pragma once

#include "ramka/settings/ust_kolumna.h"

#include "dataset.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace partners {

// The persistent fields of Lista in declared order (nazwa_grupy, the
// calculated field, last).
QList<db::FieldDef> polaListyFirm();
inline constexpr const char *PoleNazwaGrupy = "nazwa_grupy";
// The ids of the company's kinds joined by commas, which nazwa_grupy names.
inline constexpr const char *PoleIdGrup = "id_grup_firmy";

// The design layout of ListaGrid; unnumbered columns get the default width 64.
UkladKolumn kolumnyListyFirm();

// Columns drawn as check boxes, and time columns shown as hours and minutes.
QStringList kolumnyCheckBox();
QStringList polaCzasu();
inline constexpr const char *FormatCzasu = "hh:mm";

// Labour-law columns that exist only in Polish.
QStringList kolumnyTylkoPolskie();
// Columns the restricted-list switch removes.
QStringList kolumnyWersjiOgraniczonej();
inline constexpr const char *KolumnaAktywna = "aktywna";

// cbUkryjFirmyZalRoz is offered only in Polish.
bool czyPolski(const QString &kodJezyka);

// What decides the grid's columns when the frame is built.
struct OpcjeKolumnListyFirm
{
    QString kodJezyka = QStringLiteral("pl"); // GetKeyLang
    bool wersjaOgraniczona = false;           // CzyWersjaOgraniczona
    bool opcjaAktywna = false;                // application-context option 135
};

// Removes the columns of these fields (case-insensitive); renumbers.
void usunKolumny(UkladKolumn &uklad, const QStringList &pola);
// The non-Polish removal alone, for each hosting window after loading its settings.
void usunKolumnyNiepolskie(UkladKolumn &uklad, const QString &kodJezyka);
// The design layout with every removal the options call for.
UkladKolumn kolumnyListyFirm(const OpcjeKolumnListyFirm &opcje);

} // namespace partners
