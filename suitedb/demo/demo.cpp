#include "demo.h"

#include "connection.h"
#include "db_error.h"
#include "demo_names.h"
#include "demo_random.h"
#include "registry_numbers.h"
#include "seed/prepared_insert.h"
#include "suitedb.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <utility>

namespace suitedb {

namespace {

using demo::Random;
using seed::PreparedInsert;
using seed::selectRows;

struct Place
{
    qint64 cityId = 0;
    qint64 codeId = 0;
    QString city;
};

struct Bank
{
    QString number;
    QString name;
};

struct HeadOffice
{
    qint64 id = 0;
    QString name;
    QString shortName;
    QString nip;
    QString domain;
};

// Dictionary entries by translation identifier, in the order they were seeded.
struct Dictionary
{
    QList<qint64> ids;
    QHash<QString, qint64> byIdentifier;

    QVariant id(const QString &identifier) const
    {
        const auto it = byIdentifier.constFind(identifier);
        return it == byIdentifier.constEnd() ? QVariant() : QVariant(*it);
    }
    bool isEmpty() const { return ids.isEmpty(); }
};

Dictionary loadDictionary(db::Connection &connection, const QString &type)
{
    Dictionary dictionary;
    const auto rows = selectRows(connection,
                                 QStringLiteral("select id_wartosci, wartosc from slowwartosci "
                                                "where typ_slownika = :typ and nazwa_parametru = :parametr "
                                                "order by id_wartosci"),
                                 {type, QStringLiteral("nazwa")});
    for (const auto &row : rows) {
        dictionary.ids.append(row[0].toLongLong());
        dictionary.byIdentifier.insert(row[1].toString(), row[0].toLongLong());
    }
    return dictionary;
}

// Dates as text in the form the database layer writes them; Qt's own binding uses another.
QString dayText(const QDate &day)
{
    return day.toString(u"yyyy-MM-dd 00:00:00");
}

struct PeriodLength
{
    int code = 0;
    int months = 1;
};

// The periods the company editor's generator adds after lastEnd up to the month of date.
QList<std::pair<QDate, QDate>> periodsUntil(const QDate &lastEnd, const QDate &date, int startDay, int months)
{
    const auto firstOfMonth = [](const QDate &day) { return QDate(day.year(), day.month(), 1); };
    QList<std::pair<QDate, QDate>> periods;
    QDate start = lastEnd.isValid() ? lastEnd.addDays(1) : firstOfMonth(date);
    const QDate limit = firstOfMonth(date).addMonths(1).addDays(-1);
    if (start <= limit && start.day() != startDay) {
        QDate end = firstOfMonth(start).addDays(startDay - 2);
        if (end < start)
            end = firstOfMonth(start).addMonths(1).addDays(startDay - 2);
        periods.append({start, end});
        start = end.addDays(1);
    }
    while (start <= limit) {
        const QDate end = firstOfMonth(start).addMonths(months).addDays(startDay - 2);
        periods.append({start, end});
        start = end.addDays(1);
    }
    return periods;
}

struct Reference
{
    Dictionary types, kinds, statuses, addressKinds, phoneKinds, positions;
    QList<Place> places;
    QList<Bank> banks;
    QList<Bank> majorBanks;
    // The office's period settings, defaulted as the shared store defaults them.
    int periodStartDay = 1;
    QList<PeriodLength> periodLengths = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 6}, {6, 12}};

