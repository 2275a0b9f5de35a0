#pragma once

#include "ramka/settings/ust_kolumna.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QToolButton;
class QPushButton;

// The column customisation dialog: hidden columns on the left ("dostepne"),
// visible ones on the right ("widoczne", in grid order). It edits a copy of
// the layout and announces every change through ukladZmieniony, so the
// grid follows at once; zamknij only closes. At least one column stays visible.
class Tramka_dostosuj_form : public QDialog
{
    Q_OBJECT
public:
    explicit Tramka_dostosuj_form(const UkladKolumn &uklad, QWidget *parent = nullptr);

    const UkladKolumn &uklad() const { return m_uklad; }

    // The actions of the buttons, also usable by the frame and by tests.
    void dodajZaznaczone();
    void dodajWszystkie();
    void usunZaznaczone();
    void usunWszystkie();
    void wGore();
    void wDol();
    // Selects the items of these fields in their list (tests, keyboard-free use).
    void zaznacz(const QStringList &pola);

signals:
    void ukladZmieniony(const UkladKolumn &uklad);

private:
    void wypelnij(const QStringList &zaznaczone);
    void ustawPrzyciski();
    void pokazZmiane(const QStringList &zaznaczone);
    QStringList zaznaczonePola(const QListWidget *lista) const;
    QStringList polaWidoczneWKolejnosci() const;
    void ulozWidoczne(const QStringList &kolejnosc);
    void widoczneZmienioneKolejnosc();
    void przesun(int kierunek);

    UkladKolumn m_uklad;
    QListWidget *m_dostepne;
    QListWidget *m_widoczne;
    QToolButton *m_dodaj;
    QToolButton *m_dodajWszystkie;
    QToolButton *m_wGore;
    QToolButton *m_wDol;
    QToolButton *m_usun;
    QToolButton *m_usunWszystkie;
    QPushButton *m_zamknij;
    bool m_wypelnianie = false;
};
