#pragma once

#include "company/dane_firmy.h"
#include "company/strony/strona_dane_ogolne.h"
#include "ramka/edycja/szablon_edycja_form.h"

#include <QList>
#include <QSet>
#include <QString>

class QTabWidget;
class QToolButton;
class QWidget;

namespace partners {
class StronaRamek;
class StronaKsiegRozl;
class StronaDomyslneFv;
class StronaDokumenty;
} // namespace partners

// The company editor: one company created or changed, on the tabs of the
// company record. Each tab is a page that fills itself from
// partners::DaneFirmy and collects back into it; validation and saving are
// partners::TWalidacjaFirmy and partners::TZapisFirmy.
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
    QTabWidget *PageControl() const { return m_strony; }
    QToolButton *dodaj_zlec() const { return m_dodajZlec; }
    // The company as the controls show it now.
    const partners::DaneFirmy &Dane();

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
    void zbudujWidok();
    void pokazDane();
    void zbierzDane();
    void ustawWidocznoscZakladek();
    void ustawPodpisOddzialow();
    void zastosujBlokadeWlasnej();
    void zaladujZakladke(QWidget *strona);
    void dodajZlecenieProste();
    void ustawPrzyciskZlecenia();
    void skupNaPolu(partners::PoleFirmy pole, const QString &zakladka);

    QTabWidget *m_strony = nullptr;
    partners::StronaDaneOgolne *m_ogolne = nullptr;
    partners::StronaKsiegRozl *m_ksiegRozl = nullptr;
    partners::StronaDomyslneFv *m_domyslneFv = nullptr;
    QList<partners::StronaFirmy *> m_stronyFirmy; // in tab order
    // The hidden summary page, without frames yet.
    QWidget *m_daneDomyslne = nullptr;
    partners::StronaRamek *m_oddzialy = nullptr;
    partners::StronaRamek *m_kontakty = nullptr;
    partners::StronaDokumenty *m_dokumenty = nullptr;
    QToolButton *m_dodajZlec = nullptr;

    partners::DaneFirmy m_dane;
    partners::WartosciPoczatkoweFirmy m_poczatkowe;
    bool m_sajPoczatkowe = false;
    int m_grupaNowej = -1;
    int m_idJezyka = 0;
    QString m_zakladkaStartowa;
    QSet<QString> m_zaladowane;
    int m_uprOdlozone = -1;       // rights level put aside by the own-company lock
    bool m_prawaFv = false;       // sales-invoice rights
    bool m_listyGotowe = false;   // lists filled at least once
    bool m_listyWczytane = false; // lists filled by this load already
};
