#pragma once

#include "ramka/edycja/szablon_edycja_form.h"

class QComboBox;
class QLabel;

// The editor of one row a company owns (a contact, a phone, an account, an
// address), run modally on the company's list of such rows. New rows, edits,
// moving through the list, the unsaved-changes question and the keys are the
// record editor's; this adds the company, the captions of the two modes, the
// save through the row's procedure in one transaction with the work that
// goes with it, the procedure's refusals in the user's words, and the focus
// on the first field whenever a row is shown.
class Tedycja_podrekordu_form : public Tszablon_edycja_form
{
    Q_OBJECT
public:
    struct Opis
    {
        const char *nazwa;       // window name
        const char *kluczNowego; // caption of a new row
        const char *kluczEdycji; // caption of an existing row
        const char *procedura;   // saving procedure
        const char *parametrId = "@id";
    };

    Tedycja_podrekordu_form(QWidget *parent, const Opis &opis);

    void UstawFirme(int idFirmy) { id_firmy = idFirmy; }
    int IdFirmy() const { return id_firmy; }

protected:
    // The procedure's parameters other than the row id, from the controls.
    virtual void ustawParametryZapisu(db::StoredProc &proc) = 0;
    // Work that stands or falls with the saved row, such as clearing the
    // previous default; false undoes the save.
    virtual bool poZapisieWiersza(int /*id*/) { return true; }
    // The control that takes the focus whenever a row is shown.
    virtual QWidget *pierwszePole() const = 0;
    // Tells the user to fill in the field named by the label, focuses it; false.
    bool brakPola(const QLabel *etykieta, QWidget *pole);
    // The host's dictionary editor on the dictionary of the list; the list is
    // read again and takes the entry chosen there.
    void wybierzZeSlownika(QComboBox *lista, const QString &typSlownika);

    bool ZapiszZmiany(int mode) override;
    void wczytajOkno() override;
    // After a save the list is read again: the saved row may have moved.
    void poWczytaniu() override { odswiezNawigacje(); }
    void odswiezTytul() override;
    // A row reached by previous or next keeps the editor's own caption.
    void nastepnyRekord() override
    {
        Tszablon_edycja_form::nastepnyRekord();
        odswiezTytul();
    }
    void poprzedniRekord() override
    {
        Tszablon_edycja_form::poprzedniRekord();
        odswiezTytul();
    }

    int id_firmy = 0;
    // The country's dialing prefix that a phone field may hold alone.
    const QString prefiks_kraju;

private:
    QString m_parametrId;
};
