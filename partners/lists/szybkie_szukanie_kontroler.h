#pragma once

#include "lists/szybkie_szukanie.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace db {
class DataSet;
}

namespace partners {

class FirmyListBox;

// Drives the quick-find list from the keys typed in the phrase box. The list
// is a child of the phrase box's window, placed under the box.
class SzybkieSzukanieKontroler : public QObject
{
    Q_OBJECT
public:
    // Typing a common letter into 100,000 rows must stay instant, so only the
    // first matches are shown.
    static constexpr int NajwiecejWpisow = 200;

    SzybkieSzukanieKontroler(QLineEdit *fraza, QWidget *siatka, std::function<void(int id)> wybierz,
                             QObject *parent = nullptr);
    ~SzybkieSzukanieKontroler() override;

    // After every open of the list: the old entries may be gone. A million
    // rows take a while, so the texts come in steps between events; the
    // first key finishes them, and reopening the list drops them.
    void przebuduj(const db::DataSet &lista);
    void ukryj();
    bool widoczna() const;

    // Built to the end.
    const SzybkieSzukanieFirm &indeks();
    bool buduje() const { return !m_indeks.zbudowany(); }
    // Created on first use; lives as long as the window that holds it.
    FirmyListBox *lista();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool klawisz(QKeyEvent *event);
    void wypelnij();
    void umiesc();
    void wybierzWiersz(int wiersz);
    void budujKrok();
    void dokoncz();
    void porzuc();

    QPointer<QLineEdit> m_fraza;
    // Compared without a cast: the filter still sees the line edit while it is being destroyed.
    const QObject *m_filtrowane = nullptr;
    QPointer<QWidget> m_siatka;
    std::function<void(int)> m_wybierz;
    QPointer<FirmyListBox> m_lista;
    SzybkieSzukanieFirm m_indeks;
    QTimer *m_budowa = nullptr;
    QList<int> m_pokazane; // index positions of the shown entries
    bool m_czekaNaZwolnienie = false;
};

} // namespace partners
