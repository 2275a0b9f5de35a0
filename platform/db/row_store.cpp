#include "row_store.h"

#include "dataset.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <limits>

namespace db::detail {

namespace {

bool digits(QStringView s, qsizetype from, qsizetype count, int &out)
{
    if (from + count > s.size())
        return false;
    int v = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = s[i].unicode();
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

QVariant intVariant(qint64 v, QMetaType::Type type)
{
    if (type == QMetaType::Bool)
        return QVariant(v != 0);
    if (type == QMetaType::Int && v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
        return QVariant(int(v));
    return QVariant(qlonglong(v));
}

} // namespace

qint64 dateKey(const QDate &date, const QTime &time)
{
    return (date.isValid() ? date.toJulianDay() : 0) * 86400000LL + (time.isValid() ? time.msecsSinceStartOfDay() : 0);
}

bool parseIsoDateTime(QStringView text, QDate &date, QTime &time, bool &hasTime)
{
    int y, mo, d, h = 0, mi = 0, s = 0, ms = 0;
    hasTime = false;
    qsizetype pos = 0;
    if (digits(text, 0, 4, y) && text.size() >= 10 && text[4] == u'-' && digits(text, 5, 2, mo) && text[7] == u'-'
        && digits(text, 8, 2, d)) {
        date = QDate(y, mo, d);
        if (!date.isValid())
            return false;
        pos = 10;
        if (pos == text.size()) {
            time = QTime(0, 0);
            return true;
        }
        if (text[pos] != u' ' && text[pos] != u'T')
            return false;
        ++pos;
    } else {
        date = QDate();
    }
    if (!digits(text, pos, 2, h) || pos + 5 > text.size() || text[pos + 2] != u':' || !digits(text, pos + 3, 2, mi))
        return false;
    pos += 5;
    if (pos + 3 <= text.size() && text[pos] == u':' && digits(text, pos + 1, 2, s)) {
        pos += 3;
        if (pos < text.size() && text[pos] == u'.') {
            ++pos;
            int scale = 100;
            while (pos < text.size() && text[pos].isDigit()) {
                ms += (text[pos].unicode() - '0') * scale;
                scale /= 10;
                ++pos;
            }
        }
    }
    time = QTime(h, mi, s, ms);
    hasTime = true;
    return time.isValid();
}

QVariant dateValueFromText(QStringView text, QMetaType::Type type)
{
    QDate date;
    QTime time;
    bool hasTime = false;
    if (!parseIsoDateTime(text, date, time, hasTime))
        return QVariant(text.toString());
    switch (type) {
    case QMetaType::QDate:
        return date.isValid() ? QVariant(date) : QVariant(text.toString());
    case QMetaType::QTime:
        return QVariant(time);
    default:
        return date.isValid() ? QVariant(QDateTime(date, time)) : QVariant(text.toString());
    }
}

Column::Column(QMetaType::Type type, Store store)
    : m_type(type),
      m_store(store)
{
    if (store == Store::Text)
        m_offsets.push_back(0);
}

void Column::reserve(int rows)
{
    switch (m_store) {
    case Store::Int:
        m_ints.reserve(size_t(rows));
        m_nulls.reserve(size_t(rows));
        break;
    case Store::Double:
        m_doubles.reserve(size_t(rows));
        m_nulls.reserve(size_t(rows));
        break;
    case Store::Text:
        m_offsets.reserve(size_t(rows) + 1);
        m_nulls.reserve(size_t(rows));
        break;
    case Store::Variant:
        m_variants.reserve(size_t(rows));
        break;
    case Store::Pending:
        break;
    }
}

void Column::markNull(bool isNull)
{
    m_nulls.push_back(isNull ? 1 : 0);
}

void Column::appendNull()
{
    switch (m_store) {
    case Store::Pending:
        break;
    case Store::Int:
        m_ints.push_back(0);
        markNull(true);
        break;
    case Store::Double:
        m_doubles.push_back(0);
        markNull(true);
        break;
    case Store::Text:
        m_offsets.push_back(m_offsets.back());
        markNull(true);
        break;
    case Store::Variant:
        m_variants.emplace_back();
        break;
    }
    ++m_rows;
}

// Leaves Pending for a typed store, the rows so far being nulls.
void Column::become(Store store)
{
    const int rows = m_rows;
    m_store = store;
    m_rows = 0;
    if (store == Store::Text)
        m_offsets.assign(1, 0);
    for (int i = 0; i < rows; ++i)
        appendNull();
}

void Column::toVariantStore()
{
    if (m_store == Store::Variant)
        return;
    std::vector<QVariant> cells;
    cells.reserve(size_t(m_rows));
    for (int i = 0; i < m_rows; ++i)
        cells.push_back(m_store == Store::Pending ? QVariant() : value(i));
    m_ints = {};
    m_doubles = {};
    m_offsets = {};
    m_chars = {};
    m_nulls = {};
    m_variants = std::move(cells);
    m_store = Store::Variant;
}

void Column::appendInt(qint64 value)
{
    if (m_store == Store::Pending)
        become(Store::Int);
    switch (m_store) {
    case Store::Int:
        m_ints.push_back(value);
        markNull(false);
        ++m_rows;
        break;
    case Store::Double:
        appendDouble(double(value));
        break;
    default:
        toVariantStore();
        m_variants.push_back(intVariant(value, m_type));
        ++m_rows;
        break;
    }
}

void Column::appendDouble(double value)
{
    if (m_store == Store::Pending)
        become(Store::Double);
    if (m_store == Store::Double) {
        m_doubles.push_back(value);
        markNull(false);
        ++m_rows;
        return;
    }
    toVariantStore();
    m_variants.emplace_back(value);
    ++m_rows;
}

void Column::appendText(const char16_t *text, qsizetype length)
{
    if (m_store == Store::Pending)
        become(Store::Text);
    if (m_store == Store::Text) {
        m_chars.insert(m_chars.end(), text, text + length);
        m_offsets.push_back(std::uint32_t(m_chars.size()));
        markNull(false);
        ++m_rows;
        return;
    }
    toVariantStore();
    const QStringView view(text, length);
    m_variants.push_back(isDateType(m_type) ? dateValueFromText(view, m_type) : QVariant(view.toString()));
    ++m_rows;
}

void Column::appendUtf8(const char *text, qsizetype length)
{
    if (m_store == Store::Pending)
        become(Store::Text);
    if (m_store != Store::Text) {
        const QString s = QString::fromUtf8(text, length);
        appendText(reinterpret_cast<const char16_t *>(s.utf16()), s.size());
        return;
    }
    // Decoded in place: UTF-16 never needs more units than UTF-8 has bytes.
    const size_t start = m_chars.size();
    m_chars.resize(start + size_t(length));
    char16_t *out = m_chars.data() + start;
    const auto *p = reinterpret_cast<const unsigned char *>(text);
    const auto *end = p + length;
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            *out++ = c;
            ++p;
            continue;
        }
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = c & (0x3F >> extra);
        ++p;
        while (extra-- > 0 && p < end && (*p & 0xC0) == 0x80)
            cp = (cp << 6) | (*p++ & 0x3F);
        if (cp >= 0x10000) {
            *out++ = QChar::highSurrogate(cp);
            *out++ = QChar::lowSurrogate(cp);
        } else {
            *out++ = char16_t(cp);
        }
    }
    m_chars.resize(size_t(out - m_chars.data()));
    m_offsets.push_back(std::uint32_t(m_chars.size()));
    markNull(false);
    ++m_rows;
}

void Column::appendVariant(const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        appendNull();
        return;
    }
    toVariantStore();
    m_variants.push_back(value);
    ++m_rows;
}

