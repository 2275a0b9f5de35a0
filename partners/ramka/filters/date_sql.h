#pragma once

#include "ramka/filters/date_presets.h"
#include "ramka/filters/filter_types.h"

#include "dataset.h"
#include "dialect.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace partners {

// ---- ktora_data ------------------------------------------------------------------

struct DateColumnItem
{
    QString field; // the KolumnyDat entry
    QString text;  // "wg <column title>"
};

// Date-time data fields that have a grid column with a title, in field order.
QList<DateColumnItem> dateColumnItems(const QList<db::FieldDef> &fields, const QList<GridColumnInfo> &grid,
                                      const Translate &translate);
// The item preselected for DomyslnaKolumnaDaty; 0 when it names none (or is empty).
int defaultDateColumnIndex(const QStringList &kolumnyDat, const QString &domyslnaKolumnaDaty);
// A single, selected date column needs no choice.
bool dateColumnChoiceVisible(int itemCount, int selectedIndex);

// ---- command text ----------------------------------------------------------------

// The column compared with ">= :okres_od" (or ">= @okres_od") after the first
// "where"; empty when there is none.
QString dateColumnOfWhere(const QString &commandText);
// Swaps that column for `column` throughout the WHERE part. The text is
// returned unchanged when there is nothing to swap or `column` is not a
// plain (optionally qualified) identifier.
QString withDateColumn(const QString &commandText, const QString &column);

// Names of the :name placeholders of a command (outside quotes and comments).
QStringList commandParameters(const QString &commandText);

struct DateParameterOptions
{
    // The end picker chooses months: the end is the last day of its month.
    bool endPickerMonthMode = false;
    // End parameters of small-date precision: their open end is 65535.
    QStringList smallDateEnds;
};

struct BoundDateParameter
{
    QString name;
    QVariant value;  // the picker's date-time, or the open-end number
    QString literal; // what replaced the placeholder in the text
};

struct DateParameterBinding
{
    QString commandText;
    QList<BoundDateParameter> parameters;
};

// Writes the range into the command: every :okres_od, :okres_od1, :okres_od2
// becomes the engine's literal of the start day (server day number = whole
// days - 2), every :okres_do... the literal of the end, or of the open-end day
// number (65535 / 1000000) when the end is empty. Dates are never text from
// the user: they come from numbers through the dialect.
DateParameterBinding bindDateParameters(const QString &commandText, const DateRange &range, const db::Dialect &dialect,
                                        const DateParameterOptions &options = {});

// The command the list opens: the base command (with its placeholders) with
// the chosen date column and the range written in; `dateColumn` empty keeps
// the column of the base command. The range's end is taken as effectiveEnd().
QString dateFilteredCommand(const QString &baseCommand, const QString &dateColumn, const DateRange &range,
                            const db::Dialect &dialect, const DateParameterOptions &options = {});

} // namespace partners
