#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// What every benchmark needs: its output, a demo database made once and
// reused, the sqlite3 command as the reference, and the peak memory.
namespace bench {

QTextStream &out();
// The database `target` (a file or a PostgreSQL connection string) with
// exactly `companies` demo companies and their documents: reused when it
// has that many, made again otherwise (PostgreSQL: copied from sqliteFile()).
void ensureCompanies(const QString &target, int companies);
// An empty database at `target`: a file removed with its WAL, a PostgreSQL
// database dropped and created again.
void makeEmpty(const QString &target);
// The SQLite benchmark file with `companies` demo companies; a PostgreSQL
// benchmark database gets the same companies.
QString sqliteFile(int companies);
// The connection string of database `name` on the server that `server`
// (a PostgreSQL connection string) points at.
QString postgresDatabase(const QString &server, const QString &name);
// Reads the database file (and its WAL) once, so the timings that follow
// all start from the same warm file cache.
void warmFile(const QString &file);
// Best wall time of `runs` runs of the sqlite3 command on the file, in ms,
// its output discarded. Throws db::DbError when the command fails.
double timeSqliteCli(const QString &file, const QString &sql, int runs = 1);
// The same with psql writing `select`'s rows by "copy (...) to stdout".
double timePsqlCopy(const QString &target, const QString &select, int runs = 1);
// Peak resident memory of this process, in kB.
long peakMemoryKb();
// The whole number after `name` on the command line ("--rows 1000"), at least
// `least`; `fallback` when the option is not given.
int intArgument(const QStringList &args, const QString &name, int fallback, int least);
// The text after `name` on the command line; `fallback` when not given.
QString textArgument(const QStringList &args, const QString &name, const QString &fallback = QString());
// The figures of a benchmark that times the same work at a tenth of `size`
// and at `size`: both times and their ratio (10 when the work is linear).
void printTenfold(const QString &what, int size, double tenthMs, double fullMs);

} // namespace bench
