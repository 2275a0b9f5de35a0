#include "ramka/filters/date_sql.h"

#include "day_time.h"
#include "query.h"
#include "scratch_database.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

double day(int y, int m, int d)
{
    return db::DayTime::fromDate(QDate(y, m, d));
}

// ---- swapping the date column of the WHERE part ------------------------------------

struct RewriteCase
{
    const char *name;
    const char *sql;
    const char *column;
    const char *expected;
};

void PrintTo(const RewriteCase &c, std::ostream *os)
{
    *os << c.name;
}

class DateColumnRewrite : public testing::TestWithParam<RewriteCase>
{};

TEST_P(DateColumnRewrite, SwapsTheColumnComparedWithTheStart)
{
    const RewriteCase &c = GetParam();
    EXPECT_EQ(withDateColumn(QString::fromUtf8(c.sql), QString::fromUtf8(c.column)).toStdString(),
              std::string(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DateColumnRewrite,
    testing::Values(
        RewriteCase{"BothBoundsOfOneColumn",
                    "select * from VListaDokumentow where data_wyst >= :okres_od and data_wyst <= :okres_do", "termin",
                    "select * from VListaDokumentow where termin >= :okres_od and termin <= :okres_do"},
        RewriteCase{"QualifiedInParenthesesOverLines",
                    "select d.data_wyst, d.nazwa from dok d\nwhere (d.data_wyst >= :okres_od and\n\td.data_wyst <= "
                    ":okres_do) and d.id_f = :id_f",
                    "d.termin",
                    "select d.data_wyst, d.nazwa from dok d\nwhere (d.termin >= :okres_od and\n\td.termin <= "
                    ":okres_do) and d.id_f = :id_f"},
        RewriteCase{"CaseInsensitive", "SELECT * FROM v WHERE Data_Wyst >= :okres_od AND DATA_WYST <= :okres_do",
                    "termin", "SELECT * FROM v WHERE termin >= :okres_od AND termin <= :okres_do"},
        RewriteCase{"AtParameter", "select * from v where data >= @okres_od and data <= @okres_do", "termin",
                    "select * from v where termin >= @okres_od and termin <= @okres_do"},
        RewriteCase{"LongerNamesAndPlaceholdersKeepTheirNames",
                    "select * from v where data >= :okres_od and data <= :okres_do and data_od is not null "
                    "and x = :data",
                    "termin",
                    "select * from v where termin >= :okres_od and termin <= :okres_do and data_od is not null "
                    "and x = :data"},
        RewriteCase{"WhereInsideANameDoesNotCount", "select somewhere, data from v where data >= :okres_od", "termin",
                    "select somewhere, data from v where termin >= :okres_od"},
        RewriteCase{"WithoutOkresOdUnchanged",
                    "select * from VListaAdresow\nwhere tabela = 7 and id_=:id_f --tabela = 'firma'", "termin",
                    "select * from VListaAdresow\nwhere tabela = 7 and id_=:id_f --tabela = 'firma'"},
        RewriteCase{"OnlyTheSecondPairUnchanged", "select * from v where data >= :okres_od1", "termin",
                    "select * from v where data >= :okres_od1"},
        RewriteCase{"NotAnIdentifierUnchanged", "select * from v where data >= :okres_od", "termin; drop table v",
                    "select * from v where data >= :okres_od"}),
    [](const testing::TestParamInfo<RewriteCase> &info) { return std::string(info.param.name); });

TEST(DateColumnOfWhere, IsTheIdentifierBeforeTheStartBound)
{
    EXPECT_EQ(dateColumnOfWhere(u"select * from v where (z.data_utworzenia>= :okres_od)"_s), u"z.data_utworzenia"_s);
    EXPECT_EQ(dateColumnOfWhere(u"select data >= :okres_od from v"_s), QString()) << "only the WHERE part counts";
}

TEST(CommandParameters, SkipQuotesCommentsAndCasts)
{
    EXPECT_EQ(
        commandParameters(u"select ':okres_do', a::date -- :komentarz\nfrom v where d >= :okres_od and d <= :OKRES_DO "
                          "and e >= :okres_od /* :x */"_s),
        (QStringList{u"okres_od"_s, u"OKRES_DO"_s}));
}

// ---- writing the range into the command ---------------------------------------------

struct BindCase
{
    const char *name;
    db::Engine engine;
    DateRange range;
    DateParameterOptions options;
    const char *expected;
};

void PrintTo(const BindCase &c, std::ostream *os)
{
    *os << c.name;
}

class DateParameterLiterals : public testing::TestWithParam<BindCase>
{};

TEST_P(DateParameterLiterals, AreTheEnginesDateLiterals)
{
    const BindCase &c = GetParam();
    const auto dialect = db::Dialect::create(c.engine);
    const DateParameterBinding binding =
        bindDateParameters(u"where d >= :okres_od and d <= :okres_do"_s, c.range, *dialect, c.options);
    EXPECT_EQ(binding.commandText.toStdString(), std::string(c.expected));
}

const double May15 = day(2026, 5, 15);
const double May1 = day(2026, 5, 1);

INSTANTIATE_TEST_SUITE_P(
    Ranges, DateParameterLiterals,
    testing::Values(
        BindCase{"SqliteWholeDays",
                 db::Engine::SQLite,
                 {May1, May15 + db::DayTime::EndOfDay},
                 {},
                 "where d >= '2026-05-01' and d <= '2026-05-15 23:59:59'"},
        BindCase{"PostgresWholeDays",
                 db::Engine::PostgreSQL,
                 {May1 + 0.5, May15 + db::DayTime::EndOfDay},
                 {},
                 "where d >= date '2026-05-01' and d <= timestamp '2026-05-15 23:59:59'"},
        BindCase{"OpenEnd", db::Engine::SQLite, {May1, 0}, {}, "where d >= '2026-05-01' and d <= '4637-11-28'"},
        BindCase{"OpenEndOfASmallDate",
                 db::Engine::SQLite,
                 {May1, 0},
                 {false, {u"okres_do"_s}},
                 "where d >= '2026-05-01' and d <= '2079-06-06'"},
        BindCase{
            "NoStart", db::Engine::PostgreSQL, {0, 0}, {}, "where d >= date '1899-12-30' and d <= date '4637-11-28'"},
        BindCase{"MonthModeEndsWithTheMonth",
                 db::Engine::SQLite,
                 {May1, May15},
                 {true, {}},
                 "where d >= '2026-05-01' and d <= '2026-05-31 23:59:51'"}),
    [](const testing::TestParamInfo<BindCase> &info) { return std::string(info.param.name); });

TEST(DateParameterValues, StartIsThePickerDateAndAnOpenEndItsDayNumber)
{
    const auto dialect = db::Dialect::create(db::Engine::SQLite);
    const DateParameterBinding binding =
        bindDateParameters(u"where a >= :okres_od and a <= :okres_do and b <= :okres_do1"_s, {May1, 0}, *dialect,
                           {false, {u"okres_do1"_s}});
    ASSERT_EQ(binding.parameters.size(), 3);
    EXPECT_EQ(binding.parameters[0].value.toDateTime(), QDateTime(QDate(2026, 5, 1), QTime(0, 0)));
    EXPECT_EQ(binding.parameters[1].value.toInt(), db::DayTime::OpenEnd);
    EXPECT_EQ(binding.parameters[2].name, u"okres_do1"_s);
    EXPECT_EQ(binding.parameters[2].value.toInt(), db::DayTime::OpenEndSmallDate);
}

// ---- ktora_data -------------------------------------------------------------------------

TEST(DateColumnChoice, OffersDateFieldsWithATitledGridColumn)
{
    const QList<db::FieldDef> fields{
        {u"id"_s, QMetaType::Int},
        {u"data_wyst"_s, QMetaType::QDateTime},
        {u"termin"_s, QMetaType::QDate},
        {u"bez_kolumny"_s, QMetaType::QDateTime},
        {u"bez_tytulu"_s, QMetaType::QDateTime},
        {u"wyliczona"_s, QMetaType::QDateTime, 0, db::FieldKind::Calculated},
    };
    const QList<GridColumnInfo> grid{{u"DATA_WYST"_s, u"Resstrings_IDS_Data_wyst"_s},
                                     {u"termin"_s, u"Termin"_s},
                                     {u"bez_tytulu"_s, QString()},
                                     {u"wyliczona"_s, u"W"_s}};
    const Translate translate = [](const QString &key) {
        return key == QLatin1String("Resstrings_IDS_wedlug_skrot") ? u"wg"_s : u"Data wystawienia"_s;
    };
    const QList<DateColumnItem> items = dateColumnItems(fields, grid, translate);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].field, u"data_wyst"_s);
    EXPECT_EQ(items[0].text, u"wg Data wystawienia"_s);
    EXPECT_EQ(items[1].text, u"wg Termin"_s);
}

