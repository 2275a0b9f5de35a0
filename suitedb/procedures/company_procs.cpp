// Save procedures of a company and of the rows that hang on it.
#include "proc_support.h"
#include "procedures.h"

#include "connection.h"
#include "suitedb.h"

namespace suitedb::procs {

namespace {

QVariant text(db::ProcedureContext &c, const char *name)
{
    return toText(c.in(QString::fromLatin1(name)));
}
QVariant integer(db::ProcedureContext &c, const char *name)
{
    return toInt(c.in(QString::fromLatin1(name)));
}
QVariant flag(db::ProcedureContext &c, const char *name)
{
    return toFlag(c.in(QString::fromLatin1(name)));
}
QVariant dateTime(db::ProcedureContext &c, const char *name)
{
    return toDateTime(c.in(QString::fromLatin1(name)));
}

bool memoChanged(db::ProcedureContext &c, const char *modParam)
{
    return integer(c, modParam).toInt() != 0;
}

int saveCompany(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const QVariant name = text(c, "@nazwa");
    if (name.toString().trimmed().isEmpty())
        return ResultMissingValue;
    const QVariant id = integer(c, "@id");
    // The row is locked before anything is read, so that a delete or another
    // save of the same company either ends before this one or waits for it.
    QVariant version = 0;
    if (id.isValid()) {
        if (exec(connection, QStringLiteral("update firma set wersja = wersja + 1 where id_f = :id"), {{"id", id}})
            == 0)
            return ResultRecordDeleted;
        if (checkWritable(connection, "firma", "id_f", id) == ResultSynchronising)
            return ResultSynchronising;
        version = scalar(connection, QStringLiteral("select wersja from firma where id_f = :id"), {{"id", id}});
        const QVariant read = integer(c, "@wersja");
        if (read.isValid() && read.toInt() + 1 != version.toInt())
            return ResultChangedMeanwhile;
    }
    c.setOut(QStringLiteral("@wersja"), version);
    const QVariant headOffice = integer(c, "@id_centrali");
    if (headOffice.isValid()
        && ((id.isValid() && headOffice.toInt() == id.toInt()) || !exists(connection, "firma", "id_f", headOffice)))
        return ResultMissingValue;
    const QVariant remark = integer(c, "@id_fv_ud");
    if (remark.isValid() && !exists(connection, "faktura_uwagi_dodatkowe", "id_fv_ud", remark))
        return ResultMissingValue;

    Values values = {
        {"nazwa", name},
        {"skrot", text(c, "@skrot")},
        {"wlasciciel", text(c, "@wlasciciel")},
        {"nip", text(c, "@nip")},
        {"regon", text(c, "@regon")},
        {"krs", text(c, "@krs")},
        {"www", text(c, "@www")},
        {"e_mail", text(c, "@e_mail")},
        {"typ_firmy", integer(c, "@typ_firmy")},
        {"status", integer(c, "@status")},
        {"id_komunikatora", integer(c, "@id_komunikatora")},
        {"id_centrali", headOffice},
        {"id_fv_ud", remark},
        {"fv_papier_firm", orDefault(flag(c, "@fv_papier_firm"), 0)},
        {"fv_margin_gorny", integer(c, "@fv_margin_gorny")},
        {"nr_trans", text(c, "@nr_trans")},
        {"nr_gg", text(c, "@nr_gg")},
        {"skype", text(c, "@skype")},
        {"apd_id", integer(c, "@apd_id")},
        {"apd_token", text(c, "@apd_token")},
        {"nocne_od", dateTime(c, "@nocne_od")},
        {"nocne_do", dateTime(c, "@nocne_do")},
        {"swieta_od", dateTime(c, "@swieta_od")},
        {"pora_nocna_od", dateTime(c, "@pora_nocna_od")},
        {"pora_nocna_do", dateTime(c, "@pora_nocna_do")},
        {"limit_nadh", orDefault(integer(c, "@limit_nadh"), 260)},
        {"okres_roz", integer(c, "@okres_roz")},
        {"dodatkowe_wolne", orDefault(integer(c, "@dodatkowe_wolne"), 7)},
        {"limit_kredytowy", orDefault(toDecimal(c.in(QStringLiteral("@limit_kredyt"))), 0.0)},
        {"waluta_limitu_kredyt", text(c, "@waluta_limitu_kredyt")},
        {"oswiadczenie_vat", orDefault(integer(c, "@oswiadczenie_vat"), 0)},
        {"aktywna", orDefault(flag(c, "@aktywna"), 1)},
        {"bus", orDefault(flag(c, "@bus"), 0)},
        {"id_u", integer(c, "@id_u")},
    };
    // A memo that was not changed keeps what is stored (on insert: nothing).
    const bool insert = !id.isValid();
    if (memoChanged(c, "@uwagi_mod") || insert)
        values.append({"uwagi", memoChanged(c, "@uwagi_mod") ? text(c, "@uwagi") : QVariant()});
    if (memoChanged(c, "@komentarz_mod") || insert)
        values.append({"komentarz", memoChanged(c, "@komentarz_mod") ? text(c, "@komentarz") : QVariant()});
    const int result = saveRow(c, "@id", "firma", "id_f", values);
    // Added or locked by the update above: its rows need not lock it again.
    if (result == 0)
        connection.holdRow(QStringLiteral("firma"), c.in(QStringLiteral("@id")).toLongLong());
    return result;
}

} // namespace

void ensureDefaultAddress(db::Connection &connection, const QVariant &tableCode, const QVariant &owner)
{
    const Values owners = {{"tabela", tableCode}, {"id_", owner}};
    const QVariant hasDefault =
        scalar(connection,
               QStringLiteral("select count(*) from adres where tabela = :tabela and id_ = :id_ and czy_domyslny = 1"),
               owners);
    if (hasDefault.toInt() > 0)
        return;
    const QVariant first = scalar(
        connection, QStringLiteral("select min(id_adr) from adres where tabela = :tabela and id_ = :id_"), owners);
    if (!isBlank(first))
        exec(connection, QStringLiteral("update adres set czy_domyslny = 1 where id_adr = :id"), {{"id", first}});
}

namespace {

int saveAddress(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const QVariant owner = integer(c, "@id_");
    const QVariant tableCode = integer(c, "@tabela");
    if (!owner.isValid() || !tableCode.isValid())
        return ResultMissingValue;
    if (!ownerExists(connection, tableCode.toInt(), owner))
        return ResultRecordDeleted;

    const QVariant id = integer(c, "@id");
    QVariant previousTable;
    QVariant previousOwner;
    if (id.isValid()) {
        const int state = checkWritable(connection, "adres", "id_adr", id);
        if (state != 0)
            return state;
        previousTable = scalar(connection, QStringLiteral("select tabela from adres where id_adr = :id"), {{"id", id}});
        previousOwner = scalar(connection, QStringLiteral("select id_ from adres where id_adr = :id"), {{"id", id}});
    }
    const bool makeDefault = integer(c, "@czy_domyslny").toInt() != 0;
    // The owner keeps exactly one default: clear the others first, so that
    // the unique index never sees two.
    if (makeDefault) {
        execWithNext(connection,
                     QStringLiteral(
                         "update adres set czy_domyslny = 0 where tabela = :tabela and id_ = :id_ and czy_domyslny = 1"
                         " and id_adr <> :id"),
                     {{"tabela", tableCode}, {"id_", owner}, {"id", id.isValid() ? id : QVariant(-1)}});
    }
    const Values values = {
        {"id_", owner},
        {"tabela", tableCode},
        {"id_m", integer(c, "@id_m")},
        {"id_kodu", integer(c, "@id_kodu")},
        {"ulica", text(c, "@ulica")},
        {"nr_domu", text(c, "@nr_domu")},
        {"nr_m", text(c, "@nr_m")},
        {"czy_domyslny", makeDefault ? 1 : 0},
        {"rodzaj", integer(c, "@rodzaj")},
    };
    // A new address of an owner without a default is added as the default,
    // in the insert's own statement.
    const Expressions firstDefault = {
        {"czy_domyslny",
         QStringLiteral("case when :czy_domyslny = 1 or not exists (select 1 from adres where"
                        " tabela = :tabela and id_ = :id_ and czy_domyslny = 1) then 1 else 0 end")}};
    const int result = saveRow(c, "@id", "adres", "id_adr", values, true, firstDefault);
    if (result != 0)
        return result;
    if (!makeDefault && id.isValid()) {
        // Unsetting the only default, or a first address: this one stays or becomes default.
        const QVariant saved = c.in(QStringLiteral("@id"));
        const QVariant defaults = scalar(
            connection,
            QStringLiteral("select count(*) from adres where tabela = :tabela and id_ = :id_ and czy_domyslny = 1"),
            {{"tabela", tableCode}, {"id_", owner}});
        if (defaults.toInt() == 0)
            exec(connection, QStringLiteral("update adres set czy_domyslny = 1 where id_adr = :id"), {{"id", saved}});
    }
    if (previousOwner.isValid()
        && (previousOwner.toInt() != owner.toInt() || previousTable.toInt() != tableCode.toInt()))
        ensureDefaultAddress(connection, previousTable, previousOwner);
    return 0;
}

int savePhone(db::ProcedureContext &c)
{
    const QVariant owner = integer(c, "@id_");
    const QVariant tableCode = integer(c, "@tabela");
    if (!owner.isValid() || !tableCode.isValid())
        return ResultMissingValue;
    if (!ownerExists(c.connection(), tableCode.toInt(), owner))
        return ResultRecordDeleted;
    const Values values = {
        {"id_", owner},
        {"tabela", tableCode},
        {"numer", text(c, "@numer")},
        {"opis", text(c, "@opis")},
        {"rodzaj", integer(c, "@rodzaj")},
        {"czy_domysl", integer(c, "@czy_domysl").toInt() != 0 ? 1 : 0},
        {"tel_fax", orDefault(integer(c, "@tel_fax"), 1)},
    };
    return saveRow(c, "@id_tel", "telefon", "id_tel", values);
}

int saveAccount(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const QVariant owner = integer(c, "@id_");
    const QVariant tableCode = integer(c, "@tabela");
    const QVariant number = text(c, "@nr_konta");
    if (!owner.isValid() || !tableCode.isValid() || number.toString().trimmed().isEmpty())
        return ResultMissingValue;
    if (!ownerExists(connection, tableCode.toInt(), owner))
        return ResultRecordDeleted;
    const QVariant id = integer(c, "@id");
    if (id.isValid()) {
        const int state = checkWritable(connection, "konto", "id_konta", id);
        if (state != 0)
            return state;
    }
    const bool active = orDefault(flag(c, "@aktywne"), 1).toInt() != 0;
    // An inactive account is never the default one.
    const bool makeDefault = active && integer(c, "@czy_domyslne").toInt() != 0;
    if (makeDefault) {
        execWithNext(connection,
                     QStringLiteral(
                         "update konto set czy_domyslne = 0 where tabela = :tabela and id_ = :id_ and id_konta <> :id"),
                     {{"tabela", tableCode}, {"id_", owner}, {"id", id.isValid() ? id : QVariant(-1)}});
    }
    const Values values = {
        {"nr_konta", number},
        {"bank", text(c, "@bank")},
        {"id_", owner},
        {"tabela", tableCode},
        {"id_typu", integer(c, "@id_typu")},
        {"opis", text(c, "@opis")},
        {"czy_domyslne", makeDefault ? 1 : 0},
        {"swift", text(c, "@swift")},
        {"waluta", text(c, "@waluta")},
        {"aktywne", active ? 1 : 0},
    };
    return saveRow(c, "@id", "konto", "id_konta", values);
}

int saveContact(db::ProcedureContext &c)
{
    const QVariant company = integer(c, "@id_f");
    const QVariant surname = text(c, "@nazwisko");
    if (!company.isValid() || surname.toString().trimmed().isEmpty())
        return ResultMissingValue;
    if (!ownerExists(c.connection(), TableCompany, company))
        return ResultRecordDeleted;
    const Values values = {
        {"nazwisko", surname},
        {"imie", text(c, "@imie")},
        {"id_f", company},
        {"e_mail", text(c, "@e_mail")},
        {"id_stan", integer(c, "@id_stan")},
        {"uwagi", text(c, "@uwagi")},
        {"id_jezyka_alertu", integer(c, "@id_jezyka_alertu")},
        {"wysw_na_zleceniu", orDefault(flag(c, "@wysw_na_zleceniu"), 0)},
        {"os_up_do_fv", orDefault(flag(c, "@os_up_do_fv"), 0)},
        {"nr_trans", text(c, "@nr_trans")},
        {"nr_gg", text(c, "@nr_gg")},
        {"skype", text(c, "@skype")},
        {"tel", text(c, "@tel")},
    };
    return saveRow(c, "@id", "kontakt", "id_kontakt", values);
}

int savePeriod(db::ProcedureContext &c)
{
    const QVariant company = integer(c, "@id_f");
    const QVariant from = dateTime(c, "@data_od");
    const QVariant to = dateTime(c, "@data_do");
    if (!company.isValid() || !from.isValid() || !to.isValid() || from.toDateTime() > to.toDateTime())
        return ResultMissingValue;
    if (!exists(c.connection(), "firma", "id_f", company))
        return ResultRecordDeleted;
    return saveRow(c, "@id", "okres_roz", "id_okr", {{"id_f", company}, {"data_od", from}, {"data_do", to}});
}

int saveRemarkTemplate(db::ProcedureContext &c)
{
    const QVariant name = text(c, "@nazwa");
    if (name.toString().trimmed().isEmpty())
        return ResultMissingValue;
    return saveRow(c, "@id", "faktura_uwagi_dodatkowe", "id_fv_ud", {{"nazwa", name}, {"tresc", text(c, "@tresc")}});
}

// One ustawienia row per (kod, co, id_f, id_u); null keys match null.
int saveSetting(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const QVariant key = text(c, "@co");
    if (key.toString().isEmpty())
        return ResultMissingValue;
    const QVariant module = text(c, "@kod");
    const QVariant company = integer(c, "@id_f");
    const QVariant user = integer(c, "@id_u");
    const QVariant value = text(c, "@wartosc");

    QString where = QStringLiteral("co = :co");
    Values binds = {{"co", key}};
    matchColumn(where, binds, "kod", module);
    matchColumn(where, binds, "id_f", company);
    matchColumn(where, binds, "id_u", user);
    const QVariant existing =
        scalar(connection, QStringLiteral("select min(id_ust) from ustawienia where ") + where, binds);
    if (isBlank(existing))
        insertRow(connection, "ustawienia", "id_ust",
                  {{"co", key}, {"wartosc", value}, {"kod", module}, {"id_u", user}, {"id_f", company}});
    else
        updateRow(connection, "ustawienia", "id_ust", existing, {{"wartosc", value}});
    return 0;
}

} // namespace

void registerCompanyProcedures()
{
    define("PZapFirmeFull",
           {{"@nazwa", Text, 200},
            {"@skrot", Text, 50},
            {"@wlasciciel", Text, 30},
            {"@nip", Text, 22},
            {"@regon", Text, 9},
            {"@krs", Text, 10},
            {"@www", Text, 60},
            {"@e_mail", Text, 50},
            {"@uwagi", Text},
            {"@uwagi_mod", Int},
            {"@typ_firmy", Int},
            {"@status", Int},
            {"@id_komunikatora", Int},
            {"@id_centrali", Int},
            {"@id_fv_ud", Int},
            {"@fv_papier_firm", Bool},
            {"@fv_margin_gorny", Int},
            {"@nr_trans", Text, 50},
            {"@nr_gg", Text, 25},
            {"@skype", Text, 50},
            {"@apd_id", Int},
            {"@apd_token", Text, 34},
            {"@nocne_od", DateTime},
            {"@nocne_do", DateTime},
            {"@swieta_od", DateTime},
            {"@pora_nocna_od", DateTime},
            {"@pora_nocna_do", DateTime},
            {"@komentarz", Text},
            {"@komentarz_mod", Int},
            {"@limit_nadh", Int},
            {"@okres_roz", Int},
            {"@dodatkowe_wolne", Int},
            {"@limit_kredyt", Decimal},
            {"@waluta_limitu_kredyt", Text, 5},
            {"@oswiadczenie_vat", Int},
            {"@aktywna", Bool},
            {"@bus", Bool},
            {"@id_u", Int},
            inOut("@id"),
            inOut("@wersja")},
           saveCompany);
    define("PZapAdres",
           {{"@id_", Int},
            {"@id_m", Int},
            {"@id_kodu", Int},
            {"@ulica", Text, 50},
            {"@nr_domu", Text, 10},
            {"@nr_m", Text, 5},
            {"@czy_domyslny", Int},
            {"@rodzaj", Int},
            {"@tabela", Int},
            inOut("@id")},
           saveAddress);
    define("PZapTelefon",
           {{"@id_", Int},
            {"@numer", Text, 50},
            {"@opis", Text, 250},
            {"@rodzaj", Int},
            {"@czy_domysl", Int},
            {"@tabela", Int},
            {"@tel_fax", Int},
            inOut("@id_tel")},
           savePhone);
    define("PZapKonto",
           {{"@nr_konta", Text, 50},
            {"@bank", Text, 50},
            {"@id_", Int},
            {"@tabela", Int},
            {"@id_typu", Int},
            {"@opis", Text, 800},
            {"@czy_domyslne", Int},
            {"@swift", Text, 50},
            {"@waluta", Text, 5},
            {"@aktywne", Int},
            inOut("@id")},
           saveAccount);
    define("PZapKontakt",
           {{"@nazwisko", Text, 50},
            {"@imie", Text, 30},
            {"@id_f", Int},
            {"@e_mail", Text, 50},
            {"@id_stan", Int},
            {"@uwagi", Text, 500},
            {"@id_jezyka_alertu", Int},
            {"@wysw_na_zleceniu", Int},
            {"@os_up_do_fv", Int},
            {"@nr_trans", Text, 50},
            {"@nr_gg", Text, 25},
            {"@skype", Text, 50},
            {"@tel", Text, 25},
            inOut("@id")},
           saveContact);
    define("PZapOkresRozl", {{"@data_od", DateTime}, {"@data_do", DateTime}, {"@id_f", Int}, inOut("@id")}, savePeriod);
    define("PZapFakturaUwagiDodatkowe", {{"@nazwa", Text, 100}, {"@tresc", Text, 255}, inOut("@id")},
           saveRemarkTemplate);
    define("PZapUst4",
           {{"@id_u_kto", Int},
            {"@co", Text, 100},
            {"@wartosc", Text},
            {"@kod", Text, 50},
            {"@id_f", Int},
            {"@id_u", Int}},
           saveSetting);
}

} // namespace suitedb::procs
