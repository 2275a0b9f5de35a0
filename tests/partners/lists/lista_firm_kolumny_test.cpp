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

struct Opcje
{
    const char *nazwa;
    const char *jezyk;
    bool ograniczona;
    bool opcja135;
    QStringList brakujace;
};

class KolumnyListyFirm : public testing::TestWithParam<Opcje>
{};

TEST_P(KolumnyListyFirm, UsuwaDokladnieTeKolumny)
{
    const Opcje o = GetParam();
    OpcjeKolumnListyFirm opcje;
    opcje.kodJezyka = QString::fromLatin1(o.jezyk);
    opcje.wersjaOgraniczona = o.ograniczona;
    opcje.opcjaAktywna = o.opcja135;
    const UkladKolumn uklad = kolumnyListyFirm(opcje);

    QStringList oczekiwane = pola(kolumnyListyFirm());
    for (const QString &p : o.brakujace)
        oczekiwane.removeAll(p);
    EXPECT_EQ(pola(uklad), oczekiwane);
    for (int i = 0; i < int(uklad.size()); ++i)
        EXPECT_EQ(uklad[i].kolejnosc, i);
}

const QStringList polskie = {"swieta_od", "komentarz_fr", "limit_nadh", "pora_nocna_od", "pora_nocna_do"};
const QStringList ograniczone = {"centrala_sl", "nazwa_typu", "nazwa_statusu", "nazwa_grupy"};

INSTANTIATE_TEST_SUITE_P(
    Warianty, KolumnyListyFirm,
    testing::Values(Opcje{"Polski", "pl", false, true, {}}, Opcje{"PolskiWielkimi", "PL", false, true, {}},
                    Opcje{"Angielski", "en", false, true, polskie}, Opcje{"Ograniczona", "pl", true, true, ograniczone},
                    Opcje{"BezOpcji135", "pl", false, false, {"aktywna"}},
                    Opcje{"Wszystko", "de", true, false, polskie + ograniczone + QStringList{"aktywna"}}),
    [](const testing::TestParamInfo<Opcje> &info) { return std::string(info.param.nazwa); });

TEST(KolumnyListyFirmProjekt, KazdaKolumnaMaPoleListy)
{
    QStringList znane;
    for (const db::FieldDef &f : polaListyFirm())
        znane << f.name;
    EXPECT_EQ(znane.removeDuplicates(), 0);
    QStringList sprawdzane = pola(kolumnyListyFirm()) + kolumnyCheckBox() + polaCzasu();
    for (const QString &p : sprawdzane)
        EXPECT_TRUE(znane.contains(p)) << p.toStdString();
}

} // namespace
