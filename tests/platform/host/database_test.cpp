#include "host_fixture.h"

#include "connection.h"
#include "day_time.h"
#include "host_syscore.h"
#include "query.h"
#include "stored_proc.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using Kind = host::ScriptedPrompter::Kind;

class DatabaseTest : public HostDatabaseTest
{
protected:
    int insertCompany(const QString &shortName)
    {
        host::ExecQuery(
            QStringLiteral("insert into firma (nazwa, skrot) values (:n, :s)"), nullptr, 0,
            {{QStringLiteral("n"), shortName + QStringLiteral(" Sp. z o.o.")}, {QStringLiteral("s"), shortName}});
        return host::GetIntDB(QStringLiteral("select id_f from firma where skrot = :s"), QStringLiteral("id_f"),
                              nullptr, {{QStringLiteral("s"), shortName}});
    }

    int errorsShown() const
    {
        int n = 0;
        for (const auto &q : const_cast<DatabaseTest *>(this)->prompter().questions())
            if (q.kind == Kind::Message && (q.flags & host::mb::IconMask) == host::mb::IconError)
                ++n;
        return n;
    }
};

// ---- rights ------------------------------------------------------------------

TEST_P(DatabaseTest, RightsLevels)
{
    EXPECT_EQ(host::SprawdzUpr(QStringLiteral("partners.dll")), 2); // administrator
    EXPECT_EQ(host::SprawdzUpr(QStringLiteral("cokolwiek.dll")), 2);

    host::ExecQuery(QStringLiteral("insert into uzytkownik (login, nazwisko, imie, administrator, aktywny) "
                                   "values ('tester', 'Testowy', 'Jan', 0, 1)"));
    const int id = host::GetIntDB(QStringLiteral("select id_u from uzytkownik where login = 'tester'"));
    const QVariantMap u{{QStringLiteral("u"), id}};
    host::ExecQuery(QStringLiteral("insert into uprawnienia (id_u, modul, poziom) values (:u, 'partners.dll', 1)"),
                    nullptr, 0, u);
    host::ExecQuery(QStringLiteral("insert into uprawnienia (id_u, modul, poziom) values (:u, 'orders.dll', 0)"),
                    nullptr, 0, u);
    host::ExecQuery(QStringLiteral("insert into uprawnienia (id_u, modul, poziom) values (:u, 'schedule.dll', -1)"),
                    nullptr, 0, u);
    bootstrapAs(QStringLiteral("tester"));

    EXPECT_EQ(host::AktIdU(), id);
    EXPECT_FALSE(host::CzyAdministrator());
    EXPECT_EQ(host::AktNazwiskoImieLoginU(), QStringLiteral("Testowy Jan (tester)"));
    EXPECT_EQ(host::SprawdzUpr(QStringLiteral("partners.dll")), 1);
    EXPECT_EQ(host::SprawdzUpr(QStringLiteral("PARTNERS.DLL")), 1);
    EXPECT_EQ(host::SprawdzUpr(QStringLiteral("orders.dll")), 0); // viewing only
    EXPECT_EQ(host::SprawdzUpr(QStringLiteral("schedule.dll")), -1);
    EXPECT_EQ(host::SprawdzUpr(QStringLiteral("sales_invoices.dll")), -1); // no row
}

// ---- translations --------------------------------------------------------------

