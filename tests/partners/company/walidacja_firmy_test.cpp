#include "company/sumy_kontrolne.h"
#include "company/walidacja_firmy.h"

#include "firma_fixture.h"

#include "connection.h"
#include "host_funcs.h"
#include "prompter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;
using namespace firmatest;

namespace {

const QString BrakPola = u"Proszę wypełnić pole: %1"_s;
const QString NipJuzJest = u"Firma o tym numerze NIP już istnieje."_s;
const QString NazwaJuzJest = u"Firma o tej nazwie już istnieje."_s;
const QString MimoTo = u"\nCzy mimo to zapisać?"_s;

class WalidacjaFirmyTest : public FirmaTest
{
protected:
    WynikWalidacji sprawdz(DaneFirmy &d)
    {
        oznacz();
        TWalidacjaFirmy walidacja(d);
        return walidacja.sprawdz();
    }

    // The pass fails on that field and page having shown exactly these messages.
    void oczekujBledu(DaneFirmy &d, const QStringList &pokazane, PoleFirmy pole,
                      const QString &zakladka = ZakladkaDaneOgolne)
    {
        const WynikWalidacji w = sprawdz(d);
        EXPECT_FALSE(w.poprawna);
        EXPECT_EQ(w.pole, pole);
        EXPECT_EQ(w.zakladka.toStdString(), zakladka.toStdString());
        EXPECT_EQ(komunikaty(), lista(pokazane));
    }
    void oczekujBledu(DaneFirmy &d, const QString &komunikat, PoleFirmy pole,
                      const QString &zakladka = ZakladkaDaneOgolne)
    {
        oczekujBledu(d, QStringList{komunikat}, pole, zakladka);
    }

    // The pass succeeds having shown exactly these messages (none unless told).
    void oczekujPoprawnej(DaneFirmy &d, const QStringList &pokazane = {})
    {
        const WynikWalidacji w = sprawdz(d);
        EXPECT_TRUE(w.poprawna) << komunikaty();
        EXPECT_EQ(komunikaty(), lista(pokazane));
    }
};

TEST_P(WalidacjaFirmyTest, KazdyKrokZatrzymujePrzebiegWKolejnosci)
{
    host::var::UprawnieniaZapisFirmyWlasne.set(false);
    firma(u"Istniejąca"_s, {{"skrot", "IST"}, {"nip", "5260250274"}, {"regon", "123456785"}, {"krs", "0000012345"}});
    // Blank numbers never match companies stored with blank or null ones.
    firma(u"Bez numerów"_s, {{"regon", ""}, {"krs", ""}});
    firma(u"Z nullami"_s);

    DaneFirmy d;
    d.firmaWlasna = true;
    d.oddzial = true;
    d.okresRozWymagany = true;
    d.limitKredytowy = 100;
    d.walutaLimitu.clear();
    d.nip = u"5260250274"_s;
    d.regon = u"123456785"_s;
    d.krs = u"0000012345"_s;

    oczekujBledu(d, BrakPola.arg(u"Nazwa firmy"_s), PoleFirmy::Nazwa);
    d.nazwa = u"  Istniejąca "_s;
    oczekujBledu(d, BrakPola.arg(u"Skrót"_s), PoleFirmy::Skrot);
    d.skrot = u"IST"_s;
    oczekujBledu(d, BrakPola.arg(u"Państwo, kod pocztowy, miejscowość"_s), PoleFirmy::Miasto);
    d.idM = m_warszawa;
    oczekujBledu(d, u"Brak uprawnień do zapisu firm własnych."_s, PoleFirmy::Brak, QString());
    host::var::UprawnieniaZapisFirmyWlasne.set(true);
    oczekujBledu(d, u"Wybierz centralę, której oddziałem jest firma."_s, PoleFirmy::Centrala);
    d.oddzial = false;
    oczekujBledu(d, u"Wybierz długość okresu rozliczeniowego."_s, PoleFirmy::DlugoscOkresu, ZakladkaKsiegRozl);
    d.okresRoz = 1;
    oczekujBledu(d, BrakPola.arg(u"Waluta domyślna"_s), PoleFirmy::WalutaLimitu);
    d.walutaLimitu = u"EUR"_s;

    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NipJuzJest + MimoTo, PoleFirmy::Nip);
    d.nip.clear();
    oczekujBledu(d, u"Firma o tym numerze REGON już istnieje."_s, PoleFirmy::Regon);
    d.regon = u"   "_s;
    oczekujBledu(d, u"Firma o tym numerze KRS już istnieje."_s, PoleFirmy::Krs);
    d.krs.clear();
    // Surrounding blanks do not make a name new.
    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NazwaJuzJest + MimoTo, PoleFirmy::Nazwa);
    d.nazwa = u"Inna"_s;
    oczekujBledu(d, u"Firma o tym skrócie już istnieje."_s, PoleFirmy::Skrot);
    d.skrot = u"INN"_s;
    oczekujPoprawnej(d);
}

