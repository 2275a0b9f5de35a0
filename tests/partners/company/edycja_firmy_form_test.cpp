#include "company/edycja_firmy_form.h"
#include "company/edycja_fv_opis_dodatkowy_form.h"
#include "company/walidacja_firmy.h"
#include "ramka/edycja/zapis_procedury.h"

#include "company/firma_fixture.h"

#include "dictionary_form.h"
#include "host_funcs.h"
#include "siblings.h"
#include "stored_proc.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

inline void PrintTo(const QTime &czas, std::ostream *os)
{
    *os << (czas.isValid() ? czas.toString(u"HH:mm"_s).toStdString() : "null");
}

namespace {

using firmatest::Answer;
using Forma = Tedycja_firmy_form;

void fokus(QWidget *w, QEvent::Type typ)
{
    QFocusEvent e(typ, Qt::TabFocusReason);
    QApplication::sendEvent(w, &e);
}

QList<int> idListy(const QComboBox *c)
{
    QList<int> ids;
    for (int i = 0; i < c->count(); ++i)
        ids << c->itemData(i).toInt();
    return ids;
}

class EdycjaFirmyTest : public firmatest::FirmaTest
{
protected:
    void SetUp() override
    {
        FirmaTest::SetUp();
        if (!IsSkipped())
            host::setSiblingDirectory(m_bezSiblingow.path()); // no sibling answers behind the test's back
    }

    // Opens the editor modally through the prompter and lets `co` drive it.
    int otworz(int id, int tryb, int upr, const std::function<void(Forma &)> &co,
               const std::function<void(Forma &)> &przygotuj = {})
    {
        Forma forma;
        if (przygotuj)
            przygotuj(forma);
        prompter().push(Answer::dialog([&](QDialog &d) { co(static_cast<Forma &>(d)); }));
        return forma.PokazRekord(id, tryb, upr);
    }

    // Skips unless the sibling the test drives is built.
    bool zSiblingiem(const QString &dll)
    {
        host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
        return host::SiblingLibrary(dll).isLoaded();
    }

    static bool widoczna(Forma &f, const char *strona)
    {
        return f.PageControl()->isTabVisible(f.PageControl()->indexOf(pole<QWidget>(f, strona)));
    }

    QString kolumna(int id, const char *nazwa)
    {
        return host::GetStringDB(u"select %1 from firma where id_f = :id"_s.arg(QLatin1String(nazwa)), QString(),
                                 nullptr, {{"id", id}});
    }

    int ileFirm() { return ile(u"select count(*) from firma"_s); }

    QList<QTime> czasyPracy(int id)
    {
        QList<QTime> czasy;
        for (const char *k : {"nocne_od", "nocne_do", "swieta_od", "pora_nocna_od", "pora_nocna_do"})
            czasy << host::GetDateTimeDB(u"select %1 from firma where id_f = :id"_s.arg(QLatin1String(k)), QString(),
                                         nullptr, {{"id", id}})
                         .time();
        return czasy;
    }

    QString ostatni()
    {
        const QStringList teksty = prompter().messageTexts();
        return teksty.isEmpty() ? QString() : teksty.last();
    }

