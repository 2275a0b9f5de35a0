#include "company/zapis_firmy.h"

#include "firma_fixture.h"

#include "global_settings.h"
#include "host_context.h"
#include "host_funcs.h"
#include "host_syscore.h"
#include "prompter.h"
#include "query.h"
#include "siblings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;
using namespace firmatest;

namespace {

// ---- the PZapFirmeFull parameters, row by row ---------------------------------

DaneFirmy pelna()
{
    return {.idFirmy = 42,
            .nazwa = u"  Trans-Pol Sp. z o.o. "_s,
            .skrot = u" TP "_s,
            .idTypu = 3,
            .idStatusu = 5,
            .oddzial = true,
            .idCentrali = 9,
            .limitKredytowy = 1500.5,
            .walutaLimitu = u"EUR"_s,
            .prefiksNip = u"PL"_s,
            .nip = u"5260250274"_s,
            .regon = u"123456785"_s,
            .krs = u"0000012345"_s,
            .nrTrans = u"T-1"_s,
            .skype = u"tp.skype"_s,
            .nrGg = u"123"_s,
            .www = u"tp.pl"_s,
            .eMail = u"biuro@tp.pl"_s,
            .wlasciciel = u"Jan Nowak"_s,
            .apdId = u"77"_s,
            .apdToken = u"tok"_s,
            .aktywna = false,
            .bus = true,
            .uwagi = u"nowe uwagi"_s,
            .idKomunikatora = 8,
            .nocneOd = QTime(22, 0),
            .nocneDo = QTime(6, 0),
            .swietaOd = QTime(6, 0),
            .poraNocnaOd = QTime(0, 0),
            .poraNocnaDo = QTime(4, 0),
            .limitNadh = 300,
            .okresRoz = 2,
            .dodatkoweWolne = 6,
            .komentarz = u"stopka"_s,
            .idFvUd = 4,
            .oswiadczenieVat = true,
            .papierFirmowy = true,
            .marginesGorny = u"40"_s,
            .wczytaneUwagi = u"stare uwagi"_s,
            .wczytanyKomentarz = u"stopka"_s,
            .wersja = 3};
}

TEST(ParametryZapisuFirmy, KazdyWierszTabeli)
{
    const QVariantMap p = parametryZapisuFirmy(pelna(), TrybIstniejacaFirma, 12);
    // Every parameter with its value as text; times fall on the suite's day zero and the untouched footer sends no
    // text at all.
    QStringList oczekiwane =
        QString(u"@nazwa=Trans-Pol Sp. z o.o.;@skrot=TP;@typ_firmy=3;@status=5;@id_centrali=9;@wlasciciel=Jan Nowak;"
                "@e_mail=biuro@tp.pl;@nr_gg=123;@skype=tp.skype;@nr_trans=T-1;@www=tp.pl;@regon=123456785;"
                "@krs=0000012345;@apd_id=77;@apd_token=tok;@nip=PL5260250274;@nocne_od=1899-12-30T22:00:00.000;"
                "@nocne_do=1899-12-30T06:00:00.000;@swieta_od=1899-12-30T06:00:00.000;"
                "@pora_nocna_od=1899-12-30T00:00:00.000;@pora_nocna_do=1899-12-30T04:00:00.000;@okres_roz=2;"
                "@limit_nadh=300;@id_fv_ud=4;@dodatkowe_wolne=6;@komentarz_mod=0;@uwagi=nowe uwagi;@uwagi_mod=1;"
                "@limit_kredyt=1500.5;@waluta_limitu_kredyt=EUR;@id=42;@id_komunikatora=8;@oswiadczenie_vat=1;"
                "@fv_papier_firm=1;@fv_margin_gorny=40;@aktywna=0;@bus=true;@id_u=12;@wersja=3"_s)
            .split(u';');
    QStringList wynik;
    for (auto it = p.cbegin(); it != p.cend(); ++it)
        wynik << it.key() + u'=' + it.value().toString();
    wynik.sort();
    oczekiwane.sort();
    EXPECT_EQ(wynik, oczekiwane);
}

TEST(ParametryZapisuFirmy, PustePolaToNulle)
{
    DaneFirmy d;
    d.nazwa = u"Pusta"_s;
    d.skrot = u"   "_s;
    d.idCentrali = 9; // head office chosen, then "Centrala" again
    d.aktywna = true;
    d.komentarz = u"nowa stopka"_s;
    const QVariantMap p = parametryZapisuFirmy(d, TrybNowaFirma, 1);
    const QString nulle =
        u"@skrot @typ_firmy @status @id_centrali @wlasciciel @e_mail @nr_gg @skype @nr_trans @www @regon "
        u"@krs @apd_id @apd_token @nip @nocne_od @okres_roz @id_fv_ud @waluta_limitu_kredyt @id "
        u"@id_komunikatora @oswiadczenie_vat @fv_papier_firm @fv_margin_gorny @bus @wersja"_s;
    for (const QString &klucz : nulle.split(u' ')) {
        ASSERT_TRUE(p.contains(klucz)) << klucz.toStdString();
        EXPECT_TRUE(p.value(klucz).isNull()) << klucz.toStdString();
    }
    EXPECT_EQ(p.value(u"@aktywna"_s), 1);
    EXPECT_EQ(p.value(u"@limit_nadh"_s), 260);
    EXPECT_EQ(p.value(u"@komentarz"_s), u"nowa stopka"_s);
    EXPECT_EQ(p.value(u"@komentarz_mod"_s), 1);
    EXPECT_EQ(p.value(u"@uwagi_mod"_s), 0);
    EXPECT_FALSE(p.contains(u"@uwagi"_s));
}

TEST(ParametryZapisuFirmy, PrefiksNipRazJedenRazIPodzialZapisanego)
{
    EXPECT_EQ(nipDoZapisu(u"DE"_s, u"DE123456789"_s), u"DE123456789"_s);
    EXPECT_EQ(nipDoZapisu(u"DE"_s, u"de123456789"_s), u"de123456789"_s);
    EXPECT_EQ(nipDoZapisu(u"DE"_s, u" 123456789 "_s), u"DE123456789"_s);
    EXPECT_EQ(nipDoZapisu(u"PL"_s, u"DE123"_s), u"PLDE123"_s);
    EXPECT_EQ(nipDoZapisu(u"EL"_s, u"E123"_s), u"ELE123"_s);
    EXPECT_EQ(nipDoZapisu(u"D"_s, u"123"_s), u"123"_s);
    EXPECT_EQ(nipDoZapisu(QString(), u"526-025-02-74"_s), u"526-025-02-74"_s);
    EXPECT_TRUE(nipDoZapisu(u"PL"_s, u"  "_s).isNull());

    // A stored number splits back into the prefix and the rest.
    EXPECT_EQ(rozdzielNip(u"DE123456789"_s).prefiks, u"DE"_s);
    EXPECT_EQ(rozdzielNip(u"DE123456789"_s).numer, u"123456789"_s);
    EXPECT_EQ(rozdzielNip(u"ATU1234"_s).numer, u"U1234"_s);
    EXPECT_EQ(rozdzielNip(u"5260250274"_s).prefiks, QString());
    EXPECT_EQ(rozdzielNip(u"D"_s).numer, u"D"_s);
    EXPECT_EQ(rozdzielNip(u"D"_s).prefiks, QString());
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
        m_wlasna = firma(u"Nasza firma"_s, {{"skrot", "NASZA"}});
        m_konto =
            wstaw(u"konto"_s, u"id_konta"_s,
                  {{"id_", m_wlasna}, {"tabela", 7}, {"nr_konta", "PL61109010140000071219812874"}, {"bank", "Bank"}});
        host::var::AktywnaFirma.set(m_wlasna);
        m_rodzaje = host::GetListaIntDB(
            u"select id from VListaPozSlownika where typ_slownika = 'firma_rodzaj' and id_jezyka = :j"
            " and nazwa_parametru = 'nazwa' order by id"_s,
            QString(), nullptr, {{u"j"_s, host::GetLanguage()}});
        ASSERT_GE(m_rodzaje.size(), 3);
        host::notifier()->clearRecords();
    }

