#include "sibling_fixture.h"

#include "global_settings.h"

#include <gtest/gtest.h>

namespace {

// Each period length as code:months:name.
QString dlugosci(const shared_store::GlobalSettings &u)
{
    QStringList wynik;
    for (const auto &d : u.dlugosc_okresu)
        wynik << QString("%1:%2:%3").arg(d.kod).arg(d.miesiace).arg(d.nazwa);
    return wynik.join(',');
}

} // namespace

class SharedStoreTest : public SiblingTest
{
protected:
    // Loaded and released the way the module does it, for every call.
    static shared_store::GlobalSettings *pobierz()
    {
        auto wynik = host::callSibling<shared_store::GlobalSettings *()>("shared_store.dll", "_GetGlobalSettings");
        return wynik ? *wynik : nullptr;
    }

    static void ustaw(const QString &co, const QVariant &wartosc, const QVariant &idF = QVariant())
    {
        wstaw("ustawienia", "id_ust", {{"co", co}, {"wartosc", wartosc}, {"kod", "ALL"}, {"id_f", idF}});
    }
};

// Malformed global rows are logged and leave the defaults: periods start on the first, with the six usual lengths.
TEST_P(SharedStoreTest, WithoutValidRowsOneObjectStartsPeriodsOnTheFirstWithTheSixUsualLengths)
{
    ustaw("dzien_poczatku_okresu", "31");
    ustaw("dlugosc_okresu", "1:1;2:x");

    shared_store::GlobalSettings *u = pobierz();
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->dzienPoczatkuOkresu, 1);
    EXPECT_EQ(dlugosci(*u),
              "1:1:1 miesiąc,2:2:2 miesiące,3:3:3 miesiące,4:4:4 miesiące,5:6:6 miesięcy,6:12:12 miesięcy");
    EXPECT_TRUE(logText().contains("dzien_poczatku_okresu ignored: 31")) << logText().toStdString();
    EXPECT_TRUE(logText().contains("dlugosc_okresu ignored")) << logText().toStdString();

    // The one object outlives every release of the library.
    u->okresRoz = 4;
    EXPECT_EQ(pobierz(), u);
    EXPECT_EQ(u->okresRoz, 4);
}

TEST_P(SharedStoreTest, GlobalRowsOverrideTheStartDayAndTheLengths)
{
    ustaw("dzien_poczatku_okresu", "10");
    ustaw("dlugosc_okresu", "1:1; 7:3:Kwartał");
    // A company's row is not a global one.
    ustaw("dzien_poczatku_okresu", "20", firma("Inna"));

    shared_store::GlobalSettings *u = pobierz();
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->dzienPoczatkuOkresu, 10);
    EXPECT_EQ(dlugosci(*u), "1:1:1 miesiąc,7:3:Kwartał");
}

MALVO_INSTANTIATE_FOR_ENGINES(SharedStoreTest);
