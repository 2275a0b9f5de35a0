#include "ramka/filters/filter_collector.h"
#include "ramka/filters/phrase_search.h"

#include "filters_test_rows.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;
using filterstest::visibleIds;

namespace {

// ---- the condition text ------------------------------------------------------------

struct PhraseCase
{
    const char *name;
    const char *phrase;
    QStringList columns;
    const char *expected;
};

void PrintTo(const PhraseCase &c, std::ostream *os)
{
    *os << c.name;
}

class PhraseConditionText : public testing::TestWithParam<PhraseCase>
{};

TEST_P(PhraseConditionText, IsBuiltAsDocumented)
{
    const PhraseCase &c = GetParam();
    EXPECT_EQ(phraseCondition(QString::fromUtf8(c.phrase), c.columns).toStdString(), std::string(c.expected));
}

const QStringList IdAndName{u"#id"_s, u"nazwa"_s};

INSTANTIATE_TEST_SUITE_P(
    Phrases, PhraseConditionText,
    testing::Values(PhraseCase{"NumberOnIntegerAndText", "123", IdAndName, "(id=123 or nazwa like '%123%' )"},
                    PhraseCase{"TextSkipsIntegerColumns", "abc", IdAndName, "(nazwa like '%abc%' )"},
                    PhraseCase{"ApostropheDoubled", "O'Brien", IdAndName, "(nazwa like '%O''Brien%' )"},
                    PhraseCase{"LeadingZerosGiveTheNumber", "0042", IdAndName, "(id=42 or nazwa like '%0042%' )"},
                    PhraseCase{"DigitsBeyondIntAreText", "99999999999", IdAndName, "(nazwa like '%99999999999%' )"},
                    PhraseCase{"OnlyIntegerColumnsMatchNothing", "abc", QStringList{u"#id"_s}, "(id=0)"},
                    PhraseCase{"OnlyIntegerColumnsWithANumber", "7", QStringList{u"#id"_s, u"#nr"_s}, "(id=7 or nr=7)"},
                    PhraseCase{"NoColumnsNoCondition", "abc", QStringList{}, ""},
                    PhraseCase{"EmptyPhraseNoCondition", "", IdAndName, ""},
                    PhraseCase{"TwoTextColumns", "Kraków", QStringList{u"nazwa"_s, u"miasto"_s},
                               "(nazwa like '%Kraków%'  or miasto like '%Kraków%' )"}),
    [](const testing::TestParamInfo<PhraseCase> &info) { return std::string(info.param.name); });

TEST(PhraseConditionExtra, IsJoinedWithOrAndGetsTheQuotedPhrase)
{
    QString received;
    const auto extra = [&received](const QString &phrase) {
        received = phrase;
        return u"nip like '%"_s + phrase + u"%'"_s;
    };
    EXPECT_EQ(phraseCondition(u"O'B"_s, {u"nazwa"_s}, extra), u"(nazwa like '%O''B%'  or nip like '%O''B%')"_s);
    EXPECT_EQ(received, u"O''B"_s);
    EXPECT_EQ(phraseCondition(u"x"_s, {u"#id"_s}, extra), u"(nip like '%x%')"_s)
        << "the hook rescues a phrase the integer columns cannot match";
    EXPECT_EQ(phraseCondition(u"x"_s, {u"#id"_s}, [](const QString &) { return QString(); }), u"(id=0)"_s);
}

// ---- which columns are searched -----------------------------------------------------------

TEST(SearchColumns, AreVisibleIntegerAndTextDataFields)
{
    const QList<db::FieldDef> fields{
        {u"id"_s, QMetaType::Int},
        {u"nazwa"_s, QMetaType::QString},
        {u"kwota"_s, QMetaType::Double},
        {u"data"_s, QMetaType::QDateTime},
        {u"ukryta"_s, QMetaType::QString},
        {u"bez_kolumny"_s, QMetaType::QString},
        {u"wykluczona"_s, QMetaType::QString},
        {u"wyliczona"_s, QMetaType::QString, 0, db::FieldKind::Calculated},
        {u"numer"_s, QMetaType::LongLong},
    };
    QList<GridColumnInfo> grid;
    for (const char *name : {"ID", "nazwa", "kwota", "data", "wykluczona", "wyliczona", "numer"})
        grid.append({QString::fromLatin1(name), QString::fromLatin1(name), true});
    grid.append({u"ukryta"_s, u"U"_s, false});
    EXPECT_EQ(eligibleSearchColumns(fields, grid, {u"WYKLUCZONA"_s}), (QStringList{u"#id"_s, u"nazwa"_s, u"#numer"_s}));
}

TEST(SearchColumnsMenu, SearchesAllUntilTheUserPicksColumns)
{
    PhraseColumnsMenu menu;
    const QList<GridColumnInfo> grid{{u"id"_s, u"Nr"_s}, {u"nazwa"_s, u"Nazwa"_s}, {u"nip"_s, u"NIP"_s}};
    menu.rebuild({u"#id"_s, u"nazwa"_s, u"nip"_s}, grid);
    EXPECT_TRUE(menu.allColumns());
    EXPECT_EQ(menu.searchColumns().size(), 3);
    EXPECT_TRUE(menu.items()[0].integer);
    EXPECT_EQ(menu.items()[0].title, u"Nr"_s);

    menu.toggle(2); // nazwa
    EXPECT_FALSE(menu.allColumns());
    EXPECT_EQ(menu.searchColumns(), QStringList{u"nazwa"_s});
    menu.toggle(3);
    EXPECT_EQ(menu.searchColumns(), (QStringList{u"nazwa"_s, u"nip"_s}));

    menu.rebuild({u"nazwa"_s, u"nip"_s}, grid);
    EXPECT_EQ(menu.searchColumns(), (QStringList{u"nazwa"_s, u"nip"_s})) << "checks survive a rebuild";

    menu.toggle(1);
    menu.toggle(2);
    EXPECT_TRUE(menu.allColumns()) << "unchecking the last column searches all again";

    menu.toggle(1);
    menu.toggle(0);
    EXPECT_TRUE(menu.allColumns());
    EXPECT_FALSE(menu.items()[0].checked);
}

// ---- the condition on loaded rows ----------------------------------------------------------

class PhraseOnRows : public testing::Test
{
protected:
    void SetUp() override
    {
        const QList<db::FieldDef> fields{{u"id"_s, QMetaType::Int}, {u"nazwa"_s, QMetaType::QString}};
        std::vector<std::vector<QVariant>> rows{
            {1, u"O'Brien Logistics"_s}, {2, u"Smith & Co"_s}, {3, u"Transport 123"_s},
            {123, u"Żuraw"_s},           {5, QVariant()},      {6, u"o'brien"_s},
        };
        dataSet.openFromRows(fields, std::move(rows));
    }

    std::vector<int> search(const QString &phrase, const QStringList &columns = IdAndName)
    {
        collector.setPhrase(phraseCondition(phrase, columns), phrase);
        collector.apply(dataSet);
        return visibleIds(dataSet);
    }

    db::DataSet dataSet;
    TFilterCollector collector;
};

TEST_F(PhraseOnRows, AnApostropheFindsTheRowRegardlessOfCase)
{
    EXPECT_EQ(search(u"O'Brien"_s), (std::vector<int>{1, 6}));
}

TEST_F(PhraseOnRows, ANumberMatchesTheIdAndTheText)
{
    EXPECT_EQ(search(u"123"_s), (std::vector<int>{3, 123}));
}

TEST_F(PhraseOnRows, PolishLettersMatchCaseInsensitively)
{
    EXPECT_EQ(search(u"żur"_s), (std::vector<int>{123}));
}

TEST_F(PhraseOnRows, NothingMatchesGivesNoRows)
{
    EXPECT_TRUE(search(u"zzz"_s).empty());
    EXPECT_TRUE(search(u"abc"_s, {u"#id"_s}).empty());
}

} // namespace
