#include "company/zapis_firmy.h"

#include "firma_fixture.h"

#include "global_settings.h"
#include "host_context.h"
#include "host_funcs.h"
#include "host_syscore.h"
#include "prompter.h"
#include "siblings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace partners;
using namespace firmatest;

namespace {

// ---- the PZapFirmeFull parameters, row by row ---------------------------------

DaneFirmy pelna()
{
    DaneFirmy d;
    d.idFirmy = 42;
    d.nazwa = QStringLiteral("  Trans-Pol Sp. z o.o. ");
    d.skrot = QStringLiteral(" TP ");
    d.idTypu = 3;
    d.idStatusu = 5;
    d.oddzial = true;
    d.idCentrali = 9;
    d.wlasciciel = QStringLiteral("Jan Nowak");
    d.eMail = QStringLiteral("biuro@tp.pl");
    d.nrGg = QStringLiteral("123");
    d.skype = QStringLiteral("tp.skype");
    d.nrTrans = QStringLiteral("T-1");
    d.www = QStringLiteral("tp.pl");
    d.regon = QStringLiteral("123456785");
    d.krs = QStringLiteral("0000012345");
    d.apdId = QStringLiteral("77");
    d.apdToken = QStringLiteral("tok");
    d.prefiksNip = QStringLiteral("PL");
    d.nip = QStringLiteral("5260250274");
    d.nocneOd = QTime(22, 0);
    d.nocneDo = QTime(6, 0);
    d.swietaOd = QTime(6, 0);
    d.poraNocnaOd = QTime(0, 0);
    d.poraNocnaDo = QTime(4, 0);
    d.okresRoz = 2;
    d.limitNadh = 300;
    d.idFvUd = 4;
    d.dodatkoweWolne = 6;
    d.limitKredytowy = 1500.5;
    d.walutaLimitu = QStringLiteral("EUR");
    d.idKomunikatora = 8;
    d.oswiadczenieVat = true;
    d.papierFirmowy = true;
    d.marginesGorny = QStringLiteral("40");
    d.aktywna = false;
    d.bus = true;
    d.uwagi = QStringLiteral("nowe uwagi");
    d.wczytaneUwagi = QStringLiteral("stare uwagi");
    d.komentarz = QStringLiteral("stopka");
    d.wczytanyKomentarz = QStringLiteral("stopka");
    return d;
}

QVariant dzienZero(int godzina)
{
    return QDateTime(QDate(1899, 12, 30), QTime(godzina, 0));
}

TEST(ParametryZapisuFirmy, KazdyWierszTabeli)
{
    const QVariantMap p = parametryZapisuFirmy(pelna(), TrybIstniejacaFirma, 12);
    const QVariantMap oczekiwane = {
        {"@nazwa", "Trans-Pol Sp. z o.o."},
        {"@skrot", "TP"},
        {"@typ_firmy", 3},
        {"@status", 5},
        {"@id_centrali", 9},
        {"@wlasciciel", "Jan Nowak"},
        {"@e_mail", "biuro@tp.pl"},
        {"@nr_gg", "123"},
        {"@skype", "tp.skype"},
        {"@nr_trans", "T-1"},
        {"@www", "tp.pl"},
        {"@regon", "123456785"},
        {"@krs", "0000012345"},
        {"@apd_id", 77},
        {"@apd_token", "tok"},
        {"@nip", "PL5260250274"},
        {"@nocne_od", dzienZero(22)},
        {"@nocne_do", dzienZero(6)},
        {"@swieta_od", dzienZero(6)},
        {"@pora_nocna_od", dzienZero(0)},
        {"@pora_nocna_do", dzienZero(4)},
        {"@okres_roz", 2},
        {"@limit_nadh", 300},
        {"@id_fv_ud", 4},
        {"@dodatkowe_wolne", 6},
        {"@komentarz_mod", 0},
        {"@uwagi", "nowe uwagi"},
        {"@uwagi_mod", 1},
        {"@limit_kredyt", 1500.5},
        {"@waluta_limitu_kredyt", "EUR"},
        {"@id", 42},
        {"@id_komunikatora", 8},
        {"@oswiadczenie_vat", 1},
        {"@fv_papier_firm", 1},
        {"@fv_margin_gorny", 40},
        {"@aktywna", 0},
        {"@bus", true},
        {"@id_u", 12},
    };
    EXPECT_EQ(p.keys(), oczekiwane.keys());
    for (auto it = oczekiwane.cbegin(); it != oczekiwane.cend(); ++it)
        EXPECT_EQ(p.value(it.key()), it.value()) << it.key().toStdString();
    // The untouched footer sends no text at all.
    EXPECT_FALSE(p.contains(QStringLiteral("@komentarz")));
}

TEST(ParametryZapisuFirmy, PustePolaToNulle)
{
    DaneFirmy d;
    d.nazwa = QStringLiteral("Pusta");
    d.skrot = QStringLiteral("   ");
    d.idCentrali = 9; // head office chosen, then "Centrala" again
    d.aktywna = true;
    d.komentarz = QStringLiteral("nowa stopka");
    const QVariantMap p = parametryZapisuFirmy(d, TrybNowaFirma, 1);
    for (const char *klucz : {"@skrot",
                              "@typ_firmy",
                              "@status",
                              "@id_centrali",
                              "@wlasciciel",
                              "@e_mail",
                              "@nr_gg",
                              "@skype",
                              "@nr_trans",
                              "@www",
                              "@regon",
                              "@krs",
                              "@apd_id",
                              "@apd_token",
                              "@nip",
                              "@nocne_od",
                              "@okres_roz",
                              "@id_fv_ud",
                              "@waluta_limitu_kredyt",
                              "@id",
                              "@id_komunikatora",
                              "@oswiadczenie_vat",
                              "@fv_papier_firm",
                              "@fv_margin_gorny",
                              "@bus"}) {
        ASSERT_TRUE(p.contains(QLatin1String(klucz))) << klucz;
        EXPECT_TRUE(p.value(QLatin1String(klucz)).isNull()) << klucz;
    }
    EXPECT_EQ(p.value(QStringLiteral("@aktywna")), 1);
    EXPECT_EQ(p.value(QStringLiteral("@limit_nadh")), 260);
    EXPECT_EQ(p.value(QStringLiteral("@komentarz")), QStringLiteral("nowa stopka"));
    EXPECT_EQ(p.value(QStringLiteral("@komentarz_mod")), 1);
    EXPECT_EQ(p.value(QStringLiteral("@uwagi_mod")), 0);
    EXPECT_FALSE(p.contains(QStringLiteral("@uwagi")));
}

TEST(ParametryZapisuFirmy, PrefiksNipRazJedenRaz)
{
    EXPECT_EQ(nipDoZapisu(QStringLiteral("DE"), QStringLiteral("DE123456789")), QStringLiteral("DE123456789"));
    EXPECT_EQ(nipDoZapisu(QStringLiteral("DE"), QStringLiteral("de123456789")), QStringLiteral("de123456789"));
    EXPECT_EQ(nipDoZapisu(QStringLiteral("DE"), QStringLiteral(" 123456789 ")), QStringLiteral("DE123456789"));
    EXPECT_EQ(nipDoZapisu(QStringLiteral("PL"), QStringLiteral("DE123")), QStringLiteral("PLDE123"));
    EXPECT_EQ(nipDoZapisu(QStringLiteral("EL"), QStringLiteral("E123")), QStringLiteral("ELE123"));
    EXPECT_EQ(nipDoZapisu(QStringLiteral("D"), QStringLiteral("123")), QStringLiteral("123"));
    EXPECT_EQ(nipDoZapisu(QString(), QStringLiteral("526-025-02-74")), QStringLiteral("526-025-02-74"));
    EXPECT_TRUE(nipDoZapisu(QStringLiteral("PL"), QStringLiteral("  ")).isNull());
}

TEST(DaneFirmy, PodzialZapisanegoNipu)
{
    EXPECT_EQ(rozdzielNip(QStringLiteral("DE123456789")).prefiks, QStringLiteral("DE"));
    EXPECT_EQ(rozdzielNip(QStringLiteral("DE123456789")).numer, QStringLiteral("123456789"));
    EXPECT_EQ(rozdzielNip(QStringLiteral("ATU1234")).numer, QStringLiteral("U1234"));
    EXPECT_EQ(rozdzielNip(QStringLiteral("5260250274")).prefiks, QString());
    EXPECT_EQ(rozdzielNip(QStringLiteral("D")).numer, QStringLiteral("D"));
    EXPECT_EQ(rozdzielNip(QStringLiteral("D")).prefiks, QString());
}

// ---- the save sequence against a database ---------------------------------------

class ZapisFirmyTest : public FirmaTest
{
protected:
    void SetUp() override
    {
        FirmaTest::SetUp();
        if (IsSkipped())
            return;
        m_wlasna = firma(QStringLiteral("Nasza firma"), {{"skrot", "NASZA"}});
        m_konto =
            wstaw(QStringLiteral("konto"), QStringLiteral("id_konta"),
                  {{"id_", m_wlasna}, {"tabela", 7}, {"nr_konta", "PL61109010140000071219812874"}, {"bank", "Bank"}});
        host::var::AktywnaFirma.set(m_wlasna);
        m_rodzaje = host::GetListaIntDB(
            QStringLiteral("select id from VListaPozSlownika where typ_slownika = 'firma_rodzaj' and id_jezyka = :j"
                           " and nazwa_parametru = 'nazwa' order by id"),
            QString(), nullptr, {{QStringLiteral("j"), host::GetLanguage()}});
        ASSERT_GE(m_rodzaje.size(), 3);
        host::notifier()->clearRecords();
    }

