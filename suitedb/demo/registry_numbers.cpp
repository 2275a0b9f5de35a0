#include "registry_numbers.h"

#include "demo_random.h"

namespace suitedb::demo {

namespace {

int weightedSum(const QString &digits, const int *weights, int count)
{
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += (digits.at(i).unicode() - '0') * weights[i];
    return sum;
}

QString randomDigits(Random &random, int count)
{
    QString digits;
    digits.reserve(count);
    for (int i = 0; i < count; ++i)
        digits.append(QLatin1Char(random.digit()));
    return digits;
}

// Remainder of a long decimal number divided by 97.
int mod97(const QString &digits)
{
    int remainder = 0;
    for (QChar c : digits)
        remainder = (remainder * 10 + (c.unicode() - '0')) % 97;
    return remainder;
}

} // namespace

QString makeNip(Random &random)
{
    static const int weights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    for (;;) {
        // Tax-office codes never start with 0.
        const QString office = QString::number(random.between(101, 999));
        const QString digits = office + randomDigits(random, 6);
        const int check = weightedSum(digits, weights, 9) % 11;
        if (check == 10)
            continue;
        return digits + QString::number(check);
    }
}

QString makeRegon(Random &random)
{
    static const int weights[] = {8, 9, 2, 3, 4, 5, 6, 7};
    const QString first = QString::number(random.between(1, 9));
    const QString digits = first + randomDigits(random, 7);
    const int check = weightedSum(digits, weights, 8) % 11 % 10;
    return digits + QString::number(check);
}

QString makeKrs(Random &random)
{
    return QStringLiteral("0000%1").arg(random.between(1000, 999999), 6, 10, QLatin1Char('0'));
}

QString makeAccountNumber(Random &random, const QString &bankNumber)
{
    // Settlement number: bank, branch, and its own check digit.
    static const int weights[] = {3, 9, 7, 1, 3, 9, 7};
    const QString branch = bankNumber + randomDigits(random, 3);
    const int branchCheck = (10 - weightedSum(branch, weights, 7) % 10) % 10;
    const QString bban = branch + QString::number(branchCheck) + randomDigits(random, 16);
    // IBAN rule: BBAN + "PL00" with P = 25, L = 21.
    const int check = 98 - mod97(bban + QStringLiteral("252100"));
    return QStringLiteral("%1").arg(check, 2, 10, QLatin1Char('0')) + bban;
}

} // namespace suitedb::demo
