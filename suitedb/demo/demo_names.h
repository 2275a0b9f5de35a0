#pragma once

#include <QString>

namespace suitedb::demo {

class Random;

struct Person
{
    QString firstName;
    QString surname;
    bool female = false;
};

// A company name as Polish firms are named: a brand or family name with its
// legal form, or a sole trader's own name with the trade.
struct CompanyName
{
    QString core;            // full name without the legal form
    QString legalForm;       // "Sp. z o.o.", "S.A.", ...; empty for sole traders
    QString shortName;       // acronym as an office would type it
    QString owner;           // owner's name; empty for companies without one
    QString domain;          // internet domain; empty when the firm uses a mailbox provider
    bool registered = false; // has a court register (KRS) number

    QString name() const { return legalForm.isEmpty() ? core : core + QLatin1Char(' ') + legalForm; }
};

Person makePerson(Random &random);
CompanyName makeCompanyName(Random &random);
// Street with the "ul."/"al." prefix as written on letters.
QString makeStreet(Random &random);
// A free mailbox provider's domain, for firms without their own.
QString mailProvider(Random &random);
// Lower-case ASCII form for e-mail addresses and domains ("Łódź" -> "lodz").
QString asciiSlug(const QString &text);

} // namespace suitedb::demo