    QTemporaryDir m_bezSiblingow;
};

// ---- a new company --------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, NewCompanyNamesEachMissingFieldInTurnAsksAboutADuplicateNipThenSavesAndUpdates)
{
    firma(u"Istniejąca"_s, {{"skrot", u"IST"_s}, {"nip", u"5260001246"_s}});
    int id = 0;
    QString podpis;
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        auto *nazwa = pole<QLineEdit>(f, "firma_nazwa");
        auto *skrot = pole<QLineEdit>(f, "firma_skrot");
        auto *miasto = pole<QComboBox>(f, "cbMiasto");
        auto *waluta = pole<QComboBox>(f, "cbWalutaLimitu");
        auto *limit = pole<QDoubleSpinBox>(f, "eLimitKredytowy");
        auto *nip = pole<QLineEdit>(f, "firma_nip");
        const partners::PodpowiedziPol podpowiedzi;
        EXPECT_TRUE(f.CzyZmieniony());
        EXPECT_FALSE(f.dodaj_zlec()->isEnabled()) << "no order for a company not saved yet";
        for (const char *strona :
             {"tsDaneDomyslne", "tsOddzialy", "tsKontakty", "tsKsiegRozl", "tsDomyslneFV", "tsDokumenty"})
            EXPECT_FALSE(widoczna(f, strona)) << strona;

        const struct
        {
            std::function<void()> wpisz;
            QString podpowiedz;
            QWidget *pole;
        } kroki[] = {
            {[] {}, podpowiedzi.nazwa, nazwa},
            {[&] { nazwa->setText(u"Alfa Transport"_s); }, podpowiedzi.skrot, skrot},
            {[&] { skrot->setText(u"ALFA"_s); }, podpowiedzi.miasto, miasto},
            {[&] {
                 miasto->setCurrentIndex(-1);
                 for (int i = 0; i < miasto->count() && miasto->currentIndex() < 0; ++i)
                     if (miasto->itemData(i, Qt::UserRole + 1).toInt() == m_kodWarszawy)
                         miasto->setCurrentIndex(i);
                 limit->setValue(0.01);
                 waluta->setCurrentIndex(0);
             },
             podpowiedzi.waluta, waluta},
        };
        for (const auto &krok : kroki) {
            krok.wpisz();
            f.zapisz()->click();
            EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_prosze_wypelnic_pole").arg(krok.podpowiedz));
            EXPECT_EQ(f.focusWidget(), krok.pole);
        }
        EXPECT_EQ(miasto->currentData().toInt(), m_warszawa);

        limit->setValue(0); // no limit needs no currency
        nip->setText(u"526-000-12-46"_s);
        prompter().answerMessage(host::mb::IdNo);
        f.zapisz()->click();
        EXPECT_TRUE(ostatni().startsWith(tekst("Resstrings_IDS_NipJuzJest"))) << ostatni().toStdString();
        EXPECT_EQ(f.focusWidget(), nip);
        EXPECT_EQ(ileFirm(), 1);
        EXPECT_TRUE(f.CzyZmieniony());

        prompter().answerMessage(host::mb::IdYes);
        oznacz();
        f.zapisz()->click();
        EXPECT_EQ(komunikaty(), lista({ostatni()})) << "only the NIP question";
        EXPECT_FALSE(f.CzyZmieniony());
        id = f.IdRekordu();
        podpis = f.windowTitle();
        EXPECT_TRUE(widoczna(f, "tsKontakty"));
        EXPECT_FALSE(widoczna(f, "tsDaneDomyslne"));
        EXPECT_EQ(f.TrybEdycji(), Forma::Edycja);
        EXPECT_TRUE(f.dodaj_zlec()->isEnabled());

        // Saved again without closing: the same record is updated.
        pole<QLineEdit>(f, "firma_www")->setText(u"alfa.example"_s);
        EXPECT_TRUE(f.CzyZmieniony());
        f.zapisz()->click();
        EXPECT_FALSE(f.CzyZmieniony());
        EXPECT_EQ(f.IdRekordu(), id);
    });
    ASSERT_GT(id, 0);
    EXPECT_EQ(podpis, u"Alfa Transport"_s);
    EXPECT_EQ(kolumna(id, "skrot"), u"ALFA"_s);
    EXPECT_EQ(kolumna(id, "www"), u"alfa.example"_s);
    EXPECT_EQ(ileFirm(), 2);
    EXPECT_EQ(ile(u"select count(*) from adres where id_ = :id and tabela = 7 and czy_domyslny = 1 and id_m = :m"_s,
                  {{"id", id}, {"m", m_warszawa}}),
              1);
}

TEST_P(EdycjaFirmyTest, PrefilledNewCompanyResolvesCityAndSplitsStreet)
{
    partners::WartosciPoczatkoweFirmy p;
    p.nazwa = u" Delta Logistik "_s;
    p.nip = u"DE811234567"_s;
    p.miasto = u"Warszawa"_s;
    p.kod = host::GetStringDB(u"select kod from kod_pocztowy where id_kodu = :id"_s, QString(), nullptr,
                              {{"id", m_kodWarszawy}});
    p.ulica = u"Długa 5/3"_s;
    otworz(
        0, Forma::Nowy, 1,
        [&](Forma &f) {
            EXPECT_EQ(pole<QLineEdit>(f, "firma_nazwa")->text(), u"Delta Logistik"_s);
            EXPECT_EQ(pole<QComboBox>(f, "cbPrefiksNip")->currentText(), u"DE"_s);
            EXPECT_EQ(pole<QLineEdit>(f, "firma_nip")->text(), u"811234567"_s);
            EXPECT_EQ(pole<QComboBox>(f, "cbMiasto")->currentData().toInt(), m_warszawa);
            EXPECT_EQ(pole<QLineEdit>(f, "firma_ulica")->text(), u"Długa"_s);
            EXPECT_EQ(pole<QLineEdit>(f, "firma_nr_domu")->text(), u"5"_s);
            EXPECT_EQ(pole<QLineEdit>(f, "firma_nr_m")->text(), u"3"_s);
            EXPECT_TRUE(pole<QCheckBox>(f, "cbAktywna")->isChecked());
            EXPECT_EQ(pole<QComboBox>(f, "cbDodatkoweWolne")->currentData().toInt(), 7);
            pole<QLineEdit>(f, "firma_skrot")->setText(u"DELTA"_s);
            f.zapisz()->click();
        },
        [&](Forma &f) { f.UstawWartosciPoczatkowe(p); });
    // The windowless writer's working time.
    EXPECT_EQ(czasyPracy(host::GetIntDB(u"select max(id_f) from firma"_s)),
              (QList<QTime>{{22, 0}, {6, 0}, {6, 0}, {0, 0}, {4, 0}}));
}

