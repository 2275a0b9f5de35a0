#include "../frame/frame_fixture.h"

#include <QAction>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using Answer = host::ScriptedPrompter::Answer;

namespace {

// A derived frame whose hooks use the host connection, as real ones do.
class ListaZHakami : public TestowaListaFirm
{
public:
    using TestowaListaFirm::TestowaListaFirm;

    int odmowa = 0;
    std::function<void(int)> wPrzed;
    QList<int> przed;
    QList<int> po;
    QList<int> przedBezWiersza; // rows the before hook did not find
    QList<int> poZWierszem;     // rows the after hook still found
    bool obcyWatek = false;

    bool PrzedUsunieciem(int id) override
    {
        obcyWatek = obcyWatek || QThread::currentThread() != thread();
        przed << id;
        if (!istniejeFirma(id))
            przedBezWiersza << id;
        if (wPrzed)
            wPrzed(id);
        return id != odmowa;
    }

    bool PoUsunieciu(int id) override
    {
        obcyWatek = obcyWatek || QThread::currentThread() != thread();
        po << id;
        if (istniejeFirma(id))
            poZWierszem << id;
        return true;
    }
};

QList<int> posortowane(QList<int> ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

class UsuwanieHakiRamkiTest : public RamkaListaTest
{
protected:
    void SetUp() override
    {
        RamkaListaTest::SetUp();
        if (IsSkipped())
            return;
        for (int i = 0; i < 6; ++i)
            m_firmy << firma(u"Firma %1"_s.arg(i));
        m_ramka = std::make_unique<ListaZHakami>(nullptr, u"lista_testowa"_s);
        m_ramka->InicjujRamke(u"partners.dll"_s, false, QString(), u"lista_testowa"_s);
    }

    void TearDown() override
    {
        m_ramka.reset();
        RamkaListaTest::TearDown();
    }

    // Selects every row and deletes them, answering yes; the progress window
    // is kept for the hooks to drive. Returns the rows deleted.
    QList<int> usunWszystkie()
    {
        m_ramka->akcja(u"pZaznaczAll"_s)->trigger();
        prompter().setDefaultMessageAnswer(host::mb::IdYes);
        prompter().push(Answer::dialog([this](QDialog &d) {
            m_okno = &d;
            EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 60000));
        }));
        m_ramka->akcja(u"pusun"_s)->trigger();
        EXPECT_EQ(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).size(), 1);
        QList<int> usuniete;
        std::copy_if(m_firmy.cbegin(), m_firmy.cend(), std::back_inserter(usuniete),
                     [](int id) { return !istniejeFirma(id); });
        return usuniete;
    }

    QList<int> m_firmy;
    std::unique_ptr<ListaZHakami> m_ramka;
    QPointer<QDialog> m_okno;
};

TEST_P(UsuwanieHakiRamkiTest, HooksRunOnTheWindowThreadAroundEachCommittedRow)
{
    const int odmowiona = m_firmy.at(2);
    m_ramka->odmowa = odmowiona;
    // A hook that opens a message box spins an event loop of its own.
    m_ramka->wPrzed = [&](int id) {
        if (id != m_firmy.at(4))
            return;
        QEventLoop petla;
        QTimer::singleShot(30, &petla, &QEventLoop::quit);
        petla.exec();
    };
    const QList<int> usuniete = usunWszystkie();

    EXPECT_EQ(usuniete.size(), 5);
    EXPECT_FALSE(usuniete.contains(odmowiona));
    EXPECT_EQ(posortowane(m_ramka->przed), m_firmy);
    EXPECT_EQ(posortowane(m_ramka->po), usuniete);
    EXPECT_TRUE(m_ramka->przedBezWiersza.isEmpty());
    EXPECT_TRUE(m_ramka->poZWierszem.isEmpty());
    EXPECT_FALSE(m_ramka->obcyWatek);
    EXPECT_EQ(ids(*m_ramka), QList<int>{odmowiona});
}

TEST_P(UsuwanieHakiRamkiTest, StopHalfWayCallsTheAfterHookOnlyForDeletedRows)
{
    m_ramka->wPrzed = [&](int id) {
        if (m_ramka->przed.size() == 2)
            m_ramka->odmowa = id;
        if (m_ramka->przed.size() == 3 && m_okno)
            m_okno->findChild<QPushButton *>(u"bPrzerwij"_s)->click();
    };
    const QList<int> usuniete = usunWszystkie();

    // The row under way when stopped is finished; none is started after it.
    EXPECT_EQ(m_ramka->przed.size(), 3);
    EXPECT_EQ(usuniete.size(), 2);
    EXPECT_EQ(posortowane(m_ramka->po), usuniete);
    EXPECT_FALSE(usuniete.contains(m_ramka->odmowa));
    EXPECT_EQ(ids(*m_ramka).size(), 4);
    for (int id : usuniete)
        EXPECT_FALSE(ids(*m_ramka).contains(id)) << id;
}

MALVO_INSTANTIATE_FOR_ENGINES(UsuwanieHakiRamkiTest);
