#include "host_fixture.h"

#include "lists/lista_firm_fr.h"
#include "partners_api.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "query.h"
#include "siblings.h"

#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using Answer = host::ScriptedPrompter::Answer;

struct Adres
{
    int ile = 0; // addresses of the company
    int id_m = 0;
    int id_kodu = 0;
    QString ulica;
    QString nr_domu;
    QString nr_m;
    int czy_domyslny = 0;
};

class ZapisBezFormularza : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        host::setSiblingDirectory(m_bezSiblingow.path());
    }

    void TearDown() override
    {
        host::setSiblingDirectory(QString());
        HostDatabaseTest::TearDown();
    }

    static int zapisz(const QStringList &lista) { return _ZapiszBezPokazywaniaFormularza(nullptr, nullptr, lista); }

    // The order's list: binding id, name, country, postal code, city, street, flat number, then extras.
    static QStringList lista(const QString &nazwa, const QString &kraj, const QString &kod, const QString &miasto,
                             const QStringList &dalej = {})
    {
        return QStringList{QStringLiteral("B-1"), nazwa, kraj, kod, miasto, QStringLiteral("Długa 5"),
                           QStringLiteral("3")}
        + dalej;
    }

    int liczba(const QString &sql, const QVariantMap &p = {}) { return host::GetIntDB(sql, QString(), nullptr, p); }
    int liczbaFirm() { return liczba(QStringLiteral("select count(*) from firma")); }

    int idPanstwa(const QString &iso)
    {
        return liczba(QStringLiteral("select id_p from panstwo where iso = :iso"), {{QStringLiteral("iso"), iso}});
    }
    int idMiasta(const QString &miasto, const QString &iso)
    {
        return liczba(QStringLiteral("select id_m from miasto where miasto = :m and id_panstwa = :p"),
                      {{QStringLiteral("m"), miasto}, {QStringLiteral("p"), idPanstwa(iso)}});
    }
    int idKodu(const QString &kod, int idMiasta)
    {
        return liczba(QStringLiteral("select id_kodu from kod_pocztowy where kod = :k and id_m = :m"),
                      {{QStringLiteral("k"), kod}, {QStringLiteral("m"), idMiasta}});
    }
    int dodajMiasto(const QString &miasto, const QString &iso)
    {
        host::ExecQuery(QStringLiteral("insert into miasto (miasto, id_panstwa) values (:m, :p)"), nullptr, 0,
                        {{QStringLiteral("m"), miasto}, {QStringLiteral("p"), idPanstwa(iso)}});
        return liczba(QStringLiteral("select max(id_m) from miasto"));
    }
    int dodajKod(const QString &kod, int idMiasta)
    {
        host::ExecQuery(QStringLiteral("insert into kod_pocztowy (kod, id_m) values (:k, :m)"), nullptr, 0,
                        {{QStringLiteral("k"), kod}, {QStringLiteral("m"), idMiasta}});
        return liczba(QStringLiteral("select max(id_kodu) from kod_pocztowy"));
    }
    int idRodzaju(const QString &tekst)
    {
        return liczba(QStringLiteral("select id from VListaPozSlownika where typ_slownika = 'firma_rodzaj' "
                                     "and id_jezyka = :j and wartosc = :w"),
                      {{QStringLiteral("j"), host::GetLanguage()}, {QStringLiteral("w"), tekst}});
    }

    QList<int> grupy(int idFirmy)
    {
        return host::GetListaIntDB(QStringLiteral("select grupa from firma_grupa where id_f = :id order by grupa"),
                                   QString(), nullptr, {{QStringLiteral("id"), idFirmy}});
    }
    QString skrot(int idFirmy)
    {
        return host::GetStringDB(QStringLiteral("select skrot from firma where id_f = :id"), QString(), nullptr,
                                 {{QStringLiteral("id"), idFirmy}});
    }

    Adres adres(int idFirmy)
    {
        Adres a;
        db::Query q(host::GetConnection(), QStringLiteral("select * from adres where id_ = :id and tabela = 7"));
        q.parameters().setValue(QStringLiteral("id"), idFirmy);
        if (host::OpenQuery(q) != 1 || q.isEmpty())
            return a;
        a.ile = q.recordCount();
        a.id_m = q.value(QStringLiteral("id_m")).toInt();
        a.id_kodu = q.value(QStringLiteral("id_kodu")).toInt();
        a.ulica = q.value(QStringLiteral("ulica")).toString();
        a.nr_domu = q.value(QStringLiteral("nr_domu")).toString();
        a.nr_m = q.value(QStringLiteral("nr_m")).toString();
        a.czy_domyslny = q.value(QStringLiteral("czy_domyslny")).toInt();
        return a;
    }

    QTemporaryDir m_bezSiblingow;
};

