#pragma once

#include <QDialog>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>
#include <source_location>

class QAction;
class QKeyEvent;
class QScrollArea;
class QToolButton;
class Tramka_lista_frame;

namespace db {
class DataSet;
class StoredProc;
} // namespace db

// The base window of every record editor of the module. It owns the save
// buttons and their keys, the edit/new/copy modes, the unsaved-changes state
// (the editor is dirty exactly while `zapisz` is enabled), the close question,
// moving through the list it was opened from, the standard save through
// `spZapisz`, session rows and docking in a container window. A derived
// editor puts its controls on PanelWnetrza() and overrides the virtual
// operations below.
class Tszablon_edycja_form : public QDialog
{
    Q_OBJECT
public:
    enum Tryb { Edycja = 0, Nowy = 1, Kopia = 2 };

    explicit Tszablon_edycja_form(QWidget *parent = nullptr,
                                  const QString &name = QStringLiteral("szablon_edycja_form"));
    ~Tszablon_edycja_form() override;

    // The opener's entry for a list: `tryb` 0 edits the current row of
    // `lista`, 1 starts a new record, 2 copies the current row; `upr` 1 or
    // more allows saving. Docked (parented into a QTabWidget or a
    // Tpustak_child_form) the editor loads, shows itself and returns 0 at
    // once. Otherwise it runs modally through the host's prompter when a list
    // is given and returns the dialog's result (Accepted when a save
    // succeeded), or returns Rejected without showing when there is none.
    int PokazDlaListy(db::DataSet *lista, int tryb, int upr);
    // The same for one record without a list (id 0 with tryb 1 for a new one).
    int PokazRekord(int id, int tryb, int upr);

    // ---- state the opener and tests read ----
    int IdRekordu() const { return id_rekordu; }
    int IdZrodla() const { return id_zrodla; }
    int TrybEdycji() const { return tryb; }
    int Uprawnienia() const { return upr; }
    bool CzyZmieniony() const; // unsaved changes
    bool Zajety() const { return zajety; }
    // Whether the user may leave what the editor shows now (another page, say):
    // not while a save, a move through the list or a close is under way.
    bool MoznaOpuscicStan() const { return !zajety && !zamykanie; }
    // The linked-files indicator: 4 when the record has linked files, 3 when not, 0 before any check.
    int ObrazekPowiazanychPlikow() const { return m_obrazekPlikow; }
    // The container the editor is docked in (a QTabWidget or Tpustak_child_form), or null.
    QWidget *Kontener() const;

    // ---- flags an opener sets before showing ----
    bool pokaz_id = false;
    bool odswiez_od_razu = true;
    bool wypelnianie = false;
    bool esc_nie_zamyka = false;
    int id_odswiezenia = 0;
    QString slownik_do_odswiezenia;
    QString nazwa_dll;
    std::function<void()> wlasne_odswiezanie;
    QPointer<db::DataSet> druga_lista;

    // ---- published components ----
    QScrollArea *szablonEdycjaScrollBox() const { return m_scrollBox; }
    QWidget *PanelWnetrza() const { return m_panelWnetrza; }
    QWidget *NewToolBarFront() const { return m_toolBarFront; }
    QWidget *NewToolBarFrontAdditional() const { return m_toolBarDodatkowy; }
    QToolButton *zapisz_zamknij() const { return m_zapiszZamknij; }
    QToolButton *zapisz() const { return m_zapisz; }
    QToolButton *zapisz_nast() const { return m_zapiszNast; }
    QToolButton *poprzButton() const { return m_poprz; }
    QToolButton *nastButton() const { return m_nast; }
    QToolButton *bPowiazPliki() const { return m_powiazPliki; }
    db::StoredProc *spZapisz() const { return m_spZapisz; }

