// Demo companies: valid registry and account numbers, consistent sub-records
// and head offices, unique short names, and the same companies for a seed.

#include "demo.h"
#include "suitedb.h"
#include "suitedb_fixture.h"

#include <algorithm>
#include <vector>

namespace suitedbtest {
namespace {

constexpr int Companies = 400;

bool allDigits(const QString &text, int length)
{
    return text.size() == length && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

// Weighted digit sum modulo 11, as a REGON checks itself.
int weightedSum(const QString &text, std::initializer_list<int> weights)
{
    int sum = 0, i = 0;
    for (int w : weights)
        sum += w * text.at(i++).digitValue();
    return sum % 11;
}

bool validRegon(const QString &regon)
{
    return allDigits(regon, 9) && weightedSum(regon, {8, 9, 2, 3, 4, 5, 6, 7}) % 10 == regon.at(8).digitValue();
}

// IBAN rule: the country code and check digits move to the end, letters
// become numbers (P = 25, L = 21), and the whole number leaves 1 modulo 97.
bool validAccount(const QString &number)
{
    if (!allDigits(number, 26))
        return false;
    int remainder = 0;
    for (QChar c : number.mid(2) + "2521" + number.left(2))
        remainder = (remainder * 10 + c.digitValue()) % 97;
    return remainder == 1;
}

class DemoTest : public SuiteDbTest
{
protected:
    void SetUp() override
    {
        SuiteDbTest::SetUp();
        if (IsSkipped())
            return;
        suitedb::generateDemoCompanies(connection(), Companies, 11);
    }
};

TEST_P(DemoTest, CreatesTheCompaniesAskedWithValidNumbersKeepingTheRulesOfTheProgram)
{
    EXPECT_EQ(count("select count(*) from firma"), Companies);
    const QStringList regons = strings("select regon from firma where regon is not null");
    EXPECT_GT(regons.size(), Companies / 2);
    for (const QString &regon : regons)
        EXPECT_TRUE(validRegon(regon)) << regon.toStdString();
    for (const QString &krs : strings("select krs from firma where krs is not null"))
        EXPECT_TRUE(allDigits(krs, 10)) << krs.toStdString();
    for (const QString &account : strings("select nr_konta from konto"))
        EXPECT_TRUE(validAccount(account)) << account.toStdString();

    // Each statement counts rows that break a rule the program relies on.
    const char *const violations[] = {
        "select count(*) from firma where nazwa is null or nazwa = '' or skrot is null or skrot = ''",
        "select count(*) from (select regon from firma where regon is not null group by regon having count(*) > 1) d",
        "select count(*) from (select krs from firma where krs is not null group by krs having count(*) > 1) d",
        // An account names its bank by the settlement number inside it.
        "select count(*) from konto k left join bank b on b.nr_rozliczeniowy = substr(k.nr_konta, 3, 4) "
        "where b.nazwa is null or k.bank is null or k.bank <> substr(b.nazwa, 1, 50)",
        "select count(*) from firma f where not exists (select 1 from firma_grupa g where g.id_f = f.id_f)",
        "select count(*) from firma_grupa g where not exists "
        "(select 1 from slowwartosci s where s.id_wartosci = g.grupa and s.typ_slownika = 'firma_rodzaj')",
        "select count(*) from firma f where 1 <> (select count(*) from adres a where a.tabela = 7 and a.id_ = f.id_f "
        "and a.czy_domyslny = 1)",
        "select count(*) from firma f where 1 <> (select count(*) from telefon t where t.tabela = 7 "
        "and t.id_ = f.id_f and t.czy_domysl = 1)",
        "select count(*) from firma f where 1 <> (select count(*) from konto k where k.tabela = 7 and k.id_ = f.id_f "
        "and k.czy_domyslne = 1)",
        "select count(*) from konto where czy_domyslne = 1 and aktywne = 0",
        // The address editor offers only kinds of a non-zero group.
        "select count(*) from adres a where not exists (select 1 from slowwartosci s where s.id_wartosci = a.rodzaj "
        "and s.typ_slownika = 'adres_rodzaj' and s.grupa <> 0)",
        "select count(*) from okres_roz a join okres_roz b on b.id_f = a.id_f and b.id_okr <> a.id_okr "
        "and b.data_od <= a.data_do and a.data_od <= b.data_do",
        "select count(*) from okres_roz where data_od > data_do",
        "select count(*) from firma f where okres_roz is null and exists (select 1 from okres_roz o where o.id_f = "
        "f.id_f)",
        // A postal code always belongs to the address's city.
        "select count(*) from adres a join kod_pocztowy k on k.id_kodu = a.id_kodu where k.id_m <> a.id_m",
        "select count(*) from adres where id_kodu is null or id_m is null",
        "select count(*) from kontakt k where id_stan is not null and not exists "
        "(select 1 from slowwartosci s where s.id_wartosci = k.id_stan and s.typ_slownika = 'stanowiska')",
        // The editor refuses longer values, so demo rows must fit as a user's would.
        "select count(*) from firma where length(nazwa) > 200 or length(skrot) > 20 or length(wlasciciel) > 30 "
        "or length(www) > 60 or length(e_mail) > 50",
        "select count(*) from kontakt where e_mail is null or length(e_mail) > 50 or length(tel) > 25",
        "select count(*) from adres where length(ulica) > 50 or length(nr_domu) > 10 or length(nr_m) > 5",
        "select count(*) from telefon where numer not like '+48 %'",
        // A branch hangs on an existing head office of the same VAT number, never on another branch.
        "select count(*) from firma b join firma h on h.id_f = b.id_centrali where h.id_centrali is not null",
        "select count(*) from firma b where b.id_centrali is not null and not exists "
        "(select 1 from firma h where h.id_f = b.id_centrali)",
        "select count(*) from firma b join firma h on h.id_f = b.id_centrali where b.nip <> h.nip",
        "select count(*) from firma where typ_firmy is null",
        "select count(*) from firma where status is not null and status not in "
        "(select id_wartosci from slowwartosci where typ_slownika = 'klient_rodzaj')",
        // A limit always comes with its currency, and no limit without one.
        "select count(*) from firma where (limit_kredytowy > 0) <> (waluta_limitu_kredyt is not null)",
    };
    for (const char *sql : violations)
        EXPECT_EQ(count(sql), 0) << sql;
    // Every tab of the company editor has rows to show, for most companies more than one.
    const std::pair<const char *, int> filled[] = {
        {"select count(*) from firma where id_centrali is not null", 0},
        {"select count(*) from firma where limit_kredytowy > 0", 0},
        {"select count(*) from okres_roz", Companies / 10},
        {"select count(distinct id_f) from kontakt", Companies / 2},
        {"select count(*) from telefon t join kontakt k on k.tel = t.numer and k.id_f = t.id_ and t.tabela = 7", 0},
        {"select count(*) from firma f where 1 < (select count(*) from adres a where a.tabela = 7 and a.id_ = f.id_f)",
         Companies / 2},
        {"select count(*) from firma f where 1 < (select count(*) from konto k where k.tabela = 7 and k.id_ = f.id_f)",
         Companies / 5}};
    for (const auto &[sql, least] : filled)
        EXPECT_GT(count(sql), least) << sql;
    EXPECT_EQ(count("select count(*) from firma f join slowwartosci s on s.id_wartosci = f.typ_firmy "
                    "where s.typ_slownika = 'typ_firmy' and s.wartosc = 'firma_wlasna'"),
              3);
}

TEST_P(DemoTest, SameSeedSameCompaniesAndNamesStayUniqueOnASecondRun)
{
    const auto listed = [](db::Connection &connection) {
        return suitedbtest::strings(connection, "select nazwa || '|' || skrot || '|' || nip from firma order by id_f");
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

    suitedb::generateDemoCompanies(connection(), Companies, 11);
    EXPECT_EQ(count("select count(*) from firma"), 2 * Companies);
    EXPECT_EQ(count("select count(distinct lower(skrot)) from firma"), 2 * Companies);
    EXPECT_EQ(count("select count(distinct lower(nazwa)) from firma"), 2 * Companies);
    EXPECT_EQ(count("select count(*) from firma where length(skrot) > 20"), 0);
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
} // namespace suitedbtest
