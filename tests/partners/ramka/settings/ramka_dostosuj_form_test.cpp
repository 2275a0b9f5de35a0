#include "ramka/settings/ramka_dostosuj_form.h"
#include "ramka/settings/ust_kolumna.h"
#include "ramka_test_support.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace ramka;

namespace {

TUstKolumna kol(const char *pole, bool widoczna = true)
{
    return kolumnaTestowa(pole, 100, widoczna);
}

QStringList teksty(const QListWidget *lista)
{
    QStringList wynik;
    for (int r = 0; r < lista->count(); ++r)
        wynik << lista->item(r)->data(Qt::UserRole).toString();
    return wynik;
}

QStringList widocznePola(const UkladKolumn &u)
{
    QStringList wynik;
    for (const TUstKolumna &k : u)
        if (k.widoczna && !czyKolumnaZaznaczenia(k))
            wynik << k.pole;
    return wynik;
}

class DostosujTest : public testing::Test
{
protected:
    void otworz(UkladKolumn uklad)
    {
        numeruj(uklad);
        form = std::make_unique<Tramka_dostosuj_form>(uklad);
        form->show();
        dostepne = form->findChild<QListWidget *>(u"dostepne"_s);
        widoczne = form->findChild<QListWidget *>(u"widoczne"_s);
        ASSERT_TRUE(dostepne && widoczne);
    }

    QToolButton *przycisk(const char *nazwa) { return form->findChild<QToolButton *>(QLatin1String(nazwa)); }