// ---- the list, by its length -----------------------------------------------------------

TEST_P(ZapisBezFormularza, SiedemPozycjiBezGrupyIIdentyfikatorow)
{
    const int id = zapisz(lista(QStringLiteral("Alfa Beta Cargo Sp. z o.o."), QStringLiteral("PL"),
                                QStringLiteral("26-600"), QStringLiteral("Radom")));
    ASSERT_GT(id, 0);
    EXPECT_TRUE(partners::windows().zapis_firmy_form.isNull());

    db::Query f(host::GetConnection(),
                QStringLiteral("select * from VListaFirmFull where id = :id and id_jezyka = :j"));
    f.parameters().setValue(QStringLiteral("id"), id);
    f.parameters().setValue(QStringLiteral("j"), host::GetLanguage());
    ASSERT_EQ(host::OpenQuery(f), 1);
    ASSERT_EQ(f.recordCount(), 1);
    EXPECT_EQ(f.value(QStringLiteral("nazwa")).toString(), QStringLiteral("Alfa Beta Cargo Sp. z o.o."));
    EXPECT_EQ(f.value(QStringLiteral("skrot")).toString(), QStringLiteral("ABC"));
    EXPECT_EQ(f.value(QStringLiteral("nazwa_typu")).toString(),
              host::LoadResstrings(QStringLiteral("Resstrings_IDS_ogolny2")));
    EXPECT_EQ(f.value(QStringLiteral("waluta_limitu_kredyt")).toString(), host::var::DomyslnaWaluta.get());
    EXPECT_EQ(f.value(QStringLiteral("limit_nadh")).toInt(), 260);
    EXPECT_EQ(f.value(QStringLiteral("dodatkowe_wolne")).toInt(), 7);
    EXPECT_EQ(f.value(QStringLiteral("aktywna")).toInt(), 1);
    EXPECT_EQ(f.value(QStringLiteral("nocne_od")).toDateTime(), QDateTime(QDate(2004, 11, 16), QTime(22, 0)));
    EXPECT_EQ(f.value(QStringLiteral("nocne_do")).toDateTime(), QDateTime(QDate(2004, 11, 17), QTime(6, 0)));
    EXPECT_EQ(f.value(QStringLiteral("swieta_od")).toDateTime(), QDateTime(QDate(2004, 11, 16), QTime(6, 0)));
    EXPECT_EQ(f.value(QStringLiteral("pora_nocna_do")).toDateTime().time(), QTime(4, 0));
    EXPECT_TRUE(f.value(QStringLiteral("uwagi")).isNull());
    EXPECT_EQ(liczba(QStringLiteral("select id_u from firma where id_f = :id"), {{QStringLiteral("id"), id}}),
              host::AktIdU());

    const int radom = idMiasta(QStringLiteral("Radom"), QStringLiteral("PL"));
    const Adres a = adres(id);
    EXPECT_EQ(a.ile, 1);
    EXPECT_EQ(a.id_m, radom);
    EXPECT_EQ(a.id_kodu, idKodu(QStringLiteral("26-600"), radom));
    EXPECT_EQ(a.ulica, QStringLiteral("Długa 5"));
    EXPECT_EQ(a.nr_m, QStringLiteral("3"));
    EXPECT_TRUE(a.nr_domu.isEmpty());
    EXPECT_EQ(a.czy_domyslny, 1);
    EXPECT_TRUE(grupy(id).isEmpty());
}

