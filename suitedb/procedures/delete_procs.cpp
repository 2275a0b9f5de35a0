// The generic delete (PUsunW) and the may-delete check (PCanDel).
#include "proc_support.h"
#include "procedures.h"

#include "connection.h"
#include "db_error.h"
#include "suitedb.h"

#include <QStringList>
#include <iterator>

namespace suitedb::procs {

namespace {

using Satellites = void (*)(db::Connection &, const QVariant &id);

void deleteOwned(db::Connection &connection, int tableCode, const QVariant &id)
{
    const Values binds = {{"tabela", tableCode}, {"id", id}};
    for (const char *table : {"adres", "telefon", "konto", "import_powiazania", "dokument_plik", "terminarz"})
        exec(connection,
             QStringLiteral("delete from %1 where tabela = :tabela and id_ = :id").arg(QLatin1String(table)), binds);
}

void companySatellites(db::Connection &connection, const QVariant &id)
{
    const Values binds = {{"id", id}};
    // Locks the row first: a save of the company running meanwhile ends
    // before its rows are read for deletion, so none of them is left behind.
    exec(connection, QStringLiteral("update firma set wersja = wersja + 1 where id_f = :id"), binds);
    exec(connection, QStringLiteral("delete from firma_konto_rozl where id_f = :id or id_f_akt = :id"), binds);
    deleteOwned(connection, TableCompany, id);
    for (const char *table : {"firma_grupa", "okres_roz", "kontakt", "ustawienia"})
        exec(connection, QStringLiteral("delete from %1 where id_f = :id").arg(QLatin1String(table)), binds);
    exec(connection, QStringLiteral("delete from sesja where nazwa_dll = 'partners.dll' and id_ = :id"), binds);
}

void documentSatellites(db::Connection &connection, const QVariant &id)
{
    const Values binds = {{"tabela", TableDocument}, {"id", id}};
    exec(connection, QStringLiteral("delete from dokument_plik where tabela = :tabela and id_ = :id"), binds);
    exec(connection, QStringLiteral("delete from terminarz where tabela = :tabela and id_ = :id"), binds);
}

void vehicleSatellites(db::Connection &connection, const QVariant &id)
{
    deleteOwned(connection, TableVehicle, id);
}

struct Deletable
{
    const char *table;
    const char *key;
    bool hasSyncFlag;
    Satellites satellites;
};

// The only rows PUsunW deletes: its arguments select an entry, they never
// become SQL text themselves.
constexpr Deletable AllowList[] = {
    {"firma", "id_f", true, companySatellites},
    {"adres", "id_adr", true, nullptr},
    {"telefon", "id_tel", true, nullptr},
    {"konto", "id_konta", true, nullptr},
    {"kontakt", "id_kontakt", true, nullptr},
    {"okres_roz", "id_okr", true, nullptr},
    {"faktura_uwagi_dodatkowe", "id_fv_ud", true, nullptr},
    {"dokument", "id_dok", true, documentSatellites},
    {"dokument_plik", "id_dp", true, nullptr},
    {"firma_grupa", "id_fg", false, nullptr},
    {"firma_konto_rozl", "id_fkr", false, nullptr},
    {"import_powiazania", "id_imp", false, nullptr},
    {"miasto", "id_m", false, nullptr},
    {"kod_pocztowy", "id_kodu", false, nullptr},
    {"samochod", "id_s", false, vehicleSatellites},
    {"kierowca", "id_k", false, nullptr},
    {"karta_kierowcy", "id_karty", false, nullptr},
    {"delegacja", "id_d", false, nullptr},
    {"zlecenie", "id_realiz", false, nullptr},
    {"faktura", "id_fv", false, nullptr},
    {"szablon_zlecenia", "id_szablonu", false, nullptr},
    {"terminarz", "id_ter", false, nullptr},
    {"ust_form", "id_ust_form", false, nullptr},
    {"sesja", "id_sesji", false, nullptr},
};

const Deletable *findDeletable(const QString &table, const QString &key)
{
    for (const Deletable &entry : AllowList) {
        if (table.trimmed().compare(QLatin1String(entry.table), Qt::CaseInsensitive) == 0
            && key.trimmed().compare(QLatin1String(entry.key), Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

bool isForeignKeyFailure(const db::DbError &error)
{
    const QString text = error.message();
    return text.contains(QLatin1String("FOREIGN KEY"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("foreign key constraint"), Qt::CaseInsensitive);
}

int deleteRow(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    const Deletable *entry =
        findDeletable(c.in(QStringLiteral("@tabela")).toString(), c.in(QStringLiteral("@nazwa_id")).toString());
    if (!entry)
        return ResultUnknownObject;
    const QVariant id = toInt(c.in(QStringLiteral("@id")));
    if (!id.isValid())
        return ResultMissingValue;
    const bool forced = toInt(c.in(QStringLiteral("@czy_wymuszenie"))).toInt() != 0;
    const int state = checkWritable(connection, entry->table, entry->key, id, entry->hasSyncFlag);
    if (state == ResultRecordDeleted || (state == ResultSynchronising && !forced))
        return state;

    QVariant addressTable;
    QVariant addressOwner;
    if (QLatin1String(entry->table) == QLatin1String("adres")) {
        addressTable = scalar(connection, QStringLiteral("select tabela from adres where id_adr = :id"), {{"id", id}});
        addressOwner = scalar(connection, QStringLiteral("select id_ from adres where id_adr = :id"), {{"id", id}});
    }
    // A savepoint of our own, so that a refused delete leaves the caller's
    // transaction usable (PostgreSQL aborts it on any error otherwise).
    connection.begin();
    try {
        if (entry->satellites)
            entry->satellites(connection, id);
        exec(
            connection,
            QStringLiteral("delete from %1 where %2 = :id").arg(QLatin1String(entry->table), QLatin1String(entry->key)),
            {{"id", id}});
        if (addressOwner.isValid())
            ensureDefaultAddress(connection, addressTable, addressOwner);
        connection.commit();
    } catch (const db::DbError &error) {
        connection.rollback();
        if (isForeignKeyFailure(error))
            return ResultDependentRows;
        throw;
    }
    return 0;
}

struct Dependant
{
    const char *key;      // translation key of the label
    const char *countSql; // counts rows that refer to :id
};

const Dependant CompanyDependants[] = {
    {"Resstrings_IDS_CanDel_faktury",
     "select count(*) from faktura where id_f = :id or id_platnik = :id or id_wystawil = :id"},
    {"Resstrings_IDS_CanDel_zlecenia", "select count(*) from zlecenie where id_f = :id or id_wystawil = :id"},
    {"Resstrings_IDS_CanDel_dokumenty", "select count(*) from dokument where id_f = :id"},
    {"Resstrings_IDS_CanDel_oddzialy", "select count(*) from firma where id_centrali = :id"},
    {"Resstrings_IDS_CanDel_pojazdy", "select count(*) from samochod where id_f = :id"},
    {"Resstrings_IDS_CanDel_kierowcy", "select count(*) from kierowca where id_f = :id"},
    {"Resstrings_IDS_CanDel_delegacje", "select count(*) from delegacja where id_wystawil = :id"},
};
const Dependant AddressDependants[] = {
    {"Resstrings_IDS_CanDel_faktury", "select count(*) from faktura where id_adr_f = :id or id_adr_platnik = :id"},
};
const Dependant CityDependants[] = {
    {"Resstrings_IDS_CanDel_adresy", "select count(*) from adres where id_m = :id"},
};
const Dependant DriverDependants[] = {
    {"Resstrings_IDS_CanDel_dokumenty", "select count(*) from dokument where id_k = :id"},
    {"Resstrings_IDS_CanDel_delegacje", "select count(*) from delegacja where id_k = :id"},
};
const Dependant VehicleDependants[] = {
    {"Resstrings_IDS_CanDel_dokumenty", "select count(*) from dokument where id_s = :id"},
};

struct DependantTable
{
    const char *table;
    const Dependant *begin;
    const Dependant *end;
};

const DependantTable DependantTables[] = {
    {"firma", std::begin(CompanyDependants), std::end(CompanyDependants)},
    {"adres", std::begin(AddressDependants), std::end(AddressDependants)},
    {"miasto", std::begin(CityDependants), std::end(CityDependants)},
    {"kierowca", std::begin(DriverDependants), std::end(DriverDependants)},
    {"samochod", std::begin(VehicleDependants), std::end(VehicleDependants)},
};

// The text of a message key in a language; the key itself when it has none.
QString translated(db::Connection &connection, const char *key, int language)
{
    const QVariant text =
        scalar(connection, QStringLiteral("select tekst from resstrings where klucz = :klucz and id_jezyka = :jezyk"),
               {{"klucz", QString::fromLatin1(key)}, {"jezyk", language}});
    if (!isBlank(text) && !text.toString().isEmpty())
        return text.toString();
    return QString::fromLatin1(key);
}

int checkDependants(db::ProcedureContext &c)
{
    auto &connection = c.connection();
    c.setOut(QStringLiteral("@odp"), QString());
    const QVariant id = toInt(c.in(QStringLiteral("@id")));
    const QString table = c.in(QStringLiteral("@tabela")).toString().trimmed();
    const int language = orDefault(toInt(c.in(QStringLiteral("@id_jezyka"))), LanguagePolish).toInt();
    if (!id.isValid())
        return 0;
    for (const DependantTable &entry : DependantTables) {
        if (table.compare(QLatin1String(entry.table), Qt::CaseInsensitive) != 0)
            continue;
        QStringList lines;
        for (const Dependant *d = entry.begin; d != entry.end; ++d) {
            const int count = scalar(connection, QString::fromLatin1(d->countSql), {{"id", id}}).toInt();
            if (count > 0)
                lines.append(QStringLiteral("- %1: %2").arg(translated(connection, d->key, language)).arg(count));
        }
        if (!lines.isEmpty()) {
            const QString heading = translated(connection, "Resstrings_IDS_CanDel_naglowek", language);
            c.setOut(QStringLiteral("@odp"), (heading + QLatin1Char('\n') + lines.join(QLatin1Char('\n'))).left(4000));
        }
        break;
    }
    return 0;
}

} // namespace

void registerDeleteProcedures()
{
    define("PUsunW",
           {{"@tabela", Text, 50}, {"@nazwa_id", Text, 20}, {"@id_u", Int}, {"@czy_wymuszenie", Int}, {"@id", Int}},
           deleteRow);
    define("PCanDel",
           {{"@id", Int},
            {"@tabela", Text, 50},
            {"@id_jezyka", Int},
            {"@czy_wymuszenie", Int},
            {"@odp", Text, 4000, db::ParamDirection::Output}},
           checkDependants);
}

} // namespace suitedb::procs
