#include "lists/szybkie_szukanie_kontroler.h"

#include "lists/firmy_list_box.h"
#include "lists/szybkie_szukanie.h"

#include "dataset.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

using Wiersz = std::vector<QVariant>;

Wiersz firma(int id, const QString &nazwa, const QString &wlasciciel = {}, const QString &mail = {})
{
    return {id, nazwa, QString(), QString(), u"Poznań"_s, wlasciciel, mail};
}

// Rows: id, nazwa, nip, skrot, miasto, wlasciciel, e_mail.
void otworz(db::DataSet &lista, std::vector<Wiersz> wiersze)
{
    QList<db::FieldDef> pola{{u"id"_s, QMetaType::Int}};
    for (const char *nazwa : {"nazwa", "nip", "skrot", "miasto", "wlasciciel", "e_mail"})
        pola << db::FieldDef{QString::fromLatin1(nazwa)};
    lista.openFromRows(pola, std::move(wiersze));
}

// "kow" matches 10 (name), 20 (owner) and 40 (e-mail), in list order.
std::vector<Wiersz> firmy()
{
    return {firma(10, u"Kowbud Trans"_s), firma(20, u"Beta"_s, u"Jan Kowal"_s), firma(30, u"Gamma"_s),
            firma(40, u"Nowak"_s, {}, u"kowal@x.pl"_s)};
}

class SzybkieSzukanieKontrolerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        okno.resize(700, 500);
        auto *uklad = new QVBoxLayout(&okno);
        fraza = new QLineEdit(&okno);
        siatka = new QTableView(&okno);
        uklad->addWidget(fraza);
        uklad->addWidget(siatka, 1);
        kontroler = std::make_unique<SzybkieSzukanieKontroler>(fraza, siatka, [this](int id) { wybrane << id; });
        otworz(lista, firmy());
        kontroler->przebuduj(lista);
        okno.show();
        okno.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
        fraza->setFocus();
    }

    QStringList pokazane()
    {
        QStringList wynik;
        FirmyListBox *l = kontroler->lista();
        for (int i = 0; i < l->liczbaWpisow(); ++i)
            wynik << l->tekstWpisu(i);
        return wynik;
    }

    QString tekstFirmy(int id) const
    {
        const SzybkieSzukanieFirm &indeks = kontroler->indeks();
        for (int p = 0; p < indeks.liczba(); ++p)
            if (indeks.id(p) == id)
                return indeks.tekst(p);
        return {};
    }

    QWidget okno;
    QLineEdit *fraza = nullptr;
    QTableView *siatka = nullptr;
    db::DataSet lista;
    std::unique_ptr<SzybkieSzukanieKontroler> kontroler;
    QList<int> wybrane;
};

TEST_F(SzybkieSzukanieKontrolerTest, PisaniePokazujeTylkoPasujaceWpisyPodPolem)
{
    QTest::keyClicks(fraza, u"kow"_s);
    ASSERT_TRUE(kontroler->widoczna());
    EXPECT_EQ(pokazane(), (QStringList{tekstFirmy(10), tekstFirmy(20), tekstFirmy(40)}));
    FirmyListBox *l = okno.findChild<FirmyListBox *>(u"FirmyListBox"_s);
    ASSERT_EQ(l, kontroler->lista());
    EXPECT_EQ(l->geometry().top(), fraza->geometry().bottom() + 1);
    EXPECT_EQ(l->podswietlony(), -1);

    // The list follows each key, and hides when nothing matches.
    QTest::keyClick(fraza, Qt::Key_A);
    EXPECT_EQ(pokazane(), (QStringList{tekstFirmy(20), tekstFirmy(40)}));
    QTest::keyClicks(fraza, u"zz"_s);
    EXPECT_FALSE(kontroler->widoczna());
    EXPECT_EQ(QApplication::focusWidget(), fraza);
}

