#pragma once

#include "company/podrekordy/edycja_podrekordu_form.h"

#include <QLineEdit>

class QCheckBox;
class QComboBox;
class QLabel;

// One address of a company (or of another owner table): street and numbers,
// the city with its postal code, country and post office, the kind and the
// default flag. Making it the default, or the correspondence address, may
// carry it onto the company's invoices.
class Tedycja_adresu_form : public Tedycja_podrekordu_form
{
    Q_OBJECT
public:
    explicit Tedycja_adresu_form(QWidget *parent = nullptr);

    // The owner's table by its name in definicja_tabela; "firma" unless told.
    void UstawTabeleWlasciciela(const QString &tabela) { m_tabelaWlasciciela = tabela; }

    QLineEdit *e_ulica() const { return m_ulica; }
    QLineEdit *e_nr_domu() const { return m_nrDomu; }
    QLineEdit *e_nr_m() const { return m_nrM; }
    QComboBox *cbMiasto() const { return m_miasto; }
    QComboBox *cbKod() const { return m_kod; }
    QComboBox *cbRodzaj() const { return m_rodzaj; }
    QCheckBox *cbDomyslny() const { return m_domyslny; }
    QLabel *lKraj() const { return m_kraj; }
    QLabel *lPoczta() const { return m_poczta; }

protected:
    void Wyczysc_Pola() override;
    void Wypelnij_Listy() override;
    void Wypelnij_Pola() override;
    void poWczytaniu() override;
    bool sprawdzPoprawnosc() override;
    void ustawParametryZapisu(db::StoredProc &proc) override;
    bool poZapisieWiersza(int id) override;
    QWidget *pierwszePole() const override { return m_ulica; }

private:
    void ladujMiasta();
    void wybierzMiasto(int idM, const QString &nazwa = QString());
    void wybranoMiasto();
    void wpisanoKod();
    void domyslnyClick(bool zaznaczony);
    void noweMiasto();
    void edytujMiasto();
    // The owner's default address other than this one; 0 when none.
    int innyDomyslny() const;
    // Whether saving should offer to put this address on the company's invoices.
    QString pytanieOFakturach() const;

    QLineEdit *m_ulica = nullptr;
    QLineEdit *m_nrDomu = nullptr;
    QLineEdit *m_nrM = nullptr;
    QComboBox *m_miasto = nullptr;
    QComboBox *m_kod = nullptr;
    QComboBox *m_rodzaj = nullptr;
    QCheckBox *m_domyslny = nullptr;
    QLabel *m_lMiasto = nullptr;
    QLabel *m_kraj = nullptr;
    QLabel *m_poczta = nullptr;

    QString m_tabelaWlasciciela = QStringLiteral("firma");
    int m_kodTabeli = 0;
    int m_rodzajWczytany = 0;
    bool m_naFaktury = false; // the user wants the saved address on the invoices
};
