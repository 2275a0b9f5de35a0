#pragma once

#include "ui_export.h"

#include <QLocale>
#include <QMetaType>
#include <QString>
#include <QVariant>

namespace ui {

// Name of the check-box column that shows whether a row is selected; the frame adds it, the data set has no such field.
inline const QString czy_zaznaczono_ramka = QStringLiteral("czy_zaznaczono_ramka");

enum class SummaryKind {
    Auto, // integer fields as Integer, floating fields as Decimal, others nothing
    None,
    Integer,
    Decimal,
    Duration, // values are days (a fraction is the time of day), QTime or QDateTime
};

// One grid column; the grid's column set is separate from the data set's fields.
struct MALVO_UI_EXPORT GridColumn
{
    QString fieldName;
    QString title; // a "Resstrings_IDS_" key (translated when shown) or plain text
    int width = 80;
    bool visible = true;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool checkBox = false; // bool fields are check boxes anyway; set it for int flags
    // Numbers: ",0.00" (grouped, two decimals), "#0.00", ",0"; dates: a Qt date-time
    // format such as "dd.MM.yyyy". Empty: the data set's display text.
    QString displayFormat;
    SummaryKind summary = SummaryKind::Auto;
    int summaryDecimals = -1; // -1: from displayFormat, else 2

    bool isSelectionColumn() const { return fieldName.compare(czy_zaznaczono_ramka, Qt::CaseInsensitive) == 0; }
    // The title as shown: keys go through the host's translation.
    QString displayTitle() const;

    static GridColumn selectionColumn();
};

// The stored alignment code (0 left, 1 right, 2 centre) and back.
MALVO_UI_EXPORT int alignmentCode(Qt::Alignment alignment);
MALVO_UI_EXPORT Qt::Alignment alignmentFromCode(int code);

// Decimals a numeric display format asks for; -1 when it names none.
MALVO_UI_EXPORT int formatDecimals(const QString &format);
// A value as the grid shows it before it is reduced to one line.
MALVO_UI_EXPORT QString formatValue(const QVariant &value, QMetaType::Type type, const QString &format,
                                    const QLocale &locale = QLocale());
// Line breaks (CR LF, LF and a blank next to one) become one blank, so every cell is one line.
MALVO_UI_EXPORT QString oneLine(const QString &text);

} // namespace ui
