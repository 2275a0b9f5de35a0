#include "siblings.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString Fixture = "data\\Test\\fixture.dll";

class SiblingsTest : public testing::Test
{
protected:
    void SetUp() override { host::setSiblingDirectory(HOST_TEST_SIBLINGS); }
    void TearDown() override { host::setSiblingDirectory(QString()); }
};

TEST_F(SiblingsTest, SuiteNameMapsToTheSharedLibraryAndItsVersion)
{
    const char *const namesAndPaths[][2] = {
        {"cities.dll", "libcities.so"},
        {"CITIES.DLL", "libCITIES.so"},
        {"data\\Fuel\\driver_cards.dll", "data/Fuel/libdriver_cards.so"},
        {"data\\MalvoMobile\\MalvoMobile.dll", "data/MalvoMobile/libMalvoMobile.so"},
        {"data/Forwarding/orders.dll", "data/Forwarding/liborders.so"}};
    for (const auto &[name, path] : namesAndPaths)
        EXPECT_EQ(host::siblingLibraryPath(name), QDir(HOST_TEST_SIBLINGS).filePath(path));

    EXPECT_EQ(host::GetFileVersion("versioned.dll"), "2.3.4.0");
    EXPECT_EQ(host::GetFileVersion(HOST_TEST_SIBLINGS "/versioned.dll"), "2.3.4.0");
    EXPECT_EQ(host::GetFileVersion(Fixture), host::hostVersion());
    EXPECT_EQ(host::hostVersion().count(QLatin1Char('.')), 3);
    EXPECT_TRUE(host::GetFileVersion("partners_missing.dll").isEmpty());
}

TEST_F(SiblingsTest, ExportsAreCalledWithTheirArgumentsOrSkippedWhenMissing)
{
    const auto sum = host::callSibling<int(int, int)>(Fixture, "_Dodaj", 2, 40);
    ASSERT_TRUE(sum.has_value());
    EXPECT_EQ(*sum, 42);
    int stored = 0;
    EXPECT_TRUE(host::callSibling<void(int *, int)>(Fixture, "_Zapisz", &stored, 7));
    EXPECT_EQ(stored, 7);

    auto library = host::LoadLibrary_main(Fixture);
    ASSERT_NE(library, nullptr);
    auto *add = library->resolve<int(int, int)>("_Dodaj");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(3, 4), 7);
    EXPECT_EQ(library->resolve<void()>("_NieMaTakiej"), nullptr);

    EXPECT_FALSE(host::callSibling<void()>("settings_ui.dll", "_OdswiezFirmy"));
    EXPECT_FALSE(host::callSibling<int(int, int)>("cities.dll", "_Dodaj", 1, 2).has_value());
    EXPECT_EQ(host::LoadLibrary_main("cities.dll"), nullptr);
    EXPECT_FALSE(host::callSibling<void()>(Fixture, "_NieMaTakiej"));
}

} // namespace
