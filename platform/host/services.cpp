#include "services.h"

#include "connection.h"
#include "host_context.h"
#include "host_error.h"
#include "host_funcs.h"
#include "host_syscore.h"
#include "host_variables.h"
#include "internal.h"
#include "query.h"

#include <QLocale>

namespace host {

namespace {
const QString KeyPrefix = QStringLiteral("Resstrings_IDS_");
}

HostError::HostError(const QString &message)
    : db::DbError(message)
{}

Services &Services::instance()
{
    static Services services;
    return services;
}

db::Connection *Services::connection() const
{
    return m_connection;
}

void Services::setConnection(std::unique_ptr<db::Connection> connection)
{
    m_ownedConnection = std::move(connection);
    m_connection = m_ownedConnection.get();
}

void Services::useConnection(db::Connection *connection)
{
    m_ownedConnection.reset();
    m_connection = connection;
}

void Services::setLanguage(const LanguageInfo &language)
{
    m_language = language;
    reloadTranslations();
}

namespace {

QLocale localeOf(const LanguageInfo &language)
{
    return language.code.isEmpty() ? QLocale() : QLocale(language.code);
}

// Short formats of some locales write the year with two digits, which a register's dates must not.
QString withFullYear(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

} // namespace

QString Services::dateFormat() const
{
    return !m_dateFormat.isEmpty() ? m_dateFormat : withFullYear(localeOf(m_language).dateFormat(QLocale::ShortFormat));
}

QString Services::dateTimeFormat() const
{
    return !m_dateTimeFormat.isEmpty()
        ? m_dateTimeFormat
        : dateFormat() + QLatin1Char(' ') + localeOf(m_language).timeFormat(QLocale::ShortFormat);
}

void Services::setDateFormats(const QString &date, const QString &dateTime)
{
    m_dateFormat = date;
    m_dateTimeFormat = dateTime;
}

// Keys are stored and asked for with or without the prefix and in any case.
QString Services::normalizedKey(const QString &key)
{
    QString k = key.trimmed();
    if (k.startsWith(KeyPrefix, Qt::CaseInsensitive))
        k = k.mid(KeyPrefix.size());
    return k.toLower();
}

void Services::reloadTranslations()
{
    m_translations.clear();
    if (!m_connection || m_language.id <= 0)
        return;
    db::Query query(m_connection, QStringLiteral("select klucz, tekst from resstrings where id_jezyka = :id_jezyka"));
    query.parameters().setValue(QStringLiteral("id_jezyka"), m_language.id);
    query.open();
    m_translations.reserve(query.recordCount());
    for (query.first(); !query.eof(); query.next())
        m_translations.insert(normalizedKey(query.value(0).toString()), query.value(1).toString());
}

QString Services::translation(const QString &key) const
{
    const auto it = m_translations.constFind(normalizedKey(key));
    return it == m_translations.cend() ? QString() : *it;
}

void Services::setTranslation(const QString &key, const QString &text)
{
    m_translations.insert(normalizedKey(key), text);
}

void Services::reset()
{
    m_translations.clear();
    m_connection = nullptr;
    m_ownedConnection.reset();
    m_user = {};
    m_language = {};
    m_dateFormat.clear();
    m_dateTimeFormat.clear();
    restrictedVersion = false;
    simplifiedVersion = false;
    fixedPalette = false;
    cdnXlConnectionString.clear();
    hostCountryCode = QStringLiteral("PL");
    resetVariables();
    AppContext::instance().reset();
    detail::resetSyscore();
}

AppContext &AppContext::instance()
{
    static AppContext context;
    return context;
}

void AppContext::setOption(int option, bool on)
{
    if (on)
        m_options.insert(option);
    else
        m_options.remove(option);
}

void AppContext::reset()
{
    m_options.clear();
    m_apd = false;
    m_externalSync = false;
}

} // namespace host
