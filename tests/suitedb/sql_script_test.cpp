#include "db_error.h"
#include "dialect.h"
#include "schema/sql_script.h"
#include "scratch_database.h"

namespace {

using suitedb::script::split;

struct SplitCase
{
    const char *name;
    const char *script;
    std::vector<const char *> statements;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << c.name;
}

class ScriptSplit : public testing::TestWithParam<SplitCase>
{};

TEST_P(ScriptSplit, YieldsTheStatementsWithoutComments)
{
    const QStringList got = split(QString::fromUtf8(GetParam().script));
    QStringList want;
    for (const char *s : GetParam().statements)
        want.append(QString::fromUtf8(s));
    EXPECT_EQ(got, want);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptSplit,
    testing::Values(SplitCase{"lastWithoutSemicolon", "select 1;\nselect 2", {"select 1", "select 2"}},
                    SplitCase{"commentInsideStatement", "select 1, -- one; two\n 2;", {"select 1, \n 2"}},
                    SplitCase{"blockComment", "/* a; b */select 1;", {"select 1"}},
                    SplitCase{"doubledApostrophe", "select 'it''s; fine -- no';", {"select 'it''s; fine -- no'"}},
                    SplitCase{"quotedIdentifier", "select \"a;b\" from t;", {"select \"a;b\" from t"}},
                    SplitCase{"emptyStatements", ";;\n;", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ScriptSplitErrors, UnterminatedQuoteIsRefused)
{
    EXPECT_THROW(split("select 'open;"), db::DbError);
    EXPECT_THROW(split("select 1 /* open"), db::DbError);
}

class ScriptExpand : public testing::TestWithParam<db::Engine>
{};

TEST_P(ScriptExpand, ReplacesEveryPlaceholderAndRefusesAnUnknownOne)
{
    const auto types = suitedb::script::columnTypes(GetParam(), "PL");
    const QString out = suitedb::script::expand(
        "create table t (id {{ID}}, a {{TEXT}}, b {{DATETIME}}, c {{BOOL}}, d {{MONEY}});", types);
    EXPECT_FALSE(out.contains(QLatin1String("{{")));
    EXPECT_TRUE(out.contains(types.id));
    EXPECT_TRUE(out.contains("a " + types.text));
    EXPECT_TRUE(out.contains("d numeric(18,2)"));
    EXPECT_THROW(suitedb::script::expand("x {{BLOB}}", types), db::DbError);
}

MALVO_INSTANTIATE_FOR_ENGINES(ScriptExpand);

} // namespace
