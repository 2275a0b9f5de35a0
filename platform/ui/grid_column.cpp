#include "grid_column.h"

#include <dataset.h>
#include <host_funcs.h>

#include <QDateTime>
#include <QRegularExpression>

namespace ui {

QString GridColumn::displayTitle() const
{
    return host::isTranslationKey(title) ? host::LoadResstrings(title) : title;
}

GridColumn GridColumn::selectionColumn()
{
    GridColumn column;
    column.fieldName = czy_zaznaczono_ramka;
    column.width = 22;
    column.alignment = Qt::AlignHCenter;
    column.checkBox = true;
    column.summary = SummaryKind::None;
    return column;
}

int alignmentCode(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return 1;
    if (alignment & Qt::AlignHCenter)
        return 2;
    return 0;
}

Qt::Alignment alignmentFromCode(int code)
{
    switch (code) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

int formatDecimals(const QString &format)
{
    static const QRegularExpression numeric(QStringLiteral("^[,#0]*0(?:\\.(0+))?$"));
    const QRegularExpressionMatch match = numeric.match(format);
    if (!match.hasMatch())
        return -1;
    return int(match.capturedLength(1));
}

QString formatValue(const QVariant &value, QMetaType::Type type, const QString &format, const QLocale &locale)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const auto actual = QMetaType::Type(value.metaType().id());
    if (!format.isEmpty()) {
        if (db::isIntegerType(actual) || db::isFloatingType(actual)) {
            const int decimals = formatDecimals(format);
            if (decimals >= 0) {
                QLocale shown = locale;
                shown.setNumberOptions(format.startsWith(QLatin1Char(',')) ? QLocale::DefaultNumberOptions
                                                                           : QLocale::OmitGroupSeparator);
                return shown.toString(value.toDouble(), 'f', decimals);
            }
        } else if (actual == QMetaType::QDateTime) {
            return value.toDateTime().toString(format);
        } else if (actual == QMetaType::QDate) {
            return value.toDate().toString(format);
        } else if (actual == QMetaType::QTime) {
            return value.toTime().toString(format);
        }
    }
    return db::DataSet::displayTextOf(value, type);
}

QString oneLine(const QString &text)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    line.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    static const QRegularExpression breaks(QStringLiteral(" ?\\n ?"));
    line.replace(breaks, QStringLiteral(" "));
    return line;
}

} // namespace ui
