#include "company/import_eksport/import_firm_form.h"

#include "company/dane_firmy.h"
#include "company/import_eksport/pomin_nadpisz_form.h"
#include "company/zapis_procedury.h"
#include "ramka/modul.h"

#include "connection.h"
#include "day_time.h"
#include "db_error.h"
#include "host_funcs.h"
#include "prompter.h"

#include <QDateTime>

using partners::tlumacz;

namespace {

// Owner code of a company in the polymorphic tables.
constexpr int TabelaFirma = 7;

db::Connection &polaczenie()
{
    db::Connection *c = host::GetConnection();
    if (!c)
        throw db::DbError(QStringLiteral("No database connection."));
    return *c;
}

QString wartosc(const QDomElement &e, const char *nazwa)
{
    return e.firstChildElement(QLatin1String(nazwa)).text();
}

QVariant tekst(const QDomElement &e, const char *nazwa)
{
    return db::nullIfEmpty(wartosc(e, nazwa));
}

int liczba(const QDomElement &e, const char *nazwa, int brak)
{
    const QString w = wartosc(e, nazwa);
    return w.isEmpty() ? brak : w.toInt();
}

// The number a NIP is known by: "PL 123-456-32-18" is 1234563218.
QString numerNip(QString nip)
{
    nip.removeIf([](QChar c) { return !c.isLetterOrNumber(); });
    return partners::rozdzielNip(nip.toUpper()).numer;
}

// The elements of a container of the company, e.g. every "telefon" of "telefony".
QList<QDomElement> elementy(const QDomElement &firma, const char *kontener, const char *element)
{
    QList<QDomElement> wynik;
    const QString nazwa = QLatin1String(element);
    for (QDomElement e = firma.firstChildElement(QLatin1String(kontener)).firstChildElement(nazwa); !e.isNull();
         e = e.nextSiblingElement(nazwa))
        wynik << e;
    return wynik;
}

} // namespace

QString Timport_firm_form::Podsumowanie::tekst() const
{
    QString t = QStringLiteral("Zapisano: %1\nNadpisano: %2\nPominięto: %3\nOdrzucono: %4")
                    .arg(zapisane)
                    .arg(nadpisane)
                    .arg(pominiete)
                    .arg(odrzucone.size());
    for (const Odrzucony &o : odrzucone)
        t += QStringLiteral("\nRekord %1 (%2): %3").arg(o.numer).arg(o.nazwa, o.powod);
    return t;
}

Timport_firm_form::Timport_firm_form(Decyzja decyzja, Dopasowanie dopasowanie, QObject *parent)
    : Tszablon_import_from(parent),
      m_decyzja(std::move(decyzja)),
      m_dopasowanie(dopasowanie),
      m_spFirma(&polaczenie(), QStringLiteral("PZapFirmeFull")),
      m_spTelefon(&polaczenie(), QStringLiteral("PZapTelefon")),
      m_spAdres(&polaczenie(), QStringLiteral("PZapAdres")),
      m_spKonto(&polaczenie(), QStringLiteral("PZapKonto")),
      m_spKontakt(&polaczenie(), QStringLiteral("PZapKontakt")),
      m_spMiasto(&polaczenie(), QStringLiteral("PZapMiasto")),
      m_spKod(&polaczenie(), QStringLiteral("PZapKodPoczt")),
      m_telefonIstnieje(
          &polaczenie(),
          QStringLiteral("select id_tel from telefon where tabela = 7 and id_ = :id_f and numer = :numer")),
      m_adresIstnieje(&polaczenie(),
                      QStringLiteral("select id_adr from adres where tabela = 7 and id_ = :id_f "
                                     "and id_m = :id_m and coalesce(id_kodu, 0) = :id_kodu "
                                     "and coalesce(ulica, '') = :ulica and coalesce(nr_domu, '') = "
                                     ":nr_domu and coalesce(nr_m, '') = :nr_m")),
      m_kontaFirmy(&polaczenie(),
                   QStringLiteral("select id_konta, nr_konta from konto where tabela = 7 and id_ = :id_f")),
      m_usunKontakty(&polaczenie(), QStringLiteral("delete from kontakt where id_f = :id_f")),
      // The city of the country named comes first, then any city of that name.
      m_miasto(&polaczenie(),
               QStringLiteral("select id_m from miasto where %1 = :miasto order by case when "
                              "id_panstwa = :id_panstwa then 0 else 1 end, id_m")
                   .arg(polaczenie().dialect().collated(QStringLiteral("miasto")))),
      m_kod(&polaczenie(),
            QStringLiteral("select id_kodu from kod_pocztowy where id_m = :id_m and kod = :kod order by id_kodu"))
{
    setObjectName(QStringLiteral("import_firm_form"));
}

