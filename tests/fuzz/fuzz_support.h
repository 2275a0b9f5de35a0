#pragma once

#include "dataset.h"
#include "db_error.h"

#include <QDateTime>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace Qt::StringLiterals;

// A broken invariant stops the run so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition, what)                                                                                    \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "invariant broken: %s\n", qPrintable(QString(what).replace(QChar(0), "\\0"_L1)));     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

inline QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A few rows with nulls, Polish letters, apostrophes and numbers kept as text.
inline db::DataSet &sampleRows()
{
    static db::DataSet *rows = [] {
        auto *set = new db::DataSet;
        auto at = [](int m, int d, int h) { return QVariant(QDateTime(QDate(2026, m, d), QTime(h, 30))); };
        set->openFromRows({{"id", QMetaType::Int},
                           {"nazwa", QMetaType::QString},
                           {"miasto", QMetaType::QString},
                           {"kwota", QMetaType::Double},
                           {"kod", QMetaType::QString},
                           {"data", QMetaType::QDateTime}},
                          {{1, "Alfa", "Łódź", 10.5, "10", at(5, 1, 10)},
                           {2, "O'Brien", "Gdańsk", 0.0, "9", at(5, 15, 0)},
                           {3, "beta 100%", "łódź", -3.0, "abc", QVariant()},
                           {4, QVariant(), "Warszawa", QVariant(), "010", at(6, 1, 12)},
                           {5, "Żabka_1", QVariant(), 100.0, QVariant(), QVariant(QDate(1899, 12, 30))}});
        return set;
    }();
    return *rows;
}

// The ids the filter lets through; nothing when it is refused.
inline std::optional<std::vector<int>> filteredIds(const QString &filter)
{
    db::DataSet &rows = sampleRows();
    try {
        rows.setFilter(filter);
    } catch (const db::DbError &) {
        return std::nullopt;
    }
    std::vector<int> ids;
    for (rows.first(); !rows.eof(); rows.next())
        ids.push_back(rows.value(0).toInt());
    return ids;
}
