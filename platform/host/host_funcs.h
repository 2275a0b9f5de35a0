#pragma once

#include "checks.h"
#include "host_export.h"
#include "host_variables.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <memory>

class QComboBox;
class QListWidget;
class QObject;
class QWidget;

namespace db {
class Connection;
class DataSet;
class Query;
class StoredProc;
} // namespace db

namespace host {

// ---- database -------------------------------------------------------------
// Every function below that takes a connection uses the host's when given null.
// Failures are reported (prompter message box and the log) and the caller
// continues with the documented failure result; nothing throws.

MALVO_HOST_EXPORT db::Connection *GetConnection();
// The expression compared as the suite compares text (Polish letters in
// alphabet order, any case) on the host's connection.
MALVO_HOST_EXPORT QString collated(const QString &expression);
// "<expression> like <pattern>" as the suite's server reads it: "%" and "_"
// are the only wildcards, a backslash is a backslash.
MALVO_HOST_EXPORT QString like(const QString &expression, const QString &pattern);
// Sets the connection of every db::DataSet (and Query) and db::StoredProc
// among owner's descendants, and of owner itself when it is one.
MALVO_HOST_EXPORT void Podepnij_kwerendy(QObject *owner, db::Connection *connection = nullptr);

inline constexpr int OpenQueryTimedOut = -3;
// Opens the data set (attaching the host's connection when it has none).
// 1 on success, 0 on an error (reported), OpenQueryTimedOut when the
// statement ran longer than queryTimeLimit() or the server cancelled it for
// its own statement_timeout (logged only: the caller decides what to ask).
MALVO_HOST_EXPORT int OpenQuery(db::DataSet &dataSet, int flag = 0);
// Statements opened through OpenQuery are interrupted after this many
// milliseconds (0 = no limit, the default). SQLite: a progress handler
// interrupts the statement; PostgreSQL: statement_timeout for that statement.
MALVO_HOST_EXPORT void setQueryTimeLimit(int milliseconds);
MALVO_HOST_EXPORT int queryTimeLimit();

// 1 on success, 0 on error.
MALVO_HOST_EXPORT int ExecQuery(db::Query &query, int flag = 0);
MALVO_HOST_EXPORT int ExecQuery(const QString &sql, db::Connection *connection = nullptr, int flag = 0,
                                const QVariantMap &params = {});
// 1 when the procedure ran (its own @RETURN_VALUE is the caller's to read), 0 on error.
MALVO_HOST_EXPORT int ExecProc(db::StoredProc &procedure, int flag = 0);

// The named column (the first when empty) of the first row. GetIntDB: 0 when
// no row or null, -1 on error; GetStringDB: empty; GetDateTimeDB: null QDateTime.
MALVO_HOST_EXPORT int GetIntDB(const QString &sql, const QString &column = QString(),
                               db::Connection *connection = nullptr, const QVariantMap &params = {});
MALVO_HOST_EXPORT QString GetStringDB(const QString &sql, const QString &column = QString(),
                                      db::Connection *connection = nullptr, const QVariantMap &params = {});
MALVO_HOST_EXPORT QDateTime GetDateTimeDB(const QString &sql, const QString &column = QString(),
                                          db::Connection *connection = nullptr, const QVariantMap &params = {});
// The column of every row; empty on error.
MALVO_HOST_EXPORT QList<int> GetListaIntDB(const QString &sql, const QString &column = QString(),
                                           db::Connection *connection = nullptr, const QVariantMap &params = {});
MALVO_HOST_EXPORT QStringList GetListaStringDB(const QString &sql, const QString &column = QString(),
                                               db::Connection *connection = nullptr, const QVariantMap &params = {});
// Whether the statement returns a row (false on error).
MALVO_HOST_EXPORT bool CzyIstniejeRekordDB(const QString &sql, db::Connection *connection = nullptr,
                                           const QVariantMap &params = {});

// A stored procedure on the host's connection with its parameters refreshed;
// null (and a log line) when it is unknown. The caller reports the failure.
MALVO_HOST_EXPORT std::unique_ptr<db::StoredProc> Otworz_procedure(const QString &name, QObject *parent = nullptr);

// The engine's literal of a date value (days since 1899-12-30): a date
// literal for a whole day, a date-time literal otherwise. No shift of days.
MALVO_HOST_EXPORT QString double_to_sql_str(double value, db::Connection *connection = nullptr);
// The host's control period: from the ustawienia rows "data_kontroli_od" and
// "data_kontroli_do" (kod "ALL") when present, else the current month.
// Whole days (no time of day).
MALVO_HOST_EXPORT void Ustaw_daty_kontroli(double &start, double &end, db::Connection *connection = nullptr);

// ---- messages and translation ------------------------------------------------

MALVO_HOST_EXPORT QString LoadResstrings(const QString &key);
MALVO_HOST_EXPORT QString LoadResstrings(const QString &key, bool *exists);
// Translates every component of a window whose caption, title, tool tip,
// placeholder, tab title, item or header text is a "Resstrings_IDS_" key.
MALVO_HOST_EXPORT void InitializeLanguage(const QString &moduleFileName, QWidget *window);
MALVO_HOST_EXPORT bool isTranslationKey(const QString &text);

// Message boxes through the prompter. A text that is a translation key is
// translated. The caption defaults to "Malvo".
MALVO_HOST_EXPORT int InfoBox(QWidget *owner, const QString &text, int flags = 0, const QString &caption = QString());
MALVO_HOST_EXPORT int InfoBox(const QString &text, int flags = 0, QWidget *owner = nullptr);
MALVO_HOST_EXPORT void InfoI(const QString &text, QWidget *owner = nullptr);
MALVO_HOST_EXPORT void InfoWarning(const QString &text, QWidget *owner = nullptr);
MALVO_HOST_EXPORT void InfoBoxTop(const QString &text, QWidget *owner = nullptr);
MALVO_HOST_EXPORT void InfoError(const QString &text, QWidget *owner = nullptr);
MALVO_HOST_EXPORT void ShowMessage(const QString &text);
// "Could not save" with the code, in the current language.
MALVO_HOST_EXPORT void KomunikatZapisuBlad(int code, QWidget *owner = nullptr);
MALVO_HOST_EXPORT QString saveErrorText(int code);

// Appends "<time> <file>:<line> <function>: <text>" to the error log; safe
// from any thread.
MALVO_HOST_EXPORT void save_log_to_file(const QString &file, const QString &function, int line, const QString &text);
// The log file: set explicitly (tests), else $MALVO_LOG, else
// $XDG_STATE_HOME/malvo/malvo.log (~/.local/state/malvo/malvo.log).
MALVO_HOST_EXPORT void setLogFilePath(const QString &path);
MALVO_HOST_EXPORT QString logFilePath();

// ---- user, rights, language ----------------------------------------------------

// The user's level for a module file name: 2 for an administrator, the
// uprawnienia row's level otherwise, -1 when there is no row (no access).
MALVO_HOST_EXPORT int SprawdzUpr(const QString &moduleFileName, db::Query *query = nullptr);
MALVO_HOST_EXPORT int AktIdU();
MALVO_HOST_EXPORT QString AktNazwiskoImieLoginU();
MALVO_HOST_EXPORT bool CzyAdministrator();
MALVO_HOST_EXPORT int GetLanguage();
MALVO_HOST_EXPORT QString GetKeyLang();

MALVO_HOST_EXPORT bool CzyWersjaOgraniczona();
MALVO_HOST_EXPORT bool CzyWersjaUproszczona();
MALVO_HOST_EXPORT bool PaletaStala();
MALVO_HOST_EXPORT void setWersjaOgraniczona(bool on);
MALVO_HOST_EXPORT void setWersjaUproszczona(bool on);
MALVO_HOST_EXPORT void setPaletaStala(bool on);

// ---- checks needing the database ------------------------------------------------

// Dialing prefix of the host's country ("+48" for Poland) from panstwo.
MALVO_HOST_EXPORT QString Znajdz_NrKierunkowy();
// A company's short name (empty when unknown).
MALVO_HOST_EXPORT QString Nazwa_Firmy_skrot(db::Connection *connection, int companyId);

// ---- controls ---------------------------------------------------------------------

// Fills the combo with the rows of the statement: text column as text, id
// column as item data (an int). With addEmpty an empty entry with id 0 comes
// first. The previous choice is kept when its id is still there. Number of
// rows loaded, -1 on error.
MALVO_HOST_EXPORT int Laduj_DB_FlatCombo(QComboBox *combo, const QString &sql, const QString &idColumn,
                                         const QString &textColumn, bool addEmpty = false,
                                         db::Connection *connection = nullptr, const QVariantMap &params = {});
// Cities of a country: "<country code> <postal code> <city>" per row of
// VListaMiast, id_m as item data.
MALVO_HOST_EXPORT int Laduj_DB_FlatComboMiasto(QComboBox *combo, int countryId = 0,
                                               db::Connection *connection = nullptr);
// Checkable items, unchecked, id as item data (Qt::UserRole).
MALVO_HOST_EXPORT int Laduj_DB_CheckListBox(QListWidget *list, const QString &sql, const QString &idColumn,
                                            const QString &textColumn, db::Connection *connection = nullptr,
                                            const QVariantMap &params = {});
// Selects the item whose id is given; -1 and an empty edit text when none.
MALVO_HOST_EXPORT bool UstawWartoscCombo(QComboBox *combo, int id);
MALVO_HOST_EXPORT int ZwrocWartoscCombo(const QComboBox *combo); // id of the current item, 0 when none
MALVO_HOST_EXPORT void Kasuj_tekst_combo(QComboBox *combo);
MALVO_HOST_EXPORT bool CzyCanFocus(const QWidget *widget);
// Open editors by kind (6 = order editor), so a window can refuse to open a
// second one. An editor counts until it is unregistered or destroyed.
MALVO_HOST_EXPORT void registerEditor(int formType, QWidget *editor);
MALVO_HOST_EXPORT void unregisterEditor(int formType, QWidget *editor);
MALVO_HOST_EXPORT bool isEdited(int formType);
// Applies the host's colour scheme (host variable kolor_formy) to a window.
MALVO_HOST_EXPORT void UstawKoloryFormy(QWidget *window);
// True unless more than windowLimit() top-level windows are open (then the user is told).
MALVO_HOST_EXPORT bool checkWindowsLimits();
MALVO_HOST_EXPORT void setWindowLimit(int limit);
MALVO_HOST_EXPORT int windowLimit();

// The host's dictionary editor: lists the entries of a dictionary (the
// query's typ_slownika parameter, or the suite's dictionary number) and adds
// new ones; runs through the prompter. Afterwards the query is reopened and
// the combo, when given, refilled from it with the chosen entry selected.
// Returns the id of the entry chosen (0 when cancelled or none).
MALVO_HOST_EXPORT int OpenRamkaSlownik(QWidget *owner, int dictionaryNumber, db::DataSet *query = nullptr,
                                       const QString &textColumn = QStringLiteral("wartosc"),
                                       const QString &idColumn = QStringLiteral("id"), QComboBox *combo = nullptr);

// ---- records and links ------------------------------------------------------------

// Deletion check: odp is the @odp text of PCanDel. Empty: true. Otherwise it
// is shown as a warning and the answer is false.
MALVO_HOST_EXPORT bool CzyMoznaUsunac(const QString &odp, db::StoredProc *procedure = nullptr,
                                      QWidget *owner = nullptr);
// Runs PCanDel (@id, @tabela, @id_jezyka, @czy_wymuszenie 0) and decides as above.
MALVO_HOST_EXPORT bool CzyMoznaUsunac(const QString &table, int id, QWidget *owner = nullptr,
                                      db::Connection *connection = nullptr);

// Writes one import link (import_powiazania) of a record: updates the link
// linkId when it exists (or the record's link of that import code), else
// inserts one. Returns the link id, or -1 on failure (reported). The key
// column is not needed: a link names its record by table code and id.
MALVO_HOST_EXPORT int ZapiszImportPowiazania(db::Connection *connection, int linkId, const QString &tableName,
                                             const QString &keyColumn, int recordId, const QString &value,
                                             int importCode, int flag = 0);
// Removes a link; true when the statement ran.
MALVO_HOST_EXPORT bool UsunImportPowiazania(db::Connection *connection, int linkId);

// Table code of a table name (definicja_tabela); 0 when unknown.
MALVO_HOST_EXPORT int KodTabeli(const QString &tableName, db::Connection *connection = nullptr);

// Bulk column update of one row: update <table> set <column> = value where
// <keyColumn> = id, the value bound (empty text = null). Only table/column
// pairs on the allow-list are accepted. 0 when the row was updated, -1 when
// no row has that id, 1 for a refused column or a failed statement (reported).
MALVO_HOST_EXPORT int Multiakcje_UPDATE(const QString &table, const QString &column, const QString &value,
                                        const QString &keyColumn, int id, db::Connection *connection = nullptr);
// Every id in turn; stops at the first positive result, which it returns; else 0.
MALVO_HOST_EXPORT int Multiakcje_UPDATE(const QString &table, const QString &column, const QString &value,
                                        const QString &keyColumn, const QList<int> &ids,
                                        db::Connection *connection = nullptr);
MALVO_HOST_EXPORT void allowMultiUpdate(const QString &table, const QString &keyColumn, const QString &column);

// Schedule entries linked to a record (table terminarz). 0 when none.
MALVO_HOST_EXPORT int ZwrocIdPowiazanegoTerminu(int tableCode, int recordId, db::Connection *connection = nullptr);
// Removes the entries linked to the record; true when the statement ran.
MALVO_HOST_EXPORT bool UsunPowiazanyTermin(int tableCode, int recordId, db::Connection *connection = nullptr);
// Creates a simple entry linked to a record: kind 0 driver, 1 vehicle, 2
// general (owner -1). Returns the entry id, -1 on failure.
MALVO_HOST_EXPORT int DEUProstyPowiazanyTermin(db::Connection *connection, int kind, const QString &title, int ownerId,
                                               const QDateTime &date, int tableCode, int recordId);

// Makes a company the active own company (aktywna_firma) and announces it
// (Notifier::activeCompanyChanged). The caller posts msg::ActiveCompanyChanged
// when its flow asks for it; with postMessage the host posts it (1, 0).
MALVO_HOST_EXPORT void UstawAktKontroleFirme(int companyId, QObject *sender, bool postMessage = false,
                                             bool unused = false, bool notify = true);

// Connection string of the external Comarch CDN XL database; empty unless configured.
MALVO_HOST_EXPORT QString ConnectionStringCDNXL();
MALVO_HOST_EXPORT void setConnectionStringCDNXL(const QString &connectionString);

// ---- files and shell ------------------------------------------------------------

// A path of the suite (backslashes) as a local path.
MALVO_HOST_EXPORT QString localPath(const QString &path);
// Copies a folder with everything below it, replacing files of the same name.
MALVO_HOST_EXPORT bool CopyDirectory(const QString &source, const QString &target);
MALVO_HOST_EXPORT bool DirectoryExistsNet(const QString &path);
// Folder choice through the prompter; empty when cancelled.
MALVO_HOST_EXPORT QString get_directory(QWidget *owner, const QString &caption, const QString &start);
// A new e-mail with the files attached, through the prompter.
MALVO_HOST_EXPORT bool SendMail(const QStringList &attachments, const QString &to = QString(),
                                const QString &subject = QString(), const QString &body = QString());
MALVO_HOST_EXPORT void ShowHelp(const QString &topic);

} // namespace host
