#include "host_fixture.h"

#include "data_paths.h"
#include "host_error.h"
#include "suitedb.h"

#include <QCoreApplication>

namespace {

class BootstrapTest : public testsupport::EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        host::setLogFilePath(m_logDir.filePath("host.log"));
    }
    void TearDown() override
    {
        host::shutdown();
        host::setLogFilePath(QString());
    }

    host::BootstrapOptions options(const QString &login = "admin", const QString &language = "pl")
    {
        return {.database = scratch().target(), .login = login, .language = language};
    }

    // Message of the error bootstrap throws; empty when it does not throw.
    QString failure(const host::BootstrapOptions &o)
    {
        try {
            host::bootstrap(o);
        } catch (const host::HostError &error) {
            return error.message();
        }
        return {};
    }

private:
    QTemporaryDir m_logDir;
};

// The first run creates the database and logs in; demo companies come only with a database the run
// created. The session's language is checked by the host database test.
TEST_P(BootstrapTest, FirstRunCreatesTheDatabaseAndASecondReusesIt)
{
    auto o = options();
    o.demoCompaniesWhenCreated = 3;
    host::bootstrap(o);
    EXPECT_TRUE(host::isBootstrapped());
    EXPECT_TRUE(host::databaseWasCreated());
    ASSERT_NE(host::GetConnection(), nullptr);
    EXPECT_EQ(host::GetConnection()->engine(), GetParam());
    EXPECT_EQ(host::GetLanguage(), suitedb::LanguagePolish);
    EXPECT_EQ(host::GetKeyLang(), "pl");
    EXPECT_EQ(host::LoadResstrings("Resstrings_IDS_firma_wlasna"), "Firma własna");
    const int created = host::GetIntDB("select count(*) from firma");
    EXPECT_GE(created, 3);
    ASSERT_EQ(host::ExecQuery("insert into ustawienia (co, wartosc, kod) values ('znacznik', 'x', 'TEST')"), 1);
    host::shutdown();
    EXPECT_FALSE(host::isBootstrapped());
    EXPECT_EQ(host::GetConnection(), nullptr);

    host::bootstrap(o);
    EXPECT_FALSE(host::databaseWasCreated());
    EXPECT_EQ(host::GetStringDB("select wartosc from ustawienia where co = 'znacznik'"), "x");
    EXPECT_EQ(host::GetIntDB("select count(*) from uzytkownik where login = 'admin'"), 1);
    EXPECT_EQ(host::GetIntDB("select count(*) from firma"), created);
}

TEST_P(BootstrapTest, UnknownOrInactiveLoginsAndUnknownLanguagesAreRefusedClearly)
{
    QString message = failure(options("nikt"));
    EXPECT_TRUE(message.contains("nikt")) << message.toStdString();
    EXPECT_TRUE(message.contains("login", Qt::CaseInsensitive)) << message.toStdString();
    EXPECT_FALSE(host::isBootstrapped());
    EXPECT_EQ(host::GetConnection(), nullptr);

    message = failure(options("admin", "xx"));
    EXPECT_TRUE(message.contains("\"xx\"")) << message.toStdString();
    EXPECT_TRUE(message.contains("pl")) << message.toStdString();
    EXPECT_FALSE(host::isBootstrapped());

    host::bootstrap(options());
    host::ExecQuery("insert into uzytkownik (login, administrator, aktywny) values ('byly', 0, 0)");
    host::shutdown();
    EXPECT_FALSE(failure(options("byly")).isEmpty());
}

TEST_P(BootstrapTest, ActiveCompanyIsTheFirstOwnCompany)
{
    host::bootstrap(options());
    EXPECT_EQ(host::var::AktywnaFirma.get(), 0); // no own company yet
    host::ExecQuery("insert into firma (nazwa, skrot) values ('Obca', 'OBCA')");
    host::ExecQuery("insert into firma (nazwa, skrot, typ_firmy) select 'Nasza', 'NASZA', id_wartosci "
                    "from slowwartosci where typ_slownika = 'typ_firmy' and wartosc = 'firma_wlasna'");
    const int own = host::GetIntDB("select id_f from firma where skrot = 'NASZA'");
    ASSERT_GT(own, 0);
    host::shutdown();
    host::bootstrap(options());
    EXPECT_EQ(host::var::AktywnaFirma.get(), own);
}

MALVO_INSTANTIATE_FOR_ENGINES(BootstrapTest);

TEST(Bootstrap, QtsOwnTextsFollowTheLanguage)
{
    ASSERT_TRUE(host::installQtTranslations("pl"));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), "S&kopiuj");
    ASSERT_TRUE(host::installQtTranslations("en"));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), "&Copy");
}

TEST(Bootstrap, UnreachableServerIsRefusedClearlyAndTheDefaultDatabaseFollowsTheEnvironment)
{
    host::BootstrapOptions o;
    o.database = "host=127.0.0.1 port=1 dbname=malvo user=malvo password=tajne connect_timeout=3";
    try {
        host::bootstrap(o);
        FAIL() << "bootstrap succeeded without a server";
    } catch (const db::DbError &error) {
        EXPECT_TRUE(error.message().contains("127.0.0.1")) << error.message().toStdString();
        EXPECT_FALSE(error.message().contains("tajne")) << error.message().toStdString();
    }
    EXPECT_FALSE(host::isBootstrapped());

    // Without a target the database follows the environment.
    const QByteArray saved = qgetenv("MALVO_DB");
    qputenv("MALVO_DB", "/tmp/inna/malvo.db");
    EXPECT_EQ(host::defaultDatabasePath(), "/tmp/inna/malvo.db");
    qunsetenv("MALVO_DB");
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/xdg");
    EXPECT_EQ(host::defaultDatabasePath(), "/tmp/xdg/malvo/malvo.db");
    if (xdg.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", xdg);
    if (!saved.isNull())
        qputenv("MALVO_DB", saved);
}

} // namespace
