#include "scripted_prompter.h"

#include <QDialog>
#include <QMetaObject>

namespace host {

namespace {

QString kindName(ScriptedPrompter::Kind kind)
{
    using K = ScriptedPrompter::Kind;
    switch (kind) {
    case K::Message:
        return QStringLiteral("message");
    case K::Modal:
        return QStringLiteral("modal dialog");
    case K::Input:
        return QStringLiteral("text input");
    case K::OpenFile:
        return QStringLiteral("open file");
    case K::OpenFiles:
        return QStringLiteral("open files");
    case K::SaveFile:
        return QStringLiteral("save file");
    case K::Directory:
        return QStringLiteral("directory");
    case K::OpenUrl:
        return QStringLiteral("open URL");
    case K::ShellOpen:
        return QStringLiteral("open file in its application");
    case K::SendMail:
        return QStringLiteral("send mail");
    }
    return {};
}

} // namespace

using Answer = ScriptedPrompter::Answer;

Answer Answer::button(int code)
{
    return {.kind = Kind::Message, .code = code};
}

Answer Answer::button(int code, std::function<void()> meanwhile)
{
    return {.kind = Kind::Message, .code = code, .meanwhile = std::move(meanwhile)};
}

Answer Answer::dialog(std::function<void(QDialog &)> drive)
{
    return {.kind = Kind::Modal, .drive = std::move(drive)};
}

Answer Answer::dialogResult(int result)
{
    return dialog([result](QDialog &d) { d.done(result); });
}

Answer Answer::input(const QString &text)
{
    return {.kind = Kind::Input, .text = text};
}

Answer Answer::inputCancelled()
{
    return {.kind = Kind::Input, .cancelled = true};
}

Answer Answer::openFile(const QString &path)
{
    return {.kind = Kind::OpenFile, .paths = {path}};
}

Answer Answer::openFiles(const QStringList &paths)
{
    return {.kind = Kind::OpenFiles, .paths = paths};
}

Answer Answer::saveFile(const QString &path)
{
    return {.kind = Kind::SaveFile, .paths = {path}};
}

Answer Answer::directory(const QString &path)
{
    return {.kind = Kind::Directory, .paths = {path}};
}

Answer Answer::choiceCancelled(Kind kind)
{
    return {.kind = kind, .cancelled = true};
}

ScriptedPrompter::ScriptedPrompter() = default;
ScriptedPrompter::~ScriptedPrompter() = default;

ScriptedPrompter &ScriptedPrompter::push(Answer answer)
{
    m_answers.push_back(std::move(answer));
    return *this;
}

QList<ScriptedPrompter::Question> ScriptedPrompter::questionsOf(Kind kind) const
{
    QList<Question> result;
    for (const Question &q : m_questions)
        if (q.kind == kind)
            result << q;
    return result;
}

QStringList ScriptedPrompter::messageTexts() const
{
    QStringList result;
    for (const Question &q : m_questions)
        if (q.kind == Kind::Message)
            result << q.text;
    return result;
}

void ScriptedPrompter::clear()
{
    m_answers.clear();
    m_questions.clear();
    m_mismatches.clear();
}

// A question takes the front answer only when it is of its kind, so a script
// that is out of step shows up in mismatches() instead of answering wrongly.
std::optional<Answer> ScriptedPrompter::take(Kind kind)
{
    if (m_answers.empty())
        return std::nullopt;
    if (m_answers.front().kind != kind) {
        m_mismatches << QStringLiteral("%1 asked while a %2 answer was next")
                            .arg(kindName(kind), kindName(m_answers.front().kind));
        return std::nullopt;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

std::optional<Answer> ScriptedPrompter::ask(Question question)
{
    const Kind kind = question.kind;
    m_questions << std::move(question);
    return take(kind);
}

int ScriptedPrompter::messageBox(QWidget *, const QString &text, int flags, const QString &caption)
{
    if (auto answer = ask({.kind = Kind::Message, .text = text, .flags = flags, .caption = caption})) {
        if (answer->meanwhile)
            answer->meanwhile();
        return answer->code;
    }
    return m_defaultMessageAnswer >= 0 ? m_defaultMessageAnswer : mb::firstButton(flags);
}

int ScriptedPrompter::runModal(QDialog *dialog)
{
    Question q{.kind = Kind::Modal};
    if (dialog) {
        q.caption = dialog->windowTitle();
        q.dialogClass = QString::fromLatin1(dialog->metaObject()->className());
        q.dialogName = dialog->objectName();
    }
    auto answer = ask(std::move(q));
    if (!dialog)
        return 0;
    dialog->setResult(QDialog::Rejected);
    if (!answer || !answer->drive)
        return QDialog::Rejected;
    // Shown (offscreen under test) so that show-time set-up runs as it would in exec().
    dialog->show();
    answer->drive(*dialog);
    if (dialog->isVisible())
        dialog->hide();
    return dialog->result();
}

std::optional<QString> ScriptedPrompter::inputText(QWidget *, const QString &caption, const QString &label,
                                                   const QString &text)
{
    auto answer = ask({.kind = Kind::Input, .text = label, .caption = caption, .value = text});
    if (!answer || answer->cancelled)
        return std::nullopt;
    return answer->text;
}

QStringList ScriptedPrompter::choose(Kind kind, const QString &caption, const QString &dir, const QString &filter)
{
    auto answer = ask({.kind = kind, .caption = caption, .dir = dir, .filter = filter});
    if (!answer || answer->cancelled)
        return {};
    return answer->paths;
}

QString ScriptedPrompter::chooseOpenFile(QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    return choose(Kind::OpenFile, caption, dir, filter).value(0);
}

QStringList ScriptedPrompter::chooseOpenFiles(QWidget *, const QString &caption, const QString &dir,
                                              const QString &filter)
{
    return choose(Kind::OpenFiles, caption, dir, filter);
}

QString ScriptedPrompter::chooseSaveFile(QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    return choose(Kind::SaveFile, caption, dir, filter).value(0);
}

QString ScriptedPrompter::chooseDirectory(QWidget *, const QString &caption, const QString &dir)
{
    return choose(Kind::Directory, caption, dir, QString()).value(0);
}

bool ScriptedPrompter::openUrl(const QUrl &url)
{
    m_questions << Question{.kind = Kind::OpenUrl, .text = url.toString()};
    return true;
}

bool ScriptedPrompter::openFile(const QString &path)
{
    m_questions << Question{.kind = Kind::ShellOpen, .text = path};
    return true;
}

bool ScriptedPrompter::sendMail(const QStringList &attachments, const QString &to, const QString &subject,
                                const QString &body)
{
    m_questions << Question{
        .kind = Kind::SendMail, .text = to, .caption = subject, .value = body, .attachments = attachments};
    return true;
}

ScriptedPrompter &installScriptedPrompter()
{
    auto scripted = std::make_unique<ScriptedPrompter>();
    ScriptedPrompter &ref = *scripted;
    setPrompter(std::move(scripted));
    return ref;
}

} // namespace host
