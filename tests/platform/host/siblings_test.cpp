#include "siblings.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class SiblingsTest : public testing::Test
{
protected:
    void SetUp() override { host::setSiblingDirectory(QStringLiteral(HOST_TEST_SIBLINGS)); }
    void TearDown() override { host::setSiblingDirectory(QString()); }
};

struct PathCase
{
    const char *suiteName;
    const char *relative;
};

std::ostream &operator<<(std::ostream &out, const PathCase &c)
{
    return out << c.suiteName;
}

class SiblingPath : public SiblingsTest, public testing::WithParamInterface<PathCase>
{};

TEST_P(SiblingPath, SuiteNameMapsToTheSharedLibrary)
{
    EXPECT_EQ(host::siblingLibraryPath(QLatin1String(GetParam().suiteName)),
              QDir(QStringLiteral(HOST_TEST_SIBLINGS)).filePath(QLatin1String(GetParam().relative)));
}

INSTANTIATE_TEST_SUITE_P(Names, SiblingPath,
                         testing::Values(PathCase{"cities.dll", "libcities.so"}, PathCase{"CITIES.DLL", "libCITIES.so"},
                                         PathCase{"data\\Fuel\\driver_cards.dll", "data/Fuel/libdriver_cards.so"},
                                         PathCase{"data\\MalvoMobile\\MalvoMobile.dll",
                                                  "data/MalvoMobile/libMalvoMobile.so"},
                                         PathCase{"data/Forwarding/orders.dll", "data/Forwarding/liborders.so"}));

TEST_F(SiblingsTest, MissingLibraryIsSkipped)
{
    EXPECT_FALSE(host::callSibling<void()>(QStringLiteral("settings_ui.dll"), "_OdswiezFirmy"));
    EXPECT_FALSE(host::callSibling<int(int, int)>(QStringLiteral("cities.dll"), "_Dodaj", 1, 2).has_value());
    EXPECT_EQ(host::LoadLibrary_main(QStringLiteral("cities.dll")), nullptr);
}

TEST_F(SiblingsTest, MissingExportIsSkipped)
{
    EXPECT_FALSE(host::callSibling<void()>(QStringLiteral("data\\Test\\fixture.dll"), "_NieMaTakiej"));
}

TEST_F(SiblingsTest, ExportIsCalledWithItsArguments)
{
    const auto sum = host::callSibling<int(int, int)>(QStringLiteral("data\\Test\\fixture.dll"), "_Dodaj", 2, 40);
    ASSERT_TRUE(sum.has_value());
    EXPECT_EQ(*sum, 42);
    int stored = 0;
    EXPECT_TRUE(host::callSibling<void(int *, int)>(QStringLiteral("data\\Test\\fixture.dll"), "_Zapisz", &stored, 7));
    EXPECT_EQ(stored, 7);
}

TEST_F(SiblingsTest, LoadedLibraryResolvesExports)
{
    auto library = host::LoadLibrary_main(QStringLiteral("data\\Test\\fixture.dll"));
    ASSERT_NE(library, nullptr);
    auto *add = library->resolve<int(int, int)>("_Dodaj");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(3, 4), 7);
    EXPECT_EQ(library->resolve<void()>("_NieMaTakiej"), nullptr);
}

TEST_F(SiblingsTest, FileVersion)
{
    EXPECT_EQ(host::GetFileVersion(QStringLiteral("versioned.dll")), QStringLiteral("2.3.4.0"));
    EXPECT_EQ(host::GetFileVersion(QStringLiteral(HOST_TEST_SIBLINGS "/versioned.dll")), QStringLiteral("2.3.4.0"));
    EXPECT_EQ(host::GetFileVersion(QStringLiteral("data\\Test\\fixture.dll")), host::hostVersion());
    EXPECT_EQ(host::hostVersion().count(QLatin1Char('.')), 3);
    EXPECT_TRUE(host::GetFileVersion(QStringLiteral("partners_missing.dll")).isEmpty());
}

} // namespace
