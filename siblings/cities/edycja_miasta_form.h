#pragma once

#include "miasto.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace cities {

// The city editor: name, country and the city's postal codes, one a line.
// Accepting checks the name and saves; savedId() is then the city's id.
class Tedycja_miasta_form : public QDialog
{
    Q_OBJECT
public:
    explicit Tedycja_miasta_form(const Miasto &miasto, QWidget *parent = nullptr);

    int savedId() const { return m_zapisane; }
    void accept() override;

private:
    Miasto m_miasto;
    int m_zapisane = 0;
    QLineEdit *m_nazwa;
    QComboBox *m_panstwo;
    QPlainTextEdit *m_kody;
};

} // namespace cities
