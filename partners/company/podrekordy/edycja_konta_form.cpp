#include "company/podrekordy/edycja_konta_form.h"

#include "company/slowniki_firmy.h"
#include "company/strony/strona_firmy.h"
#include "company/sumy_kontrolne.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "parameters.h"
#include "prompter.h"
#include "stored_proc.h"
#include "text_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using partners::tlumacz;
using namespace partners::strony;

namespace {

constexpr int TabelaFirma = 7; // `tabela` of a company's rows
constexpr int MaxOpis = 800;   // PZapKonto takes no longer description

} // namespace

Tedycja_konta_form::Tedycja_konta_form(QWidget *parent)
    : Tedycja_podrekordu_form(parent,
                              {"edycja_konta_form", "Resstrings_IDS_Konto_dodawanie_nowego",
                               "Resstrings_IDS_Konto_edycja_rekordu", "PZapKonto"})
{
    QWidget *panel = PanelWnetrza();
    m_numer = edit(panel, "konto_numer", 50);
    m_bank = edit(panel, "konto_bank", 50);
    m_swift = edit(panel, "konto_swift", 50);
    m_waluta = combo(panel, "WalutaCombo");
    m_opis = nazwany(new QPlainTextEdit(panel), "konto_opis");
    m_opis->setTabChangesFocus(true);
    ui::limitLength(m_opis, MaxOpis);
    m_aktywne = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Konto_aktywne"), panel), "konto_aktywne");
    m_domyslne = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Konto_domyslne"), panel), "konto_domyslny");
    m_etykietaNumeru = etykieta(tlumacz("Resstrings_IDS_Konto_numer"), m_numer, panel);
    m_etykietaBanku = etykieta(tlumacz("Resstrings_IDS_Bank"), m_bank, panel);

    auto *uklad = new QFormLayout(panel);
    uklad->addRow(m_etykietaNumeru, m_numer);
    uklad->addRow(m_etykietaBanku, m_bank);
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_Konto_swift"), m_swift, panel), m_swift);
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_Konto_waluta"), m_waluta, panel), m_waluta);
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_Konto_opis"), m_opis, panel), m_opis);
    uklad->addRow(m_aktywne);
    uklad->addRow(m_domyslne);

    for (QWidget *pole : std::initializer_list<QWidget *>{m_numer, m_bank, m_swift, m_waluta, m_aktywne})
        podepnijPole(pole);
    podepnijPole(m_opis, false);
    // The default box counts as an edit only when the user keeps the click.
    connect(m_domyslne, &QCheckBox::clicked, this,
            [this](bool zaznaczone) { host::guard([&] { domyslneKlikniete(zaznaczone); }); });
    connect(m_aktywne, &QCheckBox::toggled, this, [this](bool aktywne) {
        if (!aktywne) {
            m_domyslne->setChecked(false);
            m_zastapDomyslne = false;
        }
        m_domyslne->setEnabled(aktywne);
    });
    connect(m_numer, &QLineEdit::textEdited, this, [this] { host::guard([this] { numerWpisany(); }); });
    connect(m_numer, &QLineEdit::textChanged, this, [this] { kolorNumeru(m_numer, partners::sprawdzRachunek); });
    resize(460, 360);
}

void Tedycja_konta_form::numerWpisany()
{
    QString cyfry = m_numer->text();
    cyfry.removeIf([](QChar c) { return !c.isDigit(); });
    // After the two check digits come the four of the bank.
    if (cyfry.size() < 6)
        return;
    const QString nazwa = host::GetStringDB(QStringLiteral("select nazwa from bank where nr_rozliczeniowy = :nr"),
                                            QString(), nullptr, {{QStringLiteral("nr"), cyfry.mid(2, 4)}});
    if (!nazwa.isEmpty())
        m_bank->setText(nazwa);
}

void Tedycja_konta_form::domyslneKlikniete(bool zaznaczone)
{
    m_zastapDomyslne = false;
    if (zaznaczone && m_domyslneKonto > 0 && m_domyslneKonto != id_rekordu) {
        if (host::InfoBox(this, tlumacz("Resstrings_IDS_Istnieje_konto_dom"), host::mb::YesNo | host::mb::IconQuestion)
            != host::mb::IdYes) {
            m_domyslne->setChecked(false);
            return;
        }
        m_zastapDomyslne = true;
    }
    EditChange();
}

