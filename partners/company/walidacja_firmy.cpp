#include "company/walidacja_firmy.h"
#include "company/zapis_firmy.h"

#include "connection.h"
#include "db_error.h"
#include "host_funcs.h"
#include "prompter.h"
#include "query.h"

namespace partners {

namespace {

const QString KluczPytania = QStringLiteral("Resstrings_IDS_ChildZapisacTarcze");

// The NIP as compared in the database: blanks and dashes removed on both sides.
const QString NipBezZnakow = QStringLiteral("replace(replace(nip,' ',''), '-','')");

QString bezOdstepowIKresek(QString tekst)
{
    return tekst.remove(QLatin1Char(' ')).remove(QLatin1Char('-'));
}

bool kolumnaDozwolona(const QString &kolumna)
{
    static const QStringList dozwolone = {QStringLiteral("nip"), QStringLiteral("regon"), QStringLiteral("krs"),
                                          QStringLiteral("nazwa"), QStringLiteral("skrot")};
    return dozwolone.contains(kolumna);
}

} // namespace

QString komunikatBleduXL()
{
    return QStringLiteral("Błąd połączenia z bazą CDN XL\nSprawdź ustawienia połączenia.");
}

QString pytanieAkronimXL()
{
    return QStringLiteral(
        "Firma o podanym nipie istnieje już w bazie XL lecz ma inny akronim\nPobrać właściwy akronim z bazy XL?");
}

TWalidacjaFirmy::TWalidacjaFirmy(DaneFirmy &dane, QWidget *wlasciciel, db::Connection *polaczenie)
    : m_dane(dane),
      m_wlasciciel(wlasciciel),
      m_polaczenie(polaczenie)
{}

bool TWalidacjaFirmy::blad(const QString &tekst)
{
    host::InfoBox(m_wlasciciel, tekst, host::mb::IconInformation);
    return false;
}

bool TWalidacjaFirmy::pytanie(const QString &tekst)
{
    return host::InfoBox(m_wlasciciel, tekst, host::mb::YesNo | host::mb::IconQuestion) == host::mb::IdYes;
}

QString TWalidacjaFirmy::brakujacePole(const QString &podpowiedz) const
{
    return host::LoadResstrings(QStringLiteral("Resstrings_IDS_prosze_wypelnic_pole")).arg(podpowiedz);
}

WynikWalidacji TWalidacjaFirmy::sprawdz()
{
    if (m_dane.nazwa.trimmed().isEmpty()) {
        blad(brakujacePole(m_podpowiedzi.nazwa));
        return WynikWalidacji::blad(PoleFirmy::Nazwa);
    }
    if (m_dane.skrot.trimmed().isEmpty()) {
        blad(brakujacePole(m_podpowiedzi.skrot));
        return WynikWalidacji::blad(PoleFirmy::Skrot);
    }
    if (!m_dane.miastoWybrane()) {
        blad(brakujacePole(m_podpowiedzi.miasto));
        return WynikWalidacji::blad(PoleFirmy::Miasto);
    }
    if (m_dane.firmaWlasna && !host::var::UprawnieniaZapisFirmyWlasne.get()) {
        blad(host::LoadResstrings(QStringLiteral("Resstrings_IDS_BrakUprawnienZapisFirmyWlasne")));
        return WynikWalidacji::blad(PoleFirmy::Brak, QString());
    }
    if (m_dane.oddzial && m_dane.idCentrali <= 0) {
        blad(host::LoadResstrings(QStringLiteral("Resstrings_IDS_PustaNazwaOddzialuFirmy")));
        return WynikWalidacji::blad(PoleFirmy::Centrala);
    }
    if (m_dane.okresRozWymagany && m_dane.okresRoz <= 0) {
        blad(host::LoadResstrings(QStringLiteral("Resstrings_IDS_PustaDlugoscOkresuRozl")));
        return WynikWalidacji::blad(PoleFirmy::DlugoscOkresu, ZakladkaKsiegRozl);
    }
    if (m_dane.limitKredytowy > 0 && m_dane.walutaLimitu.trimmed().isEmpty()) {
        blad(brakujacePole(m_podpowiedzi.waluta));
        return WynikWalidacji::blad(PoleFirmy::WalutaLimitu);
    }
    if (nipZajety())
        return WynikWalidacji::blad(PoleFirmy::Nip);
    if (!sprawdzUnikalnosc(QStringLiteral("regon"), m_dane.regon, QStringLiteral("Resstrings_IDS_Firmy_regon_JuzJest")))
        return WynikWalidacji::blad(PoleFirmy::Regon);
    if (!sprawdzUnikalnosc(QStringLiteral("krs"), m_dane.krs, QStringLiteral("Resstrings_IDS_Firmy_krs_JuzJest")))
        return WynikWalidacji::blad(PoleFirmy::Krs);
    if (!sprawdzUnikalnosc(QStringLiteral("nazwa"), m_dane.nazwa, QStringLiteral("Resstrings_IDS_Firmy_nazwa_JuzJest")))
        return WynikWalidacji::blad(PoleFirmy::Nazwa);
    if (host::var::CzySprawdzSkrotXL.get())
        sprawdzAkronimXL();
    if (!sprawdzUnikalnosc(QStringLiteral("skrot"), m_dane.skrot,
                           QStringLiteral("Resstrings_IDS_SFirmy_Skrot_JuzJest")))
        return WynikWalidacji::blad(PoleFirmy::Skrot);
    return WynikWalidacji::ok();
}

bool TWalidacjaFirmy::sprawdzUnikalnosc(const QString &kolumna, const QString &wartosc, const QString &kluczKomunikatu)
{
    if (wartosc.trimmed().isEmpty())
        return true;
    if (!kolumnaDozwolona(kolumna)) {
        host::save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("TWalidacjaFirmy::sprawdzUnikalnosc"), __LINE__,
                               QStringLiteral("unknown column ") + kolumna);
        return false;
    }
    const bool nip = kolumna == QLatin1String("nip");
    // A NIP is stored with its EU prefix in front: both forms are looked for.
    const QString warunek = nip ? QStringLiteral("(%1 or %2)")
                                      .arg(host::like(NipBezZnakow, QStringLiteral(":wartosc")),
                                           host::like(NipBezZnakow, QStringLiteral(":z_prefiksem")))
                                : host::like(kolumna, QStringLiteral(":wartosc"));
    const QString sql = QStringLiteral("select id_f from firma where id_f <> :id_f and ") + warunek;
    QVariantMap parametry = {{QStringLiteral("id_f"), qMax(0, m_dane.idFirmy)},
                             {QStringLiteral("wartosc"), nip ? bezOdstepowIKresek(wartosc) : wartosc.trimmed()}};
    if (nip)
        parametry.insert(QStringLiteral("z_prefiksem"),
                         nipDoZapisu(m_dane.prefiksNip, bezOdstepowIKresek(wartosc)).toString());
    if (!host::CzyIstniejeRekordDB(sql, m_polaczenie, parametry))
        return true;
    if (nip || kolumna == QLatin1String("nazwa"))
        return pytanie(host::LoadResstrings(kluczKomunikatu) + QLatin1Char('\n') + host::LoadResstrings(KluczPytania));
    return blad(host::LoadResstrings(kluczKomunikatu));
}

