#include "company/edycja_firmy_form.h"

#include "company/okresy/okresy_rozl_firmy_fr.h"
#include "company/podrekordy/adresy_firmy_fr.h"
#include "company/podrekordy/konta_firmy_fr.h"
#include "company/podrekordy/kontakty_firmy_fr.h"
#include "company/podrekordy/ramki_oddzialow_fr.h"
#include "company/strony/strona_dokumenty.h"
#include "company/strony/strona_domyslne_fv.h"
#include "company/strony/strona_ksieg_rozl.h"
#include "company/walidacja_firmy.h"
#include "company/zapis_firmy.h"
#include "ramka/modul.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "prompter.h"
#include "query.h"
#include "siblings.h"

#include <QEvent>
#include <QLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

using partners::tlumacz;

namespace {

// Form type of the order editor in the host's register of open editors.
constexpr int FormaZlecenia = 6;

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

} // namespace

Tedycja_firmy_form::Tedycja_firmy_form(QWidget *parent)
    : Tszablon_edycja_form(parent, QStringLiteral("edycja_firmy_form"))
{
    nazwa_dll = QStringLiteral("partners.dll");
    tabela_slownie = QStringLiteral("firma");
    naglowek_nowy = tlumacz("Resstrings_IDS_EdFirmy_Nowa_firma");
    m_prawaFv = host::SprawdzUpr(QStringLiteral("sales_invoices.dll")) >= 0;
    zbudujWidok();
}

Tedycja_firmy_form::~Tedycja_firmy_form()
{
    // The pages outlive this part of the object; nothing of theirs may reach it.
    for (partners::StronaFirmy *strona : std::as_const(m_stronyFirmy))
        strona->disconnect(this);
}

