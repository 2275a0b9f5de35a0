#pragma once

#include "window_messages.h"

#include <QList>
#include <QMainWindow>
#include <QMdiArea>

#include <algorithm>

namespace testsupport {

struct HostMessage
{
    int message;
    qintptr wParam;
    qintptr lParam;
    bool operator==(const HostMessage &) const = default;
};

// A multi-document main window that remembers the host messages it receives.
class RecordingMainWindow : public QMainWindow
{
public:
    RecordingMainWindow() { setCentralWidget(new QMdiArea(this)); }
    QMdiArea *area() const { return static_cast<QMdiArea *>(centralWidget()); }

    int count(int message) const
    {
        return int(std::count_if(messages.cbegin(), messages.cend(),
                                 [message](const HostMessage &m) { return m.message == message; }));
    }
    bool received(int message, qintptr wParam) const
    {
        return std::any_of(messages.cbegin(), messages.cend(),
                           [&](const HostMessage &m) { return m.message == message && m.wParam == wParam; });
    }

    QList<HostMessage> messages;

protected:
    bool event(QEvent *e) override
    {
        if (auto *m = dynamic_cast<host::HostMessageEvent *>(e)) {
            messages.append({m->message(), m->wParam(), m->lParam()});
            return true;
        }
        return QMainWindow::event(e);
    }
};

} // namespace testsupport
