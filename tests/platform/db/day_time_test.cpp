#include "day_time.h"

#include <gtest/gtest.h>
#include <tuple>

namespace DayTime = db::DayTime;

TEST(DayTime, DatesConvertBothWaysAndTimeIsTheFraction)
{
    using Case = std::tuple<QDate, double, int>;
    // 2026-05-15: 126 years after 1900-01-01 with 31 leap days (1904..2024) plus
    // Jan..Apr 2026 (120 days) plus 14 days = 46,156; the framework counts 2 more.
    const Case cases[] = {Case{QDate(1899, 12, 30), 0, -2},      Case{QDate(1899, 12, 31), 1, -1},
                          Case{QDate(1900, 1, 1), 2, 0},         Case{QDate(1900, 3, 1), 61, 59},
                          Case{QDate(2000, 1, 1), 36526, 36524}, Case{QDate(2026, 5, 15), 46157, 46155},
                          Case{QDate(1899, 12, 29), -1, -3}};
    for (const auto &[date, days, serverDay] : cases) {
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        EXPECT_DOUBLE_EQ(DayTime::fromDate(date), days);
        EXPECT_EQ(DayTime::toDate(days), date);
        EXPECT_EQ(DayTime::serverDayNumber(date), serverDay);
        EXPECT_EQ(DayTime::serverDayNumber(days + 0.75), serverDay);
        EXPECT_EQ(DayTime::fromServerDayNumber(serverDay), date);
    }

    const QDate may15(2026, 5, 15);
    EXPECT_DOUBLE_EQ(DayTime::fromDateTime(QDateTime(may15, QTime(12, 0))), 46157.5);
    EXPECT_EQ(DayTime::toDateTime(46157.75), QDateTime(may15, QTime(18, 0)));
    const QDateTime last(may15, QTime(23, 59, 59, 999));
    EXPECT_EQ(DayTime::toDateTime(DayTime::fromDateTime(last)), last);

    const double day = DayTime::fromDate(may15);
    const QDateTime end = DayTime::toDateTime(day + DayTime::EndOfDay);
    EXPECT_EQ(end.date(), may15);
    EXPECT_GE(end.time(), QTime(23, 59, 59));
    EXPECT_FALSE(DayTime::hasTimeOfDay(day));
    EXPECT_TRUE(DayTime::hasTimeOfDay(day + 0.5));
    EXPECT_DOUBLE_EQ(DayTime::endOfDayIfNoTime(day), day + DayTime::EndOfDay);
    EXPECT_DOUBLE_EQ(DayTime::endOfDayIfNoTime(day + 0.5), day + 0.5);
    EXPECT_DOUBLE_EQ(DayTime::endOfDayIfNoTime(day + DayTime::EndOfDay), day + DayTime::EndOfDay);
}
