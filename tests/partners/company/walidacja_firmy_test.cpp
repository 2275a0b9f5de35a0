#include "company/walidacja_firmy.h"

#include "firma_fixture.h"

#include "connection.h"
#include "host_funcs.h"
#include "prompter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace partners;
using namespace firmatest;

namespace {

const QString BrakPola = QStringLiteral("Proszę wypełnić pole: %1");
const QString NipJuzJest = QStringLiteral("Firma o tym numerze NIP już istnieje.");
const QString NazwaJuzJest = QStringLiteral("Firma o tej nazwie już istnieje.");
const QString MimoTo = QStringLiteral("\nCzy mimo to zapisać?");

class WalidacjaFirmyTest : public FirmaTest
{
protected:
    WynikWalidacji sprawdz(DaneFirmy &d)
    {
        oznacz();
        TWalidacjaFirmy walidacja(d);
        return walidacja.sprawdz();
    }

    // The pass fails with exactly this one message on that field and page.
    void oczekujBledu(DaneFirmy &d, const QString &komunikat, PoleFirmy pole,
                      const QString &zakladka = ZakladkaDaneOgolne)
    {
        const WynikWalidacji w = sprawdz(d);
        EXPECT_FALSE(w.poprawna);
        EXPECT_EQ(w.pole, pole);
        EXPECT_EQ(w.zakladka.toStdString(), zakladka.toStdString());
        EXPECT_EQ(komunikaty(), lista(QStringList{komunikat}));
    }

    void oczekujPoprawnej(DaneFirmy &d)
    {
        const WynikWalidacji w = sprawdz(d);
        EXPECT_TRUE(w.poprawna) << komunikaty();
    }
};

TEST_P(WalidacjaFirmyTest, KazdyKrokZatrzymujePrzebiegWKolejnosci)
{
    host::var::UprawnieniaZapisFirmyWlasne.set(false);
    firma(QStringLiteral("Istniejąca"),
          {{"skrot", "IST"}, {"nip", "5260250274"}, {"regon", "123456785"}, {"krs", "0000012345"}});

    DaneFirmy d;
    d.firmaWlasna = true;
    d.oddzial = true;
    d.okresRozWymagany = true;
    d.limitKredytowy = 100;
    d.walutaLimitu.clear();
    d.nip = QStringLiteral("5260250274");
    d.regon = QStringLiteral("123456785");
    d.krs = QStringLiteral("0000012345");

    oczekujBledu(d, BrakPola.arg(QStringLiteral("Nazwa firmy")), PoleFirmy::Nazwa);
    d.nazwa = QStringLiteral("  Istniejąca ");
    oczekujBledu(d, BrakPola.arg(QStringLiteral("Skrót")), PoleFirmy::Skrot);
    d.skrot = QStringLiteral("IST");
    oczekujBledu(d, BrakPola.arg(QStringLiteral("Państwo, kod pocztowy, miejscowość")), PoleFirmy::Miasto);
    d.idM = m_warszawa;
    oczekujBledu(d, QStringLiteral("Brak uprawnień do zapisu firm własnych."), PoleFirmy::Brak, QString());
    host::var::UprawnieniaZapisFirmyWlasne.set(true);
    oczekujBledu(d, QStringLiteral("Wybierz centralę, której oddziałem jest firma."), PoleFirmy::Centrala);
    d.oddzial = false;
    oczekujBledu(d, QStringLiteral("Wybierz długość okresu rozliczeniowego."), PoleFirmy::DlugoscOkresu,
                 ZakladkaKsiegRozl);
    d.okresRoz = 1;
    oczekujBledu(d, BrakPola.arg(QStringLiteral("Waluta domyślna")), PoleFirmy::WalutaLimitu);
    d.walutaLimitu = QStringLiteral("EUR");

    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NipJuzJest + MimoTo, PoleFirmy::Nip);
    d.nip.clear();
    oczekujBledu(d, QStringLiteral("Firma o tym numerze REGON już istnieje."), PoleFirmy::Regon);
    d.regon.clear();
    oczekujBledu(d, QStringLiteral("Firma o tym numerze KRS już istnieje."), PoleFirmy::Krs);
    d.krs.clear();
    // Surrounding blanks do not make a name new.
    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NazwaJuzJest + MimoTo, PoleFirmy::Nazwa);
    d.nazwa = QStringLiteral("Inna");
    oczekujBledu(d, QStringLiteral("Firma o tym skrócie już istnieje."), PoleFirmy::Skrot);
    d.skrot = QStringLiteral("INN");
    oczekujPoprawnej(d);
    EXPECT_TRUE(komunikaty().empty());
}

