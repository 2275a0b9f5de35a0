#include "ramka/ramka_lista_fr.h"

#include "ramka/modul.h"

#include "ramka/actions/usuwanie_zaznaczonych.h"
#include "ramka/edycja/szablon_edycja_form.h"
#include "ramka/export/list_file_save.h"
#include "ramka/export/print_list.h"
#include "ramka/export/ramka_kolumny_wydruku_form.h"
#include "ramka/panel_filtrow.h"
#include "ramka/ramka_filtr_popup.h"
#include "ramka/sesja_edytorow.h"
#include "ramka/settings/ramka_dostosuj_form.h"

#include <connection.h>
#include <dataset.h>
#include <day_time.h>
#include <db_error.h>
#include <handler_guard.h>
#include <host.h>
#include <list_status.h>
#include <lista_grid.h>
#include <query.h>
#include <stored_proc.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <optional>

using partners::tlumacz;

namespace {

const QString PoleId = QStringLiteral("id");

bool ukryty(const QWidget *w)
{
    return w->isHidden();
}

// Status panel 2: its text, or while the list is written to a file, a bar filled to the percentage.
// A status panel: its width where the frame has room, narrower where it has not
// (a list beside another on a page); the save progress is drawn over it.
class PanelStatusu : public QLabel
{
public:
    PanelStatusu(QWidget *rodzic, int szerokosc)
        : QLabel(rodzic),
          m_szerokosc(szerokosc)
    {}
    int procent = -1;

    QSize sizeHint() const override
    {
        const QSize tekst = QLabel::sizeHint();
        return {std::max(tekst.width(), m_szerokosc), tekst.height()};
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (procent < 0)
            return QLabel::paintEvent(event);
        QPainter painter(this);
        ui::paintProgressPanel(painter, contentsRect(), procent);
    }

private:
    int m_szerokosc;
};

} // namespace

// ---- construction ----------------------------------------------------------------

Tramka_lista_frame::Tramka_lista_frame(QWidget *parent, const QString &name)
    : QWidget(parent),
      m_zakres(false)
{
    setObjectName(name);
    m_lista = new db::DataSet(this);
    m_lista->setObjectName(QStringLiteral("Lista"));
    m_usunRekord = new db::StoredProc(this);
    m_usunRekord->setObjectName(QStringLiteral("usun_rekord"));
    m_usunRekord->setProcedureName(QStringLiteral("PUsunW;1"));
    m_usuwanie = new db::StoredProc(this);
    m_usuwanie->setObjectName(QStringLiteral("usuwanie"));
    m_usuwanie->setProcedureName(QStringLiteral("PCanDel;1"));
    m_usunPowiazPliki = new db::StoredProc(this);
    m_usunPowiazPliki->setObjectName(QStringLiteral("UsunPowiazPliki"));
    m_usunPowiazPliki->setProcedureName(QStringLiteral("PUsunW;1"));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(300);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &Tramka_lista_frame::Timer1Timer);

    connect(m_lista, &db::DataSet::beforeOpen, this, [this] { host::guard([&] { ListaBeforeOpen(); }); });
    connect(m_lista, &db::DataSet::afterOpen, this, [this] {
        host::guard([&] { ListaAfterOpen(); });
        QApplication::restoreOverrideCursor();
    });
    connect(m_lista, &db::DataSet::fetchComplete, this, [this] { host::guard([&] { poWczytaniu(); }); });
    zbudujWidok();
}

Tramka_lista_frame::~Tramka_lista_frame()
{
    host::guard([&] {
        ramka::SesjaEdytorow(m_kodDll).zamknietoWszystkie();
        if (!m_formularz.isEmpty() && m_ustawienia)
            ZapisUstawienListy(false);
    });
    if (m_popupFiltru) {
        m_popupFiltru->disconnect(this);
        delete m_popupFiltru.data();
    }
}