// ---- refused saves and closing ----------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, RefusedSaveAndTheClosingQuestionKeepWhatTheUserTyped)
{
    const int id = firmaZAdresem(u"Beta"_s, {{"skrot", u"BETA"_s}});
    const QVariantMap idf = {{"id", id}};
    // Another user, saving without a window (so without a version) or deleting.
    const auto drugi = scratch().openAnother();
    const auto drugiZapis = [&](const char *procedura, const QVariantMap &p) {
        return partners::wykonajZapis(QLatin1String(procedura), p, drugi.get()).kod;
    };
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_FALSE(f.CzyZmieniony());
        pole<QLineEdit>(f, "firma_nazwa")->setText(u"Beta Zmieniona"_s);
        EXPECT_EQ(f.windowTitle(), u"*Beta Zmieniona"_s);

        // Another user's synchronisation holds the record: 102.
        host::ExecQuery(u"update firma set w_synchronizacji = 1 where id_f = :id"_s, nullptr, 0, idf);
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_nie_mozna_zapisac_do_synchr"));
        EXPECT_TRUE(f.CzyZmieniony()) << "the change is still there to save again";
        EXPECT_EQ(pole<QLineEdit>(f, "firma_nazwa")->text(), u"Beta Zmieniona"_s);
        EXPECT_EQ(kolumna(id, "nazwa"), u"Beta"_s);
        host::ExecQuery(u"update firma set w_synchronizacji = 0 where id_f = :id"_s, nullptr, 0, idf);

        // Saved by the other user after it was opened: told, never overwritten.
        ASSERT_EQ(drugiZapis("PZapFirmeFull", {{"@nazwa", u"Beta Innego"_s}, {"@skrot", u"BETA"_s}, {"@id", id}}), 0);
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Firma_zmieniona_przez_innego"));
        EXPECT_TRUE(f.CzyZmieniony());
        EXPECT_EQ(pole<QLineEdit>(f, "firma_nazwa")->text(), u"Beta Zmieniona"_s);
        EXPECT_EQ(kolumna(id, "nazwa"), u"Beta Innego"_s);

        prompter().answerMessage(host::mb::IdCancel);
        f.zamknijClick();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Dane_nie_zapisane"));
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(f.CzyZmieniony());

        prompter().answerMessage(host::mb::IdNo);
        f.zamknijClick();
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_EQ(kolumna(id, "nazwa"), u"Beta Innego"_s);

    const int wynik = otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        pole<QLineEdit>(f, "firma_nazwa")->setText(u"Beta Zmieniona"_s);
        prompter().answerMessage(host::mb::IdYes);
        f.zamknijClick();
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_EQ(wynik, QDialog::Accepted);
    EXPECT_EQ(kolumna(id, "nazwa"), u"Beta Zmieniona"_s);
    EXPECT_EQ(czasyPracy(id), QList<QTime>(5)) << "empty times stay empty";

    // Deleted by the other user while open: 101, and nothing comes back.
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        for (const QString &www : {u"beta.example"_s, u"beta.example.pl"_s}) {
            pole<QLineEdit>(f, "firma_www")->setText(www);
            f.zapisz()->click();
        }
        EXPECT_EQ(kolumna(id, "www"), u"beta.example.pl"_s) << "a save goes on from the version it wrote";
        ASSERT_EQ(drugiZapis("PUsunW", {{"@tabela", u"firma"_s}, {"@nazwa_id", u"id_f"_s}, {"@id", id}}), 0);
        pole<QLineEdit>(f, "firma_www")->setText(u"beta.pl"_s);
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Rekord_usuniety"));
        EXPECT_TRUE(f.CzyZmieniony());
        prompter().answerMessage(host::mb::IdNo);
        f.zamknijClick();
    });
    EXPECT_EQ(ile(u"select count(*) from firma where id_f = :id"_s, idf), 0);
    EXPECT_EQ(ile(u"select count(*) from adres where tabela = 7 and id_ = :id"_s, idf), 0);
}

TEST_P(EdycjaFirmyTest, SaveWhoseProcedureFailsAtItsEndStoresNothingAndKeepsWhatTheUserTyped)
{
    const QString wiersze = u"select (select count(*) from firma) + (select count(*) from adres)"
                            " + (select count(*) from ustawienia) + (select count(*) from firma_grupa)"_s;
    const int przed = ile(wiersze);
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        pole<QLineEdit>(f, "firma_nazwa")->setText(u"Gamma Cargo"_s);
        pole<QLineEdit>(f, "firma_skrot")->setText(u"GAMMA"_s);
        pole<QLineEdit>(f, "firma_ulica")->setText(u"Polna"_s);
        auto *miasto = pole<QComboBox>(f, "cbMiasto");
        miasto->setCurrentIndex(miasto->findData(m_kodWarszawy, Qt::UserRole + 1));
        pole<QListWidget>(f, "clbRodzaje")->item(0)->setCheckState(Qt::Checked);
        // The procedure has written the company when it fails.
        db::StoredProc::setFailingProcedure(u"PZapFirmeFull"_s);
        oznacz();
        f.zapisz()->click();
        db::StoredProc::setFailingProcedure(QString());
        EXPECT_TRUE(komunikaty().find("injected failure") != std::string::npos) << komunikaty();
        EXPECT_EQ(ile(wiersze), przed);
        EXPECT_TRUE(f.CzyZmieniony());
        EXPECT_EQ(f.TrybEdycji(), Forma::Nowy);
        EXPECT_EQ(pole<QLineEdit>(f, "firma_nazwa")->text(), u"Gamma Cargo"_s);
        EXPECT_EQ(pole<QLineEdit>(f, "firma_ulica")->text(), u"Polna"_s);
        EXPECT_EQ(miasto->currentData().toInt(), m_warszawa);

        f.zapisz()->click(); // the same values go in whole the second time
        EXPECT_FALSE(f.CzyZmieniony());
    });
    EXPECT_EQ(ile(u"select count(*) from firma f join adres a on a.id_ = f.id_f and a.tabela = 7"
                  " join firma_grupa g on g.id_f = f.id_f where f.nazwa = 'Gamma Cargo' and a.ulica = 'Polna'"_s),
              1);
}

