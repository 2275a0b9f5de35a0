// The save convention shared by every PZap procedure: insert with a null id,
// update by id, 101 for a vanished row or owner, 102 for a row being
// synchronised.
#include "suitedb_fixture.h"

#include "suitedb.h"

#include <algorithm>

namespace suitedbtest {
namespace {

// Stand-ins in a case's arguments for the rows the fixture creates.
const QVariant Company = "$company";
const QVariant City = "$city";
const QVariant Country = "$country";
const QVariant Kind = "$kind";

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

class SaveProcedure : public SuiteDbTest
{
protected:
    void SetUp() override
    {
        SuiteDbTest::SetUp();
        if (IsSkipped())
            return;
        const Place place = addPlace("Poznań", "60-001", "TP", "Testlandia", "Testland");
        m_owners = {{Company.toString(), addCompany("Właściciel")},
                    {City.toString(), place.city},
                    {Country.toString(), place.country},
                    {Kind.toString(), addDictionaryEntry("dokument_rodzaj", "test_dok", "Licencja", "Licence")}};
    }

    const SaveCase &save() const { return *m_case; }

    Call run(const QVariant &id, bool changed = false)
    {
        Args args;
        for (const auto &[name, value] : save().args)
            args.push_back({name, m_owners.value(value.toString(), value)});
        if (changed)
            args.push_back({save().changedParam, save().changedValue});
        args.push_back({save().idParam, id});
        return call(save().procedure, args);
    }

    QString row(const char *sql) const
    {
        return QString::fromLatin1(sql).arg(QLatin1String(save().table), QLatin1String(save().key));
    }
    QVariant stored(int id)
    {
        return scalar(row("select %3 from %1 where %2 = :id").arg(QLatin1String(save().changedParam + 1)),
                      {{"id", id}});
    }
    int insert() { return run(QVariant()).ok(save().idParam).toInt(); }

    QVariantMap m_owners;
    const SaveCase *m_case = nullptr;
};

TEST_P(SaveProcedure, InsertsWithANullIdAndUpdatesTheGivenRowOnly)
{
    for (const SaveCase &c : Cases) {
        SCOPED_TRACE(c.name);
        m_case = &c;
        const int id = insert();
        const int other = insert();
        EXPECT_GT(id, 0);
        EXPECT_NE(other, id);
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
}

TEST_P(SaveProcedure, RefusesVanishedRowsAndOwnersAndRowsBeingSynchronised)
{
    for (const SaveCase &c : Cases) {
        SCOPED_TRACE(c.name);
        m_case = &c;
        const int gone = insert();
        exec(row("delete from %1 where %2 = :id"), {{"id", gone}});
        EXPECT_EQ(run(gone, true).result, suitedb::ResultRecordDeleted);
        EXPECT_EQ(count(row("select count(*) from %1 where %2 = :id"), {{"id", gone}}), 0);

        if (save().hasSyncFlag) {
            const int id = insert();
            const QVariant before = stored(id);
            exec(row("update %1 set w_synchronizacji = 1 where %2 = :id"), {{"id", id}});
            EXPECT_EQ(run(id, true).result, suitedb::ResultSynchronising);
            EXPECT_EQ(stored(id), before);
        }
    }
    // Rows that hang on a company are refused once the company is gone.
    const int gone = addCompany("Znikająca");
    exec("delete from firma where id_f = :id", {{"id", gone}});
    m_owners.insert(Company.toString(), gone);
    for (const SaveCase &c : Cases) {
        m_case = &c;
        if (std::any_of(c.args.cbegin(), c.args.cend(), [](const auto &a) { return a.second == Company; })) {
            EXPECT_EQ(run(QVariant()).result, suitedb::ResultRecordDeleted) << c.name;
        }
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(SaveProcedure);

} // namespace
} // namespace suitedbtest
