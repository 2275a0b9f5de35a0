#pragma once

#include "company/podrekordy/edycja_podrekordu_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// A company's telephone or fax number (or one that is both). The company
// has at most one default telephone and one default fax: making this number
// the default asks before it takes the place of another.
class Tedycja_telefonu_form : public Tedycja_podrekordu_form
{
    Q_OBJECT
public:
    explicit Tedycja_telefonu_form(QWidget *parent = nullptr);

protected:
    void Wyczysc_Pola() override;
    void Wypelnij_Listy() override;
    void Wypelnij_Pola() override;
    void poWczytaniu() override;
    bool sprawdzPoprawnosc() override;
    void ustawParametryZapisu(db::StoredProc &proc) override;
    bool poZapisieWiersza(int id) override;
    QWidget *pierwszePole() const override;

private:
    void kliknietoRodzaj(QCheckBox *pole);

    QLabel *m_lNumer = nullptr;
    QLineEdit *m_numer = nullptr;
    QComboBox *m_rodzaj = nullptr;
    QPlainTextEdit *m_opis = nullptr;
    QCheckBox *m_tel = nullptr;
    QCheckBox *m_fax = nullptr;
    QCheckBox *m_domyslny = nullptr;
    // The company's default telephone and fax as stored; -1 when none.
    int m_domyslnyTel = -1;
    int m_domyslnyFax = -1;
    // The user agreed that this number replaces them as the default.
    bool m_zastapTel = false;
    bool m_zastapFax = false;
};
