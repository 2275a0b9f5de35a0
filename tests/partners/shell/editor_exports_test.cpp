#include "lists/lista_firm_okno_fixture.h"

#include "company/edycja_firmy_form.h"
#include "company/podrekordy/edycja_adresu_form.h"
#include "partners_api.h"

#include "dataset.h"
#include "host_funcs.h"
#include "lista_grid.h"
#include "scripted_prompter.h"
#include "services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLibrary>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Answer = host::ScriptedPrompter::Answer;
using Kind = host::ScriptedPrompter::Kind;

// What an entry point's editor looked like while it was shown.
struct Widok
{
    bool pokazany = false;
    int idRekordu = -1;
    int tryb = -1;
    int upr = -1;
    bool zZlecenia = false;
    bool dodajZlecWlaczony = false;
    bool wywolanieZewnetrzne = false;
    bool wskaznikModulu = false;
    int isEdited = -1;
    QString strona;
};

class EdytorZWejsc : public ListaFirmOkno
{
protected:
    QString nazwa(int id)
    {
        return host::GetStringDB(u"select nazwa from firma where id_f = :id"_s, u"nazwa"_s, nullptr, {{"id", id}});
    }

    // The next modal editor is looked at, then `dalej` acts as the user.
    Widok *obejrzyj(std::function<void(Tedycja_firmy_form &)> dalej = {})
    {
        m_widoki.push_back(std::make_unique<Widok>());
        Widok *w = m_widoki.back().get();
        prompter().push(Answer::dialog([w, dalej](QDialog &d) {
            w->pokazany = d.isVisible();
            auto *e = qobject_cast<Tedycja_firmy_form *>(&d);
            ASSERT_NE(e, nullptr);
            w->idRekordu = e->IdRekordu();
            w->tryb = e->TrybEdycji();
            w->upr = e->Uprawnienia();
            w->zZlecenia = e->ZZlecenia;
            w->dodajZlecWlaczony = e->dodaj_zlec() && e->dodaj_zlec()->isEnabled();
            w->wywolanieZewnetrzne = e->WywolanieZewnetrzne;
            w->wskaznikModulu = partners::windows().edycja_firmy_form == e;
            w->isEdited = _isEdited();
            if (QWidget *strona = e->PageControl()->currentWidget())
                w->strona = strona->objectName();
            if (dalej)
                dalej(*e);
        }));
        return w;
    }

    // Fills what a new company needs and saves it as a user would.
    static void wypelnijIZapisz(Tedycja_firmy_form &e, const QString &nazwaFirmy, const QString &skrot)
    {
        e.findChild<QLineEdit *>(u"firma_nazwa"_s)->setText(nazwaFirmy);
        e.findChild<QLineEdit *>(u"firma_skrot"_s)->setText(skrot);
        auto *miasto = e.findChild<QComboBox *>(u"cbMiasto"_s);
        ASSERT_NE(miasto, nullptr);
        ASSERT_GT(miasto->count(), 1);
        miasto->setCurrentIndex(1);
        e.zapisz_zamknij()->click();
    }

    void poWywolaniu()
    {
        EXPECT_FALSE(partners::windows().edycja_firmy_form) << "the editor is gone when the call returns";
        EXPECT_EQ(_isEdited(), 0);
        EXPECT_EQ(prompter().pendingAnswers(), 0);
    }

    std::vector<std::unique_ptr<Widok>> m_widoki;
};

TEST_P(EdytorZWejsc, EditRecordOddajeIdCokolwiekZrobilUzytkownikAZakladkaSzukaStronyPoNazwie)
{
    const int id = idFirmy(2);

    // Looked at and left.
    const Widok *w = obejrzyj([](Tedycja_firmy_form &e) { e.zamknijClick(); });
    EXPECT_EQ(_EditRecord(nullptr, nullptr, id, host::GetLanguage()), id);
    EXPECT_TRUE(w->pokazany);
    EXPECT_EQ(w->idRekordu, id);
    EXPECT_EQ(w->tryb, Tszablon_edycja_form::Edycja);
    EXPECT_EQ(w->upr, 1) << "admin may save";
    EXPECT_TRUE(w->wywolanieZewnetrzne);
    EXPECT_TRUE(w->dodajZlecWlaczony);
    EXPECT_FALSE(w->zZlecenia);
    EXPECT_TRUE(w->wskaznikModulu);
    EXPECT_EQ(w->isEdited, 1);
    poWywolaniu();

    // A company that is not there.
    EXPECT_EQ(_EditRecord(nullptr, nullptr, 987654, host::GetLanguage()), 987654);
    poWywolaniu();

    // The tab entry looks the page up by its component's name, not by its caption.
    QString podpisKontaktow;
    const Widok *nazwana = obejrzyj([&](Tedycja_firmy_form &e) {
        QWidget *kontakty = e.findChild<QWidget *>(u"tsKontakty"_s);
        podpisKontaktow = e.PageControl()->tabText(e.PageControl()->indexOf(kontakty));
        e.zamknijClick();
    });
    EXPECT_EQ(_EditRecordZakladka(id, host::GetLanguage(), u"tsKontakty"_s), id);
    EXPECT_EQ(nazwana->strona, u"tsKontakty"_s);
    EXPECT_EQ(nazwana->idRekordu, id);
    ASSERT_FALSE(podpisKontaktow.isEmpty());
    ASSERT_NE(podpisKontaktow, u"tsKontakty"_s);

    const Widok *poPodpisie = obejrzyj([](Tedycja_firmy_form &e) { e.zamknijClick(); });
    EXPECT_EQ(_EditRecordZakladka(id, host::GetLanguage(), podpisKontaktow), id);
    EXPECT_EQ(poPodpisie->strona, u"tsDaneOgolne"_s) << "a caption is not a page name";
    poWywolaniu();
}

