#include "company/okresy/generator_okresow.h"

#include "connection.h"
#include "global_settings.h"
#include "host_fixture.h"
#include "host_syscore.h"
#include "query.h"
#include "siblings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using partners::OkresRozliczeniowy;

namespace {

std::string opis(const QList<OkresRozliczeniowy> &okresy)
{
    QStringList wynik;
    for (const auto &o : okresy)
        wynik << o.od.toString(Qt::ISODate) + u".."_s + o.doDnia.toString(Qt::ISODate);
    return wynik.join(QLatin1String(", ")).toStdString();
}

OkresRozliczeniowy okres(int r1, int m1, int d1, int r2, int m2, int d2)
{
    return {QDate(r1, m1, d1), QDate(r2, m2, d2)};
}

} // namespace

TEST(PodgladOkresow, RowsFollowTheLastPeriodUpToTheChosenMonth)
{
    struct Przypadek
    {
        QDate koniecOstatniego, wybranaData;
        int dzien, miesiace;
        const char *oczekiwane;
    };
    const Przypadek przypadki[] = {
        {QDate(), QDate(2025, 3, 17), 1, 1, "2025-03-01..2025-03-31"},
        {QDate(2025, 1, 31), QDate(2025, 6, 5), 1, 2,
         "2025-02-01..2025-03-31, 2025-04-01..2025-05-31, 2025-06-01..2025-07-31"},
        {QDate(), QDate(2025, 3, 2), 10, 1, "2025-03-01..2025-03-09, 2025-03-10..2025-04-09"},
        {QDate(), QDate(2025, 3, 31), 10, 3, "2025-03-01..2025-03-09, 2025-03-10..2025-06-09"},
        // Starting on the 31st, and mid-month after February.
        {QDate(2025, 1, 30), QDate(2025, 2, 10), 1, 1, "2025-01-31..2025-01-31, 2025-02-01..2025-02-28"},
        {QDate(2024, 3, 14), QDate(2024, 3, 20), 1, 1, "2024-03-15..2024-03-31"},
        // Day 28 across a leap February.
        {QDate(2024, 1, 27), QDate(2024, 3, 1), 28, 1,
         "2024-01-28..2024-02-27, 2024-02-28..2024-03-27, 2024-03-28..2024-04-27"},
        // A start after the day goes on to the next month.
        {QDate(2025, 3, 14), QDate(2025, 4, 1), 10, 1, "2025-03-15..2025-04-09, 2025-04-10..2025-05-09"},
        // The last period already past the chosen month; no date chosen.
        {QDate(2025, 7, 31), QDate(2025, 6, 5), 1, 2, ""},
        {QDate(), QDate(), 1, 1, ""}};
    for (const Przypadek &p : przypadki)
        EXPECT_EQ(opis(partners::podgladOkresow(p.koniecOstatniego, p.wybranaData, p.dzien, p.miesiace)), p.oczekiwane)
            << p.wybranaData.toString(Qt::ISODate).toStdString() << " day " << p.dzien;
}

class GeneratorOkresow : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        host::notifier()->clearRecords();
        db::Connection *c = host::GetConnection();
        db::Query q(c,
                    c->dialect().insertReturningId(u"insert into firma (nazwa, skrot) values ('Przewoźnik', 'PRZ')"_s,
                                                   u"id_f"_s));
        q.open();
        m_idF = q.value(0).toInt();
        ASSERT_GT(m_idF, 0);
    }

    void TearDown() override
    {
        host::setSiblingDirectory(QString());
        HostDatabaseTest::TearDown();
    }

    QList<OkresRozliczeniowy> zapisane() const
    {
        db::Query q(host::GetConnection(),
                    u"select data_od, data_do from okres_roz where id_f = :id order by data_od"_s);
        q.parameters().setValue(u"id"_s, m_idF);
        q.open();
        QList<OkresRozliczeniowy> wynik;
        for (q.first(); !q.eof(); q.next())
            wynik << OkresRozliczeniowy{q.value(0).toDateTime().date(), q.value(1).toDateTime().date()};
        return wynik;
    }

    int okresRozFirmy() const
    {
        return host::GetIntDB(u"select okres_roz from firma where id_f = :id"_s, QString(), nullptr,
                              {{u"id"_s, m_idF}});
    }

    static QList<int> odswiezeniaFirm()
    {
        QList<int> wynik;
        for (const auto &r : host::notifier()->records())
            if (r.kind == host::Notifier::Record::Companies)
                wynik << r.code;
        return wynik;
    }

    // The shared store as the module reaches it; null when it was not built.
    static shared_store::GlobalSettings *ustawieniaGlobalne()
    {
        host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
        auto wynik = host::callSibling<shared_store::GlobalSettings *()>(u"shared_store.dll"_s, "_GetGlobalSettings");
        return wynik ? *wynik : nullptr;
    }

    int m_idF = 0;
};