    explicit Reference(db::Connection &connection)
        : types(loadDictionary(connection, QStringLiteral("typ_firmy"))),
          kinds(loadDictionary(connection, QStringLiteral("firma_rodzaj"))),
          statuses(loadDictionary(connection, QStringLiteral("klient_rodzaj"))),
          addressKinds(loadDictionary(connection, QStringLiteral("adres_rodzaj"))),
          phoneKinds(loadDictionary(connection, QStringLiteral("telefony_rodzaj"))),
          positions(loadDictionary(connection, QStringLiteral("stanowiska")))
    {
        // One entry per postal code, so that large cities come up more often.
        const auto placeRows =
            selectRows(connection,
                       QStringLiteral("select k.id_kodu, m.id_m, m.miasto from kod_pocztowy k "
                                      "join miasto m on m.id_m = k.id_m join panstwo p on p.id_p = m.id_panstwa "
                                      "where p.iso = :iso order by k.id_kodu"),
                       {QStringLiteral("PL")});
        for (const auto &row : placeRows)
            places.append({row[1].toLongLong(), row[0].toLongLong(), row[2].toString()});
        // Banks most firms keep their accounts with.
        static const QSet<QString> major = {QStringLiteral("1020"), QStringLiteral("1050"), QStringLiteral("1090"),
                                            QStringLiteral("1140"), QStringLiteral("1240"), QStringLiteral("1160"),
                                            QStringLiteral("1540"), QStringLiteral("2490"), QStringLiteral("1600"),
                                            QStringLiteral("1750"), QStringLiteral("1060"), QStringLiteral("1320")};
        const auto bankRows = selectRows(
            connection, QStringLiteral("select nr_rozliczeniowy, nazwa from bank order by nr_rozliczeniowy"));
        for (const auto &row : bankRows) {
            Bank bank{row[0].toString(), row[1].toString()};
            if (major.contains(bank.number))
                majorBanks.append(bank);
            banks.append(std::move(bank));
        }
        if (places.isEmpty() || banks.isEmpty() || kinds.isEmpty())
            throw db::DbError(QStringLiteral("Demo companies need the seeded cities, banks and dictionaries"));
        if (majorBanks.isEmpty())
            majorBanks = banks;
        readPeriodSettings(connection);
    }

private:
    // Same rows and same rules as the shared store: a malformed value keeps the default.
    void readPeriodSettings(db::Connection &connection)
    {
        const auto rows =
            selectRows(connection,
                       QStringLiteral("select co, wartosc from ustawienia where kod = :kod and id_f is null "
                                      "and id_u is null order by id_ust"),
                       {QStringLiteral("ALL")});
        for (const auto &row : rows) {
            const QString key = row[0].toString().toLower();
            const QString value = row[1].toString();
            if (key == QLatin1String("dzien_poczatku_okresu")) {
                const int day = value.trimmed().toInt();
                if (day >= 1 && day <= 28)
                    periodStartDay = day;
            } else if (key == QLatin1String("dlugosc_okresu")) {
                QList<PeriodLength> lengths;
                for (const QString &entry : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                    const QStringList parts = entry.split(QLatin1Char(':'));
                    const PeriodLength length{parts[0].trimmed().toInt(), parts.value(1).trimmed().toInt()};
                    if (parts.size() > 3 || length.code <= 0 || length.months <= 0) {
                        lengths.clear();
                        break;
                    }
                    lengths.append(length);
                }
                if (!lengths.isEmpty())
                    periodLengths = lengths;
            }
        }
    }
};

// Names already taken (case-insensitively, as the database compares them).
class Taken
{
public:
    bool claim(const QString &value)
    {
        const QString key = value.toLower();
        if (m_values.contains(key))
            return false;
        m_values.insert(key);
        return true;
    }
    void add(const QVariant &value)
    {
        if (!value.isNull())
            m_values.insert(value.toString().toLower());
    }

private:
    QSet<QString> m_values;
};

// Mailboxes fit the 50 characters of the e-mail columns.
QString mailbox(const QString &local, const QString &domain)
{
    return local.left(qMax(1, 49 - int(domain.size()))) + QLatin1Char('@') + domain;
}

QString cityCode(const QString &city)
{
    return demo::asciiSlug(city).remove(QLatin1Char('-')).left(3).toUpper();
}

QString landline(Random &random)
{
    static const int areas[] = {12, 14, 15, 16, 17, 18, 22, 23, 24, 25, 29, 32, 33, 34, 41, 42,
                                43, 44, 46, 48, 52, 54, 55, 56, 58, 59, 61, 62, 63, 65, 67, 68,
                                71, 74, 75, 76, 77, 81, 82, 83, 84, 85, 86, 87, 89, 91, 94, 95};
    return QStringLiteral("+48 %1 %2 %3 %4")
        .arg(random.pick(areas))
        .arg(random.between(200, 899))
        .arg(random.between(0, 99), 2, 10, QLatin1Char('0'))
        .arg(random.between(0, 99), 2, 10, QLatin1Char('0'));
}