bool TWalidacjaFirmy::nipZajety()
{
    if (m_dane.nip.trimmed().isEmpty())
        return false;
    QString sql;
    QVariantMap parametry = {{QStringLiteral("id_f"), qMax(0, m_dane.idFirmy)}};
    if (m_dane.oddzial) {
        // A branch may carry its head office's NIP; under a head office without one it may carry none of another's.
        sql = QStringLiteral("select id_f from firma where id_f <> :id_f and (%1 or %2)"
                             " and nip <> coalesce((select nip from firma where firma.id_f = :id_centrali), '')")
                  .arg(host::like(QStringLiteral("nip"), QStringLiteral(":wartosc")),
                       host::like(QStringLiteral("nip"), QStringLiteral(":z_prefiksem")));
        parametry.insert(QStringLiteral("wartosc"), m_dane.nip);
        parametry.insert(QStringLiteral("z_prefiksem"),
                         nipDoZapisu(m_dane.prefiksNip, m_dane.nip.trimmed()).toString());
        parametry.insert(QStringLiteral("id_centrali"), m_dane.idCentrali);
    } else {
        const QList<int> oddzialy = m_dane.nowa()
            ? QList<int>()
            : host::GetListaIntDB(QStringLiteral("select id_f from firma where id_centrali = :id_f order by id_f"),
                                  QString(), m_polaczenie, {{QStringLiteral("id_f"), m_dane.idFirmy}});
        if (oddzialy.isEmpty())
            return !sprawdzUnikalnosc(QStringLiteral("nip"), m_dane.nip, QStringLiteral("Resstrings_IDS_NipJuzJest"));
        // Ids come from the database, so they are spliced as numbers. A branch
        // without a NIP must not hide every conflict (not in with a null).
        QStringList warunki;
        for (int id : oddzialy)
            warunki << QStringLiteral("firma.id_f=%1").arg(id);
        sql = QStringLiteral("select id_f from firma where id_f <> :id_f and (%1 or %2) and %3 not in"
                             " (select %3 from firma where nip is not null and (%4))")
                  .arg(host::like(NipBezZnakow, QStringLiteral(":wartosc")),
                       host::like(NipBezZnakow, QStringLiteral(":z_prefiksem")), NipBezZnakow,
                       warunki.join(QStringLiteral(" or ")));
        parametry.insert(QStringLiteral("wartosc"), bezOdstepowIKresek(m_dane.nip));
        parametry.insert(QStringLiteral("z_prefiksem"),
                         nipDoZapisu(m_dane.prefiksNip, bezOdstepowIKresek(m_dane.nip)).toString());
    }
    if (!host::CzyIstniejeRekordDB(sql, m_polaczenie, parametry))
        return false;
    blad(host::LoadResstrings(QStringLiteral("Resstrings_IDS_NipJuzJest")));
    return true;
}

