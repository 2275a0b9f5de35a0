// The save convention shared by every PZap procedure: insert with a null id,
// update by id, 101 for a vanished row or owner, 102 for a row being
// synchronised.
#include "suitedb_fixture.h"

#include "connection.h"
#include "suitedb.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <memory>

namespace suitedbtest {
namespace {

// Stand-ins in a case's arguments for the rows the fixture creates.
const QVariant Company = QStringLiteral("$company");
const QVariant City = QStringLiteral("$city");
const QVariant Country = QStringLiteral("$country");
const QVariant Kind = QStringLiteral("$kind");

struct SaveCase
{
    const char *name;
    const char *procedure;
    const char *idParam;
    const char *table;
    const char *key;
    const char *changedParam; // changed on update, stored in the column of its name
    QVariant changedValue;
    Args args; // a valid record
    bool hasSyncFlag = true;
};

const QDateTime March1(QDate(2024, 3, 1), QTime(0, 0));
const QDateTime March31(QDate(2024, 3, 31), QTime(0, 0));

// clang-format off
const SaveCase Cases[] = {
    {"Company", "PZapFirmeFull", "@id", "firma", "id_f", "@nazwa", "Zmieniona firma",
     {{"@nazwa", "Nowa firma"}, {"@skrot", "NOWA"}}},
    {"Address", "PZapAdres", "@id", "adres", "id_adr", "@ulica", "Krótka",
     {{"@id_", Company}, {"@tabela", 7}, {"@id_m", City}, {"@ulica", "Długa"}, {"@czy_domyslny", 1}}},
    {"Phone", "PZapTelefon", "@id_tel", "telefon", "id_tel", "@numer", "+48 22 999",
     {{"@id_", Company}, {"@tabela", 7}, {"@numer", "+48 22 123"}, {"@tel_fax", 1}}},
    {"Account", "PZapKonto", "@id", "konto", "id_konta", "@bank", "Bank Testowy",
     {{"@id_", Company}, {"@tabela", 7}, {"@nr_konta", "PL61109010140000071219812874"}, {"@aktywne", 1}}},
    {"Contact", "PZapKontakt", "@id", "kontakt", "id_kontakt", "@nazwisko", "Nowak",
     {{"@id_f", Company}, {"@nazwisko", "Kowalski"}, {"@imie", "Jan"}}},
    {"Period", "PZapOkresRozl", "@id", "okres_roz", "id_okr", "@data_do", QDateTime(QDate(2024, 3, 30), QTime(0, 0)),
     {{"@id_f", Company}, {"@data_od", March1}, {"@data_do", March31}}},
    {"RemarkTemplate", "PZapFakturaUwagiDodatkowe", "@id", "faktura_uwagi_dodatkowe", "id_fv_ud", "@tresc", "Art. 28b",
     {{"@nazwa", "Odwrotne obciążenie"}, {"@tresc", "Art. 17"}}},
    {"Document", "PZapDokument", "@id", "dokument", "id_dok", "@numer", "B/2",
     {{"@rodzaj", Kind}, {"@numer", "A/1"}, {"@id_f", Company}}},
    {"LinkedFile", "PZapDokPlik", "@id", "dokument_plik", "id_dp", "@sciezka", "FIRMA\\inny.pdf",
     {{"@sciezka", "FIRMA\\skan.pdf"}, {"@tabela", "7"}, {"@id_", Company}}},
    {"City", "PZapMiasto", "@id", "miasto", "id_m", "@miasto", "Kalisz",
     {{"@miasto", "Gniezno"}, {"@id_panstwa", Country}}, false},
    {"PostalCode", "PZapKodPoczt", "@id", "kod_pocztowy", "id_kodu", "@kod", "62-201",
     {{"@id_m", City}, {"@kod", "62-200"}}, false},
};
// clang-format on

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
        m_company = addCompany(db(), QStringLiteral("Właściciel"));
        m_place = addPlace(db(), QStringLiteral("Poznań"), QStringLiteral("60-001"), QStringLiteral("TP"),
                           QStringLiteral("Testlandia"), QStringLiteral("Testland"));
        m_kind = addDictionaryEntry(db(), QStringLiteral("dokument_rodzaj"), QStringLiteral("test_dok"),
                                    QStringLiteral("Licencja"), QStringLiteral("Licence"));
    }

