#include "host_context.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "services.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class VariablesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        host::setLogFilePath(m_dir.filePath(QStringLiteral("host.log")));
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

struct DefaultCase
{
    const char *name;
    const char *group;
    QVariant expected;
};

std::ostream &operator<<(std::ostream &out, const DefaultCase &c)
{
    return out << c.group << '/' << c.name;
}

class VariableDefaults : public VariablesTest, public testing::WithParamInterface<DefaultCase>
{};

TEST_P(VariableDefaults, DeclaredDefault)
{
    const QVariant value = host::GetZm(QLatin1String(GetParam().name), QLatin1String(GetParam().group));
    EXPECT_EQ(value, GetParam().expected);
    EXPECT_EQ(value.metaType(), GetParam().expected.metaType());
}

INSTANTIATE_TEST_SUITE_P(Declarations, VariableDefaults,
                         testing::Values(DefaultCase{"aktywna_firma", "ALL", QVariant(0)},
                                         DefaultCase{"domyslna_waluta", "ALL", QVariant(QStringLiteral("PLN"))},
                                         DefaultCase{"uprawnienia_zapis_firmy_wlasne", "ALL", QVariant(true)},
                                         DefaultCase{"cb_gen_unik_skr_firm", "ALL", QVariant(true)},
                                         DefaultCase{"CzySkrotFirma20", "ALL", QVariant(false)},
                                         DefaultCase{"cb_run_session", "ALL", QVariant(false)},
                                         DefaultCase{"ImportZlecWTrakcie", "SP", QVariant(0)},
                                         DefaultCase{"ImportZlecDodajAllFirma", "SP", QVariant(0)},
                                         DefaultCase{"lista_kolor_naglowek_zaznaczony", "ALL", QVariant(0x4123CE)},
                                         DefaultCase{"lista_kolor_niezaznaczony_pom", "ALL", QVariant(0xEAE4E1)},
                                         DefaultCase{"lista_firm_f_wlasne_check", "FL", QVariant(false)}));

TEST_F(VariablesTest, NamesAndGroupsIgnoreLetterCase)
{
    ASSERT_TRUE(host::SetZm(42, QStringLiteral("aktywna_firma"), QStringLiteral("All")));
    EXPECT_EQ(host::GetZm(QStringLiteral("AKTYWNA_FIRMA"), QStringLiteral("ALL")).toInt(), 42);
    EXPECT_EQ(host::var::AktywnaFirma.get(), 42);
}

TEST_F(VariablesTest, SameNameInAnotherGroupIsAnotherVariable)
{
    EXPECT_FALSE(host::GetZm(QStringLiteral("ImportZlecWTrakcie"), QStringLiteral("ALL")).isValid());
    EXPECT_FALSE(host::SetZm(1, QStringLiteral("ImportZlecWTrakcie"), QStringLiteral("ALL")));
    EXPECT_TRUE(host::var::ImportZlecWTrakcie.set(2));
    EXPECT_EQ(host::GetZm(QStringLiteral("ImportZlecWTrakcie"), QStringLiteral("SP")).toInt(), 2);
}

TEST_F(VariablesTest, ValuesConvertToTheDeclaredType)
{
    EXPECT_TRUE(host::SetZm(QStringLiteral("1"), QStringLiteral("cb_run_session")));
    EXPECT_EQ(host::GetZm(QStringLiteral("cb_run_session")), QVariant(true));
    EXPECT_TRUE(host::SetZm(QStringLiteral("0"), QStringLiteral("cb_run_session")));
    EXPECT_EQ(host::GetZm(QStringLiteral("cb_run_session")), QVariant(false));
    EXPECT_TRUE(host::SetZm(QStringLiteral("17"), QStringLiteral("aktywna_firma")));
    EXPECT_EQ(host::GetZm(QStringLiteral("aktywna_firma")), QVariant(17));
}

TEST_F(VariablesTest, RefusedValueLeavesTheVariableAlone)
{
    host::var::AktywnaFirma.set(5);
    EXPECT_FALSE(host::SetZm(QStringLiteral("abc"), QStringLiteral("aktywna_firma")));
    EXPECT_FALSE(host::SetZm(QStringLiteral("maybe"), QStringLiteral("cb_run_session")));
    EXPECT_EQ(host::var::AktywnaFirma.get(), 5);
    EXPECT_FALSE(host::var::RunSession.get());
}

TEST_F(VariablesTest, UnknownNameIsInvalidAndCannotBeSet)
{
    EXPECT_FALSE(host::GetZm(QStringLiteral("nie_ma_takiej")).isValid());
    EXPECT_FALSE(host::SetZm(1, QStringLiteral("nie_ma_takiej")));
    EXPECT_FALSE(host::GetZm(QStringLiteral("nie_ma_takiej")).isValid());
}

TEST_F(VariablesTest, DeclaredAtRunTimeOnce)
{
    EXPECT_TRUE(host::declareVariable({QStringLiteral("test_zmienna"), QStringLiteral("TST"), QVariant(3)}));
    EXPECT_FALSE(host::declareVariable({QStringLiteral("TEST_zmienna"), QStringLiteral("tst"), QVariant(4)}));
    EXPECT_EQ(host::GetZm(QStringLiteral("test_zmienna"), QStringLiteral("TST")).toInt(), 3);
}

TEST_F(VariablesTest, ResetRestoresDefaults)
{
    host::var::DomyslnaWaluta.set(QStringLiteral("EUR"));
    host::resetVariables();
    EXPECT_EQ(host::var::DomyslnaWaluta.get(), QStringLiteral("PLN"));
}

TEST_F(VariablesTest, FoldersDefaultBelowTheDataFolder)
{
    EXPECT_TRUE(host::var::SciezkaDokumenty.get().endsWith(QStringLiteral("malvo/dokumenty")));
    EXPECT_TRUE(host::var::SciezkaOb.get().endsWith(QStringLiteral("malvo/obiekty")));
}

TEST(Switches, OffUntilSetAndClearedByReset)
{
    EXPECT_FALSE(host::CzyWersjaOgraniczona());
    EXPECT_FALSE(host::CzyWersjaUproszczona());
    EXPECT_FALSE(host::PaletaStala());
    EXPECT_FALSE(host::appContext().isOptionOn(host::option::ListaFirmSzybkieSzukanie));
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
