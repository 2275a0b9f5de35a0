#pragma once

#include "company/dane_firmy.h"
#include "ramka/edycja/szablon_edycja_form.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class QComboBox;
class QTabWidget;
class QToolButton;
class QWidget;

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

} // namespace partners

// The company editor: one company created or changed, on the tabs of the
// company record. Values live in partners::DaneFirmy; validation and saving
// are partners::TWalidacjaFirmy and partners::TZapisFirmy.
class Tedycja_firmy_form : public Tszablon_edycja_form
{
    Q_OBJECT
public:
    explicit Tedycja_firmy_form(QWidget *parent = nullptr);
    ~Tedycja_firmy_form() override;

    // ---- set by the opener before showing ----
    // The company to edit when there is no list (entry points): id and language.
    void UstawRekord(int idFirmy, int idJezyka);
    // Page (by its objectName, e.g. "tsKsiegRozl") shown first; unknown: the first page.
    void UstawZakladkeStartowa(const QString &nazwaStrony);
    // A new company gets this kind (firma_rodzaj id) checked; -1 none.
    void UstawGrupeNowej(int grupa);
    void UstawWartosciPoczatkowe(const partners::WartosciPoczatkoweFirmy &wartosci);
    // Opened from within an order: the add-simple-order button is then disabled.
    bool ZZlecenia = false;
    // Set while an entry point or EdytujFirme drives the editor.
    bool WywolanieZewnetrzne = false;

    // ---- components the openers and tests reach ----
    QTabWidget *PageControl() const;
    QToolButton *dodaj_zlec() const;
    const partners::DaneFirmy &Dane() const;

    // Whether the page (by objectName) has been loaded for the current record.
    bool ZakladkaZaladowana(const QString &nazwaStrony) const { return m_zaladowane.contains(nazwaStrony); }

protected:
    void Wypelnij_Listy() override;
    void Wypelnij_Pola() override;
    void Wyczysc_Pola() override;
    void Wypelnij_Ramki() override;
    void poWczytaniu() override;
    bool sprawdzPoprawnosc() override;
    bool ZapiszZmiany(int mode) override;
    void odswiezNawigacje() override;
    void nastepnyRekord() override;
    void poprzedniRekord() override;
    void odswiezTytul() override;

private:
    struct Kontrolki;

    // Building the pages (edycja_firmy_widok.cpp).
    void zbudujWidok();
    QWidget *zbudujDaneOgolne();
    QWidget *zbudujKsiegRozl();
    QWidget *zbudujDomyslneFv();
    void podepnijZdarzenia();

    // Values between the controls and m_dane.
    void pokazDane();
    void zbierzDane() const;
    void zastosujWartosciPoczatkowe();

    // Lists.
    void ladujCentrale();
    void ladujMiasta();
    void ladujRodzaje();
    void ladujKonta();
    void ladujSzablonyZlecen();
    void ustawMiasto(int idM, int idKodu, const QString &tekst);
    void ustawPrefiks(const QString &prefiks);
    void ustawTekstCombo(QComboBox *combo, const QString &tekst);

    // Behaviour (edycja_firmy_zdarzenia.cpp).
    void ustawWidocznoscZakladek();
    void ustawPodpisOddzialow();
    void zastosujBlokadeWlasnej();
    void zmianaZakladki(int indeks);
    void zaladujZakladke(const QString &nazwaStrony);
    void wybranoOddzial(bool zaznaczony);
    void generujSkrot();
    void sprawdzNipPrzyPisaniu();
    void sprawdzEmailPrzyPisaniu();
    void sprawdzWVies();
    void noweMiasto();
    void edytujMiasto();
    void nowySzablonZlecenia(int rodzaj);
    void edytujSzablonZlecenia(int rodzaj);
    void dodajSzablonUwag();
    void edytujSzablonUwag();
    void usunSzablonUwag();
    void ustawPrzyciskiUwag();
    void dodajDoSlownika(const QString &typSlownika, QComboBox *combo);
    void dodajRodzaj();
    void dodajZlecenieProste();
    void ustawPrzyciskZlecenia();
    void ustawPapierFirmowy();
    void skupNaPolu(int pole, const QString &zakladka);
    // Runs an event handler; a failure is logged and the window stays usable.

    std::unique_ptr<Kontrolki> k;
    mutable partners::DaneFirmy m_dane;
    partners::WartosciPoczatkoweFirmy m_poczatkowe;
    bool m_sajPoczatkowe = false;
    int m_grupaNowej = -1;
    int m_idJezyka = 0;
    QString m_zakladkaStartowa;
    QSet<QString> m_zaladowane;
    int m_uprOdlozone = -1; // rights level put aside by the own-company lock
    int m_limitSkrotu = 30;
    bool m_unikalneSkroty = false;
    bool m_prawaFv = false; // sales-invoice rights
    bool m_tylkoAktywneKonta = true;
    bool m_wypelnianie = false;        // the editor itself is setting controls
    bool m_listyWczytane = false;      // lists filled by this load already
    QDate m_poczatekZapisanychOkresow; // start of the company's first stored period; none yet: invalid
};
