// Rules of the company, address, account, document, setting and list-setting procedures
// beyond the shared save convention.
#include "suitedb_fixture.h"

#include "suitedb.h"

namespace suitedbtest {
namespace {

class CompanySave : public SuiteDbTest
{
protected:
    void SetUp() override
    {
        SuiteDbTest::SetUp();
        if (!IsSkipped())
            m_company = addCompany("Firma");
    }

    int address(int isDefault, QVariant id = {}, int owner = 0)
    {
        return call("PZapAdres",
                    {{"@id", id},
                     {"@id_", owner ? owner : m_company},
                     {"@tabela", 7},
                     {"@ulica", "Ulica"},
                     {"@czy_domyslny", isDefault}})
            .ok("@id")
            .toInt();
    }
    // The default address of an owner, or -1 when it has not exactly one.
    int defaultOf(int owner)
    {
        const QString where = " from adres where tabela = 7 and id_ = :o and czy_domyslny = 1";
        if (count("select count(*)" + where, {{"o", owner}}) != 1)
            return -1;
        return scalar("select id_adr" + where, {{"o", owner}}).toInt();
    }
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

    int m_company = 0;
};

TEST_P(CompanySave, MemoChangesOnlyWhenItsModFlagIsSet)
{
    for (const auto &[memo, mod] : {std::pair{"@uwagi", "@uwagi_mod"}, std::pair{"@komentarz", "@komentarz_mod"}}) {
        const QString select = QString("select %1 from firma where id_f = :id").arg(memo + 1);
        for (const auto &[text, flag, kept] :
             {std::tuple{"pierwsza", 1, "pierwsza"}, std::tuple{"druga", 0, "pierwsza"},
              std::tuple{"trzecia", 1, "trzecia"}}) {
            EXPECT_EQ(call("PZapFirmeFull", {{"@id", m_company}, {"@nazwa", "M"}, {memo, text}, {mod, flag}}).result,
                      0);
            EXPECT_EQ(scalar(select, {{"id", m_company}}).toString(), kept) << memo;
        }
    }
}

TEST_P(CompanySave, NullsTakeTheDocumentedDefaultsAndBadNamesOrHeadOfficesAreRefused)
{
    EXPECT_EQ(count("select count(*) from firma where id_f = :id and limit_nadh = 260"
                    " and dodatkowe_wolne = 7 and aktywna = 1 and bus = 0"
                    " and limit_kredytowy = 0 and w_synchronizacji = 0",
                    {{"id", m_company}}),
              1);
    EXPECT_EQ(call("PZapFirmeFull", {{"@nazwa", "  "}}).result, suitedb::ResultMissingValue);
    EXPECT_EQ(call("PZapFirmeFull", {{"@id", m_company}, {"@nazwa", "C"}, {"@id_centrali", m_company}}).result,
              suitedb::ResultMissingValue);
    EXPECT_EQ(call("PZapFirmeFull", {{"@nazwa", "Oddział"}, {"@id_centrali", m_company + 1000}}).result,
              suitedb::ResultMissingValue);
    EXPECT_EQ(count("select count(*) from firma"), 1);
}

TEST_P(CompanySave, EachOwnerKeepsExactlyOneDefaultAddressAndActiveAccount)
{
    const int first = address(0);
    EXPECT_EQ(defaultOf(m_company), first); // even when not asked
    const int second = address(0);
    EXPECT_EQ(defaultOf(m_company), first);
    address(1, second);
    EXPECT_EQ(defaultOf(m_company), second);
    address(1, first);
    EXPECT_EQ(defaultOf(m_company), first);
    const int third = address(1);
    EXPECT_EQ(defaultOf(m_company), third);
    address(0, third); // the only default cannot be unset
    EXPECT_EQ(defaultOf(m_company), third);
    // Owners do not share the flag; moving the default away leaves the old owner one.
    const int mine = addCompany("Moja");
    const int other = addCompany("Inna");
    const int moved = address(1, {}, mine);
    const int stays = address(0, {}, mine);
    const int theirs = address(1, {}, other);
    EXPECT_EQ(defaultOf(mine), moved);
    EXPECT_EQ(defaultOf(other), theirs);
    address(1, moved, other);
    EXPECT_EQ(defaultOf(mine), stays);
    EXPECT_EQ(defaultOf(m_company), third);
    EXPECT_EQ(defaultOf(other), moved);

    // One active default account per owner.
    auto save = [&](int active) {
        return call("PZapKonto",
                    {{"@id_", m_company},
                     {"@tabela", 7},
                     {"@nr_konta", "11 2222"},
                     {"@czy_domyslne", 1},
                     {"@aktywne", active}})
            .ok("@id")
            .toInt();
    };
    const QString defaults = "select id_konta from konto where id_ = :o and czy_domyslne = 1";
    const int account = save(1);
    save(0);
    EXPECT_EQ(strings(defaults, {{"o", m_company}}), QStringList{QString::number(account)});
    const int later = save(1);
    EXPECT_EQ(strings(defaults, {{"o", m_company}}), QStringList{QString::number(later)});
}

TEST_P(CompanySave, DocumentKeepsUntouchedRemarksAndStampsDone)
{
    const int kind = addDictionaryEntry("dokument_rodzaj", "test_kind", "Rodzaj", "Kind");
    const Call inserted = call("PZapDokument", {{"@rodzaj", kind}, {"@uwagi", "ważne"}, {"@id_u", 1}});
    ASSERT_EQ(inserted.result, 0);
    const int id = inserted["@id"].toInt();
    ASSERT_EQ(
        call("PZapDokument", {{"@id", id}, {"@rodzaj", kind}, {"@uwagi", "inne"}, {"@czy_wykonany", 1}, {"@id_u", 1}})
            .result,
        0);
    EXPECT_EQ(count("select count(*) from dokument where id_dok = :id and uwagi = :u and czy_wykonany = 1"
                    " and data_wykonania is not null and id_u_wykonal = 1",
                    {{"id", id}, {"u", "ważne"}}),
              1);
    EXPECT_EQ(call("PZapDokument", {{"@numer", "bez rodzaju"}}).result, suitedb::ResultMissingValue);
}

TEST_P(CompanySave, SettingsKeepOneRowPerKeyWithNullsAsKeys)
{
    for (const auto &[value, user] :
         {std::pair{"1", QVariant()}, std::pair{"0", QVariant()}, std::pair{"1", QVariant(3)}})
        EXPECT_EQ(call("PZapUst4",
                       {{"@id_u_kto", 1},
                        {"@co", "sp_data_kursu_auto"},
                        {"@wartosc", value},
                        {"@kod", "SP"},
                        {"@id_f", m_company},
                        {"@id_u", user}})
                      .result,
                  0);
    EXPECT_EQ(strings("select coalesce(cast(id_u as text), '-') || wartosc from ustawienia where kod = "
                      "'SP' and co = 'sp_data_kursu_auto' and id_f = :f order by coalesce(id_u, 0)",
                      {{"f", m_company}}),
              (QStringList{"-0", "31"}));
}

// Keys are required, and other users and modules are kept apart.
TEST_P(CompanySave, ListSettingsOfTheSameKeyReplaceTheRecord)
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

MALVO_INSTANTIATE_FOR_ENGINES(CompanySave);

} // namespace
} // namespace suitedbtest
