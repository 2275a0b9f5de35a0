#pragma once

#include "company/dane_firmy.h"
#include "company/walidacja_firmy.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <initializer_list>

class QColor;
class QComboBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QTimeEdit;
class QToolButton;
class Tramka_podrekordow_frame;

namespace partners {

// One page of the company editor: it builds its controls, fills them from
// the company's values and collects them back, and carries its own rules.
// The editor binds the controls the page names so that editing them marks
// the company changed; what a button changes the page reports by zmieniono().
class StronaFirmy : public QWidget
{
    Q_OBJECT
public:
    StronaFirmy(QWidget *rodzic, const char *nazwa);

    // The page's lists, read before the values are shown.
    virtual void wczytajListy() {}
    virtual void wczytaj(const DaneFirmy &dane) = 0;
    virtual void zbierz(DaneFirmy &dane) const = 0;
    // The first display of the page for the stored company; the base opens the page's lists.
    virtual void zaladuj(int idFirmy);
    // After a successful save of the company.
    virtual void poZapisie(const DaneFirmy &) {}
    // The control of a field the validation reports, when it is on this page.
    virtual QWidget *kontrolka(PoleFirmy) const { return nullptr; }

    // Controls whose edits change the company; memos take Enter as a new line.
    QList<QWidget *> pola() const { return m_pola; }
    QList<QWidget *> wieloliniowe() const { return m_wieloliniowe; }
    // The editor's rights level (0 read-only), as the own-company lock leaves it.
    virtual void ustawUprawnienia(int upr);

    // A list of the company's own rows, in a group under the caption.
    void dodajRamke(Tramka_podrekordow_frame *ramka, const QString &podpis);
    QList<Tramka_podrekordow_frame *> ramki() const { return m_ramki; }

signals:
    void zmieniono();

protected:
    void edytowalne(std::initializer_list<QWidget *> pola) { m_pola.append(pola); }
    void edytowalneWieloliniowe(std::initializer_list<QWidget *> pola) { m_wieloliniowe.append(pola); }
    // Opens the host dictionary frame on the list's dictionary; the page's
    // lists are then rebuilt our way and the entry picked there is chosen.
    void dodajDoSlownika(QComboBox *combo, const QString &typSlownika);
    // Where dodajRamke puts a list's group; by default the page's own layout.
    virtual void umiescRamke(QWidget *grupa);

    int m_upr = 0;
    bool m_wypelnianie = false; // the page itself is setting its controls

private:
    QList<QWidget *> m_pola;
    QList<QWidget *> m_wieloliniowe;
    QList<Tramka_podrekordow_frame *> m_ramki;
};

// A page that holds only lists of the company's own rows, one under another.
class StronaRamek : public StronaFirmy
{
    Q_OBJECT
public:
    StronaRamek(QWidget *rodzic, const char *nazwa);
    void wczytaj(const DaneFirmy &) override {}
    void zbierz(DaneFirmy &) const override {}

protected:
    void umiescRamke(QWidget *grupa) override;

private:
    QSplitter *m_podzial = nullptr;
};

// Building blocks shared by the pages.
namespace strony {

template <typename W>
W *nazwany(W *w, const char *nazwa)
{
    w->setObjectName(QLatin1String(nazwa));
    return w;
}

QLineEdit *edit(QWidget *rodzic, const char *nazwa, int maks);
// A pick list; `gotowy` when a special kind of combo box is wanted.
QComboBox *combo(QWidget *rodzic, const char *nazwa, QComboBox *gotowy = nullptr);
QToolButton *przycisk(QWidget *rodzic, const char *nazwa, const QString &podpis, const QString &podpowiedz = QString());
QTimeEdit *czas(QWidget *rodzic, const char *nazwa);
// A label whose "&" letter jumps to the control.
QLabel *etykieta(const QString &tekst, QWidget *pole, QWidget *rodzic);
QWidget *wiersz(QWidget *rodzic, std::initializer_list<QWidget *> pola, int rozciagany = 0);
// Colours of a number checked while it is typed: a hint, saving does not depend on it.
extern const QColor KolorPoprawny;
extern const QColor KolorBledny;
// An invalid colour gives back the normal text colour.
void kolorTekstu(QWidget *pole, const QColor &kolor);
// An empty field keeps the normal colour.
void kolorNumeru(QLineEdit *pole, bool (*sprawdz)(const QString &));
void kolejnosc(std::initializer_list<QWidget *> pola);
// Lets `obsluz` see the watched object's events first; it returns true to swallow one.
QObject *filtrZdarzen(QObject *obserwowany, std::function<bool(QEvent *)> obsluz);

// Id of the chosen entry; 0 when none.
int idZCombo(const QComboBox *c);
// Chooses the entry of the id; none, or the empty first entry, for 0.
void wybierzId(QComboBox *c, int id);

} // namespace strony

} // namespace partners