TEST(DateColumnChoice, PreselectsTheDefaultColumnAndHidesASingleChoice)
{
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

    std::vector<int> ids(const QString &base, const QString &column, const DateRange &range,
                         const DateParameterOptions &options = {}, int minId = 0)
    {
        db::Query query(&connection(), dateFilteredCommand(base, column, range, connection().dialect(), options));
        if (query.parameters().contains(u"min_id"_s))
            query.parameters().setValue(u"min_id"_s, minId);
        query.open();
        std::vector<int> result;
        for (query.first(); !query.eof(); query.next())
            result.push_back(query.value(0).toInt());
        return result;
    }

    const QString base =
        u"select id from dok_test\nwhere data_wyst >= :okres_od and data_wyst <= :okres_do order by id"_s;
};

TEST_P(DateFilteredCommand, AnEndWithoutTimeIncludesTheWholeLastDay)
{
    EXPECT_EQ(ids(base, QString(), {day(2026, 5, 1), day(2026, 5, 15)}), (std::vector<int>{2, 3, 4}));
}

TEST_P(DateFilteredCommand, AnEmptyEndIsOpenUpToItsDayNumber)
{
    EXPECT_EQ(ids(base, QString(), {day(2026, 5, 1), 0}), (std::vector<int>{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ids(base, QString(), {day(2026, 5, 1), 0}, {false, {u"okres_do"_s}}), (std::vector<int>{2, 3, 4, 5, 6}))
        << "a small date ends in 2079";
}

TEST_P(DateFilteredCommand, AllShowsEveryDatedRow)
{
    EXPECT_EQ(ids(base, QString(), {0, 0}), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST_P(DateFilteredCommand, TheChosenDateColumnReplacesTheDefaultOne)
{
    EXPECT_EQ(ids(base, u"termin"_s, {day(2026, 5, 1), day(2026, 5, 15)}), (std::vector<int>{3, 5, 8}));
}

TEST_P(DateFilteredCommand, EveryPairAndOtherParametersKeepTheirMeaning)
{
    const QString twoPairs =
        u"select id from dok_test where id >= :min_id and data_wyst >= :okres_od and data_wyst <= :okres_do "
        "union select id from dok_test where termin >= :okres_od1 and termin <= :okres_do1 order by id"_s;
    EXPECT_EQ(ids(twoPairs, QString(), {day(2026, 5, 15), day(2026, 5, 15)}), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(ids(twoPairs, QString(), {day(2026, 5, 15), day(2026, 5, 15)}, {}, 4), (std::vector<int>{4, 5}));
}

MALVO_INSTANTIATE_FOR_ENGINES(DateFilteredCommand);

} // namespace
