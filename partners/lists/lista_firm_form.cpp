#include "lists/lista_firm_form.h"

#include "lists/lista_firm_fr.h"
#include "module_windows.h"

#include "host_funcs.h"
#include "window_messages.h"

#include <QTabWidget>
#include <QVBoxLayout>

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

    host::InitializeLanguage(QString::fromLatin1(partners::ModuleFileName), this);
    host::postToMainWindow(host::msg::WindowCreated, host::windowParam(this), 0);
}

Tlista_firm_form::~Tlista_firm_form()
{
    if (partners::windows().lista_firm_form == this)
        partners::windows().lista_firm_form = nullptr;
}

void Tlista_firm_form::FormCreate()
{
    host::Podepnij_kwerendy(this);
    setWindowTitle(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Firmy")));
    // Settings are stored under the module file and this window's name.
    m_frame->InicjujRamke(QString::fromLatin1(partners::ModuleFileName), false, objectName(), m_frame->objectName());
    host::sendToMainWindow(host::msg::CaptionChanged, host::windowParam(this), 0);
}
