#include "company/szablony_uwag.h"

#include "company/edycja_fv_opis_dodatkowy_form.h"
#include "ramka/edycja/zapis_procedury.h"

#include "handler_guard.h"
#include "host_funcs.h"

#include <QComboBox>

namespace partners::szablony_uwag {

namespace {} // namespace

int Dodaj(QWidget *owner, int upr)
{
    return host::guard(0, [&] {
        Tedycja_fv_opis_dodatkowy_form edytor(owner);
        edytor.PokazRekord(0, Tszablon_edycja_form::Nowy, upr);
        return qMax(edytor.IdRekordu(), 0);
    });
}

bool Edytuj(QWidget *owner, int id, int upr)
{
    if (id <= 0)
        return false;
    return host::guard(false, [&] {
        Tedycja_fv_opis_dodatkowy_form edytor(owner);
        return edytor.PokazRekord(id, Tszablon_edycja_form::Edycja, upr) == QDialog::Accepted;
    });
}

bool Usun(int id)
{
    if (id <= 0)
        return false;
    const WynikZapisu wynik = wykonajZapis(QStringLiteral("PUsunW"),
                                           {{QStringLiteral("@tabela"), QStringLiteral("faktura_uwagi_dodatkowe")},
                                            {QStringLiteral("@nazwa_id"), QStringLiteral("id_fv_ud")},
                                            {QStringLiteral("@id_u"), host::AktIdU()},
                                            {QStringLiteral("@czy_wymuszenie"), 0},
                                            {QStringLiteral("@id"), id}});
    if (wynik.wykonano && wynik.kod != 0)
        host::InfoError(QStringLiteral("Resstrings_IDS_Usuniecie_nieudane"));
    return wynik.sukces();
}

int Laduj(QComboBox *combo)
{
    return host::Laduj_DB_FlatCombo(combo, QStringLiteral("select * from faktura_uwagi_dodatkowe"),
                                    QStringLiteral("id_fv_ud"), QStringLiteral("nazwa"), true);
}

} // namespace partners::szablony_uwag
