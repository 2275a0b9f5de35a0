#pragma once

#include <QDialog>

class QDateTimeEdit;
class QLineEdit;

namespace terminarz {

// The editor of one schedule entry: its title and its date. Accepting checks
// the title and writes both to the entry.
class Tedycja_terminu_form : public QDialog
{
    Q_OBJECT
public:
    // Empty when the entry does not exist (isValid() false).
    explicit Tedycja_terminu_form(int idTerminu, QWidget *parent = nullptr);

    bool isValid() const { return m_idTerminu > 0; }
    void accept() override;

private:
    int m_idTerminu = 0;
    QLineEdit *m_tytul;
    QDateTimeEdit *m_data;
};

} // namespace terminarz
