#include "ramka/filters/date_sql.h"

#include "day_time.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace partners {

namespace {

const QString ResstringsPrefix = QStringLiteral("Resstrings_IDS_");

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Walks a command outside quotes and comments, calling `onPlaceholder` for
// each :name (a "::" cast is not one); returns the text with every
// placeholder replaced by what the callback returns.
template <typename OnPlaceholder>
QString scanPlaceholders(const QString &sql, OnPlaceholder onPlaceholder)
{
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n && sql[j] != c)
                ++j;
            out += QStringView(sql).mid(i, j + 1 - i);
            i = j + 1;
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            qsizetype j = sql.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
            out += QStringView(sql).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            qsizetype j = sql.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out += QStringView(sql).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char(':') && next == QLatin1Char(':')) {
            out += QStringLiteral("::");
            i += 2;
        } else if (c == QLatin1Char(':') && (next.isLetter() || next == QLatin1Char('_'))) {
            qsizetype j = i + 1;
            while (j < n && isIdentifierChar(sql[j]))
                ++j;
            const QString name = sql.mid(i + 1, j - i - 1);
            out += onPlaceholder(name, QStringView(sql).mid(i, j - i).toString());
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString dateValueLiteral(const db::Dialect &dialect, double days)
{
    if (db::DayTime::hasTimeOfDay(days))
        return dialect.dateTimeLiteral(db::DayTime::toDateTime(days));
    return dialect.dateLiteral(db::DayTime::toDate(days));
}

} // namespace

// ---- ktora_data ------------------------------------------------------------------

QList<DateColumnItem> dateColumnItems(const QList<db::FieldDef> &fields, const QList<GridColumnInfo> &grid,
                                      const Translate &translate)
{
    QList<DateColumnItem> items;
    const QString prefix = translate(QStringLiteral("Resstrings_IDS_wedlug_skrot"));
    for (const db::FieldDef &field : fields) {
        if (field.kind != db::FieldKind::Data || (field.type != QMetaType::QDateTime && field.type != QMetaType::QDate))
            continue;
        for (const GridColumnInfo &column : grid) {
            if (column.fieldName.compare(field.name, Qt::CaseInsensitive) != 0 || column.title.isEmpty())
                continue;
            const QString title = column.title.startsWith(ResstringsPrefix) ? translate(column.title) : column.title;
            items.append({field.name, prefix + QLatin1Char(' ') + title});
            break;
        }
    }
    return items;
}

int defaultDateColumnIndex(const QStringList &kolumnyDat, const QString &domyslnaKolumnaDaty)
{
    if (domyslnaKolumnaDaty.isEmpty())
        return 0;
    const int index = int(kolumnyDat.indexOf(domyslnaKolumnaDaty));
    return index < 0 ? 0 : index;
}

bool dateColumnChoiceVisible(int itemCount, int selectedIndex)
{
    return !(itemCount == 1 && selectedIndex >= 0);
}

// ---- command text ----------------------------------------------------------------

