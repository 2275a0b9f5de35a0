#include "day_time.h"

#include <cmath>

namespace db::DayTime {

namespace {

constexpr qint64 MsecsPerDay = 86400000;

qint64 epochJulianDay()
{
    return QDate(1899, 12, 30).toJulianDay();
}

} // namespace

double fromDate(const QDate &date)
{
    if (!date.isValid())
        return 0.0;
    return double(date.toJulianDay() - epochJulianDay());
}

double fromDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return 0.0;
    return fromDate(dateTime.date()) + double(dateTime.time().msecsSinceStartOfDay()) / double(MsecsPerDay);
}

QDateTime toDateTime(double days)
{
    double whole = std::floor(days);
    qint64 msecs = qint64(std::llround((days - whole) * double(MsecsPerDay)));
    // Rounding may carry the fraction into the next day.
    if (msecs >= MsecsPerDay) {
        whole += 1;
        msecs -= MsecsPerDay;
    }
    const QDate date = QDate::fromJulianDay(epochJulianDay() + qint64(whole));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

QDate toDate(double days)
{
    return QDate::fromJulianDay(epochJulianDay() + qint64(std::floor(days)));
}

int serverDayNumber(double days)
{
    return int(std::floor(days)) - 2;
}

int serverDayNumber(const QDate &date)
{
    return serverDayNumber(fromDate(date));
}

QDate fromServerDayNumber(int dayNumber)
{
    return toDate(double(dayNumber) + 2.0);
}

bool hasTimeOfDay(double days)
{
    // Below one millisecond the fraction is only floating-point noise.
    return std::fabs(days - std::floor(days)) * double(MsecsPerDay) >= 0.5
        && std::fabs(std::ceil(days) - days) * double(MsecsPerDay) >= 0.5;
}

double endOfDayIfNoTime(double days)
{
    if (hasTimeOfDay(days))
        return days;
    return std::floor(days + 0.5) + EndOfDay;
}

} // namespace db::DayTime
