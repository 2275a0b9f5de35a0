#pragma once

#include <QColor>
#include <QList>
#include <QVariant>

namespace partners {

// A colour stored as 0x00BBGGRR (status_kolor, host colour variables) as a
// QColor; invalid for null or non-numeric values.
QColor kolorZBGR(const QVariant &wartosc);

// The WCAG contrast ratio of two colours, from 1 to 21.
double kontrast(const QColor &a, const QColor &b);

// The colour made darker (or lighter on dark backgrounds), hue kept, until it
// reads on every background with a contrast of at least 4.5:1.
QColor czytelnyNaTle(const QColor &kolor, const QList<QColor> &tla);

// The text colour of a row of the company list: its status colour when
// colouring by status (czy_kolory_lista_firm) and the row has one, made
// readable on the row backgrounds, else the default row colour
// (lista_kolor_czcionka).
QColor kolorWierszaFirmy(const QVariant &statusKolor, bool koloryWgStatusu, const QVariant &kolorDomyslny,
                         const QList<QColor> &tla = {});

} // namespace partners
