// What the company editor's controls do when the user works with them.

#include "company/edycja_firmy_kontrolki.h"

#include "company/skrot_firmy.h"
#include "company/szablony_uwag.h"
#include "company/walidacja_firmy.h"
#include "ramka/modul.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "prompter.h"
#include "query.h"
#include "siblings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QUrl>
#include <QUrlQuery>

using partners::tlumacz;

using partners::edycja_firmy::Wypelnianie;

namespace {

// Form type of the order editor in the host's register of open editors.
constexpr int FormaZlecenia = 6;

const QColor KolorPoprawny(Qt::darkGreen);
const QColor KolorBledny(Qt::red);

// Lets a handler see the watched object's events first; it returns true to swallow one.
class FiltrZdarzen : public QObject
{
public:
    FiltrZdarzen(QObject *rodzic, std::function<bool(QEvent *)> obsluz)
        : QObject(rodzic),
          m_obsluz(std::move(obsluz))
    {}

protected:
    bool eventFilter(QObject *obiekt, QEvent *zdarzenie) override
    {
        return m_obsluz(zdarzenie) || QObject::eventFilter(obiekt, zdarzenie);
    }

private:
    std::function<bool(QEvent *)> m_obsluz;
};

// Runs `akcja` whenever the watched control gets an event of type `typ`.
FiltrZdarzen *przyZdarzeniu(QWidget *pole, QEvent::Type typ, std::function<void()> akcja)
{
    auto *filtr = new FiltrZdarzen(pole, [typ, akcja = std::move(akcja)](QEvent *e) {
        if (e->type() == typ)
            akcja();
        return false;
    });
    pole->installEventFilter(filtr);
    return filtr;
}

// What a user does to pick another page: a click, the wheel or a key on the tabs.
bool wyborStrony(const QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        return true;
    default:
        return false;
    }
}

void kolorTekstu(QWidget *pole, const QColor &kolor)
{
    QPalette paleta = pole->palette();
    paleta.setColor(QPalette::Text, kolor.isValid() ? kolor : QPalette().color(QPalette::Text));
    pole->setPalette(paleta);
}

} // namespace

