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
    struct Przypadek
    {
        const char *jezyk;
        bool polski;
        bool ograniczona;
        bool aktywna;
    };
    const QStringList pelny = pola(kolumnyListyFirm());
    for (const Przypadek &p : {Przypadek{"pl", true, false, true}, Przypadek{"PL", true, false, true},
                               Przypadek{"en", false, false, true}, Przypadek{"pl", true, true, true},
                               Przypadek{"pl", true, false, false}, Przypadek{"de", false, true, false}}) {
        SCOPED_TRACE(testing::Message() << p.jezyk << p.ograniczona << p.aktywna);
        QStringList usuwane;
        if (!p.polski)
            usuwane += kolumnyTylkoPolskie();
        if (p.ograniczona)
            usuwane += kolumnyWersjiOgraniczonej();
        if (!p.aktywna)
            usuwane << QString::fromLatin1(KolumnaAktywna);
        EXPECT_EQ(usuwane.isEmpty(), p.polski && !p.ograniczona && p.aktywna);
        QStringList oczekiwane = pelny;
        for (const QString &u : usuwane)
            EXPECT_EQ(oczekiwane.removeAll(u), 1) << u.toStdString();

        const UkladKolumn uklad = kolumnyListyFirm({QString::fromLatin1(p.jezyk), p.ograniczona, p.aktywna});
        EXPECT_EQ(pola(uklad), oczekiwane);
        for (int i = 0; i < int(uklad.size()); ++i)
            EXPECT_EQ(uklad[i].kolejnosc, i);
    }
}

TEST(KolumnyListyFirm, KazdaKolumnaMaPoleListy)
{
    QStringList znane;
    for (const db::FieldDef &f : polaListyFirm())
        znane << f.name;
    EXPECT_EQ(znane.removeDuplicates(), 0);
    for (const QString &p : pola(kolumnyListyFirm()) + kolumnyCheckBox() + polaCzasu())
        EXPECT_TRUE(znane.contains(p)) << p.toStdString();
}

} // namespace
