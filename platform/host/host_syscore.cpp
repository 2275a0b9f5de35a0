#include "host_syscore.h"

#include "internal.h"
#include "services.h"
#include "window_messages.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace host {

namespace {
int g_sysCompanyId = 0;
} // namespace

Notifier::Notifier(QObject *parent)
    : QObject(parent)
{}

Notifier *Notifier::instance()
{
    static Notifier *notifier = new Notifier; // lives as long as the process
    return notifier;
}

namespace detail {
void resetSyscore()
{
    g_sysCompanyId = 0;
    Notifier::instance()->clearRecords();
}
} // namespace detail

void OdswiezFirmy_main(int code, int param)
{
    notifier()->addRecord({Notifier::Record::Companies, code, param, {}});
    emit notifier()->companiesChanged(code, param);
    if (QWidget *window = mainWindow()) {
        QCoreApplication::postEvent(window, new HostMessageEvent(msg::CompaniesChanged, code, param));
        emit notifier()->mainWindowMessage(msg::CompaniesChanged, code, param, true);
    }
}

void OdswiezFirmySlownik_main(const QString &name)
{
    notifier()->addRecord({Notifier::Record::Dictionary, 0, 0, name});
    emit notifier()->dictionaryChanged(name);
    if (QWidget *window = mainWindow()) {
        QCoreApplication::postEvent(window, new HostMessageEvent(msg::DictionaryChanged, 0, 0, name));
        emit notifier()->mainWindowMessage(msg::DictionaryChanged, 0, 0, true);
    }
}

void NEW_SysFirmaId(int companyId)
{
    g_sysCompanyId = companyId;
    notifier()->addRecord({Notifier::Record::SystemCompany, companyId, 0, {}});
    emit notifier()->systemCompanyChanged(companyId);
}

int SysFirmaId()
{
    return g_sysCompanyId;
}

HostMessageEvent::HostMessageEvent(int message, qintptr wParam, qintptr lParam, const QString &text)
    : QEvent(QEvent::Type(message)),
      m_wParam(wParam),
      m_lParam(lParam),
      m_text(text)
{}

HostMessageEvent::~HostMessageEvent() = default;

void setMainWindow(QWidget *window)
{
    services().setMainWindow(window);
}

QWidget *mainWindow()
{
    return services().mainWindow();
}

qintptr sendMessage(QObject *target, int message, qintptr wParam, qintptr lParam)
{
    if (!target)
        return 0;
    HostMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.result();
}

bool postMessage(QObject *target, int message, qintptr wParam, qintptr lParam)
{
    if (!target)
        return false;
    QCoreApplication::postEvent(target, new HostMessageEvent(message, wParam, lParam));
    return true;
}

qintptr sendToMainWindow(int message, qintptr wParam, qintptr lParam)
{
    QWidget *window = mainWindow();
    if (!window)
        return 0;
    emit notifier()->mainWindowMessage(message, wParam, lParam, false);
    return sendMessage(window, message, wParam, lParam);
}

bool postToMainWindow(int message, qintptr wParam, qintptr lParam)
{
    QWidget *window = mainWindow();
    if (!window)
        return false;
    emit notifier()->mainWindowMessage(message, wParam, lParam, true);
    return postMessage(window, message, wParam, lParam);
}

} // namespace host