// ---- rights ------------------------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, RightsDecideTheSaveButtonsTheOrderButtonAndTheInvoicePage)
{
    const int obca = firmaZAdresem(u"Tylko Do Odczytu"_s);
    otworz(obca, Forma::Edycja, 0, [&](Forma &f) {
        pole<QLineEdit>(f, "firma_nazwa")->setText(u"Zmiana"_s);
        pole<QCheckBox>(f, "cbBus")->toggle();
        EXPECT_FALSE(f.zapisz()->isEnabled());
        EXPECT_FALSE(f.zapisz_zamknij()->isEnabled());
        f.zapiszClick();
        f.zamknijClick(); // clean: no question
    });
    EXPECT_EQ(kolumna(obca, "nazwa"), u"Tylko Do Odczytu"_s);
    EXPECT_TRUE(prompter().messageTexts().isEmpty());

    const int wlasny = host::GetIntDB(u"select id from VListaPozSlownika where typ_slownika = 'typ_firmy'"
                                      " and identyfikator = 'firma_wlasna' and id_jezyka = :j"_s,
                                      QString(), nullptr, {{"j", host::GetLanguage()}});
    ASSERT_GT(wlasny, 0);
    const int id = firmaZAdresem(u"Nasza Spółka"_s, {{"typ_firmy", wlasny}});
    host::var::UprawnieniaZapisFirmyWlasne.set(false);
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_TRUE(pole<QCheckBox>(f, "cbFirmaWlasna")->isChecked());
        EXPECT_EQ(f.Uprawnienia(), 0);
        pole<QLineEdit>(f, "firma_www")->setText(u"nasza.example"_s);
        EXPECT_FALSE(f.zapisz()->isEnabled());
        // Unticking the box gives the rights back.
        pole<QCheckBox>(f, "cbFirmaWlasna")->setChecked(false);
        EXPECT_EQ(f.Uprawnienia(), 1);
        EXPECT_TRUE(f.zapisz()->isEnabled());
    });
    host::var::UprawnieniaZapisFirmyWlasne.set(true);
    otworz(id, Forma::Edycja, 1, [&](Forma &f) { EXPECT_EQ(f.Uprawnienia(), 1); });

    // A user without rights on orders and sales invoices.
    host::ExecQuery(u"delete from uprawnienia where modul = 'orders.dll' and id_u = (select id_u from "
                    "uzytkownik where login = 'anowak')"_s);
    bootstrapAs(u"anowak"_s);
    oznacz();
    otworz(obca, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_FALSE(widoczna(f, "tsDomyslneFV"));
        EXPECT_TRUE(widoczna(f, "tsKontakty"));
        ASSERT_TRUE(f.dodaj_zlec()->isEnabled());
        f.dodaj_zlec()->click();
        const auto pytania = prompter().questionsOf(host::ScriptedPrompter::Kind::Message);
        ASSERT_FALSE(pytania.isEmpty());
        EXPECT_EQ(komunikaty(), lista({tekst("Resstrings_IDS_Brak_Upr")}));
        EXPECT_EQ(pytania.last().caption, u"Malvo - ERROR"_s);
        EXPECT_TRUE(pole<QWidget>(f, "gbRozliczenia")->isHidden()) << "no working-time module";
    });

    // The tachograph modules need the hours; only the calendar settles periods and writes the footer.
    for (const auto &[modul, okresy] :
         {std::pair{"file_opener.dll", false}, {"tachograph_list.dll", false}, {"calendars.dll", true}}) {
        const QVariantMap m = {{"m", QLatin1String(modul)}};
        host::ExecQuery(u"insert into uprawnienia (id_u, modul, poziom) select id_u, :m, 0 from uzytkownik"
                        " where login = 'anowak'"_s,
                        nullptr, 0, m);
        otworz(obca, Forma::Edycja, 1, [&](Forma &f) {
            EXPECT_FALSE(pole<QWidget>(f, "gbRozliczenia")->isHidden()) << modul;
            EXPECT_FALSE(pole<QWidget>(f, "tPoraNocnaOd")->isHidden()) << modul;
            EXPECT_EQ(pole<QWidget>(f, "cbOkresRoz")->isHidden(), !okresy) << modul;
            EXPECT_EQ(pole<QWidget>(f, "firma_komentarz")->isHidden(), !okresy) << modul;
        });
        host::ExecQuery(u"delete from uprawnienia where modul = :m"_s, nullptr, 0, m);
    }
}