    db::Connection &db() { return m_db->connection(); }
    const SaveCase &save() const { return std::get<1>(GetParam()); }

    Call run(const QVariant &id, bool changed = false)
    {
        Args args;
        for (auto [name, value] : save().args) {
            if (value == Company)
                value = m_company;
            else if (value == City)
                value = m_place.city;
            else if (value == Country)
                value = m_place.country;
            else if (value == Kind)
                value = m_kind;
            args.push_back({name, value});
        }
        if (changed)
            args.push_back({save().changedParam, save().changedValue});
        args.push_back({save().idParam, id});
        return call(db(), save().procedure, args);
    }

    QString row(const char *sql) const
    {
        return QString::fromLatin1(sql).arg(QLatin1String(save().table), QLatin1String(save().key));
    }
    QVariant stored(int id)
    {
        return scalar(db(), row("select %3 from %1 where %2 = :id").arg(QLatin1String(save().changedParam + 1)),
                      {{"id", id}});
    }
    int insert()
    {
        const Call inserted = run(QVariant());
        EXPECT_EQ(inserted.result, 0);
        return inserted[save().idParam].toInt();
    }

    std::unique_ptr<testsupport::ScratchDatabase> m_db;
    int m_company = 0;
    Place m_place{};
    int m_kind = 0;
};

TEST_P(SaveProcedure, InsertsWithANullIdAndUpdatesTheGivenRowOnly)
{
    const int id = insert();
    const int other = insert();
    EXPECT_GT(id, 0);
    EXPECT_NE(other, id);
    EXPECT_EQ(count(db(), row("select count(*) from %1 where %2 = :id"), {{"id", id}}), 1);
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

TEST_P(SaveProcedure, RefusesVanishedRowsAndOwnersAndRowsBeingSynchronised)
{
    const int gone = insert();
    exec(db(), row("delete from %1 where %2 = :id"), {{"id", gone}});
    EXPECT_EQ(run(gone, true).result, suitedb::ResultRecordDeleted);
    EXPECT_EQ(count(db(), row("select count(*) from %1 where %2 = :id"), {{"id", gone}}), 0);

    if (save().hasSyncFlag) {
        const int id = insert();
        const QVariant before = stored(id);
        exec(db(), row("update %1 set w_synchronizacji = 1 where %2 = :id"), {{"id", id}});
        EXPECT_EQ(run(id, true).result, suitedb::ResultSynchronising);
        EXPECT_EQ(stored(id), before);
    }

    // Rows that hang on a company are refused once the company is gone.
    if (std::any_of(save().args.cbegin(), save().args.cend(), [](const auto &a) { return a.second == Company; })) {
        m_company = addCompany(db(), QStringLiteral("Znikająca"));
        exec(db(), QStringLiteral("delete from firma where id_f = :id"), {{"id", m_company}});
        EXPECT_EQ(run(QVariant()).result, suitedb::ResultRecordDeleted);
    }
}

INSTANTIATE_TEST_SUITE_P(Procedures, SaveProcedure,
                         testing::Combine(testing::ValuesIn(testsupport::engines()), testing::ValuesIn(Cases)),
                         [](const testing::TestParamInfo<std::tuple<db::Engine, SaveCase>> &info) {
                             return std::string(std::get<0>(info.param) == db::Engine::SQLite ? "SQLite_"
                                                                                              : "PostgreSQL_")
                                 + std::get<1>(info.param).name;
                         });

} // namespace
} // namespace suitedbtest
