#include "company/edycja_firmy_form.h"
#include "company/edycja_fv_opis_dodatkowy_form.h"
#include "company/walidacja_firmy.h"

#include "company/firma_fixture.h"

#include "host_funcs.h"
#include "siblings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using firmatest::Answer;
using Forma = Tedycja_firmy_form;

template <typename T>
T *pole(QWidget &okno, const char *nazwa)
{
    T *w = okno.findChild<T *>(QLatin1String(nazwa));
    if (!w)
        throw std::runtime_error(std::string("no control ") + nazwa);
    return w;
}

QString tekst(const char *klucz)
{
    return host::LoadResstrings(QLatin1String(klucz));
}

QString brakPola(const QString &podpowiedz)
{
    return tekst("Resstrings_IDS_prosze_wypelnic_pole").arg(podpowiedz);
}

void opusc(QWidget *w)
{
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &e);
}

void wejdz(QWidget *w)
{
    QFocusEvent e(QEvent::FocusIn, Qt::TabFocusReason);
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
        if (IsSkipped())
            return;
        // No sibling answers behind the test's back.
        host::setSiblingDirectory(m_bezSiblingow.path());
    }

    void TearDown() override
    {
        if (!IsSkipped()) {
            EXPECT_TRUE(prompter().mismatches().isEmpty());
            EXPECT_EQ(prompter().pendingAnswers(), 0) << "a scripted answer was never asked for";
            host::setSiblingDirectory(QString());
        }
        FirmaTest::TearDown();
    }

    // Opens the editor modally through the prompter and lets `co` drive it.
    int otworz(int id, int tryb, int upr, const std::function<void(Forma &)> &co)
    {
        Forma forma;
        prompter().push(Answer::dialog([&](QDialog &d) { co(static_cast<Forma &>(d)); }));
        return forma.PokazRekord(id, tryb, upr);
    }

    int firmaZAdresem(const QString &nazwa, QVariantMap inne = {})
    {
        if (!inne.contains(QStringLiteral("skrot")))
            inne.insert(QStringLiteral("skrot"), nazwa.left(10));
        const int id = firma(nazwa, inne);
        wstaw(QStringLiteral("adres"), QStringLiteral("id_adr"),
              {{QStringLiteral("id_"), id},
               {QStringLiteral("tabela"), 7},
               {QStringLiteral("id_m"), m_warszawa},
               {QStringLiteral("id_kodu"), m_kodWarszawy},
               {QStringLiteral("czy_domyslny"), 1}});
        return id;
    }

    void wybierzWarszawe(Forma &f)
    {
        auto *miasto = pole<QComboBox>(f, "cbMiasto");
        for (int i = 0; i < miasto->count(); ++i)
            if (miasto->itemData(i).toInt() == m_warszawa
                && miasto->itemData(i, Qt::UserRole + 1).toInt() == m_kodWarszawy)
                miasto->setCurrentIndex(i);
        ASSERT_EQ(miasto->currentData().toInt(), m_warszawa);
    }

    void wypelnijWymagane(Forma &f, const QString &nazwa, const QString &skrot)
    {
        pole<QLineEdit>(f, "firma_nazwa")->setText(nazwa);
        pole<QLineEdit>(f, "firma_skrot")->setText(skrot);
        wybierzWarszawe(f);
    }

    QString kolumna(int id, const char *nazwa)
    {
        return host::GetStringDB(QStringLiteral("select %1 from firma where id_f = :id").arg(QLatin1String(nazwa)),
                                 QString(), nullptr, {{QStringLiteral("id"), id}});
    }

    int ileFirm() { return ile(QStringLiteral("select count(*) from firma")); }

    QString ostatni()
    {
        const QStringList teksty = prompter().messageTexts();
        return teksty.isEmpty() ? QString() : teksty.last();
    }

    QTemporaryDir m_bezSiblingow;
};