    // ---- published handlers ----
    void zapisz_zamknijClick();
    void zapiszClick();
    void zapisz_nastClick();
    void zamknijClick();
    void nastButtonClick();
    void poprzButtonClick();
    void bPowiazPlikiClick();
    // Invokable so that any control's user-property signal can reach it.
    Q_INVOKABLE void EditChange();
    // Binds a control of a derived editor: its changes mark the editor dirty
    // and, with `enterZapisuje`, Enter in it saves (SzablonKeyDown).
    void podepnijPole(QWidget *pole, bool enterZapisuje = true);
    void SzablonKeyDown(QWidget *pole);
    // The slot behind the editor's keys: Ctrl+W/S/N and Page Down/Up as actions, Esc as the dialog's own.
    void FormKeyDown(Qt::Key klawisz);

protected:
    // ---- the virtual operations, in their fixed order ----
    // Fills the controls from id_rekordu; the base takes `id` of the list's
    // current row and records the session row. Derived editors call it first.
    virtual void Wypelnij_Pola();
    virtual void Wyczysc_Pola();
    virtual void Wypelnij_Listy();
    virtual void Wypelnij_Ramki();
    // After filling and after every successful save.
    virtual void poWczytaniu();
    virtual bool sprawdzPoprawnosc();
    virtual bool przedZapisem();
    // mode 0 inserts (new or copy), 1 updates. The base runs spZapisz.
    virtual bool ZapiszZmiany(int mode);
    virtual void oznaczBezZmian();
    virtual void odswiezNawigacje();
    virtual void nastepnyRekord();
    virtual void poprzedniRekord();
    // Prepares the window for the current tryb.
    virtual void wczytajOkno();
    virtual void odswiezTytul();

    // ---- operations no editor needs to override ----
    void oznaczZmiany();
    // Whether the window may close; asks about unsaved changes.
    bool moznaZamknac();
    void zapiszRekord();
    void zapiszIZamknij();
    void zapiszINowy();
    void nowyBezZapisu();
    void zamknijEdytor();
    void FormCreateFunk();
    // Moves the list to the row of id_rekordu.
    void ustawListeNaRekordzie();
    void OdswiezGlobListe();

    // The caption of a new record: naglowek_nowy, else naglowek + " - " + "Nowy".
    QString podpisNowego() const;
    // The list frame the editor was opened from, if any.
    Tramka_lista_frame *ramka() const;
    // The window caption; the unsaved-changes mark is added here.
    void ustawPodpis(const QString &podpis);

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

    // ---- private state of the record editor (shared with derived editors) ----
    int id_rekordu = 0;
    int id_zrodla = 0;
    int tryb = Edycja;
    QPointer<db::DataSet> lista;
    int upr = 0;
    int id_jezyka = 0;
    QString tabela_slownie;
    QString naglowek;
    QString naglowek_nowy;
    bool do_odswiezenia = false;
    bool zajety = false;
    bool zamykanie = false;

private:
    void zbudujWidok();
    void uruchom();
    void zbudujKlawisze();
    // A key action is on exactly while its key would act.
    void odswiezKlawisze();
    void zapiszKlawiszem(QToolButton *przycisk, void (Tszablon_edycja_form::*klik)());
    bool enterWPolu(QObject *pole, QEvent *event);
    bool dataWTrakcieWpisywania();
    void FormClose();
    // Next or previous row of the owning list, loaded in edit mode.
    void przejdzNaWiersz(bool naprzod);
    void obslugaSesji(bool otwarcie);
    void odswiezPowiazanePliki();
    void dopasujDoEkranu();
    void wyslijPodpisDoKontenera();
    int biezaceIdListy() const;
    void pokazWKontenerze();
    template <typename F>
    void gdyWolny(F &&work, const std::source_location &where = std::source_location::current());

    QScrollArea *m_scrollBox = nullptr;
    QWidget *m_panelWnetrza = nullptr;
    QWidget *m_toolBarFront = nullptr;
    QWidget *m_toolBarDodatkowy = nullptr;
    QToolButton *m_zapiszZamknij = nullptr;
    QToolButton *m_zapisz = nullptr;
    QToolButton *m_zapiszNast = nullptr;
    QToolButton *m_poprz = nullptr;
    QToolButton *m_nast = nullptr;
    QToolButton *m_powiazPliki = nullptr;
    db::StoredProc *m_spZapisz = nullptr;

    QString m_podpis;               // the caption without the unsaved-changes mark
    QSet<QObject *> m_polaKlawiszy; // controls bound through SzablonKeyDown
    QMap<Qt::Key, QAction *> m_klawisze;
    QPointer<QWidget> m_kontenerFiltrowany;
    bool m_uruchomiony = false;
    bool m_ladowanie = false;
    bool m_zapisano = false;
    int m_obrazekPlikow = 0;
};
