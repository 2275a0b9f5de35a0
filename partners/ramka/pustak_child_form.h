#pragma once

#include <QPointer>
#include <QWidget>

class QMdiSubWindow;

// An empty child window of the host's main window that another module fills
// with one of its own windows. It speaks for that window to the host: closing,
// unsaved changes on leaving, resizing and its own end.
class Tpustak_child_form : public QWidget
{
    Q_OBJECT
public:
    explicit Tpustak_child_form(QWidget *parent = nullptr);
    ~Tpustak_child_form() override;

    // The first child that is a window of its own (a dialog, a main window or
    // one of the suite's *_form classes); null while the container is empty.
    QWidget *OsadzoneOkno() const;

    // Leaving the window: tells the host when the embedded one has unsaved changes.
    void FormDeactivate();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void sledzPodokno();
    void zmianaAktywnosci(bool aktywne);

    QPointer<QMdiSubWindow> m_podokno;
    bool m_aktywne = true; // a new child window opens active
};
