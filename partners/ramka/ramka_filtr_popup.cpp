#include "ramka/ramka_filtr_popup.h"

#include <QListWidget>
#include <QVBoxLayout>

TComboFiltrPopup::TComboFiltrPopup(partners::TComboFiltr &filtr, const QList<partners::TComboFiltr::Entry> &pozycje,
                                   const partners::TComboFiltr::Labels &etykiety, QWidget *parent)
    : QFrame(parent, Qt::Popup),
      m_filtr(filtr),
      m_pozycje(pozycje),
      m_etykiety(etykiety),
      m_lista(new QListWidget(this))
{
    setObjectName(QStringLiteral("ComboFiltr"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_lista);
    wypelnij();
    connect(m_lista, &QListWidget::itemClicked, this, &TComboFiltrPopup::klikniety);
    resize(220, qMin(360, 24 + 20 * int(m_pozycje.size())));
}

void TComboFiltrPopup::wypelnij()
{
    m_lista->clear();
    for (const auto &entry : std::as_const(m_pozycje)) {
        auto *item = new QListWidgetItem(entry.text, m_lista);
        if (entry.kind == partners::TComboFiltr::Entry::Kind::Value)
            item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TComboFiltrPopup::klikniety(QListWidgetItem *item)
{
    const int row = m_lista->row(item);
    if (row < 0 || row >= m_pozycje.size())
        return;
    m_filtr.click(m_pozycje[row]);
    // The filter decides the checks; the list only mirrors them.
    const auto offered = m_filtr.pozycje();
    for (auto &entry : m_pozycje) {
        if (entry.kind != partners::TComboFiltr::Entry::Kind::Value)
            continue;
        const auto it = offered.find(entry.value);
        entry.checked = it != offered.end() && it->second.checked;
    }
    wypelnij();
}

bool TComboFiltrPopup::kliknij(const QString &tekst)
{
    const auto found = m_lista->findItems(tekst, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    klikniety(found.first());
    return true;
}

void TComboFiltrPopup::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    if (!m_zamknieta) {
        m_zamknieta = true;
        emit zamknieta();
    }
}
