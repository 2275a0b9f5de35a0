// The delivery-terms module's entry points; everything else stays inside the library.
#include "edycja_szablonu_form.h"

#include "export_guard.h"
#include "prompter.h"

#define DELIVERY_TERMS_ENTRY extern "C" __attribute__((visibility("default")))

namespace {

const QString Zrodlo = QStringLiteral("delivery_terms");

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
DELIVERY_TERMS_ENTRY int _NewRecord(int kind)
{
    return host::guardExport(Zrodlo, "_NewRecord", 0, [&] { return uruchomEdytor(kind, 0); });
}

DELIVERY_TERMS_ENTRY int _EditRecord(int kind, int templateId)
{
    if (templateId <= 0)
        return 0;
    return host::guardExport(Zrodlo, "_EditRecord", 0, [&] { return uruchomEdytor(kind, templateId); });
}