QString mobile(Random &random)
{
    static const int prefixes[] = {500, 501, 502, 503, 504, 505, 506, 507, 508, 509, 510, 512, 513, 514, 515, 516,
                                   530, 531, 533, 535, 570, 571, 600, 601, 602, 603, 604, 605, 606, 607, 608, 609,
                                   660, 661, 662, 663, 664, 665, 666, 667, 668, 669, 690, 691, 692, 693, 694, 695,
                                   696, 697, 698, 720, 721, 722, 723, 724, 725, 726, 727, 728, 729, 730, 731, 732,
                                   733, 734, 735, 780, 781, 782, 783, 784, 785, 786, 787, 788, 789, 790, 791, 792,
                                   793, 794, 795, 796, 797, 798, 799, 880, 881, 882, 883, 884, 885, 886, 887, 888};
    return QStringLiteral("+48 %1 %2 %3")
        .arg(random.pick(prefixes))
        .arg(random.between(0, 999), 3, 10, QLatin1Char('0'))
        .arg(random.between(0, 999), 3, 10, QLatin1Char('0'));
}

QString houseNumber(Random &random)
{
    QString number = QString::number(random.percent(70) ? random.between(1, 60) : random.between(61, 250));
    if (random.percent(12))
        number += QChar(QLatin1Char('A' + random.below(4)));
    else if (random.percent(5))
        number += QLatin1Char('/') + QString::number(random.between(1, 20));
    return number;
}

// Statuses with how often they occur among companies, in percent.
const std::pair<const char *, int> statusWeights[] = {
    {"slow_klient_rodzaj_aktywny", 55},  {"slow_klient_rodzaj_staly", 15},     {"slow_klient_rodzaj_nowy", 10},
    {"slow_klient_rodzaj_vip", 3},       {"slow_klient_rodzaj_windykacja", 4}, {"slow_klient_rodzaj_zablokowany", 3},
    {"slow_klient_rodzaj_nieaktywny", 5}};

// Company kinds with their chance in percent; group-4 places are rarer.
const std::pair<const char *, int> kindChances[] = {
    {"slow_firma_rodzaj_klient", 60},   {"slow_firma_rodzaj_przewoznik", 30},   {"slow_firma_rodzaj_dostawca", 12},
    {"slow_firma_rodzaj_spedycja", 12}, {"slow_firma_rodzaj_podwykonawca", 6},  {"slow_firma_rodzaj_producent", 6},
    {"slow_firma_rodzaj_warsztat", 3},  {"slow_firma_rodzaj_stacja_paliw", 2},  {"slow_firma_rodzaj_ubezpieczyciel", 1},
    {"slow_firma_rodzaj_leasing", 1},   {"slow_firma_rodzaj_agencja_celna", 1}, {"slow_firma_rodzaj_zaladunek", 4},
    {"slow_firma_rodzaj_rozladunek", 4}};

