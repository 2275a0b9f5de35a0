#include "ramka/pliki/nowa_nazwa_pliku_form.h"

#include "ramka/modul.h"

#include "checks.h"
#include "prompter.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using partners::tlumacz;

namespace {

QString zNumerem(const QString &nazwa, int numer)
{
    const QString rozszerzenie = QFileInfo(nazwa).suffix();
    const QString podstawa = rozszerzenie.isEmpty() ? nazwa : nazwa.chopped(rozszerzenie.size() + 1);
    return podstawa + QLatin1Char('_') + QString::number(numer)
        + (rozszerzenie.isEmpty() ? QString() : QLatin1Char('.') + rozszerzenie);
}

} // namespace

Tnowa_nazwa_pliku_form::Tnowa_nazwa_pliku_form(QWidget *parent, const QString &proponowana, const QString &etykieta,
                                               bool skanowanie)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("nowa_nazwa_pliku_form"));
    setWindowTitle(tlumacz("Resstrings_IDS_dokument__nowa_nazwa_pliku_unit__nowa_nazwa_pliku_form"));
    auto *uklad = new QVBoxLayout(this);
    uklad->addWidget(new QLabel(etykieta.isEmpty() ? tlumacz("Resstrings_IDS_Nazwa") : etykieta, this));
    m_nazwa = new QLineEdit(proponowana, this);
    m_nazwa->setObjectName(QStringLiteral("eNazwa"));
    m_nazwa->setMinimumWidth(360);
    uklad->addWidget(m_nazwa);

    m_podpowiedz = new QWidget(this);
    m_podpowiedz->setObjectName(QStringLiteral("pPodpowiedz"));
    auto *podpowiedz = new QVBoxLayout(m_podpowiedz);
    podpowiedz->setContentsMargins(0, 0, 0, 0);
    auto *opis = new QLabel(tlumacz("Resstrings_IDS_SkanowanieWiel"), m_podpowiedz);
    opis->setWordWrap(true);
    podpowiedz->addWidget(opis);
    m_przyklad = new QLabel(m_podpowiedz);
    m_przyklad->setObjectName(QStringLiteral("lPrzyklad"));
    podpowiedz->addWidget(m_przyklad);
    m_podpowiedz->setVisible(skanowanie);
    uklad->addWidget(m_podpowiedz);

    auto *przyciski = new QHBoxLayout;
    przyciski->addStretch(1);
    auto *ok = new QPushButton(tlumacz("Resstrings_IDS_t_ust_skan__t_ust_dom_unit__FlatButton1"), this);
    ok->setObjectName(QStringLiteral("bOk"));
    ok->setDefault(true);
    auto *anuluj = new QPushButton(tlumacz("Resstrings_IDS_anuluj"), this);
    anuluj->setObjectName(QStringLiteral("bAnuluj"));
    przyciski->addWidget(ok);
    przyciski->addWidget(anuluj);
    uklad->addLayout(przyciski);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    connect(anuluj, &QPushButton::clicked, this, [this] { done(2); });
    connect(m_nazwa, &QLineEdit::textChanged, this, &Tnowa_nazwa_pliku_form::pokazPrzyklad);
    pokazPrzyklad(proponowana);
}

void Tnowa_nazwa_pliku_form::pokazPrzyklad(const QString &nazwa)
{
    m_przyklad->setText(zNumerem(nazwa, 1) + QLatin1Char('\n') + zNumerem(nazwa, 2) + QStringLiteral("\n..."));
}

std::optional<QString> Tnowa_nazwa_pliku_form::zapytaj(QWidget *parent, const QString &proponowana,
                                                       const QString &etykieta, bool skanowanie)
{
    Tnowa_nazwa_pliku_form okno(parent, proponowana, etykieta, skanowanie);
    if (host::prompter().runModal(&okno) != 1)
        return std::nullopt;
    const QString nazwa = okno.eNazwa()->text().trimmed();
    if (nazwa.isEmpty())
        return std::nullopt;
    // A typed name stays a name: no folder part may lead it out of the store.
    return host::Sprawdz_czy_sensowny_numer(nazwa);
}
