#include "text_collation.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace db::collation {

namespace {

constexpr char32_t TableSize = 0x250; // Latin blocks: the letters a Polish name can hold
constexpr char32_t LetterBase = 1000;
constexpr char32_t OtherBase = 0x2000;
constexpr std::uint8_t SaturatedRank = 255;

struct Tables
{
    std::array<char32_t, TableSize> fold{};
    std::array<char32_t, TableSize> weight{};
    // Weights of the table as one byte in the same order; the rarest ones share
    // SaturatedRank, which sortPrefix() leaves to the full comparison.
    std::array<std::uint8_t, TableSize> rank{};

    Tables()
    {
        for (char32_t c = 0; c < TableSize; ++c)
            fold[c] = QChar::toCaseFolded(c);
        for (char32_t c = 0; c < TableSize; ++c)
            weight[c] = computeWeight(fold[c]);
        std::vector<char32_t> weights(weight.begin(), weight.end());
        std::sort(weights.begin(), weights.end());
        weights.erase(std::unique(weights.begin(), weights.end()), weights.end());
        for (char32_t c = 0; c < TableSize; ++c) {
            const auto at = std::lower_bound(weights.begin(), weights.end(), weight[c]) - weights.begin();
            rank[c] = std::uint8_t(std::min<std::ptrdiff_t>(at + 1, SaturatedRank));
        }
    }

    static char32_t letterWeight(char32_t lower) { return LetterBase + (lower - 'a') * 4; }