Timport_firm_form::Timport_firm_form(QObject *parent)
    : Timport_firm_form(&Tpomin_nadpisz_form::zapytaj, Dopasowanie::Nazwa, parent)
{}

Timport_firm_form::~Timport_firm_form() = default;

void Timport_firm_form::wczytajSlowniki()
{
    if (m_slowniki)
        return;
    m_jezyk = host::GetLanguage();
    // Read backwards, so that the first company of a name or NIP is the one kept.
    db::Query q(&polaczenie(), QStringLiteral("select id_f, nazwa, nip from firma order by id_f desc"));
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        const int id = q.value(0).toInt();
        m_poNazwie.insert(q.value(1).toString().trimmed(), id);
        const QString nip = numerNip(q.value(2).toString());
        if (m_dopasowanie == Dopasowanie::NazwaLubNip && !nip.isEmpty())
            m_poNip.insert(nip, id);
    }
    const auto slownik = [this](QHash<QString, int> &mapa, const QString &sql, const QString &typ) {
        db::Query s(&polaczenie(), sql);
        s.parameters().setValue(QStringLiteral("id_jezyka"), m_jezyk);
        s.parameters().setValue(QStringLiteral("typ"), typ);
        s.open();
        for (s.first(); !s.eof(); s.next())
            mapa.insert(s.value(1).toString().toLower(), s.value(0).toInt());
    };
    slownik(m_telFax, QStringLiteral("select kod, wartosc from vtools where typ = :typ and id_jezyka = :id_jezyka"),
            QStringLiteral("telefon_tel_fax"));
    const QString pozycje = QStringLiteral("select id, wartosc from VListaPozSlownika where typ_slownika = :typ "
                                           "and id_jezyka = :id_jezyka and nazwa_parametru = 'nazwa' order by id desc");
    slownik(m_rodzajeTel, pozycje, QStringLiteral("telefony_rodzaj"));
    slownik(m_stanowiska, pozycje, QStringLiteral("stanowiska"));
    m_slowniki = true;
}

int Timport_firm_form::istniejaca(const QString &nazwa, const QString &nip) const
{
    if (const auto it = m_poNazwie.constFind(nazwa); it != m_poNazwie.cend())
        return *it;
    const QString numer = numerNip(nip);
    return numer.isEmpty() ? 0 : m_poNip.value(numer, 0);
}

bool Timport_firm_form::ImportRecord(const QDomElement &record)
{
    ++m_numer;
    if (record.tagName() != QLatin1String("firma"))
        return true;
    const QString nazwa = wartosc(record, "nazwa").trimmed();
    bool zapisany = true;
    try {
        if (nazwa.isEmpty())
            throw db::DbError(tlumacz("Resstrings_IDS_prosze_wypelnic_pole").arg(tlumacz("Resstrings_IDS_Nazwa")));
        wczytajSlowniki();
        const int id = istniejaca(nazwa, wartosc(record, "nip"));
        const bool dlaWszystkich =
            m_odpowiedz == Tpomin_nadpisz_form::NadpiszWszystkie || m_odpowiedz == Tpomin_nadpisz_form::PominWszystkie;
        if (id > 0 && !dlaWszystkich)
            m_odpowiedz = m_decyzja(nazwa);
        if (id > 0
            && (m_odpowiedz == Tpomin_nadpisz_form::Pomin || m_odpowiedz == Tpomin_nadpisz_form::PominWszystkie)) {
            ++m_podsumowanie.pominiete;
        } else {
            // Without an answer the company is stored as a new one.
            const bool nadpisz = id > 0 && m_odpowiedz != Tpomin_nadpisz_form::Brak;
            db::Transaction transakcja(polaczenie());
            const int idFirmy = zapiszFirme(record, nadpisz ? id : 0);
            zapiszTelefony(record, idFirmy);
            zapiszAdresy(record, idFirmy);
            zapiszKonta(record, idFirmy);
            zapiszKontakty(record, idFirmy);
            transakcja.commit();
            ++(nadpisz ? m_podsumowanie.nadpisane : m_podsumowanie.zapisane);
        }
    } catch (const db::DbError &e) {
        m_podsumowanie.odrzucone.append({m_numer, nazwa, e.message()});
        zapisany = false;
    }
    if (m_odpowiedz != Tpomin_nadpisz_form::NadpiszWszystkie && m_odpowiedz != Tpomin_nadpisz_form::PominWszystkie)
        m_odpowiedz = Tpomin_nadpisz_form::Brak;
    return zapisany;
}

