// The shared store's entry point: the global settings object of the process.
#include "global_settings.h"

#include "connection.h"
#include "db_error.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "query.h"
#include "sibling_entry.h"

namespace {

const QString Zrodlo = QStringLiteral("shared_store");
constexpr int NajpozniejszyDzienPoczatku = 28; // a later day would not exist in February

QString nazwaDlugosci(int miesiace)
{
    if (host::GetKeyLang() == QLatin1String("en"))
        return miesiace == 1 ? QStringLiteral("1 month") : QStringLiteral("%1 months").arg(miesiace);
    if (miesiace == 1)
        return QStringLiteral("1 miesiąc");
    const int jednosci = miesiace % 10;
    const int dziesiatki = miesiace % 100 / 10;
    const bool mnogaNaA = jednosci >= 2 && jednosci <= 4 && dziesiatki != 1;
    return QStringLiteral("%1 %2").arg(miesiace).arg(mnogaNaA ? QStringLiteral("miesiące")
                                                              : QStringLiteral("miesięcy"));
}

QList<shared_store::DlugoscOkresu> domyslneDlugosci()
{
    QList<shared_store::DlugoscOkresu> wynik;
    int kod = 0;
    for (int miesiace : {1, 2, 3, 4, 6, 12})
        wynik << shared_store::DlugoscOkresu{++kod, nazwaDlugosci(miesiace), miesiace};
    return wynik;
}

// "code:months[:name];..."; empty when any entry is malformed.
QList<shared_store::DlugoscOkresu> parsujDlugosci(const QString &tekst)
{
    QList<shared_store::DlugoscOkresu> wynik;
    for (const QString &wpis : tekst.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList czesci = wpis.split(QLatin1Char(':'));
        bool kodOk = false;
        bool miesiaceOk = false;
        const int kod = czesci.value(0).trimmed().toInt(&kodOk);
        const int miesiace = czesci.value(1).trimmed().toInt(&miesiaceOk);
        if (czesci.size() < 2 || czesci.size() > 3 || !kodOk || !miesiaceOk || kod <= 0 || miesiace <= 0)
            return {};
        for (const auto &d : std::as_const(wynik))
            if (d.kod == kod)
                return {};
        const QString nazwa = czesci.value(2).trimmed();
        wynik << shared_store::DlugoscOkresu{kod, nazwa.isEmpty() ? nazwaDlugosci(miesiace) : nazwa, miesiace};
    }
    return wynik;
}

void wczytaj(db::Connection &polaczenie, shared_store::GlobalSettings &ustawienia)
{
    ustawienia = shared_store::GlobalSettings();
    ustawienia.dlugosc_okresu = domyslneDlugosci();

    db::Query q(&polaczenie,
                QStringLiteral("select co, wartosc from ustawienia where kod = 'ALL' and id_f is null"
                               " and id_u is null and co in ('dzien_poczatku_okresu', 'dlugosc_okresu')"
                               " order by id_ust"));
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        const QString co = q.value(QStringLiteral("co")).toString();
        const QString wartosc = q.value(QStringLiteral("wartosc")).toString();
        if (co.compare(QLatin1String("dzien_poczatku_okresu"), Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const int dzien = wartosc.trimmed().toInt(&ok);
            if (ok && dzien >= 1 && dzien <= NajpozniejszyDzienPoczatku)
                ustawienia.dzienPoczatkuOkresu = dzien;
            else
                host::save_log_to_file(Zrodlo, QStringLiteral("_GetGlobalSettings"), __LINE__,
                                       QStringLiteral("dzien_poczatku_okresu ignored: ") + wartosc);
        } else {
            const auto dlugosci = parsujDlugosci(wartosc);
            if (!dlugosci.isEmpty())
                ustawienia.dlugosc_okresu = dlugosci;
            else
                host::save_log_to_file(Zrodlo, QStringLiteral("_GetGlobalSettings"), __LINE__,
                                       QStringLiteral("dlugosc_okresu ignored: ") + wartosc);
        }
    }
}

} // namespace

SIBLING_ENTRY shared_store::GlobalSettings *_GetGlobalSettings()
{
    static shared_store::GlobalSettings ustawienia = [] {
        shared_store::GlobalSettings u;
        u.dlugosc_okresu = domyslneDlugosci();
        return u;
    }();
    static QString wczytanoZ; // target of the database the object was read from
    return host::guard(&ustawienia, [&] {
        db::Connection *polaczenie = host::GetConnection();
        if (polaczenie && polaczenie->target() != wczytanoZ) {
            wczytanoZ = polaczenie->target();
            wczytaj(*polaczenie, ustawienia);
        }
        return &ustawienia;
    });
}
