#include "ramka/filters/date_presets.h"

#include "day_time.h"

#include <QFile>
#include <QSet>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace partners;
using namespace Qt::StringLiterals;
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

const QDate Friday15May(2026, 5, 15);
const QDate Sunday17May(2026, 5, 17);

TEST(DatePresetBounds, GiveTheDocumentedRangeOrTheOwnOne)
{
    // end 0: open end.
    const struct
    {
        int code;
        QDate today;
        double start, end;
    } cases[] = {
        {Code::SinceMonthStart, Friday15May, day(2026, 5, 1), 0},
        {Code::LastTwoMonths, Friday15May, day(2026, 4, 1), 0},
        {Code::LastSixMonths, QDate(2026, 2, 28), day(2025, 9, 1), 0},
        {Code::LastTwelveMonths, Friday15May, day(2025, 6, 1), 0},
        {Code::Today, Friday15May, day(2026, 5, 15), endOf(2026, 5, 15)},
        {Code::Yesterday, QDate(2027, 1, 1), day(2026, 12, 31), endOf(2026, 12, 31)},
        {Code::ThisWeek, Sunday17May, day(2026, 5, 11), endOf(2026, 5, 17)},
        {Code::ThisWeek, QDate(2026, 5, 11), day(2026, 5, 11), endOf(2026, 5, 17)},
        {Code::LastWeek, Sunday17May, day(2026, 5, 4), endOf(2026, 5, 10)},
        {Code::ThisMonth, QDate(2028, 2, 10), day(2028, 2, 1), endOf(2028, 2, 29)},
        {Code::LastMonth, QDate(2027, 1, 20), day(2026, 12, 1), endOf(2026, 12, 31)},
        {Code::ThisQuarter, Friday15May, day(2026, 4, 1), endOf(2026, 6, 30)},
        {Code::ThisQuarter, QDate(2026, 12, 31), day(2026, 10, 1), endOf(2026, 12, 31)},
        {Code::ThisYear, Friday15May, day(2026, 1, 1), endOf(2026, 12, 31)},
        {Code::NextTwoDays, QDate(2026, 5, 31), day(2026, 5, 31), endOf(2026, 6, 1)},
        {Code::NextSevenDays, Friday15May, day(2026, 5, 15), endOf(2026, 5, 21)},
        {Code::NextFourteenDays, Friday15May, day(2026, 5, 15), endOf(2026, 5, 28)},
        {Code::All, Friday15May, 0, 0},
        {999, Friday15May, 0, 0}, // an unknown code acts as all
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " on " << c.today.toString(Qt::ISODate).toStdString());
        const DatePresetResult result = datePresetRange(c.code, c.today, {day(2000, 1, 1), day(2000, 2, 1)});
        EXPECT_DOUBLE_EQ(result.range.start, c.start);
        EXPECT_DOUBLE_EQ(result.range.end, c.end);
        EXPECT_FALSE(result.pickersEnabled);
        EXPECT_EQ(result.dateColumnEnabled, c.start != 0) << "only all leaves the date column out";
    }

    // The user's range keeps its dates; the control period ends at the end of its day.
    const DateRange current{day(2026, 1, 5), day(2026, 1, 9)};
    const DatePresetResult user = datePresetRange(Code::UserRange, Friday15May, current);
    EXPECT_EQ(user.range, current);
    EXPECT_TRUE(user.pickersEnabled);
    EXPECT_TRUE(user.dateColumnEnabled);

    const DatePresetResult control =
        datePresetRange(Code::ControlPeriod, Friday15May, {}, [](double &start, double &end) {
            start = day(2026, 4, 1);
            end = day(2026, 4, 30);
        });
    EXPECT_EQ(control.range, (DateRange{day(2026, 4, 1), endOf(2026, 4, 30)}));
    EXPECT_FALSE(control.pickersEnabled);
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