class Generator
{
public:
    Generator(db::Connection &connection, unsigned seed)
        : m_random(seed),
          m_reference(connection),
          m_company(connection,
                    QStringLiteral("insert into firma (nazwa, skrot, wlasciciel, nip, regon, krs, www, e_mail, "
                                   "typ_firmy, status, id_centrali, nr_trans, limit_kredytowy, "
                                   "waluta_limitu_kredyt, aktywna, bus) values (:nazwa, :skrot, :wlasciciel, "
                                   ":nip, :regon, :krs, :www, :e_mail, :typ_firmy, :status, :id_centrali, "
                                   ":nr_trans, :limit_kredytowy, :waluta_limitu_kredyt, :aktywna, :bus)"),
                    QStringLiteral("id_f")),
          m_kind(connection, QStringLiteral("insert into firma_grupa (id_f, grupa) values (:id_f, :grupa)")),
          m_address(connection,
                    QStringLiteral("insert into adres (id_, tabela, id_m, id_kodu, ulica, nr_domu, nr_m, "
                                   "czy_domyslny, rodzaj) values (:id_, :tabela, :id_m, :id_kodu, :ulica, "
                                   ":nr_domu, :nr_m, :czy_domyslny, :rodzaj)")),
          m_phone(connection,
                  QStringLiteral("insert into telefon (id_, tabela, numer, opis, rodzaj, czy_domysl, tel_fax) "
                                 "values (:id_, :tabela, :numer, :opis, :rodzaj, :czy_domysl, :tel_fax)")),
          m_account(connection,
                    QStringLiteral("insert into konto (id_, tabela, nr_konta, bank, opis, czy_domyslne, waluta, "
                                   "aktywne) values (:id_, :tabela, :nr_konta, :bank, :opis, :czy_domyslne, "
                                   ":waluta, :aktywne)")),
          m_contact(connection,
                    QStringLiteral("insert into kontakt (id_f, nazwisko, imie, e_mail, id_stan, tel, "
                                   "wysw_na_zleceniu, os_up_do_fv) values (:id_f, :nazwisko, :imie, :e_mail, "
                                   ":id_stan, :tel, :wysw_na_zleceniu, :os_up_do_fv)")),
          m_period(connection,
                   QStringLiteral("insert into okres_roz (id_f, data_od, data_do) values (:id_f, :data_od, :data_do)")),
          m_periodLength(connection, QStringLiteral("update firma set okres_roz = :kod where id_f = :id_f"))
    {
        // Stay clear of what the database already holds.
        const auto rows = selectRows(connection, QStringLiteral("select nazwa, skrot, nip, regon, krs from firma"));
        for (const auto &row : rows) {
            m_names.add(row[0]);
            m_shortNames.add(row[1]);
            m_numbers.add(row[2]);
            m_numbers.add(row[3]);
            m_numbers.add(row[4]);
        }
    }

    void company(bool own)
    {
        const Place place = m_random.pick(m_reference.places);
        const bool branch = !own && m_heads.size() >= 10 && m_random.percent(6);
        if (branch)
            addBranch(m_random.pick(m_heads), place);
        else
            addCompany(own, place);
    }

private:
    void addCompany(bool own, const Place &place)
    {
        demo::CompanyName company = demo::makeCompanyName(m_random);
        const QString name = uniqueName(company, place);
        const QString shortName = uniqueShortName(company.shortName, place);
        const QString nip = unique([this] { return demo::makeNip(m_random); });
        const QString regon = unique([this] { return demo::makeRegon(m_random); });
        const QVariant krs =
            company.registered ? QVariant(unique([this] { return demo::makeKrs(m_random); })) : QVariant();
        QString mail;
        if (company.domain.isEmpty()) {
            const QStringList words = company.owner.split(QLatin1Char(' '));
            // Operands of + are unordered, so draw the random parts first.
            const QString suffix = m_random.percent(50) ? QString::number(m_random.between(1, 99)) : QString();
            const QString provider = demo::mailProvider(m_random);
            mail = mailbox(demo::asciiSlug(words.value(0)).remove(QLatin1Char('-')) + QLatin1Char('.')
                               + demo::asciiSlug(words.value(1)).remove(QLatin1Char('-')) + suffix,
                           provider);
        } else {
            static const char *const boxes[] = {"biuro", "kontakt", "info", "sekretariat", "spedycja", "office"};
            mail = mailbox(QString::fromLatin1(m_random.pick(boxes)), company.domain);
        }
        const QVariant www = company.domain.isEmpty() ? QVariant() : QVariant(QStringLiteral("www.") + company.domain);
        const QVariant status =
            own ? m_reference.statuses.id(QStringLiteral("slow_klient_rodzaj_aktywny")) : pickStatus();
        const bool inactive = status == m_reference.statuses.id(QStringLiteral("slow_klient_rodzaj_nieaktywny"));
        QVariant limit = 0.0;
        QVariant limitCurrency;
        if (!own && company.registered && m_random.percent(25)) {
            static const int limits[] = {5000, 10000, 15000, 20000, 30000, 50000, 100000, 200000};
            limit = double(m_random.pick(limits));
            limitCurrency = m_random.percent(80) ? QStringLiteral("PLN") : QStringLiteral("EUR");
        }
        const QVariant transId = m_random.percent(20)
            ? QVariant(QStringLiteral("%1-%2").arg(m_random.between(100000, 999999)).arg(m_random.between(1, 9)))
            : QVariant();
        const qint64 id =
            m_company.run({name, shortName, company.owner.left(30), nip, regon, krs, www, mail, typeId(own), status,
                           QVariant(), transId, limit, limitCurrency, inactive ? 0 : 1, m_random.percent(10) ? 1 : 0});
        addDetails(id, place, company.domain, own);
        if (!own)
            m_heads.append({id, name, shortName, nip, company.domain});
    }

