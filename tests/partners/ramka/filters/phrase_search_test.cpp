#include "ramka/filters/phrase_search.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

const QStringList IdAndName{u"#id"_s, u"nazwa"_s};

TEST(PhraseCondition, IsBuiltFromTheColumnsByTheirKindAndTheFramesHook)
{
    const struct
    {
        const char *phrase;
        QStringList columns;
        const char *expected;
    } cases[] = {
        {"123", IdAndName, "(id=123 or nazwa like '%123%' )"},
        {"abc", IdAndName, "(nazwa like '%abc%' )"},
        {"0042", IdAndName, "(id=42 or nazwa like '%0042%' )"},
        {"99999999999", IdAndName, "(nazwa like '%99999999999%' )"},
        {"abc", {u"#id"_s}, "(id=0)"},
        {"7", {u"#id"_s, u"#nr"_s}, "(id=7 or nr=7)"},
        {"abc", {}, ""},
        {"", IdAndName, ""},
        {"Kraków", {u"nazwa"_s, u"miasto"_s}, "(nazwa like '%Kraków%'  or miasto like '%Kraków%' )"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(phraseCondition(QString::fromUtf8(c.phrase), c.columns).toStdString(), std::string(c.expected));
    }

    // A hook of the frame is joined with or and gets the quoted phrase.
    const auto extra = [](const QString &phrase) { return u"nip like '%"_s + phrase + u"%'"_s; };
    EXPECT_EQ(phraseCondition(u"O'B"_s, {u"nazwa"_s}, extra), u"(nazwa like '%O''B%'  or nip like '%O''B%')"_s);
    EXPECT_EQ(phraseCondition(u"x"_s, {u"#id"_s}, extra), u"(nip like '%x%')"_s)
        << "the hook rescues a phrase the integer columns cannot match";
    EXPECT_EQ(phraseCondition(u"x"_s, {u"#id"_s}, [](const QString &) { return QString(); }), u"(id=0)"_s);
}

// ---- which columns are searched -----------------------------------------------------------

TEST(SearchColumns, AreVisibleIntegerAndTextDataFields)
{
    const QList<db::FieldDef> fields{{"id", QMetaType::Int},
                                     {"nazwa", QMetaType::QString},
                                     {"kwota", QMetaType::Double},
                                     {"data", QMetaType::QDateTime},
                                     {"ukryta", QMetaType::QString},
                                     {"bez_kolumny", QMetaType::QString},
                                     {"wykluczona", QMetaType::QString},
                                     {"wyliczona", QMetaType::QString, 0, db::FieldKind::Calculated},
                                     {"numer", QMetaType::LongLong}};
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

} // namespace