void Timport_firm_form::EndImport()
{
    if (poImporcie) {
        poImporcie(m_podsumowanie);
        return;
    }
    host::InfoBox(nullptr, m_podsumowanie.tekst(),
                  m_podsumowanie.odrzucone.isEmpty() ? host::mb::IconInformation : host::mb::IconWarning,
                  tlumacz("Resstrings_IDS_firmy__import_firm_unit__import_firm_form"));
}

QVariant Timport_firm_form::wykonaj(db::StoredProc &proc, const QVariantMap &parametry, const char *wyjscie)
{
    partners::ustawParametry(proc, parametry);
    const int kod = proc.execProc();
    if (kod != 0)
        throw db::DbError(QStringLiteral("%1 returned %2").arg(proc.procedureName()).arg(kod));
    return proc.value(QLatin1String(wyjscie));
}

QVariant Timport_firm_form::pierwsza(db::Query &q, const QVariantMap &parametry)
{
    for (auto it = parametry.cbegin(); it != parametry.cend(); ++it)
        q.parameters().setValue(it.key(), it.value());
    q.open();
    q.first();
    const QVariant wynik = q.isEmpty() ? QVariant() : q.value(0);
    q.close();
    return wynik;
}

int Timport_firm_form::zapiszFirme(const QDomElement &firma, int id)
{
    // A time of day on the zero date; the night-time bounds two days later.
    const auto czas = [&firma](const char *pole, int dzien) -> QVariant {
        const QString t = wartosc(firma, pole);
        if (t.isEmpty())
            return {};
        const QTime godzina = QTime::fromString(t, Qt::ISODate);
        if (!godzina.isValid())
            throw db::DbError(QStringLiteral("%1: \"%2\" nie jest godziną").arg(QLatin1String(pole), t));
        return QDateTime(db::DayTime::toDate(dzien), godzina);
    };
    const int wynik = wykonaj(m_spFirma,
                              {{QStringLiteral("@nazwa"), wartosc(firma, "nazwa").trimmed()},
                               {QStringLiteral("@skrot"), tekst(firma, "skrot")},
                               {QStringLiteral("@wlasciciel"), tekst(firma, "wlasciciel")},
                               {QStringLiteral("@e_mail"), tekst(firma, "e_mail")},
                               {QStringLiteral("@www"), tekst(firma, "www")},
                               {QStringLiteral("@nip"), tekst(firma, "nip")},
                               {QStringLiteral("@regon"), tekst(firma, "regon")},
                               {QStringLiteral("@krs"), tekst(firma, "krs")},
                               {QStringLiteral("@nr_gg"), tekst(firma, "nr_gadu-gadu")},
                               {QStringLiteral("@skype"), tekst(firma, "skype")},
                               {QStringLiteral("@nr_trans"), tekst(firma, "transID")},
                               {QStringLiteral("@typ_firmy"), tekst(firma, "typ_firmy")},
                               {QStringLiteral("@nocne_od"), czas("nocne_od", 0)},
                               {QStringLiteral("@nocne_do"), czas("nocne_do", 0)},
                               {QStringLiteral("@swieta_od"), czas("swieta_od", 0)},
                               {QStringLiteral("@pora_nocna_od"), czas("pora_nocna_od", 2)},
                               {QStringLiteral("@pora_nocna_do"), czas("pora_nocna_do", 2)},
                               {QStringLiteral("@aktywna"), 1},
                               {QStringLiteral("@id_u"), host::AktIdU()},
                               {QStringLiteral("@id"), id > 0 ? QVariant(id) : QVariant()}})
                          .toInt();
    if (wynik < 1)
        throw db::DbError(QStringLiteral("PZapFirmeFull gave no id"));
    return wynik;
}