TEST_P(EdycjaFirmyTest, TypeDictionaryTakesANewCompanyType)
{
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        prompter().push(Answer::dialog([](QDialog &d) {
            d.findChild<QLineEdit *>(u"nowa_wartosc"_s)->setText(u"Spedytor"_s);
            static_cast<host::TslownikForm &>(d).dodajClick();
            d.reject();
        }));
        pole<QToolButton>(f, "bDodajTyp")->click();
        EXPECT_GE(pole<QComboBox>(f, "cbTyp")->findText(u"Spedytor"_s), 0);
    });
    EXPECT_EQ(ile(u"select count(*) from slowwartosci where typ_slownika = 'typ_firmy' and wartosc = 'Spedytor'"_s), 1);
}

// ---- head office and branch ----------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, BranchChoosesAHeadOfficeOtherThanItselfOrABranchAndMayShareItsNip)
{
    const int centrala = firmaZAdresem(u"A Centrala"_s, {{"skrot", u"ACEN"_s}, {"nip", u"5260001246"_s}});
    const int oddzial = firma(u"B Oddział"_s, {{"skrot", u"BODD"_s}, {"id_centrali", centrala}});
    const int ta = firmaZAdresem(u"C Samodzielna"_s);
    otworz(ta, Forma::Edycja, 1, [&](Forma &f) {
        auto *centrale = pole<QComboBox>(f, "cbCentrala");
        EXPECT_TRUE(centrale->isHidden());
        pole<QRadioButton>(f, "rbOddzial")->click();
        EXPECT_FALSE(centrale->isHidden());
        EXPECT_EQ(f.PageControl()->tabText(f.PageControl()->indexOf(pole<QWidget>(f, "tsOddzialy"))),
                  tekst("Resstrings_IDS_Centrala2"));
        // Read on opening, not with the editor: a large register has a million of them.
        EXPECT_EQ(centrale->count(), 0);
        centrale->showPopup();
        centrale->hidePopup();
        const QList<int> ids = idListy(centrale);
        EXPECT_TRUE(ids.contains(centrala));
        EXPECT_FALSE(ids.contains(oddzial));
        EXPECT_FALSE(ids.contains(ta));
        EXPECT_TRUE(f.CzyZmieniony());

        // A branch without its head office is refused first.
        centrale->setCurrentIndex(-1);
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_PustaNazwaOddzialuFirmy"));
        EXPECT_EQ(f.focusWidget(), centrale);

        centrale->setCurrentIndex(centrale->findData(centrala));
        pole<QLineEdit>(f, "firma_nip")->setText(u"5260001246"_s);
        oznacz();
        f.zapisz()->click();
        EXPECT_EQ(komunikaty(), "");
    });
    EXPECT_EQ(kolumna(ta, "id_centrali").toInt(), centrala);
    // The branch opens on its head office.
    otworz(oddzial, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_TRUE(pole<QRadioButton>(f, "rbOddzial")->isChecked());
        auto *centrale = pole<QComboBox>(f, "cbCentrala");
        EXPECT_EQ(centrale->count(), 1);
        centrale->showPopup();
        centrale->hidePopup();
        EXPECT_EQ(centrale->currentData().toInt(), centrala);
        EXPECT_TRUE(idListy(centrale).contains(centrala));
        EXPECT_FALSE(idListy(centrale).contains(oddzial));
    });
    // A head office with branches cannot become a branch.
    otworz(centrala, Forma::Edycja, 1, [&](Forma &f) {
        oznacz();
        pole<QRadioButton>(f, "rbOddzial")->click();
        EXPECT_EQ(komunikaty(), lista({tekst("Resstrings_IDS_Blokada_Oddzial")}));
        EXPECT_TRUE(pole<QRadioButton>(f, "rbCentrala")->isChecked());
        EXPECT_TRUE(pole<QComboBox>(f, "cbCentrala")->isHidden());
        EXPECT_FALSE(f.CzyZmieniony());
    });
}

