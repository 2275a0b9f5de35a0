// The delivery-terms module's entry points; everything else stays inside the library.
#include "edycja_szablonu_form.h"

#include "db_error.h"
#include "host_funcs.h"
#include "prompter.h"

#define DELIVERY_TERMS_ENTRY extern "C" __attribute__((visibility("default")))

namespace {

const QString Zrodlo = QStringLiteral("delivery_terms");

int uruchomEdytor(int rodzaj, int id)
{
    delivery_terms::Tedycja_szablonu_form okno(rodzaj == 1 ? delivery_terms::Rodzaj::PotwierdzenieZlecenia
                                                           : delivery_terms::Rodzaj::Zlecenie,
                                               id);
    if (!okno.wczytaj())
        return 0;
    if (host::prompter().runModal(&okno) != QDialog::Accepted)
        return 0;
    return okno.savedId();
}

int bezpiecznie(const char *eksport, int rodzaj, int id)
{
    try {
        return uruchomEdytor(rodzaj, id);
    } catch (const db::DbError &blad) {
        host::save_log_to_file(Zrodlo, QLatin1String(eksport), __LINE__, QStringLiteral("CATCH ") + blad.message());
    } catch (const std::exception &blad) {
        host::save_log_to_file(Zrodlo, QLatin1String(eksport), __LINE__,
                               QStringLiteral("CATCH ") + QString::fromLocal8Bit(blad.what()));
    } catch (...) {
        host::save_log_to_file(Zrodlo, QLatin1String(eksport), __LINE__, QStringLiteral("CATCH unknown"));
    }
    return 0;
}

} // namespace

// kind 0: order, 1: order confirmation. The saved template's id, 0 when cancelled.
DELIVERY_TERMS_ENTRY int _NewRecord(int kind)
{
    return bezpiecznie("_NewRecord", kind, 0);
}

DELIVERY_TERMS_ENTRY int _EditRecord(int kind, int templateId)
{
    if (templateId <= 0)
        return 0;
    return bezpiecznie("_EditRecord", kind, templateId);
}