void Timport_firm_form::zapiszTelefony(const QDomElement &firma, int idFirmy)
{
    for (const QDomElement &t : elementy(firma, "telefony", "telefon")) {
        const QString numer = wartosc(t, "numer");
        if (numer.isEmpty()
            || pierwsza(m_telefonIstnieje, {{QStringLiteral("id_f"), idFirmy}, {QStringLiteral("numer"), numer}})
                   .isValid())
            continue;
        const int telFax = m_telFax.value(wartosc(t, "tel_fax").toLower(), -1);
        const int rodzaj = m_rodzajeTel.value(wartosc(t, "rodzaj").toLower(), 0);
        wykonaj(m_spTelefon,
                {{QStringLiteral("@id_"), idFirmy},
                 {QStringLiteral("@tabela"), TabelaFirma},
                 {QStringLiteral("@numer"), numer},
                 {QStringLiteral("@tel_fax"), telFax < 0 ? QVariant() : QVariant(telFax)},
                 {QStringLiteral("@rodzaj"), rodzaj > 0 ? QVariant(rodzaj) : QVariant()},
                 {QStringLiteral("@czy_domysl"), liczba(t, "czy_domysl", 0)}},
                "@id_tel");
    }
}

int Timport_firm_form::idPanstwa(const QString &tekst) const
{
    const QString szukany = tekst.trimmed();
    if (szukany.isEmpty())
        return 0;
    for (const partners::Panstwo &p : m_panstwa->lista())
        for (const QString *w : {&p.domena, &p.iso, &p.sam, &p.nazwa})
            if (w->compare(szukany, Qt::CaseInsensitive) == 0)
                return p.id_p;
    return 0;
}

void Timport_firm_form::zapiszAdresy(const QDomElement &firma, int idFirmy)
{
    for (const QDomElement &a : elementy(firma, "adresy", "adres")) {
        const QString miasto = wartosc(a, "miasto");
        if (miasto.isEmpty())
            continue;
        if (!m_panstwa)
            m_panstwa = std::make_unique<partners::PanstwaFirmy>(&polaczenie());
        const int panstwo = idPanstwa(wartosc(a, "panstwo"));
        QVariant idM =
            pierwsza(m_miasto, {{QStringLiteral("miasto"), miasto}, {QStringLiteral("id_panstwa"), panstwo}});
        const bool noweMiasto = !idM.isValid();
        if (noweMiasto)
            idM = wykonaj(m_spMiasto,
                          {{QStringLiteral("@miasto"), miasto},
                           {QStringLiteral("@id_panstwa"), panstwo > 0 ? QVariant(panstwo) : QVariant()},
                           {QStringLiteral("@widoczne"), -1}});
        const QString kod = wartosc(a, "kod");
        QVariant idKodu;
        if (!kod.isEmpty()) {
            idKodu = pierwsza(m_kod, {{QStringLiteral("id_m"), idM}, {QStringLiteral("kod"), kod}});
            if (!idKodu.isValid())
                idKodu = wykonaj(m_spKod,
                                 {{QStringLiteral("@id_m"), idM},
                                  {QStringLiteral("@kod"), kod},
                                  {QStringLiteral("@czy_glowny_kod"), noweMiasto ? 1 : 0}});
        }
        const QVariantMap pola{{QStringLiteral("ulica"), wartosc(a, "ulica")},
                               {QStringLiteral("nr_domu"), wartosc(a, "nr_domu")},
                               {QStringLiteral("nr_m"), wartosc(a, "nr_m")}};
        QVariantMap szukane = pola;
        szukane.insert(QStringLiteral("id_f"), idFirmy);
        szukane.insert(QStringLiteral("id_m"), idM);
        szukane.insert(QStringLiteral("id_kodu"), idKodu.isValid() ? idKodu.toInt() : 0);
        if (pierwsza(m_adresIstnieje, szukane).isValid())
            continue;
        QVariantMap parametry{{QStringLiteral("@id_"), idFirmy},
                              {QStringLiteral("@tabela"), TabelaFirma},
                              {QStringLiteral("@id_m"), idM},
                              {QStringLiteral("@id_kodu"), idKodu},
                              {QStringLiteral("@czy_domyslny"), liczba(a, "czy_domyslny", 0)}};
        for (auto it = pola.cbegin(); it != pola.cend(); ++it)
            parametry.insert(u'@' + it.key(), db::nullIfEmpty(it.value().toString()));
        wykonaj(m_spAdres, parametry);
    }
}

