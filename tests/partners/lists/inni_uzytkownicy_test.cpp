// Another user saving a company while the list deletes it.
#include "lists/lista_firm_okno_fixture.h"

#include "partners_api.h"
#include "ramka/edycja/zapis_procedury.h"

#include "lista_grid.h"
#include "stored_proc.h"

#include <QAction>
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
    prompter().push(Answer::dialog([](QDialog &d) { QTest::qWaitFor([&] { return !d.isVisible(); }, 60000); }));
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

} // namespace
