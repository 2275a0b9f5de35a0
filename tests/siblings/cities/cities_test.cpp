#include "cities_api.h"
#include "sibling_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

class CitiesTest : public SiblingTest
{
protected:
    void SetUp() override
    {
        SiblingTest::SetUp();
        if (IsSkipped())
            return;
        m_polska = ile("select id_p from panstwo where iso = 'PL'");
        m_niemcy = ile("select id_p from panstwo where iso = 'DE'");
    }

    static int dodajBezFormularza(const QString &nazwa, const QString &drugi, const QString &kod = {})
    {
        return host::callSibling<cities::DodajMiastoBezFormularzaFn>("cities.dll", "_DodajMiastoBezFormularza", nazwa,
                                                                     drugi, kod)
            .value_or(-1);
    }

    static int edytuj(int idM) { return host::callSibling<int(int)>("cities.dll", "_EditRecord", idM).value_or(-1); }

    // name|country ISO|postal codes of a city
    static QString opis(int idM)
    {
        const QVariantMap id{{"id", idM}};
        return tekst("select m.miasto || '|' || p.iso from miasto m join panstwo p on p.id_p = "
                     "m.id_panstwa where m.id_m = :id",
                     id)
            + '|'
            + host::GetListaStringDB("select kod from kod_pocztowy where id_m = :id order by kod", QString(), nullptr,
                                     id)
                  .join(' ');
    }

    // Fills the editor as a user would; remembers what it showed.
    Answer wypelnij(const QString &nazwa, int idPanstwa, const QString &kodyMiasta)
    {
        return Answer::dialog([=, this](QDialog &okno) {
            auto *edNazwa = okno.findChild<QLineEdit *>("edMiasto");
            auto *cbPanstwo = okno.findChild<QComboBox *>("cbPanstwo");
            auto *memKody = okno.findChild<QPlainTextEdit *>("memKody");
            m_pokazane = {edNazwa->text(), QString::number(host::ZwrocWartoscCombo(cbPanstwo)), memKody->toPlainText()};
            edNazwa->setText(nazwa);
            host::UstawWartoscCombo(cbPanstwo, idPanstwa);
            memKody->setPlainText(kodyMiasta);
            okno.accept();
        });
    }

    int m_polska = 0;
    int m_niemcy = 0;
    QStringList m_pokazane;
};

TEST_P(CitiesTest, EditingKeepsUnchangedCodesAndTheCityLinksAndFreesAddressesOfRemovedCodes)
{
    const int gmina = dodajBezFormularza("Gmina", QString());
    const int id = wstaw("miasto", "id_m", {{"miasto", "Stare"}, {"id_panstwa", m_polska}, {"id_m_gminy", gmina}});
    const auto kod = [id](const char *k) { return wstaw("kod_pocztowy", "id_kodu", {{"kod", k}, {"id_m", id}}); };
    const int zostaje = kod("11-111");
    const int adres = wstaw(
        "adres", "id_adr",
        {{"id_", firma("Pod adresem")}, {"tabela", 7}, {"id_m", id}, {"id_kodu", kod("22-222")}, {"czy_domyslny", 1}});

    prompter().push(wypelnij("Nowe", m_polska, "11-111\n33-333"));
    EXPECT_EQ(edytuj(id), id);
    EXPECT_EQ(m_pokazane, (QStringList{"Stare", QString::number(m_polska), "11-111\n22-222"}));
    EXPECT_EQ(opis(id), "Nowe|PL|11-111 33-333");
    EXPECT_EQ(ile("select id_kodu from kod_pocztowy where kod = '11-111'"), zostaje);
    EXPECT_EQ(ile("select id_m_gminy from miasto where id_m = :id", {{"id", id}}), gmina);
    EXPECT_EQ(ile("select count(*) from adres where id_adr = :a and id_m = :m and id_kodu is null",
                  {{"a", adres}, {"m", id}}),
              1);
}

// A city added without a window lies in Poland unless the second argument names a country, with the
// postal code given; the editor creates a city with its codes, but not without a name.
TEST_P(CitiesTest, CitiesAreAddedWithoutAWindowOrThroughTheEditor)
{
    const int bezKraju = dodajBezFormularza("  Zielonka ", QString());
    EXPECT_EQ(opis(bezKraju), "Zielonka|PL|");
    EXPECT_EQ(opis(dodajBezFormularza("Görlitz", "D")), "Görlitz|DE|");
    EXPECT_EQ(opis(dodajBezFormularza("Bautzen", "niemcy")), "Bautzen|DE|");
    EXPECT_EQ(opis(dodajBezFormularza("Cottbus", "DE", " 03046 ")), "Cottbus|DE|03046");
    EXPECT_EQ(opis(dodajBezFormularza("O'Hara", "Atlantyda")), "O'Hara|PL|");
    EXPECT_TRUE(logText().contains("Atlantyda")) << logText().toStdString();

    EXPECT_EQ(dodajBezFormularza("   ", QString()), 0);
    EXPECT_TRUE(prompter().questions().isEmpty());
    prompter().push(wypelnij("Nowe Miasto", m_niemcy, "01-234\n\n 01-235 \n01-234"));
    const int nowe = host::callSibling<int()>("cities.dll", "_NewRecord").value_or(-1);
    EXPECT_EQ(m_pokazane, (QStringList{QString(), QString::number(m_polska), QString()}));
    EXPECT_EQ(opis(nowe), "Nowe Miasto|DE|01-234 01-235");

    const int id = dodajBezFormularza("Bez zmian", QString());
    prompter().push(okNaNiepelnym([](QDialog &okno) { okno.findChild<QLineEdit *>("edMiasto")->clear(); }));
    EXPECT_EQ(edytuj(id), id);
    odmowionoBez("Miasto");
    EXPECT_EQ(opis(id), "Bez zmian|PL|");

    prompter().push(Answer::dialogResult(QDialog::Rejected));
    EXPECT_EQ(host::callSibling<int()>("cities.dll", "_NewRecord").value_or(-1), 0);
    EXPECT_EQ(edytuj(987654), 0);
    EXPECT_EQ(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).size(), 3);
}

MALVO_INSTANTIATE_FOR_ENGINES(CitiesTest);
