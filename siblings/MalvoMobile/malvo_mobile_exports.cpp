// The mobile module's entry point.
//
// The push queue lives in the database, so the mobile service finds it from
// any office sharing the server: one ustawienia row per company with kod
// 'MalvoMobile', co 'apd_do_wyslania', id_f = the company, id_u null, and as
// value a JSON object {"apd_id", "apd_token", "zgloszono" (ISO UTC time),
// "id_u" (who asked)}. A newer request replaces a pending one of the same
// company; the service deletes the row once the data has been pushed.
#include "handler_guard.h"
#include "host_funcs.h"
#include "sibling_entry.h"
#include "stored_proc.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString Zrodlo = QStringLiteral("MalvoMobile");

int zakolejkuj(int idFirmy, int apdId, const QString &apdToken)
{
    if (idFirmy <= 0
        || !host::CzyIstniejeRekordDB(QStringLiteral("select id_f from firma where id_f = :id"), nullptr,
                                      {{QStringLiteral("id"), idFirmy}})) {
        host::save_log_to_file(Zrodlo, QStringLiteral("_SynchronizeAPD"), __LINE__,
                               QStringLiteral("no company %1").arg(idFirmy));
        return 0;
    }
    QJsonObject zgloszenie{
        {QStringLiteral("apd_id"), apdId > 0 ? QJsonValue(apdId) : QJsonValue()},
        {QStringLiteral("apd_token"), apdToken.isEmpty() ? QJsonValue() : QJsonValue(apdToken)},
        {QStringLiteral("zgloszono"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
        {QStringLiteral("id_u"), host::AktIdU()},
    };
    auto procedura = host::Otworz_procedure(QStringLiteral("PZapUst4"));
    if (!procedura)
        return 0;
    procedura->setValue(QStringLiteral("@id_u_kto"), host::AktIdU());
    procedura->setValue(QStringLiteral("@co"), QStringLiteral("apd_do_wyslania"));
    procedura->setValue(QStringLiteral("@wartosc"),
                        QString::fromUtf8(QJsonDocument(zgloszenie).toJson(QJsonDocument::Compact)));
    procedura->setValue(QStringLiteral("@kod"), QStringLiteral("MalvoMobile"));
    procedura->setValue(QStringLiteral("@id_f"), idFirmy);
    return host::ExecProc(*procedura) && procedura->returnValue() == 0 ? 1 : 0;
}

} // namespace

// 1 when the company's APD data was queued for the mobile service.
SIBLING_ENTRY int _SynchronizeAPD(int companyId, int apdId, QString apdToken)
{
    return host::guard(0, [&] { return zakolejkuj(companyId, apdId, apdToken); });
}
