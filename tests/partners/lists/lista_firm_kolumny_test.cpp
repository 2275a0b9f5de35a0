#include "lists/lista_firm_kolumny.h"

#include <gtest/gtest.h>

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

} // namespace
