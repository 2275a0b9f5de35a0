#pragma once

#include "ramka/ramka_lista_fr.h"

// The documents of one owner (a driver, a vehicle, an order or a company; -1
// leaves an owner out), each opened modally in the document editor. Owners
// are bound values of the statement, rebuilt when they change.
class Tlista_dokumenty_frame : public Tramka_lista_frame
{
    Q_OBJECT
public:
    explicit Tlista_dokumenty_frame(QWidget *parent = nullptr);

    void UstawWlasciciela(int idKierowcy, int idPojazdu, int idZlecenia, int idFirmy);
    // The simplified variant hides the card, order, trip and invoice columns; the host's switch turns it on too.
    void UstawUproszczona(bool uproszczona);
    // The opener's rights level: 0 opens the editor without saving.
    void UstawUprawnienia(int upr) { m_upr = upr; }
    // Shows the owner's rows; the list's settings are kept under the window's name.
    void Otworz(const QString &nazwaOkna);

protected:
    void ListaBeforeOpen() override;
    void NowyRekord() override;
    void EdytujRekord(int id, bool kopia) override;

private:
    void uruchomEdytor(int tryb);

    int m_idKierowcy = -1;
    int m_idPojazdu = -1;
    int m_idZlecenia = -1;
    int m_idFirmy = -1;
    int m_upr = 0;
};
