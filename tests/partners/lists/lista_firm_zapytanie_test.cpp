#include "lista_firm_demo.h"

#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_zapytanie.h"

#include <gtest/gtest.h>

using namespace partners;
using namespace listytest;

namespace {

struct PrzypadekFiltrow
{
    const char *nazwa;
    bool tylkoWlasne;
    bool ukryjWidoczne;
    bool ukryj;
};

const PrzypadekFiltrow przypadki[] = {
    {"Wszystkie", false, true, false},
    {"TylkoWlasne", true, true, false},
    {"UkryjZalRoz", false, true, true},
    {"ObaRazem", true, true, true},
    // A hidden box (not Polish) filters nothing even when checked.
    {"UkryjNiewidoczne", false, false, true},
};

class ZapytanieListyFirm : public testing::TestWithParam<std::tuple<db::Engine, PrzypadekFiltrow>>
{
protected:
    void SetUp() override
    {
        m_baza = std::make_unique<DemoBaza>(std::get<0>(GetParam()));
        if (!m_baza->dostepna())
            GTEST_SKIP() << "engine not available";
    }

    db::Connection &db() { return m_baza->db(); }

    QSet<int> wszystkie() { return zbior(kolumnaInt(db(), {QStringLiteral("select id_f from firma"), {}}, {})); }

    // Loading and unloading places named by their kinds, not by the group number.
    QSet<int> zaladunkowe()
    {
        return zbior(kolumnaInt(
            db(),
            {QStringLiteral("select fg.id_f from firma_grupa fg join slowwartosci s on s.id_wartosci = fg.grupa"
                            " where s.wartosc in ('slow_firma_rodzaj_zaladunek', 'slow_firma_rodzaj_rozladunek')"),
             {}},
            {}));
    }

    QSet<int> wlasne()
    {
        return zbior(kolumnaInt(db(),
                                {QStringLiteral("select f.id_f from firma f join slowwartosci s on s.id_wartosci ="
                                                " f.typ_firmy where s.wartosc = 'firma_wlasna'"),
                                 {}},
                                {}));
    }

