#include "main_window.h"

#include "module_loader.h"

#include "connection.h"
#include "host.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

MainWindow::MainWindow(ModuleLoader &module, QWidget *parent)
    : QMainWindow(parent),
      m_module(module),
      m_workspace(new QMdiArea(this))
{
    setObjectName(QStringLiteral("malvo_main_form"));
    setWindowTitle(QStringLiteral("Malvo"));
    m_workspace->setViewMode(QMdiArea::TabbedView);
    m_workspace->setTabsClosable(true);
    m_workspace->setDocumentMode(true);
    setCentralWidget(m_workspace);
    buildMenus();

    statusBar()->addPermanentWidget(new QLabel(host::AktNazwiskoImieLoginU()));
    statusBar()->addPermanentWidget(new QLabel(host::GetKeyLang().toUpper()));
    statusBar()->showMessage(db::Connection::displayTarget(host::GetConnection()->target()));
    resize(1280, 800);
    host::InitializeLanguage(QStringLiteral("malvo"), this);
}

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("Resstrings_IDS_malvo_menu_plik"));
    QAction *quit = file->addAction(QStringLiteral("Resstrings_IDS_malvo_zakoncz"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, qApp, &QApplication::closeAllWindows);

    // Filled by the companies module as its entry points arrive.
    QMenu *companies = menuBar()->addMenu(QStringLiteral("Resstrings_IDS_malvo_menu_firmy"));
    companies->setObjectName(QStringLiteral("menu_firmy"));
    QAction *list = companies->addAction(QStringLiteral("Resstrings_IDS_malvo_lista_firm"));
    list->setObjectName(QStringLiteral("akcja_lista_firm"));
    connect(list, &QAction::triggered, this, &MainWindow::openCompanyList);
    QAction *pick = companies->addAction(QStringLiteral("Resstrings_IDS_malvo_wybierz_firme"));
    pick->setObjectName(QStringLiteral("akcja_wybierz_firme"));
    connect(pick, &QAction::triggered, this, [this] {
        const int id = pickCompany();
        if (id > 0)
            statusBar()->showMessage(host::LoadResstrings(QStringLiteral("Resstrings_IDS_malvo_wybrano_firme")).arg(id),
                                     10000);
    });

    QAction *add = companies->addAction(QStringLiteral("Resstrings_IDS_malvo_nowa_firma"));
    add->setObjectName(QStringLiteral("akcja_nowa_firma"));
    connect(add, &QAction::triggered, this, [this] {
        const int id = newCompany();
        if (id > 0)
            statusBar()->showMessage(host::LoadResstrings(QStringLiteral("Resstrings_IDS_malvo_dodano_firme")).arg(id),
                                     10000);
    });

    QMenu *help = menuBar()->addMenu(QStringLiteral("Resstrings_IDS_malvo_menu_pomoc"));
    QAction *about = help->addAction(QStringLiteral("Resstrings_IDS_malvo_o_programie"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
}

bool MainWindow::openCompanyList()
{
    const int rights = host::SprawdzUpr(QStringLiteral("partners.dll"));
    if (rights < 0) {
        host::InfoWarning(QStringLiteral("Resstrings_IDS_Brak_Upr"), this);
        return false;
    }
    const auto execute = reinterpret_cast<void (*)(QObject *, int)>(m_module.resolve("_Execute"));
    if (!execute)
        return false;
    execute(qApp, rights);
    return true;
}

int MainWindow::pickCompany()
{
    const auto executeModal = reinterpret_cast<int (*)()>(m_module.resolve("_ExecuteModal"));
    return executeModal ? executeModal() : -1;
}

int MainWindow::newCompany()
{
    const auto newRecord = reinterpret_cast<int (*)()>(m_module.resolve("_NewRecord"));
    return newRecord ? newRecord() : -1;
}

int MainWindow::editCompany(int id, const QString &page)
{
    const auto editOnPage = reinterpret_cast<int (*)(int, int, QString)>(m_module.resolve("_EditRecordZakladka"));
    return editOnPage ? editOnPage(id, host::GetLanguage(), page) : -1;
}

int MainWindow::editAddress(int company, int address)
{
    const auto entry = reinterpret_cast<int (*)(QObject *, int **)>(m_module.resolve("_NewRecordFirmaAdres"));
    int values[] = {company, address};
    int *pointer = values;
    return entry ? entry(this, &pointer) : -1;
}

void MainWindow::showAbout()
{
    const QString text =
        QStringLiteral("Malvo %1\n%2 (%3) %4")
            .arg(QStringLiteral(MALVO_VERSION), m_module.moduleCode(), m_module.moduleName(), m_module.version());
    host::InfoI(text);
}
