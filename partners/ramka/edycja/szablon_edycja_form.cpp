#include "ramka/edycja/szablon_edycja_form.h"

#include "ramka/modul.h"

#include "ramka/pliki/powiaz_pliki_form.h"
#include "ramka/pustak_child_form.h"
#include "ramka/ramka_lista_fr.h"
#include "ramka/sesja_edytorow.h"

#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "host_syscore.h"
#include "host_variables.h"
#include "prompter.h"
#include "stored_proc.h"
#include "window_messages.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMetaProperty>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using partners::tlumacz;

namespace {

const QString PoleId = QStringLiteral("id");

// Linked-files button images: the record has linked files / has none.
constexpr int ObrazekSaPliki = 4;
constexpr int ObrazekBrakPlikow = 3;

QToolButton *przycisk(QWidget *pasek, const char *name, const char *caption, const char *hint)
{
    auto *b = new QToolButton(pasek);
    b->setObjectName(QLatin1String(name));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::TabFocus);
    if (caption)
        b->setText(QLatin1String(caption));
    b->setToolTip(QLatin1String(hint));
    pasek->layout()->addWidget(b);
    return b;
}

// The suite's hints are "short | long": the short part is the tool tip, the long one the status tip.
void podzielPodpowiedz(QToolButton *b)
{
    const QString hint = b->toolTip();
    const int kreska = hint.indexOf(QLatin1Char('|'));
    if (kreska < 0)
        return;
    b->setToolTip(hint.left(kreska).trimmed());
    b->setStatusTip(hint.mid(kreska + 1).trimmed());
}

// The restricted version tells itself apart by tool bars shaded top to bottom.
void nadajGradient(QWidget *pasek)
{
    QPalette paleta = pasek->palette();
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, paleta.color(QPalette::Light));
    gradient.setColorAt(1, paleta.color(QPalette::Mid));
    paleta.setBrush(QPalette::Window, gradient);
    pasek->setPalette(paleta);
    pasek->setAutoFillBackground(true);
}

QTabWidget *zakladkiKontenera(QWidget *kontener)
{
    return qobject_cast<QTabWidget *>(kontener);
}

} // namespace

// A save or navigation action: a second one while the first runs does nothing.
template <typename F>
void Tszablon_edycja_form::gdyWolny(F &&work, const std::source_location &where)
{
    if (zajety)
        return;
    const QScopedValueRollback zajetyTeraz(zajety, true);
    host::guard(std::forward<F>(work), where);
}

// ---- construction -----------------------------------------------------------------------

Tszablon_edycja_form::Tszablon_edycja_form(QWidget *parent, const QString &name)
    : QDialog(parent)
{
    setObjectName(name);
    zbudujWidok();
    host::guard([this] { host::InitializeLanguage(partners::PlikModulu, this); });
    for (QToolButton *b : {m_zapiszZamknij, m_zapisz, m_zapiszNast, m_poprz, m_nast})
        podzielPodpowiedz(b);
    m_powiazPliki->setText(tlumacz("Resstrings_IDS_powiaz_pliki"));
    m_powiazPliki->setVisible(!tabela_slownie.isEmpty());
    if (host::CzyWersjaOgraniczona())
        for (QWidget *pasek : {m_toolBarFront, m_toolBarDodatkowy})
            nadajGradient(pasek);
    oznaczBezZmian();
    odswiezNawigacje();
    zbudujKlawisze();
}

Tszablon_edycja_form::~Tszablon_edycja_form()
{
    // The controls die after this object's members: they must not call back into it.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject *dziecko : findChildren<QObject *>())
        QObject::disconnect(dziecko, nullptr, this, nullptr);
    // Virtual calls from here reach only this class: the pending list refresh is the base's own.
    if (do_odswiezenia && lista)
        host::guard([this] { Tszablon_edycja_form::OdswiezGlobListe(); });
}

