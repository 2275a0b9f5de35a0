#pragma once

#include "host_export.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

namespace db {
class Connection;
}

namespace host {

struct UserInfo
{
    int id = 0; // uzytkownik.id_u
    QString login;
    QString displayName; // "Nazwisko Imię (login)"
    bool administrator = false;
};

struct LanguageInfo
{
    int id = 0;   // jezyk.id_jezyka
    QString code; // "pl", "en"
};

// The state the host keeps for its lifetime and lends to the module and the
// siblings. One instance per process, inside the shared library, so the host
// executable, the module and the siblings all see the same.
class MALVO_HOST_EXPORT Services
{
public:
    static Services &instance();

    db::Connection *connection() const;
    // The host owns this connection from now on.
    void setConnection(std::unique_ptr<db::Connection> connection);
    // A connection owned elsewhere (a test's scratch database); must outlive its use.
    void useConnection(db::Connection *connection);

    const UserInfo &user() const { return m_user; }
    void setUser(const UserInfo &user) { m_user = user; }

    const LanguageInfo &language() const { return m_language; }
    // Sets the language and reloads its translations from the connection.
    void setLanguage(const LanguageInfo &language);
    void reloadTranslations();
    // Translation of a key; null QString when the key is unknown.
    QString translation(const QString &key) const;
    // Adds or replaces one translation in memory (tests, late additions).
    void setTranslation(const QString &key, const QString &text);
    int translationCount() const { return int(m_translations.size()); }

    bool restrictedVersion = false; // CzyWersjaOgraniczona
    bool simplifiedVersion = false; // CzyWersjaUproszczona
    bool fixedPalette = false;      // PaletaStala
    QString cdnXlConnectionString;  // ConnectionStringCDNXL
    QString hostCountryCode = QStringLiteral("PL");

    // Display formats (Qt's format strings) the host publishes; unless set,
    // the chosen language's short formats with a four-digit year.
    QString dateFormat() const;
    QString dateTimeFormat() const;
    void setDateFormats(const QString &date, const QString &dateTime);

    QWidget *mainWindow() const { return m_mainWindow; }
    void setMainWindow(QWidget *window) { m_mainWindow = window; }

    // Closes an owned connection and returns every value to its default.
    void reset();

    static QString normalizedKey(const QString &key);

private:
    Services() = default;

    std::unique_ptr<db::Connection> m_ownedConnection;
    db::Connection *m_connection = nullptr;
    UserInfo m_user;
    LanguageInfo m_language;
    QHash<QString, QString> m_translations;
    QString m_dateFormat;
    QString m_dateTimeFormat;
    QPointer<QWidget> m_mainWindow;
};

inline Services &services()
{
    return Services::instance();
}

} // namespace host
