#pragma once

#include <QPointer>
#include <QWidget>

namespace partners {

// The module's file name: its identity in rights, settings and sessions.
inline constexpr const char *ModuleFileName = "partners.dll";

// One pointer per window class of the module, holding its single live
// instance or null.
struct ModuleWindows
{
    QPointer<QWidget> lista_firm_form;
    QPointer<QWidget> lista_firm_frame; // the stand-alone frame of EdytujFirme
    QPointer<QWidget> edycja_firmy_form;
    QPointer<QObject> zapis_firmy_form; // windowless: a plain object
};

ModuleWindows &windows();

// Name of the list window's property that keeps the host's handle.
inline constexpr const char *HostInstanceProperty = "hostInstance";

} // namespace partners
