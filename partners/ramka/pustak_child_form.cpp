#include "ramka/pustak_child_form.h"

#include "window_messages.h"

#include <QCloseEvent>
#include <QDialog>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace {

// A form of the suite: a dialog or main window, or one of the module windows
// that are plain widgets but follow the *_form naming.
bool czyFormularz(const QObject *o)
{
    if (!o->isWidgetType())
        return false;
    if (qobject_cast<const QDialog *>(o) || qobject_cast<const QMainWindow *>(o))
        return true;
    return QLatin1String(o->metaObject()->className()).endsWith(QLatin1String("_form"));
}

} // namespace

Tpustak_child_form::Tpustak_child_form(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pustak_child_form"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    host::postToMainWindow(host::msg::WindowCreated, host::windowParam(this), 0);
}

Tpustak_child_form::~Tpustak_child_form()
{
    host::sendToMainWindow(host::msg::ChildDestroyed, host::windowParam(this), 0);
    if (QWidget *osadzone = OsadzoneOkno()) {
        // The embedded window belongs to the module that put it here: it is
        // released, not destroyed, and told so.
        osadzone->hide();
        osadzone->setParent(nullptr);
        host::postMessage(osadzone, host::msg::EmbeddedReleased, 0, 0);
    }
}

QWidget *Tpustak_child_form::OsadzoneOkno() const
{
    for (QObject *o : children()) {
        if (czyFormularz(o))
            return static_cast<QWidget *>(o);
    }
    return nullptr;
}

void Tpustak_child_form::FormDeactivate()
{
    QWidget *osadzone = OsadzoneOkno();
    if (osadzone && osadzone->windowTitle().startsWith(QLatin1Char('*')))
        host::sendToMainWindow(host::msg::ChildClosing, host::windowParam(osadzone), 1);
}

bool Tpustak_child_form::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        zmianaAktywnosci(true);
        break;
    case QEvent::WindowDeactivate:
        zmianaAktywnosci(false);
        break;
    case QEvent::ParentChange:
        sledzPodokno();
        break;
    case QEvent::ChildPolished: {
        QObject *dziecko = static_cast<QChildEvent *>(event)->child();
        if (czyFormularz(dziecko) && layout()->indexOf(static_cast<QWidget *>(dziecko)) < 0)
            layout()->addWidget(static_cast<QWidget *>(dziecko));
        break;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void Tpustak_child_form::sledzPodokno()
{
    auto *podokno = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (podokno == m_podokno)
        return;
    if (m_podokno)
        disconnect(m_podokno, nullptr, this, nullptr);
    m_podokno = podokno;
    if (!podokno)
        return;
    // Switching between MDI children sends no deactivation to the child itself.
    connect(podokno, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates stary, Qt::WindowStates nowy) {
        const bool byl = stary.testFlag(Qt::WindowActive);
        const bool jest = nowy.testFlag(Qt::WindowActive);
        if (jest != byl)
            zmianaAktywnosci(jest);
    });
}

void Tpustak_child_form::zmianaAktywnosci(bool aktywne)
{
    // The main window losing focus and the MDI area switching children may
    // both report one departure.
    if (aktywne == m_aktywne)
        return;
    m_aktywne = aktywne;
    if (!aktywne)
        FormDeactivate();
}

void Tpustak_child_form::closeEvent(QCloseEvent *event)
{
    if (QWidget *osadzone = OsadzoneOkno()) {
        host::sendToMainWindow(host::msg::ChildClosing, host::windowParam(osadzone), 0);
        if (!osadzone->close()) {
            event->ignore();
            return;
        }
    }
    QWidget::closeEvent(event);
}

void Tpustak_child_form::resizeEvent(QResizeEvent *event)
{
    host::sendToMainWindow(host::msg::ChildResized, 0, 0);
    QWidget::resizeEvent(event);
}
