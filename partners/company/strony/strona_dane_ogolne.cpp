#include "company/strony/strona_dane_ogolne.h"

#include "company/miasto_firmy.h"
#include "company/skrot_firmy.h"
#include "company/slowniki_firmy.h"
#include "company/sumy_kontrolne.h"
#include "ramka/modul.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "lazy_combo_box.h"
#include "prompter.h"
#include "text_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QUrl>
#include <QUrlQuery>

#include <limits>

namespace partners {

using namespace strony;

namespace {

QString bezAmpersandu(QString tekst)
{
    return tekst.remove(QLatin1Char('&'));
}

// Runs `akcja` whenever the watched control gets an event of type `typ`.
QObject *przyZdarzeniu(QWidget *pole, QEvent::Type typ, std::function<void()> akcja)
{
    return filtrZdarzen(pole, [typ, akcja = std::move(akcja)](QEvent *e) {
        if (e->type() == typ)
            akcja();
        return false;
    });
}

} // namespace

StronaDaneOgolne::StronaDaneOgolne(QWidget *rodzic)
    : StronaFirmy(rodzic, "tsDaneOgolne"),
      m_limitSkrotu(host::var::CzySkrotFirma20.get() ? 20 : SzerokoscSkrotu),
      m_unikalneSkroty(host::var::UnikalneSkrotyFirm.get())
{
    auto *siatka = new QGridLayout(this);

    // Left column: names, address, head office, kinds.
    auto *lewa = new QFormLayout;
    m_nazwa = edit(this, "firma_nazwa", 200);
    m_lNazwa = etykieta(tlumacz("Resstrings_IDS_EdFirmy_Nazwa"), m_nazwa, this);
    lewa->addRow(m_lNazwa, m_nazwa);
    m_skrot = edit(this, "firma_skrot", m_limitSkrotu);
    m_lSkrot = etykieta(tlumacz("Resstrings_IDS_EdFirmy_Skrot"), m_skrot, this);
    lewa->addRow(m_lSkrot, m_skrot);

    m_miasto = combo(this, "cbMiasto");
    auto *noweMiasto =
        przycisk(this, "bNoweMiasto", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Nowe_miasto"));
    auto *edytujMiasto =
        przycisk(this, "bEdytujMiasto", QStringLiteral("…"), tlumacz("Resstrings_IDS_EdFirmy_Edytuj_miasto"));
    m_lMiasto = etykieta(tlumacz("Resstrings_IDS_EdFirmy_Miasto"), m_miasto, this);
    lewa->addRow(m_lMiasto, wiersz(this, {m_miasto, noweMiasto, edytujMiasto}));

    m_ulica = edit(this, "firma_ulica", 50);
    m_nrDomu = edit(this, "firma_nr_domu", 10);
    m_nrM = edit(this, "firma_nr_m", 5);
    m_nrDomu->setPlaceholderText(tlumacz("Resstrings_IDS_NrDomu"));
    m_nrDomu->setToolTip(tlumacz("Resstrings_IDS_NrDomu"));
    m_nrM->setPlaceholderText(tlumacz("Resstrings_IDS_NrLokalu"));
    m_nrM->setToolTip(tlumacz("Resstrings_IDS_NrLokalu"));
    m_nrDomu->setMaximumWidth(80);
    m_nrM->setMaximumWidth(60);
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Ulica"), m_ulica, this),
                 wiersz(this, {m_ulica, m_nrDomu, m_nrM}));

    m_typ = combo(this, "cbTyp");
    m_typ->hide();
    m_wlasna = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_firma_wlasna"), this), "cbFirmaWlasna");
    // The type follows the own-company box; its dictionary is still kept from here.
    auto *dodajTyp =
        przycisk(this, "bDodajTyp", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Dodaj_do_slownika"));
    lewa->addRow(QString(), wiersz(this, {m_wlasna, dodajTyp}));

    m_centrala = nazwany(new QRadioButton(tlumacz("Resstrings_IDS_EdFirmy_Centrala"), this), "rbCentrala");
    m_oddzial = nazwany(new QRadioButton(tlumacz("Resstrings_IDS_EdFirmy_Oddzial"), this), "rbOddzial");
    m_centrale = new ui::LazyComboBox(this);
    combo(this, "cbCentrala", m_centrale);
    m_centrale->setLoader([this](QComboBox *c) { SlownikiFirmy::ladujCentrale(c, m_idFirmy); });
    m_centrale->setToolTip(tlumacz("Resstrings_IDS_Centrala"));
    lewa->addRow(QString(), wiersz(this, {m_centrala, m_oddzial, m_centrale}, 2));

    m_rodzaje = nazwany(new QListWidget(this), "clbRodzaje");
    m_rodzaje->setMaximumHeight(110);
    auto *dodajRodzaj =
        przycisk(this, "bDodajRodzaj", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Dodaj_do_slownika"));
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Rodzaje"), m_rodzaje, this),
                 wiersz(this, {m_rodzaje, dodajRodzaj}));

    m_status = combo(this, "cbStatus");
    auto *dodajStatus =
        przycisk(this, "bDodajStatus", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Dodaj_do_slownika"));
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Status"), m_status, this),
                 wiersz(this, {m_status, dodajStatus}));

    m_limit = nazwany(new QDoubleSpinBox(this), "eLimitKredytowy");
    m_limit->setRange(0, 9999999999999999.99);
    m_limit->setDecimals(2);
    m_limit->setGroupSeparatorShown(true);
    m_waluta = combo(this, "cbWalutaLimitu");
    m_waluta->setToolTip(tlumacz("Resstrings_IDS_EdFirmy_Waluta"));
    m_waluta->setMinimumContentsLength(5);
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_LimitKredytowy"), m_limit, this),
                 wiersz(this, {m_limit, m_waluta}));

    m_uwagi = nazwany(new QPlainTextEdit(this), "firma_uwagi");
    m_uwagi->setTabChangesFocus(true);
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Uwagi"), m_uwagi, this), m_uwagi);

    // Right column: numbers and contact.
    auto *prawa = new QFormLayout;
    m_prefiks = combo(this, "cbPrefiksNip");
    m_prefiks->setMinimumContentsLength(3);
    m_nip = edit(this, "firma_nip", 22);
    m_nip->setMinimumWidth(m_nip->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
    auto *vies = przycisk(this, "bVies", tlumacz("Resstrings_IDS_Sprawdz_w_vies"));
    prawa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Nip"), m_nip, this),
                  wiersz(this, {m_prefiks, m_nip, vies}, 1));
    m_regon = edit(this, "firma_regon", 9);
    prawa->addRow(tlumacz("Resstrings_IDS_Regon"), m_regon);
    m_krs = edit(this, "firma_krs", 10);
    prawa->addRow(tlumacz("Resstrings_IDS_KRS"), m_krs);
    m_nrTrans = edit(this, "firma_nr_trans", 50);
    prawa->addRow(tlumacz("Resstrings_IDS_nr_trans"), m_nrTrans);
    m_skype = edit(this, "firma_skype", 50);
    prawa->addRow(tlumacz("Resstrings_IDS_skype"), m_skype);
    m_nrGg = edit(this, "firma_nr_gg", 25);
    prawa->addRow(tlumacz("Resstrings_IDS_nr_gg"), m_nrGg);
    m_www = edit(this, "firma_www", 60);
    prawa->addRow(tlumacz("Resstrings_IDS_WWW"), m_www);
    m_email = edit(this, "firma_e_mail", 50);
    prawa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Email"), m_email, this), m_email);
    m_wlasciciel = edit(this, "firma_wlasciciel", 30);
    prawa->addRow(tlumacz("Resstrings_IDS_wlasciciel"), m_wlasciciel);
    m_apdId = edit(this, "firma_apd_id", 10);
    m_apdId->setValidator(new QIntValidator(0, std::numeric_limits<int>::max(), m_apdId));
    prawa->addRow(tlumacz("Resstrings_IDS_EdFirmy_Apd_id"), m_apdId);
    m_apdToken = edit(this, "firma_apd_token", 34);
    prawa->addRow(tlumacz("Resstrings_IDS_EdFirmy_Apd_token"), m_apdToken);
    m_aktywna = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Aktywna"), this), "cbAktywna");
    m_bus = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Bus"), this), "cbBus");
    prawa->addRow(QString(), wiersz(this, {m_aktywna, m_bus}));

    siatka->addLayout(lewa, 0, 0);
    siatka->addLayout(prawa, 0, 1);
    siatka->setColumnStretch(0, 3);
    siatka->setColumnStretch(1, 2);

    // Tab order: down the left column, then the right one.
    kolejnosc({m_nazwa,    m_skrot,   m_miasto,     noweMiasto, edytujMiasto, m_ulica,   m_nrDomu,    m_nrM,   m_wlasna,
               m_centrala, m_oddzial, m_centrale,   m_rodzaje,  dodajRodzaj,  m_status,  dodajStatus, m_limit, m_waluta,
               m_uwagi,    m_prefiks, m_nip,        vies,       m_regon,      m_krs,     m_nrTrans,   m_skype, m_nrGg,
               m_www,      m_email,   m_wlasciciel, m_apdId,    m_apdToken,   m_aktywna, m_bus});
    QWidget::setTabOrder(m_wlasna, dodajTyp);

    // Handlers that may veto or re-arm the rights run before the editor counts the change.
    connect(m_oddzial, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            host::guard([this] { wybranoOddzial(true); });
    });
    connect(m_centrala, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            host::guard([this] { wybranoOddzial(false); });
    });
    connect(m_wlasna, &QCheckBox::toggled, this, [this] {
        if (!m_wypelnianie)
            emit firmaWlasnaZmieniona();
    });
    connect(m_rodzaje, &QListWidget::itemChanged, this, [this] {
        if (!m_wypelnianie)
            emit zmieniono();
    });
    edytowalne({m_nazwa, m_skrot,  m_miasto,     m_ulica, m_nrDomu,   m_nrM,     m_wlasna,  m_centrale, m_status,
                m_limit, m_waluta, m_prefiks,    m_nip,   m_regon,    m_krs,     m_nrTrans, m_skype,    m_nrGg,
                m_www,   m_email,  m_wlasciciel, m_apdId, m_apdToken, m_aktywna, m_bus});
    edytowalneWieloliniowe({m_uwagi});

    m_filtrNazwy = przyZdarzeniu(m_nazwa, QEvent::FocusOut, [this] { host::guard([this] { generujSkrot(); }); });
    m_filtrSkrotu = przyZdarzeniu(m_skrot, QEvent::FocusIn, [this] { host::guard([this] { generujSkrot(); }); });
    connect(m_nip, &QLineEdit::textChanged, this, [this] { host::guard([this] { sprawdzNipPrzyPisaniu(); }); });
    connect(m_prefiks, &QComboBox::currentTextChanged, this,
            [this] { host::guard([this] { sprawdzNipPrzyPisaniu(); }); });
    connect(m_regon, &QLineEdit::textChanged, this,
            [this] { host::guard([this] { kolorNumeru(m_regon, sprawdzRegon); }); });
    connect(m_krs, &QLineEdit::textChanged, this, [this] { host::guard([this] { kolorNumeru(m_krs, sprawdzKrs); }); });
    connect(m_email, &QLineEdit::textChanged, this, [this] { host::guard([this] { sprawdzEmailPrzyPisaniu(); }); });
    connect(vies, &QToolButton::clicked, this, [this] { host::guard([this] { sprawdzWVies(); }); });
    connect(noweMiasto, &QToolButton::clicked, this, [this] { host::guard([this] { this->noweMiasto(); }); });
    connect(edytujMiasto, &QToolButton::clicked, this, [this] { host::guard([this] { this->edytujMiasto(); }); });
    connect(dodajRodzaj, &QToolButton::clicked, this, [this] { host::guard([this] { this->dodajRodzaj(); }); });
    connect(dodajTyp, &QToolButton::clicked, this,
            [this] { host::guard([this] { dodajDoSlownika(m_typ, QStringLiteral("typ_firmy")); }); });
    connect(dodajStatus, &QToolButton::clicked, this,
            [this] { host::guard([this] { dodajDoSlownika(m_status, QStringLiteral("klient_rodzaj")); }); });
}

