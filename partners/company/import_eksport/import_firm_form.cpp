#include "company/import_eksport/import_firm_form.h"

#include "company/dane_firmy.h"
#include "company/import_eksport/pomin_nadpisz_form.h"
#include "ramka/edycja/zapis_procedury.h"
#include "ramka/modul.h"

#include "connection.h"
#include "day_time.h"
#include "db_error.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "prompter.h"

#include <QDateTime>
#include <QSet>

using partners::tlumacz;

namespace {

// Owner code of a company in the polymorphic tables.
constexpr int TabelaFirma = 7;
// Companies per commit: few enough that a failed commit loses little.
constexpr int Partia = 1000;

db::Connection &polaczenie()
{
    db::Connection *c = host::GetConnection();
    if (!c)
        throw db::DbError(QStringLiteral("No database connection."));
    return *c;
}

} // namespace

// The child elements of an element by name, found in one pass: a company asks
// for some twenty of them, and a search through the DOM each time costs more
// than storing it.
class PolaElementu
{
public:
    explicit PolaElementu(const QDomElement &element)
    {
        for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            m_pola.append({e.tagName(), e});
    }
    QDomElement element(const char *nazwa) const
    {
        const QLatin1StringView szukana(nazwa);
        for (const auto &[n, e] : m_pola)
            if (n == szukana)
                return e;
        return {};
    }
    QString wartosc(const char *nazwa) const { return element(nazwa).text(); }
    QVariant tekst(const char *nazwa) const { return db::nullIfEmpty(wartosc(nazwa)); }
    int liczba(const char *nazwa, int brak) const
    {
        const QString w = wartosc(nazwa);
        return w.isEmpty() ? brak : w.toInt();
    }
    // The items of a container, e.g. every "telefon" of "telefony".
    std::vector<PolaElementu> elementy(const char *kontener, const char *nazwaElementu) const
    {
        std::vector<PolaElementu> wynik;
        const QString nazwa = QLatin1String(nazwaElementu);
        for (QDomElement e = element(kontener).firstChildElement(nazwa); !e.isNull(); e = e.nextSiblingElement(nazwa))
            wynik.emplace_back(e);
        return wynik;
    }

private:
    QList<std::pair<QString, QDomElement>> m_pola;
};

namespace {

// The number a NIP is known by: "PL 123-456-32-18" is 1234563218.
QString numerNip(QString nip)
{
    nip.removeIf([](QChar c) { return !c.isLetterOrNumber(); });
    return partners::rozdzielNip(nip.toUpper()).numer;
}

} // namespace

QString Timport_firm_form::Podsumowanie::tekst() const
{
    QString t =
        tlumacz("Resstrings_IDS_Import_podsumowanie").arg(zapisane).arg(nadpisane).arg(pominiete).arg(odrzucone.size());
    for (const Odrzucony &o : odrzucone)
        t += QLatin1Char('\n') + tlumacz("Resstrings_IDS_Import_odrzucony").arg(o.numer).arg(o.nazwa, o.powod);
    return t;
}

Timport_firm_form::Timport_firm_form(Decyzja decyzja, Dopasowanie dopasowanie, QObject *parent)
    : Tszablon_import_from(parent),
      m_decyzja(std::move(decyzja)),
      m_dopasowanie(dopasowanie),
      m_prawaZmian(partners::mozeZmieniac()),
      m_spFirma(&polaczenie(), QStringLiteral("PZapFirmeFull")),
      m_spTelefon(&polaczenie(), QStringLiteral("PZapTelefon")),
      m_spAdres(&polaczenie(), QStringLiteral("PZapAdres")),
      m_spKonto(&polaczenie(), QStringLiteral("PZapKonto")),
      m_spKontakt(&polaczenie(), QStringLiteral("PZapKontakt")),
      m_spMiasto(&polaczenie(), QStringLiteral("PZapMiasto")),
      m_spKod(&polaczenie(), QStringLiteral("PZapKodPoczt")),
      m_telefonyFirmy(&polaczenie(), QStringLiteral("select numer from telefon where tabela = 7 and id_ = :id_f")),
      m_adresyFirmy(&polaczenie(),
                    QStringLiteral("select id_m, id_kodu, ulica, nr_domu, nr_m from adres "
                                   "where tabela = 7 and id_ = :id_f")),
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

