#pragma once

#include "ramka/settings/ust_kolumna.h"

#include "connection.h"
#include "host_fixture.h"
#include "host_funcs.h"
#include "query.h"

// A host bootstrapped on a fresh database of the test's engine, with the
// queries the list tests share.
class RamkaHostTest : public HostDatabaseTest
{
protected:
    db::Connection &db() { return *host::GetConnection(); }
    int userId(const QString &login)
    {
        return host::GetIntDB(QStringLiteral("select id_u from uzytkownik where login = :login"), QString(), nullptr,
                              {{QStringLiteral("login"), login}});
    }

    int count(const QString &where, const QVariantMap &params = {})
    {
        return host::GetIntDB(QStringLiteral("select count(*) from ust_form where ") + where, QString(), nullptr,
                              params);
    }
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
