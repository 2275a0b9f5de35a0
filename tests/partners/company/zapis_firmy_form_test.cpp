#include "host_fixture.h"

#include "company/miasto_firmy.h"
#include "company/skrot_firmy.h"
#include "company/zapis_firmy_form.h"

#include "dataset.h"
#include "query.h"
#include "siblings.h"

#include <gtest/gtest.h>

namespace {

// ---- short-name suffix -------------------------------------------------------------

struct PrzypadekSkrotu
{
    const char *opis;
    QStringList zajete;
    QString oczekiwany;
};

class PrzyrostekSkrotu : public testing::TestWithParam<PrzypadekSkrotu>
{};

TEST_P(PrzyrostekSkrotu, Unikalny)
{
    EXPECT_EQ(partners::dopiszPrzyrostekSkrotu(QStringLiteral("ABC"), GetParam().zajete), GetParam().oczekiwany);
}

INSTANTIATE_TEST_SUITE_P(
    Reguly, PrzyrostekSkrotu,
    testing::Values(
        PrzypadekSkrotu{"wolny", {}, QStringLiteral("ABC")},
        PrzypadekSkrotu{"sam", {QStringLiteral("ABC")}, QStringLiteral("ABC_2")},
        PrzypadekSkrotu{"iDwojka", {QStringLiteral("ABC"), QStringLiteral("ABC_2")}, QStringLiteral("ABC_3")},
        PrzypadekSkrotu{"tylkoPiatka", {QStringLiteral("ABC_5")}, QStringLiteral("ABC_6")},
        PrzypadekSkrotu{"najwiekszyNieOstatni",
                        {QStringLiteral("ABC_11"), QStringLiteral("ABC"), QStringLiteral("ABC_3")},
                        QStringLiteral("ABC_12")},
        PrzypadekSkrotu{"innaWielkoscLiter", {QStringLiteral("abc")}, QStringLiteral("ABC_2")},
        // Longer names and non-numeric suffixes are other short names.
        PrzypadekSkrotu{
            "tylkoPodobne",
            {QStringLiteral("ABCD"), QStringLiteral("ABC_x"), QStringLiteral("ABC_"), QStringLiteral("ABC_7b")},
            QStringLiteral("ABC")},
        PrzypadekSkrotu{
            "podobneObokSamego", {QStringLiteral("ABCD_9"), QStringLiteral("ABC")}, QStringLiteral("ABC_2")}),
    [](const testing::TestParamInfo<PrzypadekSkrotu> &info) { return std::string(info.param.opis); });

TEST(SkrotFirmy, LimitDwudziestuZnakowTylkoNaZyczenie)
{
    const QString nazwa = QStringLiteral("PRZEDSIEBIORSTWOTRANSPORTOWEMIEDZYNARODOWE");
    EXPECT_EQ(partners::zbudujSkrot(nazwa, partners::SkrotFirmy20), nazwa.left(20));
    EXPECT_EQ(partners::zbudujSkrot(nazwa), nazwa);
    EXPECT_EQ(partners::zbudujSkrot(QStringLiteral("  Alfa Beta Cargo  ")), QStringLiteral("ABC"));
}

TEST(UlicaFirmy, NumerDomuIMieszkaniaPoUkosniku)
{
    const partners::UlicaZNumerami pelna = partners::rozbijUlice(QStringLiteral("Aleje Jerozolimskie 12a/4"));
    EXPECT_EQ(pelna.ulica, QStringLiteral("Aleje Jerozolimskie"));
    EXPECT_EQ(pelna.nr_domu, QStringLiteral("12a"));
    EXPECT_EQ(pelna.nr_m, QStringLiteral("4"));

    const partners::UlicaZNumerami bezUkosnika = partners::rozbijUlice(QStringLiteral("Długa 5"));
    EXPECT_EQ(bezUkosnika.ulica, QStringLiteral("Długa 5"));
    EXPECT_TRUE(bezUkosnika.nr_domu.isEmpty());
    EXPECT_TRUE(bezUkosnika.nr_m.isEmpty());

    const partners::UlicaZNumerami samNumer = partners::rozbijUlice(QStringLiteral("7/2"));
    EXPECT_TRUE(samNumer.ulica.isEmpty());
    EXPECT_EQ(samNumer.nr_domu, QStringLiteral("7"));
    EXPECT_EQ(samNumer.nr_m, QStringLiteral("2"));
}

// ---- against the database --------------------------------------------------------------

class SzybkiZapisFirmy : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        // No cities sibling unless a test brings one.
        host::setSiblingDirectory(m_pustyKatalog.path());
    }

    void TearDown() override
    {
        host::setSiblingDirectory(QString());
        HostDatabaseTest::TearDown();
    }

    void dodajFirme(const QString &skrot)
    {
        ASSERT_EQ(
            host::ExecQuery(QStringLiteral("insert into firma (nazwa, skrot) values (:n, :s)"), nullptr, 0,
                            {{QStringLiteral("n"), QStringLiteral("Firma ") + skrot}, {QStringLiteral("s"), skrot}}),
            1);
    }

    QTemporaryDir m_pustyKatalog;
};

