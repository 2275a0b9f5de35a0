#include "partners_api.h"
#include "ramka/modul.h"

#include <QLibrary>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The host finds the module through the shared library's exports.
TEST(IdentityExports, AnswerThroughTheBuiltLibrary)
{
    QLibrary library(QStringLiteral(MALVO_BIN_DIR "/libpartners.so"));
    ASSERT_TRUE(library.load()) << library.errorString().toStdString();
    const auto entry = [&](const char *name) { return reinterpret_cast<GetStringEntry>(library.resolve(name)); };
    const auto name = entry("_GetModuleName");
    const auto dllCode = entry("_GetDllCode");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(dllCode, nullptr);
    EXPECT_EQ(dllCode(), name() + u"_PARTNERS"_s);
}

class SetDllInstance : public testing::Test
{
protected:
    void SetUp() override { partners::ustawOczekiwanieNaListe(std::chrono::milliseconds(2)); }
    void TearDown() override
    {
        delete partners::windows().lista_firm_form;
        partners::ustawOczekiwanieNaListe(std::chrono::milliseconds(500));
    }
    QVariant handle() const { return partners::windows().lista_firm_form->property(partners::HostInstanceProperty); }
};

// A non-zero handle goes to the open list window; without one it gives up after its waits, and a window opened
// later does not get the handle.
TEST_F(SetDllInstance, StoresANonZeroHandleInTheOpenListWindowOnly)
{
    _SetDllInstance(4711);
    partners::windows().lista_firm_form = new QWidget;
    EXPECT_FALSE(handle().isValid());
    _SetDllInstance(0);
    EXPECT_FALSE(handle().isValid());
    _SetDllInstance(4711);
    EXPECT_EQ(handle().toInt(), 4711);
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
