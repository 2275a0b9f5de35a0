#include "demo_names.h"

#include "demo_random.h"

#include <QStringList>
#include <utility>

namespace suitedb::demo {

namespace {

const char *const maleNames[] = {"Jan",       "Piotr",      "Krzysztof", "Andrzej",   "Tomasz",  "Paweł",    "Marcin",
                                 "Michał",    "Marek",      "Grzegorz",  "Józef",     "Łukasz",  "Adam",     "Zbigniew",
                                 "Jerzy",     "Tadeusz",    "Mateusz",   "Dariusz",   "Mariusz", "Wojciech", "Ryszard",
                                 "Jakub",     "Henryk",     "Robert",    "Kazimierz", "Jacek",   "Maciej",   "Kamil",
                                 "Stanisław", "Sławomir",   "Rafał",     "Artur",     "Bartosz", "Damian",   "Daniel",
                                 "Dawid",     "Przemysław", "Sebastian", "Waldemar",  "Zdzisław"};
const char *const femaleNames[] = {"Anna",       "Maria",    "Katarzyna", "Małgorzata", "Agnieszka", "Barbara",
                                   "Ewa",        "Krystyna", "Elżbieta",  "Magdalena",  "Joanna",    "Zofia",
                                   "Aleksandra", "Monika",   "Teresa",    "Danuta",     "Natalia",   "Karolina",
                                   "Marta",      "Beata",    "Dorota",    "Halina",     "Jadwiga",   "Justyna",
                                   "Iwona",      "Renata",   "Sylwia",    "Paulina",    "Agata",     "Izabela"};
// Masculine forms; -ski/-cki/-dzki take -ska/-cka/-dzka for women.
const char *const surnames[] = {
    "Nowak",         "Kowalski",    "Wiśniewski",  "Wójcik",      "Kowalczyk",   "Kamiński",   "Lewandowski",
    "Zieliński",     "Szymański",   "Woźniak",     "Dąbrowski",   "Kozłowski",   "Jankowski",  "Mazur",
    "Wojciechowski", "Kwiatkowski", "Krawczyk",    "Kaczmarek",   "Piotrowski",  "Grabowski",  "Zając",
    "Pawłowski",     "Michalski",   "Król",        "Nowakowski",  "Wieczorek",   "Jabłoński",  "Wróbel",
    "Majewski",      "Olszewski",   "Stępień",     "Malinowski",  "Jaworski",    "Adamczyk",   "Dudek",
    "Nowicki",       "Pawlak",      "Górski",      "Witkowski",   "Walczak",     "Sikora",     "Baran",
    "Rutkowski",     "Michalak",    "Szewczyk",    "Ostrowski",   "Tomaszewski", "Pietrzak",   "Zalewski",
    "Wróblewski",    "Marciniak",   "Jasiński",    "Zawadzki",    "Bąk",         "Jakubowski", "Sadowski",
    "Duda",          "Włodarczyk",  "Wilk",        "Chmielewski", "Borkowski",   "Sokołowski", "Szczepański",
    "Sawicki",       "Lis",         "Kucharski",   "Kalinowski",  "Wysocki",     "Mazurek",    "Kubiak",
    "Maciejewski",   "Czarnecki",   "Kołodziej",   "Urbański",    "Kaźmierczak", "Sobczak",    "Konieczny",
    "Głowacki",      "Zakrzewski",  "Krupa",       "Wasilewski",  "Krajewski",   "Adamski",    "Sikorski",
    "Mróz",          "Laskowski",   "Gajewski",    "Ziółkowski",  "Szulc",       "Makowski",   "Czerwiński",
    "Baranowski",    "Brzeziński",  "Kaczmarczyk", "Przybylski",  "Cieślak",     "Kowalewski", "Bielecki",
    "Domański",      "Tomczak"};

const char *const brandHeads[] = {
    "Trans", "Euro",    "Pol",      "Sped",   "Logi",   "Auto", "Kar",     "Mar",   "Agro",  "Bud",
    "Stal",  "Drew",    "Chem",     "Tir",    "Inter",  "Nord", "Silesia", "Mazur", "Wisła", "Odra",
    "Warta", "Karpaty", "Bałtyk",   "Tatra",  "Sudety", "Mega", "Max",     "Star",  "Delta", "Omega",
    "Alfa",  "Beta",    "Orion",    "Sokół",  "Orzeł",  "Żubr", "Ekspres", "Rol",   "Mleko", "Fruit",
    "Term",  "Frigo",   "Kontener", "Paleta", "Kom",    "Gaz",  "Benz",    "Opal",  "Eko",   "Tech"};
const char *const brandTails[] = {"Trans",  "Pol",    "Cargo",     "Log", "Sped", "Bud",   "Met",
                                  "Tech",   "Serwis", "Kom",       "Car", "Mar",  "Trade", "Trading",
                                  "Expres", "Frigo",  "Transport", "Med", "Gaz",  "Stal"};
const char *const descriptors[] = {"Przedsiębiorstwo Transportowe",
                                   "Przedsiębiorstwo Handlowo-Usługowe",
                                   "Przedsiębiorstwo Produkcyjno-Handlowe",
                                   "Firma Transportowo-Spedycyjna",
                                   "Zakład Usług Transportowych",
                                   "Centrum Logistyczne",
                                   "Hurtownia",
                                   "Przedsiębiorstwo Budowlane",
                                   "Zakłady Mięsne",
                                   "Spółdzielnia Mleczarska",
                                   "Tartak",
                                   "Transport i Spedycja"};
const char *const englishSuffixes[] = {"Logistics", "Transport", "Group", "Cargo", "Polska", "Trading"};
// A trade with the word its owner would put in a domain name.
const std::pair<const char *, const char *> trades[] = {{"Usługi Transportowe", "transport"},
                                                        {"Transport Międzynarodowy", "transport"},
                                                        {"Przewóz Towarów", "przewozy"},
                                                        {"Transport Ciężarowy", "transport"},
                                                        {"Spedycja i Logistyka", "spedycja"},
                                                        {"Handel i Usługi", "handel"},
                                                        {"Usługi Remontowo-Budowlane", "budownictwo"},
                                                        {"Mechanika Pojazdowa", "mechanika"},
                                                        {"Skład Opału", "opal"},
                                                        {"Serwis Ogumienia", "opony"},
                                                        {"Przewóz Osób", "przewozy"},
                                                        {"Usługi Koparką", "koparki"},
                                                        {"Handel Obwoźny", "handel"},
                                                        {"Auto-Naprawa", "autonaprawa"},
                                                        {"Transport Chłodniczy", "chlodnie"},
                                                        {"Przeprowadzki", "przeprowadzki"}};
const char *const tradeAbbreviations[] = {"PHU", "FHU", "PPHU", "ZUT", "FUH", "PW"};
const char *const familyParts[] = {"i Synowie", "i Wspólnicy", "i Córki", "i Syn"};
const char *const mailProviders[] = {"wp.pl", "onet.pl", "o2.pl", "interia.pl", "gmail.com", "op.pl"};

const char *const streets[] = {
    "ul. Kościuszki",     "ul. Mickiewicza",   "ul. Słowackiego",    "ul. Sienkiewicza", "ul. Piłsudskiego",
    "ul. Kolejowa",       "ul. Przemysłowa",   "ul. Polna",          "ul. Leśna",        "ul. Ogrodowa",
    "ul. Lipowa",         "ul. Szkolna",       "ul. Kwiatowa",       "ul. Długa",        "ul. Krótka",
    "ul. Słoneczna",      "ul. Transportowa",  "ul. Magazynowa",     "ul. Składowa",     "ul. Fabryczna",
    "ul. Spółdzielcza",   "ul. Warszawska",    "ul. Krakowska",      "ul. Poznańska",    "ul. Gdańska",
    "ul. Wrocławska",     "ul. Łódzka",        "ul. Lubelska",       "ul. Toruńska",     "ul. 3 Maja",
    "ul. 11 Listopada",   "ul. Jana Pawła II", "al. Niepodległości", "al. Solidarności", "ul. Wojska Polskiego",
    "ul. Armii Krajowej", "ul. Reymonta",      "ul. Konopnickiej",   "ul. Żeromskiego",  "ul. Kopernika",
    "ul. Chopina",        "ul. Rolnicza",      "ul. Portowa",        "ul. Logistyczna",  "ul. Świętokrzyska",
    "ul. Zielona",        "ul. Ogrodników",    "ul. Okrężna",        "ul. Gen. Andersa", "ul. Grunwaldzka"};

QString text(const char *latin)
{
    return QString::fromUtf8(latin);
}

QString surnameFor(const QString &masculine, bool female)
{
    if (!female)
        return masculine;
    // Adjectival surnames take the feminine ending: -ski/-cki/-dzki/-ny...
    if (masculine.endsWith(QLatin1Char('i')) || masculine.endsWith(QLatin1Char('y')))
        return masculine.chopped(1) + QLatin1Char('a');
    return masculine;
}

QString brand(Random &random)
{
    QString head = text(random.pick(brandHeads));
    QString tail = text(random.pick(brandTails));
    while (tail == head)
        tail = text(random.pick(brandTails));
    switch (random.below(3)) {
    case 0:
        return head + QLatin1Char('-') + tail;
    case 1:
        return head + tail.toLower();
    default:
        return head + QLatin1Char(' ') + tail;
    }
}

} // namespace

QString asciiSlug(const QString &source)
{
    static const QString from = QString::fromUtf8("ąćęłńóśźżäöüéèáíúýčřšžěůňťďľĺŕ");
    static const QString to = QStringLiteral("acelnoszzaoueeaiuycrszeuntdllr");
    QString out;
    out.reserve(source.size());
    bool dash = false;
    for (QChar c : source.toLower()) {
        const qsizetype mapped = from.indexOf(c);
        if (mapped >= 0)
            c = to.at(mapped);
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            if (dash && !out.isEmpty())
                out.append(QLatin1Char('-'));
            out.append(c);
            dash = false;
        } else {
            dash = true;
        }
    }
    return out;
}

