#include "suitedb_fixture.h"

#include "db_error.h"
#include "stored_proc.h"
#include "suitedb.h"

namespace suitedbtest {
namespace {

class Schema : public SuiteDbTest
{};

// A second run keeps data, seeds or registers nothing twice and brings back the program's message
// texts; a database of a newer program is refused.
TEST_P(Schema, SecondRunKeepsDataAndRestoresMessageTexts)
{
    const int company = addCompany("Trwała sp. z o.o.");
    const int languages = count("select count(*) from jezyk");
    const int entries = count("select count(*) from slowwartosci");
    const QString key = "Resstrings_IDS_firma_wlasna";
    exec("update resstrings set tekst = :t where klucz = :k", {{"k", key}, {"t", "stary tekst"}});
    exec("delete from resstrings where klucz = :k and id_jezyka = 2", {{"k", key}});

    suitedb::createOrUpgrade(connection());

    EXPECT_EQ(suitedb::schemaVersion(connection()), suitedb::currentSchemaVersion());
    EXPECT_EQ(count("select count(*) from firma where id_f = :id", {{"id", company}}), 1);
    EXPECT_EQ(count("select count(*) from jezyk"), languages);
    EXPECT_EQ(count("select count(*) from slowwartosci"), entries);
    EXPECT_EQ(count("select count(*) from schema_version"), 1);
    EXPECT_EQ(count("select count(*) from resstrings where tekst = 'stary tekst'"), 0);
    EXPECT_EQ(count("select count(*) from resstrings where klucz = :k", {{"k", key}}), 2);
    const auto before = db::ProcedureRegistry::instance().names();
    suitedb::registerProcedures();
    EXPECT_EQ(db::ProcedureRegistry::instance().names(), before);

    exec("update schema_version set wersja = :v", {{"v", suitedb::currentSchemaVersion() + 1}});
    EXPECT_THROW(suitedb::createOrUpgrade(connection()), db::DbError);
}

// The server compares names without case and orders them as a Polish reader expects; an
// owner's second default address is refused by the table itself.
TEST_P(Schema, ColumnsAndIndexesKeepTheirRules)
{
    for (const char *name : {"Żuraw", "zebra", "Łoś", "lody", "Ćma", "cyna", "ąbel", "Abel"})
        addCompany(name);
    const QStringList names = strings("select nazwa from firma order by nazwa");
    EXPECT_EQ(names.join(' '), "Abel ąbel cyna Ćma lody Łoś zebra Żuraw");
    EXPECT_EQ(strings("select nazwa from firma where nazwa = :n or nazwa like :l order by nazwa",
                      {{"n", "żURAW"}, {"l", "łO%"}}),
              (QStringList{"Łoś", "Żuraw"}));

    const QString insert = "insert into adres (id_, tabela, ulica, czy_domyslny) values (:id, 7, 'A', 1)";
    exec(insert, {{"id", 1}});
    EXPECT_THROW(exec(insert, {{"id", 1}}), db::DbError);
}

MALVO_INSTANTIATE_FOR_ENGINES(Schema);

} // namespace
} // namespace suitedbtest
