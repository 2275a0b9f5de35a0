#pragma once

#include "ramka/actions/usuwanie_watek.h"
#include "ramka/filters/date_presets.h"
#include "ramka/filters/date_sql.h"
#include "ramka/filters/filter_collector.h"
#include "ramka/filters/phrase_search.h"
#include "ramka/settings/list_settings_store.h"

#include <grid_column.h>
#include <row_selection.h>

#include <QDate>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;

namespace db {
class DataSet;
class StoredProc;
} // namespace db
namespace ui {
class ListaGrid;
}

class TComboFiltrPopup;
class Tszablon_edycja_form;
namespace ramka {
class PanelFiltrow;
}

// The reusable list behind every list of the module. A derived frame
// declares its command (UstawKwerende), its grid columns (UstawKolumny) and
// its table (UstawTabele), and overrides the editor hooks; loading, filters,
// sorting, selection, settings, deletion, export and print happen here.
class Tramka_lista_frame : public QWidget
{
    Q_OBJECT
    // Lets the host see, without linking the module, that the rows are in.
    Q_PROPERTY(bool DaneWczytane READ daneWczytane)
public:
    explicit Tramka_lista_frame(QWidget *parent = nullptr, const QString &name = QStringLiteral("ramka_lista_frame"));
    ~Tramka_lista_frame() override;

    void InicjujRamke(const QString &kodDll, bool tylkoOdczyt, const QString &formName, const QString &componentName,
                      bool bezWlasnejKwerendy = false);

    // ---- components ----
    db::DataSet *Lista() const { return m_lista; }
    ui::ListaGrid *ListaGrid() const { return m_grid; }
    QToolBar *ToolBar() const { return m_toolBar; }
    QToolBar *ToolBarDodatkowy() const { return m_toolBarDodatkowy; }
    QMenu *dostosuj_popup() const { return m_popup; }
    QLineEdit *szukany_tekst() const;
    // Opens the queued edits (DoEdycji) and restores the session once started.
    QTimer *Timer1() const { return m_timer; }
    QAction *akcja(const QString &name) const;
    QString tekstPanelu(int panel) const;

    // ---- state ----
    // Kept by the frame; owners and tests read it.
    const QString &formularz() const { return m_formularz; }
    bool daneWczytane() const { return m_daneWczytane; }
    bool odswiezanieTrwa() const { return m_odswiezanieTrwa; }
    bool sesjaOdtworzona() const { return m_sesjaOdtworzona; }
    QStringList KolumnyWyszukiwania;
    QStringList KolumnyDat;
    QList<int> DoEdycji;
    partners::TFilterCollector FiltrListy;
    partners::DateRangeFilter &zakres() { return m_zakres; }
    ramka::UstawieniaListy *ustawienia() const { return m_ustawienia.get(); }

    // ---- operations ----
    void odswiezClick();
    void OtworzListe();
    void nowyClick();
    void edycjaClick();
    void nkopiowanieClick();
    void usunClick() { usun(true); }
    void usun(bool przezUzytkownika);
    void zapiszClick();
    void podgladClick();
    void widoczneClick();
    void resetClick();
    void dostosuj_szerokoscClick();
    void usunfiltryClick();
    void bZapiszFiltryListyClick() { ZapisUstawienListy(true); }
    void bWyszWgFrazyZastosujClick() { WarunekFrazy(); }
    void zakres_datChange(bool odswiez = true);
    void ktora_dataChange();
    void ComboFiltrMouseUp(int filterIndex);
    void otworzFiltrKolumny(int column);
    void Timer1Timer();

    void ZapisUstawienListy(bool tylkoFiltry);
    void OdczytUstawienListyPoczatek();
    void ResetUstawienListy();
    bool GoToId(qint64 id);
    // The row's description for captions; record editors opened from the list ask for it too.
    QString ZwrocTekstOpis(int id);
    qint64 idBiezacegoWiersza() const;
    void ustawDzisiaj(const QDate &dzisiaj) { m_dzisiaj = dzisiaj; }
    QDate dzisiaj() const;

    // ---- virtual operations for derived frames ----
    virtual QString PotwierdzUsuniecieZaznaczonych();
    // The question before one row the user chose is deleted.
    virtual QString PotwierdzUsuniecie(int id);
    virtual void UtworzFiltryKolumn();
    virtual QString DodatkowyWarunekFrazy(const QString &fraza);
    virtual void EdytujLubKopiuj(bool kopia);
    virtual void WarunekFrazy();
    virtual Tszablon_edycja_form *UtworzEdytor();
    virtual void PokazEdytor(Tszablon_edycja_form *edytor);
    virtual void PokazLiczbeRekordow();
    virtual bool Usuwanie_rekordu(int id);
    virtual bool UsunZaznaczone(const QList<int> &ids);
    // PUsunW's row parameters (@tabela, @nazwa_id, @id); a frame whose rows
    // are deleted through another record overrides it. A multi-row delete
    // calls it for its worker's procedure: values only, not its connection.
    virtual void ustawParametryUsuwania(db::StoredProc &usun, int id) const;
    virtual bool PrzedUsunieciem(int id);
    virtual bool PoUsunieciu(int id);
    virtual void PoUsuwaniu();
    virtual void DopasujSzerokosci();
    virtual void PierwszeOtwarcie();

protected:
    // ---- declarations of a derived frame ----
    // The base SELECT; may hold :okres_od/:okres_do (and ...1, ...2) and must select `id`.
    void UstawKwerende(const QString &sql);
    const QString &bazowaKwerenda() const { return m_bazowa; }
    // Grid columns in design order (the default layout); the selection column is added in front.
    void UstawKolumny(std::vector<ui::GridColumn> kolumny);
    // Fields known before the first open (date columns of ktora_data).
    void UstawPola(const QList<db::FieldDef> &pola) { m_pola = pola; }
    // @tabela and @nazwa_id of the delete procedures.
    void UstawTabele(const QString &tabela, const QString &nazwaId);
    const QString &tabela() const { return m_tabela; }
    const QString &nazwaId() const { return m_nazwaId; }