    DaneFirmy kompletna()
    {
        DaneFirmy d = poprawna(QStringLiteral("Spedycja Wisła"), QStringLiteral("SW"));
        d.prefiksNip = QStringLiteral("DE");
        d.nip = QStringLiteral("DE123456789");
        d.rodzaje = {m_rodzaje.at(0), m_rodzaje.at(2)};
        d.ulica = QStringLiteral("Długa");
        d.nrDomu = QStringLiteral("5");
        d.nrM = QStringLiteral("7");
        d.mpk = QStringLiteral("MPK-1");
        d.kodAnalityczny = QStringLiteral("AN-9");
        d.idKontaRozl = m_konto;
        d.fvPodsum2 = true;
        d.dataKursuAuto = true;
        d.dataKursuZrodlo = 1;
        d.dniKursuIndeks = 4;
        d.uwagi = QStringLiteral("uwagi");
        return d;
    }

    QString ustawienie(int id, const char *kod, const char *co)
    {
        return host::GetStringDB(
            QStringLiteral("select wartosc from ustawienia where kod = :kod and co = :co and id_f = :id"), QString(),
            nullptr,
            {{QStringLiteral("kod"), QLatin1String(kod)},
             {QStringLiteral("co"), QLatin1String(co)},
             {QStringLiteral("id"), id}});
    }

