#include "handler_guard.h"

#include "host_funcs.h"

namespace host {

QString methodName(const char *signature)
{
    const QString text = QString::fromUtf8(signature);
    // The qualified name ends where its parameter list begins; a lambda's
    // signature names its enclosing function first, which is the one we want.
    int end = text.indexOf(QLatin1Char('('));
    if (end < 0)
        end = int(text.size());
    int depth = 0;
    int start = 0;
    for (int i = end - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('>'))
            ++depth;
        else if (c == QLatin1Char('<'))
            --depth;
        else if (c == QLatin1Char(' ') && depth == 0) {
            start = i + 1;
            break;
        }
    }
    return text.mid(start, end - start);
}

void logGuardedFailure(const std::source_location &where, const QString &text)
{
    save_log_to_file(QString::fromUtf8(where.file_name()), methodName(where.function_name()), int(where.line()),
                     QStringLiteral("CATCH ") + text);
}

} // namespace host
