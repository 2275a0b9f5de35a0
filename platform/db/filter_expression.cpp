#include "filter_expression.h"

#include "db_error.h"
#include "text_collation.h"

#include <QDate>
#include <QTime>
#include <string_view>

namespace db::filter {

namespace {

struct Token
{
    enum class Type { End, Name, String, Number, Date, Operator, Open, Close };
    Type type = Type::End;
    QString text;
    bool bracketed = false;
    int position = 0; // 0-based
};

[[noreturn]] void fail(const QString &expression, const QString &problem, int position)
{
    throw DbError(QStringLiteral("Invalid filter \"%1\": %2 at position %3")
                      .arg(expression, problem, QString::number(position + 1)));
}

class Tokenizer
{
public:
    explicit Tokenizer(const QString &text)
        : m_text(text)
    {}

    std::vector<Token> run()
    {
        std::vector<Token> tokens;
        const qsizetype n = m_text.size();
        qsizetype i = 0;
        while (true) {
            while (i < n && m_text[i].isSpace())
                ++i;
            Token t;
            t.position = int(i);
            if (i >= n) {
                tokens.push_back(t);
                return tokens;
            }
            const QChar c = m_text[i];
            if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
                t.type = c == QLatin1Char('(') ? Token::Type::Open : Token::Type::Close;
                ++i;
            } else if (c == QLatin1Char('\'')) {
                t.type = Token::Type::String;
                ++i;
                bool closed = false;
                while (i < n) {
                    if (m_text[i] == QLatin1Char('\'')) {
                        if (i + 1 < n && m_text[i + 1] == QLatin1Char('\'')) {
                            t.text += QLatin1Char('\'');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    t.text += m_text[i++];
                }
                if (!closed)
                    fail(m_text, QStringLiteral("unterminated quoted text"), t.position);
            } else if (c == QLatin1Char('#')) {
                t.type = Token::Type::Date;
                const qsizetype close = m_text.indexOf(QLatin1Char('#'), i + 1);
                if (close < 0)
                    fail(m_text, QStringLiteral("unterminated date"), t.position);
                t.text = m_text.mid(i + 1, close - i - 1).trimmed();
                i = close + 1;
            } else if (c == QLatin1Char('[')) {
                t.type = Token::Type::Name;
                t.bracketed = true;
                const qsizetype close = m_text.indexOf(QLatin1Char(']'), i + 1);
                if (close < 0)
                    fail(m_text, QStringLiteral("unterminated field name in brackets"), t.position);
                t.text = m_text.mid(i + 1, close - i - 1).trimmed();
                i = close + 1;
            } else if (c.isDigit()
                       || ((c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.')) && i + 1 < n
                           && (m_text[i + 1].isDigit() || m_text[i + 1] == QLatin1Char('.')))) {
                t.type = Token::Type::Number;
                const qsizetype start = i++;
                while (i < n && (m_text[i].isDigit() || m_text[i] == QLatin1Char('.')))
                    ++i;
                t.text = m_text.mid(start, i - start);
                if (i < n && (m_text[i].isLetter() || m_text[i] == QLatin1Char('_')))
                    fail(m_text, QStringLiteral("malformed number"), t.position);
            } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')
                       || c == QLatin1Char('!')) {
                t.type = Token::Type::Operator;
                t.text = c;
                ++i;
                if (i < n
                    && (m_text[i] == QLatin1Char('=') || (c == QLatin1Char('<') && m_text[i] == QLatin1Char('>')))) {
                    t.text += m_text[i];
                    ++i;
                }
                if (t.text == QLatin1String("!") || t.text == QLatin1String("=="))
                    fail(m_text, QStringLiteral("unknown operator '%1'").arg(t.text), t.position);
            } else if (c.isLetter() || c == QLatin1Char('_')) {
                t.type = Token::Type::Name;
                const qsizetype start = i;
                while (
                    i < n
                    && (m_text[i].isLetterOrNumber() || m_text[i] == QLatin1Char('_') || m_text[i] == QLatin1Char('$')))
                    ++i;
                t.text = m_text.mid(start, i - start);
            } else {
                fail(m_text, QStringLiteral("unexpected character '%1'").arg(c), t.position);
            }
            tokens.push_back(t);
        }
    }

private:
    const QString &m_text;
};

bool isKeyword(const Token &t, const char *word)
{
    return t.type == Token::Type::Name && !t.bracketed && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool parseDate(const QString &text, qint64 &key)
{
    QDate date;
    QTime time;
    bool hasTime = false;
    if (detail::parseIsoDateTime(text, date, time, hasTime) && date.isValid()) {
        key = detail::dateKey(date, time);
        return true;
    }
    // dd.MM.yyyy and M/d/yyyy, optionally followed by a time
    const QString datePart = text.section(QLatin1Char(' '), 0, 0);
    const QString timePart = text.section(QLatin1Char(' '), 1).trimmed();
    date = QDate::fromString(datePart, QStringLiteral("d.M.yyyy"));
    if (!date.isValid())
        date = QDate::fromString(datePart, QStringLiteral("M/d/yyyy"));
    // Qt reads a signed year ("1.1.-5"), a date no user means.
    if (!date.isValid() || date.year() < 1)
        return false;
    time = QTime(0, 0);
    if (!timePart.isEmpty()) {
        time = QTime::fromString(timePart, QStringLiteral("H:mm:ss"));
        if (!time.isValid())
            time = QTime::fromString(timePart, QStringLiteral("H:mm"));
        if (!time.isValid())
            return false;
    }
    key = detail::dateKey(date, time);
    return true;
}

LikePattern compileLike(const QString &pattern)
{
    LikePattern like;
    const auto wildcard = [](QChar c) { return c == QLatin1Char('%') || c == QLatin1Char('*'); };
    like.anyStart = !pattern.isEmpty() && wildcard(pattern.front());
    like.anyEnd = !pattern.isEmpty() && wildcard(pattern.back());
    qsizetype from = 0;
    for (qsizetype i = 0; i <= pattern.size(); ++i) {
        if (i < pattern.size() && !wildcard(pattern[i]))
            continue;
        if (i > from) {
            like.parts.emplace_back();
            collation::appendFolded(QStringView(pattern).mid(from, i - from), like.parts.back());
        }
        from = i + 1;
    }
    return like;
}

// Wildcards match any run, so each part is best taken at its first place.
bool matchLike(std::string_view text, const LikePattern &like)
{
    const auto view = [](const QByteArray &part) { return std::string_view(part.data(), size_t(part.size())); };
    if (like.parts.empty())
        return like.anyStart || text.empty();
    size_t i = 0;
    size_t at = 0;
    if (!like.anyStart) {
        if (like.parts.size() == 1 && !like.anyEnd)
            return text == view(like.parts[0]);
        if (!text.starts_with(view(like.parts[0])))
            return false;
        at = like.parts[0].size();
        i = 1;
    }
    for (; i < like.parts.size(); ++i) {
        const std::string_view part = view(like.parts[i]);
        if (i + 1 == like.parts.size() && !like.anyEnd)
            return text.size() - at >= part.size() && text.ends_with(part);
        const size_t found = text.find(part, at);
        if (found == std::string_view::npos)
            return false;
        at = found + part.size();
    }
    return like.anyEnd || at == text.size();
}

void selectLike(const Node &node, const detail::Column &column, const FoldedColumn &folded, int rowCount,
                std::vector<std::uint8_t> &matches)
{
    const LikePattern &like = node.like;
    const std::string_view all(folded.text.data(), size_t(folded.text.size()));
    if (like.anyStart && like.anyEnd && like.parts.size() == 1) {
        // A phrase anywhere: one search through the whole column.
        const std::string_view part(like.parts[0].data(), size_t(like.parts[0].size()));
        int row = 0;
        for (size_t at = all.find(part); at != std::string_view::npos; at = all.find(part, at)) {
            while (folded.start[size_t(row) + 1] <= at)
                ++row;
            const size_t end = folded.start[size_t(row) + 1];
            if (at + part.size() <= end) {
                matches[size_t(row)] = !column.isNull(row);
                at = end;
            } else {
                ++at;
            }
        }
        return;
    }
    for (int r = 0; r < rowCount; ++r) {
        const size_t begin = folded.start[size_t(r)];
        matches[size_t(r)] =
            !column.isNull(r) && matchLike(all.substr(begin, folded.start[size_t(r) + 1] - begin), like);
    }
}

class Parser
{
public:
    static constexpr int MaxNesting = 100;

    Parser(const QString &expression, std::vector<Token> tokens)
        : m_expression(expression),
          m_tokens(std::move(tokens))
    {}

    std::unique_ptr<Node> run()
    {
        auto node = parseOr();
        if (peek().type != Token::Type::End) {
            if (peek().type == Token::Type::Close)
                fail(m_expression, QStringLiteral("unbalanced ')'"), peek().position);
            fail(m_expression, QStringLiteral("unexpected '%1'").arg(describe(peek())), peek().position);
        }
        return node;
    }

private:
    const Token &peek() const { return m_tokens[m_index]; }
    const Token &take()
    {
        const Token &t = m_tokens[m_index];
        if (t.type != Token::Type::End)
            ++m_index;
        return t;
    }

    static QString describe(const Token &t)
    {
        switch (t.type) {
        case Token::Type::End:
            return QStringLiteral("end of text");
        case Token::Type::Open:
            return QStringLiteral("(");
        case Token::Type::Close:
            return QStringLiteral(")");
        case Token::Type::String:
            return QLatin1Char('\'') + t.text + QLatin1Char('\'');
        default:
            return t.text;
        }
    }

    std::unique_ptr<Node> join(Node::Type type, std::unique_ptr<Node> left, std::unique_ptr<Node> right)
    {
        auto node = std::make_unique<Node>();
        node->type = type;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    std::unique_ptr<Node> parseOr()
    {
        auto left = parseAnd();
        while (isKeyword(peek(), "or")) {
            take();
            left = join(Node::Type::Or, std::move(left), parseAnd());
        }
        return left;
    }

    std::unique_ptr<Node> parseAnd()
    {
        auto left = parsePrimary();
        while (isKeyword(peek(), "and")) {
            take();
            left = join(Node::Type::And, std::move(left), parsePrimary());
        }
        return left;
    }

    std::unique_ptr<Node> parsePrimary()
    {
        const Token &t = peek();
        if (t.type == Token::Type::Open) {
            // Each level is a call deeper: a hostile text must not exhaust the stack.
            if (++m_nesting > MaxNesting)
                fail(m_expression, QStringLiteral("more than %1 nested '('").arg(MaxNesting), t.position);
            take();
            auto inner = parseOr();
            --m_nesting;
            if (peek().type != Token::Type::Close)
                fail(m_expression, QStringLiteral("missing ')' for the '(' at position %1").arg(t.position + 1),
                     peek().position);
            take();
            return inner;
        }
        if (t.type != Token::Type::Name || isKeyword(t, "and") || isKeyword(t, "or") || isKeyword(t, "like")
            || isKeyword(t, "null"))
            fail(m_expression, QStringLiteral("expected a field name but found '%1'").arg(describe(t)), t.position);
        return parseComparison();
    }

    std::unique_ptr<Node> parseComparison()
    {
        auto node = std::make_unique<Node>();
        const Token &name = take();
        node->field = name.text;
        node->position = name.position;
        const Token &opToken = take();
        if (isKeyword(opToken, "like")) {
            node->op = Op::Like;
        } else if (isKeyword(opToken, "is")) {
            // "x is null" / "x is not null"
            bool negate = false;
            if (isKeyword(peek(), "not")) {
                take();
                negate = true;
            }
            if (!isKeyword(peek(), "null"))
                fail(m_expression, QStringLiteral("expected NULL after IS"), peek().position);
            take();
            node->op = negate ? Op::Ne : Op::Eq;
            return node;
        } else if (opToken.type == Token::Type::Operator) {
            static const std::pair<const char *, Op> ops[] = {{"=", Op::Eq}, {"<>", Op::Ne}, {"!=", Op::Ne},
                                                              {"<", Op::Lt}, {">", Op::Gt},  {"<=", Op::Le},
                                                              {">=", Op::Ge}};
            bool found = false;
            for (const auto &[text, op] : ops) {
                if (opToken.text == QLatin1String(text)) {
                    node->op = op;
                    found = true;
                }
            }
            if (!found)
                fail(m_expression, QStringLiteral("unknown operator '%1'").arg(opToken.text), opToken.position);
        } else {
            fail(m_expression,
                 QStringLiteral("expected an operator after '%1' but found '%2'").arg(name.text, describe(opToken)),
                 opToken.position);
        }
        const Token &value = take();
        Literal &lit = node->literal;
        switch (value.type) {
        case Token::Type::String:
            lit.kind = Literal::Kind::Text;
            lit.text = value.text;
            lit.number = value.text.trimmed().toDouble(&lit.textIsNumber);
            lit.textIsDate = parseDate(value.text.trimmed(), lit.dateKey);
            break;
        case Token::Type::Number: {
            bool ok = false;
            lit.number = value.text.toDouble(&ok);
            if (!ok)
                fail(m_expression, QStringLiteral("malformed number '%1'").arg(value.text), value.position);
            lit.kind = Literal::Kind::Number;
            lit.text = value.text;
            break;
        }
        case Token::Type::Date:
            if (!parseDate(value.text, lit.dateKey))
                fail(m_expression, QStringLiteral("malformed date '#%1#'").arg(value.text), value.position);
            lit.kind = Literal::Kind::Date;
            lit.text = value.text;
            break;
        default:
            if (isKeyword(value, "null")) {
                lit.kind = Literal::Kind::Null;
                if (node->op != Op::Eq && node->op != Op::Ne)
                    fail(m_expression, QStringLiteral("NULL can only be compared with = or <>"), value.position);
                break;
            }
            if (isKeyword(value, "true") || isKeyword(value, "false")) {
                lit.kind = Literal::Kind::Number;
                lit.number = isKeyword(value, "true") ? 1 : 0;
                lit.text = value.text;
                break;
            }
            fail(m_expression,
                 QStringLiteral("expected a value after '%1' but found '%2'").arg(opToken.text, describe(value)),
                 value.position);
        }
        if (node->op == Op::Like && lit.kind != Literal::Kind::Text)
            fail(m_expression, QStringLiteral("LIKE needs a quoted pattern"), value.position);
        if (node->op == Op::Like)
            node->like = compileLike(lit.text);
        return node;
    }

    const QString &m_expression;
    std::vector<Token> m_tokens;
    size_t m_index = 0;
    int m_nesting = 0;
};

bool holds(Op op, int cmp)
{
    switch (op) {
    case Op::Eq:
        return cmp == 0;
    case Op::Ne:
        return cmp != 0;
    case Op::Lt:
        return cmp < 0;
    case Op::Gt:
        return cmp > 0;
    case Op::Le:
        return cmp <= 0;
    case Op::Ge:
        return cmp >= 0;
    case Op::Like:
        break;
    }
    return false;
}

template <typename T>
int threeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareText(const detail::Column &column, int row, const QString &text)
{
    if (column.store() == detail::Store::Text && !detail::Column::isDateType(column.type()))
        return collation::compare(column.textAt(row), text);
    return collation::compare(column.textOf(row), text);
}

bool evaluateCompare(const Node &node, const detail::Column &column, int row)
{
    const Literal &lit = node.literal;
    const bool null = column.isNull(row);
    if (lit.kind == Literal::Kind::Null)
        return node.op == Op::Eq ? null : !null;
    if (null)
        return false;
    const QMetaType::Type type = column.type();
    if (detail::Column::isDateType(type) || lit.kind == Literal::Kind::Date) {
        qint64 key = 0;
        const bool literalIsDate = lit.kind == Literal::Kind::Date || lit.textIsDate;
        if (literalIsDate && column.dateKeyAt(row, key))
            return holds(node.op, threeWay(key, lit.dateKey));
        return holds(node.op, compareText(column, row, lit.text));
    }
    if (detail::Column::isNumericType(type)) {
        double value = 0;
        if ((lit.kind == Literal::Kind::Number || lit.textIsNumber) && column.numberAt(row, value))
            return holds(node.op, threeWay(value, lit.number));
        return holds(node.op, compareText(column, row, lit.text));
    }
    if (lit.kind == Literal::Kind::Number) {
        // A number against text compares numerically; text that is no number never matches.
        double value = 0;
        return column.numberAt(row, value) && holds(node.op, threeWay(value, lit.number));
    }
    return holds(node.op, compareText(column, row, lit.text));
}

} // namespace

std::unique_ptr<Node> parse(const QString &expression)
{
    Tokenizer tokenizer(expression);
    Parser parser(expression, tokenizer.run());
    return parser.run();
}

void bind(Node &node, const std::function<int(const QString &)> &fieldIndex, const QString &expression)
{
    if (node.type != Node::Type::Compare) {
        bind(*node.left, fieldIndex, expression);
        bind(*node.right, fieldIndex, expression);
        return;
    }
    node.column = fieldIndex(node.field);
    if (node.column < 0)
        fail(expression, QStringLiteral("unknown field '%1'").arg(node.field), node.position);
}

std::unique_ptr<FoldedColumn> fold(const detail::Column &column, int rowCount)
{
    auto folded = std::make_unique<FoldedColumn>();
    folded->start.reserve(size_t(rowCount) + 1);
    const bool raw = column.store() == detail::Store::Text && !detail::Column::isDateType(column.type());
    for (int r = 0; r < rowCount; ++r) {
        folded->start.push_back(std::uint32_t(folded->text.size()));
        if (!column.isNull(r))
            collation::appendFolded(raw ? column.textAt(r) : QStringView(column.textOf(r)), folded->text);
    }
    folded->start.push_back(std::uint32_t(folded->text.size()));
    return folded;
}

void select(const Node &node, const std::vector<detail::Column> &columns, int rowCount, const FoldedText &folded,
            std::vector<std::uint8_t> &matches)
{
    matches.assign(size_t(rowCount), 0);
    if (node.type != Node::Type::Compare) {
        std::vector<std::uint8_t> right;
        select(*node.left, columns, rowCount, folded, matches);
        select(*node.right, columns, rowCount, folded, right);
        for (size_t r = 0; r < matches.size(); ++r)
            matches[r] = node.type == Node::Type::And ? (matches[r] & right[r]) : (matches[r] | right[r]);
        return;
    }
    const detail::Column &column = columns[size_t(node.column)];
    if (node.op == Op::Like) {
        selectLike(node, column, folded(node.column), rowCount, matches);
        return;
    }
    for (int r = 0; r < rowCount; ++r)
        matches[size_t(r)] = evaluateCompare(node, column, r);
}

} // namespace db::filter