    int m_wlasna = 0;
    int m_konto = 0;
    QList<int> m_rodzaje;
};

TEST_P(ZapisFirmyTest, NowaFirmaZapisujeWszystkieTabele)
{
    DaneFirmy d = kompletna();
    TZapisFirmy zapis(d);
    ASSERT_TRUE(zapis.zapisz(TrybNowaFirma)) << komunikaty();
    const int id = d.idFirmy;
    ASSERT_GT(id, 0);
    const QVariantMap f = {{QStringLiteral("id"), id}};

    EXPECT_EQ(host::GetStringDB(QStringLiteral("select nip from firma where id_f = :id"), QString(), nullptr, f),
              QStringLiteral("DE123456789"));
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select uwagi from firma where id_f = :id"), QString(), nullptr, f),
              QStringLiteral("uwagi"));
    const int ogolny = ile(QStringLiteral("select min(id) from VListaPozSlownika where typ_slownika = 'typ_firmy'"
                                          " and identyfikator = 'ogolny'"));
    EXPECT_EQ(ile(QStringLiteral("select typ_firmy from firma where id_f = :id"), f), ogolny);

    EXPECT_EQ(host::GetListaIntDB(QStringLiteral("select grupa from firma_grupa where id_f = :id order by grupa"),
                                  QString(), nullptr, f),
              (QList<int>{m_rodzaje.at(0), m_rodzaje.at(2)}));

