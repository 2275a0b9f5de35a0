#include "company/podrekordy/edycja_konta_form.h"
#include "company/podrekordy/konta_firmy_fr.h"
#include "company/strony/strona_firmy.h"

#include "company/firma_fixture.h"

#include "host_funcs.h"
#include "prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using firmatest::Answer;

namespace {

class KontaFirmyTest : public firmatest::FirmaTest
{
protected:
    void SetUp() override
    {
        FirmaTest::SetUp();
        if (IsSkipped())
            return;
        m_firma = firma(u"Spedycja Konta"_s);
    }

    int konto(const QString &numer, int domyslne, int aktywne, const QString &waluta)
    {
        return wstaw(u"konto"_s, u"id_konta"_s,
                     {{u"id_"_s, m_firma},
                      {u"tabela"_s, 7},
                      {u"nr_konta"_s, numer},
                      {u"bank"_s, u"Stary bank"_s},
                      {u"czy_domyslne"_s, domyslne},
                      {u"aktywne"_s, aktywne},
                      {u"waluta"_s, waluta}});
    }
    QString kolumna(int id, const char *nazwa)
    {
        return tekstDB(u"select %1 from konto where id_konta = :id"_s.arg(QLatin1String(nazwa)), {{u"id"_s, id}});
    }
    int ileKont(const QString &warunek)
    {
        return ile(u"select count(*) from konto where id_ = :f and "_s + warunek, {{u"f"_s, m_firma}});
    }

    // The company's accounts on a list the user may change.
    void otworz(Tkonta_firmy_frame &ramka)
    {
        ramka.UstawUprawnienia(1);
        ramka.Otworz(m_firma, u"test"_s);
    }

    int m_firma = 0;
};

TEST_P(KontaFirmyTest, TypedNumberNamesTheBankAndANewDefaultReplacesTheOld)
{
    const int stare = konto(u"11 1020 0000"_s, 1, 1, u"PLN"_s);
    Tkonta_firmy_frame ramka;
    otworz(ramka);
    prompter().push(Answer::dialog([&](QDialog &d) {
        auto *numer = pole<QLineEdit>(d, "konto_numer");
        auto *bank = pole<QLineEdit>(d, "konto_bank");
        auto *aktywne = pole<QCheckBox>(d, "konto_aktywne");
        auto *domyslne = pole<QCheckBox>(d, "konto_domyslny");
        bank->setText(u"Mój bank"_s);
        QTest::keyClicks(numer, u"PL61 109"_s); // five digits: not yet a bank number
        EXPECT_EQ(bank->text(), u"Mój bank"_s);
        QTest::keyClicks(numer, u"0 1014 0000 0712 1981 2875"_s);
        EXPECT_EQ(bank->text(), u"Bank Zachodni WBK SA"_s);
        EXPECT_EQ(numer->palette().color(QPalette::Text), partners::strony::KolorBledny);
        QTest::keyClick(numer, Qt::Key_Backspace);
        QTest::keyClicks(numer, u"4"_s);
        EXPECT_EQ(numer->palette().color(QPalette::Text), partners::strony::KolorPoprawny);

        // Only an active account may be the default; the old one stays the default then.
        prompter().answerMessage(host::mb::IdYes);
        domyslne->click();
        aktywne->click();
        EXPECT_FALSE(domyslne->isChecked());
        EXPECT_FALSE(domyslne->isEnabled());
        aktywne->click();
        d.findChild<QToolButton *>(u"zapisz"_s)->click();
        EXPECT_EQ(kolumna(stare, "czy_domyslne"), u"1"_s);
        prompter().answerMessage(host::mb::IdNo);
        domyslne->click();
        EXPECT_FALSE(domyslne->isChecked());
        prompter().answerMessage(host::mb::IdYes);
        domyslne->click();
        EXPECT_TRUE(domyslne->isChecked());
        d.findChild<QToolButton *>(u"zapisz_zamknij"_s)->click();
    }));
    ramka.nowyClick();
    const QString pytanie = tekst("Resstrings_IDS_Istnieje_konto_dom");
    EXPECT_EQ(komunikaty(), lista({pytanie, pytanie, pytanie}));
    const int nowe = ile(u"select max(id_konta) from konto"_s);
    EXPECT_EQ(kolumna(nowe, "nr_konta"), u"PL61 1090 1014 0000 0712 1981 2874"_s);
    EXPECT_EQ(kolumna(nowe, "bank"), u"Bank Zachodni WBK SA"_s);
    EXPECT_EQ(ileKont(u"swift is null and opis is null and czy_domyslne = 1 and aktywne = 1"_s), 1);
    EXPECT_EQ(kolumna(stare, "czy_domyslne"), u"0"_s);
}

TEST_P(KontaFirmyTest, StoredCurrencyStaysAndTheDefaultAccountIsNotDeleted)
{
    const int domyslne = konto(u"11 1020 0000"_s, 1, 1, u"PLN"_s);
    const int dawne = konto(u"22 1030 0000"_s, 0, 0, u"XYZ"_s);
    Tkonta_firmy_frame ramka;
    otworz(ramka);
    prompter().push(Answer::dialog([&](QDialog &d) {
        EXPECT_EQ(pole<QComboBox>(d, "WalutaCombo")->currentText(), u"XYZ"_s);
        EXPECT_FALSE(pole<QCheckBox>(d, "konto_domyslny")->isEnabled());
        pole<QLineEdit>(d, "konto_swift")->setText(u"WBKPPLPP"_s);
        pole<QPlainTextEdit>(d, "konto_opis")->setPlainText(QString(801, u'o'));
        d.findChild<QToolButton *>(u"zapisz_zamknij"_s)->click();
    }));
    ASSERT_TRUE(ramka.GoToId(dawne));
    ramka.edycjaClick();
    EXPECT_EQ(kolumna(dawne, "waluta"), u"XYZ"_s);
    EXPECT_EQ(kolumna(dawne, "swift"), u"WBKPPLPP"_s);
    EXPECT_EQ(kolumna(dawne, "opis"), QString(800, u'o'));

    oznacz();
    prompter().answerMessage(host::mb::IdYes).answerMessage(host::mb::IdYes);
    ASSERT_TRUE(ramka.GoToId(domyslne));
    ramka.usunClick();
    ASSERT_TRUE(ramka.GoToId(dawne));
    ramka.usunClick();
    EXPECT_EQ(komunikaty(),
              lista({tekst("Resstrings_IDS_Czy_usunac_zaznaczone_pozycje"), tekst("Resstrings_IDS_dom_bank_nie_usu"),
                     tekst("Resstrings_IDS_Czy_usunac_zaznaczone_pozycje")}));
    EXPECT_EQ(ileKont(u"id_konta = "_s + QString::number(domyslne)), 1);
    EXPECT_EQ(ileKont(u"1 = 1"_s), 1);
}

} // namespace

MALVO_INSTANTIATE_FOR_ENGINES(KontaFirmyTest);
