#include "company/edycja_fv_opis_dodatkowy_form.h"

#include "ramka/modul.h"

#include "host_funcs.h"
#include "prompter.h"
#include "query.h"
#include "stored_proc.h"
#include "text_fields.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using partners::tlumacz;

namespace {} // namespace

Tedycja_fv_opis_dodatkowy_form::Tedycja_fv_opis_dodatkowy_form(QWidget *parent)
    : Tszablon_edycja_form(parent, QStringLiteral("edycja_fv_opis_dodatkowy_form"))
{
    const QString tytul = tlumacz("Resstrings_IDS_Domyslne_uwagi_dod");
    naglowek = tytul + QStringLiteral(" - ") + tlumacz("Resstrings_IDS_Edycja_rekordu");
    naglowek_nowy = tytul + QStringLiteral(" - ") + tlumacz("Resstrings_IDS_Nowy_rekord");

    auto *uklad = new QVBoxLayout(PanelWnetrza());
    m_grupa = new QGroupBox(tlumacz("Resstrings_IDS_Dodatkowy_opis"), PanelWnetrza());
    m_grupa->setObjectName(QStringLiteral("gbDodatkowyOpis"));
    auto *pola = new QFormLayout(m_grupa);
    m_nazwa = new QLineEdit(m_grupa);
    m_nazwa->setObjectName(QStringLiteral("e_nazwa"));
    ui::limitLength(m_nazwa, MaxNazwa);
    m_trescPole = new QPlainTextEdit(m_grupa);
    m_trescPole->setObjectName(QStringLiteral("m_tresc"));
    m_trescPole->setTabChangesFocus(true);
    m_etykietaNazwy = new QLabel(tlumacz("Resstrings_IDS_Nazwa"), m_grupa);
    m_etykietaNazwy->setBuddy(m_nazwa);
    m_etykietaTresci = new QLabel(tlumacz("Resstrings_IDS_Tresc"), m_grupa);
    m_etykietaTresci->setBuddy(m_trescPole);
    pola->addRow(m_etykietaNazwy, m_nazwa);
    pola->addRow(m_etykietaTresci, m_trescPole);
    uklad->addWidget(m_grupa);
    uklad->addStretch(1);

    // The limit must cut the text before the change is counted.
    ui::limitLength(m_trescPole, MaxTresc);
    podepnijPole(m_nazwa);
    podepnijPole(m_trescPole, false); // Enter starts a new line of the remark
    spZapisz()->setProcedureName(QStringLiteral("PZapFakturaUwagiDodatkowe"));
    resize(480, 300);
}

void Tedycja_fv_opis_dodatkowy_form::Wypelnij_Pola()
{
    Tszablon_edycja_form::Wypelnij_Pola();
    db::Query q(host::GetConnection(),
                QStringLiteral("select * from faktura_uwagi_dodatkowe where id_fv_ud = :id_fv_ud"));
    q.parameters().setValue(QStringLiteral("id_fv_ud"), id_rekordu);
    if (host::OpenQuery(q) != 1 || q.isEmpty())
        return;
    id_rekordu = q.value(QStringLiteral("id_fv_ud")).toInt();
    m_nazwa->setText(q.value(QStringLiteral("nazwa")).toString());
    ui::setMemoText(m_trescPole, q.value(QStringLiteral("tresc")).toString());
}

void Tedycja_fv_opis_dodatkowy_form::Wyczysc_Pola()
{
    m_nazwa->clear();
    m_trescPole->clear();
}

bool Tedycja_fv_opis_dodatkowy_form::sprawdzPoprawnosc()
{
    const auto brak = [this](QLabel *etykieta, QWidget *pole) {
        host::InfoBox(this, tlumacz("Resstrings_IDS_prosze_wypelnic_pole").arg(etykieta->text()),
                      host::mb::IconWarning);
        pole->setFocus();
        return false;
    };
    if (m_nazwa->text().trimmed().isEmpty())
        return brak(m_etykietaNazwy, m_nazwa);
    if (m_trescPole->toPlainText().isEmpty())
        return brak(m_etykietaTresci, m_trescPole);
    return true;
}

bool Tedycja_fv_opis_dodatkowy_form::ZapiszZmiany(int mode)
{
    spZapisz()->setValue(QStringLiteral("@nazwa"), m_nazwa->text());
    spZapisz()->setValue(QStringLiteral("@tresc"), ui::memoText(m_trescPole));
    return Tszablon_edycja_form::ZapiszZmiany(mode);
}
