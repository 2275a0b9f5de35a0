#pragma once

#include "ramka/filters/filter_types.h"

#include "dataset.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

namespace partners {

class TFilterCollector;

// A column-value filter: which display values of one grid column are shown.
class TComboFiltr
{
public:
    struct TComboFiltrPozycja
    {
        bool checked = true;
        bool inList = false;              // occurs among the loaded rows
        bool afterEarlierFilters = false; // occurs in rows that pass the filters activated before this one
    };
    using Pozycje = std::map<QString, TComboFiltrPozycja>;

    // The value of a row for a column that is no plain field (the selection column).
    using ValueSource = std::function<QString(const db::DataSet &, db::Bookmark)>;

    // One line of the drop-down list.
    struct Entry
    {
        enum class Kind { CheckAll, UncheckAll, Value };
        Kind kind = Kind::Value;
        QString text;  // as shown: "(Zaznacz wszystko)", "(Puste)", the value
        QString value; // the display value (Value entries only)
        bool checked = false;
    };

    struct Labels
    {
        QString checkAll; // "(" + Zaznacz_wszystko + ")"
        QString uncheckAll;
        QString empty; // "(" + Puste + ")"
        static Labels from(const Translate &translate);
    };

    explicit TComboFiltr(QString field, ValueSource source = {});

    const QString &field() const { return m_field; }
    bool hasValueSource() const { return bool(m_source); }
    bool isActive() const { return m_order > 0; }
    int order() const { return m_order; } // 1..n among the active filters; 0 when inactive
    bool needsRebuild() const { return m_needsRebuild; }
    const Pozycje &pozycje() const { return m_pozycje; }

    // The values the list offers, in map order.
    QStringList offeredValues() const;
    int offeredCount() const;
    int checkedOfferedCount() const;
    // Entries of the list: check all, uncheck all, then the offered values.
    QList<Entry> entries(const Labels &labels) const;

    // The user's clicks in the list. Values never seen are added.
    void setChecked(const QString &value, bool checked);
    void toggle(const QString &value);
    void click(const Entry &entry);
    void checkAllOffered();
    void uncheckAllOffered();

    // Whether a row with this display value passes (unknown values pass).
    bool passes(const QString &value) const;

private:
    friend class TFilterCollector;
    void resetChecks();

    QString m_field;
    ValueSource m_source;
    Pozycje m_pozycje;
    int m_order = 0;
    bool m_needsRebuild = true;
};

} // namespace partners
