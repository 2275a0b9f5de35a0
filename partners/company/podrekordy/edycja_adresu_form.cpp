#include "company/podrekordy/edycja_adresu_form.h"

#include "company/dane_firmy.h"
#include "company/miasto_firmy.h"
#include "company/slowniki_firmy.h"
#include "company/strony/strona_firmy.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "parameters.h"
#include "prompter.h"
#include "query.h"
#include "stored_proc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using partners::tlumacz;
using namespace partners::strony;

namespace {

QVariant idLubNull(int id)
{
    return id > 0 ? QVariant(id) : QVariant();
}

} // namespace

Tedycja_adresu_form::Tedycja_adresu_form(QWidget *parent)
    : Tedycja_podrekordu_form(parent,
                              {"edycja_adresu_form", "Resstrings_IDS_Adres_dodawanie_nowego",
                               "Resstrings_IDS_Adres_edycja_rekordu", "PZapAdres"})
{
    QWidget *panel = PanelWnetrza();
    auto *uklad = new QFormLayout(panel);
    m_ulica = edit(panel, "e_ulica", 50);
    m_nrDomu = edit(panel, "e_nr_domu", 10);
    m_nrM = edit(panel, "e_nr_m", 5);
    m_miasto = combo(panel, "cbMiasto");
    auto *nowe = przycisk(panel, "bNoweMiasto", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Nowe_miasto"));
    auto *edytuj =
        przycisk(panel, "bEdytujMiasto", QStringLiteral("…"), tlumacz("Resstrings_IDS_EdFirmy_Edytuj_miasto"));
    m_kod = combo(panel, "cbKod");
    m_kod->setEditable(true);
    m_kod->setInsertPolicy(QComboBox::NoInsert);
    m_rodzaj = combo(panel, "cbRodzaj");
    m_domyslny = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Domyslny"), panel), "cbDomyslny");
    m_kraj = nazwany(new QLabel(panel), "lKraj");
    m_poczta = nazwany(new QLabel(panel), "lPoczta");
    m_lMiasto = etykieta(tlumacz("Resstrings_IDS_Miejscowosc"), m_miasto, panel);

    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_Ulica"), m_ulica, panel), m_ulica);
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_NrDomu"), m_nrDomu, panel),
                  wiersz(panel, {m_nrDomu, etykieta(tlumacz("Resstrings_IDS_NrLokalu"), m_nrM, panel), m_nrM}));
    uklad->addRow(m_lMiasto, wiersz(panel, {m_miasto, nowe, edytuj}));
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_Kodpocz"), m_kod, panel), m_kod);
    uklad->addRow(tlumacz("Resstrings_IDS_kraj"), m_kraj);
    uklad->addRow(tlumacz("Resstrings_IDS_Poczta"), m_poczta);
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_RodzajAdresu"), m_rodzaj, panel), m_rodzaj);
    uklad->addRow(QString(), m_domyslny);
    kolejnosc({m_ulica, m_nrDomu, m_nrM, m_miasto, nowe, edytuj, m_kod, m_rodzaj, m_domyslny});

    for (QWidget *pole : std::initializer_list<QWidget *>{m_ulica, m_nrDomu, m_nrM, m_miasto, m_kod, m_rodzaj})
        podepnijPole(pole);
    podepnijPole(m_domyslny, false);
    connect(m_miasto, &QComboBox::currentIndexChanged, this, [this] { host::guard([this] { wybranoMiasto(); }); });
    connect(m_kod->lineEdit(), &QLineEdit::editingFinished, this, [this] { host::guard([this] { wpisanoKod(); }); });
    connect(m_domyslny, &QCheckBox::clicked, this, [this](bool z) { host::guard([&] { domyslnyClick(z); }); });
    connect(nowe, &QToolButton::clicked, this, [this] { host::guard([this] { noweMiasto(); }); });
    connect(edytuj, &QToolButton::clicked, this, [this] { host::guard([this] { edytujMiasto(); }); });
    resize(520, 320);
}