void Tszablon_edycja_form::zbudujWidok()
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setSpacing(0);

    auto *paski = new QHBoxLayout;
    paski->setContentsMargins(4, 2, 4, 2);
    m_toolBarFront = new QWidget(this);
    m_toolBarFront->setObjectName(QStringLiteral("NewToolBarFront"));
    new QHBoxLayout(m_toolBarFront);
    m_toolBarFront->layout()->setContentsMargins(0, 0, 0, 0);
    m_zapiszZamknij = przycisk(m_toolBarFront, "zapisz_zamknij", "Resstrings_IDS_szablon_zapisz_zamknij",
                               "Resstrings_IDS_szablon_zapisz_zamknij_hint");
    m_zapisz =
        przycisk(m_toolBarFront, "zapisz", "Resstrings_IDS_szablon_zapisz", "Resstrings_IDS_szablon_zapisz_hint");
    m_zapiszNast = przycisk(m_toolBarFront, "zapisz_nast", "Resstrings_IDS_szablon_zapisz_nast",
                            "Resstrings_IDS_szablon_zapisz_nast_hint");

    m_toolBarDodatkowy = new QWidget(this);
    m_toolBarDodatkowy->setObjectName(QStringLiteral("NewToolBarFrontAdditional"));
    new QHBoxLayout(m_toolBarDodatkowy);
    m_toolBarDodatkowy->layout()->setContentsMargins(0, 0, 0, 0);
    m_poprz = przycisk(m_toolBarDodatkowy, "poprzButton", nullptr, "Resstrings_IDS_szablon_poprz_hint");
    m_poprz->setArrowType(Qt::LeftArrow);
    m_nast = przycisk(m_toolBarDodatkowy, "nastButton", nullptr, "Resstrings_IDS_szablon_nast_hint");
    m_nast->setArrowType(Qt::RightArrow);
    m_poprz->hide();
    m_nast->hide();
    m_powiazPliki = przycisk(m_toolBarDodatkowy, "bPowiazPliki", nullptr, "Resstrings_IDS_powiaz_pliki");
    m_powiazPliki->hide();

    paski->addWidget(m_toolBarFront);
    paski->addStretch(1);
    paski->addWidget(m_toolBarDodatkowy);
    uklad->addLayout(paski);

    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(QStringLiteral("szablonEdycjaScrollBox"));
    m_scrollBox->setWidgetResizable(true);
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    m_panelWnetrza = new QWidget;
    m_panelWnetrza->setObjectName(QStringLiteral("szablonEdycjaPanelInsideScrollBx"));
    m_scrollBox->setWidget(m_panelWnetrza);
    uklad->addWidget(m_scrollBox, 1);

    m_spZapisz = new db::StoredProc(this);
    m_spZapisz->setObjectName(QStringLiteral("spZapisz"));

    connect(m_zapiszZamknij, &QToolButton::clicked, this, &Tszablon_edycja_form::zapisz_zamknijClick);
    connect(m_zapisz, &QToolButton::clicked, this, &Tszablon_edycja_form::zapiszClick);
    connect(m_zapiszNast, &QToolButton::clicked, this, &Tszablon_edycja_form::zapisz_nastClick);
    connect(m_poprz, &QToolButton::clicked, this, &Tszablon_edycja_form::poprzButtonClick);
    connect(m_nast, &QToolButton::clicked, this, &Tszablon_edycja_form::nastButtonClick);
    connect(m_powiazPliki, &QToolButton::clicked, this, &Tszablon_edycja_form::bPowiazPlikiClick);
}

void Tszablon_edycja_form::uruchom()
{
    if (m_uruchomiony)
        return;
    m_uruchomiony = true;
    host::guard([this] { FormCreateFunk(); });
}

// ---- opening ------------------------------------------------------------------------------

int Tszablon_edycja_form::PokazDlaListy(db::DataSet *lista, int tryb, int upr)
{
    uruchom();
    this->lista = lista;
    this->tryb = tryb;
    this->upr = upr;
    if (Kontener()) {
        if (tryb == Edycja && lista && lista->isActive())
            id_rekordu = biezaceIdListy();
        pokazWKontenerze();
        return QDialog::Rejected;
    }
    if (!lista)
        return QDialog::Rejected;
    m_zapisano = false;
    return host::prompter().runModal(this);
}

