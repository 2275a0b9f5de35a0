#include "company/import_eksport/export_firm_form.h"

#include "dataset.h"
#include "db_error.h"
#include "host_funcs.h"
#include "query.h"

#include <QDomDocument>
#include <QTime>

using namespace Qt::StringLiterals;

namespace {

// Element names share one static text each: an export holds a great many elements.
struct Pole
{
    QString element;
    const char *kolumna;
};

const QList<Pole> PolaFirmy = {{u"nazwa"_s, "nazwa"},      {u"skrot"_s, "skrot"},      {u"wlasciciel"_s, "wlasciciel"},
                               {u"e_mail"_s, "e_mail"},    {u"www"_s, "www"},          {u"nr_gadu-gadu"_s, "nr_gg"},
                               {u"skype"_s, "skype"},      {u"transID"_s, "nr_trans"}, {u"nip"_s, "nip"},
                               {u"regon"_s, "regon"},      {u"krs"_s, "krs"},          {u"status"_s, "nazwa_statusu"},
                               {u"typ_firmy"_s, "id_typu"}};
const QList<Pole> CzasyFirmy = {{u"nocne_od"_s, "nocne_od"},
                                {u"nocne_do"_s, "nocne_do"},
                                {u"swieta_od"_s, "swieta_od"},
                                {u"pora_nocna_od"_s, "pora_nocna_od"},
                                {u"pora_nocna_do"_s, "pora_nocna_do"}};

struct Blok
{
    QString kontener;
    QString element;
    const char *zrodlo;     // the rows of every owner, in the user's language where they depend on it
    const char *wlasciciel; // the column holding the company's id
    QList<Pole> pola;
};

const Blok Bloki[] = {
    {u"konta"_s,
     u"konto"_s,
     "select * from VListaKont where tabela = 7",
     "id_",
     {{u"nr_konta"_s, "nr_konta"},
      {u"bank"_s, "bank"},
      {u"waluta"_s, "waluta"},
      {u"czy_domyslne"_s, "czy_domyslne"},
      {u"aktywne"_s, "aktywne"}}},
    {u"adresy"_s,
     u"adres"_s,
     "select * from VListaAdresow where tabela = 7",
     "id_",
     {{u"ulica"_s, "ulica"},
      {u"nr_domu"_s, "nr_domu"},
      {u"nr_m"_s, "nr_m"},
      {u"kod"_s, "kod"},
      {u"miasto"_s, "miasto"},
      {u"panstwo"_s, "nazwa_panstwa"},
      {u"czy_domyslny"_s, "czy_domyslny"}}},
    {u"kontakty"_s,
     u"kontakt"_s,
     "select * from VListaKontaktow where id_jezyka = :id_jezyka",
     "id_f",
     {{u"imie"_s, "imie"},
      {u"nazwisko"_s, "nazwisko"},
      {u"e_mail"_s, "e_mail"},
      {u"nr_gg"_s, "nr_gg"},
      {u"skype"_s, "skype"},
      {u"transid"_s, "nr_trans"},
      {u"stanowisko"_s, "stanowisko"},
      {u"tel"_s, "tel"}}},
    {u"telefony"_s,
     u"telefon"_s,
     "select * from VListaTelefonow where tabela = 7 and id_jezyka = :id_jezyka",
     "id_",
     {{u"numer"_s, "numer"},
      {u"rodzaj"_s, "rodzaj_slownie"},
      {u"tel_fax"_s, "tel_fax_slownie"},
      {u"czy_domysl"_s, "czy_domysl"}}},
};

// Opens the rows of the source whose owner column is one of the ids.
void otworz(db::Query &q, QString sql, const char *wlasciciel, const QList<int> &ids)
{
    const db::BoundList lista = db::boundList(QStringLiteral("i"), ids);
    sql += QStringLiteral(" and %1 in (%2) order by %1, id").arg(QLatin1String(wlasciciel), lista.placeholders);
    q.setCommandText(sql);
    if (q.parameters().contains(QStringLiteral("id_jezyka")))
        q.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    for (auto it = lista.values.cbegin(); it != lista.values.cend(); ++it)
        q.parameters().setValue(it.key(), it.value());
    q.open();
}

QList<int> indeksy(const db::DataSet &q, const QList<Pole> &pola)
{
    QList<int> wynik;
    for (const Pole &p : pola) {
        const int i = q.fieldIndex(QLatin1String(p.kolumna));
        if (i < 0)
            throw db::DbError(QStringLiteral("Field %1 not found").arg(QLatin1String(p.kolumna)));
        wynik << i;
    }
    return wynik;
}

void dodaj(QDomDocument &dokument, QDomElement &rodzic, const QString &nazwa, const QString &tekst)
{
    if (tekst.isEmpty())
        return;
    QDomElement e = dokument.createElement(nazwa);
    e.appendChild(dokument.createTextNode(tekst));
    rodzic.appendChild(e);
}

} // namespace

Texport_firm_form::Texport_firm_form(const QList<int> &idFirm, QObject *parent)
    : Tszablon_export_from(parent),
      m_idFirm(idFirm)
{
    setObjectName(QStringLiteral("export_firm_form"));
    for (int i = 0; i < m_idFirm.size(); ++i)
        m_pozycja.insert(m_idFirm.at(i), i);
}