TEST_P(WalidacjaFirmyTest, PowtorzonyNipMoznaPotwierdzicLubOdrzucic)
{
    firma(u"Pierwsza"_s, {{"nip", "5260250274"}});
    const int zMyslnikami = firma(u"Druga"_s, {{"nip", "777-000-11-22"}});

    DaneFirmy d = poprawna();
    d.nip = u"526-025-02 74"_s;
    prompter().answerMessage(host::mb::IdYes);
    oczekujPoprawnej(d, {NipJuzJest + MimoTo});
    ASSERT_EQ(prompter().questions().size(), 1);
    EXPECT_EQ(prompter().questions().last().flags & host::mb::ButtonsMask, host::mb::YesNo);

    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NipJuzJest + MimoTo, PoleFirmy::Nip);

    // Stored with dashes, typed as digits; the company itself is no duplicate.
    d.nip = u"7770001122"_s;
    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NipJuzJest + MimoTo, PoleFirmy::Nip);
    d.idFirmy = zMyslnikami;
    d.nazwa = u"Druga po zmianie"_s;
    oczekujPoprawnej(d);
}

TEST_P(WalidacjaFirmyTest, NipZapisanyZPrefiksemTezJestPowtorzeniem)
{
    // What the save stores: the EU prefix in front of the number.
    const int centrala = firma(u"Zapisana z prefiksem"_s, {{"nip", "PL5260250274"}});

    DaneFirmy d = poprawna();
    d.prefiksNip = u"PL"_s;
    d.nip = u"526-025-02-74"_s;
    prompter().answerMessage(host::mb::IdNo);
    oczekujBledu(d, NipJuzJest + MimoTo, PoleFirmy::Nip);

    // Another prefix is another number.
    d.prefiksNip = u"DE"_s;
    oczekujPoprawnej(d);

    // A branch of another head office may not carry it either; its own head office's it may.
    DaneFirmy oddzial = poprawna(u"Oddział"_s, u"ODD"_s);
    oddzial.oddzial = true;
    oddzial.prefiksNip = u"PL"_s;
    oddzial.nip = u"5260250274"_s;
    oddzial.idCentrali = firma(u"Inna centrala"_s, {{"nip", "PL1111111111"}});
    oczekujBledu(oddzial, NipJuzJest, PoleFirmy::Nip);
    oddzial.idCentrali = centrala;
    oczekujPoprawnej(oddzial);
}

TEST_P(WalidacjaFirmyTest, OddzialMozeMiecNipCentraliAleDrugaCentralaNie)
{
    const int centrala = firma(u"Centrala"_s, {{"nip", "5260250274"}});

    DaneFirmy oddzial = poprawna(u"Oddział Kraków"_s, u"ODK"_s);
    oddzial.oddzial = true;
    oddzial.idCentrali = centrala;
    oddzial.nip = u"5260250274"_s;
    oczekujPoprawnej(oddzial);

    // Its own branches carrying its NIP, in any notation, are no conflict for the head office itself.
    firma(u"Oddział 1"_s, {{"nip", "526-025-02-74"}, {"id_centrali", centrala}});
    firma(u"Oddział bez NIP"_s, {{"id_centrali", centrala}});
    DaneFirmy sama = poprawna(u"Centrala"_s, u"CEN"_s);
    sama.idFirmy = centrala;
    sama.nip = u"5260250274"_s;
    oczekujPoprawnej(sama);

    // A head office with branches of its own: the conflict is refused outright.
    const int drugaCentrala = firma(u"Druga centrala"_s, {{"nip", "5260250274"}});
    firma(u"Jej oddział"_s, {{"nip", "1111111111"}, {"id_centrali", drugaCentrala}});
    // A branch without a NIP hides nothing.
    firma(u"Oddział bez NIP"_s, {{"id_centrali", drugaCentrala}});
    DaneFirmy druga = poprawna(u"Druga centrala"_s, u"DC"_s);
    druga.idFirmy = drugaCentrala;
    druga.nip = u"5260250274"_s;
    oczekujBledu(druga, NipJuzJest, PoleFirmy::Nip);
    ASSERT_FALSE(prompter().questions().isEmpty());
    EXPECT_EQ(prompter().questions().last().flags & host::mb::ButtonsMask, host::mb::Ok);

    // A branch of another head office that carries this NIP is a conflict too.
    const int obca = firma(u"Obca centrala"_s, {{"nip", "9999999999"}});
    oddzial.idCentrali = obca;
    oczekujBledu(oddzial, NipJuzJest, PoleFirmy::Nip);
    // So is it under a head office that has no NIP at all.
    oddzial.idCentrali = firma(u"Centrala bez NIP"_s);
    oczekujBledu(oddzial, NipJuzJest, PoleFirmy::Nip);
}

