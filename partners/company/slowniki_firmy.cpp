#include "company/slowniki_firmy.h"

#include "global_settings.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "query.h"
#include "siblings.h"

#include <QComboBox>
#include <QListWidget>

namespace partners {

namespace {

QVariantMap jezyk()
{
    return {{QStringLiteral("id_jezyka"), host::GetLanguage()}};
}

QString zeSlownika()
{
    return QStringLiteral(
               "select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1 where s1.typ_slownika=:typ_slownika"
               " and s1.id_jezyka=:id_jezyka and s1.nazwa_parametru='nazwa' order by ")
        + host::collated(QStringLiteral("s1.wartosc"));
}

} // namespace

void SlownikiFirmy::ladujSlownik(QComboBox *combo, const QString &typSlownika, bool pustyPierwszy)
{
    QVariantMap parametry = jezyk();
    parametry.insert(QStringLiteral("typ_slownika"), typSlownika);
    host::Laduj_DB_FlatCombo(combo, zeSlownika(), QStringLiteral("id"), QStringLiteral("wartosc"), pustyPierwszy,
                             nullptr, parametry);
}

void SlownikiFirmy::ladujRodzaje(QListWidget *lista)
{
    host::Laduj_DB_CheckListBox(
        lista,
        QStringLiteral(
            "select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1 where s1.typ_slownika='firma_rodzaj'"
            " and s1.id_jezyka=:id_jezyka and s1.nazwa_parametru='nazwa' order by ")
            + host::collated(QStringLiteral("s1.wartosc")),
        QStringLiteral("id"), QStringLiteral("wartosc"), nullptr, jezyk());
}

void SlownikiFirmy::ladujCentrale(QComboBox *combo, int idFirmy)
{
    host::Laduj_DB_FlatCombo(
        combo,
        QStringLiteral("select id_f as id, nazwa from firma where id_centrali is null and id_f<>:id_f order by ")
            + host::collated(QStringLiteral("nazwa")),
        QStringLiteral("id"), QStringLiteral("nazwa"), false, nullptr, {{QStringLiteral("id_f"), qMax(0, idFirmy)}});
}

void SlownikiFirmy::ladujMiasta(QComboBox *combo)
{
    host::Laduj_DB_FlatComboMiasto(combo);
}

void SlownikiFirmy::ladujTerminy(QComboBox *combo)
{
    host::Laduj_DB_FlatCombo(
        combo,
        QStringLiteral("select cast(wartosc as int) as ile from VListaPozSlownika where id_jezyka=:id_jezyka"
                       " and typ_slownika='dni_do_zaplaty' order by cast(wartosc as int)"),
        QStringLiteral("ile"), QStringLiteral("ile"), false, nullptr, jezyk());
}

void SlownikiFirmy::ladujSposobyZaplaty(QComboBox *combo)
{
    host::Laduj_DB_FlatCombo(
        combo,
        QStringLiteral(
            "select s1.id as kod, s1.wartosc as wartosc from VListaPozSlownika s1 join VListaPozSlownika s2"
            " on s1.grupa = s2.grupa and s1.typ_slownika = s2.typ_slownika and s1.typ_slownika='platnosc_rodzaj'"
            " and s1.id_jezyka = s2.id_jezyka and s1.id_jezyka=:id_jezyka and s1.nazwa_parametru <> s2.nazwa_parametru"
            " and s1.nazwa_parametru='nazwa' order by s1.system desc, ")
            + host::collated(QStringLiteral("s1.wartosc")),
        QStringLiteral("kod"), QStringLiteral("wartosc"), true, nullptr, jezyk());
}

void SlownikiFirmy::ladujSzablonyZlecen(QComboBox *combo)
{
    host::Laduj_DB_FlatCombo(combo,
                             QStringLiteral("select id, nazwa from VListaSzablonZlecenia order by ")
                                 + host::collated(QStringLiteral("nazwa")),
                             QStringLiteral("id"), QStringLiteral("nazwa"), true);
}

QStringList SlownikiFirmy::waluty()
{
    return host::GetListaStringDB(
        QStringLiteral("select distinct waluta from panstwo where aktywny=1 and waluta is not null order by waluta"));
}

QStringList SlownikiFirmy::prefiksyNip()
{
    return host::GetListaStringDB(
        QStringLiteral("select distinct NIP from panstwo where aktywny=1 and NIP is not null order by NIP"));
}

QList<QPair<QString, int>> SlownikiFirmy::dlugosciOkresow()
{
    QList<QPair<QString, int>> dlugosci;
    host::SiblingLibrary biblioteka(QStringLiteral("shared_store.dll"));
    auto *pobierz = biblioteka.resolve<shared_store::GlobalSettings *()>("_GetGlobalSettings");
    if (const shared_store::GlobalSettings *ustawienia = pobierz ? pobierz() : nullptr)
        for (const shared_store::DlugoscOkresu &d : ustawienia->dlugosc_okresu)
            dlugosci.append({d.nazwa, d.kod});
    return dlugosci;
}

QList<KontoRozliczeniowe> SlownikiFirmy::kontaAktywnejFirmy()
{
    db::Query q(
        host::GetConnection(),
        QStringLiteral(
            "select id_konta, bank, nr_konta, aktywne from konto where id_ = :id_f and tabela = 7 order by id_konta"));
    q.parameters().setValue(QStringLiteral("id_f"), host::var::AktywnaFirma.get());
    QList<KontoRozliczeniowe> konta;
    if (host::OpenQuery(q) == 1)
        for (q.first(); !q.eof(); q.next())
            konta.append({q.value(QStringLiteral("id_konta")).toInt(),
                          q.value(QStringLiteral("bank")).toString() + QLatin1Char(' ')
                              + q.value(QStringLiteral("nr_konta")).toString(),
                          q.value(QStringLiteral("aktywne")).toBool()});
    return konta;
}

QString SlownikiFirmy::prefiksNipPanstwa(int idPanstwa)
{
    return host::GetStringDB(QStringLiteral("select NIP from panstwo where id_p = :id_p"), QString(), nullptr,
                             {{QStringLiteral("id_p"), idPanstwa}});
}

QString SlownikiFirmy::nazwaFirmy(int idFirmy)
{
    return host::GetStringDB(QStringLiteral("select nazwa from firma where id_f = :id"), QString(), nullptr,
                             {{QStringLiteral("id"), idFirmy}});
}

QString SlownikiFirmy::opisMiasta(int idM, int idKodu)
{
    db::Query q(
        host::GetConnection(),
        QStringLiteral("select p.sam, k.kod, m.miasto from miasto m left join panstwo p on p.id_p = m.id_panstwa"
                       " left join kod_pocztowy k on k.id_kodu = :id_kodu where m.id_m = :id_m"));
    q.parameters().setValue(QStringLiteral("id_kodu"), idKodu);
    q.parameters().setValue(QStringLiteral("id_m"), idM);
    QStringList czesci;
    if (host::OpenQuery(q) == 1 && !q.isEmpty()) {
        q.first();
        for (const char *pole : {"sam", "kod", "miasto"})
            if (const QString c = q.value(QLatin1String(pole)).toString().trimmed(); !c.isEmpty())
                czesci << c;
    }
    return czesci.join(QLatin1Char(' '));
}

int SlownikiFirmy::liczbaOddzialow(int idFirmy)
{
    return host::GetIntDB(QStringLiteral("select count(*) as ile from firma where id_centrali = :id_f"),
                          QStringLiteral("ile"), nullptr, {{QStringLiteral("id_f"), idFirmy}});
}

int SlownikiFirmy::otworzSlownik(QWidget *rodzic, const QString &typSlownika)
{
    // Payment terms are numbers and sort as such.
    const bool terminy = typSlownika == QLatin1String("dni_do_zaplaty");
    db::Query zapytanie(host::GetConnection(),
                        terminy ? QStringLiteral("select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1"
                                                 " where s1.typ_slownika=:typ_slownika and s1.id_jezyka=:id_jezyka"
                                                 " order by cast(s1.wartosc as int)")
                                : zeSlownika());
    zapytanie.parameters().setValue(QStringLiteral("typ_slownika"), typSlownika);
    zapytanie.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    return host::OpenRamkaSlownik(rodzic, 0, &zapytanie);
}

QString SlownikiFirmy::wartoscSlownika(int id)
{
    return host::GetStringDB(
        QStringLiteral("select wartosc from VListaPozSlownika where id = :id and id_jezyka = :id_jezyka"), QString(),
        nullptr, {{QStringLiteral("id"), id}, {QStringLiteral("id_jezyka"), host::GetLanguage()}});
}

} // namespace partners
