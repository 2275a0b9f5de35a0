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

private:
    void buildMenus();
    void showAbout();

    ModuleLoader &m_module;
    QMdiArea *m_workspace;
};