StronaDaneOgolne::~StronaDaneOgolne()
{
    // The edits outlive this part of the object and lose their focus while dying.
    delete m_filtrNazwy;
    delete m_filtrSkrotu;
}

// ---- lists ------------------------------------------------------------------------------------------

void StronaDaneOgolne::wczytajListy()
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    SlownikiFirmy::ladujSlownik(m_typ, QStringLiteral("typ_firmy"), false);
    ladujRodzaje();
    SlownikiFirmy::ladujSlownik(m_status, QStringLiteral("klient_rodzaj"), true);
    ladujMiasta();

    const QString waluta = m_waluta->currentText();
    m_waluta->clear();
    m_waluta->addItem(QString());
    m_waluta->addItems(SlownikiFirmy::waluty());
    m_waluta->setCurrentIndex(qMax(0, m_waluta->findText(waluta)));
    const QString prefiks = m_prefiks->currentText();
    m_prefiks->clear();
    m_prefiks->addItem(QString());
    m_prefiks->addItems(SlownikiFirmy::prefiksyNip());
    ustawPrefiks(prefiks);
}

void StronaDaneOgolne::ladujRodzaje()
{
    QList<int> zaznaczone;
    for (int i = 0; i < m_rodzaje->count(); ++i)
        if (m_rodzaje->item(i)->checkState() == Qt::Checked)
            zaznaczone << m_rodzaje->item(i)->data(Qt::UserRole).toInt();
    SlownikiFirmy::ladujRodzaje(m_rodzaje);
    for (int i = 0; i < m_rodzaje->count(); ++i)
        if (zaznaczone.contains(m_rodzaje->item(i)->data(Qt::UserRole).toInt()))
            m_rodzaje->item(i)->setCheckState(Qt::Checked);
}

