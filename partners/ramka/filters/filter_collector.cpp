#include "ramka/filters/filter_collector.h"

#include "db_error.h"
#include "host_funcs.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace partners {

namespace {

class ControlsDisabled
{
public:
    explicit ControlsDisabled(db::DataSet &dataSet)
        : m_dataSet(dataSet)
    {
        m_dataSet.disableControls();
    }
    ~ControlsDisabled() { m_dataSet.enableControls(); }
    ControlsDisabled(const ControlsDisabled &) = delete;
    ControlsDisabled &operator=(const ControlsDisabled &) = delete;

private:
    db::DataSet &m_dataSet;
};

} // namespace

TFilterCollector::TFilterCollector() = default;
TFilterCollector::~TFilterCollector() = default;

TComboFiltr &TFilterCollector::addFilter(const QString &field, TComboFiltr::ValueSource source)
{
    m_filters.push_back(std::make_unique<TComboFiltr>(field, std::move(source)));
    return *m_filters.back();
}

void TFilterCollector::clearFilters()
{
    m_filters.clear();
}

int TFilterCollector::indexOf(const QString &field) const
{
    for (size_t i = 0; i < m_filters.size(); ++i) {
        if (m_filters[i]->field().compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void TFilterCollector::moveFilter(int from, int to)
{
    const int count = filterCount();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    auto moved = std::move(m_filters[size_t(from)]);
    m_filters.erase(m_filters.begin() + from);
    m_filters.insert(m_filters.begin() + to, std::move(moved));
}

bool TFilterCollector::anyActive() const
{
    return activeCount() > 0;
}

int TFilterCollector::activeCount() const
{
    return int(std::count_if(m_filters.begin(), m_filters.end(), [](const auto &f) { return f->isActive(); }));
}

QList<int> TFilterCollector::activeInOrder() const
{
    QList<int> indexes;
    for (size_t i = 0; i < m_filters.size(); ++i) {
        if (m_filters[i]->isActive())
            indexes.append(int(i));
    }
    std::sort(indexes.begin(), indexes.end(),
              [this](int a, int b) { return m_filters[size_t(a)]->order() < m_filters[size_t(b)]->order(); });
    return indexes;
}

void TFilterCollector::setPhrase(const QString &condition, const QString &phrase)
{
    m_phraseCondition = condition;
    m_phraseText = phrase;
}

void TFilterCollector::setRowAcceptor(RowAcceptor accept, std::function<void()> afterApply)
{
    m_accept = std::move(accept);
    m_afterApply = std::move(afterApply);
}

QString TFilterCollector::valueOf(const db::DataSet &dataSet, db::Bookmark row, const TComboFiltr &filter,
                                  int fieldIndex) const
{
    if (filter.m_source)
        return filter.m_source(dataSet, row);
    if (fieldIndex < 0)
        return QString();
    if (m_displayText)
        return m_displayText(dataSet, row, fieldIndex);
    return db::DataSet::displayTextOf(dataSet.valueAt(row, fieldIndex), dataSet.fieldDef(fieldIndex).type);
}

void TFilterCollector::apply(db::DataSet &dataSet)
{
    if (!dataSet.isActive())
        return;
    // Pass levels and kept rows are of every row.
    dataSet.finishFetch();
    {
        ControlsDisabled quiet(dataSet);
        if (dataSet.sort() != m_sort) {
            try {
                dataSet.setSort(m_sort);
            } catch (const db::DbError &error) {
                // A stored sort may name a column the list no longer has.
                host::save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("TFilterCollector::apply"), __LINE__,
                                       QStringLiteral("CATCH ") + error.message());
                m_sort.clear();
                dataSet.setSort(QString());
            }
        }
        if (dataSet.filter() != m_phraseCondition)
            dataSet.setFilter(m_phraseCondition);
        if (dataSet.hasBookmarkFilter())
            dataSet.clearBookmarkFilter();

        struct ActiveFilter
        {
            const TComboFiltr *filter;
            int fieldIndex;
            QSet<QString> unchecked;
        };
        std::vector<ActiveFilter> active;
        for (int index : activeInOrder()) {
            const TComboFiltr &f = filter(index);
            ActiveFilter a{&f, f.m_source ? -1 : dataSet.fieldIndex(f.field()), {}};
            for (const auto &[value, pozycja] : f.pozycje()) {
                if (!pozycja.checked)
                    a.unchecked.insert(value);
            }
            active.push_back(std::move(a));
        }

        const int rows = dataSet.recordCount();
        m_passLevel.assign(size_t(dataSet.totalRowCount()), -1);
        QSet<db::Bookmark> kept;
        kept.reserve(rows);
        for (int i = 0; i < rows; ++i) {
            const db::Bookmark row = dataSet.bookmarkAt(i);
            if (m_accept && !m_accept(dataSet, row))
                continue;
            int level = 0;
            for (const ActiveFilter &a : active) {
                if (a.unchecked.contains(valueOf(dataSet, row, *a.filter, a.fieldIndex)))
                    break;
                ++level;
            }
            m_passLevel[size_t(row)] = level;
            if (level == int(active.size()))
                kept.insert(row);
        }
        if (!active.empty() || m_accept)
            dataSet.setBookmarkFilter(kept);
        for (auto &f : m_filters)
            f->m_needsRebuild = true;
    }
    dataSet.first();
    if (m_afterApply)
        m_afterApply();
}

void TFilterCollector::prepareList(db::DataSet &dataSet, int index)
{
    if (index < 0 || index >= filterCount() || !dataSet.isActive())
        return;
    dataSet.finishFetch();
    if (m_passLevel.size() != size_t(dataSet.totalRowCount()))
        apply(dataSet);
    TComboFiltr &f = filter(index);
    if (!f.m_needsRebuild)
        return;
    for (auto &entry : f.m_pozycje) {
        entry.second.inList = false;
        entry.second.afterEarlierFilters = false;
    }
    const int threshold = f.isActive() ? f.order() - 1 : activeCount();
    const int fieldIndex = f.m_source ? -1 : dataSet.fieldIndex(f.field());
    QHash<QString, TComboFiltr::TComboFiltrPozycja *> seen;
    const int total = dataSet.totalRowCount();
    for (db::Bookmark row = 0; row < total; ++row) {
        const QString value = valueOf(dataSet, row, f, fieldIndex);
        auto it = seen.find(value);
        if (it == seen.end())
            it = seen.insert(value, &f.m_pozycje[value]);
        TComboFiltr::TComboFiltrPozycja &pozycja = **it;
        pozycja.inList = true;
        if (m_passLevel[size_t(row)] >= threshold)
            pozycja.afterEarlierFilters = true;
    }
    f.m_needsRebuild = false;
}

QList<TComboFiltr::Entry> TFilterCollector::entries(db::DataSet &dataSet, int index, const TComboFiltr::Labels &labels)
{
    prepareList(dataSet, index);
    if (index < 0 || index >= filterCount())
        return {};
    return filter(index).entries(labels);
}

void TFilterCollector::deactivate(TComboFiltr &f)
{
    const int order = f.m_order;
    f.m_order = 0;
    for (auto &other : m_filters) {
        if (other->m_order > order)
            --other->m_order;
    }
    f.resetChecks();
}

TFilterCollector::ListChange TFilterCollector::listClosed(db::DataSet &dataSet, int index)
{
    if (index < 0 || index >= filterCount())
        return ListChange::None;
    TComboFiltr &f = filter(index);
    const int checked = f.checkedOfferedCount();
    const bool partial = checked > 0 && checked < f.offeredCount();
    ListChange change = ListChange::None;
    if (partial) {
        if (!f.isActive()) {
            f.m_order = activeCount() + 1;
            change = ListChange::Activated;
        } else {
            const int count = activeCount();
            for (auto &other : m_filters) {
                if (other->m_order > f.m_order)
                    --other->m_order;
            }
            f.m_order = count;
            change = ListChange::MovedToEnd;
        }
    } else if (f.isActive()) {
        deactivate(f);
        change = ListChange::Deactivated;
    } else {
        // Nothing checked on an inactive filter shows everything, so show it checked.
        f.resetChecks();
    }
    if (change != ListChange::None)
        apply(dataSet);
    return change;
}

void TFilterCollector::removeAll(db::DataSet *dataSet)
{
    for (auto &f : m_filters) {
        f->m_order = 0;
        f->resetChecks();
    }
    if (dataSet && dataSet->isActive())
        apply(*dataSet);
    else
        markAllForRebuild();
}

void TFilterCollector::markAllForRebuild()
{
    for (auto &f : m_filters)
        f->m_needsRebuild = true;
}

} // namespace partners
