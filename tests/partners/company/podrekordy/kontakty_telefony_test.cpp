#include "company/edycja_firmy_form.h"
#include "company/podrekordy/kontakty_firmy_fr.h"

#include "company/firma_fixture.h"

#include "dictionary_form.h"
#include "host_funcs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using firmatest::Answer;

class KontaktyTelefonyTest : public firmatest::FirmaTest
{
protected:
    void SetUp() override
    {
        FirmaTest::SetUp();
        if (IsSkipped())
            return;
        m_firma = firmaZAdresem(u"Kontaktowa"_s, {{"skrot", u"KT"_s}});
    }

    // Opens the company on its contacts tab and runs the row editor of `Ramka`'s list in mode `tryb`.
    template <typename Ramka>
    void edytuj(bool nowy, const std::function<void(QDialog &)> &co)
    {
        Tedycja_firmy_form forma;
        forma.UstawZakladkeStartowa(u"tsKontakty"_s);
        prompter().push(Answer::dialog([&](QDialog &) {
            auto *ramka = forma.findChild<Ramka *>();
            ASSERT_TRUE(ramka && ramka->daneWczytane());
            prompter().push(Answer::dialog(co));
            nowy ? ramka->nowyClick() : ramka->edycjaClick();
        }));
        forma.PokazRekord(m_firma, Tedycja_firmy_form::Edycja, 1);
    }

    QString brak(const char *etykieta)
    {
        return host::LoadResstrings(u"Resstrings_IDS_prosze_wypelnic_pole"_s)
            .arg(host::LoadResstrings(QLatin1String(etykieta)));
    }

    int m_firma = 0;
    const QString m_prefiks = host::Znajdz_NrKierunkowy();
};

TEST_P(KontaktyTelefonyTest, ContactIsAddedSavedTwiceAndWalkedThrough)
{
    const int stary = wstaw(u"kontakt"_s, u"id_kontakt"_s, {{"id_f", m_firma}, {"nazwisko", u"Nowak"_s}});
    int id = 0;
    edytuj<Tkontakty_firmy_frame>(true, [&](QDialog &d) {
        auto &e = static_cast<Tszablon_edycja_form &>(d);
        EXPECT_FALSE(e.CzyZmieniony());
        EXPECT_FALSE(e.poprzButton()->isEnabled());
        EXPECT_FALSE(e.nastButton()->isEnabled());
        pole(d, "kontakt_imie")->setText(u" Jan "_s);
        e.zapisz()->click();
        EXPECT_EQ(prompter().messageTexts().last(), brak("Resstrings_IDS_Nazwisko"));
        EXPECT_EQ(d.focusWidget(), pole(d, "kontakt_nazw"));

        pole(d, "kontakt_nazw")->setText(u"Kowalski"_s);
        QTest::keyClicks(pole(d, "kontakt_e_mail"), u"jan@"_s);
        EXPECT_EQ(pole(d, "kontakt_e_mail")->palette().color(QPalette::Text), QColor(Qt::red));
        pole(d, "kontakt_telefon")->setText(u" "_s + m_prefiks);
        prompter().push(Answer::dialog([](QDialog &s) { // a position the list lacks yet
            s.findChild<QLineEdit *>(u"nowa_wartosc"_s)->setText(u"Spedytor"_s);
            static_cast<host::TslownikForm &>(s).dodajClick();
            s.accept();
        }));
        pole<QToolButton>(d, "bNewStanowisko")->click();
        EXPECT_EQ(pole<QComboBox>(d, "kontakt_stanowisko")->currentText(), u"Spedytor"_s);
        e.zapisz()->click();
        id = e.IdRekordu();
        EXPECT_EQ(ile(u"select count(*) from kontakt where tel is null"_s), 2) << "the prefix alone is no number";
        EXPECT_EQ(e.TrybEdycji(), Tszablon_edycja_form::Edycja);
        EXPECT_TRUE(e.poprzButton()->isEnabled());
        EXPECT_FALSE(e.nastButton()->isEnabled());

        pole(d, "kontakt_telefon")->setText(u"600 100 200"_s);
        e.zapisz()->click();
        EXPECT_EQ(e.IdRekordu(), id);
        e.poprzButton()->click();
        EXPECT_EQ(pole(d, "kontakt_nazw")->text(), u"Nowak"_s);
        EXPECT_EQ(d.windowTitle(), host::LoadResstrings(u"Resstrings_IDS_Kontakt_edycja_rekordu"_s));
        EXPECT_FALSE(e.poprzButton()->isEnabled());
        EXPECT_TRUE(e.nastButton()->isEnabled());
        e.zamknijClick();
    });
    ASSERT_GT(id, stary);
    const QVariantMap p{{"id", id}};
    EXPECT_EQ(ile(u"select count(*) from kontakt where id_f = :id"_s, {{"id", m_firma}}), 2);
    EXPECT_EQ(tekstDB(u"select imie || '|' || e_mail || '|' || tel from kontakt where id_kontakt = :id"_s, p),
              u"Jan|jan@|600 100 200"_s);
    EXPECT_EQ(tekstDB(u"select s.wartosc from kontakt k join slowwartosci s on s.id_wartosci = k.id_stan"
                      " where k.id_kontakt = :id"_s,
                      p),
              u"Spedytor"_s);
    EXPECT_EQ(prompter().messageTexts().size(), 1);
}