void Tedycja_firmy_form::podepnijZdarzenia()
{
    // Handlers that may veto or re-arm the rights run before the change is counted.
    connect(k->oddzial, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            host::guard([this] { wybranoOddzial(true); });
    });
    connect(k->centrala, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            host::guard([this] { wybranoOddzial(false); });
    });
    connect(k->wlasna, &QCheckBox::toggled, this, [this] {
        if (!m_wypelnianie)
            host::guard([this] { zastosujBlokadeWlasnej(); });
    });

    for (QWidget *pole : std::initializer_list<QWidget *>{k->nazwa,
                                                          k->skrot,
                                                          k->miasto,
                                                          k->ulica,
                                                          k->nrDomu,
                                                          k->nrM,
                                                          k->wlasna,
                                                          k->centrale,
                                                          k->status,
                                                          k->limit,
                                                          k->waluta,
                                                          k->prefiks,
                                                          k->nip,
                                                          k->regon,
                                                          k->krs,
                                                          k->nrTrans,
                                                          k->skype,
                                                          k->nrGg,
                                                          k->www,
                                                          k->email,
                                                          k->wlasciciel,
                                                          k->apdId,
                                                          k->apdToken,
                                                          k->aktywna,
                                                          k->bus,
                                                          k->dodatkoweWolne,
                                                          k->nocneOd,
                                                          k->nocneDo,
                                                          k->swietaOd,
                                                          k->poraNocnaOd,
                                                          k->poraNocnaDo,
                                                          k->limitNadh,
                                                          k->okresRoz,
                                                          k->poczatekOkresu,
                                                          k->mpk,
                                                          k->termin,
                                                          k->sposob,
                                                          k->konto,
                                                          k->szablonZlec,
                                                          k->szablonPotw,
                                                          k->kodAnalityczny,
                                                          k->uwagiDod,
                                                          k->dataKursuAuto,
                                                          k->dataZaladunku,
                                                          k->dataRozladunku,
                                                          k->dniKursu,
                                                          k->oswiadczenieVat,
                                                          k->fvPodsum2,
                                                          k->fvJednaWaluta,
                                                          k->papierFirmowy,
                                                          k->margines})
        podepnijPole(pole);
    for (QPlainTextEdit *memo : {k->uwagi, k->komentarz, k->uwagiSp, k->uwagiFv})
        podepnijPole(memo, false); // Enter starts a new line
    connect(k->rodzaje, &QListWidget::itemChanged, this, [this] {
        if (!m_wypelnianie)
            EditChange();
    });

    k->filtrNazwy = przyZdarzeniu(k->nazwa, QEvent::FocusOut, [this] { host::guard([this] { generujSkrot(); }); });
    k->filtrSkrotu = przyZdarzeniu(k->skrot, QEvent::FocusIn, [this] { host::guard([this] { generujSkrot(); }); });
    // The page stays while a save, a move through the list or a close runs
    // (a question of theirs may be up): a page loaded now would load half-saved data.
    for (QWidget *strony : {static_cast<QWidget *>(k->strony), static_cast<QWidget *>(k->strony->tabBar())}) {
        strony->installEventFilter(
            new FiltrZdarzen(strony, [this](QEvent *e) { return wyborStrony(e) && !MoznaOpuscicStan(); }));
    }

    connect(k->nip, &QLineEdit::textChanged, this, [this] { host::guard([this] { sprawdzNipPrzyPisaniu(); }); });
    connect(k->prefiks, &QComboBox::currentTextChanged, this,
            [this] { host::guard([this] { sprawdzNipPrzyPisaniu(); }); });
    connect(k->email, &QLineEdit::textChanged, this, [this] { host::guard([this] { sprawdzEmailPrzyPisaniu(); }); });
    connect(k->vies, &QToolButton::clicked, this, [this] { host::guard([this] { sprawdzWVies(); }); });
    connect(k->noweMiasto, &QToolButton::clicked, this, [this] { host::guard([this] { noweMiasto(); }); });
    connect(k->edytujMiasto, &QToolButton::clicked, this, [this] { host::guard([this] { edytujMiasto(); }); });
    connect(k->dodajRodzaj, &QToolButton::clicked, this, [this] { host::guard([this] { dodajRodzaj(); }); });
    connect(k->dodajStatus, &QToolButton::clicked, this,
            [this] { host::guard([this] { dodajDoSlownika(QStringLiteral("klient_rodzaj"), k->status); }); });
    connect(k->dodajTermin, &QToolButton::clicked, this,
            [this] { host::guard([this] { dodajDoSlownika(QStringLiteral("dni_do_zaplaty"), k->termin); }); });
    connect(k->nowySzablonZlec, &QToolButton::clicked, this,
            [this] { host::guard([this] { nowySzablonZlecenia(partners::edycja_firmy::SzablonZlecenia); }); });
    connect(k->edytujSzablonZlec, &QToolButton::clicked, this,
            [this] { host::guard([this] { edytujSzablonZlecenia(partners::edycja_firmy::SzablonZlecenia); }); });
    connect(k->nowySzablonPotw, &QToolButton::clicked, this,
            [this] { host::guard([this] { nowySzablonZlecenia(partners::edycja_firmy::SzablonPotwierdzenia); }); });
    connect(k->edytujSzablonPotw, &QToolButton::clicked, this,
            [this] { host::guard([this] { edytujSzablonZlecenia(partners::edycja_firmy::SzablonPotwierdzenia); }); });
    connect(k->dodajUwagi, &QToolButton::clicked, this, [this] { host::guard([this] { dodajSzablonUwag(); }); });
    connect(k->edytujUwagi, &QToolButton::clicked, this, [this] { host::guard([this] { edytujSzablonUwag(); }); });
    connect(k->usunUwagi, &QToolButton::clicked, this, [this] { host::guard([this] { usunSzablonUwag(); }); });
    connect(k->uwagiDod, &QComboBox::currentIndexChanged, this, [this] { ustawPrzyciskiUwag(); });
    connect(k->papierFirmowy, &QCheckBox::toggled, this, [this] { ustawPapierFirmowy(); });
    connect(k->tylkoAktywne, &QAction::toggled, this, [this](bool on) {
        host::guard([this, on] {
            m_tylkoAktywneKonta = on;
            const QSignalBlocker cisza(k->konto); // the choice itself does not change
            ladujKonta();
        });
    });
    connect(k->dodajZlec, &QToolButton::clicked, this, [this] { host::guard([this] { dodajZlecenieProste(); }); });
    connect(k->strony, &QTabWidget::currentChanged, this,
            [this](int i) { host::guard([this, i] { zmianaZakladki(i); }); });
}

