#include "suitedb_fixture.h"

#include "suitedb.h"

#include "connection.h"
#include "db_error.h"

#include <QThread>
#include <thread>

namespace suitedbtest {
namespace {

class Delete : public SuiteDbTest
{
protected:
    Call remove(const char *table, const char *key, int id, int forced = 0)
    {
        return call("PUsunW",
                    {{"@tabela", table}, {"@nazwa_id", key}, {"@id_u", 1}, {"@czy_wymuszenie", forced}, {"@id", id}});
    }
    int rows(const char *sql, int id) { return count(sql, {{"id", id}}); }
    int address(int company)
    {
        return call("PZapAdres", {{"@id_", company}, {"@tabela", 7}, {"@ulica", "A"}})["@id"].toInt();
    }
    QString canDelete(const char *table, int id, int language)
    {
        return call("PCanDel", {{"@id", id}, {"@tabela", table}, {"@id_jezyka", language}, {"@czy_wymuszenie", 0}})
            .ok("@odp")
            .toString();
    }

    // A company with one row of every kind that hangs on it.
    int companyWithSatellites(int partner)
    {
        const int id = addCompany("Satelity");
        const std::pair<const char *, Args> saves[] = {
            {"PZapAdres", {{"@id_", id}, {"@tabela", 7}, {"@ulica", "A"}, {"@czy_domyslny", 1}}},
            {"PZapTelefon", {{"@id_", id}, {"@tabela", 7}, {"@numer", "1"}}},
            {"PZapKonto", {{"@id_", id}, {"@tabela", 7}, {"@nr_konta", "1"}}},
            {"PZapDokPlik", {{"@id_", id}, {"@tabela", 7}, {"@sciezka", "x\\y.pdf"}}},
            {"PZapKontakt", {{"@id_f", id}, {"@nazwisko", "K"}}},
            {"PZapOkresRozl", {{"@id_f", id}, {"@data_od", QDate(2024, 1, 1)}, {"@data_do", QDate(2024, 1, 31)}}},
            {"PZapUst4", {{"@co", "termin_zaplaty"}, {"@wartosc", "45"}, {"@kod", "partners.dll"}, {"@id_f", id}}},
        };
        for (const auto &[procedure, args] : saves)
            EXPECT_EQ(call(procedure, args).result, 0) << procedure;
        exec("insert into import_powiazania (id_, tabela, import, wartosc_import) values (:id, 7, 10, 'MPK')",
             {{"id", id}});
        exec("insert into firma_grupa (id_f, grupa) values (:id, 1)", {{"id", id}});
        exec("insert into firma_konto_rozl (id_f_akt, id_f, id_konta) values (:id, :p, :k)",
             {{"id", id}, {"p", partner}, {"k", scalar("select id_konta from konto where id_ = :id", {{"id", id}})}});
        return id;
    }
};

// Each counts the rows of one kind that hang on company :id.
const char *const SatelliteCounts[] = {
    "select count(*) from adres where tabela = 7 and id_ = :id",
    "select count(*) from telefon where tabela = 7 and id_ = :id",
    "select count(*) from konto where tabela = 7 and id_ = :id",
    "select count(*) from import_powiazania where tabela = 7 and id_ = :id",
    "select count(*) from dokument_plik where tabela = 7 and id_ = :id",
    "select count(*) from kontakt where id_f = :id",
    "select count(*) from okres_roz where id_f = :id",
    "select count(*) from ustawienia where id_f = :id",
    "select count(*) from firma_grupa where id_f = :id",
    "select count(*) from firma_konto_rozl where id_f_akt = :id or id_f = :id",
    "select count(*) from firma where id_f = :id",
};

// A company with an invoice stays whole, and the connection stays usable after the refusal.
TEST_P(Delete, CompanyTakesItsSatellitesAlongAndNoOneElses)
{
    const int partner = addCompany("Partner");
    const int keep = companyWithSatellites(partner);
    const int gone = companyWithSatellites(partner);
    exec("insert into faktura (nr_pelny, id_f) values ('FV 1/2024', :id)", {{"id", keep}});

    EXPECT_EQ(remove("firma", "id_f", keep).result, suitedb::ResultDependentRows);
    EXPECT_EQ(remove("firma", "id_f", gone).result, 0);

    for (const char *sql : SatelliteCounts) {
        EXPECT_EQ(rows(sql, gone), 0) << sql;
        EXPECT_GT(rows(sql, keep), 0) << sql;
    }
}

// Also: names match without case, and a row already gone is reported.
TEST_P(Delete, SynchronisedRowsNeedTheForceFlagAndUnknownTablesAndKeysAreRefused)
{
    const int company = addCompany("Synchronizowana");
    exec("update firma set w_synchronizacji = 1 where id_f = :id", {{"id", company}});
    EXPECT_EQ(remove("firma", "id_f", company).result, suitedb::ResultSynchronising);
    EXPECT_EQ(rows("select count(*) from firma where id_f = :id", company), 1);
    EXPECT_EQ(remove(" FIRMA", "ID_F ", company, 1).result, 0);
    EXPECT_EQ(remove("firma", "id_f", company).result, suitedb::ResultRecordDeleted);

    // Arguments that name no allowed (table, key) pair delete nothing.
    const int guarded = addCompany("Chroniona");
    const int users = count("select count(*) from uzytkownik");
    for (const auto &[table, key] :
         {std::pair{"uzytkownik", "id_u"}, std::pair{"firma", "nazwa"}, std::pair{"adres", "id_f"},
          std::pair{"firma where 1=1; --", "id_f"}, std::pair{"firma", "id_f or 1=1"}, std::pair{"", ""}}) {
        EXPECT_EQ(call("PUsunW", {{"@tabela", table}, {"@nazwa_id", key}, {"@id", guarded}}).result,
                  suitedb::ResultUnknownObject)
            << table << " " << key;
    }
    EXPECT_EQ(rows("select count(*) from firma where id_f = :id", guarded), 1);
    EXPECT_EQ(count("select count(*) from uzytkownik"), users);
}

TEST_P(Delete, CanDeleteListsWhatDependsOnACompany)
{
    const int company = addCompany("Sprawdzana");
    const int branch = addCompany("Oddział", {{"@id_centrali", company}});
    exec("insert into faktura (nr_pelny, id_platnik) values ('FV 1', :id), ('FV 2', :id)", {{"id", company}});
    exec("insert into zlecenie (nr_pelny, id_f) values ('Z 1', :id)", {{"id", company}});

    const QString polish = canDelete("firma", company, suitedb::LanguagePolish);
    for (const char *part : {"faktury: 2", "zlecenia: 1", "oddziały: 1"})
        EXPECT_TRUE(polish.contains(part)) << polish.toStdString();
    EXPECT_FALSE(polish.contains("dokumenty")) << polish.toStdString();
    const QString english = canDelete("firma", company, suitedb::LanguageEnglish);
    EXPECT_TRUE(english.contains("invoices: 2")) << english.toStdString();
    // The branch itself depends on nothing.
    EXPECT_TRUE(canDelete("firma", branch, suitedb::LanguagePolish).isEmpty());
}

// An address on an invoice stays; deleting the default one hands the flag on.
TEST_P(Delete, AddressOnAnInvoiceIsReportedAndADeletedDefaultHandsTheFlagOn)
{
    const int company = addCompany("Adresy");
    const int first = address(company);
    const int second = address(company);
    EXPECT_TRUE(canDelete("adres", second, suitedb::LanguagePolish).isEmpty());
    exec("insert into faktura (nr_pelny, id_adr_f) values ('FV 9', :a)", {{"a", second}});
    EXPECT_FALSE(canDelete("adres", second, suitedb::LanguagePolish).isEmpty());
    EXPECT_EQ(remove("adres", "id_adr", first).result, 0);
    EXPECT_EQ(rows("select count(*) from adres where id_adr = :id and czy_domyslny = 1", second), 1);
}

// A row saved for a company that another user is deleting waits for that
// delete and is refused, rather than staying behind without its company.
TEST_P(Delete, RowSavedWhileItsCompanyIsDeletedIsRefused)
{
    const int id = addCompany("Usuwana");
    db::Transaction deleting(connection());
    ASSERT_EQ(remove("firma", "id_f", id).result, 0);
    std::thread other([&] {
        const auto second = scratch().openAnother();
        try {
            EXPECT_EQ(suitedbtest::call(*second, "PZapAdres", {{"@id_", id}, {"@tabela", 7}, {"@ulica", "A"}}).result,
                      suitedb::ResultRecordDeleted);
        } catch (const db::DbError &) {
            // SQLite may refuse the second writer outright: nothing is written either.
        }
    });
    QThread::msleep(500);
    deleting.commit();
    other.join();
    EXPECT_EQ(rows("select count(*) from adres where id_ = :id", id), 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(Delete);

} // namespace
} // namespace suitedbtest
