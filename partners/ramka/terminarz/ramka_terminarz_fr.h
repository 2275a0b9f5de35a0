#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QToolButton;

// A strip that ties one record of an editor to one entry of the suite's
// schedule: add an entry, edit it in the schedule module, remove it. The
// owner tells it the record (table code, id, 0 while unsaved) and whether an
// entry may be added now (say, a validity date is filled in).
class Tramka_terminarz_frame : public QWidget
{
    Q_OBJECT
public:
    explicit Tramka_terminarz_frame(QWidget *parent = nullptr);

    // Stores the record and recomputes the buttons.
    void UstawRekord(int kodTabeli, int idRekordu, bool mozeDodac);
    void OdswiezStan(int kodTabeli, int idRekordu, bool mozeDodac);
    // For an unsaved record: the editor holding the strip saves it first,
    // with the user's consent. True when the record may get its entry now.
    bool ZapewnijZapis();

    // The owner's own add action; without one, adding only recomputes the buttons.
    std::function<void()> DodajTermin;

    void bDodajClick();
    void bEdytujClick();
    void bUsunClick();

    QLabel *lNazwa() const { return m_nazwa; }
    QToolButton *bDodaj() const { return m_dodaj; }
    QToolButton *bEdytuj() const { return m_edytuj; }
    QToolButton *bUsun() const { return m_usun; }
    // Two-state buttons held down: create or remove the entry when the record is saved.
    bool DodajPrzyZapisie() const;
    bool UsunPrzyZapisie() const;
    int IdTerminu() const { return m_idTerminu; }

private:
    int m_kodTabeli = 0;
    int m_idRekordu = 0;
    bool m_mozeDodac = false;
    int m_idTerminu = 0;
    QLabel *m_nazwa;
    QToolButton *m_dodaj;
    QToolButton *m_edytuj;
    QToolButton *m_usun;
};