TEST_P(WalidacjaFirmyTest, PowtorzonyNipMoznaPotwierdzicLubOdrzucic)
{
    firma(QStringLiteral("Pierwsza"), {{"nip", "5260250274"}});
    const int zMyslnikami = firma(QStringLiteral("Druga"), {{"nip", "777-000-11-22"}});

    DaneFirmy d = poprawna();
    d.nip = QStringLiteral("526-025-02 74");
    prompter().answerMessage(host::mb::IdYes);
    oczekujPoprawnej(d);
    ASSERT_EQ(prompter().questions().size(), 1);
    EXPECT_EQ(prompter().questions().last().text, NipJuzJest + MimoTo);
    EXPECT_EQ(prompter().questions().last().flags & host::mb::ButtonsMask, host::mb::YesNo);

    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NipJuzJest + MimoTo, PoleFirmy::Nip);

    // Stored with dashes, typed as digits; the company itself is no duplicate.
    d.nip = QStringLiteral("7770001122");
    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NipJuzJest + MimoTo, PoleFirmy::Nip);
    d.idFirmy = zMyslnikami;
    d.nazwa = QStringLiteral("Druga po zmianie");
    oczekujPoprawnej(d);
}

TEST_P(WalidacjaFirmyTest, NipZapisanyZPrefiksemTezJestPowtorzeniem)
{
    // What the save stores: the EU prefix in front of the number.
    const int centrala = firma(QStringLiteral("Zapisana z prefiksem"), {{"nip", "PL5260250274"}});

    DaneFirmy d = poprawna();
    d.prefiksNip = QStringLiteral("PL");
    d.nip = QStringLiteral("526-025-02-74");
    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NipJuzJest + MimoTo, PoleFirmy::Nip);

    // Another prefix is another number.
    d.prefiksNip = QStringLiteral("DE");
    oczekujPoprawnej(d);

    // A branch of another head office may not carry it either; its own head office's it may.
    DaneFirmy oddzial = poprawna(QStringLiteral("Oddział"), QStringLiteral("ODD"));
    oddzial.oddzial = true;
    oddzial.prefiksNip = QStringLiteral("PL");
    oddzial.nip = QStringLiteral("5260250274");
    oddzial.idCentrali = firma(QStringLiteral("Inna centrala"), {{"nip", "PL1111111111"}});
    oczekujBledu(oddzial, NipJuzJest, PoleFirmy::Nip);
    oddzial.idCentrali = centrala;
    oczekujPoprawnej(oddzial);
}

