#include "lists/lista_firm_modal_form.h"

#include "ramka/modul.h"

#include "lists/lista_firm_fr.h"

#include "host_funcs.h"
#include "lista_grid.h"
#include "prompter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>
#include <QVBoxLayout>

Tlista_firm_modal_form::Tlista_firm_modal_form(QWidget *parent)
    : Tlista_firm_modal_form(parent, QStringLiteral("lista_firm_modal_form"))
{}

Tlista_firm_modal_form::Tlista_firm_modal_form(QWidget *parent, const QString &name)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("Resstrings_IDS_Firmy"));
    m_uklad = new QVBoxLayout(this);
    m_uklad->setContentsMargins(0, 0, 0, 0);
    m_frame = new Tlista_firm_frame(this, QStringLiteral("frame_list"));
    m_uklad->addWidget(m_frame, 1);
    resize(900, 550);
    host::InitializeLanguage(partners::PlikModulu, this);
    FormCreate();
}

Tlista_firm_modal_form::~Tlista_firm_modal_form()
{
    if (m_filtrAplikacji)
        qApp->removeEventFilter(this);
}

void Tlista_firm_modal_form::FormCreate()
{
    host::Podepnij_kwerendy(this);
    setWindowTitle(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Firmy")));
    // A picker only chooses: no record tools and no context menu (nor its shortcuts).
    if (auto *pasek = m_frame->findChild<QToolBar *>(QStringLiteral("ToolBar")))
        pasek->hide();
    ui::ListaGrid *grid = m_frame->ListaGrid();
    grid->setContextMenuPolicy(Qt::NoContextMenu);
    // One company is chosen, so Ctrl+A and Ctrl+click select nothing more.
    grid->setMultiSelect(false);
    for (QAction *a : m_frame->dostosuj_popup()->actions())
        grid->removeAction(a);
    m_frame->InicjujRamke(partners::PlikModulu, false, objectName(), m_frame->objectName());
}

int Tlista_firm_modal_form::Wykonaj()
{
    m_wybrano = false;
    m_idWybranej = 0;
    host::prompter().runModal(this);
    if (!m_wybrano)
        return -1;
    return m_idWybranej > 0 ? m_idWybranej : int(m_frame->idBiezacegoWiersza());
}

void Tlista_firm_modal_form::Wybierz()
{
    m_wybrano = true;
    accept();
}

void Tlista_firm_modal_form::WybierzId(int id)
{
    m_idWybranej = id;
    Wybierz();
}

// The application-wide filter also sees the grid's double clicks before the
// grid turns them into an edit.
void Tlista_firm_modal_form::showEvent(QShowEvent *event)
{
    if (!m_filtrAplikacji) {
        qApp->installEventFilter(this);
        m_filtrAplikacji = true;
    }
    QDialog::showEvent(event);
}

void Tlista_firm_modal_form::hideEvent(QHideEvent *event)
{
    if (m_filtrAplikacji) {
        qApp->removeEventFilter(this);
        m_filtrAplikacji = false;
    }
    QDialog::hideEvent(event);
}

bool Tlista_firm_modal_form::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease && m_filtrAplikacji
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_frame->ListaGrid()->viewport()) {
        auto *mysz = static_cast<QMouseEvent *>(event);
        ui::ListaGrid *grid = m_frame->ListaGrid();
        const QModelIndex index = grid->indexAt(mysz->position().toPoint());
        if (mysz->button() == Qt::LeftButton && index.isValid()) {
            grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            Wybierz();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