// ---- typing -------------------------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, LeavingTheNameGeneratesAUniqueShortName)
{
    host::var::UnikalneSkrotyFirm.set(true);
    firma(u"Alfa Beta Cargo sp. z o.o."_s, {{"skrot", u"ABC"_s}});
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        auto *nazwa = pole<QLineEdit>(f, "firma_nazwa");
        auto *skrot = pole<QLineEdit>(f, "firma_skrot");
        nazwa->setText(u"Alfa Beta Cargo"_s);
        fokus(nazwa, QEvent::FocusOut);
        EXPECT_EQ(skrot->text(), u"ABC_2"_s);

        // A short name the user typed stays.
        skrot->setText(u"WŁASNY"_s);
        fokus(nazwa, QEvent::FocusOut);
        fokus(skrot, QEvent::FocusIn);
        EXPECT_EQ(skrot->text(), u"WŁASNY"_s);

        // Entering an empty short name fills it too.
        skrot->clear();
        fokus(skrot, QEvent::FocusIn);
        EXPECT_EQ(skrot->text(), u"ABC_2"_s);

        // Without the 20-character switch only the column's width cuts what is typed.
        skrot->setText(QString(60, u'S'));
        EXPECT_EQ(skrot->text().size(), 50);
    });
    host::var::CzySkrotFirma20.set(true);
    firma(u"Transportowoekspedycyjne"_s, {{"skrot", u"TRANSPORTOWOEKSPEDYC"_s}});
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        auto *skrot = pole<QLineEdit>(f, "firma_skrot");
        // The unique suffix fits in the 20 characters instead of being cut off by the field.
        pole<QLineEdit>(f, "firma_nazwa")->setText(u"Transportowoekspedycyjne"_s);
        fokus(pole<QLineEdit>(f, "firma_nazwa"), QEvent::FocusOut);
        EXPECT_NE(skrot->text(), u"TRANSPORTOWOEKSPEDYC"_s);
        EXPECT_LE(skrot->text().size(), 20);
        skrot->setText(QString(40, u'S'));
        EXPECT_EQ(skrot->text().size(), 20);
    });
}

TEST_P(EdycjaFirmyTest, StoredNipShowsItsPrefixApartColoursWhileTypingAndGoesToVies)
{
    const int de = firmaZAdresem(u"Deutsche Fracht"_s, {{"nip", u"DE123456789"_s}});
    otworz(de, Forma::Edycja, 1, [&](Forma &f) {
        auto *prefiks = pole<QComboBox>(f, "cbPrefiksNip");
        auto *nip = pole<QLineEdit>(f, "firma_nip");
        auto *vies = pole<QToolButton>(f, "bVies");
        EXPECT_EQ(prefiks->currentText(), u"DE"_s);
        EXPECT_EQ(nip->text(), u"123456789"_s);
        EXPECT_FALSE(f.CzyZmieniony());

        // VIES needs a valid number and a prefix before it opens the query.
        nip->setText(u"123"_s);
        vies->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Bledny_lub_niewpisany_NIP"));
        prefiks->setCurrentIndex(0);
        nip->setText(u"123456789"_s);
        vies->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Brak_kodu_poprz_NIP"));
        EXPECT_TRUE(prompter().questionsOf(host::ScriptedPrompter::Kind::OpenUrl).isEmpty());
        prefiks->setCurrentIndex(prefiks->findText(u"DE"_s));
        vies->click();
        const auto otwarte = prompter().questionsOf(host::ScriptedPrompter::Kind::OpenUrl);
        ASSERT_EQ(otwarte.size(), 1);
        EXPECT_TRUE(otwarte.first().text.contains(u"ms=DE"_s)) << otwarte.first().text.toStdString();
        EXPECT_TRUE(otwarte.first().text.contains(u"vat=123456789"_s));
    });

    const QString prefiksPolski = host::GetStringDB(u"select NIP from panstwo where sam = 'PL'"_s);
    ASSERT_FALSE(prefiksPolski.isEmpty());
    const int pl = firmaZAdresem(u"Polska Firma"_s, {{"nip", u"5260001246"_s}});
    otworz(pl, Forma::Edycja, 1, [&](Forma &f) {
        auto *nip = pole<QLineEdit>(f, "firma_nip");
        auto *prefiks = pole<QComboBox>(f, "cbPrefiksNip");
        EXPECT_EQ(prefiks->currentText(), prefiksPolski);
        EXPECT_EQ(nip->text(), u"5260001246"_s);
        const QColor zwykly = QPalette().color(QPalette::Text);
        const QColor poprawny = nip->palette().color(QPalette::Text);
        EXPECT_NE(poprawny, zwykly); // a valid Polish NIP is marked

        nip->setText(u"5260001247"_s);
        const QColor bledny = nip->palette().color(QPalette::Text);
        EXPECT_NE(bledny, poprawny);
        EXPECT_NE(bledny, zwykly);
        EXPECT_TRUE(f.CzyZmieniony());

        prefiks->setCurrentIndex(prefiks->findText(u"DE"_s));
        EXPECT_EQ(nip->palette().color(QPalette::Text), zwykly);

        // REGON and KRS are hinted in the same colours.
        auto *regon = pole<QLineEdit>(f, "firma_regon");
        regon->setText(u"123456786"_s);
        EXPECT_EQ(regon->palette().color(QPalette::Text), bledny);
        regon->setText(u"123456785"_s);
        EXPECT_EQ(regon->palette().color(QPalette::Text), poprawny);
        auto *krs = pole<QLineEdit>(f, "firma_krs");
        krs->setText(u"12345"_s);
        EXPECT_EQ(krs->palette().color(QPalette::Text), bledny);
        krs->clear();
        EXPECT_EQ(krs->palette().color(QPalette::Text), zwykly);

        auto *email = pole<QLineEdit>(f, "firma_e_mail");
        email->setText(u"biuro@"_s);
        EXPECT_EQ(email->palette().color(QPalette::Text), bledny);
        email->setText(u"biuro@polska.example.com"_s);
        EXPECT_EQ(email->palette().color(QPalette::Text), zwykly);
    });
}

