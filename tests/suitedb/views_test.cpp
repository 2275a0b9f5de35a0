#include "suitedb_fixture.h"

#include "query.h"
#include "suitedb.h"

#include <tuple>

namespace suitedbtest {
namespace {

class Views : public SuiteDbTest
{
protected:
    QVariant field(int company, int language, const char *column)
    {
        return scalar(QString("select %1 from VListaFirmFull where id_jezyka = :j and id = :id").arg(column),
                      {{"j", language}, {"id", company}});
    }
};

// SQLite accepts a view naming a missing column and fails only when it is read.
TEST_P(Views, EveryViewOfTheSchemaCanBeRead)
{
    const QStringList views =
        strings(connection().engine() == db::Engine::SQLite ? "select name from sqlite_master where type = 'view'"
                                                            : "select table_name from information_schema.views"
                                                              " where table_schema = current_schema()");
    EXPECT_GE(views.size(), 20);
    for (const QString &view : views) {
        db::Query query(&connection(), QString("select * from %1 where 1 = 0").arg(view));
        EXPECT_NO_THROW(query.open()) << view.toStdString();
    }
}

TEST_P(Views, CompanyViewShowsTheCompanyWithItsDefaultsAndTranslations)
{
    const int status = addDictionaryEntry("klient_rodzaj", "test_status", "Stały", "Regular", 0x00FF00);
    const int type = addDictionaryEntry("typ_firmy", "test_typ", "Ogólna", "General");
    const Place place = addPlace("Gdańsk", "80-001", "TQ", "Kwadratowo", "Squareland");
    const int head = addCompany("Centrala SA");
    const int company = addCompany("Oddział sp. z o.o.",
                                   {{"@status", status},
                                    {"@typ_firmy", type},
                                    {"@id_centrali", head},
                                    {"@nip", "PL5260001246"},
                                    {"@komentarz", QString(150, 'k')},
                                    {"@komentarz_mod", 1}});
    exec("insert into adres (id_, tabela, id_m, id_kodu, ulica, nr_domu, nr_m, czy_domyslny)"
         " values (:f, 7, :m, :k, 'Morska', '5', '2', 1)",
         {{"f", company}, {"m", place.city}, {"k", place.postalCode}});
    const int address = scalar("select id_adr from adres where ulica = 'Morska'").toInt();
    call("PZapAdres", {{"@id_", company}, {"@tabela", 7}, {"@ulica", "Boczna"}, {"@czy_domyslny", 0}});
    call("PZapTelefon", {{"@id_", company}, {"@tabela", 7}, {"@numer", "fax 1"}, {"@tel_fax", 2}, {"@czy_domysl", 1}});
    call("PZapTelefon",
         {{"@id_", company}, {"@tabela", 7}, {"@numer", "+48 58 1"}, {"@tel_fax", 1}, {"@czy_domysl", 1}});
    call("PZapTelefon", {{"@id_", company}, {"@tabela", 7}, {"@numer", "+48 58 2"}, {"@tel_fax", 1}});
    exec("insert into import_powiazania (id_, tabela, import, wartosc_import) values (:id, 7, 15, "
         "'ANA'), (:id, 7, 10, 'MPK-7'), (:id, 7, 10, 'MPK-7')",
         {{"id", company}});

    // language, column, value
    const std::tuple<int, const char *, QVariant> expected[] = {
        {1, "nazwa", "Oddział sp. z o.o."},
        {1, "centrala_sl", "Centrala SA"},
        {1, "id_centrali", head},
        {1, "nazwa_statusu", "Stały"},
        {2, "nazwa_statusu", "Regular"},
        {1, "status_kolor", 0x00FF00},
        {2, "nazwa_typu", "General"},
        {2, "typ_symbol", "test_typ"},
        {1, "id_adr", address},
        {1, "ulica", "Morska"},
        {1, "nr_m", "2"},
        {1, "kod", "80-001"},
        {1, "miasto", "Gdańsk"},
        {1, "sam", "TQ"},
        {1, "panstwo", "Kwadratowo"},
        {2, "panstwo", "Squareland"},
        {1, "numer", "+48 58 1"},
        {1, "mpk", "MPK-7"},
    };
    for (const auto &[language, column, value] : expected)
        EXPECT_EQ(field(company, language, column).toString(), value.toString()) << column << language;
    EXPECT_GT(field(company, 1, "id_mpk").toInt(), 0);
    EXPECT_EQ(field(company, 1, "komentarz_fr").toString().size(), 100);
    EXPECT_TRUE(field(head, 1, "centrala_sl").isNull());
    EXPECT_TRUE(field(head, 1, "ulica").isNull());
    // Several addresses, phones and cost centres do not multiply a company.
    EXPECT_EQ(count("select count(*) from VListaFirmFull where id = :id", {{"id", company}}),
              count("select count(*) from jezyk"));
    EXPECT_EQ(count("select count(distinct id) from VListaFirmFull where id_jezyka = 2"), 2);
}

TEST_P(Views, DictionaryViewsTranslateEntriesJoinPairsAndReadPhoneKindsBothWays)
{
    const int translated = addDictionaryEntry("test_typ", "test_pozycja", "Pozycja", "Item");
    exec("insert into slowwartosci (typ_slownika, nazwa_parametru, grupa, wartosc, system)"
         " values ('test_typ', 'nazwa', 0, 'bez_tlumaczenia', 0)");
    const auto texts = [&](int language) {
        return strings("select wartosc from VListaPozSlownika where typ_slownika = 'test_typ'"
                       " and id_jezyka = :j and nazwa_parametru = 'nazwa' order by wartosc",
                       {{"j", language}});
    };
    EXPECT_EQ(texts(1), (QStringList{"bez_tlumaczenia", "Pozycja"}));
    EXPECT_EQ(texts(2), (QStringList{"bez_tlumaczenia", "Item"}));
    EXPECT_EQ(scalar("select id from VListaPozSlownika where wartosc = 'ITEM' and id_jezyka = 2").toInt(), translated);
    exec("insert into slowwartosci (typ_slownika, nazwa_parametru, grupa, wartosc, system)"
         " values ('test_para', 'nazwa', 7, 'Licencja testowa', 0), ('test_para', 'skrot', 7, 'LT', 0),"
         " ('test_para', 'nazwa', 8, 'Bez skrótu', 0)");
    EXPECT_EQ(strings("select wartosc2 from VListaPozSlownika2 where typ_slownika = 'test_para'"
                      " and id_jezyka = 1 order by wartosc1"),
              (QStringList{QString(), "LT"}));
    const int company = addCompany("Telefony");
    call("PZapTelefon", {{"@id_", company}, {"@tabela", 7}, {"@numer", "1"}, {"@tel_fax", 3}});
    EXPECT_EQ(scalar("select tel_fax_slownie from VListaTelefonow where id_ = :id and id_jezyka = 2", {{"id", company}})
                  .toString(),
              "phone/fax");
    EXPECT_EQ(scalar("select kod from vtools where typ = 'telefon_tel_fax' and id_jezyka = 1"
                     " and wartosc = :w",
                     {{"w", "FAX"}})
                  .toInt(),
              2);
}

MALVO_INSTANTIATE_FOR_ENGINES(Views);

} // namespace
} // namespace suitedbtest
