#pragma once

#include "ramka/filters/combo_filtr.h"

#include <QFrame>

class QListWidget;
class QListWidgetItem;

// The drop-down of a column filter: a check list with "check all",
// "uncheck all" and the column's values. Clicks go straight to the filter;
// closing the list tells the frame (ComboFiltrMouseUp).
class TComboFiltrPopup : public QFrame
{
    Q_OBJECT
public:
    TComboFiltrPopup(partners::TComboFiltr &filtr, const QList<partners::TComboFiltr::Entry> &pozycje,
                     const partners::TComboFiltr::Labels &etykiety, QWidget *parent = nullptr);

    QListWidget *lista() const { return m_lista; }
    // A click on the item with this text (tests, keyboard).
    bool kliknij(const QString &tekst);

signals:
    void zamknieta();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void wypelnij();
    void klikniety(QListWidgetItem *item);

    partners::TComboFiltr &m_filtr;
    QList<partners::TComboFiltr::Entry> m_pozycje;
    partners::TComboFiltr::Labels m_etykiety;
    QListWidget *m_lista;
    bool m_zamknieta = false;
};