// ---- a new company --------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, NewCompanyNamesEachMissingFieldInTurnThenSaves)
{
    int id = 0;
    QString podpis;
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        auto *nazwa = pole<QLineEdit>(f, "firma_nazwa");
        auto *skrot = pole<QLineEdit>(f, "firma_skrot");
        auto *waluta = pole<QComboBox>(f, "cbWalutaLimitu");
        auto *limit = pole<QDoubleSpinBox>(f, "eLimitKredytowy");
        const partners::PodpowiedziPol podpowiedzi;
        EXPECT_TRUE(f.CzyZmieniony());
        for (const char *strona :
             {"tsDaneDomyslne", "tsOddzialy", "tsKontakty", "tsKsiegRozl", "tsDomyslneFV", "tsDokumenty"})
            EXPECT_FALSE(f.PageControl()->isTabVisible(f.PageControl()->indexOf(pole<QWidget>(f, strona)))) << strona;

        f.zapisz()->click();
        EXPECT_EQ(ostatni(), brakPola(podpowiedzi.nazwa));
        EXPECT_EQ(f.focusWidget(), nazwa);

        nazwa->setText(QStringLiteral("Alfa Transport"));
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), brakPola(podpowiedzi.skrot));
        EXPECT_EQ(f.focusWidget(), skrot);

        skrot->setText(QStringLiteral("ALFA"));
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), brakPola(podpowiedzi.miasto));
        EXPECT_EQ(f.focusWidget(), pole<QComboBox>(f, "cbMiasto"));

        wybierzWarszawe(f);
        limit->setValue(0.01);
        waluta->setCurrentIndex(0);
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), brakPola(podpowiedzi.waluta));
        EXPECT_EQ(f.focusWidget(), waluta);
        EXPECT_EQ(ileFirm(), 0);

        limit->setValue(0); // no limit needs no currency
        oznacz();
        f.zapisz()->click();
        EXPECT_EQ(komunikaty(), "");
        EXPECT_FALSE(f.CzyZmieniony());
        id = f.IdRekordu();
        podpis = f.windowTitle();
        EXPECT_TRUE(f.PageControl()->isTabVisible(f.PageControl()->indexOf(pole<QWidget>(f, "tsKontakty"))));
        EXPECT_FALSE(f.PageControl()->isTabVisible(f.PageControl()->indexOf(pole<QWidget>(f, "tsDaneDomyslne"))));
    });
    ASSERT_GT(id, 0);
    EXPECT_EQ(podpis, QStringLiteral("Alfa Transport"));
    EXPECT_EQ(kolumna(id, "skrot"), QStringLiteral("ALFA"));
    EXPECT_EQ(ile(QStringLiteral(
                      "select count(*) from adres where id_ = :id and tabela = 7 and czy_domyslny = 1 and id_m = :m"),
                  {{QStringLiteral("id"), id}, {QStringLiteral("m"), m_warszawa}}),
              1);
}

TEST_P(EdycjaFirmyTest, SavingTwiceWithoutClosingInsertsOnceThenUpdates)
{
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        wypelnijWymagane(f, QStringLiteral("Gamma Cargo"), QStringLiteral("GAMMA"));
        f.zapisz()->click();
        const int id = f.IdRekordu();
        ASSERT_GT(id, 0);
        EXPECT_EQ(f.TrybEdycji(), Forma::Edycja);

        pole<QLineEdit>(f, "firma_www")->setText(QStringLiteral("gamma.example"));
        EXPECT_TRUE(f.CzyZmieniony());
        f.zapisz()->click();
        EXPECT_FALSE(f.CzyZmieniony());
        EXPECT_EQ(f.IdRekordu(), id);
        EXPECT_EQ(ileFirm(), 1);
        EXPECT_EQ(kolumna(id, "www"), QStringLiteral("gamma.example"));
        EXPECT_EQ(ile(QStringLiteral("select count(*) from adres where id_ = :id and tabela = 7"),
                      {{QStringLiteral("id"), id}}),
                  1);
    });
}

TEST_P(EdycjaFirmyTest, RefusedSaveKeepsWhatTheUserTyped)
{
    const int id = firmaZAdresem(QStringLiteral("Epsilon Trans"));
    const QVariantMap f = {{QStringLiteral("id"), id}};
    otworz(id, Forma::Edycja, 1, [&](Forma &e) {
        // Another user's synchronisation holds the record: 102.
        host::ExecQuery(QStringLiteral("update firma set w_synchronizacji = 1 where id_f = :id"), nullptr, 0, f);
        pole<QLineEdit>(e, "firma_nazwa")->setText(QStringLiteral("Epsilon Trans Zmieniona"));
        e.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_nie_mozna_zapisac_do_synchr"));
        EXPECT_TRUE(e.CzyZmieniony()) << "the change is still there to save again";
        EXPECT_EQ(pole<QLineEdit>(e, "firma_nazwa")->text(), QStringLiteral("Epsilon Trans Zmieniona"));
        EXPECT_EQ(kolumna(id, "nazwa"), QStringLiteral("Epsilon Trans"));

        // Deleted meanwhile by someone else: 101.
        host::ExecQuery(QStringLiteral("delete from firma where id_f = :id"), nullptr, 0, f);
        e.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Rekord_usuniety"));
        EXPECT_TRUE(e.CzyZmieniony());
        EXPECT_EQ(ileFirm(), 0) << "nothing is written back";
    });
}

