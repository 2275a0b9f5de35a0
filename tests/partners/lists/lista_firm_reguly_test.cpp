#include "lists/kolor_statusu.h"
#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_reguly.h"

#include "host_fixture.h"
#include "host_variables.h"
#include "list_palette.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

QStringList pola(const UkladKolumn &uklad)
{
    QStringList wynik;
    for (const TUstKolumna &k : uklad)
        wynik << k.pole;
    return wynik;
}

// Each option takes away its own columns and nothing else; the rest keep their order, numbered again.
TEST(KolumnyListyFirm, OpcjeUsuwajaSwojeKolumny)
{
    const QStringList pelny = pola(kolumnyListyFirm());
    const QStringList aktywna{QString::fromLatin1(KolumnaAktywna)};
    const struct
    {
        const char *jezyk;
        bool ograniczona, aktywna;
        QStringList usuwane;
    } przypadki[] = {{"PL", false, true, {}},
                     {"en", false, true, kolumnyTylkoPolskie()},
                     {"pl", true, true, kolumnyWersjiOgraniczonej()},
                     {"pl", false, false, aktywna},
                     {"de", true, false, kolumnyTylkoPolskie() + kolumnyWersjiOgraniczonej() + aktywna}};
    for (const auto &p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.jezyk << p.ograniczona << p.aktywna);
        QStringList oczekiwane = pelny;
        for (const QString &u : p.usuwane)
            EXPECT_EQ(oczekiwane.removeAll(u), 1) << u.toStdString();
        const UkladKolumn uklad = kolumnyListyFirm({QString::fromLatin1(p.jezyk), p.ograniczona, p.aktywna});
        EXPECT_EQ(pola(uklad), oczekiwane);
        EXPECT_EQ(uklad.size() < size_t(pelny.size()), p.jezyk[0] != 'P') << "only the full options keep all";
        for (int i = 0; i < int(uklad.size()); ++i)
            EXPECT_EQ(uklad[i].kolejnosc, i);
    }
}

// Stored the suite's way, 0x00BBGGRR, as a number or its text; system colours and junk are no colour.
TEST(KolorZBGR, CzytaBajtyOdCzerwonego)
{
    const std::pair<QVariant, QColor> przypadki[] = {{QVariant(u"13561798"_s), QColor(0xC6, 0xEF, 0xCE)},
                                                     {QVariant(u"0x9CEBFF"_s), QColor(0xFF, 0xEB, 0x9C)},
                                                     {QVariant(QMetaType::fromType<int>()), QColor()},
                                                     {QVariant(qlonglong(0x80000005)), QColor()},
                                                     {QVariant(-1), QColor()},
                                                     {QVariant(u"zielony"_s), QColor()}};
    for (const auto &[wartosc, kolor] : przypadki)
        EXPECT_EQ(kolorZBGR(wartosc).isValid() ? kolorZBGR(wartosc).rgb() : 0u, kolor.isValid() ? kolor.rgb() : 0u)
            << wartosc.toString().toStdString();
}

// Deleting is refused, with that message, while the active company is among the selected.
TEST(BlokadaUsuwania, AktywnaFirmaWZaznaczeniu)
{
    const struct
    {
        QList<int> zaznaczone;
        int aktywna;
        bool zablokowane;
    } przypadki[] = {{{5}, 5, true}, {{1, 2, 5, 9}, 5, true}, {{1, 2, 9}, 5, false},
                     {{}, 5, false}, {{0, 3}, 0, false},      {{50}, 5, false}};
    for (const auto &u : przypadki)
        EXPECT_EQ(blokadaUsuwaniaFirm(u.zaznaczone, u.aktywna),
                  u.zablokowane ? u"Resstrings_IDS_Nie_mozna_usunac_aktywnej_firmy"_s : QString())
            << u.aktywna;
}

// The row entries need one selected row of an open list whose window is not being opened.
TEST(MenuKontekstowe, JedenZaznaczonyWiersz)
{
    const struct
    {
        bool otwarta, otwierana;
        int zaznaczone;
        bool zmien, wlaczone;
    } przypadki[] = {{true, false, 1, true, true},
                     {true, false, 0, true, false},
                     {true, false, 2, true, false},
                     {false, false, 1, false, false},
                     {true, true, 1, false, false}};
    for (const auto &m : przypadki) {
        SCOPED_TRACE(testing::Message() << m.otwarta << m.otwierana << m.zaznaczone);
        const StanMenuKontekstowego s = stanMenuKontekstowego(m.otwarta, m.otwierana, m.zaznaczone);
        EXPECT_EQ(s.zmien, m.zmien);
        EXPECT_EQ(s.menu.ustawAktywnaFirme, m.wlaczone);
        EXPECT_EQ(s.menu.dodajZlecenie, m.wlaczone);
        EXPECT_EQ(s.menu.podgladPowiazanychPlikow, m.wlaczone);
    }
}

} // namespace

using KolorStatusuZBazy = HostDatabaseTest;

// The dictionary's status colours are pastel row tints; on the list's own row
// backgrounds every one must still read as text.
TEST_P(KolorStatusuZBazy, KazdyZasianyStatusJestCzytelnyNaTleWierszy)
{
    EXPECT_NEAR(kontrast(Qt::black, Qt::white), 21.0, 0.01);
    const ui::ListPalette paleta = ui::ListPalette::current();
    const QList<QColor> tla{paleta.oddRowBackground, paleta.evenRowBackground};
    const QList<int> kolory = host::GetListaIntDB(
        u"select kolor from slowwartosci where typ_slownika = 'klient_rodzaj' and kolor is not null"_s);
    ASSERT_GE(kolory.size(), 5);
    for (int kolor : kolory) {
        const QColor tekst = kolorWierszaFirmy(kolor, true, QVariant(), tla);
        for (const QColor &tlo : tla)
            EXPECT_GE(kontrast(tekst, tlo), 4.5) << QString::number(kolor, 16).toStdString();
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(KolorStatusuZBazy);
