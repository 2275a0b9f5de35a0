#pragma once

#include "ui_export.h"

class QLineEdit;
class QPlainTextEdit;

namespace ui {

// At most maxLength UTF-16 units in the edit, cut as setMaxLength cuts, but
// never keeping half of a surrogate pair.
MALVO_UI_EXPORT void limitLength(QLineEdit *edit, int maxLength);
// The same for a memo, cut as the user types or pastes: what was just put in
// before the cursor is what goes.
MALVO_UI_EXPORT void limitLength(QPlainTextEdit *memo, int maxLength);

} // namespace ui
