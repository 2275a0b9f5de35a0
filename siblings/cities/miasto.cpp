#include "miasto.h"

#include "connection.h"
#include "host_funcs.h"
#include "query.h"
#include "stored_proc.h"

namespace cities {

namespace {

QVariant alboNull(int id)
{
    return id > 0 ? QVariant(id) : QVariant();
}

// 0 when the procedure failed; its code is reported the suite's way.
QVariant wykonaj(db::StoredProc &procedura)
{
    if (!host::ExecProc(procedura))
        return {};
    switch (const int kod = procedura.returnValue()) {
    case 0:
        return procedura.value(QStringLiteral("@id"));
    case 101:
        host::InfoWarning(QStringLiteral("Resstrings_IDS_Rekord_usuniety"));
        return {};
    case 102:
        host::InfoWarning(QStringLiteral("Resstrings_IDS_nie_mozna_zapisac_do_synchr"));
        return {};
    default:
        host::KomunikatZapisuBlad(kod);
        return {};
    }
}

} // namespace

int domyslnePanstwo()
{
    return host::GetIntDB(QStringLiteral("select id_p from panstwo where iso = 'PL'"));
}

int panstwoWgNazwy(const QString &tekst)
{
    const QVariantMap p{{QStringLiteral("t"), tekst.trimmed()}};
    const int wgKodu = host::GetIntDB(QStringLiteral("select min(id_p) from panstwo where sam = :t or iso = :t"),
                                      QString(), nullptr, p);
    if (wgKodu > 0)
        return wgKodu;
    return qMax(0,
                host::GetIntDB(QStringLiteral("select min(id) from vlistapanstw where ")
                                   + host::collated(QStringLiteral("nazwa")) + QStringLiteral(" = :t"),
                               QString(), nullptr, p));
}

std::optional<Miasto> wczytajMiasto(int id)
{
    db::Query q(host::GetConnection(),
                QStringLiteral("select miasto, id_panstwa, widoczne, id_m_poczty, id_m_gminy,"
                               " id_wpp, id_wpw from miasto where id_m = :id"));
    q.parameters().setValue(QStringLiteral("id"), id);
    q.open();
    if (q.isEmpty())
        return std::nullopt;
    Miasto m;
    m.id = id;
    m.nazwa = q.value(QStringLiteral("miasto")).toString();
    m.idPanstwa = q.value(QStringLiteral("id_panstwa")).toInt();
    m.widoczne = q.value(QStringLiteral("widoczne"));
    m.idMPoczty = q.value(QStringLiteral("id_m_poczty"));
    m.idMGminy = q.value(QStringLiteral("id_m_gminy"));
    m.idWpp = q.value(QStringLiteral("id_wpp"));
    m.idWpw = q.value(QStringLiteral("id_wpw"));
    m.kody = host::GetListaStringDB(QStringLiteral("select kod from kod_pocztowy where id_m = :id order by kod"),
                                    QString(), nullptr, {{QStringLiteral("id"), id}});
    return m;
}

int zapiszMiasto(const Miasto &miasto)
{
    db::Connection *polaczenie = host::GetConnection();
    if (!polaczenie)
        return 0;
    db::Transaction transakcja(*polaczenie);

    db::StoredProc zapisMiasta(polaczenie, QStringLiteral("PZapMiasto"));
    zapisMiasta.refreshParameters();
    zapisMiasta.setValue(QStringLiteral("@miasto"), miasto.nazwa.trimmed());
    zapisMiasta.setValue(QStringLiteral("@id_panstwa"), alboNull(miasto.idPanstwa));
    zapisMiasta.setValue(QStringLiteral("@widoczne"), miasto.widoczne);
    zapisMiasta.setValue(QStringLiteral("@id_m_poczty"), miasto.idMPoczty);
    zapisMiasta.setValue(QStringLiteral("@id_m_gminy"), miasto.idMGminy);
    zapisMiasta.setValue(QStringLiteral("@id_wpp"), miasto.idWpp);
    zapisMiasta.setValue(QStringLiteral("@id_wpw"), miasto.idWpw);
    zapisMiasta.setValue(QStringLiteral("@id"), alboNull(miasto.id));
    const int id = wykonaj(zapisMiasta).toInt();
    if (id <= 0)
        return 0;

    QStringList nowe;
    for (const QString &kod : miasto.kody)
        if (!kod.trimmed().isEmpty() && !nowe.contains(kod.trimmed(), Qt::CaseInsensitive))
            nowe << kod.trimmed();
    db::Query stare(polaczenie, QStringLiteral("select id_kodu, kod from kod_pocztowy where id_m = :id"));
    stare.parameters().setValue(QStringLiteral("id"), id);
    stare.open();
    QList<int> doUsuniecia;
    for (stare.first(); !stare.eof(); stare.next()) {
        const QString kod = stare.value(QStringLiteral("kod")).toString();
        const auto tenSam = [&kod](const QString &n) { return n.compare(kod, Qt::CaseInsensitive) == 0; };
        if (nowe.removeIf(tenSam) == 0)
            doUsuniecia << stare.value(QStringLiteral("id_kodu")).toInt();
    }
    // Addresses that used a removed code keep their city; the schema clears their code.
    for (int idKodu : std::as_const(doUsuniecia))
        if (!host::ExecQuery(QStringLiteral("delete from kod_pocztowy where id_kodu = :id"), polaczenie, 0,
                             {{QStringLiteral("id"), idKodu}}))
            return 0;
    for (const QString &kod : std::as_const(nowe)) {
        db::StoredProc zapisKodu(polaczenie, QStringLiteral("PZapKodPoczt"));
        zapisKodu.refreshParameters();
        zapisKodu.setValue(QStringLiteral("@id_m"), id);
        zapisKodu.setValue(QStringLiteral("@kod"), kod);
        if (wykonaj(zapisKodu).toInt() <= 0)
            return 0;
    }
    transakcja.commit();
    return id;
}

} // namespace cities