TEST_F(SzybkieSzukanieKontrolerTest, StrzalkiIEnterWybierajaBezSzukaniaFrazy)
{
    QSignalSpy enter(fraza, &QLineEdit::returnPressed);
    QTest::keyClicks(fraza, u"kow"_s);
    QTest::keyClick(fraza, Qt::Key_Down);
    QTest::keyClick(fraza, Qt::Key_Down);
    QTest::keyClick(fraza, Qt::Key_Down);
    QTest::keyClick(fraza, Qt::Key_Down); // stays on the last
    QTest::keyClick(fraza, Qt::Key_Up);
    EXPECT_EQ(kontroler->lista()->podswietlony(), 1);
    QTest::keyClick(fraza, Qt::Key_Return);
    EXPECT_EQ(wybrane, QList<int>{20});
    EXPECT_EQ(enter.count(), 0);
    EXPECT_FALSE(kontroler->widoczna());
    EXPECT_EQ(fraza->text(), u"kow"_s);

    // With no highlight Enter is the phrase search's again.
    QTest::keyClick(fraza, Qt::Key_A);
    ASSERT_TRUE(kontroler->widoczna());
    QTest::keyClick(fraza, Qt::Key_Return);
    EXPECT_EQ(wybrane, QList<int>{20});
    EXPECT_EQ(enter.count(), 1);
    EXPECT_FALSE(kontroler->widoczna());
}

TEST_F(SzybkieSzukanieKontrolerTest, EscapeISiatkaUkrywajaAF2NieOdswiezaListy)
{
    QTest::keyClicks(fraza, u"kow"_s);
    QTest::keyClick(fraza, Qt::Key_Down);
    QTest::keyClick(fraza, Qt::Key_Escape);
    EXPECT_FALSE(kontroler->widoczna());

    QTest::keyClick(fraza, Qt::Key_F2);
    EXPECT_FALSE(kontroler->widoczna());
    // A hidden list keeps no highlight for Enter to pick.
    QTest::keyClick(fraza, Qt::Key_Return);
    EXPECT_TRUE(wybrane.isEmpty());

    QTest::keyClick(fraza, Qt::Key_Left);
    EXPECT_TRUE(kontroler->widoczna());
    EXPECT_EQ(kontroler->lista()->liczbaWpisow(), 3);

    // Going into the grid hides it too.
    siatka->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(kontroler->widoczna());
}

TEST_F(SzybkieSzukanieKontrolerTest, KlikWybieraAFokusZostajeWPolu)
{
    QTest::keyClicks(fraza, u"kow"_s);
    FirmyListBox *l = kontroler->lista();
    const QPoint punkt = l->prostokatWiersza(2).center();
    QTest::mousePress(l->viewport(), Qt::LeftButton, {}, punkt);
    EXPECT_EQ(QApplication::focusWidget(), fraza);
    EXPECT_TRUE(wybrane.isEmpty());
    QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, punkt);
    EXPECT_EQ(wybrane, QList<int>{40});
    EXPECT_FALSE(kontroler->widoczna());
}

