#include "dataset.h"

#include "connection.h"
#include "db_error.h"
#include "engine.h"
#include "filter_expression.h"
#include "joined_columns.h"
#include "sql_text.h"
#include "text_collation.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QScopeGuard>
#include <QTimer>
#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace db {

namespace {

struct SortField
{
    QString name;
    bool descending = false;
    int column = -1;
};

// "name ASC, [other name] desc"; throws DbError on malformed text.
std::vector<SortField> parseSort(const QString &text)
{
    std::vector<SortField> fields;
    if (text.trimmed().isEmpty())
        return fields;
    const QStringList items = text.split(QLatin1Char(','));
    for (qsizetype i = 0; i < items.size(); ++i) {
        QString item = items[i].trimmed();
        SortField field;
        if (item.startsWith(QLatin1Char('['))) {
            const qsizetype close = item.indexOf(QLatin1Char(']'));
            if (close < 0)
                throw DbError(QStringLiteral("Invalid sort \"%1\": unterminated field name in item %2")
                                  .arg(text, QString::number(i + 1)));
            field.name = item.mid(1, close - 1).trimmed();
            item = item.mid(close + 1).trimmed();
        } else {
            const qsizetype space = item.indexOf(QLatin1Char(' '));
            field.name = space < 0 ? item : item.left(space);
            item = space < 0 ? QString() : item.mid(space + 1).trimmed();
        }
        if (field.name.isEmpty())
            throw DbError(
                QStringLiteral("Invalid sort \"%1\": missing field name in item %2").arg(text, QString::number(i + 1)));
        if (item.compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0)
            field.descending = true;
        else if (!item.isEmpty() && item.compare(QLatin1String("asc"), Qt::CaseInsensitive) != 0)
            throw DbError(QStringLiteral("Invalid sort \"%1\": expected ASC or DESC after '%2' but found '%3'")
                              .arg(text, field.name, item));
        fields.push_back(field);
    }
    return fields;
}

template <typename Resolve>
void resolveSort(std::vector<SortField> &fields, const QString &text, Resolve resolve)
{
    for (SortField &f : fields) {
        f.column = resolve(f.name);
        if (f.column < 0)
            throw DbError(QStringLiteral("Invalid sort \"%1\": unknown field '%2'").arg(text, f.name));
    }
}

// A column's cells as ranks: equal cells share one, the ranks follow the
// order the user sees (Polish-aware for text) and 0 is null. Sorting then
// compares integers only, whatever the column holds.
using Ranks = std::vector<std::uint32_t>;

// Numbers sorted entries, equal neighbours alike, into ranks[of(entry)].
template <typename Entry, typename Same, typename Of>
void numberInOrder(const std::vector<Entry> &entries, Ranks &ranks, Same same, Of of)
{
    std::uint32_t rank = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || !same(entries[i - 1], entries[i]))
            ++rank;
        ranks[size_t(of(entries[i]))] = rank;
    }
}

template <typename Entry, typename Less, typename Same, typename Of>
void numberSorted(std::vector<Entry> &entries, Ranks &ranks, Less less, Same same, Of of)
{
    std::sort(entries.begin(), entries.end(), less);
    numberInOrder(entries, ranks, same, of);
}

struct TextEntry
{
    collation::SortPrefix prefix;
    int index;

    std::uint8_t byteAt(int at) const { return std::uint8_t(prefix.parts[at / 8] >> (56 - 8 * (at % 8))); }
};

// Sorts entries whose prefixes agree before byte `at`, a byte at a time, so
// that a million names take a few passes rather than twenty rounds of
// comparisons; small groups and whole prefixes alike go to `less`.
template <typename Less>
void sortByPrefix(TextEntry *first, TextEntry *last, int at, TextEntry *scratch, Less less)
{
    constexpr int SmallGroup = 64;
    constexpr int PrefixBytes = int(sizeof(collation::SortPrefix));
    while (last - first > SmallGroup && at < PrefixBytes) {
        std::array<size_t, 257> start{};
        for (const TextEntry *e = first; e != last; ++e)
            ++start[size_t(e->byteAt(at)) + 1];
        if (start[size_t(first->byteAt(at)) + 1] == size_t(last - first)) {
            ++at; // one byte for all: nothing to split
            continue;
        }
        for (size_t b = 1; b < start.size(); ++b)
            start[b] += start[b - 1];
        std::array<size_t, 256> next;
        std::copy_n(start.begin(), next.size(), next.begin());
        for (const TextEntry *e = first; e != last; ++e)
            scratch[next[e->byteAt(at)]++] = *e;
        std::copy(scratch, scratch + (last - first), first);
        for (size_t b = 0; b < 256; ++b)
            sortByPrefix(first + start[b], first + start[b + 1], at + 1, scratch + start[b], less);
        return;
    }
    std::sort(first, last, less);
}

