#include "company/podrekordy/konta_firmy_fr.h"

#include "company/podrekordy/edycja_konta_form.h"

Tkonta_firmy_frame::Tkonta_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("konta_firmy_frame"))
{
    UstawKwerende(QStringLiteral("select * from VListaKont where tabela = 7 and id_ = :id_f"));
    UstawKolumny({kolumna("nr_konta", "Resstrings_IDS_NrKonta", 180), kolumna("bank", "Resstrings_IDS_Bank", 100),
                  kolumna("czy_domyslne", "Resstrings_IDS_Domyslny", 75, true, true),
                  kolumna("aktywne", "Resstrings_IDS_Aktywne", 75, true, true)});
    UstawTabele(QStringLiteral("konto"), QStringLiteral("id_konta"));
    ChronDomyslny("czy_domyslne", "Resstrings_IDS_dom_bank_nie_usu");
}

Tedycja_podrekordu_form *Tkonta_firmy_frame::UtworzEdytorPodrekordu()
{
    return new Tedycja_konta_form(this);
}
