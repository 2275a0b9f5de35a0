#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Connection;
}

namespace partners {

// Short-name length of the host's 20-character variant; 0 means no cut.
inline constexpr int SkrotFirmy20 = 20;
// The width of firma.skrot; no short name is longer.
inline constexpr int SzerokoscSkrotu = 50;

// The acronym of a full name (the host's rule), cut to limit characters when
// limit is above 0.
QString zbudujSkrot(const QString &nazwa, int limit = 0);

// The short name made unique against the short names already taken: skrot
// itself when it is free, skrot_2 when only skrot is taken, otherwise "_"
// and one more than the largest numeric suffix (at least 2) found. Names
// that merely start with skrot ("ABCD", "ABC_x") do not count.
QString dopiszPrzyrostekSkrotu(const QString &skrot, const QStringList &zajete);

// Short names of firma that start with skrot; the prefix is bound, so its
// "_" and "%" are plain characters.
QStringList skrotyZaczynajaceSieOd(const QString &skrot, db::Connection *polaczenie = nullptr);

// A short name generated from a full name: the acronym (the name itself when
// it is made only of legal forms) cut to limit when limit is above 0,
// made unique against firma when unikalne is set; never longer than the
// limit (or SzerokoscSkrotu), suffix included.
QString generujSkrotFirmy(const QString &nazwa, int limit, bool unikalne, db::Connection *polaczenie = nullptr);

} // namespace partners
