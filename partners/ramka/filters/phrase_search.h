#pragma once

#include "ramka/filters/filter_types.h"

#include "dataset.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace partners {

// KolumnyWyszukiwania entries: a column name, "#" first for integer columns.
inline constexpr QChar IntegerColumnMark = QLatin1Char('#');
bool isIntegerSearchColumn(const QString &entry);
QString searchColumnField(const QString &entry);

// Integer and text data fields that have a visible grid column of the same
// name and are not excluded; in field order.
QStringList eligibleSearchColumns(const QList<db::FieldDef> &fields, const QList<GridColumnInfo> &grid,
                                  const QStringList &excluded);

// A phrase of digits only that fits an int.
bool isNumericPhrase(const QString &phrase);

// DodatkowyWarunekFrazy: receives the phrase with apostrophes already doubled.
using ExtraPhraseCondition = std::function<QString(const QString &phrase)>;

// The phrase condition (an ADO filter expression evaluated on the loaded
// rows): "(id=123 or nazwa like '%123%' )"; "(id=0)" when only integer
// columns exist and the phrase is not a number; empty when there is nothing
// to search.
QString phraseCondition(const QString &phrase, const QStringList &kolumnyWyszukiwania,
                        const ExtraPhraseCondition &extra = {});

// The search-column choice of pmWyszWgFrazy: item 0 searches every eligible
// column; otherwise only the checked columns are searched.
class PhraseColumnsMenu
{
public:
    struct Item
    {
        QString entry; // KolumnyWyszukiwania entry ("#id", "nazwa")
        QString title; // the grid column's title
        bool integer = false;
        bool checked = false;
    };

    // Rebuilds the column items from the eligible columns, keeping the checks
    // of columns that remain.
    void rebuild(const QStringList &eligible, const QList<GridColumnInfo> &grid);
    bool isEmpty() const { return m_items.isEmpty(); }

    bool allColumns() const { return m_all; }
    const QList<Item> &items() const { return m_items; } // the items after item 0

    // Clicks a menu entry: 0 is "all columns", i is items()[i - 1]. Checking
    // "all" clears the column checks; unchecking the last column returns to "all".
    void toggle(int menuIndex);

    // KolumnyWyszukiwania for the current choice.
    QStringList searchColumns() const;

private:
    bool m_all = true;
    QList<Item> m_items;
};

} // namespace partners
