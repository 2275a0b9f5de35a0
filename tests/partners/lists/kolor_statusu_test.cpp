#include "lists/kolor_statusu.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

struct Kolor
{
    const char *opis;
    QVariant wartosc;
    bool poprawny;
    int r, g, b;
};

class KolorZBGR : public testing::TestWithParam<Kolor>
{};

TEST_P(KolorZBGR, CzytaBajtyOdCzerwonego)
{
    const Kolor k = GetParam();
    const QColor c = kolorZBGR(k.wartosc);
    ASSERT_EQ(c.isValid(), k.poprawny) << k.opis;
    if (k.poprawny) {
        EXPECT_EQ(c.red(), k.r) << k.opis;
        EXPECT_EQ(c.green(), k.g) << k.opis;
        EXPECT_EQ(c.blue(), k.b) << k.opis;
    }
}

INSTANTIATE_TEST_SUITE_P(Wartosci, KolorZBGR,
                         testing::Values(Kolor{"aktywny", QVariant(0xCEEFC6), true, 0xC6, 0xEF, 0xCE},
                                         Kolor{"czerwony", QVariant(0x0000FF), true, 255, 0, 0},
                                         Kolor{"tekst dziesietny", QVariant(u"13561798"_s), true, 0xC6, 0xEF, 0xCE},
                                         Kolor{"tekst szesnastkowy", QVariant(u"0x9CEBFF"_s), true, 0xFF, 0xEB, 0x9C},
                                         Kolor{"null typowany", QVariant(QMetaType::fromType<int>()), false, 0, 0, 0},
                                         Kolor{"kolor systemowy", QVariant(qlonglong(0x80000005)), false, 0, 0, 0},
                                         Kolor{"ujemny", QVariant(-1), false, 0, 0, 0},
                                         Kolor{"nie liczba", QVariant(u"zielony"_s), false, 0, 0, 0}));

TEST(KolorWierszaFirmy, StatusTylkoGdyKolorowanieWlaczone)
{
    const QColor domyslny(0x3A, 0x3A, 0x3A);
    const QVariant status(0x0000FF);
    EXPECT_EQ(kolorWierszaFirmy(status, true, 0x3A3A3A), QColor(255, 0, 0));
    EXPECT_EQ(kolorWierszaFirmy(status, false, 0x3A3A3A), domyslny);
    EXPECT_EQ(kolorWierszaFirmy(QVariant(), true, 0x3A3A3A), domyslny);
    EXPECT_EQ(kolorWierszaFirmy(QVariant(0x00FF00), true, 0xFF0000), QColor(0, 255, 0));
}

} // namespace
