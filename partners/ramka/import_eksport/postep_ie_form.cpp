#include "ramka/import_eksport/postep_ie_form.h"

#include "ramka/modul.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TProgressForm::TProgressForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint),
      m_opis(new QLabel(QStringLiteral("Eksport %1 z %2"), this)),
      m_pasek(new QProgressBar(this)),
      m_anuluj(new QPushButton(partners::tlumacz("Resstrings_IDS_anuluj"), this))
{
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowModality(Qt::ApplicationModal);
    m_opis->setObjectName(QStringLiteral("lblProgress"));
    m_pasek->setObjectName(QStringLiteral("cgProgrssBar"));
    m_anuluj->setObjectName(QStringLiteral("btnAnuluj"));
    auto *uklad = new QVBoxLayout(this);
    uklad->addWidget(m_opis);
    uklad->addWidget(m_pasek);
    uklad->addWidget(m_anuluj, 0, Qt::AlignRight);
    uklad->setSizeConstraint(QLayout::SetFixedSize);
    m_pasek->setMinimumWidth(320);
    connect(m_anuluj, &QPushButton::clicked, this, [this] {
        m_przerwano = true;
        m_anuluj->setEnabled(false);
    });
    m_odswiezono.start();
}

void TProgressForm::pokazPostep(const QString &tytul, int biezacy, int wszystkie)
{
    m_pasek->setMaximum(wszystkie);
    m_pasek->setValue(biezacy);
    m_opis->setText(QStringLiteral("%1 %2 z %3").arg(tytul).arg(biezacy).arg(wszystkie));
    // Painting every one of ten thousand records would cost more than the job.
    if (biezacy == wszystkie || m_odswiezono.elapsed() >= 40) {
        repaint();
        m_odswiezono.restart();
    }
}

void TProgressForm::reject()
{
    if (canClose)
        QDialog::reject();
}

void TProgressForm::closeEvent(QCloseEvent *event)
{
    if (canClose)
        QDialog::closeEvent(event);
    else
        event->ignore();
}