namespace {

struct WhereSplit
{
    qsizetype tailStart = -1; // first character after "where"
    QString column;
};

WhereSplit findDateColumn(const QString &sql)
{
    WhereSplit split;
    static const QRegularExpression where(QStringLiteral("\\bwhere\\b"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch whereMatch = where.match(sql);
    if (!whereMatch.hasMatch())
        return split;
    split.tailStart = whereMatch.capturedEnd();
    const QString tail = sql.mid(split.tailStart);
    static const QRegularExpression colonBound(QStringLiteral(">=\\s*:okres_od(?![A-Za-z0-9_])"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression atBound(QStringLiteral(">=\\s*@okres_od(?![A-Za-z0-9_])"),
                                            QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch bound = colonBound.match(tail);
    if (!bound.hasMatch())
        bound = atBound.match(tail);
    if (!bound.hasMatch())
        return split;
    qsizetype end = bound.capturedStart();
    while (end > 0 && tail[end - 1].isSpace())
        --end;
    qsizetype begin = end;
    static const QString stops = QStringLiteral(" \n\r\t()");
    while (begin > 0 && !stops.contains(tail[begin - 1]))
        --begin;
    split.column = tail.mid(begin, end - begin);
    return split;
}

} // namespace

QString dateColumnOfWhere(const QString &commandText)
{
    return findDateColumn(commandText).column;
}

QString withDateColumn(const QString &commandText, const QString &column)
{
    static const QRegularExpression plainIdentifier(
        QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*(\\.[A-Za-z_][A-Za-z0-9_]*)*$"));
    const WhereSplit split = findDateColumn(commandText);
    if (split.column.isEmpty() || !plainIdentifier.match(column).hasMatch())
        return commandText;
    // Whole names only, so that a column such as data_od1 or a :placeholder keeps its name.
    const QRegularExpression occurrence(
        QStringLiteral("(?<![A-Za-z0-9_.:@])%1(?![A-Za-z0-9_])").arg(QRegularExpression::escape(split.column)),
        QRegularExpression::CaseInsensitiveOption);
    QString tail = commandText.mid(split.tailStart);
    tail.replace(occurrence, column);
    return commandText.left(split.tailStart) + tail;
}

QStringList commandParameters(const QString &commandText)
{
    QStringList names;
    QSet<QString> seen;
    scanPlaceholders(commandText, [&](const QString &name, const QString &original) {
        if (!seen.contains(name.toLower())) {
            seen.insert(name.toLower());
            names.append(name);
        }
        return original;
    });
    return names;
}

DateParameterBinding bindDateParameters(const QString &commandText, const DateRange &range, const db::Dialect &dialect,
                                        const DateParameterOptions &options)
{
    DateParameterBinding binding;
    QSet<QString> declared;
    for (const QString &name : commandParameters(commandText))
        declared.insert(name.toLower());

    QHash<QString, QString> literals;
    for (const char *suffix : {"", "1", "2"}) {
        const QString startName = QStringLiteral("okres_od") + QLatin1String(suffix);
        if (declared.contains(startName)) {
            const QDate serverDay = db::DayTime::fromServerDayNumber(db::DayTime::serverDayNumber(range.start));
            BoundDateParameter p{startName, db::DayTime::toDateTime(range.start), dialect.dateLiteral(serverDay)};
            literals.insert(startName, p.literal);
            binding.parameters.append(p);
        }
        const QString endName = QStringLiteral("okres_do") + QLatin1String(suffix);
        if (!declared.contains(endName))
            continue;
        BoundDateParameter p{endName, {}, {}};
        if (std::floor(range.end) < 1) {
            const int openEnd = options.smallDateEnds.contains(endName, Qt::CaseInsensitive)
                ? db::DayTime::OpenEndSmallDate
                : db::DayTime::OpenEnd;
            p.value = openEnd;
            p.literal = dialect.dateLiteral(db::DayTime::fromServerDayNumber(openEnd));
        } else {
            double end = range.end;
            if (options.endPickerMonthMode) {
                const QDate d = db::DayTime::toDate(end);
                // Month-mode ends are 0.9999 past midnight, not EndOfDay.
                end = db::DayTime::fromDate(QDate(d.year(), d.month(), 1).addMonths(1).addDays(-1)) + 0.9999;
            }
            p.value = db::DayTime::toDateTime(end);
            p.literal = dateValueLiteral(dialect, end);
        }
        literals.insert(endName, p.literal);
        binding.parameters.append(p);
    }

    binding.commandText = scanPlaceholders(commandText, [&](const QString &name, const QString &original) {
        return literals.value(name.toLower(), original);
    });
    return binding;
}

QString dateFilteredCommand(const QString &baseCommand, const QString &dateColumn, const DateRange &range,
                            const db::Dialect &dialect, const DateParameterOptions &options)
{
    const QString text = dateColumn.isEmpty() ? baseCommand : withDateColumn(baseCommand, dateColumn);
    return bindDateParameters(text, {range.start, effectiveEnd(range.end)}, dialect, options).commandText;
}

} // namespace partners