void Tedycja_adresu_form::Wyczysc_Pola()
{
    for (QLineEdit *e : {m_ulica, m_nrDomu, m_nrM})
        e->clear();
    m_miasto->setCurrentIndex(-1);
    m_rodzaj->setCurrentIndex(-1);
    m_domyslny->setChecked(false);
    m_naFaktury = false;
}

void Tedycja_adresu_form::Wypelnij_Listy()
{
    m_kodTabeli = host::GetIntDB(QStringLiteral("select tabela from definicja_tabela where tabela_slownie = :t"),
                                 QStringLiteral("tabela"), nullptr, {{QStringLiteral("t"), m_tabelaWlasciciela}});
    ladujMiasta();
    host::Laduj_DB_FlatCombo(m_rodzaj,
                             QStringLiteral("select id, wartosc from VListaPozSlownika where id_jezyka=:id_jezyka and"
                                            " typ_slownika=:typ_slownika and grupa <> 0 order by system DESC, ")
                                 + host::collated(QStringLiteral("wartosc")),
                             QStringLiteral("id"), QStringLiteral("wartosc"), true, nullptr,
                             {{QStringLiteral("id_jezyka"), host::GetLanguage()},
                              {QStringLiteral("typ_slownika"), QStringLiteral("adres_rodzaj")}});
}

void Tedycja_adresu_form::Wypelnij_Pola()
{
    Tedycja_podrekordu_form::Wypelnij_Pola();
    if (!lista || !lista->isActive() || lista->isEmpty())
        return;
    const auto tekst = [this](const char *pole) { return lista->value(QLatin1String(pole)).toString(); };
    m_ulica->setText(tekst("ulica"));
    m_nrDomu->setText(tekst("nr_domu"));
    m_nrM->setText(tekst("nr_m"));
    wybierzMiasto(tekst("id_m").toInt(), tekst("miasto"));
    m_kod->setCurrentIndex(m_kod->findData(tekst("id_kodu").toInt()));
    wybierzId(m_rodzaj, tekst("rodzaj").toInt());
    m_domyslny->setChecked(tekst("czy_domyslny").toInt() == 1);
}

void Tedycja_adresu_form::poWczytaniu()
{
    // The default stays the default until another address takes its place.
    m_domyslny->setEnabled(!(tryb == Edycja && m_domyslny->isChecked()));
    m_rodzajWczytany = tryb == Edycja ? idZCombo(m_rodzaj) : 0;
}

void Tedycja_adresu_form::ladujMiasta()
{
    const int idM = idZCombo(m_miasto);
    const QString nazwa = m_miasto->currentText();
    host::Laduj_DB_FlatCombo(m_miasto,
                             QStringLiteral("select id_m, miasto from miasto where widoczne = 1 order by ")
                                 + host::collated(QStringLiteral("miasto")),
                             QStringLiteral("id_m"), QStringLiteral("miasto"));
    wybierzMiasto(idM, nazwa);
}

void Tedycja_adresu_form::wybierzMiasto(int idM, const QString &nazwa)
{
    // A city hidden from the list still shows as the address's own.
    if (idM > 0 && m_miasto->findData(idM) < 0)
        m_miasto->addItem(nazwa.isEmpty() ? partners::SlownikiFirmy::opisMiasta(idM, 0) : nazwa, idM);
    const int indeks = idM > 0 ? m_miasto->findData(idM) : -1;
    // The same city again may have new postal codes.
    if (m_miasto->currentIndex() == indeks)
        wybranoMiasto();
    else
        m_miasto->setCurrentIndex(indeks);
}

