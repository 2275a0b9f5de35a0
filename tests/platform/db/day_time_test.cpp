#include "day_time.h"

#include <gtest/gtest.h>

namespace DayTime = db::DayTime;

struct DayCase
{
    QDate date;
    double days;
    int serverDay;
};

void PrintTo(const DayCase &c, std::ostream *os)
{
    *os << c.date.toString(Qt::ISODate).toStdString();
}

class DayTimeDates : public testing::TestWithParam<DayCase>
{};

TEST_P(DayTimeDates, ConvertBothWays)
{
    const DayCase &c = GetParam();
    EXPECT_DOUBLE_EQ(DayTime::fromDate(c.date), c.days);
    EXPECT_EQ(DayTime::toDate(c.days), c.date);
    EXPECT_EQ(DayTime::serverDayNumber(c.date), c.serverDay);
    EXPECT_EQ(DayTime::serverDayNumber(c.days + 0.75), c.serverDay);
    EXPECT_EQ(DayTime::fromServerDayNumber(c.serverDay), c.date);
}

// 2026-05-15: 126 years after 1900-01-01 with 31 leap days (1904..2024) plus
// Jan..Apr 2026 (120 days) plus 14 days = 46,156; the framework counts 2 more.
INSTANTIATE_TEST_SUITE_P(Known, DayTimeDates,
                         testing::Values(DayCase{QDate(1899, 12, 30), 0, -2}, DayCase{QDate(1899, 12, 31), 1, -1},
                                         DayCase{QDate(1900, 1, 1), 2, 0}, DayCase{QDate(1900, 3, 1), 61, 59},
                                         DayCase{QDate(2000, 1, 1), 36526, 36524},
                                         DayCase{QDate(2026, 5, 15), 46157, 46155},
                                         DayCase{QDate(1899, 12, 29), -1, -3}));

TEST(DayTime, TimeOfDayIsTheFraction)
{
    const QDateTime noon(QDate(2026, 5, 15), QTime(12, 0));
    EXPECT_DOUBLE_EQ(DayTime::fromDateTime(noon), 46157.5);
    EXPECT_EQ(DayTime::toDateTime(46157.75), QDateTime(QDate(2026, 5, 15), QTime(18, 0)));
    EXPECT_EQ(DayTime::toDateTime(DayTime::fromDateTime(QDateTime(QDate(2026, 5, 15), QTime(23, 59, 59, 999)))),
              QDateTime(QDate(2026, 5, 15), QTime(23, 59, 59, 999)));
}

TEST(DayTime, EndOfDayStaysOnTheSameDay)
{
    const double end = DayTime::fromDate(QDate(2026, 5, 15)) + DayTime::EndOfDay;
    const QDateTime dt = DayTime::toDateTime(end);
    EXPECT_EQ(dt.date(), QDate(2026, 5, 15));
    EXPECT_GE(dt.time(), QTime(23, 59, 59));
}

TEST(DayTime, EndOfDayIfNoTime)
{
    const double day = DayTime::fromDate(QDate(2026, 5, 15));
    EXPECT_FALSE(DayTime::hasTimeOfDay(day));
    EXPECT_TRUE(DayTime::hasTimeOfDay(day + 0.5));
    EXPECT_DOUBLE_EQ(DayTime::endOfDayIfNoTime(day), day + DayTime::EndOfDay);
    EXPECT_DOUBLE_EQ(DayTime::endOfDayIfNoTime(day + 0.5), day + 0.5);
    EXPECT_DOUBLE_EQ(DayTime::endOfDayIfNoTime(day + DayTime::EndOfDay), day + DayTime::EndOfDay);
}