TEST_P(EdytorZWejsc, EdytorCzytaFirmeWJezykuZWywolania)
{
    const int id = idFirmy(1);
    const QVariantMap jezyk = {{"j", host::GetLanguage()}, {"id", id}};
    host::ExecQuery(u"update firma set typ_firmy = (select id from VListaPozSlownika where typ_slownika = 'typ_firmy'"
                    " and identyfikator = 'firma_wlasna' and id_jezyka = :j) where id_f = :id"_s,
                    nullptr, 0, jezyk);
    const int inny =
        host::GetIntDB(u"select min(id_jezyka) from jezyk where id_jezyka <> :j"_s, QString(), nullptr, jezyk);
    const int brak = 999; // a language the database does not have
    const std::function<int(int)> wejscia[] = {[id](int j) { return _EditRecord(nullptr, nullptr, id, j); },
                                               [id](int j) { return _EditRecordZakladka(id, j, QString()); },
                                               [id](int j) { return _Firma_EditRecord_Zlec(nullptr, nullptr, id, j); }};
    for (const auto &wejscie : wejscia) {
        QStringList nazwy;
        bool wlasna = false;
        for (int i = 0; i < 2; ++i)
            obejrzyj([&](Tedycja_firmy_form &e) {
                nazwy << e.findChild<QLineEdit *>(u"firma_nazwa"_s)->text();
                wlasna = wlasna || e.findChild<QCheckBox *>(u"cbFirmaWlasna"_s)->isChecked();
                e.zamknijClick();
            });
        EXPECT_EQ(wejscie(inny), id);
        EXPECT_EQ(wejscie(brak), id);
        EXPECT_EQ(nazwy.join(u'|').toStdString(), (nazwa(id) + u'|').toStdString());
        EXPECT_TRUE(wlasna) << "an own company in any language";
    }
    poWywolaniu();
}

TEST_P(EdytorZWejsc, NewRecordDajeIdZapisanejFirmyAlboNicAlboMinusPiecIZaznaczaRodzaj)
{
    const int przed = liczbaFirm();
    host::services().restrictedVersion = true;
    EXPECT_EQ(_NewRecord(), -5);
    host::services().restrictedVersion = false;
    EXPECT_TRUE(prompter().questionsOf(Kind::Modal).isEmpty()) << "the restricted list opens nothing";

    // Left without saving: nothing made, 0 back.
    const Widok *porzucony = obejrzyj([](Tedycja_firmy_form &e) { e.zamknijClick(); });
    prompter().answerMessage(host::mb::IdNo);
    EXPECT_EQ(_NewRecord(), 0);
    EXPECT_EQ(porzucony->upr, 1);
    EXPECT_FALSE(porzucony->zZlecenia);
    EXPECT_EQ(liczbaFirm(), przed);
    poWywolaniu();

    obejrzyj([](Tedycja_firmy_form &e) { wypelnijIZapisz(e, u"Nowa z wejścia Sp. z o.o."_s, u"NZW"_s); });
    const int id = _NewRecord();
    ASSERT_GT(id, 0);
    EXPECT_EQ(nazwa(id), u"Nowa z wejścia Sp. z o.o."_s);
    poWywolaniu();

    // With a kind, the new company has it checked.
    const int przewoznik =
        host::GetIntDB(u"select id_wartosci from slowwartosci where wartosc = 'slow_firma_rodzaj_przewoznik'"_s);
    obejrzyj([](Tedycja_firmy_form &e) { wypelnijIZapisz(e, u"Przewozy Grupowe"_s, u"PG"_s); });
    const int zRodzajem = _NewRecordPar(nullptr, przewoznik);
    ASSERT_GT(zRodzajem, 0);
    EXPECT_EQ(host::GetListaIntDB(u"select grupa from firma_grupa where id_f = :id"_s, u"grupa"_s, nullptr,
                                  {{"id", zRodzajem}}),
              QList<int>{przewoznik});
    poWywolaniu();
}

