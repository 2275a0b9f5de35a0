// Rules of the company, address, account, document and setting procedures
// beyond the shared save convention.
#include "suitedb_fixture.h"

#include "connection.h"
#include "suitedb.h"

#include <gtest/gtest.h>

namespace suitedbtest {
namespace {

class CompanySave : public SuiteDbTest
{};

TEST_P(CompanySave, MemoChangesOnlyWhenItsModFlagIsSet)
{
    for (const auto &[memo, mod] : {std::pair{"@uwagi", "@uwagi_mod"}, std::pair{"@komentarz", "@komentarz_mod"}}) {
        const QString column = QString::fromLatin1(memo + 1);
        const int id = addCompany(connection(), QStringLiteral("Memo"), {{memo, "pierwsza"}, {mod, 1}});
        const QString select = QStringLiteral("select %1 from firma where id_f = :id").arg(column);
        EXPECT_EQ(scalar(connection(), select, {{"id", id}}).toString(), QStringLiteral("pierwsza")) << memo;

        EXPECT_EQ(
            call(connection(), "PZapFirmeFull", {{"@id", id}, {"@nazwa", "Memo"}, {memo, "druga"}, {mod, 0}}).result,
            0);
        EXPECT_EQ(scalar(connection(), select, {{"id", id}}).toString(), QStringLiteral("pierwsza")) << memo;

        EXPECT_EQ(
            call(connection(), "PZapFirmeFull", {{"@id", id}, {"@nazwa", "Memo"}, {memo, "trzecia"}, {mod, 1}}).result,
            0);
        EXPECT_EQ(scalar(connection(), select, {{"id", id}}).toString(), QStringLiteral("trzecia")) << memo;
    }
}

TEST_P(CompanySave, NullsTakeTheDocumentedDefaults)
{
    const int id = addCompany(connection(), QStringLiteral("Domyślna"));
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(*) from firma where id_f = :id and limit_nadh = 260"
                                   " and dodatkowe_wolne = 7 and aktywna = 1 and bus = 0"
                                   " and limit_kredytowy = 0 and w_synchronizacji = 0"),
                    {{"id", id}}),
              1);
}

TEST_P(CompanySave, RefusesMissingNameAndImpossibleHeadOffice)
{
    EXPECT_EQ(call(connection(), "PZapFirmeFull", {{"@nazwa", "  "}}).result, suitedb::ResultMissingValue);
    const int id = addCompany(connection(), QStringLiteral("Centrala"));
    EXPECT_EQ(call(connection(), "PZapFirmeFull", {{"@id", id}, {"@nazwa", "Centrala"}, {"@id_centrali", id}}).result,
              suitedb::ResultMissingValue);
    EXPECT_EQ(call(connection(), "PZapFirmeFull", {{"@nazwa", "Oddział"}, {"@id_centrali", id + 1000}}).result,
              suitedb::ResultMissingValue);
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from firma")), 1);
}

MALVO_INSTANTIATE_FOR_ENGINES(CompanySave);

class AddressDefault : public SuiteDbTest
{
protected:
    void SetUp() override
    {
        SuiteDbTest::SetUp();
        if (IsSkipped())
            return;
        m_company = addCompany(connection(), QStringLiteral("Adresowa"));
    }

    int save(int isDefault, QVariant id = {}, int owner = 0)
    {
        const Call c = call(connection(), "PZapAdres",
                            {{"@id", id},
                             {"@id_", owner ? owner : m_company},
                             {"@tabela", 7},
                             {"@ulica", "Ulica"},
                             {"@czy_domyslny", isDefault}});
        EXPECT_EQ(c.result, 0);
        return c["@id"].toInt();
    }
    int defaultOf(int owner)
    {
        return scalar(connection(),
                      QStringLiteral("select id_adr from adres where tabela = 7 and id_ = :o and czy_domyslny = 1"),
                      {{"o", owner}})
            .toInt();
    }
    int defaults(int owner)
    {
        return count(connection(),
                     QStringLiteral("select count(*) from adres where tabela = 7 and id_ = :o and czy_domyslny = 1"),
                     {{"o", owner}});
    }

    int m_company = 0;
};

TEST_P(AddressDefault, FirstAddressBecomesDefaultEvenWhenNotAsked)
{
    const int first = save(0);
    EXPECT_EQ(defaultOf(m_company), first);
    save(0);
    EXPECT_EQ(defaultOf(m_company), first);
}

TEST_P(AddressDefault, NewDefaultClearsThePreviousOne)
{
    save(1);
    const int second = save(1);
    EXPECT_EQ(defaults(m_company), 1);
    EXPECT_EQ(defaultOf(m_company), second);
}

TEST_P(AddressDefault, UpdatingAnotherAddressToDefaultMovesTheFlag)
{
    const int first = save(1);
    const int second = save(0);
    save(1, second);
    EXPECT_EQ(defaultOf(m_company), second);
    save(1, first);
    EXPECT_EQ(defaultOf(m_company), first);
    EXPECT_EQ(defaults(m_company), 1);
}

