#pragma once

#include "parameters.h"
#include "stored_proc.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <initializer_list>

namespace db {
class Connection;
}

// What the procedure bodies share: declaring a procedure, turning loose
// parameter values into column values, and writing rows whose table and
// column names are constants of the calling body (values are always bound).
namespace suitedb::procs {

struct ParamDef
{
    const char *name;
    QMetaType::Type type;
    int size = 0;
    db::ParamDirection direction = db::ParamDirection::Input;
};

// Parameter types of the declarations.
inline constexpr QMetaType::Type Text = QMetaType::QString;
inline constexpr QMetaType::Type Int = QMetaType::Int;
inline constexpr QMetaType::Type Bool = QMetaType::Bool;
inline constexpr QMetaType::Type DateTime = QMetaType::QDateTime;
inline constexpr QMetaType::Type Decimal = QMetaType::Double;

inline QVariant in(db::ProcedureContext &c, const char *name)
{
    return c.in(QString::fromLatin1(name));
}

inline ParamDef inOut(const char *name)
{
    return {name, QMetaType::Int, 0, db::ParamDirection::InputOutput};
}

// Adds the procedure unless one of that name is registered already.
void define(const char *name, std::initializer_list<ParamDef> params, std::function<int(db::ProcedureContext &)> body);

// Values as the columns store them; each gives null for null or unusable input.
QVariant toInt(const QVariant &value);
QVariant toFlag(const QVariant &value); // any non-zero or true -> 1
QVariant toText(const QVariant &value); // empty text stays empty
QVariant toDecimal(const QVariant &value);
QVariant toDateTime(const QVariant &value); // also QDate, QTime, day numbers
QVariant orDefault(const QVariant &value, const QVariant &fallback);
bool isBlank(const QVariant &value);

using Values = QList<QPair<QString, QVariant>>; // column -> value

// 0 when the row exists and may be written, 101 when it is gone, 102 when it
// is marked as being synchronised (tables with w_synchronizacji only).
int checkWritable(db::Connection &connection, const char *table, const char *key, const QVariant &id,
                  bool hasSyncFlag = true);
bool exists(db::Connection &connection, const char *table, const char *key, const QVariant &id);
// Whether the owner named by a table code still exists; codes without a
// known table count as existing. A company is locked until the caller's
// transaction ends.
bool ownerExists(db::Connection &connection, int tableCode, const QVariant &id);

// Columns whose inserted value is an SQL expression: it replaces the value
// of that name, which stays bound with the others for it to use.
using Expressions = QList<QPair<QString, QString>>;

int insertRow(db::Connection &connection, const char *table, const char *key, const Values &values,
              const Expressions &computed = {});
void updateRow(db::Connection &connection, const char *table, const char *key, const QVariant &id,
               const Values &values);

// Adds " and <column> = :<column>" to a where clause, or " and <column> is
// null" for a blank value, so that null keys match each other.
void matchColumn(QString &where, Values &binds, const char *column, const QVariant &value);

// Runs a statement with bound values; names are the :placeholders.
int exec(db::Connection &connection, const QString &sql, const Values &binds = {});
// For a statement the body runs another after and whose count of rows it
// need not see: on PostgreSQL it rides in the next statement's round trip.
void execWithNext(db::Connection &connection, const QString &sql, const Values &binds);
// First column of the first row, null when there is none.
QVariant scalar(db::Connection &connection, const QString &sql, const Values &binds = {});

// Inserts (id parameter null) or updates the row and returns the procedure's
// result, leaving the row's id in the id parameter.
int saveRow(db::ProcedureContext &context, const char *idParam, const char *table, const char *key,
            const Values &values, bool hasSyncFlag = true, const Expressions &computedOnInsert = {});

} // namespace suitedb::procs
