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

// A column whose texts nearly all differ keeps them in row order: its
// dictionary would cost more than it saves, and a large one slows the fetch
// with cache misses. Early on only a column with hardly a repeat is judged
// so; a few thousand names drawn from a larger set repeat more than that.
bool mostlyDistinct(size_t distinct, size_t texts)
{
    return (distinct > 4096 && distinct * 50 > texts * 49) || (distinct > 16384 && distinct * 10 > texts * 9);
}

constexpr qint64 DayMs = 86400000;

char16_t *decodeUtf8(const char *text, qsizetype length, char16_t *out)
{
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
    return out;
}

template <typename T>
void storeAs(Buffer<std::uint8_t> &bytes, qint64 value)
{
    const T narrow = T(value);
    std::memcpy(bytes.tail(sizeof(T)), &narrow, sizeof(T));
    bytes.commitTail(sizeof(T));
}

void storeWidth(Buffer<std::uint8_t> &bytes, int width, qint64 value)
{
    switch (width) {
    case 0:
        break;
    case 1:
        storeAs<std::int8_t>(bytes, value);
        break;
    case 2:
        storeAs<std::int16_t>(bytes, value);
        break;
    case 4:
        storeAs<std::int32_t>(bytes, value);
        break;
    default:
        storeAs<qint64>(bytes, value);
        break;
    }
}

int widthOf(qint64 v)
{
    if (v == 0)
        return 0;
    if (v >= std::numeric_limits<std::int8_t>::min() && v <= std::numeric_limits<std::int8_t>::max())
        return 1;
    if (v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max())
        return 2;
    if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
        return 4;
    return 8;
}

// A hash of short texts quick enough for every cell of a fetch.
std::uint32_t textHash(QStringView text)
{
    constexpr std::uint64_t Multiplier = 0xFF51AFD7ED558CCDull;
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ std::uint64_t(text.size());
    const auto *p = reinterpret_cast<const char *>(text.utf16());
    size_t bytes = size_t(text.size()) * sizeof(char16_t);
    for (; bytes >= 8; bytes -= 8, p += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, p, 8);
        h = (h ^ chunk) * Multiplier;
        h ^= h >> 29;
    }
    if (bytes) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, p, bytes);
        h = (h ^ chunk) * Multiplier;
    }
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return std::uint32_t(h);
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

void PackedInts::push_back(qint64 value)
{
    const int width = widthOf(value);
    if (width > m_width)
        widen(width);
    storeWidth(m_bytes, m_width, value);
    ++m_size;
}

void PackedInts::set(size_t i, qint64 value)
{
    const int width = widthOf(value);
    if (width > m_width)
        widen(width);
    switch (m_width) {
    case 0:
        break;
    case 1:
        reinterpret_cast<std::int8_t *>(m_bytes.data())[i] = std::int8_t(value);
        break;
    case 2: {
        const auto narrow = std::int16_t(value);
        std::memcpy(m_bytes.data() + i * 2, &narrow, 2);
        break;
    }
    case 4: {
        const auto narrow = std::int32_t(value);
        std::memcpy(m_bytes.data() + i * 4, &narrow, 4);
        break;
    }
    default:
        std::memcpy(m_bytes.data() + i * 8, &value, 8);
        break;
    }
}

void PackedInts::widen(int width)
{
    Buffer<std::uint8_t> wider;
    wider.reserve(m_size * size_t(width) + 16);
    for (size_t i = 0; i < m_size; ++i)
        storeWidth(wider, width, at(i));
    m_bytes = std::move(wider);
    m_width = width;
}

QStringView TextList::write(const char16_t *text, qsizetype length)
{
    char16_t *out = m_chars.tail(size_t(length));
    if (length)
        std::memcpy(out, text, size_t(length) * sizeof(char16_t));
    return QStringView(out, length);
}

QStringView TextList::writeUtf8(const char *text, qsizetype length)
{
    // UTF-16 never needs more units than UTF-8 has bytes.
    char16_t *out = m_chars.tail(size_t(length));
    return QStringView(out, decodeUtf8(text, length, out) - out);
}

void TextList::commit(QStringView written)
{
    m_chars.commitTail(size_t(written.size()));
    m_ends.push_back(std::uint32_t(m_chars.size()));
}

Column::Column(QMetaType::Type type, Store store)
    : m_type(type),
      m_store(Store::Pending)
{
    become(store);
}

void Column::reserve(int rows)
{
    switch (m_store) {
    case Store::Double:
        m_doubles.reserve(size_t(rows));
        break;
    case Store::Text:
        if (!m_dictionary)
            m_texts.reserve(rows);
        break;
    case Store::Variant:
        m_variants.reserve(size_t(rows));
        break;
    default:
        break;
    }
}

void Column::markNull()
{
    const size_t row = size_t(m_rows);
    if (m_nulls.size() <= row >> 6)
        m_nulls.resize((row >> 6) + 1, 0);
    m_nulls[row >> 6] |= std::uint64_t(1) << (row & 63);
}

