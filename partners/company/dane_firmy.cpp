#include "company/dane_firmy.h"

#include "company/rekord_szybki.h"
#include "company/slowniki_firmy.h"

#include "host_context.h"
#include "host_funcs.h"
#include "query.h"

namespace partners {

namespace {

QString tekst(const db::Query &q, const char *pole)
{
    return q.value(QLatin1String(pole)).toString();
}

int liczba(const db::Query &q, const char *pole)
{
    return q.value(QLatin1String(pole)).toInt();
}

// A number the user edits as text; null stays empty.
QString liczbaJakoTekst(const db::Query &q, const char *pole)
{
    const QVariant v = q.value(QLatin1String(pole));
    return v.isNull() ? QString() : QString::number(v.toInt());
}

bool flaga(const db::Query &q, const char *pole)
{
    const QVariant v = q.value(QLatin1String(pole));
    return v.typeId() == QMetaType::QString
        ? v.toString() == QLatin1String("1") || v.toString() == QLatin1String("true")
        : v.toBool();
}

QTime czas(const db::Query &q, const char *pole)
{
    const QVariant v = q.value(QLatin1String(pole));
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QTime)
        return v.toTime();
    return v.toDateTime().time();
}

QVariantMap idFirmy(int id)
{
    return {{QStringLiteral("id_f"), id}};
}

QString ustawienie(const char *kod, const char *co, int id, const char *warunekUzytkownika, db::Connection *polaczenie)
{
    return host::GetStringDB(
        QStringLiteral("select wartosc from ustawienia where kod = :kod and co = :co%1 and id_f = :id_f")
            .arg(QLatin1String(warunekUzytkownika)),
        QString(), polaczenie,
        {{QStringLiteral("kod"), QLatin1String(kod)},
         {QStringLiteral("co"), QLatin1String(co)},
         {QStringLiteral("id_f"), id}});
}

QStringList linieUwag(const char *wzorzec, int id, db::Connection *polaczenie)
{
    return host::GetListaStringDB(
        QStringLiteral("select wartosc from ustawienia where co like :wzorzec and (id_u is null or id_u = 0)"
                       " and kod = 'partners.dll' and id_f = :id_f order by co"),
        QString(), polaczenie, {{QStringLiteral("wzorzec"), QLatin1String(wzorzec)}, {QStringLiteral("id_f"), id}});
}

} // namespace

DaneFirmy nowaFirma()
{
    DaneFirmy dane;
    dane.bus = host::var::NowaFirmaBUS.get();
    dane.walutaLimitu = host::var::DomyslnaWaluta.get();
    dane.terminZaplaty = QStringLiteral("45");
    // The windowless writer's working time, so a company is the same whichever way it was made.
    const RekordFirmySzybki zapisSzybki;
    dane.nocneOd = zapisSzybki.nocne_od.time();
    dane.nocneDo = zapisSzybki.nocne_do.time();
    dane.swietaOd = zapisSzybki.swieta_od.time();
    dane.poraNocnaOd = zapisSzybki.pora_nocna_od;
    dane.poraNocnaDo = zapisSzybki.pora_nocna_do;
    return dane;
}

NipZPrefiksem rozdzielNip(const QString &zapisany)
{
    NipZPrefiksem wynik{QString(), zapisany};
    if (zapisany.size() < 2)
        return wynik;
    int ile = 0;
    while (ile < 2 && !zapisany.at(ile).isDigit())
        ++ile;
    wynik.prefiks = zapisany.left(ile);
    wynik.numer = zapisany.mid(ile);
    return wynik;
}