void Tedycja_konta_form::wczytajDomyslne()
{
    m_zastapDomyslne = false;
    m_domyslneKonto = host::GetIntDB(QStringLiteral("select id from VDomKonto where id_ = :id_f and tabela = 7"),
                                     QString(), nullptr, {{QStringLiteral("id_f"), id_firmy}});
}

void Tedycja_konta_form::Wyczysc_Pola()
{
    wczytajDomyslne();
    for (QLineEdit *pole : {m_numer, m_bank, m_swift})
        pole->clear();
    m_opis->clear();
    m_domyslne->setChecked(false);
    // A new account is in use until the user says otherwise.
    m_aktywne->setChecked(true);
}

void Tedycja_konta_form::Wypelnij_Listy()
{
    m_waluta->clear();
    m_waluta->addItems(partners::SlownikiFirmy::waluty());
    m_waluta->setCurrentIndex(m_waluta->findText(host::var::DomyslnaWaluta.get()));
}

void Tedycja_konta_form::Wypelnij_Pola()
{
    Tedycja_podrekordu_form::Wypelnij_Pola();
    if (!lista || !lista->isActive() || lista->recNo() < 1)
        return;
    const auto tekst = [this](const char *pole) { return lista->value(QLatin1String(pole)).toString(); };
    m_numer->setText(tekst("nr_konta"));
    m_bank->setText(tekst("bank"));
    m_swift->setText(tekst("swift"));
    ui::setMemoText(m_opis, tekst("opis"));
    // A currency no longer offered stays the account's own.
    const QString waluta = tekst("waluta");
    if (m_waluta->findText(waluta) < 0)
        m_waluta->addItem(waluta);
    m_waluta->setCurrentIndex(m_waluta->findText(waluta));
    m_aktywne->setChecked(lista->value(QStringLiteral("aktywne")).toInt() != 0);
    m_domyslne->setChecked(lista->value(QStringLiteral("czy_domyslne")).toInt() != 0);
}

bool Tedycja_konta_form::sprawdzPoprawnosc()
{
    if (m_numer->text().trimmed().isEmpty())
        return brakPola(m_etykietaNumeru, m_numer);
    if (m_bank->text().trimmed().isEmpty())
        return brakPola(m_etykietaBanku, m_bank);
    return true;
}

void Tedycja_konta_form::ustawParametryZapisu(db::StoredProc &proc)
{
    proc.setValue(QStringLiteral("@nr_konta"), m_numer->text());
    proc.setValue(QStringLiteral("@bank"), db::nullIfEmpty(m_bank->text()));
    proc.setValue(QStringLiteral("@id_"), id_firmy);
    proc.setValue(QStringLiteral("@tabela"), TabelaFirma);
    proc.setValue(QStringLiteral("@id_typu"), QVariant());
    proc.setValue(QStringLiteral("@opis"), db::nullIfEmpty(ui::memoText(m_opis)));
    proc.setValue(QStringLiteral("@czy_domyslne"), m_domyslne->isChecked() ? 1 : 0);
    proc.setValue(QStringLiteral("@swift"), db::nullIfEmpty(m_swift->text()));
    proc.setValue(QStringLiteral("@waluta"), db::nullIfEmpty(m_waluta->currentText()));
    proc.setValue(QStringLiteral("@aktywne"), m_aktywne->isChecked() ? 1 : 0);
}

bool Tedycja_konta_form::poZapisieWiersza(int id)
{
    if (!m_zastapDomyslne || m_domyslneKonto == id)
        return true;
    return host::ExecQuery(QStringLiteral("update konto set czy_domyslne = 0 where id_konta = :id"), nullptr, 0,
                           {{QStringLiteral("id"), m_domyslneKonto}})
        == 1;
}

bool Tedycja_konta_form::ZapiszZmiany(int mode)
{
    if (!Tedycja_podrekordu_form::ZapiszZmiany(mode))
        return false;
    // This account may be the default one now.
    wczytajDomyslne();
    return true;
}

QWidget *Tedycja_konta_form::pierwszePole() const
{
    return m_numer;
}