void StronaDaneOgolne::ladujMiasta()
{
    const int idM = m_miasto->currentData().toInt();
    const int idKodu = m_miasto->currentData(Qt::UserRole + 1).toInt();
    const QString tekst = m_miasto->currentText();
    SlownikiFirmy::ladujMiasta(m_miasto);
    ustawMiasto(idM, idKodu, tekst);
}

void StronaDaneOgolne::ustawMiasto(int idM, int idKodu, const QString &tekst)
{
    if (idM <= 0) {
        m_miasto->setCurrentIndex(-1);
        return;
    }
    int kandydat = -1;
    for (int i = 0; i < m_miasto->count(); ++i) {
        if (m_miasto->itemData(i).toInt() != idM)
            continue;
        if (m_miasto->itemData(i, Qt::UserRole + 1).toInt() == idKodu) {
            kandydat = i;
            break;
        }
        if (kandydat < 0 && idKodu <= 0)
            kandydat = i;
    }
    if (kandydat < 0) {
        // A city hidden from pick lists still shows as the company's own.
        m_miasto->addItem(tekst, idM);
        kandydat = m_miasto->count() - 1;
        m_miasto->setItemData(kandydat, qMax(0, idKodu), Qt::UserRole + 1);
    }
    m_miasto->setCurrentIndex(kandydat);
}

