#include "company/edycja_fv_opis_dodatkowy_form.h"
#include "company/szablony_uwag.h"

#include "host_fixture.h"
#include "host_funcs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using Answer = host::ScriptedPrompter::Answer;
namespace uwagi = partners::szablony_uwag;

class EdycjaFvOpisDodatkowyTest : public HostDatabaseTest
{
protected:
    void TearDown() override
    {
        if (!IsSkipped()) {
            EXPECT_TRUE(prompter().mismatches().isEmpty());
            EXPECT_EQ(prompter().pendingAnswers(), 0); // every scripted window really opened
        }
        HostDatabaseTest::TearDown();
    }

    // Answers the next remark editor with `co`.
    void edytor(const std::function<void(Tedycja_fv_opis_dodatkowy_form &)> &co)
    {
        prompter().push(Answer::dialog([co](QDialog &d) { co(static_cast<Tedycja_fv_opis_dodatkowy_form &>(d)); }));
    }

    int szablon(const QString &nazwa, const QString &tresc, bool wSynchronizacji = false)
    {
        host::ExecQuery(u"insert into faktura_uwagi_dodatkowe (nazwa, tresc, w_synchronizacji) values (:n, :t, :s)"_s,
                        nullptr, 0, {{u"n"_s, nazwa}, {u"t"_s, tresc}, {u"s"_s, wSynchronizacji ? 1 : 0}});
        return host::GetIntDB(u"select max(id_fv_ud) from faktura_uwagi_dodatkowe"_s);
    }

    QString pole(int id, const char *kolumna)
    {
        return host::GetStringDB(
            u"select %1 from faktura_uwagi_dodatkowe where id_fv_ud = :id"_s.arg(QLatin1String(kolumna)), QString(),
            nullptr, {{u"id"_s, id}});
    }

    static QString tekst(const char *klucz) { return host::LoadResstrings(QLatin1String(klucz)); }
};

TEST_P(EdycjaFvOpisDodatkowyTest, LongestNameAndTextAreStoredWhole)
{
    const QString nazwa = QString(99, QChar(u'ż')) + QLatin1Char('\'');
    const QString tresc = QString(254, QChar(u'Ą')) + QLatin1Char(';');
    QString podpis;
    edytor([&](Tedycja_fv_opis_dodatkowy_form &e) {
        podpis = e.windowTitle();
        // Typing past the limits keeps the first characters.
        e.e_nazwa()->setText(nazwa + u"x"_s);
        e.e_nazwa()->setFocus();
        QTest::keyClicks(e.e_nazwa(), u"yz"_s);
        e.m_tresc()->setFocus();
        e.m_tresc()->insertPlainText(tresc);
        QTest::keyClicks(e.m_tresc(), u"nadmiar"_s);
        EXPECT_EQ(e.e_nazwa()->text(), nazwa);
        EXPECT_EQ(e.m_tresc()->toPlainText(), tresc);
        e.zapisz_zamknij()->click();
    });
    const int id = uwagi::Dodaj(nullptr, 1);
    ASSERT_GT(id, 0);
    EXPECT_EQ(podpis,
              u"*"_s + tekst("Resstrings_IDS_Domyslne_uwagi_dod") + u" - "_s + tekst("Resstrings_IDS_Nowy_rekord"));
    EXPECT_EQ(pole(id, "nazwa"), nazwa);
    EXPECT_EQ(pole(id, "tresc"), tresc);
    EXPECT_TRUE(prompter().messageTexts().isEmpty());
}

TEST_P(EdycjaFvOpisDodatkowyTest, EmptyFieldsAreNamedAndFocused)
{
    const QString wzor = tekst("Resstrings_IDS_prosze_wypelnic_pole");
    edytor([&](Tedycja_fv_opis_dodatkowy_form &e) {
        e.e_nazwa()->setText(u"   "_s);
        e.m_tresc()->setPlainText(u"Treść uwagi"_s);
        e.zapisz()->click();
        EXPECT_EQ(prompter().messageTexts().last(), wzor.arg(tekst("Resstrings_IDS_Nazwa")));
        EXPECT_EQ(e.focusWidget(), e.e_nazwa());

        e.e_nazwa()->setText(u"Uwaga"_s);
        e.m_tresc()->clear();
        e.zapisz()->click();
        EXPECT_EQ(prompter().messageTexts().last(), wzor.arg(tekst("Resstrings_IDS_Tresc")));
        EXPECT_EQ(e.focusWidget(), e.m_tresc());
        EXPECT_TRUE(e.CzyZmieniony());

        prompter().answerMessage(host::mb::IdNo);
        e.close();
    });
    EXPECT_EQ(uwagi::Dodaj(nullptr, 1), 0);
    EXPECT_EQ(host::GetIntDB(u"select count(*) from faktura_uwagi_dodatkowe"_s), 0);
}

