#include "list_status.h"

#include <host_funcs.h>

#include <QPainter>

namespace ui {

QString loadingText()
{
    return host::LoadResstrings(QStringLiteral("Resstrings_IDS_ramka_Wczytywanie_danych"));
}

QString rowCountText(int visibleRows)
{
    // The stored caption may end in a blank of its own.
    return host::LoadResstrings(QStringLiteral("Resstrings_IDS_Ilosc_rekordow")).trimmed() + QLatin1Char(' ')
        + QString::number(visibleRows);
}

void paintProgressPanel(QPainter &painter, const QRect &rect, int percent)
{
    percent = qBound(0, percent, 100);
    painter.save();
    painter.fillRect(rect, Qt::white);
    QRect bar = rect;
    bar.setWidth(rect.width() * percent / 100);
    painter.fillRect(bar, QColor(0x2B, 0x57, 0x9A));
    // The text sits in the middle: the bar covers it from about 45 percent.
    painter.setPen(percent >= 45 ? Qt::white : Qt::black);
    painter.drawText(rect, Qt::AlignCenter, QStringLiteral("%1%").arg(percent));
    painter.restore();
}

} // namespace ui
