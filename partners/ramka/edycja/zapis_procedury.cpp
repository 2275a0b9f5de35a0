#include "ramka/edycja/zapis_procedury.h"

#include "host_funcs.h"
#include "stored_proc.h"

namespace partners {

void ustawParametry(db::StoredProc &proc, const QVariantMap &parametry)
{
    proc.refreshParameters();
    for (auto it = parametry.cbegin(); it != parametry.cend(); ++it)
        proc.setValue(it.key(), it.value());
}

WynikZapisu wykonajZapis(const QString &procedura, const QVariantMap &parametry, db::Connection *polaczenie)
{
    WynikZapisu wynik;
    db::StoredProc proc(polaczenie ? polaczenie : host::GetConnection(), procedura);
    ustawParametry(proc, parametry);
    wynik.wykonano = host::ExecProc(proc) != 0;
    if (wynik.wykonano) {
        wynik.id = proc.value(QStringLiteral("@id"));
        wynik.kod = proc.returnValue();
        wynik.wersja = proc.value(QStringLiteral("@wersja"));
    }
    return wynik;
}

void zglosKodZapisu(int kod, QWidget *wlasciciel)
{
    if (kod == 101)
        host::InfoWarning(QStringLiteral("Resstrings_IDS_Rekord_usuniety"), wlasciciel);
    else if (kod == 102)
        host::InfoWarning(QStringLiteral("Resstrings_IDS_nie_mozna_zapisac_do_synchr"), wlasciciel);
    else
        host::KomunikatZapisuBlad(kod, wlasciciel);
}

} // namespace partners
