#pragma once

#include <QDate>
#include <QList>

namespace db {
class Connection;
}

namespace partners {

// One settlement period to be stored, both ends inclusive.
struct OkresRozliczeniowy
{
    QDate od;
    QDate doDnia;
    bool operator==(const OkresRozliczeniowy &) const = default;
};

// Start day D of the periods and the length N in months of a length code.
struct ParametryOkresow
{
    int dzienPoczatku = 1;
    int miesiace = 1;
};

// The periods that follow the last one (invalid date: the company has none)
// up to the month of the chosen date: a first period shortened to end the day
// before D when it would not start on D, then periods of N months starting on
// D; a period starting within the chosen month is created in full.
QList<OkresRozliczeniowy> podgladOkresow(const QDate &koniecOstatniego, const QDate &wybranaData, int dzienPoczatku,
                                         int miesiace);

// End of the company's last period; invalid when it has none.
QDate koniecOstatniegoOkresu(int idFirmy);
// Start of the company's first period; invalid when it has none.
QDate poczatekPierwszegoOkresu(int idFirmy, db::Connection *polaczenie = nullptr);

// D and the months of the length from the shared store's global settings;
// D = 1 and N = 1 when the sibling is missing, N = 1 for an unknown code.
ParametryOkresow parametryOkresow(int kodDlugosci);

// Stores the periods in one transaction and, for a chosen length (code > 0),
// makes it the company's length; tells the host's lists and, for the active
// own company of a user with calendar rights, the global settings. The
// number of periods stored, -1 when nothing was (the failure was reported).
int zapiszOkresy(int idFirmy, const QList<OkresRozliczeniowy> &okresy, int kodDlugosci);

// What the company editor runs after the first save: the preview from the
// date with the company's D and length, then the save. Periods created.
int generujOkresy(int idFirmy, int kodDlugosci, QDate odDnia);

} // namespace partners