TEST_P(ZapisBezFormularza, OsiemIDziewiecPozycjiBioraGrupeBezIdentyfikatorow)
{
    const int przewoznik = idRodzaju(QStringLiteral("Przewoźnik"));
    ASSERT_GT(przewoznik, 0);
    const int radom = idMiasta(QStringLiteral("Radom"), QStringLiteral("PL"));
    const int warszawa = idMiasta(QStringLiteral("Warszawa"), QStringLiteral("PL"));

    const int osiem = zapisz(lista(QStringLiteral("Osiem"), QStringLiteral("PL"), QString(), QStringLiteral("Radom"),
                                   {QString::number(przewoznik)}));
    ASSERT_GT(osiem, 0);
    EXPECT_EQ(grupy(osiem), QList<int>{przewoznik});

    // Entry 8 is not read below ten entries, so it may be anything.
    const int dziewiec =
        zapisz(lista(QStringLiteral("Dziewiec"), QStringLiteral("PL"), QString(), QStringLiteral("Radom"),
                     {QString::number(przewoznik), QString::number(warszawa)}));
    ASSERT_GT(dziewiec, 0);
    EXPECT_EQ(grupy(dziewiec), QList<int>{przewoznik});
    EXPECT_EQ(adres(dziewiec).id_m, radom);
    const int nieLiczba = zapisz(lista(QStringLiteral("Dziewiec bis"), QStringLiteral("PL"), QString(),
                                       QStringLiteral("Radom"), {QString(), QStringLiteral("x")}));
    EXPECT_GT(nieLiczba, 0);
    EXPECT_EQ(adres(nieLiczba).id_kodu, 0);
}

TEST_P(ZapisBezFormularza, DziesiecPozycjiBierzeIdentyfikatoryMiastaIKodu)
{
    const int warszawa = idMiasta(QStringLiteral("Warszawa"), QStringLiteral("PL"));
    const int kod = idKodu(QStringLiteral("00-950"), warszawa);
    ASSERT_GT(kod, 0);
    const int id = zapisz(lista(QStringLiteral("Dziesiec"), QStringLiteral("PL"), QStringLiteral("26-600"),
                                QStringLiteral("Radom"), {QString(), QString::number(warszawa), QString::number(kod)}));
    ASSERT_GT(id, 0);
    const Adres a = adres(id);
    EXPECT_EQ(a.id_m, warszawa);
    EXPECT_EQ(a.id_kodu, kod);
    EXPECT_TRUE(grupy(id).isEmpty());
}

TEST_P(ZapisBezFormularza, IdentyfikatorNieBedacyLiczbaNicNieZapisuje)
{
    const int firm = liczbaFirm();
    for (const QStringList &ids :
         {QStringList{QStringLiteral("12x"), QStringLiteral("1")},
          QStringList{QStringLiteral("1"), QStringLiteral("kod")}, QStringList{QString(), QStringLiteral("1")}}) {
        EXPECT_EQ(zapisz(lista(QStringLiteral("Zla Lista"), QStringLiteral("PL"), QString(), QStringLiteral("Radom"),
                               QStringList{QString()} + ids)),
                  -1)
            << ids.join(QLatin1Char('|')).toStdString();
    }
    EXPECT_EQ(liczbaFirm(), firm);
    EXPECT_TRUE(logText().contains(QStringLiteral("'12x' is not a valid integer value")));
    EXPECT_TRUE(logText().contains(QStringLiteral("'kod' is not a valid integer value")));
    EXPECT_TRUE(prompter().messageTexts().isEmpty()) << "a windowless call asks nothing";
}

TEST_P(ZapisBezFormularza, GrupaNieBedacaDodatniaLiczbaRodzajuNieDodajeRodzaju)
{
    const int typFirmy =
        liczba(QStringLiteral("select min(id) from VListaPozSlownika where typ_slownika = 'typ_firmy'"));
    for (const QString &grupa : {QStringLiteral("Przewoźnik"), QStringLiteral("0"), QStringLiteral("-3"),
                                 QString::number(typFirmy), QStringLiteral("999999")}) {
        const int id = zapisz(
            lista(QStringLiteral("Grupa ") + grupa, QStringLiteral("PL"), QString(), QStringLiteral("Radom"), {grupa}));
        ASSERT_GT(id, 0) << grupa.toStdString();
        EXPECT_TRUE(grupy(id).isEmpty()) << grupa.toStdString();
    }
}

// ---- city, postal code and country ----------------------------------------------------

