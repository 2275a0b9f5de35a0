#include "edycja_terminu_form.h"

#include "host_funcs.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace terminarz {

namespace {
const QString Wpis = QStringLiteral("select tytul, data from terminarz where id_ter = :id");
}

Tedycja_terminu_form::Tedycja_terminu_form(int idTerminu, QWidget *parent)
    : QDialog(parent),
      m_tytul(new QLineEdit(this)),
      m_data(new QDateTimeEdit(this))
{
    setObjectName(QStringLiteral("edycja_terminu_form"));
    setWindowTitle(QStringLiteral("Resstrings_IDS_Terminarz"));
    m_tytul->setObjectName(QStringLiteral("edTytul"));
    m_data->setObjectName(QStringLiteral("dtData"));
    m_data->setCalendarPopup(true);
    const QVariantMap id{{QStringLiteral("id"), idTerminu}};
    if (host::CzyIstniejeRekordDB(Wpis, nullptr, id)) {
        m_idTerminu = idTerminu;
        m_tytul->setText(host::GetStringDB(Wpis, QStringLiteral("tytul"), nullptr, id));
        m_data->setDateTime(host::GetDateTimeDB(Wpis, QStringLiteral("data"), nullptr, id));
    }

    auto *przyciski = new QDialogButtonBox(this);
    przyciski->addButton(QStringLiteral("Resstrings_IDS_OK"), QDialogButtonBox::AcceptRole);
    przyciski->addButton(QStringLiteral("Resstrings_IDS_anuluj"), QDialogButtonBox::RejectRole);
    connect(przyciski, &QDialogButtonBox::accepted, this, &Tedycja_terminu_form::accept);
    connect(przyciski, &QDialogButtonBox::rejected, this, &Tedycja_terminu_form::reject);

    auto *uklad = new QFormLayout(this);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Tytul"), m_tytul);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Data"), m_data);
    uklad->addRow(przyciski);
    host::InitializeLanguage(QStringLiteral("schedule.dll"), this);
}

void Tedycja_terminu_form::accept()
{
    if (m_tytul->text().trimmed().isEmpty()) {
        host::InfoWarning(host::LoadResstrings(QStringLiteral("Resstrings_IDS_prosze_wypelnic_pole"))
                              .arg(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Tytul"))),
                          this);
        m_tytul->setFocus();
        return;
    }
    // A failed statement is reported by the host; the window stays open with what was typed.
    if (host::ExecQuery(QStringLiteral("update terminarz set tytul = :tytul, data = :data where id_ter = :id"), nullptr,
                        0,
                        {{QStringLiteral("tytul"), m_tytul->text().trimmed()},
                         {QStringLiteral("data"), m_data->dateTime()},
                         {QStringLiteral("id"), m_idTerminu}})
        != 0)
        QDialog::accept();
}

} // namespace terminarz