// ---- pages -----------------------------------------------------------------------------------------

void Tedycja_firmy_form::ustawWidocznoscZakladek()
{
    const bool istniejaca = id_rekordu > 0 && tryb == Edycja;
    const bool pelna = istniejaca && !host::CzyWersjaOgraniczona();
    const auto widoczna = [this](QWidget *strona, bool on) {
        k->strony->setTabVisible(k->strony->indexOf(strona), on);
    };
    widoczna(k->tsDaneDomyslne, false);
    widoczna(k->tsOddzialy, pelna);
    widoczna(k->tsKontakty, istniejaca);
    widoczna(k->tsKsiegRozl, pelna);
    widoczna(k->tsDomyslneFV, pelna && m_prawaFv);
    widoczna(k->tsDokumenty, pelna);

    // Working time is settled only by users of the calendar or business-trip modules.
    const bool czasPracy = host::SprawdzUpr(QStringLiteral("calendars.dll")) >= 0
        || host::SprawdzUpr(QStringLiteral("business_trips.dll")) >= 0;
    k->gbRozliczenia->setVisible(czasPracy);
}

void Tedycja_firmy_form::ustawPodpisOddzialow()
{
    k->strony->setTabText(k->strony->indexOf(k->tsOddzialy),
                          tlumacz(k->oddzial->isChecked() ? "Resstrings_IDS_Centrala2" : "Resstrings_IDS_Oddzialy2"));
}

void Tedycja_firmy_form::zmianaZakladki(int indeks)
{
    if (QWidget *strona = k->strony->widget(indeks))
        zaladujZakladke(strona->objectName());
}

void Tedycja_firmy_form::zaladujZakladke(const QString &nazwaStrony)
{
    // A page is loaded once per record; a new company has nothing to load yet.
    if (nazwaStrony.isEmpty() || id_rekordu <= 0 || m_zaladowane.contains(nazwaStrony))
        return;
    m_zaladowane.insert(nazwaStrony);
    if (nazwaStrony == QLatin1String("tsDomyslneFV")) {
        Wypelnianie w(m_wypelnianie);
        const QSignalBlocker cisza(k->konto);
        ladujKonta();
    }
}

// ---- own company and head office --------------------------------------------------------------------

void Tedycja_firmy_form::zastosujBlokadeWlasnej()
{
    const bool blokada =
        k->wlasna->isChecked() && id_rekordu > 0 && tryb == Edycja && !host::var::UprawnieniaZapisFirmyWlasne.get();
    if (blokada && upr >= 1) {
        m_uprOdlozone = upr;
        upr = 0;
        oznaczBezZmian();
        odswiezTytul();
    } else if (!blokada && m_uprOdlozone >= 1) {
        upr = m_uprOdlozone;
        m_uprOdlozone = -1;
    }
}

void Tedycja_firmy_form::wybranoOddzial(bool oddzial)
{
    if (m_wypelnianie)
        return;
    if (oddzial) {
        const int oddzialy = id_rekordu > 0
            ? host::GetIntDB(QStringLiteral("select count(*) as ile from firma where id_centrali = :id_f"),
                             QStringLiteral("ile"), nullptr, {{QStringLiteral("id_f"), id_rekordu}})
            : 0;
        if (oddzialy > 0) {
            host::InfoBox(this, QStringLiteral("Resstrings_IDS_Blokada_Oddzial"), host::mb::IconInformation);
            Wypelnianie w(m_wypelnianie);
            k->centrala->setChecked(true);
            return;
        }
        Wypelnianie w(m_wypelnianie);
        ladujCentrale();
        k->centrale->setProperty("wymagane", true);
    }
    k->centrale->setVisible(oddzial);
    ustawPodpisOddzialow();
    EditChange();
}

// ---- typing --------------------------------------------------------------------------------------------

