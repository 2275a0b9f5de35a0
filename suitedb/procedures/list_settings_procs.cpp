// Per-user list layouts: zap_ust writes one record, pob_ust2 checks a read.
#include "proc_support.h"
#include "procedures.h"

#include "suitedb.h"

namespace suitedb::procs {

namespace {

// Inserts or replaces the record with the same user, window, module, frame,
// kind and name.
int saveListSetting(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const QVariant user = toInt(in(c, "@id_u"));
    const QVariant form = toText(in(c, "@form"));
    const QVariant kind = toText(in(c, "@typ"));
    if (!user.isValid() || form.toString().isEmpty() || kind.toString().isEmpty())
        return ResultMissingValue;
    const QVariant module = toText(in(c, "@kod_dll"));
    const QVariant frame = toText(in(c, "@menu"));
    const QVariant name = toText(in(c, "@nazwa"));

    QString where = QStringLiteral("id_u = :id_u and formularz = :formularz and typ = :typ");
    Values binds = {{"id_u", user}, {"formularz", form}, {"typ", kind}};
    matchColumn(where, binds, "kod_dll", module);
    matchColumn(where, binds, "menu", frame);
    matchColumn(where, binds, "nazwa", name);
    const QVariant existing =
        scalar(connection, QStringLiteral("select min(id_ust_form) from ust_form where ") + where, binds);
    const Values values = {
        {"id_u", user},
        {"formularz", form},
        {"kod_dll", module},
        {"menu", frame},
        {"typ", kind},
        {"nazwa", name},
        {"napis", toText(in(c, "@napis"))},
        {"kolejnosc", toInt(in(c, "@kolejnosc"))},
        {"czy_widoczny", toFlag(in(c, "@czy_widoczny"))},
        {"wyrownanie", toInt(in(c, "@wyrownanie"))},
        {"szerokosc", toInt(in(c, "@szer"))},
        {"filtr", toText(in(c, "@filtr"))},
        {"data_od", toDateTime(in(c, "@data_od"))},
        {"data_do", toDateTime(in(c, "@data_do"))},
    };
    if (isBlank(existing))
        insertRow(connection, "ust_form", "id_ust_form", values);
    else
        updateRow(connection, "ust_form", "id_ust_form", existing, values);
    return 0;
}

// The caller reads the rows of ust_form itself; the body checks the keys and
// tells how many rows there are.
int readListSettings(db::ProcedureContext &c)
{
    const QVariant user = toInt(in(c, "@id_u"));
    const QVariant form = toText(in(c, "@form"));
    if (!user.isValid() || form.toString().isEmpty()) {
        c.setOut(QStringLiteral("@ile"), 0);
        return ResultMissingValue;
    }
    const QVariant count = scalar(
        c.connection(),
        QStringLiteral("select count(*) from ust_form where formularz = :form and kod_dll = :kod_dll and id_u = :id_u"),
        {{"form", form}, {"kod_dll", toText(in(c, "@kod_dll"))}, {"id_u", user}});
    c.setOut(QStringLiteral("@ile"), count.toInt());
    return 0;
}

} // namespace

void registerListSettingsProcedures()
{
    define("zap_ust",
           {{"@form", Text, 100},
            {"@id_u", Int},
            {"@kod_dll", Text, 50},
            {"@menu", Text, 100},
            {"@typ", Text, 50},
            {"@nazwa", Text, 100},
            {"@kolejnosc", Int},
            {"@napis", Text, 200},
            {"@czy_widoczny", Int},
            {"@wyrownanie", Int},
            {"@szer", Int},
            {"@filtr", Text},
            {"@data_od", DateTime},
            {"@data_do", DateTime}},
           saveListSetting);
    define("pob_ust2",
           {{"@form", Text, 100}, {"@kod_dll", Text, 50}, {"@id_u", Int}, {"@ile", Int, 0, db::ParamDirection::Output}},
           readListSettings);
}

} // namespace suitedb::procs
