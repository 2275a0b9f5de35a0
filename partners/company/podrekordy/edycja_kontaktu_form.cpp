#include "company/podrekordy/edycja_kontaktu_form.h"

#include "company/slowniki_firmy.h"
#include "company/strony/strona_firmy.h"
#include "company/walidacja_firmy.h"
#include "ramka/edycja/zapis_procedury.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "handler_guard.h"
#include "parameters.h"
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

const QString Stanowiska = QStringLiteral("stanowiska");

} // namespace

Tedycja_kontaktu_form::Tedycja_kontaktu_form(QWidget *parent)
    : Tedycja_podrekordu_form(parent,
                              {"edycja_kontaktu_form", "Resstrings_IDS_Kontakt_dodawanie_nowego",
                               "Resstrings_IDS_Kontakt_edycja_rekordu", "PZapKontakt"})
{
    QWidget *panel = PanelWnetrza();
    m_imie = strony::edit(panel, "kontakt_imie", 30);
    m_nazwisko = strony::edit(panel, "kontakt_nazw", 50);
    m_email = strony::edit(panel, "kontakt_e_mail", 50);
    m_telefon = strony::edit(panel, "kontakt_telefon", 25);
    m_stanowisko = strony::combo(panel, "kontakt_stanowisko");
    auto *nowe = strony::przycisk(panel, "bNewStanowisko", QStringLiteral("..."), tlumacz("Resstrings_IDS_Slownik"));
    m_nrGg = strony::edit(panel, "kontakt_nr_gg", 25);
    m_skype = strony::edit(panel, "kontakt_skype", 50);
    m_transId = strony::edit(panel, "kontakt_transid", 50);
    m_uwagi = strony::nazwany(new QPlainTextEdit(panel), "kontakt_uwagi");
    m_uwagi->setTabChangesFocus(true);
    ui::limitLength(m_uwagi, 500);
    m_osUpowaz =
        strony::nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Kontakt_os_up_do_fv"), panel), "cbOsUpowazDoFaktury");
    m_wyswNaZleceniu =
        strony::nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Kontakt_wysw_na_zleceniu"), panel), "wysw_na_zleceniu");
    m_lNazwisko = strony::etykieta(tlumacz("Resstrings_IDS_Nazwisko"), m_nazwisko, panel);

    auto *uklad = new QFormLayout(panel);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_Imie"), m_imie, panel), m_imie);
    uklad->addRow(m_lNazwisko, m_nazwisko);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_AdresEmail"), m_email, panel), m_email);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_Kontakt_telefon"), m_telefon, panel), m_telefon);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_Stanowisko"), m_stanowisko, panel),
                  strony::wiersz(panel, {m_stanowisko, nowe}));
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_nr_gg"), m_nrGg, panel), m_nrGg);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_skype"), m_skype, panel), m_skype);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_nr_trans"), m_transId, panel), m_transId);
    uklad->addRow(strony::etykieta(tlumacz("Resstrings_IDS_ListaPUwagi"), m_uwagi, panel), m_uwagi);
    uklad->addRow(m_osUpowaz);
    uklad->addRow(m_wyswNaZleceniu);

    for (QWidget *pole : std::initializer_list<QWidget *>{m_imie, m_nazwisko, m_email, m_telefon, m_stanowisko, m_nrGg,
                                                          m_skype, m_transId, m_osUpowaz, m_wyswNaZleceniu})
        podepnijPole(pole);
    podepnijPole(m_uwagi, false); // Enter starts a new line
    connect(m_email, &QLineEdit::textChanged, this, [this] { host::guard([this] { sprawdzEmail(); }); });
    connect(nowe, &QToolButton::clicked, this,
            [this] { host::guard([this] { wybierzZeSlownika(m_stanowisko, Stanowiska); }); });
    resize(480, 460);
}