int Tszablon_edycja_form::PokazRekord(int id, int tryb, int upr)
{
    uruchom();
    lista = nullptr;
    id_rekordu = tryb == Nowy ? 0 : id;
    this->tryb = tryb;
    this->upr = upr;
    if (Kontener()) {
        pokazWKontenerze();
        return QDialog::Rejected;
    }
    m_zapisano = false;
    return host::prompter().runModal(this);
}

QWidget *Tszablon_edycja_form::Kontener() const
{
    QWidget *rodzic = parentWidget();
    if (!rodzic)
        return nullptr;
    if (qobject_cast<QTabWidget *>(rodzic) || qobject_cast<Tpustak_child_form *>(rodzic))
        return rodzic;
    if (qobject_cast<QStackedWidget *>(rodzic) && qobject_cast<QTabWidget *>(rodzic->parentWidget()))
        return rodzic->parentWidget();
    return nullptr;
}

void Tszablon_edycja_form::pokazWKontenerze()
{
    QWidget *kontener = Kontener();
    // Docked, the dialog is a plain child without a border of its own.
    if (isWindow())
        setParent(parentWidget(), Qt::Widget);
    if (m_kontenerFiltrowany != kontener) {
        if (m_kontenerFiltrowany)
            m_kontenerFiltrowany->removeEventFilter(this);
        m_kontenerFiltrowany = kontener;
        kontener->installEventFilter(this);
    }
    zamykanie = false;
    host::guard([this] { wczytajOkno(); });
    show();
}

Tramka_lista_frame *Tszablon_edycja_form::ramka() const
{
    return lista ? qobject_cast<Tramka_lista_frame *>(lista->parent()) : nullptr;
}

int Tszablon_edycja_form::biezaceIdListy() const
{
    if (!lista || !lista->isActive() || lista->recNo() < 1 || !lista->hasField(PoleId))
        return 0;
    return lista->value(PoleId).toInt();
}

// ---- the virtual operations -------------------------------------------------------------

void Tszablon_edycja_form::Wypelnij_Pola()
{
    if (lista && lista->isActive() && lista->recNo() >= 1)
        id_rekordu = biezaceIdListy();
    if (tryb == Edycja)
        obslugaSesji(true);
}

void Tszablon_edycja_form::Wyczysc_Pola() {}
void Tszablon_edycja_form::Wypelnij_Listy() {}
void Tszablon_edycja_form::Wypelnij_Ramki() {}
void Tszablon_edycja_form::poWczytaniu() {}
bool Tszablon_edycja_form::sprawdzPoprawnosc()
{
    return true;
}
bool Tszablon_edycja_form::przedZapisem()
{
    return true;
}

bool Tszablon_edycja_form::ZapiszZmiany(int mode)
{
    if (!przedZapisem())
        return false;
    m_spZapisz->setValue(QStringLiteral("@id"), mode == 0 ? QVariant() : QVariant(id_rekordu));
    if (host::ExecProc(*m_spZapisz) < 1)
        return false;
    id_rekordu = m_spZapisz->value(QStringLiteral("@id")).toInt();
    const int kod = m_spZapisz->returnValue();
    if (kod != 0) {
        // Work a derived editor began before calling the procedure goes with the refusal.
        db::Connection *polaczenie = m_spZapisz->connection();
        while (polaczenie && polaczenie->transactionDepth() > 0)
            polaczenie->rollback();
        host::KomunikatZapisuBlad(kod, this);
        return false;
    }
    if (mode == 0) {
        tryb = Edycja;
        m_podpis = pokaz_id ? naglowek + QLatin1Char(' ') + QString::number(id_rekordu) : naglowek;
    }
    if (!odswiez_od_razu)
        do_odswiezenia = true;
    odswiezTytul();
    oznaczBezZmian();
    if (id_odswiezenia != 0)
        host::OdswiezFirmy_main(id_odswiezenia, 0);
    if (!slownik_do_odswiezenia.isEmpty())
        host::OdswiezFirmySlownik_main(slownik_do_odswiezenia);
    return true;
}

