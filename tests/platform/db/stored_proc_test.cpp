#include "connection.h"
#include "db_error.h"
#include "db_test_util.h"
#include "query.h"
#include "scratch_database.h"
#include "stored_proc.h"

#include <gtest/gtest.h>

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
    save.name = QStringLiteral("test_osoba_save");
    save.parameters.add(QStringLiteral("@id"), QMetaType::Int, ParamDirection::InputOutput);
    save.parameters.add(QStringLiteral("@nazwisko"), QMetaType::QString, ParamDirection::Input, 40);
    save.body = [](ProcedureContext &ctx) {
        const QString name = ctx.in(QStringLiteral("@nazwisko")).toString();
        db::Query q(&ctx.connection(), QString());
        if (ctx.isNull(QStringLiteral("@id"))) {
            q.setCommandText(QStringLiteral("insert into osoba (nazwisko) values (:n) returning id"));
            q.parameters().setValue(QStringLiteral("n"), name);
            q.open();
            ctx.setOut(QStringLiteral("@id"), q.value(0).toInt());
        } else {
            q.setCommandText(QStringLiteral("update osoba set nazwisko = :n where id = :id"));
            q.parameters().setValue(QStringLiteral("n"), name);
            q.parameters().setValue(QStringLiteral("id"), ctx.in(QStringLiteral("@id")));
            q.exec();
        }
        if (name == QLatin1String("fail"))
            throw std::runtime_error("body failed");
        if (name == QLatin1String("refuse"))
            return 101;
        if (name == QLatin1String("tooLong"))
            ctx.connection().execute(QStringLiteral("insert into osoba (id, nazwisko) values (1, 'duplicate id')"));
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
        const QString id = GetParam() == db::Engine::PostgreSQL ? QStringLiteral("serial primary key")
                                                                : QStringLiteral("integer primary key");
        connection().execute(QStringLiteral("create table osoba (id %1, nazwisko varchar(40))").arg(id));
    }

    int count()
    {
        db::Query q(&connection(), QStringLiteral("select count(*) from osoba"));
        q.open();
        return q.value(0).toInt();
    }

    QString nameOf(int id)
    {
        db::Query q(&connection(), QStringLiteral("select nazwisko from osoba where id = :id"));
        q.parameters().setValue(QStringLiteral("id"), id);
        q.open();
        return q.isEmpty() ? QString() : q.value(0).toString();
    }
};

TEST_P(StoredProcTest, RefreshParametersPutsReturnValueFirst)
{
    StoredProc proc(&connection(), QStringLiteral("TEST_OSOBA_SAVE;1"));
    proc.refreshParameters();
    ASSERT_EQ(proc.parameters().count(), 3);
    EXPECT_EQ(proc.parameters().at(0).name, QStringLiteral("@RETURN_VALUE"));
    EXPECT_EQ(proc.parameters().at(0).direction, ParamDirection::ReturnValue);
    EXPECT_EQ(proc.parameters().at(1).direction, ParamDirection::InputOutput);
    EXPECT_TRUE(proc.parameters().at(1).isNull());
}

TEST_P(StoredProcTest, InsertReturnsNewIdThroughInOutParameter)
{
    StoredProc proc(&connection(), QStringLiteral("test_osoba_save"));
    proc.refreshParameters();
    proc.setValue(QStringLiteral("@nazwisko"), QStringLiteral("Kowalski"));
    EXPECT_EQ(proc.execProc(), 0);
    EXPECT_EQ(proc.returnValue(), 0);
    const int id = proc.value(QStringLiteral("@id")).toInt();
    EXPECT_GT(id, 0);
    EXPECT_EQ(nameOf(id), QStringLiteral("Kowalski"));

    proc.setValue(QStringLiteral("@nazwisko"), QStringLiteral("Nowak"));
    EXPECT_EQ(proc.execProc(), 0);
    EXPECT_EQ(proc.value(QStringLiteral("@id")).toInt(), id);
    EXPECT_EQ(nameOf(id), QStringLiteral("Nowak"));
    EXPECT_EQ(count(), 1);
}