    void TearDown() override
    {
        host::setSiblingDirectory(QString());
        FirmaTest::TearDown();
    }

    DaneFirmy kompletna()
    {
        DaneFirmy d = poprawna(u"Spedycja Wisła"_s, u"SW"_s);
        d.prefiksNip = u"DE"_s;
        d.nip = u"DE123456789"_s;
        d.rodzaje = {m_rodzaje.at(0), m_rodzaje.at(2)};
        d.ulica = u"Długa"_s;
        d.nrDomu = u"5"_s;
        d.nrM = u"7"_s;
        d.mpk = u"MPK-1"_s;
        d.kodAnalityczny = u"AN-9"_s;
        d.idKontaRozl = m_konto;
        d.fvPodsum2 = true;
        d.dataKursuAuto = true;
        d.dataKursuZrodlo = 1;
        d.dniKursuIndeks = 4;
        d.uwagi = u"uwagi"_s;
        return d;
    }

    QString ustawienie(int id, const char *kod, const char *co)
    {
        return tekstDB(u"select wartosc from ustawienia where kod = :kod and co = :co and id_f = :id"_s,
                       {{u"kod"_s, QLatin1String(kod)}, {u"co"_s, QLatin1String(co)}, {u"id"_s, id}});
    }

    int typFirmy(const char *identyfikator)
    {
        return ile(u"select min(id) from VListaPozSlownika where typ_slownika = 'typ_firmy' and identyfikator = :i"_s,
                   {{u"i"_s, QLatin1String(identyfikator)}});
    }

