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
#include <gtest/gtest.h>

namespace {

class LanguageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const QStringList keysAndTexts = {
            "Firmy", "Firmy", "Zapisz",  "Zapisz",    "Zapisz_hint", "Zapisuje rekord", "Dane_Ogolne", "Dane ogólne",
            "Adres", "Adres", "Szukaj",  "Szukaj...", "Menu",        "Akcje",           "Usun",        "Usuń",
            "Nazwa", "Nazwa", "Aktywna", "Aktywna"};
        for (int i = 0; i < keysAndTexts.size(); i += 2)
            host::services().setTranslation("Resstrings_IDS_" + keysAndTexts[i], keysAndTexts[i + 1]);
    }
    void TearDown() override { host::services().reset(); }
};

TEST_F(LanguageTest, KeysMatchLooselyAndTheWindowTreeIsTranslated)
{
    bool exists = true;
    EXPECT_EQ(host::LoadResstrings("Resstrings_IDS_Nie_ma", &exists), "Resstrings_IDS_Nie_ma");
    EXPECT_FALSE(exists);
    EXPECT_EQ(host::LoadResstrings("Resstrings_IDS_Firmy", &exists), "Firmy");
    EXPECT_TRUE(exists);
    EXPECT_EQ(host::LoadResstrings("resstrings_ids_FIRMY"), "Firmy");
    EXPECT_EQ(host::LoadResstrings("Firmy"), "Firmy");

    QWidget window;
    window.setWindowTitle("Resstrings_IDS_Firmy");
    auto *layout = new QVBoxLayout(&window);
    auto *save = new QPushButton("Resstrings_IDS_Zapisz");
    save->setToolTip("Resstrings_IDS_Zapisz_hint");
    auto *tabs = new QTabWidget;
    auto *page = new QWidget;
    tabs->addTab(page, "Resstrings_IDS_Dane_Ogolne");
    auto *group = new QGroupBox("Resstrings_IDS_Adres", page);
    auto *label = new QLabel("Resstrings_IDS_Nie_ma_klucza", group);
    auto *plain = new QLabel("NIP", group);
    auto *sentence = new QLabel("Resstrings_IDS_Firmy i inne", group);
    auto *search = new QLineEdit(page);
    search->setPlaceholderText("Resstrings_IDS_Szukaj");
    auto *menu = new QMenu("Resstrings_IDS_Menu", &window);
    QAction *remove = menu->addAction("Resstrings_IDS_Usun");
    auto *grid = new QTableWidget(0, 2);
    grid->setHorizontalHeaderLabels({"Resstrings_IDS_Nazwa", "Resstrings_IDS_Aktywna"});
    auto *combo = new QComboBox;
    combo->addItems({"Resstrings_IDS_Aktywna", "Resstrings_IDS_Firmy"});
    for (QWidget *w : std::initializer_list<QWidget *>{save, tabs, grid, combo})
        layout->addWidget(w);

    host::InitializeLanguage("partners.dll", &window);

    EXPECT_EQ(window.windowTitle(), "Firmy");
    EXPECT_EQ(save->text(), "Zapisz");
    EXPECT_EQ(save->toolTip(), "Zapisuje rekord");
    EXPECT_EQ(tabs->tabText(0), "Dane ogólne");
    EXPECT_EQ(group->title(), "Adres");
    EXPECT_EQ(label->text(), "Resstrings_IDS_Nie_ma_klucza");
    EXPECT_EQ(plain->text(), "NIP");
    EXPECT_EQ(sentence->text(), "Resstrings_IDS_Firmy i inne"); // only starts like a key
    EXPECT_EQ(search->placeholderText(), "Szukaj...");
    EXPECT_EQ(menu->title(), "Akcje");
    EXPECT_EQ(remove->text(), "Usuń");
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Nazwa");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Aktywna");
    EXPECT_EQ(combo->itemText(1), "Firmy");
}

} // namespace
