#include "ramka/actions/usuwanie_postep_form.h"
#include "ramka/actions/usuwanie_zaznaczonych.h"

#include "../frame/frame_fixture.h"

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
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

using namespace ramka;
using Answer = host::ScriptedPrompter::Answer;

namespace {

constexpr int Ile = 50;
constexpr int CzasMs = 60000;

QStringList g_ostrzezeniaWatkow;

class UsuwanieTest : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        const int przed = host::GetIntDB("select coalesce(max(id_f), 0) from firma");
        // One more than is deleted: a company outside the selection.
        suitedb::generateDemoCompanies(*host::GetConnection(), Ile + 1, 7);
        host::ExecQuery("update firma set id_centrali = null");
        m_ids = host::GetListaIntDB(u"select id_f from firma where id_f > %1 order by id_f"_s.arg(przed));
        m_obca = m_ids.takeLast();
    }

    ParametryUsuwania parametry() const
    {
        ParametryUsuwania p;
        p.ids = m_ids;
        p.tabela = p.tabelaCanDel = u"firma"_s;
        p.nazwaId = u"id_f"_s;
        return p;
    }

    static int istniejace(const QList<int> &ids) { return int(std::count_if(ids.cbegin(), ids.cend(), istniejeFirma)); }

    static int adresy(int id)
    {
        return host::GetIntDB(u"select count(*) from adres where tabela = 7 and id_ = %1"_s.arg(id));
    }

    // Answers yes and drives the progress window: `kroki` runs once it is
    // shown, then the window is left to finish. Its last label is kept.
    WynikUsuwania usun(ParametryUsuwania p, std::function<void(Tusuwanie_postep_form &)> kroki = {},
                       const QString &tabelaSlownie = QString())
    {
        prompter().answerMessage(host::mb::IdYes);
        prompter().push(Answer::dialog([this, kroki](QDialog &d) {
            auto &okno = static_cast<Tusuwanie_postep_form &>(d);
            if (kroki)
                kroki(okno);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !okno.isVisible(); }, CzasMs));
            m_opis = okno.findChild<QLabel *>(u"opis"_s)->text();
        }));
        TUsuwanie_zaznaczonych usuwanie(std::move(p));
        usuwanie.ustawTabeleSlownie(tabelaSlownie);
        return usuwanie.wykonaj(nullptr, true);
    }

    QList<int> m_ids;
    int m_obca = 0;
    QString m_opis;
};

// Blocks the worker at the given rows until the test lets it go on, and
// notes whether it ever ran on the window's thread or the host's connection.
struct Zapora
{
    QList<int> naWierszach;
    std::atomic<int> wywolania{0};
    std::atomic<int> dotarl{-1};
    std::atomic<bool> naWatkuUi{false};
    std::atomic<bool> polaczenieHosta{false};
    QSemaphore puszczony;

    HakUsuwania hak()
    {
        return [this, ui = QThread::currentThread(), host = host::GetConnection()](int, db::Connection &c) {
            naWatkuUi = naWatkuUi || QThread::currentThread() == ui;
            polaczenieHosta = polaczenieHosta || &c == host;
            const int wiersz = wywolania++;
            if (naWierszach.contains(wiersz)) {
                dotarl = wiersz;
                puszczony.tryAcquire(1, CzasMs);
            }
            return true;
        };
    }
    bool czekaj(int wiersz)
    {
        return QTest::qWaitFor([&] { return dotarl.load() == wiersz; }, CzasMs);
    }
};

} // namespace