TEST_P(EdycjaFirmyTest, PrefilledNewCompanyResolvesCityAndSplitsStreet)
{
    const QString kod = host::GetStringDB(QStringLiteral("select kod from kod_pocztowy where id_kodu = :id"), QString(),
                                          nullptr, {{QStringLiteral("id"), m_kodWarszawy}});
    Forma forma;
    partners::WartosciPoczatkoweFirmy p;
    p.nazwa = QStringLiteral(" Delta Logistik ");
    p.nip = QStringLiteral("DE811234567");
    p.miasto = QStringLiteral("Warszawa");
    p.kod = kod;
    p.ulica = QStringLiteral("Długa 5/3");
    forma.UstawWartosciPoczatkowe(p);
    prompter().push(Answer::dialog([&](QDialog &) {
        EXPECT_EQ(pole<QLineEdit>(forma, "firma_nazwa")->text(), QStringLiteral("Delta Logistik"));
        EXPECT_EQ(pole<QComboBox>(forma, "cbPrefiksNip")->currentText(), QStringLiteral("DE"));
        EXPECT_EQ(pole<QLineEdit>(forma, "firma_nip")->text(), QStringLiteral("811234567"));
        EXPECT_EQ(pole<QComboBox>(forma, "cbMiasto")->currentData().toInt(), m_warszawa);
        EXPECT_EQ(pole<QLineEdit>(forma, "firma_ulica")->text(), QStringLiteral("Długa"));
        EXPECT_EQ(pole<QLineEdit>(forma, "firma_nr_domu")->text(), QStringLiteral("5"));
        EXPECT_EQ(pole<QLineEdit>(forma, "firma_nr_m")->text(), QStringLiteral("3"));
        EXPECT_TRUE(pole<QCheckBox>(forma, "cbAktywna")->isChecked());
        EXPECT_EQ(pole<QComboBox>(forma, "cbDodatkoweWolne")->currentData().toInt(), 7);
    }));
    forma.PokazRekord(0, Forma::Nowy, 1);
}

// ---- NIP uniqueness through the window ---------------------------------------------------------------

TEST_P(EdycjaFirmyTest, DuplicateNipIsAskedAboutRefusedThenConfirmed)
{
    firma(QStringLiteral("Istniejąca"),
          {{QStringLiteral("skrot"), QStringLiteral("IST")}, {QStringLiteral("nip"), QStringLiteral("5260001246")}});
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        wypelnijWymagane(f, QStringLiteral("Nowa z tym samym NIP"), QStringLiteral("NOWA"));
        auto *nip = pole<QLineEdit>(f, "firma_nip");
        nip->setText(QStringLiteral("526-000-12-46"));

        prompter().answerMessage(host::mb::IdNo);
        f.zapisz()->click();
        EXPECT_TRUE(ostatni().startsWith(tekst("Resstrings_IDS_NipJuzJest"))) << ostatni().toStdString();
        EXPECT_EQ(f.focusWidget(), nip);
        EXPECT_EQ(ileFirm(), 1);
        EXPECT_TRUE(f.CzyZmieniony());

        prompter().answerMessage(host::mb::IdYes);
        f.zapisz()->click();
        EXPECT_GT(f.IdRekordu(), 0);
        EXPECT_EQ(ileFirm(), 2);
    });
}

TEST_P(EdycjaFirmyTest, BranchMayShareItsHeadOfficeNipButAnotherHeadOfficeMayNot)
{
    const int centrala = firma(
        QStringLiteral("Centrala SA"),
        {{QStringLiteral("skrot"), QStringLiteral("CEN")}, {QStringLiteral("nip"), QStringLiteral("5260001246")}});
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        wypelnijWymagane(f, QStringLiteral("Oddział Kraków"), QStringLiteral("ODK"));
        pole<QRadioButton>(f, "rbOddzial")->click();
        auto *centrale = pole<QComboBox>(f, "cbCentrala");
        EXPECT_FALSE(centrale->isHidden());
        EXPECT_EQ(f.PageControl()->tabText(f.PageControl()->indexOf(pole<QWidget>(f, "tsOddzialy"))),
                  tekst("Resstrings_IDS_Centrala2"));

        // A branch without its head office is refused first.
        centrale->setCurrentIndex(-1);
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_PustaNazwaOddzialuFirmy"));
        EXPECT_EQ(f.focusWidget(), centrale);

        centrale->setCurrentIndex(centrale->findData(centrala));
        pole<QLineEdit>(f, "firma_nip")->setText(QStringLiteral("5260001246"));
        oznacz();
        f.zapisz()->click();
        EXPECT_EQ(komunikaty(), "");
        ASSERT_GT(f.IdRekordu(), 0);
        EXPECT_EQ(kolumna(f.IdRekordu(), "id_centrali").toInt(), centrala);
    });

    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        wypelnijWymagane(f, QStringLiteral("Druga centrala"), QStringLiteral("DRUGA"));
        pole<QLineEdit>(f, "firma_nip")->setText(QStringLiteral("5260001246"));
        prompter().answerMessage(host::mb::IdNo);
        f.zapisz()->click();
        EXPECT_TRUE(ostatni().startsWith(tekst("Resstrings_IDS_NipJuzJest")));
        EXPECT_LE(f.IdRekordu(), 0);
    });
    EXPECT_EQ(ileFirm(), 2);
}

