#include "company/zapis_firmy.h"

#include "company/okresy/generator_okresow.h"
#include "ramka/edycja/zapis_procedury.h"

#include "connection.h"
#include "day_time.h"
#include "global_settings.h"
#include "handler_guard.h"
#include "host_context.h"
#include "host_funcs.h"
#include "host_syscore.h"
#include "prompter.h"
#include "query.h"
#include "siblings.h"
#include "window_messages.h"

#include <QDir>

namespace partners {

namespace {

const QString Modul = QStringLiteral("partners.dll");

// PZapFirmeFull: another user saved the company after its version was read.
constexpr int KodZmienionaPrzezInnego = 103;

QVariant idLubNull(int id)
{
    return id > 0 ? QVariant(id) : QVariant();
}

} // namespace

QVariant nipDoZapisu(const QString &prefiks, const QString &nip)
{
    QString wynik = nip.trimmed();
    if (wynik.isEmpty())
        return {};
    const QString p = prefiks.trimmed();
    if (p.size() >= 2) {
        int ile = 0;
        while (ile < 2 && ile < wynik.size() && !wynik.at(ile).isDigit())
            ++ile;
        if (wynik.left(ile).compare(p, Qt::CaseInsensitive) != 0)
            wynik.prepend(p);
    }
    return wynik;
}

QVariant czasDoZapisu(const QTime &czas)
{
    if (!czas.isValid())
        return {};
    return QDateTime(db::DayTime::toDate(0), czas);
}

QVariantMap parametryZapisuFirmy(const DaneFirmy &d, int tryb, int idUzytkownika)
{
    QVariantMap p;
    p[QStringLiteral("@nazwa")] = d.nazwa.trimmed();
    p[QStringLiteral("@skrot")] = db::nullIfEmpty(d.skrot.trimmed());
    p[QStringLiteral("@typ_firmy")] = idLubNull(d.idTypu);
    p[QStringLiteral("@status")] = idLubNull(d.idStatusu);
    p[QStringLiteral("@id_centrali")] = d.oddzial ? idLubNull(d.idCentrali) : QVariant();
    p[QStringLiteral("@wlasciciel")] = db::nullIfEmpty(d.wlasciciel);
    p[QStringLiteral("@e_mail")] = db::nullIfEmpty(d.eMail);
    p[QStringLiteral("@nr_gg")] = db::nullIfEmpty(d.nrGg);
    p[QStringLiteral("@skype")] = db::nullIfEmpty(d.skype);
    p[QStringLiteral("@nr_trans")] = db::nullIfEmpty(d.nrTrans);
    p[QStringLiteral("@www")] = db::nullIfEmpty(d.www);
    p[QStringLiteral("@regon")] = db::nullIfEmpty(d.regon);
    p[QStringLiteral("@krs")] = db::nullIfEmpty(d.krs);
    p[QStringLiteral("@apd_id")] = d.apdId.isEmpty() ? QVariant() : QVariant(d.apdId.toInt());
    p[QStringLiteral("@apd_token")] = db::nullIfEmpty(d.apdToken);
    p[QStringLiteral("@nip")] = nipDoZapisu(d.prefiksNip, d.nip);
    p[QStringLiteral("@nocne_od")] = czasDoZapisu(d.nocneOd);
    p[QStringLiteral("@nocne_do")] = czasDoZapisu(d.nocneDo);
    p[QStringLiteral("@swieta_od")] = czasDoZapisu(d.swietaOd);
    p[QStringLiteral("@pora_nocna_od")] = czasDoZapisu(d.poraNocnaOd);
    p[QStringLiteral("@pora_nocna_do")] = czasDoZapisu(d.poraNocnaDo);
    p[QStringLiteral("@okres_roz")] = idLubNull(d.okresRoz);
    p[QStringLiteral("@limit_nadh")] = d.limitNadh;
    p[QStringLiteral("@id_fv_ud")] = idLubNull(d.idFvUd);
    p[QStringLiteral("@dodatkowe_wolne")] = d.dodatkoweWolne;
    const bool komentarzZmieniony = d.komentarz != d.wczytanyKomentarz;
    if (komentarzZmieniony)
        p[QStringLiteral("@komentarz")] = d.komentarz;
    p[QStringLiteral("@komentarz_mod")] = komentarzZmieniony ? 1 : 0;
    const bool uwagiZmienione = d.uwagi != d.wczytaneUwagi;
    if (uwagiZmienione)
        p[QStringLiteral("@uwagi")] = d.uwagi;
    p[QStringLiteral("@uwagi_mod")] = uwagiZmienione ? 1 : 0;
    p[QStringLiteral("@limit_kredyt")] = d.limitKredytowy;
    p[QStringLiteral("@waluta_limitu_kredyt")] = db::nullIfEmpty(d.walutaLimitu);
    p[QStringLiteral("@id")] = tryb == TrybNowaFirma ? QVariant() : QVariant(d.idFirmy);
    p[QStringLiteral("@wersja")] = tryb == TrybNowaFirma || d.wersja < 0 ? QVariant() : QVariant(d.wersja);
    p[QStringLiteral("@id_komunikatora")] = d.idKomunikatora != 0 ? QVariant(d.idKomunikatora) : QVariant();
    p[QStringLiteral("@oswiadczenie_vat")] = d.oswiadczenieVat ? QVariant(1) : QVariant();
    p[QStringLiteral("@fv_papier_firm")] = d.papierFirmowy ? QVariant(1) : QVariant();
    p[QStringLiteral("@fv_margin_gorny")] = d.marginesGorny.isEmpty() ? QVariant() : QVariant(d.marginesGorny.toInt());
    p[QStringLiteral("@aktywna")] = d.aktywna ? 1 : 0;
    p[QStringLiteral("@bus")] = d.bus ? QVariant(true) : QVariant();
    p[QStringLiteral("@id_u")] = idUzytkownika;
    return p;
}

TZapisFirmy::TZapisFirmy(DaneFirmy &dane, QWidget *wlasciciel, db::Connection *polaczenie)
    : prawaFakturySprzedazy(host::SprawdzUpr(QStringLiteral("sales_invoices.dll")) >= 0),
      prawaKalendarza(host::SprawdzUpr(QStringLiteral("calendars.dll")) >= 0),
      m_dane(dane),
      m_wlasciciel(wlasciciel),
      m_polaczenie(polaczenie)
{
    generujOkresy = [](int idFirmy, int kodDlugosci, const QDate &odDnia) {
        partners::generujOkresy(idFirmy, kodDlugosci, odDnia);
    };
}

bool TZapisFirmy::zapisz(int tryb)
{
    return host::guard(false, [&] {
        if (tryb == TrybIstniejacaFirma)
            przeniesKatalogPlikow();
        m_dane.idTypu = idTypuFirmy(m_dane.firmaWlasna);

        const WynikZapisu wynik = wykonajZapis(QStringLiteral("PZapFirmeFull"),
                                               parametryZapisuFirmy(m_dane, tryb, host::AktIdU()), m_polaczenie);
        m_kod = wynik.kod;
        if (!wynik.wykonano)
            return false; // the host has reported the database error
        // A record deleted or being synchronised gets nothing hung on it.
        if (wynik.kod == 0) {
            const int id = wynik.id.toInt();
            if (id > 0) {
                if (host::appContext().isApdEnabled() && tryb == TrybIstniejacaFirma)
                    synchronizujApd(id);
                zapiszRodzaje(id);
                zapiszKontoRozliczeniowe(id);
                utworzOkresy(id);
                if (m_dane.miastoWybrane())
                    zapiszAdres(id, tryb);
                zapiszPowiazanie(id, m_dane.kodAnalityczny, m_dane.idImpAnalityczny, 15);
                zapiszPowiazanie(id, m_dane.mpk, m_dane.idImpMpk, 10);
                m_dane.idFirmy = id;
            }
            m_dane.wersja = wynik.wersja.isValid() ? wynik.wersja.toInt() : -1;
            m_dane.wczytaneUwagi = m_dane.uwagi;
            m_dane.wczytanyKomentarz = m_dane.komentarz;
        }

        if (wynik.kod == KodZmienionaPrzezInnego) {
            host::InfoWarning(QStringLiteral("Resstrings_IDS_Firma_zmieniona_przez_innego"), m_wlasciciel);
            return false;
        }
        if (wynik.kod != 0) {
            zglosKodZapisu(wynik.kod, m_wlasciciel);
            return false;
        }

        host::callSibling<void()>(QStringLiteral("settings_ui.dll"), "_OdswiezFirmy");
        host::OdswiezFirmy_main(0, 0);

        const int id = m_dane.idFirmy;
        if (id > 0 && host::var::AktywnaFirma.get() == id) {
            host::postToMainWindow(host::msg::ActiveCompanyChanged, 1, 0);
            if (prawaKalendarza)
                aktualizujUstawieniaGlobalne();
        }
        if (prawaFakturySprzedazy && id > 0)
            zapiszDomyslneFv(id);
        if (id > 0) {
            zapiszOpcjeFk(id, QStringLiteral("fv_kontrahent_podsum2"), m_dane.fvPodsum2);
            zapiszOpcjeFk(id, QStringLiteral("fv_kontrahent_1waluta"), m_dane.fvJednaWaluta);
            if (host::var::AktywnaFirma.get() != id)
                zapiszDateKursu(id);
        }
        return true;
    });
}

void TZapisFirmy::przeniesKatalogPlikow()
{
    const QString stary = m_dane.wczytanySkrot;
    const QString nowy = host::Usun_znaki_niedozwolone(m_dane.skrot.trimmed());
    if (stary.isEmpty() || nowy.isEmpty() || nowy == stary)
        return;
    const QDir katalog(host::localPath(host::var::SciezkaOb.get()));
    if (!QDir(katalog.filePath(stary)).exists())
        return;
    // A failed copy keeps the old name, so the next save tries again.
    if (host::CopyDirectory(katalog.filePath(stary), katalog.filePath(nowy)))
        m_dane.wczytanySkrot = nowy;
}

int TZapisFirmy::idTypuFirmy(bool wlasna) const
{
    const QString klucz =
        wlasna ? QStringLiteral("Resstrings_IDS_firma_wlasna") : QStringLiteral("Resstrings_IDS_ogolny2");
    const db::Connection *polaczenie = m_polaczenie ? m_polaczenie : host::GetConnection();
    if (!polaczenie)
        return 0;
    return qMax(
        0,
        host::GetIntDB(
            QStringLiteral(
                "select min(id) from VListaPozSlownika where typ_slownika = 'typ_firmy' and id_jezyka = :id_jezyka"
                " and nazwa_parametru = 'nazwa' and ")
                + polaczenie->dialect().collated(QStringLiteral("wartosc")) + QStringLiteral(" = :wartosc"),
            QString(), m_polaczenie,
            {{QStringLiteral("id_jezyka"), host::GetLanguage()},
             {QStringLiteral("wartosc"), host::LoadResstrings(klucz)}}));
}

void TZapisFirmy::synchronizujApd(int id)
{
    if (m_dane.apdId.isEmpty() && m_dane.apdToken.isEmpty())
        return;
    if (m_dane.apdId == m_dane.wczytanyApdId && m_dane.apdToken == m_dane.wczytanyApdToken)
        return;
    m_dane.wczytanyApdId = m_dane.apdId;
    m_dane.wczytanyApdToken = m_dane.apdToken;
    host::callSibling<int(int, int, QString)>(QStringLiteral("data\\MalvoMobile\\MalvoMobile.dll"), "_SynchronizeAPD",
                                              id, m_dane.apdId.toInt(), m_dane.apdToken);
}

void TZapisFirmy::zapiszRodzaje(int id)
{
    db::Query istniejace(m_polaczenie ? m_polaczenie : host::GetConnection(),
                         QStringLiteral("select id_fg, id_f, grupa from firma_grupa where id_f = :id_f"));
    istniejace.parameters().setValue(QStringLiteral("id_f"), id);
    if (host::OpenQuery(istniejace) != 1)
        return;
    QList<int> zapisane;
    for (istniejace.first(); !istniejace.eof(); istniejace.next()) {
        const int grupa = istniejace.value(QStringLiteral("grupa")).toInt();
        if (m_dane.rodzaje.contains(grupa) && !zapisane.contains(grupa))
            zapisane << grupa;
        else
            host::ExecQuery(QStringLiteral("delete from firma_grupa where id_fg = :id_fg"), m_polaczenie, 0,
                            {{QStringLiteral("id_fg"), istniejace.value(QStringLiteral("id_fg"))}});
    }
    for (int grupa : m_dane.rodzaje) {
        if (zapisane.contains(grupa))
            continue;
        zapisane << grupa;
        host::ExecQuery(QStringLiteral("insert into firma_grupa (id_f, grupa) values (:id_f, :grupa)"), m_polaczenie, 0,
                        {{QStringLiteral("id_f"), id}, {QStringLiteral("grupa"), grupa}});
    }
}

void TZapisFirmy::zapiszKontoRozliczeniowe(int id)
{
    const int aktywna = host::var::AktywnaFirma.get();
    const QVariantMap para = {{QStringLiteral("id_f"), id}, {QStringLiteral("id_f_akt"), aktywna}};
    if (m_dane.idKontaRozl <= 0) {
        host::ExecQuery(QStringLiteral("delete from firma_konto_rozl where id_f = :id_f and id_f_akt = :id_f_akt"),
                        m_polaczenie, 0, para);
        return;
    }
    if (aktywna <= 0)
        return; // no own company to settle with
    QVariantMap wartosci = para;
    wartosci.insert(QStringLiteral("id_konta"), m_dane.idKontaRozl);
    zmienLubWstaw(
        QStringLiteral("select count(*) from firma_konto_rozl where id_f = :id_f and id_f_akt = :id_f_akt"),
        QStringLiteral("update firma_konto_rozl set id_konta = :id_konta where id_f = :id_f and id_f_akt = :id_f_akt"),
        QStringLiteral("insert into firma_konto_rozl (id_f_akt, id_f, id_konta) values (:id_f_akt, :id_f, :id_konta)"),
        wartosci);
}

void TZapisFirmy::utworzOkresy(int id)
{
    if (!generujOkresy || !m_dane.poczatekOkresu.isValid() || m_dane.okresRoz <= 0)
        return;
    if (host::CzyIstniejeRekordDB(QStringLiteral("select id_okr from okres_roz where id_f = :id_f"), m_polaczenie,
                                  {{QStringLiteral("id_f"), id}}))
        return;
    generujOkresy(id, m_dane.okresRoz, m_dane.poczatekOkresu);
    const QDate najwczesniejszy = poczatekPierwszegoOkresu(id, m_polaczenie);
    if (najwczesniejszy.isValid())
        m_dane.poczatekOkresu = najwczesniejszy;
}

void TZapisFirmy::zapiszAdres(int id, int tryb)
{
    const QVariant idAdresu = tryb == TrybNowaFirma ? QVariant() : idLubNull(m_dane.idAdresuDomyslnego);
    const WynikZapisu wynik = wykonajZapis(QStringLiteral("PZapAdres"),
                                           {{QStringLiteral("@id"), idAdresu},
                                            {QStringLiteral("@id_"), id},
                                            {QStringLiteral("@ulica"), db::nullIfEmpty(m_dane.ulica)},
                                            {QStringLiteral("@nr_domu"), m_dane.nrDomu},
                                            {QStringLiteral("@nr_m"), m_dane.nrM},
                                            {QStringLiteral("@id_m"), m_dane.idM},
                                            {QStringLiteral("@id_kodu"), idLubNull(m_dane.idKodu)},
                                            {QStringLiteral("@czy_domyslny"), 1},
                                            {QStringLiteral("@tabela"), 7}},
                                           m_polaczenie);
    if (wynik.sukces())
        m_dane.idAdresuDomyslnego = wynik.id.toInt();
    else if (wynik.wykonano)
        host::KomunikatZapisuBlad(wynik.kod, m_wlasciciel);
}

void TZapisFirmy::zapiszPowiazanie(int id, const QString &tekst, int &idPowiazania, int kodImportu)
{
    if (!tekst.isEmpty()) {
        const int zapisane =
            host::ZapiszImportPowiazania(m_polaczenie ? m_polaczenie : host::GetConnection(), idPowiazania,
                                         QStringLiteral("firma"), QStringLiteral("id_f"), id, tekst, kodImportu, 0);
        if (zapisane > 0)
            idPowiazania = zapisane;
    } else if (idPowiazania > 0) {
        if (host::UsunImportPowiazania(m_polaczenie ? m_polaczenie : host::GetConnection(), idPowiazania))
            idPowiazania = -1;
    }
}

void TZapisFirmy::aktualizujUstawieniaGlobalne()
{
    // The settings object lives only while the library is loaded.
    host::SiblingLibrary biblioteka(QStringLiteral("shared_store.dll"));
    auto *pobierz = biblioteka.resolve<shared_store::GlobalSettings *()>("_GetGlobalSettings");
    if (!pobierz)
        return;
    shared_store::GlobalSettings *ustawienia = pobierz();
    if (!ustawienia)
        return;
    ustawienia->nocneOd = czasDoZapisu(m_dane.nocneOd).toDateTime();
    ustawienia->nocneDo = czasDoZapisu(m_dane.nocneDo).toDateTime();
    ustawienia->swietaOd = czasDoZapisu(m_dane.swietaOd).toDateTime();
    ustawienia->limitNadgodzin = m_dane.limitNadh;
    ustawienia->okresRoz = m_dane.okresRoz;
}

void TZapisFirmy::zapiszDomyslneFv(int id)
{
    host::SiblingLibrary data(QStringLiteral("data.dll"));
    auto *zapiszUstaw = data.resolve<int(QString, QString, QString, int, int)>("_ZapiszUstaw");
    const auto zapisz = [&](const QString &klucz, const QString &wartosc) {
        if (zapiszUstaw)
            zapiszUstaw(klucz, wartosc, Modul, 0, id);
    };
    if (!m_dane.terminZaplaty.isEmpty())
        zapisz(QStringLiteral("termin_zaplaty"), m_dane.terminZaplaty);
    if (m_dane.sposobZaplaty > 0)
        zapisz(QStringLiteral("sposob_zaplaty"), QString::number(m_dane.sposobZaplaty));
    if (m_dane.szablonyWidoczne && m_dane.szablonZlecenia > 0)
        zapisz(QStringLiteral("szablon_zlecenia"), QString::number(m_dane.szablonZlecenia));
    if (m_dane.szablonyWidoczne && m_dane.szablonPotwierdzenia > 0)
        zapisz(QStringLiteral("szablon_zlecenia_potwierdzenie"), QString::number(m_dane.szablonPotwierdzenia));
    const auto linie = [&](bool widoczne, const char *prefiks, const QStringList &tekst) {
        if (!widoczne)
            return;
        const QString p = QLatin1String(prefiks);
        host::ExecQuery(QStringLiteral("delete from ustawienia where co like :wzorzec and id_f = :id_f"), m_polaczenie,
                        0, {{QStringLiteral("wzorzec"), p + QLatin1Char('%')}, {QStringLiteral("id_f"), id}});
        for (int i = 0; i < tekst.size(); ++i)
            zapisz(p + QLatin1Char('_') + QString::number(i), tekst.at(i));
    };
    linie(m_dane.uwagiFvWidoczne, "uwagi_firmy_fv", m_dane.uwagiFv);
    linie(m_dane.uwagiSpWidoczne, "uwagi_firmy_sp", m_dane.uwagiSp);
}

void TZapisFirmy::zapiszOpcjeFk(int id, const QString &klucz, bool wartosc)
{
    const QVariantMap wiersz = {{QStringLiteral("co"), klucz},
                                {QStringLiteral("id_f"), id},
                                {QStringLiteral("wartosc"), wartosc ? QStringLiteral("1") : QStringLiteral("0")}};
    zmienLubWstaw(
        QStringLiteral("select count(*) from ustawienia where kod = 'FK' and co = :co and id_f = :id_f"),
        QStringLiteral("update ustawienia set wartosc = :wartosc where kod = 'FK' and co = :co and id_f = :id_f"),
        QStringLiteral(
            "insert into ustawienia (co, wartosc, kod, id_u, id_f) values (:co, :wartosc, 'FK', NULL, :id_f)"),
        wiersz);
}

void TZapisFirmy::zmienLubWstaw(const QString &ileJest, const QString &zmien, const QString &wstaw,
                                const QVariantMap &wartosci)
{
    const bool jest = host::GetIntDB(ileJest, QString(), m_polaczenie, wartosci) > 0;
    host::ExecQuery(jest ? zmien : wstaw, m_polaczenie, 0, wartosci);
}

void TZapisFirmy::zapiszDateKursu(int id)
{
    const auto zapisz = [&](const QString &klucz, int wartosc) {
        wykonajZapis(QStringLiteral("PZapUst4"),
                     {{QStringLiteral("@id_u_kto"), host::AktIdU()},
                      {QStringLiteral("@co"), klucz},
                      {QStringLiteral("@wartosc"), QString::number(wartosc)},
                      {QStringLiteral("@kod"), QStringLiteral("SP")},
                      {QStringLiteral("@id_f"), id},
                      {QStringLiteral("@id_u"), QVariant()}},
                     m_polaczenie);
    };
    zapisz(QStringLiteral("sp_data_kursu_auto"), m_dane.dataKursuAuto ? 1 : 0);
    zapisz(QStringLiteral("sp_data_kursu_zal_roz"), m_dane.dataKursuZrodlo == 0 ? 0 : 1);
    if (m_dane.dniKursuIndeks >= 0)
        zapisz(QStringLiteral("sp_cb_dni_kurs_zal_roz"), m_dane.dniKursuIndeks - 2);
}

} // namespace partners
