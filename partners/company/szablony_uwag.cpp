#include "company/szablony_uwag.h"

#include "company/edycja_fv_opis_dodatkowy_form.h"
#include "company/zapis_procedury.h"

#include "host_funcs.h"

#include <QComboBox>

namespace partners::szablony_uwag {

namespace {

const QString kSource = QStringLiteral("company\\szablony_uwag");

} // namespace

int Dodaj(QWidget *owner, int upr)
{
    try {
        Tedycja_fv_opis_dodatkowy_form edytor(owner);
        edytor.PokazRekord(0, Tszablon_edycja_form::Nowy, upr);
        return edytor.IdRekordu() > 0 ? edytor.IdRekordu() : 0;
    } catch (const std::exception &e) {
        host::save_log_to_file(kSource, QStringLiteral("Dodaj"), __LINE__,
                               QStringLiteral("CATCH ") + QString::fromUtf8(e.what()));
    }
    return 0;
}

bool Edytuj(QWidget *owner, int id, int upr)
{
    if (id <= 0)
        return false;
    try {
        Tedycja_fv_opis_dodatkowy_form edytor(owner);
        return edytor.PokazRekord(id, Tszablon_edycja_form::Edycja, upr) == QDialog::Accepted;
    } catch (const std::exception &e) {
        host::save_log_to_file(kSource, QStringLiteral("Edytuj"), __LINE__,
                               QStringLiteral("CATCH ") + QString::fromUtf8(e.what()));
    }
    return false;
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
