#include "ramka/sesja_edytorow.h"

#include "connection.h"
#include "host_funcs.h"
#include "host_variables.h"

#include <QVariantMap>

namespace ramka {

namespace {

const QString WarunekModulu = QStringLiteral(" from sesja where id_u = :id_u and nazwa_dll = :kod");

} // namespace

SesjaEdytorow::SesjaEdytorow(QString kodDll)
    : m_kodDll(std::move(kodDll))
{}

bool SesjaEdytorow::wlaczona()
{
    return host::var::RunSession.get();
}

void SesjaEdytorow::otwarto(int id) const
{
    db::Connection *polaczenie = host::GetConnection();
    if (!polaczenie || m_kodDll.isEmpty() || id < 0 || !wlaczona())
        return;
    const QVariantMap wartosci{
        {QStringLiteral("id_u"), host::AktIdU()}, {QStringLiteral("kod"), m_kodDll}, {QStringLiteral("id"), id}};
    const QString jest = polaczenie->dialect().limit(
        QStringLiteral("select id_sesji") + WarunekModulu + QStringLiteral(" and id_ = :id"), 1);
    if (!host::CzyIstniejeRekordDB(jest, nullptr, wartosci))
        host::ExecQuery(QStringLiteral("insert into sesja (nazwa_dll, id_, id_u) values (:kod, :id, :id_u)"), nullptr,
                        0, wartosci);
}

void SesjaEdytorow::zamknieto(int id) const
{
    if (!zapamietywanaPrzyZamknieciu())
        host::ExecQuery(
            QStringLiteral("delete") + WarunekModulu + QStringLiteral(" and id_ = :id"), nullptr, 0,
            {{QStringLiteral("id_u"), host::AktIdU()}, {QStringLiteral("kod"), m_kodDll}, {QStringLiteral("id"), id}});
}

void SesjaEdytorow::zamknietoWszystkie() const
{
    if (!zapamietywanaPrzyZamknieciu())
        host::ExecQuery(QStringLiteral("delete") + WarunekModulu, nullptr, 0,
                        {{QStringLiteral("id_u"), host::AktIdU()}, {QStringLiteral("kod"), m_kodDll}});
}

QList<int> SesjaEdytorow::otwarte() const
{
    if (!host::GetConnection() || m_kodDll.isEmpty())
        return {};
    return host::GetListaIntDB(QStringLiteral("select id_") + WarunekModulu, QStringLiteral("id_"), nullptr,
                               {{QStringLiteral("id_u"), host::AktIdU()}, {QStringLiteral("kod"), m_kodDll}});
}

bool SesjaEdytorow::zapamietywanaPrzyZamknieciu() const
{
    return !host::GetConnection() || m_kodDll.isEmpty() || !wlaczona()
        || (host::var::SaveSessionClosing.get() && host::var::SaveSession.get());
}

} // namespace ramka
