#include "pg_session.h"

#include "connection.h"
#include "db_error.h"
#include "field_type.h"
#include "sql_text.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <libpq-fe.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace db::detail {

namespace {

// Type oids of the server's built-in types.
constexpr Oid BoolOid = 16;
constexpr Oid ByteaOid = 17;
constexpr Oid Int8Oid = 20;
constexpr Oid Int2Oid = 21;
constexpr Oid Int4Oid = 23;
constexpr Oid OidOid = 26;
constexpr Oid Float4Oid = 700;
constexpr Oid Float8Oid = 701;
constexpr Oid DateOid = 1082;
constexpr Oid TimeOid = 1083;
constexpr Oid TimestampOid = 1114;
constexpr Oid TimestampTzOid = 1184;
constexpr Oid TimeTzOid = 1266;
constexpr Oid NumericOid = 1700;

// Statements a session keeps prepared at most, so texts built with varying
// lists of values cannot grow the server's memory without end.
constexpr size_t MaxPreparedTexts = 256;

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

Result take(PGresult *result)
{
    return Result(result, &PQclear);
}

QString errorText(const PGresult *result, PGconn *session)
{
    const char *message = result ? PQresultErrorMessage(result) : nullptr;
    return QString::fromUtf8(message && *message ? message : PQerrorMessage(session)).trimmed();
}

// Connection failures and the server's shutdown or termination of the session.
bool isLost(const PGresult *result, PGconn *session)
{
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const QLatin1String code(state ? state : "");
    return PQstatus(session) == CONNECTION_BAD || code.startsWith(QLatin1String("08"))
        || code.startsWith(QLatin1String("57P"));
}

[[noreturn]] void fail(const PGresult *result, PGconn *session, const QString &sql)
{
    const QString lost = isLost(result, session) ? Connection::lostConnectionText() + u'\n' : QString();
    throw DbError(QStringLiteral("%1%2\nStatement: %3").arg(lost, errorText(result, session), sql));
}

// The type a column's cells are read as, as Qt's own driver reads them.
QMetaType::Type cellType(Oid type)
{
    switch (type) {
    case BoolOid:
        return QMetaType::Bool;
    case Int8Oid:
        return QMetaType::LongLong;
    case Int2Oid:
    case Int4Oid:
    case OidOid:
        return QMetaType::Int;
    case Float4Oid:
    case Float8Oid:
    case NumericOid:
        return QMetaType::Double;
    case DateOid:
        return QMetaType::QDate;
    case TimeOid:
    case TimeTzOid:
        return QMetaType::QTime;
    case TimestampOid:
    case TimestampTzOid:
        return QMetaType::QDateTime;
    case ByteaOid:
        return QMetaType::QByteArray;
    default:
        return QMetaType::QString;
    }
}

double toDouble(const char *text, int length)
{
    bool ok = false;
    const double value = QByteArray::fromRawData(text, length).toDouble(&ok);
    if (ok)
        return value;
    if (qstricmp(text, "NaN") == 0)
        return qQNaN();
    if (qstricmp(text, "Infinity") == 0)
        return qInf();
    if (qstricmp(text, "-Infinity") == 0)
        return -qInf();
    return 0;
}

QVariant dateTimeCell(const char *text)
{
    QString value = QString::fromLatin1(text);
    // "+02" is an offset ISO dates write as "+02:00".
    if (value.size() > 3 && (value[value.size() - 3] == u'+' || value[value.size() - 3] == u'-'))
        value += QLatin1String(":00");
    return QDateTime::fromString(value, Qt::ISODate).toLocalTime();
}

QVariant variantCell(Oid type, const char *text)
{
    switch (cellType(type)) {
    case QMetaType::QDate:
        return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
    case QMetaType::QTime:
        return QTime::fromString(QString::fromLatin1(text), Qt::ISODate);
    case QMetaType::QDateTime:
        return dateTimeCell(text);
    default: {
        size_t length = 0;
        unsigned char *bytes = PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &length);
        const QByteArray value(reinterpret_cast<const char *>(bytes), qsizetype(length));
        PQfreemem(bytes);
        return value;
    }
    }
}

