#include "incremental_search.h"

#include <Qt>

namespace ui {

IncrementalSearch::Outcome IncrementalSearch::keyPress(int key, const QString &text, const Locate &locate)
{
    switch (key) {
    case Qt::Key_Backspace:
        if (m_buffer.isEmpty())
            return Outcome::Ignored;
        m_buffer.chop(1);
        break;
    case Qt::Key_Escape:
        if (m_buffer.isEmpty())
            return Outcome::Ignored;
        m_buffer.clear();
        return Outcome::Emptied;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Outcome::Ignored;
    default:
        if (text.isEmpty() || !text.at(0).isPrint())
            return Outcome::Ignored;
        m_buffer += text;
        break;
    }
    if (m_buffer.isEmpty())
        return Outcome::Emptied;
    if (locate(m_buffer))
        return Outcome::Found;
    m_buffer.chop(1);
    return m_buffer.isEmpty() ? Outcome::Emptied : Outcome::Rejected;
}

} // namespace ui