    static QList<int> grupy(int id)
    {
        return host::GetListaIntDB(u"select grupa from firma_grupa where id_f = :id order by grupa"_s, QString(),
                                   nullptr, {{u"id"_s, id}});
    }

    int m_wlasna = 0;
    int m_konto = 0;
    QList<int> m_rodzaje;
};

TEST_P(ZapisFirmyTest, NowaFirmaZapisujeWszystkieTabeleDrugiZapisAktualizujeUsunietejNie)
{
    DaneFirmy d = kompletna();
    TZapisFirmy zapis(d);
    ASSERT_TRUE(zapis.zapisz(TrybNowaFirma)) << komunikaty();
    const int id = d.idFirmy;
    ASSERT_GT(id, 0);
    const QVariantMap f = {{u"id"_s, id}};

    EXPECT_EQ(tekstDB(u"select nip from firma where id_f = :id"_s, f), u"DE123456789"_s);
    EXPECT_EQ(tekstDB(u"select uwagi from firma where id_f = :id"_s, f), u"uwagi"_s);
    EXPECT_EQ(ile(u"select typ_firmy from firma where id_f = :id"_s, f), typFirmy("ogolny"));
    EXPECT_EQ(grupy(id), (QList<int>{m_rodzaje.at(0), m_rodzaje.at(2)}));

    EXPECT_EQ(ile(u"select count(*) from adres where tabela = 7 and id_ = :id"_s, f), 1);
    EXPECT_EQ(ile(u"select id_adr from adres where tabela = 7 and id_ = :id and czy_domyslny = 1"
                  " and id_m = :m and id_kodu = :k and ulica = 'Długa' and nr_domu = '5' and nr_m = '7'"_s,
                  {{u"id"_s, id}, {u"m"_s, m_warszawa}, {u"k"_s, m_kodWarszawy}}),
              d.idAdresuDomyslnego);
    EXPECT_GT(d.idAdresuDomyslnego, 0);

    const QString imp = u"select wartosc_import from import_powiazania where tabela = 7 and id_ = :id and import = "_s;
    EXPECT_EQ(tekstDB(imp + u"10"_s, f), u"MPK-1"_s);
    EXPECT_EQ(tekstDB(imp + u"15"_s, f), u"AN-9"_s);

    EXPECT_EQ(ile(u"select id_konta from firma_konto_rozl where id_f = :id and id_f_akt = :akt"_s,
                  {{u"id"_s, id}, {u"akt"_s, m_wlasna}}),
              m_konto);

    EXPECT_EQ(ustawienie(id, "FK", "fv_kontrahent_podsum2"), u"1"_s);
    EXPECT_EQ(ustawienie(id, "FK", "fv_kontrahent_1waluta"), u"0"_s);
    EXPECT_EQ(ustawienie(id, "SP", "sp_data_kursu_auto"), u"1"_s);
    EXPECT_EQ(ustawienie(id, "SP", "sp_data_kursu_zal_roz"), u"1"_s);
    EXPECT_EQ(ustawienie(id, "SP", "sp_cb_dni_kurs_zal_roz"), u"2"_s);
    EXPECT_EQ(ile(u"select count(*) from ustawienia where id_f = :id and id_u is not null"_s, f), 0);

    // The host heard of the change.
    const auto &zapisy = host::notifier()->records();
    EXPECT_TRUE(std::any_of(zapisy.cbegin(), zapisy.cend(), [](const host::Notifier::Record &r) {
        return r.kind == host::Notifier::Record::Companies && r.code == 0;
    }));
    EXPECT_TRUE(komunikaty().empty());

    // What was saved loads back the same.
    DaneFirmy wczytane;
    ASSERT_TRUE(wczytajFirme(wczytane, id));
    const DaneFirmy &w = wczytane;
    EXPECT_EQ((QStringList{w.nazwa, w.prefiksNip, w.nip, w.ulica, w.mpk, w.kodAnalityczny, w.wczytaneUwagi}),
              (QStringList{d.nazwa, u"DE"_s, u"123456789"_s, d.ulica, d.mpk, d.kodAnalityczny, u"uwagi"_s}));
    EXPECT_EQ((QList<int>{w.idM, w.idImpMpk, w.idImpAnalityczny, w.idKontaRozl, w.dataKursuZrodlo, w.dniKursuIndeks,
                          w.idAdresuDomyslnego}),
              (QList<int>{m_warszawa, d.idImpMpk, d.idImpAnalityczny, m_konto, 1, 4, d.idAdresuDomyslnego}));
    EXPECT_EQ((QList<bool>{w.fvPodsum2, w.fvJednaWaluta, w.dataKursuAuto, w.firmaWlasna}),
              (QList<bool>{true, false, true, false}));
    EXPECT_EQ(w.rodzaje, d.rodzaje);

    // Saved again: the same record is updated.
    const int firmy = ile(u"select count(*) from firma"_s);
    d.nazwa = u"Spedycja Wisła II"_s;
    d.rodzaje = {m_rodzaje.at(1), m_rodzaje.at(2)};
    d.ulica = u"Krótka"_s;
    d.mpk.clear();
    d.kodAnalityczny = u"AN-10"_s;
    d.idKontaRozl = 0;
    d.firmaWlasna = true;
    ASSERT_TRUE(zapis.zapisz());

    EXPECT_EQ(d.idFirmy, id);
    EXPECT_EQ(ile(u"select count(*) from firma"_s), firmy);
    EXPECT_EQ(tekstDB(u"select nazwa from firma where id_f = :id"_s, f), d.nazwa);
    // The memo was not touched the second time, so it stays as stored.
    EXPECT_EQ(tekstDB(u"select uwagi from firma where id_f = :id"_s, f), u"uwagi"_s);
    EXPECT_EQ(ile(u"select typ_firmy from firma where id_f = :id"_s, f), typFirmy("firma_wlasna"));
    EXPECT_EQ(grupy(id), (QList<int>{m_rodzaje.at(1), m_rodzaje.at(2)}));
    EXPECT_EQ(ile(u"select count(*) from adres where tabela = 7 and id_ = :id"_s, f), 1);
    EXPECT_EQ(tekstDB(u"select ulica from adres where tabela = 7 and id_ = :id"_s, f), u"Krótka"_s);
    EXPECT_EQ(ile(u"select count(*) from import_powiazania where tabela = 7 and id_ = :id and import = 10"_s, f), 0);
    EXPECT_EQ(d.idImpMpk, -1);
    EXPECT_EQ(ile(u"select count(*) from import_powiazania where tabela = 7 and id_ = :id and import = 15"_s, f), 1);
    EXPECT_EQ(ile(u"select count(*) from firma_konto_rozl where id_f = :id"_s, f), 0);
    EXPECT_EQ(ile(u"select count(*) from ustawienia where id_f = :id and co = 'fv_kontrahent_podsum2'"_s, f), 1);

    // Deleted by another user in the meantime: 101, nothing written, no one told of a change.
    host::ExecQuery(u"delete from firma where id_f = :id"_s, nullptr, 0, f);
    oznacz();
    host::notifier()->clearRecords();
    EXPECT_FALSE(zapis.zapisz(TrybIstniejacaFirma));
    EXPECT_EQ(zapis.kodZwrotny(), 101);
    EXPECT_EQ(komunikaty(), lista({u"Rekord został w międzyczasie usunięty przez innego użytkownika."_s}));
    EXPECT_EQ(ile(u"select count(*) from firma_grupa where id_f = :id"_s, f), 0);
    EXPECT_TRUE(host::notifier()->records().isEmpty());
}

