#include "partners_api.h"
#include "ramka/modul.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLibrary>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(IdentityExports, NamesTheModuleAsTheSuiteExpects)
{
    EXPECT_EQ(_GetModuleName(), QStringLiteral("ALL"));
    EXPECT_EQ(_GetDllCode(), QStringLiteral("ALL_PARTNERS"));
    EXPECT_EQ(_GetNazwaUpr(), QStringLiteral("Resstrings_IDS_Lista_firm_rozbudowana"));
}

// The shared library the host loads answers the same through its exports.
TEST(IdentityExports, AreResolvableFromTheBuiltLibrary)
{
    QLibrary library(QStringLiteral(MALVO_BIN_DIR "/libpartners.so"));
    ASSERT_TRUE(library.load()) << library.errorString().toStdString();
    const auto dllCode = reinterpret_cast<GetStringEntry>(library.resolve("_GetDllCode"));
    const auto version = reinterpret_cast<GetStringEntry>(library.resolve("_GetVersionA"));
    ASSERT_NE(dllCode, nullptr);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(dllCode(), QStringLiteral("ALL_PARTNERS"));
    EXPECT_NE(library.resolve("_Execute"), nullptr);
    EXPECT_NE(library.resolve("_EditRecord"), nullptr);
}

class SetDllInstance : public testing::Test
{
protected:
    void TearDown() override { delete partners::windows().lista_firm_form; }
};

TEST_F(SetDllInstance, StoresTheHandleInTheListWindow)
{
    partners::windows().lista_firm_form = new QWidget;
    _SetDllInstance(4711);
    EXPECT_EQ(partners::windows().lista_firm_form->property(partners::HostInstanceProperty).toInt(), 4711);
}

TEST_F(SetDllInstance, GivesUpAfterThreeWaitsWithoutAListWindow)
{
    QElapsedTimer timer;
    timer.start();
    _SetDllInstance(4711);
    EXPECT_GE(timer.elapsed(), 1400);
    EXPECT_LT(timer.elapsed(), 3000);
}

TEST_F(SetDllInstance, IgnoresAZeroHandle)
{
    partners::windows().lista_firm_form = new QWidget;
    _SetDllInstance(0);
    EXPECT_FALSE(partners::windows().lista_firm_form->property(partners::HostInstanceProperty).isValid());
}

TEST(IsEdited, ReportsAnOpenShownEditorOnly)
{
    EXPECT_EQ(_isEdited(), 0);
    QWidget editor;
    partners::windows().edycja_firmy_form = &editor;
    EXPECT_EQ(_isEdited(), 0);
    editor.show();
    EXPECT_EQ(_isEdited(), 1);
    editor.close();
    EXPECT_EQ(_isEdited(), 0);
}

} // namespace
