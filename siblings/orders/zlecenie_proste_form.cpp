#include "zlecenie_proste_form.h"

#include "host_funcs.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orders {

Tzlecenie_proste_form::Tzlecenie_proste_form(const QString &nazwaFirmy, const QString &proponowanyNumer,
                                             QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("zlecenie_proste_form"));
    setWindowTitle(QStringLiteral("Resstrings_IDS_Zlecenie_nowe"));
    m_firma = new QLabel(nazwaFirmy, this);
    m_firma->setObjectName(QStringLiteral("lblFirma"));
    m_data = new QDateEdit(QDate::currentDate(), this);
    m_data->setObjectName(QStringLiteral("dtpeData"));
    m_data->setCalendarPopup(true);
    m_numer = new QLineEdit(proponowanyNumer, this);
    m_numer->setObjectName(QStringLiteral("edNumer"));

    auto *przyciski = new QDialogButtonBox(this);
    przyciski->addButton(QStringLiteral("Resstrings_IDS_OK"), QDialogButtonBox::AcceptRole);
    przyciski->addButton(QStringLiteral("Resstrings_IDS_anuluj"), QDialogButtonBox::RejectRole);
    connect(przyciski, &QDialogButtonBox::accepted, this, &Tzlecenie_proste_form::accept);
    connect(przyciski, &QDialogButtonBox::rejected, this, &Tzlecenie_proste_form::reject);

    auto *uklad = new QFormLayout(this);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Firma2"), m_firma);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Data_zlecenia"), m_data);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Nr_zlecenia"), m_numer);
    uklad->addRow(przyciski);
    host::InitializeLanguage(QStringLiteral("orders.dll"), this);
}

QDate Tzlecenie_proste_form::data() const
{
    return m_data->date();
}

QString Tzlecenie_proste_form::numer() const
{
    return m_numer->text().trimmed();
}

void Tzlecenie_proste_form::accept()
{
    if (numer().isEmpty()) {
        host::InfoWarning(host::LoadResstrings(QStringLiteral("Resstrings_IDS_prosze_wypelnic_pole"))
                              .arg(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Nr_zlecenia"))),
                          this);
        m_numer->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace orders
