#pragma once

#include "ui_export.h"

#include <QColor>

namespace ui {

// The eleven colours of a list; read once per grid.
struct MALVO_UI_EXPORT ListPalette
{
    QColor titleText;              // lista_kolor_naglowek_czcionka
    QColor markedTitleText;        // lista_kolor_naglowek_czcionka_zaznaczona
    QColor markedTitleBackground;  // lista_kolor_naglowek_zaznaczony
    QColor titleBackground;        // lista_kolor_naglowek_niezaznaczony
    QColor filterActiveBackground; // lista_kolor_naglowek_filtr_aktywny
    QColor filterInactive;         // lista_kolor_naglowek_filtr_nieaktywny (the funnel of an idle filter)
    QColor cellText;               // lista_kolor_czcionka
    QColor selectedText;           // lista_kolor_czcionka_zaznaczona
    QColor selectedBackground;     // lista_kolor_zaznaczone
    QColor oddRowBackground;       // lista_kolor_niezaznaczony_gl (first, third, ... row)
    QColor evenRowBackground;      // lista_kolor_niezaznaczony_pom

    static ListPalette fixed();
    static ListPalette fromHostVariables();
    // The fixed palette when the host's PaletaStala switch is on, else the host variables.
    static ListPalette current();
    // A Windows colour value (0x00BBGGRR).
    static QColor fromTColor(int value);

    bool operator==(const ListPalette &) const = default;
};

} // namespace ui
