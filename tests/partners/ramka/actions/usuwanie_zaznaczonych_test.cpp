#include "ramka/actions/usuwanie_postep_form.h"
#include "ramka/actions/usuwanie_zaznaczonych.h"

#include "connection.h"
#include "demo.h"
#include "host_fixture.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "query.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>

using namespace ramka;
using Answer = host::ScriptedPrompter::Answer;

namespace {

constexpr int Ile = 50;
constexpr int CzasMs = 60000;

QStringList g_ostrzezeniaWatkow;
QtMessageHandler g_poprzedniHandler = nullptr;

void zbierajOstrzezenia(QtMsgType typ, const QMessageLogContext &kontekst, const QString &tekst)
{
    if (tekst.contains(QLatin1String("thread"), Qt::CaseInsensitive))
        g_ostrzezeniaWatkow << tekst;
    if (g_poprzedniHandler)
        g_poprzedniHandler(typ, kontekst, tekst);
}

class UsuwanieTest : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        const int przed = host::GetIntDB(QStringLiteral("select coalesce(max(id_f), 0) from firma"));
        // One more than is deleted: a company outside the selection.
        suitedb::generateDemoCompanies(*host::GetConnection(), Ile + 1, 7);
        host::ExecQuery(QStringLiteral("update firma set id_centrali = null"));
        QList<int> nowe =
            host::GetListaIntDB(QStringLiteral("select id_f from firma where id_f > %1 order by id_f").arg(przed));
        ASSERT_EQ(nowe.size(), Ile + 1);
        m_obca = nowe.takeLast();
        m_ids = nowe;
    }

    ParametryUsuwania parametry() const
    {
        ParametryUsuwania p;
        p.ids = m_ids;
        p.tabela = QStringLiteral("firma");
        p.nazwaId = QStringLiteral("id_f");
        p.tabelaCanDel = QStringLiteral("firma");
        return p;
    }

    int istniejace(const QList<int> &ids) const
    {
        int ile = 0;
        for (int id : ids)
            ile += host::GetIntDB(QStringLiteral("select count(*) from firma where id_f = %1").arg(id));
        return ile;
    }

    int adresy(int id) const
    {
        return host::GetIntDB(QStringLiteral("select count(*) from adres where tabela = 7 and id_ = %1").arg(id));
    }

    // Drives the progress window: steps runs once it is shown, then the
    // window is left to finish. The label it showed last is kept.
    void prowadz(std::function<void(Tusuwanie_postep_form &)> kroki = {})
    {
        prompter().push(Answer::dialog([this, kroki](QDialog &d) {
            auto &okno = static_cast<Tusuwanie_postep_form &>(d);
            if (kroki)
                kroki(okno);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !okno.isVisible(); }, CzasMs));
            m_opis = okno.findChild<QLabel *>(QStringLiteral("opis"))->text();
        }));
    }

    WynikUsuwania usun(ParametryUsuwania p, const QString &tabelaSlownie = QString())
    {
        TUsuwanie_zaznaczonych usuwanie(std::move(p));
        usuwanie.ustawTabeleSlownie(tabelaSlownie);
        return usuwanie.wykonaj(nullptr, true);
    }

    static QPushButton *przycisk(QWidget &okno, const char *nazwa)
    {
        return okno.findChild<QPushButton *>(QLatin1String(nazwa));
    }

    QList<int> m_ids;
    int m_obca = 0;
    QString m_opis;
};

// Blocks the worker at the n-th row until the test lets it go on.
struct Zapora
{
    int naWierszu = 0;
    std::atomic<int> wywolania{0};
    std::atomic<bool> dotarl{false};
    QSemaphore puszczony;

    HakUsuwania hak()
    {
        return [this](int, db::Connection &) {
            if (wywolania++ == naWierszu) {
                dotarl = true;
                puszczony.tryAcquire(1, CzasMs);
            }
            return true;
        };
    }
};

} // namespace

