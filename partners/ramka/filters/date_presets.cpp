#include "ramka/filters/date_presets.h"

#include "day_time.h"
#include "host_funcs.h"

#include <algorithm>
#include <cmath>

namespace partners {

namespace {

struct PresetDef
{
    int code;
    const char *key;
};

constexpr PresetDef UserRangeDef{DatePresetCode::UserRange, "Resstrings_IDS_Karvel__jakie_pliki_unit__GroupBox2"};
constexpr PresetDef ControlPeriodDef{DatePresetCode::ControlPeriod, "Resstrings_IDS_Zakres_kontroli"};
constexpr PresetDef CommonDefs[] = {
    {DatePresetCode::SinceMonthStart, "Resstrings_IDS_ost_miesiac"},
    {DatePresetCode::LastTwoMonths, "Resstrings_IDS_ost_2_miesiace"},
    {DatePresetCode::LastThreeMonths, "Resstrings_IDS_ost_3_miesiace"},
    {DatePresetCode::LastSixMonths, "Resstrings_IDS_ost_6_miesiace"},
    {DatePresetCode::LastTwelveMonths, "Resstrings_IDS_ost_12_miesiace"},
    {DatePresetCode::All, "Resstrings_IDS_StartMlv__main_unit__tbtnShowAll"},
};
constexpr PresetDef MoreDef{DatePresetCode::More, "Resstrings_IDS_Wiecej_od_duzej"};
constexpr PresetDef FullOnlyDefs[] = {
    {DatePresetCode::Today, "Resstrings_IDS_DzienDzisiejszy"},
    {DatePresetCode::Yesterday, "Resstrings_IDS_DzienWczorajszy"},
    {DatePresetCode::ThisWeek, "Resstrings_IDS_BiezacyTydzien"},
    {DatePresetCode::LastWeek, "Resstrings_IDS_PoprzedniTydzien"},
    {DatePresetCode::ThisMonth, "Resstrings_IDS_BiezacyMiesiac"},
    {DatePresetCode::LastMonth, "Resstrings_IDS_PoprzedniMiesiac"},
    {DatePresetCode::ThisQuarter, "Resstrings_IDS_BiezacyKwartal"},
    {DatePresetCode::ThisYear, "Resstrings_IDS_BiezacyRok"},
    {DatePresetCode::NextTwoDays, "Resstrings_IDS_Nastepne_2_dni"},
    {DatePresetCode::NextSevenDays, "Resstrings_IDS_Nastepne_7_dni"},
    {DatePresetCode::NextFourteenDays, "Resstrings_IDS_Nastepne_14_dni"},
};

DatePresetItem item(const PresetDef &def)
{
    return {def.code, QString::fromLatin1(def.key)};
}

double day(const QDate &date)
{
    return db::DayTime::fromDate(date);
}

double endOf(const QDate &date)
{
    return day(date) + db::DayTime::EndOfDay;
}

QDate firstOfMonth(const QDate &date)
{
    return {date.year(), date.month(), 1};
}

DateRange wholeDays(const QDate &first, const QDate &last)
{
    return {day(first), endOf(last)};
}

} // namespace

QList<DatePresetItem> datePresetItems(bool fullList, bool withControlPeriod)
{
    QList<DatePresetItem> items{item(UserRangeDef)};
    if (withControlPeriod)
        items.append(item(ControlPeriodDef));
    for (const PresetDef &def : CommonDefs)
        items.append(item(def));
    if (!fullList) {
        items.append(item(MoreDef));
        return items;
    }
    for (const PresetDef &def : FullOnlyDefs)
        items.append(item(def));
    return items;
}

QString datePresetKey(int code)
{
    for (const DatePresetItem &i : datePresetItems(true, true)) {
        if (i.code == code)
            return i.key;
    }
    return code == DatePresetCode::More ? QString::fromLatin1(MoreDef.key) : QString();
}

DatePresetResult datePresetRange(int code, const QDate &today, const DateRange &current,
                                 const ControlPeriodSource &controlPeriod)
{
    using namespace DatePresetCode;
    DatePresetResult result;
    const QDate month = firstOfMonth(today);
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    switch (code) {
    case UserRange:
        result.range = current;
        result.pickersEnabled = true;
        break;
    case ControlPeriod: {
        double start = 0;
        double end = 0;
        if (controlPeriod)
            controlPeriod(start, end);
        else
            host::Ustaw_daty_kontroli(start, end);
        result.range = {start, std::floor(end) + db::DayTime::EndOfDay};
        break;
    }
    case SinceMonthStart:
    case LastTwoMonths:
    case LastThreeMonths:
    case LastSixMonths:
    case LastTwelveMonths:
        // These codes are their number of months.
        result.range = {day(month.addMonths(1 - code)), 0};
        break;
    case Today:
        result.range = wholeDays(today, today);
        break;
    case Yesterday:
        result.range = wholeDays(today.addDays(-1), today.addDays(-1));
        break;
    case ThisWeek:
        result.range = wholeDays(monday, monday.addDays(6));
        break;
    case LastWeek:
        result.range = wholeDays(monday.addDays(-7), monday.addDays(-1));
        break;
    case ThisMonth:
        result.range = wholeDays(month, month.addMonths(1).addDays(-1));
        break;
    case LastMonth:
        result.range = wholeDays(month.addMonths(-1), month.addDays(-1));
        break;
    case ThisQuarter: {
        const QDate quarter(today.year(), (today.month() - 1) / 3 * 3 + 1, 1);
        result.range = wholeDays(quarter, quarter.addMonths(3).addDays(-1));
        break;
    }
    case ThisYear:
        result.range = wholeDays(QDate(today.year(), 1, 1), QDate(today.year(), 12, 31));
        break;
    case NextTwoDays:
        result.range = wholeDays(today, today.addDays(1));
        break;
    case NextSevenDays:
        result.range = wholeDays(today, today.addDays(6));
        break;
    case NextFourteenDays:
        result.range = wholeDays(today, today.addDays(13));
        break;
    default: // "all", and codes no list offers
        result.dateColumnEnabled = false;
        break;
    }
    return result;
}

double effectiveEnd(double end)
{
    if (std::floor(end) < 1)
        return end;
    return db::DayTime::endOfDayIfNoTime(end);
}

DateRange correctedAfterEdit(const DateRange &range)
{
    DateRange corrected = range;
    if (std::floor(range.end) > 0 && range.end < range.start)
        corrected.end = std::floor(range.start);
    return corrected;
}

bool offerShorteningAfterTimeout(const DateRange &range)
{
    return std::floor(range.end) - std::floor(range.start) > TimeoutShorteningThresholdDays;
}

DateRange shortenedAfterTimeout(const DateRange &range)
{
    return {std::floor(range.end) - 30, range.end};
}

// ---- DateRangeFilter ---------------------------------------------------------------

DateRangeFilter::DateRangeFilter(bool withControlPeriod, ControlPeriodSource controlPeriod)
    : m_withControlPeriod(withControlPeriod),
      m_controlPeriod(std::move(controlPeriod)),
      m_items(datePresetItems(false, withControlPeriod))
{}

int DateRangeFilter::indexOfCode(int code) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i].code == code)
            return i;
    }
    return -1;
}