TEST(DatePresetLists, TheControlPeriodOnlyInContextAndEveryTextTranslated)
{
    const auto hasControlPeriod = [](const QList<DatePresetItem> &items) {
        return std::any_of(items.cbegin(), items.cend(), [](const auto &i) { return i.code == Code::ControlPeriod; });
    };
    EXPECT_FALSE(hasControlPeriod(datePresetItems(false, false)));
    EXPECT_TRUE(hasControlPeriod(datePresetItems(false, true)));
    EXPECT_EQ(datePresetItems(false, false).last().code, Code::More);
    EXPECT_GT(datePresetItems(true, false).size(), datePresetItems(false, false).size());

    QList<DatePresetItem> items = datePresetItems(true, true);
    items.append(datePresetItems(false, false).last());
    // The other language has the same keys, as the seed's own test holds.
    const QSet<QString> keys = seedKeys("pl");
    ASSERT_FALSE(keys.isEmpty());
    for (const DatePresetItem &item : items)
        EXPECT_TRUE(keys.contains(item.key)) << item.key.toStdString();
}

TEST(DateRangeEnd, EndOfDayCorrectionAndTheTimeOutOffer)
{
    EXPECT_DOUBLE_EQ(effectiveEnd(day(2026, 5, 15) + 0.5), day(2026, 5, 15) + 0.5);
    EXPECT_DOUBLE_EQ(effectiveEnd(0), 0) << "no date stays an open end";

    EXPECT_DOUBLE_EQ(correctedAfterEdit({day(2026, 5, 15) + 0.25, day(2026, 5, 10)}).end, day(2026, 5, 15))
        << "an end before the start moves to the start day";
    const DateRange open{day(2026, 5, 15), 0};
    EXPECT_EQ(correctedAfterEdit(open), open);

    EXPECT_FALSE(offerShorteningAfterTimeout({day(2026, 4, 14), endOf(2026, 5, 15)}));
}

TEST(DateRangeFilterChoice, MoreShowsTheFullListAndAllDisablesTheDateColumn)
{
    DateRangeFilter filter;
    ASSERT_EQ(filter.choose(filter.indexOfCode(Code::LastThreeMonths), Friday15May), DateRangeFilter::Choice::Applied);
    const DateRange before = filter.range();
    EXPECT_EQ(filter.choose(filter.indexOfCode(Code::More), Friday15May), DateRangeFilter::Choice::FullListShown);
    EXPECT_TRUE(filter.fullListShown());
    EXPECT_EQ(filter.range(), before);
    EXPECT_EQ(filter.lastPresetCode(), Code::LastThreeMonths);
    EXPECT_EQ(filter.items()[filter.selectedIndex()].code, Code::LastThreeMonths);

    DateRangeFilter other;
    other.choosePreset(Code::All, Friday15May);
    EXPECT_FALSE(other.dateColumnEnabled());
    other.choosePreset(Code::Today, Friday15May);
    EXPECT_TRUE(other.dateColumnEnabled());
}

TEST(DateRangeFilterRecord, KeepsTheUserDatesButNotThoseOfAPresetAndRestoresBoth)
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

    // Restored: a full-list preset and a user range, but no code out of the list.
    DateRangeFilter odtworzony;
    DateFilterRecord stored;
    stored.kolejnosc = Code::LastWeek;
    ASSERT_TRUE(odtworzony.restore(stored, Sunday17May));
    EXPECT_TRUE(odtworzony.fullListShown());
    EXPECT_EQ(odtworzony.range(), (DateRange{day(2026, 5, 4), endOf(2026, 5, 10)}));

    // No frame context: no control period.
    stored.kolejnosc = Code::ControlPeriod;
    EXPECT_FALSE(odtworzony.restore(stored, Friday15May));
    EXPECT_EQ(odtworzony.lastPresetCode(), Code::LastWeek);

    DateRangeFilter user;
    stored.kolejnosc = Code::UserRange;
    stored.dataOd = QDateTime(QDate(2026, 1, 2), QTime(0, 0));
    stored.dataDo = QDateTime(QDate(2026, 1, 31), QTime(0, 0));
    ASSERT_TRUE(user.restore(stored, Sunday17May));
    EXPECT_FALSE(user.fullListShown());
    EXPECT_TRUE(user.pickersEnabled());
    EXPECT_EQ(user.range(), (DateRange{day(2026, 1, 2), day(2026, 1, 31)}));
}

} // namespace
