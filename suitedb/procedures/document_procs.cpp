// Save procedures of documents, their costs and files linked to any record.
#include "proc_support.h"
#include "procedures.h"

#include "connection.h"
#include "suitedb.h"

#include <QDateTime>

namespace suitedb::procs {

namespace {

struct Reference
{
    const char *param;
    const char *table;
    const char *key;
};

// Records a document may be tied to; a vanished one means the document's
// owner was deleted meanwhile.
constexpr Reference DocumentReferences[] = {
    {"@id_k", "kierowca", "id_k"},
    {"@id_s", "samochod", "id_s"},
    {"@id_realiz", "zlecenie", "id_realiz"},
    {"@id_karty", "karta_kierowcy", "id_karty"},
    {"@id_fv", "faktura", "id_fv"},
    {"@id_d", "delegacja", "id_d"},
    {"@id_f", "firma", "id_f"},
};

int saveDocument(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const QVariant kind = toInt(in(c, "@rodzaj"));
    if (!kind.isValid())
        return ResultMissingValue;
    for (const Reference &ref : DocumentReferences) {
        const QVariant id = toInt(in(c, ref.param));
        if (id.isValid() && !exists(connection, ref.table, ref.key, id))
            return ResultRecordDeleted;
    }
    const QVariant id = toInt(in(c, "@id"));
    const bool insert = !id.isValid();
    if (!insert) {
        const int state = checkWritable(connection, "dokument", "id_dok", id);
        if (state != 0)
            return state;
    }
    const QVariant user = toInt(in(c, "@id_u"));
    Values values = {
        {"rodzaj", kind},
        {"numer", toText(in(c, "@numer"))},
        {"wazny_od", toDateTime(in(c, "@wazny_od"))},
        {"wazny_do", toDateTime(in(c, "@wazny_do"))},
        {"data_wyd", toDateTime(in(c, "@data_wyd"))},
        {"miejsce_wyd", toText(in(c, "@miejsce_wyd"))},
        {"kto_wyd", toText(in(c, "@kto_wyd"))},
        {"typ", toInt(in(c, "@typ"))},
        {"id_k", toInt(in(c, "@id_k"))},
        {"data_wyd_kier", toDateTime(in(c, "@data_wyd_kier"))},
        {"data_zw_kier", toDateTime(in(c, "@data_zw_kier"))},
        {"id_s", toInt(in(c, "@id_s"))},
        {"id_realiz", toInt(in(c, "@id_realiz"))},
        {"id_karty", toInt(in(c, "@id_karty"))},
        {"id_u", user},
        {"status", toInt(in(c, "@status"))},
        {"id_fv", toInt(in(c, "@id_fv"))},
        {"id_d", toInt(in(c, "@id_d"))},
        {"id_f", toInt(in(c, "@id_f"))},
    };
    // Unchanged remarks (null or 0 @uwagi_mod) keep what is stored.
    if (insert || toInt(in(c, "@uwagi_mod")).toInt() != 0)
        values.append({"uwagi", toText(in(c, "@uwagi"))});

    const bool done = toFlag(in(c, "@czy_wykonany")).toInt() != 0;
    const bool wasDone = !insert
        && scalar(connection, QStringLiteral("select czy_wykonany from dokument where id_dok = :id"), {{"id", id}})
                .toInt()
            != 0;
    values.append({"czy_wykonany", done ? 1 : 0});
    if (done && !wasDone) {
        values.append({"data_wykonania", QDateTime::currentDateTime()});
        values.append({"id_u_wykonal", user});
    } else if (!done) {
        values.append({"data_wykonania", QVariant()});
        values.append({"id_u_wykonal", QVariant()});
    }
    return saveRow(c, "@id", "dokument", "id_dok", values);
}

int saveCost(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const QVariant amount = toDecimal(in(c, "@kwota"));
    if (!amount.isValid())
        return ResultMissingValue;
    for (const Reference &ref :
         {Reference{"@id_f", "firma", "id_f"}, Reference{"@id_realiz", "zlecenie", "id_realiz"}}) {
        const QVariant id = toInt(in(c, ref.param));
        if (id.isValid() && !exists(connection, ref.table, ref.key, id))
            return ResultRecordDeleted;
    }
    return saveRow(c, "@id", "koszt", "id_koszt",
                   {{"typ", toInt(in(c, "@typ"))},
                    {"rodzaj", toInt(in(c, "@rodzaj"))},
                    {"kwota", amount},
                    {"czy_brutto", orDefault(toFlag(in(c, "@czy_brutto")), 0)},
                    {"stawka_vat", toText(in(c, "@stawka_vat"))},
                    {"waluta", toText(in(c, "@waluta"))},
                    {"kurs", toDecimal(in(c, "@kurs"))},
                    {"data_kursu", toDateTime(in(c, "@data_kursu"))},
                    {"ilosc", toDecimal(in(c, "@ilosc"))},
                    {"data_rozliczenia", toDateTime(in(c, "@data_rozliczenia"))},
                    {"id_f", toInt(in(c, "@id_f"))},
                    {"id_realiz", toInt(in(c, "@id_realiz"))},
                    {"miejsce", toText(in(c, "@miejsce"))},
                    {"id_u", toInt(in(c, "@id_u"))}},
                   false);
}

// @tabela carries the owner's table code, as a number or as the table's name.
QVariant tableCode(db::Connection &connection, const QVariant &value)
{
    const QVariant code = toInt(value);
    if (code.isValid())
        return code;
    const QVariant name = toText(value);
    if (name.toString().trimmed().isEmpty())
        return {};
    return toInt(scalar(connection, QStringLiteral("select tabela from definicja_tabela where tabela_slownie = :name"),
                        {{"name", name.toString().trimmed()}}));
}

int saveLinkedFile(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const QVariant path = toText(in(c, "@sciezka"));
    const QVariant code = tableCode(connection, in(c, "@tabela"));
    const QVariant owner = toInt(in(c, "@id_"));
    if (path.toString().trimmed().isEmpty() || !code.isValid() || !owner.isValid())
        return ResultMissingValue;
    if (!ownerExists(connection, code.toInt(), owner))
        return ResultRecordDeleted;
    Values values = {
        {"sciezka", path},
        {"podkatalog", toText(in(c, "@podkatalog"))},
        {"tabela", code},
        {"id_", owner},
        {"id_u", toInt(in(c, "@id_u"))},
    };
    if (!toInt(in(c, "@id")).isValid())
        values.append({"data_dodania", QDateTime::currentDateTime()});
    return saveRow(c, "@id", "dokument_plik", "id_dp", values);
}

} // namespace

void registerDocumentProcedures()
{
    define("PZapDokument",
           {{"@rodzaj", Int},
            {"@numer", Text, 30},
            {"@wazny_od", DateTime},
            {"@wazny_do", DateTime},
            {"@data_wyd", DateTime},
            {"@miejsce_wyd", Text, 50},
            {"@kto_wyd", Text, 50},
            {"@typ", Int},
            {"@id_k", Int},
            {"@data_wyd_kier", DateTime},
            {"@data_zw_kier", DateTime},
            {"@id_s", Int},
            {"@id_realiz", Int},
            {"@id_karty", Int},
            {"@czy_wykonany", Int},
            {"@id_u", Int},
            {"@status", Int},
            {"@uwagi", Text},
            {"@uwagi_mod", Int},
            {"@id_fv", Int},
            {"@id_d", Int},
            {"@id_f", Int},
            inOut("@id")},
           saveDocument);
    define("PZapKoszt",
           {{"@typ", Int},
            {"@rodzaj", Int},
            {"@kwota", Decimal},
            {"@czy_brutto", Int},
            {"@stawka_vat", Text, 5},
            {"@waluta", Text, 3},
            {"@kurs", Decimal},
            {"@data_kursu", DateTime},
            {"@ilosc", Decimal},
            {"@data_rozliczenia", DateTime},
            {"@id_f", Int},
            {"@id_realiz", Int},
            {"@miejsce", Text, 100},
            {"@id_u", Int},
            inOut("@id")},
           saveCost);
    define("PZapDokPlik",
           {{"@sciezka", Text, 600},
            {"@podkatalog", Text, 600},
            {"@tabela", Text, 30},
            {"@id_", Int},
            {"@id_u", Int},
            inOut("@id")},
           saveLinkedFile);
}

} // namespace suitedb::procs
