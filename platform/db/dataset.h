#pragma once

#include "db_export.h"
#include "field_type.h"
#include "parameters.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace db {

class Connection;
namespace detail {
class Column;
struct FetchedRows;
} // namespace detail

enum class FieldKind { Data, Calculated };

struct MALVO_DB_EXPORT FieldDef
{
    QString name;
    QMetaType::Type type =
        QMetaType::QString; // Int, LongLong, Double, QString, QDateTime, QDate, QTime, Bool, QByteArray
    int size = 0;           // text width where known
    FieldKind kind = FieldKind::Data;
};

// A bookmark is the position of a row among all rows fetched, stable across
// filtering and sorting until the data set is reopened.
using Bookmark = int;

struct LocateOptions
{
    bool partialKey = false; // value is a prefix of the field text
    bool caseInsensitive = true;
};

// All rows of a result held client-side, with a current row, an ADO-style
// filter expression, a sort string, a bookmark filter and calculated fields.
// Also the holder of the command that produces it (text + :name parameters),
// as the list frame rewrites the command text before each open.
class MALVO_DB_EXPORT DataSet : public QObject
{
    Q_OBJECT
public:
    explicit DataSet(QObject *parent = nullptr);
    ~DataSet() override;

    // --- command -----------------------------------------------------------
    void setConnection(Connection *connection) { m_connection = connection; }
    Connection *connection() const { return m_connection; }
    // Setting the text re-derives the parameter list from its :name
    // placeholders, keeping values and types of parameters that remain.
    void setCommandText(const QString &sql);
    const QString &commandText() const { return m_commandText; }
    Parameters &parameters() { return m_parameters; }
    const Parameters &parameters() const { return m_parameters; }

    // --- open / close ------------------------------------------------------
    // Runs the command and fetches every row. Emits beforeOpen (handlers may
    // still change the command), then afterOpen. Throws DbError.
    void open();
    void close();
    bool isActive() const { return m_active; }
    // In chunks, open() reads the first rows only (afterOpen comes with them)
    // and the rest from the event loop, a short slice at a time, announced
    // by rowsAppended and then fetchComplete. Whatever needs every row
    // (filter, sort, locate, last, any other statement on the connection)
    // first reads the rest; close and reopen drop it. Rows keep the fetched
    // order until the last chunk, when the sort is applied.
    void setFetchInChunks(bool inChunks, int firstRows = 300)
    {
        m_fetchInChunks = inChunks;
        m_firstChunkRows = firstRows;
    }
    bool fetchInChunks() const { return m_fetchInChunks; }
    int firstChunkRows() const { return m_firstChunkRows; }
    // In chunks, the first rows come from this command instead, for a
    // command that computes its whole result before its first row (grouped
    // joins on PostgreSQL): up to firstChunkRows of the command's rows with
    // the same fields, fewer only when they are all, told apart by an integer
    // key field. The command starts with the next chunk and passes over
    // those rows. Empty text: none.
    void setFirstRowsCommand(const QString &sql, const QString &keyField)
    {
        m_firstRowsCommand = sql;
        m_firstRowsKey = keyField;
    }
    // Columns the command leaves out, read apart by these commands and
    // joined to its rows by keyField (see detail::JoinedColumns): they follow
    // the command's own fields. Read before the command's rows; in chunks
    // with first rows, after those, which carry the columns themselves.
    // Empty list: none.
    void setJoinedColumns(const QStringList &commands, const QString &keyField)
    {
        m_joinedCommands = commands;
        m_joinedKey = keyField;
    }
    bool isFetching() const;
    // Reads the rest now; an error ends the fetch with the rows read so far
    // and is told by fetchFailed, not thrown.
    void finishFetch();
    // Drops the rest of the result: the rows read so far stay.
    void cancelFetch();
    // Fills the data set from given rows without a database (tests, in-memory lists).
    void openFromRows(const QList<FieldDef> &fields, std::vector<std::vector<QVariant>> rows);

    // --- fields ------------------------------------------------------------
    int fieldCount() const;
    const FieldDef &fieldDef(int index) const;
    int fieldIndex(const QString &name) const; // case-insensitive; -1 when absent
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    // Calculated fields must be added before open; onCalcFields fills them.
    void addCalculatedField(const QString &name, QMetaType::Type type, int size = 0);
    using CalcFieldsFn = std::function<void(DataSet &, Bookmark)>;
    void setOnCalcFields(CalcFieldsFn fn) { m_onCalcFields = std::move(fn); }

