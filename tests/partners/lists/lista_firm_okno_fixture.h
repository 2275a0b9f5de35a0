#pragma once

// A company list window test: a real database with demo companies, a host
// main window that records its messages, and the module's windows freed after
// each case.

#include "host_fixture.h"

#include "lists/lista_firm_form.h"
#include "lists/lista_firm_fr.h"
#include "ramka/modul.h"

#include "demo.h"
#include "window_messages.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

constexpr int FirmyDemo = 40;

// A multi-document main window that remembers the messages it receives.
class GlowneOkno : public QMainWindow
{
public:
    GlowneOkno() { setCentralWidget(new QMdiArea(this)); }
    QMdiArea *obszar() const { return static_cast<QMdiArea *>(centralWidget()); }
    QList<QPair<int, qintptr>> komunikaty;

protected:
    bool event(QEvent *e) override
    {
        if (auto *m = dynamic_cast<host::HostMessageEvent *>(e)) {
            komunikaty.append({m->message(), m->wParam()});
            return true;
        }
        return QMainWindow::event(e);
    }
};

class ListaFirmOkno : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        suitedb::generateDemoCompanies(*host::GetConnection(), FirmyDemo, 11);
    }

    void TearDown() override
    {
        delete partners::windows().lista_firm_form.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        host::setMainWindow(nullptr);
        HostDatabaseTest::TearDown();
    }

    Tlista_firm_frame *ramka() const
    {
        auto *forma = qobject_cast<Tlista_firm_form *>(partners::windows().lista_firm_form.data());
        return forma ? forma->frame_list() : nullptr;
    }

    static int liczbaOkienListy()
    {
        int n = 0;
        for (QWidget *w : QApplication::allWidgets())
            n += w->objectName() == QLatin1String("lista_firm_form") ? 1 : 0;
        return n;
    }

    int firmZGrupa() { return host::GetIntDB(QStringLiteral("select min(id_f) from firma_grupa")); }
};