Timport_firm_form::~Timport_firm_form()
{
    // What was reported as written stays written.
    try {
        zatwierdzPartie();
    } catch (...) {
    }
}

void Timport_firm_form::zatwierdzPartie(const QString &blad)
{
    if (!m_partia)
        return;
    QString powod = blad;
    if (powod.isEmpty()) {
        try {
            m_partia->commit();
        } catch (const db::DbError &e) {
            powod = e.message();
        }
    }
    if (!powod.isEmpty()) {
        for (auto &[rekord, nadpisany] : m_wPartii) {
            --(nadpisany ? m_podsumowanie.nadpisane : m_podsumowanie.zapisane);
            rekord.powod = powod;
            m_podsumowanie.odrzucone.append(rekord);
        }
        std::ranges::sort(m_podsumowanie.odrzucone, {}, &Odrzucony::numer);
        // The cities and codes of the batch are gone with it.
        m_miasta.clear();
        m_kody.clear();
        allStored = false;
    }
    m_partia.reset();
    m_wPartii.clear();
}

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

bool Timport_firm_form::ImportRecord(const QDomElement &element)
{
    ++m_numer;
    if (element.tagName() != QLatin1String("firma"))
        return true;
    const PolaElementu record(element);
    const QString nazwa = record.wartosc("nazwa").trimmed();
    bool zapisany = true;
    m_noweMiasta.clear();
    m_noweKody.clear();
    try {
        if (nazwa.isEmpty())
            throw db::DbError(tlumacz("Resstrings_IDS_prosze_wypelnic_pole").arg(tlumacz("Resstrings_IDS_Nazwa")));
        wczytajSlowniki();
        const int id = istniejaca(nazwa, record.wartosc("nip"));
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
            // The user's rights hold whichever way the import was started.
            if (!m_prawaZmian)
                throw db::DbError(tlumacz("Resstrings_IDS_Brak_Upr_Zmian_Firm"));
            if (!host::var::UprawnieniaZapisFirmyWlasne.get()
                && ((nadpisz && partners::zawieraFirmeWlasna({id}, &polaczenie()))
                    || partners::typFirmyWlasnej(record.wartosc("typ_firmy").toInt(), &polaczenie())))
                throw db::DbError(tlumacz("Resstrings_IDS_BrakUprawnienZapisFirmyWlasne"));
            if (!m_partia)
                m_partia = std::make_unique<db::Transaction>(polaczenie());
            db::Transaction transakcja(polaczenie());
            // A failure anywhere in the company's steps refuses the company, so they need not wait on each other.
            const db::WriteBatch zapisFirmy(polaczenie());
            const int idFirmy = zapiszFirme(record, nadpisz ? id : 0);
            zapiszTelefony(record, idFirmy, !nadpisz);
            zapiszAdresy(record, idFirmy, !nadpisz);
            zapiszKonta(record, idFirmy, !nadpisz);
            zapiszKontakty(record, idFirmy, !nadpisz);
            transakcja.commit();
            // Cities and codes are remembered only once they are sure to stay.
            m_miasta.insert(m_noweMiasta);
            m_kody.insert(m_noweKody);
            ++(nadpisz ? m_podsumowanie.nadpisane : m_podsumowanie.zapisane);
            m_wPartii.append({{m_numer, nazwa, {}}, nadpisz});
            if (m_wPartii.size() >= Partia)
                zatwierdzPartie();
        }
    } catch (const db::DbError &e) {
        m_podsumowanie.odrzucone.append({m_numer, nazwa, e.message()});
        zapisany = false;
        // Some errors make SQLite end the whole transaction, the batch with it.
        if (m_partia && polaczenie().transactionDepth() == 0)
            zatwierdzPartie(e.message());
    }
    if (m_odpowiedz != Tpomin_nadpisz_form::NadpiszWszystkie && m_odpowiedz != Tpomin_nadpisz_form::PominWszystkie)
        m_odpowiedz = Tpomin_nadpisz_form::Brak;
    return zapisany;
}