void Tedycja_adresu_form::wybranoMiasto()
{
    const int idM = idZCombo(m_miasto);
    const int idKodu = m_kod->currentIndex() < 0 ? 0 : m_kod->currentData().toInt();
    host::Laduj_DB_FlatCombo(
        m_kod, QStringLiteral("select id_kodu, kod from kod_pocztowy where id_m = :id_m order by kod"),
        QStringLiteral("id_kodu"), QStringLiteral("kod"), false, nullptr, {{QStringLiteral("id_m"), idM}});
    // A city's only postal code is the one meant.
    m_kod->setCurrentIndex(idKodu > 0 ? m_kod->findData(idKodu) : (m_kod->count() == 1 ? 0 : -1));
    db::Query q(host::GetConnection(),
                QStringLiteral("select id, v.nazwa as panstwo, identyfikator, p.miasto as poczta from miasto m"
                               " left join vlistapanstw v on v.id=m.id_panstwa left join miasto p on"
                               " m.id_m_poczty=p.id_m where (id_jezyka = :id_jezyka or id_jezyka is null) and"
                               " m.id_m = :id_m"));
    q.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    q.parameters().setValue(QStringLiteral("id_m"), idM);
    const bool jest = idM > 0 && host::OpenQuery(q) == 1 && !q.isEmpty();
    if (jest)
        q.first();
    m_kraj->setText(jest ? q.value(QStringLiteral("panstwo")).toString() : QString());
    m_poczta->setText(jest ? q.value(QStringLiteral("poczta")).toString() : QString());
}

void Tedycja_adresu_form::wpisanoKod()
{
    const QString kod = m_kod->currentText().trimmed();
    if (kod.isEmpty() || m_kod->findText(kod) >= 0)
        return;
    db::Query q(host::GetConnection(),
                QStringLiteral("select * from VListaMiast where id_jezyka=:id_jezyka and %1 order by id_m, id_kodu")
                    .arg(host::like(QStringLiteral("kod_pocz"), QStringLiteral(":kod_pocz"))));
    q.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    q.parameters().setValue(QStringLiteral("kod_pocz"), kod);
    if (host::OpenQuery(q) != 1 || q.isEmpty())
        return;
    q.first();
    const int idKodu = q.value(QStringLiteral("id_kodu")).toInt();
    wybierzMiasto(q.value(QStringLiteral("id_m")).toInt(), q.value(QStringLiteral("miasto")).toString());
    m_kod->setCurrentIndex(m_kod->findData(idKodu));
}

void Tedycja_adresu_form::domyslnyClick(bool zaznaczony)
{
    if (zaznaczony && innyDomyslny() > 0
        && host::InfoBox(this, tlumacz("Resstrings_IDS_Istnieje_adres_dom"), host::mb::YesNo | host::mb::IconQuestion)
            != host::mb::IdYes)
        m_domyslny->setChecked(false);
}

void Tedycja_adresu_form::noweMiasto()
{
    const int id = partners::noweMiastoOknem();
    ladujMiasta();
    if (id > 0)
        wybierzMiasto(id);
    m_miasto->setFocus();
}

void Tedycja_adresu_form::edytujMiasto()
{
    if (const int idM = idZCombo(m_miasto); idM > 0) {
        partners::edytujMiastoOknem(idM);
        ladujMiasta();
    }
    m_miasto->setFocus();
}

int Tedycja_adresu_form::innyDomyslny() const
{
    return host::GetIntDB(QStringLiteral("select id_adr from adres where tabela = :tabela and id_ = :id_ and"
                                         " czy_domyslny = 1 and id_adr <> :id"),
                          QString(), nullptr,
                          {{QStringLiteral("tabela"), m_kodTabeli},
                           {QStringLiteral("id_"), id_firmy},
                           {QStringLiteral("id"), tryb == Edycja ? id_rekordu : 0}});
}