    void kliknij(const char *nazwa)
    {
        QToolButton *b = przycisk(nazwa);
        ASSERT_TRUE(b) << nazwa;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    std::unique_ptr<Tramka_dostosuj_form> form;
    QListWidget *dostepne = nullptr;
    QListWidget *widoczne = nullptr;
};

} // namespace

TEST_F(DostosujTest, RemovingEverySelectedColumnOrAllKeepsOneVisible)
{
    otworz({kol("a"), kol("b"), kol("c")});
    form->zaznacz({"a", "b", "c"});
    kliknij("LWD_usun");
    ASSERT_EQ(widocznePola(form->uklad()).size(), 1);
    ASSERT_EQ(widoczne->count(), 1);
    EXPECT_FALSE(przycisk("LWD_usun")->isEnabled());
    EXPECT_FALSE(przycisk("LWD_usun_wszystkie")->isEnabled());

    // Neither the button nor a double click hides the last one.
    form->zaznacz({widocznePola(form->uklad()).first()});
    form->usunZaznaczone();
    form->usunWszystkie();
    emit widoczne->itemDoubleClicked(widoczne->item(0));
    EXPECT_EQ(widocznePola(form->uklad()).size(), 1);

    // The lists follow visibility and skip the selection column; removing all keeps the first visible column.
    otworz({kol(KolumnaZaznaczenia), kol("a", false), kol("b"), kol("c"), kol("d", false)});
    EXPECT_EQ(teksty(widoczne), (QStringList{"b", "c"}));
    EXPECT_EQ(teksty(dostepne), (QStringList{"a", "d"}));
    kliknij("LWD_usun_wszystkie");
    EXPECT_EQ(widocznePola(form->uklad()), (QStringList{"b"}));
    EXPECT_EQ(teksty(dostepne), (QStringList{"a", "c", "d"}));
}

TEST_F(DostosujTest, AddingShowsColumnsInTheirGridPlaceAndAnnouncesTheLayout)
{
    otworz({kol("a"), kol("b", false), kol("c"), kol("d", false)});
    QSignalSpy spy(form.get(), &Tramka_dostosuj_form::ukladZmieniony);
    EXPECT_FALSE(przycisk("LWD_dodaj")->isEnabled());
    form->zaznacz({"b"});
    EXPECT_TRUE(przycisk("LWD_dodaj")->isEnabled());
    kliknij("LWD_dodaj");
    EXPECT_EQ(teksty(widoczne), (QStringList{"a", "b", "c"}));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(widocznePola(spy.at(0).at(0).value<UkladKolumn>()), (QStringList{"a", "b", "c"}));
    kliknij("LWD_dodaj_wszystkie");
    EXPECT_EQ(teksty(widoczne), (QStringList{"a", "b", "c", "d"}));
    EXPECT_FALSE(przycisk("LWD_dodaj_wszystkie")->isEnabled());
}

TEST_F(DostosujTest, UpAndDownMoveSelectedBlocksAmongVisibleColumnsLeavingHiddenSlotsAlone)
{
    otworz({kol("a"), kol("x", false), kol("b"), kol("c")});
    form->zaznacz({"c"});
    EXPECT_FALSE(przycisk("down")->isEnabled());
    EXPECT_FALSE(przycisk("LWD_dodaj")->isEnabled());
    kliknij("up");
    kliknij("up");
    EXPECT_EQ(teksty(widoczne), (QStringList{"c", "a", "b"}));
    EXPECT_EQ(polaUkladu(form->uklad()), (QStringList{"c", "x", "a", "b"}));
    EXPECT_FALSE(przycisk("up")->isEnabled());
    EXPECT_TRUE(przycisk("down")->isEnabled());
    for (int i = 0; i < int(form->uklad().size()); ++i)
        EXPECT_EQ(form->uklad()[i].kolejnosc, i);

    // A selected block moves together.
    form->zaznacz({"a", "b"});
    kliknij("up");
    EXPECT_EQ(teksty(widoczne), (QStringList{"a", "b", "c"}));
    EXPECT_FALSE(przycisk("up")->isEnabled());
    kliknij("down");
    EXPECT_EQ(teksty(widoczne), (QStringList{"c", "a", "b"}));
    EXPECT_FALSE(przycisk("down")->isEnabled());
}

TEST_F(DostosujTest, ReorderingTheVisibleListReordersTheGrid)
{
    otworz({kol("a"), kol("b"), kol("h", false), kol("c")});
    QSignalSpy spy(form.get(), &Tramka_dostosuj_form::ukladZmieniony);
    // What a drop inside the list does to its model.
    ASSERT_TRUE(widoczne->model()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(polaUkladu(form->uklad()), (QStringList{"c", "a", "h", "b"}));
    EXPECT_GE(spy.count(), 1);
}

// ---- the layout rules the dialog and the store share -------------------------------------------

TEST(ZastosujZapisane, StoredOrderComesFirstAndOthersFollowInDesignOrderWithoutGaps)
{
    const UkladKolumn u = zastosujZapisane(
        projektTestowy(),
        {{"miasto", "Resstrings_IDS_Miasto", 77, true, 1}, {"nazwa", "Resstrings_IDS_nazwa", 150, false, 2}});
    EXPECT_EQ(polaUkladu(u), (QStringList{KolumnaZaznaczenia, "miasto", "nazwa", "skrot", "nip"}));
    EXPECT_EQ(u[1].napis, "Resstrings_IDS_Miasto");
    // Columns without a record keep their design values.
    EXPECT_EQ(u[3].szerokosc, 100);
    EXPECT_TRUE(u[3].widoczna);

    // Records of removed columns are skipped without leaving gaps; a repeated one counts once.
    const UkladKolumn bezUsunietych = zastosujZapisane(
        projektTestowy(),
        {{"usunieta", "x", 5, true, 0}, {"nip", "Resstrings_IDS_nip", 50, true, 0}, {"NIP", "powtorka", 60, false, 0}});
    EXPECT_EQ(polaUkladu(bezUsunietych), (QStringList{KolumnaZaznaczenia, "nip", "skrot", "nazwa", "miasto"}));
    EXPECT_EQ(bezUsunietych[1].szerokosc, 50);
    EXPECT_TRUE(bezUsunietych[1].widoczna);
}

TEST(CzyUkladZmieniony, OnlyOrderFieldVisibilityAndWidthCount)
{
    const UkladKolumn a = projektTestowy();
    const std::pair<std::function<void(UkladKolumn &)>, bool> zmiany[] = {
        {[](UkladKolumn &b) { b[1].napis = u"inny"_s, b[1].wyrownanie = 2; }, false},
        {[](UkladKolumn &b) { b[2].szerokosc += 1; }, true},
        {[](UkladKolumn &b) { b[3].widoczna = false; }, true},
        {[](UkladKolumn &b) { std::swap(b[1], b[2]); }, true},
        {[](UkladKolumn &b) { b.pop_back(); }, true}};
    for (const auto &[zmien, zmieniony] : zmiany) {
        UkladKolumn b = a;
        zmien(b);
        EXPECT_EQ(czyUkladZmieniony(a, b), zmieniony);
    }
}

TEST(UkladPoResecie, DropsDefaultsWithoutAColumnKeepsUnknownColumnsAndAReadOnlyVisibility)
{
    UkladKolumn biezacy = {kolumnaTestowa("nip", 10, false), kolumnaTestowa("dodana", 30), kolumnaTestowa("skrot", 40)};
    const UkladKolumn u = ukladPoResecie(projektTestowy(), biezacy, false);
    EXPECT_EQ(polaUkladu(u), (QStringList{"skrot", "nip", "dodana"}));
    EXPECT_EQ(u[2].kolejnosc, 2);

    // A read-only list keeps its visibility.
    UkladKolumn tylkoDoOdczytu = projektTestowy();
    tylkoDoOdczytu[2].widoczna = false;
    tylkoDoOdczytu[2].szerokosc = 5;
    const UkladKolumn r = ukladPoResecie(projektTestowy(), tylkoDoOdczytu, true);
    EXPECT_FALSE(r[2].widoczna);
    EXPECT_EQ(r[2].szerokosc, 200);
}
