#include "lists/lista_firm_sp_modal_form.h"

#include "lists/lista_firm_fr.h"

#include "handler_guard.h"
#include "host_funcs.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Value of ImportZlecWTrakcie while an order import runs.
constexpr int ImportWTrakcie = 1;
// Value that tells the import to stop asking and confirm what it has.
constexpr int ImportZatwierdz = 2;

QLabel *etykieta(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QPushButton *przycisk(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Enter in the phrase box must not add a company or end the import.
    b->setAutoDefault(false);
    return b;
}

} // namespace

Tlista_firm_sp_modal_form::Tlista_firm_sp_modal_form(QWidget *parent)
    : Tlista_firm_modal_form(parent, QStringLiteral("lista_firm_sp_modal_form"))
{
    m_pInfo = new QFrame(this);
    m_pInfo->setObjectName(QStringLiteral("pInfo"));
    m_pInfo->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto *info = new QVBoxLayout(m_pInfo);
    auto *zdanie = new QHBoxLayout;
    zdanie->setSpacing(0);
    m_nazwa = etykieta(m_pInfo, "l2InfoFirma", QString());
    m_powiazanie = etykieta(m_pInfo, "l4InfoFirma", QString());
    QFont wyroznienie = m_nazwa->font();
    wyroznienie.setBold(true);
    m_nazwa->setFont(wyroznienie);
    m_powiazanie->setFont(wyroznienie);
    QLabel *przedPowiazaniem = etykieta(m_pInfo, "l3InfoFirma", QStringLiteral(" o identyfikatorze powiązania "));
    m_czesciPowiazania = {przedPowiazaniem, m_powiazanie};
    for (QLabel *l :
         {etykieta(m_pInfo, "l1InfoFirma", QStringLiteral("Firma ")), m_nazwa, przedPowiazaniem, m_powiazanie,
          etykieta(m_pInfo, "l5InfoFirma", QStringLiteral(" nie została znaleziona w bazie danych."))}) {
        l->setTextFormat(Qt::PlainText);
        zdanie->addWidget(l);
    }
    zdanie->addStretch();
    info->addLayout(zdanie);
    info->addWidget(etykieta(m_pInfo, "lInfo",
                             QStringLiteral("Wskaż odpowiadającą jej firmę w programie Malvo lub dodaj jako nową.")));
    uklad()->insertWidget(0, m_pInfo);

    auto *przyciski = new QHBoxLayout;
    przyciski->setContentsMargins(6, 4, 6, 6);
    m_dodaj = przycisk(this, "bDodajNowaFirme", QStringLiteral("Dodaj nową firmę"));
    m_dlaWszystkich = przycisk(this, "Button1", QString());
    m_zatwierdzImport = przycisk(this, "Button2", QString());
    for (QPushButton *b : {m_dodaj, m_dlaWszystkich, m_zatwierdzImport})
        przyciski->addWidget(b);
    przyciski->addStretch();
    uklad()->addLayout(przyciski);

    m_importTrwa = host::var::ImportZlecWTrakcie.get() == ImportWTrakcie;
    if (m_importTrwa) {
        m_dlaWszystkich->setText(host::LoadResstrings(QStringLiteral("Resstrings_IDS_dodaj_dla_wszystkich")));
        m_zatwierdzImport->setText(
            host::LoadResstrings(QStringLiteral("Resstrings_IDS_import_kartap__zatwierdz_import_poz_unit__Button3")));
    }
    connect(m_dodaj, &QPushButton::clicked, this, &Tlista_firm_sp_modal_form::bDodajNowaFirmeClick);
    connect(m_dlaWszystkich, &QPushButton::clicked, this, &Tlista_firm_sp_modal_form::Button1Click);
    connect(m_zatwierdzImport, &QPushButton::clicked, this, &Tlista_firm_sp_modal_form::Button2Click);
    pokazPrzyciski();
}

void Tlista_firm_sp_modal_form::UstawInformacje(const QStringList &info, bool zPowiazaniem)
{
    m_info = info;
    m_pInfo->setFrameShape(QFrame::NoFrame);
    m_nazwa->setText(info.value(1));
    m_powiazanie->setText(info.value(0));
    for (QLabel *l : m_czesciPowiazania)
        l->setVisible(zPowiazaniem);
}

void Tlista_firm_sp_modal_form::UstawDodawanieFirmy(DodawanieFirmy dodawanie)
{
    m_dodawanie = std::move(dodawanie);
    pokazPrzyciski();
}

void Tlista_firm_sp_modal_form::pokazPrzyciski()
{
    const bool moznaDodac = bool(m_dodawanie);
    m_dodaj->setEnabled(moznaDodac);
    m_dodaj->setVisible(moznaDodac);
    m_dlaWszystkich->setEnabled(moznaDodac && m_importTrwa);
    m_dlaWszystkich->setVisible(moznaDodac && m_importTrwa);
    m_zatwierdzImport->setVisible(m_importTrwa);
}

void Tlista_firm_sp_modal_form::bDodajNowaFirmeClick()
{
    host::guard([this] {
        if (!m_dodawanie)
            return;
        const int id = m_dodawanie(m_info);
        if (id <= 0)
            return;
        frame_list()->odswiezClick();
        frame_list()->GoToId(id);
        WybierzId(id);
    });
}

void Tlista_firm_sp_modal_form::Button1Click()
{
    host::var::ImportZlecDodajAllFirma.set(1);
    bDodajNowaFirmeClick();
}

void Tlista_firm_sp_modal_form::Button2Click()
{
    host::var::ImportZlecWTrakcie.set(ImportZatwierdz);
    reject();
}