    static char32_t computeWeight(char32_t f)
    {
        if (f >= 'a' && f <= 'z')
            return letterWeight(f);
        if (f >= '0' && f <= '9')
            return 500 + (f - '0');
        // The Polish letters follow their base letter, ż after ź.
        struct PolishLetter
        {
            char16_t letter;
            char base;
            int step;
        };
        static constexpr PolishLetter Polish[] = {{u'ą', 'a', 1}, {u'ć', 'c', 1}, {u'ę', 'e', 1},
                                                  {u'ł', 'l', 1}, {u'ń', 'n', 1}, {u'ó', 'o', 1},
                                                  {u'ś', 's', 1}, {u'ź', 'z', 1}, {u'ż', 'z', 2}};
        for (const PolishLetter &p : Polish)
            if (f == p.letter)
                return letterWeight(char32_t(p.base)) + p.step;
        // Other accented letters weigh as their base letter and differ only in
        // the tie-break, as ICU's Polish order on the server has it.
        const QString decomposition = QChar(char16_t(f)).decomposition();
        if (!decomposition.isEmpty()) {
            const char16_t base = QChar::toCaseFolded(decomposition.at(0).unicode());
            if (base >= 'a' && base <= 'z')
                return letterWeight(base);
        }
        if (QChar::isLetter(f))
            return OtherBase + f;
        return f < 500 ? f : OtherBase + f;
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

inline char32_t foldOf(const Tables &t, char32_t cp)
{
    return cp < TableSize ? t.fold[cp] : QChar::toCaseFolded(cp);
}

inline char32_t weightOf(const Tables &t, char32_t folded)
{
    return folded < TableSize ? t.weight[folded] : OtherBase + folded;
}

// Reads one code point from UTF-16.
struct Utf16Reader
{
    const char16_t *p;
    const char16_t *end;
    bool atEnd() const { return p >= end; }
    char32_t next()
    {
        const char16_t c = *p++;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            return QChar::surrogateToUcs4(c, *p++);
        return c;
    }
};

// Reads one code point from UTF-8 (malformed bytes pass through as themselves).
struct Utf8Reader
{
    const unsigned char *p;
    const unsigned char *end;
    bool atEnd() const { return p >= end; }
    char32_t next()
    {
        const unsigned char c = *p++;
        if (c < 0x80)
            return c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = c & (0x3F >> extra);
        while (extra-- > 0 && p < end && (*p & 0xC0) == 0x80)
            cp = (cp << 6) | (*p++ & 0x3F);
        return cp;
    }
};

Utf16Reader reader(QStringView s)
{
    return {reinterpret_cast<const char16_t *>(s.utf16()), reinterpret_cast<const char16_t *>(s.utf16()) + s.size()};
}

Utf8Reader reader(const char *s, int length)
{
    const auto *p = reinterpret_cast<const unsigned char *>(s);
    return {p, p + (length < 0 ? 0 : length)};
}

template <typename Reader>
int compareWith(Reader a, Reader b)
{
    const Tables &t = tables();
    int tie = 0;
    while (!a.atEnd() && !b.atEnd()) {
        const char32_t fa = foldOf(t, a.next());
        const char32_t fb = foldOf(t, b.next());
        if (fa == fb)
            continue;
        const char32_t wa = weightOf(t, fa);
        const char32_t wb = weightOf(t, fb);
        if (wa != wb)
            return wa < wb ? -1 : 1;
        if (tie == 0)
            tie = fa < fb ? -1 : 1;
    }
    if (!a.atEnd())
        return 1;
    if (!b.atEnd())
        return -1;
    return tie;
}

template <typename Reader>
void foldInto(Reader r, std::u32string &out)
{
    const Tables &t = tables();
    out.clear();
    while (!r.atEnd())
        out.push_back(foldOf(t, r.next()));
}

// Pattern tokens: code points, or these two markers (above the Unicode range).
constexpr char32_t AnyOne = 0x110000;
constexpr char32_t AnyMany = 0x110001;

template <typename Reader>
void compilePattern(Reader r, char32_t escape, std::u32string &out)
{
    const Tables &t = tables();
    out.clear();
    while (!r.atEnd()) {
        char32_t c = r.next();
        if (escape != 0 && c == escape && !r.atEnd()) {
            out.push_back(foldOf(t, r.next()));
            continue;
        }
        if (c == '%') {
            if (out.empty() || out.back() != AnyMany)
                out.push_back(AnyMany);
        } else if (c == '_') {
            out.push_back(AnyOne);
        } else {
            out.push_back(foldOf(t, c));
        }
    }
}

bool matchTokens(const std::u32string &text, const std::u32string &pattern)
{
    size_t ti = 0, pi = 0;
    size_t starP = std::u32string::npos, starT = 0;
    while (ti < text.size()) {
        if (pi < pattern.size() && (pattern[pi] == AnyOne || pattern[pi] == text[ti])) {
            ++ti;
            ++pi;
        } else if (pi < pattern.size() && pattern[pi] == AnyMany) {
            starP = pi++;
            starT = ti;
        } else if (starP != std::u32string::npos) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < pattern.size() && pattern[pi] == AnyMany)
        ++pi;
    return pi == pattern.size();
}

} // namespace

char32_t fold(char32_t cp)
{
    return foldOf(tables(), cp);
}

int compare(QStringView a, QStringView b)
{
    return compareWith(reader(a), reader(b));
}

int compareUtf8(const char *a, int aLength, const char *b, int bLength)
{
    return compareWith(reader(a, aLength), reader(b, bLength));
}

bool equal(QStringView a, QStringView b)
{
    const Tables &t = tables();
    Utf16Reader ra = reader(a), rb = reader(b);
    while (!ra.atEnd() && !rb.atEnd()) {
        if (foldOf(t, ra.next()) != foldOf(t, rb.next()))
            return false;
    }
    return ra.atEnd() && rb.atEnd();
}

bool startsWith(QStringView text, QStringView prefix)
{
    const Tables &t = tables();
    Utf16Reader rt = reader(text), rp = reader(prefix);
    while (!rp.atEnd()) {
        if (rt.atEnd() || foldOf(t, rt.next()) != foldOf(t, rp.next()))
            return false;
    }
    return true;
}

QString folded(QStringView text)
{
    std::u32string f;
    foldInto(reader(text), f);
    return QString::fromUcs4(f.data(), qsizetype(f.size()));
}

SortPrefix sortPrefix(QStringView text)
{
    const Tables &t = tables();
    std::uint64_t parts[3] = {0, 0, 0};
    Utf16Reader r = reader(text);
    for (int i = 0; i < 24 && !r.atEnd(); ++i) {
        const char32_t f = foldOf(t, r.next());
        const std::uint8_t rank = f < TableSize ? t.rank[f] : SaturatedRank;
        parts[i / 8] |= std::uint64_t(rank) << (56 - 8 * (i % 8));
        if (rank == SaturatedRank) {
            // Weights past this one are unknown here: equal prefixes send the
            // pair to compare().
            for (int j = i + 1; j < 24; ++j)
                parts[j / 8] |= std::uint64_t(SaturatedRank) << (56 - 8 * (j % 8));
            break;
        }
    }
    return {parts[0], parts[1], parts[2]};
}

void appendFolded(QStringView text, QByteArray &out)
{
    const Tables &t = tables();
    const qsizetype old = out.size();
    out.resize(old + text.size() * 3);
    char *p = out.data() + old;
    for (Utf16Reader r = reader(text); !r.atEnd();) {
        if (*r.p < 0x80) {
            *p++ = char(t.fold[*r.p++]);
            continue;
        }
        const char32_t f = foldOf(t, r.next());
        if (f < 0x800) {
            *p++ = char(0xC0 | (f >> 6));
        } else {
            if (f < 0x10000) {
                *p++ = char(0xE0 | (f >> 12));
            } else {
                *p++ = char(0xF0 | (f >> 18));
                *p++ = char(0x80 | ((f >> 12) & 0x3F));
            }
            *p++ = char(0x80 | ((f >> 6) & 0x3F));
        }
        *p++ = char(0x80 | (f & 0x3F));
    }
    out.resize(p - out.data());
}

bool likeUtf8(const char *text, int textLength, const char *pattern, int patternLength, char32_t escape)
{
    thread_local std::u32string t, p;
    foldInto(reader(text, textLength), t);
    compilePattern(reader(pattern, patternLength), escape, p);
    return matchTokens(t, p);
}

} // namespace db::collation