void Tramka_lista_frame::zbudujWidok()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    layout->addWidget(m_toolBar);

    // A derived frame's own filters sit beside the search box: next to the
    // tool bar they would push its last buttons into the overflow.
    auto *filtry = new QHBoxLayout;
    m_panelFiltry = new ramka::PanelFiltrow(this);
    filtry->addWidget(m_panelFiltry, 1);
    m_toolBarDodatkowy = new QToolBar(this);
    m_toolBarDodatkowy->setObjectName(QStringLiteral("ToolBarDodatkowy"));
    filtry->addWidget(m_toolBarDodatkowy);
    layout->addLayout(filtry);
    connect(m_panelFiltry, &ramka::PanelFiltrow::zapiszFiltry, this, &Tramka_lista_frame::bZapiszFiltryListyClick);
    connect(m_panelFiltry, &ramka::PanelFiltrow::zakresWybrany, this, [this] { zakres_datChange(true); });
    connect(m_panelFiltry, &ramka::PanelFiltrow::kolumnaDatyWybrana, this, &Tramka_lista_frame::ktora_dataChange);
    connect(m_panelFiltry, &ramka::PanelFiltrow::okresZmieniony, this, &Tramka_lista_frame::przeczytajPickery);
    connect(m_panelFiltry, &ramka::PanelFiltrow::okresOpuszczony, this, [this] {
        m_zakres.pickerLeft();
        pokazZakres();
    });
    connect(m_panelFiltry, &ramka::PanelFiltrow::okresZatwierdzony, this, [this] {
        przeczytajPickery();
        m_zakres.pickerLeft();
        pokazZakres();
        odswiezClick();
    });
    connect(m_panelFiltry, &ramka::PanelFiltrow::okresZastosowany, this, &Tramka_lista_frame::odswiezClick);
    connect(m_panelFiltry, &ramka::PanelFiltrow::frazaZastosowana, this,
            &Tramka_lista_frame::bWyszWgFrazyZastosujClick);

    m_grid = new ui::ListaGrid(this);
    m_grid->setDataSet(m_lista);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_grid, 1);

    auto *status = new QWidget(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    auto *statusLayout = new QHBoxLayout(status);
    statusLayout->setContentsMargins(2, 1, 2, 1);
    auto *podsumowanie = new QToolButton(status);
    podsumowanie->setObjectName(QStringLiteral("pPanelDoRozPodsumowania"));
    podsumowanie->setText(QStringLiteral("\u03A3"));
    podsumowanie->setToolTip(tlumacz("Resstrings_IDS_ramka_Podsumowanie"));
    podsumowanie->setCheckable(true);
    podsumowanie->setAutoRaise(true);
    connect(podsumowanie, &QToolButton::toggled, m_grid, &ui::ListaGrid::setSummaryVisible);
    statusLayout->addWidget(podsumowanie);
    for (int width : {110, 180, 100, 50}) {
        auto *panel = new PanelStatusu(status, width);
        panel->setFrameShape(QFrame::StyledPanel);
        statusLayout->addWidget(panel);
        m_panele << panel;
    }
    statusLayout->addStretch();
    layout->addWidget(status);

    // Tool buttons and their popup items share one action each.
    struct Def
    {
        const char *name;
        const char *popup;
        const char *text;
        QKeySequence key;
        void (Tramka_lista_frame::*slot)();
    };
    const Def defs[] = {
        {"nowy", "pnowy", "Nowy wpis", QKeySequence(Qt::Key_Insert), &Tramka_lista_frame::nowyClick},
        {"edycja", "pedycja", "Edytuj", QKeySequence(Qt::Key_F2), &Tramka_lista_frame::edycjaClick},
        {"usun", "pusun", "Usuń", QKeySequence(QKeySequence::Delete), &Tramka_lista_frame::usunClick},
        {"nkopiowanie", "pKopiowanie", "Kopiuj", QKeySequence(), &Tramka_lista_frame::nkopiowanieClick},
        {"odswiez", "Odwiez1", "Odśwież listę", QKeySequence(Qt::Key_F5), &Tramka_lista_frame::odswiezClick},
        {"usunfiltry", nullptr, "Usuń filtry", QKeySequence(), &Tramka_lista_frame::usunfiltryClick},
        {"zapisz", "pzapisz", "Zapisz do pliku", QKeySequence(Qt::CTRL | Qt::Key_S), &Tramka_lista_frame::zapiszClick},
        {"podglad", "ppodglad", "Podgląd wydruku", QKeySequence(Qt::CTRL | Qt::Key_P),
         &Tramka_lista_frame::podgladClick},
        {"widoczne", "pwidoczne", "Dostosuj kolumny", QKeySequence(), &Tramka_lista_frame::widoczneClick},
        {"reset", nullptr, "Przywróć układ", QKeySequence(), &Tramka_lista_frame::resetClick},
        {"dostosuj_szerokosc", nullptr, "Dopasuj szerokości", QKeySequence(),
         &Tramka_lista_frame::dostosuj_szerokoscClick},
        {"tbImportZPliku", nullptr, "Import", QKeySequence(), nullptr},
        {"tbExportDoPliku", nullptr, "Eksport", QKeySequence(), nullptr},
    };
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("dostosuj_popup"));
    for (const Def &d : defs) {
        auto *action = new QAction(QString::fromUtf8(d.text), this);
        action->setObjectName(QLatin1String(d.name));
        m_toolBar->addAction(action);
        if (d.slot)
            connect(action, &QAction::triggered, this, [this, slot = d.slot] { (this->*slot)(); });
        if (d.popup) {
            auto *item = new QAction(QString::fromUtf8(d.text), this);
            item->setObjectName(QLatin1String(d.popup));
            item->setShortcut(d.key);
            item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            connect(item, &QAction::triggered, this, [this, slot = d.slot] { (this->*slot)(); });
            m_popup->addAction(item);
            m_grid->addAction(item);
        }
    }
    akcja(QStringLiteral("usunfiltry"))->setEnabled(false);
    akcja(QStringLiteral("tbImportZPliku"))->setVisible(false);
    akcja(QStringLiteral("tbExportDoPliku"))->setVisible(false);
    akcja(QStringLiteral("pKopiowanie"))->setVisible(false);
    akcja(QStringLiteral("nkopiowanie"))->setVisible(false);

    m_popup->addSeparator();
    auto *all = new QAction(QStringLiteral("Zaznacz wszystkie pozycje"), this);
    all->setObjectName(QStringLiteral("pZaznaczAll"));
    all->setShortcut(QKeySequence::SelectAll);
    all->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(all, &QAction::triggered, m_grid, &ui::ListaGrid::checkAll);
    auto *none = new QAction(QStringLiteral("Odznacz wszystkie pozycje"), this);
    none->setObjectName(QStringLiteral("pOdznaczAll"));
    connect(none, &QAction::triggered, m_grid, &ui::ListaGrid::uncheckAll);
    m_popup->addAction(all);
    m_popup->addAction(none);

    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(m_grid->viewport()->mapToGlobal(pos)); });
    connect(m_grid, &ui::ListaGrid::editRequested, this, &Tramka_lista_frame::edycjaClick);
    connect(m_grid, &ui::ListaGrid::filterClicked, this,
            [this](int column, const QString &) { otworzFiltrKolumny(column); });
    connect(m_grid, &ui::ListaGrid::selectionCountChanged, this, [this] { PokazLiczbeRekordow(); });
    connect(m_grid, &ui::ListaGrid::columnMoved, this,
            [this](const QString &, int from, int to) { FiltrListy.moveFilter(from, to); });
    m_grid->setSortApplier([this](const QString &sort) {
        FiltrListy.setSort(sort);
        if (m_lista->isActive()) {
            const qint64 id = idBiezacegoWiersza();
            FiltrListy.apply(*m_lista);
            GoToId(id);
        }
    });
}

QLineEdit *Tramka_lista_frame::szukany_tekst() const
{
    return m_panelFiltry->szukanyTekst();
}