TEST_P(EdycjaFirmyTest, NewCityFromTheCityEditorIsChosenForTheCompany)
{
    if (!zSiblingiem(u"cities.dll"_s))
        GTEST_SKIP() << "libcities.so is not built";
    const int id = firmaZAdresem(u"Nowe miasto"_s);
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        // The user fills in the city editor that the "+" button opens.
        prompter().push(Answer::dialog([](QDialog &d) {
            d.findChild<QLineEdit *>(u"edMiasto"_s)->setText(u"Zażółć-Wieś O'Dolna"_s);
            d.findChild<QPlainTextEdit *>(u"memKody"_s)->setPlainText(u"98-765"_s);
            d.accept();
        }));
        pole<QToolButton>(f, "bNoweMiasto")->click();
        auto *miasto = pole<QComboBox>(f, "cbMiasto");
        EXPECT_TRUE(miasto->currentText().contains(u"Zażółć-Wieś O'Dolna"_s)) << miasto->currentText().toStdString();
        EXPECT_TRUE(f.CzyZmieniony()) << "another city is a change of the company";
    });
    EXPECT_EQ(ile(u"select count(*) from miasto where miasto = :m"_s, {{"m", u"Zażółć-Wieś O'Dolna"_s}}), 1);
}

// ---- pages and the invoice tab ----------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, PagesLoadOnFirstDisplayOnlyAndStayWhileASaveWaitsForAnAnswer)
{
    firmaZAdresem(u"Bliźniak"_s);
    const int id = firmaZAdresem(u"Zakładki"_s, {{"skrot", u"ZWT"_s}});
    const auto przygotuj = [](Forma &f) {
        f.UstawZakladkeStartowa(u"tsKsiegRozl"_s);
        f.ZZlecenia = true;
    };
    otworz(
        id, Forma::Edycja, 1,
        [&](Forma &f) {
            EXPECT_FALSE(f.dodaj_zlec()->isEnabled()) << "opened from within an order";
            QTabWidget *strony = f.PageControl();
            EXPECT_EQ(strony->currentWidget()->objectName(), u"tsKsiegRozl"_s);
            EXPECT_TRUE(f.ZakladkaZaladowana(u"tsKsiegRozl"_s));
            strony->setCurrentWidget(pole<QWidget>(f, "tsDaneOgolne"));
            EXPECT_FALSE(f.CzyZmieniony());
            const int kontakty = strony->indexOf(pole<QWidget>(f, "tsKontakty"));
            const auto kliknijKontakty = [&] {
                QTest::mouseClick(strony->tabBar(), Qt::LeftButton, {}, strony->tabBar()->tabRect(kontakty).center());
            };
            pole<QLineEdit>(f, "firma_nazwa")->setText(u"Bliźniak"_s);
            // The duplicate-name question is up: the user clicks another page behind it.
            prompter().push(Answer::button(host::mb::IdNo, [&] {
                kliknijKontakty();
                EXPECT_EQ(strony->currentWidget()->objectName(), u"tsDaneOgolne"_s);
            }));
            f.zapisz()->click();
            EXPECT_FALSE(f.ZakladkaZaladowana(u"tsKontakty"_s));
            EXPECT_TRUE(f.CzyZmieniony());

            kliknijKontakty();
            EXPECT_EQ(strony->currentIndex(), kontakty);
            EXPECT_TRUE(f.ZakladkaZaladowana(u"tsKontakty"_s));
        },
        przygotuj);
}

TEST_P(EdycjaFirmyTest, StartOfPeriodsNeedsALengthBeforeTheFirstPeriodsAreMade)
{
    if (!zSiblingiem(u"shared_store.dll"_s)) // the lengths come from the shared store
        GTEST_SKIP() << "libshared_store.so is not built";
    const int id = firmaZAdresem(u"Okresy"_s);
    const QString okresy = u"select count(*) from okres_roz where id_f = :id"_s;
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        ASSERT_FALSE(pole<QWidget>(f, "gbRozliczenia")->isHidden());
        auto *dlugosc = pole<QComboBox>(f, "cbOkresRoz");
        ASSERT_GT(dlugosc->count(), 1);
        dlugosc->setCurrentIndex(0);
        pole<QDateEdit>(f, "dPoczatekOkresu")->setDate(QDate(2026, 1, 1));
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_PustaDlugoscOkresuRozl"));
        EXPECT_EQ(f.PageControl()->currentWidget()->objectName(), u"tsKsiegRozl"_s);
        EXPECT_EQ(f.focusWidget(), dlugosc);
        EXPECT_EQ(ile(okresy, {{"id", id}}), 0);

        dlugosc->setCurrentIndex(1);
        oznacz();
        f.zapisz()->click();
        EXPECT_EQ(komunikaty(), "");
        EXPECT_FALSE(f.CzyZmieniony());
    });
    EXPECT_GT(ile(okresy, {{"id", id}}), 0);
    EXPECT_EQ(
        host::GetDateTimeDB(u"select min(data_od) from okres_roz where id_f = :id"_s, QString(), nullptr, {{"id", id}})
            .date(),
        QDate(2026, 1, 1));
}