    EXPECT_EQ(ile(QStringLiteral("select count(*) from adres where tabela = 7 and id_ = :id"), f), 1);
    EXPECT_EQ(
        ile(QStringLiteral("select id_adr from adres where tabela = 7 and id_ = :id and czy_domyslny = 1"
                           " and id_m = :m and id_kodu = :k and ulica = 'Długa' and nr_domu = '5' and nr_m = '7'"),
            {{QStringLiteral("id"), id}, {QStringLiteral("m"), m_warszawa}, {QStringLiteral("k"), m_kodWarszawy}}),
        d.idAdresuDomyslnego);
    EXPECT_GT(d.idAdresuDomyslnego, 0);

    EXPECT_EQ(
        host::GetStringDB(QStringLiteral("select wartosc_import from import_powiazania where tabela = 7 and id_ = :id"
                                         " and import = 10"),
                          QString(), nullptr, f),
        QStringLiteral("MPK-1"));
    EXPECT_EQ(
        host::GetStringDB(QStringLiteral("select wartosc_import from import_powiazania where tabela = 7 and id_ = :id"
                                         " and import = 15"),
                          QString(), nullptr, f),
        QStringLiteral("AN-9"));
    EXPECT_GT(d.idImpMpk, 0);
    EXPECT_GT(d.idImpAnalityczny, 0);

    EXPECT_EQ(ile(QStringLiteral("select id_konta from firma_konto_rozl where id_f = :id and id_f_akt = :akt"),
                  {{QStringLiteral("id"), id}, {QStringLiteral("akt"), m_wlasna}}),
              m_konto);

    EXPECT_EQ(ustawienie(id, "FK", "fv_kontrahent_podsum2"), QStringLiteral("1"));
    EXPECT_EQ(ustawienie(id, "FK", "fv_kontrahent_1waluta"), QStringLiteral("0"));
    EXPECT_EQ(ustawienie(id, "SP", "sp_data_kursu_auto"), QStringLiteral("1"));
    EXPECT_EQ(ustawienie(id, "SP", "sp_data_kursu_zal_roz"), QStringLiteral("1"));
    EXPECT_EQ(ustawienie(id, "SP", "sp_cb_dni_kurs_zal_roz"), QStringLiteral("2"));
    EXPECT_EQ(ile(QStringLiteral("select count(*) from ustawienia where id_f = :id and id_u is not null"), f), 0);

    // The host heard of the change.
    const auto &zapisy = host::notifier()->records();
    EXPECT_TRUE(std::any_of(zapisy.cbegin(), zapisy.cend(), [](const host::Notifier::Record &r) {
        return r.kind == host::Notifier::Record::Companies && r.code == 0;
    }));
    EXPECT_TRUE(komunikaty().empty());