void Tedycja_firmy_form::generujSkrot()
{
    if (m_wypelnianie || !k->skrot->text().trimmed().isEmpty() || upr < 1)
        return;
    const QString skrot = partners::generujSkrotFirmy(
        k->nazwa->text().trimmed(), m_limitSkrotu == 20 ? partners::SkrotFirmy20 : 0, m_unikalneSkroty);
    if (skrot.isEmpty())
        return;
    k->skrot->setText(skrot);
    EditChange();
}

void Tedycja_firmy_form::sprawdzNipPrzyPisaniu()
{
    QColor kolor;
    switch (partners::stanNip(k->prefiks->currentText().remove(QLatin1Char(' ')), k->nip->text())) {
    case partners::StanNip::Poprawny:
        kolor = KolorPoprawny;
        break;
    case partners::StanNip::Bledny:
        kolor = KolorBledny;
        break;
    case partners::StanNip::Nieznany:
        break;
    }
    kolorTekstu(k->nip, kolor);
}

void Tedycja_firmy_form::sprawdzEmailPrzyPisaniu()
{
    kolorTekstu(k->email, partners::emailBledny(k->email->text()) ? KolorBledny : QColor());
}

void Tedycja_firmy_form::sprawdzWVies()
{
    const QString prefiks = k->prefiks->currentText().trimmed();
    const QString nip = k->nip->text().trimmed();
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

void Tedycja_firmy_form::ustawPapierFirmowy()
{
    k->margines->setEnabled(k->papierFirmowy->isChecked());
}

// ---- buttons beside the lists ------------------------------------------------------------------------

void Tedycja_firmy_form::noweMiasto()
{
    const std::optional<int> id = host::callSibling<int()>(QStringLiteral("cities.dll"), "_NewRecord");
    ladujMiasta();
    if (id && *id > 0)
        ustawMiasto(*id, 0, QString());
    k->miasto->setFocus();
}

void Tedycja_firmy_form::edytujMiasto()
{
    const int idM = k->miasto->currentIndex() < 0 ? 0 : k->miasto->currentData().toInt();
    if (idM <= 0)
        return;
    host::callSibling<int(int)>(QStringLiteral("cities.dll"), "_EditRecord", idM);
    // The city may now carry another name or postal code.
    ladujMiasta();
    k->miasto->setFocus();
}

void Tedycja_firmy_form::nowySzablonZlecenia(int rodzaj)
{
    if (host::SprawdzUpr(QStringLiteral("delivery_terms.dll")) < 0) {
        host::InfoBox(this, QStringLiteral("Resstrings_IDS_Brak_Upr"), host::mb::IconWarning);
        return;
    }
    const std::optional<int> id =
        host::callSibling<int(int)>(QStringLiteral("delivery_terms.dll"), "_NewRecord", rodzaj);
    QComboBox *lista = rodzaj == partners::edycja_firmy::SzablonZlecenia ? k->szablonZlec : k->szablonPotw;
    ladujSzablonyZlecen();
    if (id && *id > 0)
        lista->setCurrentIndex(lista->findData(*id));
    lista->setFocus();
}

void Tedycja_firmy_form::edytujSzablonZlecenia(int rodzaj)
{
    QComboBox *lista = rodzaj == partners::edycja_firmy::SzablonZlecenia ? k->szablonZlec : k->szablonPotw;
    const int id = lista->currentIndex() < 0 ? 0 : lista->currentData().toInt();
    if (id <= 0)
        return;
    if (host::SprawdzUpr(QStringLiteral("delivery_terms.dll")) < 0) {
        host::InfoBox(this, QStringLiteral("Resstrings_IDS_Brak_Upr"), host::mb::IconWarning);
        return;
    }
    host::callSibling<int(int, int)>(QStringLiteral("delivery_terms.dll"), "_EditRecord", rodzaj, id);
    ladujSzablonyZlecen();
    lista->setFocus();
}

void Tedycja_firmy_form::dodajSzablonUwag()
{
    const int id = partners::szablony_uwag::Dodaj(this, qMax(1, upr));
    if (id <= 0)
        return;
    partners::szablony_uwag::Laduj(k->uwagiDod);
    k->uwagiDod->setCurrentIndex(k->uwagiDod->findData(id));
    ustawPrzyciskiUwag();
    EditChange();
}

void Tedycja_firmy_form::edytujSzablonUwag()
{
    const int id = k->uwagiDod->currentIndex() > 0 ? k->uwagiDod->currentData().toInt() : 0;
    if (id > 0)
        partners::szablony_uwag::Edytuj(this, id, qMax(1, upr));
}

void Tedycja_firmy_form::usunSzablonUwag()
{
    const int id = k->uwagiDod->currentIndex() > 0 ? k->uwagiDod->currentData().toInt() : 0;
    if (id <= 0)
        return;
    partners::szablony_uwag::Usun(id);
    partners::szablony_uwag::Laduj(k->uwagiDod);
    k->uwagiDod->setCurrentIndex(0);
    ustawPrzyciskiUwag();
}

void Tedycja_firmy_form::ustawPrzyciskiUwag()
{
    const bool wybrany = k->uwagiDod->currentIndex() > 0;
    k->edytujUwagi->setEnabled(wybrany);
    k->usunUwagi->setEnabled(wybrany);
}

void Tedycja_firmy_form::dodajDoSlownika(const QString &typSlownika, QComboBox *combo)
{
    const bool terminy = typSlownika == QLatin1String("dni_do_zaplaty");
    db::Query zapytanie(host::GetConnection(),
                        terminy ? QStringLiteral("select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1"
                                                 " where s1.typ_slownika=:typ_slownika and s1.id_jezyka=:id_jezyka"
                                                 " order by cast(s1.wartosc as int)")
                                : QStringLiteral("select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1"
                                                 " where s1.typ_slownika=:typ_slownika and s1.id_jezyka=:id_jezyka"
                                                 " and s1.nazwa_parametru='nazwa' order by s1.wartosc"));
    zapytanie.parameters().setValue(QStringLiteral("typ_slownika"), typSlownika);
    zapytanie.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    const QString poprzedni = combo->currentText();
    const int wybrany = host::OpenRamkaSlownik(this, 0, &zapytanie);
    // The lists are rebuilt our way (empty first entry, terms keyed by their days).
    QString tekst = poprzedni;
    if (wybrany > 0)
        tekst = host::GetStringDB(
            QStringLiteral("select wartosc from VListaPozSlownika where id = :id and id_jezyka = :id_jezyka"),
            QString(), nullptr, {{QStringLiteral("id"), wybrany}, {QStringLiteral("id_jezyka"), host::GetLanguage()}});
    Wypelnij_Listy();
    combo->setCurrentIndex(combo->findText(tekst));
    combo->setFocus();
}

void Tedycja_firmy_form::dodajRodzaj()
{
    db::Query zapytanie(host::GetConnection(),
                        QStringLiteral("select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1"
                                       " where s1.typ_slownika=:typ_slownika and s1.id_jezyka=:id_jezyka"
                                       " and s1.nazwa_parametru='nazwa' order by s1.wartosc"));
    zapytanie.parameters().setValue(QStringLiteral("typ_slownika"), QStringLiteral("firma_rodzaj"));
    zapytanie.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    host::OpenRamkaSlownik(this, 0, &zapytanie);
    {
        Wypelnianie w(m_wypelnianie);
        ladujRodzaje();
    }
    k->rodzaje->setFocus();
}

// ---- orders --------------------------------------------------------------------------------------------

void Tedycja_firmy_form::ustawPrzyciskZlecenia()
{
    k->dodajZlec->setEnabled(!ZZlecenia && id_rekordu > 0 && tryb == Edycja && !host::isEdited(FormaZlecenia));
}

void Tedycja_firmy_form::dodajZlecenieProste()
{
    if (host::SprawdzUpr(QStringLiteral("orders.dll")) < 0) {
        host::InfoBox(this, QStringLiteral("Resstrings_IDS_Brak_Upr"), host::mb::IconWarning,
                      QStringLiteral("Malvo - ERROR"));
        return;
    }
    if (id_rekordu <= 0 || host::isEdited(FormaZlecenia))
        return;
    host::callSibling<int(int)>(QStringLiteral("data\\Forwarding\\orders.dll"), "_Grafik_NewRecord", id_rekordu);
    // An order may have changed what the company shows; unsaved typing is kept.
    if (!CzyZmieniony())
        wczytajOkno();
    ustawPrzyciskZlecenia();
}
