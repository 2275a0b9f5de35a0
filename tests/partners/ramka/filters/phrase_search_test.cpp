#include "ramka/filters/filter_collector.h"
#include "ramka/filters/phrase_search.h"

#include "filters_test_rows.h"

#include <gtest/gtest.h>

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

const QStringList IdAndName{QStringLiteral("#id"), QStringLiteral("nazwa")};

INSTANTIATE_TEST_SUITE_P(
    Phrases, PhraseConditionText,
    testing::Values(PhraseCase{"NumberOnIntegerAndText", "123", IdAndName, "(id=123 or nazwa like '%123%' )"},
                    PhraseCase{"TextSkipsIntegerColumns", "abc", IdAndName, "(nazwa like '%abc%' )"},
                    PhraseCase{"ApostropheDoubled", "O'Brien", IdAndName, "(nazwa like '%O''Brien%' )"},
                    PhraseCase{"LeadingZerosGiveTheNumber", "0042", IdAndName, "(id=42 or nazwa like '%0042%' )"},
                    PhraseCase{"DigitsBeyondIntAreText", "99999999999", IdAndName, "(nazwa like '%99999999999%' )"},
                    PhraseCase{"OnlyIntegerColumnsMatchNothing", "abc", QStringList{QStringLiteral("#id")}, "(id=0)"},
                    PhraseCase{"OnlyIntegerColumnsWithANumber", "7",
                               QStringList{QStringLiteral("#id"), QStringLiteral("#nr")}, "(id=7 or nr=7)"},
                    PhraseCase{"NoColumnsNoCondition", "abc", QStringList{}, ""},
                    PhraseCase{"EmptyPhraseNoCondition", "", IdAndName, ""},
                    PhraseCase{"TwoTextColumns", "Kraków",
                               QStringList{QStringLiteral("nazwa"), QStringLiteral("miasto")},
                               "(nazwa like '%Kraków%'  or miasto like '%Kraków%' )"}),
    [](const testing::TestParamInfo<PhraseCase> &info) { return std::string(info.param.name); });

TEST(PhraseConditionExtra, IsJoinedWithOrAndGetsTheQuotedPhrase)
{
    QString received;
    const auto extra = [&received](const QString &phrase) {
        received = phrase;
        return QStringLiteral("nip like '%") + phrase + QStringLiteral("%'");
    };
    EXPECT_EQ(phraseCondition(QStringLiteral("O'B"), {QStringLiteral("nazwa")}, extra),
              QStringLiteral("(nazwa like '%O''B%'  or nip like '%O''B%')"));
    EXPECT_EQ(received, QStringLiteral("O''B"));
    EXPECT_EQ(phraseCondition(QStringLiteral("x"), {QStringLiteral("#id")}, extra), QStringLiteral("(nip like '%x%')"))
        << "the hook rescues a phrase the integer columns cannot match";
    EXPECT_EQ(phraseCondition(QStringLiteral("x"), {QStringLiteral("#id")}, [](const QString &) { return QString(); }),
              QStringLiteral("(id=0)"));
}

// ---- which columns are searched -----------------------------------------------------------

TEST(SearchColumns, AreVisibleIntegerAndTextDataFields)
{
    const QList<db::FieldDef> fields{
        {QStringLiteral("id"), QMetaType::Int},
        {QStringLiteral("nazwa"), QMetaType::QString},
        {QStringLiteral("kwota"), QMetaType::Double},
        {QStringLiteral("data"), QMetaType::QDateTime},
        {QStringLiteral("ukryta"), QMetaType::QString},
        {QStringLiteral("bez_kolumny"), QMetaType::QString},
        {QStringLiteral("wykluczona"), QMetaType::QString},
        {QStringLiteral("wyliczona"), QMetaType::QString, 0, db::FieldKind::Calculated},
        {QStringLiteral("numer"), QMetaType::LongLong},
    };
    QList<GridColumnInfo> grid;
    for (const char *name : {"ID", "nazwa", "kwota", "data", "wykluczona", "wyliczona", "numer"})
        grid.append({QString::fromLatin1(name), QString::fromLatin1(name), true});
    grid.append({QStringLiteral("ukryta"), QStringLiteral("U"), false});
    EXPECT_EQ(eligibleSearchColumns(fields, grid, {QStringLiteral("WYKLUCZONA")}),
              (QStringList{QStringLiteral("#id"), QStringLiteral("nazwa"), QStringLiteral("#numer")}));
}

TEST(SearchColumnsMenu, SearchesAllUntilTheUserPicksColumns)
{
    PhraseColumnsMenu menu;
    const QList<GridColumnInfo> grid{{QStringLiteral("id"), QStringLiteral("Nr")},
                                     {QStringLiteral("nazwa"), QStringLiteral("Nazwa")},
                                     {QStringLiteral("nip"), QStringLiteral("NIP")}};
    menu.rebuild({QStringLiteral("#id"), QStringLiteral("nazwa"), QStringLiteral("nip")}, grid);
    EXPECT_TRUE(menu.allColumns());
    EXPECT_EQ(menu.searchColumns().size(), 3);
    EXPECT_TRUE(menu.items()[0].integer);
    EXPECT_EQ(menu.items()[0].title, QStringLiteral("Nr"));

    menu.toggle(2); // nazwa
    EXPECT_FALSE(menu.allColumns());
    EXPECT_EQ(menu.searchColumns(), QStringList{QStringLiteral("nazwa")});
    menu.toggle(3);
    EXPECT_EQ(menu.searchColumns(), (QStringList{QStringLiteral("nazwa"), QStringLiteral("nip")}));

    menu.rebuild({QStringLiteral("nazwa"), QStringLiteral("nip")}, grid);
    EXPECT_EQ(menu.searchColumns(), (QStringList{QStringLiteral("nazwa"), QStringLiteral("nip")}))
        << "checks survive a rebuild";

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
        const QList<db::FieldDef> fields{{QStringLiteral("id"), QMetaType::Int},
                                         {QStringLiteral("nazwa"), QMetaType::QString}};
        std::vector<std::vector<QVariant>> rows{
            {1, QStringLiteral("O'Brien Logistics")},
            {2, QStringLiteral("Smith & Co")},
            {3, QStringLiteral("Transport 123")},
            {123, QStringLiteral("Żuraw")},
            {5, QVariant()},
            {6, QStringLiteral("o'brien")},
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
    EXPECT_EQ(search(QStringLiteral("O'Brien")), (std::vector<int>{1, 6}));
}

TEST_F(PhraseOnRows, ANumberMatchesTheIdAndTheText)
{
    EXPECT_EQ(search(QStringLiteral("123")), (std::vector<int>{3, 123}));
}

TEST_F(PhraseOnRows, PolishLettersMatchCaseInsensitively)
{
    EXPECT_EQ(search(QStringLiteral("żur")), (std::vector<int>{123}));
}

TEST_F(PhraseOnRows, NothingMatchesGivesNoRows)
{
    EXPECT_TRUE(search(QStringLiteral("zzz")).empty());
    EXPECT_TRUE(search(QStringLiteral("abc"), {QStringLiteral("#id")}).empty());
}

} // namespace