void Column::appendNull()
{
    switch (m_store) {
    case Store::Pending:
        break;
    case Store::Int:
    case Store::Date:
        m_ints.push_back(0);
        markNull();
        break;
    case Store::Double:
        m_doubles.push_back(0);
        markNull();
        break;
    case Store::Text:
        if (m_dictionary)
            m_ints.push_back(0);
        else
            m_texts.commit(m_texts.write(nullptr, 0));
        markNull();
        break;
    case Store::Variant:
        m_variants.emplace_back();
        break;
    }
    ++m_rows;
}

// Leaves Pending for a typed store, the rows so far being nulls. Text starts
// as a dictionary whose first entry, the empty text, also stands for null.
void Column::become(Store store)
{
    const int rows = m_rows;
    m_store = store;
    m_rows = 0;
    if (store == Store::Text) {
        m_dictionary = true;
        m_texts.commit(m_texts.write(nullptr, 0));
        m_slots.resize(16, 0);
        place(textHash(QStringView()), 0);
    }
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
    m_texts = {};
    m_slots = {};
    m_nulls = {};
    m_dictionary = false;
    m_variants = std::move(cells);
    m_store = Store::Variant;
}

void Column::toPlainText()
{
    TextList plain;
    plain.reserve(m_rows);
    for (int i = 0; i < m_rows; ++i) {
        const QStringView text = textAt(i);
        plain.commit(plain.write(text.utf16(), text.size()));
    }
    m_texts = std::move(plain);
    m_ints = {};
    m_slots = {};
    m_dictionary = false;
}

int Column::findText(QStringView text, std::uint32_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const std::uint64_t slot = m_slots[i];
        if (slot == 0)
            return -1;
        if (std::uint32_t(slot >> 32) != hash)
            continue;
        const auto code = int(std::uint32_t(slot) - 1);
        const QStringView known = m_texts.at(size_t(code));
        if (known == text)
            return code;
    }
}

void Column::place(std::uint32_t hash, int code)
{
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i])
        i = (i + 1) & mask;
    m_slots[i] = std::uint64_t(hash) << 32 | std::uint32_t(code + 1);
}

// Doubles the hash, which keeps each entry's hash beside its code.
void Column::rehash()
{
    Buffer<std::uint64_t> old = std::move(m_slots);
    m_slots = {};
    m_slots.resize(std::max<size_t>(16, old.size() * 2), 0);
    for (size_t i = 0; i < old.size(); ++i) {
        if (old[i])
            place(std::uint32_t(old[i] >> 32), int(std::uint32_t(old[i]) - 1));
    }
}

// The code of a text written past the dictionary's end, entering it when new.
int Column::dictionaryCode(QStringView text)
{
    const std::uint32_t hash = textHash(text);
    const int found = findText(text, hash);
    if (found >= 0)
        return found;
    const int code = int(m_texts.count());
    m_texts.commit(text);
    if (m_texts.count() * 2 > m_slots.size())
        rehash();
    place(hash, code);
    return code;
}

void Column::appendWritten(QStringView text)
{
    ++m_nonNull;
    ++m_rows;
    if (!m_dictionary) {
        m_texts.commit(text);
        return;
    }
    m_ints.push_back(dictionaryCode(text));
    if (mostlyDistinct(m_texts.count(), size_t(m_nonNull)))
        toPlainText();
}

bool Column::appendDateText(QStringView text)
{
    QDate date;
    QTime time;
    bool hasTime = false;
    if (!parseIsoDateTime(text, date, time, hasTime) || (!date.isValid() && m_type != QMetaType::QTime))
        return false;
    m_ints.push_back(dateKey(date, time));
    ++m_rows;
    return true;
}

void Column::appendInt(qint64 value)
{
    if (m_store == Store::Pending)
        become(Store::Int);
    switch (m_store) {
    case Store::Int:
        m_ints.push_back(value);
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
        appendWritten(m_texts.write(text, length));
        return;
    }
    const QStringView view(text, length);
    if (m_store == Store::Date && appendDateText(view))
        return;
    toVariantStore();
    m_variants.push_back(isDateType(m_type) ? dateValueFromText(view, m_type) : QVariant(view.toString()));
    ++m_rows;
}

void Column::appendUtf8(const char *text, qsizetype length)
{
    if (m_store == Store::Pending)
        become(Store::Text);
    if (m_store == Store::Text) {
        appendWritten(m_texts.writeUtf8(text, length));
        return;
    }
    const QString s = QString::fromUtf8(text, length);
    appendText(reinterpret_cast<const char16_t *>(s.utf16()), s.size());
}

void Column::appendVariant(const QVariant &value)
{
    if (variantIsNull(value)) {
        appendNull();
        return;
    }
    qint64 key = 0;
    if (m_store == Store::Date && naiveDateKey(value, key)) {
        m_ints.push_back(key);
        ++m_rows;
        return;
    }
    toVariantStore();
    m_variants.push_back(value);
    ++m_rows;
}

