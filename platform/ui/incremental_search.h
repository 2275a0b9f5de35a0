#pragma once

#include "ui_export.h"

#include <QString>
#include <functional>

namespace ui {

// The characters typed into the grid since the last navigation, and what
// each key does to them.
class MALVO_UI_EXPORT IncrementalSearch
{
public:
    // Moves to the first row whose text starts with the prefix; false when none does.
    using Locate = std::function<bool(const QString &prefix)>;

    enum class Outcome {
        Ignored,  // not a search key
        Found,    // the buffer changed and a row matched
        Rejected, // nothing matched: the new character was dropped again
        Emptied,  // the buffer became empty (the grid repaints)
    };

    Outcome keyPress(int key, const QString &text, const Locate &locate);
    void clear() { m_buffer.clear(); }
    const QString &buffer() const { return m_buffer; }

private:
    QString m_buffer;
};

} // namespace ui
