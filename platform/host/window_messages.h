#pragma once

#include "host_export.h"

#include <QEvent>
#include <QString>

class QObject;
class QWidget;

namespace host {

// Window message numbers of the suite (the platform's user base 0x400 plus an
// offset). The event type of a HostMessageEvent is the number itself.
namespace msg {
inline constexpr int UserBase = 0x400;
inline constexpr int ActiveCompanyChanged = 0x487; // posted after making a company the active one
inline constexpr int ListEditing = 1165;           // 0 before, 1 after a list's edit action (0x48D)
inline constexpr int WindowCreated = 0x48E;
inline constexpr int ChildDestroyed = 0x48F;
inline constexpr int CaptionChanged = 0x490; // also sent at the end of the list window's creation
inline constexpr int CloseMe = 0x491;
inline constexpr int ChildResized = 0x492;
inline constexpr int ChildClosing = 0x494;
inline constexpr int EmbeddedReleased = 0x7EF;
// The host's own notifications (OdswiezFirmy_main, OdswiezFirmySlownik_main).
inline constexpr int CompaniesChanged = 0x7F0;
inline constexpr int DictionaryChanged = 0x7F1;
// The settings module re-read its own companies (settings_ui's _OdswiezFirmy):
// wParam their number, lParam 1 when the active company is one of them.
inline constexpr int OwnCompaniesReloaded = 0x7F2;
} // namespace msg

// A window message delivered as a QEvent: type() is the message number.
class MALVO_HOST_EXPORT HostMessageEvent : public QEvent
{
public:
    HostMessageEvent(int message, qintptr wParam, qintptr lParam, const QString &text = {});
    ~HostMessageEvent() override;

    int message() const { return int(type()); }
    qintptr wParam() const { return m_wParam; }
    qintptr lParam() const { return m_lParam; }
    // Extra text where a message names something (the dictionary of DictionaryChanged).
    const QString &text() const { return m_text; }
    // What the receiver answers to a sent message (0 unless it sets one).
    qintptr result() const { return m_result; }
    void setResult(qintptr result) { m_result = result; }

private:
    qintptr m_wParam;
    qintptr m_lParam;
    QString m_text;
    qintptr m_result = 0;
};

// The window that receives the host's messages (the main window of the host
// application, or a test's recording widget). Cleared when it is destroyed.
MALVO_HOST_EXPORT void setMainWindow(QWidget *window);
MALVO_HOST_EXPORT QWidget *mainWindow();

// Delivers at once and returns the receiver's result (0 when there is no main window).
MALVO_HOST_EXPORT qintptr sendToMainWindow(int message, qintptr wParam = 0, qintptr lParam = 0);
// Queues for the event loop; false when there is no main window.
MALVO_HOST_EXPORT bool postToMainWindow(int message, qintptr wParam = 0, qintptr lParam = 0);
// The same to any window (containers, embedded windows).
MALVO_HOST_EXPORT qintptr sendMessage(QObject *target, int message, qintptr wParam = 0, qintptr lParam = 0);
MALVO_HOST_EXPORT bool postMessage(QObject *target, int message, qintptr wParam = 0, qintptr lParam = 0);

// The pointer value of a window as a message parameter, and back.
inline qintptr windowParam(const QObject *window)
{
    return reinterpret_cast<qintptr>(window);
}

} // namespace host
