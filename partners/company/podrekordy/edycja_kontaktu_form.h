#pragma once

#include "company/podrekordy/edycja_podrekordu_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// A company's contact person: name, position, ways to reach them, and
// whether invoices go to them and orders name them.
class Tedycja_kontaktu_form : public Tedycja_podrekordu_form
{
    Q_OBJECT
public:
    explicit Tedycja_kontaktu_form(QWidget *parent = nullptr);

protected:
    void Wyczysc_Pola() override;
    void Wypelnij_Listy() override;
    void Wypelnij_Pola() override;
    bool sprawdzPoprawnosc() override;
    void ustawParametryZapisu(db::StoredProc &proc) override;
    QWidget *pierwszePole() const override;

private:
    void sprawdzEmail();

    QLineEdit *m_imie = nullptr;
    QLabel *m_lNazwisko = nullptr;
    QLineEdit *m_nazwisko = nullptr;
    QLineEdit *m_email = nullptr;
    QLineEdit *m_telefon = nullptr;
    QComboBox *m_stanowisko = nullptr;
    QLineEdit *m_nrGg = nullptr;
    QLineEdit *m_skype = nullptr;
    QLineEdit *m_transId = nullptr;
    QPlainTextEdit *m_uwagi = nullptr;
    QCheckBox *m_osUpowaz = nullptr;
    QCheckBox *m_wyswNaZleceniu = nullptr;
};
