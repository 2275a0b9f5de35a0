#include "ramka/settings/list_settings_store.h"
#include "ramka_test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace ramka;

namespace {

const auto projekt = projektTestowy;

// A user's rearrangement: "miasto" first, "nazwa" hidden and wider.
UkladKolumn przestawiony()
{
    UkladKolumn u = projekt();
    TUstKolumna miasto = u[4];
    u.erase(u.begin() + 4);
    u.insert(u.begin() + 1, miasto);
    u[3].widoczna = false;
    u[3].szerokosc = 333;
    u[3].wyrownanie = TUstKolumna::DoSrodka;
    numeruj(u);
    return u;
}

} // namespace

class UstawieniaListyTest : public RamkaHostTest
{
protected:
    KluczUstawien klucz(const QString &menu = u"lista_firm_frame"_s, int idU = 0,
                        const QString &okno = u"Tlista_firm_form"_s)
    {
        return {idU ? idU : host::AktIdU(), okno, u"partners.dll"_s, menu};
    }

    // What the frame does when it is created: default layout, then reading.
    OdczytaneUstawienia otworz(UstawieniaListy &u)
    {
        u.ustawDomyslnyUklad(projekt());
        OdczytaneUstawienia wynik;
        const WynikUstawien w = u.odczytaj(wynik);
        EXPECT_TRUE(w.ok) << w.komunikat.toStdString();
        return wynik;
    }

    int kolumnyZapisane() { return count(u"typ = 'TColumn'"_s); }
};

// Keys with apostrophes are bound values, never statement text.
TEST_P(UstawieniaListyTest, OnlyAChangedLayoutIsSavedAndTheNextOpenReadsItBack)
{
    const KluczUstawien k = klucz(u"ra'mka"_s, 0, u"Okno'); delete from ust_form; --"_s);
    UstawieniaListy pierwsza(k);
    const OdczytaneUstawienia projektowy = otworz(pierwsza);
    ASSERT_TRUE(pierwsza.zapisz({projektowy.kolumny, QString(), std::nullopt}, false).ok);
    EXPECT_EQ(kolumnyZapisane(), 0);

    const WynikUstawien w = pierwsza.zapisz({przestawiony(), u"nazwa DESC"_s, std::nullopt}, false);
    ASSERT_TRUE(w.ok) << w.komunikat.toStdString();
    EXPECT_EQ(w.zapisaneKolumny, 4);
    // Positions are grid indexes.
    EXPECT_EQ(count(u"typ = 'TColumn' and nazwa = 'miasto' and kolejnosc = 1"_s), 1);

    UstawieniaListy druga(k);
    const OdczytaneUstawienia o = otworz(druga);
    EXPECT_TRUE(o.zapisanyUklad);
    EXPECT_EQ(o.kolumny, przestawiony());
    EXPECT_EQ(druga.migawka(), przestawiony());

    // Once saved, closing again without changes writes nothing new.
    db::Query(&db(), u"update ust_form set szerokosc = 1 where typ = 'TColumn'"_s).exec();
    EXPECT_EQ(pierwsza.zapisz({przestawiony(), u"nazwa DESC"_s, std::nullopt}, false).zapisaneKolumny, 0);
    EXPECT_EQ(count(u"typ = 'TColumn' and szerokosc = 1"_s), 4);
    UkladKolumn r;
    ASSERT_TRUE(druga.resetuj(przestawiony(), false, r).ok);
    EXPECT_EQ(kolumnyZapisane(), 0);
}

TEST_P(UstawieniaListyTest, FiltersOnlySaveWritesTheDateRecordAlone)
{
    UstawieniaListy u(klucz());
    otworz(u);
    UstawienieOkresu okres{0, u"zakres"_s, QDateTime(QDate(2026, 3, 1), QTime(0, 0)),
                           QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59))};
    ASSERT_TRUE(u.zapisz({przestawiony(), u"nip"_s, okres}, true).ok);
    EXPECT_EQ(count(u"1 = 1"_s), 1);

    UstawieniaListy druga(klucz());
    const OdczytaneUstawienia o = otworz(druga);
    ASSERT_TRUE(o.okres.has_value());
    EXPECT_EQ(o.okres->kodOkresu, 0);
    EXPECT_EQ(o.okres->dataOd.date(), QDate(2026, 3, 1));
    EXPECT_EQ(o.okres->dataDo.date(), QDate(2026, 3, 31));

    // A preset replaces the record and drops the dates; an empty date stays null.
    const QDateTime data(QDate(2026, 1, 5), QTime(0, 0));
    ASSERT_TRUE(u.zapisz({projekt(), QString(), UstawienieOkresu{7, QString(), data, data}}, true).ok);
    EXPECT_EQ(count(u"kolejnosc = 7 and data_od is null and data_do is null"_s), 1);
    ASSERT_TRUE(u.zapisz({projekt(), QString(), UstawienieOkresu{0, QString(), data, QDateTime()}}, true).ok);
    EXPECT_EQ(count(u"1 = 1"_s), 1);
    EXPECT_EQ(count(u"kolejnosc = 0 and data_od is not null and data_do is null"_s), 1);
}