    std::unique_ptr<DemoBaza> m_baza;
};

TEST_P(ZapytanieListyFirm, FiltryZmieniajaWierszeJakOpisano)
{
    const PrzypadekFiltrow p = std::get<1>(GetParam());
    StanZapytaniaListyFirm stan;
    stan.idJezyka = suitedb::LanguagePolish;
    stan.tylkoWlasneFirmy = p.tylkoWlasne;
    stan.ukryjFirmyZalRozWidoczne = p.ukryjWidoczne;
    stan.ukryjFirmyZalRoz = p.ukryj;

    QSet<int> oczekiwane = wszystkie();
    if (p.tylkoWlasne)
        oczekiwane &= wlasne();
    if (p.ukryj && p.ukryjWidoczne)
        oczekiwane -= zaladunkowe();
    ASSERT_FALSE(zaladunkowe().isEmpty()) << "demo data without loading places";

    const QList<int> ids = kolumnaInt(db(), komendaListyFirm(stan, db().dialect()));
    EXPECT_EQ(ids.size(), oczekiwane.size()) << "one row per company";
    EXPECT_EQ(zbior(ids), oczekiwane);
}

INSTANTIATE_TEST_SUITE_P(
    Filtry, ZapytanieListyFirm,
    testing::Combine(testing::ValuesIn(testsupport::engines()), testing::ValuesIn(przypadki)),
    [](const testing::TestParamInfo<ZapytanieListyFirm::ParamType> &info) {
        return testsupport::engineName({std::get<0>(info.param), info.index}) + "_" + std::get<1>(info.param).nazwa;
    });

class ZapytanieListyFirmDemo : public DemoBazaTest
{
protected:
    static StanZapytaniaListyFirm stan(int tag = 0)
    {
        StanZapytaniaListyFirm s;
        s.idJezyka = suitedb::LanguagePolish;
        s.tag = tag;
        return s;
    }
};

TEST_P(ZapytanieListyFirmDemo, SortujePoNazwieIDajeNumerFirmy)
{
    auto lista = otworz(db(), komendaListyFirm(stan(), db().dialect()));
    const QList<int> wgNazwy =
        kolumnaInt(db(), {QStringLiteral("select id_f from firma order by nazwa, id_f"), {}}, {});
    QList<int> ids;
    for (lista->first(); !lista->eof(); lista->next()) {
        ids << lista->value(QStringLiteral("id")).toInt();
        EXPECT_EQ(lista->value(QStringLiteral("nr_id_firmy")).toInt(), ids.last());
    }
    EXPECT_EQ(ids, wgNazwy);
}

TEST_P(ZapytanieListyFirmDemo, ZwracaKazdePoleListy)
{
    auto lista = otworz(db(), komendaListyFirm(stan(), db().dialect()));
    for (const db::FieldDef &pole : polaListyFirm())
        if (pole.name != QLatin1String(PoleNazwaGrupy)) {
            EXPECT_TRUE(lista->hasField(pole.name)) << pole.name.toStdString();
        }
}

TEST_P(ZapytanieListyFirmDemo, TagWczytujeJednaFirmeWKazdymJezyku)
{
    const QList<int> wszystkie = kolumnaInt(db(), komendaListyFirm(stan(), db().dialect()));
    const int tag = wszystkie.at(wszystkie.size() / 2);
    for (int jezyk : {suitedb::LanguagePolish, suitedb::LanguageEnglish}) {
        StanZapytaniaListyFirm s = stan(tag);
        s.idJezyka = jezyk;
        const KomendaSql komenda = komendaListyFirm(s, db().dialect());
        EXPECT_FALSE(komenda.tekst.contains(QLatin1String("order by"), Qt::CaseInsensitive));
        auto lista = otworz(db(), komenda);
        ASSERT_EQ(lista->recordCount(), 1);
        EXPECT_EQ(lista->value(QStringLiteral("id")).toInt(), tag);
        EXPECT_EQ(lista->value(QStringLiteral("id_jezyka")).toInt(), jezyk);
    }
}

TEST_P(ZapytanieListyFirmDemo, TagLaczySieZFiltrami)
{
    const QList<int> zal = kolumnaInt(
        db(),
        {QStringLiteral("select fg.id_f from firma_grupa fg join slowwartosci s on s.id_wartosci = fg.grupa"
                        " join firma f on f.id_f = fg.id_f join slowwartosci t on t.id_wartosci = f.typ_firmy"
                        " where s.wartosc = 'slow_firma_rodzaj_zaladunek' and t.wartosc <> 'firma_wlasna'"),
         {}},
        {});
    ASSERT_FALSE(zal.isEmpty());
    StanZapytaniaListyFirm s = stan(zal.first());
    EXPECT_EQ(kolumnaInt(db(), komendaListyFirm(s, db().dialect())).size(), 1);
    s.ukryjFirmyZalRoz = true;
    EXPECT_TRUE(kolumnaInt(db(), komendaListyFirm(s, db().dialect())).isEmpty());
    s.ukryjFirmyZalRoz = false;
    s.tylkoWlasneFirmy = true;
    EXPECT_TRUE(kolumnaInt(db(), komendaListyFirm(s, db().dialect())).isEmpty());
}

TEST_P(ZapytanieListyFirmDemo, CzyPosiadaDokTylkoZPlikiemDokumentu)
{
    const QList<int> ids = kolumnaInt(db(), komendaListyFirm(stan(), db().dialect()));
    const int zPlikiem = ids.at(0), bezPliku = ids.at(1), plikInnejTabeli = ids.at(2);
    const QString dokument = QStringLiteral("insert into dokument (rodzaj, id_f) values (1, :id_f)");
    const QString plik =
        QStringLiteral("insert into dokument_plik (sciezka, tabela, id_) values ('a.pdf', :tabela, :id_)");
    for (int firma : {zPlikiem, bezPliku, plikInnejTabeli}) {
        const int dok = wstaw(db(), dokument, QStringLiteral("id_dok"), {{QStringLiteral("id_f"), firma}});
        ASSERT_GT(dok, 0);
        if (firma == zPlikiem)
            wstaw(db(), plik, QStringLiteral("id_dp"),
                  {{QStringLiteral("tabela"), suitedb::TableDocument}, {QStringLiteral("id_"), dok}});
        if (firma == plikInnejTabeli)
            wstaw(db(), plik, QStringLiteral("id_dp"),
                  {{QStringLiteral("tabela"), suitedb::TableCompany}, {QStringLiteral("id_"), dok}});
    }
    auto lista = otworz(db(), komendaListyFirm(stan(), db().dialect()));
    int zDokumentem = 0;
    for (lista->first(); !lista->eof(); lista->next()) {
        const int id = lista->value(QStringLiteral("id")).toInt();
        const int ma = lista->value(QStringLiteral("czy_posiada_dok")).toInt();
        zDokumentem += ma;
        if (id == zPlikiem) {
            EXPECT_EQ(ma, 1);
        }
    }
    EXPECT_EQ(zDokumentem, 1) << "a document without a file, or a file of another table, does not count";
}

TEST_P(ZapytanieListyFirmDemo, ZapomnijAktywnaFirmeUsuwaTylkoTeFirme)
{
    const QString wstawUst =
        QStringLiteral("insert into ustawienia (co, wartosc, kod, id_u) values (:co, :wartosc, 'ALL', :id_u)");
    using Wiersz = std::pair<const char *, const char *>;
    for (const auto &[co, wartosc] : {Wiersz{"aktywna_firma", "12"}, Wiersz{"aktywna_firma", "12"},
                                      Wiersz{"aktywna_firma", "120"}, Wiersz{"inne", "12"}})
        wstaw(db(), wstawUst, QStringLiteral("id_ust"),
              {{QStringLiteral("co"), QString::fromLatin1(co)},
               {QStringLiteral("wartosc"), QString::fromLatin1(wartosc)},
               {QStringLiteral("id_u"), 1}});
    db::Query usun(&db(), komendaZapomnijAktywnaFirme(12).tekst);
    usun.parameters().setValue(QStringLiteral("id_f"),
                               komendaZapomnijAktywnaFirme(12).parametry.value(QStringLiteral("id_f")));
    EXPECT_EQ(usun.exec(), 2);
    EXPECT_EQ(kolumnaInt(db(),
                         {QStringLiteral("select count(*) from ustawienia where co in ('aktywna_firma', 'inne')"), {}},
                         {})
                  .value(0),
              2);
}

MALVO_INSTANTIATE_FOR_ENGINES(ZapytanieListyFirmDemo);

} // namespace
