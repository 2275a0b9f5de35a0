#include "text_fields.h"

#include "checks.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVariant>

namespace ui {

namespace {

const char *const GivenText = "memoGivenText";
const char *const ShownText = "memoShownText";

} // namespace

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
        // What the memo was given is not what it shows any more.
        memo->setProperty(GivenText, QVariant());
        memo->setPlainText(cut);
        QTextCursor c = memo->textCursor();
        c.setPosition(qMin(cursor, int(cut.size())));
        memo->setTextCursor(c);
    });
}

void setMemoText(QPlainTextEdit *memo, const QString &text)
{
    memo->setProperty(GivenText, text);
    memo->setPlainText(text);
    memo->setProperty(ShownText, memo->toPlainText());
}

QString memoText(const QPlainTextEdit *memo)
{
    const QString shown = memo->toPlainText();
    const QVariant given = memo->property(GivenText);
    return given.isValid() && memo->property(ShownText).toString() == shown ? given.toString() : shown;
}

} // namespace ui
