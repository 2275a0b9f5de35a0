#include "text_fields.h"

#include "checks.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace ui {

void limitLength(QLineEdit *edit, int maxLength)
{
    edit->setMaxLength(maxLength);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString &text) {
        const QString whole = host::wholeCharacters(text);
        if (whole.size() == text.size())
            return;
        const int cursor = edit->cursorPosition();
        edit->setText(whole);
        edit->setCursorPosition(qMin(cursor, int(whole.size())));
    });
}

void limitLength(QPlainTextEdit *memo, int maxLength)
{
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, maxLength] {
        const QString text = memo->toPlainText();
        const int excess = int(text.size()) - maxLength;
        if (excess <= 0)
            return;
        const int end = memo->textCursor().position();
        QString cut = text;
        int cursor = maxLength;
        if (end >= excess) {
            cut.remove(end - excess, excess);
            cursor = end - excess;
        } else {
            cut.truncate(maxLength);
        }
        cut = host::wholeCharacters(cut);
        memo->setPlainText(cut);
        QTextCursor c = memo->textCursor();
        c.setPosition(qMin(cursor, int(cut.size())));
        memo->setTextCursor(c);
    });
}

} // namespace ui
