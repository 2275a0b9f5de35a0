#pragma once

#include "company/podrekordy/ramka_podrekordow_fr.h"

// The head office of the edited company: its one row for a branch, none otherwise.
class Tcentrala_firmy_frame : public Tramka_podrekordow_frame
{
    Q_OBJECT
public:
    explicit Tcentrala_firmy_frame(QWidget *parent);
};

// The branches of the edited company; none for a branch.
class Toddzialy_firmy_frame : public Tramka_podrekordow_frame
{
    Q_OBJECT
public:
    explicit Toddzialy_firmy_frame(QWidget *parent);
};
