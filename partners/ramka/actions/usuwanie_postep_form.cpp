#include "ramka/actions/usuwanie_postep_form.h"

#include "host_funcs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString tekst(const char *klucz)
{
    return host::LoadResstrings(QLatin1String(klucz));
}

} // namespace

Tusuwanie_postep_form::Tusuwanie_postep_form(ramka::TUsuwanie_watek *watek, QWidget *parent)
    : QDialog(parent),
      m_watek(watek),
      m_postep(new QProgressBar(this)),
      m_opis(new QLabel(this)),
      m_wstrzymaj(new QPushButton(this)),
      m_przerwij(new QPushButton(this))
{
    setObjectName(QStringLiteral("usuwanie_postep_form"));
    setWindowTitle(tekst("Resstrings_IDS_Usuwanie"));
    setModal(true);
    m_postep->setObjectName(QStringLiteral("postep"));
    m_opis->setObjectName(QStringLiteral("opis"));
    m_wstrzymaj->setObjectName(QStringLiteral("bWstrzymaj"));
    m_przerwij->setObjectName(QStringLiteral("bPrzerwij"));
    m_wstrzymaj->setText(tekst("Resstrings_IDS_Wstrzymaj"));
    m_przerwij->setText(tekst("Resstrings_IDS_Przerwij"));
    m_wstrzymaj->setAutoDefault(false);
    m_przerwij->setAutoDefault(false);

    auto *przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(m_wstrzymaj);
    przyciski->addWidget(m_przerwij);
    auto *uklad = new QVBoxLayout(this);
    uklad->addWidget(m_opis);
    uklad->addWidget(m_postep);
    uklad->addLayout(przyciski);
    setMinimumWidth(360);

    const int wszystkie = m_watek->wynik().wszystkie;
    m_postep->setRange(0, wszystkie);
    pokazPostep(0, 0, wszystkie);

    connect(m_wstrzymaj, &QPushButton::clicked, this, &Tusuwanie_postep_form::bWstrzymajClick);
    connect(m_przerwij, &QPushButton::clicked, this, &Tusuwanie_postep_form::bPrzerwijClick);
    connect(m_watek, &ramka::TUsuwanie_watek::postep, this, &Tusuwanie_postep_form::pokazPostep);
    connect(m_watek, &QThread::finished, this, &Tusuwanie_postep_form::zakonczono);
}

Tusuwanie_postep_form::~Tusuwanie_postep_form()
{
    m_watek->zatrzymaj();
}

ramka::WynikUsuwania Tusuwanie_postep_form::wynik() const
{
    return m_watek->wynik();
}

bool Tusuwanie_postep_form::trwa() const
{
    return m_uruchomiony && !m_zakonczony;
}

void Tusuwanie_postep_form::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_uruchomiony) {
        m_uruchomiony = true;
        m_watek->start();
    }
}

void Tusuwanie_postep_form::bWstrzymajClick()
{
    if (m_zakonczony)
        return;
    if (m_watek->wstrzymany()) {
        m_watek->wznow();
        m_wstrzymaj->setText(tekst("Resstrings_IDS_Wstrzymaj"));
    } else {
        m_watek->wstrzymaj();
        m_wstrzymaj->setText(tekst("Resstrings_IDS_Wznow"));
    }
}

void Tusuwanie_postep_form::bPrzerwijClick()
{
    m_watek->zatrzymaj();
    m_wstrzymaj->setEnabled(false);
    m_przerwij->setEnabled(false);
}

void Tusuwanie_postep_form::reject()
{
    // Escape or the close box while rows are being deleted: stop after the current row.
    if (trwa()) {
        bPrzerwijClick();
        return;
    }
    QDialog::reject();
}

void Tusuwanie_postep_form::pokazPostep(int przetworzone, int usuniete, int wszystkie)
{
    m_postep->setValue(przetworzone);
    bool jest = false;
    QString wzor = host::LoadResstrings(QStringLiteral("Resstrings_IDS_Usunieto_z"), &jest);
    if (!jest || !wzor.contains(QLatin1String("%2")))
        wzor = QStringLiteral("%1 / %2");
    m_opis->setText(wzor.arg(usuniete).arg(wszystkie));
}

void Tusuwanie_postep_form::zakonczono()
{
    m_watek->wait();
    m_zakonczony = true;
    const ramka::WynikUsuwania w = m_watek->wynik();
    pokazPostep(w.przetworzone, w.usuniete, w.wszystkie);
    done(QDialog::Accepted);
}
