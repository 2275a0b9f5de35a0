#pragma once

#include "company/okresy/generator_okresow.h"
#include "ramka/edycja/szablon_edycja_form.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QTableWidget;

// Generates a company's settlement periods from the end of its last one up to
// the month of a chosen date, shows them before they are stored and stores
// them all at once.
class Tedycja_okres_rozlicz_form : public Tszablon_edycja_form
{
    Q_OBJECT
public:
    explicit Tedycja_okres_rozlicz_form(QWidget *parent = nullptr);

    // The company, and its length code that is chosen first (0: none).
    void UstawFirme(int idFirmy, int kodDlugosci);
    // The length code stored with the last periods saved; 0 before a save.
    int ZapisanaDlugosc() const { return m_zapisanaDlugosc; }

    QDateEdit *dtpeData() const { return m_data; }
    QComboBox *cbDlugosc() const { return m_dlugosc; }
    QTableWidget *sgPodglad() const { return m_podglad; }

protected:
    void Wyczysc_Pola() override;
    void Wypelnij_Listy() override;
    bool sprawdzPoprawnosc() override;
    bool ZapiszZmiany(int mode) override;

private:
    int kodDlugosci() const;
    void pokazPodglad();

    QDateEdit *m_data = nullptr;
    QComboBox *m_dlugosc = nullptr;
    QLabel *m_etykietaDlugosci = nullptr;
    QTableWidget *m_podglad = nullptr;
    int m_idFirmy = 0;
    int m_dlugoscFirmy = 0;
    int m_zapisanaDlugosc = 0;
    QList<partners::OkresRozliczeniowy> m_okresy;
};
