#include "lists/multiakcje_form.h"

#include "ramka/modul.h"

#include "host_funcs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tmultiakcje_form::Tmultiakcje_form(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("multiakcje_form"));
    setWindowTitle(partners::tlumacz("Resstrings_IDS_Multiakcje"));
    lOpis = new QLabel(this);
    lOpis->setObjectName(QStringLiteral("lOpis"));
    cbLista = new QComboBox(this);
    cbLista->setObjectName(QStringLiteral("cbLista"));
    cbLista->setMinimumWidth(300);
    bZatwierdz = new QPushButton(partners::tlumacz("Resstrings_IDS_ListaPOk"), this);
    bZatwierdz->setObjectName(QStringLiteral("bZatwierdz"));
    bZatwierdz->setDefault(true);
    bZatwierdz->setEnabled(false);
    bAnuluj = new QPushButton(partners::tlumacz("Resstrings_IDS_anuluj"), this);
    bAnuluj->setObjectName(QStringLiteral("bAnuluj"));

    auto *przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(bZatwierdz);
    przyciski->addWidget(bAnuluj);
    auto *uklad = new QVBoxLayout(this);
    uklad->addWidget(lOpis);
    uklad->addWidget(cbLista);
    uklad->addLayout(przyciski);

    connect(cbLista, &QComboBox::currentIndexChanged, this, [this](int i) { bZatwierdz->setEnabled(i >= 0); });
    connect(bZatwierdz, &QPushButton::clicked, this, [this] { done(1); });
    connect(bAnuluj, &QPushButton::clicked, this, [this] { done(2); });
}

void Tmultiakcje_form::WypelnijListe(db::Connection *polaczenie, const QString &sql, const QVariantMap &parametry)
{
    cbLista->setCurrentIndex(-1);
    // The empty entry (id 0) is how a user takes the value away.
    host::Laduj_DB_FlatCombo(cbLista, sql, QStringLiteral("id"), QStringLiteral("nazwa"), true, polaczenie, parametry);
    bZatwierdz->setEnabled(cbLista->currentIndex() >= 0);
}

int Tmultiakcje_form::Wynik() const
{
    return host::ZwrocWartoscCombo(cbLista);
}
