#pragma once

#include <QDate>
#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;

namespace orders {

// A new order reduced to what the company editor asks for: the ordering
// company (shown), the order date and its number. Accepting checks the number.
class Tzlecenie_proste_form : public QDialog
{
    Q_OBJECT
public:
    Tzlecenie_proste_form(const QString &nazwaFirmy, const QString &proponowanyNumer, QWidget *parent = nullptr);

    QDate data() const;
    QString numer() const;

    void accept() override;

private:
    QLabel *m_firma;
    QDateEdit *m_data;
    QLineEdit *m_numer;
};

} // namespace orders
