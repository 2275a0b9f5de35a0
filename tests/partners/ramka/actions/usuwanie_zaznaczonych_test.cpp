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
QtMessageHandler g_poprzedniHandler = nullptr;

void zbierajOstrzezenia(QtMsgType typ, const QMessageLogContext &kontekst, const QString &tekst)
{
    if (tekst.contains(QLatin1String("thread"), Qt::CaseInsensitive))
        g_ostrzezeniaWatkow << tekst;
    if (g_poprzedniHandler)
        g_poprzedniHandler(typ, kontekst, tekst);
}

bool zaczynaKomunikat(const QStringList &teksty, const char *klucz)
{
    const QString poczatek = host::LoadResstrings(QString::fromLatin1(klucz));
    return std::any_of(teksty.cbegin(), teksty.cend(), [&](const QString &t) { return t.startsWith(poczatek); });
}

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
        ASSERT_EQ(m_ids.size(), Ile + 1);
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

    static int istniejace(const QList<int> &ids)
    {
        int ile = 0;
        for (int id : ids)
            ile += host::GetIntDB(u"select count(*) from firma where id_f = %1"_s.arg(id));
        return ile;
    }

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

TEST_P(UsuwanieTest, DeletesEverySelectedRowAndDecliningDeletesNothing)
{
    prompter().answerMessage(host::mb::IdNo);
    TUsuwanie_zaznaczonych odrzucone(parametry());
    EXPECT_EQ(odrzucone.wykonaj(nullptr, true).usuniete, 0);
    EXPECT_FALSE(odrzucone.potwierdzono());
    EXPECT_EQ(istniejace(m_ids), Ile);
    EXPECT_TRUE(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).isEmpty());

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

TEST_P(UsuwanieTest, StopHalfWayKeepsTheRestWhole)
{
    QHash<int, int> adresyPrzed;
    for (int id : m_ids)
        adresyPrzed[id] = adresy(id);
    Zapora zapora;
    zapora.naWierszu = 20;
    ParametryUsuwania p = parametry();
    p.przedUsunieciem = zapora.hak();
    const WynikUsuwania w = usun(p, [&](Tusuwanie_postep_form &okno) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return zapora.dotarl.load(); }, CzasMs));
        okno.findChild<QPushButton *>(u"bPrzerwij"_s)->click();
        zapora.puszczony.release();
    });

    // The row under way when stopped is finished; no other one is started.
    EXPECT_EQ(w.usuniete, 21);
    EXPECT_TRUE(w.przerwano);
    EXPECT_EQ(w.pozostale(), Ile - 21);
    EXPECT_EQ(istniejace(m_ids), Ile - 21);
    EXPECT_TRUE(m_opis.contains(QLatin1String("50")) && m_opis.contains(QLatin1String("21"))) << m_opis.toStdString();
    for (int id : m_ids)
        EXPECT_EQ(adresy(id), istniejace({id}) == 1 ? adresyPrzed[id] : 0) << id;
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
    const WynikUsuwania w = usun(p, [&](Tusuwanie_postep_form &okno) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return zapora.dotarl.load(); }, CzasMs));
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
    });

    EXPECT_EQ(wstrzymanyNa, 11);
    EXPECT_EQ(usunieteWeWstrzymaniu, 11);
    EXPECT_EQ(napisWstrzymania, host::LoadResstrings(u"Resstrings_IDS_Wznow"_s));
    EXPECT_EQ(w.usuniete, Ile);
    EXPECT_EQ(istniejace(m_ids), 0);
}

TEST_P(UsuwanieTest, RefusedAndSynchronisedRowsStayAndAreReportedUntilForced)
{
    const int centrala = m_ids.at(7);
    const int synchronizowana = m_ids.at(3);
    host::ExecQuery(u"update firma set id_centrali = %1 where id_f = %2"_s.arg(centrala).arg(m_obca));
    host::ExecQuery(u"update firma set w_synchronizacji = 1 where id_f = %1"_s.arg(synchronizowana));

    WynikUsuwania w = usun(parametry());
    EXPECT_EQ(w.usuniete, Ile - 2);
    ASSERT_EQ(w.odmowy.size(), 1);
    EXPECT_EQ(w.bledy.size(), 1);
    EXPECT_EQ(istniejace({centrala, synchronizowana}), 2);
    EXPECT_EQ(istniejace(m_ids), 2);
    EXPECT_TRUE(zaczynaKomunikat(prompter().messageTexts(), "Resstrings_IDS_CanDel_naglowek"));
    EXPECT_TRUE(zaczynaKomunikat(prompter().messageTexts(), "Resstrings_IDS_Usuniecie_nieudane"));

    ParametryUsuwania wymuszone = parametry();
    wymuszone.ids = {synchronizowana, m_obca};
    wymuszone.wymuszenie = true;
    w = usun(wymuszone);
    EXPECT_EQ(w.usuniete, 2);
    EXPECT_EQ(istniejace({synchronizowana, m_obca}), 0);
}

