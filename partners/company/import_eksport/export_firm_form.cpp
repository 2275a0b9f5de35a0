#include "company/import_eksport/export_firm_form.h"

#include "dataset.h"
#include "db_error.h"
#include "host_funcs.h"
#include "query.h"

#include <QDomDocument>
#include <QTime>

namespace {

// Ids bound per statement: well under every engine's limit of parameters.
constexpr int Porcja = 500;

struct Pole
{
    const char *element;
    const char *kolumna;
};

const QList<Pole> PolaFirmy = {{"nazwa", "nazwa"},      {"skrot", "skrot"},      {"wlasciciel", "wlasciciel"},
                               {"e_mail", "e_mail"},    {"www", "www"},          {"nr_gadu-gadu", "nr_gg"},
                               {"skype", "skype"},      {"transID", "nr_trans"}, {"nip", "nip"},
                               {"regon", "regon"},      {"krs", "krs"},          {"status", "nazwa_statusu"},
                               {"typ_firmy", "id_typu"}};
const char *const Czasy[] = {"nocne_od", "nocne_do", "swieta_od", "pora_nocna_od", "pora_nocna_do"};

struct Blok
{
    const char *kontener;
    const char *element;
    const char *zrodlo;     // the rows of every owner, in the user's language where they depend on it
    const char *wlasciciel; // the column holding the company's id
    QList<Pole> pola;
};

const Blok Bloki[] = {
    {"konta",
     "konto",
     "select * from VListaKont where tabela = 7",
     "id_",
     {{"nr_konta", "nr_konta"},
      {"bank", "bank"},
      {"waluta", "waluta"},
      {"czy_domyslne", "czy_domyslne"},
      {"aktywne", "aktywne"}}},
    {"adresy",
     "adres",
     "select * from VListaAdresow where tabela = 7",
     "id_",
     {{"ulica", "ulica"},
      {"nr_domu", "nr_domu"},
      {"nr_m", "nr_m"},
      {"kod", "kod"},
      {"miasto", "miasto"},
      {"panstwo", "nazwa_panstwa"},
      {"czy_domyslny", "czy_domyslny"}}},
    {"kontakty",
     "kontakt",
     "select * from VListaKontaktow where id_jezyka = :id_jezyka",
     "id_f",
     {{"imie", "imie"},
      {"nazwisko", "nazwisko"},
      {"e_mail", "e_mail"},
      {"nr_gg", "nr_gg"},
      {"skype", "skype"},
      {"transid", "nr_trans"},
      {"stanowisko", "stanowisko"},
      {"tel", "tel"}}},
    {"telefony",
     "telefon",
     "select * from VListaTelefonow where tabela = 7 and id_jezyka = :id_jezyka",
     "id_",
     {{"numer", "numer"}, {"rodzaj", "rodzaj_slownie"}, {"tel_fax", "tel_fax_slownie"}, {"czy_domysl", "czy_domysl"}}},
};

// Opens the rows of the source whose owner column is one of the ids.
void otworz(db::Query &q, QString sql, const char *wlasciciel, const QList<int> &ids)
{
    QStringList miejsca;
    for (int i = 0; i < ids.size(); ++i)
        miejsca << QStringLiteral(":i%1").arg(i);
    sql += QStringLiteral(" and %1 in (%2) order by %1, id").arg(QLatin1String(wlasciciel), miejsca.join(u','));
    q.setCommandText(sql);
    if (q.parameters().contains(QStringLiteral("id_jezyka")))
        q.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    for (int i = 0; i < ids.size(); ++i)
        q.parameters().setValue(QStringLiteral("i%1").arg(i), ids.at(i));
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

void dodaj(QDomDocument &dokument, QDomElement &rodzic, const char *nazwa, const QString &tekst)
{
    if (tekst.isEmpty())
        return;
    QDomElement e = dokument.createElement(QLatin1String(nazwa));
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
    const int porcja = m_pozycja.value(id, -1) / Porcja;
    if (porcja < 0 || porcja == m_porcja)
        return;
    m_porcja = porcja;
    m_firmy.clear();
    for (auto &p : m_podrekordy)
        p.clear();
    const QList<int> ids = m_idFirm.mid(porcja * Porcja, Porcja);

    db::Query q(host::GetConnection(), QString());
    otworz(q, QStringLiteral("select * from VListaFirmFull where id_jezyka = :id_jezyka"), "id", ids);
    const QList<int> pola = indeksy(q, PolaFirmy);
    QList<int> czasy;
    for (const char *czas : Czasy)
        czasy << indeksy(q, {{czas, czas}});
    const int kolumnaId = q.fieldIndex(QStringLiteral("id"));
    for (q.first(); !q.eof(); q.next()) {
        QStringList wartosci;
        for (int i : pola)
            wartosci << q.displayText(i);
        for (int i : czasy) {
            const QVariant v = q.value(i);
            const QTime czas = v.typeId() == QMetaType::QTime ? v.toTime() : v.toDateTime().time();
            // A time not set is midnight.
            wartosci << (czas.isValid() ? czas : QTime(0, 0)).toString(QStringLiteral("hh:mm"));
        }
        m_firmy.insert(q.value(kolumnaId).toInt(), wartosci);
    }

    for (int b = 0; b < 4; ++b) {
        const Blok &blok = Bloki[b];
        otworz(q, QLatin1String(blok.zrodlo), blok.wlasciciel, ids);
        const QList<int> kolumny = indeksy(q, blok.pola);
        const int kolumnaWlasciciela = q.fieldIndex(QLatin1String(blok.wlasciciel));
        const int kolumnaWiersza = q.fieldIndex(QStringLiteral("id"));
        for (q.first(); !q.eof(); q.next()) {
            Wiersz w{q.value(kolumnaWiersza).toInt(), {}};
            for (int i : kolumny)
                w.wartosci << q.displayText(i);
            m_podrekordy[b][q.value(kolumnaWlasciciela).toInt()].append(w);
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
    const QStringList wartosci = m_firmy.value(id);
    for (int i = 0; i < wartosci.size(); ++i)
        dodaj(dokument, firma, i < PolaFirmy.size() ? PolaFirmy.at(i).element : Czasy[i - PolaFirmy.size()],
              wartosci.at(i));
    return firma;
}

void Texport_firm_form::WriteSubRecords(QDomElement &recordElement, int id)
{
    QDomDocument dokument = recordElement.ownerDocument();
    wczytajPorcje(id);
    for (int b = 0; b < 4; ++b) {
        const Blok &blok = Bloki[b];
        QDomElement kontener = dokument.createElement(QLatin1String(blok.kontener));
        recordElement.appendChild(kontener);
        for (const Wiersz &w : m_podrekordy[b].value(id)) {
            QDomElement e = dokument.createElement(QLatin1String(blok.element));
            e.setAttribute(QStringLiteral("id"), w.id);
            for (int i = 0; i < w.wartosci.size(); ++i)
                dodaj(dokument, e, blok.pola.at(i).element, w.wartosci.at(i));
            kontener.appendChild(e);
        }
    }
}
