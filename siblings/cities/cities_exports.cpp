// The cities module's entry points; everything else stays inside the library.
#include "cities_api.h"
#include "edycja_miasta_form.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "prompter.h"
#include "sibling_entry.h"

namespace {

const QString Zrodlo = QStringLiteral("cities");

int uruchomEdytor(const cities::Miasto &miasto)
{
    cities::Tedycja_miasta_form okno(miasto);
    if (host::prompter().runModal(&okno) != QDialog::Accepted)
        return 0;
    return okno.savedId();
}

} // namespace

SIBLING_ENTRY int _DodajMiastoBezFormularza(QString cityName, QString second, QString postalCode)
{
    return host::guard(0, [&] {
        if (cityName.trimmed().isEmpty())
            return 0;
        int panstwo = second.trimmed().isEmpty() ? 0 : cities::panstwoWgNazwy(second);
        if (panstwo <= 0) {
            if (!second.trimmed().isEmpty())
                host::save_log_to_file(Zrodlo, QStringLiteral("_DodajMiastoBezFormularza"), __LINE__,
                                       QStringLiteral("unknown country %1, Poland used").arg(second));
            panstwo = cities::domyslnePanstwo();
        }
        cities::Miasto miasto;
        miasto.nazwa = cityName;
        miasto.idPanstwa = panstwo;
        miasto.kody = QStringList{postalCode};
        return cities::zapiszMiasto(miasto);
    });
}

// The city editor for a new city; the saved id, 0 when cancelled.
SIBLING_ENTRY int _NewRecord()
{
    return host::guard(0, [] {
        cities::Miasto miasto;
        miasto.idPanstwa = cities::domyslnePanstwo();
        return uruchomEdytor(miasto);
    });
}

// The city editor for a city; its id after a save or a cancel, 0 when it does not exist.
SIBLING_ENTRY int _EditRecord(int cityId)
{
    return host::guard(cityId, [cityId] {
        const auto miasto = cities::wczytajMiasto(cityId);
        if (!miasto)
            return 0;
        uruchomEdytor(*miasto);
        return cityId;
    });
}
