#include "ramka/panel_filtrow.h"

#include <day_time.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScopedValueRollback>
#include <QToolButton>

namespace ramka {

namespace {

// A picker at its minimum shows nothing: that is the "no date" value 0.
const QDateTime BrakDaty = db::DayTime::toDateTime(0);

double dniZPickera(const QDateTimeEdit *edit)
{
    return edit->dateTime() <= BrakDaty ? 0.0 : db::DayTime::fromDateTime(edit->dateTime());
}

void ustawPicker(QDateTimeEdit *edit, double dni)
{
    edit->setDateTime(dni < 1 ? BrakDaty : db::DayTime::toDateTime(dni));
}

} // namespace

PanelFiltrow::PanelFiltrow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pPanelFiltry"));
    auto *l = new QHBoxLayout(this);
    l->setContentsMargins(2, 2, 2, 2);
    auto przycisk = [this, l](const char *name, const QString &text) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        l->addWidget(b);
        return b;
    };
    m_zapiszFiltry = przycisk("bZapiszFiltryListy", QStringLiteral("Zapisz filtr dat"));

    m_zakresDat = new QComboBox(this);
    m_zakresDat->setObjectName(QStringLiteral("zakres_dat"));
    l->addWidget(m_zakresDat);
    m_ktoraData = new QComboBox(this);
    m_ktoraData->setObjectName(QStringLiteral("ktora_data"));
    l->addWidget(m_ktoraData);
    for (auto **edit : {&m_okresOd, &m_okresDo}) {
        *edit = new QDateTimeEdit(this);
        (*edit)->setCalendarPopup(true);
        (*edit)->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        (*edit)->setMinimumDateTime(BrakDaty);
        (*edit)->setSpecialValueText(QStringLiteral(" "));
        (*edit)->setDateTime(BrakDaty);
        (*edit)->installEventFilter(this);
        l->addWidget(*edit);
    }
    m_okresOd->setObjectName(QStringLiteral("okres_od"));
    m_okresDo->setObjectName(QStringLiteral("okres_do"));
    m_zastosujOkres = przycisk("bOkres_zastosuj", QStringLiteral("Zastosuj"));
    m_zastosujOkres->setEnabled(false);

    m_szukany = new QLineEdit(this);
    m_szukany->setObjectName(QStringLiteral("szukany_tekst"));
    m_szukany->setClearButtonEnabled(true);
    l->addWidget(m_szukany, 1);
    auto *zastosujFraze = przycisk("bWyszWgFrazyZastosuj", QStringLiteral("Zastosuj"));
    m_kolumnyFrazy = przycisk("bSzukany_tekst", QStringLiteral("…"));
    m_menuFrazy = new QMenu(m_kolumnyFrazy);
    m_menuFrazy->setObjectName(QStringLiteral("pmWyszWgFrazy"));
    m_kolumnyFrazy->setMenu(m_menuFrazy);
    m_kolumnyFrazy->setPopupMode(QToolButton::InstantPopup);
    l->addStretch();

    connect(m_zapiszFiltry, &QToolButton::clicked, this, &PanelFiltrow::zapiszFiltry);
    connect(m_zastosujOkres, &QToolButton::clicked, this, &PanelFiltrow::okresZastosowany);
    connect(zastosujFraze, &QToolButton::clicked, this, &PanelFiltrow::frazaZastosowana);
    connect(m_szukany, &QLineEdit::returnPressed, this, &PanelFiltrow::frazaZastosowana);
    connect(m_zakresDat, &QComboBox::activated, this, &PanelFiltrow::zakresWybrany);
    connect(m_ktoraData, &QComboBox::activated, this, &PanelFiltrow::kolumnaDatyWybrana);
    for (QDateTimeEdit *edit : {m_okresOd, m_okresDo}) {
        connect(edit, &QDateTimeEdit::dateTimeChanged, this, [this] {
            if (m_wypelnianie)
                return;
            m_zastosujOkres->setEnabled(true);
            emit okresZmieniony();
        });
        connect(edit, &QDateTimeEdit::editingFinished, this, [this] {
            if (!m_wypelnianie)
                emit okresOpuszczony();
        });
    }
}

bool PanelFiltrow::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_okresOd || watched == m_okresDo) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit okresZatwierdzony();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PanelFiltrow::ustawZakresy(const QList<std::pair<QString, int>> &pozycje, int wybrana, bool pelnaLista)
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    m_zakresDat->clear();
    for (const auto &[tekst, kod] : pozycje)
        m_zakresDat->addItem(tekst, kod);
    m_zakresDat->setCurrentIndex(wybrana);
    m_zakresDat->setProperty("Tag", pelnaLista ? 1 : 0);
}

void PanelFiltrow::pokazOkres(double od, double do_, bool pickeryAktywne, bool kolumnaAktywna)
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    ustawPicker(m_okresOd, od);
    ustawPicker(m_okresDo, do_);
    m_okresOd->setEnabled(pickeryAktywne);
    m_okresDo->setEnabled(pickeryAktywne);
    m_ktoraData->setEnabled(kolumnaAktywna);
}

double PanelFiltrow::okresOd() const
{
    return dniZPickera(m_okresOd);
}

double PanelFiltrow::okresDo() const
{
    return dniZPickera(m_okresDo);
}

bool PanelFiltrow::wyborDatyTrwa() const
{
    for (const QDateTimeEdit *edit : {m_okresOd, m_okresDo})
        if (edit->calendarWidget() && edit->calendarWidget()->isVisible())
            return true;
    return false;
}

void PanelFiltrow::ukryjZakresDat()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_zapiszFiltry, m_zakresDat, m_ktoraData, m_okresOd, m_okresDo,
                                                       m_zastosujOkres})
        w->hide();
}

void PanelFiltrow::wylaczZastosowanieOkresu()
{
    m_zastosujOkres->setEnabled(false);
}

void PanelFiltrow::pokazKolumnyFrazy(bool wszystkie)
{
    m_kolumnyFrazy->setText(wszystkie ? QStringLiteral("…") : QStringLiteral("…*"));
}

} // namespace ramka
