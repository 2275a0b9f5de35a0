#pragma once

#include "db_export.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

namespace db {

enum class Engine { SQLite, PostgreSQL };

// The few places where the two engines differ. Module code asks the dialect
// and never branches on the engine itself.
class MALVO_DB_EXPORT Dialect
{
public:
    virtual ~Dialect() = default;

    virtual Engine engine() const = 0;

    // `select ...` limited to the first n rows ("top n" of the suite's server).
    virtual QString limit(const QString &select, int n) const = 0;
    // Text concatenation of SQL expressions.
    virtual QString concat(const QStringList &expressions) const = 0;
    // The group's values of an expression joined by commas, as text.
    virtual QString joinedValues(const QString &expression) const = 0;
    // isnull(expr, fallback).
    virtual QString ifNull(const QString &expression, const QString &fallback) const = 0;
    // A literal of the engine for a date or a date-time.
    virtual QString dateLiteral(const QDate &date) const = 0;
    virtual QString dateTimeLiteral(const QDateTime &dateTime) const = 0;
    // An INSERT that yields the generated key as its only result row, read
    // from column 0 (db::executeInsert runs it so).
    virtual QString insertReturningId(const QString &insertStatement, const QString &idColumn) const = 0;
    // INSERT ... that updates `updateColumns` when a row with the same
    // `keyColumns` exists (the key columns need a unique index). Values are
    // bound as :<column>.
    virtual QString upsert(const QString &table, const QStringList &keyColumns,
                           const QStringList &updateColumns) const = 0;
    // The text expression compared and ordered as on the suite's server:
    // case-insensitive, Polish letters included. SQLite indexes keep the stock
    // NOCASE order (ASCII letters only) so that every SQLite tool can use the
    // file; this comparison cannot use them.
    virtual QString collated(const QString &expression) const = 0;
    // "<expression> like <pattern>" with "%" and "_" as its only wildcards, as
    // on the suite's server: PostgreSQL would take a backslash as an escape.
    virtual QString like(const QString &expression, const QString &pattern) const = 0;
    // Whether a subquery per row on an index beats a grouped join. SQLite
    // materialises a grouped join before its first row, so a large list would
    // wait for it; PostgreSQL hashes the join faster than it runs subqueries.
    virtual bool prefersRowSubqueries() const = 0;
    // `select ...` whose rows stay locked against other writers until the
    // transaction ends. SQLite needs nothing added: a transaction's first
    // write locks the whole database, and fails when another connection has
    // committed since this one read.
    virtual QString lockingRows(const QString &select) const = 0;
    // Text of a literal of a string value, apostrophes doubled. Prefer binding.
    QString quote(const QString &text) const;

    static std::unique_ptr<Dialect> create(Engine engine);
};

} // namespace db
