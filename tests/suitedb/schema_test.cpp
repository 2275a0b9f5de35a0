#include "suitedb_fixture.h"

#include "db_error.h"
#include "stored_proc.h"
#include "suitedb.h"

#include <QProcess>
#include <sqlite3.h>

namespace suitedbtest {
namespace {

class Schema : public SuiteDbTest
{};

// A second run keeps data, seeds or registers nothing twice and brings back the program's message
// texts; a database from before costs gets their table and dictionaries, one from before company
// versions their column; a newer program's is refused.
TEST_P(Schema, UpgradeKeepsDataAndRestoresMessageTexts)
{
    const int company = addCompany("Trwała sp. z o.o.");
    const int languages = count("select count(*) from jezyk");
    const int entries = count("select count(*) from slowwartosci");
    const QString key = "Resstrings_IDS_firma_wlasna";
    exec("update resstrings set tekst = :t where klucz = :k", {{"k", key}, {"t", "stary tekst"}});
    exec("delete from resstrings where klucz = :k and id_jezyka = 2", {{"k", key}});
    exec("drop table koszt");
    exec("delete from slowwartosci where typ_slownika like 'koszt%'");
    exec("delete from tlumaczenie where identyfikator like 'slow_koszt%'");
    exec("alter table firma drop column wersja");
    exec("update schema_version set wersja = 2");

    suitedb::createOrUpgrade(connection());
    EXPECT_EQ(count("select count(*) from koszt"), 0);
    EXPECT_EQ(count("select count(*) from firma where wersja = 0"), 1);
    EXPECT_EQ(count("select count(*) from VListaPozSlownika where typ_slownika = 'koszt_typ' and id_jezyka = 2"), 5);

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

// The program compares names without case and orders them as a Polish reader expects; an
// owner's second default address is refused by the table itself.
TEST_P(Schema, ColumnsAndIndexesKeepTheirRules)
{
    for (const char *name : {"Żuraw", "zebra", "Łoś", "lody", "Ćma", "cyna", "ąbel", "Abel"})
        addCompany(name);
    const QString nazwa = connection().dialect().collated("nazwa");
    const QStringList names = strings("select nazwa from firma order by " + nazwa);
    EXPECT_EQ(names.join(' '), "Abel ąbel cyna Ćma lody Łoś zebra Żuraw");
    EXPECT_EQ(strings("select nazwa from firma where " + nazwa + " = :n or nazwa like :l order by " + nazwa,
                      {{"n", "żURAW"}, {"l", "łO%"}}),
              (QStringList{"Łoś", "Żuraw"}));

    const QString insert = "insert into adres (id_, tabela, ulica, czy_domyslny) values (:id, 7, 'A', 1)";
    exec(insert, {{"id", 1}});
    EXPECT_THROW(exec(insert, {{"id", 1}}), db::DbError);
}

std::string stockSqlite(const QString &file, const QString &sql)
{
    QProcess tool;
    tool.start("sqlite3", {file, sql});
    EXPECT_TRUE(tool.waitForFinished()) << "sqlite3 is installed by scripts/install-deps.sh";
    return (tool.readAllStandardOutput() + tool.readAllStandardError()).trimmed().toStdString();
}

// NOCASE run backwards: an index order no stock tool shares, as earlier programs left.
int reversedOrder(void *, int aLength, const void *a, int bLength, const void *b)
{
    return QByteArray::fromRawData(static_cast<const char *>(b), bLength)
        .compare(QByteArray::fromRawData(static_cast<const char *>(a), aLength), Qt::CaseInsensitive);
}

// Other SQLite tools may check, vacuum or edit the file: they agree with the program's indexes, and
// a file whose indexes an earlier program ordered its own way is rebuilt once when opened.
TEST_P(Schema, StockSqliteToolsAgreeWithTheProgram)
{
    if (GetParam() != db::Engine::SQLite)
        GTEST_SKIP() << "an SQLite file only";
    for (const char *name : {"Łódź Trans", "Śnieżka", "żuraw", "Zebra", "łabędź", "Abel"})
        addCompany(name);
    const QString file = scratch().target();
    EXPECT_EQ(stockSqlite(file, "pragma integrity_check"), "ok");
    EXPECT_EQ(stockSqlite(file,
                          "update firma set nazwa = 'ŁABĘDŹ' where nazwa = 'łabędź';"
                          "update firma set skrot = 'Żuraw' where skrot = 'żuraw'; vacuum"),
              "");
    EXPECT_EQ(stockSqlite(file, "pragma integrity_check; select count(*) from firma where nazwa = 'Łódź Trans'"),
              "ok\n1");
    const QString same = "select count(*) from firma where " + connection().dialect().collated("nazwa") + " = :n";
    EXPECT_EQ(count(same, {{"n", "ŁÓDŹ TRANS"}}), 1);
    EXPECT_EQ(count(same, {{"n", "łabędź"}}), 1);
    EXPECT_EQ(count("select count(*) from firma where skrot = 'Żuraw'"), 1);

    sqlite3 *earlier = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &earlier), SQLITE_OK);
    sqlite3_create_collation(earlier, "NOCASE", SQLITE_UTF8, nullptr, reversedOrder);
    EXPECT_EQ(sqlite3_exec(earlier, "reindex; update schema_version set wersja = 1", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(earlier);
    ASSERT_NE(stockSqlite(file, "pragma integrity_check"), "ok");
    suitedb::createOrUpgrade(connection());
    EXPECT_EQ(stockSqlite(file, "pragma integrity_check"), "ok");
    EXPECT_EQ(count(same, {{"n", "żuraw"}}), 1);
}

MALVO_INSTANTIATE_FOR_ENGINES(Schema);

} // namespace
} // namespace suitedbtest