// Text ranks through a prefix of each collation key, which orders most
// pairs without reading the text.
template <typename TextOf>
void rankTexts(int count, TextOf textOf, Ranks &ranks)
{
    std::vector<TextEntry> entries;
    entries.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        if (const std::optional<QStringView> text = textOf(i))
            entries.push_back({collation::sortPrefix(*text), i});
    const auto compare = [&textOf](const TextEntry &a, const TextEntry &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        return collation::compare(*textOf(a.index), *textOf(b.index));
    };
    const auto less = [&compare](const TextEntry &a, const TextEntry &b) { return compare(a, b) < 0; };
    std::vector<TextEntry> scratch(entries.size());
    sortByPrefix(entries.data(), entries.data() + entries.size(), 0, scratch.data(), less);
    numberInOrder(
        entries, ranks, [&compare](const TextEntry &a, const TextEntry &b) { return compare(a, b) == 0; },
        [](const TextEntry &e) { return e.index; });
}

Ranks rankColumn(const detail::Column &column, int rowCount)
{
    Ranks ranks(size_t(rowCount), 0);
    const QMetaType::Type type = column.type();
    if (column.store() == detail::Store::Int) {
        qint64 low = std::numeric_limits<qint64>::max();
        qint64 high = std::numeric_limits<qint64>::min();
        for (int r = 0; r < rowCount; ++r) {
            if (!column.isNull(r)) {
                low = std::min(low, column.intAt(r));
                high = std::max(high, column.intAt(r));
            }
        }
        // Ids and the like span less than 2^32: the value itself is the rank.
        if (low > high || quint64(high) - quint64(low) < std::numeric_limits<std::uint32_t>::max() - 1) {
            for (int r = 0; r < rowCount; ++r)
                if (!column.isNull(r))
                    ranks[size_t(r)] = std::uint32_t(column.intAt(r) - low + 1);
            return ranks;
        }
        std::vector<std::pair<qint64, int>> entries;
        for (int r = 0; r < rowCount; ++r)
            if (!column.isNull(r))
                entries.emplace_back(column.intAt(r), r);
        numberSorted(
            entries, ranks, std::less<>(), [](const auto &a, const auto &b) { return a.first == b.first; },
            [](const auto &e) { return e.second; });
    } else if (detail::Column::isNumericType(type) || detail::Column::isDateType(type)) {
        const bool date = detail::Column::isDateType(type);
        std::vector<std::pair<double, int>> entries;
        for (int r = 0; r < rowCount; ++r) {
            double value = 0;
            qint64 key = 0;
            if (date ? column.dateKeyAt(r, key) : column.numberAt(r, value))
                entries.emplace_back(date ? double(key) : value, r);
        }
        numberSorted(
            entries, ranks, std::less<>(), [](const auto &a, const auto &b) { return a.first == b.first; },
            [](const auto &e) { return e.second; });
    } else if (column.store() == detail::Store::Text && column.isDictionary()) {
        // Few distinct texts: rank them once and give each row its text's rank.
        Ranks byCode(size_t(column.distinctCount()), 0);
        rankTexts(
            column.distinctCount(), [&column](int code) { return std::optional(column.distinctText(code)); }, byCode);
        for (int r = 0; r < rowCount; ++r)
            if (!column.isNull(r))
                ranks[size_t(r)] = byCode[size_t(column.codeAt(r))];
    } else if (column.store() == detail::Store::Text) {
        rankTexts(
            rowCount, [&column](int r) { return column.isNull(r) ? std::nullopt : std::optional(column.textAt(r)); },
            ranks);
    } else {
        // Rare stores: the text shown, kept while ranking.
        std::vector<QString> texts;
        texts.resize(size_t(rowCount));
        for (int r = 0; r < rowCount; ++r)
            if (!column.isNull(r))
                texts[size_t(r)] = column.textOf(r);
        rankTexts(
            rowCount,
            [&column, &texts](int r) {
                return column.isNull(r) ? std::nullopt : std::optional(QStringView(texts[size_t(r)]));
            },
            ranks);
    }
    return ranks;
}