TEST_P(StoredProcTest, ThrowingBodyRollsBackAndNamesTheProcedure)
{
    StoredProc proc(&connection(), QStringLiteral("test_osoba_save"));
    proc.refreshParameters();
    proc.setValue(QStringLiteral("@nazwisko"), QStringLiteral("fail"));
    try {
        proc.execProc();
        FAIL() << "no error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("test_osoba_save")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("body failed")));
    }
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(connection().transactionDepth(), 0);
}

TEST_P(StoredProcTest, DatabaseErrorInBodyRollsBack)
{
    StoredProc proc(&connection(), QStringLiteral("test_osoba_save"));
    proc.refreshParameters();
    proc.setValue(QStringLiteral("@nazwisko"), QStringLiteral("first"));
    proc.execProc();
    proc.setValue(QStringLiteral("@id"), QVariant());
    proc.setValue(QStringLiteral("@nazwisko"), QStringLiteral("tooLong"));
    EXPECT_THROW(proc.execProc(), DbError);
    EXPECT_EQ(count(), 1);
}

TEST_P(StoredProcTest, NonZeroReturnRollsBack)
{
    StoredProc proc(&connection(), QStringLiteral("test_osoba_save"));
    proc.refreshParameters();
    proc.setValue(QStringLiteral("@nazwisko"), QStringLiteral("refuse"));
    EXPECT_EQ(proc.execProc(), 101);
    EXPECT_EQ(proc.value(QStringLiteral("@RETURN_VALUE")).toInt(), 101);
    EXPECT_EQ(count(), 0);
}

TEST_P(StoredProcTest, NestedInCallerTransactionUsesSavepoint)
{
    db::Transaction outer(connection());
    connection().execute(QStringLiteral("insert into osoba (nazwisko) values ('outer')"));
    StoredProc proc(&connection(), QStringLiteral("test_osoba_save"));
    proc.refreshParameters();
    proc.setValue(QStringLiteral("@nazwisko"), QStringLiteral("refuse"));
    EXPECT_EQ(proc.execProc(), 101);
    EXPECT_EQ(connection().transactionDepth(), 1);
    outer.commit();
    EXPECT_EQ(count(), 1);
}

TEST_P(StoredProcTest, WithoutRefreshReturnValueIsAdded)
{
    StoredProc proc(&connection(), QStringLiteral("test_osoba_save"));
    proc.setValue(QStringLiteral("@nazwisko"), QStringLiteral("refuse"));
    EXPECT_EQ(proc.execProc(), 101);
    EXPECT_EQ(proc.parameters().at(0).name, QStringLiteral("@RETURN_VALUE"));
}

TEST_P(StoredProcTest, UnknownProcedureOrMissingConnectionThrows)
{
    StoredProc unknown(&connection(), QStringLiteral("no_such_proc"));
    EXPECT_THROW(unknown.refreshParameters(), DbError);
    EXPECT_THROW(unknown.execProc(), DbError);
    StoredProc unconnected(nullptr, QStringLiteral("test_osoba_save"));
    EXPECT_THROW(unconnected.execProc(), DbError);
}

MALVO_INSTANTIATE_FOR_ENGINES(StoredProcTest);

TEST(ProcedureRegistry, FindsNamesCaseInsensitivelyIgnoringGroupSuffix)
{
    ProcedureDefinition def;
    def.name = QStringLiteral("Registry_Probe;1");
    def.body = [](ProcedureContext &) { return 0; };
    ProcedureRegistry::instance().add(def);
    ASSERT_NE(ProcedureRegistry::instance().find(QStringLiteral("registry_probe")), nullptr);
    EXPECT_NE(ProcedureRegistry::instance().find(QStringLiteral("REGISTRY_PROBE;1")), nullptr);
    EXPECT_EQ(ProcedureRegistry::instance().find(QStringLiteral("registry_prob")), nullptr);
    EXPECT_TRUE(ProcedureRegistry::instance().names().contains(QStringLiteral("Registry_Probe")));
}
