#include "ramka/filters/date_sql.h"

#include "day_time.h"
#include "query.h"
#include "scratch_database.h"

#include <gtest/gtest.h>

using namespace partners;
using namespace Qt::StringLiterals;

namespace {

double day(int y, int m, int d)
{
    return db::DayTime::fromDate(QDate(y, m, d));
}

const double May15 = day(2026, 5, 15);
const double May1 = day(2026, 5, 1);

TEST(DateColumnRewrite, SwapsTheColumnComparedWithTheStart)
{
    // expected nullptr: the command stays as it is.
    const struct
    {
        const char *sql, *column, *expected;
    } cases[] = {
        {"select d.data_wyst, d.nazwa from dok d\nwhere (d.data_wyst >= :okres_od and\n\td.data_wyst <= :okres_do) "
         "and d.id_f = :id_f",
         "d.termin",
         "select d.data_wyst, d.nazwa from dok d\nwhere (d.termin >= :okres_od and\n\td.termin <= :okres_do) and "
         "d.id_f = :id_f"},
        {"SELECT * FROM v WHERE Data_Wyst >= :okres_od AND DATA_WYST <= :okres_do", "termin",
         "SELECT * FROM v WHERE termin >= :okres_od AND termin <= :okres_do"},
        {"select * from v where data >= @okres_od and data <= @okres_do", "termin",
         "select * from v where termin >= @okres_od and termin <= @okres_do"},
        {"select * from v where data >= :okres_od and data <= :okres_do and data_od is not null and x = :data",
         "termin",
         "select * from v where termin >= :okres_od and termin <= :okres_do and data_od is not null and x = :data"},
        {"select somewhere, data from v where data >= :okres_od", "termin",
         "select somewhere, data from v where termin >= :okres_od"},
        {"select * from VListaAdresow\nwhere tabela = 7 and id_=:id_f --tabela = 'firma'", "termin", nullptr},
        {"select * from v where data >= :okres_od1", "termin", nullptr},
        {"select * from v where data >= :okres_od", "termin; drop table v", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(withDateColumn(QString::fromUtf8(c.sql), QString::fromUtf8(c.column)).toStdString(),
                  std::string(c.expected ? c.expected : c.sql));
    }
    EXPECT_EQ(dateColumnOfWhere(u"select * from v where (z.data_utworzenia>= :okres_od)"_s), u"z.data_utworzenia"_s);
    EXPECT_EQ(dateColumnOfWhere(u"select data >= :okres_od from v"_s), QString()) << "only the WHERE part counts";
}

TEST(DateParameters, SkipQuotesCommentsAndCastsAndAreTheEnginesDateLiterals)
{
    EXPECT_EQ(commandParameters(u"select ':okres_do', a::date -- :komentarz\nfrom v where d >= :okres_od and d <= "
                                u":OKRES_DO and e >= :okres_od /* :x */"_s),
              (QStringList{u"okres_od"_s, u"OKRES_DO"_s}));

    // Each is bound as the engine's date literal.
    const DateParameterOptions smallEnd{false, {u"okres_do"_s}};
    const struct
    {
        db::Engine engine;
        DateRange range;
        DateParameterOptions options;
        const char *expected;
    } cases[] = {
        {db::Engine::SQLite,
         {May1, May15 + db::DayTime::EndOfDay},
         {},
         "where d >= '2026-05-01' and d <= '2026-05-15 23:59:59'"},
        {db::Engine::PostgreSQL,
         {May1 + 0.5, May15 + db::DayTime::EndOfDay},
         {},
         "where d >= date '2026-05-01' and d <= timestamp '2026-05-15 23:59:59'"},
        {db::Engine::SQLite, {May1, 0}, {}, "where d >= '2026-05-01' and d <= '4637-11-28'"},
        {db::Engine::SQLite, {May1, 0}, smallEnd, "where d >= '2026-05-01' and d <= '2079-06-06'"},
        {db::Engine::PostgreSQL, {0, 0}, {}, "where d >= date '1899-12-30' and d <= date '4637-11-28'"},
        {db::Engine::SQLite, {May1, May15}, {true, {}}, "where d >= '2026-05-01' and d <= '2026-05-31 23:59:51'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        const auto dialect = db::Dialect::create(c.engine);
        EXPECT_EQ(bindDateParameters(u"where d >= :okres_od and d <= :okres_do"_s, c.range, *dialect, c.options)
                      .commandText.toStdString(),
                  std::string(c.expected));
    }

    // A small-date end is named per pair.
    const auto dialect = db::Dialect::create(db::Engine::SQLite);
    EXPECT_EQ(bindDateParameters(u"where a <= :okres_do and b <= :okres_do1"_s, {May1, 0}, *dialect,
                                 {false, {u"okres_do1"_s}})
                  .commandText,
              u"where a <= '4637-11-28' and b <= '2079-06-06'"_s);
}

TEST(DateColumnChoice, OffersDateFieldsWithATitledGridColumnAndPreselectsTheDefault)
{
    const QList<db::FieldDef> fields{
        {"id", QMetaType::Int},
        {"data_wyst", QMetaType::QDateTime},
        {"termin", QMetaType::QDate},
        {"bez_kolumny", QMetaType::QDateTime},
        {"bez_tytulu", QMetaType::QDateTime},
        {"wyliczona", QMetaType::QDateTime, 0, db::FieldKind::Calculated},
    };
    const QList<GridColumnInfo> grid{
        {"DATA_WYST", "Resstrings_IDS_Data_wyst"}, {"termin", "Termin"}, {"bez_tytulu", QString()}, {"wyliczona", "W"}};
    const Translate translate = [](const QString &key) {
        return key == "Resstrings_IDS_wedlug_skrot"_L1 ? u"wg"_s : u"Data wystawienia"_s;
    };
    const QList<DateColumnItem> items = dateColumnItems(fields, grid, translate);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].field, u"data_wyst"_s);
    EXPECT_EQ(items[0].text, u"wg Data wystawienia"_s);
    EXPECT_EQ(items[1].text, u"wg Termin"_s);

    const QStringList columns{u"data_wyst"_s, u"termin"_s};
    EXPECT_EQ(defaultDateColumnIndex(columns, u"termin"_s), 1);
    EXPECT_EQ(defaultDateColumnIndex(columns, u"brak"_s), 0);
    EXPECT_EQ(defaultDateColumnIndex(columns, QString()), 0);
    EXPECT_FALSE(dateColumnChoiceVisible(1, 0));
    EXPECT_TRUE(dateColumnChoiceVisible(2, 0));
}

// ---- the statements on both engines ------------------------------------------------------

class DateFilteredCommand : public testsupport::EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        const QString dateType = connection().engine() == db::Engine::PostgreSQL ? u"timestamp"_s : u"datetime"_s;
        connection().execute(
            u"create table dok_test (id integer primary key, data_wyst %1, termin %1)"_s.arg(dateType));
        const auto at = [](int y, int m, int d, int h = 0, int min = 0, int s = 0) {
            return QVariant(QDateTime(QDate(y, m, d), QTime(h, min, s)));
        };
        const std::vector<std::pair<QVariant, QVariant>> rows{
            {at(2026, 4, 30, 23), at(2026, 5, 20, 10)},
            {at(2026, 5, 1), at(2026, 6, 1)},
            {at(2026, 5, 15, 12), at(2026, 5, 3)},
            {at(2026, 5, 15, 23, 59, 30), QVariant()},
            {at(2026, 5, 16), at(2026, 5, 15, 8)},
            {at(2070, 1, 1), at(2026, 4, 1)},
            {at(2100, 1, 1), QVariant()},
            {QVariant(), at(2026, 5, 10)},
        };
        db::Query insert(&connection(), u"insert into dok_test (id, data_wyst, termin) values (:id, :d, :t)"_s);
        insert.parameters().add(u"d"_s, QMetaType::QDateTime);
        insert.parameters().add(u"t"_s, QMetaType::QDateTime);
        for (size_t i = 0; i < rows.size(); ++i) {
            insert.parameters().setValue(u"id"_s, int(i + 1));
            insert.parameters().setValue(u"d"_s, rows[i].first);
            insert.parameters().setValue(u"t"_s, rows[i].second);
            insert.exec();
        }
    }
};