bool wczytajFirme(DaneFirmy &dane, int id, bool zDomyslnymiFv, db::Connection *polaczenie, int idJezyka)
{
    dane = DaneFirmy();
    dane.idFirmy = id;
    // Read before the values: a save in between then counts as a change, never the other way.
    db::Query wersja(polaczenie ? polaczenie : host::GetConnection(),
                     QStringLiteral("select wersja from firma where id_f = :id"));
    wersja.parameters().setValue(QStringLiteral("id"), id);
    if (host::OpenQuery(wersja) == 1 && !wersja.isEmpty())
        dane.wersja = wersja.value(0).toInt();
    const bool jezykHosta = idJezyka <= 0 || idJezyka == host::GetLanguage();
    db::Query q(polaczenie ? polaczenie : host::GetConnection(),
                QStringLiteral("select * from VListaFirmFull where id_jezyka=:id_jezyka and id = :id"));
    q.parameters().setValue(QStringLiteral("id_jezyka"), jezykHosta ? host::GetLanguage() : idJezyka);
    q.parameters().setValue(QStringLiteral("id"), id);
    if (host::OpenQuery(q) != 1 || q.isEmpty())
        return false;
    q.first();

    dane.nazwa = tekst(q, "nazwa");
    dane.skrot = tekst(q, "skrot");
    dane.idTypu = liczba(q, "id_typu");
    // The own-company text is the host's translation: the type is compared in the host's language.
    const QString typ = jezykHosta ? tekst(q, "nazwa_typu") : SlownikiFirmy::wartoscSlownika(dane.idTypu);
    dane.firmaWlasna = dane.idTypu && typ == host::LoadResstrings(QStringLiteral("Resstrings_IDS_firma_wlasna"));
    dane.idStatusu = liczba(q, "id_statusu");
    dane.idCentrali = liczba(q, "id_centrali");
    dane.oddzial = dane.idCentrali > 0;
    dane.limitKredytowy = q.value(QStringLiteral("limit_kredytowy")).toDouble();
    dane.walutaLimitu = tekst(q, "waluta_limitu_kredyt");
    dane.regon = tekst(q, "regon");
    dane.krs = tekst(q, "krs");
    dane.nrTrans = tekst(q, "nr_trans");
    dane.skype = tekst(q, "skype");
    dane.nrGg = tekst(q, "nr_gg");
    dane.www = tekst(q, "www");
    dane.eMail = tekst(q, "e_mail");
    dane.wlasciciel = tekst(q, "wlasciciel");
    dane.apdId = liczbaJakoTekst(q, "apd_id");
    dane.apdToken = tekst(q, "apd_token");
    dane.aktywna = flaga(q, "aktywna");
    dane.bus = flaga(q, "bus");
    dane.uwagi = tekst(q, "uwagi");
    dane.komentarz = tekst(q, "komentarz");
    dane.idKomunikatora = liczba(q, "id_komunikatora");
    dane.idFvUd = liczba(q, "id_fv_ud");
    dane.oswiadczenieVat = liczba(q, "oswiadczenie_vat") != 0;
    dane.papierFirmowy = flaga(q, "fv_papier_firm");
    dane.marginesGorny = liczbaJakoTekst(q, "fv_margin_gorny");

    dane.idM = liczba(q, "id_m");
    dane.idKodu = liczba(q, "id_kodu");
    dane.ulica = tekst(q, "ulica");
    dane.nrDomu = tekst(q, "nr_domu");
    dane.nrM = tekst(q, "nr_m");
    dane.idAdresuDomyslnego = liczba(q, "id_adr");

    dane.nocneOd = czas(q, "nocne_od");
    dane.nocneDo = czas(q, "nocne_do");
    dane.swietaOd = czas(q, "swieta_od");
    dane.poraNocnaOd = czas(q, "pora_nocna_od");
    dane.poraNocnaDo = czas(q, "pora_nocna_do");
    dane.limitNadh = liczba(q, "limit_nadh");
    dane.okresRoz = liczba(q, "okres_roz");
    dane.dodatkoweWolne = liczba(q, "dodatkowe_wolne");
    dane.mpk = tekst(q, "mpk");
    dane.idImpMpk = q.value(QStringLiteral("id_mpk")).isNull() ? -1 : liczba(q, "id_mpk");

    const NipZPrefiksem nip = rozdzielNip(tekst(q, "nip"));
    dane.nip = nip.numer;
    dane.prefiksNip = nip.prefiks;
    if (dane.prefiksNip.isEmpty() && !tekst(q, "sam").isEmpty())
        dane.prefiksNip = host::GetStringDB(QStringLiteral("select NIP from panstwo where sam = :sam"), QString(),
                                            polaczenie, {{QStringLiteral("sam"), tekst(q, "sam")}});
    dane.nipZablokowany = host::appContext().isExternalSyncEnabled() && q.hasField(QStringLiteral("czy_octopus"))
        && flaga(q, "czy_octopus");

    dane.rodzaje =
        host::GetListaIntDB(QStringLiteral("select grupa from firma_grupa where id_f = :id_f order by id_fg"),
                            QString(), polaczenie, idFirmy(id));

    db::Query link(polaczenie ? polaczenie : host::GetConnection(),
                   QStringLiteral("select id_imp, wartosc_import from import_powiazania"
                                  " where id_ = :id_f and import = :import and tabela = 7"));
    link.parameters().setValue(QStringLiteral("id_f"), id);
    link.parameters().setValue(QStringLiteral("import"), 15);
    if (host::OpenQuery(link) == 1 && !link.isEmpty()) {
        link.first();
        dane.idImpAnalityczny = link.value(QStringLiteral("id_imp")).toInt();
        dane.kodAnalityczny = link.value(QStringLiteral("wartosc_import")).toString();
    }

    dane.wczytaneUwagi = dane.uwagi;
    dane.wczytanyKomentarz = dane.komentarz;
    dane.wczytanySkrot = dane.skrot;
    dane.wczytanyApdId = dane.apdId;
    dane.wczytanyApdToken = dane.apdToken;

    wczytajUstawieniaFirmy(dane, zDomyslnymiFv, polaczenie);
    return true;
}