void StronaDaneOgolne::ustawPrefiks(const QString &prefiks)
{
    const QString p = prefiks.trimmed();
    int indeks = m_prefiks->findText(p);
    if (indeks < 0) {
        m_prefiks->addItem(p);
        indeks = m_prefiks->count() - 1;
    }
    m_prefiks->setCurrentIndex(indeks);
}

// ---- values -----------------------------------------------------------------------------------------

void StronaDaneOgolne::wczytaj(const DaneFirmy &d)
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    m_idFirmy = d.idFirmy;
    m_centrale->unload();
    m_nazwa->setText(d.nazwa);
    m_skrot->setText(d.skrot);
    wybierzId(m_typ, d.idTypu);
    m_wlasna->setChecked(d.firmaWlasna);
    wybierzId(m_status, d.idStatusu);
    (d.oddzial ? m_oddzial : m_centrala)->setChecked(true);
    m_centrale->setVisible(d.oddzial);
    if (d.oddzial && d.idCentrali > 0) {
        // Only the current head office until the list is opened; one that
        // became a branch itself is still shown.
        m_centrale->addItem(SlownikiFirmy::nazwaFirmy(d.idCentrali), d.idCentrali);
        m_centrale->setCurrentIndex(m_centrale->count() - 1);
    }
    for (int i = 0; i < m_rodzaje->count(); ++i)
        m_rodzaje->item(i)->setCheckState(
            d.rodzaje.contains(m_rodzaje->item(i)->data(Qt::UserRole).toInt()) ? Qt::Checked : Qt::Unchecked);
    m_limit->setValue(d.limitKredytowy);
    m_waluta->setCurrentIndex(qMax(0, m_waluta->findText(d.walutaLimitu)));
    ustawPrefiks(d.prefiksNip);
    m_nip->setText(d.nip);
    m_nip->setEnabled(!d.nipZablokowany);
    m_prefiks->setEnabled(!d.nipZablokowany);
    m_regon->setText(d.regon);
    m_krs->setText(d.krs);
    m_nrTrans->setText(d.nrTrans);
    m_skype->setText(d.skype);
    m_nrGg->setText(d.nrGg);
    m_www->setText(d.www);
    m_email->setText(d.eMail);
    m_wlasciciel->setText(d.wlasciciel);
    m_apdId->setText(d.apdId);
    m_apdToken->setText(d.apdToken);
    m_aktywna->setChecked(d.aktywna);
    m_bus->setChecked(d.bus);
    ui::setMemoText(m_uwagi, d.uwagi);
    // The text is needed only for a city the pick list does not offer.
    ustawMiasto(d.idM, d.idKodu, d.idM > 0 ? SlownikiFirmy::opisMiasta(d.idM, d.idKodu) : QString());
    m_ulica->setText(d.ulica);
    m_nrDomu->setText(d.nrDomu);
    m_nrM->setText(d.nrM);
    sprawdzNipPrzyPisaniu();
    sprawdzEmailPrzyPisaniu();
}

