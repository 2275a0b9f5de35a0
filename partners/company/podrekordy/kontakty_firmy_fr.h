#pragma once

// The lists of the company editor's contacts tab.

#include "company/podrekordy/ramka_podrekordow_fr.h"

// The company's contact persons.
class Tkontakty_firmy_frame : public Tramka_podrekordow_frame
{
    Q_OBJECT
public:
    explicit Tkontakty_firmy_frame(QWidget *parent);

protected:
    Tedycja_podrekordu_form *UtworzEdytorPodrekordu() override;
};

// The company's telephone and fax numbers.
class Ttelefony_firmy_frame : public Tramka_podrekordow_frame
{
    Q_OBJECT
public:
    explicit Ttelefony_firmy_frame(QWidget *parent);

protected:
    Tedycja_podrekordu_form *UtworzEdytorPodrekordu() override;
};