void DateRangeFilter::showFullList()
{
    m_fullList = true;
    m_items = datePresetItems(true, m_withControlPeriod);
    m_selected = indexOfCode(m_lastCode);
}

DateRangeFilter::Choice DateRangeFilter::choose(int index, const QDate &today)
{
    if (index < 0 || index >= m_items.size())
        return Choice::Ignored;
    const int code = m_items[index].code;
    if (code == DatePresetCode::More) {
        showFullList();
        return Choice::FullListShown;
    }
    apply(code, today);
    m_selected = index;
    return Choice::Applied;
}

DateRangeFilter::Choice DateRangeFilter::choosePreset(int code, const QDate &today)
{
    if (code == DatePresetCode::More) {
        showFullList();
        return Choice::FullListShown;
    }
    if (indexOfCode(code) < 0 && !m_fullList)
        showFullList();
    apply(code, today);
    m_selected = indexOfCode(code);
    return Choice::Applied;
}

void DateRangeFilter::apply(int code, const QDate &today)
{
    const DatePresetResult result = datePresetRange(code, today, m_range, m_controlPeriod);
    m_range = result.range;
    m_pickersEnabled = result.pickersEnabled;
    m_dateColumnEnabled = result.dateColumnEnabled;
    m_lastCode = code;
}

DateFilterRecord DateRangeFilter::record() const
{
    DateFilterRecord record;
    record.kolejnosc = m_lastCode;
    record.napis = datePresetKey(m_lastCode);
    if (m_lastCode < 1) {
        if (std::floor(m_range.start) >= 1)
            record.dataOd = db::DayTime::toDateTime(m_range.start);
        if (std::floor(m_range.end) >= 1)
            record.dataDo = db::DayTime::toDateTime(m_range.end);
    }
    return record;
}

bool DateRangeFilter::restore(const DateFilterRecord &record, const QDate &today)
{
    const int code = record.kolejnosc;
    if (code == DatePresetCode::More)
        return false;
    const QList<DatePresetItem> full = datePresetItems(true, m_withControlPeriod);
    const bool offered =
        std::any_of(full.begin(), full.end(), [code](const DatePresetItem &i) { return i.code == code; });
    if (!offered)
        return false;
    if (code == DatePresetCode::UserRange) {
        const auto days = [](const QVariant &v) {
            return v.isNull() || !v.toDateTime().isValid() ? 0.0 : db::DayTime::fromDateTime(v.toDateTime());
        };
        m_range = {days(record.dataOd), days(record.dataDo)};
    }
    choosePreset(code, today);
    return true;
}

} // namespace partners