TEST_P(UsuwanieTest, DeletesEverySelectedRowAndCountsThem)
{
    prompter().answerMessage(host::mb::IdYes);
    prowadz();
    const WynikUsuwania w = usun(parametry());

    EXPECT_EQ(w.usuniete, Ile);
    EXPECT_EQ(w.przetworzone, Ile);
    EXPECT_FALSE(w.przerwano);
    EXPECT_TRUE(w.cosUsunieto);
    EXPECT_EQ(istniejace(m_ids), 0);
    EXPECT_EQ(istniejace({m_obca}), 1);
    EXPECT_TRUE(m_opis.contains(QString::number(Ile))) << m_opis.toStdString();
    EXPECT_EQ(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).size(), 1);
}

TEST_P(UsuwanieTest, DecliningTheQuestionDeletesNothingAndShowsNoWindow)
{
    prompter().answerMessage(host::mb::IdNo);
    TUsuwanie_zaznaczonych usuwanie(parametry());
    const WynikUsuwania w = usuwanie.wykonaj(nullptr, true);

    EXPECT_FALSE(usuwanie.potwierdzono());
    EXPECT_EQ(w.usuniete, 0);
    EXPECT_EQ(istniejace(m_ids), Ile);
    EXPECT_TRUE(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).isEmpty());
}

TEST_P(UsuwanieTest, StopHalfWayKeepsTheRestWhole)
{
    QHash<int, int> adresyPrzed;
    for (int id : m_ids)
        adresyPrzed[id] = adresy(id);
    Zapora zapora;
    zapora.naWierszu = 20;
    ParametryUsuwania p = parametry();
    p.przedUsunieciem = zapora.hak();

    prompter().answerMessage(host::mb::IdYes);
    prowadz([&](Tusuwanie_postep_form &okno) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return zapora.dotarl.load(); }, CzasMs));
        przycisk(okno, "bPrzerwij")->click();
        zapora.puszczony.release();
    });
    const WynikUsuwania w = usun(p);

    // The row under way when stopped is finished; no other one is started.
    EXPECT_EQ(w.usuniete, 21);
    EXPECT_TRUE(w.przerwano);
    EXPECT_EQ(w.pozostale(), Ile - 21);
    EXPECT_EQ(istniejace(m_ids), Ile - 21);
    EXPECT_TRUE(m_opis.contains(QLatin1String("50"))) << m_opis.toStdString();
    EXPECT_TRUE(m_opis.contains(QLatin1String("21"))) << m_opis.toStdString();
    for (int id : m_ids) {
        const bool jest = istniejace({id}) == 1;
        EXPECT_EQ(adresy(id), jest ? adresyPrzed[id] : 0) << id;
    }
}

TEST_P(UsuwanieTest, SuspendHoldsTheWorkerUntilResumed)
{
    Zapora zapora;
    zapora.naWierszu = 10;
    ParametryUsuwania p = parametry();
    p.przedUsunieciem = zapora.hak();
    int wstrzymanyNa = -1;
    int usunieteWeWstrzymaniu = -1;
    QString napisWstrzymania;

    prompter().answerMessage(host::mb::IdYes);
    prowadz([&](Tusuwanie_postep_form &okno) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return zapora.dotarl.load(); }, CzasMs));
        QPushButton *wstrzymaj = przycisk(okno, "bWstrzymaj");
        wstrzymaj->click();
        napisWstrzymania = wstrzymaj->text();
        zapora.puszczony.release();
        // The row under way finishes; then nothing moves until resumed.
        QProgressBar *postep = okno.findChild<QProgressBar *>(QStringLiteral("postep"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return postep->value() > 10; }, CzasMs));
        QTest::qWait(300);
        wstrzymanyNa = postep->value();
        usunieteWeWstrzymaniu = Ile - istniejace(m_ids);
        wstrzymaj->click();
    });
    const WynikUsuwania w = usun(p);

    EXPECT_EQ(wstrzymanyNa, 11);
    EXPECT_EQ(usunieteWeWstrzymaniu, 11);
    EXPECT_EQ(napisWstrzymania, host::LoadResstrings(QStringLiteral("Resstrings_IDS_Wznow")));
    EXPECT_EQ(w.usuniete, Ile);
    EXPECT_EQ(istniejace(m_ids), 0);
}

