#include "ramka/terminarz/ramka_terminarz_fr.h"

#include "ramka/edycja/szablon_edycja_form.h"
#include "ramka/modul.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "prompter.h"
#include "siblings.h"
#include "terminarz_api.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

using partners::tlumacz;

namespace {

QToolButton *przycisk(QWidget *rodzic, const char *nazwa, const char *klucz)
{
    auto *b = new QToolButton(rodzic);
    b->setObjectName(QLatin1String(nazwa));
    b->setAutoRaise(true);
    b->setText(tlumacz(klucz));
    b->setToolTip(tlumacz(klucz));
    return b;
}

// Switching a button to plain releases it; staying two-state keeps its state.
void dwustanowy(QToolButton *b, bool on)
{
    if (!on)
        b->setChecked(false);
    b->setCheckable(on);
}

} // namespace

Tramka_terminarz_frame::Tramka_terminarz_frame(QWidget *parent)
    : QWidget(parent),
      m_nazwa(new QLabel(tlumacz("Resstrings_IDS_Terminarz"), this)),
      m_dodaj(przycisk(this, "bDodaj", "Resstrings_IDS_Nowy")),
      m_edytuj(przycisk(this, "bEdytuj", "Resstrings_IDS_Edytuj")),
      m_usun(przycisk(this, "bUsun", "Resstrings_IDS_Szablon_usun"))
{
    setObjectName(QStringLiteral("Terminarz"));
    m_nazwa->setObjectName(QStringLiteral("lNazwa"));
    QFont pogrubiona = m_nazwa->font();
    pogrubiona.setBold(true);
    m_nazwa->setFont(pogrubiona);
    auto *uklad = new QHBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : {static_cast<QWidget *>(m_nazwa), static_cast<QWidget *>(m_dodaj),
                       static_cast<QWidget *>(m_edytuj), static_cast<QWidget *>(m_usun)})
        uklad->addWidget(w);
    uklad->addStretch();
    connect(m_dodaj, &QToolButton::clicked, this, [this] { host::guard([this] { bDodajClick(); }); });
    connect(m_edytuj, &QToolButton::clicked, this, [this] { host::guard([this] { bEdytujClick(); }); });
    connect(m_usun, &QToolButton::clicked, this, [this] { host::guard([this] { bUsunClick(); }); });
    OdswiezStan(0, 0, false);
}

void Tramka_terminarz_frame::UstawRekord(int kodTabeli, int idRekordu, bool mozeDodac)
{
    m_kodTabeli = kodTabeli;
    m_idRekordu = idRekordu;
    m_mozeDodac = mozeDodac;
    OdswiezStan(kodTabeli, idRekordu, mozeDodac);
}

void Tramka_terminarz_frame::OdswiezStan(int kodTabeli, int idRekordu, bool mozeDodac)
{
    const int poziom = host::SprawdzUpr(QLatin1String(terminarz::Biblioteka));
    if (idRekordu < 1) {
        m_idTerminu = 0;
        dwustanowy(m_dodaj,
                   mozeDodac && host::var::CzyAutomat.get() && !host::var::CzyAutomatTerminPrzyszly.get()
                       && poziom >= 1);
        m_dodaj->setEnabled(mozeDodac && poziom > 0);
        m_edytuj->setEnabled(false);
        dwustanowy(m_usun, false);
        m_usun->setEnabled(false);
        return;
    }
    m_idTerminu = host::ZwrocIdPowiazanegoTerminu(kodTabeli, idRekordu);
    const bool jest = m_idTerminu > 0;
    // A linked entry stays reachable after the condition is cleared: removing it is what the user then wants.
    setEnabled(mozeDodac || jest);
    dwustanowy(m_dodaj, false);
    m_dodaj->setEnabled(mozeDodac && !jest && poziom > 0);
    m_edytuj->setEnabled(jest && poziom >= 0);
    dwustanowy(m_usun, !mozeDodac && jest);
    m_usun->setEnabled(m_usun->isChecked() ? jest : jest && poziom > 0);
}

bool Tramka_terminarz_frame::DodajPrzyZapisie() const
{
    return m_dodaj->isCheckable() && m_dodaj->isChecked();
}

bool Tramka_terminarz_frame::UsunPrzyZapisie() const
{
    return m_usun->isCheckable() && m_usun->isChecked();
}

bool Tramka_terminarz_frame::ZapewnijZapis()
{
    Tszablon_edycja_form *edytor = nullptr;
    for (QWidget *w = parentWidget(); w && !edytor; w = w->parentWidget())
        edytor = qobject_cast<Tszablon_edycja_form *>(w);
    if (!edytor) {
        host::InfoBox(this, tlumacz("Resstrings_IDS_Terminarz_nie_lezy_na_szablonie"), host::mb::IconWarning);
        return false;
    }
    if (edytor->CzyZmieniony()) {
        if (host::InfoBox(this, tlumacz("Resstrings_IDS_WymaganyZapisDanych"), host::mb::YesNo | host::mb::IconQuestion)
            != host::mb::IdYes)
            return false;
        if (host::CzyCanFocus(edytor->zapisz()))
            edytor->zapisz()->setFocus();
        edytor->zapiszClick();
    }
    return !edytor->CzyZmieniony();
}

void Tramka_terminarz_frame::bDodajClick()
{
    if (DodajTermin)
        DodajTermin();
    else
        OdswiezStan(m_kodTabeli, m_idRekordu, m_mozeDodac);
}

void Tramka_terminarz_frame::bEdytujClick()
{
    if (host::ZwrocIdPowiazanegoTerminu(m_kodTabeli, m_idRekordu) <= 0)
        return;
    host::callSibling<terminarz::EditRecordProstyPowiazanyTerminFn>(
        QLatin1String(terminarz::Biblioteka), terminarz::EksportEdycji, static_cast<QObject *>(nullptr),
        static_cast<void *>(nullptr), m_idRekordu, m_kodTabeli, host::GetLanguage());
}

void Tramka_terminarz_frame::bUsunClick()
{
    // Two-state, the button only says what the owner's save will do.
    if (m_usun->isCheckable())
        return;
    if (host::InfoBox(this, tlumacz("Resstrings_IDS_czy_usun_pow_termin"), host::mb::YesNo | host::mb::IconQuestion)
        != host::mb::IdYes)
        return;
    if (host::ZwrocIdPowiazanegoTerminu(m_kodTabeli, m_idRekordu) > 0) {
        host::UsunPowiazanyTermin(m_kodTabeli, m_idRekordu);
        OdswiezStan(m_kodTabeli, m_idRekordu, m_mozeDodac);
    }
}
