#include "company/podrekordy/adresy_firmy_fr.h"

#include "company/podrekordy/edycja_adresu_form.h"

Tadresy_firmy_frame::Tadresy_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("adresy_firmy_frame"))
{
    UstawKwerende(QStringLiteral("select * from VListaAdresow where tabela = 7 and id_=:id_f"));
    UstawKolumny({kolumna("ulica", "Resstrings_IDS_Ulica", 160), kolumna("nr_domu", "Resstrings_IDS_NrDomu", 60),
                  kolumna("nr_m", "Resstrings_IDS_NrLokalu", 60), kolumna("kod", "Resstrings_IDS_Kodpocz", 70),
                  kolumna("miasto", "Resstrings_IDS_Miasto", 140),
                  kolumna("czy_domyslny", "Resstrings_IDS_Domyslny", 60, true, true)});
    UstawTabele(QStringLiteral("adres"), QStringLiteral("id_adr"));
    ChronDomyslny("czy_domyslny", "Resstrings_IDS_dom_adres_nie_usu");
}

Tedycja_podrekordu_form *Tadresy_firmy_frame::UtworzEdytorPodrekordu()
{
    return new Tedycja_adresu_form(this);
}