TEST_P(UsuwanieTest, RowRefusedByTheCheckStaysAndIsReported)
{
    const int centrala = m_ids.at(7);
    host::ExecQuery(QStringLiteral("update firma set id_centrali = %1 where id_f = %2").arg(centrala).arg(m_obca));

    prompter().answerMessage(host::mb::IdYes);
    prowadz();
    const WynikUsuwania w = usun(parametry());

    EXPECT_EQ(w.usuniete, Ile - 1);
    ASSERT_EQ(w.odmowy.size(), 1);
    EXPECT_EQ(istniejace({centrala}), 1);
    EXPECT_EQ(istniejace(m_ids), 1);
    const QString naglowek = host::LoadResstrings(QStringLiteral("Resstrings_IDS_CanDel_naglowek"));
    bool pokazano = false;
    for (const QString &t : prompter().messageTexts())
        pokazano = pokazano || t.contains(naglowek);
    EXPECT_TRUE(pokazano);
}

TEST_P(UsuwanieTest, SynchronisedRowNeedsTheForcedDelete)
{
    const int synchronizowana = m_ids.at(3);
    host::ExecQuery(QStringLiteral("update firma set w_synchronizacji = 1 where id_f = %1").arg(synchronizowana));

    prompter().answerMessage(host::mb::IdYes);
    prowadz();
    WynikUsuwania w = usun(parametry());
    EXPECT_EQ(w.usuniete, Ile - 1);
    EXPECT_EQ(w.bledy.size(), 1);
    EXPECT_EQ(istniejace({synchronizowana}), 1);
    const QString nieudane = host::LoadResstrings(QStringLiteral("Resstrings_IDS_Usuniecie_nieudane"));
    EXPECT_TRUE(prompter().messageTexts().last().startsWith(nieudane));

    ParametryUsuwania wymuszone = parametry();
    wymuszone.ids = {synchronizowana, m_obca};
    wymuszone.wymuszenie = true;
    prompter().answerMessage(host::mb::IdYes);
    prowadz();
    w = usun(wymuszone);
    EXPECT_EQ(w.usuniete, 2);
    EXPECT_EQ(istniejace({synchronizowana, m_obca}), 0);
}

TEST_P(UsuwanieTest, OwnRowDeleteOfADerivedFrameReplacesTheProcedure)
{
    ParametryUsuwania p = parametry();
    p.tabela = QStringLiteral("nieznana"); // PUsunW would refuse every row
    p.usuwanieRekordu = [](int id, db::Connection &c) {
        db::Query q(&c, QStringLiteral("update firma set nazwa = 'x' where id_f = :id"));
        q.parameters().setValue(QStringLiteral("id"), id);
        return q.exec() == 1 && id % 2 == 0;
    };
    prompter().answerMessage(host::mb::IdYes);
    prowadz();
    const WynikUsuwania w = usun(p);

    int parzyste = 0;
    for (int id : m_ids)
        parzyste += id % 2 == 0;
    EXPECT_EQ(w.usuniete, parzyste);
    EXPECT_TRUE(w.bledy.isEmpty());
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select count(*) from firma where nazwa = 'x'")), Ile);
}