TEST_P(EdytorZWejsc, WywolaniaZeZleceniaBlokujaDodawanieZlecenIPozwalajaZapisac)
{
    // A user who may only read companies.
    host::shutdown();
    bootstrapAs(u"pwisniewski"_s);
    const int id = idFirmy(3);

    const Widok *zwykla = obejrzyj([](Tedycja_firmy_form &e) { e.zamknijClick(); });
    const Widok *zZlecenia = obejrzyj([](Tedycja_firmy_form &e) { e.zamknijClick(); });
    const Widok *nowaZZlecenia = obejrzyj([](Tedycja_firmy_form &e) { e.zamknijClick(); });
    EXPECT_EQ(_EditRecord(nullptr, nullptr, id, host::GetLanguage()), id);
    EXPECT_EQ(_Firma_EditRecord_Zlec(nullptr, nullptr, id, host::GetLanguage()), id);
    prompter().setDefaultMessageAnswer(host::mb::IdNo);
    EXPECT_EQ(_Firma_NewRecord_Zlec(), 0);

    EXPECT_EQ(zwykla->upr, 0) << "rights level 0 is read-only";

    EXPECT_EQ(zZlecenia->upr, 1) << "from an order saving is always allowed";
    EXPECT_FALSE(zZlecenia->dodajZlecWlaczony);
    EXPECT_TRUE(zZlecenia->zZlecenia);

    EXPECT_EQ(nowaZZlecenia->tryb, Tszablon_edycja_form::Nowy);
    EXPECT_TRUE(nowaZZlecenia->zZlecenia);
    poWywolaniu();
}

TEST_P(EdytorZWejsc, EdytujFirmeOtwieraEdytorPrzezWlasnaRamke)
{
    const int id = idFirmy(6);
    QString ramkaWTrakcie;
    const Widok *w = obejrzyj([&](Tedycja_firmy_form &) {
        if (QWidget *ramka = partners::windows().lista_firm_frame)
            ramkaWTrakcie = ramka->objectName();
    });
    _EdytujFirme(id);
    EXPECT_EQ(w->idRekordu, id);
    EXPECT_EQ(w->tryb, Tszablon_edycja_form::Edycja);
    EXPECT_TRUE(w->wywolanieZewnetrzne) << "the frame's edit-from-outside flag reaches the editor";
    EXPECT_EQ(w->upr, 1);
    EXPECT_EQ(ramkaWTrakcie, u"lista_firm_frame"_s);
    EXPECT_FALSE(partners::windows().lista_firm_frame) << "the frame made for the call is gone";
    poWywolaniu();

    // A company the list does not hold opens nothing.
    _EdytujFirme(987654);
    EXPECT_EQ(prompter().questionsOf(Kind::Modal).size(), 1);
    EXPECT_FALSE(partners::windows().lista_firm_frame);
}

TEST_P(EdytorZWejsc, NewRecordFirmaAdresZapisujeAdresFirmyIOddajeJegoId)
{
    const int id = idFirmy(3);
    int wartosci[] = {id, 0};
    int *tablica = wartosci;
    QLibrary modul(QStringLiteral(MALVO_BIN_DIR "/libpartners.so"));
    ASSERT_NE(modul.resolve("_NewRecordFirmaAdres"), nullptr) << "the host finds it";
    prompter().push(Answer::dialog([](QDialog &d) {
        auto &e = static_cast<Tedycja_adresu_form &>(d);
        EXPECT_EQ(partners::windows().edycja_adresu_form.data(), &e);
        EXPECT_TRUE(partners::windows().adresy_firmy_frame);
        e.e_ulica()->setText(u"Portowa"_s);
        e.cbMiasto()->setCurrentIndex(0);
        e.zapisz_zamknij()->click();
    }));
    EXPECT_EQ(_NewRecordFirmaAdres(nullptr, &tablica), QDialog::Accepted);
    const int zapisany = wartosci[1];
    EXPECT_EQ(host::GetIntDB(u"select id_ from adres where ulica = 'Portowa' and id_adr = :id"_s, {}, nullptr,
                             {{"id", zapisany}}),
              id);

    // The saved address opens for edit; left unsaved it answers 0 and keeps the id.
    prompter().push(Answer::dialog([](QDialog &d) {
        EXPECT_EQ(static_cast<Tedycja_adresu_form &>(d).e_ulica()->text(), u"Portowa"_s);
        d.reject();
    }));
    EXPECT_EQ(_NewRecordFirmaAdres(nullptr, &tablica), QDialog::Rejected);
    EXPECT_EQ(wartosci[1], zapisany);
    EXPECT_FALSE(partners::windows().edycja_adresu_form);
    EXPECT_FALSE(partners::windows().adresy_firmy_frame);

    // Another company's address opens nothing.
    wartosci[0] = idFirmy(4);
    EXPECT_EQ(_NewRecordFirmaAdres(nullptr, &tablica), QDialog::Rejected);
    EXPECT_EQ(prompter().questionsOf(Kind::Modal).size(), 2);
}

MALVO_INSTANTIATE_FOR_ENGINES(EdytorZWejsc);

// ---- entry points that act in the list window -----------------------------------------------

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
