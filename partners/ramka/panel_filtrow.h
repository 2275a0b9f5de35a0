#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <utility>

class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QMenu;
class QToolButton;

namespace ramka {

// The filter bar of a list frame (pPanelFiltry): date range, date column,
// the two pickers and the phrase search. It shows what the frame gives it
// and reports what the user did; the frame owns the range and the filters.
class PanelFiltrow : public QWidget
{
    Q_OBJECT
public:
    explicit PanelFiltrow(QWidget *parent = nullptr);

    QComboBox *zakresDat() const { return m_zakresDat; }
    QComboBox *ktoraData() const { return m_ktoraData; }
    QLineEdit *szukanyTekst() const { return m_szukany; }
    QMenu *menuFrazy() const { return m_menuFrazy; }

    // Neither of these reports back: they show the frame's state.
    // Items of zakres_dat as (text, preset code).
    void ustawZakresy(const QList<std::pair<QString, int>> &pozycje, int wybrana, bool pelnaLista);
    // Days as the suite counts them; below 1 the picker shows no date.
    void pokazOkres(double od, double do_, bool pickeryAktywne, bool kolumnaAktywna);

    double okresOd() const;
    double okresDo() const;
    // A picker's calendar is open: the user is still choosing.
    bool wyborDatyTrwa() const;
    // bOkres_zastosuj waits for the next change of a picker.
    void wylaczZastosowanieOkresu();
    // A list without dates shows none of the range's controls.
    void ukryjZakresDat();
    // bSzukany_tekst is marked when the phrase searches only some columns.
    void pokazKolumnyFrazy(bool wszystkie);

signals:
    void zapiszFiltry();
    void zakresWybrany();
    void kolumnaDatyWybrana();
    void okresZmieniony();
    void okresOpuszczony();
    // Enter in a picker: apply the range at once.
    void okresZatwierdzony();
    void okresZastosowany();
    void frazaZastosowana();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *m_zapiszFiltry = nullptr;
    QComboBox *m_zakresDat = nullptr;
    QComboBox *m_ktoraData = nullptr;
    QDateTimeEdit *m_okresOd = nullptr;
    QDateTimeEdit *m_okresDo = nullptr;
    QToolButton *m_zastosujOkres = nullptr;
    QLineEdit *m_szukany = nullptr;
    QToolButton *m_kolumnyFrazy = nullptr;
    QMenu *m_menuFrazy = nullptr;
    bool m_wypelnianie = false;
};

} // namespace ramka