TEST_P(EdycjaFirmyTest, HeadOfficeWithBranchesGetsNoConfirmationForAForeignNip)
{
    firma(QStringLiteral("Obca"),
          {{QStringLiteral("skrot"), QStringLiteral("OBCA")}, {QStringLiteral("nip"), QStringLiteral("7010002137")}});
    const int centrala =
        firmaZAdresem(QStringLiteral("Centrala B"), {{QStringLiteral("nip"), QStringLiteral("1111111111")}});
    firma(QStringLiteral("Oddział B"),
          {{QStringLiteral("skrot"), QStringLiteral("ODB")},
           {QStringLiteral("id_centrali"), centrala},
           {QStringLiteral("nip"), QStringLiteral("1111111111")}});
    otworz(centrala, Forma::Edycja, 1, [&](Forma &f) {
        pole<QLineEdit>(f, "firma_nip")->setText(QStringLiteral("7010002137"));
        f.zapisz()->click();
        ASSERT_FALSE(prompter().questions().isEmpty());
        EXPECT_EQ(prompter().questions().last().flags & host::mb::ButtonsMask, host::mb::Ok);
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_NipJuzJest"));
        EXPECT_TRUE(f.CzyZmieniony());
    });
    EXPECT_EQ(kolumna(centrala, "nip"), QStringLiteral("1111111111"));
}

// ---- closing ---------------------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, ClosingDirtyAsksCancelKeepsNoDiscardsYesSaves)
{
    const int id = firmaZAdresem(QStringLiteral("Beta"), {{QStringLiteral("skrot"), QStringLiteral("BETA")}});
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_FALSE(f.CzyZmieniony());
        pole<QLineEdit>(f, "firma_nazwa")->setText(QStringLiteral("Beta Zmieniona"));
        EXPECT_EQ(f.windowTitle(), QStringLiteral("*Beta Zmieniona"));

        prompter().answerMessage(host::mb::IdCancel);
        f.zamknijClick();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Dane_nie_zapisane"));
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(f.CzyZmieniony());

        prompter().answerMessage(host::mb::IdNo);
        f.zamknijClick();
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_EQ(kolumna(id, "nazwa"), QStringLiteral("Beta"));

    const int wynik = otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        pole<QLineEdit>(f, "firma_nazwa")->setText(QStringLiteral("Beta Zmieniona"));
        prompter().answerMessage(host::mb::IdYes);
        f.zamknijClick();
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_EQ(wynik, QDialog::Accepted);
    EXPECT_EQ(kolumna(id, "nazwa"), QStringLiteral("Beta Zmieniona"));
}

// ---- rights ------------------------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, ReadOnlyUserNeverGetsTheSaveButtons)
{
    const int id = firmaZAdresem(QStringLiteral("Tylko Do Odczytu"));
    otworz(id, Forma::Edycja, 0, [&](Forma &f) {
        pole<QLineEdit>(f, "firma_nazwa")->setText(QStringLiteral("Zmiana"));
        pole<QCheckBox>(f, "cbBus")->toggle();
        EXPECT_FALSE(f.zapisz()->isEnabled());
        EXPECT_FALSE(f.zapisz_zamknij()->isEnabled());
        f.zapiszClick();
        f.zamknijClick(); // clean: no question
    });
    EXPECT_EQ(kolumna(id, "nazwa"), QStringLiteral("Tylko Do Odczytu"));
    EXPECT_TRUE(prompter().messageTexts().isEmpty());
}

TEST_P(EdycjaFirmyTest, OwnCompanyOpensReadOnlyWithoutTheOwnCompanyRight)
{
    const int wlasny = host::GetIntDB(QStringLiteral("select id from VListaPozSlownika where typ_slownika = 'typ_firmy'"
                                                     " and identyfikator = 'firma_wlasna' and id_jezyka = :j"),
                                      QString(), nullptr, {{QStringLiteral("j"), host::GetLanguage()}});
    ASSERT_GT(wlasny, 0);
    const int id = firmaZAdresem(QStringLiteral("Nasza Spółka"), {{QStringLiteral("typ_firmy"), wlasny}});

    host::var::UprawnieniaZapisFirmyWlasne.set(false);
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_TRUE(pole<QCheckBox>(f, "cbFirmaWlasna")->isChecked());
        EXPECT_EQ(f.Uprawnienia(), 0);
        pole<QLineEdit>(f, "firma_www")->setText(QStringLiteral("nasza.example"));
        EXPECT_FALSE(f.zapisz()->isEnabled());
        // Unticking the box gives the rights back.
        pole<QCheckBox>(f, "cbFirmaWlasna")->setChecked(false);
        EXPECT_EQ(f.Uprawnienia(), 1);
        EXPECT_TRUE(f.zapisz()->isEnabled());
    });

    host::var::UprawnieniaZapisFirmyWlasne.set(true);
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_EQ(f.Uprawnienia(), 1);
        pole<QLineEdit>(f, "firma_www")->setText(QStringLiteral("nasza.example"));
        EXPECT_TRUE(f.zapisz()->isEnabled());
        f.zapisz()->click();
        EXPECT_FALSE(f.CzyZmieniony());
    });
    EXPECT_EQ(kolumna(id, "www"), QStringLiteral("nasza.example"));
}