bool Tszablon_edycja_form::CzyZmieniony() const
{
    return m_zapisz->isEnabled();
}

void Tszablon_edycja_form::oznaczZmiany()
{
    // Without the right to change, the save buttons never come on.
    if (upr >= 1) {
        m_zapiszZamknij->setEnabled(true);
        m_zapisz->setEnabled(true);
        m_zapiszNast->setEnabled(!m_zapiszNast->isHidden());
    }
    odswiezTytul();
}

void Tszablon_edycja_form::oznaczBezZmian()
{
    for (QToolButton *b : {m_zapiszZamknij, m_zapisz, m_zapiszNast})
        b->setEnabled(false);
}

void Tszablon_edycja_form::odswiezNawigacje()
{
    const bool mozna = lista && lista->isActive() && tryb == Edycja && !wypelnianie;
    m_poprz->setEnabled(mozna && lista->recNo() >= 2);
    m_nast->setEnabled(mozna && lista->recNo() != lista->recordCount() && biezaceIdListy() >= 1);
}

void Tszablon_edycja_form::nastepnyRekord()
{
    przejdzNaWiersz(true);
}

void Tszablon_edycja_form::poprzedniRekord()
{
    przejdzNaWiersz(false);
}

void Tszablon_edycja_form::przejdzNaWiersz(bool naprzod)
{
    if (!lista || !moznaZamknac())
        return;
    if (naprzod)
        lista->next();
    else
        lista->prior();
    const int id = biezaceIdListy();
    if (Tramka_lista_frame *r = ramka())
        r->GoToId(id);
    tryb = Edycja;
    wczytajOkno();
    if (Tramka_lista_frame *r = ramka())
        ustawPodpis(r->ZwrocTekstOpis(id));
}

void Tszablon_edycja_form::wczytajOkno()
{
    // Filling the controls is not a change of the user's.
    const QScopedValueRollback ladowanie(m_ladowanie, true);
    Wyczysc_Pola();
    Wypelnij_Listy();
    if (tryb == Kopia) {
        Wypelnij_Pola();
        poWczytaniu();
        const int zrodlo = lista && lista->isActive() ? biezaceIdListy() : id_rekordu;
        id_rekordu = 0;
        id_zrodla = zrodlo;
        m_podpis = tlumacz("Resstrings_IDS_Nowy") + QStringLiteral(" - ")
            + tlumacz("Resstrings_IDS_miasto__ramka_lista_fr__pKopiowanie");
    } else {
        id_zrodla = 0;
    }
    m_powiazPliki->setVisible(!tabela_slownie.isEmpty());
    if (tryb == Edycja) {
        if (do_odswiezenia) {
            if (lista && lista->isActive())
                id_rekordu = biezaceIdListy();
            OdswiezGlobListe();
        }
        Wypelnij_Pola();
        poWczytaniu();
        odswiezPowiazanePliki();
        m_powiazPliki->setEnabled(true);
        m_podpis = pokaz_id ? naglowek + QLatin1Char(' ') + QString::number(id_rekordu) : naglowek;
    } else if (tryb == Nowy) {
        poWczytaniu();
        id_rekordu = 0;
        m_podpis = podpisNowego();
        m_powiazPliki->setEnabled(false);
    }
    Wypelnij_Ramki();
    odswiezNawigacje();
    oznaczBezZmian();
    if (tryb == Nowy || tryb == Kopia)
        oznaczZmiany();
    dopasujDoEkranu();
    odswiezTytul();
}

bool Tszablon_edycja_form::moznaZamknac()
{
    if (!CzyZmieniony())
        return true;
    raise();
    activateWindow();
    const int odp = host::InfoBox(this, QStringLiteral("Resstrings_IDS_Dane_nie_zapisane"),
                                  host::mb::YesNoCancel | host::mb::IconQuestion);
    bool mozna = false;
    if (odp == host::mb::IdYes) {
        zapiszRekord();
        mozna = !CzyZmieniony();
    } else if (odp == host::mb::IdNo) {
        oznaczBezZmian();
        tryb = Edycja;
        mozna = true;
    }
    if (!mozna)
        zamykanie = false;
    return mozna;
}

