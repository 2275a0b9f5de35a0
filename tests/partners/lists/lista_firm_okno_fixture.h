#pragma once

// A company list window test: a real database with demo companies, a host
// main window that records its messages, and the module's windows freed after
// each case.

#include "host_fixture.h"

#include "lists/lista_firm_form.h"
#include "lists/lista_firm_fr.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "demo.h"
#include "recording_main_window.h"

#include <QApplication>

constexpr int FirmyDemo = 40;

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

    void zGlownymOknem() { host::setMainWindow(&m_glowne); }

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

    // The id shown in a grid row.
    static int idWiersza(Tramka_lista_frame *ramka, int wiersz)
    {
        db::DataSet *lista = ramka->Lista();
        return lista->valueAt(lista->bookmarkAt(wiersz), lista->fieldIndex(QStringLiteral("id"))).toInt();
    }

    int idFirmy(int n) { return host::GetListaIntDB(QStringLiteral("select id_f from firma order by id_f")).value(n); }
    int firmZGrupa() { return host::GetIntDB(QStringLiteral("select min(id_f) from firma_grupa")); }
    int liczbaFirm() { return host::GetIntDB(QStringLiteral("select count(*) from firma")); }

    testsupport::RecordingMainWindow m_glowne;
};