TEST_P(DatabaseTest, TranslationsComeFromTheLanguageRows)
{
    host::ExecQuery(QStringLiteral(
        "insert into resstrings (klucz, id_jezyka, tekst) values ('Resstrings_IDS_Test_host', 1, 'Po polsku')"));
    host::ExecQuery(QStringLiteral(
        "insert into resstrings (klucz, id_jezyka, tekst) values ('Resstrings_IDS_Test_host', 2, 'In English')"));
    host::services().reloadTranslations();
    EXPECT_EQ(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Test_host")), QStringLiteral("Po polsku"));
    // A new session brings the program's own texts, in the session's language.
    bootstrapAs(QStringLiteral("admin"), QStringLiteral("en"));
    EXPECT_EQ(host::LoadResstrings(QStringLiteral("Resstrings_IDS_malvo_menu_firmy")), QStringLiteral("&Companies"));
    bool exists = true;
    EXPECT_EQ(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Brak_takiego"), &exists),
              QStringLiteral("Resstrings_IDS_Brak_takiego"));
    EXPECT_FALSE(exists);
}

// ---- reading values ----------------------------------------------------------------

TEST_P(DatabaseTest, SingleValues)
{
    EXPECT_EQ(
        host::GetIntDB(QStringLiteral("select id_jezyka from jezyk where kod = 'en'"), QStringLiteral("id_jezyka")), 2);
    EXPECT_LT(
        host::GetIntDB(QStringLiteral("select id_jezyka from jezyk where kod = 'xx'"), QStringLiteral("id_jezyka")), 1);
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select kod from jezyk where id_jezyka = :id"), QStringLiteral("kod"),
                                nullptr, {{QStringLiteral("id"), 1}}),
              QStringLiteral("pl"));
    EXPECT_TRUE(host::GetStringDB(QStringLiteral("select kod from jezyk where id_jezyka = 99")).isEmpty());
    EXPECT_TRUE(host::CzyIstniejeRekordDB(QStringLiteral("select 1 from jezyk where kod = 'pl'")));
    EXPECT_FALSE(host::CzyIstniejeRekordDB(QStringLiteral("select 1 from jezyk where kod = 'xx'")));
    EXPECT_EQ(errorsShown(), 0);
}

TEST_P(DatabaseTest, Lists)
{
    EXPECT_EQ(host::GetListaIntDB(QStringLiteral("select id_jezyka from jezyk order by id_jezyka")),
              (QList<int>{1, 2}));
    EXPECT_EQ(host::GetListaStringDB(QStringLiteral("select kod from jezyk order by id_jezyka"), QStringLiteral("kod")),
              (QStringList{"pl", "en"}));
    EXPECT_TRUE(host::GetListaIntDB(QStringLiteral("select id_jezyka from jezyk where 1 = 0")).isEmpty());
}

TEST_P(DatabaseTest, DateTimeValue)
{
    host::ExecQuery(QStringLiteral("insert into terminarz (tabela, id_, tytul, data) values (28, 5, 't', :d)"), nullptr,
                    0, {{QStringLiteral("d"), QDateTime(QDate(2026, 3, 14), QTime(10, 30))}});
    EXPECT_EQ(host::GetDateTimeDB(QStringLiteral("select data from terminarz where id_ = 5"), QStringLiteral("data")),
              QDateTime(QDate(2026, 3, 14), QTime(10, 30)));
    EXPECT_FALSE(host::GetDateTimeDB(QStringLiteral("select data from terminarz where id_ = 6")).isValid());
}

TEST_P(DatabaseTest, FailingStatementIsReportedAndLoggedNotThrown)
{
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select nic from brak_tabeli")), -1);
    EXPECT_EQ(host::ExecQuery(QStringLiteral("update brak_tabeli set a = 1")), 0);
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select kod from jezyk"), QStringLiteral("brak_kolumny")), -1);
    EXPECT_EQ(errorsShown(), 3);
    EXPECT_TRUE(logText().contains(QStringLiteral("brak_tabeli")));
    EXPECT_TRUE(logText().contains(QStringLiteral("brak_kolumny")));
}

TEST_P(DatabaseTest, OpenQueryReportsAnErrorAndReturnsZero)
{
    db::Query ok(nullptr, QStringLiteral("select kod from jezyk order by id_jezyka"));
    EXPECT_EQ(host::OpenQuery(ok, 0), 1); // attached to the host's connection
    EXPECT_EQ(ok.connection(), host::GetConnection());
    EXPECT_EQ(ok.recordCount(), 2);

    db::Query bad(host::GetConnection(), QStringLiteral("select * from nie_ma_takiej"));
    EXPECT_EQ(host::OpenQuery(bad, 0), 0);
    EXPECT_FALSE(bad.isActive());
    EXPECT_EQ(errorsShown(), 1);
    EXPECT_TRUE(prompter().messageTexts().last().contains(QStringLiteral("nie_ma_takiej")));
}