// ---- head office and branch ----------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, HeadOfficeListOffersNeitherTheCompanyItselfNorBranches)
{
    const int centrala = firma(QStringLiteral("A Centrala"), {{QStringLiteral("skrot"), QStringLiteral("ACEN")}});
    const int oddzial =
        firma(QStringLiteral("B Oddział"),
              {{QStringLiteral("skrot"), QStringLiteral("BODD")}, {QStringLiteral("id_centrali"), centrala}});
    const int ta = firmaZAdresem(QStringLiteral("C Samodzielna"));
    otworz(ta, Forma::Edycja, 1, [&](Forma &f) {
        auto *centrale = pole<QComboBox>(f, "cbCentrala");
        EXPECT_TRUE(centrale->isHidden());
        pole<QRadioButton>(f, "rbOddzial")->click();
        EXPECT_FALSE(centrale->isHidden());
        const QList<int> ids = idListy(centrale);
        EXPECT_TRUE(ids.contains(centrala));
        EXPECT_FALSE(ids.contains(oddzial));
        EXPECT_FALSE(ids.contains(ta));
        EXPECT_TRUE(f.CzyZmieniony());
    });
    // The branch opens on its head office.
    otworz(oddzial, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_TRUE(pole<QRadioButton>(f, "rbOddzial")->isChecked());
        EXPECT_EQ(pole<QComboBox>(f, "cbCentrala")->currentData().toInt(), centrala);
        EXPECT_FALSE(idListy(pole<QComboBox>(f, "cbCentrala")).contains(oddzial));
    });
}

TEST_P(EdycjaFirmyTest, HeadOfficeWithBranchesCannotBecomeABranch)
{
    const int centrala = firmaZAdresem(QStringLiteral("Centrala Z Oddziałem"));
    firma(QStringLiteral("Jej oddział"),
          {{QStringLiteral("skrot"), QStringLiteral("JO")}, {QStringLiteral("id_centrali"), centrala}});
    otworz(centrala, Forma::Edycja, 1, [&](Forma &f) {
        pole<QRadioButton>(f, "rbOddzial")->click();
        EXPECT_EQ(prompter().messageTexts(), QStringList{tekst("Resstrings_IDS_Blokada_Oddzial")});
        EXPECT_TRUE(pole<QRadioButton>(f, "rbCentrala")->isChecked());
        EXPECT_TRUE(pole<QComboBox>(f, "cbCentrala")->isHidden());
        EXPECT_FALSE(f.CzyZmieniony());
    });
}

// ---- typing -------------------------------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, LeavingTheNameGeneratesAUniqueShortName)
{
    host::var::UnikalneSkrotyFirm.set(true);
    firma(QStringLiteral("Alfa Beta Cargo sp. z o.o."), {{QStringLiteral("skrot"), QStringLiteral("ABC")}});
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        auto *nazwa = pole<QLineEdit>(f, "firma_nazwa");
        auto *skrot = pole<QLineEdit>(f, "firma_skrot");
        nazwa->setText(QStringLiteral("Alfa Beta Cargo"));
        opusc(nazwa);
        EXPECT_EQ(skrot->text(), QStringLiteral("ABC_2"));

        // A short name the user typed stays.
        skrot->setText(QStringLiteral("WŁASNY"));
        opusc(nazwa);
        wejdz(skrot);
        EXPECT_EQ(skrot->text(), QStringLiteral("WŁASNY"));

        // Entering an empty short name fills it too.
        skrot->clear();
        wejdz(skrot);
        EXPECT_EQ(skrot->text(), QStringLiteral("ABC_2"));
    });
}

TEST_P(EdycjaFirmyTest, StoredNipShowsItsPrefixApartAndColoursWhileTyping)
{
    const int de =
        firmaZAdresem(QStringLiteral("Deutsche Fracht"), {{QStringLiteral("nip"), QStringLiteral("DE123456789")}});
    otworz(de, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_EQ(pole<QComboBox>(f, "cbPrefiksNip")->currentText(), QStringLiteral("DE"));
        EXPECT_EQ(pole<QLineEdit>(f, "firma_nip")->text(), QStringLiteral("123456789"));
        EXPECT_FALSE(f.CzyZmieniony());
    });

    const QString prefiksPolski = host::GetStringDB(QStringLiteral("select NIP from panstwo where sam = 'PL'"));
    ASSERT_FALSE(prefiksPolski.isEmpty());
    const int pl =
        firmaZAdresem(QStringLiteral("Polska Firma"), {{QStringLiteral("nip"), QStringLiteral("5260001246")}});
    otworz(pl, Forma::Edycja, 1, [&](Forma &f) {
        auto *nip = pole<QLineEdit>(f, "firma_nip");
        auto *prefiks = pole<QComboBox>(f, "cbPrefiksNip");
        EXPECT_EQ(prefiks->currentText(), prefiksPolski);
        EXPECT_EQ(nip->text(), QStringLiteral("5260001246"));
        const QColor zwykly = QPalette().color(QPalette::Text);
        EXPECT_NE(nip->palette().color(QPalette::Text), zwykly); // a valid Polish NIP is marked
        const QColor poprawny = nip->palette().color(QPalette::Text);

        nip->setText(QStringLiteral("5260001247"));
        const QColor bledny = nip->palette().color(QPalette::Text);
        EXPECT_NE(bledny, poprawny);
        EXPECT_NE(bledny, zwykly);
        EXPECT_TRUE(f.CzyZmieniony());

        prefiks->setCurrentIndex(prefiks->findText(QStringLiteral("DE")));
        EXPECT_EQ(nip->palette().color(QPalette::Text), zwykly);

        auto *email = pole<QLineEdit>(f, "firma_e_mail");
        email->setText(QStringLiteral("biuro@"));
        EXPECT_EQ(email->palette().color(QPalette::Text), bledny);
        email->setText(QStringLiteral("biuro@polska.example.com"));
        EXPECT_EQ(email->palette().color(QPalette::Text), zwykly);
    });
}

