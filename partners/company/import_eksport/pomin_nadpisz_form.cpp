#include "company/import_eksport/pomin_nadpisz_form.h"

#include "ramka/modul.h"

#include "prompter.h"
#include "window_messages.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

using partners::tlumacz;

Tpomin_nadpisz_form::Tpomin_nadpisz_form(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint)
{
    setObjectName(QStringLiteral("pomin_nadpisz_form"));
    setWindowTitle(QApplication::applicationDisplayName());
    auto *uklad = new QGridLayout(this);
    auto *obraz = new QLabel(this);
    obraz->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32));
    m_napis = new QLabel(QStringLiteral("Rekord już istnieje w bazie."), this);
    m_napis->setObjectName(QStringLiteral("lblNapis"));
    m_napis->setWordWrap(true);
    uklad->addWidget(obraz, 0, 0);
    uklad->addWidget(m_napis, 0, 1, 1, 4);
    const struct
    {
        const char *nazwa, *podpis;
        int kod;
    } przyciski[] = {{"btnNadpisz", "Nadpisz", Nadpisz},
                     {"btnPomin", "Pomiń", Pomin},
                     {"btnNadpiszAll", "Nadpisz wszystkie", NadpiszWszystkie},
                     {"btnPominAll", "Pomiń wszystkie", PominWszystkie}};
    int kolumna = 1;
    for (const auto &p : przyciski) {
        auto *b = new QPushButton(QString::fromUtf8(p.podpis), this);
        b->setObjectName(QLatin1String(p.nazwa));
        connect(b, &QPushButton::clicked, this, [this, kod = p.kod] { done(kod); });
        uklad->addWidget(b, 1, kolumna++);
    }
}

int Tpomin_nadpisz_form::zapytaj(const QString &nazwa)
{
    Tpomin_nadpisz_form okno(host::mainWindow());
    okno.m_napis->setText(tlumacz("Resstrings_IDS_firmy__pomin_nadpisz_unit__lblNapis1").arg(nazwa));
    const int kod = host::prompter().runModal(&okno);
    return kod >= Nadpisz && kod <= PominWszystkie ? kod : Brak;
}
