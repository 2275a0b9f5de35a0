#include "partners_api.h"
#include "ramka/modul.h"

#include "company/rekord_szybki.h"
#include "company/zapis_firmy_form.h"

#include "handler_guard.h"
#include "host_funcs.h"

#include <exception>

namespace {

const QString Zrodlo = QStringLiteral("shell\\zapis_exports");

// Result when the order's list cannot be read as a record or cannot be stored.
constexpr int ListaNiepoprawna = -1;
// Binding id, name, country, postal code, city, street, flat number.
constexpr int PozycjiListy = 7;

} // namespace

int _ZapiszBezPokazywaniaFormularza(void *, void *, QStringList list)
{
    const QString funkcja = QStringLiteral("_ZapiszBezPokazywaniaFormularza");
    QString powod;
    std::optional<partners::RekordFirmySzybki> rekord;
    // Nothing here may show a window: a refusal is only logged.
    if (list.size() < PozycjiListy)
        powod = QStringLiteral("the list has %1 entries, %2 are needed").arg(list.size()).arg(PozycjiListy);
    else if (list.at(1).trimmed().isEmpty())
        powod = QStringLiteral("the list gives no name");
    else if (!partners::mozeZmieniac())
        powod = QStringLiteral("the user has no right to change companies");
    else
        rekord = partners::rekordZListy(list, &powod);
    int wynik = 0;
    if (rekord)
        wynik = host::guard(0, [&] {
            Tzapis_firmy_form zapis;
            partners::windows().zapis_firmy_form = &zapis;
            return zapis.ZapiszSzybko(*rekord, &powod);
        });
    partners::windows().zapis_firmy_form = nullptr;
    if (wynik < 1) {
        host::save_log_to_file(Zrodlo, funkcja, __LINE__,
                               QStringLiteral("company \"%1\" not saved: %2").arg(list.value(1), powod));
        return ListaNiepoprawna;
    }
    return wynik;
}
