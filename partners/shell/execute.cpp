#include "partners_api.h"
#include "ramka/modul.h"

#include "lists/lista_firm_form.h"
#include "lists/lista_firm_fr.h"

#include "window_messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace {

QMdiArea *obszarMdi()
{
    auto *glowne = qobject_cast<QMainWindow *>(host::mainWindow());
    return glowne ? qobject_cast<QMdiArea *>(glowne->centralWidget()) : nullptr;
}

void zamknijOknoListy(Tlista_firm_form *forma)
{
    if (auto *pod = qobject_cast<QMdiSubWindow *>(forma->parentWidget()))
        pod->close();
    else
        forma->close();
}

Tlista_firm_form *oknoListy()
{
    return qobject_cast<Tlista_firm_form *>(partners::windows().lista_firm_form.data());
}

// The list window shows itself: in the host's window area, maximised, when there is one.
Tlista_firm_form *utworzOknoListy(int rights)
{
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
    return forma;
}

// Steps shared by the calls that act in the list window: opens it and tells
// whether it was open before.
bool otworzListe(int rights, bool *wasOpen)
{
    const bool bylo = oknoListy() != nullptr;
    if (wasOpen)
        *wasOpen = bylo;
    _Execute(qApp, rights);
    return bylo;
}

int otworzListeDlaImportu(int handle, bool zamknij)
{
    if (oknoListy())
        return -1;
    Tlista_firm_form *forma = utworzOknoListy(0);
    forma->setProperty(partners::HostInstanceProperty, handle);
    if (zamknij)
        zamknijOknoListy(forma);
    return -1;
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
    utworzOknoListy(rights);
}

void _EdytujRekordTab(int id, int rights, int handle, bool *wasOpen)
{
    const bool bylo = otworzListe(rights, wasOpen);
    if (Tlista_firm_form *okno = oknoListy()) {
        Tlista_firm_frame *ramka = okno->frame_list();
        ramka->DoEdycji << id;
        if (bylo)
            ramka->odswiezClick();
        else
            ramka->Timer1()->start();
    }
    if (!bylo)
        _SetDllInstance(handle);
}

void _UruchomWyszukiwanieWgFrazy(QString phrase, int rights, int handle, bool *wasOpen)
{
    const bool bylo = otworzListe(rights, wasOpen);
    if (Tlista_firm_form *okno = oknoListy()) {
        okno->frame_list()->szukany_tekst()->setText(phrase);
        okno->frame_list()->bWyszWgFrazyZastosujClick();
    }
    if (!bylo)
        _SetDllInstance(handle);
}

int _ImportFirmyZTobolca(QObject *, int handle, QString)
{
    return otworzListeDlaImportu(handle, true);
}

int _ImportOsKonatkt(QObject *, int handle, QString)
{
    return otworzListeDlaImportu(handle, false);
}
