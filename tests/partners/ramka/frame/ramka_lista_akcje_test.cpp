#include "frame_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using RamkaListaAkcjeTest = RamkaListaTest;

TEST_P(RamkaListaAkcjeTest, EditHooksRunBetweenTheTwoEditingMessagesAndAFailingOneIsLogged)
{
    const int alfa = firma(u"Alfa"_s);
    const int beta = firma(u"Beta"_s);
    auto ramka = lista();
    QWidget glowne;
    host::setMainWindow(&glowne);
    const auto bezOkna = qScopeGuard([] { host::setMainWindow(nullptr); });
    // Each message to the main window with the number of edits done before it.
    QList<QPair<qintptr, int>> komunikaty;
    QObject::connect(host::notifier(), &host::Notifier::mainWindowMessage, &glowne,
                     [&](int message, qintptr w, qintptr, bool) {
                         if (message == host::msg::ListEditing)
                             komunikaty.append({w, int(ramka->edycje.size())});
                     });
    ASSERT_TRUE(ramka->GoToId(beta));

    QTest::keyClick(ramka->ListaGrid(), Qt::Key_Return);
    ASSERT_EQ(ramka->edycje.size(), 1);
    EXPECT_EQ(ramka->edycje[0].id, beta);
    EXPECT_FALSE(ramka->edycje[0].kopia);
    EXPECT_EQ(komunikaty, (QList<QPair<qintptr, int>>{{0, 0}, {1, 1}}));

    // Selected rows are edited one after another; a copy goes through the same hook.
    ramka->akcja(u"pZaznaczAll"_s)->trigger();
    ramka->edycjaClick();
    ASSERT_EQ(ramka->edycje.size(), 3);
    EXPECT_EQ(QList<int>({ramka->edycje[1].id, ramka->edycje[2].id}), QList<int>({alfa, beta}));
    ramka->ListaGrid()->uncheckAll();
    ramka->nkopiowanieClick();
    ASSERT_EQ(ramka->edycje.size(), 4);
    EXPECT_TRUE(ramka->edycje[3].kopia);

    // A row deleted meanwhile is reported instead of edited.
    ramka->akcja(u"pZaznaczAll"_s)->trigger();
    db::Query(&db(), u"delete from firma where id_f = %1"_s.arg(beta)).exec();
    ramka->odswiezClick();
    ramka->edycjaClick();
    ASSERT_EQ(ramka->edycje.size(), 5);
    EXPECT_EQ(ramka->edycje[4].id, alfa);
    EXPECT_TRUE(prompter().messageTexts().contains(host::LoadResstrings(u"Resstrings_IDS_Rekord_usuniety"_s)));

    ramka->akcja(u"pnowy"_s)->trigger();
    EXPECT_EQ(ramka->nowe, 1);

    // A failing hook is logged and the list stays usable.
    ramka->rzucWEdycji = true;
    ramka->edycjaClick();
    const QString log = logText();
    EXPECT_TRUE(log.contains(u"Tramka_lista_frame::edycjaClick"_s));
    EXPECT_TRUE(log.contains(u"CATCH edytor"_s));
    EXPECT_TRUE(log.contains(u"partners/ramka/ramka_lista_fr.cpp"_s));
    firma(u"Gamma"_s);
    ramka->odswiezClick();
    EXPECT_EQ(ramka->Lista()->recordCount(), 2);
}

