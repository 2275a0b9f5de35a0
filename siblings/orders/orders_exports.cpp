// The orders module's entry point. An order asked for from the company editor
// is stored as a zlecenie row: the company as customer, the active own company
// as issuer, the chosen date as its creation date and the number typed.
#include "zlecenie_proste_form.h"

#include "connection.h"
#include "db_error.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "prompter.h"
#include "query.h"
#include "sibling_entry.h"

namespace {

const QString Zrodlo = QStringLiteral("orders");

// "ZL/<next number of the year>/<year>".
QString proponowanyNumer(const QDate &dzien)
{
    const QDate poczatekRoku(dzien.year(), 1, 1);
    const int wRoku = host::GetIntDB(QStringLiteral("select count(*) from zlecenie where data_utworzenia >= :od"
                                                    " and data_utworzenia < :do"),
                                     QString(), nullptr,
                                     {{QStringLiteral("od"), poczatekRoku.startOfDay()},
                                      {QStringLiteral("do"), poczatekRoku.addYears(1).startOfDay()}});
    return QStringLiteral("ZL/%1/%2").arg(qMax(wRoku, 0) + 1).arg(dzien.year());
}

int noweZlecenie(int idFirmy)
{
    db::Connection *polaczenie = host::GetConnection();
    const QVariantMap firma{{QStringLiteral("id"), idFirmy}};
    if (!polaczenie || idFirmy <= 0
        || !host::CzyIstniejeRekordDB(QStringLiteral("select id_f from firma where id_f = :id"), nullptr, firma)) {
        host::save_log_to_file(Zrodlo, QStringLiteral("_Grafik_NewRecord"), __LINE__,
                               QStringLiteral("no company %1").arg(idFirmy));
        return 0;
    }
    orders::Tzlecenie_proste_form okno(
        host::GetStringDB(QStringLiteral("select nazwa from firma where id_f = :id"), QString(), nullptr, firma),
        proponowanyNumer(QDate::currentDate()));
    if (host::prompter().runModal(&okno) != QDialog::Accepted)
        return 0;

    const int wystawca = host::var::AktywnaFirma.get();
    db::Query insert(polaczenie,
                     polaczenie->dialect().insertReturningId(
                         QStringLiteral("insert into zlecenie (nr_pelny, id_wystawil, id_f, id_u, data_utworzenia)"
                                        " values (:nr, :wystawil, :id_f, :id_u, :data)"),
                         QStringLiteral("id_realiz")));
    insert.parameters().setValue(QStringLiteral("nr"), okno.numer());
    insert.parameters().setValue(QStringLiteral("wystawil"), wystawca > 0 ? QVariant(wystawca) : QVariant());
    insert.parameters().setValue(QStringLiteral("id_f"), idFirmy);
    insert.parameters().setValue(QStringLiteral("id_u"), host::AktIdU());
    insert.parameters().setValue(QStringLiteral("data"), okno.data().startOfDay());
    insert.open();
    return insert.isEmpty() ? 0 : insert.value(0).toInt();
}

} // namespace

// The id of the order created for the company, 0 when none was made.
SIBLING_ENTRY int _Grafik_NewRecord(int companyId)
{
    return host::guard(0, [&] {
        try {
            return noweZlecenie(companyId);
        } catch (const db::DbError &) {
            // The user asked for an order: say it was not stored, then log.
            host::InfoError(QStringLiteral("Resstrings_IDS_Blad_zapisu"));
            throw;
        }
    });
}