    // What was saved loads back the same.
    DaneFirmy wczytane;
    ASSERT_TRUE(wczytajFirme(wczytane, id));
    EXPECT_EQ(wczytane.nazwa, d.nazwa);
    EXPECT_EQ(wczytane.prefiksNip, QStringLiteral("DE"));
    EXPECT_EQ(wczytane.nip, QStringLiteral("123456789"));
    EXPECT_EQ(wczytane.rodzaje, d.rodzaje);
    EXPECT_EQ(wczytane.idM, m_warszawa);
    EXPECT_EQ(wczytane.ulica, d.ulica);
    EXPECT_EQ(wczytane.mpk, d.mpk);
    EXPECT_EQ(wczytane.idImpMpk, d.idImpMpk);
    EXPECT_EQ(wczytane.kodAnalityczny, d.kodAnalityczny);
    EXPECT_EQ(wczytane.idImpAnalityczny, d.idImpAnalityczny);
    EXPECT_EQ(wczytane.idKontaRozl, m_konto);
    EXPECT_TRUE(wczytane.fvPodsum2);
    EXPECT_FALSE(wczytane.fvJednaWaluta);
    EXPECT_TRUE(wczytane.dataKursuAuto);
    EXPECT_EQ(wczytane.dataKursuZrodlo, 1);
    EXPECT_EQ(wczytane.dniKursuIndeks, 4);
    EXPECT_FALSE(wczytane.firmaWlasna);
    EXPECT_EQ(wczytane.wczytaneUwagi, QStringLiteral("uwagi"));
    EXPECT_EQ(wczytane.idAdresuDomyslnego, d.idAdresuDomyslnego);
}

TEST_P(ZapisFirmyTest, DrugiZapisAktualizujeTenSamRekord)
{
    DaneFirmy d = kompletna();
    TZapisFirmy zapis(d);
    ASSERT_TRUE(zapis.zapisz());
    const int id = d.idFirmy;
    const int firmy = ile(QStringLiteral("select count(*) from firma"));

    d.nazwa = QStringLiteral("Spedycja Wisła II");
    d.rodzaje = {m_rodzaje.at(1), m_rodzaje.at(2)};
    d.ulica = QStringLiteral("Krótka");
    d.mpk.clear();
    d.kodAnalityczny = QStringLiteral("AN-10");
    d.idKontaRozl = 0;
    d.firmaWlasna = true;
    ASSERT_TRUE(zapis.zapisz());

    EXPECT_EQ(d.idFirmy, id);
    EXPECT_EQ(ile(QStringLiteral("select count(*) from firma")), firmy);
    const QVariantMap f = {{QStringLiteral("id"), id}};
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select nazwa from firma where id_f = :id"), QString(), nullptr, f),
              d.nazwa);
    // The memo was not touched the second time, so it stays as stored.
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select uwagi from firma where id_f = :id"), QString(), nullptr, f),
              QStringLiteral("uwagi"));
    const int wlasny = ile(QStringLiteral("select min(id) from VListaPozSlownika where typ_slownika = 'typ_firmy'"
                                          " and identyfikator = 'firma_wlasna'"));
    EXPECT_EQ(ile(QStringLiteral("select typ_firmy from firma where id_f = :id"), f), wlasny);
    EXPECT_EQ(host::GetListaIntDB(QStringLiteral("select grupa from firma_grupa where id_f = :id order by grupa"),
                                  QString(), nullptr, f),
              (QList<int>{m_rodzaje.at(1), m_rodzaje.at(2)}));
    EXPECT_EQ(ile(QStringLiteral("select count(*) from adres where tabela = 7 and id_ = :id"), f), 1);
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select ulica from adres where tabela = 7 and id_ = :id"), QString(),
                                nullptr, f),
              QStringLiteral("Krótka"));
    EXPECT_EQ(
        ile(QStringLiteral("select count(*) from import_powiazania where tabela = 7 and id_ = :id and import = 10"), f),
        0);
    EXPECT_EQ(d.idImpMpk, -1);
    EXPECT_EQ(
        ile(QStringLiteral("select count(*) from import_powiazania where tabela = 7 and id_ = :id and import = 15"), f),
        1);
    EXPECT_EQ(ile(QStringLiteral("select count(*) from firma_konto_rozl where id_f = :id"), f), 0);
    EXPECT_EQ(
        ile(QStringLiteral("select count(*) from ustawienia where id_f = :id and co = 'fv_kontrahent_podsum2'"), f), 1);
}