void Tszablon_edycja_form::zapiszRekord()
{
    if (upr < 1 || !sprawdzPoprawnosc())
        return;
    if (ZapiszZmiany(tryb == Edycja ? 1 : 0)) {
        m_zapisano = true;
        if (odswiez_od_razu)
            OdswiezGlobListe();
        else
            do_odswiezenia = true;
        if (!m_powiazPliki->isHidden()) {
            m_powiazPliki->setEnabled(id_rekordu > 0);
            odswiezPowiazanePliki();
        }
    }
    poWczytaniu();
    odswiezTytul();
}

void Tszablon_edycja_form::zapiszIZamknij()
{
    zapiszRekord();
    if (!CzyZmieniony())
        zamknijEdytor();
}

void Tszablon_edycja_form::zapiszINowy()
{
    zapiszRekord();
    if (CzyZmieniony() || !moznaZamknac())
        return;
    tryb = Nowy;
    wczytajOkno();
}

void Tszablon_edycja_form::nowyBezZapisu()
{
    if (CzyZmieniony() || !moznaZamknac())
        return;
    tryb = Nowy;
    wczytajOkno();
}

void Tszablon_edycja_form::zamknijEdytor()
{
    if (zamykanie)
        return;
    zamykanie = true;
    QWidget *kontener = Kontener();
    if (kontener)
        host::postMessage(kontener, host::msg::CloseMe, host::windowParam(this), 0);
    else
        close();
}

void Tszablon_edycja_form::FormCreateFunk()
{
    zamykanie = false;
    lista = nullptr;
    host::Podepnij_kwerendy(this);
    id_jezyka = host::GetLanguage();
    m_powiazPliki->setVisible(!tabela_slownie.isEmpty());
    // A derived editor names its procedure in its constructor; the declared parameters come with it.
    if (!m_spZapisz->procedureName().isEmpty() && m_spZapisz->parameters().count() == 0)
        m_spZapisz->refreshParameters();
}

void Tszablon_edycja_form::ustawListeNaRekordzie()
{
    if (!lista || !lista->isActive() || id_rekordu < 1 || biezaceIdListy() == id_rekordu)
        return;
    lista->locate(PoleId, id_rekordu);
}

void Tszablon_edycja_form::OdswiezGlobListe()
{
    if (!lista)
        return;
    if (druga_lista) {
        druga_lista->close();
        host::OpenQuery(*druga_lista);
    }
    if (wlasne_odswiezanie) {
        wlasne_odswiezanie();
    } else {
        lista->close();
        host::OpenQuery(*lista);
    }
    do_odswiezenia = false;
    ustawListeNaRekordzie();
}

void Tszablon_edycja_form::odswiezTytul()
{
    Tramka_lista_frame *r = ramka();
    if (r && id_rekordu > 0 && id_rekordu == biezaceIdListy())
        m_podpis = r->ZwrocTekstOpis(id_rekordu);
    else if (id_rekordu < 1 && tryb != Kopia)
        m_podpis = podpisNowego();
    ustawPodpis(m_podpis);
}

QString Tszablon_edycja_form::podpisNowego() const
{
    if (!naglowek_nowy.isEmpty())
        return naglowek_nowy;
    return naglowek.isEmpty() ? tlumacz("Resstrings_IDS_Nowy")
                              : naglowek + QStringLiteral(" - ") + tlumacz("Resstrings_IDS_Nowy");
}

void Tszablon_edycja_form::ustawPodpis(const QString &podpis)
{
    m_podpis = podpis.startsWith(QLatin1Char('*')) ? podpis.mid(1) : podpis;
    setWindowTitle(CzyZmieniony() ? QLatin1Char('*') + m_podpis : m_podpis);
    wyslijPodpisDoKontenera();
}