// A single row's files follow the multi-row rule: confirmed first, removed
// only once their row is committed; backslash paths below the store go, a
// sibling folder sharing the store's prefix is not the store.
TEST_P(RamkaListaAkcjeTest, DeleteAsksRemovesLinkedFilesInTheStoreShowsTheRowBeforeAndHonoursPCanDel)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"store/sub"_s);
    QDir(dir.path()).mkpath(u"store2"_s);
    ASSERT_TRUE(host::var::SciezkaDokumenty.set(dir.filePath(u"store"_s)));
    const int alfa = firma(u"Alfa"_s);
    const int beta = firma(u"Beta"_s);
    const int centrala = firma(u"Centrala"_s);
    firma(u"Oddział"_s, centrala);
    const auto plik = [&](const QString &naDysku, const QString &sciezka) {
        QFile f(dir.filePath(naDysku));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        host::ExecQuery(u"insert into dokument_plik (sciezka, tabela, id_) values (:s, 7, :id)"_s, nullptr, 0,
                        {{u"s"_s, sciezka}, {u"id"_s, beta}});
        return f.fileName();
    };
    const QString wewnatrz = plik(u"store/sub/umowa.pdf"_s, u"sub\\umowa.pdf"_s);
    const QString obok = plik(u"store2/cudzy.pdf"_s, dir.filePath(u"store2/cudzy.pdf"_s));
    auto ramka = lista();
    ramka->ustawTabeleSlownie(u"firma"_s);
    ramka->ListaGrid()->titleClicked(ramka->ListaGrid()->columnOf(u"nazwa"_s));

    // Declined: nothing asked about files, nothing deleted, nothing reopened.
    ASSERT_TRUE(ramka->GoToId(beta));
    int otwarcia = 0;
    QObject::connect(ramka->Lista(), &db::DataSet::afterOpen, ramka.get(), [&] { ++otwarcia; });
    prompter().answerMessage(host::mb::IdNo);
    ramka->usunClick();
    EXPECT_EQ(prompter().messageTexts().size(), 1);
    EXPECT_TRUE(istniejeFirma(beta) && QFile::exists(wewnatrz));
    EXPECT_EQ(otwarcia, 0);

    // A delete that runs out of time is told and leaves the row, its file rows and its files.
    const bool sqlite = GetParam() == db::Engine::SQLite;
    db().execute(sqlite ? u"create view wolne as with recursive c(x) as (select 1 union all select x + 1 from c "
                          u"where x < 100000000) select count(*) as n from c"_s
                        : u"create function wolne() returns trigger as $$ begin perform pg_sleep(3); return old; "
                          u"end $$ language plpgsql"_s);
    db().execute(sqlite ? u"create trigger wolne before delete on firma begin select n from wolne; end"_s
                        : u"create trigger wolne before delete on firma for each row execute function wolne()"_s);
    ramka->ustawLimitCzasuUsuwania(100);
    prompter().clear();
    prompter().setDefaultMessageAnswer(host::mb::IdYes);
    ramka->usunClick();
    EXPECT_TRUE(prompter().messageTexts().last().contains(ramka::opisLimituCzasu(100)));
    EXPECT_TRUE(istniejeFirma(beta) && QFile::exists(wewnatrz));
    EXPECT_EQ(host::GetIntDB(u"select count(*) from dokument_plik"_s), 2);
    db().execute(u"drop trigger wolne"_s + (sqlite ? u""_s : u" on firma"_s));

    prompter().clear();
    prompter().setDefaultMessageAnswer(host::mb::IdYes);
    ramka->usunClick();
    const QStringList pytania = prompter().messageTexts();
    ASSERT_EQ(pytania.size(), 4) << "the file outside the store is reported";
    EXPECT_EQ(pytania[0], ramka->PotwierdzUsuniecieZaznaczonych());
    EXPECT_TRUE(pytania[1].contains(u"sub\\umowa.pdf"_s) && pytania[1].contains(obok));
    EXPECT_TRUE(pytania[3].contains(obok));
    EXPECT_FALSE(QFile::exists(wewnatrz));
    EXPECT_TRUE(QFile::exists(obok));
    EXPECT_EQ(host::GetIntDB(u"select count(*) from dokument_plik"_s), 0);
    EXPECT_FALSE(istniejeFirma(beta));
    EXPECT_EQ(otwarcia, 1);
    EXPECT_EQ(ids(*ramka).size(), 3);
    EXPECT_EQ(ramka->idBiezacegoWiersza(), alfa);

    // A head office with a branch: PCanDel's reason is shown and the row stays.
    ASSERT_TRUE(ramka->GoToId(centrala));
    prompter().clear();
    ramka->usunClick();
    EXPECT_TRUE(istniejeFirma(centrala));
    ASSERT_EQ(prompter().messageTexts().size(), 2);
    EXPECT_TRUE(prompter().messageTexts()[1].contains(QLatin1Char('-')));
    EXPECT_EQ(otwarcia, 1);
    EXPECT_FALSE(ramka->odswiezanieTrwa());
}

TEST_P(RamkaListaAkcjeTest, SessionEditorsOpenOnceTheListIsLoadedAndAreForgottenUnlessKept)
{
    const int alfa = firma(u"Alfa"_s);
    const int beta = firma(u"Beta"_s);
    const int idU = host::AktIdU();
    const auto sesja = [&](int id) {
        host::ExecQuery(u"insert into sesja (nazwa_dll, id_, id_u) values ('partners.dll', :id, :u)"_s, nullptr, 0,
                        {{u"id"_s, id}, {u"u"_s, idU}});
    };
    const auto sesje = [&](const QString &where) {
        return host::GetIntDB(
            u"select count(*) from sesja where nazwa_dll = 'partners.dll' and id_u = %1 and "_s.arg(idU) + where);
    };
    sesja(beta);
    sesja(999999);
    ASSERT_TRUE(host::var::RunSession.set(true));
    {
        TestowaListaFirm ramka;
        ramka.DoEdycji = {alfa};
        ramka.InicjujRamke(u"partners.dll"_s, false, QString(), u"lista"_s);
        EXPECT_TRUE(ramka.edycje.isEmpty());
        const auto *timer = ramka.findChild<QTimer *>(u"Timer1"_s);
        ASSERT_TRUE(timer && timer->isActive());
        ASSERT_TRUE(QTest::qWaitFor([&] { return ramka.edycje.size() == 2; }, timer->interval() + 5000));

        // The stored editor whose row still exists, then the pending one.
        EXPECT_EQ(ramka.edycje[0].id, beta);
        EXPECT_EQ(ramka.edycje[1].id, alfa);
        EXPECT_EQ(sesje(u"id_ = 0"_s), 1);

        // Later opens restore nothing again.
        ramka.odswiezClick();
        EXPECT_FALSE(timer->isActive());
    }
    EXPECT_EQ(sesje(u"1 = 1"_s), 0) << "closing the list forgets the session";

    host::var::SaveSession.set(true);
    host::var::SaveSessionClosing.set(true);
    sesja(5);
    TestowaListaFirm(nullptr, u"lista"_s).InicjujRamke(u"partners.dll"_s, false, QString(), u"lista"_s);
    EXPECT_EQ(sesje(u"1 = 1"_s), 1);
}

MALVO_INSTANTIATE_FOR_ENGINES(RamkaListaAkcjeTest);
