#include "company/zapis_firmy_form.h"

#include "company/skrot_firmy.h"
#include "ramka/edycja/zapis_procedury.h"

#include "connection.h"
#include "db_error.h"
#include "host_funcs.h"
#include "query.h"
#include "stored_proc.h"

namespace {

// Owner code of a company in the polymorphic tables.
constexpr int TabelaFirma = 7;

QList<QPair<int, QString>> slownik(const QString &typ)
{
    QList<QPair<int, QString>> wpisy;
    db::Connection *polaczenie = host::GetConnection();
    if (!polaczenie)
        return wpisy;
    db::Query q(polaczenie,
                QStringLiteral("select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1 "
                               "where s1.typ_slownika=:typ_slownika and s1.id_jezyka=:id_jezyka "
                               "and s1.nazwa_parametru=:nazwa_parametru order by ")
                    + polaczenie->dialect().collated(QStringLiteral("s1.wartosc")));
    q.parameters().setValue(QStringLiteral("typ_slownika"), typ);
    q.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    q.parameters().setValue(QStringLiteral("nazwa_parametru"), QStringLiteral("nazwa"));
    if (host::OpenQuery(q) != 1)
        return wpisy;
    for (q.first(); !q.eof(); q.next())
        wpisy.append({q.value(QStringLiteral("id")).toInt(), q.value(QStringLiteral("wartosc")).toString()});
    return wpisy;
}

db::Connection &polaczenie()
{
    db::Connection *c = host::GetConnection();
    if (!c)
        throw db::DbError(QStringLiteral("No database connection."));
    return *c;
}

// Runs the procedure without the host's error box; a failure or a refusal is thrown.
QVariant wykonaj(const QString &procedura, const QVariantMap &parametry)
{
    db::StoredProc proc(&polaczenie(), procedura);
    partners::ustawParametry(proc, parametry);
    const int kod = proc.execProc();
    if (kod != 0)
        throw db::DbError(QStringLiteral("%1 returned %2").arg(procedura).arg(kod));
    return proc.value(QStringLiteral("@id"));
}

// The first of the order's texts longer than the parameter it is stored through.
QString zaDlugiTekst(const partners::RekordFirmySzybki &r)
{
    const struct
    {
        const char *procedura, *pole;
        QString tekst;
    } pola[] = {{"PZapFirmeFull", "nazwa", r.nazwa},
                {"PZapAdres", "ulica", r.ulica},
                {"PZapAdres", "nr_m", r.nr_m},
                {"PZapMiasto", "miasto", r.id_m > 0 ? QString() : r.miasto},
                {"PZapKodPoczt", "kod", r.id_kodu > 0 ? QString() : r.kod}};
    for (const auto &p : pola) {
        const db::ProcedureDefinition *d = db::ProcedureRegistry::instance().find(QLatin1String(p.procedura));
        const int i = d ? d->parameters.indexOf(u'@' + QLatin1String(p.pole)) : -1;
        const int szerokosc = i < 0 ? 0 : d->parameters.at(i).size;
        if (szerokosc > 0 && p.tekst.size() > szerokosc)
            return QStringLiteral("%1 is %2 characters long; at most %3 are allowed")
                .arg(QLatin1String(p.pole))
                .arg(p.tekst.size())
                .arg(szerokosc);
    }
    return QString();
}

} // namespace

Tzapis_firmy_form::Tzapis_firmy_form(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("zapis_firmy_form"));
    m_typy = slownik(QStringLiteral("typ_firmy"));
    for (const auto &wpis : slownik(QStringLiteral("firma_rodzaj")))
        m_rodzaje.append(wpis.first);
    m_domyslnaWaluta = host::var::DomyslnaWaluta.get();
    m_unikalneSkroty = host::var::UnikalneSkrotyFirm.get();
}

int Tzapis_firmy_form::idTypuFirmy(bool wlasna) const
{
    const QString tekst = host::LoadResstrings(wlasna ? QStringLiteral("Resstrings_IDS_firma_wlasna")
                                                      : QStringLiteral("Resstrings_IDS_ogolny2"));
    for (const auto &wpis : m_typy)
        if (wpis.second == tekst)
            return wpis.first;
    return 0;
}

int Tzapis_firmy_form::ZapiszSzybko(partners::RekordFirmySzybki &r, QString *powod)
{
    r.id_wynik = 0;
    QString blad = zaDlugiTekst(r);
    if (blad.isEmpty()) {
        try {
            // One transaction: a city created for the company goes with it when the company fails.
            db::Transaction transakcja(polaczenie());
            zapisz(r);
            transakcja.commit();
        } catch (const db::DbError &e) {
            r.id_wynik = 0;
            blad = e.message();
        }
    }
    if (powod)
        *powod = blad;
    return r.id_wynik;
}

