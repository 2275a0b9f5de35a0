#include "company/skrot_firmy.h"

#include "checks.h"
#include "host_funcs.h"

namespace partners {

namespace {

constexpr QChar Ucieczka = QLatin1Char('!');

QString wzorzecPrzedrostka(const QString &przedrostek)
{
    QString wzorzec;
    wzorzec.reserve(przedrostek.size() + 4);
    for (QChar c : przedrostek) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == Ucieczka)
            wzorzec += Ucieczka;
        wzorzec += c;
    }
    return wzorzec + QLatin1Char('%');
}

// The number after "<skrot>_", or -1 when the name is not skrot with a
// numeric suffix.
int przyrostek(const QString &nazwa, const QString &skrot)
{
    if (nazwa.size() <= skrot.size() + 1 || !nazwa.startsWith(skrot, Qt::CaseInsensitive)
        || nazwa.at(skrot.size()) != QLatin1Char('_'))
        return -1;
    const QStringView cyfry = QStringView(nazwa).mid(skrot.size() + 1);
    for (QChar c : cyfry)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    bool ok = false;
    const int n = cyfry.toInt(&ok);
    return ok ? n : -1;
}

} // namespace

QString zbudujSkrot(const QString &nazwa, int limit)
{
    return host::ZbudujSkrotFirmy(nazwa.trimmed(), limit > 0 ? limit : 0);
}

QString dopiszPrzyrostekSkrotu(const QString &skrot, const QStringList &zajete)
{
    if (skrot.isEmpty())
        return skrot;
    int wierszy = 0;
    bool tylkoSkrot = false;
    int n = 2;
    for (const QString &nazwa : zajete) {
        if (nazwa.compare(skrot, Qt::CaseInsensitive) == 0) {
            ++wierszy;
            tylkoSkrot = true;
            continue;
        }
        const int numer = przyrostek(nazwa, skrot);
        if (numer < 0)
            continue;
        ++wierszy;
        tylkoSkrot = false;
        n = qMax(n, numer);
    }
    if (wierszy == 0)
        return skrot;
    if (wierszy == 1 && tylkoSkrot)
        return skrot + QStringLiteral("_2");
    return skrot + QLatin1Char('_') + QString::number(n + 1);
}

QStringList skrotyZaczynajaceSieOd(const QString &skrot, db::Connection *polaczenie)
{
    return host::GetListaStringDB(QStringLiteral("select skrot from firma where skrot like :wzorzec escape '!'"),
                                  QStringLiteral("skrot"), polaczenie,
                                  {{QStringLiteral("wzorzec"), wzorzecPrzedrostka(skrot)}});
}

QString generujSkrotFirmy(const QString &nazwa, int limit, bool unikalne, db::Connection *polaczenie)
{
    const int szerokosc = limit > 0 ? qMin(limit, SzerokoscSkrotu) : SzerokoscSkrotu;
    QString skrot = zbudujSkrot(nazwa, szerokosc);
    // A name made only of legal forms ("Sp. z o.o.") still needs a short name.
    if (skrot.isEmpty())
        skrot = host::wholeCharacters(nazwa.trimmed().left(szerokosc));
    if (skrot.isEmpty() || !unikalne)
        return skrot;
    QString wynik = dopiszPrzyrostekSkrotu(skrot, skrotyZaczynajaceSieOd(skrot, polaczenie));
    // The suffix must fit too: give up letters of the short name for it.
    while (wynik.size() > szerokosc && !skrot.isEmpty()) {
        skrot.chop(wynik.size() - szerokosc);
        skrot = host::wholeCharacters(skrot);
        wynik = dopiszPrzyrostekSkrotu(skrot, skrotyZaczynajaceSieOd(skrot, polaczenie));
    }
    return wynik;
}

} // namespace partners