void Timport_firm_form::EndImport()
{
    zatwierdzPartie();
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
        throw db::DbError(proc.procedureName() + QStringLiteral(": ") + host::saveErrorText(kod));
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

void Timport_firm_form::otworzDla(db::Query &q, int idFirmy)
{
    q.parameters().setValue(QStringLiteral("id_f"), idFirmy);
    q.open();
    q.first();
}

int Timport_firm_form::zapiszFirme(const PolaElementu &firma, int id)
{
    // A time of day on the zero date; the night-time bounds two days later.
    const auto czas = [&firma](const char *pole, int dzien) -> QVariant {
        const QString t = firma.wartosc(pole);
        if (t.isEmpty())
            return {};
        const QTime godzina = QTime::fromString(t, Qt::ISODate);
        if (!godzina.isValid())
            throw db::DbError(tlumacz("Resstrings_IDS_Import_nie_godzina").arg(QLatin1String(pole), t));
        // Wall-clock time without a zone: a local one would read the zone files each time.
        return QDateTime(db::DayTime::toDate(dzien), godzina, Qt::UTC);
    };
    const int wynik = wykonaj(m_spFirma,
                              {{QStringLiteral("@nazwa"), firma.wartosc("nazwa")},
                               {QStringLiteral("@skrot"), firma.tekst("skrot")},
                               {QStringLiteral("@wlasciciel"), firma.tekst("wlasciciel")},
                               {QStringLiteral("@e_mail"), firma.tekst("e_mail")},
                               {QStringLiteral("@www"), firma.tekst("www")},
                               {QStringLiteral("@nip"), firma.tekst("nip")},
                               {QStringLiteral("@regon"), firma.tekst("regon")},
                               {QStringLiteral("@krs"), firma.tekst("krs")},
                               {QStringLiteral("@nr_gg"), firma.tekst("nr_gadu-gadu")},
                               {QStringLiteral("@skype"), firma.tekst("skype")},
                               {QStringLiteral("@nr_trans"), firma.tekst("transID")},
                               {QStringLiteral("@typ_firmy"), firma.tekst("typ_firmy")},
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

void Timport_firm_form::zapiszTelefony(const PolaElementu &firma, int idFirmy, bool nowa)
{
    // A number the company has is not added again.
    QSet<QString> numery;
    if (!nowa)
        for (otworzDla(m_telefonyFirmy, idFirmy); !m_telefonyFirmy.eof(); m_telefonyFirmy.next())
            numery.insert(m_telefonyFirmy.value(0).toString());
    for (const PolaElementu &t : firma.elementy("telefony", "telefon")) {
        const QString numer = t.wartosc("numer");
        if (numer.isEmpty() || numery.contains(numer))
            continue;
        numery.insert(numer);
        const int telFax = m_telFax.value(t.wartosc("tel_fax").toLower(), -1);
        const int rodzaj = m_rodzajeTel.value(t.wartosc("rodzaj").toLower(), 0);
        wykonaj(m_spTelefon,
                {{QStringLiteral("@id_"), idFirmy},
                 {QStringLiteral("@tabela"), TabelaFirma},
                 {QStringLiteral("@numer"), numer},
                 {QStringLiteral("@tel_fax"), telFax < 0 ? QVariant() : QVariant(telFax)},
                 {QStringLiteral("@rodzaj"), rodzaj > 0 ? QVariant(rodzaj) : QVariant()},
                 {QStringLiteral("@czy_domysl"), t.liczba("czy_domysl", 0)}},
                "@id_tel");
    }
}

int Timport_firm_form::idPanstwa(const QString &tekst)
{
    const QString szukany = tekst.trimmed();
    if (szukany.isEmpty())
        return 0;
    if (!m_panstwa) {
        m_panstwa.emplace();
        const partners::PanstwaFirmy panstwa(&polaczenie());
        for (const partners::Panstwo &p : panstwa.lista())
            for (const QString *w : {&p.domena, &p.iso, &p.sam, &p.nazwa})
                if (!w->isEmpty() && !m_panstwa->contains(w->toCaseFolded()))
                    m_panstwa->insert(w->toCaseFolded(), p.id_p);
    }
    return m_panstwa->value(szukany.toCaseFolded(), 0);
}

int Timport_firm_form::idMiasta(const QString &miasto, int panstwo, bool &nowe)
{
    const QString klucz = miasto + u'\n' + QString::number(panstwo);
    nowe = false;
    if (const int id = m_miasta.value(klucz, m_noweMiasta.value(klucz)))
        return id;
    QVariant id = pierwsza(m_miasto, {{QStringLiteral("miasto"), miasto}, {QStringLiteral("id_panstwa"), panstwo}});
    nowe = !id.isValid();
    if (nowe)
        id = wykonaj(m_spMiasto,
                     {{QStringLiteral("@miasto"), miasto},
                      {QStringLiteral("@id_panstwa"), panstwo > 0 ? QVariant(panstwo) : QVariant()},
                      {QStringLiteral("@widoczne"), -1}});
    m_noweMiasta.insert(klucz, id.toInt());
    return id.toInt();
}

int Timport_firm_form::idKodu(int idM, const QString &kod, bool noweMiasto)
{
    const QString klucz = QString::number(idM) + u'\n' + kod;
    if (const int id = m_kody.value(klucz, m_noweKody.value(klucz)))
        return id;
    QVariant id = pierwsza(m_kod, {{QStringLiteral("id_m"), idM}, {QStringLiteral("kod"), kod}});
    if (!id.isValid())
        id = wykonaj(m_spKod,
                     {{QStringLiteral("@id_m"), idM},
                      {QStringLiteral("@kod"), kod},
                      {QStringLiteral("@czy_glowny_kod"), noweMiasto ? 1 : 0}});
    m_noweKody.insert(klucz, id.toInt());
    return id.toInt();
}

void Timport_firm_form::zapiszAdresy(const PolaElementu &firma, int idFirmy, bool nowa)
{
    const auto klucz = [](const QVariant &idM, const QVariant &idKodu, const QString &ulica, const QString &domu,
                          const QString &m) {
        return QStringList({idM.toString(), QString::number(idKodu.toInt()), ulica, domu, m}).join(u'\n').toLower();
    };
    // An address the company has is not added again.
    QSet<QString> adresy;
    if (!nowa)
        for (otworzDla(m_adresyFirmy, idFirmy); !m_adresyFirmy.eof(); m_adresyFirmy.next())
            adresy.insert(klucz(m_adresyFirmy.value(0), m_adresyFirmy.value(1), m_adresyFirmy.value(2).toString(),
                                m_adresyFirmy.value(3).toString(), m_adresyFirmy.value(4).toString()));
    for (const PolaElementu &a : firma.elementy("adresy", "adres")) {
        const QString miasto = a.wartosc("miasto");
        if (miasto.isEmpty())
            continue;
        bool noweMiasto = false;
        const int idM = idMiasta(miasto, idPanstwa(a.wartosc("panstwo")), noweMiasto);
        const QString kod = a.wartosc("kod");
        const QVariant kodu = kod.isEmpty() ? QVariant() : QVariant(idKodu(idM, kod, noweMiasto));
        const QString ulica = a.wartosc("ulica"), domu = a.wartosc("nr_domu"), m = a.wartosc("nr_m");
        const QString ten = klucz(idM, kodu, ulica, domu, m);
        if (adresy.contains(ten))
            continue;
        adresy.insert(ten);
        wykonaj(m_spAdres,
                {{QStringLiteral("@id_"), idFirmy},
                 {QStringLiteral("@tabela"), TabelaFirma},
                 {QStringLiteral("@id_m"), idM},
                 {QStringLiteral("@id_kodu"), kodu},
                 {QStringLiteral("@ulica"), db::nullIfEmpty(ulica)},
                 {QStringLiteral("@nr_domu"), db::nullIfEmpty(domu)},
                 {QStringLiteral("@nr_m"), db::nullIfEmpty(m)},
                 {QStringLiteral("@czy_domyslny"), a.liczba("czy_domyslny", 0)}});
    }
}

void Timport_firm_form::zapiszKonta(const PolaElementu &firma, int idFirmy, bool nowa)
{
    // An account the company has under that number is updated.
    QHash<QString, QVariant> konta;
    if (!nowa)
        for (otworzDla(m_kontaFirmy, idFirmy); !m_kontaFirmy.eof(); m_kontaFirmy.next())
            konta.insert(m_kontaFirmy.value(1).toString().trimmed(), m_kontaFirmy.value(0));
    for (const PolaElementu &k : firma.elementy("konta", "konto")) {
        const QString numer = k.wartosc("nr_konta").trimmed();
        if (numer.isEmpty())
            continue;
        const int aktywne = k.liczba("aktywne", 1);
        // An inactive account is never the default one.
        const int domyslne = aktywne == 1 ? k.liczba("czy_domyslne", 0) : 0;
        konta[numer] = wykonaj(m_spKonto,
                               {{QStringLiteral("@id"), konta.value(numer)},
                                {QStringLiteral("@id_"), idFirmy},
                                {QStringLiteral("@tabela"), TabelaFirma},
                                {QStringLiteral("@nr_konta"), k.wartosc("nr_konta")},
                                {QStringLiteral("@bank"), k.tekst("bank")},
                                {QStringLiteral("@waluta"), k.tekst("waluta")},
                                {QStringLiteral("@aktywne"), aktywne},
                                {QStringLiteral("@czy_domyslne"), domyslne}});
    }
}

void Timport_firm_form::zapiszKontakty(const PolaElementu &firma, int idFirmy, bool nowa)
{
    const std::vector<PolaElementu> kontakty = firma.elementy("kontakty", "kontakt");
    if (kontakty.empty())
        return;
    // The file's contact persons replace the company's.
    if (!nowa) {
        m_usunKontakty.parameters().setValue(QStringLiteral("id_f"), idFirmy);
        m_usunKontakty.exec();
    }
    for (const PolaElementu &k : kontakty) {
        if (k.wartosc("nazwisko").isEmpty())
            continue;
        const int stanowisko = m_stanowiska.value(k.wartosc("stanowisko").toLower(), 0);
        wykonaj(m_spKontakt,
                {{QStringLiteral("@id_f"), idFirmy},
                 {QStringLiteral("@imie"), k.tekst("imie")},
                 {QStringLiteral("@nazwisko"), k.wartosc("nazwisko")},
                 {QStringLiteral("@e_mail"), k.tekst("e_mail")},
                 {QStringLiteral("@nr_gg"), k.tekst("nr_gg")},
                 {QStringLiteral("@skype"), k.tekst("skype")},
                 {QStringLiteral("@tel"), k.tekst("tel")},
                 {QStringLiteral("@nr_trans"), k.tekst("transid")},
                 {QStringLiteral("@id_stan"), stanowisko > 0 ? QVariant(stanowisko) : QVariant()}});
    }
}
