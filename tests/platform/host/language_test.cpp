#include "host_funcs.h"
#include "services.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class LanguageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        auto &s = host::services();
        s.setTranslation(QStringLiteral("Resstrings_IDS_Firmy"), QStringLiteral("Firmy"));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Zapisz"), QStringLiteral("Zapisz"));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Zapisz_hint"), QStringLiteral("Zapisuje rekord"));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Dane_Ogolne"), QStringLiteral("Dane ogólne"));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Adres"), QStringLiteral("Adres"));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Szukaj"), QStringLiteral("Szukaj..."));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Menu"), QStringLiteral("Akcje"));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Usun"), QStringLiteral("Usuń"));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Nazwa"), QStringLiteral("Nazwa"));
        s.setTranslation(QStringLiteral("Resstrings_IDS_Aktywna"), QStringLiteral("Aktywna"));
    }
    void TearDown() override { host::services().reset(); }
};

TEST_F(LanguageTest, MissingKeyGivesTheKeyAndSaysSo)
{
    bool exists = true;
    EXPECT_EQ(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Nie_ma"), &exists),
              QStringLiteral("Resstrings_IDS_Nie_ma"));
    EXPECT_FALSE(exists);
    EXPECT_EQ(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Firmy"), &exists), QStringLiteral("Firmy"));
    EXPECT_TRUE(exists);
}

TEST_F(LanguageTest, KeysMatchWithoutPrefixAndLetterCase)
{
    EXPECT_EQ(host::LoadResstrings(QStringLiteral("resstrings_ids_FIRMY")), QStringLiteral("Firmy"));
    EXPECT_EQ(host::LoadResstrings(QStringLiteral("Firmy")), QStringLiteral("Firmy"));
}

TEST_F(LanguageTest, WindowTreeIsTranslated)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Resstrings_IDS_Firmy"));
    auto *layout = new QVBoxLayout(&window);
    auto *save = new QPushButton(QStringLiteral("Resstrings_IDS_Zapisz"));
    save->setToolTip(QStringLiteral("Resstrings_IDS_Zapisz_hint"));
    auto *tabs = new QTabWidget;
    auto *page = new QWidget;
    tabs->addTab(page, QStringLiteral("Resstrings_IDS_Dane_Ogolne"));
    auto *group = new QGroupBox(QStringLiteral("Resstrings_IDS_Adres"), page);
    auto *label = new QLabel(QStringLiteral("Resstrings_IDS_Nie_ma_klucza"), group);
    auto *plain = new QLabel(QStringLiteral("NIP"), group);
    auto *search = new QLineEdit(page);
    search->setPlaceholderText(QStringLiteral("Resstrings_IDS_Szukaj"));
    auto *menu = new QMenu(QStringLiteral("Resstrings_IDS_Menu"), &window);
    QAction *remove = menu->addAction(QStringLiteral("Resstrings_IDS_Usun"));
    auto *grid = new QTableWidget(0, 2);
    grid->setHorizontalHeaderLabels({QStringLiteral("Resstrings_IDS_Nazwa"), QStringLiteral("Resstrings_IDS_Aktywna")});
    auto *combo = new QComboBox;
    combo->addItems({QStringLiteral("Resstrings_IDS_Aktywna"), QStringLiteral("Resstrings_IDS_Firmy")});
    for (QWidget *w : {static_cast<QWidget *>(save), static_cast<QWidget *>(tabs), static_cast<QWidget *>(grid),
                       static_cast<QWidget *>(combo)})
        layout->addWidget(w);

    host::InitializeLanguage(QStringLiteral("partners.dll"), &window);

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Firmy"));
    EXPECT_EQ(save->text(), QStringLiteral("Zapisz"));
    EXPECT_EQ(save->toolTip(), QStringLiteral("Zapisuje rekord"));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Dane ogólne"));
    EXPECT_EQ(group->title(), QStringLiteral("Adres"));
    EXPECT_EQ(label->text(), QStringLiteral("Resstrings_IDS_Nie_ma_klucza"));
    EXPECT_EQ(plain->text(), QStringLiteral("NIP"));
    EXPECT_EQ(search->placeholderText(), QStringLiteral("Szukaj..."));
    EXPECT_EQ(menu->title(), QStringLiteral("Akcje"));
    EXPECT_EQ(remove->text(), QStringLiteral("Usuń"));
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Nazwa"));
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Aktywna"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Firmy"));
}

TEST_F(LanguageTest, TextThatOnlyStartsLikeAKeyIsLeftAlone)
{
    QLabel label(QStringLiteral("Resstrings_IDS_Firmy i inne"));
    host::InitializeLanguage(QStringLiteral("partners.dll"), &label);
    EXPECT_EQ(label.text(), QStringLiteral("Resstrings_IDS_Firmy i inne"));
}

} // namespace
