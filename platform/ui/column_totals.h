#pragma once

#include "grid_column.h"
#include "ui_export.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace ui {

// The words after a number of days in a duration total.
struct DayWords
{
    QString one;                // one day
    QString many;               // more days
    static DayWords fromHost(); // Resstrings_IDS_Dzien, Resstrings_IDS_Dni
};

// The total of one column over the visible rows, as the summary row shows it.
class MALVO_UI_EXPORT ColumnTotal
{
public:
    ColumnTotal() = default;
    ColumnTotal(SummaryKind kind, int decimals)
        : m_kind(kind),
          m_decimals(decimals)
    {}
    // The kind a column sums as, resolving Auto from the field type.
    static ColumnTotal forColumn(const GridColumn &column, QMetaType::Type fieldType);

    void add(const QVariant &value);
    SummaryKind kind() const { return m_kind; }
    qint64 integerSum() const { return m_integer; }
    double sum() const { return m_sum; }
    // Empty for a column that is not summed.
    QString text(const QLocale &locale = QLocale(), const DayWords &days = DayWords::fromHost()) const;

private:
    SummaryKind m_kind = SummaryKind::None;
    int m_decimals = 2;
    qint64 m_integer = 0;
    double m_sum = 0;
};

// Days as "<n> <day word> hh:nn" ("hh:nn" alone below one day).
MALVO_UI_EXPORT QString durationText(double days, const DayWords &words);

} // namespace ui
