// The phrase search: the typed phrase only ever becomes a quoted value. The
// condition's shape depends on nothing but whether the phrase is a number,
// and every value in it is the phrase.
#include "filter_expression.h"
#include "fuzz_support.h"
#include "ramka/filters/phrase_search.h"

using db::filter::Node;

namespace {

const QStringList Columns{u"#id"_s, u"nazwa"_s, u"miasto"_s};

// The tree without its values; the values go to `values`.
QString shape(const Node &node, QStringList &values)
{
    if (node.type != Node::Type::Compare)
        return u"(%1 %2 %3)"_s.arg(shape(*node.left, values)).arg(int(node.type)).arg(shape(*node.right, values));
    values.append(node.op == db::filter::Op::Like ? node.literal.text : QString::number(node.literal.number, 'f', 0));
    return u"%1 %2 %3"_s.arg(node.field).arg(int(node.op)).arg(int(node.literal.kind));
}

QString shapeOf(const QString &phrase, QStringList &values)
{
    const QString condition = partners::phraseCondition(phrase, Columns);
    try {
        return shape(*db::filter::parse(condition), values);
    } catch (const db::DbError &e) {
        FUZZ_CHECK(false, u"the condition does not parse: "_s + condition);
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString phrase = fuzzText(data, size);
    if (phrase.isEmpty())
        return 0;
    const bool number = partners::isNumericPhrase(phrase);
    QStringList values;
    QStringList referenceValues;
    FUZZ_CHECK(shapeOf(phrase, values) == shapeOf(number ? u"7"_s : u"x"_s, referenceValues),
               u"the phrase changed the condition's shape"_s);
    for (const QString &value : values)
        FUZZ_CHECK(value == u'%' + phrase + u'%' || (number && value == QString::number(phrase.toInt())),
                   u"a value that is not the phrase: "_s + value);
    FUZZ_CHECK(filteredIds(partners::phraseCondition(phrase, Columns)).has_value(), u"the list refuses it"_s);
    return 0;
}