void TWalidacjaFirmy::sprawdzAkronimXL()
{
    QList<KartaXL> karty;
    try {
        auto xl = otworzBazeXL(host::ConnectionStringCDNXL());
        db::Query q(xl.get(), QStringLiteral("select Knt_Akronim, Knt_Nip from CDN.KntKarty"));
        q.open();
        for (q.first(); !q.eof(); q.next())
            karty.append({q.value(0).toString(), q.value(1).toString()});
    } catch (const db::DbError &e) {
        host::save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("TWalidacjaFirmy::sprawdzAkronimXL"), __LINE__,
                               e.message());
        blad(komunikatBleduXL());
        return;
    }
    const QString akronim = akronimXLDlaNip(karty, m_dane.nip);
    if (akronim.isEmpty() || akronim == m_dane.skrot)
        return;
    if (pytanie(pytanieAkronimXL()))
        m_dane.skrot = akronim;
}

QString akronimXLDlaNip(const QList<KartaXL> &karty, const QString &nip)
{
    const QString wpisany = nip.trimmed().toLower();
    QString cyfry;
    for (const QChar c : nip)
        if (c.isDigit())
            cyfry += c;
    for (const KartaXL &karta : karty) {
        const QString nipKarty = karta.nip.trimmed().toLower();
        if (!nipKarty.isEmpty() && (nipKarty == wpisany || nipKarty == cyfry))
            return karta.akronim;
    }
    return {};
}

std::unique_ptr<db::Connection> otworzBazeXL(const QString &cel)
{
    if (cel.trimmed().isEmpty())
        throw db::DbError(QStringLiteral("No CDN XL connection is configured."));
    return db::Connection::openAsSchema(cel, QStringLiteral("CDN"));
}

StanNip stanNip(const QString &prefiks, const QString &nip)
{
    if (nip.isEmpty()
        || QString(prefiks).remove(QLatin1Char(' ')).compare(QLatin1String("PL"), Qt::CaseInsensitive) != 0)
        return StanNip::Nieznany;
    return host::Sprawdz_nip(nip) && !host::CzyNipEuro(nip) ? StanNip::Poprawny : StanNip::Bledny;
}

bool emailBledny(const QString &email)
{
    return !email.trimmed().isEmpty() && !host::IsEmailValidate(email);
}

} // namespace partners
