#include "suitedb_fixture.h"

#include "suitedb.h"

namespace suitedbtest {
namespace {

class ListSettings : public SuiteDbTest
{
protected:
    int saveColumn(const char *menu, const char *field, int position, int width)
    {
        return call("zap_ust",
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
    int columnsSaved(const char *module, int user)
    {
        return call("pob_ust2", {{"@form", "Tlista_firm_form"}, {"@kod_dll", module}, {"@id_u", user}})
            .ok("@ile")
            .toInt();
    }
};

// Keys are required, and other users and modules are kept apart.
TEST_P(ListSettings, SavingTheSameKeyReplacesTheRecord)
{
    EXPECT_EQ(call("zap_ust", {{"@id_u", 1}, {"@typ", "TColumn"}}).result, suitedb::ResultMissingValue);
    EXPECT_EQ(call("pob_ust2", {{"@kod_dll", "partners.dll"}, {"@id_u", 1}}).result, suitedb::ResultMissingValue);
    EXPECT_EQ(count("select count(*) from ust_form"), 0);
    ASSERT_EQ(saveColumn("ramka", "nazwa", 0, 100), 0);
    ASSERT_EQ(saveColumn("ramka", "nazwa", 2, 180), 0);
    ASSERT_EQ(saveColumn("ramka", "skrot", 1, 80), 0);
    ASSERT_EQ(saveColumn("druga_ramka", "nazwa", 0, 50), 0);

    EXPECT_EQ(columnsSaved("partners.dll", 1), 3);

    EXPECT_EQ(strings("select nazwa || ':' || szerokosc from ust_form where formularz = 'Tlista_firm_form'"
                      " and kod_dll = 'partners.dll' and id_u = 1 and menu = 'ramka' order by kolejnosc"),
              (QStringList{"skrot:80", "nazwa:180"}));
    EXPECT_EQ(columnsSaved("partners.dll", 2), 0);
    EXPECT_EQ(columnsSaved("orders.dll", 1), 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(ListSettings);

} // namespace
} // namespace suitedbtest
