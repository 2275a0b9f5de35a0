#include "sibling_fixture.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

class OrdersTest : public SiblingTest
{
protected:
    static int noweZlecenie(int idF)
    {
        return host::callSibling<int(int)>("data\\Forwarding\\orders.dll", "_Grafik_NewRecord", idF).value_or(-1);
    }

    // Fills the window as a user would; remembers what it showed.
    Answer wypelnij(const QDate &data, const QString &numer)
    {
        return Answer::dialog([this, data, numer](QDialog &okno) {
            m_pokazanaFirma = okno.findChild<QLabel *>("lblFirma")->text();
            auto *nr = okno.findChild<QLineEdit *>("edNumer");
            m_proponowanyNumer = nr->text();
            okno.findChild<QDateEdit *>("dtpeData")->setDate(data);
            nr->setText(numer);
            okno.accept();
        });
    }

    QString m_pokazanaFirma;
    QString m_proponowanyNumer;
};

TEST_P(OrdersTest, AnAcceptedOrderIsStoredForTheCompanyIssuedByTheActiveOne)
{
    const int klient = firma("Klient Sp. z o.o.");
    const int wlasna = firma("Nasza firma");
    ASSERT_TRUE(host::var::AktywnaFirma.set(wlasna));
    const QString rok = QString::number(QDate::currentDate().year());

    // A number is required, a cancelled window stores nothing, and no window
    // opens for a company that does not exist.
    prompter().push(okNaNiepelnym([](QDialog &okno) { okno.findChild<QLineEdit *>("edNumer")->setText("  "); }));
    EXPECT_EQ(noweZlecenie(klient), 0);
    odmowionoBez("Numer zlecenia");
    EXPECT_EQ(ile("select count(*) from zlecenie"), 0);
    EXPECT_EQ(noweZlecenie(987654), 0);
    EXPECT_EQ(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).size(), 1);

    prompter().push(wypelnij(QDate(2020, 3, 14), "ZL/'7'"));
    const int id = noweZlecenie(klient);
    ASSERT_GT(id, 0);
    EXPECT_EQ(m_pokazanaFirma, "Klient Sp. z o.o.");
    EXPECT_EQ(m_proponowanyNumer, "ZL/1/" + rok);

    // number|company|issuer|user, and the date
    EXPECT_EQ(tekst("select nr_pelny || '|' || id_f || '|' || id_wystawil || '|' || id_u from zlecenie"
                    " where id_realiz = :id",
                    {{"id", id}}),
              QString("ZL/'7'|%1|%2|%3").arg(klient).arg(wlasna).arg(host::AktIdU()));
    EXPECT_EQ(host::GetDateTimeDB("select data_utworzenia from zlecenie where id_realiz = :id", QString(), nullptr,
                                  {{"id", id}})
                  .date(),
              QDate(2020, 3, 14));

    // Proposals count the orders of the current year only.
    prompter().push(wypelnij(QDate::currentDate(), "A"));
    ASSERT_GT(noweZlecenie(klient), id);
    EXPECT_EQ(m_proponowanyNumer, "ZL/1/" + rok);
    prompter().push(wypelnij(QDate::currentDate(), "B"));
    ASSERT_GT(noweZlecenie(klient), id);
    EXPECT_EQ(m_proponowanyNumer, "ZL/2/" + rok);
}

MALVO_INSTANTIATE_FOR_ENGINES(OrdersTest);