// Suspended at row 10, then stopped at row 20, from the window's thread
// while the worker waits on its own thread and connection.
TEST_P(UsuwanieTest, SuspendHoldsTheWorkerAndStopKeepsTheRestWhole)
{
    QHash<int, int> adresyPrzed;
    for (int id : m_ids)
        adresyPrzed[id] = adresy(id);
    Zapora zapora;
    zapora.naWierszach = {10, 20};
    ParametryUsuwania p = parametry();
    p.przedUsunieciem = zapora.hak();
    int wstrzymanyNa = -1;
    int usunieteWeWstrzymaniu = -1;
    QString napisWstrzymania;
    g_ostrzezeniaWatkow.clear();
    const QtMessageHandler poprzedni =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &tekst) {
            if (tekst.contains(QLatin1String("thread"), Qt::CaseInsensitive))
                g_ostrzezeniaWatkow << tekst;
        });
    const WynikUsuwania w = usun(p, [&](Tusuwanie_postep_form &okno) {
        ASSERT_TRUE(zapora.czekaj(10));
        QPushButton *wstrzymaj = okno.findChild<QPushButton *>(u"bWstrzymaj"_s);
        wstrzymaj->click();
        napisWstrzymania = wstrzymaj->text();
        zapora.puszczony.release();
        // The row under way finishes; then nothing moves until resumed.
        QProgressBar *postep = okno.findChild<QProgressBar *>(u"postep"_s);
        EXPECT_TRUE(QTest::qWaitFor([&] { return postep->value() > 10; }, CzasMs));
        QTest::qWait(300);
        wstrzymanyNa = postep->value();
        usunieteWeWstrzymaniu = Ile - istniejace(m_ids);
        wstrzymaj->click();
        ASSERT_TRUE(zapora.czekaj(20));
        okno.findChild<QPushButton *>(u"bPrzerwij"_s)->click();
        zapora.puszczony.release();
    });
    qInstallMessageHandler(poprzedni);

    EXPECT_EQ(wstrzymanyNa, 11);
    EXPECT_EQ(usunieteWeWstrzymaniu, 11);
    EXPECT_EQ(napisWstrzymania, host::LoadResstrings(u"Resstrings_IDS_Wznow"_s));
    EXPECT_FALSE(zapora.naWatkuUi.load());
    EXPECT_FALSE(zapora.polaczenieHosta.load());
    EXPECT_TRUE(g_ostrzezeniaWatkow.isEmpty()) << g_ostrzezeniaWatkow.join(QLatin1Char('\n')).toStdString();
    // The row under way when stopped is finished; no other one is started.
    EXPECT_EQ(w.usuniete, 21);
    EXPECT_TRUE(w.przerwano);
    EXPECT_EQ(w.pozostale(), Ile - 21);
    EXPECT_EQ(istniejace(m_ids), Ile - 21);
    EXPECT_TRUE(m_opis.contains(QLatin1String("50")) && m_opis.contains(QLatin1String("21"))) << m_opis.toStdString();
    for (int id : m_ids)
        EXPECT_EQ(adresy(id), istniejace({id}) == 1 ? adresyPrzed[id] : 0) << id;
}

TEST_P(UsuwanieTest, RefusedAndSynchronisedRowsStayAndAreReportedUntilForced)
{
    const int centrala = m_ids.at(7);
    const int synchronizowana = m_ids.at(3);
    host::ExecQuery(u"update firma set id_centrali = %1 where id_f = %2"_s.arg(centrala).arg(m_obca));
    host::ExecQuery(u"update firma set w_synchronizacji = 1 where id_f = %1"_s.arg(synchronizowana));

    // Declined: nothing deleted, no progress window.
    prompter().answerMessage(host::mb::IdNo);
    TUsuwanie_zaznaczonych odrzucone(parametry());
    EXPECT_EQ(odrzucone.wykonaj(nullptr, true).usuniete, 0);
    EXPECT_FALSE(odrzucone.potwierdzono());
    EXPECT_EQ(istniejace(m_ids), Ile);
    EXPECT_TRUE(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).isEmpty());

    WynikUsuwania w = usun(parametry());
    EXPECT_EQ(w.usuniete, Ile - 2);
    EXPECT_TRUE(w.przetworzone == Ile && !w.przerwano && w.cosUsunieto);
    EXPECT_EQ(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).size(), 1);
    ASSERT_EQ(w.odmowy.size(), 1);
    EXPECT_EQ(w.bledy.size(), 1);
    EXPECT_EQ(istniejace({centrala, synchronizowana}), 2);
    EXPECT_EQ(istniejace(m_ids), 2);

    ParametryUsuwania wymuszone = parametry();
    wymuszone.ids = {synchronizowana, m_obca};
    wymuszone.wymuszenie = true;
    w = usun(wymuszone);
    EXPECT_EQ(w.usuniete, 2);
    EXPECT_EQ(istniejace({synchronizowana, m_obca}), 0);
}