TEST_P(ZapisFirmyTest, WczytanieUwag)
{
    const int id = firma(u"Z uwagami"_s);
    for (int i = 0; i < 12; ++i)
        wstaw(u"ustawienia"_s, u"id_ust"_s,
              {{"co", u"uwagi_firmy_fv_%1"_s.arg(i)},
               {"wartosc", u"linia %1"_s.arg(i)},
               {"kod", "partners.dll"},
               {"id_f", id}});
    // A user's own row and another company's row are not the company's remarks.
    wstaw(u"ustawienia"_s, u"id_ust"_s,
          {{"co", "uwagi_firmy_fv_0"}, {"wartosc", "czyjaś"}, {"kod", "partners.dll"}, {"id_f", id}, {"id_u", 1}});
    wstaw(u"ustawienia"_s, u"id_ust"_s,
          {{"co", "uwagi_firmy_sp_0"}, {"wartosc", "zamówienia"}, {"kod", "partners.dll"}, {"id_f", id}, {"id_u", 0}});

    DaneFirmy d;
    ASSERT_TRUE(wczytajFirme(d, id));
    EXPECT_EQ(d.uwagiFv,
              (QStringList{"linia 0", "linia 1", "linia 10", "linia 11", "linia 2", "linia 3", "linia 4", "linia 5",
                           "linia 6", "linia 7", "linia 8", "linia 9"}));
    EXPECT_EQ(d.uwagiSp, QStringList{"zamówienia"});
    // With nothing stored the payment term is the 45 days preselected.
    EXPECT_EQ(d.terminZaplaty, u"45"_s);

    DaneFirmy brak;
    EXPECT_FALSE(wczytajFirme(brak, 999999));
    EXPECT_EQ(brak.idFirmy, 999999);
    EXPECT_TRUE(brak.nazwa.isEmpty());
}

