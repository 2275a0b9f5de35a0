#pragma once

#include "engine.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <string>
#include <unordered_map>
#include <vector>

struct pg_conn;

namespace db::detail {

// Runs statements on one PostgreSQL session through libpq. Each statement text
// is prepared once per session, so the server parses and plans it once, and
// runs with its values as parameters; the statements of a run travel in one
// round trip (libpq's pipeline mode). A text the server cannot prepare (a
// parameter whose type nothing tells, several statements) runs with its
// values written into it as literals.
class PgSession
{
public:
    struct Outcome
    {
        FetchedRows rows; // the last statement's, when asked for
        int changed = 0;  // rows the last statement changed
    };

    // Throws DbError naming the first statement that failed; those after it did not run.
    Outcome run(pg_conn *session, const QList<BoundStatement> &statements, bool readLast);
    // A text of any number of statements (a DDL script), as it stands. Throws DbError.
    void runText(pg_conn *session, const QString &sql);
    // Forgets the prepared statements, on the server with the next run.
    void clear();

private:
    struct Prepared
    {
        QByteArray name; // empty: run as literal text
    };
    struct Text
    {
        QByteArray positional; // the text with $1, $2, ... for its distinct names
        QStringList names;
        bool severalStatements = false;
        std::unordered_map<std::string, Prepared> byTypes; // by the parameters' type letters
    };
    struct Values;

    Text &text(const QString &sql);
    const Prepared &prepared(pg_conn *session, Text &text, const Values &values);
    void runPipeline(pg_conn *session, const QList<BoundStatement> &statements, qsizetype from, qsizetype to,
                     bool readLast, Outcome &outcome);
    void runWhole(pg_conn *session, const BoundStatement &statement, bool readLast, Outcome &outcome);

    pg_conn *m_session = nullptr;
    std::unordered_map<QString, Text> m_texts;
    int m_lastName = 0;
    QByteArray m_forgotten; // deallocations of statements the server still holds
};

} // namespace db::detail