Person makePerson(Random &random)
{
    Person person;
    person.female = random.percent(40);
    person.firstName = text(person.female ? random.pick(femaleNames) : random.pick(maleNames));
    person.surname = surnameFor(text(random.pick(surnames)), person.female);
    return person;
}

CompanyName makeCompanyName(Random &random)
{
    CompanyName company;
    const int kind = random.below(100);
    if (kind < 35) {
        // Sole trader: registered in CEIDG under the owner's name.
        const Person owner = makePerson(random);
        company.owner = owner.firstName + QLatin1Char(' ') + owner.surname;
        const auto &[tradeName, tradeWord] = random.pick(trades);
        const QString trade = text(tradeName);
        switch (random.below(3)) {
        case 0:
            company.core = company.owner + QLatin1Char(' ') + trade;
            break;
        case 1:
            company.core = trade + QLatin1Char(' ') + company.owner;
            break;
        default:
            company.core = text(random.pick(tradeAbbreviations)) + QLatin1Char(' ') + company.owner;
            break;
        }
        company.shortName = owner.surname.toUpper() + QLatin1Char(' ') + owner.firstName.left(1).toUpper();
        if (random.percent(40))
            company.domain =
                asciiSlug(owner.surname) + QLatin1Char('-') + QLatin1String(tradeWord) + QStringLiteral(".pl");
        return company;
    }
    company.registered = true;
    if (kind < 55) {
        // Family partnership, named after the family in the masculine form.
        const QString surname = text(random.pick(surnames));
        const Person founder = makePerson(random);
        company.owner = founder.firstName + QLatin1Char(' ') + surnameFor(surname, founder.female);
        const QString part = text(random.pick(familyParts));
        company.core = surname + QLatin1Char(' ') + part;
        company.legalForm = random.percent(40) ? QStringLiteral("Sp. k.") : QStringLiteral("Sp. j.");
        company.shortName = surname.toUpper();
        company.domain = asciiSlug(surname) + QStringLiteral(".com.pl");
        return company;
    }
    const QString name = brand(random);
    company.shortName = name.toUpper();
    company.domain = asciiSlug(name) + (random.percent(70) ? QStringLiteral(".pl") : QStringLiteral(".com.pl"));
    const int form = random.below(100);
    company.core = name;
    if (form < 60) {
        company.legalForm = QStringLiteral("Sp. z o.o.");
        if (random.percent(30))
            company.core = text(random.pick(descriptors)) + QLatin1Char(' ') + name;
        else if (random.percent(20))
            company.core = name + QLatin1Char(' ') + text(random.pick(englishSuffixes));
    } else if (form < 75) {
        company.legalForm = QStringLiteral("S.A.");
    } else if (form < 90) {
        company.legalForm = QStringLiteral("Sp. z o.o. Sp. k.");
    } else {
        company.core = text(random.pick(descriptors)) + QStringLiteral(" \"") + name + QLatin1Char('"');
        company.legalForm = QStringLiteral("Sp. j.");
    }
    const Person president = makePerson(random);
    company.owner = president.firstName + QLatin1Char(' ') + president.surname;
    return company;
}

QString makeStreet(Random &random)
{
    return text(random.pick(streets));
}

QString mailProvider(Random &random)
{
    return text(random.pick(mailProviders));
}

} // namespace suitedb::demo
