#pragma once

#include "company/strony/strona_firmy.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

namespace ui {
class LazyComboBox;
}

namespace partners {

// Values a caller may put into a new company before the editor shows
// (an imported order names the company; the city is resolved like the
// windowless writer does, "Długa 5/3" is split into house and flat).
struct WartosciPoczatkoweFirmy
{
    QString nazwa;
    QString skrot;
    QString nip;
    QString panstwo; // domain, ISO or registration code
    QString kod;
    QString miasto;
    QString ulica; // street with house and flat numbers
};

// General data (tsDaneOgolne): names, address, head office or branch,
// kinds, status, credit limit, tax and contact numbers, remarks.
class StronaDaneOgolne : public StronaFirmy
{
    Q_OBJECT
public:
    explicit StronaDaneOgolne(QWidget *rodzic);
    ~StronaDaneOgolne() override;

    void wczytajListy() override;
    void wczytaj(const DaneFirmy &dane) override;
    void zbierz(DaneFirmy &dane) const override;
    void poZapisie(const DaneFirmy &dane) override;
    QWidget *kontrolka(PoleFirmy pole) const override;

    void wstawWartosciPoczatkowe(const WartosciPoczatkoweFirmy &wartosci);
    // The hints the validation names missing fields by.
    PodpowiedziPol podpowiedzi() const;
    QString nazwa() const;
    void ustawSkrot(const QString &skrot);
    bool oddzial() const;
    bool firmaWlasna() const;
    void skupNaNazwie();

signals:
    // The user chose head office or branch.
    void siedzibaZmieniona();
    // The user ticked or unticked the own-company box.
    void firmaWlasnaZmieniona();

private:
    void ladujMiasta();
    void ladujRodzaje();
    void ustawMiasto(int idM, int idKodu, const QString &tekst);
    void ustawPrefiks(const QString &prefiks);
    void wybranoOddzial(bool oddzial);
    void generujSkrot();
    void sprawdzNipPrzyPisaniu();
    void sprawdzEmailPrzyPisaniu();
    void sprawdzWVies();
    void noweMiasto();
    void edytujMiasto();
    void dodajRodzaj();

    int m_idFirmy = 0;
    int m_limitSkrotu = 0; // 20 with CzySkrotFirma20, else the column's width
    bool m_unikalneSkroty = false;
    QLabel *m_lNazwa = nullptr;
    QLineEdit *m_nazwa = nullptr;
    QLabel *m_lSkrot = nullptr;
    QLineEdit *m_skrot = nullptr;
    QLabel *m_lMiasto = nullptr;
    QComboBox *m_miasto = nullptr;
    QLineEdit *m_ulica = nullptr;
    QLineEdit *m_nrDomu = nullptr;
    QLineEdit *m_nrM = nullptr;
    QComboBox *m_typ = nullptr;
    QCheckBox *m_wlasna = nullptr;
    QRadioButton *m_centrala = nullptr;
    QRadioButton *m_oddzial = nullptr;
    ui::LazyComboBox *m_centrale = nullptr;
    QListWidget *m_rodzaje = nullptr;
    QComboBox *m_status = nullptr;
    QDoubleSpinBox *m_limit = nullptr;
    QComboBox *m_waluta = nullptr;
    QComboBox *m_prefiks = nullptr;
    QLineEdit *m_nip = nullptr;
    QLineEdit *m_regon = nullptr;
    QLineEdit *m_krs = nullptr;
    QLineEdit *m_nrTrans = nullptr;
    QLineEdit *m_skype = nullptr;
    QLineEdit *m_nrGg = nullptr;
    QLineEdit *m_www = nullptr;
    QLineEdit *m_email = nullptr;
    QLineEdit *m_wlasciciel = nullptr;
    QLineEdit *m_apdId = nullptr;
    QLineEdit *m_apdToken = nullptr;
    QCheckBox *m_aktywna = nullptr;
    QCheckBox *m_bus = nullptr;
    QPlainTextEdit *m_uwagi = nullptr;
    QObject *m_filtrNazwy = nullptr; // focus watchers of the short-name generation
    QObject *m_filtrSkrotu = nullptr;
};

} // namespace partners
