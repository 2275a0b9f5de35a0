#include "host_funcs.h"

#include "connection.h"
#include "db_error.h"
#include "host_syscore.h"
#include "internal.h"
#include "prompter.h"
#include "query.h"
#include "services.h"
#include "stored_proc.h"
#include "window_messages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace host {

namespace {

struct UpdatableTable
{
    QString keyColumn;
    QSet<QString> columns;
};

// Only these columns may be changed in bulk; names are built into the statement.
QHash<QString, UpdatableTable> &multiUpdateAllowList()
{
    static QHash<QString, UpdatableTable> list = {
        {QStringLiteral("firma"),
         {QStringLiteral("id_f"),
          {QStringLiteral("id_fv_ud"), QStringLiteral("status"), QStringLiteral("typ_firmy"), QStringLiteral("aktywna"),
           QStringLiteral("bus")}}},
    };
    return list;
}

QVariant boundValue(const QString &value)
{
    if (value.isEmpty())
        return QVariant();
    bool isInt = false;
    const int number = value.toInt(&isInt);
    return isInt ? QVariant(number) : QVariant(value);
}

} // namespace

bool CzyMoznaUsunac(const QString &odp, db::StoredProc *, QWidget *owner)
{
    if (odp.trimmed().isEmpty())
        return true;
    InfoWarning(odp, owner);
    return false;
}

bool CzyMoznaUsunac(const QString &table, int id, QWidget *owner, db::Connection *connection)
{
    db::Connection *c = detail::connectionOr(connection);
    if (!c)
        return false;
    try {
        db::StoredProc check(c, QStringLiteral("PCanDel"));
        check.refreshParameters();
        check.setValue(QStringLiteral("@id"), id);
        check.setValue(QStringLiteral("@tabela"), table);
        check.setValue(QStringLiteral("@id_jezyka"), GetLanguage());
        check.setValue(QStringLiteral("@czy_wymuszenie"), 0);
        check.execProc();
        return CzyMoznaUsunac(check.value(QStringLiteral("@odp")).toString(), &check, owner);
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("CzyMoznaUsunac"), error.message(), owner);
        return false;
    }
}

int KodTabeli(const QString &tableName, db::Connection *connection)
{
    const int code = GetIntDB(QStringLiteral("select tabela from definicja_tabela where tabela_slownie = :nazwa"),
                              QStringLiteral("tabela"), connection, {{QStringLiteral("nazwa"), tableName}});
    return qMax(0, code);
}

int ZapiszImportPowiazania(db::Connection *connection, int linkId, const QString &tableName, const QString &,
                           int recordId, const QString &value, int importCode, int)
{
    db::Connection *c = detail::connectionOr(connection);
    if (!c) {
        detail::reportError(QStringLiteral("ZapiszImportPowiazania"), QStringLiteral("No database connection."));
        return -1;
    }
    const int tableCode = KodTabeli(tableName, c);
    if (tableCode <= 0) {
        detail::reportError(QStringLiteral("ZapiszImportPowiazania"),
                            QStringLiteral("Unknown table \"%1\".").arg(tableName));
        return -1;
    }
    const QVariantMap row{{QStringLiteral("id_"), recordId},
                          {QStringLiteral("tabela"), tableCode},
                          {QStringLiteral("import"), importCode},
                          {QStringLiteral("wartosc"), value}};
    try {
        // A link given by the caller, else the record's link of that code: one link per record and code.
        int target = linkId;
        if (target <= 0) {
            db::Query existing(
                c,
                QStringLiteral("select id_imp from import_powiazania where id_ = :id_ and tabela = :tabela "
                               "and import = :import order by id_imp"));
            detail::bindAll(existing, row);
            existing.open();
            target = existing.isEmpty() ? 0 : existing.value(0).toInt();
        }
        if (target > 0) {
            db::Query update(
                c,
                QStringLiteral("update import_powiazania set id_ = :id_, tabela = :tabela, import = :import, "
                               "wartosc_import = :wartosc where id_imp = :id_imp"));
            detail::bindAll(update, row);
            update.parameters().setValue(QStringLiteral("id_imp"), target);
            if (update.exec() > 0)
                return target;
        }
        db::Query insert(c,
                         c->dialect().insertReturningId(
                             QStringLiteral("insert into import_powiazania (id_, tabela, import, wartosc_import) "
                                            "values (:id_, :tabela, :import, :wartosc)"),
                             QStringLiteral("id_imp")));
        detail::bindAll(insert, row);
        insert.open();
        return insert.isEmpty() ? -1 : insert.value(0).toInt();
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("ZapiszImportPowiazania"), error.message());
        return -1;
    }
}

bool UsunImportPowiazania(db::Connection *connection, int linkId)
{
    if (linkId <= 0)
        return true;
    return ExecQuery(QStringLiteral("delete from import_powiazania where id_imp = :id_imp"), connection, 0,
                     {{QStringLiteral("id_imp"), linkId}})
        != 0;
}

void allowMultiUpdate(const QString &table, const QString &keyColumn, const QString &column)
{
    UpdatableTable &entry = multiUpdateAllowList()[table.toLower()];
    entry.keyColumn = keyColumn.toLower();
    entry.columns.insert(column.toLower());
}

