#pragma once

#include "host_export.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace host {

// The dialog of OpenRamkaSlownik: list "lista", edit "nowa_wartosc", button "dodaj".
class MALVO_HOST_EXPORT TslownikForm : public QDialog
{
    Q_OBJECT
public:
    TslownikForm(const QString &dictionaryType, QWidget *parent = nullptr);
    int chosenId() const;
    void dodajClick();

private:
    void load();
    QString m_type;
    QListWidget *m_list = nullptr;
    QLineEdit *m_edit = nullptr;
    QPushButton *m_add = nullptr;
};

} // namespace host
