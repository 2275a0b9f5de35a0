#include "ramka/filters/date_presets.h"

#include "day_time.h"

#include <QFile>
#include <QSet>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;
namespace Code = partners::DatePresetCode;

namespace {

double day(int y, int m, int d)
{
    return db::DayTime::fromDate(QDate(y, m, d));
}

double endOf(int y, int m, int d)
{
    return day(y, m, d) + db::DayTime::EndOfDay;
}

QList<int> codes(const QList<DatePresetItem> &items)
{
    QList<int> result;
    for (const DatePresetItem &i : items)
        result.append(i.code);
    return result;
}

// ---- bounds of each preset --------------------------------------------------------

struct PresetCase
{
    const char *name;
    int code;
    QDate today;
    double start;
    double end; // 0: open end
    bool dateColumnEnabled = true;
};

void PrintTo(const PresetCase &c, std::ostream *os)
{
    *os << c.name;
}

class DatePresetBounds : public testing::TestWithParam<PresetCase>
{};

TEST_P(DatePresetBounds, GiveTheDocumentedRange)
{
    const PresetCase &c = GetParam();
    const DatePresetResult result = datePresetRange(c.code, c.today, {day(2000, 1, 1), day(2000, 2, 1)});
    EXPECT_DOUBLE_EQ(result.range.start, c.start);
    EXPECT_DOUBLE_EQ(result.range.end, c.end);
    EXPECT_FALSE(result.pickersEnabled);
    EXPECT_EQ(result.dateColumnEnabled, c.dateColumnEnabled);
}

const QDate Friday15May(2026, 5, 15);
const QDate Sunday17May(2026, 5, 17);

INSTANTIATE_TEST_SUITE_P(
    Presets, DatePresetBounds,
    testing::Values(
        PresetCase{"SinceMonthStart", Code::SinceMonthStart, Friday15May, day(2026, 5, 1), 0},
        PresetCase{"TwoMonthsOn15May", Code::LastTwoMonths, Friday15May, day(2026, 4, 1), 0},
        PresetCase{"ThreeMonthsOn15MayStartsFirstMarch", Code::LastThreeMonths, Friday15May, day(2026, 3, 1), 0},
        PresetCase{"SixMonthsCrossesTheYear", Code::LastSixMonths, QDate(2026, 2, 28), day(2025, 9, 1), 0},
        PresetCase{"TwelveMonths", Code::LastTwelveMonths, Friday15May, day(2025, 6, 1), 0},
        PresetCase{"Today", Code::Today, Friday15May, day(2026, 5, 15), endOf(2026, 5, 15)},
        PresetCase{"YesterdayOnNewYear", Code::Yesterday, QDate(2027, 1, 1), day(2026, 12, 31), endOf(2026, 12, 31)},
        PresetCase{"ThisWeekOnSunday", Code::ThisWeek, Sunday17May, day(2026, 5, 11), endOf(2026, 5, 17)},
        PresetCase{"ThisWeekOnMonday", Code::ThisWeek, QDate(2026, 5, 11), day(2026, 5, 11), endOf(2026, 5, 17)},
        PresetCase{"LastWeekOnSunday", Code::LastWeek, Sunday17May, day(2026, 5, 4), endOf(2026, 5, 10)},
        PresetCase{"ThisMonthInLeapFebruary", Code::ThisMonth, QDate(2028, 2, 10), day(2028, 2, 1), endOf(2028, 2, 29)},
        PresetCase{"LastMonthInJanuary", Code::LastMonth, QDate(2027, 1, 20), day(2026, 12, 1), endOf(2026, 12, 31)},
        PresetCase{"QuarterOn15May", Code::ThisQuarter, Friday15May, day(2026, 4, 1), endOf(2026, 6, 30)},
        PresetCase{"QuarterOn31December", Code::ThisQuarter, QDate(2026, 12, 31), day(2026, 10, 1),
                   endOf(2026, 12, 31)},
        PresetCase{"ThisYear", Code::ThisYear, Friday15May, day(2026, 1, 1), endOf(2026, 12, 31)},
        PresetCase{"NextTwoDaysAtMonthEnd", Code::NextTwoDays, QDate(2026, 5, 31), day(2026, 5, 31), endOf(2026, 6, 1)},
        PresetCase{"NextSevenDays", Code::NextSevenDays, Friday15May, day(2026, 5, 15), endOf(2026, 5, 21)},
        PresetCase{"NextFourteenDays", Code::NextFourteenDays, Friday15May, day(2026, 5, 15), endOf(2026, 5, 28)},
        PresetCase{"AllClearsBothDates", Code::All, Friday15May, 0, 0, false},
        PresetCase{"UnknownCodeActsAsAll", 999, Friday15May, 0, 0, false}),
    [](const testing::TestParamInfo<PresetCase> &info) { return std::string(info.param.name); });

TEST(DatePresetSpecial, UserRangeKeepsTheDatesAndEnablesThePickers)
{
    const DateRange current{day(2026, 1, 5), day(2026, 1, 9)};
    const DatePresetResult result = datePresetRange(Code::UserRange, Friday15May, current);
    EXPECT_EQ(result.range, current);
    EXPECT_TRUE(result.pickersEnabled);
    EXPECT_TRUE(result.dateColumnEnabled);
}

TEST(DatePresetSpecial, ControlPeriodEndsAtTheLastMomentOfItsEndDay)
{
    const auto source = [](double &start, double &end) {
        start = day(2026, 4, 1);
        end = day(2026, 4, 30);
    };
    const DatePresetResult result = datePresetRange(Code::ControlPeriod, Friday15May, {}, source);
    EXPECT_DOUBLE_EQ(result.range.start, day(2026, 4, 1));
    EXPECT_DOUBLE_EQ(result.range.end, endOf(2026, 4, 30));
    EXPECT_FALSE(result.pickersEnabled);
}

// ---- the lists ---------------------------------------------------------------------

TEST(DatePresetLists, ShortListEndsWithMoreAndOffersTheControlPeriodOnlyInContext)
{
    EXPECT_EQ(codes(datePresetItems(false, false)), (QList<int>{0, 1, 2, 3, 6, 12, 90, 100}));
    EXPECT_EQ(codes(datePresetItems(false, true)), (QList<int>{0, 80, 1, 2, 3, 6, 12, 90, 100}));
}

TEST(DatePresetLists, FullListReplacesMoreByTheDayToYearPresets)
{
    EXPECT_EQ(codes(datePresetItems(true, false)),
              (QList<int>{0, 1, 2, 3, 6, 12, 90, 110, 120, 130, 140, 150, 160, 170, 180, 200, 210, 220}));
}

QSet<QString> seedKeys(const char *language)
{
    QSet<QString> keys;
    QFile file(QStringLiteral(MALVO_SOURCE_DIR "/suitedb/seed/resstrings_%1.tsv").arg(QLatin1String(language)));
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    QTextStream in(&file);
    while (!in.atEnd())
        keys.insert(in.readLine().section(QLatin1Char('\t'), 0, 0));
    return keys;
}

TEST(DatePresetLists, EveryItemTextIsTranslatedInBothLanguages)
{
    QList<DatePresetItem> items = datePresetItems(true, true);
    items.append(datePresetItems(false, false).last());
    for (const char *language : {"pl", "en"}) {
        const QSet<QString> keys = seedKeys(language);
        ASSERT_FALSE(keys.isEmpty()) << language;
        for (const DatePresetItem &item : items)
            EXPECT_TRUE(keys.contains(item.key)) << item.key.toStdString() << " " << language;
    }
}

// ---- end of day, manual dates, time-out ----------------------------------------------

TEST(DateRangeEnd, ADateWithoutTimeEndsAtTheLastMomentOfTheDay)
{
    EXPECT_DOUBLE_EQ(effectiveEnd(day(2026, 5, 15)), endOf(2026, 5, 15));
    const double withTime = day(2026, 5, 15) + 0.5;
    EXPECT_DOUBLE_EQ(effectiveEnd(withTime), withTime);
    EXPECT_DOUBLE_EQ(effectiveEnd(0), 0) << "no date stays an open end";
}

TEST(DateRangeEnd, AnEndBeforeTheStartMovesToTheStartDay)
{
    const DateRange corrected = correctedAfterEdit({day(2026, 5, 15) + 0.25, day(2026, 5, 10)});
    EXPECT_DOUBLE_EQ(corrected.end, day(2026, 5, 15));
    const DateRange open{day(2026, 5, 15), 0};
    EXPECT_EQ(correctedAfterEdit(open), open);
}

TEST(DateRangeTimeout, OffersToShortenOnlyRangesOverThirtyOneDays)
{
    EXPECT_TRUE(offerShorteningAfterTimeout({day(2026, 4, 5), endOf(2026, 5, 15)}));
    EXPECT_FALSE(offerShorteningAfterTimeout({day(2026, 4, 14), endOf(2026, 5, 15)}));
    const DateRange shortened = shortenedAfterTimeout({day(2026, 4, 5), endOf(2026, 5, 15)});
    EXPECT_DOUBLE_EQ(shortened.start, day(2026, 4, 15));
    EXPECT_DOUBLE_EQ(shortened.end, endOf(2026, 5, 15));
}

// ---- zakres_dat without its widget -------------------------------------------------------

TEST(DateRangeFilterChoice, MoreShowsTheFullListAndKeepsTheLastPreset)
{
    DateRangeFilter filter;
    ASSERT_EQ(filter.choose(filter.indexOfCode(Code::LastThreeMonths), Friday15May), DateRangeFilter::Choice::Applied);
    const DateRange before = filter.range();
    EXPECT_EQ(filter.choose(filter.indexOfCode(Code::More), Friday15May), DateRangeFilter::Choice::FullListShown);
    EXPECT_TRUE(filter.fullListShown());
    EXPECT_EQ(filter.range(), before);
    EXPECT_EQ(filter.lastPresetCode(), Code::LastThreeMonths);
    EXPECT_EQ(filter.items()[filter.selectedIndex()].code, Code::LastThreeMonths);
}

TEST(DateRangeFilterChoice, AllDisablesTheDateColumnAndOthersEnableIt)
{
    DateRangeFilter filter;
    filter.choosePreset(Code::All, Friday15May);
    EXPECT_FALSE(filter.dateColumnEnabled());
    filter.choosePreset(Code::Today, Friday15May);
    EXPECT_TRUE(filter.dateColumnEnabled());
    EXPECT_TRUE(filter.fullListShown()) << "today is only in the full list";
    EXPECT_FALSE(filter.pickersEnabled());
}

TEST(DateRangeFilterRecord, KeepsTheUserDatesButNotThoseOfAPreset)
{
    DateRangeFilter filter;
    filter.choosePreset(Code::UserRange, Friday15May);
    filter.setStart(day(2026, 5, 2));
    filter.setEnd(0);
    DateFilterRecord record = filter.record();
    EXPECT_EQ(record.kolejnosc, Code::UserRange);
    EXPECT_EQ(record.dataOd.toDateTime(), QDateTime(QDate(2026, 5, 2), QTime(0, 0)));
    EXPECT_TRUE(record.dataDo.isNull()) << "an empty end is stored as NULL";

    filter.choosePreset(Code::ThisWeek, Friday15May);
    record = filter.record();
    EXPECT_EQ(record.kolejnosc, Code::ThisWeek);
    EXPECT_EQ(record.napis, u"Resstrings_IDS_BiezacyTydzien"_s);
    EXPECT_TRUE(record.dataOd.isNull());
    EXPECT_TRUE(record.dataDo.isNull());
}

TEST(DateRangeFilterRecord, RestoresAFullListPresetAndAUserRange)
{
    DateRangeFilter filter;
    DateFilterRecord stored;
    stored.kolejnosc = Code::LastWeek;
    ASSERT_TRUE(filter.restore(stored, Sunday17May));
    EXPECT_TRUE(filter.fullListShown());
    EXPECT_EQ(filter.range(), (DateRange{day(2026, 5, 4), endOf(2026, 5, 10)}));

    DateRangeFilter user;
    stored.kolejnosc = Code::UserRange;
    stored.dataOd = QDateTime(QDate(2026, 1, 2), QTime(0, 0));
    stored.dataDo = QDateTime(QDate(2026, 1, 31), QTime(0, 0));
    ASSERT_TRUE(user.restore(stored, Sunday17May));
    EXPECT_FALSE(user.fullListShown());
    EXPECT_TRUE(user.pickersEnabled());
    EXPECT_EQ(user.range(), (DateRange{day(2026, 1, 2), day(2026, 1, 31)}));
}

TEST(DateRangeFilterRecord, IgnoresACodeNoListOffers)
{
    DateRangeFilter filter; // no frame context: no control period
    filter.choosePreset(Code::Today, Friday15May);
    DateFilterRecord stored;
    stored.kolejnosc = Code::ControlPeriod;
    EXPECT_FALSE(filter.restore(stored, Friday15May));
    EXPECT_EQ(filter.lastPresetCode(), Code::Today);
}

} // namespace
