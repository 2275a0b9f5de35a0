#pragma once

#include <QDialog>
#include <QVariantMap>

class QComboBox;
class QLabel;
class QPushButton;
namespace db {
class Connection;
}

// The suite's multi-action dialog; this module uses only its choice list.
// OK ends with 1, Cancel with 2.
class Tmultiakcje_form : public QDialog
{
    Q_OBJECT
public:
    explicit Tmultiakcje_form(QWidget *parent = nullptr);

    // Rows of (id, nazwa) after an empty entry (0); nothing is chosen, so OK waits for a choice.
    void WypelnijListe(db::Connection *polaczenie, const QString &sql, const QVariantMap &parametry = {});
    // The chosen entry's id, 0 when none.
    int Wynik() const;

    QLabel *lOpis = nullptr;
    QComboBox *cbLista = nullptr;
    QPushButton *bZatwierdz = nullptr;
    QPushButton *bAnuluj = nullptr;
};