TEST_P(AddressDefault, TheOnlyDefaultCannotBeUnset)
{
    const int first = save(1);
    save(0);
    save(0, first);
    EXPECT_EQ(defaultOf(m_company), first);
}

TEST_P(AddressDefault, OwnersDoNotShareTheFlag)
{
    const int other = addCompany(connection(), QStringLiteral("Inna"));
    const int mine = save(1);
    const int theirs = save(1, {}, other);
    EXPECT_EQ(defaultOf(m_company), mine);
    EXPECT_EQ(defaultOf(other), theirs);
}

TEST_P(AddressDefault, MovingTheDefaultToAnotherOwnerLeavesTheOldOwnerADefault)
{
    const int other = addCompany(connection(), QStringLiteral("Inna"));
    const int moved = save(1);
    const int stays = save(0);
    save(1, moved, other);
    EXPECT_EQ(defaultOf(m_company), stays);
    EXPECT_EQ(defaultOf(other), moved);
}

MALVO_INSTANTIATE_FOR_ENGINES(AddressDefault);

class AccountSave : public SuiteDbTest
{};

TEST_P(AccountSave, OneActiveDefaultPerOwner)
{
    const int company = addCompany(connection(), QStringLiteral("Kontowa"));
    auto save = [&](int isDefault, int active) {
        const Call c = call(connection(), "PZapKonto",
                            {{"@id_", company},
                             {"@tabela", 7},
                             {"@nr_konta", "11 2222"},
                             {"@czy_domyslne", isDefault},
                             {"@aktywne", active}});
        EXPECT_EQ(c.result, 0);
        return c["@id"].toInt();
    };
    const int first = save(1, 1);
    const int inactive = save(1, 0);
    const QString defaults =
        QStringLiteral("select id_konta from konto where id_ = :o and tabela = 7 and czy_domyslne = 1");
    EXPECT_EQ(scalar(connection(), defaults, {{"o", company}}).toInt(), first);
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(*) from konto where id_konta = :id and czy_domyslne = 0"),
                    {{"id", inactive}}),
              1);
    const int second = save(1, 1);
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from konto where id_ = :o and czy_domyslne = 1"),
                    {{"o", company}}),
              1);
    EXPECT_EQ(scalar(connection(), defaults, {{"o", company}}).toInt(), second);
}

MALVO_INSTANTIATE_FOR_ENGINES(AccountSave);

class DocumentSave : public SuiteDbTest
{};

TEST_P(DocumentSave, UntouchedRemarksStayAndDoneIsStamped)
{
    const int kind = addDictionaryEntry(connection(), QStringLiteral("dokument_rodzaj"), QStringLiteral("test_kind"),
                                        QStringLiteral("Rodzaj"), QStringLiteral("Kind"));
    const Call inserted = call(connection(), "PZapDokument", {{"@rodzaj", kind}, {"@uwagi", "ważne"}, {"@id_u", 1}});
    ASSERT_EQ(inserted.result, 0);
    const int id = inserted["@id"].toInt();
    ASSERT_EQ(call(connection(), "PZapDokument",
                   {{"@id", id}, {"@rodzaj", kind}, {"@uwagi", "inne"}, {"@czy_wykonany", 1}, {"@id_u", 1}})
                  .result,
              0);
    EXPECT_EQ(
        scalar(connection(), QStringLiteral("select uwagi from dokument where id_dok = :id"), {{"id", id}}).toString(),
        QStringLiteral("ważne"));
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(*) from dokument where id_dok = :id and czy_wykonany = 1"
                                   " and data_wykonania is not null and id_u_wykonal = 1"),
                    {{"id", id}}),
              1);
    EXPECT_EQ(call(connection(), "PZapDokument", {{"@numer", "bez rodzaju"}}).result, suitedb::ResultMissingValue);
}

MALVO_INSTANTIATE_FOR_ENGINES(DocumentSave);

class SettingSave : public SuiteDbTest
{};

TEST_P(SettingSave, OneRowPerKeyWithNullsAsKeys)
{
    const int company = addCompany(connection(), QStringLiteral("Ustawienia"));
    auto save = [&](const char *value, QVariant user) {
        EXPECT_EQ(call(connection(), "PZapUst4",
                       {{"@id_u_kto", 1},
                        {"@co", "sp_data_kursu_auto"},
                        {"@wartosc", value},
                        {"@kod", "SP"},
                        {"@id_f", company},
                        {"@id_u", user}})
                      .result,
                  0);
    };
    save("1", {});
    save("0", {});
    save("1", 3);
    const QString rows = QStringLiteral("select count(*) from ustawienia where kod = 'SP' and co = 'sp_data_kursu_auto'"
                                        " and id_f = :f");
    EXPECT_EQ(count(connection(), rows, {{"f", company}}), 2);
    EXPECT_EQ(scalar(connection(),
                     QStringLiteral("select wartosc from ustawienia where kod = 'SP' and id_f = :f and id_u is null"),
                     {{"f", company}})
                  .toString(),
              QStringLiteral("0"));
}

MALVO_INSTANTIATE_FOR_ENGINES(SettingSave);

} // namespace
} // namespace suitedbtest
