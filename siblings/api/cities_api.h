#pragma once

#include <QString>

// The cities sibling ("cities.dll") creating a city without a window: the
// city's name, its country as a registration code, ISO code or name (empty
// or unknown: Poland) and a postal code to give it (may be empty). The new
// city's id; 0 when nothing was created.
extern "C" int _DodajMiastoBezFormularza(QString cityName, QString country, QString postalCode);

namespace cities {
using DodajMiastoBezFormularzaFn = decltype(_DodajMiastoBezFormularza);
}