TEST_P(EdycjaFirmyTest, ViesNeedsAPrefixAndANumberThenOpensTheQuery)
{
    const int id = firmaZAdresem(QStringLiteral("Vies Test"), {{QStringLiteral("nip"), QStringLiteral("DE123")}});
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        auto *prefiks = pole<QComboBox>(f, "cbPrefiksNip");
        auto *nip = pole<QLineEdit>(f, "firma_nip");
        auto *vies = pole<QToolButton>(f, "bVies");
        vies->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Bledny_lub_niewpisany_NIP"));
        prefiks->setCurrentIndex(0);
        nip->setText(QStringLiteral("123456789"));
        vies->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Brak_kodu_poprz_NIP"));
        EXPECT_TRUE(prompter().questionsOf(host::ScriptedPrompter::Kind::OpenUrl).isEmpty());

        prefiks->setCurrentIndex(prefiks->findText(QStringLiteral("DE")));
        vies->click();
        const auto otwarte = prompter().questionsOf(host::ScriptedPrompter::Kind::OpenUrl);
        ASSERT_EQ(otwarte.size(), 1);
        EXPECT_TRUE(otwarte.first().text.contains(QStringLiteral("ms=DE"))) << otwarte.first().text.toStdString();
        EXPECT_TRUE(otwarte.first().text.contains(QStringLiteral("vat=123456789")));
    });
}

TEST_P(EdycjaFirmyTest, NewCityFromTheCityEditorIsChosenForTheCompany)
{
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    if (!host::SiblingLibrary(QStringLiteral("cities.dll")).isLoaded())
        GTEST_SKIP() << "libcities.so is not built";
    const int id = firmaZAdresem(QStringLiteral("Nowe miasto"));
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        // The user fills in the city editor that the "+" button opens.
        prompter().push(Answer::dialog([](QDialog &d) {
            d.findChild<QLineEdit *>(QStringLiteral("edMiasto"))->setText(QStringLiteral("Zażółć-Wieś O'Dolna"));
            d.findChild<QPlainTextEdit *>(QStringLiteral("memKody"))->setPlainText(QStringLiteral("98-765"));
            d.accept();
        }));
        pole<QToolButton>(f, "bNoweMiasto")->click();
        auto *miasto = pole<QComboBox>(f, "cbMiasto");
        EXPECT_TRUE(miasto->currentText().contains(QStringLiteral("Zażółć-Wieś O'Dolna")))
            << miasto->currentText().toStdString();
        EXPECT_TRUE(f.CzyZmieniony()) << "another city is a change of the company";
    });
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select count(*) from miasto where miasto = :m"), QString(), nullptr,
                             {{QStringLiteral("m"), QStringLiteral("Zażółć-Wieś O'Dolna")}}),
              1);
}

// ---- pages and the invoice tab ----------------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, PagesLoadOnFirstDisplayOnly)
{
    const int id = firmaZAdresem(QStringLiteral("Zakładki"));
    Forma forma;
    forma.UstawZakladkeStartowa(QStringLiteral("tsKsiegRozl"));
    prompter().push(Answer::dialog([&](QDialog &) {
        EXPECT_EQ(forma.PageControl()->currentWidget()->objectName(), QStringLiteral("tsKsiegRozl"));
        EXPECT_TRUE(forma.ZakladkaZaladowana(QStringLiteral("tsKsiegRozl")));
        EXPECT_FALSE(forma.ZakladkaZaladowana(QStringLiteral("tsKontakty")));
        forma.PageControl()->setCurrentWidget(pole<QWidget>(forma, "tsKontakty"));
        EXPECT_TRUE(forma.ZakladkaZaladowana(QStringLiteral("tsKontakty")));
        EXPECT_FALSE(forma.CzyZmieniony());
    }));
    forma.PokazRekord(id, Forma::Edycja, 1);
}