TEST_F(SzybkieSzukanieKontrolerTest, PrzebudowaUkrywaIPodajeNoweWpisyWTejSamejLiscie)
{
    QTest::keyClicks(fraza, u"kow"_s);
    FirmyListBox *przed = kontroler->lista();

    std::vector<Wiersz> duzo;
    for (int i = 1; i <= SzybkieSzukanieKontroler::NajwiecejWpisow + 50; ++i)
        duzo.push_back(firma(i, u"Kowalczyk %1"_s.arg(i)));
    lista.close();
    EXPECT_FALSE(kontroler->widoczna());
    EXPECT_EQ(kontroler->indeks().liczba(), 0) << "the entries' rows went with the old result";
    otworz(lista, std::move(duzo));
    // Typed before the index is built in the background: the key finishes it.
    kontroler->przebuduj(lista);

    QTest::keyClick(fraza, Qt::Key_End);
    ASSERT_TRUE(kontroler->widoczna());
    EXPECT_EQ(kontroler->lista(), przed);
    EXPECT_EQ(przed->liczbaWpisow(), SzybkieSzukanieKontroler::NajwiecejWpisow);
    EXPECT_LE(przed->height(),
              FirmyListBox::NajwiecejWierszy * przed->wysokoscWiersza() + 2 * przed->frameWidth()
                  + przed->horizontalScrollBar()->sizeHint().height());

    // Down past the visible rows scrolls the highlight into view.
    for (int i = 0; i < FirmyListBox::NajwiecejWierszy + 3; ++i)
        QTest::keyClick(fraza, Qt::Key_Down);
    const QRect r = przed->prostokatWiersza(przed->podswietlony());
    EXPECT_GT(przed->verticalScrollBar()->value(), 0);
    EXPECT_LE(r.bottom() - przed->verticalScrollBar()->value(), przed->viewport()->height());
    QTest::keyClick(fraza, Qt::Key_Return);
    EXPECT_EQ(wybrane, QList<int>{FirmyListBox::NajwiecejWierszy + 3});
}

// Each column starts 10 px after the widest text of the one before, across
// all shown entries.
TEST(FirmyListBox, KolumnyZaczynajaSieZaNajszerszymTekstemPoprzedniej)
{
    FirmyListBox l;
    const QString krotka = u"Ab"_s, dluga = u"Przedsiębiorstwo Wielobranżowe"_s;
    l.ustawWpisy({krotka + u";;;;;;;;;Kraków"_s, dluga + u";;;;;;;;;Łódź"_s}, u"kra"_s);
    const QList<int> &x = l.poczatkiKolumn();
    ASSERT_EQ(x.size(), 10);
    EXPECT_EQ(x[1] - x[0], l.fontMetrics().horizontalAdvance(dluga) + FirmyListBox::OdstepKolumn);
    for (int k = 2; k < 10; ++k)
        EXPECT_EQ(x[k] - x[k - 1], FirmyListBox::OdstepKolumn) << k;
}

bool maKolor(const QImage &obraz, int y, const QColor &kolor, int od = 0, int doX = -1)
{
    if (doX < 0)
        doX = obraz.width();
    for (int x = od; x < doX; ++x)
        if (obraz.pixelColor(x, y).rgb() == kolor.rgb())
            return true;
    return false;
}

TEST_F(SzybkieSzukanieKontrolerTest, RysujeTrafienieNaZielonoAPodswietlenieNaSzaro)
{
    QTest::keyClicks(fraza, u"kow"_s);
    QTest::keyClick(fraza, Qt::Key_Down);
    QTest::keyClick(fraza, Qt::Key_Down); // highlights "Beta ... Jan Kowal"
    FirmyListBox *l = kontroler->lista();
    const QImage obraz = l->viewport()->grab().toImage();
    const QColor zielony(191, 255, 191), szary(230, 230, 230), bialy(255, 255, 255);

    // Row 0: "Kowbud Trans", matched at the start of the first column.
    // Backgrounds are read on a row's top line, above the glyphs.
    const QRect r0 = l->prostokatWiersza(0);
    const int x0 = l->poczatkiKolumn().at(0);
    EXPECT_TRUE(maKolor(obraz, r0.center().y(), zielony, x0, x0 + 3));
    EXPECT_FALSE(maKolor(obraz, r0.top(), szary));
    EXPECT_TRUE(maKolor(obraz, r0.top(), bialy));

    // Row 1: highlighted; green only inside the owner column, never in the name.
    const QRect r1 = l->prostokatWiersza(1);
    const int kolumnaWlasciciela = 14;
    const int xW = l->poczatkiKolumn().at(kolumnaWlasciciela);
    EXPECT_TRUE(maKolor(obraz, r1.top() + 1, szary));
    EXPECT_FALSE(maKolor(obraz, r1.top(), bialy));
    EXPECT_FALSE(maKolor(obraz, r1.center().y(), zielony, 0, xW));
    EXPECT_TRUE(maKolor(obraz, r1.center().y(), zielony, xW, obraz.width()));
}