void Tszablon_edycja_form::wyslijPodpisDoKontenera()
{
    QWidget *kontener = Kontener();
    if (!kontener)
        return;
    if (QTabWidget *zakladki = zakladkiKontenera(kontener)) {
        const int indeks = zakladki->indexOf(this);
        if (indeks >= 0)
            zakladki->setTabText(indeks, windowTitle());
    }
    host::sendMessage(kontener, host::msg::CaptionChanged, host::windowParam(this), 0);
}

// ---- handlers -----------------------------------------------------------------------------

void Tszablon_edycja_form::zapiszClick()
{
    gdyWolny([this] { zapiszRekord(); });
}

void Tszablon_edycja_form::zapisz_zamknijClick()
{
    gdyWolny([this] { zapiszIZamknij(); });
}

void Tszablon_edycja_form::zapisz_nastClick()
{
    gdyWolny([this] { zapiszINowy(); });
}

void Tszablon_edycja_form::zamknijClick()
{
    host::guard([this] { zamknijEdytor(); });
}

void Tszablon_edycja_form::nastButtonClick()
{
    gdyWolny([this] { nastepnyRekord(); });
}

void Tszablon_edycja_form::poprzButtonClick()
{
    gdyWolny([this] { poprzedniRekord(); });
}

void Tszablon_edycja_form::bPowiazPlikiClick()
{
    host::guard([this] {
        if (tabela_slownie.isEmpty()) {
            m_powiazPliki->hide();
            return;
        }
        Tpowiaz_pliki_form::pokaz(this, tabela_slownie, id_rekordu, upr);
        odswiezPowiazanePliki();
    });
}

void Tszablon_edycja_form::EditChange()
{
    if (m_ladowanie)
        return;
    host::guard([this] {
        if (upr >= 1)
            oznaczZmiany();
        else
            oznaczBezZmian();
    });
}

void Tszablon_edycja_form::SzablonKeyDown(QWidget *pole)
{
    if (!pole)
        return;
    m_polaKlawiszy.insert(pole);
    pole->installEventFilter(this);
    connect(pole, &QObject::destroyed, this, [this](QObject *o) { m_polaKlawiszy.remove(o); });
}

void Tszablon_edycja_form::podepnijPole(QWidget *pole, bool enterZapisuje)
{
    if (!pole)
        return;
    // Whatever the control's type, its user property (text, checked, value, date...) is what the user edits.
    const QMetaProperty wartosc = pole->metaObject()->userProperty();
    if (wartosc.hasNotifySignal())
        connect(pole, wartosc.notifySignal(), this,
                staticMetaObject.method(staticMetaObject.indexOfMethod("EditChange()")));
    if (enterZapisuje)
        SzablonKeyDown(pole);
}

// ---- keys, messages, showing and closing -------------------------------------------------------

void Tszablon_edycja_form::zbudujKlawisze()
{
    for (Qt::Key klawisz : {Qt::Key_W, Qt::Key_S, Qt::Key_N, Qt::Key_PageDown, Qt::Key_PageUp}) {
        auto *akcja = new QAction(this);
        // With the letters Ctrl counts and Shift does not.
        if (klawisz >= Qt::Key_A && klawisz <= Qt::Key_Z)
            akcja->setShortcuts({Qt::CTRL | klawisz, Qt::CTRL | Qt::SHIFT | klawisz});
        else
            akcja->setShortcut(klawisz);
        akcja->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(akcja, &QAction::triggered, this, [this, klawisz] { FormKeyDown(klawisz); });
        addAction(akcja);
        m_klawisze.insert(klawisz, akcja);
    }
    // The save and navigation buttons say when their keys act, whoever shows, hides or enables them.
    for (QToolButton *b : {m_zapiszZamknij, m_zapisz, m_zapiszNast, m_poprz, m_nast})
        b->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &Tszablon_edycja_form::odswiezKlawisze);
    odswiezKlawisze();
}