void Tedycja_firmy_form::zbudujWidok()
{
    auto *uklad = new QVBoxLayout(PanelWnetrza());
    uklad->setContentsMargins(4, 4, 4, 4);
    m_strony = new QTabWidget(PanelWnetrza());
    m_strony->setObjectName(QStringLiteral("PageControl"));
    uklad->addWidget(m_strony);

    const auto pusta = [this](const char *nazwa) {
        auto *s = new QWidget(m_strony);
        s->setObjectName(QLatin1String(nazwa));
        new QVBoxLayout(s);
        return s;
    };
    m_ogolne = new partners::StronaDaneOgolne(m_strony);
    m_daneDomyslne = pusta("tsDaneDomyslne");
    m_oddzialy = new partners::StronaRamek(m_strony, "tsOddzialy");
    m_kontakty = new partners::StronaRamek(m_strony, "tsKontakty");
    m_ksiegRozl = new partners::StronaKsiegRozl(m_strony);
    m_domyslneFv = new partners::StronaDomyslneFv(m_strony, m_prawaFv);
    m_dokumenty = new partners::StronaDokumenty(m_strony);
    m_kontakty->dodajRamke(new Ttelefony_firmy_frame(m_kontakty), tlumacz("Resstrings_IDS_Telefony"));
    m_kontakty->dodajRamke(new Tkontakty_firmy_frame(m_kontakty), tlumacz("Resstrings_IDS_Osoby_kontaktowe"));
    m_kontakty->dodajRamke(new Tadresy_firmy_frame(m_kontakty), tlumacz("Resstrings_IDS_Adresy"));
    m_ksiegRozl->dodajRamke(new Tkonta_firmy_frame(m_ksiegRozl), tlumacz("Resstrings_IDS_Konta_bankowe"));
    m_strony->addTab(m_ogolne, tlumacz("Resstrings_IDS_Firmy_Dane_Ogolne"));
    m_strony->addTab(m_daneDomyslne, tlumacz("Resstrings_IDS_Firmy_Dane_Domyslne"));
    m_strony->addTab(m_oddzialy, tlumacz("Resstrings_IDS_Oddzialy2"));
    m_strony->addTab(m_kontakty, tlumacz("Resstrings_IDS_Firmy_Kontakty"));
    m_strony->addTab(m_ksiegRozl, tlumacz("Resstrings_IDS_Firmy_Ksiegowosc_Rozliczenia"));
    m_strony->addTab(m_domyslneFv, tlumacz("Resstrings_IDS_Dodatkowe_dane_dom"));
    m_strony->addTab(m_dokumenty, tlumacz("Resstrings_IDS_EdFirmy_Dokumenty"));
    m_stronyFirmy = {m_ogolne, m_oddzialy, m_kontakty, m_ksiegRozl, m_domyslneFv, m_dokumenty};
    m_oddzialy->dodajRamke(new Tcentrala_firmy_frame(m_oddzialy), tlumacz("Resstrings_IDS_Centrala2"));
    m_oddzialy->dodajRamke(new Toddzialy_firmy_frame(m_oddzialy), tlumacz("Resstrings_IDS_Oddzialy_centrali"));
    m_ksiegRozl->dodajRamke(new Tokresy_rozl_firmy_frame(m_ksiegRozl), tlumacz("Resstrings_IDS_Okresy_rozliczeniowe"));

    m_dodajZlec = partners::strony::przycisk(NewToolBarFrontAdditional(), "dodaj_zlec",
                                             tlumacz("Resstrings_IDS_firmy__edycja_firmy_unit__dodaj_zlec"));
    NewToolBarFrontAdditional()->layout()->addWidget(m_dodajZlec);
    resize(1000, 680);

    for (partners::StronaFirmy *strona : std::as_const(m_stronyFirmy)) {
        for (QWidget *pole : strona->pola())
            podepnijPole(pole);
        for (QWidget *memo : strona->wieloliniowe())
            podepnijPole(memo, false); // Enter starts a new line
        connect(strona, &partners::StronaFirmy::zmieniono, this, &Tedycja_firmy_form::EditChange);
    }
    connect(m_ogolne, &partners::StronaDaneOgolne::siedzibaZmieniona, this, &Tedycja_firmy_form::ustawPodpisOddzialow);
    connect(m_ogolne, &partners::StronaDaneOgolne::firmaWlasnaZmieniona, this,
            [this] { host::guard([this] { zastosujBlokadeWlasnej(); }); });
    // The page stays while a save, a move through the list or a close runs
    // (a question of theirs may be up): a page loaded now would load half-saved data.
    for (QObject *strony : {static_cast<QObject *>(m_strony), static_cast<QObject *>(m_strony->tabBar())})
        partners::strony::filtrZdarzen(strony, [this](QEvent *e) { return wyborStrony(e) && !MoznaOpuscicStan(); });
    connect(m_strony, &QTabWidget::currentChanged, this,
            [this](int i) { host::guard([this, i] { zaladujZakladke(m_strony->widget(i)); }); });
    connect(m_dodajZlec, &QToolButton::clicked, this, [this] { host::guard([this] { dodajZlecenieProste(); }); });
}

// ---- the opener's settings --------------------------------------------------------------------

void Tedycja_firmy_form::UstawRekord(int idFirmy, int idJezyka)
{
    id_rekordu = idFirmy;
    m_idJezyka = idJezyka;
    if (idJezyka > 0)
        id_jezyka = idJezyka;
}

void Tedycja_firmy_form::UstawZakladkeStartowa(const QString &nazwaStrony)
{
    m_zakladkaStartowa = nazwaStrony;
}

void Tedycja_firmy_form::UstawGrupeNowej(int grupa)
{
    m_grupaNowej = grupa;
}

void Tedycja_firmy_form::UstawWartosciPoczatkowe(const partners::WartosciPoczatkoweFirmy &wartosci)
{
    m_poczatkowe = wartosci;
    m_sajPoczatkowe = true;
}

const partners::DaneFirmy &Tedycja_firmy_form::Dane()
{
    zbierzDane();
    return m_dane;
}

// ---- loading ----------------------------------------------------------------------------------------

void Tedycja_firmy_form::Wypelnij_Listy()
{
    // The first load has just filled them for the defaults.
    if (std::exchange(m_listyWczytane, false))
        return;
    if (m_idJezyka > 0)
        id_jezyka = m_idJezyka;
    for (partners::StronaFirmy *strona : std::as_const(m_stronyFirmy))
        strona->wczytajListy();
    m_listyGotowe = true;
}

