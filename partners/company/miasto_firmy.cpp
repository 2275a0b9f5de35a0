#include "company/miasto_firmy.h"

#include "cities_api.h"
#include "connection.h"
#include "dataset.h"
#include "host_funcs.h"
#include "query.h"
#include "siblings.h"

namespace partners {

namespace {

int dodatnie(int id)
{
    return id > 0 ? id : 0;
}

} // namespace

PanstwaFirmy::PanstwaFirmy(db::Connection *polaczenie)
{
    db::Query q(polaczenie ? polaczenie : host::GetConnection(), QStringLiteral("select * from panstwo"));
    if (host::OpenQuery(q) != 1)
        return;
    for (q.first(); !q.eof(); q.next()) {
        m_lista.append({q.value(QStringLiteral("id_p")).toInt(), q.value(QStringLiteral("waluta")).toString(),
                        q.value(QStringLiteral("domena")).toString(), q.value(QStringLiteral("sam")).toString(),
                        q.value(QStringLiteral("iso")).toString(), q.value(QStringLiteral("nazwa")).toString()});
    }
}

int PanstwaFirmy::znajdz(const QString &tekst) const
{
    const QString szukany = tekst.trimmed();
    if (szukany.isEmpty())
        return 0;
    const auto rowne = [&szukany](const QString &wartosc) {
        return !wartosc.isEmpty() && wartosc.compare(szukany, Qt::CaseInsensitive) == 0;
    };
    for (const Panstwo &p : m_lista) {
        // The suite keeps domains as ".pl"; orders often give "pl".
        const QString domenaBezKropki = p.domena.startsWith(QLatin1Char('.')) ? p.domena.mid(1) : p.domena;
        if (rowne(p.domena) || rowne(domenaBezKropki) || rowne(p.iso) || rowne(p.sam))
            return p.id_p;
    }
    return 0;
}

QString PanstwaFirmy::kod(int idP) const
{
    for (const Panstwo &p : m_lista)
        if (p.id_p == idP)
            return p.iso.isEmpty() ? p.sam : p.iso;
    return QString();
}

int znajdzMiasto(const QString &miasto, int idPanstwa, db::Connection *polaczenie)
{
    db::Connection *c = polaczenie ? polaczenie : host::GetConnection();
    if (!c)
        return 0;
    // "ŁÓDŹ" from an order is the "Łódź" already stored.
    QString sql = QStringLiteral("select id_m from miasto where ") + c->dialect().collated(QStringLiteral("miasto"))
        + QStringLiteral(" = :miasto");
    QVariantMap parametry{{QStringLiteral("miasto"), miasto}};
    if (idPanstwa > 0) {
        sql += QStringLiteral(" and id_panstwa = :id_panstwa");
        parametry.insert(QStringLiteral("id_panstwa"), idPanstwa);
    }
    return dodatnie(host::GetIntDB(sql + QStringLiteral(" order by id_m"), QString(), c, parametry));
}

int dodajMiastoBezFormularza(const QString &miasto, const QString &panstwo, const QString &kod)
{
    const auto id = host::callSibling<cities::DodajMiastoBezFormularzaFn>(
        QStringLiteral("cities.dll"), "_DodajMiastoBezFormularza", miasto, panstwo, kod);
    return id ? dodatnie(*id) : 0;
}

int noweMiastoOknem()
{
    const std::optional<int> id = host::callSibling<int()>(QStringLiteral("cities.dll"), "_NewRecord");
    return id ? dodatnie(*id) : 0;
}

void edytujMiastoOknem(int idMiasta)
{
    host::callSibling<int(int)>(QStringLiteral("cities.dll"), "_EditRecord", idMiasta);
}

int znajdzKodPocztowy(const QString &kod, int idMiasta, int idPanstwa, db::Connection *polaczenie)
{
    if (idPanstwa > 0)
        return dodatnie(host::GetIntDB(
            QStringLiteral("select kp.id_kodu from miasto m left join kod_pocztowy kp on m.id_m = kp.id_m "
                           "where kp.kod = :kod and m.id_panstwa = :id_panstwa and m.id_m = :id_m order by kp.id_kodu"),
            QString(), polaczenie,
            {{QStringLiteral("kod"), kod},
             {QStringLiteral("id_panstwa"), idPanstwa},
             {QStringLiteral("id_m"), idMiasta}}));
    return dodatnie(host::GetIntDB(
        QStringLiteral("select id_kodu from kod_pocztowy where kod = :kod and id_m = :id_m order by id_kodu"),
        QString(), polaczenie, {{QStringLiteral("kod"), kod}, {QStringLiteral("id_m"), idMiasta}}));
}

void rozpoznajAdres(AdresDoRozpoznania &adres, const PanstwaFirmy &panstwa, db::Connection *polaczenie)
{
    if ((adres.id_m < 1 || adres.id_kodu < 1) && adres.id_panstwa < 1 && !adres.panstwo.isEmpty())
        adres.id_panstwa = panstwa.znajdz(adres.panstwo);
    if (adres.miasto.isEmpty())
        adres.miasto = QStringLiteral("_");
    if (adres.id_m < 1)
        adres.id_m = znajdzMiasto(adres.miasto, adres.id_panstwa, polaczenie);
    if (adres.id_m < 1)
        adres.id_m = dodajMiastoBezFormularza(adres.miasto, panstwa.kod(adres.id_panstwa), adres.kod);
    if (adres.id_kodu < 1 && !adres.kod.isEmpty() && adres.id_m > 0)
        adres.id_kodu = znajdzKodPocztowy(adres.kod, adres.id_m, adres.id_panstwa, polaczenie);
}

UlicaZNumerami rozbijUlice(const QString &tekst)
{
    const QString calosc = tekst.trimmed();
    const qsizetype ukosnik = calosc.lastIndexOf(QLatin1Char('/'));
    if (ukosnik < 0)
        return {calosc, QString(), QString()};
    const QString przed = calosc.left(ukosnik).trimmed();
    const qsizetype spacja = przed.lastIndexOf(QLatin1Char(' '));
    if (spacja < 0)
        return {QString(), przed, calosc.mid(ukosnik + 1).trimmed()};
    return {przed.left(spacja).trimmed(), przed.mid(spacja + 1), calosc.mid(ukosnik + 1).trimmed()};
}

} // namespace partners