TEST_P(EdycjaFirmyTest, PageStaysWhileASaveWaitsForAnAnswer)
{
    firmaZAdresem(QStringLiteral("Bliźniak"));
    const int id =
        firmaZAdresem(QStringLiteral("Zakładki w trakcie"), {{QStringLiteral("skrot"), QStringLiteral("ZWT")}});
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        QTabWidget *strony = f.PageControl();
        const int kontakty = strony->indexOf(pole<QWidget>(f, "tsKontakty"));
        const auto kliknijKontakty = [&] {
            QTest::mouseClick(strony->tabBar(), Qt::LeftButton, {}, strony->tabBar()->tabRect(kontakty).center());
        };
        pole<QLineEdit>(f, "firma_nazwa")->setText(QStringLiteral("Bliźniak"));
        // The duplicate-name question is up: the user clicks another page behind it.
        prompter().push(Answer::button(host::mb::IdNo, [&] {
            kliknijKontakty();
            EXPECT_EQ(strony->currentWidget()->objectName(), QStringLiteral("tsDaneOgolne"));
        }));
        f.zapisz()->click();
        EXPECT_FALSE(f.ZakladkaZaladowana(QStringLiteral("tsKontakty")));
        EXPECT_TRUE(f.CzyZmieniony());

        kliknijKontakty();
        EXPECT_EQ(strony->currentIndex(), kontakty);
        EXPECT_TRUE(f.ZakladkaZaladowana(QStringLiteral("tsKontakty")));
    });
}

TEST_P(EdycjaFirmyTest, StartOfPeriodsNeedsALengthBeforeTheFirstPeriodsAreMade)
{
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR)); // the lengths come from the shared store
    if (!host::SiblingLibrary(QStringLiteral("shared_store.dll")).isLoaded())
        GTEST_SKIP() << "libshared_store.so is not built";
    const int id = firmaZAdresem(QStringLiteral("Okresy"));
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        ASSERT_FALSE(pole<QWidget>(f, "gbRozliczenia")->isHidden());
        auto *dlugosc = pole<QComboBox>(f, "cbOkresRoz");
        ASSERT_GT(dlugosc->count(), 1);
        dlugosc->setCurrentIndex(0);
        pole<QDateEdit>(f, "dPoczatekOkresu")->setDate(QDate(2026, 1, 1));
        f.zapisz()->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_PustaDlugoscOkresuRozl"));
        EXPECT_EQ(f.PageControl()->currentWidget()->objectName(), QStringLiteral("tsKsiegRozl"));
        EXPECT_EQ(f.focusWidget(), dlugosc);
        EXPECT_EQ(ile(QStringLiteral("select count(*) from okres_roz where id_f = :id"), {{QStringLiteral("id"), id}}),
                  0);

        dlugosc->setCurrentIndex(1);
        oznacz();
        f.zapisz()->click();
        EXPECT_EQ(komunikaty(), "");
        EXPECT_FALSE(f.CzyZmieniony());
    });
    EXPECT_GT(ile(QStringLiteral("select count(*) from okres_roz where id_f = :id"), {{QStringLiteral("id"), id}}), 0);
    EXPECT_EQ(host::GetDateTimeDB(QStringLiteral("select min(data_od) from okres_roz where id_f = :id"), QString(),
                                  nullptr, {{QStringLiteral("id"), id}})
                  .date(),
              QDate(2026, 1, 1));
}

TEST_P(EdycjaFirmyTest, OrderTemplateMadeInDeliveryTermsIsChosenAndSaved)
{
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    if (!host::SiblingLibrary(QStringLiteral("delivery_terms.dll")).isLoaded())
        GTEST_SKIP() << "libdelivery_terms.so is not built";
    const int id = firmaZAdresem(QStringLiteral("Szablony"));
    const auto wpisz = [](const QString &nazwa) {
        return Answer::dialog([nazwa](QDialog &d) {
            d.findChild<QLineEdit *>(QStringLiteral("edNazwa"))->setText(nazwa);
            d.findChild<QPlainTextEdit *>(QStringLiteral("memTresc"))->setPlainText(QStringLiteral("Płatne przelewem"));
            d.accept();
        });
    };
    int szablon = 0;
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        auto *zlecenia = pole<QComboBox>(f, "cbSzablonZlecenia");
        auto *potwierdzenia = pole<QComboBox>(f, "cbSzablonPotwierdzenia");
        pole<QToolButton>(f, "bEdytujSzablonPotwierdzenia")->click(); // nothing chosen: nothing opens

        prompter().push(wpisz(QStringLiteral("Termin 14 dni")));
        pole<QToolButton>(f, "bNowySzablonZlecenia")->click();
        szablon = zlecenia->currentData().toInt();
        ASSERT_GT(szablon, 0);
        EXPECT_EQ(zlecenia->currentText(), QStringLiteral("Termin 14 dni"));
        EXPECT_TRUE(f.CzyZmieniony());

        potwierdzenia->setCurrentIndex(potwierdzenia->findData(szablon));
        prompter().push(wpisz(QStringLiteral("Termin 21 dni")));
        pole<QToolButton>(f, "bEdytujSzablonPotwierdzenia")->click();
        EXPECT_EQ(zlecenia->currentText(), QStringLiteral("Termin 21 dni")) << "both lists show the renamed template";
        EXPECT_EQ(potwierdzenia->currentData().toInt(), szablon);
        f.zapisz()->click();
    });
    EXPECT_EQ(ile(QStringLiteral(
                      "select count(*) from ustawienia where co = 'szablon_zlecenia' and id_f = :id and wartosc = :w"),
                  {{QStringLiteral("id"), id}, {QStringLiteral("w"), QString::number(szablon)}}),
              1);

    bootstrapAs(QStringLiteral("anowak")); // no rights on delivery terms
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        pole<QToolButton>(f, "bNowySzablonZlecenia")->click();
        EXPECT_EQ(ostatni(), tekst("Resstrings_IDS_Brak_Upr"));
    });
}

