#include "prompter.h"

#include "host_funcs.h"
#include "host_variables.h"
#include "internal.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace host {

namespace mb {

int firstButton(int flags)
{
    switch (flags & ButtonsMask) {
    case AbortRetryIgnore:
        return IdAbort;
    case YesNoCancel:
    case YesNo:
        return IdYes;
    case RetryCancel:
        return IdRetry;
    default:
        return IdOk;
    }
}

int escapeAnswer(int flags)
{
    switch (flags & ButtonsMask) {
    case YesNo:
        return IdNo;
    case AbortRetryIgnore:
        return IdAbort;
    case Ok:
        return IdOk;
    default:
        return IdCancel;
    }
}

} // namespace mb

Prompter::~Prompter() = default;

namespace {

std::unique_ptr<Prompter> &current()
{
    static std::unique_ptr<Prompter> prompter;
    return prompter;
}

struct ButtonDef
{
    int code;
    QString key;
    QMessageBox::ButtonRole role;
};

QList<ButtonDef> buttonsFor(int flags)
{
    const ButtonDef ok{mb::IdOk, QStringLiteral("Resstrings_IDS_OK"), QMessageBox::AcceptRole};
    const ButtonDef cancel{mb::IdCancel, QStringLiteral("Resstrings_IDS_anuluj"), QMessageBox::RejectRole};
    const ButtonDef yes{mb::IdYes, QStringLiteral("Resstrings_IDS_Tak"), QMessageBox::YesRole};
    const ButtonDef no{mb::IdNo, QStringLiteral("Resstrings_IDS_Nie"), QMessageBox::NoRole};
    const ButtonDef abort{mb::IdAbort, QStringLiteral("Resstrings_IDS_Przerwij"), QMessageBox::RejectRole};
    const ButtonDef retry{mb::IdRetry, QStringLiteral("Resstrings_IDS_Ponow"), QMessageBox::AcceptRole};
    const ButtonDef ignore{mb::IdIgnore, QStringLiteral("Resstrings_IDS_Ignoruj"), QMessageBox::AcceptRole};
    switch (flags & mb::ButtonsMask) {
    case mb::OkCancel:
        return {ok, cancel};
    case mb::AbortRetryIgnore:
        return {abort, retry, ignore};
    case mb::YesNoCancel:
        return {yes, no, cancel};
    case mb::YesNo:
        return {yes, no};
    case mb::RetryCancel:
        return {retry, cancel};
    default:
        return {ok};
    }
}

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & mb::IconMask) {
    case mb::IconError:
        return QMessageBox::Critical;
    case mb::IconQuestion:
        return QMessageBox::Question;
    case mb::IconWarning:
        return QMessageBox::Warning;
    case mb::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void setPrompter(std::unique_ptr<Prompter> prompter)
{
    current() = std::move(prompter);
}

Prompter &prompter()
{
    auto &p = current();
    if (!p)
        p = std::make_unique<WidgetPrompter>();
    return *p;
}

int WidgetPrompter::messageBox(QWidget *owner, const QString &text, int flags, const QString &caption)
{
    QMessageBox box(iconFor(flags), caption, text, QMessageBox::NoButton, owner);
    if (flags & mb::TopMost)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const QList<ButtonDef> buttons = buttonsFor(flags);
    QHash<QAbstractButton *, int> codes;
    const int defaultIndex = (flags & mb::DefaultButton3) ? 2 : (flags & mb::DefaultButton2) ? 1 : 0;
    for (int i = 0; i < buttons.size(); ++i) {
        const ButtonDef &def = buttons.at(i);
        QPushButton *button = box.addButton(LoadResstrings(def.key), def.role);
        codes.insert(button, def.code);
        if (i == qMin(defaultIndex, int(buttons.size()) - 1))
            box.setDefaultButton(button);
        if (def.code == mb::escapeAnswer(flags))
            box.setEscapeButton(button);
    }
    box.exec();
    return codes.value(box.clickedButton(), mb::escapeAnswer(flags));
}

int WidgetPrompter::runModal(QDialog *dialog)
{
    return dialog ? dialog->exec() : 0;
}

std::optional<QString> WidgetPrompter::inputText(QWidget *owner, const QString &caption, const QString &label,
                                                 const QString &text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(owner, caption, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString WidgetPrompter::chooseOpenFile(QWidget *owner, const QString &caption, const QString &dir,
                                       const QString &filter)
{
    return QFileDialog::getOpenFileName(owner, caption, dir, filter);
}

QStringList WidgetPrompter::chooseOpenFiles(QWidget *owner, const QString &caption, const QString &dir,
                                            const QString &filter)
{
    return QFileDialog::getOpenFileNames(owner, caption, dir, filter);
}

QString WidgetPrompter::chooseSaveFile(QWidget *owner, const QString &caption, const QString &dir,
                                       const QString &filter)
{
    return QFileDialog::getSaveFileName(owner, caption, dir, filter);
}

QString WidgetPrompter::chooseDirectory(QWidget *owner, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(owner, caption, dir);
}

bool WidgetPrompter::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool WidgetPrompter::openFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(localPath(path)));
}

bool WidgetPrompter::sendMail(const QStringList &attachments, const QString &to, const QString &subject,
                              const QString &body)
{
    // xdg-email is the one desktop-neutral way to pre-fill attachments.
    QStringList args;
    if (!subject.isEmpty())
        args << QStringLiteral("--subject") << subject;
    if (!body.isEmpty())
        args << QStringLiteral("--body") << body;
    for (const QString &file : attachments)
        args << QStringLiteral("--attach") << localPath(file);
    if (!to.isEmpty())
        args << to;
    // A site (or a test) may name another program.
    const QString program = var::MailCommand.get();
    if (QProcess::startDetached(program, args))
        return true;
    // No fallback to mailto: it would silently drop the attachments.
    save_log_to_file(QStringLiteral("prompter"), QStringLiteral("WidgetPrompter::sendMail"), __LINE__,
                     QStringLiteral("mail program %1 could not be started").arg(program));
    return false;
}

} // namespace host
