#pragma once

#include "ramka/settings/ust_kolumna.h"

#include "bootstrap.h"
#include "connection.h"
#include "host_funcs.h"
#include "query.h"
#include "scratch_database.h"
#include "scripted_prompter.h"
#include "services.h"

#include <QTemporaryDir>

// A host bootstrapped on a fresh database of the test's engine, with a
// scripted prompter and a log of its own.
class RamkaHostTest : public testsupport::EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        host::setLogFilePath(m_logDir.filePath(QStringLiteral("host.log")));
        m_prompter = &host::installScriptedPrompter();
        host::BootstrapOptions options;
        options.database = scratch().target();
        host::bootstrap(options);
    }

    void TearDown() override
    {
        if (!m_prompter)
            return;
        host::shutdown();
        host::setPrompter(nullptr);
        host::setLogFilePath(QString());
    }

    db::Connection &db() { return *host::GetConnection(); }
    host::ScriptedPrompter &prompter() { return *m_prompter; }

    int userId(const QString &login)
    {
        return host::GetIntDB(QStringLiteral("select id_u from uzytkownik where login = :login"), QString(), nullptr,
                              {{QStringLiteral("login"), login}});
    }

    int count(const QString &where, const QVariantMap &params = {})
    {
        return host::GetIntDB(QStringLiteral("select count(*) from ust_form where ") + where, QString(), nullptr, params);
    }

private:
    QTemporaryDir m_logDir;
    host::ScriptedPrompter *m_prompter = nullptr;
};

// A list's design layout for the tests: the selection column and four columns.
inline TUstKolumna kolumnaTestowa(const char *pole, int szer = 100, bool widoczna = true)
{
    TUstKolumna k;
    k.pole = QString::fromLatin1(pole);
    k.napis = QStringLiteral("Resstrings_IDS_") + k.pole;
    k.szerokosc = szer;
    k.widoczna = widoczna;
    return k;
}

inline UkladKolumn projektTestowy()
{
    UkladKolumn u = {kolumnaTestowa(ramka::KolumnaZaznaczenia, 20), kolumnaTestowa("skrot"),
                     kolumnaTestowa("nazwa", 200), kolumnaTestowa("nip"), kolumnaTestowa("miasto")};
    ramka::numeruj(u);
    return u;
}

inline QStringList polaUkladu(const UkladKolumn &uklad)
{
    QStringList wynik;
    for (const TUstKolumna &k : uklad)
        wynik << k.pole;
    return wynik;
}