TEST_P(UsuwanieTest, LinkedFilesGoOnlyWithDeletedRowsAndStayInTheStore)
{
    QTemporaryDir magazyn;
    ASSERT_TRUE(host::var::SciezkaDokumenty.set(magazyn.path() + QStringLiteral("/store")));
    QDir(magazyn.path()).mkpath(QStringLiteral("store/FIRMA"));
    auto utworz = [](const QString &sciezka) {
        QFile f(sciezka);
        return f.open(QIODevice::WriteOnly) && f.write("x") == 1;
    };
    const QString store = magazyn.path() + QStringLiteral("/store/FIRMA/");
    ASSERT_TRUE(utworz(store + QStringLiteral("a.pdf")));
    ASSERT_TRUE(utworz(store + QStringLiteral("b.pdf")));
    ASSERT_TRUE(utworz(magazyn.path() + QStringLiteral("/poza.txt")));
    const int usuwana = m_ids.at(0);
    const int odmowiona = m_ids.at(1);
    auto dodaj = [](int id, const QString &sciezka) {
        host::ExecQuery(QStringLiteral("insert into dokument_plik (sciezka, tabela, id_) values (:s, 7, :id)"), nullptr,
                        0, {{QStringLiteral("s"), sciezka}, {QStringLiteral("id"), id}});
    };
    dodaj(usuwana, QStringLiteral("FIRMA\\a.pdf"));
    dodaj(usuwana, QStringLiteral("..\\poza.txt"));
    dodaj(odmowiona, QStringLiteral("FIRMA\\b.pdf"));
    host::ExecQuery(QStringLiteral("update firma set id_centrali = %1 where id_f = %2").arg(odmowiona).arg(m_obca));

    prompter().answerMessage(host::mb::IdYes).answerMessage(host::mb::IdYes).answerMessage(host::mb::IdYes);
    prowadz();
    const WynikUsuwania w = usun(parametry(), QStringLiteral("firma"));

    const QStringList pytania = prompter().messageTexts();
    ASSERT_GE(pytania.size(), 3);
    EXPECT_TRUE(pytania.at(0).startsWith(host::LoadResstrings(QStringLiteral("Resstrings_IDS_czyusunpliki"))));
    EXPECT_TRUE(pytania.at(0).contains(QLatin1String("FIRMA\\b.pdf")));
    EXPECT_EQ(w.usuniete, Ile - 1);
    EXPECT_FALSE(QFile::exists(store + QStringLiteral("a.pdf")));
    EXPECT_TRUE(QFile::exists(store + QStringLiteral("b.pdf")));
    EXPECT_TRUE(QFile::exists(magazyn.path() + QStringLiteral("/poza.txt")));
    EXPECT_EQ(w.plikiNieusuniete, QStringList{QStringLiteral("..\\poza.txt")});
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select count(*) from dokument_plik where id_ = %1").arg(odmowiona)), 1);
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select count(*) from dokument_plik where id_ = %1").arg(usuwana)), 0);
}

TEST_P(UsuwanieTest, WorkerUsesItsOwnConnectionAndTheWindowStaysResponsive)
{
    std::atomic<bool> naWatkuUi{false};
    std::atomic<bool> polaczenieHosta{false};
    std::atomic<bool> uiOdpowiedzial{true};
    QSemaphore tikUi;
    db::Connection *host = host::GetConnection();
    QThread *watekUi = QThread::currentThread();
    ParametryUsuwania p = parametry();
    p.przedUsunieciem = [&](int id, db::Connection &c) {
        naWatkuUi = naWatkuUi || QThread::currentThread() == watekUi;
        polaczenieHosta = polaczenieHosta || &c == host;
        // The first row waits for a timer of the window's thread.
        if (id == m_ids.first() && !tikUi.tryAcquire(1, 10000))
            uiOdpowiedzial = false;
        return true;
    };

    g_ostrzezeniaWatkow.clear();
    g_poprzedniHandler = qInstallMessageHandler(zbierajOstrzezenia);
    prompter().answerMessage(host::mb::IdYes);
    prowadz([&](Tusuwanie_postep_form &) { QTimer::singleShot(50, [&] { tikUi.release(); }); });
    const WynikUsuwania w = usun(p);
    qInstallMessageHandler(g_poprzedniHandler);

    EXPECT_FALSE(naWatkuUi.load());
    EXPECT_FALSE(polaczenieHosta.load());
    EXPECT_TRUE(uiOdpowiedzial.load());
    EXPECT_TRUE(g_ostrzezeniaWatkow.isEmpty()) << g_ostrzezeniaWatkow.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(w.usuniete, Ile);
}