TEST_P(KontaktyTelefonyTest, SecondDefaultPhoneAsksAndReplacesTheFirstOnlyOnYes)
{
    const QString domyslne =
        u"select coalesce(min(numer), '') || '/' || count(*) from telefon where tabela = 7 and czy_domysl = 1 and id_ = :id"_s;
    edytuj<Ttelefony_firmy_frame>(true, [&](QDialog &d) {
        auto &e = static_cast<Tszablon_edycja_form &>(d);
        auto *tel = pole<QCheckBox>(d, "telefon_tel");
        auto *fax = pole<QCheckBox>(d, "telefon_fax");
        auto *domyslny = pole<QCheckBox>(d, "telefon_domyslny");
        pole(d, "telefon_numer")->setText(u" "_s + m_prefiks + u" "_s);
        e.zapisz()->click();
        EXPECT_EQ(prompter().messageTexts().last(), brak("Resstrings_IDS_Telefon_numer"));
        EXPECT_EQ(ile(u"select count(*) from telefon"_s), 0);

        pole(d, "telefon_numer")->setText(u"22 111 22 33"_s);
        tel->click(); // the only kind unchecked: fax takes its place
        EXPECT_TRUE(fax->isChecked());
        tel->click();
        domyslny->click(); // no default yet: nothing asked
        e.zapisz_nast()->click();
        EXPECT_EQ(e.TrybEdycji(), Tszablon_edycja_form::Nowy);
        EXPECT_EQ(tekstDB(domyslne, {{"id", m_firma}}), u"22 111 22 33/1"_s);

        pole(d, "telefon_numer")->setText(u"22 444 55 66"_s);
        prompter().answerMessage(host::mb::IdNo);
        domyslny->click();
        EXPECT_FALSE(domyslny->isChecked());
        e.zapisz()->click();
        EXPECT_EQ(tekstDB(domyslne, {{"id", m_firma}}), u"22 111 22 33/1"_s);

        prompter().answerMessage(host::mb::IdYes);
        domyslny->click();
        EXPECT_TRUE(e.CzyZmieniony());
        e.zapisz_zamknij()->click();
    });
    EXPECT_EQ(prompter().questionsOf(host::ScriptedPrompter::Kind::Message).size(), 3);
    EXPECT_EQ(tekstDB(domyslne, {{"id", m_firma}}), u"22 444 55 66/1"_s);
    EXPECT_EQ(ile(u"select count(*) from telefon where id_ = :id and tel_fax = 3"_s, {{"id", m_firma}}), 1);
}

} // namespace

MALVO_INSTANTIATE_FOR_ENGINES(KontaktyTelefonyTest);