Texport_firm_form::~Texport_firm_form() = default;

db::DataSet *Texport_firm_form::Lista()
{
    if (!m_lista) {
        std::vector<std::vector<QVariant>> wiersze;
        wiersze.reserve(size_t(m_idFirm.size()));
        for (int id : std::as_const(m_idFirm))
            wiersze.push_back({id});
        m_lista = std::make_unique<db::DataSet>();
        m_lista->openFromRows({db::FieldDef{QStringLiteral("id"), QMetaType::Int}}, std::move(wiersze));
    }
    return m_lista.get();
}

void Texport_firm_form::wczytajPorcje(int id)
{
    const int porcja = m_pozycja.value(id, -1) / db::MaxListValues;
    if (porcja < 0 || porcja == m_porcja)
        return;
    m_porcja = porcja;
    const QList<int> ids = m_idFirm.mid(porcja * db::MaxListValues, db::MaxListValues);

    for (auto &zrodlo : m_zrodla)
        zrodlo = std::make_unique<db::Query>(host::GetConnection(), QString());
    db::Query &firmy = *m_zrodla[0];
    otworz(firmy, QStringLiteral("select * from VListaFirmFull where id_jezyka = :id_jezyka"), "id", ids);
    m_kolumnyFirmy = indeksy(firmy, PolaFirmy);
    m_kolumnyCzasow = indeksy(firmy, CzasyFirmy);
    const int kolumnaId = firmy.fieldIndex(QStringLiteral("id"));
    m_wierszFirmy.clear();
    for (db::Bookmark w = 0; w < firmy.totalRowCount(); ++w)
        m_wierszFirmy.insert(firmy.valueAt(w, kolumnaId).toInt(), w);

    for (int b = 0; b < 4; ++b) {
        const Blok &blok = Bloki[b];
        db::Query &q = *m_zrodla[b + 1];
        otworz(q, QLatin1String(blok.zrodlo), blok.wlasciciel, ids);
        m_kolumnyPodrekordow[b] = indeksy(q, blok.pola);
        const int kolumnaWlasciciela = q.fieldIndex(QLatin1String(blok.wlasciciel));
        auto &wiersze = m_wierszePodrekordow[b];
        wiersze.clear();
        for (db::Bookmark w = 0; w < q.totalRowCount(); ++w) {
            auto &zakres = wiersze[q.valueAt(w, kolumnaWlasciciela).toInt()];
            if (zakres.second == 0)
                zakres.first = w;
            zakres.second = w + 1;
        }
    }
}

QDomElement Texport_firm_form::WriteRecord(QDomElement &documentElement, int id)
{
    QDomDocument dokument = documentElement.ownerDocument();
    documentElement.setAttribute(QStringLiteral("typ"), QStringLiteral("firmy"));
    QDomElement firma = dokument.createElement(QStringLiteral("firma"));
    firma.setAttribute(QStringLiteral("id"), id);
    documentElement.appendChild(firma);
    wczytajPorcje(id);
    // A company deleted since the list was read has no values; the empty record is dropped.
    const auto wiersz = m_wierszFirmy.constFind(id);
    if (wiersz == m_wierszFirmy.cend())
        return firma;
    const db::DataSet &firmy = *m_zrodla[0];
    for (int i = 0; i < PolaFirmy.size(); ++i)
        dodaj(dokument, firma, PolaFirmy.at(i).element,
              db::DataSet::displayTextOf(firmy.valueAt(*wiersz, m_kolumnyFirmy.at(i)),
                                         firmy.fieldDef(m_kolumnyFirmy.at(i)).type));
    for (int i = 0; i < CzasyFirmy.size(); ++i) {
        const QVariant v = firmy.valueAt(*wiersz, m_kolumnyCzasow.at(i));
        const QTime czas = v.typeId() == QMetaType::QTime ? v.toTime() : v.toDateTime().time();
        // A time not set is midnight.
        dodaj(dokument, firma, CzasyFirmy.at(i).element,
              (czas.isValid() ? czas : QTime(0, 0)).toString(QStringLiteral("hh:mm")));
    }
    return firma;
}

void Texport_firm_form::WriteSubRecords(QDomElement &recordElement, int id)
{
    QDomDocument dokument = recordElement.ownerDocument();
    wczytajPorcje(id);
    for (int b = 0; b < 4; ++b) {
        const Blok &blok = Bloki[b];
        QDomElement kontener = dokument.createElement(blok.kontener);
        recordElement.appendChild(kontener);
        const db::DataSet &q = *m_zrodla[b + 1];
        const QList<int> &kolumny = m_kolumnyPodrekordow[b];
        const int kolumnaWiersza = q.fieldIndex(QStringLiteral("id"));
        const auto [od, doWiersza] = m_wierszePodrekordow[b].value(id);
        for (db::Bookmark w = od; w < doWiersza; ++w) {
            QDomElement e = dokument.createElement(blok.element);
            e.setAttribute(QStringLiteral("id"), q.valueAt(w, kolumnaWiersza).toInt());
            for (int i = 0; i < kolumny.size(); ++i)
                dodaj(dokument, e, blok.pola.at(i).element,
                      db::DataSet::displayTextOf(q.valueAt(w, kolumny.at(i)), q.fieldDef(kolumny.at(i)).type));
            kontener.appendChild(e);
        }
    }
}
