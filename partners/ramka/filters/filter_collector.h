#pragma once

#include "ramka/filters/combo_filtr.h"

#include "dataset.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace partners {

// The in-memory filter of a list (FiltrListy): the phrase condition, the
// column-value filters in their activation order, the sort string and an
// optional row test of a derived frame, applied together to a data set.
class TFilterCollector
{
public:
    // A derived frame's test of a row; false hides it.
    using RowAcceptor = std::function<bool(const db::DataSet &, db::Bookmark)>;
    // The text a column shows for a row (the grid's formats); the data set's
    // plain display text by default.
    using DisplayText = std::function<QString(const db::DataSet &, db::Bookmark, int fieldIndex)>;

    enum class ListChange { None, Activated, MovedToEnd, Deactivated };

    TFilterCollector();
    ~TFilterCollector();
    TFilterCollector(const TFilterCollector &) = delete;
    TFilterCollector &operator=(const TFilterCollector &) = delete;

    // ---- column filters (UtworzFiltryKolumn) ----
    // One per grid column, in grid order. References stay valid until clearFilters().
    TComboFiltr &addFilter(const QString &field, TComboFiltr::ValueSource source = {});
    void clearFilters();
    int filterCount() const { return int(m_filters.size()); }
    TComboFiltr &filter(int index) { return *m_filters[size_t(index)]; }
    const TComboFiltr &filter(int index) const { return *m_filters[size_t(index)]; }
    int indexOf(const QString &field) const; // case-insensitive; -1 when none
    // Follows a grid column that the user dragged.
    void moveFilter(int from, int to);

    // For the usunfiltry button and the title colours.
    bool anyActive() const;
    int activeCount() const;
    // Indexes of the active filters in activation order.
    QList<int> activeInOrder() const;

    // ---- phrase, sort, derived frame ----
    void setPhrase(const QString &condition, const QString &phrase);
    void clearPhrase() { setPhrase(QString(), QString()); }
    const QString &phraseCondition() const { return m_phraseCondition; }
    const QString &phraseText() const { return m_phraseText; }
    void setSort(const QString &sort) { m_sort = sort; }
    const QString &sort() const { return m_sort; }
    // afterApply is told once the rows are in place.
    void setRowAcceptor(RowAcceptor accept, std::function<void()> afterApply = {});
    void setDisplayText(DisplayText displayText) { m_displayText = std::move(displayText); }

    // ---- applying ----
    // Gives the data set the sort, the phrase expression and a bookmark filter
    // of the rows every active column filter (and the row test) lets through,
    // then goes to the first row. Nothing happens to a closed data set.
    // Throws db::DbError for a malformed phrase condition (the earlier one stays).
    void apply(db::DataSet &dataSet);

    // ---- a column's drop-down ----
    // Fills the filter's values from the loaded rows when they are out of date:
    // an active filter offers the values of rows that pass the filters
    // activated before it, an inactive one those of the rows shown.
    void prepareList(db::DataSet &dataSet, int index);
    QList<TComboFiltr::Entry> entries(db::DataSet &dataSet, int index, const TComboFiltr::Labels &labels);
    // The list was closed (ComboFiltrMouseUp): activates, reorders or switches
    // off the filter by its checked values, and applies when anything changed.
    ListChange listClosed(db::DataSet &dataSet, int index);
    // usunfiltry: every filter off (all values checked again); applies to an open data set.
    void removeAll(db::DataSet *dataSet);
    // Before a reopen: every value list is rebuilt when next shown.
    void markAllForRebuild();

private:
    QString valueOf(const db::DataSet &dataSet, db::Bookmark row, const TComboFiltr &filter, int fieldIndex) const;
    void deactivate(TComboFiltr &filter);

    std::vector<std::unique_ptr<TComboFiltr>> m_filters;
    QString m_phraseCondition;
    QString m_phraseText;
    QString m_sort;
    RowAcceptor m_accept;
    std::function<void()> m_afterApply;
    DisplayText m_displayText;
    // Per row (bookmark) of the last apply: how many active filters in order
    // it passes; -1 when the phrase or the row test hides it.
    std::vector<int> m_passLevel;
};

} // namespace partners