struct SortBy
{
    const Ranks *ranks;
    bool descending;
    // Nulls rank first, so descending puts them last.
    std::uint32_t at(int row) const
    {
        const std::uint32_t rank = (*ranks)[size_t(row)];
        return descending ? std::numeric_limits<std::uint32_t>::max() - rank : rank;
    }
};

// Orders the rows by the keys; equal rows keep their order. A stable
// counting pass per 16 bits of each key, the last key first: linear in the
// rows however many keys there are.
void sortRows(const std::vector<SortBy> &keys, std::vector<int> &rows)
{
    if (rows.empty())
        return;
    std::vector<int> scratch(rows.size());
    std::vector<size_t> start(size_t(1) << 16);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        for (const int shift : {0, 16}) {
            const auto digit = [&key, shift](int row) { return (key->at(row) >> shift) & 0xFFFF; };
            std::fill(start.begin(), start.end(), 0);
            for (const int row : rows)
                ++start[digit(row)];
            if (start[digit(rows.front())] == rows.size())
                continue; // one digit for all: the order stands
            size_t total = 0;
            for (size_t &s : start)
                total += std::exchange(s, total);
            for (const int row : rows)
                scratch[start[digit(row)]++] = row;
            rows.swap(scratch);
        }
    }
}

bool toNumber(const QVariant &value, double &out)
{
    bool ok = false;
    if (value.metaType().id() == QMetaType::QString)
        out = value.toString().trimmed().toDouble(&ok);
    else
        out = value.toDouble(&ok);
    return ok;
}

// The index of the named field; throws DbError when the rows lack it.
int fieldOf(const QList<FieldDef> &fields, const QString &name)
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    throw DbError(QStringLiteral("The rows have no field %1").arg(name));
}

} // namespace

struct DataSet::Impl
{
    QList<FieldDef> fields;
    std::vector<detail::Column> columns;
    int rowCount = 0;
    QList<FieldDef> calculated;
    std::vector<int> visible;
    std::vector<int> visibleOf; // row -> visible index or -1
    int current = -1;
    std::unique_ptr<filter::Node> filter;
    std::vector<SortField> sort;
    std::vector<SortField> baseSort; // resolved; empty when a field is missing
    QSet<Bookmark> bookmarks;
    bool pendingReset = false;
    // Derived from the cells on first use, per column.
    std::vector<std::unique_ptr<Ranks>> ranks;
    std::vector<std::unique_ptr<filter::FoldedColumn>> folded;
    std::unique_ptr<detail::RowReader> reader; // the rest of a result read in chunks
    // First rows from their own command: the command starts with the next chunk.
    bool restToStart = false;
    int restColumn = -1;
    QSet<qint64> restPassesOver;
    std::unique_ptr<detail::JoinedColumns> joined; // until the rows are all in
    int joinedKey = -1;
    int shownRows = 0; // rows already given their calculated fields and filter
    QTimer *nextChunk = nullptr;

    // Every change of cells or rows must come through here.
    void dropDerived()
    {
        ranks.clear();
        folded.clear();
    }

    const Ranks &ranksOf(int column)
    {
        ranks.resize(columns.size());
        if (!ranks[size_t(column)])
            ranks[size_t(column)] = std::make_unique<Ranks>(rankColumn(columns[size_t(column)], rowCount));
        return *ranks[size_t(column)];
    }

    const filter::FoldedColumn &foldedOf(int column)
    {
        folded.resize(columns.size());
        if (!folded[size_t(column)])
            folded[size_t(column)] = filter::fold(columns[size_t(column)], rowCount);
        return *folded[size_t(column)];
    }
};

namespace {

// A screen of rows at least, soon enough to feel instant.
constexpr int FirstChunkMinRows = 60;
constexpr int FirstChunkMs = 30;
// Each later chunk: short enough that the window stays responsive.
constexpr int ChunkMs = 25;

} // namespace

DataSet::DataSet(QObject *parent)
    : QObject(parent),
      d(std::make_unique<Impl>())
{}

