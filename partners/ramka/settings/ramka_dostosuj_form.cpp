#include "ramka/settings/ramka_dostosuj_form.h"

#include "host_funcs.h"
#include "services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int RolaPole = Qt::UserRole;
constexpr int RolaIndeks = Qt::UserRole + 1;

QToolButton *przycisk(QWidget *parent, const char *nazwa, const QString &tekst, const char *klucz)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(nazwa));
    b->setText(tekst);
    b->setToolTip(host::LoadResstrings(QLatin1String(klucz)));
    b->setMinimumWidth(40);
    return b;
}

} // namespace

Tramka_dostosuj_form::Tramka_dostosuj_form(const UkladKolumn &uklad, QWidget *parent)
    : QDialog(parent),
      m_uklad(uklad)
{
    setObjectName(QStringLiteral("ramka_dostosuj_form"));
    setWindowTitle(QStringLiteral("Dostosuj"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(880, 346);

    m_dostepne = new QListWidget(this);
    m_dostepne->setObjectName(QStringLiteral("dostepne"));
    m_dostepne->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_widoczne = new QListWidget(this);
    m_widoczne->setObjectName(QStringLiteral("widoczne"));
    m_widoczne->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_widoczne->setDragDropMode(QAbstractItemView::InternalMove);
    m_widoczne->setDefaultDropAction(Qt::MoveAction);

    m_dodaj = przycisk(this, "LWD_dodaj", QStringLiteral(">"), "Resstrings_IDS_Dodaj");
    m_dodajWszystkie = przycisk(this, "LWD_dodaj_wszystkie", QStringLiteral(">>"), "Resstrings_IDS_dodaj_wszystkie");
    m_wGore = przycisk(this, "up", QStringLiteral("\u2191"), "Resstrings_IDS_przenies_w_gore");
    m_wDol = przycisk(this, "down", QStringLiteral("\u2193"), "Resstrings_IDS_przenies_w_dol");
    m_usun = przycisk(this, "LWD_usun", QStringLiteral("<"), "Resstrings_IDS_Szablon_usun");
    m_usunWszystkie = przycisk(this, "LWD_usun_wszystkie", QStringLiteral("<<"), "Resstrings_IDS_Usun_wszystkie");
    m_zamknij = new QPushButton(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Zamknij")), this);
    m_zamknij->setObjectName(QStringLiteral("zamknij"));

    auto *lewa = new QVBoxLayout;
    lewa->addWidget(new QLabel(QStringLiteral("Dostępne"), this));
    lewa->addWidget(m_dostepne);
    auto *srodek = new QVBoxLayout;
    srodek->addStretch();
    for (QToolButton *b : {m_dodaj, m_dodajWszystkie, m_wGore, m_wDol, m_usun, m_usunWszystkie})
        srodek->addWidget(b);
    srodek->addStretch();
    auto *prawa = new QVBoxLayout;
    prawa->addWidget(new QLabel(QStringLiteral("Widoczne"), this));
    prawa->addWidget(m_widoczne);
    auto *listy = new QHBoxLayout;
    listy->addLayout(lewa, 1);
    listy->addLayout(srodek);
    listy->addLayout(prawa, 1);
    auto *dol = new QHBoxLayout;
    dol->addStretch();
    dol->addWidget(m_zamknij);
    auto *calosc = new QVBoxLayout(this);
    calosc->addLayout(listy);
    calosc->addLayout(dol);

    connect(m_dodaj, &QToolButton::clicked, this, &Tramka_dostosuj_form::dodajZaznaczone);
    connect(m_dodajWszystkie, &QToolButton::clicked, this, &Tramka_dostosuj_form::dodajWszystkie);
    connect(m_usun, &QToolButton::clicked, this, &Tramka_dostosuj_form::usunZaznaczone);
    connect(m_usunWszystkie, &QToolButton::clicked, this, &Tramka_dostosuj_form::usunWszystkie);
    connect(m_wGore, &QToolButton::clicked, this, &Tramka_dostosuj_form::wGore);
    connect(m_wDol, &QToolButton::clicked, this, &Tramka_dostosuj_form::wDol);
    connect(m_zamknij, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_dostepne, &QListWidget::itemDoubleClicked, this, [this] { dodajZaznaczone(); });
    connect(m_widoczne, &QListWidget::itemDoubleClicked, this, [this] { usunZaznaczone(); });
    connect(m_dostepne, &QListWidget::itemSelectionChanged, this, &Tramka_dostosuj_form::ustawPrzyciski);
    connect(m_widoczne, &QListWidget::itemSelectionChanged, this, &Tramka_dostosuj_form::ustawPrzyciski);
    // A drop inside "widoczne" reorders the visible columns.
    connect(m_widoczne->model(), &QAbstractItemModel::rowsMoved, this,
            &Tramka_dostosuj_form::widoczneZmienioneKolejnosc);
    connect(m_widoczne->model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_wypelnianie)
            QTimer::singleShot(0, this, &Tramka_dostosuj_form::widoczneZmienioneKolejnosc);
    });

    if (QWidget *glowne = host::services().mainWindow())
        move(glowne->geometry().center() - rect().center());

    wypelnij({});
}

void Tramka_dostosuj_form::wypelnij(const QStringList &zaznaczone)
{
    m_wypelnianie = true;
    const QSet<QString> wybrane(zaznaczone.begin(), zaznaczone.end());
    m_dostepne->clear();
    m_widoczne->clear();
    for (int i = 0; i < int(m_uklad.size()); ++i) {
        const TUstKolumna &k = m_uklad[i];
        if (ramka::czyKolumnaZaznaczenia(k))
            continue;
        QListWidget *lista = k.widoczna ? m_widoczne : m_dostepne;
        auto *item = new QListWidgetItem(ramka::napisWyswietlany(k), lista);
        item->setData(RolaPole, k.pole);
        item->setData(RolaIndeks, i);
        item->setSelected(wybrane.contains(k.pole));
    }
    m_wypelnianie = false;
    ustawPrzyciski();
}

QStringList Tramka_dostosuj_form::zaznaczonePola(const QListWidget *lista) const
{
    QStringList pola;
    for (int r = 0; r < lista->count(); ++r)
        if (lista->item(r)->isSelected())
            pola << lista->item(r)->data(RolaPole).toString();
    return pola;
}

QStringList Tramka_dostosuj_form::polaWidoczneWKolejnosci() const
{
    QStringList pola;
    for (int r = 0; r < m_widoczne->count(); ++r)
        pola << m_widoczne->item(r)->data(RolaPole).toString();
    return pola;
}

void Tramka_dostosuj_form::zaznacz(const QStringList &pola)
{
    const QSet<QString> wybrane(pola.begin(), pola.end());
    for (QListWidget *lista : {m_dostepne, m_widoczne})
        for (int r = 0; r < lista->count(); ++r)
            lista->item(r)->setSelected(wybrane.contains(lista->item(r)->data(RolaPole).toString()));
    ustawPrzyciski();
}

void Tramka_dostosuj_form::ustawPrzyciski()
{
    if (m_wypelnianie)
        return;
    const int widocznych = m_widoczne->count();
    const bool wybraneDostepne = !m_dostepne->selectedItems().isEmpty();
    int pierwszy = -1;
    int ostatni = -1;
    for (int r = 0; r < widocznych; ++r) {
        if (m_widoczne->item(r)->isSelected()) {
            if (pierwszy < 0)
                pierwszy = r;
            ostatni = r;
        }
    }
    m_dodajWszystkie->setEnabled(m_dostepne->count() > 0);
    m_dodaj->setEnabled(m_dostepne->count() > 0 && wybraneDostepne);
    m_usunWszystkie->setEnabled(widocznych >= 2);
    m_usun->setEnabled(widocznych >= 2 && pierwszy >= 0);
    m_wGore->setEnabled(widocznych >= 2 && pierwszy > 0);
    m_wDol->setEnabled(widocznych >= 2 && ostatni >= 0 && ostatni < widocznych - 1);
}

void Tramka_dostosuj_form::pokazZmiane(const QStringList &zaznaczone)
{
    ramka::numeruj(m_uklad);
    wypelnij(zaznaczone);
    emit ukladZmieniony(m_uklad);
}

void Tramka_dostosuj_form::dodajZaznaczone()
{
    const QStringList pola = zaznaczonePola(m_dostepne);
    if (pola.isEmpty())
        return;
    for (const QString &p : pola)
        m_uklad[ramka::indeksKolumny(m_uklad, p)].widoczna = true;
    pokazZmiane(pola);
}

void Tramka_dostosuj_form::dodajWszystkie()
{
    if (m_dostepne->count() == 0)
        return;
    for (TUstKolumna &k : m_uklad)
        if (!ramka::czyKolumnaZaznaczenia(k))
            k.widoczna = true;
    pokazZmiane({});
}

void Tramka_dostosuj_form::usunZaznaczone()
{
    const QStringList pola = zaznaczonePola(m_widoczne);
    bool zmiana = false;
    for (const QString &p : pola) {
        if (ramka::liczbaWidocznych(m_uklad) <= 1)
            break;
        m_uklad[ramka::indeksKolumny(m_uklad, p)].widoczna = false;
        zmiana = true;
    }
    if (zmiana)
        pokazZmiane(pola);
}

void Tramka_dostosuj_form::usunWszystkie()
{
    const QStringList widoczne = polaWidoczneWKolejnosci();
    if (widoczne.size() < 2)
        return;
    // The first visible column stays.
    for (int i = 1; i < widoczne.size(); ++i)
        m_uklad[ramka::indeksKolumny(m_uklad, widoczne[i])].widoczna = false;
    pokazZmiane({});
}

void Tramka_dostosuj_form::ulozWidoczne(const QStringList &kolejnosc)
{
    std::vector<int> miejsca;
    UkladKolumn kolumny;
    for (int i = 0; i < int(m_uklad.size()); ++i) {
        if (m_uklad[i].widoczna && !ramka::czyKolumnaZaznaczenia(m_uklad[i]))
            miejsca.push_back(i);
    }
    for (const QString &p : kolejnosc)
        kolumny.push_back(m_uklad[ramka::indeksKolumny(m_uklad, p)]);
    if (kolumny.size() != miejsca.size())
        return;
    for (size_t j = 0; j < miejsca.size(); ++j)
        m_uklad[miejsca[j]] = kolumny[j];
}

void Tramka_dostosuj_form::przesun(int kierunek)
{
    QStringList kolejnosc = polaWidoczneWKolejnosci();
    const QStringList wybrane = zaznaczonePola(m_widoczne);
    if (kolejnosc.size() < 2 || wybrane.isEmpty())
        return;
    const QSet<QString> zbior(wybrane.begin(), wybrane.end());
    const int n = int(kolejnosc.size());
    if (kierunek < 0) {
        if (zbior.contains(kolejnosc.first()))
            return;
        for (int r = 1; r < n; ++r)
            if (zbior.contains(kolejnosc[r]))
                kolejnosc.swapItemsAt(r, r - 1);
    } else {
        if (zbior.contains(kolejnosc.last()))
            return;
        for (int r = n - 2; r >= 0; --r)
            if (zbior.contains(kolejnosc[r]))
                kolejnosc.swapItemsAt(r, r + 1);
    }
    ulozWidoczne(kolejnosc);
    pokazZmiane(wybrane);
}

void Tramka_dostosuj_form::wGore()
{
    przesun(-1);
}

void Tramka_dostosuj_form::wDol()
{
    przesun(1);
}

void Tramka_dostosuj_form::widoczneZmienioneKolejnosc()
{
    if (m_wypelnianie)
        return;
    const QStringList kolejnosc = polaWidoczneWKolejnosci();
    if (int(kolejnosc.size()) != ramka::liczbaWidocznych(m_uklad))
        return;
    ulozWidoczne(kolejnosc);
    pokazZmiane(zaznaczonePola(m_widoczne));
}
