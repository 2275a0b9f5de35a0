#include "lists/lista_firm_okno_fixture.h"

#include "company/edycja_firmy_form.h"
#include "partners_api.h"

#include "dataset.h"
#include "host_funcs.h"
#include "lista_grid.h"
#include "scripted_prompter.h"

#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Answer = host::ScriptedPrompter::Answer;
using Kind = host::ScriptedPrompter::Kind;

class ListaFirmEdycja : public ListaFirmOkno
{
protected:
    void SetUp() override
    {
        ListaFirmOkno::SetUp();
        if (IsSkipped())
            return;
        _Execute(qApp, 1);
        ASSERT_NE(ramka(), nullptr);
    }

    QTabWidget *zakladki() const
    {
        return partners::windows().lista_firm_form->findChild<QTabWidget *>(u"PageControl1"_s);
    }

    // The editors open as further pages of the list window.
    Tedycja_firmy_form *edytor(int strona) const
    {
        return qobject_cast<Tedycja_firmy_form *>(zakladki()->widget(strona));
    }

    // Keys reach the grid as they would from a user at an active window.
    void klawisz(Qt::Key key)
    {
        QWidget *okno = partners::windows().lista_firm_form;
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno));
        ramka()->ListaGrid()->setFocus();
        QTest::keyClick(ramka()->ListaGrid(), key);
    }
};

TEST_P(ListaFirmEdycja, KlawiszeIKopiaOtwierajaEdytoryWZakladkachListy)
{
    const int id = idWiersza(ramka(), 4);
    ASSERT_TRUE(ramka()->GoToId(id));
    const QString skrot = ramka()->Lista()->value(u"skrot"_s).toString();

    klawisz(Qt::Key_F2);
    ASSERT_EQ(zakladki()->count(), 2);
    Tedycja_firmy_form *e = edytor(1);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(zakladki()->currentIndex(), 1);
    EXPECT_EQ(e->IdRekordu(), id) << "the editor opens on the current row";
    EXPECT_EQ(e->TrybEdycji(), Tszablon_edycja_form::Edycja);
    EXPECT_EQ(e->Uprawnienia(), 1);
    EXPECT_FALSE(e->WywolanieZewnetrzne);
    EXPECT_EQ(zakladki()->tabText(1), host::LoadResstrings(u"Resstrings_IDS_Edycja"_s) + QLatin1Char(' ') + skrot);
    EXPECT_TRUE(prompter().questionsOf(Kind::Modal).isEmpty()) << "a docked editor is not modal";

    // The same company again brings its page forward; a new one gets a page of its own.
    zakladki()->setCurrentIndex(0);
    klawisz(Qt::Key_Return);
    EXPECT_EQ(zakladki()->count(), 2);
    EXPECT_EQ(zakladki()->currentIndex(), 1);
    zakladki()->setCurrentIndex(0);
    klawisz(Qt::Key_Insert);
    ASSERT_EQ(zakladki()->count(), 3);
    ASSERT_NE(edytor(2), nullptr);
    EXPECT_EQ(edytor(2)->TrybEdycji(), Tszablon_edycja_form::Nowy);
    EXPECT_EQ(edytor(2)->IdRekordu(), 0);

    // A copy starts from the current row; a frame without rights gives read-only editors.
    const int zrodlo = idWiersza(ramka(), 2);
    ASSERT_TRUE(ramka()->GoToId(zrodlo));
    ramka()->Uprawnienia = 0;
    ramka()->nkopiowanieClick();
    ramka()->edycjaClick();
    ASSERT_EQ(zakladki()->count(), 5);
    EXPECT_EQ(edytor(3)->TrybEdycji(), Tszablon_edycja_form::Kopia);
    EXPECT_EQ(edytor(3)->IdRekordu(), 0);
    EXPECT_EQ(edytor(3)->IdZrodla(), zrodlo);
    EXPECT_EQ(edytor(3)->Uprawnienia(), 0);
    EXPECT_EQ(edytor(4)->Uprawnienia(), 0);
}

TEST_P(ListaFirmEdycja, ZapisOdswiezaListeIZostajeNaWierszu)
{
    const int id = idWiersza(ramka(), FirmyDemo - 3);
    ASSERT_TRUE(ramka()->GoToId(id));
    ramka()->edycjaClick();
    ASSERT_NE(edytor(1), nullptr);
    // Sorted by name, the company moves to the top of the list.
    edytor(1)->findChild<QLineEdit *>(u"firma_nazwa"_s)->setText(u"AAA Pierwsza O'Neil"_s);
    edytor(1)->zapisz_zamknij()->click();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(zakladki()->count(), 1) << "saved and closed, the page goes";
    EXPECT_EQ(ramka()->idBiezacegoWiersza(), id);
    EXPECT_EQ(idWiersza(ramka(), 0), id) << "the list was read again";
}

