#include "host_funcs.h"

#include "internal.h"
#include "prompter.h"
#include "services.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMutex>
#include <QTabWidget>
#include <QThread>
#include <QToolBox>
#include <QTreeWidget>
#include <QWidget>

namespace host {

namespace {

const QString KeyPrefix = QStringLiteral("Resstrings_IDS_");
const QString DefaultCaption = QStringLiteral("Malvo");

QMutex g_logMutex;
QString g_logPath;

// Widget and action properties that may carry a caption key.
const char *const TextProperties[] = {"text",      "title",           "windowTitle", "toolTip", "statusTip",
                                      "whatsThis", "placeholderText", "prefix",      "suffix",  "specialValueText",
                                      "iconText"};

void translateProperties(QObject *object)
{
    for (const char *name : TextProperties) {
        const QVariant value = object->property(name);
        if (value.metaType().id() != QMetaType::QString)
            continue;
        const QString text = value.toString();
        if (isTranslationKey(text))
            object->setProperty(name, LoadResstrings(text));
    }
}

void translateHeaders(QAbstractItemView *view)
{
    QAbstractItemModel *model = view->model();
    if (!model)
        return;
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        const int count = orientation == Qt::Horizontal ? model->columnCount() : model->rowCount();
        for (int i = 0; i < count; ++i) {
            const QString text = model->headerData(i, orientation, Qt::DisplayRole).toString();
            if (isTranslationKey(text))
                model->setHeaderData(i, orientation, LoadResstrings(text), Qt::DisplayRole);
        }
    }
    if (auto *tree = qobject_cast<QTreeWidget *>(view)) {
        if (QTreeWidgetItem *header = tree->headerItem())
            for (int c = 0; c < header->columnCount(); ++c)
                if (isTranslationKey(header->text(c)))
                    header->setText(c, LoadResstrings(header->text(c)));
    }
}

void translateWidget(QWidget *widget)
{
    translateProperties(widget);
    if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (isTranslationKey(tabs->tabText(i)))
                tabs->setTabText(i, LoadResstrings(tabs->tabText(i)));
            if (isTranslationKey(tabs->tabToolTip(i)))
                tabs->setTabToolTip(i, LoadResstrings(tabs->tabToolTip(i)));
        }
    } else if (auto *box = qobject_cast<QToolBox *>(widget)) {
        for (int i = 0; i < box->count(); ++i)
            if (isTranslationKey(box->itemText(i)))
                box->setItemText(i, LoadResstrings(box->itemText(i)));
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        for (int i = 0; i < combo->count(); ++i)
            if (isTranslationKey(combo->itemText(i)))
                combo->setItemText(i, LoadResstrings(combo->itemText(i)));
    } else if (auto *menu = qobject_cast<QMenu *>(widget)) {
        translateProperties(menu->menuAction());
    } else if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
        translateHeaders(view);
    }
    for (QAction *action : widget->actions())
        translateProperties(action);
}

QString resolve(const QString &text)
{
    return isTranslationKey(text) ? LoadResstrings(text) : text;
}

} // namespace

namespace detail {

void reportError(const QString &function, const QString &message, QWidget *owner)
{
    save_log_to_file(QStringLiteral("platform/host"), function, 0, message);
    const QString shown =
        LoadResstrings(QStringLiteral("Resstrings_IDS_Blad_bazy_danych")) + QStringLiteral(":\n") + message;
    QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        // A worker (bulk deletion) must not open a window nor wait for one.
        QMetaObject::invokeMethod(
            app, [shown] { prompter().messageBox(nullptr, shown, mb::IconError, QStringLiteral("Malvo - ERROR")); },
            Qt::QueuedConnection);
        return;
    }
    prompter().messageBox(owner, shown, mb::IconError, QStringLiteral("Malvo - ERROR"));
}

} // namespace detail

bool isTranslationKey(const QString &text)
{
    return text.size() > KeyPrefix.size() && text.startsWith(KeyPrefix) && !text.contains(QLatin1Char(' '));
}

QString LoadResstrings(const QString &key)
{
    return LoadResstrings(key, nullptr);
}

QString LoadResstrings(const QString &key, bool *exists)
{
    const QString text = services().translation(key);
    if (exists)
        *exists = !text.isNull();
    return text.isNull() ? key : text;
}

void InitializeLanguage(const QString &, QWidget *window)
{
    if (!window)
        return;
    translateWidget(window);
    for (QWidget *child : window->findChildren<QWidget *>())
        translateWidget(child);
    // Actions owned by the window but not added to a widget.
    for (QAction *action : window->findChildren<QAction *>())
        translateProperties(action);
}

int InfoBox(QWidget *owner, const QString &text, int flags, const QString &caption)
{
    return prompter().messageBox(owner, resolve(text), flags, caption.isEmpty() ? DefaultCaption : resolve(caption));
}

int InfoBox(const QString &text, int flags, QWidget *owner)
{
    return InfoBox(owner, text, flags);
}

void InfoI(const QString &text, QWidget *owner)
{
    InfoBox(owner, text, mb::IconInformation);
}

void InfoWarning(const QString &text, QWidget *owner)
{
    InfoBox(owner, text, mb::IconWarning);
}

void InfoBoxTop(const QString &text, QWidget *owner)
{
    InfoBox(owner, text, mb::IconInformation | mb::TopMost);
}

void InfoError(const QString &text, QWidget *owner)
{
    InfoBox(owner, text, mb::IconError, QStringLiteral("Malvo - ERROR"));
}

void ShowMessage(const QString &text)
{
    InfoBox(nullptr, text, mb::Ok);
}

QString saveErrorText(int code)
{
    // The code stays readable even where the message has no translation.
    return LoadResstrings(QStringLiteral("Resstrings_IDS_Blad_zapisu")) + QStringLiteral(" [%1]").arg(code);
}

void KomunikatZapisuBlad(int code, QWidget *owner)
{
    save_log_to_file(QStringLiteral("platform/host"), QStringLiteral("KomunikatZapisuBlad"), 0,
                     QStringLiteral("save failed with code %1").arg(code));
    InfoBox(owner, saveErrorText(code), mb::IconError, QStringLiteral("Malvo - ERROR"));
}

void setLogFilePath(const QString &path)
{
    QMutexLocker lock(&g_logMutex);
    g_logPath = path;
}

QString logFilePath()
{
    {
        QMutexLocker lock(&g_logMutex);
        if (!g_logPath.isEmpty())
            return g_logPath;
    }
    const QString overridden = qEnvironmentVariable("MALVO_LOG");
    if (!overridden.isEmpty())
        return overridden;
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("malvo/malvo.log"));
}

void save_log_to_file(const QString &file, const QString &function, int line, const QString &text)
{
    const QString path = logFilePath();
    const QString entry =
        QStringLiteral("%1 %2:%3 %4: %5\n")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), file, QString::number(line), function,
                 QString(text).replace(QLatin1Char('\n'), QLatin1String(" | ")));
    QMutexLocker lock(&g_logMutex);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return; // a log that cannot be written must not break the caller
    out.write(entry.toUtf8());
}

} // namespace host
