// The data module's entry points; everything else stays inside the library.
#include "handler_guard.h"
#include "host_funcs.h"
#include "sibling_entry.h"
#include "stored_proc.h"

namespace {

const QString Zrodlo = QStringLiteral("data");

QVariant alboNull(int id)
{
    return id > 0 ? QVariant(id) : QVariant();
}

// PZapUst4 keeps one row per co/kod/id_u/id_f, so a second write updates it.
int zapiszUstaw(const QString &co, const QString &wartosc, const QString &kod, int idU, int idF)
{
    auto procedura = host::Otworz_procedure(QStringLiteral("PZapUst4"));
    if (!procedura)
        return 0;
    procedura->setValue(QStringLiteral("@id_u_kto"), host::AktIdU());
    procedura->setValue(QStringLiteral("@co"), co);
    procedura->setValue(QStringLiteral("@wartosc"), wartosc);
    procedura->setValue(QStringLiteral("@kod"), db::nullIfEmpty(kod));
    procedura->setValue(QStringLiteral("@id_f"), alboNull(idF));
    procedura->setValue(QStringLiteral("@id_u"), alboNull(idU));
    if (!host::ExecProc(*procedura))
        return 0;
    const int kodWyniku = procedura->returnValue();
    if (kodWyniku != 0) {
        host::save_log_to_file(Zrodlo, QStringLiteral("_ZapiszUstaw"), __LINE__,
                               QStringLiteral("PZapUst4 answered %1 for %2").arg(kodWyniku).arg(co));
        return 0;
    }
    return 1;
}

} // namespace

// One ustawienia row; 1 when it was written, 0 otherwise (userId/companyId 0: none).
SIBLING_ENTRY int _ZapiszUstaw(QString key, QString value, QString moduleCode, int userId, int companyId)
{
    return host::guard(0, [&] { return zapiszUstaw(key, value, moduleCode, userId, companyId); });
}