TEST_P(EdycjaFirmyTest, OrderTemplateMadeInDeliveryTermsIsChosenAndSaved)
{
    if (!zSiblingiem(u"delivery_terms.dll"_s))
        GTEST_SKIP() << "libdelivery_terms.so is not built";
    const int id = firmaZAdresem(u"Szablony"_s);
    const auto wpisz = [](const QString &nazwa) {
        return Answer::dialog([nazwa](QDialog &d) {
            d.findChild<QLineEdit *>(u"edNazwa"_s)->setText(nazwa);
            d.findChild<QPlainTextEdit *>(u"memTresc"_s)->setPlainText(u"Płatne przelewem"_s);
            d.accept();
        });
    };
    int szablon = 0;
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        auto *zlecenia = pole<QComboBox>(f, "cbSzablonZlecenia");
        auto *potwierdzenia = pole<QComboBox>(f, "cbSzablonPotwierdzenia");
        pole<QToolButton>(f, "bEdytujSzablonPotwierdzenia")->click(); // nothing chosen: nothing opens

        prompter().push(wpisz(u"Termin 14 dni"_s));
        pole<QToolButton>(f, "bNowySzablonZlecenia")->click();
        szablon = zlecenia->currentData().toInt();
        ASSERT_GT(szablon, 0);
        EXPECT_EQ(zlecenia->currentText(), u"Termin 14 dni"_s);
        EXPECT_TRUE(f.CzyZmieniony());

        potwierdzenia->setCurrentIndex(potwierdzenia->findData(szablon));
        prompter().push(wpisz(u"Termin 21 dni"_s));
        pole<QToolButton>(f, "bEdytujSzablonPotwierdzenia")->click();
        EXPECT_EQ(zlecenia->currentText(), u"Termin 21 dni"_s) << "both lists show the renamed template";
        EXPECT_EQ(potwierdzenia->currentData().toInt(), szablon);
        f.zapisz()->click();
    });
    EXPECT_EQ(ile(u"select count(*) from ustawienia where co = 'szablon_zlecenia' and id_f = :id and wartosc = :w"_s,
                  {{"id", id}, {"w", QString::number(szablon)}}),
              1);

    bootstrapAs(u"anowak"_s); // no rights on delivery terms
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        pole<QToolButton>(f, "bNowySzablonZlecenia")->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Brak_Upr"));
    });
}

TEST_P(EdycjaFirmyTest, AddedRemarkTemplateIsChosenAndMarksTheCompanyChanged)
{
    const int id = firmaZAdresem(u"Uwagi"_s);
    int nowy = 0;
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        auto *lista = pole<QComboBox>(f, "cbUwagiDodatkowe");
        EXPECT_FALSE(pole<QToolButton>(f, "bEdytujSzablonUwag")->isEnabled());
        EXPECT_FALSE(pole<QToolButton>(f, "bUsunSzablonUwag")->isEnabled());
        prompter().push(Answer::dialog([](QDialog &d) {
            auto &e = static_cast<Tedycja_fv_opis_dodatkowy_form &>(d);
            e.e_nazwa()->setText(u"Odwrotne obciążenie"_s);
            e.m_tresc()->setPlainText(u"Odwrotne obciążenie VAT"_s);
            e.zapisz_zamknij()->click();
        }));
        pole<QToolButton>(f, "bDodajSzablonUwag")->click();
        nowy = host::GetIntDB(u"select max(id_fv_ud) from faktura_uwagi_dodatkowe"_s);
        ASSERT_GT(nowy, 0);
        EXPECT_EQ(lista->currentData().toInt(), nowy);
        EXPECT_TRUE(f.CzyZmieniony());
        EXPECT_TRUE(pole<QToolButton>(f, "bUsunSzablonUwag")->isEnabled());
        f.zapisz()->click();
    });
    EXPECT_EQ(kolumna(id, "id_fv_ud").toInt(), nowy);

    // Without the right to save the template is only looked at.
    otworz(id, Forma::Edycja, 0, [&](Forma &f) {
        EXPECT_EQ(pole<QComboBox>(f, "cbUwagiDodatkowe")->currentData().toInt(), nowy);
        EXPECT_FALSE(pole<QToolButton>(f, "bDodajSzablonUwag")->isEnabled());
        EXPECT_FALSE(pole<QToolButton>(f, "bUsunSzablonUwag")->isEnabled());
        prompter().push(Answer::dialog([](QDialog &d) {
            auto &e = static_cast<Tedycja_fv_opis_dodatkowy_form &>(d);
            e.e_nazwa()->setText(u"Zmieniona"_s);
            e.zapisz_zamknij()->click();
            e.zamknijClick();
        }));
        pole<QToolButton>(f, "bEdytujSzablonUwag")->click();
    });
    EXPECT_EQ(host::GetStringDB(u"select nazwa from faktura_uwagi_dodatkowe"_s), u"Odwrotne obciążenie"_s);
}

MALVO_INSTANTIATE_FOR_ENGINES(EdycjaFirmyTest);

} // namespace
