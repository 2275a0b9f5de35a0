// The save convention shared by every PZap procedure: insert with a null id,
// update by id, 101 for a vanished row, 102 for a row being synchronised.
#include "suitedb_fixture.h"

#include "connection.h"
#include "suitedb.h"

#include <QDateTime>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace suitedbtest {
namespace {

struct Owners
{
    int company;
    Place place;
    int documentKind;
};

struct SaveCase
{
    const char *name;
    const char *procedure;
    const char *idParam;
    const char *table;
    const char *key;
    std::function<Args(const Owners &)> args; // a valid record
    const char *changedParam;                 // changed on update ...
    QVariant changedValue;
    const char *column; // ... and stored here
    bool hasSyncFlag = true;
};

const QDateTime March1(QDate(2024, 3, 1), QTime(0, 0));
const QDateTime March31(QDate(2024, 3, 31), QTime(0, 0));

const SaveCase Cases[] = {
    {"Company", "PZapFirmeFull", "@id", "firma", "id_f",
     [](const Owners &) {
         return Args{{"@nazwa", "Nowa firma"}, {"@skrot", "NOWA"}};
     },
     "@nazwa", "Zmieniona firma", "nazwa"},
    {"Address", "PZapAdres", "@id", "adres", "id_adr",
     [](const Owners &o) {
         return Args{
             {"@id_", o.company}, {"@tabela", 7}, {"@id_m", o.place.city}, {"@ulica", "Długa"}, {"@czy_domyslny", 1}};
     },
     "@ulica", "Krótka", "ulica"},
    {"Phone", "PZapTelefon", "@id_tel", "telefon", "id_tel",
     [](const Owners &o) {
         return Args{{"@id_", o.company}, {"@tabela", 7}, {"@numer", "+48 22 123"}, {"@tel_fax", 1}};
     },
     "@numer", "+48 22 999", "numer"},
    {"Account", "PZapKonto", "@id", "konto", "id_konta",
     [](const Owners &o) {
         return Args{
             {"@id_", o.company}, {"@tabela", 7}, {"@nr_konta", "PL61109010140000071219812874"}, {"@aktywne", 1}};
     },
     "@bank", "Bank Testowy", "bank"},
    {"Contact", "PZapKontakt", "@id", "kontakt", "id_kontakt",
     [](const Owners &o) {
         return Args{{"@id_f", o.company}, {"@nazwisko", "Kowalski"}, {"@imie", "Jan"}};
     },
     "@nazwisko", "Nowak", "nazwisko"},
    {"Period", "PZapOkresRozl", "@id", "okres_roz", "id_okr",
     [](const Owners &o) {
         return Args{{"@id_f", o.company}, {"@data_od", March1}, {"@data_do", March31}};
     },
     "@data_do", QDateTime(QDate(2024, 3, 30), QTime(0, 0)), "data_do"},
    {"RemarkTemplate", "PZapFakturaUwagiDodatkowe", "@id", "faktura_uwagi_dodatkowe", "id_fv_ud",
     [](const Owners &) {
         return Args{{"@nazwa", "Odwrotne obciążenie"}, {"@tresc", "Art. 17"}};
     },
     "@tresc", "Art. 28b", "tresc"},
    {"Document", "PZapDokument", "@id", "dokument", "id_dok",
     [](const Owners &o) {
         return Args{{"@rodzaj", o.documentKind}, {"@numer", "A/1"}, {"@id_f", o.company}};
     },
     "@numer", "B/2", "numer"},
    {"LinkedFile", "PZapDokPlik", "@id", "dokument_plik", "id_dp",
     [](const Owners &o) {
         return Args{{"@sciezka", "FIRMA\\skan.pdf"}, {"@tabela", "7"}, {"@id_", o.company}};
     },
     "@sciezka", "FIRMA\\inny.pdf", "sciezka"},
    {"City", "PZapMiasto", "@id", "miasto", "id_m",
     [](const Owners &o) {
         return Args{{"@miasto", "Gniezno"}, {"@id_panstwa", o.place.country}};
     },
     "@miasto", "Kalisz", "miasto", false},
    {"PostalCode", "PZapKodPoczt", "@id", "kod_pocztowy", "id_kodu",
     [](const Owners &o) {
         return Args{{"@id_m", o.place.city}, {"@kod", "62-200"}};
     },
     "@kod", "62-201", "kod", false},
};

void PrintTo(const SaveCase &c, std::ostream *os)
{
    *os << c.name;
}

class SaveProcedure : public testing::TestWithParam<std::tuple<db::Engine, SaveCase>>
{
protected:
    void SetUp() override
    {
        m_db = std::make_unique<testsupport::ScratchDatabase>(std::get<0>(GetParam()));
        if (!m_db->available())
            GTEST_SKIP() << "MALVO_TEST_PG is not set";
        suitedb::createOrUpgrade(db());
        m_owners.company = addCompany(db(), QStringLiteral("Właściciel"));
        m_owners.place = addPlace(db(), QStringLiteral("Poznań"), QStringLiteral("60-001"), QStringLiteral("TP"),
                                  QStringLiteral("Testlandia"), QStringLiteral("Testland"));
        m_owners.documentKind = addDictionaryEntry(db(), QStringLiteral("dokument_rodzaj"), QStringLiteral("test_dok"),
                                                   QStringLiteral("Licencja"), QStringLiteral("Licence"));
    }