DataSet::~DataSet()
{
    cancelFetch();
}

void DataSet::setCommandText(const QString &sql)
{
    m_commandText = sql;
    const QStringList names = sqltext::parse(sql).distinctNames();
    Parameters derived;
    for (const QString &name : names) {
        const int old = m_parameters.indexOf(name);
        if (old >= 0) {
            const Parameter &p = m_parameters.at(old);
            derived.add(name, p.type, p.direction, p.size).value = p.value;
        } else {
            derived.add(name, QMetaType::UnknownType);
        }
    }
    m_parameters = derived;
}

// ---- open / close -------------------------------------------------------------

void DataSet::open()
{
    if (!m_connection)
        throw DbError(QStringLiteral("The data set has no connection"));
    cancelFetch();
    emit beforeOpen(this);
    d->joined = m_joinedCommands.isEmpty() ? nullptr : std::make_unique<detail::JoinedColumns>(m_joinedCommands);
    const auto all = [](int) { return true; };
    // A filtered result shows no rows before they are all in to be filtered.
    if (!m_fetchInChunks || d->filter) {
        detail::FetchedRows fetched = detail::fetchRows(*m_connection, m_commandText, m_parameters);
        if (d->joined) {
            d->joined->read(*m_connection, m_parameters, all);
            joinRows(fetched);
            d->joined.reset();
        }
        install(std::move(fetched.fields), std::move(fetched.columns), fetched.rowCount);
        return;
    }
    detail::FetchedRows fetched;
    bool done = false;
    if (m_firstRowsCommand.isEmpty()) {
        if (d->joined)
            d->joined->read(*m_connection, m_parameters, all);
        auto reader = detail::startFetch(*m_connection, m_commandText, m_parameters, fetched);
        QElapsedTimer clock;
        clock.start();
        done = reader->read(fetched, [this, &clock](int rows) {
            return rows < m_firstChunkRows && (rows < FirstChunkMinRows || clock.elapsed() < FirstChunkMs);
        });
        if (d->joined)
            joinRows(fetched);
        if (!done)
            d->reader = std::move(reader);
    } else {
        fetched = detail::fetchRows(*m_connection, m_firstRowsCommand, m_parameters);
        done = fetched.rowCount < m_firstChunkRows;
        if (!done) {
            d->restColumn = fieldOf(fetched.fields, m_firstRowsKey);
            const detail::Column &keys = fetched.columns[size_t(d->restColumn)];
            for (int r = 0; r < fetched.rowCount; ++r)
                d->restPassesOver.insert(keys.value(r).toLongLong());
            d->restToStart = true;
        }
    }
    if (done)
        d->joined.reset();
    else {
        m_connection->setPendingFetch(this);
        if (!d->nextChunk) {
            d->nextChunk = new QTimer(this);
            d->nextChunk->setSingleShot(true);
            d->nextChunk->setInterval(0);
            connect(d->nextChunk, &QTimer::timeout, this, &DataSet::readChunk);
        }
        d->nextChunk->start();
    }
    install(std::move(fetched.fields), std::move(fetched.columns), fetched.rowCount);
}

// Rows read without the joined columns get them.
void DataSet::joinRows(detail::FetchedRows &rows)
{
    d->joinedKey = fieldOf(rows.fields, m_joinedKey);
    const int first = int(rows.fields.size());
    d->joined->addFields(rows);
    d->joined->fill(rows, d->joinedKey, first, 0);
}

bool DataSet::isFetching() const
{
    return d->reader || d->restToStart;
}