void Tedycja_firmy_form::Wyczysc_Pola()
{
    if (!m_listyGotowe) {
        Wypelnij_Listy(); // the defaults of a new company need the lists
        m_listyWczytane = true;
    }
    const int id = id_rekordu;
    m_dane = partners::nowaFirma();
    if (tryb == Edycja)
        m_dane.idFirmy = id;
    if (tryb == Nowy && m_grupaNowej > 0)
        m_dane.rodzaje = {m_grupaNowej};
    m_zaladowane.clear();
    pokazDane();
    if (tryb == Nowy && m_sajPoczatkowe)
        m_ogolne->wstawWartosciPoczatkowe(m_poczatkowe);
}

void Tedycja_firmy_form::Wypelnij_Pola()
{
    Tszablon_edycja_form::Wypelnij_Pola();
    m_zaladowane.clear();
    const int id = id_rekordu;
    if (!partners::wczytajFirme(m_dane, id, m_prawaFv, nullptr, id_jezyka))
        m_dane.idFirmy = id; // a deleted record: the save reports it
    pokazDane();
    naglowek = m_dane.nazwa;
}

void Tedycja_firmy_form::pokazDane()
{
    for (partners::StronaFirmy *strona : std::as_const(m_stronyFirmy))
        strona->wczytaj(m_dane);
}

void Tedycja_firmy_form::zbierzDane()
{
    for (partners::StronaFirmy *strona : std::as_const(m_stronyFirmy))
        strona->zbierz(m_dane);
}

// ---- frames, tabs and the lock ---------------------------------------------------------------------

void Tedycja_firmy_form::Wypelnij_Ramki()
{
    ustawWidocznoscZakladek();
    ustawPodpisOddzialow();
    zastosujBlokadeWlasnej();
    ustawPrzyciskZlecenia();
    if (tryb != Edycja) {
        m_strony->setCurrentWidget(m_ogolne);
        m_ogolne->skupNaNazwie();
    } else {
        QWidget *startowa = m_zakladkaStartowa.isEmpty() ? nullptr : m_strony->findChild<QWidget *>(m_zakladkaStartowa);
        const int indeks = startowa ? m_strony->indexOf(startowa) : -1;
        m_strony->setCurrentIndex(indeks >= 0 && m_strony->isTabVisible(indeks) ? indeks : 0);
    }
    zaladujZakladke(m_strony->currentWidget());
}

void Tedycja_firmy_form::poWczytaniu()
{
    naglowek = id_rekordu > 0 ? m_ogolne->nazwa() : QString();
}

void Tedycja_firmy_form::ustawWidocznoscZakladek()
{
    const bool istniejaca = id_rekordu > 0 && tryb == Edycja;
    const bool pelna = istniejaca && !host::CzyWersjaOgraniczona();
    const auto widoczna = [this](QWidget *strona, bool on) { m_strony->setTabVisible(m_strony->indexOf(strona), on); };
    widoczna(m_daneDomyslne, false);
    widoczna(m_oddzialy, pelna);
    widoczna(m_kontakty, istniejaca);
    widoczna(m_ksiegRozl, pelna);
    widoczna(m_domyslneFv, pelna && m_prawaFv);
    widoczna(m_dokumenty, pelna);
}

void Tedycja_firmy_form::ustawPodpisOddzialow()
{
    m_strony->setTabText(m_strony->indexOf(m_oddzialy),
                         tlumacz(m_ogolne->oddzial() ? "Resstrings_IDS_Centrala2" : "Resstrings_IDS_Oddzialy2"));
}

void Tedycja_firmy_form::zaladujZakladke(QWidget *strona)
{
    // A page is loaded once per record; a new company has nothing to load yet.
    if (!strona || id_rekordu <= 0 || m_zaladowane.contains(strona->objectName()))
        return;
    m_zaladowane.insert(strona->objectName());
    if (auto *stronaFirmy = qobject_cast<partners::StronaFirmy *>(strona))
        stronaFirmy->zaladuj(id_rekordu);
}