// ---- the index and its rules, without a window ----------------------------------------

// Polish letters in every searched column.
std::vector<Wiersz> polskie()
{
    return {{10, u"Żółw Transport Sp. z o.o."_s, u"5260001246"_s, u"ŻÓŁW"_s, u"Łódź"_s, u"Jan Źdźbło"_s,
             u"biuro@zolw.pl"_s},
            {20, u"Zakład Łąka"_s, QVariant(), u"ŁĄKA"_s, u"Kraków"_s, u"Anna Nowak"_s, u"laka@o2.pl"_s},
            {30, u"Beta Spedycja"_s, u"7010002137"_s, u"BETA"_s, u"Gdańsk"_s, u"Ewa Łódzka"_s, u"beta@beta.pl"_s}};
}

QList<int> idy(const SzybkieSzukanieFirm &s, const QList<int> &pozycje)
{
    QList<int> wynik;
    for (int p : pozycje)
        wynik << s.id(p);
    return wynik;
}

TEST(SzybkieSzukanieFirm, ZnajdujeBezWzgleduNaWielkoscLiterWKolejnosciListy)
{
    db::DataSet lista;
    otworz(lista, polskie());
    SzybkieSzukanieFirm s;
    s.zbuduj(lista);
    const std::pair<const char *, QList<int>> frazy[] = {
        {"żółw", {10}},          {"ŻÓŁW", {10}},   {"łódź", {10}},       {"ŁÓDZ", {30}}, // Łódzka, not Łódź
        {"łąka", {20}},          {"ŹDŹBŁO", {10}}, {"7010002137", {30}}, {"@", {10, 20, 30}}, {"", {}}, {"xyz", {}},
        {"zolw", {10}},            // e-mail only: no letter folding beyond case
        {"5260001246;;;ż", {10}}}; // nip, its separator, skrot
    for (const auto &[fraza, oczekiwane] : frazy)
        EXPECT_EQ(idy(s, s.znajdz(QString::fromUtf8(fraza))), oczekiwane) << fraza;
}

TEST(SzybkieSzukanieFirm, IndeksIdzieZaSortowaniemIFiltremINieRuszaBiezacego)
{
    db::DataSet lista;
    otworz(lista, polskie());
    lista.setSort(u"nazwa DESC"_s);
    lista.setFilter(u"id <> 20"_s);
    lista.first();
    lista.next();
    const QVariant biezacy = lista.value(u"id"_s);
    SzybkieSzukanieFirm s;
    s.zbuduj(lista);
    ASSERT_EQ(s.liczba(), 2);
    EXPECT_EQ(s.id(0), 10);
    EXPECT_EQ(s.id(1), 30);
    EXPECT_TRUE(s.tekst(0).startsWith(u"Żółw Transport"_s));
    EXPECT_EQ(lista.value(u"id"_s), biezacy);
}

// Of several matches in a column the first is shown in bold.
TEST(ZakresTrafienia, PierwszeTrafienie)
{
    const ZakresTrafienia z = zakresTrafienia(u"abcabc"_s, u"C"_s);
    EXPECT_EQ(z.poczatek, 2);
    EXPECT_EQ(z.dlugosc, 1);
}

// The highlight stays inside the list; -1 is none.
TEST(PrzesunPodswietlenie, ZostajeWLiscie)
{
    const int ruchy[][4] = {{-1, 1, 3, 0}, {0, 1, 3, 1},    {2, 1, 3, 2}, {1, -1, 3, 0},
                            {0, -1, 3, 0}, {-1, -1, 3, -1}, {0, 1, 0, -1}}; // current, step, count, result
    for (const auto &r : ruchy)
        EXPECT_EQ(przesunPodswietlenie(r[0], r[1], r[2]), r[3]) << r[0] << " " << r[1] << " " << r[2];
}

} // namespace
