#include "host_fixture.h"

#include "day_time.h"
#include "host_syscore.h"
#include "query.h"
#include "stored_proc.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>

namespace {

using Kind = host::ScriptedPrompter::Kind;

class DatabaseTest : public HostDatabaseTest
{
protected:
    int insertCompany(const QString &shortName)
    {
        host::ExecQuery("insert into firma (nazwa, skrot) values (:n, :s)", nullptr, 0,
                        {{"n", shortName + " Sp. z o.o."}, {"s", shortName}});
        return host::GetIntDB("select id_f from firma where skrot = :s", "id_f", nullptr, {{"s", shortName}});
    }

    long errorsShown()
    {
        return std::count_if(prompter().questions().cbegin(), prompter().questions().cend(), [](const auto &q) {
            return q.kind == Kind::Message && (q.flags & host::mb::IconMask) == host::mb::IconError;
        });
    }
};

TEST_P(DatabaseTest, TranslationsComeFromTheLanguageRowsAndRightsFromTheUser)
{
    host::ExecQuery("insert into resstrings (klucz, id_jezyka, tekst) values ('Resstrings_IDS_Test_host', 1, "
                    "'Po polsku'), ('Resstrings_IDS_Test_host', 2, 'In English')");
    host::services().reloadTranslations();
    EXPECT_EQ(host::LoadResstrings("Resstrings_IDS_Test_host"), "Po polsku");
    // A new session brings the program's own texts, in the session's language.
    bootstrapAs("admin", "en");
    EXPECT_EQ(host::LoadResstrings("Resstrings_IDS_malvo_menu_firmy"), "&Companies");

    EXPECT_EQ(host::SprawdzUpr("partners.dll"), 2); // administrator

    host::ExecQuery("insert into uzytkownik (login, nazwisko, imie, administrator, aktywny) "
                    "values ('tester', 'Testowy', 'Jan', 0, 1)");
    const int id = host::GetIntDB("select id_u from uzytkownik where login = 'tester'");
    host::ExecQuery("insert into uprawnienia (id_u, modul, poziom) values (:u, 'partners.dll', 1)", nullptr, 0,
                    {{"u", id}});
    bootstrapAs("tester");

    EXPECT_EQ(host::AktIdU(), id);
    EXPECT_FALSE(host::CzyAdministrator());
    EXPECT_EQ(host::AktNazwiskoImieLoginU(), "Testowy Jan (tester)");
    EXPECT_EQ(host::SprawdzUpr("partners.dll"), 1);
    EXPECT_EQ(host::SprawdzUpr("PARTNERS.DLL"), 1);
    EXPECT_EQ(host::SprawdzUpr("sales_invoices.dll"), -1); // no row
}

// ---- reading values ----------------------------------------------------------------

TEST_P(DatabaseTest, SingleValuesListsDatesAndControlsFilledWithIds)
{
    EXPECT_EQ(host::GetIntDB("select id_jezyka from jezyk where kod = 'en'", "id_jezyka"), 2);
    EXPECT_LT(host::GetIntDB("select id_jezyka from jezyk where kod = 'xx'", "id_jezyka"), 1);
    EXPECT_EQ(host::GetStringDB("select kod from jezyk where id_jezyka = :id", "kod", nullptr, {{"id", 1}}), "pl");
    EXPECT_TRUE(host::GetStringDB("select kod from jezyk where id_jezyka = 99").isEmpty());
    EXPECT_TRUE(host::CzyIstniejeRekordDB("select 1 from jezyk where kod = 'pl'"));
    EXPECT_FALSE(host::CzyIstniejeRekordDB("select 1 from jezyk where kod = 'xx'"));
    EXPECT_EQ(errorsShown(), 0);

    EXPECT_EQ(host::GetListaIntDB("select id_jezyka from jezyk order by id_jezyka"), (QList<int>{1, 2}));
    EXPECT_EQ(host::GetListaStringDB("select kod from jezyk order by id_jezyka", "kod"), (QStringList{"pl", "en"}));
    EXPECT_TRUE(host::GetListaIntDB("select id_jezyka from jezyk where 1 = 0").isEmpty());

    host::ExecQuery("insert into terminarz (tabela, id_, tytul, data) values (28, 5, 't', :d)", nullptr, 0,
                    {{"d", QDateTime(QDate(2026, 3, 14), QTime(10, 30))}});
    EXPECT_EQ(host::GetDateTimeDB("select data from terminarz where id_ = 5", "data"),
              QDateTime(QDate(2026, 3, 14), QTime(10, 30)));
    EXPECT_FALSE(host::GetDateTimeDB("select data from terminarz where id_ = 6").isValid());

    // Combos and check lists filled with the ids of a statement.
    QComboBox combo;
    EXPECT_EQ(host::Laduj_DB_FlatCombo(&combo, "select id_jezyka, nazwa from jezyk order by id_jezyka", "id_jezyka",
                                       "nazwa", true),
              2);
    EXPECT_TRUE(host::UstawWartoscCombo(&combo, 2));
    EXPECT_EQ(host::ZwrocWartoscCombo(&combo), 2);
    EXPECT_FALSE(host::UstawWartoscCombo(&combo, 77));
    EXPECT_EQ(combo.currentIndex(), -1);
    host::UstawWartoscCombo(&combo, 1);
    host::Kasuj_tekst_combo(&combo);
    EXPECT_EQ(host::ZwrocWartoscCombo(&combo), 0);

    EXPECT_EQ(host::Laduj_DB_FlatCombo(&combo, "select kod from jezyk", "id_jezyka", "kod"), -1);
    EXPECT_EQ(errorsShown(), 1);

    QComboBox cities;
    const int poland = host::GetIntDB("select id_p from panstwo where iso = 'PL'");
    ASSERT_GT(host::Laduj_DB_FlatComboMiasto(&cities, poland), 0);
    const int warsaw = cities.findText("Warszawa", Qt::MatchEndsWith);
    ASSERT_GE(warsaw, 0);
    EXPECT_TRUE(cities.itemText(warsaw).startsWith("PL "));

    QListWidget list;
    EXPECT_EQ(host::Laduj_DB_CheckListBox(&list, "select id_jezyka, nazwa from jezyk order by id_jezyka", "id_jezyka",
                                          "nazwa"),
              2);
    ASSERT_EQ(list.count(), 2);
    EXPECT_TRUE(list.item(1)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list.item(1)->data(Qt::UserRole).toInt(), 2);
}

TEST_P(DatabaseTest, TimedOutOrFailingStatementsAreReportedAndQueriesAttached)
{
    const QString slow = GetParam() == db::Engine::SQLite
        ? QStringLiteral("with recursive c(x) as (select 1 union all select x + 1 from c where x < 100000000) "
                         "select count(*) from c")
        : "select pg_sleep(3)";
    db::Query query(host::GetConnection(), slow);
    host::setQueryTimeLimit(100);
    const int result = host::OpenQuery(query, 0);
    host::setQueryTimeLimit(0);
    EXPECT_EQ(result, host::OpenQueryTimedOut);
    EXPECT_TRUE(prompter().questions().isEmpty());
    EXPECT_TRUE(logText().contains("time-out"));

    // The limit is gone afterwards.
    db::Query after(host::GetConnection(), "select count(*) from jezyk");
    EXPECT_EQ(host::OpenQuery(after, 0), 1);

    EXPECT_EQ(host::GetIntDB("select nic from brak_tabeli"), -1);
    EXPECT_EQ(host::ExecQuery("update brak_tabeli set a = 1"), 0);
    EXPECT_EQ(host::GetIntDB("select kod from jezyk", "brak_kolumny"), -1);
    EXPECT_EQ(errorsShown(), 3);
    EXPECT_TRUE(logText().contains("brak_tabeli"));
    EXPECT_TRUE(logText().contains("brak_kolumny"));

    db::Query ok(nullptr, "select kod from jezyk order by id_jezyka");
    EXPECT_EQ(host::OpenQuery(ok, 0), 1); // attached to the host's connection
    EXPECT_EQ(ok.connection(), host::GetConnection());
    EXPECT_EQ(ok.recordCount(), 2);

    db::Query bad(host::GetConnection(), "select * from nie_ma_takiej");
    EXPECT_EQ(host::OpenQuery(bad, 0), 0);
    EXPECT_FALSE(bad.isActive());
    EXPECT_EQ(errorsShown(), 4);
    EXPECT_TRUE(prompter().messageTexts().last().contains("nie_ma_takiej"));

    // Read in chunks, a later chunk's error reaches the user too; the rows before it stay.
    db::Query chunked(host::GetConnection(),
                      "with recursive c(x) as (select 1 union all select x + 1 from c where x < 2000)"
                      " select x, abs(case when x = 1500 then -9223372036854775807 - 1 else x end) as a from c");
    chunked.setFetchInChunks(true, 100);
    EXPECT_EQ(host::OpenQuery(chunked, 0), 1);
    while (chunked.isFetching())
        QCoreApplication::processEvents();
    EXPECT_EQ(errorsShown(), 5);
    EXPECT_GE(chunked.recordCount(), 100);
    EXPECT_LT(chunked.recordCount(), 1500);

    // Procedures, and the queries of a window attached to the host's connection.
    auto proc = host::Otworz_procedure("PCanDel");
    ASSERT_NE(proc, nullptr);
    EXPECT_TRUE(proc->parameters().contains("@odp"));
    EXPECT_EQ(host::Otworz_procedure("PNieIstnieje"), nullptr);
    EXPECT_EQ(errorsShown(), 5); // the caller tells the user

    db::StoredProc unknown(host::GetConnection(), "PNieIstnieje");
    EXPECT_EQ(host::ExecProc(unknown), 0);
    EXPECT_EQ(errorsShown(), 6);

    QWidget window;
    auto *frame = new QWidget(&window);
    auto *list = new db::Query(frame);
    auto *attached = new db::StoredProc(new QObject(frame));
    host::Podepnij_kwerendy(&window, nullptr);
    EXPECT_EQ(list->connection(), host::GetConnection());
    EXPECT_EQ(attached->connection(), host::GetConnection());
}

TEST_P(DatabaseTest, BulkUpdateOfAllowedColumnsOnly)
{
    const int a = insertCompany("AAA");
    const int b = insertCompany("BBB");
    host::ExecQuery("insert into faktura_uwagi_dodatkowe (nazwa, tresc) values ('u', 't')");
    const int remark = host::GetIntDB("select max(id_fv_ud) from faktura_uwagi_dodatkowe");

    const auto remarkOf = [](int company) {
        return host::GetIntDB("select coalesce(id_fv_ud, 0) from firma where id_f = :id", {}, nullptr,
                              {{"id", company}});
    };
    EXPECT_EQ(host::Multiakcje_UPDATE("firma", "id_fv_ud", QString::number(remark), "id_f", a), 0);
    EXPECT_EQ(remarkOf(a), remark);
    EXPECT_EQ(remarkOf(b), 0);
    EXPECT_EQ(host::Multiakcje_UPDATE("firma", "id_fv_ud", QString(), "id_f", a), 0);
    EXPECT_EQ(remarkOf(a), 0);
    EXPECT_EQ(host::Multiakcje_UPDATE("firma", "id_fv_ud", QString(), "id_f", 999999), -1);
    EXPECT_EQ(errorsShown(), 0);

    EXPECT_EQ(host::Multiakcje_UPDATE("firma", "skrot", "X", "id_f", a), 1);
    EXPECT_EQ(host::Multiakcje_UPDATE("firma", "id_fv_ud = 1; drop table firma; --", "1", "id_f", a), 1);
    EXPECT_EQ(host::Multiakcje_UPDATE("firma", "aktywna", "0", "skrot", a), 1);
    EXPECT_EQ(host::GetStringDB("select skrot from firma where id_f = :id", {}, nullptr, {{"id", a}}), "AAA");
    EXPECT_EQ(errorsShown(), 3);

    const QList<int> ids{a, 999999, b};
    EXPECT_EQ(host::Multiakcje_UPDATE("firma", "aktywna", "0", "id_f", ids), 0);
    EXPECT_EQ(host::GetIntDB("select count(*) from firma where aktywna = 0"), 2);
}

// ---- import links ------------------------------------------------------------------

TEST_P(DatabaseTest, ImportAndScheduleLinksOfARecord)
{
    const int company = insertCompany("LINK");
    const QString count = "select count(*) from import_powiazania where id_ = :id and tabela = 7 and import = 15";
    const QVariantMap id{{"id", company}};
    auto importValue = [](int link) {
        return host::GetStringDB("select wartosc_import from import_powiazania where id_imp = :l", {}, nullptr,
                                 {{"l", link}});
    };

    const int link = host::ZapiszImportPowiazania(nullptr, -1, "firma", "id_f", company, "ANAL-1", 15, 0);
    ASSERT_GT(link, 0);
    EXPECT_EQ(host::GetIntDB(count, {}, nullptr, id), 1);

    EXPECT_EQ(host::ZapiszImportPowiazania(nullptr, link, "firma", "id_f", company, "ANAL-2", 15, 0), link);
    EXPECT_EQ(importValue(link), "ANAL-2");

    // Without the link id the record's link of that code is reused, not doubled.
    EXPECT_EQ(host::ZapiszImportPowiazania(nullptr, -1, "firma", "id_f", company, "ANAL-3", 15, 0), link);
    EXPECT_EQ(host::GetIntDB(count, {}, nullptr, id), 1);

    EXPECT_TRUE(host::UsunImportPowiazania(nullptr, link));
    EXPECT_EQ(host::GetIntDB(count, {}, nullptr, id), 0);
    EXPECT_EQ(errorsShown(), 0);

    EXPECT_EQ(host::ZapiszImportPowiazania(nullptr, -1, "nie_ma", "id", 1, "x", 15, 0), -1);
    EXPECT_EQ(errorsShown(), 1);

    // A schedule entry linked to a record.
    EXPECT_EQ(host::ZwrocIdPowiazanegoTerminu(28, 41), 0);
    const int entry = host::DEUProstyPowiazanyTermin(nullptr, 2, "Ważność dokumentu", 17,
                                                     QDateTime(QDate(2027, 1, 31), QTime(0, 0)), 28, 41);
    ASSERT_GT(entry, 0);
    EXPECT_EQ(host::ZwrocIdPowiazanegoTerminu(28, 41), entry);
    EXPECT_EQ(host::ZwrocIdPowiazanegoTerminu(7, 41), 0); // another table's record
    EXPECT_EQ(host::GetIntDB("select id_wlasciciela from terminarz where id_ter = :e", {}, nullptr, {{"e", entry}}),
              -1); // kind 2 has no owner
    EXPECT_TRUE(host::UsunPowiazanyTermin(28, 41));
    EXPECT_EQ(host::ZwrocIdPowiazanegoTerminu(28, 41), 0);
}

// ---- lookups -----------------------------------------------------------------------------

TEST_P(DatabaseTest, LookupsDeletionCheckAndControlPeriod)
{
    EXPECT_EQ(host::Znajdz_NrKierunkowy(), "+48");
    EXPECT_EQ(host::KodTabeli("nie_ma"), 0);
    const int id = insertCompany("SKROT1");
    EXPECT_EQ(host::Nazwa_Firmy_skrot(nullptr, id), "SKROT1");
    EXPECT_TRUE(host::Nazwa_Firmy_skrot(nullptr, 0).isEmpty());

    host::ExecQuery("insert into terminarz (tabela, id_, tytul, data) values (1, 1, 'a', :d)", nullptr, 0,
                    {{"d", QDateTime(QDate(2026, 5, 10), QTime(12, 0))}});
    const double may10 = db::DayTime::fromDate(QDate(2026, 5, 10));
    const QString sql = "select count(*) from terminarz where data <= %1";
    EXPECT_EQ(host::GetIntDB(sql.arg(host::double_to_sql_str(may10 + db::DayTime::EndOfDay))), 1);
    EXPECT_EQ(host::GetIntDB(sql.arg(host::double_to_sql_str(may10 - 1))), 0);
    EXPECT_EQ(errorsShown(), 0);

    double start = 0, end = 0;
    host::Ustaw_daty_kontroli(start, end);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(db::DayTime::toDate(start), QDate(today.year(), today.month(), 1));
    EXPECT_EQ(db::DayTime::toDate(end).addDays(1).day(), 1);

    host::ExecQuery("insert into ustawienia (co, wartosc, kod) values ('data_kontroli_od', '2026-01-05', 'ALL'), "
                    "('data_kontroli_do', '2026-02-20', 'ALL')");
    host::Ustaw_daty_kontroli(start, end);
    EXPECT_EQ(db::DayTime::toDate(start), QDate(2026, 1, 5));
    EXPECT_EQ(db::DayTime::toDate(end), QDate(2026, 2, 20));

    EXPECT_TRUE(host::CzyMoznaUsunac(QString()));
    EXPECT_FALSE(host::CzyMoznaUsunac("Firma ma dokumenty."));
    ASSERT_EQ(prompter().messageTexts().size(), 1);
    EXPECT_EQ(prompter().messageTexts().first(), "Firma ma dokumenty.");

    EXPECT_TRUE(host::CzyMoznaUsunac("firma", id));
}

// ---- controls ------------------------------------------------------------------------------

TEST_P(DatabaseTest, DictionaryEditorAddsAnEntryAndRefillsTheCombo)
{
    db::Query kinds(host::GetConnection(),
                    QStringLiteral("select * from VListaPozSlownika where id_jezyka = :id_jezyka "
                                   "and typ_slownika = :typ_slownika order by system desc, wartosc"));
    kinds.parameters().setValue("id_jezyka", host::GetLanguage());
    kinds.parameters().setValue("typ_slownika", "telefony_rodzaj");
    ASSERT_EQ(host::OpenQuery(kinds), 1);
    const int before = kinds.recordCount();
    QComboBox combo;

    prompter().push(host::ScriptedPrompter::Answer::dialogResult(QDialog::Rejected));
    EXPECT_EQ(host::OpenRamkaSlownik(nullptr, 5, &kinds, "wartosc", "id", &combo), 0);
    EXPECT_EQ(combo.count(), before);

    prompter().push(host::ScriptedPrompter::Answer::dialog([](QDialog &d) {
        d.findChild<QLineEdit *>("nowa_wartosc")->setText("Satelitarny");
        d.findChild<QPushButton *>("dodaj")->click();
        d.accept();
    }));
    const int id = host::OpenRamkaSlownik(nullptr, 5, &kinds, "wartosc", "id", &combo);
    ASSERT_GT(id, 0);
    EXPECT_EQ(kinds.recordCount(), before + 1);
    EXPECT_EQ(combo.count(), before + 1);
    EXPECT_EQ(combo.currentText(), "Satelitarny");
    EXPECT_EQ(host::ZwrocWartoscCombo(&combo), id);
}

MALVO_INSTANTIATE_FOR_ENGINES(DatabaseTest);

// ---- files --------------------------------------------------------------------------------------

TEST(Files, CopyDirectoryWithSubfolders)
{
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkpath("ABC/faktury/2026");
    auto write = [&](const char *path, const QByteArray &data) {
        QFile f(root.filePath(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    };
    auto read = [&](const char *path) {
        QFile f(root.filePath(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    write("ABC/umowa.pdf", "umowa");
    write("ABC/faktury/2026/fv1.pdf", "fv1");
    root.mkpath("XYZ");
    write("XYZ/umowa.pdf", "stara");

    EXPECT_TRUE(host::CopyDirectory(root.filePath("ABC"), root.path() + "\\XYZ"));
    EXPECT_EQ(read("XYZ/faktury/2026/fv1.pdf"), "fv1");
    EXPECT_EQ(read("XYZ/umowa.pdf"), "umowa");

    EXPECT_FALSE(host::CopyDirectory(root.filePath("nie_ma"), root.filePath("Q")));
    EXPECT_FALSE(host::CopyDirectory(root.filePath("ABC"), root.filePath("ABC/kopia")));
    EXPECT_TRUE(host::DirectoryExistsNet(root.filePath("XYZ")));
    EXPECT_FALSE(host::DirectoryExistsNet(root.filePath("XYZ/umowa.pdf")));
    EXPECT_FALSE(host::DirectoryExistsNet(QString()));
}

} // namespace
