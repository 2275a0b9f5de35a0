#include "ramka/settings/list_settings_store.h"
#include "ramka_test_support.h"

#include <gtest/gtest.h>

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
    KluczUstawien klucz(const QString &menu = QStringLiteral("lista_firm_frame"), int idU = 0)
    {
        return {idU ? idU : host::AktIdU(), QStringLiteral("Tlista_firm_form"), QStringLiteral("partners.dll"), menu};
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

    int kolumnyZapisane() { return count(QStringLiteral("typ = 'TColumn'")); }
};

TEST_P(UstawieniaListyTest, SavedLayoutIsReadBackByTheNextOpen)
{
    UstawieniaListy pierwsza(klucz());
    otworz(pierwsza);
    const WynikUstawien w = pierwsza.zapisz({przestawiony(), QStringLiteral("nazwa DESC"), std::nullopt}, false);
    ASSERT_TRUE(w.ok) << w.komunikat.toStdString();
    EXPECT_EQ(w.zapisaneKolumny, 4);
    // The selection column is never stored; positions are grid indexes.
    EXPECT_EQ(count(QStringLiteral("nazwa = :n"), {{QStringLiteral("n"), QString::fromLatin1(KolumnaZaznaczenia)}}), 0);
    EXPECT_EQ(count(QStringLiteral("typ = 'TColumn' and nazwa = 'miasto' and kolejnosc = 1")), 1);

    UstawieniaListy druga(klucz());
    const OdczytaneUstawienia o = otworz(druga);
    EXPECT_TRUE(o.zapisanyUklad);
    EXPECT_EQ(o.kolumny, przestawiony());
    ASSERT_TRUE(o.sortowanie.has_value());
    EXPECT_EQ(*o.sortowanie, "nazwa DESC");
    EXPECT_EQ(druga.migawka(), przestawiony());
}

TEST_P(UstawieniaListyTest, UnchangedLayoutWritesNoColumnRecords)
{
    UstawieniaListy u(klucz());
    const OdczytaneUstawienia o = otworz(u);
    ASSERT_TRUE(u.zapisz({o.kolumny, QString(), std::nullopt}, false).ok);
    EXPECT_EQ(kolumnyZapisane(), 0);

    // Once saved, closing again without changes writes nothing new either.
    ASSERT_TRUE(u.zapisz({przestawiony(), QString(), std::nullopt}, false).ok);
    db::Query q(&db(), QStringLiteral("update ust_form set szerokosc = 1 where typ = 'TColumn'"));
    q.exec();
    EXPECT_EQ(u.zapisz({przestawiony(), QString(), std::nullopt}, false).zapisaneKolumny, 0);
    EXPECT_EQ(count(QStringLiteral("typ = 'TColumn' and szerokosc = 1")), 4);
}

TEST_P(UstawieniaListyTest, FiltersOnlySaveWritesTheDateRecordAlone)
{
    UstawieniaListy u(klucz());
    otworz(u);
    UstawienieOkresu okres{0, QStringLiteral("zakres"), QDateTime(QDate(2026, 3, 1), QTime(0, 0)),
                           QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59))};
    ASSERT_TRUE(u.zapisz({przestawiony(), QStringLiteral("nip"), okres}, true).ok);
    EXPECT_EQ(count(QStringLiteral("1 = 1")), 1);

    UstawieniaListy druga(klucz());
    const OdczytaneUstawienia o = otworz(druga);
    ASSERT_TRUE(o.okres.has_value());
    EXPECT_EQ(o.okres->kodOkresu, 0);
    EXPECT_EQ(o.okres->dataOd.date(), QDate(2026, 3, 1));
    EXPECT_EQ(o.okres->dataDo.date(), QDate(2026, 3, 31));
    EXPECT_FALSE(o.sortowanie.has_value());
    EXPECT_FALSE(o.zapisanyUklad);

    // A preset replaces the record and drops the dates; an empty date stays null.
    const QDateTime data(QDate(2026, 1, 5), QTime(0, 0));
    ASSERT_TRUE(u.zapisz({projekt(), QString(), UstawienieOkresu{7, QString(), data, data}}, true).ok);
    EXPECT_EQ(count(QStringLiteral("kolejnosc = 7 and data_od is null and data_do is null")), 1);
    ASSERT_TRUE(u.zapisz({projekt(), QString(), UstawienieOkresu{0, QString(), data, QDateTime()}}, true).ok);
    EXPECT_EQ(count(QStringLiteral("1 = 1")), 1);
    EXPECT_EQ(count(QStringLiteral("kolejnosc = 0 and data_od is not null and data_do is null")), 1);
}

TEST_P(UstawieniaListyTest, ResetDeletesLayoutAndSortButKeepsTheDateRecord)
{
    UstawieniaListy u(klucz());
    otworz(u);
    const UstawienieOkresu okres{3, QString(), {}, {}};
    ASSERT_TRUE(u.zapisz({przestawiony(), QStringLiteral("nip"), okres}, false).ok);
    UstawieniaListy inna(klucz(QStringLiteral("adresy_frame")));
    otworz(inna);
    ASSERT_TRUE(inna.zapisz({przestawiony(), QString(), std::nullopt}, false).ok);

    UkladKolumn przywrocony;
    ASSERT_TRUE(u.resetuj(przestawiony(), false, przywrocony).ok);
    EXPECT_EQ(przywrocony, projekt());
    // The restored layout is the new snapshot: closing now writes nothing.
    EXPECT_EQ(u.zapisz({przywrocony, QString(), std::nullopt}, false).zapisaneKolumny, 0);

    UstawieniaListy po(klucz());
    const OdczytaneUstawienia o = otworz(po);
    EXPECT_EQ(o.kolumny, projekt());
    EXPECT_FALSE(o.sortowanie.has_value());
    ASSERT_TRUE(o.okres.has_value());
    EXPECT_EQ(o.okres->kodOkresu, 3);
    // The other frame of the window keeps its layout.
    EXPECT_EQ(count(QStringLiteral("typ = 'TColumn' and menu = 'adresy_frame'")), 4);
}