void Tszablon_edycja_form::odswiezKlawisze()
{
    // Qt counts a popup (an open combo list or calendar) as the editor's child, but its keys are its own.
    const QWidget *fokus = QApplication::focusWidget();
    const bool wOknie = !fokus || fokus->window() == window();
    const auto widoczny = [wOknie](const QToolButton *b) { return wOknie && !b->isHidden(); };
    const bool brudny = wOknie && CzyZmieniony();
    m_klawisze[Qt::Key_W]->setEnabled(brudny);
    m_klawisze[Qt::Key_S]->setEnabled(brudny && widoczny(m_zapisz));
    // One action for both meanings of Ctrl+N: two with the same key would silence each other.
    m_klawisze[Qt::Key_N]->setEnabled((brudny && widoczny(m_zapiszNast)) || widoczny(m_nast));
    m_klawisze[Qt::Key_PageDown]->setEnabled(widoczny(m_nast) && m_nast->isEnabled());
    m_klawisze[Qt::Key_PageUp]->setEnabled(widoczny(m_poprz) && m_poprz->isEnabled());
}

void Tszablon_edycja_form::FormKeyDown(Qt::Key klawisz)
{
    host::guard([&] {
        switch (klawisz) {
        case Qt::Key_Escape:
            // With esc_nie_zamyka the key is still taken: the dialog must not reject on its own.
            if (!esc_nie_zamyka)
                zamknijEdytor();
            break;
        case Qt::Key_W:
            zapiszKlawiszem(m_zapiszZamknij, &Tszablon_edycja_form::zapisz_zamknijClick);
            break;
        case Qt::Key_S:
            zapiszKlawiszem(m_zapisz, &Tszablon_edycja_form::zapiszClick);
            break;
        case Qt::Key_N:
            if (CzyZmieniony() && !m_zapiszNast->isHidden())
                zapiszKlawiszem(m_zapiszNast, &Tszablon_edycja_form::zapisz_nastClick);
            else
                gdyWolny([this] { nowyBezZapisu(); });
            break;
        case Qt::Key_PageDown:
            nastButtonClick();
            break;
        case Qt::Key_PageUp:
            poprzButtonClick();
            break;
        default:
            break;
        }
    });
}

void Tszablon_edycja_form::keyPressEvent(QKeyEvent *event)
{
    // Esc is not an action: an open combo list closes itself on it and lets a shortcut fire as well.
    if (event->matches(QKeySequence::Cancel))
        FormKeyDown(Qt::Key_Escape);
    else
        QDialog::keyPressEvent(event);
}

void Tszablon_edycja_form::zapiszKlawiszem(QToolButton *przycisk, void (Tszablon_edycja_form::*klik)())
{
    if (dataWTrakcieWpisywania())
        return;
    // Leaving the field commits what it holds, as a click on the button would.
    przycisk->setFocus();
    (this->*klik)();
}

bool Tszablon_edycja_form::enterWPolu(QObject *pole, QEvent *event)
{
    const auto *klawisz = static_cast<QKeyEvent *>(event);
    const bool bezModyfikatorow = (klawisz->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!m_polaKlawiszy.contains(pole) || upr < 1 || !bezModyfikatorow
        || (klawisz->key() != Qt::Key_Return && klawisz->key() != Qt::Key_Enter))
        return false;
    // Claimed ahead of any shortcut of a window the editor is docked in.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        host::guard([this] {
            if (!dataWTrakcieWpisywania())
                zapiszClick();
        });
    return true;
}

bool Tszablon_edycja_form::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        return enterWPolu(watched, event);
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::EnabledChange:
        odswiezKlawisze();
        return false;
    default:
        break;
    }
    if (watched == m_kontenerFiltrowany && event->type() == host::msg::CloseMe
        && static_cast<host::HostMessageEvent *>(event)->wParam() == host::windowParam(this)) {
        // The container's own handlers still see the message after this.
        if (auto *pustak = qobject_cast<Tpustak_child_form *>(watched))
            pustak->close();
        else
            close();
        return false;
    }
    return QDialog::eventFilter(watched, event);
}

