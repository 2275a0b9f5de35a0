#include "company/edycja_firmy_form.h"
#include "dokumenty/edycja_dokument_form.h"
#include "dokumenty/lista_dokumenty_fr.h"
#include "dokumenty/pole_daty.h"
#include "dokumenty/ramka_dokumenty_fr.h"
#include "dokumenty/ramka_koszty_fr.h"
#include "ramka/pliki/ramka_powiaz_pliki_fr.h"
#include "ramka/terminarz/ramka_terminarz_fr.h"

#include "company/firma_fixture.h"

#include "dataset.h"
#include "host_funcs.h"
#include "prompter.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using firmatest::Answer;

namespace {

class DokumentyTest : public firmatest::FirmaTest
{
protected:
    void SetUp() override
    {
        FirmaTest::SetUp();
        if (IsSkipped())
            return;
        m_firma = firma(u"Przewozy Dokumentowe"_s);
        m_rodzaj = ile(u"select min(id) from VListaPozSlownika2 where typ_slownika = 'dokument_rodzaj'"_s);
    }

    int dokument(int idFirmy, const QVariantMap &inne = {})
    {
        QVariantMap w = inne;
        w.insert(u"rodzaj"_s, m_rodzaj);
        w.insert(u"id_f"_s, idFirmy);
        return wstaw(u"dokument"_s, u"id_dok"_s, w);
    }
    QString terminy(int idDokumentu)
    {
        return tekstDB(u"select tytul from terminarz where tabela = 28 and id_ = :id"_s, {{u"id"_s, idDokumentu}});
    }

    // Opens the company on its documents tab; `co` runs with the tab's list loaded.
    void naZakladce(const std::function<void(Tlista_dokumenty_frame &)> &co)
    {
        Tedycja_firmy_form forma;
        forma.UstawZakladkeStartowa(u"tsDokumenty"_s);
        prompter().push(Answer::dialog([&](QDialog &) {
            auto *lista = forma.findChild<Tlista_dokumenty_frame *>();
            ASSERT_TRUE(lista && lista->daneWczytane());
            co(*lista);
        }));
        forma.PokazRekord(m_firma, Tedycja_firmy_form::Edycja, 1);
    }
    // The document editor run from the list; `co` drives it.
    void wEdytorze(const std::function<void()> &otworz, const std::function<void(Tedycja_dokument_form &)> &co)
    {
        prompter().push(Answer::dialog([&](QDialog &d) { co(static_cast<Tedycja_dokument_form &>(d)); }));
        otworz();
    }

