#pragma once

#include <QMetaType>

namespace db {

// How binding, filters, sorting, the grid and searches treat a field's type.
constexpr bool isIntegerType(QMetaType::Type type)
{
    switch (type) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// Integers whose every value fits 32 bits.
constexpr bool isNarrowIntegerType(QMetaType::Type type)
{
    return type == QMetaType::Int || type == QMetaType::Short || type == QMetaType::UShort;
}

constexpr bool isFloatingType(QMetaType::Type type)
{
    return type == QMetaType::Double || type == QMetaType::Float;
}

constexpr bool isDateType(QMetaType::Type type)
{
    return type == QMetaType::QDateTime || type == QMetaType::QDate || type == QMetaType::QTime;
}

} // namespace db