TEST_P(WalidacjaFirmyTest, NazwaZeZnakamiWzorcaJestWzorcem)
{
    firma(u"ABC Transport"_s, {{"skrot", "ABCT"}});
    for (const char *nazwa : {"ABC%", "ABC_Transport", "abc transport"}) {
        DaneFirmy d = poprawna(QString::fromUtf8(nazwa));
        prompter().answerMessage(host::mb::IdNo);
        oczekujBledu(d, NazwaJuzJest + MimoTo, PoleFirmy::Nazwa);
    }
    DaneFirmy skrot = poprawna(u"Zupełnie inna"_s, u"AB%"_s);
    oczekujBledu(skrot, u"Firma o tym skrócie już istnieje."_s, PoleFirmy::Skrot);
    DaneFirmy inna = poprawna(u"ABC"_s, u"ABC"_s);
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
        m_plikXL = m_katalog.filePath(u"xl.db"_s);
        auto xl = db::Connection::open(m_plikXL);
        xl->execute(u"create table KntKarty (Knt_Akronim text, Knt_Nip text)"_s);
        xl->execute(u"insert into KntKarty values ('BEZNIP', ''), ('XLDE', 'de123456789'),"
                    " ('XLPL', '5260250274'), ('DRUGA', '5260250274')"_s);
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
    d.nip = u"526-025-02-74"_s; // only its digits are on the card
    prompter().answerMessage(host::mb::IdYes);
    oczekujPoprawnej(d, {pytanieAkronimXL()});
    EXPECT_EQ(d.skrot, u"XLPL"_s);

    d.skrot = u"NFT"_s;
    d.nip = u" DE123456789 "_s;
    prompter().answerMessage(host::mb::IdNo);
    oczekujPoprawnej(d, {pytanieAkronimXL()});
    EXPECT_EQ(d.skrot, u"NFT"_s);

    // The same acronym asks nothing; a card without NIP never matches.
    d.skrot = u"XLDE"_s;
    oczekujPoprawnej(d);
    d.nip.clear();
    oczekujPoprawnej(d);

    // The acronym taken over must still be unique.
    firma(u"Ma już XLPL"_s, {{"skrot", "XLPL"}});
    d.skrot = u"NFT"_s;
    d.nip = u"5260250274"_s;
    prompter().answerMessage(host::mb::IdYes);
    oczekujBledu(d, {pytanieAkronimXL(), u"Firma o tym skrócie już istnieje."_s}, PoleFirmy::Skrot);
}

TEST_P(AkronimXLTest, WylaczoneLubNiedostepne)
{
    DaneFirmy d = poprawna();
    d.nip = u"5260250274"_s;
    host::var::CzySprawdzSkrotXL.set(false);

    // Off: even a target that cannot be reached is never tried.
    host::setConnectionStringCDNXL(m_katalog.filePath(u"brak/katalogu/xl.db"_s));
    oczekujPoprawnej(d);

    host::var::CzySprawdzSkrotXL.set(true);
    oczekujPoprawnej(d, {komunikatBleduXL()});

    // The pass goes on after the failure: the short name is still checked.
    firma(u"Ma NFT"_s, {{"skrot", "NFT"}});
    oczekujBledu(d, {komunikatBleduXL(), u"Firma o tym skrócie już istnieje."_s}, PoleFirmy::Skrot);

    // A database without the card table reads as unreachable.
    host::setConnectionStringCDNXL(m_katalog.filePath(u"pusta.db"_s));
    d.skrot = u"NOWY"_s;
    oczekujPoprawnej(d, {komunikatBleduXL()});
}

