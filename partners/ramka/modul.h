#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// Who the module is, for every layer of it: the identity the database keys
// rights, settings and sessions by, and the one way its windows translate.
namespace partners {

// The module's file name as the suite knows it.
inline const QString PlikModulu = QStringLiteral("partners.dll");
// The module's name ("ALL") and code ("ALL_PARTNERS").
inline const QString NazwaModulu = QStringLiteral("ALL");
inline const QString KodModulu = NazwaModulu + QStringLiteral("_PARTNERS");

// One pointer per window class of the module, holding its single live
// instance or null.
struct ModuleWindows
{
    QPointer<QWidget> lista_firm_form;
    QPointer<QWidget> lista_firm_frame; // the stand-alone frame of EdytujFirme
    QPointer<QWidget> edycja_firmy_form;
    QPointer<QWidget> adresy_firmy_frame; // both only during NewRecordFirmaAdres
    QPointer<QWidget> edycja_adresu_form;
    QPointer<QObject> zapis_firmy_form; // windowless: a plain object
};

ModuleWindows &windows();

// Name of the list window's property that keeps the host's handle.
inline constexpr const char *HostInstanceProperty = "hostInstance";

// Whether the user's rights level on the module allows changes (1 or more).
bool mozeZmieniac();

// The text of a translation key ("Resstrings_IDS_...") in the user's language.
QString tlumacz(const char *klucz);

} // namespace partners
