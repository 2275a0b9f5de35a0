#include "lists/szybkie_szukanie_kontroler.h"

#include "lists/firmy_list_box.h"

#include "dataset.h"
#include "handler_guard.h"
#include "host_funcs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <exception>

namespace partners {

SzybkieSzukanieKontroler::SzybkieSzukanieKontroler(QLineEdit *fraza, QWidget *siatka,
                                                   std::function<void(int id)> wybierz, QObject *parent)
    : QObject(parent),
      m_fraza(fraza),
      m_siatka(siatka),
      m_wybierz(std::move(wybierz)),
      m_budowa(new QTimer(this))
{
    m_budowa->setSingleShot(true);
    m_budowa->setInterval(0);
    connect(m_budowa, &QTimer::timeout, this, &SzybkieSzukanieKontroler::budujKrok);
    if (m_fraza) {
        m_fraza->installEventFilter(this);
        m_filtrowane = m_fraza;
        // The clear button empties the box without a key.
        connect(m_fraza, &QLineEdit::textEdited, this, [this](const QString &tekst) {
            if (tekst.isEmpty())
                ukryj();
        });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *teraz) {
        if (teraz && m_siatka && (teraz == m_siatka || m_siatka->isAncestorOf(teraz)))
            ukryj();
    });
}

SzybkieSzukanieKontroler::~SzybkieSzukanieKontroler()
{
    // The list belongs to the window, which may outlive the frame.
    delete m_lista;
}

FirmyListBox *SzybkieSzukanieKontroler::lista()
{
    if (!m_lista) {
        m_lista = new FirmyListBox(m_fraza ? m_fraza->window() : nullptr);
        m_lista->hide();
        connect(m_lista, &FirmyListBox::wybrano, this, &SzybkieSzukanieKontroler::wybierzWiersz);
    }
    return m_lista;
}

bool SzybkieSzukanieKontroler::widoczna() const
{
    return m_lista && !m_lista->isHidden();
}

void SzybkieSzukanieKontroler::przebuduj(const db::DataSet &lista)
{
    ukryj();
    m_budowa->stop();
    if (!host::guard([&] { m_indeks.zacznij(lista); })) {
        m_indeks.wyczysc();
        return;
    }
    connect(&lista, &db::DataSet::beforeOpen, this, &SzybkieSzukanieKontroler::porzuc, Qt::UniqueConnection);
    connect(&lista, &db::DataSet::afterClose, this, &SzybkieSzukanieKontroler::porzuc, Qt::UniqueConnection);
    m_budowa->start();
}

const SzybkieSzukanieFirm &SzybkieSzukanieKontroler::indeks()
{
    dokoncz();
    return m_indeks;
}

// One step between events: short enough not to be noticed.
void SzybkieSzukanieKontroler::budujKrok()
{
    constexpr int KrokMs = 20;
    constexpr int Porcja = 4096;
    QElapsedTimer zegar;
    zegar.start();
    bool gotowe = false;
    if (!host::guard([&] {
            do
                gotowe = m_indeks.dobuduj(Porcja);
            while (!gotowe && zegar.elapsed() < KrokMs);
        }))
        porzuc();
    else if (!gotowe)
        m_budowa->start();
}

void SzybkieSzukanieKontroler::dokoncz()
{
    if (m_indeks.zbudowany())
        return;
    m_budowa->stop();
    if (!host::guard([&] { m_indeks.dokoncz(); }))
        porzuc();
}

// The entries' rows are gone with the list's old result.
void SzybkieSzukanieKontroler::porzuc()
{
    m_budowa->stop();
    ukryj();
    m_indeks.wyczysc();
}

void SzybkieSzukanieKontroler::ukryj()
{
    m_pokazane.clear();
    if (m_lista) {
        m_lista->hide();
        m_lista->ustawWpisy({}, {});
    }
}

bool SzybkieSzukanieKontroler::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_filtrowane)
        return QObject::eventFilter(watched, event);
    bool obsluzony = false;
    host::guard([&] {
        switch (event->type()) {
        case QEvent::KeyPress:
            obsluzony = klawisz(static_cast<QKeyEvent *>(event));
            break;
        case QEvent::KeyRelease:
            // By now the line edit has applied the key pressed before.
            if (m_czekaNaZwolnienie) {
                m_czekaNaZwolnienie = false;
                wypelnij();
            }
            break;
        case QEvent::Hide:
            ukryj();
            break;
        default:
            break;
        }
    });
    return obsluzony || QObject::eventFilter(watched, event);
}

bool SzybkieSzukanieKontroler::klawisz(QKeyEvent *event)
{
    const int biezacy = widoczna() ? m_lista->podswietlony() : -1;
    switch (akcjaKlawisza(event->key(), biezacy >= 0)) {
    case AkcjaKlawisza::Ukryj:
        ukryj();
        return false;
    case AkcjaKlawisza::Wybierz:
        // Swallowed, so the phrase search of Enter does not run.
        wybierzWiersz(biezacy);
        return true;
    case AkcjaKlawisza::Dol:
    case AkcjaKlawisza::Gora:
        if (!widoczna())
            return false;
        m_lista->ustawPodswietlony(
            przesunPodswietlenie(biezacy, event->key() == Qt::Key_Down ? 1 : -1, m_lista->liczbaWpisow()));
        return true;
    case AkcjaKlawisza::Nic:
        return false;
    case AkcjaKlawisza::Szukaj:
        m_czekaNaZwolnienie = true;
        return false;
    }
    return false;
}

void SzybkieSzukanieKontroler::wypelnij()
{
    if (!m_fraza)
        return;
    const QString fraza = m_fraza->text();
    // Keys that leave the text alone keep the highlight.
    if (widoczna() && m_lista->fraza() == fraza)
        return;
    dokoncz();
    QList<int> pozycje = m_indeks.znajdz(fraza, NajwiecejWpisow);
    if (pozycje.isEmpty()) {
        ukryj();
        return;
    }
    QStringList teksty;
    teksty.reserve(pozycje.size());
    for (int p : pozycje)
        teksty << m_indeks.tekst(p);
    m_pokazane = std::move(pozycje);
    lista()->ustawWpisy(teksty, fraza);
    umiesc();
}

void SzybkieSzukanieKontroler::umiesc()
{
    QWidget *okno = m_fraza->window();
    FirmyListBox *l = lista();
    if (l->parentWidget() != okno) {
        // The frame moved into another window since the list was made.
        l->setParent(okno);
        l->hide();
    }
    const QPoint pod = m_fraza->mapTo(okno, QPoint(0, m_fraza->height()));
    l->umiesc(pod, m_fraza->width(), QSize(okno->width() - pod.x(), okno->height() - pod.y()));
    l->raise();
    l->show();
}

void SzybkieSzukanieKontroler::wybierzWiersz(int wiersz)
{
    if (wiersz < 0 || wiersz >= m_pokazane.size())
        return;
    const int id = m_indeks.id(m_pokazane.at(wiersz));
    ukryj();
    if (!m_wybierz)
        return;
    host::guard([&] { m_wybierz(id); });
}

} // namespace partners