// Appends rows from the reader to the columns; true once the result has
// ended. Throws DbError with the columns whole.
bool DataSet::readRows(const std::function<bool(int)> &more)
{
    const qsizetype dataFields = d->fields.size() - d->calculated.size();
    if (d->restToStart) {
        // Held by no fetch while statements start: starting finishes a pending one.
        m_connection->setPendingFetch(nullptr);
        const auto held = qScopeGuard([this] { m_connection->setPendingFetch(this); });
        if (d->joined) {
            if (!d->joined->read(*m_connection, m_parameters, more))
                return false;
            d->joinedKey = fieldOf(d->fields, m_joinedKey);
        }
        d->restToStart = false;
        detail::FetchedRows rest;
        d->reader = detail::startFetch(*m_connection, m_commandText, m_parameters, rest);
        if (rest.fields.size() + (d->joined ? d->joined->fieldCount() : 0) != dataFields)
            throw DbError(QStringLiteral("The first rows and the rest have different fields"));
        d->reader->passOver(d->restColumn, std::exchange(d->restPassesOver, {}));
    }
    detail::FetchedRows target;
    target.fields = d->fields;
    target.rowCount = d->rowCount;
    std::swap(target.columns, d->columns);
    const auto restore = qScopeGuard([&] {
        if (d->joined)
            d->joined->fill(target, d->joinedKey, int(dataFields - d->joined->fieldCount()), d->rowCount);
        std::swap(target.columns, d->columns);
        for (qsizetype i = 0; i < dataFields; ++i)
            d->fields[i].type = target.fields[i].type;
        for (size_t c = size_t(dataFields); c < d->columns.size(); ++c)
            for (int r = d->rowCount; r < target.rowCount; ++r)
                d->columns[c].appendNull();
        d->rowCount = target.rowCount;
        d->dropDerived();
    });
    return d->reader->read(target, more);
}

void DataSet::readChunk()
{
    if (!isFetching())
        return;
    QElapsedTimer clock;
    clock.start();
    QString error;
    bool done = true;
    try {
        done = readRows([&clock](int rows) { return (rows & 63) != 0 || clock.elapsed() < ChunkMs; });
    } catch (const DbError &e) {
        error = e.message();
    }
    if (done)
        completeFetch(error);
    else {
        d->nextChunk->start();
        appendVisible();
    }
}

void DataSet::finishFetch()
{
    if (!isFetching())
        return;
    QString error;
    try {
        readRows([](int) { return true; });
    } catch (const DbError &e) {
        error = e.message();
    }
    completeFetch(error);
}

void DataSet::cancelFetch()
{
    if (!isFetching())
        return;
    d->nextChunk->stop();
    d->reader.reset();
    d->restToStart = false;
    d->restPassesOver.clear();
    d->joined.reset();
    if (m_connection && m_connection->pendingFetch() == this)
        m_connection->setPendingFetch(nullptr);
}

// Rows read since the last call become visible in the fetched order where
// the filters let them.
void DataSet::appendVisible()
{
    // Claimed first: a calculated field's handler may finish the fetch.
    const int from = d->shownRows;
    const int to = d->rowCount;
    d->shownRows = to;
    if (m_onCalcFields && !d->calculated.isEmpty()) {
        for (int r = from; r < to; ++r)
            m_onCalcFields(*this, r);
    }
    // A filter, set or kept, makes the open read everything at once, and
    // setting one finishes the fetch: rows read in chunks are all visible.
    const int first = recordCount();
    d->visibleOf.resize(size_t(d->rowCount), -1);
    for (int r = from; r < to; ++r) {
        d->visibleOf[size_t(r)] = recordCount();
        d->visible.push_back(r);
    }
    if (recordCount() == first)
        return;
    m_eof = false;
    if (controlsDisabled())
        d->pendingReset = true;
    else
        emit rowsAppended(first, recordCount() - 1);
    if (d->current < 0)
        moveTo(0, true, false);
}

void DataSet::completeFetch(const QString &error)
{
    cancelFetch();
    appendVisible();
    if (!d->sort.empty() || !d->baseSort.empty())
        refresh(bookmark());
    if (!error.isEmpty())
        emit fetchFailed(this, error);
    emit fetchComplete(this);
}

void DataSet::openFromRows(const QList<FieldDef> &fields, std::vector<std::vector<QVariant>> rows)
{
    std::vector<detail::Column> columns;
    columns.reserve(size_t(fields.size()));
    for (const FieldDef &f : fields) {
        columns.emplace_back(f.type, detail::Store::Variant);
        columns.back().reserve(int(rows.size()));
    }
    for (const auto &row : rows) {
        for (qsizetype c = 0; c < fields.size(); ++c)
            columns[size_t(c)].appendVariant(size_t(c) < row.size() ? row[size_t(c)] : QVariant());
    }
    install(fields, std::move(columns), int(rows.size()));
}

