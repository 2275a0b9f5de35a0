// The list filter language: an expression that parses reads the same from
// its canonical text and selects the same rows.
#include "filter_expression.h"
#include "fuzz_support.h"

#include <cstring>

using db::filter::Node;

namespace {

// Parenthesised only where the reading would differ without: "and" binds
// tighter than "or", and a run of one operator reads from the left, so a
// long run nests no deeper than its text did.
QString canonical(const Node &node)
{
    if (node.type != Node::Type::Compare) {
        const auto operand = [&node](const Node &side, bool right) {
            const bool bare = side.type == Node::Type::Compare || (side.type == node.type && !right)
                || (node.type == Node::Type::Or && side.type == Node::Type::And);
            return bare ? canonical(side) : u'(' + canonical(side) + u')';
        };
        return operand(*node.left, false) + (node.type == Node::Type::And ? " and "_L1 : " or "_L1)
            + operand(*node.right, true);
    }
    static const char *const ops[] = {"=", "<>", "<", ">", "<=", ">=", "like"};
    const db::filter::Literal &value = node.literal;
    QString text = value.text;
    switch (value.kind) {
    case db::filter::Literal::Kind::Null:
        text = u"null"_s;
        break;
    case db::filter::Literal::Kind::Text:
        text = u'\'' + text.replace(u'\'', "''"_L1) + u'\'';
        break;
    case db::filter::Literal::Kind::Date:
        text = u'#' + text + u'#';
        break;
    case db::filter::Literal::Kind::Number:
        break;
    }
    return u"[%1] %2 %3"_s.arg(node.field, QLatin1StringView(ops[int(node.op)]), text);
}

// Everything the parser derived, the numbers bit for bit.
QString derived(const Node &node)
{
    if (node.type != Node::Type::Compare)
        return derived(*node.left) + derived(*node.right);
    const db::filter::Literal &value = node.literal;
    quint64 bits = 0;
    std::memcpy(&bits, &value.number, sizeof bits);
    QString like;
    for (const QByteArray &part : node.like.parts)
        like += QString::fromUtf8(part.toHex()) + u'|';
    return u"%1 %2 %3 %4 %5 %6 %7 %8\n"_s.arg(int(value.kind))
        .arg(bits)
        .arg(value.textIsNumber)
        .arg(value.dateKey)
        .arg(value.textIsDate)
        .arg(like)
        .arg(node.like.anyStart)
        .arg(node.like.anyEnd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    std::unique_ptr<Node> tree;
    try {
        tree = db::filter::parse(text);
    } catch (const db::DbError &) {
        return 0;
    }
    const QString again = canonical(*tree);
    std::unique_ptr<Node> reparsed;
    try {
        reparsed = db::filter::parse(again);
    } catch (const db::DbError &e) {
        FUZZ_CHECK(false, u"canonical text refused: "_s + QString::fromUtf8(e.what()));
    }
    FUZZ_CHECK(canonical(*reparsed) == again && derived(*reparsed) == derived(*tree), u"reads otherwise: "_s + again);
    FUZZ_CHECK(filteredIds(text) == filteredIds(again), u"selects otherwise: "_s + again);
    return 0;
}
