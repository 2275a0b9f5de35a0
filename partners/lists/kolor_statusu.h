#pragma once

#include <QColor>
#include <QVariant>

namespace partners {

// A colour stored as 0x00BBGGRR (status_kolor, host colour variables) as a
// QColor; invalid for null or non-numeric values.
QColor kolorZBGR(const QVariant &wartosc);

// The colour of a row of the company list: its status colour when colouring
// by status (czy_kolory_lista_firm) and the row has one, else the default row
// colour (lista_kolor_czcionka).
QColor kolorWierszaFirmy(const QVariant &statusKolor, bool koloryWgStatusu, const QVariant &kolorDomyslny);

} // namespace partners