TEST_P(ZapisFirmyTest, OkresyPowstajaRazAKatalogPlikowIdzieZaSkrotem)
{
    DaneFirmy d = kompletna();
    d.okresRoz = 3;
    d.poczatekOkresu = QDate(2026, 3, 15);
    QList<std::tuple<int, int, QDate>> wywolania;
    TZapisFirmy zapis(d);
    zapis.generujOkresy = [&](int id, int kod, const QDate &od) {
        wywolania.append({id, kod, od});
        host::ExecQuery(u"insert into okres_roz (id_f, data_od, data_do) values (:id, :od, :do)"_s, nullptr, 0,
                        {{u"id"_s, id},
                         {u"od"_s, QDateTime(QDate(2026, 3, 1), QTime(0, 0))},
                         {u"do"_s, QDateTime(QDate(2026, 5, 31), QTime(0, 0))}});
    };
    ASSERT_TRUE(zapis.zapisz());
    ASSERT_EQ(wywolania.size(), 1);
    EXPECT_EQ(wywolania.first(), std::make_tuple(d.idFirmy, 3, QDate(2026, 3, 15)));
    EXPECT_EQ(d.poczatekOkresu, QDate(2026, 3, 1));
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(wywolania.size(), 1);

    // A new short name takes the company's file folder along, once there is one.
    QTemporaryDir obiekty;
    host::var::SciezkaOb.set(obiekty.path());
    d.wczytanySkrot = d.skrot;
    d.skrot = u"SW2"_s;
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(d.wczytanySkrot, u"SW"_s) << "no folder yet: nothing to copy, the old name stays remembered";
    QDir(obiekty.path()).mkpath(u"SW"_s);
    QFile plik(QDir(obiekty.path()).filePath(u"SW/umowa.txt"_s));
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly) && plik.write("x") == 1);
    plik.close();
    d.skrot = u" SW/3 "_s;
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(d.wczytanySkrot, u"SW3"_s);
    EXPECT_TRUE(QFile::exists(QDir(obiekty.path()).filePath(u"SW3/umowa.txt"_s)));
}

