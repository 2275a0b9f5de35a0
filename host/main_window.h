#pragma once

#include <QMainWindow>

class QMdiArea;
class ModuleLoader;

// The suite shell: menus that the modules fill, and an area where module
// windows open as tabs.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(ModuleLoader &module, QWidget *parent = nullptr);

    QMdiArea *workspace() const { return m_workspace; }
    // Runs the module's _Execute with the user's rights; false when the user
    // has no access or the module lacks the entry point.
    bool openCompanyList();
    // Runs the module's company picker; the chosen company id, or -1.
    int pickCompany();
    // The module's company editor, modal: a new company (its id once saved,
    // else 0 or the module's refusal), or the company `id` opened on the page
    // named `page` (its id back; -1 when the module lacks the entry point).
    int newCompany();
    int editCompany(int id, const QString &page);
    // A company's address editor; address 0 or less: a new address.
    int editAddress(int company, int address);

private:
    void buildMenus();
    void showAbout();

    ModuleLoader &m_module;
    QMdiArea *m_workspace;
};
