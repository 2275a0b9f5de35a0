#include "company/podrekordy/ramki_oddzialow_fr.h"

Tcentrala_firmy_frame::Tcentrala_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("centrala_firmy_frame"))
{
    TylkoPodglad = true;
    // The head office by its key: an exists over every company grows with the register.
    UstawKwerende(QStringLiteral("select f.nazwa, f.nip, f.id_f as id from firma f"
                                 " where f.id_f = (select c.id_centrali from firma c where c.id_f = :id_f)"));
    UstawKolumny({kolumna("nazwa", "Resstrings_IDS_Firma2", 300), kolumna("nip", "Resstrings_IDS_NIP", 120)});
}

Toddzialy_firmy_frame::Toddzialy_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("oddzialy_firmy_frame"))
{
    TylkoPodglad = true;
    ParametrFirmy = QStringLiteral("id_centrali");
    UstawKwerende(
        QStringLiteral("select f.nazwa, f.nip, f.id_f as id from firma as f where f.id_centrali=:id_centrali"));
    UstawKolumny({kolumna("nazwa", "Resstrings_IDS_Firma2", 300), kolumna("nip", "Resstrings_IDS_NIP", 120)});
}