// A failed row leaves no period and no length; a good run writes every row and the length and tells the host.
TEST_P(GeneratorOkresow, SavingIsAllOrNothing)
{
    // The second row ends before it starts: the procedure refuses it.
    EXPECT_EQ(partners::zapiszOkresy(m_idF, {okres(2025, 3, 1, 2025, 3, 31), okres(2025, 4, 30, 2025, 4, 1)}, 3), -1);
    EXPECT_TRUE(zapisane().isEmpty()) << opis(zapisane());
    EXPECT_EQ(okresRozFirmy(), 0);
    EXPECT_EQ(prompter().messageTexts().size(), 1);
    EXPECT_TRUE(odswiezeniaFirm().isEmpty());

    prompter().clear();
    EXPECT_EQ(partners::zapiszOkresy(987654, {okres(2025, 3, 1, 2025, 3, 31)}, 1), -1);
    EXPECT_EQ(prompter().messageTexts(), QStringList{host::LoadResstrings(u"Resstrings_IDS_Rekord_usuniety"_s)});

    const QList<OkresRozliczeniowy> okresy{okres(2025, 3, 1, 2025, 3, 9), okres(2025, 3, 10, 2025, 5, 9)};
    EXPECT_EQ(partners::zapiszOkresy(m_idF, okresy, 2), 2);
    EXPECT_EQ(zapisane(), okresy) << opis(zapisane());
    EXPECT_EQ(okresRozFirmy(), 2);
    EXPECT_EQ(odswiezeniaFirm(), (QList<int>{19, 0}));
    EXPECT_EQ(partners::koniecOstatniegoOkresu(m_idF), QDate(2025, 5, 9));
}

// Without the shared store periods are months from the first.
TEST_P(GeneratorOkresow, PeriodsFollowTheSharedStoreWhenThereIsOne)
{
    QTemporaryDir pusty;
    host::setSiblingDirectory(pusty.path());
    EXPECT_EQ(partners::generujOkresy(m_idF, 4, QDate(2025, 3, 20)), 1);
    EXPECT_EQ(zapisane(), QList<OkresRozliczeniowy>{okres(2025, 3, 1, 2025, 3, 31)}) << opis(zapisane());
    EXPECT_EQ(okresRozFirmy(), 4);
    host::ExecQuery(u"delete from okres_roz"_s);

    // With it, the start day and the length come from the store and runs continue.
    shared_store::GlobalSettings *ustawienia = ustawieniaGlobalne();
    ASSERT_NE(ustawienia, nullptr) << "libshared_store.so is built with the tests";
    const shared_store::GlobalSettings zachowane = *ustawienia;
    ustawienia->dzienPoczatkuOkresu = 10;
    ustawienia->dlugosc_okresu = {{1, u"1"_s, 1}, {7, u"2"_s, 2}};
    ustawienia->okresRoz = 0;

    EXPECT_EQ(partners::generujOkresy(m_idF, 7, QDate(2025, 3, 20)), 2);
    EXPECT_EQ(partners::generujOkresy(m_idF, 7, QDate(2025, 6, 1)), 1);
    const QList<OkresRozliczeniowy> oczekiwane{okres(2025, 3, 1, 2025, 3, 9), okres(2025, 3, 10, 2025, 5, 9),
                                               okres(2025, 5, 10, 2025, 7, 9)};
    EXPECT_EQ(zapisane(), oczekiwane) << opis(zapisane());
    // Not the active company: the global length stays.
    EXPECT_EQ(ustawienia->okresRoz, 0);

    ASSERT_TRUE(host::var::AktywnaFirma.set(m_idF));
    EXPECT_EQ(partners::generujOkresy(m_idF, 1, QDate(2025, 7, 15)), 1);
    EXPECT_EQ(partners::koniecOstatniegoOkresu(m_idF), QDate(2025, 8, 9));
    EXPECT_EQ(ustawienia->okresRoz, 1);
    EXPECT_EQ(okresRozFirmy(), 1);
    *ustawienia = zachowane;
}

MALVO_INSTANTIATE_FOR_ENGINES(GeneratorOkresow);
