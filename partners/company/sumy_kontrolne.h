#pragma once

#include <QString>

namespace partners {

// Checksums of Polish registry and bank numbers, used as typing hints only.
// Blanks and dashes are ignored, as for the NIP.

// REGON: 9 digits (weights 8 9 2 3 4 5 6 7) or 14 digits (weights
// 2 4 8 5 0 9 7 3 6 1 2 4 8, its first 9 a valid REGON); the sum modulo 11,
// 10 counting as 0, equals the last digit.
bool sprawdzRegon(const QString &tekst);
// KRS carries no check digit: valid means exactly 10 digits.
bool sprawdzKrs(const QString &tekst);
// An account number: 26 digits are a Polish NRB, country letters in front
// make it an IBAN of that country's length; ISO 13616 mod-97 equal to 1.
bool sprawdzRachunek(const QString &tekst);

} // namespace partners