TEST_P(UsuwanieTest, OwnRowDeleteOfADerivedFrameReplacesTheProcedure)
{
    ParametryUsuwania p = parametry();
    p.tabela = u"nieznana"_s; // PUsunW would refuse every row
    p.usuwanieRekordu = [](int id, db::Connection &c) {
        db::Query q(&c, u"update firma set nazwa = 'x' where id_f = :id"_s);
        q.parameters().setValue(u"id"_s, id);
        return q.exec() == 1 && id % 2 == 0;
    };
    const WynikUsuwania w = usun(p);
    EXPECT_EQ(w.usuniete, std::count_if(m_ids.cbegin(), m_ids.cend(), [](int id) { return id % 2 == 0; }));
    EXPECT_TRUE(w.bledy.isEmpty());
    EXPECT_EQ(host::GetIntDB("select count(*) from firma where nazwa = 'x'"), Ile);
}

TEST_P(UsuwanieTest, LinkedFilesGoOnlyWithDeletedRowsAndStayInTheStore)
{
    QTemporaryDir magazyn;
    ASSERT_TRUE(host::var::SciezkaDokumenty.set(magazyn.filePath("store")));
    QDir(magazyn.path()).mkpath("store/FIRMA");
    for (const char *plik : {"store/FIRMA/a.pdf", "store/FIRMA/b.pdf", "poza.txt"}) {
        QFile f(magazyn.filePath(QString::fromLatin1(plik)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
    }
    const int usuwana = m_ids.at(0);
    const int odmowiona = m_ids.at(1);
    const auto dodaj = [](int id, const QString &sciezka) {
        host::ExecQuery("insert into dokument_plik (sciezka, tabela, id_) values (:s, 7, :id)", nullptr, 0,
                        {{u"s"_s, sciezka}, {u"id"_s, id}});
    };
    const auto pliki = [](int id) {
        return host::GetIntDB(u"select count(*) from dokument_plik where id_ = %1"_s.arg(id));
    };
    dodaj(usuwana, "FIRMA\\a.pdf");
    dodaj(usuwana, "..\\poza.txt");
    dodaj(odmowiona, "FIRMA\\b.pdf");
    host::ExecQuery(u"update firma set id_centrali = %1 where id_f = %2"_s.arg(odmowiona).arg(m_obca));

    prompter().answerMessage(host::mb::IdYes).answerMessage(host::mb::IdYes);
    const WynikUsuwania w = usun(parametry(), {}, u"firma"_s);

    const QStringList pytania = prompter().messageTexts();
    ASSERT_GE(pytania.size(), 3);
    EXPECT_TRUE(pytania.at(0).startsWith(host::LoadResstrings(u"Resstrings_IDS_czyusunpliki"_s)));
    EXPECT_TRUE(pytania.at(0).contains(QLatin1String("FIRMA\\b.pdf")));
    EXPECT_EQ(w.usuniete, Ile - 1);
    EXPECT_FALSE(QFile::exists(magazyn.filePath("store/FIRMA/a.pdf")));
    EXPECT_TRUE(QFile::exists(magazyn.filePath("store/FIRMA/b.pdf")));
    EXPECT_TRUE(QFile::exists(magazyn.filePath("poza.txt")));
    EXPECT_EQ(w.plikiNieusuniete, QStringList{u"..\\poza.txt"_s});
    EXPECT_EQ(pliki(odmowiona), 1);
    EXPECT_EQ(pliki(usuwana), 0);
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
    const WynikUsuwania w = usun(p, [&](Tusuwanie_postep_form &) { QTimer::singleShot(50, [&] { tikUi.release(); }); });
    qInstallMessageHandler(g_poprzedniHandler);

    EXPECT_FALSE(naWatkuUi.load());
    EXPECT_FALSE(polaczenieHosta.load());
    EXPECT_TRUE(uiOdpowiedzial.load());
    EXPECT_TRUE(g_ostrzezeniaWatkow.isEmpty()) << g_ostrzezeniaWatkow.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(w.usuniete, Ile);
}

// The window hooks of a worker driven without its window, as a destroyed or
// stopped window leaves it. The worker's own hook marks the row it reached.
TEST_P(UsuwanieTest, AWorkerWithoutItsWindowGivesUpOrFinishesTheRowOfAnUnansweredHook)
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
}

TEST_P(UsuwanieTest, HooksOfAGoneWindowAreNotCalledAndKeepTheirRows)
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
    const WynikUsuwania w = usun(p);
    EXPECT_EQ(wywolane, QList<int>{m_ids.first()});
    EXPECT_EQ(w.usuniete, 1);
    EXPECT_EQ(w.odrzuconePrzezHak, 2);
    EXPECT_EQ(istniejace(p.ids), 2);
}

TEST(UsuwaniePlikow, PathsLeavingTheStoreAreRefused)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"store/A"_s);
    QFile(dir.filePath("store/A/x.txt")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("storeX.txt")).open(QIODevice::WriteOnly);
    const QString store = dir.filePath("store");

    EXPECT_FALSE(usunPlikZMagazynu(store, u"..\\storeX.txt"_s));
    EXPECT_FALSE(usunPlikZMagazynu(store, u"A\\..\\..\\storeX.txt"_s));
    EXPECT_TRUE(QFile::exists(dir.filePath("storeX.txt")));
    EXPECT_TRUE(usunPlikZMagazynu(store, u"A\\x.txt"_s));
    EXPECT_FALSE(QFile::exists(dir.filePath("store/A/x.txt")));
}

MALVO_INSTANTIATE_FOR_ENGINES(UsuwanieTest);
