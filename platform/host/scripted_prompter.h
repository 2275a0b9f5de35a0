#pragma once

#include "prompter.h"

#include <QList>
#include <QUrl>
#include <deque>
#include <functional>

namespace host {

// A prompter for tests: answers from a queue of scripted answers and records
// every question. Unscripted message boxes get the default answer (the box's
// first button unless setDefaultMessageAnswer was called); unscripted dialogs
// are rejected, file choices and text inputs cancelled, shell opens succeed.
class MALVO_HOST_EXPORT ScriptedPrompter : public Prompter
{
public:
    enum class Kind { Message, Modal, Input, OpenFile, OpenFiles, SaveFile, Directory, OpenUrl, ShellOpen, SendMail };

    struct Question
    {
        Kind kind = Kind::Message;
        QString text;    // message text, input label, URL or file path opened, mail recipient
        int flags = 0;   // message-box flags
        QString caption; // caption or dialog title; mail subject
        QString dir;     // start folder of a file or folder choice
        QString filter;
        QString value;           // text proposed by an input; mail body
        QStringList attachments; // SendMail
        QString dialogClass;     // Modal: the dialog's class name
        QString dialogName;      // Modal: its objectName
    };

    // A scripted answer. A Modal answer drives the dialog: it may fill its
    // controls and accept() it; the dialog's result is then returned.
    struct Answer
    {
        Kind kind = Kind::Message;
        int code = 0;
        QString text{};
        QStringList paths{};
        bool cancelled = false;
        std::function<void(QDialog &)> drive{};
        std::function<void()> meanwhile{};

        static Answer button(int code); // 6 yes, 7 no, 2 cancel, 1 ok
        // The same, after `meanwhile` ran while the box was up (what a user does behind a box).
        static Answer button(int code, std::function<void()> meanwhile);
        static Answer dialog(std::function<void(QDialog &)> drive);
        static Answer dialogResult(int result); // done(result) without touching the dialog
        static Answer input(const QString &text);
        static Answer inputCancelled();
        static Answer openFile(const QString &path);
        static Answer openFiles(const QStringList &paths);
        static Answer saveFile(const QString &path);
        static Answer directory(const QString &path);
        static Answer choiceCancelled(Kind kind);
    };

    ScriptedPrompter();
    ~ScriptedPrompter() override;

    // Appends answers to the queue; they are used in order by questions of their kind.
    ScriptedPrompter &push(Answer answer);
    ScriptedPrompter &answerMessage(int code) { return push(Answer::button(code)); }
    void setDefaultMessageAnswer(int code) { m_defaultMessageAnswer = code; }
    void clearDefaultMessageAnswer() { m_defaultMessageAnswer = -1; }

    const QList<Question> &questions() const { return m_questions; }
    QList<Question> questionsOf(Kind kind) const;
    QStringList messageTexts() const;
    int pendingAnswers() const { return int(m_answers.size()); }
    // Questions that found an answer of another kind at the front of the queue.
    const QStringList &mismatches() const { return m_mismatches; }
    void clear();

    int messageBox(QWidget *owner, const QString &text, int flags, const QString &caption) override;
    int runModal(QDialog *dialog) override;
    std::optional<QString> inputText(QWidget *owner, const QString &caption, const QString &label,
                                     const QString &text) override;
    QString chooseOpenFile(QWidget *owner, const QString &caption, const QString &dir, const QString &filter) override;
    QStringList chooseOpenFiles(QWidget *owner, const QString &caption, const QString &dir,
                                const QString &filter) override;
    QString chooseSaveFile(QWidget *owner, const QString &caption, const QString &dir, const QString &filter) override;
    QString chooseDirectory(QWidget *owner, const QString &caption, const QString &dir) override;
    bool openUrl(const QUrl &url) override;
    bool openFile(const QString &path) override;
    bool sendMail(const QStringList &attachments, const QString &to, const QString &subject,
                  const QString &body) override;

private:
    std::optional<Answer> take(Kind kind);
    // Records the question and takes the answer scripted for it, if any.
    std::optional<Answer> ask(Question question);
    QStringList choose(Kind kind, const QString &caption, const QString &dir, const QString &filter);

    std::deque<Answer> m_answers;
    QList<Question> m_questions;
    QStringList m_mismatches;
    int m_defaultMessageAnswer = -1;
};

// Installs a fresh ScriptedPrompter as the host's prompter and returns it
// (owned by the host until the next setPrompter).
MALVO_HOST_EXPORT ScriptedPrompter &installScriptedPrompter();

} // namespace host