void StronaDaneOgolne::wstawWartosciPoczatkowe(const WartosciPoczatkoweFirmy &p)
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    m_nazwa->setText(p.nazwa.trimmed());
    m_skrot->setText(p.skrot.trimmed());
    const NipZPrefiksem nip = rozdzielNip(p.nip.trimmed());
    m_nip->setText(nip.numer);
    if (!nip.prefiks.isEmpty())
        ustawPrefiks(nip.prefiks);
    if (!p.miasto.trimmed().isEmpty() || !p.kod.trimmed().isEmpty()) {
        AdresDoRozpoznania adres;
        adres.panstwo = p.panstwo;
        adres.miasto = p.miasto.trimmed();
        adres.kod = p.kod.trimmed();
        rozpoznajAdres(adres, PanstwaFirmy());
        if (adres.id_m > 0) {
            SlownikiFirmy::ladujMiasta(m_miasto);
            ustawMiasto(adres.id_m, adres.id_kodu, adres.miasto);
        }
        if (nip.prefiks.isEmpty() && adres.id_panstwa > 0)
            ustawPrefiks(SlownikiFirmy::prefiksNipPanstwa(adres.id_panstwa));
    }
    const UlicaZNumerami ulica = rozbijUlice(p.ulica.trimmed());
    m_ulica->setText(ulica.ulica);
    m_nrDomu->setText(ulica.nr_domu);
    m_nrM->setText(ulica.nr_m);
}

