#include "host_fixture.h"
#include "ramka/zaloga_pojazdu.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace {

// Drivers 1-4; vehicle 1 drives with 1 and 2 and has no trailer, vehicle 2
// with 3 and trailer 3.
class ZalogaPojazduTest : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        for (const char *nazwisko : {"Nowak", "Kowal", "Wrona", "Sikora"})
            connection().execute(u"insert into kierowca (nazwisko) values ('%1')"_s.arg(QLatin1String(nazwisko)));
        connection().execute(u"insert into samochod (nr_rej, dom_kier, pomocnik) values ('WA 1', 1, 2)"_s);
        connection().execute(u"insert into samochod (nr_rej, dom_kier) values ('WA 2', 3)"_s);
        connection().execute(u"insert into samochod (nr_rej, czy_naczepa) values ('WN 3', 1)"_s);
        connection().execute(u"update samochod set dom_naczepa = 3 where id_s = 2"_s);
        for (QComboBox *lista : {&pojazdy, &naczepy})
            for (int id : {1, 2, 3})
                lista->addItem(QString::number(id), id);
        for (QComboBox *lista : {&kierowcy, &pomocnicy})
            for (int id : {1, 2, 3, 4})
                lista->addItem(QString::number(id), id);
        for (QComboBox *lista : {&pojazdy, &kierowcy, &pomocnicy, &naczepy})
            lista->setCurrentIndex(-1);
    }

    static void wybierz(QComboBox &lista, int id)
    {
        lista.setCurrentIndex(lista.findData(id));
        emit lista.activated(lista.currentIndex());
    }
    static int id(const QComboBox &lista) { return lista.currentData().toInt(); }
    int kolumna(const char *nazwa, int idS)
    {
        return host::GetIntDB(
            u"select coalesce(%1, 0) as v from samochod where id_s = %2"_s.arg(QLatin1String(nazwa)).arg(idS), u"v"_s);
    }

    QComboBox pojazdy, kierowcy, pomocnicy, naczepy;
};

TEST_P(ZalogaPojazduTest, CrewFollowsTheVehicleExceptWhatTheUserPicked)
{
    ramka::ZalogaPojazdu zaloga(&pojazdy, &kierowcy, &pomocnicy, &naczepy);
    naczepy.setCurrentIndex(naczepy.findData(1));
    wybierz(kierowcy, 4);
    wybierz(pojazdy, 1);
    EXPECT_EQ(id(kierowcy), 4) << "a driver the user picked is kept";
    EXPECT_EQ(id(pomocnicy), 2);
    EXPECT_EQ(id(naczepy), 1) << "a vehicle without a default trailer leaves the trailer as it was";
    wybierz(pojazdy, 2);
    EXPECT_EQ(id(naczepy), 3);

    wybierz(naczepy, 1);
    wybierz(pojazdy, 1);
    wybierz(pojazdy, 2);
    EXPECT_EQ(id(naczepy), 1) << "a trailer the user picked is kept";
}

TEST_P(ZalogaPojazduTest, ChosenDriverBringsHisVehicleAndItsTrailer)
{
    ramka::ZalogaPojazdu zaloga(&pojazdy, &kierowcy, &pomocnicy, &naczepy);
    pomocnicy.setEnabled(false);
    wybierz(kierowcy, 3);
    EXPECT_EQ(id(pojazdy), 2);
    EXPECT_EQ(id(naczepy), 3);
}

TEST_P(ZalogaPojazduTest, SavingWritesOnlyTheChangedCrewMembers)
{
    ramka::ZalogaPojazdu zaloga(&pojazdy, &kierowcy, &pomocnicy, &naczepy);
    wybierz(pojazdy, 1);
    // Changed behind the linker's back: a save that rewrote every column would undo these.
    connection().execute(u"update samochod set pomocnik = 3, dom_naczepa = 3 where id_s = 1"_s);
    zaloga.zapiszZaloge();
    EXPECT_EQ(kolumna("pomocnik", 1), 3) << "no change, no update";

    wybierz(kierowcy, 4);
    naczepy.setCurrentIndex(-1);
    zaloga.zapiszZaloge();
    EXPECT_EQ(kolumna("dom_kier", 1), 4);
    EXPECT_EQ(kolumna("pomocnik", 1), 3);
    EXPECT_EQ(kolumna("dom_naczepa", 1), 3) << "the trailer was not set before, so none now is no change";
}

MALVO_INSTANTIATE_FOR_ENGINES(ZalogaPojazduTest);

} // namespace
