#include "lists/lista_firm_okno_fixture.h"

#include "partners_api.h"

#include "dataset.h"
#include "host_funcs.h"
#include "lista_grid.h"
#include "scripted_prompter.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The entry points that act in the company list window.
class ListaFirmWejscia : public ListaFirmOkno
{
protected:
    // Lets Timer1 open the queued edits.
    void uplyw()
    {
        QTimer *timer = ramka()->Timer1();
        ASSERT_TRUE(timer->isActive());
        timer->stop();
        ramka()->Timer1Timer();
    }
};

TEST_P(ListaFirmWejscia, EdytujRekordTabOtwieraListeIKolejkujeEdycje)
{
    const int id = idFirmy(5);
    bool byloOtwarte = true;
    _EdytujRekordTab(id, 1, 77, &byloOtwarte);
    EXPECT_FALSE(byloOtwarte);
    ASSERT_NE(ramka(), nullptr);
    EXPECT_EQ(partners::windows().lista_firm_form->property(partners::HostInstanceProperty).toInt(), 77);
    EXPECT_EQ(ramka()->Uprawnienia, 1);
    EXPECT_EQ(ramka()->DoEdycji, QList<int>{id});
    uplyw();
    EXPECT_TRUE(ramka()->DoEdycji.isEmpty());
    EXPECT_EQ(ramka()->idBiezacegoWiersza(), id) << "the queued company is the one edited";

    // An open window is refreshed, which starts the queue again.
    const int drugi = idFirmy(7);
    _EdytujRekordTab(drugi, 2, 88, &byloOtwarte);
    EXPECT_TRUE(byloOtwarte);
    EXPECT_EQ(partners::windows().lista_firm_form->property(partners::HostInstanceProperty).toInt(), 77)
        << "the handle of an open window stays";
    uplyw();
    EXPECT_EQ(ramka()->idBiezacegoWiersza(), drugi);
}

TEST_P(ListaFirmWejscia, WyszukiwanieWgFrazyFiltrujeListe)
{
    const int id = idFirmy(3);
    host::ExecQuery(u"update firma set nazwa = :n where id_f = :id"_s, nullptr, 0,
                    {{"n", u"Zażółć O'Brien Sp. z o.o."_s}, {u"id"_s, id}});
    bool byloOtwarte = true;
    _UruchomWyszukiwanieWgFrazy(u"o'brien"_s, 1, 5, &byloOtwarte);
    EXPECT_FALSE(byloOtwarte);
    ASSERT_NE(ramka(), nullptr);
    EXPECT_EQ(ramka()->szukany_tekst()->text(), u"o'brien"_s);
    ASSERT_EQ(ramka()->Lista()->recordCount(), 1);
    EXPECT_EQ(ramka()->idBiezacegoWiersza(), id);

    // A second search replaces the first in the open window.
    _UruchomWyszukiwanieWgFrazy(QString(), 1, 5, &byloOtwarte);
    EXPECT_TRUE(byloOtwarte);
    EXPECT_EQ(ramka()->Lista()->recordCount(), liczbaFirm());
}

TEST_P(ListaFirmWejscia, ImportyOtwierajaTylkoOknoListy)
{
    EXPECT_EQ(_ImportFirmyZTobolca(qApp, 12, u"/tmp/nie-ma.xml"_s), -1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(partners::windows().lista_firm_form) << "the window it opened is closed again";
    EXPECT_EQ(liczbaOkienListy(), 0);

    const int firmy = liczbaFirm();
    EXPECT_EQ(_ImportOsKonatkt(qApp, 13, u"/tmp/nie-ma.xml"_s), -1);
    ASSERT_TRUE(partners::windows().lista_firm_form);
    EXPECT_EQ(partners::windows().lista_firm_form->property(partners::HostInstanceProperty).toInt(), 13);
    EXPECT_EQ(liczbaFirm(), firmy) << "nothing is imported";

    // An open window is left as it is, even by the call that closes its own.
    EXPECT_EQ(_ImportFirmyZTobolca(qApp, 14, QString()), -1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(partners::windows().lista_firm_form);
    EXPECT_EQ(partners::windows().lista_firm_form->property(partners::HostInstanceProperty).toInt(), 13);
}

TEST_P(ListaFirmWejscia, PickerZwracaWybranaFirme)
{
    using Answer = host::ScriptedPrompter::Answer;
    const int id = idFirmy(4);
    int uprawnienia = 0;
    prompter().push(Answer::dialog([&](QDialog &d) {
        auto *ramka = d.findChild<Tlista_firm_frame *>(u"frame_list"_s);
        ASSERT_NE(ramka, nullptr);
        uprawnienia = ramka->Uprawnienia;
        ASSERT_TRUE(ramka->GoToId(id));
        const QRect wiersz = ramka->ListaGrid()->visualRect(ramka->ListaGrid()->currentIndex());
        QTest::mouseDClick(ramka->ListaGrid()->viewport(), Qt::LeftButton, {}, wiersz.center());
    }));
    EXPECT_EQ(_ExecuteModal(), id);
    EXPECT_EQ(uprawnienia, 1);
}

MALVO_INSTANTIATE_FOR_ENGINES(ListaFirmWejscia);

} // namespace