MALVO_INSTANTIATE_FOR_ENGINES(WalidacjaFirmyTest);
MALVO_INSTANTIATE_FOR_ENGINES(AkronimXLTest);

TEST(AkronimXL, PierwszaPasujacaKarta)
{
    const QList<KartaXL> karty = {{u"PUSTA"_s, u"  "_s},
                                  {u"PIERWSZA"_s, u" PL5260250274 "_s},
                                  {u"CYFRY"_s, u"5260250274"_s},
                                  {u"DRUGA"_s, u"5260250274"_s}};
    EXPECT_EQ(akronimXLDlaNip(karty, u"pl5260250274"_s), u"PIERWSZA"_s);
    EXPECT_EQ(akronimXLDlaNip(karty, u"526-025-02-74"_s), u"CYFRY"_s);
    EXPECT_EQ(akronimXLDlaNip(karty, u"1234"_s), QString());
}

TEST(KolorPol, NipWedlugPrefiksuAPustyEmailNieJestBledny)
{
    const struct
    {
        const char *prefiks, *nip;
        StanNip stan;
    } przypadki[] = {{" P L", "526-025-02-74", StanNip::Poprawny},
                     {"PL", "PL5260250274", StanNip::Bledny},
                     {"", "5260250275", StanNip::Nieznany},
                     {"PL", "", StanNip::Nieznany}};
    for (const auto &p : przypadki)
        EXPECT_EQ(stanNip(QString::fromUtf8(p.prefiks), QString::fromUtf8(p.nip)), p.stan) << p.prefiks << " " << p.nip;
    EXPECT_FALSE(emailBledny(u"  "_s)) << "a blank e-mail is no wrong one";
}

struct Przypadek
{
    bool (*sprawdz)(const QString &);
    const char *numer;
    bool poprawny;
};

// Published examples, and each with one digit changed or of the wrong length.
TEST(SumyKontrolne, ZgadzajaSieZOpublikowanymiAlgorytmami)
{
    const Przypadek przypadki[] = {
        {sprawdzRachunek, "61 1090 1014 0000 0712 1981 2874", true},
        {sprawdzRachunek, "61 1090 1014 0000 0712 1981 2875", false},
        {sprawdzRachunek, "PL61 1090 1014 0000 0712 1981 2874", true},
        {sprawdzRachunek, "DE89 3704 0044 0532 0130 00", true},
        {sprawdzRachunek, "DE88 3704 0044 0532 0130 00", false},
        {sprawdzRachunek, "DE89 3704 0044 0532 0130 000", false},
        {sprawdzRachunek, "GB82 WEST 1234 5698 7654 32", true},
        {sprawdzRachunek, "gb82 west 1234 5698 7654 32", true},
        {sprawdzRachunek, "GB82 WEST 1234 5698 7654 33", false},
        {sprawdzRachunek, "GB82 WEST 1234 5698 76*4 32", false},
        {sprawdzRachunek, "XX82 WEST 1234 5698 7654 32", false},
        {sprawdzRachunek, "1090 1014 0000 0712 1981 2874", false},
        {sprawdzRegon, "123456785", true},
        {sprawdzRegon, "123-456-785", true},
        {sprawdzRegon, "123456786", false},
        {sprawdzRegon, "121000160", true}, // a remainder of 10 counts as 0
        {sprawdzRegon, "121000161", false},
        {sprawdzRegon, "12345678512347", true},
        {sprawdzRegon, "12345678512348", false},
        {sprawdzRegon, "12345678612342", false}, // its first 9 digits are not a REGON
        {sprawdzRegon, "12345678", false},
        {sprawdzKrs, "0000123456", true},
        {sprawdzKrs, "000012345", false},
        {sprawdzKrs, "000012345A", false},
        {sprawdzKrs, "", false},
    };
    for (const auto &p : przypadki)
        EXPECT_EQ(p.sprawdz(QString::fromUtf8(p.numer)), p.poprawny) << p.numer;
}

} // namespace
