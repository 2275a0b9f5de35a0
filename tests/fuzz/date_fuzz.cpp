// Date text of the list filter: a date it accepts, written back in either
// form it reads, reads as the same moment; the moment survives the day
// numbers the database and the suite's server count in.
#include "day_time.h"
#include "filter_expression.h"
#include "fuzz_support.h"

namespace {

constexpr qint64 MsecsPerDay = 86400000;

// The moment the filter reads from the text, if it reads one.
std::optional<qint64> moment(const QString &text)
{
    QString quoted = text;
    try {
        const auto node = db::filter::parse(u"data = '"_s + quoted.replace(u'\'', "''"_L1) + u'\'');
        return node->literal.textIsDate ? std::optional(node->literal.dateKey) : std::nullopt;
    } catch (const db::DbError &) {
        FUZZ_CHECK(false, u"quoted text refused: "_s + text);
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    const auto key = moment(text);
    if (!key)
        return 0;
    const qint64 day = *key / MsecsPerDay - (*key % MsecsPerDay < 0);
    const QDate date = QDate::fromJulianDay(day);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(*key - day * MsecsPerDay));
    FUZZ_CHECK(date.isValid() && time.isValid(), u"no date in: "_s + text);
    QStringList forms{date.toString(u"yyyy-MM-dd"_s) + time.toString(u" HH:mm:ss.zzz"_s)};
    if (time.msec() == 0)
        forms.append(date.toString(u"d.M.yyyy"_s) + time.toString(u" H:mm:ss"_s));
    for (const QString &form : forms)
        FUZZ_CHECK(moment(form) == key, text + u" reads back otherwise from "_s + form);

    const QDateTime dateTime = db::DayTime::toDateTime(db::DayTime::fromDateTime(QDateTime(date, time, Qt::UTC)));
    FUZZ_CHECK(dateTime.date() == date && dateTime.time() == time, u"day count moved "_s + forms[0]);
    FUZZ_CHECK(db::DayTime::fromServerDayNumber(db::DayTime::serverDayNumber(date)) == date,
               u"server day moved "_s + forms[0]);
    return 0;
}