TEST_P(WalidacjaFirmyTest, OddzialMozeMiecNipCentraliAleDrugaCentralaNie)
{
    const int centrala = firma(QStringLiteral("Centrala"), {{"nip", "5260250274"}});

    DaneFirmy oddzial = poprawna(QStringLiteral("Oddział Kraków"), QStringLiteral("ODK"));
    oddzial.oddzial = true;
    oddzial.idCentrali = centrala;
    oddzial.nip = QStringLiteral("5260250274");
    oczekujPoprawnej(oddzial);
    EXPECT_TRUE(komunikaty().empty());

    // A head office with branches of its own: the conflict is refused outright.
    const int drugaCentrala = firma(QStringLiteral("Druga centrala"), {{"nip", "5260250274"}});
    firma(QStringLiteral("Jej oddział"), {{"nip", "1111111111"}, {"id_centrali", drugaCentrala}});
    // A branch without a NIP hides nothing.
    firma(QStringLiteral("Oddział bez NIP"), {{"id_centrali", drugaCentrala}});
    DaneFirmy druga = poprawna(QStringLiteral("Druga centrala"), QStringLiteral("DC"));
    druga.idFirmy = drugaCentrala;
    druga.nip = QStringLiteral("5260250274");
    oczekujBledu(druga, NipJuzJest, PoleFirmy::Nip);
    ASSERT_FALSE(prompter().questions().isEmpty());
    EXPECT_EQ(prompter().questions().last().flags & host::mb::ButtonsMask, host::mb::Ok);

    // A branch of another head office that carries this NIP is a conflict too.
    const int obca = firma(QStringLiteral("Obca centrala"), {{"nip", "9999999999"}});
    oddzial.idCentrali = obca;
    oczekujBledu(oddzial, NipJuzJest, PoleFirmy::Nip);
    // So is it under a head office that has no NIP at all.
    oddzial.idCentrali = firma(QStringLiteral("Centrala bez NIP"));
    oczekujBledu(oddzial, NipJuzJest, PoleFirmy::Nip);
}

TEST_P(WalidacjaFirmyTest, CentralaKtorejOddzialyMajaTenSamNipPrzechodzi)
{
    const int centrala = firma(QStringLiteral("Centrala"), {{"nip", "5260250274"}});
    firma(QStringLiteral("Oddział 1"), {{"nip", "526-025-02-74"}, {"id_centrali", centrala}});
    firma(QStringLiteral("Oddział 2"), {{"nip", "5260250274"}, {"id_centrali", centrala}});
    firma(QStringLiteral("Oddział bez NIP"), {{"id_centrali", centrala}});

    DaneFirmy d = poprawna(QStringLiteral("Centrala"), QStringLiteral("CEN"));
    d.idFirmy = centrala;
    d.nip = QStringLiteral("5260250274");
    oczekujPoprawnej(d);
    EXPECT_TRUE(komunikaty().empty());

    // A stand-alone company with that NIP is still a (confirmable) duplicate.
    DaneFirmy samodzielna = poprawna();
    samodzielna.nip = d.nip;
    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(samodzielna, NipJuzJest + MimoTo, PoleFirmy::Nip);
}

TEST_P(WalidacjaFirmyTest, LimitKredytuIPusteNumery)
{
    firma(QStringLiteral("Bez numerów"), {{"regon", ""}, {"krs", ""}});
    firma(QStringLiteral("Z nullami"));

    DaneFirmy d = poprawna();
    d.walutaLimitu.clear();
    d.limitKredytowy = 0;
    oczekujPoprawnej(d);
    d.limitKredytowy = 0.01;
    oczekujBledu(d, BrakPola.arg(QStringLiteral("Waluta domyślna")), PoleFirmy::WalutaLimitu);

    d.limitKredytowy = 0;
    d.regon = QStringLiteral("   ");
    d.krs.clear();
    oczekujPoprawnej(d);
    EXPECT_TRUE(komunikaty().empty());
}

TEST_P(WalidacjaFirmyTest, NazwaZeZnakamiWzorcaJestWzorcem)
{
    firma(QStringLiteral("ABC Transport"), {{"skrot", "ABCT"}});
    for (const char *nazwa : {"ABC%", "ABC_Transport", "abc transport"}) {
        DaneFirmy d = poprawna(QString::fromUtf8(nazwa));
        prompter().answerMessage(host::mb::IdNo);
        oczekujBledu(d, NazwaJuzJest + MimoTo, PoleFirmy::Nazwa);
    }
    DaneFirmy skrot = poprawna(QStringLiteral("Zupełnie inna"), QStringLiteral("AB%"));
    oczekujBledu(skrot, QStringLiteral("Firma o tym skrócie już istnieje."), PoleFirmy::Skrot);
    DaneFirmy inna = poprawna(QStringLiteral("ABC"), QStringLiteral("ABC"));
    oczekujPoprawnej(inna);
}

