#pragma once

#include "field_type.h"

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <vector>

namespace db::detail {

// How a column holds its cells. Typed stores keep a result of 1,000,000 rows
// of 60 columns compact: no heap allocation per cell, narrow integers, and
// repeating text stored once.
enum class Store : std::uint8_t { Pending, Int, Double, Text, Date, Variant };

// A growable array of plain values on realloc: a large one grows by remapping
// its pages instead of copying them, so a fetch holds no second copy.
template <typename T>
class Buffer
{
    static_assert(std::is_trivially_copyable_v<T>);

public:
    Buffer() = default;
    Buffer(const Buffer &other) { *this = other; }
    Buffer(Buffer &&other) noexcept { swap(other); }
    Buffer &operator=(const Buffer &other);
    Buffer &operator=(Buffer &&other) noexcept
    {
        Buffer(std::move(other)).swap(*this);
        return *this;
    }
    ~Buffer();

    size_t size() const { return m_size; }
    const T *data() const { return m_data; }
    T *data() { return m_data; }
    const T &operator[](size_t i) const { return m_data[i]; }
    T &operator[](size_t i) { return m_data[i]; }
    void reserve(size_t capacity);
    void push_back(T value)
    {
        if (m_size == m_capacity)
            grow(m_size + 1);
        m_data[m_size++] = value;
    }
    // Room for `extra` more values past the end, which stay out of size().
    T *tail(size_t extra)
    {
        if (m_size + extra > m_capacity)
            grow(m_size + extra);
        return m_data + m_size;
    }
    // Takes the `count` values written at tail() into the array.
    void commitTail(size_t count) { m_size += count; }
    void resize(size_t size, T fill = T());

private:
    void grow(size_t needed) { reserve(std::max(needed, m_capacity * 2 + 16)); }
    void swap(Buffer &other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }

    T *m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

// Integers each as wide as the widest one so far needs (0, 1, 2, 4 or 8
// bytes; width 0 holds only zeros).
class PackedInts
{
public:
    size_t size() const { return m_size; }
    qint64 at(size_t i) const
    {
        switch (m_width) {
        case 0:
            return 0;
        case 1:
            return reinterpret_cast<const std::int8_t *>(m_bytes.data())[i];
        case 2:
            return load<std::int16_t>(i);
        case 4:
            return load<std::int32_t>(i);
        default:
            return load<qint64>(i);
        }
    }
    void push_back(qint64 value);
    void set(size_t i, qint64 value);

private:
    template <typename T>
    qint64 load(size_t i) const
    {
        T v;
        std::memcpy(&v, m_bytes.data() + i * sizeof(T), sizeof(T));
        return v;
    }
    void widen(int width);

    Buffer<std::uint8_t> m_bytes;
    size_t m_size = 0;
    int m_width = 0;
};

// Texts one after another in one character buffer.
class TextList
{
public:
    size_t count() const { return m_ends.size(); }
    QStringView at(size_t i) const
    {
        const std::uint32_t begin = i ? m_ends[i - 1] : 0;
        return QStringView(m_chars.data() + begin, qsizetype(m_ends[i] - begin));
    }
    // Writes a text past the last one; it becomes one by commit().
    QStringView write(const char16_t *text, qsizetype length);
    QStringView writeUtf8(const char *text, qsizetype length);
    void commit(QStringView written);
    void reserve(int count) { m_ends.reserve(size_t(count)); }

private:
    Buffer<char16_t> m_chars;
    Buffer<std::uint32_t> m_ends;
};

class Column
{
public:
    explicit Column(QMetaType::Type type = QMetaType::QString, Store store = Store::Pending);

    QMetaType::Type type() const { return m_type; }
    void setType(QMetaType::Type type) { m_type = type; }
    Store store() const { return m_store; }
    int rowCount() const { return m_rows; }
    void reserve(int rows);

    void appendNull();
    void appendInt(qint64 value);
    void appendDouble(double value);
    void appendText(const char16_t *text, qsizetype length);
    void appendUtf8(const char *text, qsizetype length);
    void appendVariant(const QVariant &value);
    // The cell of another column, kept in its typed store where this one allows.
    void appendCell(const Column &from, int row);
    void set(int row, const QVariant &value);

