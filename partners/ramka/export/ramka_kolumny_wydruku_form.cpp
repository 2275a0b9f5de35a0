#include "ramka/export/ramka_kolumny_wydruku_form.h"

#include "ramka/modul.h"

#include "host_funcs.h"
#include "prompter.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using partners::tlumacz;

using ramka::KolumnaWydruku;

namespace {

constexpr int RolaPole = Qt::UserRole;
constexpr int MaksSzerokosc = 5000;

} // namespace

Tramka_kolumny_wydruku_form::Tramka_kolumny_wydruku_form(const std::vector<KolumnaWydruku> &kolumny, QWidget *parent)
    : QDialog(parent),
      m_drzewo(new QTreeWidget(this)),
      m_zapamietaj(new QCheckBox(this))
{
    setObjectName(QStringLiteral("kolumny_wydruku_form"));
    setWindowTitle(tlumacz("Resstrings_IDS_Dostosuj_kolumny_na_wydruku"));
    resize(460, 420);

    m_drzewo->setObjectName(QStringLiteral("drzewo"));
    m_drzewo->setRootIsDecorated(false);
    m_drzewo->setHeaderLabels({tlumacz("Resstrings_IDS_Nazwa_kolumny"), tlumacz("Resstrings_IDS_Szerokosc_kolumny")});
    m_drzewo->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_drzewo->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int i = 0; i < int(kolumny.size()); ++i)
        dodajWiersz(i, kolumny[i]);

    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("popup"));
    popup->addAction(tlumacz("Resstrings_IDS_Zaznacz_wszystko"), this, [this] { zaznaczWszystkie(true); });
    popup->addAction(tlumacz("Resstrings_IDS_Odznacz_wszystko"), this, [this] { zaznaczWszystkie(false); });
    connect(m_drzewo, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &p) { popup->popup(m_drzewo->viewport()->mapToGlobal(p)); });

    auto *gora = new QToolButton(this);
    gora->setObjectName(QStringLiteral("up"));
    gora->setText(QStringLiteral("\u2191"));
    gora->setToolTip(tlumacz("Resstrings_IDS_przenies_w_gore"));
    auto *dol = new QToolButton(this);
    dol->setObjectName(QStringLiteral("down"));
    dol->setText(QStringLiteral("\u2193"));
    dol->setToolTip(tlumacz("Resstrings_IDS_przenies_w_dol"));
    connect(gora, &QToolButton::clicked, this, &Tramka_kolumny_wydruku_form::wGore);
    connect(dol, &QToolButton::clicked, this, &Tramka_kolumny_wydruku_form::wDol);

    m_zapamietaj->setObjectName(QStringLiteral("zapamietaj"));
    m_zapamietaj->setText(tlumacz("Resstrings_IDS_Zapamietaj_wybor"));
    auto *drukuj = new QPushButton(tlumacz("Resstrings_IDS_Drukuj"), this);
    drukuj->setObjectName(QStringLiteral("drukuj"));
    drukuj->setDefault(true);
    auto *anuluj = new QPushButton(tlumacz("Resstrings_IDS_anuluj"), this);
    anuluj->setObjectName(QStringLiteral("anuluj"));
    connect(drukuj, &QPushButton::clicked, this, &QDialog::accept);
    connect(anuluj, &QPushButton::clicked, this, &QDialog::reject);

    auto *strzalki = new QVBoxLayout;
    strzalki->addStretch();
    strzalki->addWidget(gora);
    strzalki->addWidget(dol);
    strzalki->addStretch();
    auto *srodek = new QHBoxLayout;
    srodek->addWidget(m_drzewo, 1);
    srodek->addLayout(strzalki);
    auto *przyciski = new QHBoxLayout;
    przyciski->addWidget(m_zapamietaj);
    przyciski->addStretch();
    przyciski->addWidget(drukuj);
    przyciski->addWidget(anuluj);
    auto *calosc = new QVBoxLayout(this);
    calosc->addLayout(srodek);
    calosc->addLayout(przyciski);
}

