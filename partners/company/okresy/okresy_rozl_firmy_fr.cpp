#include "company/okresy/okresy_rozl_firmy_fr.h"

#include "company/okresy/edycja_okres_rozlicz_form.h"
#include "company/okresy/generator_okresow.h"
#include "ramka/modul.h"

#include "host_funcs.h"
#include "prompter.h"
#include "services.h"

using partners::tlumacz;

namespace {

QDate dataOkresu(int id, const char *kolumna)
{
    return host::GetDateTimeDB(
               QStringLiteral("select %1 from okres_roz where id_okr = :id").arg(QLatin1String(kolumna)), QString(),
               nullptr, {{QStringLiteral("id"), id}})
        .date();
}

} // namespace

Tokresy_rozl_firmy_frame::Tokresy_rozl_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("okresy_rozl_firmy_frame"))
{
    // Periods are generated and deleted, never edited one by one.
    EdycjaDozwolona = false;
    for (const char *nazwa : {"edycja", "pedycja", "nkopiowanie", "pKopiowanie"})
        akcja(QLatin1String(nazwa))->setVisible(false);
    UstawKwerende(QStringLiteral("select id_okr as id, data_od, data_do from okres_roz where id_f=:id_f"));
    UstawKolumny(
        {kolumna("data_od", "Resstrings_IDS_data_od", 100), kolumna("data_do", "Resstrings_IDS_data_do", 100)});
    UstawTabele(QStringLiteral("okres_roz"), QStringLiteral("id_okr"));
}

void Tokresy_rozl_firmy_frame::NowyRekord()
{
    Tedycja_okres_rozlicz_form edytor(this);
    edytor.UstawFirme(IdFirmy(), m_dlugosc);
    if (edytor.PokazDlaListy(Lista(), Tszablon_edycja_form::Nowy, Uprawnienia() != 0 ? 1 : 0) == QDialog::Accepted)
        emit okresyZmienione(edytor.ZapisanaDlugosc());
}

QString Tokresy_rozl_firmy_frame::PotwierdzUsuniecie(int id)
{
    const QDate od = dataOkresu(id, "data_od");
    const QDate doDnia = dataOkresu(id, "data_do");
    const bool ostatni = doDnia == partners::koniecOstatniegoOkresu(IdFirmy());
    QString pytanie =
        tlumacz(ostatni ? "Resstrings_IDS_usunac_okres_rozliczeniowy" : "Resstrings_IDS_usunac_okres_rozliczeniowy2")
            .arg(od.toString(host::services().dateFormat()), doDnia.toString(host::services().dateFormat()));
    if (host::GetKeyLang().compare(QLatin1String("pl"), Qt::CaseInsensitive) == 0)
        pytanie += QStringLiteral("\nMoże to spowodować konieczność ponownego wyliczenia miesięcy obejmujących ten "
                                  "okres dla wszystkich pracowników.");
    return pytanie;
}

bool Tokresy_rozl_firmy_frame::Usuwanie_rekordu(int id)
{
    // From the last one back, so that a period that must stay leaves an unbroken run before it.
    const QList<int> ids =
        host::GetListaIntDB(QStringLiteral("select id_okr from okres_roz where id_f = :id_f and data_od >= "
                                           "(select data_od from okres_roz where id_okr = :id) order by data_od desc"),
                            QString(), nullptr, {{QStringLiteral("id_f"), IdFirmy()}, {QStringLiteral("id"), id}});
    int usuniete = 0;
    for (const int okres : ids) {
        if (!Tramka_lista_frame::Usuwanie_rekordu(okres))
            break;
        ++usuniete;
    }
    if (usuniete > 0)
        emit okresyZmienione(0);
    return usuniete > 0;
}

bool Tokresy_rozl_firmy_frame::UsunZaznaczone(const QList<int> &ids)
{
    // Several checked periods: one run from the earliest of them, after its question.
    int pierwszy = ids.first();
    for (const int id : ids)
        if (dataOkresu(id, "data_od") < dataOkresu(pierwszy, "data_od"))
            pierwszy = id;
    return host::InfoBox(this, PotwierdzUsuniecie(pierwszy), host::mb::YesNo | host::mb::IconQuestion)
        == host::mb::IdYes
        && Usuwanie_rekordu(pierwszy);
}