    bool EdycjaDozwolona = true;
    bool NowyDozwolony = true;
    bool Zablokowana = false;
    bool SprawdzajPrzedUsunieciem = true;
    bool OdswiezFirmyPoUsunieciu = false;
    QString NazwaSlownika;
    QString TabelaSlownie; // looks up linked files of deleted rows
    QString SzablonOpisu;  // ZwrocTekstOpis; default Edycja + " %id"
    partners::DateParameterOptions OpcjeDat;
    int DomyslnyZakres = partners::DatePresetCode::All; // applied at init unless a stored range exists
    // Non-zero adds the control-period preset and forces deletions.
    int KontekstRamki = 0;
    int LimitCzasuUsuwania = ramka::LimitCzasuUsuwania; // ms for one row's delete
    QString DomyslnaKolumnaDaty;
    QStringList FormatyLiczbPola; // with FormatyLiczbMiejsca: number of decimals per field
    QStringList FormatyLiczbMiejsca;
    QStringList FormatyLiczbProste; // "#0.00"
    QStringList WykluczoneZWyszukiwania;

    // ---- editor hooks ----
    virtual void InicjujEdytorNowy(Tszablon_edycja_form *edytor);
    virtual void WczytajDoEdytora(Tszablon_edycja_form *edytor, int id, bool kopia);
    virtual void NowyRekord();
    virtual void EdytujRekord(int id, bool kopia);
    virtual Tszablon_edycja_form *OtwartyEdytor(int id);
    virtual QTabWidget *ZakladkiEdytorow();
    bool OtwieraneZSesji() const { return m_zSesji; }
    // An editor already open for the row comes forward: its page, or its window.
    void pokazOtwartyEdytor(Tszablon_edycja_form *edytor);

    // ---- data-set steps ----
    virtual void ListaBeforeOpen();
    virtual void ListaAfterOpen();
    virtual void ListaFetchComplete();
    // OpenQuery of the host (1, 0 or -3).
    virtual int OtworzZapytanie(db::DataSet &lista);
    // With BezWlasnejKwerendy: the owner re-reads its rows.
    virtual void OdswiezDaneZewnetrzne();
    virtual QString KodModuluUstawien() const;

    QList<partners::GridColumnInfo> kolumnyInfo() const;
    void aktualizujPrzyciski();
    // For a list whose rows have no dates.
    void ukryjZakresDat();
    void aktualizujTytulyFiltrow();

private:
    void zbudujWidok();
    void wypelnijZakresDat();
    void pokazZakres();
    void przeczytajPickery();
    void wypelnijKtoraData(bool zPol);
    void odbudujMenuFrazy();
    void zastosujFiltry();
    void zastosujUkladKolumn(const UkladKolumn &uklad);
    UkladKolumn ukladZSiatki() const;
    void zastosujFormaty();
    void ponownieOtworz();
    void poWczytaniu();
    void ustawStatus(int panel, const QString &text);
    void pokazPostepZapisu(int biezacy, int wszystkich);
    // Names the list in a saved file and on a print.
    QString tytulListy() const;

    QString m_kodDll;
    QString m_formularz;
    QString m_nazwaKomponentu;
    bool m_tylkoOdczyt = false;
    bool m_bezWlasnejKwerendy = false;
    bool m_daneWczytane = false;
    bool m_odswiezanieTrwa = false;
    bool m_sesjaOdtworzona = false;
    db::DataSet *m_lista = nullptr;
    db::StoredProc *m_usunRekord = nullptr;
    db::StoredProc *m_usuwanie = nullptr;
    db::StoredProc *m_usunPowiazPliki = nullptr;
    ui::ListaGrid *m_grid = nullptr;
    QToolBar *m_toolBar = nullptr;
    QToolBar *m_toolBarDodatkowy = nullptr;
    QMenu *m_popup = nullptr;
    ramka::PanelFiltrow *m_panelFiltry = nullptr;
    QList<QLabel *> m_panele;
    QTimer *m_timer = nullptr;
    QPointer<TComboFiltrPopup> m_popupFiltru;

    partners::DateRangeFilter m_zakres;
    partners::PhraseColumnsMenu m_kolumnyFrazy;
    std::unique_ptr<ramka::UstawieniaListy> m_ustawienia;
    QString m_bazowa;
    QString m_tabela;
    QString m_nazwaId;
    QString m_ostatniaKwerenda;
    QList<db::FieldDef> m_pola;
    std::vector<ui::GridColumn> m_kolumnyProjektu;
    QString m_kolumnaDaty;
    QDate m_dzisiaj;
    bool m_zainicjowana = false;
    bool m_zSesji = false;
    bool m_formatyUstawione = false;
    bool m_pierwszeOtwarcie = true;
    bool m_usuwaniePrzezUzytkownika = true;
    // What Usuwanie_rekordu is given besides the id: the linked files the user
    // agreed to remove, and the report of a multi-row delete (none: message boxes).
    QHash<int, QList<ramka::PlikPowiazany>> m_plikiDoUsuniecia;
    ramka::WynikUsuwania *m_raportUsuwania = nullptr;
};
