#pragma once

#include "company/podrekordy/ramka_podrekordow_fr.h"

// The company's bank accounts; the default one cannot be deleted.
class Tkonta_firmy_frame : public Tramka_podrekordow_frame
{
    Q_OBJECT
public:
    explicit Tkonta_firmy_frame(QWidget *parent = nullptr);

protected:
    Tedycja_podrekordu_form *UtworzEdytorPodrekordu() override;
};
