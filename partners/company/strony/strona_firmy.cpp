#include "company/strony/strona_firmy.h"

#include "company/slowniki_firmy.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>
#include <QToolButton>

namespace partners {

StronaFirmy::StronaFirmy(QWidget *rodzic, const char *nazwa)
    : QWidget(rodzic)
{
    setObjectName(QLatin1String(nazwa));
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
    e->setMaxLength(maks);
    return e;
}

QComboBox *combo(QWidget *rodzic, const char *nazwa)
{
    auto *c = nazwany(new QComboBox(rodzic), nazwa);
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