void wczytajUstawieniaFirmy(DaneFirmy &dane, bool zDomyslnymiFv, db::Connection *polaczenie)
{
    const int id = dane.idFirmy;
    dane.fvJednaWaluta = ustawienie("FK", "fv_kontrahent_1waluta", id, "", polaczenie) == QLatin1String("1");
    dane.fvPodsum2 = ustawienie("FK", "fv_kontrahent_podsum2", id, "", polaczenie) == QLatin1String("1");
    dane.dataKursuAuto = ustawienie("SP", "sp_data_kursu_auto", id, "", polaczenie) == QLatin1String("1");
    dane.dataKursuZrodlo = ustawienie("SP", "sp_data_kursu_zal_roz", id, "", polaczenie).toInt() == 0 ? 0 : 1;
    const int przesuniecie = ustawienie("SP", "sp_cb_dni_kurs_zal_roz", id, "", polaczenie).toInt();
    dane.dniKursuIndeks = qBound(-2, przesuniecie, 2) + 2;

    if (!zDomyslnymiFv)
        return;
    dane.terminZaplaty = QStringLiteral("45");
    const QString termin = ustawienie("partners.dll", "termin_zaplaty", id, " and id_u is null", polaczenie);
    if (!termin.isEmpty())
        dane.terminZaplaty = termin;
    dane.sposobZaplaty = ustawienie("partners.dll", "sposob_zaplaty", id, " and id_u is null", polaczenie).toInt();
    dane.szablonZlecenia = ustawienie("partners.dll", "szablon_zlecenia", id, " and id_u is null", polaczenie).toInt();
    dane.szablonPotwierdzenia =
        ustawienie("partners.dll", "szablon_zlecenia_potwierdzenie", id, " and id_u is null", polaczenie).toInt();
    dane.uwagiFv = linieUwag("uwagi_firmy_fv%", id, polaczenie);
    dane.uwagiSp = linieUwag("uwagi_firmy_sp%", id, polaczenie);
    dane.idKontaRozl = host::GetIntDB(
        QStringLiteral("select id_konta from firma_konto_rozl where id_f = :id_f and id_f_akt = :id_f_akt"), QString(),
        polaczenie, {{QStringLiteral("id_f"), id}, {QStringLiteral("id_f_akt"), host::var::AktywnaFirma.get()}});
}

bool zawieraFirmeWlasna(const QList<int> &ids, db::Connection *polaczenie)
{
    QStringList lista;
    for (int id : ids)
        lista << QString::number(id);
    return !lista.isEmpty()
        && host::GetIntDB(
               QStringLiteral("select count(*) from firma f join slowwartosci s on s.id_wartosci = f.typ_firmy"
                              " where s.wartosc = 'firma_wlasna' and f.id_f in (%1)")
                   .arg(lista.join(QLatin1Char(','))),
               QString(), polaczenie)
        != 0;
}

bool typFirmyWlasnej(int idTypu, db::Connection *polaczenie)
{
    return idTypu > 0
        && host::GetIntDB(
               QStringLiteral("select count(*) from slowwartosci where id_wartosci = :id and wartosc = 'firma_wlasna'"),
               QString(), polaczenie, {{QStringLiteral("id"), idTypu}})
        != 0;
}

} // namespace partners