    db::Connection &db() { return m_db->connection(); }
    const SaveCase &save() const { return std::get<1>(GetParam()); }

    Call run(const QVariant &id, bool changed = false)
    {
        Args args = save().args(m_owners);
        if (changed)
            args.push_back({save().changedParam, save().changedValue});
        args.push_back({save().idParam, id});
        return call(db(), save().procedure, args);
    }

    QVariant stored(int id)
    {
        return scalar(db(),
                      QStringLiteral("select %1 from %2 where %3 = :id")
                          .arg(QLatin1String(save().column), QLatin1String(save().table), QLatin1String(save().key)),
                      {{"id", id}});
    }

    int insert()
    {
        const Call inserted = run(QVariant());
        EXPECT_EQ(inserted.result, 0);
        return inserted[save().idParam].toInt();
    }

    std::unique_ptr<testsupport::ScratchDatabase> m_db;
    Owners m_owners{};
};

TEST_P(SaveProcedure, InsertWithNullIdReturnsTheNewRow)
{
    const Call first = run(QVariant());
    const Call second = run(QVariant());
    ASSERT_EQ(first.result, 0);
    ASSERT_EQ(second.result, 0);
    const int id = first[save().idParam].toInt();
    EXPECT_GT(id, 0);
    EXPECT_NE(second[save().idParam].toInt(), id);
    EXPECT_EQ(count(db(),
                    QStringLiteral("select count(*) from %1 where %2 = :id")
                        .arg(QLatin1String(save().table), QLatin1String(save().key)),
                    {{"id", id}}),
              1);
}

TEST_P(SaveProcedure, UpdateWritesTheGivenRowOnly)
{
    const int id = insert();
    const int other = insert();
    const QVariant before = stored(other);

    const Call updated = run(id, true);

    EXPECT_EQ(updated.result, 0);
    EXPECT_EQ(updated[save().idParam].toInt(), id);
    if (save().changedValue.typeId() == QMetaType::QDateTime)
        EXPECT_EQ(stored(id).toDateTime(), save().changedValue.toDateTime());
    else
        EXPECT_EQ(stored(id).toString(), save().changedValue.toString());
    EXPECT_EQ(stored(other), before);
}

TEST_P(SaveProcedure, UpdateOfADeletedRowReturns101)
{
    const int id = insert();
    exec(db(),
         QStringLiteral("delete from %1 where %2 = :id").arg(QLatin1String(save().table), QLatin1String(save().key)),
         {{"id", id}});
    EXPECT_EQ(run(id, true).result, suitedb::ResultRecordDeleted);
    EXPECT_EQ(count(db(),
                    QStringLiteral("select count(*) from %1 where %2 = :id")
                        .arg(QLatin1String(save().table), QLatin1String(save().key)),
                    {{"id", id}}),
              0);
}

TEST_P(SaveProcedure, UpdateOfARowBeingSynchronisedReturns102AndChangesNothing)
{
    if (!save().hasSyncFlag)
        GTEST_SKIP() << "the table has no synchronisation mark";
    const int id = insert();
    const QVariant before = stored(id);
    exec(db(),
         QStringLiteral("update %1 set w_synchronizacji = 1 where %2 = :id")
             .arg(QLatin1String(save().table), QLatin1String(save().key)),
         {{"id", id}});
    EXPECT_EQ(run(id, true).result, suitedb::ResultSynchronising);
    EXPECT_EQ(stored(id), before);
}

INSTANTIATE_TEST_SUITE_P(Procedures, SaveProcedure,
                         testing::Combine(testing::ValuesIn(testsupport::engines()), testing::ValuesIn(Cases)),
                         [](const testing::TestParamInfo<std::tuple<db::Engine, SaveCase>> &info) {
                             return std::string(std::get<0>(info.param) == db::Engine::SQLite ? "SQLite_"
                                                                                              : "PostgreSQL_")
                                 + std::get<1>(info.param).name;
                         });

// Rows that hang on an owner are refused once the owner is gone.
struct OwnerCase
{
    const char *name;
    const char *procedure;
    std::function<Args(int company)> args;
};

const OwnerCase OwnerCases[] = {
    {"Address", "PZapAdres",
     [](int c) {
         return Args{{"@id_", c}, {"@tabela", 7}, {"@ulica", "X"}};
     }},
    {"Phone", "PZapTelefon",
     [](int c) {
         return Args{{"@id_", c}, {"@tabela", 7}, {"@numer", "1"}};
     }},
    {"Account", "PZapKonto",
     [](int c) {
         return Args{{"@id_", c}, {"@tabela", 7}, {"@nr_konta", "1"}};
     }},
    {"Contact", "PZapKontakt",
     [](int c) {
         return Args{{"@id_f", c}, {"@nazwisko", "X"}};
     }},
    {"Period", "PZapOkresRozl",
     [](int c) {
         return Args{{"@id_f", c}, {"@data_od", March1}, {"@data_do", March31}};
     }},
    {"LinkedFile", "PZapDokPlik",
     [](int c) {
         return Args{{"@id_", c}, {"@tabela", 7}, {"@sciezka", "a\\b.txt"}};
     }},
};

void PrintTo(const OwnerCase &c, std::ostream *os)
{
    *os << c.name;
}

class OwnerGone : public testing::TestWithParam<std::tuple<db::Engine, OwnerCase>>
{};

TEST_P(OwnerGone, InsertForADeletedCompanyReturns101)
{
    testsupport::ScratchDatabase database(std::get<0>(GetParam()));
    if (!database.available())
        GTEST_SKIP() << "MALVO_TEST_PG is not set";
    suitedb::createOrUpgrade(database.connection());
    const int company = addCompany(database.connection(), QStringLiteral("Znikająca"));
    exec(database.connection(), QStringLiteral("delete from firma where id_f = :id"), {{"id", company}});
    const OwnerCase &c = std::get<1>(GetParam());
    EXPECT_EQ(call(database.connection(), c.procedure, c.args(company)).result, suitedb::ResultRecordDeleted);
}

INSTANTIATE_TEST_SUITE_P(Procedures, OwnerGone,
                         testing::Combine(testing::ValuesIn(testsupport::engines()), testing::ValuesIn(OwnerCases)),
                         [](const testing::TestParamInfo<std::tuple<db::Engine, OwnerCase>> &info) {
                             return std::string(std::get<0>(info.param) == db::Engine::SQLite ? "SQLite_"
                                                                                              : "PostgreSQL_")
                                 + std::get<1>(info.param).name;
                         });

} // namespace
} // namespace suitedbtest