void DataSet::install(QList<FieldDef> fields, std::vector<detail::Column> columns, int rowCount)
{
    d->fields = std::move(fields);
    d->columns = std::move(columns);
    d->rowCount = rowCount;
    d->dropDerived();
    d->visible.clear();
    d->visibleOf.clear();
    d->current = -1;
    // Bookmarks of the previous result mean nothing in this one.
    d->bookmarks.clear();
    m_hasBookmarkFilter = false;
    for (FieldDef calc : d->calculated) {
        calc.kind = FieldKind::Calculated;
        d->fields.append(calc);
        d->columns.emplace_back(calc.type);
        for (int r = 0; r < rowCount; ++r)
            d->columns.back().appendNull();
    }
    m_active = true;

    // A filter or sort set before open may name fields this result lacks.
    QString problem;
    if (d->filter) {
        try {
            filter::bind(
                *d->filter, [this](const QString &name) { return fieldIndex(name); }, m_filterText);
        } catch (const DbError &e) {
            problem = e.message();
            d->filter.reset();
            m_filterText.clear();
        }
    }
    if (!d->sort.empty()) {
        try {
            resolveSort(d->sort, m_sortText, [this](const QString &name) { return fieldIndex(name); });
        } catch (const DbError &e) {
            problem = e.message();
            d->sort.clear();
            m_sortText.clear();
        }
    }
    resolveBaseSort();
    d->shownRows = rowCount;
    if (m_onCalcFields && !d->calculated.isEmpty()) {
        for (int r = 0; r < rowCount; ++r)
            m_onCalcFields(*this, r);
    }
    rebuildVisible();
    d->current = d->visible.empty() ? -1 : 0;
    m_bof = true;
    m_eof = d->visible.empty();
    notifyReset();
    emit afterOpen(this);
    emit afterScroll(this);
    if (!problem.isEmpty())
        throw DbError(problem);
}

void DataSet::close()
{
    cancelFetch();
    if (!m_active)
        return;
    d->fields.clear();
    d->columns.clear();
    d->rowCount = 0;
    d->dropDerived();
    d->visible.clear();
    d->visibleOf.clear();
    d->current = -1;
    m_active = false;
    m_bof = m_eof = true;
    notifyReset();
    emit afterClose(this);
}

// ---- fields -----------------------------------------------------------------

int DataSet::fieldCount() const
{
    return int(d->fields.size());
}

const FieldDef &DataSet::fieldDef(int index) const
{
    if (index < 0 || index >= d->fields.size())
        throw DbError(QStringLiteral("Field index %1 out of range").arg(index));
    return d->fields[index];
}

