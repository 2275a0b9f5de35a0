#pragma once

#include "ramka/ramka_lista_fr.h"

class Tedycja_podrekordu_form;

// The list of one company's rows of a table that belongs to it (contacts,
// phones, accounts, addresses, periods, branches) on a page of the company
// editor. It binds the company, and the language where the command asks for
// it, has no filter panel, and runs its row editor modally on its rows.
class Tramka_podrekordow_frame : public Tramka_lista_frame
{
    Q_OBJECT
public:
    Tramka_podrekordow_frame(QWidget *parent, const QString &name);

    // The company whose rows are listed, bound at the next open.
    void UstawFirme(int idFirmy) { m_idFirmy = idFirmy; }
    int IdFirmy() const { return m_idFirmy; }
    int IdJezyka() const { return m_idJezyka; }
    // The company editor's rights level: 0 opens the row editor without saving.
    void UstawUprawnienia(int upr) { m_upr = upr; }
    int Uprawnienia() const { return m_upr; }

    // Shows the company's rows; the list's settings are kept under the window's name.
    void Otworz(int idFirmy, const QString &nazwaOkna);

protected:
    // A grid column; the title is a translation key, so a saved layout shows in the language of the day.
    static ui::GridColumn kolumna(const char *pole, const char *klucz, int szerokosc, bool widoczna = true,
                                  bool poleWyboru = false);

    // The parameter of the command that takes the company id.
    QString ParametrFirmy = QStringLiteral("id_f");
    // A list without a row editor shows no record actions.
    bool TylkoPodglad = false;
    virtual Tedycja_podrekordu_form *UtworzEdytorPodrekordu() { return nullptr; }
    // The row whose `kolumna` is set is the company's default: instead of deleting it the user is told `klucz`.
    void ChronDomyslny(const char *kolumna, const char *klucz);
    bool PrzedUsunieciem(int id) override;

    void ListaBeforeOpen() override;
    void NowyRekord() override;
    void EdytujRekord(int id, bool kopia) override;

private:
    void uruchomEdytor(int tryb);

    int m_idFirmy = 0;
    int m_idJezyka = 0;
    int m_upr = 0;
    QString m_kolumnaDomyslna;
    const char *m_kluczDomyslnego = nullptr;
};
