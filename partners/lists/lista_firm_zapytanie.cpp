#include "lists/lista_firm_zapytanie.h"

#include "dialect.h"

#include <QDateTime>

namespace partners {

namespace {

// Documents with a file of their own: czy_posiada_dok.
const char *const DokumentyZPlikiem =
    "dokument dd inner join dokument_plik dp on dp.id_ = dd.id_dok and dp.tabela = 28";

// Of document d: no newer undone one of its kind renews it.
QString nowszegoNieMa()
{
    return QStringLiteral(" and not exists (select 1 from dokument n where n.id_f = d.id_f and n.rodzaj = d.rodzaj"
                          " and n.czy_wykonany = 0 and n.wazny_do > d.wazny_do)");
}

// By company, the earliest end of validity among the latest of each kind of
// its undone documents.
QString wygasanieDokumentow()
{
    return QStringLiteral("select d.id_f, min(d.wazny_do) as dok_wygasa from dokument d"
                          " where d.czy_wykonany = 0 and d.id_f is not null%1 group by d.id_f")
        .arg(nowszegoNieMa());
}

QString grupyFirm(const db::Dialect &dialect)
{
    return QStringLiteral("select id_f, %1 as id_grup_firmy from firma_grupa group by id_f")
        .arg(dialect.joinedValues(QStringLiteral("grupa")));
}

// czy_posiada_dok: the company has a document with a file. dok_wygasa: the
// earliest end of validity among its undone documents, where a renewed paper
// is a newer document of the same kind, so only the latest validity of each
// kind counts.
QString wierszeListy(bool podzapytaniaWierszy, const db::Dialect &dialect)
{
    if (podzapytaniaWierszy)
        return QStringLiteral("select f.*, id as nr_id_firmy,"
                              " case when exists (select 1 from %1 where dd.id_f = f.id) then 1 else 0 end as"
                              " czy_posiada_dok,"
                              " (select min(d.wazny_do) from dokument d where d.id_f = f.id and d.czy_wykonany = 0%2)"
                              " as dok_wygasa,"
                              " (select %3 from firma_grupa gf where gf.id_f = f.id) as id_grup_firmy"
                              " from VListaFirmFull f")
            .arg(QLatin1String(DokumentyZPlikiem), nowszegoNieMa(), dialect.joinedValues(QStringLiteral("gf.grupa")));
    return QStringLiteral("select f.*, id as nr_id_firmy, case when dok_v.id_f is not null then 1 else 0 end as"
                          " czy_posiada_dok, dok_w.dok_wygasa, gf.id_grup_firmy from VListaFirmFull f"
                          " left join (select distinct dd.id_f from %1) as dok_v on dok_v.id_f = f.id"
                          " left join (%2) as dok_w on dok_w.id_f = f.id"
                          " left join (%3) as gf on gf.id_f = f.id")
        .arg(QLatin1String(DokumentyZPlikiem), wygasanieDokumentow(), grupyFirm(dialect));
}

} // namespace

KomendaSql komendaListyFirm(const StanZapytaniaListyFirm &stan, const db::Dialect &dialect)
{
    const bool ukryjZalRoz = stan.ukryjFirmyZalRozWidoczne && stan.ukryjFirmyZalRoz;
    QString warunki;
    if (ukryjZalRoz)
        warunki += QStringLiteral(" left join (select id_f from firma_grupa fg inner join slowwartosci sw"
                                  " on fg.grupa = sw.id_wartosci and sw.grupa = %1) as fg on fg.id_f=f.id")
                       .arg(GrupaFirmZalRoz);
    warunki += QStringLiteral(" where f.id_jezyka=:id_jezyka");
    if (stan.tag != 0)
        warunki += QStringLiteral(" and id = ") + QString::number(stan.tag);
    if (ukryjZalRoz)
        warunki += QStringLiteral(" and fg.id_f is null");
    if (stan.tylkoWlasneFirmy)
        warunki += QStringLiteral(" and typ_symbol = 'firma_wlasna'");
    QString zewnetrzne;
    KomendaSql komenda;
    if (stan.dokumentyWygasajaDo.isValid()) {
        zewnetrzne = QStringLiteral(" where dok_wygasa < :dok_granica");
        komenda.parametry.insert(QStringLiteral("dok_granica"), QDateTime(stan.dokumentyWygasajaDo.addDays(1), {}));
    }
    komenda.parametry.insert(QStringLiteral("id_jezyka"), stan.idJezyka);

    // The whole register reads the plain view and joins the document and
    // group columns to it by id, each from one grouped pass; a filter on
    // them or a single company needs them in the statement.
    QString wewnetrzne;
    if (stan.tag == 0 && zewnetrzne.isEmpty()) {
        wewnetrzne = QStringLiteral("select f.*, id as nr_id_firmy, case when f.id in (select dd.id_f from %1)"
                                    " then 1 else 0 end as czy_posiada_dok from VListaFirmFull f")
                         .arg(QLatin1String(DokumentyZPlikiem))
            + warunki;
        komenda.kolumnyDolaczane = {wygasanieDokumentow(), grupyFirm(dialect)};
    } else {
        wewnetrzne = wierszeListy(dialect.prefersRowSubqueries(), dialect) + warunki;
    }
    // "top 1" of the reload of one company.
    if (stan.tag != 0)
        wewnetrzne = dialect.limit(wewnetrzne, 1);
    komenda.tekst = QStringLiteral("select * from (") + wewnetrzne + QStringLiteral(") as firm") + zewnetrzne;
    // The lowest ids through the primary key, a subquery per row.
    if (stan.wierszePierwszegoEkranu > 0 && stan.tag == 0)
        komenda.pierwszeWiersze = QStringLiteral("select * from (")
            + dialect.limit(wierszeListy(true, dialect) + warunki + QStringLiteral(" order by f.id"),
                            stan.wierszePierwszegoEkranu)
            + QStringLiteral(") as firm") + zewnetrzne;
    return komenda;
}

KomendaSql komendaNazwRodzajow(int idJezyka)
{
    return {QStringLiteral("select s.id_wartosci, coalesce(t.tresc, s.wartosc) as nazwa from slowwartosci s"
                           " left join tlumaczenie t on t.identyfikator = s.wartosc and t.id_jezyka = :id_jezyka"),
            {{QStringLiteral("id_jezyka"), idJezyka}}};
}

KomendaSql komendaZapomnijAktywnaFirme(int idF)
{
    // wartosc is text: compare with the id's text, not a number.
    return {QStringLiteral("delete from ustawienia where co='aktywna_firma' and wartosc=:id_f"),
            {{QStringLiteral("id_f"), QString::number(idF)}}};
}

} // namespace partners