    // A branch shares its head office's tax number and has no registers of its own.
    void addBranch(const HeadOffice &head, const Place &place)
    {
        demo::CompanyName branch;
        branch.core = head.name + QStringLiteral(" Oddział ") + place.city;
        const QString name = uniqueName(branch, place);
        const QString shortName =
            uniqueShortName(head.shortName.left(14).trimmed() + QLatin1Char('-') + cityCode(place.city), place);
        const QString slug = demo::asciiSlug(place.city);
        const QVariant mail = head.domain.isEmpty() ? QVariant() : QVariant(mailbox(slug, head.domain));
        const QVariant www = head.domain.isEmpty() ? QVariant() : QVariant(QStringLiteral("www.") + head.domain);
        const demo::Person manager = demo::makePerson(m_random);
        const qint64 id = m_company.run(
            {name, shortName, (manager.firstName + QLatin1Char(' ') + manager.surname).left(30), head.nip, QVariant(),
             QVariant(), www, mail, typeId(false), pickStatus(), head.id, QVariant(), 0.0, QVariant(), 1, 0});
        addDetails(id, place, head.domain, false);
    }

    void addDetails(qint64 id, const Place &place, const QString &domain, bool own)
    {
        const bool carrier = addKinds(id);
        addAddresses(id, place);
        addAccounts(id);
        addPhonesAndContacts(id, domain);
        // Firms that employ drivers settle their working time in periods.
        if (own || (carrier && m_random.percent(60)))
            addPeriods(id);
    }

    // The main address is the default; some firms add a seat, a mailing or a depot address.
    void addAddresses(qint64 id, const Place &place)
    {
        m_address.run({id, TableCompany, place.cityId, place.codeId, demo::makeStreet(m_random), houseNumber(m_random),
                       m_random.percent(25) ? QVariant(QString::number(m_random.between(1, 40))) : QVariant(), 1,
                       m_reference.addressKinds.id(QStringLiteral("slow_adres_rodzaj_glowny"))});
        static const char *const otherKinds[] = {"slow_adres_rodzaj_korespondencyjny", "slow_adres_rodzaj_siedziba",
                                                 "slow_adres_rodzaj_zaladunku", "slow_adres_rodzaj_rozladunku",
                                                 "slow_adres_rodzaj_dostawy"};
        const int first = m_random.below(5);
        static const int otherCounts[] = {0, 1, 1, 2, 2, 3};
        const int others = m_random.pick(otherCounts);
        for (int i = 0; i < others; ++i) {
            // A depot is often in the same town as the office.
            const Place other = m_random.percent(40) ? place : m_random.pick(m_reference.places);
            m_address.run({id, TableCompany, other.cityId, other.codeId, demo::makeStreet(m_random),
                           houseNumber(m_random), QVariant(), 0,
                           m_reference.addressKinds.id(QString::fromLatin1(otherKinds[(first + i) % 5]))});
        }
    }

    // One active default account in zloty; some firms keep a euro account and an old closed one.
    void addAccounts(qint64 id)
    {
        const Bank &bank =
            m_random.percent(80) ? m_random.pick(m_reference.majorBanks) : m_random.pick(m_reference.banks);
        m_account.run({id, TableCompany, demo::makeAccountNumber(m_random, bank.number), bank.name.left(50), QVariant(),
                       1, QStringLiteral("PLN"), 1});
        if (m_random.percent(35))
            m_account.run({id, TableCompany, demo::makeAccountNumber(m_random, bank.number), bank.name.left(50),
                           QStringLiteral("Rachunek walutowy EUR"), 0, QStringLiteral("EUR"), 1});
        if (m_random.percent(15)) {
            const Bank &old = m_random.pick(m_reference.banks);
            m_account.run({id, TableCompany, demo::makeAccountNumber(m_random, old.number), old.name.left(50),
                           QStringLiteral("Rachunek zamknięty"), 0, QStringLiteral("PLN"), 0});
        }
    }

