// Save procedures of the city dictionary (used by the company import).
#include "proc_support.h"
#include "procedures.h"

#include "suitedb.h"

namespace suitedb::procs {

namespace {

int saveCity(db::ProcedureContext &c)
{
    const QVariant name = toText(in(c, "@miasto"));
    if (name.toString().trimmed().isEmpty())
        return ResultMissingValue;
    const QVariant country = toInt(in(c, "@id_panstwa"));
    if (country.isValid() && !exists(c.connection(), "panstwo", "id_p", country))
        return ResultMissingValue;
    const Values values = {
        {"miasto", name.toString().trimmed()},
        {"id_panstwa", country},
        // The callers pass -1 for "visible"; unset means visible too.
        {"widoczne", orDefault(toFlag(in(c, "@widoczne")), 1)},
        {"id_m_poczty", toInt(in(c, "@id_m_poczty"))},
        {"id_m_gminy", toInt(in(c, "@id_m_gminy"))},
        {"id_wpp", toInt(in(c, "@id_wpp"))},
        {"id_wpw", toInt(in(c, "@id_wpw"))},
    };
    return saveRow(c, "@id", "miasto", "id_m", values, false);
}

// @czy_glowny_kod is accepted for the callers' sake; the dictionary keeps no
// main-code mark.
int savePostalCode(db::ProcedureContext &c)
{
    const QVariant city = toInt(in(c, "@id_m"));
    const QVariant code = toText(in(c, "@kod"));
    if (!city.isValid() || code.toString().trimmed().isEmpty())
        return ResultMissingValue;
    if (!exists(c.connection(), "miasto", "id_m", city))
        return ResultRecordDeleted;
    return saveRow(c, "@id", "kod_pocztowy", "id_kodu", {{"kod", code.toString().trimmed()}, {"id_m", city}}, false);
}

} // namespace

void registerCityProcedures()
{
    define("PZapMiasto",
           {{"@miasto", Text, 50},
            {"@id_panstwa", Int},
            {"@widoczne", Int},
            {"@id_m_poczty", Int},
            {"@id_m_gminy", Int},
            {"@id_wpp", Int},
            {"@id_wpw", Int},
            inOut("@id")},
           saveCity);
    define("PZapKodPoczt", {{"@id_m", Int}, {"@kod", Text, 15}, {"@czy_glowny_kod", Int}, inOut("@id")},
           savePostalCode);
}

} // namespace suitedb::procs