void Column::appendCell(const Column &from, int row)
{
    if (from.isNull(row)) {
        appendNull();
        return;
    }
    // A column without a value yet takes its type from the first, as a read does.
    if (m_store == Store::Pending)
        m_type = from.m_type;
    switch (from.m_store) {
    case Store::Int:
        appendInt(from.intAt(row));
        return;
    case Store::Double:
        appendDouble(from.doubleAt(row));
        return;
    case Store::Text: {
        const QStringView text = from.textAt(row);
        appendText(text.utf16(), text.size());
        return;
    }
    case Store::Date:
        if (m_store == Store::Pending)
            become(Store::Date);
        if (m_store == Store::Date && m_type == from.m_type) {
            m_ints.push_back(from.m_ints.at(size_t(row)));
            ++m_rows;
            return;
        }
        break;
    default:
        break;
    }
    appendVariant(from.value(row));
}

bool Column::naiveDateKey(const QVariant &value, qint64 &key) const
{
    if (value.metaType().id() != m_type)
        return false;
    switch (m_type) {
    case QMetaType::QDate:
        key = dateKey(value.toDate(), QTime());
        return true;
    case QMetaType::QTime:
        key = dateKey(QDate(), value.toTime());
        return true;
    default: {
        // Only local times come back the same from their naive key.
        const QDateTime at = value.toDateTime();
        key = dateKey(at.date(), at.time());
        return at.timeSpec() == Qt::LocalTime;
    }
    }
}

void Column::setNull(int row, bool isNull)
{
    if (isNull)
        m_nulls.resize(std::max(m_nulls.size(), (size_t(row) >> 6) + 1), 0);
    if (size_t(row) >> 6 < m_nulls.size()) {
        const std::uint64_t bit = std::uint64_t(1) << (row & 63);
        m_nulls[size_t(row) >> 6] = isNull ? m_nulls[size_t(row) >> 6] | bit : m_nulls[size_t(row) >> 6] & ~bit;
    }
}

// A cell of a typed store changed in place when the value is of the column's
// own type, so a calculated column stays as compact as a fetched one.
bool Column::setTyped(int row, const QVariant &value)
{
    const bool null = variantIsNull(value);
    const int id = value.metaType().id();
    if (m_store == Store::Pending && !null && id == m_type) {
        if (isIntegerType(m_type) || m_type == QMetaType::Bool)
            become(Store::Int);
        else if (m_type == QMetaType::Double)
            become(Store::Double);
        else if (m_type == QMetaType::QString)
            become(Store::Text);
        else if (isDateType(m_type))
            become(Store::Date);
    }
    qint64 key = 0;
    switch (m_store) {
    case Store::Pending:
        return null;
    case Store::Int:
        if (!null && id != m_type)
            return false;
        m_ints.set(size_t(row), null ? 0 : value.toLongLong());
        break;
    case Store::Double:
        if (!null && id != m_type)
            return false;
        m_doubles[size_t(row)] = null ? 0 : value.toDouble();
        break;
    case Store::Date:
        if (!null && !naiveDateKey(value, key))
            return false;
        m_ints.set(size_t(row), key);
        break;
    case Store::Text: {
        if (!m_dictionary || (!null && id != QMetaType::QString))
            return false;
        const QString text = null ? QString() : value.toString();
        m_ints.set(size_t(row),
                   null ? 0
                        : dictionaryCode(m_texts.write(reinterpret_cast<const char16_t *>(text.utf16()), text.size())));
        break;
    }
    case Store::Variant:
        return false;
    }
    setNull(row, null);
    return true;
}

void Column::set(int row, const QVariant &value)
{
    if (setTyped(row, value))
        return;
    toVariantStore();
    m_variants[size_t(row)] = value;
}

QVariant Column::value(int row) const
{
    if (isNull(row))
        return QVariant();
    switch (m_store) {
    case Store::Int:
        return intVariant(m_ints.at(size_t(row)), m_type);
    case Store::Double:
        return QVariant(m_doubles[size_t(row)]);
    case Store::Text:
        if (isDateType(m_type))
            return dateValueFromText(textAt(row), m_type);
        return QVariant(textAt(row).toString());
    case Store::Date: {
        const qint64 key = m_ints.at(size_t(row));
        qint64 day = key / DayMs;
        qint64 ms = key % DayMs;
        if (ms < 0) {
            ms += DayMs;
            --day;
        }
        const QDate date = QDate::fromJulianDay(day);
        const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms));
        if (m_type == QMetaType::QDate)
            return QVariant(date);
        if (m_type == QMetaType::QTime)
            return QVariant(time);
        return QVariant(QDateTime(date, time));
    }
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
        out = double(m_ints.at(size_t(row)));
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
    case Store::Date:
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
    if (m_store == Store::Date) {
        out = m_ints.at(size_t(row));
        return true;
    }
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
