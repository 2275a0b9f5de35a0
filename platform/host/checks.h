#pragma once

#include "host_export.h"

#include <QString>

namespace host {

// A Polish NIP: 10 digits once blanks and dashes are removed (a leading "PL"
// is allowed), weights 6 5 7 2 3 4 5 6 7, the sum modulo 11 equal to the
// last digit; a remainder of 10 is never valid.
MALVO_HOST_EXPORT bool Sprawdz_nip(const QString &text);
// The text carries letters: an EU-style VAT number ("DE123456789").
MALVO_HOST_EXPORT bool CzyNipEuro(const QString &text);
// A well-formed address: local@domain.tld, blanks around it ignored.
MALVO_HOST_EXPORT bool IsEmailValidate(const QString &text);
// The text with characters not allowed in file names (\ / : * ? " < > | and
// control characters) replaced.
MALVO_HOST_EXPORT QString Usun_znaki_niedozwolone(const QString &text, const QString &replacement = QString());
// The text made safe as one folder name: disallowed characters removed,
// blanks and dots trimmed from the ends; "_" when nothing is left.
MALVO_HOST_EXPORT QString Sprawdz_czy_sensowny_numer(const QString &text);

// A short name built from a company name: legal-form words ("Sp. z o.o.",
// "S.A.", "spółka jawna", ...) and quotes are left out; one remaining word
// gives that word in capitals, several words give an acronym of their
// initials (hyphenated words give one initial per part; words already in
// capitals and numbers are kept whole). Cut to maxLength; empty when nothing
// is left.
MALVO_HOST_EXPORT QString ZbudujSkrotFirmy(const QString &name, int maxLength = 30);

// The text without halves of surrogate pairs, such as a cut at a width in
// UTF-16 units leaves of a character that does not fit: half a character is
// no text, and the database would store a replacement mark for it.
MALVO_HOST_EXPORT QString wholeCharacters(QString text);

// The base form of a window name: a trailing "_<digits>" that duplicates get is removed.
MALVO_HOST_EXPORT QString ZwrocBazowaWartoscKomponentu(const QString &name);

} // namespace host