    int m_firma = 0;
    int m_rodzaj = 0;
};

TEST_P(DokumentyTest, DocumentAddedOnTheCompanyTabGetsItsScheduleEntryEditedAndRemovedThroughTheStrip)
{
    dokument(firma(u"Inna Firma"_s));
    dokument(m_firma);
    host::var::CzyAutomat.set(true);
    host::var::CzyAutomatTerminPrzyszly.set(false);
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    const QDate dzis = QDate::currentDate();
    naZakladce([&](Tlista_dokumenty_frame &lista) {
        EXPECT_EQ(lista.Lista()->recordCount(), 1);
        wEdytorze([&] { lista.nowyClick(); },
                  [&](Tedycja_dokument_form &e) {
                      Tramka_dokumenty_frame &r = *e.ramka_dok();
                      Tramka_terminarz_frame &t = *r.Terminarz();
                      EXPECT_FALSE(t.bDodaj()->isEnabled());
                      r.rodzaj_dok()->setCurrentIndex(1);
                      r.d_waz_do()->setDate(dzis.addDays(20));
                      ASSERT_TRUE(t.bDodaj()->isCheckable());
                      t.bDodaj()->click();
                      r.d_waz_od()->setDate(dzis.addDays(30));
                      EXPECT_EQ(r.d_waz_do()->date(), dzis.addDays(30));
                      EXPECT_FALSE(t.bEdytuj()->isEnabled());
                      EXPECT_FALSE(e.PageControl()->isTabEnabled(1)) << "no files before the document has an id";
                      e.zapisz()->click();
                      ASSERT_GT(e.IdRekordu(), 0);
                      EXPECT_TRUE(e.PageControl()->isTabEnabled(1));
                      EXPECT_EQ(e.ramka_pliki()->tabelaCode(), 28);
                      EXPECT_EQ(terminy(e.IdRekordu()),
                                host::LoadResstrings(u"Resstrings_IDS_wazn_dok"_s) + u' '
                                    + r.rodzaj_dok()->currentText());
                      EXPECT_EQ(host::GetDateTimeDB(u"select data from terminarz where id_ = :id"_s, {}, nullptr,
                                                    {{u"id"_s, e.IdRekordu()}})
                                    .date(),
                                dzis.addDays(30));
                      EXPECT_FALSE(t.bDodaj()->isEnabled());

                      prompter().push(Answer::dialog([](QDialog &s) {
                          s.findChild<QLineEdit *>(u"edTytul"_s)->setText(u"Odnowić licencję"_s);
                          s.accept();
                      }));
                      t.bEdytuj()->click();
                      EXPECT_EQ(terminy(e.IdRekordu()), u"Odnowić licencję"_s);

                      prompter().answerMessage(host::mb::IdYes);
                      t.bUsun()->click();
                      EXPECT_EQ(ile(u"select count(*) from terminarz"_s), 0);
                      EXPECT_FALSE(t.bEdytuj()->isEnabled());
                      EXPECT_TRUE(t.bDodaj()->isEnabled());
                  });
        EXPECT_EQ(lista.Lista()->recordCount(), 2);

        // Deleting a document takes its schedule entry, its file links and their files along.
        const int id = ile(u"select max(id_dok) from dokument"_s);
        QTemporaryDir magazyn;
        host::var::SciezkaDokumenty.set(magazyn.path());
        QDir(magazyn.path()).mkpath(u"F"_s);
        QFile skan(magazyn.filePath(u"F/skan.jpg"_s));
        ASSERT_TRUE(skan.open(QIODevice::WriteOnly) && skan.write("x") == 1);
        skan.close();
        wstaw(u"dokument_plik"_s, u"id_dp"_s, {{u"sciezka"_s, u"F\\skan.jpg"_s}, {u"tabela"_s, 28}, {u"id_"_s, id}});
        wstaw(u"terminarz"_s, u"id_ter"_s, {{u"tabela"_s, 28}, {u"id_"_s, id}, {u"tytul"_s, u"x"_s}});
        ASSERT_TRUE(lista.GoToId(id));
        prompter().answerMessage(host::mb::IdYes);
        lista.usunClick();
        EXPECT_EQ(lista.Lista()->recordCount(), 1);
        EXPECT_EQ(ile(u"select count(*) from dokument_plik where tabela = 28"_s), 0);
        EXPECT_EQ(ile(u"select count(*) from terminarz"_s), 0);
        EXPECT_FALSE(skan.exists());
    });
    EXPECT_EQ(ile(u"select count(*) from dokument where id_f = :f"_s, {{u"f"_s, m_firma}}), 1);
}

// A cost entered on its page is stored and linked with the document, shown again and updated in
// place; a document without an amount stores none.
TEST_P(DokumentyTest, CostOfADocumentIsStoredLinkedAndShownAgain)
{
    const auto dodaj = [&](Tlista_dokumenty_frame &lista, double kwota) {
        wEdytorze([&] { lista.nowyClick(); },
                  [&](Tedycja_dokument_form &e) {
                      Tramka_koszty_frame &k = *e.ramka_dok()->Koszt();
                      EXPECT_EQ(k.parentWidget(), e.PageControl()->findChild<QWidget *>(u"tsKoszt"_s));
                      e.ramka_dok()->rodzaj_dok()->setCurrentIndex(1);
                      k.e_kwota()->setValue(kwota);
                      k.e_stawka_vat()->setCurrentText(u"8"_s);
                      k.e_waluta()->setCurrentText(u"EUR"_s);
                      e.zapisz()->click();
                  });
        return ile(u"select max(id_dok) from dokument"_s);
    };
    const QString powiazany = u"select count(*) from dokument d join koszt k on k.id_koszt = d.id_koszt "
                              "where k.kwota = :kwota and k.stawka_vat = '8' and k.waluta = 'EUR'"_s;
    naZakladce([&](Tlista_dokumenty_frame &lista) {
        const int id = dodaj(lista, 1234.5);
        dodaj(lista, 0);
        EXPECT_EQ(ile(powiazany, {{u"kwota"_s, 1234.5}}), 1);
        EXPECT_EQ(ile(u"select count(*) from dokument where id_koszt is null"_s), 1);
        ASSERT_TRUE(lista.GoToId(id));
        wEdytorze([&] { lista.edycjaClick(); },
                  [&](Tedycja_dokument_form &e) {
                      EXPECT_EQ(e.ramka_dok()->Koszt()->e_kwota()->value(), 1234.5);
                      e.ramka_dok()->Koszt()->e_kwota()->setValue(99);
                      e.zapisz()->click();
                  });
    });
    EXPECT_EQ(ile(powiazany, {{u"kwota"_s, 99}}), 1);
    EXPECT_EQ(ile(u"select count(*) from koszt"_s), 1);

    naZakladce([&](Tlista_dokumenty_frame &ramka) {
        ASSERT_TRUE(ramka.GoToId(ile(u"select min(id_dok) from dokument where id_koszt is not null"_s)));
        wEdytorze([&] { ramka.edycjaClick(); },
                  [&](Tedycja_dokument_form &e) {
                      e.ramka_dok()->Koszt()->e_kwota()->setValue(0);
                      e.zapisz()->click();
                  });
    });
    EXPECT_EQ(ile(u"select count(*) from koszt"_s), 0) << "a cleared amount takes the cost away";
    EXPECT_EQ(ile(u"select count(*) from dokument where id_koszt is not null"_s), 0);
}

TEST_P(DokumentyTest, UntouchedRemarksKeepTheStoredOnesAndASynchronisedDocumentIsOnlyToldAbout)
{
    const int id = dokument(m_firma, {{u"uwagi"_s, u"wczytane"_s}, {u"numer"_s, u"A1"_s}});
    const auto kolumna = [&](const char *k) {
        return tekstDB(u"select %1 from dokument where id_dok = :id"_s.arg(QLatin1String(k)), {{u"id"_s, id}});
    };
    naZakladce([&](Tlista_dokumenty_frame &ramka) {
        wEdytorze([&] { ramka.edycjaClick(); },
                  [&](Tedycja_dokument_form &e) {
                      EXPECT_EQ(e.ramka_dok()->d_uwagi()->toPlainText(), u"wczytane"_s);
                      host::ExecQuery(u"update dokument set uwagi = 'z innego okna' where id_dok = :id"_s, nullptr, 0,
                                      {{u"id"_s, id}});
                      e.findChild<QLineEdit *>(u"numer_seria"_s)->setText(u"B2"_s);
                      e.zapisz()->click();
                      EXPECT_EQ(kolumna("numer"), u"B2"_s);
                      EXPECT_EQ(kolumna("uwagi"), u"z innego okna"_s);

                      host::ExecQuery(u"update dokument set w_synchronizacji = 1"_s);
                      oznacz();
                      e.findChild<QLineEdit *>(u"numer_seria"_s)->setText(u"C3"_s);
                      e.zapisz()->click();
                      EXPECT_EQ(komunikaty(),
                                lista({host::LoadResstrings(u"Resstrings_IDS_nie_mozna_zapisac_do_synchr"_s)}));
                      EXPECT_TRUE(e.CzyZmieniony());
                      EXPECT_EQ(kolumna("numer"), u"B2"_s);
                  });
    });
}

TEST_P(DokumentyTest, ScheduleStripFollowsTheRecordAndRefusesOutsideAnEditor)
{
    Tramka_terminarz_frame t;
    t.UstawRekord(28, 0, true);
    EXPECT_TRUE(t.bDodaj()->isEnabled());
    EXPECT_FALSE(t.bEdytuj()->isEnabled());
    EXPECT_FALSE(t.ZapewnijZapis());
    EXPECT_EQ(prompter().messageTexts(),
              QStringList{host::LoadResstrings(u"Resstrings_IDS_Terminarz_nie_lezy_na_szablonie"_s)});

    const int id = dokument(m_firma);
    host::DEUProstyPowiazanyTermin(nullptr, 2, u"Termin"_s, -1, QDateTime::currentDateTime(), 28, id);
    t.UstawRekord(28, id, true);
    EXPECT_FALSE(t.bDodaj()->isEnabled());
    EXPECT_TRUE(t.bEdytuj()->isEnabled());
    EXPECT_FALSE(t.bUsun()->isCheckable());
    t.UstawRekord(28, id, false);
    ASSERT_TRUE(t.bUsun()->isCheckable());
    EXPECT_TRUE(t.bUsun()->isEnabled());
    t.bUsun()->click(); // held down: removed by the owner's save, not now
    EXPECT_TRUE(t.UsunPrzyZapisie());
    EXPECT_EQ(terminy(id), u"Termin"_s);
}

} // namespace

MALVO_INSTANTIATE_FOR_ENGINES(DokumentyTest);
