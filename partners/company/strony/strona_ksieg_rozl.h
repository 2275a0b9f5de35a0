#pragma once

#include "company/strony/strona_firmy.h"

#include <QDate>
#include <QSet>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QSplitter;
class QTimeEdit;
class Tokresy_rozl_firmy_frame;

namespace partners {

// Accounting and settlements (tsKsiegRozl): working time, cost centre,
// report footer; the bank-account and period frames come below them.
class StronaKsiegRozl : public StronaFirmy
{
    Q_OBJECT
public:
    explicit StronaKsiegRozl(QWidget *rodzic);

    void wczytajListy() override;
    void wczytaj(const DaneFirmy &dane) override;
    void zbierz(DaneFirmy &dane) const override;
    void poZapisie(const DaneFirmy &dane) override;
    QWidget *kontrolka(PoleFirmy pole) const override;

protected:
    void umiescRamke(QWidget *grupa) override;

private:
    QSplitter *m_ramki = nullptr; // the accounts and periods lists
    Tokresy_rozl_firmy_frame *m_okresy = nullptr;
    QGroupBox *m_rozliczenia = nullptr;
    QComboBox *m_dodatkoweWolne = nullptr;
    QTimeEdit *m_nocneOd = nullptr;
    QTimeEdit *m_nocneDo = nullptr;
    QTimeEdit *m_swietaOd = nullptr;
    QTimeEdit *m_poraNocnaOd = nullptr;
    QTimeEdit *m_poraNocnaDo = nullptr;
    QSpinBox *m_limitNadh = nullptr;
    QComboBox *m_okresRoz = nullptr;
    QDateEdit *m_poczatekOkresu = nullptr;
    QLineEdit *m_mpk = nullptr;
    QPlainTextEdit *m_komentarz = nullptr;
    QSet<const QTimeEdit *> m_pusteCzasy; // shown as 00:00, stored empty
    QDate m_poczatekZapisanychOkresow;    // start of the company's first stored period; none yet: invalid
};

} // namespace partners
