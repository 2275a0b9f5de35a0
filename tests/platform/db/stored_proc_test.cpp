#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"
#include "stored_proc.h"

using db::DbError;
using db::ParamDirection;
using db::ProcedureContext;
using db::ProcedureDefinition;
using db::ProcedureRegistry;
using db::StoredProc;

namespace {

// Test procedures over table `osoba (id, nazwisko)`:
//   test_osoba_save  @id in/out, @nazwisko in; @nazwisko 'fail' throws after
//   inserting, 'refuse' returns 101 after inserting, 'tooLong' fails in the database.
void registerTestProcedures()
{
    ProcedureDefinition save;
    save.name = "test_osoba_save";
    save.parameters.add("@id", QMetaType::Int, ParamDirection::InputOutput);
    save.parameters.add("@nazwisko", QMetaType::QString, ParamDirection::Input, 40);
    save.body = [](ProcedureContext &ctx) {
        const QString name = ctx.in("@nazwisko").toString();
        db::Query q(&ctx.connection(), QString());
        if (ctx.isNull("@id")) {
            q.setCommandText("insert into osoba (nazwisko) values (:n) returning id");
            q.parameters().setValue("n", name);
            q.open();
            ctx.setOut("@id", q.value(0).toInt());
        } else {
            q.setCommandText("update osoba set nazwisko = :n where id = :id");
            dbtest::bind(q.parameters(), {{"n", name}, {"id", ctx.in("@id")}});
            q.exec();
        }
        if (name == QLatin1String("fail"))
            throw std::runtime_error("body failed");
        if (name == QLatin1String("refuse"))
            return 101;
        if (name == QLatin1String("tooLong"))
            ctx.connection().execute("insert into osoba (id, nazwisko) values (1, 'duplicate id')");
        return 0;
    };
    ProcedureRegistry::instance().add(save);
}

} // namespace

class StoredProcTest : public testsupport::EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        registerTestProcedures();
        const QString id = GetParam() == db::Engine::PostgreSQL ? "serial primary key" : "integer primary key";
        connection().execute(QString("create table osoba (id %1, nazwisko varchar(40))").arg(id));
    }

    int count() { return dbtest::scalar(connection(), "select count(*) from osoba").toInt(); }
    QString nameOf(int id)
    {
        return dbtest::scalar(connection(), "select nazwisko from osoba where id = :id", {{"id", id}}).toString();
    }
};

TEST_P(StoredProcTest, InsertReturnsNewIdThroughInOutParameterThenUpdates)
{
    StoredProc proc(&connection(), "TEST_OSOBA_SAVE;1");
    proc.refreshParameters();
    ASSERT_EQ(proc.parameters().count(), 3);
    EXPECT_EQ(proc.parameters().at(0).name, "@RETURN_VALUE");
    EXPECT_EQ(proc.parameters().at(0).direction, ParamDirection::ReturnValue);
    EXPECT_EQ(proc.parameters().at(1).direction, ParamDirection::InputOutput);
    EXPECT_TRUE(proc.parameters().at(1).isNull());
    proc.setValue("@nazwisko", "Kowalski");
    EXPECT_EQ(proc.execProc(), 0);
    EXPECT_EQ(proc.returnValue(), 0);
    const int id = proc.value("@id").toInt();
    EXPECT_GT(id, 0);
    EXPECT_EQ(nameOf(id), "Kowalski");

    proc.setValue("@nazwisko", "Nowak");
    EXPECT_EQ(proc.execProc(), 0);
    EXPECT_EQ(proc.value("@id").toInt(), id);
    EXPECT_EQ(nameOf(id), "Nowak");
    EXPECT_EQ(count(), 1);
}

TEST_P(StoredProcTest, FailingOrRefusingBodyRollsBackItsOwnWork)
{
    StoredProc proc(&connection(), "test_osoba_save");
    proc.refreshParameters();
    proc.setValue("@nazwisko", "first");
    proc.execProc();
    proc.setValue("@id", QVariant());
    proc.setValue("@nazwisko", "fail");
    try {
        proc.execProc();
        FAIL() << "no error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains("test_osoba_save"));
        EXPECT_TRUE(e.message().contains("body failed"));
    }
    proc.setValue("@id", QVariant());
    proc.setValue("@nazwisko", "tooLong");
    EXPECT_THROW(proc.execProc(), DbError);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(connection().transactionDepth(), 0);

    StoredProc unknown(&connection(), "no_such_proc");
    EXPECT_THROW(unknown.refreshParameters(), DbError);
    EXPECT_THROW(unknown.execProc(), DbError);
    StoredProc unconnected(nullptr, "test_osoba_save");
    EXPECT_THROW(unconnected.execProc(), DbError);
    // Over its declared width a value is refused before the body runs, refreshed or not.
    StoredProc wide(&connection(), "test_osoba_save");
    wide.setValue("@nazwisko", QString(41, 'x'));
    EXPECT_THROW(wide.execProc(), DbError);
    EXPECT_EQ(count(), 1);

    // A non-zero return rolls back its own work only; without refreshing, the return value is added.
    StoredProc refusing(&connection(), "test_osoba_save");
    refusing.setValue("@nazwisko", "refuse");
    EXPECT_EQ(refusing.execProc(), 101);
    EXPECT_EQ(refusing.parameters().at(0).name, "@RETURN_VALUE");
    EXPECT_EQ(refusing.value("@RETURN_VALUE").toInt(), 101);
    EXPECT_EQ(count(), 1);

    db::Transaction outer(connection());
    connection().execute("insert into osoba (nazwisko) values ('outer')");
    refusing.setValue("@id", QVariant());
    EXPECT_EQ(refusing.execProc(), 101);
    EXPECT_EQ(connection().transactionDepth(), 1);
    outer.commit();
    EXPECT_EQ(count(), 2);
}

MALVO_INSTANTIATE_FOR_ENGINES(StoredProcTest);

TEST(ProcedureRegistry, FindsNamesCaseInsensitivelyIgnoringGroupSuffix)
{
    ProcedureDefinition def;
    def.name = "Registry_Probe;1";
    def.body = [](ProcedureContext &) { return 0; };
    ProcedureRegistry::instance().add(def);
    ASSERT_NE(ProcedureRegistry::instance().find("registry_probe"), nullptr);
    EXPECT_EQ(ProcedureRegistry::instance().find("registry_prob"), nullptr);
    EXPECT_TRUE(ProcedureRegistry::instance().names().contains("Registry_Probe"));
}
