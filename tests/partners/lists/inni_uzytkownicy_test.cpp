// Other users: one saving a company while the list deletes it, and users
// whose rights do not allow changing companies, on every way into the module.
#include "lists/lista_firm_okno_fixture.h"

#include "company/edycja_firmy_form.h"
#include "company/podrekordy/adresy_firmy_fr.h"
#include "partners_api.h"
#include "ramka/edycja/zapis_procedury.h"

#include "host_variables.h"
#include "lista_grid.h"
#include "stored_proc.h"

#include <QAction>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;
using Answer = host::ScriptedPrompter::Answer;

namespace {

int ile(const QString &sql, const QVariantMap &p = {})
{
    return host::GetIntDB(sql, QString(), nullptr, p);
}

void zaznacz(Tramka_lista_frame *ramka, const QList<int> &ids)
{
    ramka->ListaGrid()->uncheckAll();
    for (int id : ids)
        ramka->ListaGrid()->selection().select({id, {}});
}

// Each company ends whole or gone: the delete waits for the save it meets,
// and takes the rows that save added with the company.
TEST_P(ListaFirmOkno, UsuwanieZaznaczonychPodczasZapisuInnegoUzytkownikaNieZostawiaPolowyFirmy)
{
    QList<int> firmy;
    for (const QString &nazwa : {u"Usuwana A"_s, u"Usuwana B"_s, u"Usuwana C"_s})
        firmy << partners::wykonajZapis(u"PZapFirmeFull"_s, {{u"@nazwa"_s, nazwa}}).id.toInt();
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    zaznacz(ramka(), firmy);

    std::atomic<bool> trzyma = false;
    std::thread drugi([&] {
        try {
            const auto polaczenie = scratch().openAnother();
            db::Transaction zapis(*polaczenie);
            const auto wykonaj = [&](const QString &procedura, const QVariantMap &p) {
                db::StoredProc proc(polaczenie.get(), procedura);
                partners::ustawParametry(proc, p);
                return proc.execProc();
            };
            EXPECT_EQ(wykonaj(u"PZapFirmeFull"_s, {{u"@nazwa"_s, u"Zapisana B"_s}, {u"@id"_s, firmy.at(1)}}), 0);
            EXPECT_EQ(wykonaj(u"PZapAdres"_s, {{u"@id_"_s, firmy.at(1)}, {u"@tabela"_s, 7}, {u"@ulica"_s, u"Nowa"_s}}),
                      0);
            trzyma = true;
            QThread::msleep(1500);
            zapis.commit();
        } catch (const std::exception &e) {
            ADD_FAILURE() << e.what();
        }
        trzyma = true;
    });
    while (!trzyma)
        QThread::msleep(5);
    prompter().setDefaultMessageAnswer(host::mb::IdYes);
    prompter().push(
        Answer::dialog([](QDialog &d) { EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 60000)); }));
    ramka()->akcja(u"usun"_s)->trigger();
    drugi.join();

    for (int id : firmy) {
        const QVariantMap p = {{u"id"_s, id}};
        const bool jest = ile(u"select count(*) from firma where id_f = :id"_s, p) == 1;
        EXPECT_EQ(ile(u"select count(*) from adres where tabela = 7 and id_ = :id"_s, p), jest && id == firmy.at(1))
            << id;
        // PostgreSQL lets the delete wait for the save; SQLite may refuse a row instead, which then stays whole.
        EXPECT_TRUE(!jest || GetParam() == db::Engine::SQLite) << id;
    }
}

// Without the right to change companies, or only own ones, no way into the
// module changes a company, and the user is told where there is a window.
TEST_P(ListaFirmOkno, BezUprawnienZadnaDrogaNieZmieniaFirmy)
{
    const auto stan = [] {
        QStringList s;
        for (const char *sql :
             {"select count(*) from firma", "select sum(wersja) from firma", "select count(*) from firma_grupa",
              "select count(*) from import_powiazania", "select count(*) from adres"})
            s << QString::number(ile(QLatin1String(sql)));
        return s.join(u' ').toStdString();
    };
    const QList<int> firmy = host::GetListaIntDB(u"select id_f from firma order by id_f"_s);
    const int wlasny = ile(u"select id from VListaPozSlownika where typ_slownika = 'typ_firmy'"
                           " and identyfikator = 'firma_wlasna' and id_jezyka = 1"_s);
    host::ExecQuery(u"update firma set typ_firmy = :t where id_f in (:a, :b)"_s, nullptr, 0,
                    {{u"t"_s, wlasny}, {u"a"_s, firmy.at(0)}, {u"b"_s, firmy.at(1)}});
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(u"firmy.xml"_s);
    ASSERT_EQ(_EksportFirmDoPliku(plik, 1, firmy.mid(0, 2), QString(), nullptr, nullptr), 2);
    const std::string przed = stan();
    prompter().setDefaultMessageAnswer(host::mb::IdYes);
    const auto listaIImport = [&](const char *klucz, bool importZListy) {
        _Execute(qApp, host::SprawdzUpr(partners::PlikModulu));
        zaznacz(ramka(), {firmy.at(0), firmy.last()});
        ramka()->akcja(u"usun"_s)->trigger();
        ramka()->Multiakcje_funk(ramka()->akcja(u"Kodanalitykiustawjakoskrtfirmy1"_s));
        if (importZListy)
            ramka()->akcja(u"tbImportZPliku"_s)->trigger();
        EXPECT_EQ(prompter().messageTexts().count(host::LoadResstrings(QLatin1String(klucz))), importZListy ? 3 : 2);
        delete partners::windows().lista_firm_form.data();
        QString podsumowanie;
        EXPECT_EQ(_ImportFirmZPliku(plik, 1, 0, nullptr, &podsumowanie), 2) << "both refused";
        EXPECT_EQ(stan(), przed) << podsumowanie.toStdString();
    };
    host::var::UprawnieniaZapisFirmyWlasne.set(false);
    listaIImport("Resstrings_IDS_BrakUprawnienZapisFirmyWlasne", false);

    bootstrapAs(u"pwisniewski"_s); // may only look
    listaIImport("Resstrings_IDS_Brak_Upr_Zmian_Firm", true);
    // The editor opened for another module is read-only, its rows too. (Calls
    // made for an order, and the pickers, may save whatever the rights.)
    prompter().push(Answer::dialog([](QDialog &d) {
        EXPECT_EQ(static_cast<Tedycja_firmy_form &>(d).Uprawnienia(), 0);
        d.findChild<QTabWidget *>(u"PageControl"_s)->setCurrentWidget(d.findChild<QWidget *>(u"tsKontakty"_s));
        auto *adresy = d.findChild<Tadresy_firmy_frame *>();
        ASSERT_GT(adresy->Lista()->recordCount(), 0);
        adresy->usunClick();
    }));
    _EditRecord(nullptr, nullptr, firmy.at(2), 1);
    EXPECT_EQ(_ZapiszBezPokazywaniaFormularza(
                  nullptr, nullptr, {u""_s, u"Nowa Bez Praw"_s, u"Polska"_s, u"00-001"_s, u"Warszawa"_s, u""_s, u""_s}),
              -1);
    EXPECT_EQ(stan(), przed);
    EXPECT_EQ(prompter().messageTexts().count(host::LoadResstrings(u"Resstrings_IDS_Brak_Upr_Zmian_Firm"_s)), 4);
}

} // namespace
