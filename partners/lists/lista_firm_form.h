#pragma once

#include <QWidget>

class QTabWidget;
class Tlista_firm_frame;

// The company list window: one tab holding the company list frame. It frees
// itself when closed and tells the host's main window when it appears.
class Tlista_firm_form : public QWidget
{
    Q_OBJECT
public:
    explicit Tlista_firm_form(QWidget *parent = nullptr);
    ~Tlista_firm_form() override;

    // Attaches the connection, captions the window and opens the list.
    void FormCreate();

    Tlista_firm_frame *frame_list() const { return m_frame; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ustawWpisZlecenia();
    void ograniczListe();

    QTabWidget *m_zakladki = nullptr;
    Tlista_firm_frame *m_frame = nullptr;
};
