#include "host_fixture.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "siblings.h"
#include "window_messages.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QString Sibling = QStringLiteral("settings_ui.dll");

struct Komunikat
{
    int numer;
    qintptr wParam;
    qintptr lParam;
};

class OknoHosta : public QWidget
{
public:
    std::vector<Komunikat> odebrane;

protected:
    bool event(QEvent *event) override
    {
        if (auto *m = dynamic_cast<host::HostMessageEvent *>(event)) {
            odebrane.push_back({m->message(), m->wParam(), m->lParam()});
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

class SettingsUiTest : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
        host::setMainWindow(&m_okno);
        m_typWlasna = typ(QStringLiteral("firma_wlasna"));
        m_typOgolny = typ(QStringLiteral("ogolny"));
        ASSERT_GT(m_typWlasna, 0);
        ASSERT_GT(m_typOgolny, 0);
    }

    void TearDown() override
    {
        host::setMainWindow(nullptr);
        host::setSiblingDirectory(QString());
        HostDatabaseTest::TearDown();
    }

    static int typ(const QString &symbol)
    {
        return host::GetIntDB(QStringLiteral("select id_wartosci from slowwartosci"
                                             " where typ_slownika = 'typ_firmy' and wartosc = :w"),
                              QString(), nullptr, {{QStringLiteral("w"), symbol}});
    }

    static int firma(const QString &nazwa, int typFirmy)
    {
        host::ExecQuery(QStringLiteral("insert into firma (nazwa, skrot, typ_firmy) values (:n, :n, :t)"), nullptr, 0,
                        {{QStringLiteral("n"), nazwa}, {QStringLiteral("t"), typFirmy}});
        return host::GetIntDB(QStringLiteral("select max(id_f) from firma"));
    }

    // Counted through the list's view, not the sibling's own query.
    static int wlasneWgWidoku()
    {
        return host::GetIntDB(QStringLiteral("select count(distinct id) from VListaFirmFull where typ_symbol = :t"),
                              QString(), nullptr, {{QStringLiteral("t"), QStringLiteral("firma_wlasna")}});
    }

    std::vector<Komunikat> wywolaj()
    {
        m_okno.odebrane.clear();
        EXPECT_TRUE(host::callSibling<void()>(Sibling, "_OdswiezFirmy"));
        QCoreApplication::processEvents();
        return m_okno.odebrane;
    }

    OknoHosta m_okno;
    int m_typWlasna = 0;
    int m_typOgolny = 0;
};

TEST_P(SettingsUiTest, ReReadsOwnCompaniesAndTellsTheHostWhetherTheActiveOneIsAmongThem)
{
    const int wlasna = firma(QStringLiteral("Własna A"), m_typWlasna);
    firma(QStringLiteral("Własna B"), m_typWlasna);
    const int obca = firma(QStringLiteral("Klient"), m_typOgolny);
    ASSERT_TRUE(host::var::AktywnaFirma.set(wlasna));

    auto odebrane = wywolaj();
    ASSERT_EQ(odebrane.size(), 1u);
    EXPECT_EQ(odebrane[0].numer, host::msg::OwnCompaniesReloaded);
    EXPECT_EQ(odebrane[0].wParam, wlasneWgWidoku());
    EXPECT_EQ(odebrane[0].lParam, 1);

    // The active company stops being an own one; a customer becomes one.
    host::ExecQuery(QStringLiteral("update firma set typ_firmy = :t where id_f = :id"), nullptr, 0,
                    {{QStringLiteral("t"), m_typOgolny}, {QStringLiteral("id"), wlasna}});
    host::ExecQuery(QStringLiteral("update firma set typ_firmy = :t where id_f = :id"), nullptr, 0,
                    {{QStringLiteral("t"), m_typWlasna}, {QStringLiteral("id"), obca}});
    host::ExecQuery(QStringLiteral("delete from firma where nazwa = 'Własna B'"));
    odebrane = wywolaj();
    ASSERT_EQ(odebrane.size(), 1u);
    EXPECT_EQ(odebrane[0].wParam, wlasneWgWidoku());
    EXPECT_EQ(odebrane[0].lParam, 0);
}

TEST_P(SettingsUiTest, AFailedReadIsLoggedAndNothingEscapesTheExport)
{
    ASSERT_EQ(host::ExecQuery(QStringLiteral("alter table slowwartosci rename to slowwartosci_stare")), 1);

    const auto odebrane = wywolaj();
    EXPECT_TRUE(odebrane.empty());
    EXPECT_TRUE(logText().contains(QLatin1String("_OdswiezFirmy"))) << logText().toStdString();
}

TEST(SettingsUiLibrary, ExportsOnlyItsEntryPoint)
{
    QLibrary biblioteka(QStringLiteral(MALVO_BIN_DIR "/libsettings_ui.so"));
    ASSERT_TRUE(biblioteka.load()) << biblioteka.errorString().toStdString();
    EXPECT_NE(biblioteka.resolve("_OdswiezFirmy"), nullptr);
    EXPECT_EQ(biblioteka.resolve("_ZN11settings_ui12odswiezFirmyEv"), nullptr);
    EXPECT_EQ(biblioteka.resolve("_ZN11settings_ui17czytajFirmyWlasneERN2db10ConnectionE"), nullptr);
    biblioteka.unload();
}

MALVO_INSTANTIATE_FOR_ENGINES(SettingsUiTest);