void Tzapis_firmy_form::zapisz(partners::RekordFirmySzybki &r)
{
    r.skrot = partners::generujSkrotFirmy(r.nazwa, 0, m_unikalneSkroty);
    if (r.waluta.isEmpty())
        r.waluta = m_domyslnaWaluta;

    partners::AdresDoRozpoznania adres{r.panstwo, r.miasto, r.kod, 0, r.id_m, r.id_kodu};
    partners::rozpoznajAdres(adres, m_panstwa);
    r.miasto = adres.miasto;
    r.id_m = adres.id_m;
    r.id_kodu = adres.id_kodu;

    m_zaznaczone.clear();
    bool liczba = false;
    const int grupa = r.grupa.toInt(&liczba);
    if (liczba && grupa > 0 && m_rodzaje.contains(grupa))
        m_zaznaczone.insert(grupa);

    const int typ = idTypuFirmy(r.firma_wlasna);
    const bool saUwagi = !r.uwagi.isEmpty();
    r.id_wynik = wykonaj(QStringLiteral("PZapFirmeFull"),
                         {
                             {QStringLiteral("@nazwa"), r.nazwa},
                             {QStringLiteral("@skrot"), db::nullIfEmpty(r.skrot)},
                             {QStringLiteral("@typ_firmy"), typ > 0 ? QVariant(typ) : QVariant()},
                             {QStringLiteral("@wlasciciel"), db::nullIfEmpty(r.wlasciciel)},
                             {QStringLiteral("@e_mail"), db::nullIfEmpty(r.e_mail)},
                             {QStringLiteral("@nr_gg"), db::nullIfEmpty(r.nr_gg)},
                             {QStringLiteral("@skype"), db::nullIfEmpty(r.skype)},
                             {QStringLiteral("@nr_trans"), db::nullIfEmpty(r.nr_trans)},
                             {QStringLiteral("@www"), db::nullIfEmpty(r.www)},
                             {QStringLiteral("@apd_token"), db::nullIfEmpty(r.apd_token)},
                             {QStringLiteral("@nip"), db::nullIfEmpty(r.nip)},
                             {QStringLiteral("@regon"), db::nullIfEmpty(r.regon)},
                             {QStringLiteral("@krs"), db::nullIfEmpty(r.krs)},
                             {QStringLiteral("@apd_id"), r.apd_id > 0 ? QVariant(r.apd_id) : QVariant()},
                             {QStringLiteral("@nocne_od"), r.nocne_od},
                             {QStringLiteral("@nocne_do"), r.nocne_do},
                             {QStringLiteral("@swieta_od"), r.swieta_od},
                             {QStringLiteral("@pora_nocna_od"), r.pora_nocna_od},
                             {QStringLiteral("@pora_nocna_do"), r.pora_nocna_do},
                             {QStringLiteral("@limit_nadh"), r.limit_nadh},
                             {QStringLiteral("@dodatkowe_wolne"), r.dodatkowe_wolne},
                             {QStringLiteral("@komentarz_mod"), 0},
                             {QStringLiteral("@uwagi_mod"), saUwagi ? 1 : 0},
                             {QStringLiteral("@uwagi"), db::nullIfEmpty(r.uwagi)},
                             {QStringLiteral("@limit_kredyt"), 0},
                             {QStringLiteral("@waluta_limitu_kredyt"), db::nullIfEmpty(r.waluta)},
                             {QStringLiteral("@aktywna"), true},
                             {QStringLiteral("@id_u"), host::AktIdU()},
                         })
                     .toInt();
    if (r.id_wynik < 1)
        throw db::DbError(QStringLiteral("PZapFirmeFull gave no id"));
    zapiszRodzaje(r.id_wynik);
    zapiszAdres(r);
}

void Tzapis_firmy_form::zapiszRodzaje(int idFirmy)
{
    for (int grupa : std::as_const(m_zaznaczone)) {
        db::Query q(&polaczenie(), QStringLiteral("insert into firma_grupa (id_f, grupa) values (:id_f, :grupa)"));
        q.parameters().setValue(QStringLiteral("id_f"), idFirmy);
        q.parameters().setValue(QStringLiteral("grupa"), grupa);
        q.exec();
    }
}

void Tzapis_firmy_form::zapiszAdres(const partners::RekordFirmySzybki &r)
{
    if (r.id_m < 1)
        return;
    wykonaj(QStringLiteral("PZapAdres"),
            {
                {QStringLiteral("@id_"), r.id_wynik},
                {QStringLiteral("@ulica"), db::nullIfEmpty(r.ulica)},
                {QStringLiteral("@nr_domu"), r.nr_domu},
                {QStringLiteral("@nr_m"), r.nr_m},
                {QStringLiteral("@id_kodu"), r.id_kodu > 0 ? QVariant(r.id_kodu) : QVariant()},
                {QStringLiteral("@id_m"), r.id_m},
                {QStringLiteral("@czy_domyslny"), 1},
                {QStringLiteral("@tabela"), TabelaFirma},
            });
}