TEST_P(DateFilteredCommand, SelectsTheRowsOfTheRange)
{
    const QString base =
        u"select id from dok_test\nwhere data_wyst >= :okres_od and data_wyst <= :okres_do order by id"_s;
    const QString twoPairs =
        u"select id from dok_test where id >= :min_id and data_wyst >= :okres_od and data_wyst <= :okres_do "
        "union select id from dok_test where termin >= :okres_od1 and termin <= :okres_do1 order by id"_s;
    const struct
    {
        const char *name;
        const QString &command;
        QString column;
        DateRange range;
        DateParameterOptions options;
        int minId;
        std::vector<int> expected;
    } cases[] = {
        {"an end without time includes the whole last day", base, {}, {May1, May15}, {}, 0, {2, 3, 4}},
        {"an empty end is open", base, {}, {May1, 0}, {}, 0, {2, 3, 4, 5, 6, 7}},
        {"a small date ends in 2079", base, {}, {May1, 0}, {false, {u"okres_do"_s}}, 0, {2, 3, 4, 5, 6}},
        {"all shows every dated row", base, {}, {0, 0}, {}, 0, {1, 2, 3, 4, 5, 6, 7}},
        {"the chosen column replaces the default", base, u"termin"_s, {May1, May15}, {}, 0, {3, 5, 8}},
        {"every pair is bound", twoPairs, {}, {May15, May15}, {}, 0, {3, 4, 5}},
        {"other parameters keep their meaning", twoPairs, {}, {May15, May15}, {}, 4, {4, 5}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        db::Query query(&connection(),
                        dateFilteredCommand(c.command, c.column, c.range, connection().dialect(), c.options));
        if (query.parameters().contains(u"min_id"_s))
            query.parameters().setValue(u"min_id"_s, c.minId);
        query.open();
        std::vector<int> ids;
        for (query.first(); !query.eof(); query.next())
            ids.push_back(query.value(0).toInt());
        EXPECT_EQ(ids, c.expected);
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(DateFilteredCommand);

} // namespace
