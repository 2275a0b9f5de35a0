// Reference data a new database is seeded with: what the module reads from
// dictionaries, countries, cities, banks, table codes and users.

#include "connection.h"
#include "query.h"
#include "suitedb.h"
#include "suitedb_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using suitedbtest::Args;
using suitedbtest::count;
using suitedbtest::scalar;

QVariantList column(db::Connection &connection, const QString &sql, Args binds = {}, int index = 0)
{
    db::Query query(&connection, sql);
    for (const auto &[name, value] : binds)
        query.parameters().setValue(QString::fromLatin1(name), value);
    query.open();
    QVariantList values;
    for (query.first(); !query.eof(); query.next())
        values.append(query.value(index));
    return values;
}

QStringList texts(const QVariantList &values)
{
    QStringList out;
    for (const QVariant &v : values)
        out.append(v.toString());
    return out;
}

const int languages[] = {suitedb::LanguagePolish, suitedb::LanguageEnglish};

class SeedTest : public suitedbtest::SuiteDbTest
{
protected:
    QString message(const char *key, int language)
    {
        return scalar(connection(), QStringLiteral("select tekst from resstrings where klucz = :k and id_jezyka = :j"),
                      {{"k", QString::fromLatin1(key)}, {"j", language}})
            .toString();
    }
    QStringList entries(const char *type, int language, Args extraBinds = {}, const QString &extra = {})
    {
        Args binds{{"t", QString::fromLatin1(type)}, {"j", language}};
        binds.insert(binds.end(), extraBinds.begin(), extraBinds.end());
        return texts(column(connection(),
                            QStringLiteral("select wartosc from VListaPozSlownika where typ_slownika = :t "
                                           "and id_jezyka = :j and nazwa_parametru = 'nazwa'")
                                + extra + QStringLiteral(" order by wartosc"),
                            binds));
    }
};

TEST_P(SeedTest, LanguagesAndMessages)
{
    EXPECT_EQ(scalar(connection(), QStringLiteral("select kod from jezyk where id_jezyka = 1")).toString(), "pl");
    EXPECT_EQ(scalar(connection(), QStringLiteral("select kod from jezyk where id_jezyka = 2")).toString(), "en");
    EXPECT_EQ(message("Resstrings_IDS_firma_wlasna", suitedb::LanguagePolish), QString::fromUtf8("Firma własna"));
    EXPECT_EQ(message("Resstrings_IDS_firma_wlasna", suitedb::LanguageEnglish), "Own company");
    EXPECT_EQ(message("Resstrings_IDS_ogolny2", suitedb::LanguageEnglish), "General");
    // Keys that differ only in case are one key to the database.
    EXPECT_FALSE(message("Resstrings_IDS_Kodpocz", suitedb::LanguagePolish).isEmpty());
    EXPECT_EQ(message("Resstrings_IDS_KodPocz", suitedb::LanguagePolish),
              message("Resstrings_IDS_Kodpocz", suitedb::LanguagePolish));
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from resstrings where id_jezyka = 1")),
              count(connection(), QStringLiteral("select count(*) from resstrings where id_jezyka = 2")));
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from resstrings where tekst is null or tekst = ''")),
              0);
}

// The editor recognises own and general companies by these texts.
TEST_P(SeedTest, CompanyTypesMatchTheirMessages)
{
    for (int language : languages) {
        const QStringList types = entries("typ_firmy", language);
        EXPECT_TRUE(types.contains(message("Resstrings_IDS_firma_wlasna", language))) << language;
        EXPECT_TRUE(types.contains(message("Resstrings_IDS_ogolny2", language))) << language;
    }
    // The list filters own companies by the entry's identifier.
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(*) from slowwartosci where typ_slownika = 'typ_firmy' "
                                   "and wartosc = 'firma_wlasna'")),
              1);
}

TEST_P(SeedTest, AddressKinds)
{
    for (int language : languages) {
        const QStringList correspondence = entries("adres_rodzaj", language, {}, QStringLiteral(" and grupa = 1"));
        ASSERT_EQ(correspondence.size(), 1) << language;
        EXPECT_EQ(correspondence.first(), message("Resstrings_IDS_adres_rodzaj1", language));
        EXPECT_FALSE(entries("adres_rodzaj", language, {}, QStringLiteral(" and grupa = 0")).isEmpty());
        EXPECT_GE(entries("adres_rodzaj", language, {}, QStringLiteral(" and grupa > 1")).size(), 2);
    }
}

TEST_P(SeedTest, PaymentTermsAreWholeDays)
{
    const QVariantList days =
        column(connection(),
               QStringLiteral("select cast(wartosc as int) as ile from VListaPozSlownika where id_jezyka=:id_jezyka "
                              "and typ_slownika='dni_do_zaplaty' order by cast(wartosc as int)"),
               {{"id_jezyka", 1}});
    QList<int> values;
    for (const QVariant &d : days)
        values.append(d.toInt());
    EXPECT_TRUE(values.contains(45));
    EXPECT_TRUE(values.contains(0));
    EXPECT_TRUE(values.contains(30));
    EXPECT_TRUE(std::is_sorted(values.cbegin(), values.cend()));
}