class AkronimXLTest : public WalidacjaFirmyTest
{
protected:
    void SetUp() override
    {
        WalidacjaFirmyTest::SetUp();
        if (IsSkipped())
            return;
        m_plikXL = m_katalog.filePath(QStringLiteral("xl.db"));
        auto xl = db::Connection::open(m_plikXL);
        xl->execute(QStringLiteral("create table KntKarty (Knt_Akronim text, Knt_Nip text)"));
        xl->execute(QStringLiteral("insert into KntKarty values ('BEZNIP', ''), ('XLDE', 'de123456789'),"
                                   " ('XLPL', '5260250274'), ('DRUGA', '5260250274')"));
        host::setConnectionStringCDNXL(m_plikXL);
        host::var::CzySprawdzSkrotXL.set(true);
    }

    void TearDown() override
    {
        host::setConnectionStringCDNXL(QString());
        WalidacjaFirmyTest::TearDown();
    }

    QTemporaryDir m_katalog;
    QString m_plikXL;
};

TEST_P(AkronimXLTest, AkronimZXLZastepujeSkrotPoPotwierdzeniu)
{
    DaneFirmy d = poprawna();
    d.nip = QStringLiteral("526-025-02-74"); // only its digits are on the card
    prompter().answerMessage(host::mb::IdYes);
    oczekujPoprawnej(d);
    EXPECT_EQ(d.skrot, QStringLiteral("XLPL"));
    EXPECT_EQ(komunikaty(), lista(QStringList{pytanieAkronimXL()}));

    d.skrot = QStringLiteral("NFT");
    d.nip = QStringLiteral(" DE123456789 ");
    prompter().answerMessage(host::mb::IdNo);
    oczekujPoprawnej(d);
    EXPECT_EQ(d.skrot, QStringLiteral("NFT"));

    // The same acronym asks nothing; a card without NIP never matches.
    d.skrot = QStringLiteral("XLDE");
    oczekujPoprawnej(d);
    EXPECT_TRUE(komunikaty().empty());
    d.nip.clear();
    oczekujPoprawnej(d);
    EXPECT_TRUE(komunikaty().empty());
}

TEST_P(AkronimXLTest, ZastapionyAkronimPodlegaSprawdzeniuUnikalnosci)
{
    firma(QStringLiteral("Ma już XLPL"), {{"skrot", "XLPL"}});
    DaneFirmy d = poprawna();
    d.nip = QStringLiteral("5260250274");
    prompter().answerMessage(host::mb::IdYes);
    const WynikWalidacji w = sprawdz(d);
    EXPECT_FALSE(w.poprawna);
    EXPECT_EQ(w.pole, PoleFirmy::Skrot);
    EXPECT_EQ(komunikaty(),
              lista((QStringList{pytanieAkronimXL(), QStringLiteral("Firma o tym skrócie już istnieje.")})));
}