TEST_P(EdycjaFvOpisDodatkowyTest, EditLoadsTheTemplateAndSavesItInPlaceUnlessSynchronised)
{
    const int id = szablon(u"Stała"_s, u"Płatne przelewem"_s);
    edytor([&](Tedycja_fv_opis_dodatkowy_form &e) {
        EXPECT_EQ(e.windowTitle(),
                  tekst("Resstrings_IDS_Domyslne_uwagi_dod") + u" - "_s + tekst("Resstrings_IDS_Edycja_rekordu"));
        EXPECT_EQ(e.e_nazwa()->text(), u"Stała"_s);
        EXPECT_EQ(e.m_tresc()->toPlainText(), u"Płatne przelewem"_s);
        EXPECT_FALSE(e.CzyZmieniony());
        e.m_tresc()->setPlainText(u"Płatne gotówką"_s);
        QTest::keyClick(e.e_nazwa(), Qt::Key_Return); // Enter in the name saves
        EXPECT_FALSE(e.CzyZmieniony());
        e.zamknijClick();
    });
    EXPECT_TRUE(uwagi::Edytuj(nullptr, id, 1));
    EXPECT_EQ(pole(id, "tresc"), u"Płatne gotówką"_s);
    EXPECT_EQ(host::GetIntDB(u"select count(*) from faktura_uwagi_dodatkowe"_s), 1);

    // Closed without saving: nothing changed.
    edytor([](Tedycja_fv_opis_dodatkowy_form &e) { e.zamknijClick(); });
    EXPECT_FALSE(uwagi::Edytuj(nullptr, id, 1));

    // One under synchronisation is not saved; the editor stays with the change.
    const int sync = szablon(u"Sync"_s, u"Tekst"_s, true);
    edytor([&](Tedycja_fv_opis_dodatkowy_form &e) {
        e.e_nazwa()->setText(u"Zmiana"_s);
        e.zapisz_zamknij()->click();
        EXPECT_TRUE(e.isVisible());
        EXPECT_TRUE(e.CzyZmieniony());
        EXPECT_EQ(prompter().messageTexts().size(), 1);
        prompter().answerMessage(host::mb::IdNo);
        e.close();
    });
    EXPECT_FALSE(uwagi::Edytuj(nullptr, sync, 1));
    EXPECT_EQ(pole(sync, "nazwa"), u"Sync"_s);
}

TEST_P(EdycjaFvOpisDodatkowyTest, DeleteAsksNothingAndReleasesTheCompany)
{
    const int id = szablon(u"Do usunięcia"_s, u"x"_s);
    const int inny = szablon(u"Zostaje"_s, u"y"_s);
    host::ExecQuery(u"insert into firma (nazwa, skrot, id_fv_ud) values ('Firma', 'F', :id)"_s, nullptr, 0,
                    {{u"id"_s, id}});
    EXPECT_TRUE(uwagi::Usun(id));
    EXPECT_TRUE(prompter().questions().isEmpty());
    EXPECT_TRUE(pole(id, "nazwa").isEmpty());
    EXPECT_EQ(host::GetIntDB(u"select count(*) from firma where id_fv_ud is null"_s), 1);

    QComboBox lista;
    EXPECT_EQ(uwagi::Laduj(&lista), 1);
    ASSERT_EQ(lista.count(), 2);
    EXPECT_EQ(lista.itemData(0).toInt(), 0);
    EXPECT_EQ(lista.itemData(1).toInt(), inny);
    EXPECT_FALSE(uwagi::Usun(0));
}

MALVO_INSTANTIATE_FOR_ENGINES(EdycjaFvOpisDodatkowyTest);
