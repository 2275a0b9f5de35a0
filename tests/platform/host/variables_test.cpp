#include "host_context.h"
#include "host_funcs.h"
#include "services.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class VariablesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        host::setLogFilePath(m_dir.filePath("host.log"));
        host::resetVariables();
    }
    void TearDown() override
    {
        host::resetVariables();
        host::setLogFilePath(QString());
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(VariablesTest, LookupIgnoresLetterCaseAndValuesConvertToTheDeclaredType)
{
    ASSERT_TRUE(host::SetZm(42, "aktywna_firma", "All"));
    EXPECT_EQ(host::GetZm("AKTYWNA_FIRMA", "ALL").toInt(), 42);
    EXPECT_EQ(host::var::AktywnaFirma.get(), 42);

    EXPECT_FALSE(host::GetZm("ImportZlecWTrakcie", "ALL").isValid());
    EXPECT_FALSE(host::SetZm(1, "ImportZlecWTrakcie", "ALL"));
    EXPECT_TRUE(host::var::ImportZlecWTrakcie.set(2));
    EXPECT_EQ(host::GetZm("ImportZlecWTrakcie", "SP").toInt(), 2);

    EXPECT_FALSE(host::SetZm(1, "nie_ma_takiej"));
    EXPECT_FALSE(host::GetZm("nie_ma_takiej").isValid());

    EXPECT_EQ(host::GetZm("cb_run_session").metaType(), QMetaType::fromType<bool>());
    EXPECT_TRUE(host::SetZm("1", "cb_run_session"));
    EXPECT_EQ(host::GetZm("cb_run_session"), QVariant(true));
    EXPECT_TRUE(host::SetZm("0", "cb_run_session"));
    EXPECT_EQ(host::GetZm("cb_run_session"), QVariant(false));
    EXPECT_TRUE(host::SetZm("17", "aktywna_firma"));
    EXPECT_EQ(host::GetZm("aktywna_firma"), QVariant(17));
    EXPECT_EQ(host::GetZm("aktywna_firma").metaType(), QMetaType::fromType<int>());

    EXPECT_FALSE(host::SetZm("abc", "aktywna_firma"));
    EXPECT_FALSE(host::SetZm("maybe", "cb_run_session"));
    EXPECT_EQ(host::var::AktywnaFirma.get(), 17);
    EXPECT_FALSE(host::var::RunSession.get());
}

TEST_F(VariablesTest, DeclaredOnceAndResetToDefaults)
{
    EXPECT_TRUE(host::declareVariable({"test_zmienna", "TST", QVariant(3)}));
    EXPECT_FALSE(host::declareVariable({"TEST_zmienna", "tst", QVariant(4)}));
    EXPECT_EQ(host::GetZm("test_zmienna", "TST").toInt(), 3);

    host::var::DomyslnaWaluta.set("EUR");
    host::resetVariables();
    EXPECT_EQ(host::var::DomyslnaWaluta.get(), "PLN");
}

TEST(Switches, ClearedByReset)
{
    host::setWersjaOgraniczona(true);
    host::setPaletaStala(true);
    host::appContext().setOption(135, true);
    host::appContext().setApdEnabled(true);
    EXPECT_TRUE(host::CzyWersjaOgraniczona());
    EXPECT_TRUE(host::PaletaStala());
    EXPECT_TRUE(host::appContext().isOptionOn(135));
    EXPECT_FALSE(host::appContext().isOptionOn(136));
    host::services().reset();
    EXPECT_FALSE(host::CzyWersjaOgraniczona());
    EXPECT_FALSE(host::appContext().isOptionOn(135));
    EXPECT_FALSE(host::appContext().isApdEnabled());
}

} // namespace