TEST_P(UstawieniaListyTest, TwoFramesOnOneWindowKeepSeparateLayouts)
{
    UstawieniaListy a(klucz(QStringLiteral("gora")));
    UstawieniaListy b(klucz(QStringLiteral("dol")));
    otworz(a);
    otworz(b);
    UkladKolumn tylkoSzerokosc = projekt();
    tylkoSzerokosc[1].szerokosc = 11;
    ASSERT_TRUE(a.zapisz({przestawiony(), QStringLiteral("skrot"), std::nullopt}, false).ok);
    ASSERT_TRUE(b.zapisz({tylkoSzerokosc, QStringLiteral("nip DESC"), std::nullopt}, false).ok);

    UstawieniaListy a2(klucz(QStringLiteral("gora")));
    UstawieniaListy b2(klucz(QStringLiteral("dol")));
    const OdczytaneUstawienia oa = otworz(a2);
    const OdczytaneUstawienia ob = otworz(b2);
    EXPECT_EQ(oa.kolumny, przestawiony());
    EXPECT_EQ(ob.kolumny, tylkoSzerokosc);
    EXPECT_EQ(oa.sortowanie.value_or(QString()), "skrot");
    EXPECT_EQ(ob.sortowanie.value_or(QString()), "nip DESC");
}

TEST_P(UstawieniaListyTest, UsersDoNotSeeEachOthersLayouts)
{
    const int inny = userId(QStringLiteral("anowak"));
    ASSERT_GT(inny, 0);
    ASSERT_NE(inny, host::AktIdU());
    UstawieniaListy admin(klucz());
    otworz(admin);
    ASSERT_TRUE(admin.zapisz({przestawiony(), QString(), std::nullopt}, false).ok);

    UstawieniaListy nowak(klucz(QStringLiteral("lista_firm_frame"), inny));
    const OdczytaneUstawienia o = otworz(nowak);
    EXPECT_FALSE(o.zapisanyUklad);
    EXPECT_EQ(o.kolumny, projekt());
    UkladKolumn r;
    ASSERT_TRUE(nowak.resetuj(projekt(), false, r).ok);
    EXPECT_EQ(kolumnyZapisane(), 4);
}

TEST_P(UstawieniaListyTest, ApostrophesInKeysAreValuesNotStatementText)
{
    KluczUstawien k = klucz(QStringLiteral("ra'mka"));
    k.formularz = QStringLiteral("Okno'); delete from ust_form; --");
    UstawieniaListy u(k);
    otworz(u);
    ASSERT_TRUE(u.zapisz({przestawiony(), QStringLiteral("o'hara"), std::nullopt}, false).ok);
    UstawieniaListy druga(k);
    const OdczytaneUstawienia o = otworz(druga);
    EXPECT_EQ(o.kolumny, przestawiony());
    UkladKolumn r;
    ASSERT_TRUE(druga.resetuj(przestawiony(), false, r).ok);
    EXPECT_EQ(kolumnyZapisane(), 0);
}

TEST_P(UstawieniaListyTest, WithoutAWindowNameNothingIsPersisted)
{
    KluczUstawien k = klucz();
    k.formularz.clear();
    UstawieniaListy u(k);
    const OdczytaneUstawienia o = otworz(u);
    EXPECT_EQ(o.kolumny, projekt());
    ASSERT_TRUE(u.zapisz({przestawiony(), QStringLiteral("nip"), UstawienieOkresu{}}, false).ok);
    EXPECT_EQ(count(QStringLiteral("1 = 1")), 0);
}

TEST_P(UstawieniaListyTest, WithoutAUserTheStoreAnswersBrakDanych)
{
    UstawieniaListy u(klucz(QStringLiteral("m"), -1));
    u.ustawDomyslnyUklad(projekt());
    OdczytaneUstawienia o;
    EXPECT_EQ(u.odczytaj(o).komunikat, "Resstrings_IDS_Brak_danych");
    EXPECT_EQ(o.kolumny, projekt());
    EXPECT_EQ(u.zapisz({przestawiony(), QString(), std::nullopt}, false).komunikat, "Resstrings_IDS_Brak_danych");
    EXPECT_TRUE(prompter().questions().isEmpty());
}

TEST_P(UstawieniaListyTest, AutomaticWidthFitHappensOncePerUserAndList)
{
    UstawieniaListy u(klucz());
    EXPECT_FALSE(u.czySzerokosciDopasowane());
    ASSERT_TRUE(u.oznaczSzerokosciDopasowane().ok);
    EXPECT_TRUE(u.czySzerokosciDopasowane());
    EXPECT_FALSE(UstawieniaListy(klucz(QStringLiteral("inna"))).czySzerokosciDopasowane());
    EXPECT_FALSE(UstawieniaListy(klucz(QStringLiteral("lista_firm_frame"), userId(QStringLiteral("anowak"))))
                     .czySzerokosciDopasowane());
    EXPECT_EQ(host::GetIntDB(
                  QStringLiteral("select count(*) from ustawienia where kod = 'ramka_lista_fr' and wartosc = '1'")),
              1);
}

MALVO_INSTANTIATE_FOR_ENGINES(UstawieniaListyTest);
