#pragma once

#include "db_export.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>

// Case-insensitive text order of the suite's server: Unicode case folding,
// Polish letters after their base letter (a < ą < b ... z < ź < ż).
namespace db::collation {

// Case-folded code point.
char32_t fold(char32_t cp);
// Three-way comparison: letters first by alphabet position (an accent other
// than a Polish letter's counts only there), then by the folded code point
// (so 'é' and 'e' stay different, 'Ą' and 'ą' equal).
int compare(QStringView a, QStringView b);
int compareUtf8(const char *a, int aLength, const char *b, int bLength);
bool equal(QStringView a, QStringView b);
bool startsWith(QStringView text, QStringView prefix);
QString folded(QStringView text);

// The first 24 letters' weights, one byte each: a < b between two prefixes
// means compare() < 0 between their texts; equal prefixes need compare().
struct SortPrefix
{
    std::uint64_t parts[3];
    auto operator<=>(const SortPrefix &) const = default;
};
SortPrefix sortPrefix(QStringView text);
// Case-folded text in UTF-8.
MALVO_DB_EXPORT void appendFolded(QStringView text, QByteArray &out);

// Case-insensitive SQL pattern match (% and _); escape = 0 for none.
bool likeUtf8(const char *text, int textLength, const char *pattern, int patternLength, char32_t escape);

} // namespace db::collation
