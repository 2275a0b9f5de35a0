#include "company/podrekordy/edycja_telefonu_form.h"

#include "company/slowniki_firmy.h"
#include "company/strony/strona_firmy.h"
#include "ramka/edycja/zapis_procedury.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "parameters.h"
#include "prompter.h"
#include "query.h"
#include "stored_proc.h"
#include "text_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using partners::tlumacz;
namespace strony = partners::strony;

namespace {

const QString Rodzaje = QStringLiteral("telefony_rodzaj");
constexpr int Telefon = 1;
constexpr int Fax = 2;
constexpr int TabelaFirmy = 7;

} // namespace

Tedycja_telefonu_form::Tedycja_telefonu_form(QWidget *parent)
    : Tedycja_podrekordu_form(parent,
                              {"edycja_telefonu_form", "Resstrings_IDS_Telefon_dodawanie_nowego",
                               "Resstrings_IDS_Telefon_edycja_rekordu", "PZapTelefon", "@id_tel"})
{
    QWidget *panel = PanelWnetrza();
    m_numer = strony::edit(panel, "telefon_numer", 50);
    m_rodzaj = strony::combo(panel, "telefon_rodzaj");
    auto *nowy = strony::przycisk(panel, "bNewRodzajTel", QStringLiteral("..."), tlumacz("Resstrings_IDS_Slownik"));
    m_opis = strony::nazwany(new QPlainTextEdit(panel), "telefon_opis");
    m_opis->setTabChangesFocus(true);
    ui::limitLength(m_opis, 250);
    m_tel = strony::nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Telefon_tel"), panel), "telefon_tel");
    m_fax = strony::nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Telefon_fax"), panel), "telefon_fax");
    m_domyslny = strony::nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Telefon_domyslny"), panel), "telefon_domyslny");
    m_lNumer = strony::etykieta(tlumacz("Resstrings_IDS_Telefon_numer"), m_numer, panel);

    auto *uklad = new QFormLayout(panel);
    uklad->addRow(m_lNumer, m_numer);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_RodzajTel"), m_rodzaj, panel),
                  strony::wiersz(panel, {m_rodzaj, nowy}));
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_Firmy_Tel_Fax"), m_tel, panel),
                  strony::wiersz(panel, {m_tel, m_fax}, 1));
    uklad->addRow(m_domyslny);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_Telefon_opis"), m_opis, panel), m_opis);

    podepnijPole(m_numer);
    podepnijPole(m_rodzaj);
    podepnijPole(m_opis, false); // Enter starts a new line
    // The boxes count as edits only once the default rule has let them.
    for (QCheckBox *pole : {m_tel, m_fax, m_domyslny})
        connect(pole, &QCheckBox::clicked, this,
                [this, pole] { host::guard([this, pole] { kliknietoRodzaj(pole); }); });
    connect(nowy, &QToolButton::clicked, this,
            [this] { host::guard([this] { wybierzZeSlownika(m_rodzaj, Rodzaje); }); });
    resize(420, 320);
}

void Tedycja_telefonu_form::poWczytaniu()
{
    Tedycja_podrekordu_form::poWczytaniu();
    m_domyslnyTel = m_domyslnyFax = -1;
    db::Query q(host::GetConnection(),
                QStringLiteral("select id_tel, tel_fax from telefon where tabela = 7"
                               " and czy_domysl = 1 and id_ = :id_f order by id_tel"));
    q.parameters().setValue(QStringLiteral("id_f"), id_firmy);
    if (host::OpenQuery(q) != 1)
        return;
    for (q.first(); !q.eof(); q.next()) {
        const int id = q.value(QStringLiteral("id_tel")).toInt();
        const int telFax = q.value(QStringLiteral("tel_fax")).toInt();
        if (telFax & Telefon)
            m_domyslnyTel = id;
        if (telFax & Fax)
            m_domyslnyFax = id;
    }
}

void Tedycja_telefonu_form::Wyczysc_Pola()
{
    m_numer->clear();
    m_opis->clear();
    // A new number is a telephone until the user says otherwise.
    m_tel->setChecked(true);
    m_fax->setChecked(false);
    m_domyslny->setChecked(false);
    m_zastapTel = m_zastapFax = false;
}