TEST_P(EdycjaFirmyTest, AddedRemarkTemplateIsChosenAndMarksTheCompanyChanged)
{
    const int id = firmaZAdresem(QStringLiteral("Uwagi"));
    int nowy = 0;
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        auto *lista = pole<QComboBox>(f, "cbUwagiDodatkowe");
        EXPECT_FALSE(pole<QToolButton>(f, "bEdytujSzablonUwag")->isEnabled());
        EXPECT_FALSE(pole<QToolButton>(f, "bUsunSzablonUwag")->isEnabled());
        prompter().push(Answer::dialog([](QDialog &d) {
            auto &e = static_cast<Tedycja_fv_opis_dodatkowy_form &>(d);
            e.e_nazwa()->setText(QStringLiteral("Odwrotne obciążenie"));
            e.m_tresc()->setPlainText(QStringLiteral("Odwrotne obciążenie VAT"));
            e.zapisz_zamknij()->click();
        }));
        pole<QToolButton>(f, "bDodajSzablonUwag")->click();
        nowy = host::GetIntDB(QStringLiteral("select max(id_fv_ud) from faktura_uwagi_dodatkowe"));
        ASSERT_GT(nowy, 0);
        EXPECT_EQ(lista->currentData().toInt(), nowy);
        EXPECT_TRUE(f.CzyZmieniony());
        EXPECT_TRUE(pole<QToolButton>(f, "bUsunSzablonUwag")->isEnabled());
        f.zapisz()->click();
    });
    EXPECT_EQ(kolumna(id, "id_fv_ud").toInt(), nowy);
}

// ---- rights on the neighbouring modules ----------------------------------------------------------------------

TEST_P(EdycjaFirmyTest, UserWithoutOrderAndInvoiceRightsGetsNeitherTheOrderNorTheInvoicePage)
{
    const int id = firmaZAdresem(QStringLiteral("Bez Zleceń"));
    host::ExecQuery(QStringLiteral("delete from uprawnienia where modul = 'orders.dll' and id_u = (select id_u from "
                                   "uzytkownik where login = 'anowak')"));
    bootstrapAs(QStringLiteral("anowak"));
    otworz(id, Forma::Edycja, 1, [&](Forma &f) {
        EXPECT_FALSE(f.PageControl()->isTabVisible(f.PageControl()->indexOf(pole<QWidget>(f, "tsDomyslneFV"))));
        EXPECT_TRUE(f.PageControl()->isTabVisible(f.PageControl()->indexOf(pole<QWidget>(f, "tsKontakty"))));
        ASSERT_TRUE(f.dodaj_zlec()->isEnabled());
        f.dodaj_zlec()->click();
        const auto pytania = prompter().questionsOf(host::ScriptedPrompter::Kind::Message);
        ASSERT_EQ(pytania.size(), 1);
        EXPECT_EQ(pytania.first().text, tekst("Resstrings_IDS_Brak_Upr"));
        EXPECT_EQ(pytania.first().caption, QStringLiteral("Malvo - ERROR"));
    });
}

TEST_P(EdycjaFirmyTest, OrderButtonWaitsForASavedCompanyAndIsOffInsideAnOrder)
{
    const int id = firmaZAdresem(QStringLiteral("Zlecenia"));
    otworz(0, Forma::Nowy, 1, [&](Forma &f) {
        EXPECT_FALSE(f.dodaj_zlec()->isEnabled());
        wypelnijWymagane(f, QStringLiteral("Świeża"), QStringLiteral("SW"));
        f.zapisz()->click();
        EXPECT_TRUE(f.dodaj_zlec()->isEnabled());
    });
    Forma forma;
    forma.ZZlecenia = true;
    prompter().push(Answer::dialog([&](QDialog &) { EXPECT_FALSE(forma.dodaj_zlec()->isEnabled()); }));
    forma.PokazRekord(id, Forma::Edycja, 1);
}

MALVO_INSTANTIATE_FOR_ENGINES(EdycjaFirmyTest);

} // namespace
