#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class PoleDaty;
class QDoubleSpinBox;
class QLineEdit;

// One cost of a document, saved through PZapKoszt when the document is.
class Tramka_koszty_frame : public QWidget
{
    Q_OBJECT
public:
    explicit Tramka_koszty_frame(QWidget *parent = nullptr);

    void WypelnijListy();
    // An id of 0 or less clears the controls.
    void Wczytaj(int idKosztu);
    int idKosztu() const { return m_id; }
    // The saved cost's id; 0 when no amount is entered (nothing is stored),
    // -1 when the save was refused and the user told. `jakoNowy` stores a
    // new cost, as a copied document needs.
    int Zapisz(bool jakoNowy);

    // Controls whose edits change the document.
    QList<QWidget *> pola() const;
    QDoubleSpinBox *e_kwota() const { return m_kwota; }
    QComboBox *e_stawka_vat() const { return m_vat; }
    QComboBox *e_waluta() const { return m_waluta; }

private:
    QComboBox *lista(const char *nazwa);
    QDoubleSpinBox *liczba(const char *nazwa, int miejsc);

    int m_id = 0;
    QComboBox *m_typ, *m_rodzaj, *m_brutto, *m_vat, *m_waluta, *m_firma, *m_zlecenie;
    QDoubleSpinBox *m_kwota, *m_kurs, *m_ilosc;
    PoleDaty *m_dataKursu, *m_dataRozliczenia;
    QLineEdit *m_miejsce;
};
