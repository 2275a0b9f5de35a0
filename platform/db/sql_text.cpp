#include "sql_text.h"

#include <QDateTime>
#include <QLocale>
#include <QSet>
#include <cstdio>

namespace db::sqltext {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index just past a quoted run starting at i (the quote doubles to escape).
qsizetype skipQuoted(const QString &sql, qsizetype i, QChar quote)
{
    const qsizetype n = sql.size();
    ++i;
    while (i < n) {
        if (sql[i] == quote) {
            if (i + 1 < n && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return n;
}

// PostgreSQL $tag$ ... $tag$; returns i unchanged when it is not one.
qsizetype skipDollarQuoted(const QString &sql, qsizetype i)
{
    qsizetype j = i + 1;
    while (j < sql.size() && isNamePart(sql[j]) && !sql[j].isDigit())
        ++j;
    if (j >= sql.size() || sql[j] != QLatin1Char('$'))
        return i;
    if (i > 0 && isNamePart(sql[i - 1]))
        return i;
    const QString tag = sql.mid(i, j - i + 1);
    const qsizetype close = sql.indexOf(tag, j + 1);
    return close < 0 ? sql.size() : close + tag.size();
}

} // namespace

QStringList Placeholders::distinctNames() const
{
    return distinct;
}

QString Placeholders::positional() const
{
    QString sql = text.value(0);
    for (qsizetype i = 0; i < names.size(); ++i)
        sql += QLatin1Char('?') + text[i + 1];
    return sql;
}

namespace {

Placeholders parseText(const QString &sql)
{
    Placeholders result;
    const qsizetype n = sql.size();
    qsizetype segmentStart = 0;
    qsizetype i = 0;
    bool afterSemicolon = false;
    while (i < n) {
        const QChar c = sql[i];
        if (afterSemicolon && !c.isSpace() && c != QLatin1Char(';') && c != QLatin1Char('-') && c != QLatin1Char('/'))
            result.severalStatements = true;
        if (c == QLatin1Char(';'))
            afterSemicolon = true;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            i = skipQuoted(sql, i, c);
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            const qsizetype eol = sql.indexOf(QLatin1Char('\n'), i);
            i = eol < 0 ? n : eol + 1;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const qsizetype close = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = close < 0 ? n : close + 2;
        } else if (c == QLatin1Char('$')) {
            const qsizetype past = skipDollarQuoted(sql, i);
            i = past == i ? i + 1 : past;
        } else if (c == QLatin1Char(':')) {
            if (i + 1 < n && sql[i + 1] == QLatin1Char(':')) {
                i += 2;
            } else if (i + 1 < n && isNameStart(sql[i + 1])) {
                qsizetype end = i + 2;
                while (end < n && isNamePart(sql[end]))
                    ++end;
                result.text.append(sql.mid(segmentStart, i - segmentStart));
                result.names.append(sql.mid(i + 1, end - i - 1));
                segmentStart = end;
                i = end;
            } else {
                ++i;
            }
        } else {
            ++i;
        }
    }
    result.text.append(sql.mid(segmentStart));
    QSet<QString> seen;
    for (const QString &name : std::as_const(result.names)) {
        const QString key = name.toLower();
        if (!seen.contains(key)) {
            seen.insert(key);
            result.distinct.append(name);
        }
    }
    return result;
}

// Texts parsed ahead of a clear, so commands built with varying texts stay bounded.
constexpr qsizetype ParsedTexts = 512;

} // namespace

Placeholders parse(const QString &sql)
{
    // The same commands run again and again; each text is parsed once per thread.
    thread_local QHash<QString, Placeholders> parsed;
    if (const auto it = parsed.constFind(sql); it != parsed.cend())
        return *it;
    if (parsed.size() >= ParsedTexts)
        parsed.clear();
    // Kept texts own their characters: a literal's may belong to a library unloaded later.
    const QString owned(sql.constData(), sql.size());
    return *parsed.insert(owned, parseText(owned));
}

QVariant boundValue(const Parameter &parameter)
{
    if (parameter.isNull()) {
        if (parameter.type == QMetaType::UnknownType)
            return QVariant();
        return QVariant(QMetaType(parameter.type));
    }
    if (parameter.type == QMetaType::UnknownType || parameter.value.metaType().id() == int(parameter.type))
        return parameter.value;
    QVariant converted = parameter.value;
    if (converted.convert(QMetaType(parameter.type)))
        return converted;
    return parameter.value;
}

QString postgresText(const QString &sql, const Parameters &parameters)
{
    const Placeholders placeholders = parse(sql);
    if (placeholders.names.isEmpty())
        return sql;
    QString text = placeholders.text.first();
    for (qsizetype i = 0; i < placeholders.names.size(); ++i) {
        const int index = parameters.indexOf(placeholders.names[i]);
        if (index < 0) {
            text += QStringLiteral("null");
        } else {
            const Parameter &p = parameters.at(index);
            text += postgresLiteral(boundValue(p), p.type);
        }
        text += placeholders.text[i + 1];
    }
    return text;
}

QString isoDateTime(const QDateTime &dateTime)
{
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    if (d.year() < 1 || d.year() > 9999)
        return dateTime.toString(t.msec() != 0 ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                               : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    // Written out directly: a format string is parsed again on each call.
    char text[24];
    int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(),
                               t.hour(), t.minute(), t.second());
    if (t.msec() != 0)
        length += std::snprintf(text + length, sizeof text - size_t(length), ".%03d", t.msec());
    return QString::fromLatin1(text, length);
}

namespace {

QString quoted(QString text)
{
    text.remove(QChar(0)); // the server rejects NUL in text
    text.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString typedNull(QMetaType::Type type)
{
    switch (type) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
        return QStringLiteral("null::integer");
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
        return QStringLiteral("null::bigint");
    case QMetaType::Double:
    case QMetaType::Float:
        return QStringLiteral("null::double precision");
    case QMetaType::Bool:
        return QStringLiteral("null::boolean");
    case QMetaType::QDateTime:
        return QStringLiteral("null::timestamp");
    case QMetaType::QDate:
        return QStringLiteral("null::date");
    case QMetaType::QTime:
        return QStringLiteral("null::time");
    case QMetaType::QByteArray:
        return QStringLiteral("null::bytea");
    default:
        // Untyped, so it takes the type its context gives (text, citext, ...).
        return QStringLiteral("null");
    }
}

} // namespace

QString postgresLiteral(const QVariant &value, QMetaType::Type declaredType)
{
    if (!value.isValid() || value.isNull())
        return typedNull(declaredType != QMetaType::UnknownType ? declaredType
                                                                : QMetaType::Type(value.metaType().id()));
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: {
        // Parenthesised, so "x - :p" with a negative p cannot turn into a comment.
        const QString digits = value.toString();
        return digits.startsWith(QLatin1Char('-')) ? QLatin1Char('(') + digits + QLatin1Char(')') : digits;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (qIsNaN(d))
            return QStringLiteral("'NaN'::double precision");
        if (qIsInf(d))
            return d > 0 ? QStringLiteral("'Infinity'::double precision")
                         : QStringLiteral("'-Infinity'::double precision");
        const QString text = QString::number(d, 'g', QLocale::FloatingPointShortest);
        return QLatin1Char('(') + text + QLatin1Char(')');
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::QDateTime:
        return QStringLiteral("timestamp ") + quoted(isoDateTime(value.toDateTime()));
    case QMetaType::QDate:
        return QStringLiteral("date ") + quoted(value.toDate().toString(QStringLiteral("yyyy-MM-dd")));
    case QMetaType::QTime:
        return QStringLiteral("time ") + quoted(value.toTime().toString(QStringLiteral("HH:mm:ss.zzz")));
    case QMetaType::QByteArray:
        return QStringLiteral("'\\x") + QString::fromLatin1(value.toByteArray().toHex()) + QStringLiteral("'::bytea");
    default:
        return quoted(value.toString());
    }
}

} // namespace db::sqltext