void Tedycja_telefonu_form::Wypelnij_Listy()
{
    partners::SlownikiFirmy::ladujSlownik(m_rodzaj, Rodzaje, true);
    strony::wybierzId(m_rodzaj, 0);
}

void Tedycja_telefonu_form::Wypelnij_Pola()
{
    Tedycja_podrekordu_form::Wypelnij_Pola();
    if (tryb != Edycja || !lista)
        return;
    strony::wybierzId(m_rodzaj, lista->value(QStringLiteral("rodzaj")).toInt());
    m_numer->setText(lista->value(QStringLiteral("numer")).toString());
    ui::setMemoText(m_opis, lista->value(QStringLiteral("opis")).toString());
    const int telFax = lista->value(QStringLiteral("tel_fax")).toInt();
    m_tel->setChecked(telFax & Telefon);
    m_fax->setChecked(telFax & Fax);
    m_domyslny->setChecked(lista->value(QStringLiteral("czy_domysl")).toInt() != 0);
}

void Tedycja_telefonu_form::kliknietoRodzaj(QCheckBox *pole)
{
    if (!m_tel->isChecked() && !m_fax->isChecked())
        (pole == m_tel ? m_fax : m_tel)->setChecked(true);
    if (!m_domyslny->isChecked()) {
        m_zastapTel = m_zastapFax = false;
        EditChange();
        return;
    }
    const bool innyTel = m_tel->isChecked() && m_domyslnyTel > 0 && m_domyslnyTel != id_rekordu;
    const bool innyFax = m_fax->isChecked() && m_domyslnyFax > 0 && m_domyslnyFax != id_rekordu;
    if ((innyTel || innyFax)
        && host::InfoBox(this, tlumacz("Resstrings_IDS_Firmy_Istnieje_tel_dom"),
                         host::mb::YesNo | host::mb::IconQuestion)
            != host::mb::IdYes) {
        pole->setChecked(false);
        m_zastapTel = m_zastapFax = false;
        return;
    }
    m_zastapTel = innyTel;
    m_zastapFax = innyFax;
    EditChange();
}

bool Tedycja_telefonu_form::sprawdzPoprawnosc()
{
    // Checked trimmed, stored as typed.
    const QString numer = m_numer->text().trimmed();
    return (!numer.isEmpty() && numer != prefiks_kraju) || brakPola(m_lNumer, m_numer);
}

void Tedycja_telefonu_form::ustawParametryZapisu(db::StoredProc &proc)
{
    const int rodzaj = strony::idZCombo(m_rodzaj);
    partners::ustawParametry(
        proc,
        {{QStringLiteral("@id_"), id_firmy},
         {QStringLiteral("@numer"), m_numer->text()},
         {QStringLiteral("@opis"), db::nullIfEmpty(ui::memoText(m_opis))},
         {QStringLiteral("@rodzaj"), rodzaj > 0 ? QVariant(rodzaj) : QVariant()},
         {QStringLiteral("@czy_domysl"), m_domyslny->isChecked() ? 1 : 0},
         {QStringLiteral("@tabela"), TabelaFirmy},
         {QStringLiteral("@tel_fax"), (m_tel->isChecked() ? Telefon : 0) | (m_fax->isChecked() ? Fax : 0)}});
}

bool Tedycja_telefonu_form::poZapisieWiersza(int id)
{
    // The old default gives way in the same transaction as the new one is saved.
    const bool domyslny = m_domyslny->isChecked();
    for (const int stary : {domyslny && m_tel->isChecked() && m_zastapTel ? m_domyslnyTel : -1,
                            domyslny && m_fax->isChecked() && m_zastapFax ? m_domyslnyFax : -1})
        if (stary > 0 && stary != id
            && host::ExecQuery(QStringLiteral("update telefon set czy_domysl = 0 where id_tel = :id"), nullptr, 0,
                               {{QStringLiteral("id"), stary}})
                != 1)
            return false;
    m_zastapTel = m_zastapFax = false;
    return true;
}

QWidget *Tedycja_telefonu_form::pierwszePole() const
{
    return m_numer;
}
