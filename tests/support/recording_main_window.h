#pragma once

#include "window_messages.h"

#include <QList>
#include <QMainWindow>
#include <QMdiArea>

#include <algorithm>
#include <functional>

namespace testsupport {

struct HostMessage
{
    int message;
    qintptr wParam;
    qintptr lParam;
    QString text = {}; // left out of comparisons: few messages carry one
    bool operator==(const HostMessage &o) const
    {
        return message == o.message && wParam == o.wParam && lParam == o.lParam;
    }
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
    // What a sent message answers; nothing set: 0.
    std::function<qintptr(const HostMessage &)> reply;

protected:
    bool event(QEvent *e) override
    {
        if (auto *m = dynamic_cast<host::HostMessageEvent *>(e)) {
            messages.append({m->message(), m->wParam(), m->lParam(), m->text()});
            if (reply)
                m->setResult(reply(messages.last()));
            return true;
        }
        return QMainWindow::event(e);
    }
};

} // namespace testsupport
