#include "suitedb_fixture.h"

#include "query.h"
#include "stored_proc.h"
#include "suitedb.h"

#include <memory>

namespace suitedbtest {

Call call(db::Connection &connection, const char *procedure, Args args)
{
    db::StoredProc proc(&connection, QString::fromLatin1(procedure));
    proc.refreshParameters();
    for (const auto &[name, value] : args)
        proc.setValue(QString::fromLatin1(name), value);
    Call outcome;
    outcome.result = proc.execProc();
    for (const db::Parameter &p : proc.parameters())
        outcome.values.insert(p.name, p.value);
    return outcome;
}

namespace {

// A statement with its :name parameters bound.
std::unique_ptr<db::Query> bound(db::Connection &connection, const QString &sql, const Args &binds)
{
    auto query = std::make_unique<db::Query>(&connection, sql);
    for (const auto &[name, value] : binds)
        query->parameters().setValue(QString::fromLatin1(name), value);
    return query;
}

void translate(db::Connection &connection, const QString &identifier, const QString &polish, const QString &english)
{
    exec(connection, "insert into tlumaczenie (identyfikator, id_jezyka, tresc) values (:i, 1, :pl), (:i, 2, :en)",
         {{"i", identifier}, {"pl", polish}, {"en", english}});
}

} // namespace

QVariant scalar(db::Connection &connection, const QString &sql, Args binds)
{
    const auto query = bound(connection, sql, binds);
    query->open();
    return query->isEmpty() ? QVariant() : query->value(0);
}

int count(db::Connection &connection, const QString &sql, Args binds)
{
    return scalar(connection, sql, binds).toInt();
}

QStringList strings(db::Connection &connection, const QString &sql, Args binds)
{
    const auto query = bound(connection, sql, binds);
    query->open();
    QStringList out;
    for (; !query->eof(); query->next())
        out.append(query->value(0).toString());
    return out;
}

void exec(db::Connection &connection, const QString &sql, Args binds)
{
    bound(connection, sql, binds)->exec();
}

int addCompany(db::Connection &connection, const QString &name, Args extra)
{
    extra.insert(extra.begin(), {{"@nazwa", name}, {"@skrot", name.left(20)}});
    return call(connection, "PZapFirmeFull", extra).ok("@id").toInt();
}

Place addPlace(db::Connection &connection, const QString &cityName, const QString &code, const QString &countryCode,
               const QString &polishName, const QString &englishName)
{
    const QString identifier = "test_panstwo_" + countryCode;
    exec(connection, "insert into panstwo (nazwa, sam, iso, waluta, aktywny) values (:n, :s, :s, 'EUR', 1)",
         {{"n", identifier}, {"s", countryCode}});
    translate(connection, identifier, polishName, englishName);
    Place place{};
    place.country = scalar(connection, "select id_p from panstwo where nazwa = :n", {{"n", identifier}}).toInt();
    place.city =
        call(connection, "PZapMiasto", {{"@miasto", cityName}, {"@id_panstwa", place.country}, {"@widoczne", -1}})
            .ok("@id")
            .toInt();
    place.postalCode = call(connection, "PZapKodPoczt", {{"@id_m", place.city}, {"@kod", code}, {"@czy_glowny_kod", 1}})
                           .ok("@id")
                           .toInt();
    return place;
}

int addDictionaryEntry(db::Connection &connection, const QString &type, const QString &identifier,
                       const QString &polish, const QString &english, QVariant colour)
{
    exec(connection,
         "insert into slowwartosci (typ_slownika, nazwa_parametru, grupa, wartosc, system, kolor)"
         " values (:t, 'nazwa', 0, :w, 0, :k)",
         {{"t", type}, {"w", identifier}, {"k", colour}});
    translate(connection, identifier, polish, english);
    return scalar(connection, "select id_wartosci from slowwartosci where wartosc = :w", {{"w", identifier}}).toInt();
}

void SuiteDbTest::SetUp()
{
    EngineTest::SetUp();
    if (IsSkipped())
        return;
    suitedb::createOrUpgrade(connection());
}

} // namespace suitedbtest