// The payment-method list pairs each name with the other parameter of its
// group; every method must come out exactly once.
TEST_P(SeedTest, PaymentMethodsPairOncePerMethod)
{
    for (int language : languages) {
        const QStringList methods = texts(column(
            connection(),
            QStringLiteral(
                "select s1.id as kod, s1.wartosc as wartosc from VListaPozSlownika s1 join VListaPozSlownika s2 "
                "on s1.grupa = s2.grupa and s1.typ_slownika = s2.typ_slownika and s1.typ_slownika='platnosc_rodzaj' "
                "and s1.id_jezyka = s2.id_jezyka and s1.id_jezyka=:id_jezyka and s1.nazwa_parametru <> "
                "s2.nazwa_parametru "
                "and s1.nazwa_parametru='nazwa' order by s1.system DESC, s1.wartosc"),
            {{"id_jezyka", language}}, 1));
        EXPECT_EQ(methods, entries("platnosc_rodzaj", language)) << language;
        EXPECT_GE(methods.size(), 4);
    }
    EXPECT_TRUE(entries("platnosc_rodzaj", suitedb::LanguagePolish).contains("Przelew"));
    EXPECT_TRUE(entries("platnosc_rodzaj", suitedb::LanguageEnglish).contains("Cash"));
}

TEST_P(SeedTest, DictionariesTheModuleReads)
{
    for (const char *type : {"firma_rodzaj", "klient_rodzaj", "dokument_rodzaj", "telefony_rodzaj", "stanowiska"}) {
        for (int language : languages)
            EXPECT_GE(entries(type, language).size(), 4) << type << " " << language;
    }
    // Loading and unloading places form group 4, which the list can hide.
    EXPECT_EQ(entries("firma_rodzaj", suitedb::LanguagePolish, {}, QStringLiteral(" and grupa = 4")),
              (QStringList{QString::fromUtf8("Miejsce rozładunku"), QString::fromUtf8("Miejsce załadunku")}));
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(*) from slowwartosci where typ_slownika = 'klient_rodzaj' "
                                   "and kolor is null")),
              0);
    // A document kind shows its name with its symbol, so each has both.
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(*) from slowwartosci where typ_slownika = 'dokument_rodzaj' "
                                   "and nazwa_parametru = 'nazwa'")),
              count(connection(),
                    QStringLiteral("select count(*) from slowwartosci where typ_slownika = 'dokument_rodzaj' "
                                   "and nazwa_parametru <> 'nazwa'")));
    // Nothing seeded lacks a text in either language.
    EXPECT_EQ(
        count(
            connection(),
            QStringLiteral(
                "select count(*) from slowwartosci s cross join jezyk j where not exists (select 1 from tlumaczenie t "
                "where t.identyfikator = s.wartosc and t.id_jezyka = j.id_jezyka)")),
        0);
}

TEST_P(SeedTest, Countries)
{
    static const QStringList eu = {"AT", "BE", "BG", "HR", "CY", "CZ", "DK", "EE", "FI", "FR", "DE", "GR", "HU", "IE",
                                   "IT", "LV", "LT", "LU", "MT", "NL", "PL", "PT", "RO", "SK", "SI", "ES", "SE"};
    for (const QString &iso : eu) {
        const QString prefix =
            scalar(connection(), QStringLiteral("select NIP from panstwo where iso = :iso"), {{"iso", iso}}).toString();
        EXPECT_EQ(prefix, iso == QLatin1String("GR") ? QStringLiteral("EL") : iso);
    }
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from panstwo where NIP is not null")), eu.size());
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(distinct NIP) from panstwo where aktywny = 1 and NIP is not null")),
              eu.size());
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from panstwo")),
              count(connection(), QStringLiteral("select count(distinct iso) from panstwo")));
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from panstwo")),
              count(connection(), QStringLiteral("select count(distinct sam) from panstwo")));

    const auto pl = [&](const char *field) {
        return scalar(connection(), QStringLiteral("select %1 from panstwo where iso = 'PL'").arg(QLatin1String(field)))
            .toString();
    };
    EXPECT_EQ(pl("waluta"), "PLN");
    EXPECT_EQ(pl("domena"), ".pl");
    EXPECT_EQ(pl("sam"), "PL");
    EXPECT_EQ(pl("nr_kierunkowy"), "+48");
    EXPECT_EQ(scalar(connection(), QStringLiteral("select sam from panstwo where iso = 'DE'")).toString(), "D");

    const QStringList currencies = texts(
        column(connection(), QStringLiteral("select distinct waluta from panstwo where aktywny=1 order by waluta")));
    for (const char *currency : {"PLN", "EUR", "CZK", "GBP", "USD", "CHF"})
        EXPECT_TRUE(currencies.contains(QLatin1String(currency))) << currency;
    for (int language : languages)
        EXPECT_EQ(
            count(connection(),
                  QStringLiteral("select count(*) from vlistapanstw where id_jezyka = :j and nazwa like 'panstwo_%'"),
                  {{"j", language}}),
            0);
    EXPECT_EQ(scalar(connection(), QStringLiteral("select nazwa from vlistapanstw where iso = 'DE' and id_jezyka = 1"))
                  .toString(),
              "Niemcy");
}

