#pragma once

#include <QPixmap>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPdfDocument;
class QScrollArea;
class QTextEdit;
class QToolButton;

// The files linked to one record: the list, a preview of the selected file,
// and adding (dialog, drag and drop, scanner), opening, copying, mailing and
// removing. Files live in the document store; the database keeps their path
// relative to the store root in the suite's form ("subfolder\name").
class Tramka_powiaz_pliki_frame : public QWidget
{
    Q_OBJECT
public:
    explicit Tramka_powiaz_pliki_frame(QWidget *parent = nullptr);

    void Init(const QString &tabela_slownie, int recordId, int upr);
    // The files of every document of a vehicle, else a company, else a driver; read-only.
    void InitOwnerDocuments(int vehicleId, int companyId, int driverId, int upr);
    // Adds one file; false when it was not stored and linked.
    bool StoreFile(const QString &path);

    QString storeRoot() const { return m_storeRoot; }
    QString storeFolder() const { return m_storeFolder; }
    int tabelaCode() const { return m_tabelaCode; }
    QListWidget *lbListaPlikow() const { return m_lista; }

    // ---- published handlers ----
    void bNowyClick();
    void bUsunClick();
    void bSkanujClick();
    void bKopiujDoClick();
    void bWyslijPlikPrzezMailClick();
    void Otworz1Click();
    void Otwrzzapomoc1Click();
    void bZInClick();
    void bZOutClick();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void zbudujWidok();
    QToolButton *przycisk(const char *nazwa, const char *klucz);
    void wczytajListe();
    void zaladuj(const QString &sql, const QVariantMap &parametry);
    // Links a file of the store folder to the record; false when refused.
    bool zarejestruj(const QString &nazwaPliku);
    void wybierzPierwszy();
    void podglad();
    void ustawSkale(double skala);
    void wybranaSkala(int indeks);
    void odswiezPrzyciski();
    // The local path of a listed file.
    QString pelnaSciezka(const QListWidgetItem *item) const;
    QStringList zaznaczonePliki(bool tylkoIstniejace) const;
    // A free name in `folder`: the proposal, or what the user gives while it is taken; empty when cancelled.
    QString wolnaNazwa(const QString &folder, const QString &nazwa);

    int m_tabelaCode = 0;
    int m_recordId = 0;
    int m_upr = 0;
    bool m_readOnly = false;
    QString m_storeRoot;      // suite form
    QString m_storeSubfolder; // the active company's short name
    QString m_storeFolder;    // local path of root\subfolder
    QString m_scanBaseName;
    double m_skala = 1.0;
    QPixmap m_obraz;

    QListWidget *m_lista = nullptr;
    QMenu *m_menu = nullptr;
    QWidget *m_panelObrazu = nullptr;
    QScrollArea *m_widokObrazu = nullptr;
    QWidget *m_obrazek = nullptr;
    QWidget *m_zoom = nullptr;
    QToolButton *m_zIn = nullptr;
    QToolButton *m_zOut = nullptr;
    QComboBox *m_skale = nullptr;
    QTextEdit *m_tekst = nullptr;
    QLabel *m_brakPodgladu = nullptr;
    QWidget *m_pdf = nullptr; // null without Qt PDF
    QPdfDocument *m_dokumentPdf = nullptr;
    QToolButton *m_nowy = nullptr;
    QToolButton *m_usun = nullptr;
    QToolButton *m_skanuj = nullptr;
    QToolButton *m_kopiujDo = nullptr;
    QToolButton *m_wyslij = nullptr;
};
