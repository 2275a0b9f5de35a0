#include "lists/lista_firm_form.h"

#include "ramka/modul.h"

#include "lists/lista_firm_fr.h"
#include "ramka/edycja/szablon_edycja_form.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "lista_grid.h"
#include "window_messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <exception>

namespace {

// What the restricted list leaves out: creating, deleting, copying, files,
// filters and the company-wide actions. Editing and refreshing stay.
const char *const OgraniczonePrzyciski[] = {"nowy",   "usun",    "nkopiowanie",    "usunfiltry",
                                            "zapisz", "podglad", "tbImportZPliku", "tbExportDoPliku"};
const char *const OgraniczoneMenu[] = {"pnowy",
                                       "pusun",
                                       "pKopiowanie",
                                       "pPodgladPowiazanychPlikow",
                                       "pUstawAktywnaFirme",
                                       "pZaznaczAll",
                                       "pOdznaczAll",
                                       "pzapisz",
                                       "ppodglad",
                                       "pDodajZlecenie",
                                       "pZmienDane"};

} // namespace

Tlista_firm_form::Tlista_firm_form(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("lista_firm_form"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Resstrings_IDS_Firmy"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_zakladki = new QTabWidget(this);
    m_zakladki->setObjectName(QStringLiteral("PageControl1"));
    m_frame = new Tlista_firm_frame(m_zakladki, QStringLiteral("frame_list"));
    m_zakladki->addTab(m_frame, QStringLiteral("Resstrings_IDS_Firmy"));
    layout->addWidget(m_zakladki);
    resize(1000, 600);

    // The frame's close button: the window decides (closeEvent) whether it may go.
    auto *zamknij = new QAction(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Zamknij")), m_frame);
    zamknij->setObjectName(QStringLiteral("zamknij"));
    zamknij->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    zamknij->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_frame->ToolBar()->addSeparator();
    m_frame->ToolBar()->addAction(zamknij);
    m_frame->addAction(zamknij);
    connect(zamknij, &QAction::triggered, this, [this] {
        if (QWidget *ramkaOkna = parentWidget(); ramkaOkna && ramkaOkna->inherits("QMdiSubWindow"))
            ramkaOkna->close();
        else
            close();
    });

    host::InitializeLanguage(partners::PlikModulu, this);
    host::postToMainWindow(host::msg::WindowCreated, host::windowParam(this), 0);
}

Tlista_firm_form::~Tlista_firm_form()
{
    if (partners::windows().lista_firm_form == this)
        partners::windows().lista_firm_form = nullptr;
}

void Tlista_firm_form::FormCreate()
{
    host::guard([this] {
        host::Podepnij_kwerendy(this);
        setWindowTitle(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Firmy")));
        ustawWpisZlecenia();
        m_frame->setWindowTitle(windowTitle());
        // Settings are stored under the module file and this window's name.
        m_frame->InicjujRamke(partners::PlikModulu, false, objectName(), m_frame->objectName());
        if (host::CzyWersjaOgraniczona())
            ograniczListe();
    });
    host::sendToMainWindow(host::msg::CaptionChanged, host::windowParam(this), 0);
}

void Tlista_firm_form::ustawWpisZlecenia()
{
    auto *dodaj = m_frame->findChild<QAction *>(QStringLiteral("pDodajZlecenie"));
    if (dodaj)
        dodaj->setText(host::LoadResstrings(QStringLiteral("Resstrings_IDS_firmy__edycja_firmy_unit__dodaj_zlec")));
    if (host::SprawdzUpr(QStringLiteral("orders.dll")) == 1)
        return;
    if (dodaj)
        dodaj->setVisible(false);
    if (auto *separator = m_frame->findChild<QAction *>(QStringLiteral("N_zlecenie")))
        separator->setVisible(false);
}

void Tlista_firm_form::ograniczListe()
{
    // A hidden action stays disabled whatever the frame enables after each open.
    const auto wylacz = [this](const char *nazwa) {
        // Some entries belong to later parts of the frame; absent ones need nothing.
        if (auto *a = m_frame->findChild<QAction *>(QLatin1String(nazwa))) {
            a->setEnabled(false);
            a->setVisible(false);
        }
    };
    for (const char *nazwa : OgraniczonePrzyciski)
        wylacz(nazwa);
    for (const char *nazwa : OgraniczoneMenu)
        wylacz(nazwa);
    // Without the select-all entries there is nothing to act on many rows: Ctrl+A selects nothing either.
    m_frame->ListaGrid()->setMultiSelect(false);
    // The filter boxes sit in the frame's second tool bar.
    for (const char *nazwa : {"pPanelFiltry", "Panel1", "ToolBarDodatkowy"}) {
        if (auto *panel = m_frame->findChild<QWidget *>(QLatin1String(nazwa)))
            panel->hide();
    }
    for (QAction *a : m_frame->dostosuj_popup()->actions()) {
        if (a->isSeparator())
            a->setVisible(false);
    }
}

void Tlista_firm_form::closeEvent(QCloseEvent *event)
{
    // A list half way through reading or changing its rows must not be torn down.
    if (m_frame->Zajety()) {
        event->ignore();
        return;
    }
    // Editors open in the list's tabs are asked first: unsaved changes must not go with the window.
    for (int i = m_zakladki->count() - 1; i >= 0; --i) {
        auto *edytor = qobject_cast<Tszablon_edycja_form *>(m_zakladki->widget(i));
        if (!edytor)
            continue;
        m_zakladki->setCurrentIndex(i);
        if (!edytor->close()) {
            event->ignore();
            return;
        }
    }
    QWidget::closeEvent(event);
}
