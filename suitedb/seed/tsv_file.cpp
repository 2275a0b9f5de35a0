#include "tsv_file.h"

#include "db_error.h"

#include <QFile>

// Resources of a shared library register themselves on load; calling the
// initialiser as well keeps them available when the library is linked statically.
static void initSeedResources()
{
    Q_INIT_RESOURCE(seed);
}

namespace suitedb::seed {

namespace {

QString unescape(const QString &field)
{
    if (!field.contains(QLatin1Char('\\')))
        return field;
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c != QLatin1Char('\\') || i + 1 == field.size()) {
            out.append(c);
            continue;
        }
        const QChar next = field.at(++i);
        if (next == QLatin1Char('n'))
            out.append(QLatin1Char('\n'));
        else if (next == QLatin1Char('t'))
            out.append(QLatin1Char('\t'));
        else if (next == QLatin1Char('\\'))
            out.append(QLatin1Char('\\'));
        else
            out.append(c).append(next);
    }
    return out;
}

} // namespace

QString seedFile(const QString &name)
{
    static const bool initialised = (initSeedResources(), true);
    Q_UNUSED(initialised);
    return QStringLiteral(":/suitedb/seed/") + name;
}

QList<TsvRow> readTsv(const QString &path, int minFields)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw db::DbError(QStringLiteral("Cannot read the data file %1").arg(path));
    const QString text = QString::fromUtf8(file.readAll());
    QList<TsvRow> rows;
    int lineNo = 0;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        ++lineNo;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        TsvRow row;
        row.line = lineNo;
        for (QStringView field : line.split(QLatin1Char('\t')))
            row.fields.append(unescape(field.toString()));
        if (row.fields.size() < minFields)
            throw db::DbError(QStringLiteral("%1, line %2: expected %3 fields, found %4")
                                  .arg(path)
                                  .arg(lineNo)
                                  .arg(minFields)
                                  .arg(row.fields.size()));
        rows.append(std::move(row));
    }
    return rows;
}

} // namespace suitedb::seed
