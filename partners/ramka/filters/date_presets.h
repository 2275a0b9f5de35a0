#pragma once

#include "ramka/filters/filter_types.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace partners {

// Codes carried by the items of zakres_dat and stored as the last preset.
namespace DatePresetCode {
inline constexpr int None = -1; // no preset applied yet
inline constexpr int UserRange = 0;
inline constexpr int SinceMonthStart = 1;
inline constexpr int LastTwoMonths = 2;
inline constexpr int LastThreeMonths = 3;
inline constexpr int LastSixMonths = 6;
inline constexpr int LastTwelveMonths = 12;
inline constexpr int ControlPeriod = 80;
inline constexpr int All = 90;
inline constexpr int More = 100;
inline constexpr int Today = 110;
inline constexpr int Yesterday = 120;
inline constexpr int ThisWeek = 130;
inline constexpr int LastWeek = 140;
inline constexpr int ThisMonth = 150;
inline constexpr int LastMonth = 160;
inline constexpr int ThisQuarter = 170;
inline constexpr int ThisYear = 180;
inline constexpr int NextTwoDays = 200;
inline constexpr int NextSevenDays = 210;
inline constexpr int NextFourteenDays = 220;
} // namespace DatePresetCode

struct DatePresetItem
{
    int code = DatePresetCode::All;
    QString key; // translation key of the item text
};

// Items of zakres_dat: the short list ends with "more", the full list has
// the day, week, month, quarter, year and next-days presets instead.
QList<DatePresetItem> datePresetItems(bool fullList, bool withControlPeriod);
// Translation key of a code; empty for unknown codes.
QString datePresetKey(int code);

// okres_od / okres_do in days since 1899-12-30; 0 means no date.
struct DateRange
{
    double start = 0;
    double end = 0;
    bool operator==(const DateRange &) const = default;
};

// The host's control period (start, end), whole days.
using ControlPeriodSource = std::function<void(double &start, double &end)>;

struct DatePresetResult
{
    DateRange range;
    bool pickersEnabled = false;
    bool dateColumnEnabled = true; // ktora_data
};

// The range a preset sets on `today`. The user range keeps `current`;
// unknown codes (and "more") behave like "all". Without a source the
// control period comes from the host.
DatePresetResult datePresetRange(int code, const QDate &today, const DateRange &current,
                                 const ControlPeriodSource &controlPeriod = {});

// The end bound the query uses: the last moment of the end day unless the
// picker carries a time; no date stays no date.
double effectiveEnd(double end);
// A manually entered end before the start moves to the start day.
DateRange correctedAfterEdit(const DateRange &range);

// The time-out question is offered only for ranges longer than this many days.
inline constexpr int TimeoutShorteningThresholdDays = 31;
bool offerShorteningAfterTimeout(const DateRange &range);
// The last 30 days up to the end.
DateRange shortenedAfterTimeout(const DateRange &range);

// The ust_form record ('TDateTimePicker', 'okres') that keeps the date range.
struct DateFilterRecord
{
    static constexpr const char *Typ = "TDateTimePicker";
    static constexpr const char *Nazwa = "okres";
    int kolejnosc = DatePresetCode::None; // the last preset code
    QString napis;                        // its translation key
    QVariant dataOd;                      // QDateTime, or null
    QVariant dataDo;
};

// State of the date-range part of the filter bar, without its widgets:
// which preset list zakres_dat shows, the selection, the pickers. It starts
// with the short list and nothing selected; the frame then applies its first
// preset (choosePreset) or the stored one (restore), without a refresh.
class DateRangeFilter
{
public:
    enum class Choice {
        Ignored,       // nothing selected
        FullListShown, // "more": show and drop down the full list, reselect the last preset
        Applied,       // the range changed; refresh when asked to
    };

    // withControlPeriod: the frame's KontekstRamki is non-zero.
    explicit DateRangeFilter(bool withControlPeriod = false, ControlPeriodSource controlPeriod = {});

    bool fullListShown() const { return m_fullList; } // zakres_dat's Tag
    const QList<DatePresetItem> &items() const { return m_items; }
    int selectedIndex() const { return m_selected; } // -1 when none
    int lastPresetCode() const { return m_lastCode; }
    int indexOfCode(int code) const;

    const DateRange &range() const { return m_range; }
    bool pickersEnabled() const { return m_pickersEnabled; }
    bool dateColumnEnabled() const { return m_dateColumnEnabled; }

    // The user picked an item of zakres_dat.
    Choice choose(int index, const QDate &today);
    // Applies a preset by code, switching to the full list when the short one lacks it.
    Choice choosePreset(int code, const QDate &today);
    void showFullList();

    // Manual edits of the pickers; leaving a picker corrects an end before the start.
    void setStart(double start) { m_range.start = start; }
    void setEnd(double end) { m_range.end = end; }
    void pickerLeft() { m_range = correctedAfterEdit(m_range); }
    void setRange(const DateRange &range) { m_range = range; }

    DateFilterRecord record() const;
    // Restores a stored record; false (nothing changed) for a code no list offers.
    bool restore(const DateFilterRecord &record, const QDate &today);

private:
    void apply(int code, const QDate &today);

    bool m_withControlPeriod;
    ControlPeriodSource m_controlPeriod;
    bool m_fullList = false;
    QList<DatePresetItem> m_items;
    int m_selected = -1;
    int m_lastCode = DatePresetCode::None;
    DateRange m_range;
    bool m_pickersEnabled = false;
    bool m_dateColumnEnabled = false;
};

} // namespace partners
