#pragma once

#include "ui_export.h"

#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace ui {

// At most maxLength UTF-16 units in the edit, cut as setMaxLength cuts, but
// never keeping half of a surrogate pair.
MALVO_UI_EXPORT void limitLength(QLineEdit *edit, int maxLength);
// The same for a memo, cut as the user types or pastes: what was just put in
// before the cursor is what goes.
MALVO_UI_EXPORT void limitLength(QPlainTextEdit *memo, int maxLength);

// A memo shows line breaks its own way (CR LF and a lone CR as LF, line and
// paragraph separators as LF, a no-break space as a blank). memoText gives
// back what setMemoText was given, unchanged, for as long as the memo shows
// it as it did then; after an edit, what the memo shows.
MALVO_UI_EXPORT void setMemoText(QPlainTextEdit *memo, const QString &text);
MALVO_UI_EXPORT QString memoText(const QPlainTextEdit *memo);

} // namespace ui
