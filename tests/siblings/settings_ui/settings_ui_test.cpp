#include "sibling_fixture.h"

#include "recording_main_window.h"

#include <QCoreApplication>

class SettingsUiTest : public SiblingTest
{
protected:
    void SetUp() override
    {
        SiblingTest::SetUp();
        if (IsSkipped())
            return;
        host::setMainWindow(&m_okno);
        m_typWlasna = typ("firma_wlasna");
        m_typOgolny = typ("ogolny");
    }

    void TearDown() override
    {
        host::setMainWindow(nullptr);
        SiblingTest::TearDown();
    }

    static int typ(const QString &symbol)
    {
        return ile("select id_wartosci from slowwartosci where typ_slownika = 'typ_firmy' and wartosc = :w",
                   {{"w", symbol}});
    }

    static int firma(const QString &nazwa, int typFirmy)
    {
        const int id = SiblingTest::firma(nazwa);
        ustawTyp(id, typFirmy);
        return id;
    }

    static void ustawTyp(int idF, int typFirmy)
    {
        host::ExecQuery("update firma set typ_firmy = :t where id_f = :id", nullptr, 0, {{"t", typFirmy}, {"id", idF}});
    }

    // The message expected: own companies counted through the list's view, not the sibling's own query.
    static QList<testsupport::HostMessage> przeladowano(int aktywnaWsrodWlasnych)
    {
        const int wlasne = ile("select count(distinct id) from VListaFirmFull where typ_symbol = 'firma_wlasna'");
        return {{host::msg::OwnCompaniesReloaded, wlasne, aktywnaWsrodWlasnych}};
    }

    QList<testsupport::HostMessage> wywolaj()
    {
        m_okno.messages.clear();
        EXPECT_TRUE(host::callSibling<void()>("settings_ui.dll", "_OdswiezFirmy"));
        QCoreApplication::processEvents();
        return m_okno.messages;
    }

    testsupport::RecordingMainWindow m_okno;
    int m_typWlasna = 0;
    int m_typOgolny = 0;
};

TEST_P(SettingsUiTest, ReReadsOwnCompaniesAndTellsTheHostWhetherTheActiveOneIsAmongThem)
{
    const int wlasna = firma("Własna A", m_typWlasna);
    firma("Własna B", m_typWlasna);
    const int obca = firma("Klient", m_typOgolny);
    ASSERT_TRUE(host::var::AktywnaFirma.set(wlasna));

    EXPECT_EQ(wywolaj(), przeladowano(1));

    // The active company stops being an own one; a customer becomes one.
    ustawTyp(wlasna, m_typOgolny);
    ustawTyp(obca, m_typWlasna);
    host::ExecQuery("delete from firma where nazwa = 'Własna B'");
    EXPECT_EQ(wywolaj(), przeladowano(0));

    // A failed read is logged and nothing escapes the export.
    ASSERT_EQ(host::ExecQuery("alter table slowwartosci rename to slowwartosci_stare"), 1);
    EXPECT_TRUE(wywolaj().isEmpty());
    EXPECT_TRUE(logText().contains("_OdswiezFirmy")) << logText().toStdString();
}

MALVO_INSTANTIATE_FOR_ENGINES(SettingsUiTest);