TEST_P(DatabaseTest, OpenQueryTimeOutGivesMinusThreeWithoutAMessage)
{
    const QString slow = GetParam() == db::Engine::SQLite
        ? QStringLiteral("with recursive c(x) as (select 1 union all select x + 1 from c where x < 100000000) "
                         "select count(*) from c")
        : QStringLiteral("select pg_sleep(3)");
    db::Query query(host::GetConnection(), slow);
    host::setQueryTimeLimit(100);
    const int result = host::OpenQuery(query, 0);
    host::setQueryTimeLimit(0);
    EXPECT_EQ(result, host::OpenQueryTimedOut);
    EXPECT_TRUE(prompter().questions().isEmpty());
    EXPECT_TRUE(logText().contains(QStringLiteral("time-out")));

    // The limit is gone afterwards.
    db::Query after(host::GetConnection(), QStringLiteral("select count(*) from jezyk"));
    EXPECT_EQ(host::OpenQuery(after, 0), 1);
}

TEST_P(DatabaseTest, ProceduresRunAndFailuresAreReported)
{
    auto proc = host::Otworz_procedure(QStringLiteral("PCanDel"));
    ASSERT_NE(proc, nullptr);
    EXPECT_TRUE(proc->parameters().contains(QStringLiteral("@odp")));
    EXPECT_EQ(host::Otworz_procedure(QStringLiteral("PNieIstnieje")), nullptr);
    EXPECT_EQ(errorsShown(), 0); // the caller tells the user

    db::StoredProc unknown(host::GetConnection(), QStringLiteral("PNieIstnieje"));
    EXPECT_EQ(host::ExecProc(unknown), 0);
    EXPECT_EQ(errorsShown(), 1);
}

TEST_P(DatabaseTest, QueriesOfAWindowAreAttached)
{
    QWidget window;
    auto *frame = new QWidget(&window);
    auto *list = new db::Query(frame);
    auto *proc = new db::StoredProc(new QObject(frame));
    host::Podepnij_kwerendy(&window, nullptr);
    EXPECT_EQ(list->connection(), host::GetConnection());
    EXPECT_EQ(proc->connection(), host::GetConnection());
}

// ---- deletion check ----------------------------------------------------------------

TEST_P(DatabaseTest, DeletionCheck)
{
    EXPECT_TRUE(host::CzyMoznaUsunac(QString()));
    EXPECT_FALSE(host::CzyMoznaUsunac(QStringLiteral("Firma ma dokumenty.")));
    ASSERT_EQ(prompter().messageTexts().size(), 1);
    EXPECT_EQ(prompter().messageTexts().first(), QStringLiteral("Firma ma dokumenty."));

    const int id = insertCompany(QStringLiteral("WOLNA"));
    EXPECT_TRUE(host::CzyMoznaUsunac(QStringLiteral("firma"), id));
}

// ---- bulk update -------------------------------------------------------------------

