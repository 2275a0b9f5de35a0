// The delivery-terms module's entry points; everything else stays inside the library.
#include "edycja_szablonu_form.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "prompter.h"
#include "sibling_entry.h"

namespace {

int uruchomEdytor(int rodzaj, int id)
{
    delivery_terms::Tedycja_szablonu_form okno(
        rodzaj == 1 ? delivery_terms::Rodzaj::PotwierdzenieZlecenia : delivery_terms::Rodzaj::Zlecenie, id);
    if (!okno.wczytaj())
        return 0;
    if (host::prompter().runModal(&okno) != QDialog::Accepted)
        return 0;
    return okno.savedId();
}

} // namespace

// kind 0: order, 1: order confirmation. The saved template's id, 0 when cancelled.
SIBLING_ENTRY int _NewRecord(int kind)
{
    return host::guard(0, [&] { return uruchomEdytor(kind, 0); });
}

SIBLING_ENTRY int _EditRecord(int kind, int templateId)
{
    if (templateId <= 0)
        return 0;
    return host::guard(0, [&] { return uruchomEdytor(kind, templateId); });
}