    bool isNull(int row) const
    {
        switch (m_store) {
        case Store::Pending:
            return true;
        case Store::Variant:
            return variantIsNull(m_variants[size_t(row)]);
        default:
            return size_t(row) >> 6 < m_nulls.size() && (m_nulls[size_t(row) >> 6] >> (row & 63)) & 1;
        }
    }
    QVariant value(int row) const;
    // Raw cells of typed stores.
    qint64 intAt(int row) const { return m_ints.at(size_t(row)); }
    double doubleAt(int row) const { return m_doubles[size_t(row)]; }
    QStringView textAt(int row) const
    {
        return m_texts.at(m_dictionary ? size_t(m_ints.at(size_t(row))) : size_t(row));
    }
    const QVariant &variantAt(int row) const { return m_variants[size_t(row)]; }
    // A text column keeping each distinct text once, its rows holding codes.
    bool isDictionary() const { return m_dictionary; }
    int distinctCount() const { return int(m_texts.count()); }
    QStringView distinctText(int code) const { return m_texts.at(size_t(code)); }
    int codeAt(int row) const { return int(m_ints.at(size_t(row))); }

    // A cell as a number when it is one (or text holding one); false otherwise.
    bool numberAt(int row, double &out) const;
    // A cell of a date/time column as naive milliseconds (julian day based).
    bool dateKeyAt(int row, qint64 &out) const;
    // The cell as text, as displayText shows it.
    QString textOf(int row) const;

    static bool isNumericType(QMetaType::Type type)
    {
        return isIntegerType(type) || isFloatingType(type) || type == QMetaType::Bool;
    }
    static bool isDateType(QMetaType::Type type) { return db::isDateType(type); }

private:
    static bool variantIsNull(const QVariant &v) { return !v.isValid() || v.isNull(); }
    void become(Store store);
    void toVariantStore();
    void toPlainText();
    void markNull();
    void setNull(int row, bool isNull);
    bool setTyped(int row, const QVariant &value);
    bool naiveDateKey(const QVariant &value, qint64 &key) const;
    void appendWritten(QStringView text);
    int dictionaryCode(QStringView text);
    bool appendDateText(QStringView text);
    int findText(QStringView text, std::uint32_t hash) const;
    void place(std::uint32_t hash, int code);
    void rehash();

    QMetaType::Type m_type;
    Store m_store;
    // Text kept once per distinct value, the rows holding codes in m_ints.
    bool m_dictionary = false;
    int m_rows = 0;
    int m_nonNull = 0;
    PackedInts m_ints; // numbers, dictionary codes or date keys
    Buffer<double> m_doubles;
    TextList m_texts;
    Buffer<std::uint64_t> m_slots; // dictionary hash: hash << 32 | code + 1, 0 when free
    Buffer<std::uint64_t> m_nulls; // one bit per row, up to the last null
    std::vector<QVariant> m_variants;
};

// Naive (time-zone free) milliseconds of a date/time, comparable across QDate,
// QDateTime and ISO text.
qint64 dateKey(const QDate &date, const QTime &time);
bool parseIsoDateTime(QStringView text, QDate &date, QTime &time, bool &hasTime);
QVariant dateValueFromText(QStringView text, QMetaType::Type type);

template <typename T>
Buffer<T> &Buffer<T>::operator=(const Buffer &other)
{
    if (this != &other) {
        resize(0);
        reserve(other.m_size);
        if (other.m_size)
            std::memcpy(m_data, other.m_data, other.m_size * sizeof(T));
        m_size = other.m_size;
    }
    return *this;
}

template <typename T>
Buffer<T>::~Buffer()
{
    std::free(m_data);
}

template <typename T>
void Buffer<T>::reserve(size_t capacity)
{
    if (capacity <= m_capacity)
        return;
    T *grown = static_cast<T *>(std::realloc(m_data, capacity * sizeof(T)));
    if (!grown)
        throw std::bad_alloc();
    m_data = grown;
    m_capacity = capacity;
}

template <typename T>
void Buffer<T>::resize(size_t size, T fill)
{
    reserve(size);
    for (size_t i = m_size; i < size; ++i)
        m_data[i] = fill;
    m_size = size;
}

} // namespace db::detail
