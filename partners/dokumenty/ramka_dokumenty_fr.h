#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class PoleDaty;
class QLineEdit;
class QPlainTextEdit;
class Tramka_koszty_frame;
class Tramka_terminarz_frame;
namespace ramka {
class ZalogaPojazdu;
}

// The controls of one document, its load and its save through PZapDokument,
// with the schedule entry of its validity date (table code 28).
class Tramka_dokumenty_frame : public QWidget
{
    Q_OBJECT
public:
    static constexpr int KodTabeli = 28;

    explicit Tramka_dokumenty_frame(QWidget *parent = nullptr);

    // The pick lists; a company's invoices need the company.
    void WypelnijListy(int idFirmy);
    void Wyczysc(int idKierowcy, int idPojazdu, int idFirmy);
    void Wczytaj(int idDokumentu);
    // mode 0 inserts, 1 updates the document id; the saved id comes back in id. Each refusal is told once.
    bool Zapisz(int mode, int &id);

    // Controls whose edits change the document.
    QList<QWidget *> pola() const;
    QComboBox *rodzaj_dok() const { return m_rodzaj; }
    PoleDaty *d_waz_od() const { return m_wazOd; }
    PoleDaty *d_waz_do() const { return m_wazDo; }
    QPlainTextEdit *d_uwagi() const { return m_uwagi; }
    Tramka_terminarz_frame *Terminarz() const { return m_terminarz; }
    // The document's cost; the editor shows it on a page of its own.
    Tramka_koszty_frame *Koszt() const { return m_koszt; }
    // The document type the opener gives the frame (@typ).
    int typ = 0;

protected:
private:
    void usunKoszt(int idKosztu);
    QComboBox *lista(const char *nazwa);
    bool mozeDodacTermin() const;
    void odswiezTerminarz();
    void dodajTermin();
    void dodajTerminZPrzycisku();

    int m_id = 0;
    bool m_wykonany = false;
    QString m_uwagiWczytane;
    QComboBox *m_rodzaj, *m_status, *m_miejsce, *m_kierowca, *m_pojazd, *m_zlecenie, *m_karta, *m_faktura, *m_delegacja,
        *m_firma;
    QLineEdit *m_numer, *m_ktoWyd;
    PoleDaty *m_wazOd, *m_wazDo, *m_dnia, *m_dataWyd, *m_dataZwrotu;
    QPlainTextEdit *m_uwagi;
    Tramka_terminarz_frame *m_terminarz;
    Tramka_koszty_frame *m_koszt;
    ramka::ZalogaPojazdu *m_zaloga;
};