    // The office line is the default phone; contacts' mobiles are listed with their names.
    void addPhonesAndContacts(qint64 id, const QString &domain)
    {
        const QVariant mobileKind = m_reference.phoneKinds.id(QStringLiteral("slow_telefony_rodzaj_komorkowy"));
        const bool withFax = m_random.percent(20);
        m_phone.run({id, TableCompany, landline(m_random), QVariant(),
                     m_reference.phoneKinds.id(QStringLiteral("slow_telefony_rodzaj_sluzbowy")), 1, withFax ? 3 : 1});
        if (m_random.percent(50)) {
            m_phone.run({id, TableCompany, mobile(m_random),
                         m_random.percent(30) ? QVariant(QStringLiteral("dyspozytor")) : QVariant(), mobileKind, 0, 1});
        }
        if (!withFax && m_random.percent(15))
            m_phone.run({id, TableCompany, landline(m_random), QVariant(), QVariant(), 0, 2});
        const QVariant accountant = m_reference.positions.id(QStringLiteral("slow_stanowiska_ksiegowa"));
        static const int contactCounts[] = {0, 1, 1, 2, 2, 3, 4};
        const int contacts = m_random.pick(contactCounts);
        for (int i = 0; i < contacts; ++i) {
            const QVariant position =
                m_reference.positions.isEmpty() ? QVariant() : QVariant(m_random.pick(m_reference.positions.ids));
            demo::Person person = demo::makePerson(m_random);
            while (!accountant.isNull() && position == accountant && !person.female)
                person = demo::makePerson(m_random);
            const QString local = demo::asciiSlug(person.firstName).remove(QLatin1Char('-')) + QLatin1Char('.')
                + demo::asciiSlug(person.surname).remove(QLatin1Char('-'));
            const QString mail = mailbox(local, domain.isEmpty() ? demo::mailProvider(m_random) : domain);
            const QString phone = mobile(m_random);
            m_contact.run({id, person.surname, person.firstName, mail, position, phone, i == 0 ? 1 : 0,
                           m_random.percent(30) ? 1 : 0});
            if (m_random.percent(60))
                m_phone.run(
                    {id, TableCompany, phone, person.firstName + QLatin1Char(' ') + person.surname, mobileKind, 0, 1});
        }
    }

    // Periods from a start in the recent past up to the demo's present, as the editor would generate them.
    void addPeriods(qint64 id)
    {
        const PeriodLength length =
            m_random.percent(50) ? m_reference.periodLengths.first() : m_random.pick(m_reference.periodLengths);
        const QDate present(2026, 12, 1); // fixed, so that a seed always yields the same rows
        const int year = m_random.between(2023, 2025);
        const QDate start(year, m_random.between(1, 12), 1);
        QDate lastEnd;
        for (const QDate &date : {start, present}) {
            for (const auto &[from, to] : periodsUntil(lastEnd, date, m_reference.periodStartDay, length.months)) {
                m_period.run({id, dayText(from), dayText(to)});
                lastEnd = to;
            }
        }
        m_periodLength.run({length.code, id});
    }

    // Every company gets at least one kind, so list group names are never empty. True for a carrier.
    bool addKinds(qint64 id)
    {
        QList<qint64> chosen;
        for (const auto &[identifier, chance] : kindChances) {
            const QVariant kind = m_reference.kinds.id(QString::fromLatin1(identifier));
            if (!kind.isNull() && m_random.percent(chance) && chosen.size() < 3)
                chosen.append(kind.toLongLong());
        }
        if (chosen.isEmpty())
            chosen.append(m_reference.kinds.id(QStringLiteral("slow_firma_rodzaj_klient")).isNull()
                              ? m_reference.kinds.ids.first()
                              : m_reference.kinds.id(QStringLiteral("slow_firma_rodzaj_klient")).toLongLong());
        for (qint64 kind : chosen)
            m_kind.run({id, kind});
        return chosen.contains(m_reference.kinds.id(QStringLiteral("slow_firma_rodzaj_przewoznik")).toLongLong());
    }

    QVariant typeId(bool own) const
    {
        return m_reference.types.id(own ? QStringLiteral("firma_wlasna") : QStringLiteral("ogolny"));
    }

