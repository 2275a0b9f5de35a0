#include "stored_proc.h"

#include "connection.h"
#include "db_error.h"

#include <exception>

namespace db {

namespace {

const QString ReturnValue = QStringLiteral("@RETURN_VALUE");

QString &failingProcedure()
{
    static QString name;
    return name;
}

QString baseName(const QString &name)
{
    const qsizetype semicolon = name.indexOf(QLatin1Char(';'));
    return (semicolon < 0 ? name : name.left(semicolon)).trimmed();
}

} // namespace

StoredProc::StoredProc(QObject *parent)
    : QObject(parent)
{}

StoredProc::StoredProc(Connection *connection, const QString &procedureName, QObject *parent)
    : QObject(parent),
      m_connection(connection),
      m_name(procedureName)
{}

void StoredProc::setProcedureName(const QString &name)
{
    m_name = name;
}

void StoredProc::refreshParameters()
{
    const ProcedureDefinition *definition = ProcedureRegistry::instance().find(m_name);
    if (!definition)
        throw DbError(QStringLiteral("Unknown stored procedure %1").arg(m_name));
    m_parameters = definition->freshCall;
}

int StoredProc::execProc()
{
    const ProcedureDefinition *definition = ProcedureRegistry::instance().find(m_name);
    if (!definition)
        throw DbError(QStringLiteral("Unknown stored procedure %1").arg(m_name));
    if (!m_connection)
        throw DbError(QStringLiteral("Stored procedure %1 has no connection").arg(m_name));
    // The declared width is the column's, which the engines do not enforce on TEXT.
    for (const Parameter &declared : definition->parameters) {
        const QVariant value = m_parameters.value(declared.name);
        if (declared.size > 0 && value.typeId() == QMetaType::QString && value.toString().size() > declared.size)
            throw DbError(QStringLiteral("%1: %2 is %3 characters long; at most %4 are allowed")
                              .arg(baseName(m_name), declared.name)
                              .arg(value.toString().size())
                              .arg(declared.size));
    }
    if (!m_parameters.contains(ReturnValue)) {
        Parameters withReturn;
        withReturn.add(ReturnValue, QMetaType::Int, ParamDirection::ReturnValue);
        for (const Parameter &p : m_parameters)
            withReturn.add(p.name, p.type, p.direction, p.size).value = p.value;
        m_parameters = withReturn;
    }
    int result = 0;
    try {
        Transaction transaction(*m_connection);
        ProcedureContext context(*m_connection, m_parameters);
        result = definition->body(context);
        if (!failingProcedure().isEmpty() && definition->name.compare(failingProcedure(), Qt::CaseInsensitive) == 0)
            throw DbError(QStringLiteral("injected failure"));
        // Any non-zero code is a refusal: the work it did is undone.
        if (result == 0)
            transaction.commit();
    } catch (const DbError &e) {
        throw DbError(QStringLiteral("%1: %2").arg(baseName(m_name), e.message()));
    } catch (const std::exception &e) {
        throw DbError(QStringLiteral("%1: %2").arg(baseName(m_name), QString::fromUtf8(e.what())));
    } catch (...) {
        throw DbError(QStringLiteral("%1: unknown error").arg(baseName(m_name)));
    }
    m_parameters.param(ReturnValue).value = result;
    return result;
}

void StoredProc::setFailingProcedure(const QString &name)
{
    failingProcedure() = baseName(name);
}

int StoredProc::returnValue() const
{
    return m_parameters.value(ReturnValue).toInt();
}

QVariant ProcedureContext::in(const QString &name) const
{
    const int index = m_parameters.indexOf(name);
    return index < 0 ? QVariant() : m_parameters.at(index).value;
}

bool ProcedureContext::isNull(const QString &name) const
{
    const QVariant v = in(name);
    return !v.isValid() || v.isNull();
}

void ProcedureContext::setOut(const QString &name, const QVariant &value)
{
    const int index = m_parameters.indexOf(name);
    if (index < 0) {
        m_parameters.add(name, QMetaType::Type(value.metaType().id()), ParamDirection::Output).value = value;
        return;
    }
    m_parameters.at(index).value = value;
}

ProcedureRegistry &ProcedureRegistry::instance()
{
    static ProcedureRegistry registry;
    return registry;
}

void ProcedureRegistry::add(ProcedureDefinition definition)
{
    definition.name = baseName(definition.name);
    definition.freshCall.clear();
    definition.freshCall.add(ReturnValue, QMetaType::Int, ParamDirection::ReturnValue);
    for (const Parameter &p : std::as_const(definition.parameters)) {
        if (p.name.compare(ReturnValue, Qt::CaseInsensitive) != 0)
            definition.freshCall.add(p.name, p.type, p.direction, p.size);
    }
    for (ProcedureDefinition &existing : m_definitions) {
        if (existing.name.compare(definition.name, Qt::CaseInsensitive) == 0) {
            existing = std::move(definition);
            return;
        }
    }
    m_definitions.append(std::move(definition));
}

const ProcedureDefinition *ProcedureRegistry::find(const QString &name) const
{
    const QString wanted = baseName(name);
    for (const ProcedureDefinition &definition : m_definitions) {
        if (definition.name.size() == wanted.size() && definition.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &definition;
    }
    return nullptr;
}

QStringList ProcedureRegistry::names() const
{
    QStringList result;
    for (const ProcedureDefinition &definition : m_definitions)
        result.append(definition.name);
    return result;
}

} // namespace db