// The invoice defaults go through the data sibling, the working time of the
// active own company into the shared store.
TEST_P(ZapisFirmyTest, DomyslneFakturyPrzezSiblingData)
{
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    ASSERT_TRUE(QFile::exists(host::siblingLibraryPath(u"data.dll"_s)));
    DaneFirmy d = kompletna();
    d.terminZaplaty = u"30"_s;
    d.sposobZaplaty = 17;
    d.szablonyWidoczne = false;
    d.szablonZlecenia = 3;
    d.uwagiFvWidoczne = true;
    for (int i = 0; i < 11; ++i)
        d.uwagiFv << u"wiersz %1"_s.arg(i);
    d.uwagiSpWidoczne = true;
    d.uwagiSp = {u"jedna"_s};
    TZapisFirmy zapis(d);
    zapis.prawaFakturySprzedazy = true;
    ASSERT_TRUE(zapis.zapisz());
    const QVariantMap f = {{u"id"_s, d.idFirmy}};
    EXPECT_EQ(ustawienie(d.idFirmy, "partners.dll", "termin_zaplaty"), u"30"_s);
    EXPECT_EQ(ustawienie(d.idFirmy, "partners.dll", "sposob_zaplaty"), u"17"_s);
    EXPECT_EQ(ile(u"select count(*) from ustawienia where co = 'szablon_zlecenia' and id_f = :id"_s, f), 0);
    EXPECT_EQ(ustawienie(d.idFirmy, "partners.dll", "uwagi_firmy_fv_10"), u"wiersz 10"_s);

    // Fewer lines the second time: the old ones are gone, not left behind.
    d.uwagiFv = {u"tylko ta"_s};
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(ile(u"select count(*) from ustawienia where co like 'uwagi_firmy_fv%' and id_f = :id"_s, f), 1);

    // Without the rights nothing is rewritten.
    d.terminZaplaty = u"60"_s;
    zapis.prawaFakturySprzedazy = false;
    ASSERT_TRUE(zapis.zapisz());
    EXPECT_EQ(ustawienie(d.idFirmy, "partners.dll", "termin_zaplaty"), u"30"_s);

    DaneFirmy wczytane;
    ASSERT_TRUE(wczytajFirme(wczytane, d.idFirmy));
    EXPECT_EQ(wczytane.uwagiFv, QStringList{u"tylko ta"_s});
    EXPECT_EQ(wczytane.uwagiSp, QStringList{u"jedna"_s});
    EXPECT_EQ(wczytane.sposobZaplaty, 17);
}

