#pragma once

#include "ramka/actions/usuwanie_watek.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a multi-row delete. It starts the worker when it
// appears and closes itself when the worker has finished; closing or
// destroying it before that only asks the worker to stop. The worker is the
// caller's and outlives the window, so its result survives the window.
class Tusuwanie_postep_form : public QDialog
{
    Q_OBJECT
public:
    explicit Tusuwanie_postep_form(ramka::TUsuwanie_watek *watek, QWidget *parent = nullptr);
    ~Tusuwanie_postep_form() override;

    ramka::WynikUsuwania wynik() const;
    bool trwa() const;

    void bWstrzymajClick();
    void bPrzerwijClick();

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void pokazPostep(int przetworzone, int usuniete, int wszystkie);
    void zakonczono();

    ramka::TUsuwanie_watek *m_watek;
    QProgressBar *m_postep;
    QLabel *m_opis;
    QPushButton *m_wstrzymaj;
    QPushButton *m_przerwij;
    bool m_uruchomiony = false;
    bool m_zakonczony = false;
};
