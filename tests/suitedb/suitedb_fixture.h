#pragma once

#include "scratch_database.h"

#include <QVariant>
#include <QVariantMap>
#include <utility>
#include <vector>

namespace db {
class Connection;
}

namespace suitedbtest {

using Args = std::vector<std::pair<const char *, QVariant>>;

// The outcome of one procedure call: its return value and every parameter
// after the call.
struct Call
{
    int result = -1;
    QVariantMap values;
    QVariant operator[](const char *name) const { return values.value(QString::fromLatin1(name)); }
    // A parameter after a call that must have succeeded.
    QVariant ok(const char *name) const
    {
        EXPECT_EQ(result, 0) << name;
        return (*this)[name];
    }
};

// Runs a registered procedure with the given parameters (others null).
Call call(db::Connection &connection, const char *procedure, Args args);

// First column of the first row of a statement with :name parameters.
QVariant scalar(db::Connection &connection, const QString &sql, Args binds = {});
int count(db::Connection &connection, const QString &sql, Args binds = {});
// One column of every row, as text.
QStringList strings(db::Connection &connection, const QString &sql, Args binds = {});
void exec(db::Connection &connection, const QString &sql, Args binds = {});

// A company saved through PZapFirmeFull; returns its id.
int addCompany(db::Connection &connection, const QString &name, Args extra = {});
// A city with one postal code in a country of its own; returns ids.
struct Place
{
    int country;
    int city;
    int postalCode;
};
Place addPlace(db::Connection &connection, const QString &cityName, const QString &code, const QString &countryCode,
               const QString &polishName, const QString &englishName);
// A dictionary entry with its two translations; returns its id.
int addDictionaryEntry(db::Connection &connection, const QString &type, const QString &identifier,
                       const QString &polish, const QString &english, QVariant colour = {});

// A database of one engine, created by createOrUpgrade; the helpers above on
// its connection.
class SuiteDbTest : public testsupport::EngineTest
{
protected:
    void SetUp() override;
    Call call(const char *procedure, Args args) { return suitedbtest::call(connection(), procedure, std::move(args)); }
    QVariant scalar(const QString &sql, Args binds = {}) { return suitedbtest::scalar(connection(), sql, binds); }
    int count(const QString &sql, Args binds = {}) { return suitedbtest::count(connection(), sql, binds); }
    QStringList strings(const QString &sql, Args binds = {}) { return suitedbtest::strings(connection(), sql, binds); }
    void exec(const QString &sql, Args binds = {}) { suitedbtest::exec(connection(), sql, binds); }
    int addCompany(const QString &name, Args extra = {}) { return suitedbtest::addCompany(connection(), name, extra); }
    int addDictionaryEntry(const QString &type, const QString &identifier, const QString &polish,
                           const QString &english, QVariant colour = {})
    {
        return suitedbtest::addDictionaryEntry(connection(), type, identifier, polish, english, colour);
    }
    Place addPlace(const QString &city, const QString &code, const QString &countryCode, const QString &polish,
                   const QString &english)
    {
        return suitedbtest::addPlace(connection(), city, code, countryCode, polish, english);
    }
};

} // namespace suitedbtest
