#pragma once

#include <QString>

namespace suitedb::demo {

class Random;

// Polish registry numbers with valid check digits, for demo data.

// NIP: 10 digits; the tax-office prefix is a real-looking three-digit code.
QString makeNip(Random &random);
// REGON: 9 digits.
QString makeRegon(Random &random);
// KRS: 10 digits, zero-padded as the court register prints it.
QString makeKrs(Random &random);
// NRB account number (26 digits) of the bank with the given four-digit number.
QString makeAccountNumber(Random &random, const QString &bankNumber);

} // namespace suitedb::demo
