#include "dictionary_form.h"
#include "host_funcs.h"

#include "connection.h"
#include "db_error.h"
#include "internal.h"
#include "prompter.h"
#include "query.h"
#include "services.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace host {

namespace {

// Dictionaries the suite opens by number; others are named by the query's
// typ_slownika parameter.
QString dictionaryTypeOf(int number, const db::DataSet *query)
{
    if (query && query->parameters().contains(QStringLiteral("typ_slownika"))) {
        const QString type = query->parameters().value(QStringLiteral("typ_slownika")).toString();
        if (!type.isEmpty())
            return type;
    }
    switch (number) {
    case 5:
        return QStringLiteral("telefony_rodzaj");
    case 9:
        return QStringLiteral("stanowiska");
    default:
        return {};
    }
}

} // namespace

TslownikForm::TslownikForm(const QString &dictionaryType, QWidget *parent)
    : QDialog(parent),
      m_type(dictionaryType)
{
    setObjectName(QStringLiteral("slownik_form"));
    setWindowTitle(LoadResstrings(QStringLiteral("Resstrings_IDS_Slownik")));
    auto *layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lista"));
    layout->addWidget(m_list);
    auto *row = new QHBoxLayout;
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("nowa_wartosc"));
    m_add = new QPushButton(LoadResstrings(QStringLiteral("Resstrings_IDS_Dodaj")), this);
    m_add->setObjectName(QStringLiteral("dodaj"));
    row->addWidget(m_edit);
    row->addWidget(m_add);
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, &TslownikForm::dodajClick);
    load();
}

int TslownikForm::chosenId() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void TslownikForm::load()
{
    const int keep = chosenId();
    m_list->clear();
    db::Connection *c = GetConnection();
    if (!c)
        return;
    try {
        db::Query query(c,
                        QStringLiteral("select id, wartosc from VListaPozSlownika where typ_slownika = :typ "
                                       "and id_jezyka = :jezyk and nazwa_parametru = 'nazwa' order by ")
                            + c->dialect().collated(QStringLiteral("wartosc")));
        query.parameters().setValue(QStringLiteral("typ"), m_type);
        query.parameters().setValue(QStringLiteral("jezyk"), GetLanguage());
        query.open();
        for (query.first(); !query.eof(); query.next()) {
            auto *item = new QListWidgetItem(query.value(1).toString(), m_list);
            item->setData(Qt::UserRole, query.value(0).toInt());
            if (item->data(Qt::UserRole).toInt() == keep)
                m_list->setCurrentItem(item);
        }
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("TslownikForm::load"), error.message(), this);
    }
}

void TslownikForm::dodajClick()
{
    const QString text = m_edit->text().trimmed();
    if (text.isEmpty())
        return;
    db::Connection *c = GetConnection();
    if (!c)
        return;
    try {
        db::Query insert(
            c,
            c->dialect().insertReturningId(
                QStringLiteral("insert into slowwartosci (typ_slownika, nazwa_parametru, grupa, wartosc, system) "
                               "values (:typ, 'nazwa', 0, :wartosc, 0)"),
                QStringLiteral("id_wartosci")));
        insert.parameters().setValue(QStringLiteral("typ"), m_type);
        insert.parameters().setValue(QStringLiteral("wartosc"), text);
        insert.open();
        const int id = insert.value(0).toInt();
        m_edit->clear();
        load();
        for (int i = 0; i < m_list->count(); ++i)
            if (m_list->item(i)->data(Qt::UserRole).toInt() == id)
                m_list->setCurrentRow(i);
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("TslownikForm::dodajClick"), error.message(), this);
    }
}

int OpenRamkaSlownik(QWidget *owner, int dictionaryNumber, db::DataSet *query, const QString &textColumn,
                     const QString &idColumn, QComboBox *combo)
{
    const QString type = dictionaryTypeOf(dictionaryNumber, query);
    if (type.isEmpty()) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("OpenRamkaSlownik"), __LINE__,
                         QStringLiteral("no dictionary type for number %1").arg(dictionaryNumber));
        return 0;
    }
    TslownikForm form(type, owner);
    const bool accepted = prompter().runModal(&form) == QDialog::Accepted;
    const int chosen = accepted ? form.chosenId() : 0;
    if (query) {
        query->close();
        if (OpenQuery(*query, 0) == 1 && combo) {
            const QSignalBlocker block(combo);
            const QVariant previous = combo->currentData();
            combo->clear();
            const int text = query->fieldIndex(textColumn);
            const int id = query->fieldIndex(idColumn);
            for (query->first(); text >= 0 && id >= 0 && !query->eof(); query->next())
                combo->addItem(query->value(text).toString(), query->value(id).toInt());
            combo->setCurrentIndex(combo->findData(chosen > 0 ? QVariant(chosen) : previous));
        }
    }
    return chosen;
}

} // namespace host