TEST_P(ZapisFirmyTest, WynikProcedury101I102)
{
    DaneFirmy d = kompletna();
    TZapisFirmy zapis(d);
    ASSERT_TRUE(zapis.zapisz());
    const QVariantMap f = {{QStringLiteral("id"), d.idFirmy}};

    host::ExecQuery(QStringLiteral("update firma set w_synchronizacji = 1 where id_f = :id"), nullptr, 0, f);
    oznacz();
    host::notifier()->clearRecords();
    d.nazwa = QStringLiteral("Zmieniona");
    EXPECT_FALSE(zapis.zapisz());
    EXPECT_EQ(zapis.kodZwrotny(), 102);
    EXPECT_EQ(komunikaty(),
              lista(QStringList{QStringLiteral("Nie można zapisać rekordu, ponieważ jest w trakcie synchronizacji.")}));
    EXPECT_TRUE(host::notifier()->records().isEmpty());
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select nazwa from firma where id_f = :id"), QString(), nullptr, f),
              QStringLiteral("Spedycja Wisła"));

    host::ExecQuery(QStringLiteral("delete from firma where id_f = :id"), nullptr, 0, f);
    oznacz();
    EXPECT_FALSE(zapis.zapisz(TrybIstniejacaFirma));
    EXPECT_EQ(zapis.kodZwrotny(), 101);
    EXPECT_EQ(komunikaty(), lista({QStringLiteral("Rekord został w międzyczasie usunięty przez innego użytkownika.")}));
    EXPECT_EQ(ile(QStringLiteral("select count(*) from firma_grupa where id_f = :id"), f), 0);
    EXPECT_TRUE(host::notifier()->records().isEmpty());
}

TEST_P(ZapisFirmyTest, UwagiWieloliniowePowracajaWPorzadkuKluczy)
{
    const int id = firma(QStringLiteral("Z uwagami"));
    for (int i = 0; i < 12; ++i)
        wstaw(QStringLiteral("ustawienia"), QStringLiteral("id_ust"),
              {{"co", QStringLiteral("uwagi_firmy_fv_%1").arg(i)},
               {"wartosc", QStringLiteral("linia %1").arg(i)},
               {"kod", "partners.dll"},
               {"id_f", id}});
    // A user's own row and another company's row are not the company's remarks.
    wstaw(QStringLiteral("ustawienia"), QStringLiteral("id_ust"),
          {{"co", "uwagi_firmy_fv_0"}, {"wartosc", "czyjaś"}, {"kod", "partners.dll"}, {"id_f", id}, {"id_u", 1}});
    wstaw(QStringLiteral("ustawienia"), QStringLiteral("id_ust"),
          {{"co", "uwagi_firmy_sp_0"}, {"wartosc", "zamówienia"}, {"kod", "partners.dll"}, {"id_f", id}, {"id_u", 0}});

    DaneFirmy d;
    ASSERT_TRUE(wczytajFirme(d, id));
    EXPECT_EQ(d.uwagiFv,
              (QStringList{"linia 0", "linia 1", "linia 10", "linia 11", "linia 2", "linia 3", "linia 4", "linia 5",
                           "linia 6", "linia 7", "linia 8", "linia 9"}));
    EXPECT_EQ(d.uwagiSp, QStringList{"zamówienia"});
    // With nothing stored the payment term is the 45 days preselected.
    EXPECT_EQ(d.terminZaplaty, QStringLiteral("45"));
}

TEST_P(ZapisFirmyTest, WczytanieNipuBezPrefiksuBierzePrefiksKrajuAdresu)
{
    DaneFirmy d = poprawna();
    d.nip = QStringLiteral("5260250274");
    TZapisFirmy zapis(d);
    ASSERT_TRUE(zapis.zapisz());
    DaneFirmy wczytane;
    ASSERT_TRUE(wczytajFirme(wczytane, d.idFirmy));
    EXPECT_EQ(wczytane.nip, QStringLiteral("5260250274"));
    EXPECT_EQ(wczytane.prefiksNip, QStringLiteral("PL"));

    DaneFirmy brak;
    EXPECT_FALSE(wczytajFirme(brak, 999999));
    EXPECT_EQ(brak.idFirmy, 999999);
    EXPECT_TRUE(brak.nazwa.isEmpty());
}

