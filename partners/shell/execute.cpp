#include "module_windows.h"
#include "partners_api.h"

#include "lists/lista_firm_form.h"
#include "lists/lista_firm_fr.h"

#include "window_messages.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

QMdiArea *obszarMdi()
{
    auto *glowne = qobject_cast<QMainWindow *>(host::mainWindow());
    return glowne ? qobject_cast<QMdiArea *>(glowne->centralWidget()) : nullptr;
}

} // namespace

void _Execute(QObject *owner, int rights)
{
    QWidget *okno = partners::windows().lista_firm_form;
    if (!okno && owner)
        okno = owner->findChild<QWidget *>(QStringLiteral("lista_firm_form"));
    if (okno) {
        // A second call only brings the one list window forward.
        if (auto *pod = qobject_cast<QMdiSubWindow *>(okno->parentWidget())) {
            if (QMdiArea *obszar = pod->mdiArea())
                obszar->setActiveSubWindow(pod);
        } else {
            okno->raise();
            okno->activateWindow();
        }
        return;
    }

    auto *forma = new Tlista_firm_form();
    partners::windows().lista_firm_form = forma;
    forma->frame_list()->Uprawnienia = rights;
    if (QMdiArea *obszar = obszarMdi()) {
        QMdiSubWindow *pod = obszar->addSubWindow(forma);
        pod->setAttribute(Qt::WA_DeleteOnClose);
        pod->showMaximized();
    } else {
        forma->show();
    }
    forma->FormCreate();
}