void Tedycja_firmy_form::zastosujBlokadeWlasnej()
{
    const bool blokada =
        m_ogolne->firmaWlasna() && id_rekordu > 0 && tryb == Edycja && !host::var::UprawnieniaZapisFirmyWlasne.get();
    if (blokada && upr >= 1) {
        m_uprOdlozone = upr;
        upr = 0;
        oznaczBezZmian();
        odswiezTytul();
    } else if (!blokada && m_uprOdlozone >= 1) {
        upr = m_uprOdlozone;
        m_uprOdlozone = -1;
    }
    for (partners::StronaFirmy *strona : std::as_const(m_stronyFirmy))
        strona->ustawUprawnienia(upr);
}

// ---- validation and saving ---------------------------------------------------------------------------

bool Tedycja_firmy_form::sprawdzPoprawnosc()
{
    zbierzDane();
    partners::TWalidacjaFirmy walidacja(m_dane, this);
    walidacja.ustawPodpowiedzi(m_ogolne->podpowiedzi());
    const partners::WynikWalidacji wynik = walidacja.sprawdz();
    m_ogolne->ustawSkrot(m_dane.skrot); // the acronym confirmed from CDN XL
    if (!wynik.poprawna)
        skupNaPolu(wynik.pole, wynik.zakladka);
    return wynik.poprawna;
}

void Tedycja_firmy_form::skupNaPolu(partners::PoleFirmy pole, const QString &zakladka)
{
    QWidget *kontrolka = nullptr;
    for (const partners::StronaFirmy *strona : std::as_const(m_stronyFirmy))
        if ((kontrolka = strona->kontrolka(pole)))
            break;
    if (!zakladka.isEmpty())
        if (QWidget *strona = m_strony->findChild<QWidget *>(zakladka))
            m_strony->setCurrentWidget(strona);
    if (kontrolka && kontrolka->isEnabled())
        kontrolka->setFocus();
}

bool Tedycja_firmy_form::ZapiszZmiany(int mode)
{
    zbierzDane();
    if (mode == partners::TrybNowaFirma)
        m_dane.idFirmy = 0;
    partners::TZapisFirmy zapis(m_dane, this);
    zapis.prawaFakturySprzedazy = m_prawaFv;
    if (!zapis.zapisz(mode))
        return false;
    id_rekordu = m_dane.idFirmy;
    if (mode == partners::TrybNowaFirma) {
        tryb = Edycja;
        m_sajPoczatkowe = false;
    }
    naglowek = m_dane.nazwa.trimmed();
    for (partners::StronaFirmy *strona : std::as_const(m_stronyFirmy))
        strona->poZapisie(m_dane);
    // A company that became a head office or a branch has another head office and other branches.
    m_zaladowane.remove(m_oddzialy->objectName());
    zaladujZakladke(m_strony->currentWidget());
    ustawWidocznoscZakladek();
    ustawPrzyciskZlecenia();
    oznaczBezZmian();
    odswiezTytul();
    return true;
}

// ---- caption and moving through the list -------------------------------------------------------------

void Tedycja_firmy_form::odswiezTytul()
{
    Tszablon_edycja_form::odswiezTytul();
    if (Kontener() || id_rekordu < 1 || tryb == Kopia)
        return;
    const QString nazwa = m_ogolne->nazwa();
    if (!nazwa.isEmpty())
        setWindowTitle(CzyZmieniony() ? QLatin1Char('*') + nazwa : nazwa);
}

void Tedycja_firmy_form::odswiezNawigacje()
{
    // Opened from a list, the editor walks through its companies (Page Up / Page Down).
    poprzButton()->setVisible(lista != nullptr);
    nastButton()->setVisible(lista != nullptr);
    Tszablon_edycja_form::odswiezNawigacje();
}

void Tedycja_firmy_form::nastepnyRekord()
{
    Tszablon_edycja_form::nastepnyRekord();
    odswiezTytul();
}

void Tedycja_firmy_form::poprzedniRekord()
{
    Tszablon_edycja_form::poprzedniRekord();
    odswiezTytul();
}

// ---- orders --------------------------------------------------------------------------------------------

void Tedycja_firmy_form::ustawPrzyciskZlecenia()
{
    m_dodajZlec->setEnabled(!ZZlecenia && id_rekordu > 0 && tryb == Edycja && !host::isEdited(FormaZlecenia));
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
