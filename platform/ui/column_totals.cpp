#include "column_totals.h"

#include <field_type.h>

#include <day_time.h>
#include <host_funcs.h>

#include <QDateTime>
#include <cmath>

namespace ui {

DayWords DayWords::fromHost()
{
    return {host::LoadResstrings(QStringLiteral("Resstrings_IDS_Dzien")),
            host::LoadResstrings(QStringLiteral("Resstrings_IDS_Dni"))};
}

ColumnTotal ColumnTotal::forColumn(const GridColumn &column, QMetaType::Type fieldType)
{
    int decimals = column.summaryDecimals >= 0 ? column.summaryDecimals : formatDecimals(column.displayFormat);
    if (decimals < 0)
        decimals = 2;
    SummaryKind kind = column.summary;
    if (column.isSelectionColumn() || column.checkBox)
        kind = SummaryKind::None;
    if (kind == SummaryKind::Auto)
        kind = db::isIntegerType(fieldType) ? SummaryKind::Integer
            : db::isFloatingType(fieldType) ? SummaryKind::Decimal
                                            : SummaryKind::None;
    return ColumnTotal(kind, decimals);
}

static double durationDays(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QTime:
        return value.toTime().msecsSinceStartOfDay() / 86400000.0;
    case QMetaType::QDateTime:
        return db::DayTime::fromDateTime(value.toDateTime());
    default:
        return value.toDouble();
    }
}

void ColumnTotal::add(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return;
    switch (m_kind) {
    case SummaryKind::Integer:
        m_integer += value.toLongLong();
        return;
    case SummaryKind::Decimal:
    case SummaryKind::Duration:
        m_sum += m_kind == SummaryKind::Duration ? durationDays(value) : value.toDouble();
        return;
    default:
        return;
    }
}

QString ColumnTotal::text(const QLocale &locale, const DayWords &days) const
{
    switch (m_kind) {
    case SummaryKind::Integer:
        return QString::number(m_integer);
    case SummaryKind::Decimal: {
        QLocale shown = locale;
        shown.setNumberOptions(QLocale::OmitGroupSeparator);
        return shown.toString(m_sum, 'f', m_decimals);
    }
    case SummaryKind::Duration:
        return durationText(m_sum, days);
    default:
        return QString();
    }
}

QString durationText(double days, const DayWords &words)
{
    const bool negative = days < 0;
    qint64 minutes = qRound64(std::fabs(days) * 1440.0);
    const qint64 whole = minutes / 1440;
    minutes %= 1440;
    QString text =
        QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
    if (whole > 0)
        text = QStringLiteral("%1 %2 %3").arg(whole).arg(whole == 1 ? words.one : words.many, text);
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace ui