// A server restart ends the session as a terminated backend does.
TEST_P(ListaFirmEdycja, ZerwanePolaczenieZglaszaRazANastepnaAkcjaDziala)
{
    if (GetParam() != db::Engine::PostgreSQL)
        GTEST_SKIP() << "an embedded database has no server to lose";
    const int id = idWiersza(ramka(), 3);
    ASSERT_TRUE(ramka()->GoToId(id));
    ramka()->edycjaClick();
    ASSERT_NE(edytor(1), nullptr);
    edytor(1)->findChild<QLineEdit *>(u"firma_nazwa"_s)->setText(u"AAA Po restarcie"_s);
    scratch().openAnother()->execute(u"select pg_terminate_backend(pid, 5000) from pg_stat_activity"
                                     " where datname = current_database() and pid <> pg_backend_pid()"_s);

    const qsizetype przed = prompter().messageTexts().size();
    edytor(1)->zapisz()->click();
    ASSERT_GT(prompter().messageTexts().size(), przed);
    EXPECT_TRUE(prompter().messageTexts().at(przed).contains(db::Connection::lostConnectionText()))
        << prompter().messageTexts().at(przed).toStdString();

    const qsizetype potem = prompter().messageTexts().size();
    edytor(1)->zapisz()->click();
    ramka()->odswiezClick();
    EXPECT_EQ(prompter().messageTexts().size(), potem);
    EXPECT_FALSE(edytor(1)->CzyZmieniony());
    EXPECT_EQ(idWiersza(ramka(), 0), id);
}

TEST_P(ListaFirmEdycja, PoprzedniaINastepnaFirmaZListy)
{
    const int ostatni = ramka()->Lista()->recordCount() - 1;
    ASSERT_TRUE(ramka()->GoToId(idWiersza(ramka(), ostatni - 1)));
    ramka()->edycjaClick();
    Tedycja_firmy_form *e = edytor(1);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->nastButton()->isVisible());
    EXPECT_TRUE(e->poprzButton()->isEnabled());
    ASSERT_TRUE(e->nastButton()->isEnabled());

    e->nastButtonClick();
    EXPECT_EQ(e->IdRekordu(), idWiersza(ramka(), ostatni));
    EXPECT_EQ(e->findChild<QLineEdit *>(u"firma_nazwa"_s)->text(), ramka()->Lista()->value(u"nazwa"_s).toString())
        << "the next company is loaded";
    EXPECT_FALSE(e->nastButton()->isEnabled()) << "nothing after the last row";

    // A change is asked about before moving on; Cancel stays on the company.
    e->findChild<QLineEdit *>(u"firma_nazwa"_s)->setText(u"Zmiana"_s);
    prompter().answerMessage(host::mb::IdCancel);
    e->poprzButtonClick();
    EXPECT_EQ(e->IdRekordu(), idWiersza(ramka(), ostatni));
    prompter().answerMessage(host::mb::IdNo);
    e->poprzButtonClick();
    EXPECT_EQ(e->IdRekordu(), idWiersza(ramka(), ostatni - 1));
}

// A queued edit opens its company; closing the list asks about the open editors.
TEST_P(ListaFirmEdycja, KolejkowanaEdycjaIZamkniecieListyZEdytorem)
{
    const int id = idWiersza(ramka(), 7);
    ASSERT_NE(ramka()->idBiezacegoWiersza(), id);
    bool byloOtwarte = false;
    _EdytujRekordTab(id, 1, 3, &byloOtwarte);
    EXPECT_TRUE(byloOtwarte);
    ramka()->Timer1()->stop();
    ramka()->Timer1Timer();
    ASSERT_NE(edytor(1), nullptr);
    EXPECT_EQ(edytor(1)->IdRekordu(), id);
    EXPECT_EQ(edytor(1)->TrybEdycji(), Tszablon_edycja_form::Edycja);
    edytor(1)->findChild<QLineEdit *>(u"firma_nazwa"_s)->setText(u"Zmieniona nazwa"_s);
    ASSERT_TRUE(edytor(1)->CzyZmieniony());
    QPointer<QWidget> okno = partners::windows().lista_firm_form;

    prompter().answerMessage(host::mb::IdCancel);
    EXPECT_FALSE(okno->close()) << "Cancel keeps the list and the editor with its changes";
    ASSERT_TRUE(okno);
    EXPECT_TRUE(edytor(1)->CzyZmieniony());

    prompter().answerMessage(host::mb::IdNo);
    EXPECT_TRUE(okno->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(okno);
    EXPECT_FALSE(host::CzyIstniejeRekordDB(u"select id_f from firma where nazwa = :n"_s, nullptr,
                                           {{"n", u"Zmieniona nazwa"_s}}));
}

MALVO_INSTANTIATE_FOR_ENGINES(ListaFirmEdycja);

} // namespace
