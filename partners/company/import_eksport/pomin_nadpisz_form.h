#pragma once

#include <QDialog>

class QLabel;

// Asks what to do with an imported company that already exists; each button
// ends the window with its code.
class Tpomin_nadpisz_form : public QDialog
{
    Q_OBJECT
public:
    enum Odpowiedz { Brak = 0, Nadpisz = 1, Pomin = 2, NadpiszWszystkie = 3, PominWszystkie = 4 };

    explicit Tpomin_nadpisz_form(QWidget *parent = nullptr);

    // The answer for the company of that name; Brak when the window was closed without one.
    static int zapytaj(const QString &nazwa);

private:
    QLabel *m_napis;
};