TEST_P(ZapisFirmyTest, OkresyPowstajaRazOdPodanegoDnia)
{
    DaneFirmy d = kompletna();
    d.okresRoz = 3;
    d.poczatekOkresu = QDate(2026, 3, 15);
    QList<std::tuple<int, int, QDate>> wywolania;
    TZapisFirmy zapis(d);
    zapis.generujOkresy = [&](int id, int kod, const QDate &od) {
        wywolania.append({id, kod, od});
        host::ExecQuery(QStringLiteral("insert into okres_roz (id_f, data_od, data_do) values (:id, :od, :do)"),
                        nullptr, 0,
                        {{QStringLiteral("id"), id},
                         {QStringLiteral("od"), QDateTime(QDate(2026, 3, 1), QTime(0, 0))},
                         {QStringLiteral("do"), QDateTime(QDate(2026, 5, 31), QTime(0, 0))}});
    };
    ASSERT_TRUE(zapis.zapisz());
    ASSERT_EQ(wywolania.size(), 1);
    EXPECT_EQ(wywolania.first(), std::make_tuple(d.idFirmy, 3, QDate(2026, 3, 15)));
    EXPECT_EQ(d.poczatekOkresu, QDate(2026, 3, 1));
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(wywolania.size(), 1);
}

TEST_P(ZapisFirmyTest, NowySkrotPrzenosiKatalogPlikow)
{
    QTemporaryDir obiekty;
    host::var::SciezkaOb.set(obiekty.path());
    DaneFirmy d = kompletna();
    TZapisFirmy zapis(d);
    ASSERT_TRUE(zapis.zapisz());
    d.wczytanySkrot = d.skrot;

    // No folder yet: nothing to copy, the old name stays remembered.
    d.skrot = QStringLiteral("SW2");
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(d.wczytanySkrot, QStringLiteral("SW"));

    QDir(obiekty.path()).mkpath(QStringLiteral("SW"));
    QFile plik(QDir(obiekty.path()).filePath(QStringLiteral("SW/umowa.txt")));
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.write("x");
    plik.close();
    d.skrot = QStringLiteral(" SW/3 ");
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(d.wczytanySkrot, QStringLiteral("SW3"));
    EXPECT_TRUE(QFile::exists(QDir(obiekty.path()).filePath(QStringLiteral("SW3/umowa.txt"))));
}

TEST_P(ZapisFirmyTest, AktywnaFirmaWlasnaBezOpcjiDatyKursu)
{
    DaneFirmy d = kompletna();
    d.idFirmy = m_wlasna;
    d.nazwa = QStringLiteral("Nasza firma");
    d.skrot = QStringLiteral("NASZA");
    d.firmaWlasna = true;
    TZapisFirmy zapis(d);
    ASSERT_TRUE(zapis.zapisz(TrybIstniejacaFirma));
    EXPECT_EQ(ile(QStringLiteral("select count(*) from ustawienia where kod = 'SP' and id_f = :id"),
                  {{QStringLiteral("id"), m_wlasna}}),
              0);
    EXPECT_EQ(ustawienie(m_wlasna, "FK", "fv_kontrahent_podsum2"), QStringLiteral("1"));
}

// The invoice defaults go through the data sibling, the working time of the
// active own company into the shared store.
class ZapisFirmySiblingiTest : public ZapisFirmyTest
{
protected:
    void SetUp() override
    {
        ZapisFirmyTest::SetUp();
        if (IsSkipped())
            return;
        host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    }
    void TearDown() override
    {
        host::setSiblingDirectory(QString());
        ZapisFirmyTest::TearDown();
    }
};