void addColumn(const PGresult *result, int i, FetchedRows &rows)
{
    const Oid type = PQftype(result, i);
    const QMetaType::Type cell = cellType(type);
    const Store store = cell == QMetaType::Bool || cell == QMetaType::Int || cell == QMetaType::LongLong ? Store::Int
        : cell == QMetaType::Double                                                                      ? Store::Double
        : cell == QMetaType::QString                                                                     ? Store::Text
        : cell == QMetaType::QByteArray ? Store::Variant
                                        : Store::Date;
    FieldDef field;
    field.name = QString::fromUtf8(PQfname(result, i));
    field.type = cell;
    // A declared width comes as the type modifier: varchar(n) has n + 4.
    const int modifier = PQfmod(result, i);
    field.size = cell == QMetaType::QString && PQfsize(result, i) == -1 && modifier > 4 ? modifier - 4 : 0;
    rows.fields.append(field);
    rows.columns.emplace_back(cell, store);
}

// Appends the rows of a result; its columns are made by the first one read.
// Qt's driver may leave single-row mode on, so rows can come one result each.
void readRows(const PGresult *result, FetchedRows &rows)
{
    const int columnCount = PQnfields(result);
    const int rowCount = PQntuples(result);
    std::vector<Oid> types;
    types.reserve(size_t(columnCount));
    for (int i = 0; i < columnCount; ++i)
        types.push_back(PQftype(result, i));
    if (rows.fields.isEmpty()) {
        rows.columns.reserve(size_t(columnCount));
        for (int i = 0; i < columnCount; ++i)
            addColumn(result, i, rows);
    }
    for (int r = 0; r < rowCount; ++r) {
        for (int i = 0; i < columnCount; ++i) {
            Column &column = rows.columns[size_t(i)];
            if (PQgetisnull(result, r, i)) {
                column.appendNull();
                continue;
            }
            const char *text = PQgetvalue(result, r, i);
            const int length = PQgetlength(result, r, i);
            switch (column.store()) {
            case Store::Int:
                column.appendInt(types[size_t(i)] == BoolOid ? (text[0] == 't' ? 1 : 0)
                                                             : QByteArray::fromRawData(text, length).toLongLong());
                break;
            case Store::Double:
                column.appendDouble(toDouble(text, length));
                break;
            case Store::Text:
                column.appendUtf8(text, length);
                break;
            default:
                column.appendVariant(variantCell(types[size_t(i)], text));
                break;
            }
        }
    }
    rows.rowCount += rowCount;
}

} // namespace

// The values of one run of a statement, as libpq takes them, and the letters
// of their types, which pick the prepared form.
struct PgSession::Values
{
    std::vector<QByteArray> data;
    std::vector<const char *> pointers;
    std::vector<int> lengths;
    std::vector<int> formats;
    std::vector<Oid> types;
    std::string letters;

    Values(const QStringList &names, const Parameters &parameters)
    {
        const auto count = size_t(names.size());
        data.resize(count);
        pointers.resize(count);
        lengths.resize(count);
        formats.resize(count);
        types.resize(count);
        letters.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const int index = parameters.indexOf(names[qsizetype(i)]);
            if (index < 0) {
                letters[i] = '0';
                continue;
            }
            const Parameter &parameter = parameters.at(index);
            set(i, sqltext::boundValue(parameter), parameter.type);
        }
    }