void Tedycja_kontaktu_form::Wyczysc_Pola()
{
    for (QLineEdit *e : {m_imie, m_nazwisko, m_email, m_telefon, m_nrGg, m_skype, m_transId})
        e->clear();
    m_uwagi->clear();
    m_osUpowaz->setChecked(false);
    m_wyswNaZleceniu->setChecked(false);
}

void Tedycja_kontaktu_form::Wypelnij_Listy()
{
    partners::SlownikiFirmy::ladujSlownik(m_stanowisko, Stanowiska, true);
    strony::wybierzId(m_stanowisko, 0);
}

void Tedycja_kontaktu_form::Wypelnij_Pola()
{
    Tedycja_podrekordu_form::Wypelnij_Pola();
    if (tryb != Edycja || !lista)
        return;
    const auto tekst = [this](const char *pole) { return lista->value(QLatin1String(pole)).toString(); };
    strony::wybierzId(m_stanowisko, lista->value(QStringLiteral("id_stan")).toInt());
    m_imie->setText(tekst("imie"));
    m_nazwisko->setText(tekst("nazwisko"));
    m_email->setText(tekst("e_mail"));
    m_telefon->setText(tekst("tel"));
    ui::setMemoText(m_uwagi, tekst("uwagi"));
    m_nrGg->setText(tekst("nr_gg"));
    m_skype->setText(tekst("skype"));
    m_transId->setText(tekst("nr_trans"));
    m_wyswNaZleceniu->setChecked(lista->value(QStringLiteral("wysw_na_zleceniu")).toInt() != 0);
    m_osUpowaz->setChecked(lista->value(QStringLiteral("os_up_do_fv")).toInt() != 0);
}

bool Tedycja_kontaktu_form::sprawdzPoprawnosc()
{
    for (QLineEdit *e : {m_imie, m_nazwisko, m_email, m_telefon, m_nrGg, m_skype, m_transId})
        e->setText(e->text().trimmed());
    ui::setMemoText(m_uwagi, ui::memoText(m_uwagi).trimmed());
    return !m_nazwisko->text().isEmpty() || brakPola(m_lNazwisko, m_nazwisko);
}

void Tedycja_kontaktu_form::ustawParametryZapisu(db::StoredProc &proc)
{
    const QString telefon = m_telefon->text();
    const int stanowisko = strony::idZCombo(m_stanowisko);
    partners::ustawParametry(
        proc,
        {{QStringLiteral("@id_f"), id_firmy},
         {QStringLiteral("@imie"), db::nullIfEmpty(m_imie->text())},
         {QStringLiteral("@nazwisko"), m_nazwisko->text()},
         {QStringLiteral("@e_mail"), db::nullIfEmpty(m_email->text())},
         {QStringLiteral("@uwagi"), db::nullIfEmpty(ui::memoText(m_uwagi))},
         {QStringLiteral("@nr_gg"), db::nullIfEmpty(m_nrGg->text())},
         {QStringLiteral("@skype"), db::nullIfEmpty(m_skype->text())},
         {QStringLiteral("@nr_trans"), db::nullIfEmpty(m_transId->text())},
         {QStringLiteral("@tel"), telefon == prefiks_kraju ? QVariant() : db::nullIfEmpty(telefon)},
         {QStringLiteral("@wysw_na_zleceniu"), m_wyswNaZleceniu->isChecked() ? 1 : 0},
         {QStringLiteral("@os_up_do_fv"), m_osUpowaz->isChecked() ? 1 : 0},
         {QStringLiteral("@id_stan"), stanowisko > 0 ? QVariant(stanowisko) : QVariant()}});
}

void Tedycja_kontaktu_form::sprawdzEmail()
{
    // A hint only: an address the check doubts is still saved.
    QPalette paleta = m_email->palette();
    paleta.setColor(QPalette::Text,
                    partners::emailBledny(m_email->text()) ? QColor(Qt::red) : palette().color(QPalette::Text));
    m_email->setPalette(paleta);
}

QWidget *Tedycja_kontaktu_form::pierwszePole() const
{
    return m_nazwisko;
}