TEST_P(ZapisBezFormularza, MiastoPodkreslnikIZApostrofem)
{
    const int podkreslnik = dodajMiasto(QStringLiteral("_"), QStringLiteral("PL"));
    const int id = zapisz(lista(QStringLiteral("Bez Miasta"), QStringLiteral("PL"), QString(), QString()));
    ASSERT_GT(id, 0);
    EXPECT_EQ(adres(id).id_m, podkreslnik);

    const int akwila = dodajMiasto(QStringLiteral("L'Aquila"), QStringLiteral("IT"));
    const int kod = dodajKod(QStringLiteral("67100"), akwila);
    dodajMiasto(QStringLiteral("L Aquila"), QStringLiteral("IT"));
    const int wloska = zapisz(lista(QStringLiteral("Trasporti Abruzzo"), QStringLiteral("it"), QStringLiteral("67100"),
                                    QStringLiteral("L'Aquila")));
    ASSERT_GT(wloska, 0);
    EXPECT_EQ(adres(wloska).id_m, akwila);
    EXPECT_EQ(adres(wloska).id_kodu, kod);
}

TEST_P(ZapisBezFormularza, PanstwoWybieraMiastoIKodWDowolnejPostaci)
{
    const int polskie = dodajMiasto(QStringLiteral("Grenzdorf"), QStringLiteral("PL"));
    const int kodPolski = dodajKod(QStringLiteral("12345"), polskie);
    const int niemieckie = dodajMiasto(QStringLiteral("Grenzdorf"), QStringLiteral("DE"));
    const int kodNiemiecki = dodajKod(QStringLiteral("12345"), niemieckie);
    int n = 0;
    for (const char *kraj : {"DE", "de", "D", "d", ".de", ".DE", "De", " de "}) {
        const int id = zapisz(lista(QStringLiteral("Grenz ") + QString::number(++n), QLatin1String(kraj),
                                    QStringLiteral("12345"), QStringLiteral("grenzdorf")));
        ASSERT_GT(id, 0) << kraj;
        EXPECT_EQ(adres(id).id_m, niemieckie) << kraj;
        EXPECT_EQ(adres(id).id_kodu, kodNiemiecki) << kraj;
    }
    const int polska = zapisz(
        lista(QStringLiteral("Grenz PL"), QStringLiteral("pl"), QStringLiteral("12345"), QStringLiteral("Grenzdorf")));
    EXPECT_EQ(adres(polska).id_m, polskie);
    EXPECT_EQ(adres(polska).id_kodu, kodPolski);
    // An unknown country looks the city up by its name alone.
    const int nieznany = zapisz(
        lista(QStringLiteral("Grenz XX"), QStringLiteral("XX"), QStringLiteral("12345"), QStringLiteral("Grenzdorf")));
    EXPECT_EQ(adres(nieznany).id_m, polskie);
    EXPECT_EQ(adres(nieznany).id_kodu, kodPolski);
}

TEST_P(ZapisBezFormularza, BezSiblingaMiastFirmaBezAdresu)
{
    const int miast = liczba(QStringLiteral("select count(*) from miasto"));
    const int id = zapisz(lista(QStringLiteral("Nowe Miasto Trans"), QStringLiteral("PL"), QStringLiteral("99-999"),
                                QStringLiteral("Nieznanowo")));
    ASSERT_GT(id, 0);
    EXPECT_EQ(adres(id).ile, 0);
    EXPECT_EQ(liczba(QStringLiteral("select count(*) from miasto")), miast);
}

TEST_P(ZapisBezFormularza, SiblingMiastTworzyBrakujaceMiasto)
{
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    if (!QFile::exists(host::siblingLibraryPath(QStringLiteral("cities.dll"))))
        GTEST_SKIP() << "the cities sibling is not built";
    const int id = zapisz(
        lista(QStringLiteral("Nowe Miasto Trans"), QStringLiteral("PL"), QString(), QStringLiteral("Nieznanowo")));
    ASSERT_GT(id, 0);
    const int nowe = liczba(QStringLiteral("select id_m from miasto where miasto = 'Nieznanowo'"));
    ASSERT_GT(nowe, 0);
    EXPECT_EQ(adres(id).id_m, nowe);
    EXPECT_EQ(adres(id).id_kodu, 0);
}

