#include "lists/kolor_statusu.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

// Stored the suite's way, 0x00BBGGRR, as a number or its text; system colours and junk are no colour.
TEST(KolorZBGR, CzytaBajtyOdCzerwonego)
{
    const std::pair<QVariant, QColor> przypadki[] = {{QVariant(0xCEEFC6), QColor(0xC6, 0xEF, 0xCE)},
                                                     {QVariant(0x0000FF), QColor(255, 0, 0)},
                                                     {QVariant(u"13561798"_s), QColor(0xC6, 0xEF, 0xCE)},
                                                     {QVariant(u"0x9CEBFF"_s), QColor(0xFF, 0xEB, 0x9C)},
                                                     {QVariant(QMetaType::fromType<int>()), QColor()},
                                                     {QVariant(qlonglong(0x80000005)), QColor()},
                                                     {QVariant(-1), QColor()},
                                                     {QVariant(u"zielony"_s), QColor()}};
    for (const auto &[wartosc, kolor] : przypadki)
        EXPECT_EQ(kolorZBGR(wartosc).isValid() ? kolorZBGR(wartosc).rgb() : 0u, kolor.isValid() ? kolor.rgb() : 0u)
            << wartosc.toString().toStdString();
}

} // namespace