TEST_P(DatabaseTest, BulkUpdateOfAnAllowedColumn)
{
    const int a = insertCompany(QStringLiteral("AAA"));
    const int b = insertCompany(QStringLiteral("BBB"));
    host::ExecQuery(QStringLiteral("insert into faktura_uwagi_dodatkowe (nazwa, tresc) values ('u', 't')"));
    const int remark = host::GetIntDB(QStringLiteral("select max(id_fv_ud) from faktura_uwagi_dodatkowe"));

    EXPECT_EQ(host::Multiakcje_UPDATE(QStringLiteral("firma"), QStringLiteral("id_fv_ud"), QString::number(remark),
                                      QStringLiteral("id_f"), a),
              0);
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select id_fv_ud from firma where id_f = :id"), {}, nullptr, {{"id", a}}),
              remark);
    EXPECT_TRUE(host::CzyIstniejeRekordDB(QStringLiteral("select 1 from firma where id_f = :id and id_fv_ud is null"),
                                          nullptr, {{"id", b}}));

    EXPECT_EQ(host::Multiakcje_UPDATE(QStringLiteral("firma"), QStringLiteral("id_fv_ud"), QString(),
                                      QStringLiteral("id_f"), a),
              0);
    EXPECT_TRUE(host::CzyIstniejeRekordDB(QStringLiteral("select 1 from firma where id_f = :id and id_fv_ud is null"),
                                          nullptr, {{"id", a}}));
    EXPECT_EQ(host::Multiakcje_UPDATE(QStringLiteral("firma"), QStringLiteral("id_fv_ud"), QString(),
                                      QStringLiteral("id_f"), 999999),
              -1);
    EXPECT_EQ(errorsShown(), 0);
}

TEST_P(DatabaseTest, BulkUpdateRefusesColumnsOffTheList)
{
    const int a = insertCompany(QStringLiteral("AAA"));
    EXPECT_EQ(host::Multiakcje_UPDATE(QStringLiteral("firma"), QStringLiteral("skrot"), QStringLiteral("X"),
                                      QStringLiteral("id_f"), a),
              1);
    EXPECT_EQ(host::Multiakcje_UPDATE(QStringLiteral("firma"), QStringLiteral("id_fv_ud = 1; drop table firma; --"),
                                      QStringLiteral("1"), QStringLiteral("id_f"), a),
              1);
    EXPECT_EQ(host::Multiakcje_UPDATE(QStringLiteral("firma"), QStringLiteral("aktywna"), QStringLiteral("0"),
                                      QStringLiteral("skrot"), a),
              1);
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select skrot from firma where id_f = :id"), {}, nullptr, {{"id", a}}),
              QStringLiteral("AAA"));
    EXPECT_EQ(errorsShown(), 3);
}

TEST_P(DatabaseTest, BulkUpdateOfManyStopsAtTheFirstRefusal)
{
    const QList<int> ids{insertCompany(QStringLiteral("AAA")), 999999, insertCompany(QStringLiteral("BBB"))};
    EXPECT_EQ(host::Multiakcje_UPDATE(QStringLiteral("firma"), QStringLiteral("aktywna"), QStringLiteral("0"),
                                      QStringLiteral("id_f"), ids),
              0);
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select count(*) from firma where aktywna = 0")), 2);
}

// ---- import links ------------------------------------------------------------------

TEST_P(DatabaseTest, ImportLinkInsertUpdateRemove)
{
    const int company = insertCompany(QStringLiteral("LINK"));
    const QString count =
        QStringLiteral("select count(*) from import_powiazania where id_ = :id and tabela = 7 and import = 15");
    const QVariantMap id{{QStringLiteral("id"), company}};

    const int link = host::ZapiszImportPowiazania(nullptr, -1, QStringLiteral("firma"), QStringLiteral("id_f"), company,
                                                  QStringLiteral("ANAL-1"), 15, 0);
    ASSERT_GT(link, 0);
    EXPECT_EQ(host::GetIntDB(count, {}, nullptr, id), 1);

    EXPECT_EQ(host::ZapiszImportPowiazania(nullptr, link, QStringLiteral("firma"), QStringLiteral("id_f"), company,
                                           QStringLiteral("ANAL-2"), 15, 0),
              link);
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select wartosc_import from import_powiazania where id_imp = :l"), {},
                                nullptr, {{"l", link}}),
              QStringLiteral("ANAL-2"));

    // Without the link id the record's link of that code is reused, not doubled.
    EXPECT_EQ(host::ZapiszImportPowiazania(nullptr, -1, QStringLiteral("firma"), QStringLiteral("id_f"), company,
                                           QStringLiteral("ANAL-3"), 15, 0),
              link);
    EXPECT_EQ(host::GetIntDB(count, {}, nullptr, id), 1);

    // Another code is another link.
    const int mpk = host::ZapiszImportPowiazania(nullptr, -1, QStringLiteral("firma"), QStringLiteral("id_f"), company,
                                                 QStringLiteral("MPK 7"), 10, 0);
    EXPECT_GT(mpk, 0);
    EXPECT_NE(mpk, link);

    EXPECT_TRUE(host::UsunImportPowiazania(nullptr, link));
    EXPECT_EQ(host::GetIntDB(count, {}, nullptr, id), 0);
    EXPECT_TRUE(host::CzyIstniejeRekordDB(QStringLiteral("select 1 from import_powiazania where id_imp = :l"), nullptr,
                                          {{"l", mpk}}));
    EXPECT_EQ(errorsShown(), 0);
}

