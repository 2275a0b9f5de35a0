#include "list_palette.h"

#include <host_funcs.h>
#include <host_variables.h>

namespace ui {

QColor ListPalette::fromTColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ListPalette ListPalette::fixed()
{
    return {fromTColor(0x383430), fromTColor(0xF3F3F3), fromTColor(0x4123CE), fromTColor(0xF1F0EE),
            fromTColor(0x4123CE), fromTColor(0x826459), fromTColor(0x3A3A3A), fromTColor(0xFFFFFF),
            fromTColor(0xC3B7B0), fromTColor(0xFFFFFF), fromTColor(0xEAE4E1)};
}

ListPalette ListPalette::fromHostVariables()
{
    using namespace host::var;
    return {fromTColor(ListaKolorNaglowekCzcionka.get()),
            fromTColor(ListaKolorNaglowekCzcionkaZaznaczona.get()),
            fromTColor(ListaKolorNaglowekZaznaczony.get()),
            fromTColor(ListaKolorNaglowekNiezaznaczony.get()),
            fromTColor(ListaKolorNaglowekFiltrAktywny.get()),
            fromTColor(ListaKolorNaglowekFiltrNieaktywny.get()),
            fromTColor(ListaKolorCzcionka.get()),
            fromTColor(ListaKolorCzcionkaZaznaczona.get()),
            fromTColor(ListaKolorZaznaczone.get()),
            fromTColor(ListaKolorNiezaznaczonyGl.get()),
            fromTColor(ListaKolorNiezaznaczonyPom.get())};
}

ListPalette ListPalette::current()
{
    return host::PaletaStala() ? fixed() : fromHostVariables();
}

} // namespace ui
