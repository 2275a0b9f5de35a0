#include "firmy_wlasne.h"

#include "connection.h"
#include "db_error.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "query.h"
#include "window_messages.h"

namespace settings_ui {

namespace {

const QString Zrodlo = QStringLiteral("settings_ui/firmy_wlasne");

QList<FirmaWlasna> &lista()
{
    static QList<FirmaWlasna> firmy;
    return firmy;
}

} // namespace

QList<FirmaWlasna> czytajFirmyWlasne(db::Connection &polaczenie)
{
    db::Query q(&polaczenie,
                QStringLiteral("select f.id_f, f.nazwa from firma f"
                               " join slowwartosci s on s.id_wartosci = f.typ_firmy"
                               " where s.typ_slownika = 'typ_firmy' and s.wartosc = :typ"
                               " order by ")
                    + polaczenie.dialect().collated(QStringLiteral("f.nazwa")) + QStringLiteral(", f.id_f"));
    q.parameters().setValue(QStringLiteral("typ"), QStringLiteral("firma_wlasna"));
    q.open();
    QList<FirmaWlasna> wynik;
    for (q.first(); !q.eof(); q.next())
        wynik << FirmaWlasna{q.value(QStringLiteral("id_f")).toInt(), q.value(QStringLiteral("nazwa")).toString()};
    return wynik;
}

const QList<FirmaWlasna> &firmyWlasne()
{
    return lista();
}

bool odswiezFirmy()
{
    db::Connection *polaczenie = host::GetConnection();
    if (!polaczenie) {
        host::save_log_to_file(Zrodlo, QStringLiteral("_OdswiezFirmy"), __LINE__, QStringLiteral("no connection"));
        return false;
    }
    lista() = czytajFirmyWlasne(*polaczenie);
    const int aktywna = host::var::AktywnaFirma.get();
    bool aktywnaWlasna = false;
    for (const FirmaWlasna &f : lista())
        aktywnaWlasna = aktywnaWlasna || f.id == aktywna;
    host::postToMainWindow(host::msg::OwnCompaniesReloaded, lista().size(), aktywnaWlasna ? 1 : 0);
    return true;
}

} // namespace settings_ui
