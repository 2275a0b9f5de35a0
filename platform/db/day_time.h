#pragma once

#include "db_export.h"

#include <QDate>
#include <QDateTime>

namespace db {

// The framework's date-time: days since 1899-12-30 as a double, the fraction
// being the time of day. The suite's server counts days from 1900-01-01, so
// its day number is the whole days minus 2.
namespace DayTime {

inline constexpr double EndOfDay = 0.99999;    // "+ 0.99999": the last moment of a day
inline constexpr int OpenEndSmallDate = 65535; // open end of a small-date parameter
inline constexpr int OpenEnd = 1000000;        // open end otherwise

MALVO_DB_EXPORT double fromDateTime(const QDateTime &dateTime);
MALVO_DB_EXPORT double fromDate(const QDate &date);
MALVO_DB_EXPORT QDateTime toDateTime(double days);
MALVO_DB_EXPORT QDate toDate(double days);
// Whole days of the value minus 2.
MALVO_DB_EXPORT int serverDayNumber(double days);
MALVO_DB_EXPORT int serverDayNumber(const QDate &date);
MALVO_DB_EXPORT QDate fromServerDayNumber(int dayNumber);
// Same day, last moment ("+ 0.99999") when the value carries no time of day.
MALVO_DB_EXPORT double endOfDayIfNoTime(double days);
MALVO_DB_EXPORT bool hasTimeOfDay(double days);

} // namespace DayTime
} // namespace db
