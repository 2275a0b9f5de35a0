#pragma once

#include "db_export.h"
#include "parameters.h"

#include <QObject>
#include <QString>
#include <functional>

namespace db {

class Connection;
class ProcedureContext;

// A stored procedure of the suite database: a name and ordered @-parameters,
// @RETURN_VALUE among them, in/out ones such as @id. Executing runs the
// procedure body registered under that name as one transaction on the
// connection (a savepoint when a transaction is already open) and makes the
// outputs readable. A name may carry the ";1" group suffix of the suite's
// server; it is ignored.
class MALVO_DB_EXPORT StoredProc : public QObject
{
    Q_OBJECT
public:
    explicit StoredProc(QObject *parent = nullptr);
    StoredProc(Connection *connection, const QString &procedureName, QObject *parent = nullptr);

    void setConnection(Connection *connection) { m_connection = connection; }
    Connection *connection() const { return m_connection; }
    void setProcedureName(const QString &name);
    const QString &procedureName() const { return m_name; }

    // Replaces the parameter list with the one the body declares
    // (@RETURN_VALUE first), values null. Throws DbError for an unknown procedure.
    void refreshParameters();
    Parameters &parameters() { return m_parameters; }
    const Parameters &parameters() const { return m_parameters; }
    void setValue(const QString &name, const QVariant &value) { m_parameters.setValue(name, value); }
    QVariant value(const QString &name) const { return m_parameters.value(name); }

    // Runs the body; stores its result in @RETURN_VALUE (added when missing)
    // and returns it. A body that throws rolls its work back and the error
    // propagates as DbError.
    int execProc();
    int returnValue() const;

    // Tests make every call of the named procedure fail once its body has
    // run, as a lost server or a full disk would; an empty name ends it.
    static void setFailingProcedure(const QString &name);

private:
    Connection *m_connection = nullptr;
    QString m_name;
    Parameters m_parameters;
};

// What a procedure body sees: its connection and its parameters.
class MALVO_DB_EXPORT ProcedureContext
{
public:
    ProcedureContext(Connection &connection, Parameters &parameters)
        : m_connection(connection),
          m_parameters(parameters)
    {}

    Connection &connection() { return m_connection; }
    Parameters &parameters() { return m_parameters; }
    // Input value (null when the caller left the parameter out).
    QVariant in(const QString &name) const;
    bool isNull(const QString &name) const;
    void setOut(const QString &name, const QVariant &value);

private:
    Connection &m_connection;
    Parameters &m_parameters;
};

struct ProcedureDefinition
{
    QString name;
    Parameters parameters;                       // declared parameters in order, without @RETURN_VALUE
    std::function<int(ProcedureContext &)> body; // returns @RETURN_VALUE
    // @RETURN_VALUE and the declared parameters, values null, built once by
    // the register: a call copies it instead of rebuilding the list each time.
    Parameters freshCall;
};

// Process-wide register of procedure bodies, filled by the suite database.
class MALVO_DB_EXPORT ProcedureRegistry
{
public:
    static ProcedureRegistry &instance();
    void add(ProcedureDefinition definition);
    const ProcedureDefinition *find(const QString &name) const; // case-insensitive, ";1" ignored
    QStringList names() const;

private:
    ProcedureRegistry() = default;
    QList<ProcedureDefinition> m_definitions;
};

} // namespace db
