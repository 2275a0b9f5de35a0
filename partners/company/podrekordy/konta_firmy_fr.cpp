#include "company/podrekordy/konta_firmy_fr.h"

#include "company/podrekordy/edycja_konta_form.h"
#include "ramka/modul.h"

#include "grid_column.h"
#include "host_funcs.h"
#include "prompter.h"

using partners::tlumacz;

Tkonta_firmy_frame::Tkonta_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("konta_firmy_frame"))
{
    UstawKwerende(QStringLiteral("select * from VListaKont where tabela = 7 and id_ = :id_f"));
    UstawKolumny({kolumna("nr_konta", "Resstrings_IDS_NrKonta", 180), kolumna("bank", "Resstrings_IDS_Bank", 100),
                  kolumna("czy_domyslne", "Resstrings_IDS_Domyslny", 75, true, true),
                  kolumna("aktywne", "Resstrings_IDS_Aktywne", 75, true, true)});
    UstawTabele(QStringLiteral("konto"), QStringLiteral("id_konta"));
}

bool Tkonta_firmy_frame::PrzedUsunieciem(int id)
{
    // Invoices and orders take the default account; another must become default first.
    if (host::GetIntDB(QStringLiteral("select czy_domyslne from konto where id_konta = :id"), QString(), nullptr,
                       {{QStringLiteral("id"), id}})
        == 0)
        return true;
    host::InfoBox(this, tlumacz("Resstrings_IDS_dom_bank_nie_usu"), host::mb::IconWarning);
    return false;
}

Tedycja_podrekordu_form *Tkonta_firmy_frame::UtworzEdytorPodrekordu()
{
    return new Tedycja_konta_form(this);
}
