#pragma once

#include <QString>
#include <QStringView>
#include <string>

// Case-insensitive text order of the suite's server: Unicode case folding,
// Polish letters after their base letter (a < ą < b ... z < ź < ż).
namespace db::collation {

// Case-folded code point.
char32_t fold(char32_t cp);
// Three-way comparison: letters first by alphabet position, then by the
// folded code point (so 'é' and 'e' stay different, 'Ą' and 'ą' equal).
int compare(QStringView a, QStringView b);
int compareUtf8(const char *a, int aLength, const char *b, int bLength);
bool equal(QStringView a, QStringView b);
bool startsWith(QStringView text, QStringView prefix);
QString folded(QStringView text);
// A key whose plain lexicographic order is compare()'s order.
std::u32string sortKey(QStringView text);
void appendSortKey(QStringView text, std::u32string &out);

enum class Wildcards { Sql, Filter }; // Sql: % and _; Filter: % and *, nothing else
// Case-insensitive pattern match; escape = 0 for none.
bool like(QStringView text, QStringView pattern, Wildcards wildcards, char32_t escape = 0);
bool likeUtf8(const char *text, int textLength, const char *pattern, int patternLength, char32_t escape);

} // namespace db::collation