TEST_P(DatabaseTest, ImportLinkOfAnUnknownTableFails)
{
    EXPECT_EQ(host::ZapiszImportPowiazania(nullptr, -1, QStringLiteral("nie_ma"), QStringLiteral("id"), 1,
                                           QStringLiteral("x"), 15, 0),
              -1);
    EXPECT_EQ(errorsShown(), 1);
}

TEST_P(DatabaseTest, ValueWithApostropheIsStoredAsIs)
{
    const int company = insertCompany(QStringLiteral("QUOTE"));
    const int link = host::ZapiszImportPowiazania(nullptr, -1, QStringLiteral("firma"), QStringLiteral("id_f"), company,
                                                  QStringLiteral("O'Brien'; drop table firma; --"), 10, 0);
    ASSERT_GT(link, 0);
    EXPECT_EQ(host::GetStringDB(QStringLiteral("select wartosc_import from import_powiazania where id_imp = :l"), {},
                                nullptr, {{"l", link}}),
              QStringLiteral("O'Brien'; drop table firma; --"));
}

// ---- schedule links ------------------------------------------------------------------

TEST_P(DatabaseTest, ScheduleEntryLinkedToARecord)
{
    EXPECT_EQ(host::ZwrocIdPowiazanegoTerminu(28, 41), 0);
    const int entry = host::DEUProstyPowiazanyTermin(nullptr, 2, QStringLiteral("Ważność dokumentu"), 17,
                                                     QDateTime(QDate(2027, 1, 31), QTime(0, 0)), 28, 41);
    ASSERT_GT(entry, 0);
    EXPECT_EQ(host::ZwrocIdPowiazanegoTerminu(28, 41), entry);
    EXPECT_EQ(host::ZwrocIdPowiazanegoTerminu(7, 41), 0); // another table's record
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select id_wlasciciela from terminarz where id_ter = :e"), {}, nullptr,
                             {{"e", entry}}),
              -1); // kind 2 has no owner
    EXPECT_TRUE(host::UsunPowiazanyTermin(28, 41));
    EXPECT_EQ(host::ZwrocIdPowiazanegoTerminu(28, 41), 0);
}

// ---- lookups -----------------------------------------------------------------------------

TEST_P(DatabaseTest, LookupsOfTheHostDatabase)
{
    EXPECT_EQ(host::Znajdz_NrKierunkowy(), QStringLiteral("+48"));
    EXPECT_EQ(host::KodTabeli(QStringLiteral("firma")), 7);
    EXPECT_EQ(host::KodTabeli(QStringLiteral("nie_ma")), 0);
    const int id = insertCompany(QStringLiteral("SKROT1"));
    EXPECT_EQ(host::Nazwa_Firmy_skrot(nullptr, id), QStringLiteral("SKROT1"));
    EXPECT_TRUE(host::Nazwa_Firmy_skrot(nullptr, 0).isEmpty());
}

