#pragma once

#include "db_export.h"
#include "row_store.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The recordset filter language: comparisons of a field with a literal,
// joined by AND / OR and grouped by parentheses.
namespace db::filter {

enum class Op { Eq, Ne, Lt, Gt, Le, Ge, Like };

struct Literal
{
    enum class Kind { Null, Number, Text, Date };
    Kind kind = Kind::Null;
    double number = 0; // Number, or Text that reads as a number
    bool textIsNumber = false;
    qint64 dateKey = 0; // Date, or Text that reads as a date
    bool textIsDate = false;
    QString text; // as written (the pattern of LIKE)
};

// A LIKE pattern case-folded and cut at its wildcards.
struct LikePattern
{
    std::vector<QByteArray> parts;
    bool anyStart = false;
    bool anyEnd = false;
};

struct Node
{
    enum class Type { And, Or, Compare };
    Type type = Type::Compare;
    std::unique_ptr<Node> left;
    std::unique_ptr<Node> right;
    QString field;
    int position = 0; // of the field name, for messages
    int column = -1;  // resolved by bind()
    Op op = Op::Eq;
    Literal literal;
    LikePattern like; // Op::Like
};

// The case-folded text of every row of a column in one buffer.
struct FoldedColumn
{
    QByteArray text;                  // UTF-8
    std::vector<std::uint32_t> start; // row r is [start[r], start[r + 1])
};
std::unique_ptr<FoldedColumn> fold(const detail::Column &column, int rowCount);
using FoldedText = std::function<const FoldedColumn &(int column)>;

// Throws DbError naming the problem and its position (1-based).
MALVO_DB_EXPORT std::unique_ptr<Node> parse(const QString &expression);
// Resolves field names to columns; throws DbError for an unknown field.
void bind(Node &node, const std::function<int(const QString &)> &fieldIndex, const QString &expression);
// matches[r] tells whether row r passes, for all rowCount rows.
void select(const Node &node, const std::vector<detail::Column> &columns, int rowCount, const FoldedText &folded,
            std::vector<std::uint8_t> &matches);

} // namespace db::filter