TEST_P(ZapisFirmyTest, AktywnaFirmaZapisujeUstawieniaGlobalne)
{
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    // Kept loaded, so the object outlives the save's own load of the library.
    host::SiblingLibrary magazyn(u"shared_store.dll"_s);
    auto *pobierz = magazyn.resolve<shared_store::GlobalSettings *()>("_GetGlobalSettings");
    ASSERT_TRUE(pobierz);
    DaneFirmy d = kompletna();
    d.idFirmy = m_wlasna;
    d.nazwa = u"Nasza firma"_s;
    d.skrot = u"NASZA"_s;
    d.nocneOd = QTime(21, 30);
    d.limitNadh = 150;
    d.okresRoz = 2;
    TZapisFirmy zapis(d);
    zapis.prawaKalendarza = true;
    ASSERT_TRUE(zapis.zapisz(TrybIstniejacaFirma));
    EXPECT_EQ(pobierz()->nocneOd.time(), QTime(21, 30));
    EXPECT_EQ(pobierz()->limitNadgodzin, 150);
    EXPECT_EQ(pobierz()->okresRoz, 2);
    // The active company keeps its exchange-rate options out of its own settings.
    EXPECT_EQ(ile(u"select count(*) from ustawienia where kod = 'SP' and id_f = :id"_s, {{u"id"_s, m_wlasna}}), 0);
    EXPECT_EQ(ustawienie(m_wlasna, "FK", "fv_kontrahent_podsum2"), u"1"_s);

    // Another company leaves the active one's settings alone.
    DaneFirmy inna = kompletna();
    inna.limitNadh = 10;
    TZapisFirmy zapisInnej(inna);
    zapisInnej.prawaKalendarza = true;
    ASSERT_TRUE(zapisInnej.zapisz());
    EXPECT_EQ(pobierz()->limitNadgodzin, 150);
}

TEST_P(ZapisFirmyTest, PelnyDyskOdmawiaZapisuAPlikZostajeJakByl)
{
    if (GetParam() != db::Engine::SQLite)
        GTEST_SKIP() << "a server's disk is the server's to watch";
    DaneFirmy d = kompletna();
    TZapisFirmy zapis(d);
    ASSERT_TRUE(zapis.zapisz());
    const QString stan = u"select count(*) || ' ' || max(nazwa) || ' ' || max(ulica) from firma f"
                         " left join adres a on a.id_ = f.id_f and a.tabela = 7"_s;
    const QString przed = tekstDB(stan);
    // The file may not grow by a page: a full disk to SQLite.
    host::GetConnection()->execute(u"pragma max_page_count = %1"_s.arg(ile(u"pragma page_count"_s)));
    d.nazwa = u"Spedycja Wisła Większa"_s;
    d.uwagi = QString(100000, u'x');
    DaneFirmy nowa = kompletna();
    nowa.uwagi = d.uwagi;
    oznacz();
    EXPECT_FALSE(zapis.zapisz());
    EXPECT_FALSE(TZapisFirmy(nowa).zapisz());
    EXPECT_NE(komunikaty().find("full"), std::string::npos) << komunikaty();
    EXPECT_EQ(nowa.idFirmy, 0);

    const auto plik = db::Connection::open(scratch().target());
    db::Query sprawdz(plik.get(), u"pragma integrity_check"_s);
    sprawdz.open();
    EXPECT_EQ(sprawdz.value(0).toString(), u"ok"_s);
    db::Query jak(plik.get(), stan);
    jak.open();
    EXPECT_EQ(jak.value(0).toString(), przed);
}

MALVO_INSTANTIATE_FOR_ENGINES(ZapisFirmyTest);

} // namespace