void Timport_firm_form::zapiszKonta(const QDomElement &firma, int idFirmy)
{
    for (const QDomElement &k : elementy(firma, "konta", "konto")) {
        const QString numer = wartosc(k, "nr_konta").trimmed();
        if (numer.isEmpty())
            continue;
        // An account the company has under that number is updated.
        QVariant idKonta;
        m_kontaFirmy.parameters().setValue(QStringLiteral("id_f"), idFirmy);
        m_kontaFirmy.open();
        for (m_kontaFirmy.first(); !m_kontaFirmy.eof() && !idKonta.isValid(); m_kontaFirmy.next())
            if (m_kontaFirmy.value(1).toString().trimmed() == numer)
                idKonta = m_kontaFirmy.value(0);
        m_kontaFirmy.close();
        const int aktywne = liczba(k, "aktywne", 1);
        // An inactive account is never the default one.
        const int domyslne = aktywne == 1 ? liczba(k, "czy_domyslne", 0) : 0;
        wykonaj(m_spKonto,
                {{QStringLiteral("@id"), idKonta},
                 {QStringLiteral("@id_"), idFirmy},
                 {QStringLiteral("@tabela"), TabelaFirma},
                 {QStringLiteral("@nr_konta"), wartosc(k, "nr_konta")},
                 {QStringLiteral("@bank"), tekst(k, "bank")},
                 {QStringLiteral("@waluta"), tekst(k, "waluta")},
                 {QStringLiteral("@aktywne"), aktywne},
                 {QStringLiteral("@czy_domyslne"), domyslne}});
    }
}

void Timport_firm_form::zapiszKontakty(const QDomElement &firma, int idFirmy)
{
    const QList<QDomElement> kontakty = elementy(firma, "kontakty", "kontakt");
    if (kontakty.isEmpty())
        return;
    // The file's contact persons replace the company's.
    m_usunKontakty.parameters().setValue(QStringLiteral("id_f"), idFirmy);
    m_usunKontakty.exec();
    for (const QDomElement &k : kontakty) {
        if (wartosc(k, "nazwisko").isEmpty())
            continue;
        const int stanowisko = m_stanowiska.value(wartosc(k, "stanowisko").toLower(), 0);
        wykonaj(m_spKontakt,
                {{QStringLiteral("@id_f"), idFirmy},
                 {QStringLiteral("@imie"), tekst(k, "imie")},
                 {QStringLiteral("@nazwisko"), wartosc(k, "nazwisko")},
                 {QStringLiteral("@e_mail"), tekst(k, "e_mail")},
                 {QStringLiteral("@nr_gg"), tekst(k, "nr_gg")},
                 {QStringLiteral("@skype"), tekst(k, "skype")},
                 {QStringLiteral("@tel"), tekst(k, "tel")},
                 {QStringLiteral("@nr_trans"), tekst(k, "transid")},
                 {QStringLiteral("@id_stan"), stanowisko > 0 ? QVariant(stanowisko) : QVariant()}});
    }
}
