#include "host_funcs.h"

#include "connection.h"
#include "db_error.h"
#include "internal.h"
#include "query.h"
#include "services.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMultiHash>
#include <QPalette>
#include <QPointer>
#include <QWidget>

namespace host {

namespace {

int g_windowLimit = 50;
QMultiHash<int, QPointer<QWidget>> g_editors;

struct Rows
{
    std::unique_ptr<db::Query> query;
    int idIndex = -1;
    int textIndex = -1;
};

std::optional<Rows> load(const char *function, const QString &sql, const QString &idColumn, const QString &textColumn,
                         db::Connection *connection, const QVariantMap &params)
{
    auto query = detail::openStatement(function, sql, connection, params);
    if (!query)
        return std::nullopt;
    Rows rows;
    rows.query = std::move(*query);
    rows.idIndex = rows.query->fieldIndex(idColumn);
    rows.textIndex = rows.query->fieldIndex(textColumn);
    if (rows.idIndex < 0 || rows.textIndex < 0) {
        detail::reportError(QLatin1String(function),
                            QStringLiteral("Columns \"%1\" and \"%2\" expected in: %3").arg(idColumn, textColumn, sql));
        return std::nullopt;
    }
    return rows;
}

} // namespace

int Laduj_DB_FlatCombo(QComboBox *combo, const QString &sql, const QString &idColumn, const QString &textColumn,
                       bool addEmpty, db::Connection *connection, const QVariantMap &params)
{
    if (!combo)
        return -1;
    auto rows = load("Laduj_DB_FlatCombo", sql, idColumn, textColumn, connection, params);
    if (!rows)
        return -1;
    const QVariant previous = combo->currentData();
    const QSignalBlocker block(combo);
    combo->clear();
    if (addEmpty)
        combo->addItem(QString(), 0);
    db::Query &q = *rows->query;
    for (q.first(); !q.eof(); q.next())
        combo->addItem(q.value(rows->textIndex).toString(), q.value(rows->idIndex).toInt());
    const int again = previous.isValid() ? combo->findData(previous) : -1;
    combo->setCurrentIndex(again);
    return q.recordCount();
}

int Laduj_DB_FlatComboMiasto(QComboBox *combo, int countryId, db::Connection *connection)
{
    if (!combo)
        return -1;
    QString sql = QStringLiteral("select m.id_m, k.id_kodu, p.sam, k.kod, m.miasto from miasto m "
                                 "left join panstwo p on p.id_p = m.id_panstwa "
                                 "left join kod_pocztowy k on k.id_m = m.id_m where m.widoczne = 1");
    QVariantMap params;
    if (countryId > 0) {
        sql += QStringLiteral(" and m.id_panstwa = :id_p");
        params.insert(QStringLiteral("id_p"), countryId);
    }
    db::Connection *c = connection ? connection : GetConnection();
    if (c)
        sql += QStringLiteral(" order by ") + c->dialect().collated(QStringLiteral("m.miasto"))
            + QStringLiteral(", k.kod");
    auto rows =
        load("Laduj_DB_FlatComboMiasto", sql, QStringLiteral("id_m"), QStringLiteral("miasto"), connection, params);
    if (!rows)
        return -1;
    const QVariant previous = combo->currentData();
    const QSignalBlocker block(combo);
    combo->clear();
    db::Query &q = *rows->query;
    for (q.first(); !q.eof(); q.next()) {
        QStringList parts;
        for (const char *column : {"sam", "kod", "miasto"}) {
            const QString part = q.value(QLatin1String(column)).toString().trimmed();
            if (!part.isEmpty())
                parts << part;
        }
        combo->addItem(parts.join(QLatin1Char(' ')), q.value(0).toInt());
        combo->setItemData(combo->count() - 1, q.value(1).isNull() ? 0 : q.value(1).toInt(), Qt::UserRole + 1);
    }
    combo->setCurrentIndex(previous.isValid() ? combo->findData(previous) : -1);
    return q.recordCount();
}

int Laduj_DB_CheckListBox(QListWidget *list, const QString &sql, const QString &idColumn, const QString &textColumn,
                          db::Connection *connection, const QVariantMap &params)
{
    if (!list)
        return -1;
    auto rows = load("Laduj_DB_CheckListBox", sql, idColumn, textColumn, connection, params);
    if (!rows)
        return -1;
    const QSignalBlocker block(list);
    list->clear();
    db::Query &q = *rows->query;
    for (q.first(); !q.eof(); q.next()) {
        auto *item = new QListWidgetItem(q.value(rows->textIndex).toString(), list);
        item->setData(Qt::UserRole, q.value(rows->idIndex).toInt());
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return q.recordCount();
}

bool UstawWartoscCombo(QComboBox *combo, int id)
{
    if (!combo)
        return false;
    const int index = combo->findData(id);
    combo->setCurrentIndex(index);
    if (index < 0 && combo->isEditable())
        combo->setEditText(QString());
    return index >= 0;
}

int ZwrocWartoscCombo(const QComboBox *combo)
{
    if (!combo || combo->currentIndex() < 0)
        return 0;
    return combo->currentData().toInt();
}

void Kasuj_tekst_combo(QComboBox *combo)
{
    if (!combo)
        return;
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(QString());
}

bool CzyCanFocus(const QWidget *widget)
{
    return widget && widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus
        && widget->window()->isVisible();
}

void registerEditor(int formType, QWidget *editor)
{
    if (editor)
        g_editors.insert(formType, editor);
}

void unregisterEditor(int formType, QWidget *editor)
{
    g_editors.remove(formType, QPointer<QWidget>(editor));
}

bool isEdited(int formType)
{
    for (auto it = g_editors.constFind(formType); it != g_editors.cend() && it.key() == formType; ++it)
        if (!it.value().isNull())
            return true;
    return false;
}

void UstawKoloryFormy(QWidget *window)
{
    if (!window)
        return;
    const int bgr = var::KolorFormy.get();
    const QColor colour(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, colour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

bool checkWindowsLimits()
{
    int open = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow() && !w->inherits("QMenu") && w->windowType() != Qt::ToolTip)
            ++open;
    if (open <= g_windowLimit)
        return true;
    InfoWarning(LoadResstrings(QStringLiteral("Resstrings_IDS_Limit_okien")).arg(open));
    return false;
}

void setWindowLimit(int limit)
{
    g_windowLimit = limit;
}

int windowLimit()
{
    return g_windowLimit;
}

} // namespace host