void StronaDaneOgolne::zbierz(DaneFirmy &d) const
{
    d.nazwa = m_nazwa->text();
    d.skrot = m_skrot->text();
    d.firmaWlasna = m_wlasna->isChecked();
    d.idTypu = idZCombo(m_typ);
    d.idStatusu = idZCombo(m_status);
    d.oddzial = m_oddzial->isChecked();
    d.idCentrali = d.oddzial ? idZCombo(m_centrale) : 0;
    d.rodzaje.clear();
    for (int i = 0; i < m_rodzaje->count(); ++i)
        if (m_rodzaje->item(i)->checkState() == Qt::Checked)
            d.rodzaje << m_rodzaje->item(i)->data(Qt::UserRole).toInt();
    d.limitKredytowy = m_limit->value();
    d.walutaLimitu = m_waluta->currentText().trimmed();
    d.prefiksNip = m_prefiks->currentText().trimmed();
    d.nip = m_nip->text();
    // The name, short name and NIP are trimmed when saved; the others are stored as typed.
    d.regon = m_regon->text();
    d.krs = m_krs->text();
    d.nrTrans = m_nrTrans->text();
    d.skype = m_skype->text();
    d.nrGg = m_nrGg->text();
    d.www = m_www->text();
    d.eMail = m_email->text();
    d.wlasciciel = m_wlasciciel->text();
    d.apdId = m_apdId->text().trimmed();
    d.apdToken = m_apdToken->text();
    d.aktywna = m_aktywna->isChecked();
    d.bus = m_bus->isChecked();
    d.uwagi = ui::memoText(m_uwagi);
    d.idM = m_miasto->currentIndex() < 0 ? 0 : m_miasto->currentData().toInt();
    d.idKodu = m_miasto->currentIndex() < 0 ? 0 : m_miasto->currentData(Qt::UserRole + 1).toInt();
    d.ulica = m_ulica->text();
    d.nrDomu = m_nrDomu->text();
    d.nrM = m_nrM->text();
}

void StronaDaneOgolne::poZapisie(const DaneFirmy &d)
{
    m_idFirmy = d.idFirmy;
}

QWidget *StronaDaneOgolne::kontrolka(PoleFirmy pole) const
{
    switch (pole) {
    case PoleFirmy::Nazwa:
        return m_nazwa;
    case PoleFirmy::Skrot:
        return m_skrot;
    case PoleFirmy::Miasto:
        return m_miasto;
    case PoleFirmy::Centrala:
        return m_centrale;
    case PoleFirmy::WalutaLimitu:
        return m_waluta;
    case PoleFirmy::Nip:
        return m_nip;
    case PoleFirmy::Regon:
        return m_regon;
    case PoleFirmy::Krs:
        return m_krs;
    default:
        return nullptr;
    }
}

PodpowiedziPol StronaDaneOgolne::podpowiedzi() const
{
    PodpowiedziPol p;
    p.nazwa = bezAmpersandu(m_lNazwa->text());
    p.skrot = bezAmpersandu(m_lSkrot->text());
    p.miasto = bezAmpersandu(m_lMiasto->text());
    p.waluta = m_waluta->toolTip();
    return p;
}

QString StronaDaneOgolne::nazwa() const
{
    return m_nazwa->text().trimmed();
}

void StronaDaneOgolne::ustawSkrot(const QString &skrot)
{
    if (m_skrot->text() != skrot)
        m_skrot->setText(skrot);
}

bool StronaDaneOgolne::oddzial() const
{
    return m_oddzial->isChecked();
}

bool StronaDaneOgolne::firmaWlasna() const
{
    return m_wlasna->isChecked();
}

void StronaDaneOgolne::skupNaNazwie()
{
    m_nazwa->setFocus();
}

// ---- head office and branch ----------------------------------------------------------------------

