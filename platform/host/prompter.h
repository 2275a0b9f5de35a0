#pragma once

#include "host_export.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

namespace host {

// Message-box style bits of the suite (the Windows values) and the answers.
namespace mb {
inline constexpr int Ok = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int ButtonsMask = 0x0F;

inline constexpr int IconError = 16;
inline constexpr int IconQuestion = 32;
inline constexpr int IconWarning = 48;
inline constexpr int IconInformation = 64;
inline constexpr int IconMask = 0xF0;

inline constexpr int DefaultButton2 = 0x100;
inline constexpr int DefaultButton3 = 0x200;
inline constexpr int TopMost = 0x40000;

inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdAbort = 3;
inline constexpr int IdRetry = 4;
inline constexpr int IdIgnore = 5;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;

// The answer given by the button that a box shows first (Enter on a fresh box).
MALVO_HOST_EXPORT int firstButton(int flags);
// The answer of closing the box without choosing (Escape).
MALVO_HOST_EXPORT int escapeAnswer(int flags);
} // namespace mb

// Everything that needs a person in front of a screen goes through here, so
// that tests answer it and the command line can refuse it.
class MALVO_HOST_EXPORT Prompter
{
public:
    virtual ~Prompter();

    // Returns the button code (mb::IdYes, mb::IdNo, mb::IdCancel, mb::IdOk, ...).
    virtual int messageBox(QWidget *owner, const QString &text, int flags, const QString &caption) = 0;
    // Runs a dialog modally and returns its result (QDialog::Accepted / Rejected or done(n)).
    virtual int runModal(QDialog *dialog) = 0;
    // A line of text; nullopt when cancelled.
    virtual std::optional<QString> inputText(QWidget *owner, const QString &caption, const QString &label,
                                             const QString &text) = 0;

    // File and folder choices; empty when cancelled.
    virtual QString chooseOpenFile(QWidget *owner, const QString &caption, const QString &dir,
                                   const QString &filter) = 0;
    virtual QStringList chooseOpenFiles(QWidget *owner, const QString &caption, const QString &dir,
                                        const QString &filter) = 0;
    virtual QString chooseSaveFile(QWidget *owner, const QString &caption, const QString &dir,
                                   const QString &filter) = 0;
    virtual QString chooseDirectory(QWidget *owner, const QString &caption, const QString &dir) = 0;

    // Shell open of a web page or a file with its default application.
    virtual bool openUrl(const QUrl &url) = 0;
    virtual bool openFile(const QString &path) = 0;
    // A new e-mail in the user's mail program with the files attached.
    virtual bool sendMail(const QStringList &attachments, const QString &to, const QString &subject,
                          const QString &body) = 0;
};

// The real thing: QMessageBox with translated buttons, QFileDialog,
// QDesktopServices and the mail program of "polecenie_email" (xdg-email).
class MALVO_HOST_EXPORT WidgetPrompter : public Prompter
{
public:
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
};

// Replaces the prompter (the previous one is destroyed). Null restores a WidgetPrompter.
MALVO_HOST_EXPORT void setPrompter(std::unique_ptr<Prompter> prompter);
// The prompter in use (a WidgetPrompter unless one was set).
MALVO_HOST_EXPORT Prompter &prompter();

} // namespace host
