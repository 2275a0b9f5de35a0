#include "lists/firmy_list_box.h"

#include "lists/szybkie_szukanie.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace partners {

namespace {

const QColor KolorTla(255, 255, 255);
const QColor KolorPodswietlenia(230, 230, 230);
const QColor KolorTrafienia(191, 255, 191);
constexpr int MarginesLewy = 2;
constexpr int MarginesPionowy = 1;

QFont pogrubiona(QFont f)
{
    f.setBold(true);
    return f;
}

} // namespace

FirmyListBox::FirmyListBox(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("FirmyListBox"));
    // A click on the list must leave the caret in the phrase box.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    viewport()->setAutoFillBackground(false);
}

int FirmyListBox::wysokoscWiersza() const
{
    return std::max(fontMetrics().height(), QFontMetrics(pogrubiona(font())).height()) + 2 * MarginesPionowy;
}

int FirmyListBox::szerokosc(const QString &kolumna) const
{
    const QFontMetrics zwykla = fontMetrics();
    const ZakresTrafienia z = zakresTrafienia(kolumna, m_fraza);
    if (z.dlugosc == 0)
        return zwykla.horizontalAdvance(kolumna);
    const QFontMetrics gruba(pogrubiona(font()));
    return zwykla.horizontalAdvance(kolumna.left(z.poczatek))
        + gruba.horizontalAdvance(kolumna.mid(z.poczatek, z.dlugosc))
        + zwykla.horizontalAdvance(kolumna.mid(z.poczatek + z.dlugosc));
}

void FirmyListBox::ustawWpisy(const QStringList &teksty, const QString &fraza)
{
    m_teksty = teksty;
    m_fraza = fraza;
    m_podswietlony = -1;
    m_wcisniety = -1;
    m_wiersze.clear();
    m_wiersze.reserve(teksty.size());
    QList<int> najszersze;
    for (const QString &tekst : teksty) {
        QStringList kolumny = kolumnyWpisu(tekst);
        if (najszersze.size() < kolumny.size())
            najszersze.resize(kolumny.size(), 0);
        for (int k = 0; k < kolumny.size(); ++k)
            najszersze[k] = std::max(najszersze[k], szerokosc(kolumny[k]));
        m_wiersze << std::move(kolumny);
    }
    m_poczatki.clear();
    int x = MarginesLewy;
    for (int w : najszersze) {
        m_poczatki << x;
        x += w + OdstepKolumn;
    }
    m_szerokoscTresci = najszersze.isEmpty() ? 0 : x - OdstepKolumn + MarginesLewy;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    ustawPaski();
    updateGeometry();
    viewport()->update();
}

void FirmyListBox::ustawPodswietlony(int wiersz)
{
    m_podswietlony = wiersz >= 0 && wiersz < liczbaWpisow() ? wiersz : -1;
    if (m_podswietlony >= 0) {
        const QRect r = prostokatWiersza(m_podswietlony);
        QScrollBar *pasek = verticalScrollBar();
        if (r.top() < pasek->value())
            pasek->setValue(r.top());
        else if (r.bottom() >= pasek->value() + viewport()->height())
            pasek->setValue(r.bottom() + 1 - viewport()->height());
    }
    viewport()->update();
}

QRect FirmyListBox::prostokatWiersza(int wiersz) const
{
    const int h = wysokoscWiersza();
    return QRect(0, wiersz * h, std::max(m_szerokoscTresci, viewport()->width()), h);
}

int FirmyListBox::wierszPod(const QPoint &p) const
{
    if (p.y() < 0)
        return -1;
    const int wiersz = (p.y() + verticalScrollBar()->value()) / wysokoscWiersza();
    return wiersz < liczbaWpisow() ? wiersz : -1;
}

QSize FirmyListBox::sizeHint() const
{
    const int ramka = 2 * frameWidth();
    const int wiersze = std::clamp(liczbaWpisow(), 1, NajwiecejWierszy);
    int w = m_szerokoscTresci + ramka;
    if (liczbaWpisow() > NajwiecejWierszy)
        w += verticalScrollBar()->sizeHint().width();
    return QSize(w, wiersze * wysokoscWiersza() + ramka);
}

