#include "../frame/frame_fixture.h"

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

namespace {

// A derived frame whose hooks use the host connection and widgets, as real
// ones do: they must run on the window's thread, before and after the commit,
// and its own one-row delete must see every row.
class ListaZHakami : public TestowaListaFirm
{
public:
    int odmowa = 0;
    std::function<void()> wPrzed;
    QList<int> przed;
    QList<int> po;
    QList<int> wlasne; // rows that went through the frame's own one-row delete

    bool Usuwanie_rekordu(int id) override
    {
        EXPECT_EQ(QThread::currentThread(), thread());
        wlasne << id;
        return TestowaListaFirm::Usuwanie_rekordu(id);
    }

    bool PrzedUsunieciem(int id) override
    {
        EXPECT_EQ(QThread::currentThread(), thread());
        EXPECT_TRUE(istniejeFirma(id)) << id;
        przed << id;
        wPrzed();
        return id != odmowa;
    }

    bool PoUsunieciu(int id) override
    {
        EXPECT_EQ(QThread::currentThread(), thread());
        EXPECT_FALSE(istniejeFirma(id)) << id;
        po << id;
        return true;
    }
};

} // namespace

using UsuwanieHakiRamkiTest = RamkaListaTest;

// The second row is refused, the third one's hook spins an event loop of
// its own (as a message box does) and the fourth one's stops the delete.
TEST_P(UsuwanieHakiRamkiTest, HooksRunOnTheWindowThreadAroundEachCommittedRowUntilStopped)
{
    QList<int> firmy;
    for (int i = 0; i < 6; ++i)
        firmy << firma(u"Firma %1"_s.arg(i));
    ListaZHakami ramka;
    ramka.InicjujRamke(u"partners.dll"_s, false, QString(), u"lista_testowa"_s);
    QPointer<QDialog> okno;
    ramka.wPrzed = [&] {
        if (ramka.przed.size() == 2)
            ramka.odmowa = ramka.przed.last();
        if (ramka.przed.size() == 3) {
            QEventLoop petla;
            QTimer::singleShot(30, &petla, &QEventLoop::quit);
            petla.exec();
        }
        if (ramka.przed.size() == 4 && okno)
            okno->findChild<QPushButton *>(u"bPrzerwij"_s)->click();
    };
    ramka.akcja(u"pZaznaczAll"_s)->trigger();
    prompter().setDefaultMessageAnswer(host::mb::IdYes);
    prompter().push(host::ScriptedPrompter::Answer::dialog([&](QDialog &d) {
        okno = &d;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 60000));
    }));
    ramka.akcja(u"pusun"_s)->trigger();
    EXPECT_EQ(prompter().questionsOf(host::ScriptedPrompter::Kind::Modal).size(), 1);

    QList<int> usuniete;
    std::copy_if(firmy.cbegin(), firmy.cend(), std::back_inserter(usuniete), [](int id) { return !istniejeFirma(id); });
    // The row under way when stopped is finished; none is started after it.
    EXPECT_EQ(ramka.przed.size(), 4);
    EXPECT_EQ(ramka.wlasne, ramka.przed) << "each row goes through the overridable one-row delete";
    EXPECT_EQ(usuniete.size(), 3);
    EXPECT_FALSE(usuniete.contains(ramka.odmowa));
    std::sort(ramka.po.begin(), ramka.po.end());
    EXPECT_EQ(ramka.po, usuniete);
    EXPECT_EQ(ids(ramka).size(), 3) << "the list is read again";
}

MALVO_INSTANTIATE_FOR_ENGINES(UsuwanieHakiRamkiTest);
