#pragma once

#include <QDialog>

class QVBoxLayout;
class Tlista_firm_frame;

// Modal company picker: the company list without its tool bar and context
// menu. A double click chooses the row; Escape anywhere leaves without one.
class Tlista_firm_modal_form : public QDialog
{
    Q_OBJECT
public:
    explicit Tlista_firm_modal_form(QWidget *parent = nullptr);
    ~Tlista_firm_modal_form() override;

    Tlista_firm_frame *frame_list() const { return m_frame; }

    // Shows the picker modally: the id of the chosen company, or -1.
    int Wykonaj();
    bool Wybrano() const { return m_wybrano; }

protected:
    // Derived pickers keep their own settings under their own name.
    Tlista_firm_modal_form(QWidget *parent, const QString &name);

    // Chooses the current row and closes, as a double click does.
    void Wybierz();
    // Chooses the given company even when the list cannot show it.
    void WybierzId(int id);
    QVBoxLayout *uklad() const { return m_uklad; }

    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormCreate();

    Tlista_firm_frame *m_frame = nullptr;
    QVBoxLayout *m_uklad = nullptr;
    bool m_wybrano = false;
    int m_idWybranej = 0;
    bool m_filtrAplikacji = false;
};
