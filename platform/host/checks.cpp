#include "checks.h"

#include <QRegularExpression>
#include <QStringList>

namespace host {

bool Sprawdz_nip(const QString &text)
{
    QString digits = text.trimmed();
    digits.remove(QLatin1Char(' ')).remove(QLatin1Char('-'));
    if (digits.startsWith(QLatin1String("PL"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    if (digits.size() != 10)
        return false;
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    static constexpr int Weights[9] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += Weights[i] * digits.at(i).digitValue();
    const int check = sum % 11;
    return check != 10 && check == digits.at(9).digitValue();
}

bool CzyNipEuro(const QString &text)
{
    for (QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

bool IsEmailValidate(const QString &text)
{
    // Local part: the usual unquoted characters, dots not doubled nor at its
    // ends. Domain: labels of letters, digits and inner hyphens, a top-level
    // label of at least two letters.
    static const QRegularExpression pattern(
        QStringLiteral("^[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+(\\.[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+)*"
                       "@([\\p{L}\\p{N}]([\\p{L}\\p{N}-]*[\\p{L}\\p{N}])?\\.)+\\p{L}{2,}$"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QString t = text.trimmed();
    return t.size() <= 254 && pattern.match(t).hasMatch();
}

QString Usun_znaki_niedozwolone(const QString &text, const QString &replacement)
{
    static const QString Forbidden = QStringLiteral("\\/:*?\"<>|");
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (Forbidden.contains(c) || c.unicode() < 0x20)
            result += replacement;
        else
            result += c;
    }
    return result;
}

QString Sprawdz_czy_sensowny_numer(const QString &text)
{
    QString name = Usun_znaki_niedozwolone(text).trimmed();
    // Trailing dots and blanks are dropped by some file systems and make ".." possible.
    while (!name.isEmpty() && (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))))
        name.chop(1);
    while (!name.isEmpty() && (name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char(' '))))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("_") : name;
}

namespace {

// Legal forms, longest first so that "sp. z o.o." wins over "sp.".
const QList<QRegularExpression> &legalForms()
{
    static const QList<QRegularExpression> forms = [] {
        const QStringList patterns = {
            QStringLiteral("spółk[aię]\\s+z\\s+ograniczoną\\s+odpowiedzialnością"),
            QStringLiteral("spółk[aię]\\s+komandytowo[\\s-]*akcyjn[aąe]"),
            QStringLiteral("spółk[aię]\\s+(akcyjn[aąe]|jawn[aąe]|komandytow[aąe]|cywiln[aąe]|partnersk[aąe])"),
            QStringLiteral("sp\\.?\\s*z\\s*o\\.?\\s*o\\.?"),
            QStringLiteral("s\\.\\s*k\\.\\s*a\\.?"),
            QStringLiteral("sp\\.\\s*[jkp]\\.?"),
            QStringLiteral("sp\\s+[jkp]\\."),
            QStringLiteral("s\\.?\\s*a\\."),
            QStringLiteral("s\\.?\\s*c\\."),
            QStringLiteral("sa"),
            QStringLiteral("sc"),
            QStringLiteral("gmbh(\\s*&\\s*co\\.?\\s*kg)?"),
            QStringLiteral("ltd\\.?"),
            QStringLiteral("inc\\.?"),
            QStringLiteral("llc"),
            QStringLiteral("s\\.?\\s*r\\.?\\s*o\\."),
        };
        QList<QRegularExpression> result;
        for (const QString &p : patterns)
            result << QRegularExpression(
                QStringLiteral("(?<![\\p{L}\\p{N}])(") + p + QStringLiteral(")(?![\\p{L}\\p{N}])"),
                QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
        return result;
    }();
    return forms;
}

bool isUpperWord(const QString &word)
{
    int letters = 0;
    for (QChar c : word) {
        if (c.isLetter()) {
            if (!c.isUpper())
                return false;
            ++letters;
        }
    }
    return letters >= 2;
}

bool isNumber(const QString &word)
{
    if (word.isEmpty())
        return false;
    for (QChar c : word)
        if (!c.isDigit())
            return false;
    return true;
}

} // namespace

QString ZbudujSkrotFirmy(const QString &name, int maxLength)
{
    QString rest = name;
    for (const QRegularExpression &form : legalForms())
        rest.replace(form, QStringLiteral(" "));
    // Quotes of all kinds and separators that are not part of a word.
    static const QRegularExpression noise(QStringLiteral("[\"'„”“«»,;()\\[\\]]"));
    rest.replace(noise, QStringLiteral(" "));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList words = rest.split(blanks, Qt::SkipEmptyParts);
    // Lone punctuation ("&", "-", "+") left between words carries no initial.
    words.removeIf([](const QString &w) {
        for (QChar c : w)
            if (c.isLetterOrNumber())
                return false;
        return true;
    });

    QString result;
    if (words.size() == 1) {
        result = words.first().toUpper();
        // Keep the dots of "P.P.H.U." out, keep a hyphen of "Trans-Pol".
        result.remove(QLatin1Char('.'));
    } else {
        for (const QString &word : words) {
            const QString bare = QString(word).remove(QLatin1Char('.'));
            if (isUpperWord(bare) || isNumber(bare)) {
                result += bare;
                continue;
            }
            for (const QString &part : bare.split(QLatin1Char('-'), Qt::SkipEmptyParts)) {
                for (QChar c : part) {
                    if (c.isLetterOrNumber()) {
                        result += c.toUpper();
                        break;
                    }
                }
            }
        }
    }
    if (maxLength > 0 && result.size() > maxLength)
        result = wholeCharacters(result.left(maxLength));
    return result;
}

QString wholeCharacters(QString text)
{
    if (QStringView(text).isValidUtf16())
        return text;
    // Backwards, so that what is still to be looked at has not moved.
    for (qsizetype i = text.size(); i-- > 0;) {
        const QChar c = text.at(i);
        const bool lone = c.isHighSurrogate() ? i + 1 == text.size() || !text.at(i + 1).isLowSurrogate()
                                              : c.isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate());
        if (lone)
            text.remove(i, 1);
    }
    return text;
}

QString ZwrocBazowaWartoscKomponentu(const QString &name)
{
    static const QRegularExpression suffix(QStringLiteral("_\\d+$"));
    QString base = name;
    base.remove(suffix);
    return base;
}

} // namespace host