TEST_P(DatabaseTest, DateLiteralsWorkInTheEngine)
{
    host::ExecQuery(QStringLiteral("insert into terminarz (tabela, id_, tytul, data) values (1, 1, 'a', :d)"), nullptr,
                    0, {{QStringLiteral("d"), QDateTime(QDate(2026, 5, 10), QTime(12, 0))}});
    const double may10 = db::DayTime::fromDate(QDate(2026, 5, 10));
    const QString sql = QStringLiteral("select count(*) from terminarz where data <= %1");
    EXPECT_EQ(host::GetIntDB(sql.arg(host::double_to_sql_str(may10 + db::DayTime::EndOfDay))), 1);
    EXPECT_EQ(host::GetIntDB(sql.arg(host::double_to_sql_str(may10 - 1))), 0);
    EXPECT_EQ(errorsShown(), 0);
}

TEST_P(DatabaseTest, ControlPeriodFromSettingsOrTheCurrentMonth)
{
    double start = 0, end = 0;
    host::Ustaw_daty_kontroli(start, end);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(db::DayTime::toDate(start), QDate(today.year(), today.month(), 1));
    EXPECT_EQ(db::DayTime::toDate(end).addDays(1).day(), 1);

    host::ExecQuery(
        QStringLiteral("insert into ustawienia (co, wartosc, kod) values ('data_kontroli_od', '2026-01-05', 'ALL')"));
    host::ExecQuery(
        QStringLiteral("insert into ustawienia (co, wartosc, kod) values ('data_kontroli_do', '2026-02-20', 'ALL')"));
    host::Ustaw_daty_kontroli(start, end);
    EXPECT_EQ(db::DayTime::toDate(start), QDate(2026, 1, 5));
    EXPECT_EQ(db::DayTime::toDate(end), QDate(2026, 2, 20));
}

// ---- controls ------------------------------------------------------------------------------

TEST_P(DatabaseTest, ComboFilledWithIds)
{
    QComboBox combo;
    EXPECT_EQ(host::Laduj_DB_FlatCombo(&combo, QStringLiteral("select id_jezyka, nazwa from jezyk order by id_jezyka"),
                                       QStringLiteral("id_jezyka"), QStringLiteral("nazwa"), true),
              2);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemData(0).toInt(), 0);
    EXPECT_EQ(combo.itemData(2).toInt(), 2);
    EXPECT_TRUE(host::UstawWartoscCombo(&combo, 2));
    EXPECT_EQ(host::ZwrocWartoscCombo(&combo), 2);

    // Reloading keeps the choice.
    host::Laduj_DB_FlatCombo(&combo, QStringLiteral("select id_jezyka, nazwa from jezyk order by id_jezyka desc"),
                             QStringLiteral("id_jezyka"), QStringLiteral("nazwa"));
    EXPECT_EQ(host::ZwrocWartoscCombo(&combo), 2);

    EXPECT_FALSE(host::UstawWartoscCombo(&combo, 77));
    EXPECT_EQ(combo.currentIndex(), -1);
    host::UstawWartoscCombo(&combo, 1);
    host::Kasuj_tekst_combo(&combo);
    EXPECT_EQ(host::ZwrocWartoscCombo(&combo), 0);

    EXPECT_EQ(host::Laduj_DB_FlatCombo(&combo, QStringLiteral("select kod from jezyk"), QStringLiteral("id_jezyka"),
                                       QStringLiteral("kod")),
              -1);
    EXPECT_EQ(errorsShown(), 1);
}

TEST_P(DatabaseTest, CityComboJoinsCountryPostalCodeAndCity)
{
    QComboBox combo;
    const int poland = host::GetIntDB(QStringLiteral("select id_p from panstwo where iso = 'PL'"));
    ASSERT_GT(host::Laduj_DB_FlatComboMiasto(&combo, poland), 0);
    const int warsaw = combo.findText(QStringLiteral("Warszawa"), Qt::MatchEndsWith);
    ASSERT_GE(warsaw, 0);
    EXPECT_TRUE(combo.itemText(warsaw).startsWith(QStringLiteral("PL ")));
    EXPECT_GT(combo.itemData(warsaw).toInt(), 0);
}