bool Tszablon_edycja_form::dataWTrakcieWpisywania()
{
    // A date edit still being typed into (or with its calendar open) finishes first.
    for (QDateTimeEdit *data : findChildren<QDateTimeEdit *>()) {
        const bool kalendarz = data->calendarPopup() && data->calendarWidget() && data->calendarWidget()->isVisible();
        if (kalendarz || (data->hasFocus() && !data->hasAcceptableInput())) {
            data->interpretText();
            return true;
        }
    }
    return false;
}

bool Tszablon_edycja_form::event(QEvent *event)
{
    if (event->type() == host::msg::EmbeddedReleased) {
        // The container let go of the editor: it ends with it.
        deleteLater();
        return true;
    }
    return QDialog::event(event);
}

void Tszablon_edycja_form::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    uruchom();
    m_powiazPliki->setVisible(!tabela_slownie.isEmpty());
    if (Kontener())
        return;
    zamykanie = false;
    host::guard([this] { wczytajOkno(); });
}

void Tszablon_edycja_form::reject()
{
    // Every way of leaving goes through the close question.
    zamknijEdytor();
}

void Tszablon_edycja_form::closeEvent(QCloseEvent *event)
{
    bool mozna = false;
    host::guard([&] { mozna = moznaZamknac(); });
    if (!mozna) {
        zamykanie = false;
        event->ignore();
        return;
    }
    host::guard([this] { FormClose(); });
    event->accept();
    const bool zakladka = zakladkiKontenera(Kontener()) != nullptr;
    QDialog::done(m_zapisano ? QDialog::Accepted : QDialog::Rejected);
    if (zakladka)
        deleteLater();
}

void Tszablon_edycja_form::FormClose()
{
    if (do_odswiezenia)
        OdswiezGlobListe();
    if (QTabWidget *zakladki = zakladkiKontenera(Kontener())) {
        const int indeks = zakladki->indexOf(this);
        if (indeks >= 0)
            zakladki->removeTab(indeks);
    }
    obslugaSesji(false);
}

// ---- session rows, linked files, screen ------------------------------------------------------

void Tszablon_edycja_form::obslugaSesji(bool otwarcie)
{
    if (id_rekordu < 1)
        return;
    const ramka::SesjaEdytorow sesja(nazwa_dll);
    if (otwarcie)
        sesja.otwarto(id_rekordu);
    else
        sesja.zamknieto(id_rekordu);
}

void Tszablon_edycja_form::odswiezPowiazanePliki()
{
    db::Connection *polaczenie = host::GetConnection();
    if (tabela_slownie.isEmpty() || !polaczenie)
        return;
    QVariantMap wartosci{{QStringLiteral("id"), id_rekordu}};
    QString warunek;
    if (tabela_slownie.compare(QLatin1String("samochod"), Qt::CaseInsensitive) == 0) {
        warunek = QStringLiteral("(tabela=8 or tabela=0)");
    } else {
        warunek = QStringLiteral("tabela = :tabela");
        wartosci.insert(QStringLiteral("tabela"),
                        host::GetIntDB(QStringLiteral("select tabela from definicja_tabela where tabela_slownie = :t"),
                                       QStringLiteral("tabela"), nullptr, {{QStringLiteral("t"), tabela_slownie}}));
    }
    const QString sql = polaczenie->dialect().limit(
        QStringLiteral("select * from VListaDokPlik where ") + warunek + QStringLiteral(" and id_ = :id"), 1);
    m_obrazekPlikow = host::CzyIstniejeRekordDB(sql, nullptr, wartosci) ? ObrazekSaPliki : ObrazekBrakPlikow;
    m_powiazPliki->setProperty("imageIndex", m_obrazekPlikow);
    QFont czcionka = m_powiazPliki->font();
    czcionka.setBold(m_obrazekPlikow == ObrazekSaPliki);
    m_powiazPliki->setFont(czcionka);
}

void Tszablon_edycja_form::dopasujDoEkranu()
{
    if (!isWindow() || qobject_cast<Tpustak_child_form *>(parentWidget()))
        return;
    QScreen *ekran = screen();
    if (ekran && ekran->availableGeometry().height() < height() + 20)
        setGeometry(ekran->availableGeometry());
}