TEST_P(UstawieniaListyTest, ResetDeletesLayoutAndSortButKeepsTheDateRecord)
{
    UstawieniaListy u(klucz());
    otworz(u);
    const UstawienieOkresu okres{3, QString(), {}, {}};
    ASSERT_TRUE(u.zapisz({przestawiony(), u"nip"_s, okres}, false).ok);
    UstawieniaListy inna(klucz(u"adresy_frame"_s));
    otworz(inna);
    ASSERT_TRUE(inna.zapisz({przestawiony(), u"skrot"_s, std::nullopt}, false).ok);

    UkladKolumn przywrocony;
    ASSERT_TRUE(u.resetuj(przestawiony(), false, przywrocony).ok);
    // The restored layout is the new snapshot: closing now writes nothing.
    EXPECT_EQ(u.zapisz({przywrocony, QString(), std::nullopt}, false).zapisaneKolumny, 0);

    UstawieniaListy po(klucz());
    const OdczytaneUstawienia o = otworz(po);
    EXPECT_EQ(o.kolumny, projekt());
    EXPECT_FALSE(o.sortowanie.has_value());
    ASSERT_TRUE(o.okres.has_value());
    EXPECT_EQ(o.okres->kodOkresu, 3);
    // The other frame of the window keeps its layout and sort.
    EXPECT_EQ(count(u"typ = 'TColumn' and menu = 'adresy_frame'"_s), 4);
    UstawieniaListy innaPo(klucz(u"adresy_frame"_s));
    EXPECT_EQ(otworz(innaPo).sortowanie.value_or(QString()), u"skrot"_s);
}

TEST_P(UstawieniaListyTest, UsersDoNotSeeEachOthersLayoutsWidthsAreFittedOncePerUserAndListAndNoUserStoresNothing)
{
    const int inny = userId(u"anowak"_s);
    UstawieniaListy admin(klucz());
    otworz(admin);
    ASSERT_TRUE(admin.zapisz({przestawiony(), QString(), std::nullopt}, false).ok);

    UstawieniaListy nowak(klucz(u"lista_firm_frame"_s, inny));
    EXPECT_EQ(otworz(nowak).kolumny, projekt());
    UkladKolumn r;
    ASSERT_TRUE(nowak.resetuj(projekt(), false, r).ok);
    EXPECT_EQ(kolumnyZapisane(), 4);

    EXPECT_FALSE(admin.czySzerokosciDopasowane());
    ASSERT_TRUE(admin.oznaczSzerokosciDopasowane().ok);
    EXPECT_TRUE(admin.czySzerokosciDopasowane());
    EXPECT_FALSE(UstawieniaListy(klucz(u"inna"_s)).czySzerokosciDopasowane());
    EXPECT_FALSE(UstawieniaListy(klucz(u"lista_firm_frame"_s, inny)).czySzerokosciDopasowane());
    EXPECT_EQ(host::GetIntDB(u"select count(*) from ustawienia where kod = 'ramka_lista_fr' and wartosc = '1'"_s), 1);

    // Without a user the store answers Brak_danych and asks nothing.
    UstawieniaListy u(klucz(u"m"_s, -1));
    u.ustawDomyslnyUklad(projekt());
    OdczytaneUstawienia o;
    EXPECT_EQ(u.odczytaj(o).komunikat, "Resstrings_IDS_Brak_danych");
    EXPECT_EQ(o.kolumny, projekt());
    EXPECT_EQ(u.zapisz({przestawiony(), QString(), std::nullopt}, false).komunikat, "Resstrings_IDS_Brak_danych");
    EXPECT_TRUE(prompter().questions().isEmpty());
}

MALVO_INSTANTIATE_FOR_ENGINES(UstawieniaListyTest);
