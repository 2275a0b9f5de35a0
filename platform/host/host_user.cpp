#include "host_funcs.h"

#include "connection.h"
#include "db_error.h"
#include "internal.h"
#include "query.h"
#include "services.h"

namespace host {

int SprawdzUpr(const QString &moduleFileName, db::Query *)
{
    const Services &s = services();
    if (s.user().administrator)
        return 2;
    if (!s.connection() || s.user().id <= 0)
        return -1;
    try {
        db::Query query(s.connection(),
                        QStringLiteral("select poziom from uprawnienia where id_u = :id_u and modul = :modul"));
        query.parameters().setValue(QStringLiteral("id_u"), s.user().id);
        query.parameters().setValue(QStringLiteral("modul"), moduleFileName.trimmed());
        query.open();
        return query.isEmpty() ? -1 : query.value(0).toInt();
    } catch (const db::DbError &error) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("SprawdzUpr"), __LINE__, error.message());
        return -1;
    }
}

int AktIdU()
{
    return services().user().id;
}

QString AktNazwiskoImieLoginU()
{
    return services().user().displayName;
}

bool CzyAdministrator()
{
    return services().user().administrator;
}

int GetLanguage()
{
    return services().language().id;
}

QString GetKeyLang()
{
    return services().language().code;
}

bool CzyWersjaOgraniczona()
{
    return services().restrictedVersion;
}
bool CzyWersjaUproszczona()
{
    return services().simplifiedVersion;
}
bool PaletaStala()
{
    return services().fixedPalette;
}
void setWersjaOgraniczona(bool on)
{
    services().restrictedVersion = on;
}
void setWersjaUproszczona(bool on)
{
    services().simplifiedVersion = on;
}
void setPaletaStala(bool on)
{
    services().fixedPalette = on;
}

QString ConnectionStringCDNXL()
{
    return services().cdnXlConnectionString;
}

void setConnectionStringCDNXL(const QString &connectionString)
{
    services().cdnXlConnectionString = connectionString;
}

QString Znajdz_NrKierunkowy()
{
    const Services &s = services();
    const QString fallback =
        s.hostCountryCode.compare(QLatin1String("PL"), Qt::CaseInsensitive) == 0 ? QStringLiteral("+48") : QString();
    if (!s.connection())
        return fallback;
    try {
        db::Query query(s.connection(),
                        QStringLiteral("select nr_kierunkowy from panstwo where iso = :kod or sam = :kod "
                                       "order by id_p"));
        query.parameters().setValue(QStringLiteral("kod"), s.hostCountryCode);
        query.open();
        for (query.first(); !query.eof(); query.next()) {
            const QString prefix = query.value(0).toString().trimmed();
            if (!prefix.isEmpty())
                return prefix;
        }
    } catch (const db::DbError &error) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("Znajdz_NrKierunkowy"), __LINE__, error.message());
    }
    return fallback;
}

QString Nazwa_Firmy_skrot(db::Connection *connection, int companyId)
{
    if (companyId <= 0)
        return {};
    return GetStringDB(QStringLiteral("select skrot from firma where id_f = :id_f"), QStringLiteral("skrot"),
                       connection, {{QStringLiteral("id_f"), companyId}});
}

} // namespace host
