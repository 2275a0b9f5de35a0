#include "company/zapis_firmy_form.h"

#include "company/skrot_firmy.h"
#include "company/zapis_procedury.h"

#include "connection.h"
#include "host_funcs.h"
#include "query.h"

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

int Tzapis_firmy_form::ZapiszSzybko(partners::RekordFirmySzybki &r)
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
    const partners::WynikZapisu wynik =
        partners::wykonajZapis(QStringLiteral("PZapFirmeFull"),
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
                               });

    r.id_wynik = wynik.wykonano ? wynik.id.toInt() : 0;
    // Kinds and the address hang on the company: nothing to hang them on
    // when the save gave no id.
    if (r.id_wynik > 0) {
        zapiszRodzaje(r.id_wynik);
        zapiszAdres(r);
    }
    if (wynik.wykonano && wynik.kod != 0)
        partners::zglosKodZapisu(wynik.kod);
    return r.id_wynik;
}

void Tzapis_firmy_form::zapiszRodzaje(int idFirmy)
{
    for (int grupa : std::as_const(m_zaznaczone))
        host::ExecQuery(QStringLiteral("insert into firma_grupa (id_f, grupa) values (:id_f, :grupa)"), nullptr, 0,
                        {{QStringLiteral("id_f"), idFirmy}, {QStringLiteral("grupa"), grupa}});
}

void Tzapis_firmy_form::zapiszAdres(const partners::RekordFirmySzybki &r)
{
    if (r.id_m < 1)
        return;
    const partners::WynikZapisu wynik =
        partners::wykonajZapis(QStringLiteral("PZapAdres"),
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
    if (wynik.wykonano && wynik.kod != 0)
        host::save_log_to_file(QStringLiteral("company\\zapis_firmy_form"),
                               QStringLiteral("Tzapis_firmy_form::zapiszAdres"), __LINE__,
                               QStringLiteral("PZapAdres returned %1 for company %2").arg(wynik.kod).arg(r.id_wynik));
}