void Column::set(int row, const QVariant &value)
{
    toVariantStore();
    m_variants[size_t(row)] = value;
}

bool Column::isNull(int row) const
{
    switch (m_store) {
    case Store::Pending:
        return true;
    case Store::Variant: {
        const QVariant &v = m_variants[size_t(row)];
        return !v.isValid() || v.isNull();
    }
    default:
        return m_nulls[size_t(row)] != 0;
    }
}

QVariant Column::value(int row) const
{
    if (isNull(row))
        return QVariant();
    switch (m_store) {
    case Store::Int:
        return intVariant(m_ints[size_t(row)], m_type);
    case Store::Double:
        return QVariant(m_doubles[size_t(row)]);
    case Store::Text:
        if (isDateType(m_type))
            return dateValueFromText(textAt(row), m_type);
        return QVariant(textAt(row).toString());
    case Store::Variant:
        return m_variants[size_t(row)];
    case Store::Pending:
        break;
    }
    return QVariant();
}

bool Column::numberAt(int row, double &out) const
{
    if (isNull(row))
        return false;
    switch (m_store) {
    case Store::Int:
        out = double(m_ints[size_t(row)]);
        return true;
    case Store::Double:
        out = m_doubles[size_t(row)];
        return true;
    case Store::Text: {
        bool ok = false;
        out = textAt(row).trimmed().toDouble(&ok);
        return ok;
    }
    case Store::Variant: {
        const QVariant &v = m_variants[size_t(row)];
        const int id = v.metaType().id();
        if (id == QMetaType::QString) {
            bool ok = false;
            out = v.toString().trimmed().toDouble(&ok);
            return ok;
        }
        if (id == QMetaType::QDate || id == QMetaType::QDateTime || id == QMetaType::QTime
            || id == QMetaType::QByteArray)
            return false;
        bool ok = false;
        out = v.toDouble(&ok);
        return ok;
    }
    case Store::Pending:
        break;
    }
    return false;
}

bool Column::dateKeyAt(int row, qint64 &out) const
{
    if (isNull(row))
        return false;
    QDate date;
    QTime time;
    if (m_store == Store::Text) {
        bool hasTime = false;
        if (!parseIsoDateTime(textAt(row), date, time, hasTime))
            return false;
    } else if (m_store == Store::Variant) {
        const QVariant &v = m_variants[size_t(row)];
        switch (v.metaType().id()) {
        case QMetaType::QDateTime:
            date = v.toDateTime().date();
            time = v.toDateTime().time();
            break;
        case QMetaType::QDate:
            date = v.toDate();
            break;
        case QMetaType::QTime:
            time = v.toTime();
            break;
        case QMetaType::QString: {
            bool hasTime = false;
            if (!parseIsoDateTime(v.toString(), date, time, hasTime))
                return false;
            break;
        }
        default:
            return false;
        }
    } else {
        return false;
    }
    out = dateKey(date, time);
    return true;
}

QString Column::textOf(int row) const
{
    if (m_store == Store::Text && !isDateType(m_type))
        return isNull(row) ? QString() : textAt(row).toString();
    return DataSet::displayTextOf(value(row), m_type);
}

} // namespace db::detail
