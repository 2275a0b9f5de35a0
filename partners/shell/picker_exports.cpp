#include "partners_api.h"

#include "lists/lista_firm_fr.h"
#include "lists/lista_firm_modal_form.h"
#include "lists/lista_firm_sp_modal_form.h"

#include <QStringList>

namespace {

int wybierzFirmeDlaZlecenia(const QStringList &info, bool zPowiazaniem)
{
    Tlista_firm_sp_modal_form picker;
    picker.frame_list()->Uprawnienia = 1;
    picker.UstawInformacje(info, zPowiazaniem);
    // An order without the writer's seven entries or a name has no company to add.
    if (info.size() >= 7 && !info.at(1).trimmed().isEmpty())
        picker.UstawDodawanieFirmy(
            [](const QStringList &dane) { return _ZapiszBezPokazywaniaFormularza(nullptr, nullptr, dane); });
    return picker.Wykonaj();
}

} // namespace

int _ExecuteModal()
{
    Tlista_firm_modal_form picker;
    picker.frame_list()->Uprawnienia = 1;
    return picker.Wykonaj();
}

int _ZImportuZlecSP(void *, void *, QStringList info)
{
    return wybierzFirmeDlaZlecenia(info, true);
}

int _ZImportuZlecSPBezPowiazania(void *, void *, QStringList info)
{
    return wybierzFirmeDlaZlecenia(info, false);
}
