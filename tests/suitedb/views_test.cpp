#include "suitedb_fixture.h"

#include "connection.h"
#include "query.h"
#include "suitedb.h"

#include <gtest/gtest.h>

namespace suitedbtest {
namespace {

// Columns the module's statements read from each view.
struct ViewColumns
{
    const char *view;
    std::vector<const char *> columns;
};

const ViewColumns Views[] = {
    {"VListaFirmFull",
     {"id",
      "nazwa",
      "skrot",
      "nocne_od",
      "nocne_do",
      "swieta_od",
      "limit_nadh",
      "okres_roz",
      "wlasciciel",
      "nip",
      "regon",
      "krs",
      "www",
      "e_mail",
      "uwagi",
      "id_komunikatora",
      "id_centrali",
      "centrala_sl",
      "id_typu",
      "nazwa_typu",
      "typ_symbol",
      "id_statusu",
      "nazwa_statusu",
      "status_kolor",
      "limit_kredytowy",
      "waluta_limitu_kredyt",
      "dodatkowe_wolne",
      "oswiadczenie_vat",
      "komentarz",
      "komentarz_fr",
      "id_fv_ud",
      "fv_papier_firm",
      "fv_margin_gorny",
      "nr_trans",
      "nr_gg",
      "skype",
      "ulica",
      "nr_domu",
      "nr_m",
      "id_kodu",
      "kod",
      "id_m",
      "miasto",
      "id_panstwa",
      "panstwo",
      "sam",
      "id_adr",
      "numer",
      "mpk",
      "id_mpk",
      "pora_nocna_od",
      "pora_nocna_do",
      "id_jezyka",
      "apd_id",
      "apd_token",
      "aktywna",
      "czy_octopus",
      "bus"}},
    {"VListaAdresow",
     {"id", "tabela", "id_", "ulica", "nr_domu", "nr_m", "id_kodu", "kod", "id_m", "miasto", "rodzaj", "czy_domyslny",
      "nazwa_panstwa"}},
    {"VDomAdres",
     {"id_jezyka", "tabela", "czy_domyslny", "id_", "ulica", "nr_domu", "nr_m", "miasto", "kod", "panstwo", "sam"}},
    {"VTelefon",
     {"id_jezyka", "tabela", "id_", "id_tel", "czy_domysl", "numer", "rodzaj_slownie", "tel_fax", "tel_fax_slownie",
      "opis"}},
    {"VListaTelefonow",
     {"id", "id_", "tabela", "numer", "opis", "rodzaj", "rodzaj_slownie", "czy_domysl", "tel_fax", "tel_fax_slownie",
      "id_jezyka"}},
    {"VDomKonto", {"id", "id_", "tabela", "bank", "nr_konta"}},
    {"VListaKont",
     {"id", "nr_konta", "bank", "id_", "tabela", "id_typu", "opis", "czy_domyslne", "swift", "waluta", "aktywne"}},
    {"VListaKontaktow",
     {"id", "nazwisko", "imie", "e_mail", "id_stan", "stanowisko", "uwagi", "wysw_na_zleceniu", "os_up_do_fv",
      "nr_trans", "nr_gg", "skype", "tel", "id_f", "nazwa_firmy", "id_jezyka"}},
    {"VListaPozSlownika",
     {"id", "wartosc", "grupa", "typ_slownika", "id_jezyka", "nazwa_parametru", "system", "kolor"}},
    {"VListaPozSlownika2", {"id", "wartosc1", "wartosc2", "typ_slownika", "id_jezyka"}},
    {"vlistapanstw", {"id", "nazwa", "identyfikator", "id_jezyka"}},
    {"VListaMiast", {"id", "id_m", "miasto", "kod_pocz", "id_kodu", "id_panstwa", "id_jezyka"}},
    {"VListaSamMini", {"id", "nr_rej", "id_dom_naczepa", "id_dom_kier", "id_pomocnik", "id_u"}},
    {"VListaSam", {"id", "nr_rej", "id_f", "id_u", "id_jezyka"}},
    {"VListaKier", {"id", "nazwisko_imie"}},
    {"VListaKart", {"id", "nr_karty", "id_u"}},
    {"vlistadelegacji", {"id", "numer_wyjazdu", "data_od", "id_wystawil", "id_u"}},
    {"VListaZlecRealiz", {"id", "nr_pelny", "id_wystawil", "id_u_aktywny", "data_utworzenia"}},
    {"vlistadokument",
     {"id",
      "numer",
      "wazny_od",
      "wazny_do",
      "data_wyd",
      "miejsce_wyd",
      "kto_wyd",
      "typ",
      "rodzaj",
      "typ_dok",
      "typ_dok_grupa",
      "typ_dok2",
      "id_jezyka",
      "id_k",
      "nazwisko_imie",
      "data_wyd_kier",
      "data_zw_kier",
      "id_s",
      "nr_rej",
      "id_realiz",
      "nr_pelny",
      "id_karty",
      "numer_karty",
      "id_d",
      "numer_del",
      "id_fv",
      "numer_fv",
      "id_f",
      "nazwa_firmy",
      "id_status",
      "status",
      "uwagi",
      "uwagi_fr",
      "czy_wykonany",
      "data_wykonania",
      "id_u_wykonal",
      "nazwa_uzytkownika",
      "id_koszt",
      "netto_rozlicz",
      "brutto_rozlicz"}},
    {"VListaDokPlik", {"id", "id_dp", "sciezka", "tabela", "id_"}},
    {"VlistaFirm", {"id", "nazwa"}},
    {"VListaSzablonZlecenia", {"id", "nazwa"}},
    {"vtools", {"typ", "kod", "wartosc", "id_jezyka"}},
};

void PrintTo(const ViewColumns &c, std::ostream *os)
{
    *os << c.view;
}

class ViewShape : public testing::TestWithParam<std::tuple<db::Engine, ViewColumns>>
{};

TEST_P(ViewShape, HasTheColumnsItsReadersUse)
{
    testsupport::ScratchDatabase database(std::get<0>(GetParam()));
    if (!database.available())
        GTEST_SKIP() << "MALVO_TEST_PG is not set";
    suitedb::createOrUpgrade(database.connection());
    const ViewColumns &v = std::get<1>(GetParam());
    db::Query query(&database.connection(), QStringLiteral("select * from %1 where 1 = 0").arg(QLatin1String(v.view)));
    query.open();
    for (const char *column : v.columns)
        EXPECT_TRUE(query.hasField(QString::fromLatin1(column))) << v.view << "." << column;
}

INSTANTIATE_TEST_SUITE_P(Views, ViewShape,
                         testing::Combine(testing::ValuesIn(testsupport::engines()), testing::ValuesIn(Views)),
                         [](const testing::TestParamInfo<std::tuple<db::Engine, ViewColumns>> &info) {
                             return std::string(std::get<0>(info.param) == db::Engine::SQLite ? "SQLite_"
                                                                                              : "PostgreSQL_")
                                 + std::get<1>(info.param).view;
                         });

class CompanyView : public SuiteDbTest
{
protected:
    QVariant field(int company, int language, const char *column)
    {
        db::Query query(&connection(),
                        QStringLiteral("select * from VListaFirmFull where id_jezyka = :id_jezyka and id = :id"));
        query.parameters().setValue(QStringLiteral("id_jezyka"), language);
        query.parameters().setValue(QStringLiteral("id"), company);
        query.open();
        EXPECT_EQ(query.recordCount(), 1);
        if (query.isEmpty())
            return {};
        query.first();
        return query.value(QString::fromLatin1(column));
    }
};

TEST_P(CompanyView, ShowsTheCompanyWithItsDefaultsAndTranslations)
{
    const int status = addDictionaryEntry(connection(), QStringLiteral("klient_rodzaj"), QStringLiteral("test_status"),
                                          QStringLiteral("Stały"), QStringLiteral("Regular"), 0x00FF00);
    const int type = addDictionaryEntry(connection(), QStringLiteral("typ_firmy"), QStringLiteral("test_typ"),
                                        QStringLiteral("Ogólna"), QStringLiteral("General"));
    const Place place = addPlace(connection(), QStringLiteral("Gdańsk"), QStringLiteral("80-001"), QStringLiteral("TQ"),
                                 QStringLiteral("Kwadratowo"), QStringLiteral("Squareland"));
    const int head = addCompany(connection(), QStringLiteral("Centrala SA"));
    const int company = addCompany(connection(), QStringLiteral("Oddział sp. z o.o."),
                                   {{"@status", status},
                                    {"@typ_firmy", type},
                                    {"@id_centrali", head},
                                    {"@nip", "PL5260001246"},
                                    {"@komentarz", QString(150, QLatin1Char('k'))},
                                    {"@komentarz_mod", 1}});
    const int address = call(connection(), "PZapAdres",
                             {{"@id_", company},
                              {"@tabela", 7},
                              {"@id_m", place.city},
                              {"@id_kodu", place.postalCode},
                              {"@ulica", "Morska"},
                              {"@nr_domu", "5"},
                              {"@nr_m", "2"},
                              {"@czy_domyslny", 1}})["@id"]
                            .toInt();
    call(connection(), "PZapAdres", {{"@id_", company}, {"@tabela", 7}, {"@ulica", "Boczna"}, {"@czy_domyslny", 0}});
    call(connection(), "PZapTelefon",
         {{"@id_", company}, {"@tabela", 7}, {"@numer", "fax 1"}, {"@tel_fax", 2}, {"@czy_domysl", 1}});
    call(connection(), "PZapTelefon",
         {{"@id_", company}, {"@tabela", 7}, {"@numer", "+48 58 1"}, {"@tel_fax", 1}, {"@czy_domysl", 1}});
    exec(connection(),
         QStringLiteral("insert into import_powiazania (id_, tabela, import, wartosc_import) values (:id, 7, 15, "
                        "'ANA'), (:id, 7, 10, 'MPK-7')"),
         {{"id", company}});

    EXPECT_EQ(field(company, 1, "nazwa").toString(), QStringLiteral("Oddział sp. z o.o."));
    EXPECT_EQ(field(company, 1, "centrala_sl").toString(), QStringLiteral("Centrala SA"));
    EXPECT_EQ(field(company, 1, "id_centrali").toInt(), head);
    EXPECT_EQ(field(company, 1, "nazwa_statusu").toString(), QStringLiteral("Stały"));
    EXPECT_EQ(field(company, 2, "nazwa_statusu").toString(), QStringLiteral("Regular"));
    EXPECT_EQ(field(company, 1, "status_kolor").toInt(), 0x00FF00);
    EXPECT_EQ(field(company, 2, "nazwa_typu").toString(), QStringLiteral("General"));
    EXPECT_EQ(field(company, 2, "typ_symbol").toString(), QStringLiteral("test_typ"));
    EXPECT_EQ(field(company, 1, "id_adr").toInt(), address);
    EXPECT_EQ(field(company, 1, "ulica").toString(), QStringLiteral("Morska"));
    EXPECT_EQ(field(company, 1, "nr_m").toString(), QStringLiteral("2"));
    EXPECT_EQ(field(company, 1, "kod").toString(), QStringLiteral("80-001"));
    EXPECT_EQ(field(company, 1, "miasto").toString(), QStringLiteral("Gdańsk"));
    EXPECT_EQ(field(company, 1, "sam").toString(), QStringLiteral("TQ"));
    EXPECT_EQ(field(company, 1, "panstwo").toString(), QStringLiteral("Kwadratowo"));
    EXPECT_EQ(field(company, 2, "panstwo").toString(), QStringLiteral("Squareland"));
    EXPECT_EQ(field(company, 1, "numer").toString(), QStringLiteral("+48 58 1"));
    EXPECT_EQ(field(company, 1, "mpk").toString(), QStringLiteral("MPK-7"));
    EXPECT_GT(field(company, 1, "id_mpk").toInt(), 0);
    EXPECT_EQ(field(company, 1, "komentarz_fr").toString().size(), 100);
    EXPECT_EQ(field(company, 1, "limit_nadh").toInt(), 260);
    EXPECT_TRUE(field(head, 1, "centrala_sl").isNull());
    EXPECT_TRUE(field(head, 1, "ulica").isNull());
}

TEST_P(CompanyView, OneRowPerCompanyAndLanguage)
{
    const int languages = count(connection(), QStringLiteral("select count(*) from jezyk"));
    for (int i = 0; i < 4; ++i) {
        const int company = addCompany(connection(), QStringLiteral("Firma %1").arg(i));
        // Rows that could multiply a company: several addresses, phones and cost centres.
        for (int j = 0; j < i; ++j) {
            call(connection(), "PZapAdres", {{"@id_", company}, {"@tabela", 7}, {"@ulica", "U"}, {"@czy_domyslny", 1}});
            call(connection(), "PZapTelefon", {{"@id_", company}, {"@tabela", 7}, {"@numer", "T"}, {"@czy_domysl", 1}});
            exec(connection(),
                 QStringLiteral(
                     "insert into import_powiazania (id_, tabela, import, wartosc_import) values (:id, 7, 10, 'M')"),
                 {{"id", company}});
        }
    }
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from VListaFirmFull where id_jezyka = 1")), 4);
    EXPECT_EQ(count(connection(), QStringLiteral("select count(distinct id) from VListaFirmFull where id_jezyka = 2")),
              4);
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from VListaFirmFull")), 4 * languages);
}

TEST_P(CompanyView, CompanyListStatementFlagsCompaniesWithDocumentFiles)
{
    const int withFile = addCompany(connection(), QStringLiteral("Z plikiem"));
    const int without = addCompany(connection(), QStringLiteral("Bez pliku"));
    const int kind = addDictionaryEntry(connection(), QStringLiteral("dokument_rodzaj"), QStringLiteral("test_kind"),
                                        QStringLiteral("Rodzaj"), QStringLiteral("Kind"));
    const int document = call(connection(), "PZapDokument", {{"@rodzaj", kind}, {"@id_f", withFile}})["@id"].toInt();
    ASSERT_EQ(call(connection(), "PZapDokPlik", {{"@sciezka", "a\\b.pdf"}, {"@tabela", 28}, {"@id_", document}}).result,
              0);
    const QString list =
        QStringLiteral("select * from (select f.*, id as nr_id_firmy, case when dok_v.id_dok IS not null then 1 else 0 "
                       "end as czy_posiada_dok"
                       " from VListaFirmFull f"
                       " left join (select id_f from firma_grupa fg inner join slowwartosci sw on fg.grupa = "
                       "sw.id_wartosci and sw.grupa = 4) as fg"
                       " on fg.id_f=f.id"
                       " left join ( select max(id_dok) as id_dok, dd.id_f from dokument dd left join dokument_plik dp "
                       "on dd.id_dok = dp.id_"
                       " where dp.tabela = 28 group by dd.id_f ) as dok_v on dok_v.id_f = f.id"
                       " where f.id_jezyka=:id_jezyka and fg.id_f is null) as firm order by nazwa ASC");
    db::Query query(&connection(), list);
    query.parameters().setValue(QStringLiteral("id_jezyka"), 1);
    query.open();
    ASSERT_EQ(query.recordCount(), 2);
    ASSERT_TRUE(query.locate(QStringLiteral("id"), withFile));
    EXPECT_EQ(query.value(QStringLiteral("czy_posiada_dok")).toInt(), 1);
    ASSERT_TRUE(query.locate(QStringLiteral("id"), without));
    EXPECT_EQ(query.value(QStringLiteral("czy_posiada_dok")).toInt(), 0);
    EXPECT_EQ(query.value(QStringLiteral("nr_id_firmy")).toInt(), without);
}

MALVO_INSTANTIATE_FOR_ENGINES(CompanyView);

class DictionaryView : public SuiteDbTest
{};

TEST_P(DictionaryView, EntriesAreTranslatedPerLanguageOrShowTheirIdentifier)
{
    const int translated = addDictionaryEntry(connection(), QStringLiteral("test_typ"), QStringLiteral("test_pozycja"),
                                              QStringLiteral("Pozycja"), QStringLiteral("Item"));
    exec(connection(),
         QStringLiteral("insert into slowwartosci (typ_slownika, nazwa_parametru, grupa, wartosc, system)"
                        " values ('test_typ', 'nazwa', 0, 'bez_tlumaczenia', 0)"));
    const QString select =
        QStringLiteral("select wartosc from VListaPozSlownika where typ_slownika = :t and id_jezyka = :j"
                       " and nazwa_parametru = 'nazwa' order by wartosc");
    auto texts = [&](int language) {
        db::Query q(&connection(), select);
        q.parameters().setValue(QStringLiteral("t"), QStringLiteral("test_typ"));
        q.parameters().setValue(QStringLiteral("j"), language);
        q.open();
        QStringList out;
        for (q.first(); !q.eof(); q.next())
            out.append(q.value(0).toString());
        return out;
    };
    EXPECT_EQ(texts(1), (QStringList{QStringLiteral("bez_tlumaczenia"), QStringLiteral("Pozycja")}));
    EXPECT_EQ(texts(2), (QStringList{QStringLiteral("bez_tlumaczenia"), QStringLiteral("Item")}));
    EXPECT_EQ(scalar(connection(),
                     QStringLiteral("select id from VListaPozSlownika where wartosc = 'ITEM' and id_jezyka = 2"))
                  .toInt(),
              translated);
}

TEST_P(DictionaryView, PairsOfADocumentKindAreJoined)
{
    exec(connection(),
         QStringLiteral("insert into slowwartosci (typ_slownika, nazwa_parametru, grupa, wartosc, system)"
                        " values ('test_para', 'nazwa', 7, 'Licencja testowa', 0), ('test_para', 'skrot', 7, 'LT', 0),"
                        " ('test_para', 'nazwa', 8, 'Bez skrótu', 0)"));
    const QString select = QStringLiteral("select wartosc2 from VListaPozSlownika2 where typ_slownika = 'test_para'"
                                          " and id_jezyka = 1 and wartosc1 = :w");
    EXPECT_EQ(scalar(connection(), select, {{"w", "Licencja testowa"}}).toString(), QStringLiteral("LT"));
    EXPECT_EQ(scalar(connection(), select, {{"w", "Bez skrótu"}}).toString(), QString());
    EXPECT_EQ(count(connection(),
                    QStringLiteral(
                        "select count(*) from VListaPozSlownika2 where typ_slownika = 'test_para' and id_jezyka = 1")),
              2);
}

TEST_P(DictionaryView, PhoneKindsReadBothWays)
{
    const int company = addCompany(connection(), QStringLiteral("Telefony"));
    call(connection(), "PZapTelefon", {{"@id_", company}, {"@tabela", 7}, {"@numer", "1"}, {"@tel_fax", 3}});
    EXPECT_EQ(scalar(connection(),
                     QStringLiteral("select tel_fax_slownie from VListaTelefonow where id_ = :id and id_jezyka = 2"),
                     {{"id", company}})
                  .toString(),
              QStringLiteral("phone/fax"));
    EXPECT_EQ(scalar(connection(),
                     QStringLiteral("select kod from vtools where typ = 'telefon_tel_fax' and id_jezyka = 1"
                                    " and wartosc = :w"),
                     {{"w", "FAX"}})
                  .toInt(),
              2);
}

MALVO_INSTANTIATE_FOR_ENGINES(DictionaryView);

} // namespace
} // namespace suitedbtest
