#include "host_fixture.h"

#include "company/miasto_firmy.h"
#include "company/skrot_firmy.h"
#include "company/zapis_firmy_form.h"

#include "dataset.h"
#include "query.h"
#include "siblings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// ---- short-name suffix -------------------------------------------------------------

TEST(SkrotFirmy, UnikalnyPrzyrostekIDwadziesciaZnakowNaZyczenie)
{
    const std::pair<QStringList, QString> przypadki[] = {{{}, u"ABC"_s},
                                                         {{u"ABC"_s}, u"ABC_2"_s},
                                                         {{u"ABC_5"_s}, u"ABC_6"_s},
                                                         {{u"ABC_11"_s, u"ABC"_s, u"ABC_3"_s}, u"ABC_12"_s},
                                                         {{u"abc"_s}, u"ABC_2"_s},
                                                         // Longer names and non-numeric suffixes are other short names.
                                                         {{u"ABCD"_s, u"ABC_x"_s, u"ABC_"_s, u"ABC_7b"_s}, u"ABC"_s},
                                                         {{u"ABCD_9"_s, u"ABC"_s}, u"ABC_2"_s}};
    for (const auto &[zajete, oczekiwany] : przypadki)
        EXPECT_EQ(partners::dopiszPrzyrostekSkrotu(u"ABC"_s, zajete), oczekiwany) << zajete.join(u',').toStdString();

    // The 20-character limit only on request.
    const QString nazwa = u"PRZEDSIEBIORSTWOTRANSPORTOWEMIEDZYNARODOWE"_s;
    EXPECT_EQ(partners::zbudujSkrot(nazwa, partners::SkrotFirmy20), nazwa.left(20));
    EXPECT_EQ(partners::zbudujSkrot(nazwa), nazwa);
    EXPECT_EQ(partners::zbudujSkrot(u"  Alfa Beta Cargo  "_s), u"ABC"_s);
}

TEST(UlicaFirmy, NumerDomuIMieszkaniaPoUkosniku)
{
    const struct
    {
        QString wpis, ulica, domu, m;
    } przypadki[] = {{u"Długa 5"_s, u"Długa 5"_s, {}, {}}, {u"7/2"_s, {}, u"7"_s, u"2"_s}};
    for (const auto &p : przypadki) {
        const partners::UlicaZNumerami u = partners::rozbijUlice(p.wpis);
        EXPECT_EQ(QStringList({u.ulica, u.nr_domu, u.nr_m}), QStringList({p.ulica, p.domu, p.m}));
    }
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
        ASSERT_EQ(host::ExecQuery(u"insert into firma (nazwa, skrot) values (:n, :s)"_s, nullptr, 0,
                                  {{u"n"_s, u"Firma "_s + skrot}, {u"s"_s, skrot}}),
                  1);
    }

    QTemporaryDir m_pustyKatalog;
};

TEST_P(SzybkiZapisFirmy, PrzedrostekSkrotuWiazanyDoslownie)
{
    for (const char *s : {"A_B", "AXB", "AXB_2", "A_B_3", "A%B_9", "A_BC"})
        dodajFirme(QLatin1String(s));
    QStringList znalezione = partners::skrotyZaczynajaceSieOd(u"A_B"_s);
    znalezione.sort();
    EXPECT_EQ(znalezione, (QStringList{u"A_B"_s, u"A_BC"_s, u"A_B_3"_s}));
    EXPECT_EQ(partners::skrotyZaczynajaceSieOd(u"A%B"_s), QStringList{u"A%B_9"_s});
}

TEST_P(SzybkiZapisFirmy, PolaSpozaListyTrafiajaDoFirmyANieudanyZapisZglaszaKod)
{
    Tzapis_firmy_form zapis;
    partners::RekordFirmySzybki r;
    r.nazwa = u"Omega Logistics"_s;
    r.skrot = u"ignored"_s;
    r.firma_wlasna = true;
    r.nip = u"5260001246"_s;
    r.e_mail = u"biuro@omega.pl"_s;
    r.uwagi = u"pierwsza uwaga"_s;
    r.apd_id = 17;
    r.waluta = u"EUR"_s;
    r.miasto = u"Radom"_s;
    r.ulica = u"Długa"_s;
    r.nr_domu = u"5"_s;

    const int id = zapis.ZapiszSzybko(r);
    ASSERT_GT(id, 0);
    EXPECT_EQ(r.id_wynik, id);
    EXPECT_EQ(r.skrot, u"OL"_s);

    db::Query firma(host::GetConnection(), u"select * from VListaFirmFull where id = :id and id_jezyka = :j"_s);
    firma.parameters().setValue(u"id"_s, id);
    firma.parameters().setValue(u"j"_s, host::GetLanguage());
    ASSERT_EQ(host::OpenQuery(firma), 1);
    ASSERT_EQ(firma.recordCount(), 1);
    const auto pole = [&firma](const char *nazwa) { return firma.value(QLatin1String(nazwa)).toString(); };
    EXPECT_EQ(
        (QStringList{pole("skrot"), pole("nazwa_typu"), pole("nip"), pole("e_mail"), pole("uwagi"), pole("apd_id"),
                     pole("waluta_limitu_kredyt"), pole("miasto"), pole("ulica"), pole("nr_domu")}),
        (QStringList{u"OL"_s, host::LoadResstrings(u"Resstrings_IDS_firma_wlasna"_s), r.nip, r.e_mail, r.uwagi, u"17"_s,
                     u"EUR"_s, u"Radom"_s, u"Długa"_s, u"5"_s}));
    EXPECT_TRUE(firma.value(u"regon"_s).isNull());
    EXPECT_TRUE(zapis.zaznaczoneRodzaje().isEmpty());

    // Without a name the procedure refuses: the code is reported and no address is written.
    r = {};
    r.miasto = u"Radom"_s;
    const int adresy = host::GetIntDB(u"select count(*) from adres"_s);
    QString powod;
    EXPECT_EQ(zapis.ZapiszSzybko(r, &powod), 0);
    EXPECT_EQ(r.id_wynik, 0);
    EXPECT_EQ(host::GetIntDB(u"select count(*) from adres"_s), adresy);
    EXPECT_EQ(powod, u"PZapFirmeFull returned 104"_s);
    EXPECT_TRUE(prompter().messageTexts().isEmpty()) << "the code is the caller's to log";
}

MALVO_INSTANTIATE_FOR_ENGINES(SzybkiZapisFirmy);

} // namespace
