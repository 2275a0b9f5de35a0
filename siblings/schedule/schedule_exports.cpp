// The schedule module's entry points; everything else stays inside the library.
#include "edycja_terminu_form.h"
#include "terminarz_api.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "prompter.h"
#include "sibling_entry.h"

SIBLING_ENTRY int _EditRecordProstyPowiazanyTermin(QObject *, void *, int idRekordu, int kodTabeli, int)
{
    return host::guard(0, [&] {
        terminarz::Tedycja_terminu_form okno(host::ZwrocIdPowiazanegoTerminu(kodTabeli, idRekordu));
        if (!okno.isValid())
            return 0;
        return host::prompter().runModal(&okno) == QDialog::Accepted ? 1 : 0;
    });
}
