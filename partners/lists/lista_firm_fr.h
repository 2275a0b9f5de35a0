#pragma once

#include "lists/lista_firm_grupy.h"
#include "ramka/ramka_lista_fr.h"

#include <QColor>
#include <QList>
#include <QVariant>

class QCheckBox;
class QSpinBox;
namespace partners {
class SzybkieSzukanieKontroler;
}

// The company list: the generic list frame with the companies' query,
// columns, group names, the two filter boxes and the guard that keeps the
// active company from being deleted. New, edit and copy open the company
// editor, modally or docked in the tab the generic frame provides.
class Tlista_firm_frame : public Tramka_lista_frame
{
    Q_OBJECT
public:
    explicit Tlista_firm_frame(QWidget *parent = nullptr, const QString &name = QStringLiteral("lista_firm_frame"));
    ~Tlista_firm_frame() override;

    // Rights level given by the entry point; saving needs a non-zero level.
    int Uprawnienia = 0;
    // Set only when the editor is called from outside the list.
    bool EdycjaZZewnatrz = false;
    // Edits run in a modal window even where the frame would dock them in a tab.
    bool EdycjaModalna = false;
    int IdJezyka() const { return m_idJezyka; }

    // Refuses when the selection holds the active company; otherwise deletes
    // and forgets every deleted company as a user's active one.
    void usunFirmyClick();

    // "Ustaw jako aktywną firmę": the current row's company becomes the host's
    // active company and the main window is told.
    void UstawAktywnaFirmeClick();
    // "Podgląd powiązanych plików": the linked files of the current row's company.
    void PodgladPowiazanychPlikowClick();

    // "Zmień dane dla zaznaczonych rekordów": the one handler of its entries, told apart by their names.
    void Multiakcje_funk(QAction *wpis);
    // Import from a file, then the list is read again.
    void ImportZPlikuClick();
    // Export to a file of the companies the list shows, in its order.
    void ExportDoPlikuClick();
    // Loading or changing companies in bulk: the window must not close meanwhile.
    bool Zajety() const { return odswiezanieTrwa() || m_multiakcjaTrwa || m_plikTrwa; }

    QCheckBox *TylkoWlasneFirmyCheck() const { return m_tylkoWlasne; }
    QCheckBox *cbUkryjFirmyZalRoz() const { return m_ukryjZalRoz; }
    QCheckBox *cbDokumentyWygasaja() const { return m_dokumentyWygasaja; }
    QSpinBox *seDniWygasania() const { return m_dniWygasania; }
    partners::SzybkieSzukanieKontroler *SzybkieSzukanie() const { return m_szybkieSzukanie; }

protected:
    void ListaBeforeOpen() override;
    void ListaAfterOpen() override;
    void ListaFetchComplete() override;
    // The settings module keeps its own list of companies: told after each deletion.
    bool PoUsunieciu(int id) override;

    // ---- the company editor ----
    Tszablon_edycja_form *UtworzEdytor() override;
    void InicjujEdytorNowy(Tszablon_edycja_form *edytor) override;
    void WczytajDoEdytora(Tszablon_edycja_form *edytor, int id, bool kopia) override;
    void PokazEdytor(Tszablon_edycja_form *edytor) override;
    Tszablon_edycja_form *OtwartyEdytor(int id) override;
    QTabWidget *ZakladkiEdytorow() override;

private:
    void dodajMenuKontekstowe();
    void menuKontekstoweOtwierane();
    void tlumaczNapisy();
    QColor kolorWiersza(int row) const;
    // Tells the user and answers false when the rights do not allow changing the companies.
    bool zmianyDozwolone(const QList<int> &ids);
    // Docks the editor into the frame's tab widget and shows it there; false when edits run as windows.
    bool pokazWZakladce(Tszablon_edycja_form *edytor, int tryb);

    int m_idJezyka = 0;
    bool m_multiakcjaTrwa = false;
    bool m_plikTrwa = false; // an import or export runs
    int m_trybEdytora = 0;   // of the editor being opened: 0 edit, 1 new, 2 copy
    bool m_koloryWgStatusu = false;
    QVariant m_kolorDomyslny;
    int m_poleStatusKolor = -1;
    partners::SzybkieSzukanieKontroler *m_szybkieSzukanie = nullptr; // only with option 136
    QCheckBox *m_tylkoWlasne = nullptr;
    QCheckBox *m_ukryjZalRoz = nullptr;
    QCheckBox *m_dokumentyWygasaja = nullptr;
    QSpinBox *m_dniWygasania = nullptr;
    partners::NazwyGrupFirm m_grupy;
};
