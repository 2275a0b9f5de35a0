#pragma once

#include "company/podrekordy/edycja_podrekordu_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// One bank account of a company. The bank's name comes from the number as it
// is typed, only an active account may be the default, and making it the
// default takes that from the previous one in the same save.
class Tedycja_konta_form : public Tedycja_podrekordu_form
{
    Q_OBJECT
public:
    explicit Tedycja_konta_form(QWidget *parent = nullptr);

protected:
    void Wyczysc_Pola() override;
    void Wypelnij_Listy() override;
    void Wypelnij_Pola() override;
    bool sprawdzPoprawnosc() override;
    bool ZapiszZmiany(int mode) override;
    void ustawParametryZapisu(db::StoredProc &proc) override;
    bool poZapisieWiersza(int id) override;
    QWidget *pierwszePole() const override;

private:
    void numerWpisany();
    void domyslneKlikniete(bool zaznaczone);
    void wczytajDomyslne();

    QLabel *m_etykietaNumeru = nullptr;
    QLabel *m_etykietaBanku = nullptr;
    QLineEdit *m_numer = nullptr;
    QLineEdit *m_bank = nullptr;
    QLineEdit *m_swift = nullptr;
    QComboBox *m_waluta = nullptr;
    QPlainTextEdit *m_opis = nullptr;
    QCheckBox *m_aktywne = nullptr;
    QCheckBox *m_domyslne = nullptr;
    int m_domyslneKonto = 0;       // the company's default account; 0 none
    bool m_zastapDomyslne = false; // the user agreed to take the default from it
};
