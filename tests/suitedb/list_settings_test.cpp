#include "suitedb_fixture.h"

#include "connection.h"
#include "query.h"
#include "suitedb.h"

#include <gtest/gtest.h>

namespace suitedbtest {
namespace {

class ListSettings : public SuiteDbTest
{
protected:
    int saveColumn(const char *menu, const char *field, int position, int width)
    {
        return call(connection(), "zap_ust",
                    {{"@form", "Tlista_firm_form"},
                     {"@id_u", 1},
                     {"@kod_dll", "partners.dll"},
                     {"@menu", menu},
                     {"@typ", "TColumn"},
                     {"@nazwa", field},
                     {"@kolejnosc", position},
                     {"@napis", "Resstrings_IDS_Nazwa"},
                     {"@czy_widoczny", 1},
                     {"@wyrownanie", 0},
                     {"@szer", width}})
            .result;
    }
};

TEST_P(ListSettings, SavingTheSameKeyReplacesTheRecord)
{
    ASSERT_EQ(saveColumn("ramka", "nazwa", 0, 100), 0);
    ASSERT_EQ(saveColumn("ramka", "nazwa", 2, 180), 0);
    ASSERT_EQ(saveColumn("ramka", "skrot", 1, 80), 0);
    ASSERT_EQ(saveColumn("druga_ramka", "nazwa", 0, 50), 0);

    const Call read =
        call(connection(), "pob_ust2", {{"@form", "Tlista_firm_form"}, {"@kod_dll", "partners.dll"}, {"@id_u", 1}});
    ASSERT_EQ(read.result, 0);
    EXPECT_EQ(read["@ile"].toInt(), 3);

    db::Query rows(&connection(),
                   QStringLiteral("select * from ust_form where formularz = :form and kod_dll = :kod_dll"
                                  " and id_u = :id_u order by typ, menu, kolejnosc"));
    rows.parameters().setValue(QStringLiteral("form"), QStringLiteral("Tlista_firm_form"));
    rows.parameters().setValue(QStringLiteral("kod_dll"), QStringLiteral("partners.dll"));
    rows.parameters().setValue(QStringLiteral("id_u"), 1);
    rows.open();
    rows.setFilter(QStringLiteral("menu = 'ramka'"));
    ASSERT_EQ(rows.recordCount(), 2);
    rows.first();
    EXPECT_EQ(rows.value(QStringLiteral("nazwa")).toString(), QStringLiteral("skrot"));
    rows.next();
    EXPECT_EQ(rows.value(QStringLiteral("nazwa")).toString(), QStringLiteral("nazwa"));
    EXPECT_EQ(rows.value(QStringLiteral("szerokosc")).toInt(), 180);
}

TEST_P(ListSettings, OtherUsersAndModulesAreApart)
{
    ASSERT_EQ(saveColumn("ramka", "nazwa", 0, 100), 0);
    EXPECT_EQ(call(connection(), "pob_ust2",
                   {{"@form", "Tlista_firm_form"}, {"@kod_dll", "partners.dll"}, {"@id_u", 2}})["@ile"]
                  .toInt(),
              0);
    EXPECT_EQ(call(connection(), "pob_ust2",
                   {{"@form", "Tlista_firm_form"}, {"@kod_dll", "orders.dll"}, {"@id_u", 1}})["@ile"]
                  .toInt(),
              0);
}

TEST_P(ListSettings, MissingKeysAreRefused)
{
    EXPECT_EQ(call(connection(), "zap_ust", {{"@id_u", 1}, {"@typ", "TColumn"}}).result, suitedb::ResultMissingValue);
    EXPECT_EQ(call(connection(), "pob_ust2", {{"@kod_dll", "partners.dll"}, {"@id_u", 1}}).result,
              suitedb::ResultMissingValue);
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from ust_form")), 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(ListSettings);

} // namespace
} // namespace suitedbtest