    // Values of the current row (throw DbError on an unknown field or no current row).
    QVariant value(const QString &field) const;
    QVariant value(int fieldIndex) const;
    QString displayText(const QString &field) const;
    QString displayText(int fieldIndex) const;
    // Values by bookmark (any fetched row, visible or not).
    QVariant valueAt(Bookmark row, int fieldIndex) const;
    void setValueAt(Bookmark row, int fieldIndex, const QVariant &value); // for calculated fields
    // The cells' displayText case-folded, in UTF-8, for searching, every
    // fetched row at once; valid until the rows change: row r is
    // text[start[r], start[r + 1]); text holds start[totalRowCount()] bytes.
    struct FoldedTexts
    {
        const char *text = nullptr;
        const std::uint32_t *start = nullptr;
    };
    FoldedTexts foldedTexts(int fieldIndex) const;
    // Null as "", numbers in C notation without exponent or trailing zeros
    // ("12.5", "3"), dates "yyyy-MM-dd", date-times "yyyy-MM-dd HH:mm:ss",
    // times "HH:mm:ss", booleans "1"/"0", bytes in hex.
    static QString displayTextOf(const QVariant &value, QMetaType::Type type);

    // --- navigation over the visible rows (after filter and sort) ----------
    int recordCount() const;   // visible rows
    int totalRowCount() const; // all fetched rows
    int recNo() const;         // 1-based; 0 when empty
    void setRecNo(int recNo);
    bool isEmpty() const { return recordCount() == 0; }
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    void first();
    void last();
    void next();
    void prior();
    Bookmark bookmark() const; // of the current row; -1 when none
    Bookmark bookmarkAt(int visibleIndex) const;
    int visibleIndexOf(Bookmark bookmark) const; // -1 when not visible
    bool gotoBookmark(Bookmark bookmark);
    // Moves to the first visible row that matches; stays put and returns false otherwise.
    bool locate(const QString &field, const QVariant &value, LocateOptions options = {});

    // --- filter and sort -----------------------------------------------------
    // ADO filter expression: comparisons (= <> < > <= >=), like with % and *,
    // and, or, parentheses, quoted strings (apostrophes doubled), numbers,
    // null; text compares case-insensitively. Empty text removes the filter.
    // Throws DbError on malformed text, leaving the previous filter in force.
    void setFilter(const QString &expression);
    const QString &filter() const { return m_filterText; }
    // Keeps only the rows whose bookmark is in the set (combined with the
    // expression filter); clearBookmarkFilter removes it, and so does reopening.
    void setBookmarkFilter(const QSet<Bookmark> &bookmarks);
    void clearBookmarkFilter();
    bool hasBookmarkFilter() const { return m_hasBookmarkFilter; }
    // "nazwa ASC,id DESC"; empty text restores the fetched order. Stable.
    // Throws DbError on malformed text or unknown fields.
    void setSort(const QString &sort);
    const QString &sort() const { return m_sortText; }
    // The order while no sort is set, kept across opens: a command may leave
    // its ORDER BY out, as sorting here costs far less than the server's
    // sorter carrying whole rows. Empty: the fetched order. A field the
    // result lacks is ignored.
    void setBaseSort(const QString &sort);
    const QString &baseSort() const { return m_baseSortText; }

    // --- controls --------------------------------------------------------------
    // While disabled, views are not told about moves or changes (nested counts).
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

signals:
    void beforeOpen(db::DataSet *dataSet);
    void afterOpen(db::DataSet *dataSet);
    // After open, filter and sort changes, and every call that moves to a row
    // (also while controls are disabled).
    void afterScroll(db::DataSet *dataSet);
    void afterClose(db::DataSet *dataSet);
    // Visible rows changed (open, close, filter, sort); not emitted while controls are disabled.
    // Views re-read the current row too: no currentRowChanged accompanies it.
    void rowsReset();
    // Current row changed; not emitted while controls are disabled.
    void currentRowChanged(int visibleIndex);
    // Visible rows first..last (inclusive) were added at the end by a chunk;
    // not emitted while controls are disabled (a rowsReset follows instead).
    void rowsAppended(int first, int last);
    // The last chunk is in (after the sort's rowsReset).
    void fetchComplete(db::DataSet *dataSet);
    // A later chunk failed; fetchComplete follows with the rows read so far.
    void fetchFailed(db::DataSet *dataSet, const QString &message);

private:
    struct Impl;
    std::unique_ptr<Impl> d;

    void install(QList<FieldDef> fields, std::vector<detail::Column> columns, int rowCount);
    int checkedField(const QString &name) const;
    int currentRow() const;
    void moveTo(int visibleIndex, bool bof, bool eof);
    void resolveBaseSort();
    void rebuildVisible();
    void refresh(Bookmark keep);
    void notifyReset();
    void joinRows(detail::FetchedRows &rows);
    void readChunk();
    bool readRows(const std::function<bool(int)> &more);
    void appendVisible();
    void completeFetch(const QString &error);

    Connection *m_connection = nullptr;
    QString m_commandText;
    Parameters m_parameters;
    bool m_active = false;
    bool m_bof = true;
    bool m_eof = true;
    QString m_filterText;
    QString m_sortText;
    QString m_baseSortText;
    bool m_hasBookmarkFilter = false;
    int m_disableCount = 0;
    bool m_fetchInChunks = false;
    int m_firstChunkRows = 0;
    QString m_firstRowsCommand;
    QString m_firstRowsKey;
    QStringList m_joinedCommands;
    QString m_joinedKey;
    CalcFieldsFn m_onCalcFields;
};

} // namespace db
