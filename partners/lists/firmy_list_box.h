#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QString>
#include <QStringList>

namespace partners {

// The quick-find drop-down under the phrase box. It never takes focus, so
// typing goes on in the phrase box while the list is shown.
class FirmyListBox : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int OdstepKolumn = 10;
    static constexpr int NajwiecejWierszy = 12;

    explicit FirmyListBox(QWidget *parent = nullptr);

    // Shows these search texts with the parts matching `fraza` marked; no
    // entry is highlighted afterwards.
    void ustawWpisy(const QStringList &teksty, const QString &fraza);
    int liczbaWpisow() const { return int(m_wiersze.size()); }
    QString tekstWpisu(int wiersz) const { return m_teksty.value(wiersz); }
    QString fraza() const { return m_fraza; }

    // -1 when no entry is highlighted.
    int podswietlony() const { return m_podswietlony; }
    void ustawPodswietlony(int wiersz);

    // Viewport coordinates, before horizontal scrolling.
    QRect prostokatWiersza(int wiersz) const;
    const QList<int> &poczatkiKolumn() const { return m_poczatki; }
    int wysokoscWiersza() const;

    // Places the list at `lewyGorny` (parent coordinates), as tall as its
    // entries up to NajwiecejWierszy and as wide as its columns, at least
    // `minSzerokosc`, within `miejsce`; scroll bars only where it is cut.
    void umiesc(const QPoint &lewyGorny, int minSzerokosc, const QSize &miejsce);

    QSize sizeHint() const override;

signals:
    void wybrano(int wiersz);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int szerokosc(const QString &kolumna) const;
    int wierszPod(const QPoint &p) const;
    void ustawPaski();

    QStringList m_teksty;
    QList<QStringList> m_wiersze; // each entry split into its columns
    QList<int> m_poczatki;        // x of each column
    int m_szerokoscTresci = 0;
    QString m_fraza;
    int m_podswietlony = -1;
    int m_wcisniety = -1;
};

} // namespace partners