TEST_P(ZapisFirmySiblingiTest, DomyslneFakturyPrzezSiblingData)
{
    if (!QFile::exists(host::siblingLibraryPath(QStringLiteral("data.dll"))))
        GTEST_SKIP() << "the data sibling is not built";
    DaneFirmy d = kompletna();
    d.terminZaplaty = QStringLiteral("30");
    d.sposobZaplaty = 17;
    d.szablonyWidoczne = false;
    d.szablonZlecenia = 3;
    d.uwagiFvWidoczne = true;
    for (int i = 0; i < 11; ++i)
        d.uwagiFv << QStringLiteral("wiersz %1").arg(i);
    d.uwagiSpWidoczne = true;
    d.uwagiSp = {QStringLiteral("jedna")};
    TZapisFirmy zapis(d);
    zapis.prawaFakturySprzedazy = true;
    ASSERT_TRUE(zapis.zapisz());
    const QVariantMap f = {{QStringLiteral("id"), d.idFirmy}};
    EXPECT_EQ(ustawienie(d.idFirmy, "partners.dll", "termin_zaplaty"), QStringLiteral("30"));
    EXPECT_EQ(ustawienie(d.idFirmy, "partners.dll", "sposob_zaplaty"), QStringLiteral("17"));
    EXPECT_EQ(ile(QStringLiteral("select count(*) from ustawienia where co = 'szablon_zlecenia' and id_f = :id"), f),
              0);
    EXPECT_EQ(ustawienie(d.idFirmy, "partners.dll", "uwagi_firmy_fv_10"), QStringLiteral("wiersz 10"));

    // Fewer lines the second time: the old ones are gone, not left behind.
    d.uwagiFv = {QStringLiteral("tylko ta")};
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(ile(QStringLiteral("select count(*) from ustawienia where co like 'uwagi_firmy_fv%' and id_f = :id"), f),
              1);

    // Without the rights nothing is rewritten.
    d.terminZaplaty = QStringLiteral("60");
    zapis.prawaFakturySprzedazy = false;
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(ustawienie(d.idFirmy, "partners.dll", "termin_zaplaty"), QStringLiteral("30"));

    DaneFirmy wczytane;
    ASSERT_TRUE(wczytajFirme(wczytane, d.idFirmy));
    EXPECT_EQ(wczytane.uwagiFv, QStringList{QStringLiteral("tylko ta")});
    EXPECT_EQ(wczytane.uwagiSp, QStringList{QStringLiteral("jedna")});
    EXPECT_EQ(wczytane.sposobZaplaty, 17);
}

TEST_P(ZapisFirmySiblingiTest, AktywnaFirmaZapisujeUstawieniaGlobalne)
{
    // Kept loaded, so the object outlives the save's own load of the library.
    host::SiblingLibrary magazyn(QStringLiteral("shared_store.dll"));
    auto *pobierz = magazyn.resolve<shared_store::GlobalSettings *()>("_GetGlobalSettings");
    if (!pobierz)
        GTEST_SKIP() << "the shared_store sibling is not built";
    DaneFirmy d = kompletna();
    d.idFirmy = m_wlasna;
    d.nazwa = QStringLiteral("Nasza firma");
    d.skrot = QStringLiteral("NASZA");
    d.nocneOd = QTime(21, 30);
    d.limitNadh = 150;
    d.okresRoz = 2;
    TZapisFirmy zapis(d);
    zapis.prawaKalendarza = true;
    ASSERT_TRUE(zapis.zapisz(TrybIstniejacaFirma));
    EXPECT_EQ(pobierz()->nocneOd.time(), QTime(21, 30));
    EXPECT_EQ(pobierz()->limitNadgodzin, 150);
    EXPECT_EQ(pobierz()->okresRoz, 2);

    // Another company leaves the active one's settings alone.
    DaneFirmy inna = kompletna();
    inna.limitNadh = 10;
    TZapisFirmy zapisInnej(inna);
    zapisInnej.prawaKalendarza = true;
    ASSERT_TRUE(zapisInnej.zapisz());
    EXPECT_EQ(pobierz()->limitNadgodzin, 150);
}

MALVO_INSTANTIATE_FOR_ENGINES(ZapisFirmyTest);
MALVO_INSTANTIATE_FOR_ENGINES(ZapisFirmySiblingiTest);

} // namespace