QAction *Tramka_lista_frame::akcja(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

QString Tramka_lista_frame::tekstPanelu(int panel) const
{
    return panel >= 0 && panel < m_panele.size() ? m_panele[panel]->text() : QString();
}

void Tramka_lista_frame::ustawStatus(int panel, const QString &text)
{
    if (panel >= 0 && panel < m_panele.size())
        m_panele[panel]->setText(text);
    if (panel == 2)
        static_cast<PanelStatusu *>(m_panele[2])->procent = -1;
}

void Tramka_lista_frame::pokazPostepZapisu(int biezacy, int wszystkich)
{
    auto *panel = static_cast<PanelStatusu *>(m_panele[2]);
    const int procent = wszystkich > 0 ? biezacy * 100 / wszystkich : 100;
    if (procent == panel->procent)
        return;
    panel->procent = procent;
    panel->setText(QStringLiteral("%1%").arg(procent));
    // No event loop runs while the rows are read: the panel is painted at once.
    panel->repaint();
}

QDate Tramka_lista_frame::dzisiaj() const
{
    return m_dzisiaj.isValid() ? m_dzisiaj : QDate::currentDate();
}

// ---- declarations ------------------------------------------------------------------

void Tramka_lista_frame::UstawKwerende(const QString &sql)
{
    m_bazowa = sql;
    m_ostatniaKwerenda = sql;
    m_lista->setCommandText(sql);
}

void Tramka_lista_frame::UstawKolumny(std::vector<ui::GridColumn> kolumny)
{
    if (kolumny.empty() || !kolumny.front().isSelectionColumn())
        kolumny.insert(kolumny.begin(), ui::GridColumn::selectionColumn());
    m_kolumnyProjektu = kolumny;
    m_formatyUstawione = false;
    m_grid->setColumns(std::move(kolumny));
}

void Tramka_lista_frame::UstawTabele(const QString &tabela, const QString &nazwaId)
{
    m_tabela = tabela;
    m_nazwaId = nazwaId;
    m_usuwanie->setValue(QStringLiteral("@tabela"), tabela);
    m_usuwanie->setValue(QStringLiteral("@czy_wymuszenie"), 0);
}

QString Tramka_lista_frame::KodModuluUstawien() const
{
    return partners::KodModulu;
}

// ---- initialisation -------------------------------------------------------------------

void Tramka_lista_frame::InicjujRamke(const QString &kodDll, bool tylkoOdczyt, const QString &formName,
                                      const QString &componentName, bool bezWlasnejKwerendy)
{
    host::guard([&] {
        m_bezWlasnejKwerendy = bezWlasnejKwerendy;
        m_kodDll = kodDll;
        m_tylkoOdczyt = tylkoOdczyt;
        m_formularz = host::ZwrocBazowaWartoscKomponentu(formName);
        m_nazwaKomponentu = componentName.isEmpty() ? objectName() : componentName;
        if (m_tylkoOdczyt) {
            for (const char *n : {"nowy", "edycja", "usun", "nkopiowanie", "pnowy", "pedycja", "pusun", "pKopiowanie"})
                akcja(QLatin1String(n))->setVisible(false);
        }
        if (m_bezWlasnejKwerendy) {
            delete akcja(QStringLiteral("odswiez"));
            delete akcja(QStringLiteral("Odwiez1"));
        }
        if (m_zainicjowana) {
            if (m_lista->isActive() && !m_bezWlasnejKwerendy) {
                QApplication::processEvents();
                ponownieOtworz();
            }
            return;
        }
        m_zainicjowana = true;

        host::InitializeLanguage(QStringLiteral("cities.dll"), this);
        const std::pair<const char *, const char *> teksty[] = {
            {"pnowy", "Resstrings_IDS_Nowy"},
            {"nowy", "Resstrings_IDS_Nowy"},
            {"pedycja", "Resstrings_IDS_Edytuj"},
            {"edycja", "Resstrings_IDS_Edytuj"},
            {"pusun", "Resstrings_IDS_Szablon_usun"},
            {"usun", "Resstrings_IDS_Szablon_usun"},
            {"pzapisz", "Resstrings_IDS_ZapiszDoPliku"},
            {"zapisz", "Resstrings_IDS_ZapiszDoPliku"},
            {"ppodglad", "Resstrings_IDS_PodgladWydruku"},
            {"podglad", "Resstrings_IDS_PodgladWydruku"},
            {"pwidoczne", "Resstrings_IDS_DostosujWidoczKol"},
            {"widoczne", "Resstrings_IDS_DostosujWidoczKol"},
            {"pKopiowanie", "Resstrings_IDS_ramka_Kopiuj"},
            {"nkopiowanie", "Resstrings_IDS_ramka_Kopiuj"},
            {"Odwiez1", "Resstrings_IDS_ramka_Odswiez_liste"},
            {"odswiez", "Resstrings_IDS_ramka_Odswiez_liste"},
            {"usunfiltry", "Resstrings_IDS_ramka_Usun_filtry"},
            {"reset", "Resstrings_IDS_ramka_Przywroc_uklad"},
            {"dostosuj_szerokosc", "Resstrings_IDS_ramka_Dopasuj_szerokosci"},
            {"tbImportZPliku", "Resstrings_IDS_ramka_Import"},
            {"tbExportDoPliku", "Resstrings_IDS_ramka_Eksport"},
            {"pZaznaczAll", "Resstrings_IDS_Zaznacz_wszystko"},
            {"pOdznaczAll", "Resstrings_IDS_Odznacz_wszystko"},
        };
        for (const auto &[name, key] : teksty) {
            if (QAction *a = akcja(QLatin1String(name))) {
                a->setText(tlumacz(key));
                a->setToolTip(tlumacz(key));
            }
        }
        for (const auto &[name, key] :
             {std::pair{"bZapiszFiltryListy", "Resstrings_IDS_Zapisz_filtr_dat"},
              std::pair{"bOkres_zastosuj", "Resstrings_IDS_firma__ramka_filtr_unit__zastosuj"},
              std::pair{"bWyszWgFrazyZastosuj", "Resstrings_IDS_firma__ramka_filtr_unit__zastosuj"}}) {
            if (auto *b = findChild<QToolButton *>(QLatin1String(name))) {
                b->setText(tlumacz(key));
                b->setToolTip(tlumacz(key));
            }
        }

        if (!m_bezWlasnejKwerendy && !m_lista->connection())
            host::Podepnij_kwerendy(this);

        // Shortcuts only where the tool button is shown.
        for (const auto &[button, item] :
             {std::pair{"nowy", "pnowy"}, std::pair{"usun", "pusun"}, std::pair{"edycja", "pedycja"},
              std::pair{"zapisz", "pzapisz"}, std::pair{"podglad", "ppodglad"}}) {
            if (!akcja(QLatin1String(button))->isVisible())
                akcja(QLatin1String(item))->setShortcut(QKeySequence());
        }
        m_grid->setEditState(akcja(QStringLiteral("edycja"))->isVisible(),
                             akcja(QStringLiteral("edycja"))->isEnabled());

        m_zakres = partners::DateRangeFilter(KontekstRamki != 0);
        m_zakres.choosePreset(DomyslnyZakres, dzisiaj());
        wypelnijZakresDat();

        m_ustawienia = std::make_unique<ramka::UstawieniaListy>(
            ramka::KluczUstawien{host::AktIdU(), m_formularz, KodModuluUstawien(), m_nazwaKomponentu});
        m_ustawienia->ustawDomyslnyUklad(ukladZSiatki());
        OdczytUstawienListyPoczatek();

        // The funnels come first: the first width fit on open makes room for them.
        UtworzFiltryKolumn();
        OtworzListe();
        m_grid->viewport()->update();
    });
}

// ---- date range ------------------------------------------------------------------------

void Tramka_lista_frame::wypelnijZakresDat()
{
    QList<std::pair<QString, int>> pozycje;
    for (const auto &item : m_zakres.items())
        pozycje.append({host::LoadResstrings(item.key), item.code});
    m_panelFiltry->ustawZakresy(pozycje, m_zakres.selectedIndex(), m_zakres.fullListShown());
    pokazZakres();
}

void Tramka_lista_frame::ukryjZakresDat()
{
    m_panelFiltry->ukryjZakresDat();
}

void Tramka_lista_frame::pokazZakres()
{
    m_panelFiltry->pokazOkres(m_zakres.range().start, m_zakres.range().end, m_zakres.pickersEnabled(),
                              m_zakres.dateColumnEnabled());
}

void Tramka_lista_frame::przeczytajPickery()
{
    m_zakres.setStart(m_panelFiltry->okresOd());
    m_zakres.setEnd(m_panelFiltry->okresDo());
}

void Tramka_lista_frame::zakres_datChange(bool odswiez)
{
    host::guard([&] {
        const auto choice = m_zakres.choose(m_panelFiltry->zakresDat()->currentIndex(), dzisiaj());
        if (choice == partners::DateRangeFilter::Choice::Ignored)
            return;
        wypelnijZakresDat();
        if (choice == partners::DateRangeFilter::Choice::FullListShown) {
            m_panelFiltry->zakresDat()->showPopup();
            return;
        }
        if (odswiez
            && (m_zakres.range().start >= 1 || m_zakres.range().end >= 1
                || m_zakres.lastPresetCode() == partners::DatePresetCode::All))
            odswiezClick();
    });
}

void Tramka_lista_frame::ktora_dataChange()
{
    const int i = m_panelFiltry->ktoraData()->currentIndex();
    m_kolumnaDaty = i >= 0 && i < KolumnyDat.size() ? KolumnyDat[i] : QString();
    odswiezClick();
}

void Tramka_lista_frame::wypelnijKtoraData(bool zPol)
{
    QComboBox *ktora = m_panelFiltry->ktoraData();
    if (ukryty(ktora) || ktora->count() > 0)
        return;
    QList<db::FieldDef> pola = m_pola;
    if (pola.isEmpty() && zPol) {
        for (int i = 0; i < m_lista->fieldCount(); ++i)
            if (m_lista->fieldDef(i).kind == db::FieldKind::Data)
                pola << m_lista->fieldDef(i);
    }
    if (pola.isEmpty())
        return;
    const auto items = partners::dateColumnItems(pola, kolumnyInfo(), partners::hostTranslate());
    KolumnyDat.clear();
    for (const auto &item : items) {
        KolumnyDat << item.field;
        ktora->addItem(item.text);
    }
    if (ktora->count() == 0)
        return;
    ktora->setCurrentIndex(partners::defaultDateColumnIndex(KolumnyDat, DomyslnaKolumnaDaty));
    m_kolumnaDaty = KolumnyDat.value(ktora->currentIndex());
    if (!partners::dateColumnChoiceVisible(ktora->count(), ktora->currentIndex()))
        ktora->hide();
}

// ---- opening ------------------------------------------------------------------------------

int Tramka_lista_frame::OtworzZapytanie(db::DataSet &lista)
{
    return host::OpenQuery(lista);
}

void Tramka_lista_frame::OtworzListe()
{
    if (m_bezWlasnejKwerendy || !m_lista->connection())
        return;
    host::guard([&] {
        const int wynik = OtworzZapytanie(*m_lista);
        if (wynik == host::OpenQueryTimedOut && !ukryty(m_panelFiltry)
            && partners::offerShorteningAfterTimeout(m_zakres.range())) {
            QApplication::restoreOverrideCursor();
            if (host::InfoBox(this, QStringLiteral("Resstrings_IDS_limit_czasu_zakres_dat"),
                              host::mb::YesNo | host::mb::IconQuestion)
                == host::mb::IdYes) {
                m_zakres.setRange(partners::shortenedAfterTimeout(m_zakres.range()));
                pokazZakres();
                repaint();
                OtworzZapytanie(*m_lista);
            }
        }
    });
    QApplication::restoreOverrideCursor();
}

void Tramka_lista_frame::ListaBeforeOpen()
{
    QComboBox *ktora = m_panelFiltry->ktoraData();
    FiltrListy.markAllForRebuild();
    m_daneWczytane = false;
    ustawStatus(0, ui::loadingText());
    wypelnijKtoraData(m_lista->fieldCount() > 0);
    if (ktora->currentIndex() < 0 && ktora->count() > 0) {
        ktora->setCurrentIndex(partners::defaultDateColumnIndex(KolumnyDat, DomyslnaKolumnaDaty));
        m_kolumnaDaty = KolumnyDat.value(ktora->currentIndex());
    }
    // A command set directly on Lista (not through UstawKwerende) becomes the base.
    if (m_lista->commandText() != m_ostatniaKwerenda)
        m_bazowa = m_lista->commandText();
    QString tekst = m_bazowa;
    if (!ukryty(m_panelFiltry) && m_lista->connection()) {
        const QString kolumna = !ukryty(ktora) && ktora->currentIndex() >= 0 ? m_kolumnaDaty : QString();
        tekst = partners::dateFilteredCommand(m_bazowa, kolumna, m_zakres.range(), m_lista->connection()->dialect(),
                                              OpcjeDat);
    }
    if (tekst != m_lista->commandText())
        m_lista->setCommandText(tekst);
    m_ostatniaKwerenda = tekst;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void Tramka_lista_frame::zastosujFormaty()
{
    if (m_formatyUstawione)
        return;
    m_formatyUstawione = true;
    std::vector<ui::GridColumn> kolumny = m_grid->columnLayout();
    bool zmiana = false;
    for (ui::GridColumn &k : kolumny) {
        const int pole = m_lista->fieldIndex(k.fieldName);
        if (pole < 0 || !k.displayFormat.isEmpty())
            continue;
        const QMetaType::Type typ = m_lista->fieldDef(pole).type;
        const int liczba = FormatyLiczbPola.indexOf(k.fieldName);
        if (typ == QMetaType::QDateTime)
            k.displayFormat = host::services().dateFormat();
        else if (liczba >= 0) {
            const QString miejsca = FormatyLiczbMiejsca.value(liczba);
            k.displayFormat = miejsca == QLatin1String("4") ? QStringLiteral(",0.0000")
                : miejsca == QLatin1String("3")             ? QStringLiteral(",0.000")
                : miejsca == QLatin1String("0")             ? QStringLiteral(",0")
                                                            : QStringLiteral(",0.00");
        } else if (FormatyLiczbProste.contains(k.fieldName))
            k.displayFormat = QStringLiteral("#0.00");
        else
            continue;
        zmiana = true;
    }
    if (zmiana) {
        const int marked = m_grid->markedColumn();
        m_grid->setColumns(kolumny);
        m_grid->setMarkedColumn(marked);
    }
}

void Tramka_lista_frame::ListaAfterOpen()
{
    zastosujFormaty();
    if (!ukryty(m_panelFiltry)) {
        wypelnijKtoraData(true);
        odbudujMenuFrazy();
    }
    if (!m_lista->isFetching()) {
        poWczytaniu();
    } else if (FiltrListy.anyActive()
               || (!ukryty(m_panelFiltry) && !m_panelFiltry->szukanyTekst()->text().isEmpty()
                   && m_lista->filter().isEmpty())) {
        // Rows the filters would hide must not show meanwhile.
        m_lista->finishFetch();
    } else {
        PokazLiczbeRekordow();
        aktualizujPrzyciski();
    }
}

// What needs every row: once the last chunk is in.
void Tramka_lista_frame::poWczytaniu()
{
    m_daneWczytane = true;
    if (!ukryty(m_panelFiltry)) {
        if (!m_panelFiltry->szukanyTekst()->text().isEmpty())
            FiltrListy.setPhrase(
                partners::phraseCondition(m_panelFiltry->szukanyTekst()->text(), KolumnyWyszukiwania,
                                          [this](const QString &f) { return DodatkowyWarunekFrazy(f); }),
                m_panelFiltry->szukanyTekst()->text());
    }
    zastosujFiltry();
    PokazLiczbeRekordow();
    ListaFetchComplete();
    if (m_pierwszeOtwarcie && m_lista->recordCount() > 0) {
        m_pierwszeOtwarcie = false;
        PierwszeOtwarcie();
    }
    if ((ramka::SesjaEdytorow::wlaczona() && !m_sesjaOdtworzona) || !DoEdycji.isEmpty())
        m_timer->start();
}

void Tramka_lista_frame::ListaFetchComplete()
{
    m_daneWczytane = true;
    m_grid->refreshSummary();
    PokazLiczbeRekordow();
    aktualizujPrzyciski();
    m_grid->viewport()->update();
}

void Tramka_lista_frame::zastosujFiltry()
{
    FiltrListy.setDisplayText([this](const db::DataSet &ds, db::Bookmark row, int field) {
        const db::FieldDef &def = ds.fieldDef(field);
        const int col = m_grid->columnOf(def.name);
        const QString format = col >= 0 ? m_grid->gridModel()->column(col).displayFormat : QString();
        return ui::oneLine(ui::formatValue(ds.valueAt(row, field), def.type, format));
    });
    host::guard([&] { FiltrListy.apply(*m_lista); });
    aktualizujTytulyFiltrow();
}

void Tramka_lista_frame::ponownieOtworz()
{
    if (m_bezWlasnejKwerendy) {
        OdswiezDaneZewnetrzne();
        return;
    }
    m_lista->close();
    OtworzListe();
}

void Tramka_lista_frame::OdswiezDaneZewnetrzne()
{
    if (m_lista->connection() && !m_lista->commandText().isEmpty()) {
        m_lista->close();
        m_lista->open();
    } else if (m_lista->isActive()) {
        // Rows handed over in memory stay; only the filters are applied again.
        zastosujFiltry();
        PokazLiczbeRekordow();
    }
}

qint64 Tramka_lista_frame::idBiezacegoWiersza() const
{
    if (!m_lista->isActive() || m_lista->recNo() < 1 || !m_lista->hasField(PoleId))
        return 0;
    return m_lista->value(PoleId).toLongLong();
}

bool Tramka_lista_frame::GoToId(qint64 id)
{
    if (id == 0 || !m_lista->isActive() || !m_lista->hasField(PoleId))
        return false;
    return m_lista->locate(PoleId, id);
}

// ---- refresh -------------------------------------------------------------------------------

void Tramka_lista_frame::odswiezClick()
{
    host::guard([&] {
        if (m_panelFiltry->wyborDatyTrwa())
            return;
        if ((!m_lista->connection() && !m_bezWlasnejKwerendy) || m_odswiezanieTrwa)
            return;
        const QScopedValueRollback trwa(m_odswiezanieTrwa, true);
        m_panelFiltry->wylaczZastosowanieOkresu();
        if (!m_lista->isActive()) {
            if (m_bezWlasnejKwerendy)
                OdswiezDaneZewnetrzne();
            else
                OtworzListe();
        } else {
            const qint64 id = idBiezacegoWiersza();
            const int wiersz = m_lista->recNo();
            const int gora = m_grid->rowAt(0);
            ponownieOtworz();
            if (m_bezWlasnejKwerendy) {
                if (wiersz > 0 && wiersz <= m_lista->recordCount()) {
                    m_lista->setRecNo(wiersz);
                    if (gora >= 0)
                        m_grid->scrollTo(m_grid->gridModel()->index(gora, 0), QAbstractItemView::PositionAtTop);
                }
            } else {
                GoToId(id);
            }
        }
        aktualizujPrzyciski();
    });
    QApplication::restoreOverrideCursor();
}

// ---- status, toolbar, phrase ----------------------------------------------------------------

void Tramka_lista_frame::PokazLiczbeRekordow()
{
    if (!m_daneWczytane) {
        ustawStatus(0, ui::loadingText());
        return;
    }
    ustawStatus(0, ui::rowCountText(m_lista->isActive() ? m_lista->recordCount() : 0));
    const int zaznaczone = m_grid->selectedCount();
    ustawStatus(1, zaznaczone > 0 ? QString::number(zaznaczone) : QString());
}

void Tramka_lista_frame::aktualizujPrzyciski()
{
    const bool dane = m_lista->isActive() && m_lista->recordCount() > 0;
    for (const char *n : {"edycja", "usun", "nkopiowanie", "pedycja", "pusun", "pKopiowanie"})
        akcja(QLatin1String(n))->setEnabled(dane && !Zablokowana);
    akcja(QStringLiteral("usunfiltry"))->setEnabled(FiltrListy.anyActive());
    m_grid->setEditState(akcja(QStringLiteral("edycja"))->isVisible(), EdycjaDozwolona && !Zablokowana);
}

void Tramka_lista_frame::aktualizujTytulyFiltrow()
{
    for (int i = 0; i < FiltrListy.filterCount(); ++i) {
        const auto &f = FiltrListy.filter(i);
        m_grid->setColumnFilterState(f.field(),
                                     f.isActive() ? ui::ColumnFilterState::Active : ui::ColumnFilterState::Inactive);
    }
    akcja(QStringLiteral("usunfiltry"))->setEnabled(FiltrListy.anyActive());
}

QList<partners::GridColumnInfo> Tramka_lista_frame::kolumnyInfo() const
{
    QList<partners::GridColumnInfo> info;
    for (const ui::GridColumn &k : m_grid->columnLayout())
        info.append({k.fieldName, k.displayTitle(), k.visible});
    return info;
}

void Tramka_lista_frame::odbudujMenuFrazy()
{
    QList<db::FieldDef> pola;
    for (int i = 0; i < m_lista->fieldCount(); ++i)
        if (m_lista->fieldDef(i).kind == db::FieldKind::Data)
            pola << m_lista->fieldDef(i);
    const auto info = kolumnyInfo();
    m_kolumnyFrazy.rebuild(partners::eligibleSearchColumns(pola, info, WykluczoneZWyszukiwania), info);
    KolumnyWyszukiwania = m_kolumnyFrazy.searchColumns();

    m_panelFiltry->menuFrazy()->clear();
    auto *all = m_panelFiltry->menuFrazy()->addAction(tlumacz("Resstrings_IDS_RapWszystkie"));
    all->setCheckable(true);
    all->setChecked(m_kolumnyFrazy.allColumns());
    connect(all, &QAction::triggered, this, [this] {
        m_kolumnyFrazy.toggle(0);
        KolumnyWyszukiwania = m_kolumnyFrazy.searchColumns();
        odbudujMenuFrazy();
        WarunekFrazy();
    });
    for (int i = 0; i < m_kolumnyFrazy.items().size(); ++i) {
        const auto &item = m_kolumnyFrazy.items()[i];
        auto *a =
            m_panelFiltry->menuFrazy()->addAction(item.integer ? item.title + QStringLiteral(" (#)") : item.title);
        a->setCheckable(true);
        a->setChecked(item.checked);
        connect(a, &QAction::triggered, this, [this, i] {
            m_kolumnyFrazy.toggle(i + 1);
            KolumnyWyszukiwania = m_kolumnyFrazy.searchColumns();
            odbudujMenuFrazy();
            WarunekFrazy();
        });
    }
    // The empty box says what it searches.
    QStringList tytuly;
    for (const auto &item : m_kolumnyFrazy.items())
        if (m_kolumnyFrazy.allColumns() || item.checked)
            tytuly << item.title;
    m_panelFiltry->szukanyTekst()->setPlaceholderText(tytuly.isEmpty() ? QString()
                                                                       : tlumacz("Resstrings_IDS_ramka_Szukaj_w")
                                                              + QLatin1Char(' ') + tytuly.join(QStringLiteral(", ")));
}

QString Tramka_lista_frame::DodatkowyWarunekFrazy(const QString &)
{
    return QString();
}

void Tramka_lista_frame::WarunekFrazy()
{
    host::guard([&] {
        const QString fraza = m_panelFiltry->szukanyTekst()->text();
        if (fraza.isEmpty())
            FiltrListy.clearPhrase();
        else
            FiltrListy.setPhrase(
                partners::phraseCondition(fraza, KolumnyWyszukiwania,
                                          [this](const QString &f) { return DodatkowyWarunekFrazy(f); }),
                fraza);
        if (m_lista->isActive())
            zastosujFiltry();
        PokazLiczbeRekordow();
        m_grid->refreshSummary();
        aktualizujPrzyciski();
        m_panelFiltry->pokazKolumnyFrazy(m_kolumnyFrazy.allColumns());
    });
}

// ---- column filters ---------------------------------------------------------------------------

void Tramka_lista_frame::UtworzFiltryKolumn()
{
    FiltrListy.clearFilters();
    for (const ui::GridColumn &k : m_grid->columnLayout()) {
        if (k.isSelectionColumn()) {
            FiltrListy.addFilter(k.fieldName, [this](const db::DataSet &ds, db::Bookmark row) {
                const int id = ds.fieldIndex(PoleId);
                if (id < 0)
                    return QString();
                ui::RowKey key{ds.valueAt(row, id).toLongLong(), {}};
                const int guid = ds.fieldIndex(QStringLiteral("guid"));
                if (guid >= 0)
                    key.guid = ds.valueAt(row, guid).toString();
                return m_grid->gridModel()->selection().isSelected(key) ? QStringLiteral("X") : QString();
            });
        } else {
            FiltrListy.addFilter(k.fieldName);
        }
    }
    aktualizujTytulyFiltrow();
}

void Tramka_lista_frame::otworzFiltrKolumny(int column)
{
    host::guard([&] {
        if (column < 0 || !m_lista->isActive())
            return;
        const int index = FiltrListy.indexOf(m_grid->gridModel()->column(column).fieldName);
        if (index < 0)
            return;
        if (m_popupFiltru)
            m_popupFiltru->close();
        const auto labels = partners::TComboFiltr::Labels::from(partners::hostTranslate());
        auto *popup =
            new TComboFiltrPopup(FiltrListy.filter(index), FiltrListy.entries(*m_lista, index, labels), labels, this);
        m_popupFiltru = popup;
        connect(popup, &TComboFiltrPopup::zamknieta, this, [this, index] { ComboFiltrMouseUp(index); });
        const QPoint at =
            m_grid->mapToGlobal(QPoint(m_grid->columnViewportPosition(column), m_grid->horizontalHeader()->height()));
        popup->move(at);
        popup->show();
    });
}

void Tramka_lista_frame::ComboFiltrMouseUp(int filterIndex)
{
    host::guard([&] {
        if (!m_lista->isActive())
            return;
        const qint64 id = idBiezacegoWiersza();
        FiltrListy.listClosed(*m_lista, filterIndex);
        GoToId(id);
        aktualizujTytulyFiltrow();
        PokazLiczbeRekordow();
        m_grid->refreshSummary();
        m_grid->viewport()->update();
    });
}

void Tramka_lista_frame::usunfiltryClick()
{
    host::guard([&] {
        FiltrListy.removeAll(m_lista);
        aktualizujTytulyFiltrow();
        PokazLiczbeRekordow();
        if (m_lista->isActive()) {
            m_grid->refreshSummary();
            m_grid->viewport()->update();
        }
    });
}

// ---- settings ------------------------------------------------------------------------------------

UkladKolumn Tramka_lista_frame::ukladZSiatki() const
{
    UkladKolumn uklad;
    for (const ui::GridColumn &k : m_grid->columnLayout()) {
        TUstKolumna u;
        u.pole = k.fieldName;
        u.napis = k.title;
        u.szerokosc = k.width;
        u.widoczna = k.visible;
        u.wyrownanie = ui::alignmentCode(k.alignment);
        uklad.push_back(u);
    }
    ramka::numeruj(uklad);
    return uklad;
}

void Tramka_lista_frame::zastosujUkladKolumn(const UkladKolumn &uklad)
{
    std::vector<ui::GridColumn> obecne = m_grid->columnLayout();
    std::vector<ui::GridColumn> nowe;
    for (const TUstKolumna &u : uklad) {
        for (const ui::GridColumn &k : obecne) {
            if (k.fieldName.compare(u.pole, Qt::CaseInsensitive) != 0)
                continue;
            ui::GridColumn c = k;
            c.title = u.napis.isEmpty() ? k.title : u.napis;
            // Layouts stored with a 0 width for a hidden column come back at the column's own width.
            c.width = u.szerokosc > 0 ? u.szerokosc : k.width;
            c.visible = u.widoczna;
            c.alignment = ui::alignmentFromCode(u.wyrownanie);
            nowe.push_back(c);
            break;
        }
    }
    for (const ui::GridColumn &k : obecne) {
        if (ramka::indeksKolumny(uklad, k.fieldName) < 0)
            nowe.push_back(k);
    }
    m_grid->setColumns(nowe);
    // Filters are found by field, so a new order keeps the user's filters.
    if (FiltrListy.filterCount() != int(nowe.size()))
        UtworzFiltryKolumn();
    aktualizujTytulyFiltrow();
}

void Tramka_lista_frame::OdczytUstawienListyPoczatek()
{
    if (m_formularz.isEmpty() || !m_ustawienia)
        return;
    ramka::OdczytaneUstawienia wynik;
    const ramka::WynikUstawien w = m_ustawienia->odczytaj(wynik);
    if (!w.ok) {
        host::InfoBox(this, w.komunikat, host::mb::IconWarning);
        return;
    }
    host::guard([&] {
        if (wynik.okres) {
            partners::DateFilterRecord r;
            r.kolejnosc = wynik.okres->kodOkresu;
            r.napis = wynik.okres->napis;
            if (wynik.okres->dataOd.isValid())
                r.dataOd = wynik.okres->dataOd;
            if (wynik.okres->dataDo.isValid())
                r.dataDo = wynik.okres->dataDo;
            if (m_zakres.restore(r, dzisiaj()))
                wypelnijZakresDat();
        }
    });
    host::guard([&] {
        if (wynik.zapisanyUklad)
            zastosujUkladKolumn(wynik.kolumny);
    });
    host::guard([&] {
        if (wynik.sortowanie && !wynik.sortowanie->isEmpty())
            m_grid->applySortString(*wynik.sortowanie);
    });
}

void Tramka_lista_frame::ZapisUstawienListy(bool tylkoFiltry)
{
    host::guard([&] {
        if (!m_ustawienia || m_formularz.isEmpty())
            return;
        ramka::StanListy stan;
        stan.kolumny = ukladZSiatki();
        stan.sortowanie = FiltrListy.sort();
        if ((tylkoFiltry || host::var::ZapisujFiltryPrzyZamknieciu.get()) && !ukryty(m_panelFiltry)
            && !ukryty(m_panelFiltry->zakresDat())) {
            const partners::DateFilterRecord r = m_zakres.record();
            ramka::UstawienieOkresu okres;
            okres.kodOkresu = r.kolejnosc;
            okres.napis = r.napis;
            okres.dataOd = r.dataOd.toDateTime();
            okres.dataDo = r.dataDo.toDateTime();
            stan.okres = okres;
        }
        const ramka::WynikUstawien w = m_ustawienia->zapisz(stan, tylkoFiltry);
        if (!w.ok)
            host::InfoBox(this, w.komunikat, host::mb::IconWarning);
    });
}

void Tramka_lista_frame::ResetUstawienListy()
{
    if (!m_ustawienia)
        return;
    UkladKolumn przywrocony;
    const ramka::WynikUstawien w = m_ustawienia->resetuj(ukladZSiatki(), m_tylkoOdczyt, przywrocony);
    if (!w.ok) {
        host::InfoBox(this, w.komunikat, host::mb::IconWarning);
        return;
    }
    zastosujUkladKolumn(przywrocony);
}

void Tramka_lista_frame::resetClick()
{
    host::guard([&] {
        ResetUstawienListy();
        FiltrListy.setSort(QString());
        if (m_lista->isActive())
            zastosujFiltry();
    });
}

void Tramka_lista_frame::widoczneClick()
{
    host::guard([&] {
        Tramka_dostosuj_form okno(ukladZSiatki(), this);
        connect(&okno, &Tramka_dostosuj_form::ukladZmieniony, this,
                [this](const UkladKolumn &uklad) { zastosujUkladKolumn(uklad); });
        host::prompter().runModal(&okno);
        if (m_lista->isActive()) {
            odbudujMenuFrazy();
            if (!m_panelFiltry->szukanyTekst()->text().isEmpty())
                WarunekFrazy();
            else
                zastosujFiltry();
        }
    });
}

void Tramka_lista_frame::DopasujSzerokosci()
{
    if (m_popupFiltru)
        m_popupFiltru->close();
    m_grid->fitColumnWidths();
}

void Tramka_lista_frame::dostosuj_szerokoscClick()
{
    host::guard([&] { DopasujSzerokosci(); });
}

void Tramka_lista_frame::PierwszeOtwarcie()
{
    if (!m_ustawienia || !m_ustawienia->czyZapisywac() || m_ustawienia->czySzerokosciDopasowane())
        return;
    DopasujSzerokosci();
    m_ustawienia->oznaczSzerokosciDopasowane();
}

// ---- record actions -----------------------------------------------------------------------------

Tszablon_edycja_form *Tramka_lista_frame::UtworzEdytor()
{
    return nullptr;
}
void Tramka_lista_frame::PokazEdytor(Tszablon_edycja_form *edytor)
{
    edytor->show();
    edytor->raise();
}
void Tramka_lista_frame::InicjujEdytorNowy(Tszablon_edycja_form *) {}
void Tramka_lista_frame::WczytajDoEdytora(Tszablon_edycja_form *, int, bool) {}
void Tramka_lista_frame::NowyRekord() {}
void Tramka_lista_frame::EdytujRekord(int, bool) {}
Tszablon_edycja_form *Tramka_lista_frame::OtwartyEdytor(int)
{
    return nullptr;
}
void Tramka_lista_frame::pokazOtwartyEdytor(Tszablon_edycja_form *edytor)
{
    QTabWidget *zakladki = ZakladkiEdytorow();
    if (zakladki && zakladki->indexOf(edytor) >= 0) {
        zakladki->setCurrentWidget(edytor);
        return;
    }
    edytor->show();
    edytor->raise();
    edytor->activateWindow();
}

QTabWidget *Tramka_lista_frame::ZakladkiEdytorow()
{
    // A list that is a page of a page control opens its editors as further pages.
    for (QWidget *w = parentWidget(); w && !w->isWindow(); w = w->parentWidget())
        if (auto *strony = qobject_cast<QTabWidget *>(w))
            return strony;
    return nullptr;
}
bool Tramka_lista_frame::PrzedUsunieciem(int)
{
    return true;
}
bool Tramka_lista_frame::PoUsunieciu(int)
{
    return true;
}
void Tramka_lista_frame::PoUsuwaniu() {}

QString Tramka_lista_frame::PotwierdzUsuniecieZaznaczonych()
{
    return tlumacz("Resstrings_IDS_Czy_usunac_zaznaczone_pozycje");
}

QString Tramka_lista_frame::PotwierdzUsuniecie(int)
{
    return PotwierdzUsuniecieZaznaczonych();
}

void Tramka_lista_frame::nowyClick()
{
    host::guard([&] {
        if (!host::checkWindowsLimits())
            return;
        Tszablon_edycja_form *edytor = NowyDozwolony && !Zablokowana ? UtworzEdytor() : nullptr;
        if (!edytor) {
            NowyRekord();
            return;
        }
        InicjujEdytorNowy(edytor);
        if (QTabWidget *zakladki = ZakladkiEdytorow())
            zakladki->setCurrentIndex(zakladki->addTab(edytor, tlumacz("Resstrings_IDS_Nowy")));
        else
            PokazEdytor(edytor);
    });
}

void Tramka_lista_frame::edycjaClick()
{
    host::sendToMainWindow(host::msg::ListEditing, 0, 0);
    host::guard([&] { EdytujLubKopiuj(false); });
    host::sendToMainWindow(host::msg::ListEditing, 1, 0);
}

void Tramka_lista_frame::nkopiowanieClick()
{
    host::guard([&] { EdytujLubKopiuj(true); });
}

QString Tramka_lista_frame::ZwrocTekstOpis(int id)
{
    return host::guard(QString(), [&] {
        QString szablon =
            SzablonOpisu.isEmpty() ? tlumacz("Resstrings_IDS_Edycja") + QStringLiteral(" %id") : SzablonOpisu;
        if (!m_lista->isActive() || idBiezacegoWiersza() != id)
            GoToId(id);
        QString wynik;
        for (int i = 0; i < szablon.size(); ++i) {
            if (szablon[i] != QLatin1Char('%')) {
                wynik += szablon[i];
                continue;
            }
            int j = i + 1;
            while (j < szablon.size() && (szablon[j].isLetterOrNumber() || szablon[j] == QLatin1Char('_')))
                ++j;
            const QString pole = szablon.mid(i + 1, j - i - 1);
            wynik += m_lista->isActive() && m_lista->hasField(pole) ? m_lista->displayText(pole) : QString();
            i = j - 1;
        }
        return wynik;
    });
}

void Tramka_lista_frame::EdytujLubKopiuj(bool kopia)
{
    if (!EdycjaDozwolona || Zablokowana || !m_lista->isActive())
        return;
    const QList<ui::RowKey> klucze = m_grid->keysForAction();
    for (const ui::RowKey &klucz : klucze) {
        if (!host::checkWindowsLimits())
            return;
        const int id = int(klucz.id);
        if (idBiezacegoWiersza() != id && !GoToId(id)) {
            host::InfoBox(this, QStringLiteral("Resstrings_IDS_Rekord_usuniety"), host::mb::IconWarning);
            continue;
        }
        if (Tszablon_edycja_form *otwarty = kopia ? nullptr : OtwartyEdytor(id)) {
            pokazOtwartyEdytor(otwarty);
            continue;
        }
        Tszablon_edycja_form *edytor = UtworzEdytor();
        if (!edytor) {
            EdytujRekord(id, kopia);
            continue;
        }
        WczytajDoEdytora(edytor, id, kopia);
        if (QTabWidget *zakladki = ZakladkiEdytorow()) {
            const QString tytul = kopia ? tlumacz("Resstrings_IDS_miasto__ramka_lista_fr__pKopiowanie")
                    + QLatin1Char(' ') + tlumacz("Resstrings_IDS_Nowy")
                                        : ZwrocTekstOpis(id);
            zakladki->setCurrentIndex(zakladki->addTab(edytor, tytul));
        } else {
            PokazEdytor(edytor);
        }
    }
}

// ---- delete ----------------------------------------------------------------------------------------

void Tramka_lista_frame::usun(bool przezUzytkownika)
{
    host::guard([&] {
        if (!m_lista->isActive() || Zablokowana)
            return;
        QList<int> ids;
        for (const ui::RowKey &k : m_grid->keysForAction())
            ids << int(k.id);
        if (ids.isEmpty())
            return;
        // Several rows: the multi-row delete confirms and asks about linked files itself.
        m_usuwaniePrzezUzytkownika = przezUzytkownika;
        if (przezUzytkownika && ids.size() == 1
            && host::InfoBox(this, PotwierdzUsuniecie(ids.first()), host::mb::YesNo | host::mb::IconQuestion)
                != host::mb::IdYes)
            return;
        bool usunieto = false;
        qint64 pokaz = 0;
        {
            const QScopedValueRollback trwa(m_odswiezanieTrwa, true);
            if (ids.size() == 1) {
                const auto pliki = ramka::plikiPowiazane(nullptr, TabelaSlownie, ids);
                const QScopedValueRollback zPlikami(
                    m_plikiDoUsuniecia, ramka::zapytajOUsunieciePlikow(this, pliki) ? pliki : decltype(pliki)());
                if (GoToId(ids.first())) {
                    const int i = m_lista->recNo();
                    const int sasiad = i > 1 ? i - 1 : i + 1;
                    if (sasiad >= 1 && sasiad <= m_lista->recordCount()) {
                        m_lista->setRecNo(sasiad);
                        pokaz = idBiezacegoWiersza();
                    }
                }
                usunieto = Usuwanie_rekordu(ids.first());
            } else {
                usunieto = UsunZaznaczone(ids);
            }
            PoUsuwaniu();
        }
        if (!usunieto) {
            // A row that stays stays current.
            if (ids.size() == 1)
                GoToId(ids.first());
            return;
        }
        QApplication::processEvents();
        m_grid->uncheckAll();
        m_lista->close();
        OtworzListe();
        if (!GoToId(pokaz) && m_lista->isActive())
            m_lista->first();
        if (OdswiezFirmyPoUsunieciu)
            host::OdswiezFirmy_main(0);
        if (!NazwaSlownika.isEmpty())
            host::OdswiezFirmySlownik_main(NazwaSlownika);
    });
}

void Tramka_lista_frame::ustawParametryUsuwania(db::StoredProc &usun, int id) const
{
    usun.setValue(QStringLiteral("@tabela"), m_tabela);
    usun.setValue(QStringLiteral("@nazwa_id"), m_nazwaId);
    usun.setValue(QStringLiteral("@id"), id);
}

bool Tramka_lista_frame::UsunZaznaczone(const QList<int> &ids)
{
    ramka::ParametryUsuwania p;
    p.ids = ids;
    p.tabela = m_tabela;
    p.nazwaId = m_nazwaId;
    p.wymuszenie = KontekstRamki != 0;
    p.limitCzasu = LimitCzasuUsuwania;
    // Every row goes through the frame's own one-row delete, which a derived
    // frame may override; it touches widgets and the host connection, so the
    // worker has it run here and waits for its answer.
    p.hakiOkna.kontekst = this;
    p.hakiOkna.usuwanieRekordu = [this](int id, const QList<ramka::PlikPowiazany> &pliki, ramka::WynikUsuwania &wynik) {
        const QScopedValueRollback zPlikami(m_plikiDoUsuniecia, {{id, pliki}});
        const QScopedValueRollback raport(m_raportUsuwania, &wynik);
        return Usuwanie_rekordu(id);
    };
    ramka::TUsuwanie_zaznaczonych usuwanie(p);
    usuwanie.ustawTabeleSlownie(TabelaSlownie);
    usuwanie.ustawPytanie(PotwierdzUsuniecieZaznaczonych());
    const ramka::WynikUsuwania wynik = usuwanie.wykonaj(this, m_usuwaniePrzezUzytkownika);
    return wynik.cosUsunieto;
}

bool Tramka_lista_frame::Usuwanie_rekordu(int id)
{
    // A multi-row delete reports once at its end; one row reports here.
    ramka::WynikUsuwania wlasny;
    ramka::WynikUsuwania &raport = m_raportUsuwania ? *m_raportUsuwania : wlasny;
    const std::optional<bool> usunieto = host::guard(std::optional<bool>(), [&]() -> std::optional<bool> {
        if (id == 0)
            return true;
        if (SprawdzajPrzedUsunieciem) {
            m_usuwanie->setValue(QStringLiteral("@id"), id);
            m_usuwanie->setValue(QStringLiteral("@id_jezyka"), host::GetLanguage());
            m_usuwanie->setValue(QStringLiteral("@czy_wymuszenie"), 0);
            if (!host::ExecProc(*m_usuwanie))
                return false;
            const QString odp = m_usuwanie->value(QStringLiteral("@odp")).toString();
            if (!odp.trimmed().isEmpty()) {
                raport.odmowy << odp;
                return false;
            }
        }
        if (!PrzedUsunieciem(id)) {
            ++raport.odrzuconePrzezHak;
            return false;
        }
        if (!m_usunRekord->connection())
            m_usunRekord->setConnection(host::GetConnection());
        m_usunRekord->setValue(QStringLiteral("@id_u"), host::AktIdU());
        m_usunRekord->setValue(QStringLiteral("@czy_wymuszenie"), KontekstRamki != 0 ? 1 : 0);
        ustawParametryUsuwania(*m_usunRekord, id);
        const QList<ramka::PlikPowiazany> pliki = m_plikiDoUsuniecia.value(id);
        const ramka::UsunietyWiersz wiersz = ramka::usunWierszZPlikami(*m_usunRekord->connection(), *m_usunRekord,
                                                                       pliki, host::AktIdU(), LimitCzasuUsuwania);
        if (!wiersz.usuniety) {
            raport.bledy << QStringLiteral("%1: %2").arg(id).arg(
                wiersz.czasMinal ? ramka::opisLimituCzasu(LimitCzasuUsuwania) : wiersz.blad);
            return false;
        }
        // The files go only once their rows are committed.
        const QString katalog = host::var::SciezkaDokumenty.get();
        for (const ramka::PlikPowiazany &plik : pliki)
            if (!ramka::usunPlikZMagazynu(katalog, plik.sciezka))
                raport.plikiNieusuniete << plik.sciezka;
        PoUsunieciu(id);
        return true;
    });
    if (!usunieto)
        raport.bledy << QString::number(id);
    if (!m_raportUsuwania)
        ramka::pokazWynik(this, wlasny);
    return usunieto.value_or(false);
}

// ---- file and print -----------------------------------------------------------------------------------

QString Tramka_lista_frame::tytulListy() const
{
    // In the host's window area the top window is the main window: the list's title is the nearest one set.
    for (const QWidget *w = this; w; w = w->parentWidget())
        if (!w->windowTitle().isEmpty())
            return w->windowTitle();
    return QString();
}

void Tramka_lista_frame::zapiszClick()
{
    host::guard([&] {
        m_lista->finishFetch();
        ustawStatus(0, tlumacz("Resstrings_IDS_zapisywanie"));
        const QString tytul = tytulListy();
        std::vector<ramka::KolumnaEksportu> kolumny;
        for (const ui::GridColumn &k : m_grid->columnLayout())
            if (k.visible && !k.isSelectionColumn())
                kolumny.push_back({k.fieldName, k.displayTitle(), k.width});
        m_grid->setUpdatesEnabled(false);
        ramka::zapiszListeDoPliku(this, tytul, QString(), [&] {
            return ramka::tabelaZDataSet(
                *m_lista, tytul, kolumny,
                [this](const QVariant &v, const db::FieldDef &f) {
                    const int col = m_grid->columnOf(f.name);
                    return ui::formatValue(v, f.type,
                                           col >= 0 ? m_grid->gridModel()->column(col).displayFormat : QString());
                },
                [this](int biezacy, int wszystkich) { pokazPostepZapisu(biezacy, wszystkich); });
        });
        m_grid->setUpdatesEnabled(true);
    });
    m_grid->setUpdatesEnabled(true);
    PokazLiczbeRekordow();
    ustawStatus(2, QString());
}

void Tramka_lista_frame::podgladClick()
{
    host::guard([&] {
        m_lista->finishFetch();
        std::vector<ramka::KolumnaWydruku> siatka;
        for (const ui::GridColumn &k : m_grid->columnLayout())
            if (!k.isSelectionColumn())
                siatka.push_back({k.fieldName, k.displayTitle(), k.width, k.visible});
        const auto kolumny = ramka::wybierzKolumnyWydruku(this, m_formularz, host::AktIdU(), siatka);
        if (!kolumny)
            return;
        const QString tytul = tytulListy();
        ramka::TabelaEksportu tabela = ramka::tabelaZDataSet(*m_lista, tytul, *kolumny);
        if (m_grid->isSummaryVisible()) {
            QStringList suma;
            for (const auto &k : *kolumny)
                suma << m_grid->summaryText(m_grid->columnOf(k.pole));
            tabela.podsumowanie = suma;
        }
        ramka::ParametryWydruku p;
        p.tytul = tytul;
        if (m_zakres.range().start >= 1)
            p.okresOd = db::DayTime::toDate(m_zakres.range().start);
        if (m_zakres.range().end >= 1)
            p.okresDo = db::DayTime::toDate(m_zakres.range().end);
        ramka::DrukujListe(tabela, p);
    });
}

// ---- session -------------------------------------------------------------------------------------------

void Tramka_lista_frame::Timer1Timer()
{
    host::guard([&] {
        m_timer->stop();
        if (ramka::SesjaEdytorow::wlaczona() && !m_sesjaOdtworzona) {
            m_sesjaOdtworzona = true;
            const ramka::SesjaEdytorow sesja(m_kodDll);
            m_zSesji = true;
            for (int id : sesja.otwarte()) {
                if (id > 0 && GoToId(id)) {
                    m_grid->uncheckAll();
                    edycjaClick();
                }
            }
            m_zSesji = false;
            sesja.otwarto(0);
        }
        const QList<int> doEdycji = DoEdycji;
        DoEdycji.clear();
        for (int id : doEdycji) {
            if (Tszablon_edycja_form *otwarty = OtwartyEdytor(id)) {
                pokazOtwartyEdytor(otwarty);
            } else if (GoToId(id)) {
                m_grid->uncheckAll();
                edycjaClick();
            }
        }
    });
}
