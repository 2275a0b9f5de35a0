#include "sibling_fixture.h"

#include "host_variables.h"
#include "window_messages.h"

#include <QCoreApplication>
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

class SettingsUiTest : public SiblingTest
{
protected:
    void SetUp() override
    {
        SiblingTest::SetUp();
        if (IsSkipped())
            return;
        host::setMainWindow(&m_okno);
        m_typWlasna = typ(QStringLiteral("firma_wlasna"));
        m_typOgolny = typ(QStringLiteral("ogolny"));
        ASSERT_GT(m_typWlasna, 0);
        ASSERT_GT(m_typOgolny, 0);
    }

    void TearDown() override
    {
        host::setMainWindow(nullptr);
        SiblingTest::TearDown();
    }

    static int typ(const QString &symbol)
    {
        return ile(
            QStringLiteral("select id_wartosci from slowwartosci where typ_slownika = 'typ_firmy' and wartosc = :w"),
            {{QStringLiteral("w"), symbol}});
    }

    static int firma(const QString &nazwa, int typFirmy)
    {
        return wstaw(QStringLiteral("firma"), QStringLiteral("id_f"),
                     {{QStringLiteral("nazwa"), nazwa},
                      {QStringLiteral("skrot"), nazwa},
                      {QStringLiteral("typ_firmy"), typFirmy}});
    }

    static void ustawTyp(int idF, int typFirmy)
    {
        host::ExecQuery(QStringLiteral("update firma set typ_firmy = :t where id_f = :id"), nullptr, 0,
                        {{QStringLiteral("t"), typFirmy}, {QStringLiteral("id"), idF}});
    }

    // Counted through the list's view, not the sibling's own query.
    static int wlasneWgWidoku()
    {
        return ile(QStringLiteral("select count(distinct id) from VListaFirmFull where typ_symbol = 'firma_wlasna'"));
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
    ustawTyp(wlasna, m_typOgolny);
    ustawTyp(obca, m_typWlasna);
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

MALVO_INSTANTIATE_FOR_ENGINES(SettingsUiTest);
