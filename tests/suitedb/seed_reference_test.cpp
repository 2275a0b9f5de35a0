// What the program relies on in the reference data a new database is seeded
// with.

#include "connection.h"
#include "suitedb.h"
#include "suitedb_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace suitedbtest {
namespace {

const int Languages[] = {suitedb::LanguagePolish, suitedb::LanguageEnglish};

class SeedTest : public SuiteDbTest
{
protected:
    int number(const char *sql, Args binds = {}) { return count(connection(), QString::fromUtf8(sql), binds); }
    QString message(const char *key, int language)
    {
        return scalar(connection(), QStringLiteral("select tekst from resstrings where klucz = :k and id_jezyka = :j"),
                      {{"k", QString::fromLatin1(key)}, {"j", language}})
            .toString();
    }
    QStringList entries(const char *type, int language, const char *extra = "")
    {
        return strings(connection(),
                       QStringLiteral("select wartosc from VListaPozSlownika where typ_slownika = :t "
                                      "and id_jezyka = :j and nazwa_parametru = 'nazwa'")
                           + QLatin1String(extra) + QStringLiteral(" order by wartosc"),
                       {{"t", QString::fromLatin1(type)}, {"j", language}});
    }
};

TEST_P(SeedTest, EveryMessageAndEntryHasATextInEachLanguage)
{
    EXPECT_EQ(message("Resstrings_IDS_firma_wlasna", suitedb::LanguageEnglish), "Own company");
    // Keys that differ only in case are one key to the database.
    EXPECT_FALSE(message("Resstrings_IDS_Kodpocz", suitedb::LanguagePolish).isEmpty());
    EXPECT_EQ(message("Resstrings_IDS_KodPocz", suitedb::LanguagePolish),
              message("Resstrings_IDS_Kodpocz", suitedb::LanguagePolish));
    EXPECT_EQ(number("select count(*) from resstrings where id_jezyka = 1"),
              number("select count(*) from resstrings where id_jezyka = 2"));
    EXPECT_EQ(number("select count(*) from resstrings where tekst is null or tekst = ''"), 0);
    EXPECT_EQ(number("select count(*) from slowwartosci s cross join jezyk j where not exists (select 1 from "
                     "tlumaczenie t where t.identyfikator = s.wartosc and t.id_jezyka = j.id_jezyka)"),
              0);
}

// The editor recognises own and general companies, and the correspondence
// address, by these texts; the list filters own companies by identifier.
TEST_P(SeedTest, DictionariesMatchTheMessagesTheModuleComparesThemWith)
{
    for (int language : Languages) {
        const QStringList types = entries("typ_firmy", language);
        EXPECT_TRUE(types.contains(message("Resstrings_IDS_firma_wlasna", language))) << language;
        EXPECT_TRUE(types.contains(message("Resstrings_IDS_ogolny2", language))) << language;
        EXPECT_EQ(entries("adres_rodzaj", language, " and grupa = 1"),
                  QStringList{message("Resstrings_IDS_adres_rodzaj1", language)});
        EXPECT_FALSE(entries("adres_rodzaj", language, " and grupa = 0").isEmpty());
        EXPECT_GE(entries("adres_rodzaj", language, " and grupa > 1").size(), 2);
        for (const char *type : {"firma_rodzaj", "klient_rodzaj", "dokument_rodzaj", "telefony_rodzaj", "stanowiska"})
            EXPECT_GE(entries(type, language).size(), 4) << type << " " << language;
    }
    EXPECT_EQ(number("select count(*) from slowwartosci where typ_slownika = 'typ_firmy' and wartosc = 'firma_wlasna'"),
              1);
    // Loading and unloading places form group 4, which the list can hide.
    EXPECT_FALSE(entries("firma_rodzaj", suitedb::LanguagePolish, " and grupa = 4").isEmpty());
    EXPECT_EQ(number("select count(*) from slowwartosci where typ_slownika = 'klient_rodzaj' and kolor is null"), 0);
    // A document kind shows its name with its symbol, so each has both.
    EXPECT_EQ(number("select count(*) from slowwartosci where typ_slownika = 'dokument_rodzaj' "
                     "and nazwa_parametru = 'nazwa'"),
              number("select count(*) from slowwartosci where typ_slownika = 'dokument_rodzaj' "
                     "and nazwa_parametru <> 'nazwa'"));
}

// The invoice reads payment terms as whole days, sorted as numbers.
TEST_P(SeedTest, PaymentTermsAreWholeDaysAndMethodsPairOncePerMethod)
{
    const QStringList days =
        strings(connection(),
                QStringLiteral("select cast(wartosc as int) from VListaPozSlownika where id_jezyka = 1 "
                               "and typ_slownika = 'dni_do_zaplaty' order by cast(wartosc as int)"));
    QList<int> values;
    for (const QString &d : days)
        values.append(d.toInt());
    EXPECT_GE(values.size(), 3);
    EXPECT_TRUE(values.contains(0));
    EXPECT_TRUE(std::is_sorted(values.cbegin(), values.cend()));
    // The payment-method list pairs each name with the other parameter of its group.
    for (int language : Languages) {
        const QStringList methods = strings(
            connection(),
            QStringLiteral(
                "select s1.id as kod, s1.wartosc as wartosc from VListaPozSlownika s1 join VListaPozSlownika s2 "
                "on s1.grupa = s2.grupa and s1.typ_slownika = s2.typ_slownika and s1.typ_slownika='platnosc_rodzaj' "
                "and s1.id_jezyka = s2.id_jezyka and s1.id_jezyka=:id_jezyka and s1.nazwa_parametru <> "
                "s2.nazwa_parametru and s1.nazwa_parametru='nazwa' order by s1.system DESC, s1.wartosc"),
            {{"id_jezyka", language}}, 1);
        EXPECT_EQ(methods, entries("platnosc_rodzaj", language)) << language;
        EXPECT_GE(methods.size(), 4);
    }
}

TEST_P(SeedTest, CountriesAreUniqueAndNamedAndCitiesHavePostalCodes)
{
    for (const char *column : {"iso", "sam"})
        EXPECT_EQ(number("select count(*) from panstwo"),
                  count(connection(), QStringLiteral("select count(distinct %1) from panstwo").arg(column)));
    // A VAT number's prefix must tell its country.
    EXPECT_EQ(number("select count(*) from panstwo where NIP is not null"),
              number("select count(distinct NIP) from panstwo where aktywny = 1 and NIP is not null"));
    EXPECT_EQ(number("select count(*) from vlistapanstw where nazwa like 'panstwo_%'"), 0);
    EXPECT_EQ(scalar(connection(), QStringLiteral("select waluta from panstwo where iso = 'PL'")).toString(), "PLN");

    EXPECT_EQ(number("select count(*) from miasto m where not exists "
                     "(select 1 from kod_pocztowy k where k.id_m = m.id_m)"),
              0);
    static const QRegularExpression polishCode(QStringLiteral("^\\d{2}-\\d{3}$"));
    const QStringList codes = strings(connection(),
                                      QStringLiteral("select k.kod from kod_pocztowy k join miasto m on "
                                                     "m.id_m = k.id_m join panstwo p on p.id_p = "
                                                     "m.id_panstwa where p.iso = 'PL'"));
    EXPECT_GE(codes.size(), 200);
    for (const QString &code : codes)
        EXPECT_TRUE(polishCode.match(code).hasMatch()) << code.toStdString();
}

TEST_P(SeedTest, BankRegisterIsComplete)
{
    QFile file(QStringLiteral(MALVO_SOURCE_DIR "/suitedb/data/bank_register_pl.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int lines = 0;
    for (const QByteArray &line : file.readAll().split('\n'))
        lines += !line.trimmed().isEmpty() && !line.startsWith('#');
    EXPECT_GT(lines, 600);
    EXPECT_EQ(number("select count(*) from bank"), lines);
    EXPECT_EQ(number("select count(distinct nr_rozliczeniowy) from bank"), lines);
}

// Owners are named by these codes in rows the program writes.
TEST_P(SeedTest, TableCodesAndRights)
{
    for (const auto &[name, code] :
         {std::pair{"firma", suitedb::TableCompany}, std::pair{"samochod", suitedb::TableVehicle},
          std::pair{"dokument", suitedb::TableDocument}})
        EXPECT_EQ(number("select tabela from definicja_tabela where tabela_slownie = :n", {{"n", name}}), code) << name;
    EXPECT_EQ(number("select count(*) from definicja_tabela"),
              number("select count(distinct tabela_slownie) from definicja_tabela"));

    EXPECT_EQ(number("select administrator from uzytkownik where login = 'admin'"), 1);
    // Someone may change, someone may only look, someone may not open it.
    EXPECT_EQ(number("select count(distinct case when poziom > 0 then 1 when poziom = 0 then 0 else -1 end)"
                     " from uprawnienia where modul = 'partners.dll'"),
              3);
    EXPECT_EQ(number("select count(*) from uprawnienia u join uzytkownik z on z.id_u = u.id_u "
                     "where z.administrator = 1"),
              0);
}

MALVO_INSTANTIATE_FOR_ENGINES(SeedTest);

} // namespace
} // namespace suitedbtest
