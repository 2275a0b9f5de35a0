#pragma once

#include "company/podrekordy/ramka_podrekordow_fr.h"

// A company's addresses; the default one is kept.
class Tadresy_firmy_frame : public Tramka_podrekordow_frame
{
    Q_OBJECT
public:
    explicit Tadresy_firmy_frame(QWidget *parent = nullptr);

protected:
    Tedycja_podrekordu_form *UtworzEdytorPodrekordu() override;
};
