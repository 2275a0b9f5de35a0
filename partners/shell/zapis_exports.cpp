#include "partners_api.h"
#include "ramka/modul.h"

#include "company/rekord_szybki.h"
#include "company/zapis_firmy_form.h"

#include "handler_guard.h"
#include "host_funcs.h"

#include <exception>

namespace {

const QString Zrodlo = QStringLiteral("shell\\zapis_exports");

// Result when the order's list cannot be read as a record.
constexpr int ListaNiepoprawna = -1;

} // namespace

int _ZapiszBezPokazywaniaFormularza(void *, void *, QStringList list)
{
    const QString funkcja = QStringLiteral("_ZapiszBezPokazywaniaFormularza");
    QString powod;
    std::optional<partners::RekordFirmySzybki> rekord = partners::rekordZListy(list, &powod);
    if (!rekord) {
        host::save_log_to_file(Zrodlo, funkcja, __LINE__,
                               QStringLiteral("company \"%1\" not saved: %2").arg(list.value(1), powod));
        return ListaNiepoprawna;
    }
    const int wynik = host::guard(0, [&] {
        Tzapis_firmy_form zapis;
        partners::windows().zapis_firmy_form = &zapis;
        return zapis.ZapiszSzybko(*rekord);
    });
    partners::windows().zapis_firmy_form = nullptr;
    return wynik;
}
