#include "edycja_miasta_form.h"

#include "host_funcs.h"
#include "text_fields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <exception>

namespace cities {

Tedycja_miasta_form::Tedycja_miasta_form(const Miasto &miasto, QWidget *parent)
    : QDialog(parent),
      m_miasto(miasto)
{
    setObjectName(QStringLiteral("edycja_miasta_form"));
    setWindowTitle(miasto.id > 0 ? QStringLiteral("Resstrings_IDS_Miasto_edycja_rekordu")
                                 : QStringLiteral("Resstrings_IDS_Miasto_dodawanie_nowego"));
    m_nazwa = new QLineEdit(miasto.nazwa, this);
    m_nazwa->setObjectName(QStringLiteral("edMiasto"));
    ui::limitLength(m_nazwa, 50);
    m_panstwo = new QComboBox(this);
    m_panstwo->setObjectName(QStringLiteral("cbPanstwo"));
    host::Laduj_DB_FlatCombo(m_panstwo,
                             QStringLiteral("select id, nazwa from vlistapanstw where id_jezyka = :j"
                                            " and (aktywny = 1 or id = :id) order by ")
                                 + host::collated(QStringLiteral("nazwa")),
                             QStringLiteral("id"), QStringLiteral("nazwa"), true, nullptr,
                             {{QStringLiteral("j"), host::GetLanguage()}, {QStringLiteral("id"), miasto.idPanstwa}});
    host::UstawWartoscCombo(m_panstwo, miasto.idPanstwa);
    m_kody = new QPlainTextEdit(miasto.kody.join(QLatin1Char('\n')), this);
    m_kody->setObjectName(QStringLiteral("memKody"));

    auto *przyciski = new QDialogButtonBox(this);
    przyciski->addButton(QStringLiteral("Resstrings_IDS_OK"), QDialogButtonBox::AcceptRole);
    przyciski->addButton(QStringLiteral("Resstrings_IDS_anuluj"), QDialogButtonBox::RejectRole);
    connect(przyciski, &QDialogButtonBox::accepted, this, &Tedycja_miasta_form::accept);
    connect(przyciski, &QDialogButtonBox::rejected, this, &Tedycja_miasta_form::reject);

    auto *uklad = new QFormLayout(this);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Miasto"), m_nazwa);
    uklad->addRow(QStringLiteral("Resstrings_IDS_kraj"), m_panstwo);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Kody_pocztowe_miasta"), m_kody);
    uklad->addRow(przyciski);
    host::InitializeLanguage(QStringLiteral("cities.dll"), this);
}

void Tedycja_miasta_form::accept()
{
    if (m_nazwa->text().trimmed().isEmpty()) {
        host::InfoWarning(host::LoadResstrings(QStringLiteral("Resstrings_IDS_prosze_wypelnic_pole"))
                              .arg(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Miasto"))),
                          this);
        m_nazwa->setFocus();
        return;
    }
    Miasto doZapisu = m_miasto;
    doZapisu.nazwa = m_nazwa->text().trimmed();
    doZapisu.idPanstwa = host::ZwrocWartoscCombo(m_panstwo);
    doZapisu.kody = m_kody->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // A failed save keeps the window open with what was typed.
    try {
        m_zapisane = zapiszMiasto(doZapisu);
    } catch (const std::exception &blad) {
        host::save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("Tedycja_miasta_form::accept"), __LINE__,
                               QStringLiteral("CATCH ") + QString::fromLocal8Bit(blad.what()));
        host::InfoError(QStringLiteral("Resstrings_IDS_Blad_zapisu"), this);
        m_zapisane = 0;
    }
    if (m_zapisane > 0)
        QDialog::accept();
}

} // namespace cities
