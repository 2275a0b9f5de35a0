#pragma once

#include "engine.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace db::detail {

// Columns read apart from a result's rows and joined to them by a key: each
// command's rows give the key (their first field) and the cells of their
// other fields. A grouped read of a side table gives such columns in one
// pass where the result's own command would search that table per row.
class JoinedColumns
{
public:
    explicit JoinedColumns(const QStringList &commands);
    ~JoinedColumns();

    // Reads on while `more` says so; true once every command is read whole.
    // Nothing else may run on the connection until then. Throws DbError.
    bool read(Connection &connection, const Parameters &parameters, const std::function<bool(int)> &more);
    // The joined fields, in command order; known once read.
    qsizetype fieldCount() const;
    // Appends the joined fields, without cells, to a result that lacks them.
    void addFields(FetchedRows &rows) const;
    // Appends the joined cells of rows `from` on to the columns from
    // `firstColumn` on; a row no command has a key for gets nulls.
    void fill(FetchedRows &rows, int keyColumn, int firstColumn, int from);

private:
    struct Side
    {
        QString command;
        FetchedRows rows;
        std::vector<std::pair<qint64, int>> byKey; // sorted by key
        size_t next = 0;                           // where the last match left off
    };
    static int rowOf(Side &side, qint64 key);

    std::vector<Side> m_sides;
    size_t m_reading = 0;
    std::unique_ptr<RowReader> m_reader;
};

} // namespace db::detail