private:
    void set(size_t i, const QVariant &value, QMetaType::Type declared)
    {
        const bool null = !value.isValid() || value.isNull();
        const int type = null && declared != QMetaType::UnknownType ? int(declared) : value.metaType().id();
        QByteArray &text = data[i];
        // Typed as the literal of the same value would be; text stays untyped,
        // so that it takes its type from its place (citext compares as citext).
        const auto metaType = QMetaType::Type(type);
        if (isIntegerType(metaType)) {
            const bool narrow = isNarrowIntegerType(metaType);
            types[i] = narrow ? Int4Oid : Int8Oid;
            letters[i] = narrow ? 'i' : 'l';
            text = QByteArray::number(value.toLongLong());
        } else if (isFloatingType(metaType)) {
            const double d = value.toDouble();
            const bool finite = qIsFinite(d);
            types[i] = finite ? NumericOid : Float8Oid;
            letters[i] = finite ? 'n' : 'f';
            text = qIsNaN(d) ? QByteArray("NaN")
                : !finite    ? QByteArray(d > 0 ? "Infinity" : "-Infinity")
                             : QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
        } else {
            setOther(i, value, type);
        }
        if (null) {
            text = QByteArray();
            return;
        }
        pointers[i] = text.constData();
        lengths[i] = int(text.size());
    }

    void setOther(size_t i, const QVariant &value, int type)
    {
        QByteArray &text = data[i];
        switch (type) {
        case QMetaType::Bool:
            types[i] = BoolOid;
            letters[i] = 'b';
            text = value.toBool() ? "t" : "f";
            break;
        case QMetaType::QDateTime:
            types[i] = TimestampOid;
            letters[i] = 't';
            text = sqltext::isoDateTime(value.toDateTime()).toLatin1();
            break;
        case QMetaType::QDate:
            types[i] = DateOid;
            letters[i] = 'd';
            text = value.toDate().toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
            break;
        case QMetaType::QTime:
            types[i] = TimeOid;
            letters[i] = 'h';
            text = value.toTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1();
            break;
        case QMetaType::QByteArray:
            types[i] = ByteaOid;
            letters[i] = 'y';
            formats[i] = 1;
            text = value.toByteArray();
            break;
        default:
            letters[i] = 's';
            text = value.toString().toUtf8();
            text.replace('\0', QByteArray()); // the server refuses NUL in text
            break;
        }
    }
};

PgSession::Text &PgSession::text(const QString &sql)
{
    if (const auto it = m_texts.find(sql); it != m_texts.end())
        return it->second;
    const sqltext::Placeholders placeholders = sqltext::parse(sql);
    Text fresh;
    fresh.names = placeholders.distinct;
    fresh.severalStatements = placeholders.severalStatements;
    QString positional = placeholders.text.first();
    for (qsizetype i = 0; i < placeholders.names.size(); ++i) {
        const qsizetype number = std::find_if(fresh.names.cbegin(), fresh.names.cend(),
                                              [&](const QString &name) {
                                                  return name.compare(placeholders.names[i], Qt::CaseInsensitive) == 0;
                                              })
            - fresh.names.cbegin() + 1;
        positional += u'$' + QString::number(number) + placeholders.text[i + 1];
    }
    fresh.positional = positional.toUtf8();
    // The key owns its characters: a literal's may belong to a library unloaded later.
    return m_texts.emplace(QString(sql.constData(), sql.size()), std::move(fresh)).first->second;
}

const PgSession::Prepared &PgSession::prepared(PGconn *session, Text &text, const Values &values)
{
    if (const auto it = text.byTypes.find(values.letters); it != text.byTypes.end())
        return it->second;
    Prepared fresh;
    // Texts without values too: a savepoint parsed once is still a parse saved.
    if (!text.severalStatements) {
        const PGTransactionStatusType state = PQtransactionStatus(session);
        const bool inTransaction = state == PQTRANS_INTRANS || state == PQTRANS_INERROR;
        const QByteArray name = "malvo_" + QByteArray::number(++m_lastName);
        // A failed preparation would end the transaction: a savepoint keeps it.
        const auto guarded = [&](const char *sql) {
            if (inTransaction)
                take(PQexec(session, sql));
        };
        guarded("savepoint malvo_prepare");
        const Result result = take(PQprepare(session, name.constData(), text.positional.constData(),
                                             int(values.types.size()), values.types.data()));
        if (PQresultStatus(result.get()) == PGRES_COMMAND_OK) {
            guarded("release savepoint malvo_prepare");
            fresh.name = name;
        } else {
            if (isLost(result.get(), session))
                fail(result.get(), session, QString::fromUtf8(text.positional));
            guarded("rollback to savepoint malvo_prepare");
            guarded("release savepoint malvo_prepare");
        }
    }
    return text.byTypes.emplace(values.letters, std::move(fresh)).first->second;
}

PgSession::Outcome PgSession::run(PGconn *session, const QList<BoundStatement> &statements, bool readLast)
{
    if (session != m_session) {
        m_texts.clear();
        m_session = session;
    }
    // A statement read through Qt's driver may leave the end of its results unread.
    while (PGresult *left = PQgetResult(session))
        PQclear(left);
    if (m_texts.size() >= MaxPreparedTexts)
        clear();
    if (!m_forgotten.isEmpty())
        take(PQexec(session, std::exchange(m_forgotten, {}).constData()));
    Outcome outcome;
    qsizetype from = 0;
    for (qsizetype i = 0; i < statements.size(); ++i) {
        if (!text(statements[i].sql).severalStatements)
            continue;
        runPipeline(session, statements, from, i, false, outcome);
        runWhole(session, statements[i], readLast && i + 1 == statements.size(), outcome);
        from = i + 1;
    }
    runPipeline(session, statements, from, statements.size(), readLast, outcome);
    return outcome;
}