TEST_P(SzybkiZapisFirmy, PrzedrostekSkrotuWiazanyDoslownie)
{
    for (const char *s : {"A_B", "AXB", "AXB_2", "A_B_3", "A%B_9", "A_BC"})
        dodajFirme(QLatin1String(s));
    QStringList znalezione = partners::skrotyZaczynajaceSieOd(QStringLiteral("A_B"));
    znalezione.sort();
    EXPECT_EQ(znalezione, (QStringList{QStringLiteral("A_B"), QStringLiteral("A_BC"), QStringLiteral("A_B_3")}));
    EXPECT_EQ(partners::skrotyZaczynajaceSieOd(QStringLiteral("A%B")), QStringList{QStringLiteral("A%B_9")});
    EXPECT_EQ(partners::generujSkrotFirmy(QStringLiteral("A_B"), 0, true), QStringLiteral("A_B_4"));
    EXPECT_EQ(partners::generujSkrotFirmy(QStringLiteral("Alfa Beta Cargo"), 0, true), QStringLiteral("ABC"));
    EXPECT_EQ(partners::generujSkrotFirmy(QStringLiteral("A_B"), 0, false), QStringLiteral("A_B"));
}

TEST_P(SzybkiZapisFirmy, PolaSpozaListyTrafiajaDoFirmy)
{
    Tzapis_firmy_form zapis;
    partners::RekordFirmySzybki r;
    r.nazwa = QStringLiteral("Omega Logistics");
    r.skrot = QStringLiteral("ignored");
    r.firma_wlasna = true;
    r.nip = QStringLiteral("5260001246");
    r.e_mail = QStringLiteral("biuro@omega.pl");
    r.uwagi = QStringLiteral("pierwsza uwaga");
    r.apd_id = 17;
    r.waluta = QStringLiteral("EUR");
    r.miasto = QStringLiteral("Radom");
    r.ulica = QStringLiteral("Długa");
    r.nr_domu = QStringLiteral("5");

    const int id = zapis.ZapiszSzybko(r);
    ASSERT_GT(id, 0);
    EXPECT_EQ(r.id_wynik, id);
    EXPECT_EQ(r.skrot, QStringLiteral("OL"));

    db::Query firma(host::GetConnection(),
                    QStringLiteral("select * from VListaFirmFull where id = :id and id_jezyka = :j"));
    firma.parameters().setValue(QStringLiteral("id"), id);
    firma.parameters().setValue(QStringLiteral("j"), host::GetLanguage());
    ASSERT_EQ(host::OpenQuery(firma), 1);
    ASSERT_EQ(firma.recordCount(), 1);
    EXPECT_EQ(firma.value(QStringLiteral("skrot")).toString(), QStringLiteral("OL"));
    EXPECT_EQ(firma.value(QStringLiteral("nazwa_typu")).toString(),
              host::LoadResstrings(QStringLiteral("Resstrings_IDS_firma_wlasna")));
    EXPECT_EQ(firma.value(QStringLiteral("nip")).toString(), r.nip);
    EXPECT_EQ(firma.value(QStringLiteral("e_mail")).toString(), r.e_mail);
    EXPECT_EQ(firma.value(QStringLiteral("uwagi")).toString(), r.uwagi);
    EXPECT_EQ(firma.value(QStringLiteral("apd_id")).toInt(), 17);
    EXPECT_EQ(firma.value(QStringLiteral("waluta_limitu_kredyt")).toString(), QStringLiteral("EUR"));
    EXPECT_TRUE(firma.value(QStringLiteral("regon")).isNull());
    EXPECT_EQ(firma.value(QStringLiteral("miasto")).toString(), QStringLiteral("Radom"));
    EXPECT_EQ(firma.value(QStringLiteral("ulica")).toString(), QStringLiteral("Długa"));
    EXPECT_EQ(firma.value(QStringLiteral("nr_domu")).toString(), QStringLiteral("5"));
    EXPECT_TRUE(zapis.zaznaczoneRodzaje().isEmpty());
}

TEST_P(SzybkiZapisFirmy, NieudanyZapisZglaszaKodIPomijaAdres)
{
    Tzapis_firmy_form zapis;
    partners::RekordFirmySzybki r; // no name: the procedure refuses
    r.miasto = QStringLiteral("Radom");
    const int adresy = host::GetIntDB(QStringLiteral("select count(*) from adres"));
    EXPECT_EQ(zapis.ZapiszSzybko(r), 0);
    EXPECT_EQ(r.id_wynik, 0);
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select count(*) from adres")), adresy);
    const QStringList komunikaty = prompter().messageTexts();
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty.first().endsWith(QStringLiteral(" [104]"))) << komunikaty.first().toStdString();
}

MALVO_INSTANTIATE_FOR_ENGINES(SzybkiZapisFirmy);

} // namespace
