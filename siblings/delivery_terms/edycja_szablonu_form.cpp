#include "edycja_szablonu_form.h"

#include "connection.h"
#include "host_funcs.h"
#include "query.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <exception>

namespace delivery_terms {

Tedycja_szablonu_form::Tedycja_szablonu_form(Rodzaj rodzaj, int id, QWidget *parent)
    : QDialog(parent),
      m_id(id)
{
    setObjectName(QStringLiteral("edycja_szablonu_form"));
    setWindowTitle(rodzaj == Rodzaj::PotwierdzenieZlecenia
                       ? QStringLiteral("Resstrings_IDS_Warunki_realizacji_potwierdzenia_zlecenia")
                       : QStringLiteral("Resstrings_IDS_SP_rdsz__raport_druk_zlec_unit__LWarunki_realiz"));
    m_nazwa = new QLineEdit(this);
    m_nazwa->setObjectName(QStringLiteral("edNazwa"));
    m_tresc = new QPlainTextEdit(this);
    m_tresc->setObjectName(QStringLiteral("memTresc"));

    auto *przyciski = new QDialogButtonBox(this);
    przyciski->addButton(QStringLiteral("Resstrings_IDS_OK"), QDialogButtonBox::AcceptRole);
    przyciski->addButton(QStringLiteral("Resstrings_IDS_anuluj"), QDialogButtonBox::RejectRole);
    connect(przyciski, &QDialogButtonBox::accepted, this, &Tedycja_szablonu_form::accept);
    connect(przyciski, &QDialogButtonBox::rejected, this, &Tedycja_szablonu_form::reject);

    auto *uklad = new QFormLayout(this);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Nazwa"), m_nazwa);
    uklad->addRow(QStringLiteral("Resstrings_IDS_Tresc"), m_tresc);
    uklad->addRow(przyciski);
    host::InitializeLanguage(QStringLiteral("delivery_terms.dll"), this);
}

bool Tedycja_szablonu_form::wczytaj()
{
    if (m_id <= 0)
        return true;
    db::Query q(host::GetConnection(),
                QStringLiteral("select nazwa, tresc from szablon_zlecenia where id_szablonu = :id"));
    q.parameters().setValue(QStringLiteral("id"), m_id);
    q.open();
    if (q.isEmpty())
        return false;
    m_nazwa->setText(q.value(QStringLiteral("nazwa")).toString());
    m_tresc->setPlainText(q.value(QStringLiteral("tresc")).toString());
    return true;
}

int Tedycja_szablonu_form::zapisz()
{
    db::Connection *polaczenie = host::GetConnection();
    const QString tresc = m_tresc->toPlainText();
    const QVariantMap wartosci{{QStringLiteral("nazwa"), m_nazwa->text().trimmed()},
                               {QStringLiteral("tresc"), db::nullIfEmpty(tresc)}};
    if (m_id > 0) {
        db::Query update(polaczenie,
                         QStringLiteral("update szablon_zlecenia set nazwa = :nazwa, tresc = :tresc"
                                        " where id_szablonu = :id"));
        for (auto it = wartosci.cbegin(); it != wartosci.cend(); ++it)
            update.parameters().setValue(it.key(), it.value());
        update.parameters().setValue(QStringLiteral("id"), m_id);
        if (update.exec() == 0) {
            host::InfoWarning(QStringLiteral("Resstrings_IDS_Rekord_usuniety"), this);
            return 0;
        }
        return m_id;
    }
    db::Query insert(polaczenie,
                     polaczenie->dialect().insertReturningId(
                         QStringLiteral("insert into szablon_zlecenia (nazwa, tresc) values (:nazwa, :tresc)"),
                         QStringLiteral("id_szablonu")));
    for (auto it = wartosci.cbegin(); it != wartosci.cend(); ++it)
        insert.parameters().setValue(it.key(), it.value());
    insert.open();
    return insert.isEmpty() ? 0 : insert.value(0).toInt();
}

void Tedycja_szablonu_form::accept()
{
    if (m_nazwa->text().trimmed().isEmpty()) {
        host::InfoWarning(host::LoadResstrings(QStringLiteral("Resstrings_IDS_prosze_wypelnic_pole"))
                              .arg(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Nazwa"))),
                          this);
        m_nazwa->setFocus();
        return;
    }
    // A failed save keeps the window open with what was typed.
    try {
        m_zapisane = zapisz();
    } catch (const std::exception &blad) {
        host::save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("Tedycja_szablonu_form::accept"), __LINE__,
                               QStringLiteral("CATCH ") + QString::fromLocal8Bit(blad.what()));
        host::InfoError(QStringLiteral("Resstrings_IDS_Blad_zapisu"), this);
        m_zapisane = 0;
    }
    if (m_zapisane > 0)
        QDialog::accept();
}

} // namespace delivery_terms