    QVariant pickStatus()
    {
        int roll = m_random.below(100);
        for (const auto &[identifier, weight] : statusWeights) {
            if (roll < weight)
                return m_reference.statuses.id(QString::fromLatin1(identifier));
            roll -= weight;
        }
        return QVariant(); // the rest has no status
    }

    QString uniqueName(const demo::CompanyName &company, const Place &place)
    {
        if (m_names.claim(company.name()))
            return company.name();
        demo::CompanyName local = company;
        local.core = company.core + QLatin1Char(' ') + place.city;
        if (m_names.claim(local.name()))
            return local.name();
        for (int n = 2;; ++n) {
            local.core = company.core + QLatin1Char(' ') + QString::number(n);
            if (m_names.claim(local.name()))
                return local.name();
        }
    }

    // Short names stay within 20 characters where the office limits them so.
    QString uniqueShortName(const QString &base, const Place &place)
    {
        const QString first = base.left(20).trimmed();
        if (m_shortNames.claim(first))
            return first;
        const QString local = base.left(15).trimmed() + QLatin1Char(' ') + cityCode(place.city);
        if (m_shortNames.claim(local))
            return local;
        for (int n = 2;; ++n) {
            const QString numbered = base.left(12).trimmed() + QLatin1Char(' ') + QString::number(n);
            if (m_shortNames.claim(numbered))
                return numbered;
        }
    }

    template <typename Make>
    QString unique(Make make)
    {
        for (;;) {
            const QString value = make();
            if (m_numbers.claim(value))
                return value;
        }
    }

    Random m_random;
    Reference m_reference;
    PreparedInsert m_company, m_kind, m_address, m_phone, m_account, m_contact, m_period, m_periodLength;
    Taken m_names, m_shortNames, m_numbers;
    QList<HeadOffice> m_heads;
};

} // namespace

void generateDemoCompanies(db::Connection &connection, int count, unsigned seed,
                           const std::function<void(int, int)> &progress)
{
    if (count <= 0)
        return;
    db::Transaction transaction(connection);
    {
        Generator generator(connection, seed);
        // The first few companies are the office's own.
        const int own = std::min(count, 3);
        for (int i = 0; i < count; ++i) {
            generator.company(i < own);
            if (progress && ((i + 1) % 1000 == 0 || i + 1 == count))
                progress(i + 1, count);
        }
    }
    transaction.commit();
}

void generateDemoDocuments(db::Connection &connection, unsigned seed)
{
    const Dictionary kinds = loadDictionary(connection, QStringLiteral("dokument_rodzaj"));
    if (kinds.isEmpty())
        return;
    static const char *const issuers[] = {"GITD",          "Starostwo Powiatowe", "PZU SA",
                                          "TUiR Warta SA", "Sąd Rejonowy",        "Urząd Skarbowy"};
    const QDate today = QDate::currentDate();
    db::Transaction transaction(connection);
    {
        // A stream of its own: the companies of a seed stay as they were.
        Random random(seed ^ 0x0d0cu);
        PreparedInsert document(connection,
                                QStringLiteral("insert into dokument (rodzaj, numer, wazny_od, wazny_do, data_wyd, "
                                               "kto_wyd, id_f, czy_wykonany) values (:rodzaj, :numer, :wazny_od, "
                                               ":wazny_do, :data_wyd, :kto_wyd, :id_f, 0)"));
        for (const auto &row : selectRows(connection, QStringLiteral("select id_f from firma order by id_f"))) {
            if (!random.percent(40))
                continue;
            const int count = random.between(1, 4);
            for (int i = 0; i < count; ++i) {
                const int roll = random.below(100);
                const int daysLeft = roll < 25 ? random.between(0, 30)
                    : roll < 40                ? -random.between(1, 400)
                                               : random.between(31, 900);
                const QDate to = today.addDays(daysLeft);
                const QDate from = to.addYears(-1).addDays(1);
                document.run({random.pick(kinds.ids),
                              QStringLiteral("%1/%2").arg(random.between(1000, 99999)).arg(from.year()), dayText(from),
                              dayText(to), dayText(from.addDays(-random.below(14))),
                              QString::fromUtf8(random.pick(issuers)), row[0]});
            }
        }
    }
    transaction.commit();
}

} // namespace suitedb
