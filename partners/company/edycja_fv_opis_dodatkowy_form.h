#pragma once

#include "ramka/edycja/szablon_edycja_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// Editor of one invoice-remark template (faktura_uwagi_dodatkowe): a name
// and the remark text, both required.
class Tedycja_fv_opis_dodatkowy_form : public Tszablon_edycja_form
{
    Q_OBJECT
public:
    static constexpr int MaxNazwa = 100;
    static constexpr int MaxTresc = 255;

    explicit Tedycja_fv_opis_dodatkowy_form(QWidget *parent = nullptr);

    QLineEdit *e_nazwa() const { return m_nazwa; }
    QPlainTextEdit *m_tresc() const { return m_trescPole; }

protected:
    void Wypelnij_Pola() override;
    void Wyczysc_Pola() override;
    bool sprawdzPoprawnosc() override;
    bool ZapiszZmiany(int mode) override;

private:
    QGroupBox *m_grupa = nullptr;
    QLabel *m_etykietaNazwy = nullptr;
    QLabel *m_etykietaTresci = nullptr;
    QLineEdit *m_nazwa = nullptr;
    QPlainTextEdit *m_trescPole = nullptr;
};