TEST_P(AkronimXLTest, WylaczoneLubNiedostepne)
{
    DaneFirmy d = poprawna();
    d.nip = QStringLiteral("5260250274");
    host::var::CzySprawdzSkrotXL.set(false);
    oczekujPoprawnej(d);
    EXPECT_TRUE(komunikaty().empty());

    // Off: even a target that cannot be reached is never tried.
    host::setConnectionStringCDNXL(m_katalog.filePath(QStringLiteral("brak/katalogu/xl.db")));
    oczekujPoprawnej(d);
    EXPECT_TRUE(komunikaty().empty());

    host::var::CzySprawdzSkrotXL.set(true);
    oczekujPoprawnej(d);
    EXPECT_EQ(komunikaty(), lista(QStringList{komunikatBleduXL()}));

    // The pass goes on after the failure: the short name is still checked.
    firma(QStringLiteral("Ma NFT"), {{"skrot", "NFT"}});
    const WynikWalidacji w = sprawdz(d);
    EXPECT_EQ(w.pole, PoleFirmy::Skrot);
    EXPECT_EQ(komunikaty(),
              lista((QStringList{komunikatBleduXL(), QStringLiteral("Firma o tym skrócie już istnieje.")})));

    // A database without the card table reads as unreachable.
    host::setConnectionStringCDNXL(m_katalog.filePath(QStringLiteral("pusta.db")));
    d.skrot = QStringLiteral("NOWY");
    oczekujPoprawnej(d);
    EXPECT_EQ(komunikaty(), lista(QStringList{komunikatBleduXL()}));
}

MALVO_INSTANTIATE_FOR_ENGINES(WalidacjaFirmyTest);
MALVO_INSTANTIATE_FOR_ENGINES(AkronimXLTest);

TEST(AkronimXL, PierwszaPasujacaKarta)
{
    const QList<KartaXL> karty = {{QStringLiteral("PUSTA"), QStringLiteral("  ")},
                                  {QStringLiteral("PIERWSZA"), QStringLiteral(" PL5260250274 ")},
                                  {QStringLiteral("CYFRY"), QStringLiteral("5260250274")},
                                  {QStringLiteral("DRUGA"), QStringLiteral("5260250274")}};
    EXPECT_EQ(akronimXLDlaNip(karty, QStringLiteral("pl5260250274")), QStringLiteral("PIERWSZA"));
    EXPECT_EQ(akronimXLDlaNip(karty, QStringLiteral("526-025-02-74")), QStringLiteral("CYFRY"));
    EXPECT_EQ(akronimXLDlaNip(karty, QStringLiteral("PL 526 025 02 74")), QStringLiteral("CYFRY"));
    EXPECT_EQ(akronimXLDlaNip(karty, QStringLiteral("1234")), QString());
    EXPECT_EQ(akronimXLDlaNip(karty, QString()), QString());
}

struct PrzypadekNip
{
    const char *prefiks;
    const char *nip;
    StanNip stan;
};

class KolorNipTest : public testing::TestWithParam<PrzypadekNip>
{};

TEST_P(KolorNipTest, StanWedlugPrefiksu)
{
    const PrzypadekNip &p = GetParam();
    EXPECT_EQ(stanNip(QString::fromUtf8(p.prefiks), QString::fromUtf8(p.nip)), p.stan) << p.prefiks << " " << p.nip;
}

INSTANTIATE_TEST_SUITE_P(Przypadki, KolorNipTest,
                         testing::Values(PrzypadekNip{"PL", "5260250274", StanNip::Poprawny},
                                         PrzypadekNip{" P L", "526-025-02-74", StanNip::Poprawny},
                                         PrzypadekNip{"PL", "5260250275", StanNip::Bledny},
                                         PrzypadekNip{"PL", "PL5260250274", StanNip::Bledny},
                                         PrzypadekNip{"DE", "5260250275", StanNip::Nieznany},
                                         PrzypadekNip{"", "5260250275", StanNip::Nieznany},
                                         PrzypadekNip{"PL", "", StanNip::Nieznany}));

TEST(KolorEmail, TylkoWpisanyBlednyAdres)
{
    EXPECT_FALSE(emailBledny(QStringLiteral("biuro@firma.pl")));
    EXPECT_TRUE(emailBledny(QStringLiteral("biuro@firma")));
    EXPECT_TRUE(emailBledny(QStringLiteral("biuro firma.pl")));
    EXPECT_FALSE(emailBledny(QString()));
}

} // namespace