// The window hooks of a worker driven without its window, as a destroyed or
// stopped window leaves it. The worker's own hook marks the row it reached.
class HakiOknaTest : public UsuwanieTest
{
protected:
    std::unique_ptr<TUsuwanie_watek> uruchom()
    {
        ParametryUsuwania p = parametry();
        p.polaczenie = host::GetConnection()->target();
        p.idU = host::AktIdU();
        p.przedUsunieciem = [this](int id, db::Connection &) {
            m_doszedl = id;
            return true;
        };
        p.hakiOkna.kontekst = &m_kontekst;
        p.hakiOkna.przedUsunieciem = [this](int id) {
            m_przed << id;
            return true;
        };
        p.hakiOkna.poUsunieciu = [this](int id) { m_po << id; };
        auto watek = std::make_unique<TUsuwanie_watek>(std::move(p));
        watek->start();
        // No events are processed here: the worker stays at the first row's window hook.
        QDeadlineTimer limit(CzasMs);
        while (m_doszedl.load() == 0 && !limit.hasExpired())
            QThread::msleep(5);
        EXPECT_NE(m_doszedl.load(), 0);
        QThread::msleep(50);
        return watek;
    }

    QObject m_kontekst;
    std::atomic<int> m_doszedl{0};
    QList<int> m_przed;
    QList<int> m_po;
};

TEST_P(HakiOknaTest, DestroyingTheWorkerGivesUpAnUnansweredHookAndKeepsTheRow)
{
    auto watek = uruchom();
    EXPECT_EQ(m_doszedl.load(), m_ids.first());
    watek.reset();
    QCoreApplication::processEvents();

    EXPECT_TRUE(m_przed.isEmpty());
    EXPECT_TRUE(m_po.isEmpty());
    EXPECT_EQ(istniejace(m_ids), Ile);
}

TEST_P(HakiOknaTest, StoppingFinishesTheCurrentRowWithBothHooks)
{
    auto watek = uruchom();
    watek->zatrzymajIZaczekaj();
    const WynikUsuwania w = watek->wynik();

    EXPECT_EQ(m_przed, QList<int>{m_ids.first()});
    EXPECT_EQ(m_po, QList<int>{m_ids.first()});
    EXPECT_EQ(w.usunieteIds, QList<int>{m_ids.first()});
    EXPECT_TRUE(w.przerwano);
    EXPECT_EQ(istniejace(m_ids), Ile - 1);
}

TEST_P(HakiOknaTest, HooksOfAGoneWindowAreNotCalledAndKeepTheirRows)
{
    auto kontekst = std::make_unique<QObject>();
    QList<int> wywolane;
    ParametryUsuwania p = parametry();
    p.ids = m_ids.mid(0, 3);
    p.hakiOkna.kontekst = kontekst.get();
    p.hakiOkna.przedUsunieciem = [&](int id) {
        wywolane << id;
        // The window goes while the first row is being decided.
        kontekst.reset();
        return true;
    };
    prompter().answerMessage(host::mb::IdYes);
    prowadz();
    const WynikUsuwania w = usun(p);

    EXPECT_EQ(wywolane, QList<int>{m_ids.first()});
    EXPECT_EQ(w.usuniete, 1);
    EXPECT_EQ(w.odrzuconePrzezHak, 2);
    EXPECT_EQ(istniejace(p.ids), 2);
}

TEST(UsuwaniePlikow, PathsLeavingTheStoreAreRefused)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("store/A"));
    QFile(dir.path() + QStringLiteral("/store/A/x.txt")).open(QIODevice::WriteOnly);
    QFile(dir.path() + QStringLiteral("/storeX.txt")).open(QIODevice::WriteOnly);
    const QString store = dir.path() + QStringLiteral("/store");

    EXPECT_FALSE(usunPlikZMagazynu(store, QStringLiteral("..\\storeX.txt")));
    EXPECT_FALSE(usunPlikZMagazynu(store, QStringLiteral("A\\..\\..\\storeX.txt")));
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/storeX.txt")));
    EXPECT_TRUE(usunPlikZMagazynu(store, QStringLiteral("A\\x.txt")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/store/A/x.txt")));
}

MALVO_INSTANTIATE_FOR_ENGINES(UsuwanieTest);
MALVO_INSTANTIATE_FOR_ENGINES(HakiOknaTest);
