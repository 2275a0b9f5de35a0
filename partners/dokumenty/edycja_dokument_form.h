#pragma once

#include "ramka/edycja/szablon_edycja_form.h"

class QTabWidget;
class Tramka_dokumenty_frame;
class Tramka_powiaz_pliki_frame;

// The document editor: the document's controls on the first page, its
// linked files on the second. A new document belongs to the owner the
// opening list shows.
class Tedycja_dokument_form : public Tszablon_edycja_form
{
    Q_OBJECT
public:
    explicit Tedycja_dokument_form(QWidget *parent = nullptr);

    // Owners preset for a new document; -1 when not given.
    void UstawWlasciciela(int idKierowcy, int idPojazdu, int idZlecenia, int idFirmy);

    Tramka_dokumenty_frame *ramka_dok() const { return m_ramkaDok; }
    Tramka_powiaz_pliki_frame *ramka_pliki() const { return m_pliki; }
    QTabWidget *PageControl() const { return m_strony; }

protected:
    void Wypelnij_Pola() override;
    void Wyczysc_Pola() override;
    void Wypelnij_Listy() override;
    bool sprawdzPoprawnosc() override;
    bool ZapiszZmiany(int mode) override;
    void odswiezTytul() override;

private:
    void pokazPliki();

    QTabWidget *m_strony;
    Tramka_dokumenty_frame *m_ramkaDok;
    Tramka_powiaz_pliki_frame *m_pliki;
    int m_aktywnaFirma = 0;
    int m_idKierowcy = -1;
    int m_idPojazdu = -1;
    int m_idZlecenia = -1;
    int m_idFirmy = -1;
};
