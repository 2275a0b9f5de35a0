#pragma once

#include "company/edycja_firmy_form.h"

#include <QString>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

// The controls of the company editor; every one carries its name as objectName.
struct Tedycja_firmy_form::Kontrolki
{
    QTabWidget *strony = nullptr; // PageControl
    QWidget *tsDaneOgolne = nullptr;
    QWidget *tsDaneDomyslne = nullptr;
    QWidget *tsOddzialy = nullptr;
    QWidget *tsKontakty = nullptr;
    QWidget *tsKsiegRozl = nullptr;
    QWidget *tsDomyslneFV = nullptr;
    QWidget *tsDokumenty = nullptr;

    // General data
    QLabel *lNazwa = nullptr;
    QLineEdit *nazwa = nullptr; // firma_nazwa
    QLabel *lSkrot = nullptr;
    QLineEdit *skrot = nullptr; // firma_skrot
    QLabel *lMiasto = nullptr;
    QComboBox *miasto = nullptr; // cbMiasto: country, postal code and city
    QToolButton *noweMiasto = nullptr;
    QToolButton *edytujMiasto = nullptr;
    QLineEdit *ulica = nullptr;
    QLineEdit *nrDomu = nullptr;
    QLineEdit *nrM = nullptr;
    QComboBox *typ = nullptr; // hidden company type
    QCheckBox *wlasna = nullptr;
    QRadioButton *centrala = nullptr;
    QRadioButton *oddzial = nullptr;
    QComboBox *centrale = nullptr; // head-office pick list
    QListWidget *rodzaje = nullptr;
    QToolButton *dodajRodzaj = nullptr;
    QComboBox *status = nullptr;
    QToolButton *dodajStatus = nullptr;
    QDoubleSpinBox *limit = nullptr;
    QComboBox *waluta = nullptr;
    QLabel *lNip = nullptr;
    QComboBox *prefiks = nullptr;
    QLineEdit *nip = nullptr;
    QToolButton *vies = nullptr;
    QLineEdit *regon = nullptr;
    QLineEdit *krs = nullptr;
    QLineEdit *nrTrans = nullptr;
    QLineEdit *skype = nullptr;
    QLineEdit *nrGg = nullptr;
    QLineEdit *www = nullptr;
    QLineEdit *email = nullptr;
    QLineEdit *wlasciciel = nullptr;
    QLineEdit *apdId = nullptr;
    QLineEdit *apdToken = nullptr;
    QCheckBox *aktywna = nullptr;
    QCheckBox *bus = nullptr;
    QPlainTextEdit *uwagi = nullptr;
    QToolButton *dodajZlec = nullptr;
    QObject *filtrNazwy = nullptr; // focus watchers of the short-name generation
    QObject *filtrSkrotu = nullptr;

    // Accounting and settlements
    QGroupBox *gbRozliczenia = nullptr;
    QComboBox *dodatkoweWolne = nullptr;
    QTimeEdit *nocneOd = nullptr;
    QTimeEdit *nocneDo = nullptr;
    QTimeEdit *swietaOd = nullptr;
    QTimeEdit *poraNocnaOd = nullptr;
    QTimeEdit *poraNocnaDo = nullptr;
    QSpinBox *limitNadh = nullptr;
    QComboBox *okresRoz = nullptr;
    QDateEdit *poczatekOkresu = nullptr;
    QLineEdit *mpk = nullptr;
    QPlainTextEdit *komentarz = nullptr;
    QWidget *ramkiKsiegRozl = nullptr; // bank accounts and periods come here

    // Invoice and order defaults
    QComboBox *termin = nullptr;
    QToolButton *dodajTermin = nullptr;
    QComboBox *sposob = nullptr;
    QComboBox *konto = nullptr;
    QAction *tylkoAktywne = nullptr;
    QComboBox *szablonZlec = nullptr;
    QToolButton *nowySzablonZlec = nullptr;
    QToolButton *edytujSzablonZlec = nullptr;
    QComboBox *szablonPotw = nullptr;
    QToolButton *nowySzablonPotw = nullptr;
    QToolButton *edytujSzablonPotw = nullptr;
    QLineEdit *kodAnalityczny = nullptr;
    QComboBox *uwagiDod = nullptr;
    QToolButton *dodajUwagi = nullptr;
    QToolButton *edytujUwagi = nullptr;
    QToolButton *usunUwagi = nullptr;
    QPlainTextEdit *uwagiSp = nullptr;
    QPlainTextEdit *uwagiFv = nullptr;
    QCheckBox *dataKursuAuto = nullptr;
    QRadioButton *dataZaladunku = nullptr;
    QRadioButton *dataRozladunku = nullptr;
    QComboBox *dniKursu = nullptr;
    QCheckBox *oswiadczenieVat = nullptr;
    QCheckBox *fvPodsum2 = nullptr;
    QCheckBox *fvJednaWaluta = nullptr;
    QCheckBox *papierFirmowy = nullptr;
    QLineEdit *margines = nullptr;
};

namespace partners::edycja_firmy {

// Kinds of the execution-conditions templates of delivery_terms.dll.
inline constexpr int SzablonZlecenia = 0;
inline constexpr int SzablonPotwierdzenia = 1;

// Remembers that the editor itself is setting its controls.
struct Wypelnianie
{
    explicit Wypelnianie(bool &f)
        : flaga(f),
          poprzednia(f)
    {
        flaga = true;
    }
    ~Wypelnianie() { flaga = poprzednia; }
    bool &flaga;
    bool poprzednia;
};

} // namespace partners::edycja_firmy
