#pragma once

#include "ui_export.h"

#include <QString>

class QPainter;
class QRect;

namespace ui {

// Texts of the list's status bar (the frame owns the bar).
MALVO_UI_EXPORT QString loadingText(); // while a fetch is not complete
MALVO_UI_EXPORT QString rowCountText(int visibleRows);
// The progress panel while a list is written to a file: a bar filled to the
// percentage with the percentage on it; the text turns light once the bar reaches it.
MALVO_UI_EXPORT void paintProgressPanel(QPainter &painter, const QRect &rect, int percent);

} // namespace ui
