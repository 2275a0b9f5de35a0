// Demo companies: valid registry and account numbers, consistent sub-records
// and head offices, unique short names, and the same companies for a seed.

#include "connection.h"
#include "demo.h"
#include "query.h"
#include "scratch_database.h"
#include "suitedb.h"
#include "suitedb_fixture.h"

#include <QSet>
#include <gtest/gtest.h>
#include <vector>

namespace {

using suitedbtest::count;
using suitedbtest::scalar;

constexpr int Companies = 400;

std::vector<QVariantList> rows(db::Connection &connection, const QString &sql)
{
    db::Query query(&connection, sql);
    query.open();
    std::vector<QVariantList> out;
    for (query.first(); !query.eof(); query.next()) {
        QVariantList row;
        for (int i = 0; i < query.fieldCount(); ++i)
            row.append(query.value(i));
        out.push_back(row);
    }
    return out;
}

bool allDigits(const QString &text, int length)
{
    if (text.size() != length)
        return false;
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

int digit(const QString &text, int i)
{
    return text.at(i).digitValue();
}

bool validNip(const QString &nip)
{
    if (!allDigits(nip, 10))
        return false;
    const int weights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += weights[i] * digit(nip, i);
    return sum % 11 != 10 && sum % 11 == digit(nip, 9);
}

bool validRegon(const QString &regon)
{
    if (!allDigits(regon, 9))
        return false;
    const int weights[] = {8, 9, 2, 3, 4, 5, 6, 7};
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += weights[i] * digit(regon, i);
    const int check = sum % 11 == 10 ? 0 : sum % 11;
    return check == digit(regon, 8);
}

// IBAN rule: the country code and check digits move to the end, letters
// become numbers (P = 25, L = 21), and the whole number leaves 1 modulo 97.
bool validAccount(const QString &number)
{
    if (!allDigits(number, 26))
        return false;
    const QString moved = number.mid(2) + QStringLiteral("2521") + number.left(2);
    int remainder = 0;
    for (QChar c : moved)
        remainder = (remainder * 10 + c.digitValue()) % 97;
    return remainder == 1;
}

TEST(DemoChecksums, VerifiersKnowRealNumbers)
{
    EXPECT_TRUE(validNip(QStringLiteral("5260250274")));
    EXPECT_FALSE(validNip(QStringLiteral("5260250275")));
    EXPECT_TRUE(validRegon(QStringLiteral("012100784")));
    EXPECT_FALSE(validRegon(QStringLiteral("012100785")));
    EXPECT_TRUE(validAccount(QStringLiteral("61109010140000071219812874")));
    EXPECT_FALSE(validAccount(QStringLiteral("61109010140000071219812875")));
}

class DemoTest : public suitedbtest::SuiteDbTest
{
protected:
    void SetUp() override
    {
        SuiteDbTest::SetUp();
        if (IsSkipped())
            return;
        suitedb::generateDemoCompanies(connection(), Companies, 11, [this](int done, int all) {
            m_progress.push_back({done, all});
        });
    }

    int number(const char *sql) { return count(connection(), QString::fromUtf8(sql)); }

    std::vector<std::pair<int, int>> m_progress;
};

TEST_P(DemoTest, CreatesTheCompaniesAsked)
{
    EXPECT_EQ(number("select count(*) from firma"), Companies);
    ASSERT_FALSE(m_progress.empty());
    EXPECT_EQ(m_progress.back(), std::make_pair(Companies, Companies));
    EXPECT_EQ(number("select count(*) from firma where nazwa is null or nazwa = '' or skrot is null or skrot = ''"), 0);
}

TEST_P(DemoTest, RegistryNumbersPassTheirChecksums)
{
    int regons = 0;
    for (const auto &row : rows(connection(), QStringLiteral("select nip, regon, krs from firma"))) {
        EXPECT_TRUE(validNip(row[0].toString())) << row[0].toString().toStdString();
        if (!row[1].isNull()) {
            ++regons;
            EXPECT_TRUE(validRegon(row[1].toString())) << row[1].toString().toStdString();
        }
        if (!row[2].isNull()) {
            EXPECT_TRUE(allDigits(row[2].toString(), 10)) << row[2].toString().toStdString();
        }
    }
    EXPECT_GT(regons, Companies / 2);
    EXPECT_EQ(number("select count(*) from (select regon from firma where regon is not null group by regon having "
                     "count(*) > 1) d"),
              0);
    EXPECT_EQ(
        number("select count(*) from (select krs from firma where krs is not null group by krs having count(*) > 1) d"),
        0);
}

TEST_P(DemoTest, AccountNumbersAreValidAndNameTheirBank)
{
    const auto accounts = rows(connection(),
                               QStringLiteral("select k.nr_konta, k.bank, b.nazwa from konto k left join bank b on "
                                              "b.nr_rozliczeniowy = substr(k.nr_konta, 3, 4)"));
    EXPECT_EQ(int(accounts.size()), Companies);
    for (const auto &row : accounts) {
        EXPECT_TRUE(validAccount(row[0].toString())) << row[0].toString().toStdString();
        EXPECT_EQ(row[1].toString(), row[2].toString().left(50)) << row[0].toString().toStdString();
    }
}

TEST_P(DemoTest, EveryCompanyHasItsDefaultsAndKinds)
{
    EXPECT_EQ(
        number("select count(*) from firma f where not exists (select 1 from firma_grupa g where g.id_f = f.id_f)"), 0);
    EXPECT_EQ(
        number("select count(*) from firma_grupa g where not exists "
               "(select 1 from slowwartosci s where s.id_wartosci = g.grupa and s.typ_slownika = 'firma_rodzaj')"),
        0);
    for (const char *sql : {"select count(*) from adres where tabela = 7 and czy_domyslny = 1",
                            "select count(*) from telefon where tabela = 7 and czy_domysl = 1",
                            "select count(*) from konto where tabela = 7 and czy_domyslne = 1"})
        EXPECT_EQ(number(sql), Companies) << sql;
    EXPECT_EQ(number("select count(*) from (select id_ from adres where tabela = 7 and czy_domyslny = 1 "
                     "group by id_ having count(*) > 1) d"),
              0);
    // A postal code always belongs to the address's city.
    EXPECT_EQ(
        number("select count(*) from adres a join kod_pocztowy k on k.id_kodu = a.id_kodu where k.id_m <> a.id_m"), 0);
    EXPECT_EQ(number("select count(*) from adres where id_kodu is null or id_m is null"), 0);
    EXPECT_EQ(
        number("select count(*) from kontakt k where id_stan is not null and not exists "
               "(select 1 from slowwartosci s where s.id_wartosci = k.id_stan and s.typ_slownika = 'stanowiska')"),
        0);
    EXPECT_GT(number("select count(*) from kontakt"), 0);
}

// The editor refuses longer values, so demo rows must fit as a user's would.
TEST_P(DemoTest, ValuesFitTheEditorsWidths)
{
    EXPECT_EQ(number("select count(*) from firma where length(nazwa) > 200 or length(skrot) > 20 "
                     "or length(wlasciciel) > 30 or length(www) > 60 or length(e_mail) > 50"),
              0);
    EXPECT_EQ(number("select count(*) from kontakt where length(e_mail) > 50 or length(tel) > 25"), 0);
    EXPECT_EQ(number("select count(*) from adres where length(ulica) > 50 or length(nr_domu) > 10 or length(nr_m) > 5"),
              0);
    EXPECT_EQ(number("select count(*) from telefon where numer not like '+48 %'"), 0);
}

TEST_P(DemoTest, BranchesPointAtHeadOffices)
{
    EXPECT_GT(number("select count(*) from firma where id_centrali is not null"), 0);
    EXPECT_EQ(
        number("select count(*) from firma b join firma h on h.id_f = b.id_centrali where h.id_centrali is not null"),
        0);
    EXPECT_EQ(number("select count(*) from firma b where b.id_centrali is not null and not exists "
                     "(select 1 from firma h where h.id_f = b.id_centrali)"),
              0);
    EXPECT_EQ(number("select count(*) from firma b join firma h on h.id_f = b.id_centrali where b.nip <> h.nip"), 0);
}

TEST_P(DemoTest, TypesStatusesAndLimits)
{
    const QVariant own = scalar(
        connection(),
        QStringLiteral(
            "select id_wartosci from slowwartosci where typ_slownika = 'typ_firmy' and wartosc = 'firma_wlasna'"));
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from firma where typ_firmy = :t"), {{"t", own}}), 3);
    EXPECT_EQ(number("select count(*) from firma where typ_firmy is null"), 0);
    EXPECT_EQ(number("select count(*) from firma where status is not null and status not in "
                     "(select id_wartosci from slowwartosci where typ_slownika = 'klient_rodzaj')"),
              0);
    // A limit always comes with its currency, and no limit without one.
    EXPECT_EQ(number("select count(*) from firma where (limit_kredytowy > 0) <> (waluta_limitu_kredyt is not null)"),
              0);
    EXPECT_GT(number("select count(*) from firma where limit_kredytowy > 0"), 0);
}

TEST_P(DemoTest, NamesAreUniqueAlsoOnASecondRun)
{
    suitedb::generateDemoCompanies(connection(), Companies, 11);
    EXPECT_EQ(number("select count(*) from firma"), 2 * Companies);
    EXPECT_EQ(number("select count(distinct lower(skrot)) from firma"), 2 * Companies);
    EXPECT_EQ(number("select count(distinct lower(nazwa)) from firma"), 2 * Companies);
    EXPECT_EQ(number("select count(*) from firma where length(skrot) > 20"), 0);
}

TEST_P(DemoTest, SameSeedSameCompanies)
{
    const auto listed = [](db::Connection &connection) {
        QStringList out;
        for (const auto &row : rows(connection, QStringLiteral("select nazwa, skrot, nip from firma order by id_f")))
            out.append(row[0].toString() + QLatin1Char('|') + row[1].toString() + QLatin1Char('|') + row[2].toString());
        return out;
    };
    testsupport::ScratchDatabase same(GetParam());
    testsupport::ScratchDatabase other(GetParam());
    suitedb::createOrUpgrade(same.connection());
    suitedb::createOrUpgrade(other.connection());
    suitedb::generateDemoCompanies(same.connection(), Companies, 11);
    suitedb::generateDemoCompanies(other.connection(), Companies, 12);
    const QStringList first = listed(connection());
    EXPECT_EQ(first, listed(same.connection()));
    EXPECT_NE(first, listed(other.connection()));
}

MALVO_INSTANTIATE_FOR_ENGINES(DemoTest);

TEST(DemoProgress, ReportsEveryThousand)
{
    testsupport::ScratchDatabase database(db::Engine::SQLite);
    suitedb::createOrUpgrade(database.connection());
    std::vector<int> reported;
    suitedb::generateDemoCompanies(database.connection(), 2500, 3, [&](int done, int all) {
        EXPECT_EQ(all, 2500);
        reported.push_back(done);
    });
    EXPECT_EQ(reported, (std::vector<int>{1000, 2000, 2500}));
}

} // namespace
