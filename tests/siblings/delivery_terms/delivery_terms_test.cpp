#include "sibling_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>

class DeliveryTermsTest : public SiblingTest
{
protected:
    static int nowy(int rodzaj)
    {
        return host::callSibling<int(int)>("delivery_terms.dll", "_NewRecord", rodzaj).value_or(-1);
    }

    static int edytuj(int rodzaj, int id)
    {
        return host::callSibling<int(int, int)>("delivery_terms.dll", "_EditRecord", rodzaj, id).value_or(-1);
    }

    Answer wypelnij(const QString &nazwa, const QString &tresc)
    {
        return Answer::dialog([=, this](QDialog &okno) {
            auto *edNazwa = okno.findChild<QLineEdit *>("edNazwa");
            auto *memTresc = okno.findChild<QPlainTextEdit *>("memTresc");
            m_pokazane = {okno.windowTitle(), edNazwa->text(), memTresc->toPlainText()};
            edNazwa->setText(nazwa);
            memTresc->setPlainText(tresc);
            okno.accept();
        });
    }

    static QStringList szablon(int id)
    {
        const QVariantMap p{{"id", id}};
        return {tekst("select nazwa from VListaSzablonZlecenia where id = :id", p),
                tekst("select tresc from VListaSzablonZlecenia where id = :id", p)};
    }

    QStringList m_pokazane;
};

// A name is required, and nothing is saved when it is missing or the template is.
TEST_P(DeliveryTermsTest, ANewTemplateIsSavedAndEditedInPlace)
{
    prompter().push(
        okNaNiepelnym([](QDialog &okno) { okno.findChild<QPlainTextEdit *>("memTresc")->setPlainText("Bez nazwy"); }));
    EXPECT_EQ(nowy(0), 0);
    odmowionoBez("Nazwa");
    EXPECT_EQ(edytuj(0, 987654), 0);
    EXPECT_EQ(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).size(), 1);
    EXPECT_EQ(ile("select count(*) from szablon_zlecenia"), 0);

    prompter().push(wypelnij("Standard", "Rozładunek do 16:00.\nPalety 'EUR'."));
    const int id = nowy(1);
    ASSERT_GT(id, 0);
    EXPECT_EQ(m_pokazane, (QStringList{"Warunki realizacji potwierdzenia zlecenia", QString(), QString()}));
    EXPECT_EQ(szablon(id), (QStringList{"Standard", "Rozładunek do 16:00.\nPalety 'EUR'."}));

    prompter().push(wypelnij("Standard 2", QString()));
    EXPECT_EQ(edytuj(0, id), id);
    EXPECT_EQ(m_pokazane,
              (QStringList{"Warunki realizacji zlecenia", "Standard", "Rozładunek do 16:00.\nPalety 'EUR'."}));
    EXPECT_EQ(szablon(id), (QStringList{"Standard 2", QString()}));
    EXPECT_EQ(ile("select count(*) from szablon_zlecenia"), 1);
}

MALVO_INSTANTIATE_FOR_ENGINES(DeliveryTermsTest);
