#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <random>

namespace suitedb::demo {

// Deterministic random source: the same seed yields the same sequence on every
// platform (the standard distributions are not portable, so none are used).
class Random
{
public:
    explicit Random(unsigned seed)
        : m_engine(seed)
    {}

    // Uniform integer in [0, n); n > 0.
    int below(int n) { return int(m_engine() % std::uint32_t(n)); }
    // Uniform integer in [low, high].
    int between(int low, int high) { return low + below(high - low + 1); }
    // True with the given chance in percent.
    bool percent(int chance) { return below(100) < chance; }
    char digit() { return char('0' + below(10)); }

    template <typename T>
    const T &pick(const QList<T> &items)
    {
        return items.at(below(int(items.size())));
    }
    template <typename T, std::size_t N>
    const T &pick(const T (&items)[N])
    {
        return items[below(int(N))];
    }

private:
    std::mt19937 m_engine;
};

} // namespace suitedb::demo