void FirmyListBox::umiesc(const QPoint &lewyGorny, int minSzerokosc, const QSize &miejsce)
{
    // Scroll bars are decided here, not left "as needed": Qt settles those
    // only on a later event loop pass, which would first cut rows off.
    const int ramka = 2 * frameWidth();
    const int h = wysokoscWiersza();
    int wysokosc = std::clamp(liczbaWpisow(), 1, NajwiecejWierszy) * h;
    bool pionowy = liczbaWpisow() > NajwiecejWierszy;
    if (wysokosc + ramka > miejsce.height() && miejsce.height() >= 3 * h + ramka) {
        wysokosc = miejsce.height() - ramka;
        pionowy = true;
    }
    int szerokosc =
        std::max(m_szerokoscTresci + ramka + (pionowy ? verticalScrollBar()->sizeHint().width() : 0), minSzerokosc);
    bool poziomy = false;
    if (szerokosc > miejsce.width() && miejsce.width() >= minSzerokosc) {
        szerokosc = miejsce.width();
        poziomy = true;
        wysokosc += horizontalScrollBar()->sizeHint().height();
    }
    setVerticalScrollBarPolicy(pionowy ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(poziomy ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setGeometry(QRect(lewyGorny, QSize(szerokosc, wysokosc + ramka)));
    ustawPaski();
}

void FirmyListBox::ustawPaski()
{
    const int h = liczbaWpisow() * wysokoscWiersza();
    verticalScrollBar()->setRange(0, std::max(0, h - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(wysokoscWiersza());
    horizontalScrollBar()->setRange(0, std::max(0, m_szerokoscTresci - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 4);
}

void FirmyListBox::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    ustawPaski();
}

void FirmyListBox::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), KolorTla);
    const QFont zwykla = font();
    const QFont gruba = pogrubiona(zwykla);
    const QFontMetrics mZwykla(zwykla);
    const QFontMetrics mGruba(gruba);
    const int h = wysokoscWiersza();
    const int dx = -horizontalScrollBar()->value();
    const int dy = -verticalScrollBar()->value();
    const int pierwszy = std::max(0, -dy / h);
    const int flagi = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    p.setPen(palette().color(QPalette::Text));

    auto rysuj = [&](int &x, int y, const QString &tekst, const QFont &f, const QFontMetrics &m) {
        if (tekst.isEmpty())
            return;
        const int w = m.horizontalAdvance(tekst);
        p.setFont(f);
        p.drawText(QRect(x, y, w, h), flagi, tekst);
        x += w;
    };

    for (int i = pierwszy; i < liczbaWpisow(); ++i) {
        const int y = i * h + dy;
        if (y >= viewport()->height())
            break;
        p.fillRect(QRect(0, y, viewport()->width(), h), i == m_podswietlony ? KolorPodswietlenia : KolorTla);
        const QStringList &kolumny = m_wiersze[i];
        for (int k = 0; k < kolumny.size(); ++k) {
            const QString &kolumna = kolumny[k];
            if (kolumna.isEmpty())
                continue;
            int x = m_poczatki[k] + dx;
            const ZakresTrafienia z = zakresTrafienia(kolumna, m_fraza);
            if (z.dlugosc == 0) {
                rysuj(x, y, kolumna, zwykla, mZwykla);
                continue;
            }
            rysuj(x, y, kolumna.left(z.poczatek), zwykla, mZwykla);
            const QString trafienie = kolumna.mid(z.poczatek, z.dlugosc);
            p.fillRect(QRect(x, y, mGruba.horizontalAdvance(trafienie), h), KolorTrafienia);
            rysuj(x, y, trafienie, gruba, mGruba);
            rysuj(x, y, kolumna.mid(z.poczatek + z.dlugosc), zwykla, mZwykla);
        }
    }
}

void FirmyListBox::mousePressEvent(QMouseEvent *event)
{
    m_wcisniety = event->button() == Qt::LeftButton ? wierszPod(event->position().toPoint()) : -1;
    if (m_wcisniety >= 0)
        ustawPodswietlony(m_wcisniety);
    event->accept();
}

void FirmyListBox::mouseReleaseEvent(QMouseEvent *event)
{
    const int wiersz = event->button() == Qt::LeftButton ? wierszPod(event->position().toPoint()) : -1;
    const bool klik = wiersz >= 0 && wiersz == m_wcisniety;
    m_wcisniety = -1;
    event->accept();
    if (klik)
        emit wybrano(wiersz);
}

} // namespace partners