// ---- short names -----------------------------------------------------------------------

TEST_P(ZapisBezFormularza, UnikalneSkrotyDostajaKolejnyNumer)
{
    ASSERT_TRUE(host::var::UnikalneSkrotyFirm.set(true));
    const QStringList oczekiwane{QStringLiteral("ABC"), QStringLiteral("ABC_2"), QStringLiteral("ABC_3")};
    for (const QString &s : oczekiwane)
        EXPECT_EQ(skrot(zapisz(lista(QStringLiteral("Alfa Beta Cargo"), QStringLiteral("PL"), QString(),
                                     QStringLiteral("Radom")))),
                  s);

    host::ExecQuery(QStringLiteral("insert into firma (nazwa, skrot) values ('Stara', 'XYZ_5')"));
    EXPECT_EQ(skrot(zapisz(
                  lista(QStringLiteral("Xeno Yotta Zeta"), QStringLiteral("PL"), QString(), QStringLiteral("Radom")))),
              QStringLiteral("XYZ_6"));

    ASSERT_TRUE(host::var::UnikalneSkrotyFirm.set(false));
    EXPECT_EQ(skrot(zapisz(
                  lista(QStringLiteral("Alfa Beta Cargo"), QStringLiteral("PL"), QString(), QStringLiteral("Radom")))),
              QStringLiteral("ABC"));
}

// ---- the order-import picker ------------------------------------------------------------

TEST_P(ZapisBezFormularza, PickerDodajeFirmeIJaZwraca)
{
    ASSERT_TRUE(host::var::ImportZlecWTrakcie.set(1));
    const QStringList info = lista(QStringLiteral("Gamma Delta Spedycja"), QStringLiteral("PL"),
                                   QStringLiteral("26-600"), QStringLiteral("Radom"));
    int wybranaWLiscie = 0;
    prompter().push(Answer::dialog([&](QDialog &d) {
        auto *dodaj = d.findChild<QPushButton *>(QStringLiteral("bDodajNowaFirme"));
        ASSERT_NE(dodaj, nullptr);
        ASSERT_FALSE(dodaj->isHidden());
        dodaj->click();
        wybranaWLiscie = d.findChild<Tlista_firm_frame *>(QStringLiteral("frame_list"))->idBiezacegoWiersza();
    }));
    const int id = _ZImportuZlecSP(nullptr, nullptr, info);
    ASSERT_GT(id, 0);
    EXPECT_EQ(wybranaWLiscie, id);
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select nazwa from firma where id_f = :id"), QString(), nullptr,
                                {{QStringLiteral("id"), id}}),
              QStringLiteral("Gamma Delta Spedycja"));
    EXPECT_EQ(adres(id).id_m, idMiasta(QStringLiteral("Radom"), QStringLiteral("PL")));

    // "For all": the import is told, then the company is added the same way.
    const int firm = liczbaFirm();
    prompter().push(Answer::dialog([](QDialog &d) { d.findChild<QPushButton *>(QStringLiteral("Button1"))->click(); }));
    const int drugi = _ZImportuZlecSPBezPowiazania(nullptr, nullptr, info);
    EXPECT_GT(drugi, id);
    EXPECT_EQ(host::var::ImportZlecDodajAllFirma.get(), 1);
    EXPECT_EQ(liczbaFirm(), firm + 1);
}

TEST_P(ZapisBezFormularza, PickerZostajeOtwartyGdyListaNiepoprawna)
{
    const int firm = liczbaFirm();
    bool otwarty = false;
    prompter().push(Answer::dialog([&](QDialog &d) {
        d.findChild<QPushButton *>(QStringLiteral("bDodajNowaFirme"))->click();
        otwarty = d.isVisible();
        d.reject();
    }));
    const QStringList info = lista(QStringLiteral("Zla"), QStringLiteral("PL"), QString(), QStringLiteral("Radom"),
                                   {QString(), QStringLiteral("x"), QStringLiteral("y")});
    EXPECT_EQ(_ZImportuZlecSP(nullptr, nullptr, info), -1);
    EXPECT_TRUE(otwarty);
    EXPECT_EQ(liczbaFirm(), firm);
}

MALVO_INSTANTIATE_FOR_ENGINES(ZapisBezFormularza);

} // namespace
