#pragma once

#include "company/strony/strona_firmy.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace partners {

// Invoice and order defaults (tsDomyslneFV), shown to users with rights on
// sales invoices (prawaFv); without them its values are not collected.
class StronaDomyslneFv : public StronaFirmy
{
    Q_OBJECT
public:
    StronaDomyslneFv(QWidget *rodzic, bool prawaFv);

    void wczytajListy() override;
    void wczytaj(const DaneFirmy &dane) override;
    void zbierz(DaneFirmy &dane) const override;
    void zaladuj(int idFirmy) override;
    void poZapisie(const DaneFirmy &dane) override { m_idKontaRozl = dane.idKontaRozl; }
    void ustawUprawnienia(int upr) override;

private:
    void ladujKonta();
    void nowySzablonZlecenia(QComboBox *lista, int rodzaj);
    void edytujSzablonZlecenia(QComboBox *lista, int rodzaj);
    void dodajSzablonUwag();
    void edytujSzablonUwag();
    void usunSzablonUwag();
    void ustawPrzyciskiUwag();

    bool m_prawaFv = false;
    bool m_tylkoAktywneKonta = true;
    int m_idKontaRozl = 0; // the company's account as stored, offered even when inactive
    QComboBox *m_termin = nullptr;
    QComboBox *m_sposob = nullptr;
    QComboBox *m_konto = nullptr;
    QComboBox *m_szablonZlec = nullptr;
    QComboBox *m_szablonPotw = nullptr;
    QLineEdit *m_kodAnalityczny = nullptr;
    QComboBox *m_uwagiDod = nullptr;
    QToolButton *m_dodajUwagi = nullptr;
    QToolButton *m_edytujUwagi = nullptr;
    QToolButton *m_usunUwagi = nullptr;
    QPlainTextEdit *m_uwagiSp = nullptr;
    QPlainTextEdit *m_uwagiFv = nullptr;
    QCheckBox *m_dataKursuAuto = nullptr;
    QRadioButton *m_dataZaladunku = nullptr;
    QRadioButton *m_dataRozladunku = nullptr;
    QComboBox *m_dniKursu = nullptr;
    QCheckBox *m_oswiadczenieVat = nullptr;
    QCheckBox *m_fvPodsum2 = nullptr;
    QCheckBox *m_fvJednaWaluta = nullptr;
    QCheckBox *m_papierFirmowy = nullptr;
    QLineEdit *m_margines = nullptr;
};

} // namespace partners