int Multiakcje_UPDATE(const QString &table, const QString &column, const QString &value, const QString &keyColumn,
                      int id, db::Connection *connection)
{
    const auto allowed = multiUpdateAllowList().constFind(table.toLower());
    if (allowed == multiUpdateAllowList().cend() || allowed->keyColumn != keyColumn.toLower()
        || !allowed->columns.contains(column.toLower())) {
        detail::reportError(
            QStringLiteral("Multiakcje_UPDATE"),
            QStringLiteral("The column %1.%2 (key %3) cannot be changed in bulk.").arg(table, column, keyColumn));
        return 1;
    }
    db::Connection *c = detail::connectionOr(connection);
    if (!c) {
        detail::reportError(QStringLiteral("Multiakcje_UPDATE"), QStringLiteral("No database connection."));
        return 1;
    }
    try {
        db::Query update(c,
                         QStringLiteral("update %1 set %2 = :wartosc where %3 = :id")
                             .arg(table.toLower(), column.toLower(), keyColumn.toLower()));
        update.parameters().setValue(QStringLiteral("wartosc"), boundValue(value));
        update.parameters().setValue(QStringLiteral("id"), id);
        return update.exec() > 0 ? 0 : -1;
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("Multiakcje_UPDATE"), error.message());
        return 1;
    }
}

int Multiakcje_UPDATE(const QString &table, const QString &column, const QString &value, const QString &keyColumn,
                      const QList<int> &ids, db::Connection *connection)
{
    for (int id : ids) {
        const int result = Multiakcje_UPDATE(table, column, value, keyColumn, id, connection);
        if (result > 0)
            return result;
    }
    return 0;
}

int ZwrocIdPowiazanegoTerminu(int tableCode, int recordId, db::Connection *connection)
{
    if (recordId <= 0)
        return 0;
    const int id =
        GetIntDB(QStringLiteral("select min(id_ter) from terminarz where tabela = :tabela and id_ = :id_"), QString(),
                 connection, {{QStringLiteral("tabela"), tableCode}, {QStringLiteral("id_"), recordId}});
    return qMax(0, id);
}

bool UsunPowiazanyTermin(int tableCode, int recordId, db::Connection *connection)
{
    return ExecQuery(QStringLiteral("delete from terminarz where tabela = :tabela and id_ = :id_"), connection, 0,
                     {{QStringLiteral("tabela"), tableCode}, {QStringLiteral("id_"), recordId}})
        != 0;
}

int DEUProstyPowiazanyTermin(db::Connection *connection, int kind, const QString &title, int ownerId,
                             const QDateTime &date, int tableCode, int recordId)
{
    db::Connection *c = detail::connectionOr(connection);
    if (!c) {
        detail::reportError(QStringLiteral("DEUProstyPowiazanyTermin"), QStringLiteral("No database connection."));
        return -1;
    }
    try {
        db::Query insert(
            c,
            c->dialect().insertReturningId(
                QStringLiteral("insert into terminarz (tabela, id_, rodzaj, id_wlasciciela, tytul, data, id_u) "
                               "values (:tabela, :id_, :rodzaj, :id_wlasciciela, :tytul, :data, :id_u)"),
                QStringLiteral("id_ter")));
        insert.parameters().setValue(QStringLiteral("tabela"), tableCode);
        insert.parameters().setValue(QStringLiteral("id_"), recordId);
        insert.parameters().setValue(QStringLiteral("rodzaj"), kind);
        insert.parameters().setValue(QStringLiteral("id_wlasciciela"), kind == 2 ? -1 : ownerId);
        insert.parameters().setValue(QStringLiteral("tytul"), title);
        insert.parameters().setValue(QStringLiteral("data"), date);
        insert.parameters().setValue(QStringLiteral("id_u"), AktIdU());
        insert.open();
        return insert.isEmpty() ? -1 : insert.value(0).toInt();
    } catch (const db::DbError &error) {
        detail::reportError(QStringLiteral("DEUProstyPowiazanyTermin"), error.message());
        return -1;
    }
}

void UstawAktKontroleFirme(int companyId, QObject *, bool post, bool, bool notify)
{
    var::AktywnaFirma.set(companyId);
    notifier()->addRecord({Notifier::Record::ActiveCompany, companyId, 0, {}});
    if (notify)
        emit notifier()->activeCompanyChanged(companyId);
    if (post)
        postToMainWindow(msg::ActiveCompanyChanged, 1, 0);
}

QString localPath(const QString &path)
{
    QString local = path;
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return local;
}

bool CopyDirectory(const QString &source, const QString &target)
{
    const QDir from(localPath(source));
    const QString to = QDir::cleanPath(QFileInfo(localPath(target)).absoluteFilePath());
    if (!from.exists())
        return false;
    const QString fromPath = QDir::cleanPath(from.absolutePath());
    if (to == fromPath || to.startsWith(fromPath + QLatin1Char('/')))
        return false; // copying into itself would never end
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString destination = QDir(to).filePath(from.relativeFilePath(path));
        if (info.isDir()) {
            if (!QDir().mkpath(destination))
                return false;
            continue;
        }
        QDir().mkpath(QFileInfo(destination).absolutePath());
        if (QFile::exists(destination) && !QFile::remove(destination))
            return false;
        if (!QFile::copy(path, destination))
            return false;
    }
    return true;
}

bool DirectoryExistsNet(const QString &path)
{
    return !path.isEmpty() && QFileInfo(localPath(path)).isDir();
}

QString get_directory(QWidget *owner, const QString &caption, const QString &start)
{
    return prompter().chooseDirectory(owner, caption, localPath(start));
}

bool SendMail(const QStringList &attachments, const QString &to, const QString &subject, const QString &body)
{
    QStringList files;
    for (const QString &file : attachments)
        files << localPath(file);
    return prompter().sendMail(files, to, subject, body);
}

void ShowHelp(const QString &topic)
{
    save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("ShowHelp"), __LINE__,
                     QStringLiteral("no help installed for %1").arg(topic));
}

} // namespace host
