#include "company/sumy_kontrolne.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace partners;

namespace {

struct Przypadek
{
    bool (*sprawdz)(const QString &);
    const char *numer;
    bool poprawny;
};

// Published examples, and each with one digit changed or of the wrong length.
TEST(SumyKontrolne, ZgadzajaSieZOpublikowanymiAlgorytmami)
{
    const Przypadek przypadki[] = {
        {sprawdzRachunek, "61 1090 1014 0000 0712 1981 2874", true},
        {sprawdzRachunek, "61 1090 1014 0000 0712 1981 2875", false},
        {sprawdzRachunek, "PL61 1090 1014 0000 0712 1981 2874", true},
        {sprawdzRachunek, "DE89 3704 0044 0532 0130 00", true},
        {sprawdzRachunek, "DE88 3704 0044 0532 0130 00", false},
        {sprawdzRachunek, "DE89 3704 0044 0532 0130 000", false},
        {sprawdzRachunek, "GB82 WEST 1234 5698 7654 32", true},
        {sprawdzRachunek, "gb82 west 1234 5698 7654 32", true},
        {sprawdzRachunek, "GB82 WEST 1234 5698 7654 33", false},
        {sprawdzRachunek, "GB82 WEST 1234 5698 76*4 32", false},
        {sprawdzRachunek, "XX82 WEST 1234 5698 7654 32", false},
        {sprawdzRachunek, "1090 1014 0000 0712 1981 2874", false},
        {sprawdzRegon, "123456785", true},
        {sprawdzRegon, "123-456-785", true},
        {sprawdzRegon, "123456786", false},
        {sprawdzRegon, "121000160", true}, // a remainder of 10 counts as 0
        {sprawdzRegon, "121000161", false},
        {sprawdzRegon, "12345678512347", true},
        {sprawdzRegon, "12345678512348", false},
        {sprawdzRegon, "12345678612342", false}, // its first 9 digits are not a REGON
        {sprawdzRegon, "12345678", false},
        {sprawdzKrs, "0000123456", true},
        {sprawdzKrs, "000012345", false},
        {sprawdzKrs, "000012345A", false},
        {sprawdzKrs, "", false},
    };
    for (const auto &p : przypadki)
        EXPECT_EQ(p.sprawdz(QString::fromUtf8(p.numer)), p.poprawny) << p.numer;
}

} // namespace