TEST_P(SeedTest, CitiesHavePostalCodes)
{
    EXPECT_EQ(
        count(
            connection(),
            QStringLiteral(
                "select count(*) from miasto m where not exists (select 1 from kod_pocztowy k where k.id_m = m.id_m)")),
        0);
    EXPECT_GE(count(connection(),
                    QStringLiteral(
                        "select count(*) from miasto m join panstwo p on p.id_p = m.id_panstwa where p.iso = 'PL'")),
              200);
    static const QRegularExpression polishCode(QStringLiteral("^\\d{2}-\\d{3}$"));
    for (const QString &code : texts(column(connection(),
                                            QStringLiteral("select k.kod from kod_pocztowy k join miasto m on m.id_m = "
                                                           "k.id_m join panstwo p on p.id_p = m.id_panstwa "
                                                           "where p.iso = 'PL'"))))
        EXPECT_TRUE(polishCode.match(code).hasMatch()) << code.toStdString();
    // Every voivodeship seat, and some cities abroad.
    for (const char *city : {"Warszawa", "Kraków",    "Łódź",    "Wrocław", "Poznań",       "Gdańsk",
                             "Szczecin", "Bydgoszcz", "Toruń",   "Lublin",  "Białystok",    "Katowice",
                             "Kielce",   "Rzeszów",   "Olsztyn", "Opole",   "Zielona Góra", "Gorzów Wielkopolski",
                             "Berlin",   "Praha",     "Wien",    "Paris"})
        EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from miasto where miasto = :m"),
                        {{"m", QString::fromUtf8(city)}}),
                  1)
            << city;
    EXPECT_EQ(scalar(connection(),
                     QStringLiteral(
                         "select p.iso from miasto m join panstwo p on p.id_p = m.id_panstwa where m.miasto = 'Praha'"))
                  .toString(),
              "CZ");
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(*) from kod_pocztowy k join miasto m on m.id_m = k.id_m "
                                   "where m.miasto = 'Warszawa' and k.kod = '00-950'")),
              1);
}

TEST_P(SeedTest, BankRegisterIsComplete)
{
    QFile file(QStringLiteral(MALVO_SOURCE_DIR "/suitedb/data/bank_register_pl.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int lines = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith('#'))
            ++lines;
    }
    EXPECT_GT(lines, 600);
    EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from bank")), lines);
    EXPECT_EQ(count(connection(), QStringLiteral("select count(distinct nr_rozliczeniowy) from bank")), lines);
    EXPECT_EQ(scalar(connection(), QStringLiteral("select nazwa from bank where nr_rozliczeniowy = '1020'")).toString(),
              QString::fromUtf8("Powszechna Kasa Oszczędności Bank Polski SA"));
}

TEST_P(SeedTest, TableCodes)
{
    const std::pair<const char *, int> fixed[] = {
        {"firma", suitedb::TableCompany}, {"samochod", suitedb::TableVehicle}, {"dokument", suitedb::TableDocument}};
    for (const auto &[name, code] : fixed)
        EXPECT_EQ(scalar(connection(), QStringLiteral("select tabela from definicja_tabela where tabela_slownie = :n"),
                         {{"n", QString::fromLatin1(name)}})
                      .toInt(),
                  code)
            << name;
    for (const char *name : {"adres", "kontakt", "telefon", "konto", "kierowca", "zlecenie", "faktura"})
        EXPECT_EQ(count(connection(), QStringLiteral("select count(*) from definicja_tabela where tabela_slownie = :n"),
                        {{"n", QString::fromLatin1(name)}}),
                  1)
            << name;
}

TEST_P(SeedTest, UsersAndRights)
{
    EXPECT_EQ(
        scalar(connection(), QStringLiteral("select administrator from uzytkownik where login = 'admin'")).toInt(), 1);
    const QVariantList levels = column(
        connection(), QStringLiteral("select poziom from uprawnienia where modul = 'partners.dll' order by poziom"));
    QSet<int> distinct;
    for (const QVariant &level : levels)
        distinct.insert(level.toInt());
    // Someone may change, someone may only look, someone may not open it.
    EXPECT_TRUE(distinct.contains(1));
    EXPECT_TRUE(distinct.contains(0));
    EXPECT_TRUE(distinct.contains(-1));
    for (const char *module : {"orders.dll", "schedule.dll", "driver_cards.dll"})
        EXPECT_GT(count(connection(), QStringLiteral("select count(*) from uprawnienia where modul = :m"),
                        {{"m", QString::fromLatin1(module)}}),
                  0)
            << module;
    EXPECT_EQ(count(connection(),
                    QStringLiteral("select count(*) from uprawnienia u join uzytkownik z on z.id_u = u.id_u "
                                   "where z.administrator = 1")),
              0);
}

MALVO_INSTANTIATE_FOR_ENGINES(SeedTest);

} // namespace
