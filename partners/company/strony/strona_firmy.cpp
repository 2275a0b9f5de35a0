#include "company/strony/strona_firmy.h"

#include "company/podrekordy/ramka_podrekordow_fr.h"
#include "company/slowniki_firmy.h"

#include "text_fields.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSplitter>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace partners {

StronaFirmy::StronaFirmy(QWidget *rodzic, const char *nazwa)
    : QWidget(rodzic)
{
    setObjectName(QLatin1String(nazwa));
}

void StronaFirmy::zaladuj(int idFirmy)
{
    for (Tramka_podrekordow_frame *ramka : std::as_const(m_ramki))
        ramka->Otworz(idFirmy, window()->objectName());
}

void StronaFirmy::ustawUprawnienia(int upr)
{
    m_upr = upr;
    for (Tramka_podrekordow_frame *ramka : std::as_const(m_ramki))
        ramka->UstawUprawnienia(upr);
}

void StronaFirmy::dodajRamke(Tramka_podrekordow_frame *ramka, const QString &podpis)
{
    auto *grupa = new QGroupBox(podpis, this);
    grupa->setObjectName(QStringLiteral("gb_") + ramka->objectName());
    auto *uklad = new QVBoxLayout(grupa);
    uklad->setContentsMargins(2, 2, 2, 2);
    ramka->setParent(grupa);
    uklad->addWidget(ramka);
    ramka->UstawUprawnienia(m_upr);
    m_ramki.append(ramka);
    umiescRamke(grupa);
}

void StronaFirmy::umiescRamke(QWidget *grupa)
{
    if (!layout())
        new QVBoxLayout(this);
    layout()->addWidget(grupa);
}

StronaRamek::StronaRamek(QWidget *rodzic, const char *nazwa)
    : StronaFirmy(rodzic, nazwa),
      m_podzial(new QSplitter(Qt::Vertical, this))
{
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    m_podzial->setChildrenCollapsible(false);
    uklad->addWidget(m_podzial);
}

void StronaRamek::umiescRamke(QWidget *grupa)
{
    m_podzial->addWidget(grupa);
}

void StronaFirmy::dodajDoSlownika(QComboBox *combo, const QString &typSlownika)
{
    const QString poprzedni = combo->currentText();
    const int wybrany = SlownikiFirmy::otworzSlownik(this, typSlownika);
    const QString tekst = wybrany > 0 ? SlownikiFirmy::wartoscSlownika(wybrany) : poprzedni;
    wczytajListy();
    combo->setCurrentIndex(combo->findText(tekst));
    combo->setFocus();
}

namespace strony {

namespace {

class FiltrZdarzen : public QObject
{
public:
    FiltrZdarzen(QObject *rodzic, std::function<bool(QEvent *)> obsluz)
        : QObject(rodzic),
          m_obsluz(std::move(obsluz))
    {}

protected:
    bool eventFilter(QObject *obiekt, QEvent *zdarzenie) override
    {
        return m_obsluz(zdarzenie) || QObject::eventFilter(obiekt, zdarzenie);
    }

private:
    std::function<bool(QEvent *)> m_obsluz;
};

} // namespace

QObject *filtrZdarzen(QObject *obserwowany, std::function<bool(QEvent *)> obsluz)
{
    auto *filtr = new FiltrZdarzen(obserwowany, std::move(obsluz));
    obserwowany->installEventFilter(filtr);
    return filtr;
}

QLineEdit *edit(QWidget *rodzic, const char *nazwa, int maks)
{
    auto *e = nazwany(new QLineEdit(rodzic), nazwa);
    ui::limitLength(e, maks);
    return e;
}

QComboBox *combo(QWidget *rodzic, const char *nazwa, QComboBox *gotowy)
{
    auto *c = nazwany(gotowy ? gotowy : new QComboBox(rodzic), nazwa);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(12);
    return c;
}

QToolButton *przycisk(QWidget *rodzic, const char *nazwa, const QString &podpis, const QString &podpowiedz)
{
    auto *b = nazwany(new QToolButton(rodzic), nazwa);
    b->setText(podpis);
    b->setToolTip(podpowiedz.isEmpty() ? podpis : podpowiedz);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QTimeEdit *czas(QWidget *rodzic, const char *nazwa)
{
    auto *t = nazwany(new QTimeEdit(rodzic), nazwa);
    t->setDisplayFormat(QStringLiteral("HH:mm"));
    return t;
}

const QColor KolorPoprawny(Qt::darkGreen);
const QColor KolorBledny(Qt::red);

void kolorTekstu(QWidget *pole, const QColor &kolor)
{
    QPalette paleta = pole->palette();
    paleta.setColor(QPalette::Text, kolor.isValid() ? kolor : QPalette().color(QPalette::Text));
    pole->setPalette(paleta);
}

void kolorNumeru(QLineEdit *pole, bool (*sprawdz)(const QString &))
{
    const QString tekst = pole->text().trimmed();
    kolorTekstu(pole, tekst.isEmpty() ? QColor() : sprawdz(tekst) ? KolorPoprawny : KolorBledny);
}

QLabel *etykieta(const QString &tekst, QWidget *pole, QWidget *rodzic)
{
    auto *l = new QLabel(tekst, rodzic);
    l->setBuddy(pole);
    return l;
}

QWidget *wiersz(QWidget *rodzic, std::initializer_list<QWidget *> pola, int rozciagany)
{
    auto *w = new QWidget(rodzic);
    auto *u = new QHBoxLayout(w);
    u->setContentsMargins(0, 0, 0, 0);
    int i = 0;
    for (QWidget *p : pola)
        u->addWidget(p, i++ == rozciagany ? 1 : 0);
    return w;
}

void kolejnosc(std::initializer_list<QWidget *> pola)
{
    QWidget *poprzedni = nullptr;
    for (QWidget *p : pola) {
        if (poprzedni)
            QWidget::setTabOrder(poprzedni, p);
        poprzedni = p;
    }
}

int idZCombo(const QComboBox *c)
{
    return c->currentIndex() < 0 ? 0 : c->currentData().toInt();
}

void wybierzId(QComboBox *c, int id)
{
    c->setCurrentIndex(id > 0 ? c->findData(id) : (c->count() > 0 && c->itemData(0).toInt() == 0 ? 0 : -1));
}

} // namespace strony

} // namespace partners