TEST_P(DatabaseTest, CheckListHasCheckableItemsWithIds)
{
    QListWidget list;
    EXPECT_EQ(host::Laduj_DB_CheckListBox(&list,
                                          QStringLiteral("select id_jezyka, nazwa from jezyk order by id_jezyka"),
                                          QStringLiteral("id_jezyka"), QStringLiteral("nazwa")),
              2);
    ASSERT_EQ(list.count(), 2);
    EXPECT_TRUE(list.item(1)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list.item(1)->data(Qt::UserRole).toInt(), 2);
}

TEST_P(DatabaseTest, DictionaryEditorAddsAnEntryAndRefillsTheCombo)
{
    db::Query kinds(host::GetConnection(),
                    QStringLiteral("select * from VListaPozSlownika where id_jezyka = :id_jezyka "
                                   "and typ_slownika = :typ_slownika order by system desc, wartosc"));
    kinds.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    kinds.parameters().setValue(QStringLiteral("typ_slownika"), QStringLiteral("telefony_rodzaj"));
    ASSERT_EQ(host::OpenQuery(kinds), 1);
    const int before = kinds.recordCount();
    QComboBox combo;

    prompter().push(host::ScriptedPrompter::Answer::dialogResult(QDialog::Rejected));
    EXPECT_EQ(host::OpenRamkaSlownik(nullptr, 5, &kinds, QStringLiteral("wartosc"), QStringLiteral("id"), &combo), 0);
    EXPECT_EQ(combo.count(), before);

    prompter().push(host::ScriptedPrompter::Answer::dialog([](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("nowa_wartosc"))->setText(QStringLiteral("Satelitarny"));
        d.findChild<QPushButton *>(QStringLiteral("dodaj"))->click();
        d.accept();
    }));
    const int id = host::OpenRamkaSlownik(nullptr, 5, &kinds, QStringLiteral("wartosc"), QStringLiteral("id"), &combo);
    ASSERT_GT(id, 0);
    EXPECT_EQ(kinds.recordCount(), before + 1);
    EXPECT_EQ(combo.count(), before + 1);
    EXPECT_EQ(combo.currentText(), QStringLiteral("Satelitarny"));
    EXPECT_EQ(host::ZwrocWartoscCombo(&combo), id);
}

MALVO_INSTANTIATE_FOR_ENGINES(DatabaseTest);

// ---- files --------------------------------------------------------------------------------------

TEST(Files, CopyDirectoryWithSubfolders)
{
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("ABC/faktury/2026"));
    auto write = [](const QString &path, const QByteArray &data) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    };
    write(root.filePath(QStringLiteral("ABC/umowa.pdf")), "umowa");
    write(root.filePath(QStringLiteral("ABC/faktury/2026/fv1.pdf")), "fv1");
    root.mkpath(QStringLiteral("XYZ"));
    write(root.filePath(QStringLiteral("XYZ/umowa.pdf")), "stara");

    EXPECT_TRUE(host::CopyDirectory(root.filePath(QStringLiteral("ABC")), root.path() + QStringLiteral("\\XYZ")));
    QFile copied(root.filePath(QStringLiteral("XYZ/faktury/2026/fv1.pdf")));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("fv1"));
    QFile replaced(root.filePath(QStringLiteral("XYZ/umowa.pdf")));
    ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
    EXPECT_EQ(replaced.readAll(), QByteArray("umowa"));

    EXPECT_FALSE(host::CopyDirectory(root.filePath(QStringLiteral("nie_ma")), root.filePath(QStringLiteral("Q"))));
    EXPECT_FALSE(host::CopyDirectory(root.filePath(QStringLiteral("ABC")), root.filePath(QStringLiteral("ABC/kopia"))));
    EXPECT_TRUE(host::DirectoryExistsNet(root.filePath(QStringLiteral("XYZ"))));
    EXPECT_FALSE(host::DirectoryExistsNet(root.filePath(QStringLiteral("XYZ/umowa.pdf"))));
    EXPECT_FALSE(host::DirectoryExistsNet(QString()));
}

} // namespace
