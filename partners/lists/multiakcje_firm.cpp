#include "lists/multiakcje_firm.h"

#include "ramka/modul.h"

#include "connection.h"
#include "db_error.h"
#include "dialect.h"
#include "host_funcs.h"
#include "query.h"
#include "siblings.h"

#include <QSet>
#include <functional>

namespace partners {

namespace {

constexpr int KodAnalityki = 15;
// Runs `robota` once per chunk of ids with the chunk's placeholders (":id0, :id1, ...") and their values.
void wPaczkach(const QList<int> &ids,
               const std::function<void(const QList<int> &, const QString &, QVariantMap)> &robota)
{
    for (qsizetype od = 0; od < ids.size(); od += db::MaxListValues) {
        const QList<int> paczka = ids.mid(od, db::MaxListValues);
        db::BoundList lista = db::boundList(QStringLiteral("id"), paczka);
        robota(paczka, lista.placeholders, std::move(lista.values));
    }
}

std::unique_ptr<db::Query> zapytanie(db::Connection &polaczenie, const QString &sql, const QVariantMap &wartosci)
{
    auto q = std::make_unique<db::Query>(&polaczenie, sql);
    for (auto it = wartosci.cbegin(); it != wartosci.cend(); ++it)
        q->parameters().setValue(it.key(), it.value());
    return q;
}

QList<int> kolumnaInt(db::Query &q)
{
    QList<int> wynik;
    for (q.open(), q.first(); !q.eof(); q.next())
        wynik << q.value(0).toInt();
    return wynik;
}

} // namespace

KomendaSql wyborMultiakcji(const QString &wpis, int idJezyka, const db::Dialect &dialekt)
{
    if (wpis == QLatin1String("miGrupa"))
        return {QStringLiteral("select id, wartosc as nazwa from VListaPozSlownika where typ_slownika = 'firma_rodzaj'"
                               " and id_jezyka = :id_jezyka and nazwa_parametru = 'nazwa' order by ")
                    + dialekt.collated(QStringLiteral("wartosc")),
                {{QStringLiteral("id_jezyka"), idJezyka}}};
    if (wpis == QLatin1String("miDomUwagDod"))
        return {QStringLiteral("select id_fv_ud as id, nazwa from faktura_uwagi_dodatkowe order by ")
                    + dialekt.collated(QStringLiteral("nazwa")),
                {}};
    return {QStringLiteral("select id, nazwa from VListaSzablonZlecenia order by ")
                + dialekt.collated(QStringLiteral("nazwa")),
            {}};
}

void ustawGrupeFirm(db::Connection &polaczenie, const QList<int> &ids, int grupa)
{
    db::Transaction transakcja(polaczenie);
    if (grupa == 0) {
        wPaczkach(ids, [&](const QList<int> &, const QString &znaczniki, const QVariantMap &wartosci) {
            zapytanie(polaczenie, QStringLiteral("delete from firma_grupa where id_f in (%1)").arg(znaczniki), wartosci)
                ->exec();
        });
        transakcja.commit();
        return;
    }
    auto dodaj =
        zapytanie(polaczenie, QStringLiteral("insert into firma_grupa (id_f, grupa) values (:id_f, :grupa)"), {});
    dodaj->parameters().setValue(QStringLiteral("grupa"), grupa);
    wPaczkach(ids, [&](const QList<int> &paczka, const QString &znaczniki, QVariantMap wartosci) {
        wartosci.insert(QStringLiteral("grupa"), grupa);
        const QList<int> juz = kolumnaInt(*zapytanie(
            polaczenie,
            QStringLiteral("select id_f from firma_grupa where grupa = :grupa and id_f in (%1)").arg(znaczniki),
            wartosci));
        const QSet<int> wGrupie(juz.cbegin(), juz.cend());
        for (int id : paczka) {
            if (wGrupie.contains(id))
                continue;
            dodaj->parameters().setValue(QStringLiteral("id_f"), id);
            dodaj->exec();
        }
    });
    transakcja.commit();
}

void ustawKodAnalitykiFirm(db::Connection &polaczenie, const QList<int> &ids)
{
    const int tabela = host::KodTabeli(QStringLiteral("firma"), &polaczenie);
    db::Transaction transakcja(polaczenie);
    wPaczkach(ids, [&](const QList<int> &, const QString &znaczniki, QVariantMap wartosci) {
        wartosci.insert(QStringLiteral("tabela"), tabela);
        wartosci.insert(QStringLiteral("kod"), KodAnalityki);
        zapytanie(
            polaczenie,
            QStringLiteral("update import_powiazania set wartosc_import = (select skrot from firma where id_f = id_)"
                           " where import = :kod and tabela = :tabela and id_ in (%1)")
                .arg(znaczniki),
            wartosci)
            ->exec();
        auto brakujace = zapytanie(polaczenie,
                                   QStringLiteral("select id_f, skrot from firma f where id_f in (%1) and not exists "
                                                  "(select 1 from import_powiazania p where p.import = :kod "
                                                  "and p.tabela = :tabela and p.id_ = f.id_f)")
                                       .arg(znaczniki),
                                   wartosci);
        for (brakujace->open(), brakujace->first(); !brakujace->eof(); brakujace->next())
            if (host::ZapiszImportPowiazania(&polaczenie, -1, QStringLiteral("firma"), QStringLiteral("id_f"),
                                             brakujace->value(0).toInt(), brakujace->value(1).toString(), KodAnalityki)
                < 0)
                throw db::DbError(QStringLiteral("The analytic code of a company was not stored."));
    });
    transakcja.commit();
}

bool ustawUwagiDodatkoweFirm(db::Connection &polaczenie, const QList<int> &ids, int idUwag)
{
    const QString warunek = idUwag > 0 ? QStringLiteral("(id_fv_ud is null or id_fv_ud <> :uwagi)")
                                       : QStringLiteral("id_fv_ud is not null");
    QList<int> inne;
    wPaczkach(ids, [&](const QList<int> &, const QString &znaczniki, QVariantMap wartosci) {
        if (idUwag > 0)
            wartosci.insert(QStringLiteral("uwagi"), idUwag);
        inne << kolumnaInt(*zapytanie(
            polaczenie, QStringLiteral("select id_f from firma where %1 and id_f in (%2)").arg(warunek, znaczniki),
            wartosci));
    });
    if (inne.isEmpty())
        return false;
    host::Multiakcje_UPDATE(QStringLiteral("firma"), QStringLiteral("id_fv_ud"),
                            idUwag > 0 ? QString::number(idUwag) : QString(), QStringLiteral("id_f"), inne,
                            &polaczenie);
    return true;
}

bool zapiszUstawienieFirm(const QString &klucz, const QList<int> &ids, int wartosc)
{
    const host::SiblingLibrary data(QStringLiteral("data.dll"));
    auto *zapiszUstaw = data.resolve<int(QString, QString, QString, int, int)>("_ZapiszUstaw");
    if (!zapiszUstaw)
        return false;
    const QString tekst = wartosc > 0 ? QString::number(wartosc) : QString();
    for (int id : ids)
        zapiszUstaw(klucz, tekst, PlikModulu, 0, id);
    return true;
}

} // namespace partners