void Tramka_kolumny_wydruku_form::dodajWiersz(int pozycja, const KolumnaWydruku &kolumna)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, kolumna.tytul.isEmpty() ? kolumna.pole : kolumna.tytul);
    item->setData(0, RolaPole, kolumna.pole);
    item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsDropEnabled);
    item->setCheckState(0, kolumna.drukuj ? Qt::Checked : Qt::Unchecked);
    m_drzewo->insertTopLevelItem(pozycja, item);
    auto *szerokosc = new QSpinBox(m_drzewo);
    szerokosc->setObjectName(QStringLiteral("szerokosc_") + kolumna.pole);
    szerokosc->setRange(0, MaksSzerokosc);
    szerokosc->setValue(std::max(0, kolumna.szerokosc));
    m_drzewo->setItemWidget(item, 1, szerokosc);
}

std::vector<KolumnaWydruku> Tramka_kolumny_wydruku_form::kolumny() const
{
    std::vector<KolumnaWydruku> wynik;
    for (int r = 0; r < m_drzewo->topLevelItemCount(); ++r) {
        QTreeWidgetItem *item = m_drzewo->topLevelItem(r);
        const auto *szerokosc = qobject_cast<QSpinBox *>(m_drzewo->itemWidget(item, 1));
        wynik.push_back({item->data(0, RolaPole).toString(), item->text(0), szerokosc ? szerokosc->value() : 0,
                         item->checkState(0) == Qt::Checked});
    }
    return wynik;
}

bool Tramka_kolumny_wydruku_form::zapamietaj() const
{
    return m_zapamietaj->isChecked();
}

void Tramka_kolumny_wydruku_form::zaznaczWszystkie(bool zaznacz)
{
    for (int r = 0; r < m_drzewo->topLevelItemCount(); ++r)
        m_drzewo->topLevelItem(r)->setCheckState(0, zaznacz ? Qt::Checked : Qt::Unchecked);
}

void Tramka_kolumny_wydruku_form::przesun(int kierunek)
{
    QTreeWidgetItem *item = m_drzewo->currentItem();
    if (!item)
        return;
    const int z = m_drzewo->indexOfTopLevelItem(item);
    const int na = z + kierunek;
    if (na < 0 || na >= m_drzewo->topLevelItemCount())
        return;
    // Item widgets do not travel with their item: rebuild the row.
    std::vector<KolumnaWydruku> k = kolumny();
    delete m_drzewo->itemWidget(item, 1);
    delete m_drzewo->takeTopLevelItem(z);
    dodajWiersz(na, k[z]);
    m_drzewo->setCurrentItem(m_drzewo->topLevelItem(na));
}

void Tramka_kolumny_wydruku_form::wGore()
{
    przesun(-1);
}

void Tramka_kolumny_wydruku_form::wDol()
{
    przesun(1);
}

namespace ramka {

std::optional<std::vector<KolumnaEksportu>> wybierzKolumnyWydruku(QWidget *owner, const QString &formularz, int idU,
                                                                  const std::vector<KolumnaWydruku> &kolumnySiatki)
{
    const UstawieniaWydruku ustawienia(formularz, idU);
    Tramka_kolumny_wydruku_form okno(ustawienia.wczytaj(kolumnySiatki), owner);
    if (host::prompter().runModal(&okno) != QDialog::Accepted)
        return std::nullopt;
    if (okno.zapamietaj()) {
        const std::vector<KolumnaWydruku> wybrane = okno.kolumny();
        ustawienia.zapamietaj(wybrane);
        return kolumnyDoDruku(wybrane);
    }
    ustawienia.zapomnij();
    std::vector<KolumnaWydruku> widoczne = kolumnySiatki;
    for (KolumnaWydruku &k : widoczne)
        k.szerokosc = std::max(0, k.szerokosc);
    return kolumnyDoDruku(widoczne);
}

} // namespace ramka