namespace {

// A text of any number of statements, as it stands: the last one's result.
Result execText(PGconn *session, const QByteArray &text, const QString &sql)
{
    Result result = take(PQexec(session, text.constData()));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(result.get(), session, sql);
    return result;
}

} // namespace

void PgSession::runText(PGconn *session, const QString &sql)
{
    execText(session, sql.toUtf8(), sql);
}

void PgSession::runWhole(PGconn *session, const BoundStatement &statement, bool readLast, Outcome &outcome)
{
    const Result result =
        execText(session, sqltext::postgresText(statement.sql, statement.parameters).toUtf8(), statement.sql);
    outcome.changed = atoi(PQcmdTuples(result.get()));
    if (readLast && PQresultStatus(result.get()) == PGRES_TUPLES_OK)
        readRows(result.get(), outcome.rows);
}

void PgSession::runPipeline(PGconn *session, const QList<BoundStatement> &statements, qsizetype from, qsizetype to,
                            bool readLast, Outcome &outcome)
{
    if (from >= to)
        return;
    // Prepared before the pipeline starts: a preparation that fails is taken back on its own.
    std::vector<Values> values;
    std::vector<const Prepared *> forms;
    values.reserve(size_t(to - from));
    for (qsizetype i = from; i < to; ++i) {
        Text &text = this->text(statements[i].sql);
        values.emplace_back(text.names, statements[i].parameters);
        forms.push_back(&prepared(session, text, values.back()));
    }
    if (PQenterPipelineMode(session) != 1)
        fail(nullptr, session, statements[from].sql);
    for (qsizetype i = from; i < to; ++i) {
        const Values &v = values[size_t(i - from)];
        const Prepared &form = *forms[size_t(i - from)];
        const int sent = form.name.isEmpty()
            ? PQsendQueryParams(session,
                                sqltext::postgresText(statements[i].sql, statements[i].parameters).toUtf8().constData(),
                                0, nullptr, nullptr, nullptr, nullptr, 0)
            : PQsendQueryPrepared(session, form.name.constData(), int(v.pointers.size()), v.pointers.data(),
                                  v.lengths.data(), v.formats.data(), 0);
        if (!sent) {
            PQexitPipelineMode(session);
            fail(nullptr, session, statements[i].sql);
        }
    }
    PQpipelineSync(session);
    // Each statement's results end with a null; the run ends with the sync.
    qsizetype current = from;
    Result failure(nullptr, &PQclear);
    qsizetype failed = -1;
    while (PQstatus(session) != CONNECTION_BAD) {
        PGresult *next = PQgetResult(session);
        if (!next) {
            if (++current > to + 1)
                break;
            continue;
        }
        Result result = take(next);
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_PIPELINE_SYNC)
            break;
        if (status == PGRES_FATAL_ERROR && failed < 0) {
            failed = current;
            failure = std::move(result);
        } else if (current == to - 1 && failed < 0) {
            outcome.changed = atoi(PQcmdTuples(result.get()));
            if (readLast && (status == PGRES_TUPLES_OK || status == PGRES_SINGLE_TUPLE))
                readRows(result.get(), outcome.rows);
        }
    }
    PQexitPipelineMode(session);
    if (failed < 0 && PQstatus(session) != CONNECTION_BAD)
        return;
    const QString &sql = statements[std::clamp(failed, from, to - 1)].sql;
    // A table changed under a kept statement: it is prepared again next time.
    if (const char *state = failure ? PQresultErrorField(failure.get(), PG_DIAG_SQLSTATE) : nullptr;
        state && qstrcmp(state, "0A000") == 0)
        m_texts.erase(sql);
    fail(failure.get(), session, sql);
}

void PgSession::clear()
{
    // Only ours: statements Qt's driver prepared on the session stay.
    for (const auto &[sql, text] : m_texts)
        for (const auto &[types, form] : text.byTypes)
            if (!form.name.isEmpty())
                m_forgotten += "deallocate " + form.name + ';';
    m_texts.clear();
}

} // namespace db::detail