QString Tedycja_adresu_form::pytanieOFakturach() const
{
    if (m_tabelaWlasciciela != QLatin1String("firma"))
        return QString();
    const char *klucz = nullptr;
    if (m_domyslny->isChecked() && innyDomyslny() > 0)
        klucz = "Resstrings_IDS_nowy_adres_domyslny_ustaw_fv";
    else if (idZCombo(m_rodzaj) != m_rodzajWczytany
             && m_rodzaj->currentText() == tlumacz("Resstrings_IDS_adres_rodzaj1"))
        klucz = "Resstrings_IDS_nowy_adres_koresp_ustaw_fv";
    if (!klucz
        || host::GetIntDB(QStringLiteral("select count(*) from faktura where id_f = :id or id_platnik = :id"),
                          QString(), nullptr, {{QStringLiteral("id"), id_firmy}})
            <= 0)
        return QString();
    return tlumacz(klucz);
}

bool Tedycja_adresu_form::sprawdzPoprawnosc()
{
    if (idZCombo(m_miasto) <= 0)
        return brakPola(m_lMiasto, m_miasto);
    partners::DaneFirmy wlasciciel;
    if (m_tabelaWlasciciela == QLatin1String("firma") && partners::wczytajFirme(wlasciciel, id_firmy, false)
        && wlasciciel.firmaWlasna
        && host::GetIntDB(QStringLiteral("select id_panstwa from miasto where id_m = :id_m"), QString(), nullptr,
                          {{QStringLiteral("id_m"), idZCombo(m_miasto)}})
            <= 0) {
        host::InfoBox(this,
                      tlumacz("Resstrings_IDS_zlec_panstwo_puste") + QLatin1Char(' ')
                          + tlumacz("Resstrings_IDS_zlec_panstwo_puste2"),
                      host::mb::IconWarning);
        m_miasto->setFocus();
        return false;
    }
    const QString pytanie = pytanieOFakturach();
    m_naFaktury =
        !pytanie.isEmpty() && host::InfoBox(this, pytanie, host::mb::YesNo | host::mb::IconQuestion) == host::mb::IdYes;
    return true;
}

void Tedycja_adresu_form::ustawParametryZapisu(db::StoredProc &proc)
{
    proc.setValue(QStringLiteral("@id_"), id_firmy);
    proc.setValue(QStringLiteral("@id_m"), idLubNull(idZCombo(m_miasto)));
    proc.setValue(QStringLiteral("@id_kodu"), idLubNull(m_kod->currentIndex() < 0 ? 0 : m_kod->currentData().toInt()));
    proc.setValue(QStringLiteral("@ulica"), db::nullIfEmpty(m_ulica->text()));
    proc.setValue(QStringLiteral("@nr_domu"), db::nullIfEmpty(m_nrDomu->text()));
    proc.setValue(QStringLiteral("@nr_m"), db::nullIfEmpty(m_nrM->text()));
    proc.setValue(QStringLiteral("@rodzaj"), idLubNull(idZCombo(m_rodzaj)));
    proc.setValue(QStringLiteral("@czy_domyslny"), m_domyslny->isChecked() ? 1 : 0);
    proc.setValue(QStringLiteral("@tabela"), m_kodTabeli);
}

bool Tedycja_adresu_form::poZapisieWiersza(int)
{
    if (!m_naFaktury)
        return true;
    m_naFaktury = false;
    const int koresp = host::GetIntDB(
        QStringLiteral("select distinct id from VListaPozSlownika where typ_slownika='adres_rodzaj' and grupa=1"
                       " and nazwa_parametru='nazwa'"),
        QStringLiteral("id"));
    const QVariantMap parametry{{QStringLiteral("id"), id_firmy}, {QStringLiteral("rodzaj"), koresp}};
    return host::ExecQuery(QStringLiteral("update faktura set id_adr_f = (select id_adr from adres where tabela = 7"
                                          " and czy_domyslny = 1 and id_ = :id) where id_f = :id"),
                           nullptr, 0, parametry)
        && host::ExecQuery(
               QStringLiteral("update faktura set id_adr_platnik = coalesce((select id_adr from adres where tabela = 7"
                              " and rodzaj = :rodzaj and id_ = :id),(select id_adr from adres where tabela = 7 and"
                              " czy_domyslny = 1 and id_ = :id)) where id_platnik = :id"),
               nullptr, 0, parametry);
}
