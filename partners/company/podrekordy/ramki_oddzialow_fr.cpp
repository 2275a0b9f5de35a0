#include "company/podrekordy/ramki_oddzialow_fr.h"

namespace {

// Titles as keys: a layout the user saved is shown in the language of the day.
std::vector<ui::GridColumn> kolumnyFirmy()
{
    return {{QStringLiteral("nazwa"), QStringLiteral("Resstrings_IDS_Firma2"), 300},
            {QStringLiteral("nip"), QStringLiteral("Resstrings_IDS_NIP"), 120}};
}

} // namespace

Tcentrala_firmy_frame::Tcentrala_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("centrala_firmy_frame"))
{
    TylkoPodglad = true;
    UstawKwerende(QStringLiteral("select f.nazwa, f.nip, f.id_f as id from firma f where exists "
                                 "(SELECT * FROM firma WHERE id_f =:id_f and id_centrali = f.id_f)"));
    UstawKolumny(kolumnyFirmy());
}

Toddzialy_firmy_frame::Toddzialy_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("oddzialy_firmy_frame"))
{
    TylkoPodglad = true;
    ParametrFirmy = QStringLiteral("id_centrali");
    UstawKwerende(
        QStringLiteral("select f.nazwa, f.nip, f.id_f as id from firma as f where f.id_centrali=:id_centrali"));
    UstawKolumny(kolumnyFirmy());
}