int DataSet::fieldIndex(const QString &name) const
{
    for (int i = 0; i < d->fields.size(); ++i) {
        if (d->fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void DataSet::addCalculatedField(const QString &name, QMetaType::Type type, int size)
{
    FieldDef field;
    field.name = name;
    field.type = type;
    field.size = size;
    field.kind = FieldKind::Calculated;
    for (FieldDef &existing : d->calculated) {
        if (existing.name.compare(name, Qt::CaseInsensitive) == 0) {
            existing = field;
            return;
        }
    }
    d->calculated.append(field);
}

int DataSet::checkedField(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw DbError(QStringLiteral("Unknown field %1").arg(name));
    return index;
}

int DataSet::currentRow() const
{
    if (!m_active)
        throw DbError(QStringLiteral("The data set is not open"));
    if (d->current < 0)
        throw DbError(QStringLiteral("The data set has no current row"));
    return d->visible[size_t(d->current)];
}

QVariant DataSet::value(const QString &field) const
{
    return value(checkedField(field));
}

QVariant DataSet::value(int fieldIndex) const
{
    const int row = currentRow();
    fieldDef(fieldIndex);
    return d->columns[size_t(fieldIndex)].value(row);
}

QString DataSet::displayText(const QString &field) const
{
    return displayText(checkedField(field));
}

QString DataSet::displayText(int fieldIndex) const
{
    return displayTextOf(value(fieldIndex), fieldDef(fieldIndex).type);
}

QVariant DataSet::valueAt(Bookmark row, int fieldIndex) const
{
    if (row < 0 || row >= d->rowCount)
        throw DbError(QStringLiteral("Bookmark %1 out of range").arg(row));
    fieldDef(fieldIndex);
    return d->columns[size_t(fieldIndex)].value(row);
}

void DataSet::setValueAt(Bookmark row, int fieldIndex, const QVariant &value)
{
    if (row < 0 || row >= d->rowCount)
        throw DbError(QStringLiteral("Bookmark %1 out of range").arg(row));
    fieldDef(fieldIndex);
    d->columns[size_t(fieldIndex)].set(row, value);
    d->dropDerived();
}

DataSet::FoldedTexts DataSet::foldedTexts(int fieldIndex) const
{
    fieldDef(fieldIndex);
    const filter::FoldedColumn &folded = d->foldedOf(fieldIndex);
    return {folded.text.constData(), folded.start.data()};
}

QString DataSet::displayTextOf(const QVariant &value, QMetaType::Type type)
{
    Q_UNUSED(type);
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray().toHex());
    default:
        return value.toString();
    }
}

// ---- navigation -----------------------------------------------------------------

int DataSet::recordCount() const
{
    return int(d->visible.size());
}

int DataSet::totalRowCount() const
{
    return d->rowCount;
}

int DataSet::recNo() const
{
    return d->current + 1;
}

void DataSet::moveTo(int visibleIndex, bool bof, bool eof)
{
    const bool changed = visibleIndex != d->current;
    d->current = visibleIndex;
    m_bof = bof;
    m_eof = eof;
    if (changed) {
        if (controlsDisabled())
            d->pendingReset = true;
        else
            emit currentRowChanged(visibleIndex);
    }
    emit afterScroll(this);
}

void DataSet::setRecNo(int recNo)
{
    if (d->visible.empty())
        return;
    const int index = std::clamp(recNo, 1, recordCount()) - 1;
    moveTo(index, false, false);
}

void DataSet::first()
{
    moveTo(d->visible.empty() ? -1 : 0, true, d->visible.empty());
}

void DataSet::last()
{
    finishFetch();
    moveTo(recordCount() - 1, d->visible.empty(), true);
}

void DataSet::next()
{
    if (d->current + 1 < recordCount())
        moveTo(d->current + 1, false, false);
    else
        m_eof = true;
}

void DataSet::prior()
{
    if (d->current > 0)
        moveTo(d->current - 1, false, false);
    else
        m_bof = true;
}

Bookmark DataSet::bookmark() const
{
    return d->current < 0 ? -1 : d->visible[size_t(d->current)];
}

Bookmark DataSet::bookmarkAt(int visibleIndex) const
{
    if (visibleIndex < 0 || visibleIndex >= recordCount())
        return -1;
    return d->visible[size_t(visibleIndex)];
}

int DataSet::visibleIndexOf(Bookmark bookmark) const
{
    if (bookmark < 0 || size_t(bookmark) >= d->visibleOf.size())
        return -1;
    return d->visibleOf[size_t(bookmark)];
}

bool DataSet::gotoBookmark(Bookmark bookmark)
{
    const int index = visibleIndexOf(bookmark);
    if (index < 0)
        return false;
    moveTo(index, false, false);
    return true;
}

bool DataSet::locate(const QString &field, const QVariant &value, LocateOptions options)
{
    if (!m_active)
        return false;
    finishFetch();
    const detail::Column &column = d->columns[size_t(checkedField(field))];
    const bool wantNull = !value.isValid() || value.isNull();
    const QString text = wantNull ? QString() : displayTextOf(value, QMetaType::Type(value.metaType().id()));
    double number = 0;
    const bool numeric =
        !wantNull && !options.partialKey && detail::Column::isNumericType(column.type()) && toNumber(value, number);
    qint64 dateKey = 0;
    bool dateValue = false;
    if (!wantNull && detail::Column::isDateType(column.type())) {
        if (value.metaType().id() == QMetaType::QDateTime) {
            dateKey = detail::dateKey(value.toDateTime().date(), value.toDateTime().time());
            dateValue = true;
        } else if (value.metaType().id() == QMetaType::QDate) {
            dateKey = detail::dateKey(value.toDate(), QTime(0, 0));
            dateValue = true;
        }
    }
    for (int i = 0; i < recordCount(); ++i) {
        const int row = d->visible[size_t(i)];
        bool match;
        if (column.isNull(row)) {
            match = wantNull;
        } else if (wantNull) {
            match = false;
        } else if (numeric) {
            double cell = 0;
            match = column.numberAt(row, cell) && cell == number;
        } else if (dateValue && !options.partialKey) {
            qint64 cell = 0;
            match = column.dateKeyAt(row, cell) && cell == dateKey;
        } else {
            const QString cell = column.textOf(row);
            if (options.partialKey)
                match = options.caseInsensitive ? collation::startsWith(cell, text) : cell.startsWith(text);
            else
                match = options.caseInsensitive ? collation::equal(cell, text) : cell == text;
        }
        if (match) {
            moveTo(i, false, false);
            return true;
        }
    }
    return false;
}

// ---- filter and sort ------------------------------------------------------------

void DataSet::setFilter(const QString &expression)
{
    finishFetch();
    std::unique_ptr<filter::Node> node;
    if (!expression.trimmed().isEmpty()) {
        node = filter::parse(expression);
        if (m_active)
            filter::bind(
                *node, [this](const QString &name) { return fieldIndex(name); }, expression);
    }
    d->filter = std::move(node);
    m_filterText = expression;
    refresh(-1);
}

void DataSet::setBookmarkFilter(const QSet<Bookmark> &bookmarks)
{
    finishFetch();
    d->bookmarks = bookmarks;
    m_hasBookmarkFilter = true;
    refresh(-1);
}

void DataSet::clearBookmarkFilter()
{
    finishFetch();
    d->bookmarks.clear();
    m_hasBookmarkFilter = false;
    refresh(-1);
}

void DataSet::setSort(const QString &sort)
{
    finishFetch();
    std::vector<SortField> fields = parseSort(sort);
    if (m_active)
        resolveSort(fields, sort, [this](const QString &name) { return fieldIndex(name); });
    d->sort = std::move(fields);
    m_sortText = sort;
    refresh(bookmark());
}

void DataSet::setBaseSort(const QString &sort)
{
    parseSort(sort); // malformed text throws before anything changes
    m_baseSortText = sort;
    if (m_active) {
        resolveBaseSort();
        refresh(bookmark());
    }
}

void DataSet::resolveBaseSort()
{
    d->baseSort.clear();
    std::vector<SortField> fields = parseSort(m_baseSortText);
    for (SortField &f : fields) {
        f.column = fieldIndex(f.name);
        if (f.column < 0)
            return;
    }
    d->baseSort = std::move(fields);
}

void DataSet::rebuildVisible()
{
    std::vector<int> &visible = d->visible;
    visible.clear();
    visible.reserve(size_t(d->rowCount));
    std::vector<std::uint8_t> matches;
    if (d->filter)
        filter::select(
            *d->filter, d->columns, d->rowCount,
            [this](int column) -> const filter::FoldedColumn & { return d->foldedOf(column); }, matches);
    for (int r = 0; r < d->rowCount; ++r) {
        if (m_hasBookmarkFilter && !d->bookmarks.contains(r))
            continue;
        if (d->filter && !matches[size_t(r)])
            continue;
        visible.push_back(r);
    }
    // Rows keep the fetched order until the last chunk is in.
    const std::vector<SortField> &sort = d->sort.empty() ? d->baseSort : d->sort;
    if (!sort.empty() && visible.size() > 1 && !isFetching()) {
        std::vector<SortBy> keys;
        keys.reserve(sort.size());
        for (const SortField &f : sort)
            keys.push_back({&d->ranksOf(f.column), f.descending});
        sortRows(keys, visible);
    }
    d->visibleOf.assign(size_t(d->rowCount), -1);
    for (size_t i = 0; i < visible.size(); ++i)
        d->visibleOf[size_t(visible[i])] = int(i);
}

// Rebuilds the visible rows, staying on `keep` when it is still visible.
void DataSet::refresh(Bookmark keep)
{
    if (!m_active)
        return;
    rebuildVisible();
    const int index = visibleIndexOf(keep);
    d->current = index >= 0 ? index : (d->visible.empty() ? -1 : 0);
    m_bof = d->current <= 0;
    m_eof = d->visible.empty();
    notifyReset();
    emit afterScroll(this);
}

// ---- controls -------------------------------------------------------------------

void DataSet::notifyReset()
{
    if (controlsDisabled())
        d->pendingReset = true;
    else
        emit rowsReset();
}

void DataSet::disableControls()
{
    ++m_disableCount;
}

void DataSet::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0 && d->pendingReset) {
        d->pendingReset = false;
        emit rowsReset();
    }
}

} // namespace db