// A path that leaves the store is reported, never removed.
TEST_P(UsuwanieTest, LinkedFilesGoWithTheirRowsButNothingOutsideTheStore)
{
    QTemporaryDir magazyn;
    ASSERT_TRUE(host::var::SciezkaDokumenty.set(magazyn.filePath("store")));
    QDir(magazyn.path()).mkpath("store/FIRMA");
    for (const char *plik : {"store/FIRMA/a.pdf", "poza.txt"}) {
        QFile f(magazyn.filePath(QString::fromLatin1(plik)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
    }
    for (const char *sciezka : {"FIRMA\\a.pdf", "..\\poza.txt"})
        host::ExecQuery("insert into dokument_plik (sciezka, tabela, id_) values (:s, 7, :id)", nullptr, 0,
                        {{u"s"_s, QString::fromLatin1(sciezka)}, {u"id"_s, m_ids.at(1)}});

    prompter().answerMessage(host::mb::IdYes).answerMessage(host::mb::IdYes);
    const WynikUsuwania w = usun(parametry(), {}, u"firma"_s);
    EXPECT_EQ(w.usuniete, Ile);
    EXPECT_FALSE(QFile::exists(magazyn.filePath("store/FIRMA/a.pdf")));
    EXPECT_TRUE(QFile::exists(magazyn.filePath("poza.txt")));
    EXPECT_EQ(w.plikiNieusuniete, QStringList{u"..\\poza.txt"_s});
    EXPECT_EQ(host::GetIntDB(u"select count(*) from dokument_plik"_s), 0);
}

// The window hooks of a worker driven without its window, as a destroyed or
// stopped window leaves it. The worker's own hook marks the row it reached.
TEST_P(UsuwanieTest, AWorkerWithoutItsWindowGivesUpOrFinishesTheRowAndAGoneWindowKeepsTheRest)
{
    QObject kontekst;
    std::atomic<int> doszedl{0};
    QList<int> przed;
    QList<int> po;
    const auto uruchom = [&] {
        ParametryUsuwania p = parametry();
        p.polaczenie = host::GetConnection()->target();
        p.idU = host::AktIdU();
        p.przedUsunieciem = [&](int id, db::Connection &) {
            doszedl = id;
            return true;
        };
        p.hakiOkna.kontekst = &kontekst;
        p.hakiOkna.przedUsunieciem = [&](int id) {
            przed << id;
            return true;
        };
        p.hakiOkna.poUsunieciu = [&](int id) { po << id; };
        doszedl = 0;
        auto watek = std::make_unique<TUsuwanie_watek>(std::move(p));
        watek->start();
        // No events are processed here: the worker stays at the first row's window hook.
        QDeadlineTimer limit(CzasMs);
        while (doszedl.load() == 0 && !limit.hasExpired())
            QThread::msleep(5);
        EXPECT_EQ(doszedl.load(), m_ids.first());
        QThread::msleep(50);
        return watek;
    };

    uruchom().reset();
    QCoreApplication::processEvents();
    EXPECT_TRUE(przed.isEmpty());
    EXPECT_TRUE(po.isEmpty());
    EXPECT_EQ(istniejace(m_ids), Ile);

    auto watek = uruchom();
    watek->zatrzymajIZaczekaj();
    const WynikUsuwania w = watek->wynik();
    EXPECT_EQ(przed, QList<int>{m_ids.first()});
    EXPECT_EQ(po, QList<int>{m_ids.first()});
    EXPECT_EQ(w.usunieteIds, QList<int>{m_ids.first()});
    EXPECT_TRUE(w.przerwano);
    EXPECT_EQ(istniejace(m_ids), Ile - 1);

    // The window goes while a row is decided: the other rows' hooks are not called and they stay.
    auto okno = std::make_unique<QObject>();
    QList<int> wywolane;
    ParametryUsuwania p = parametry();
    p.ids = m_ids.mid(1, 3);
    p.polaczenie = host::GetConnection()->target();
    p.hakiOkna.kontekst = okno.get();
    p.hakiOkna.przedUsunieciem = [&](int id) {
        wywolane << id;
        okno.reset();
        return true;
    };
    watek = std::make_unique<TUsuwanie_watek>(std::move(p));
    watek->start();
    while (!watek->wait(QDeadlineTimer(20)))
        QCoreApplication::processEvents();
    EXPECT_EQ(wywolane, QList<int>{m_ids.at(1)});
    EXPECT_EQ(watek->wynik().usuniete, 1);
    EXPECT_EQ(watek->wynik().odrzuconePrzezHak, 2);
    EXPECT_EQ(istniejace(m_ids.mid(1, 3)), 2);
}

MALVO_INSTANTIATE_FOR_ENGINES(UsuwanieTest);