void StronaDaneOgolne::wybranoOddzial(bool oddzial)
{
    if (m_wypelnianie)
        return;
    if (oddzial) {
        if (m_idFirmy > 0 && SlownikiFirmy::liczbaOddzialow(m_idFirmy) > 0) {
            host::InfoBox(this, QStringLiteral("Resstrings_IDS_Blokada_Oddzial"), host::mb::IconInformation);
            const QScopedValueRollback wypelnianie(m_wypelnianie, true);
            m_centrala->setChecked(true);
            return;
        }
        const QScopedValueRollback wypelnianie(m_wypelnianie, true);
        m_centrale->unload();
        m_centrale->setProperty("wymagane", true);
    }
    m_centrale->setVisible(oddzial);
    emit siedzibaZmieniona();
    emit zmieniono();
}

// ---- typing -----------------------------------------------------------------------------------------

void StronaDaneOgolne::generujSkrot()
{
    if (m_wypelnianie || !m_skrot->text().trimmed().isEmpty() || m_upr < 1)
        return;
    const QString skrot = generujSkrotFirmy(m_nazwa->text().trimmed(), m_limitSkrotu, m_unikalneSkroty);
    if (skrot.isEmpty())
        return;
    m_skrot->setText(skrot);
    emit zmieniono();
}

void StronaDaneOgolne::sprawdzNipPrzyPisaniu()
{
    QColor kolor;
    switch (stanNip(m_prefiks->currentText().remove(QLatin1Char(' ')), m_nip->text())) {
    case StanNip::Poprawny:
        kolor = KolorPoprawny;
        break;
    case StanNip::Bledny:
        kolor = KolorBledny;
        break;
    case StanNip::Nieznany:
        break;
    }
    kolorTekstu(m_nip, kolor);
}

void StronaDaneOgolne::sprawdzEmailPrzyPisaniu()
{
    kolorTekstu(m_email, emailBledny(m_email->text()) ? KolorBledny : QColor());
}

void StronaDaneOgolne::sprawdzWVies()
{
    const QString prefiks = m_prefiks->currentText().trimmed();
    const QString nip = m_nip->text().trimmed();
    if (prefiks.isEmpty()) {
        host::InfoBox(this, QStringLiteral("Resstrings_IDS_Brak_kodu_poprz_NIP"), host::mb::IconInformation);
        return;
    }
    if (nip.size() <= 3) {
        host::InfoBox(this, QStringLiteral("Resstrings_IDS_Bledny_lub_niewpisany_NIP"), host::mb::IconInformation);
        return;
    }
    QUrl adres(QStringLiteral("https://ec.europa.eu/taxation_customs/vies/viesquer.do"));
    QUrlQuery zapytanie;
    zapytanie.addQueryItem(QStringLiteral("ms"), prefiks);
    zapytanie.addQueryItem(QStringLiteral("vat"), host::Usun_znaki_niedozwolone(nip));
    adres.setQuery(zapytanie);
    host::prompter().openUrl(adres);
}

// ---- buttons beside the lists -------------------------------------------------------------------

void StronaDaneOgolne::noweMiasto()
{
    const int id = noweMiastoOknem();
    ladujMiasta();
    if (id > 0)
        ustawMiasto(id, 0, QString());
    m_miasto->setFocus();
}

void StronaDaneOgolne::edytujMiasto()
{
    const int idM = m_miasto->currentIndex() < 0 ? 0 : m_miasto->currentData().toInt();
    if (idM <= 0)
        return;
    edytujMiastoOknem(idM);
    // The city may now carry another name or postal code.
    ladujMiasta();
    m_miasto->setFocus();
}

void StronaDaneOgolne::dodajRodzaj()
{
    SlownikiFirmy::otworzSlownik(this, QStringLiteral("firma_rodzaj"));
    {
        const QScopedValueRollback wypelnianie(m_wypelnianie, true);
        ladujRodzaje();
    }
    m_rodzaje->setFocus();
}

} // namespace partners
