#include "company/okresy/generator_okresow.h"

#include "connection.h"
#include "global_settings.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "host_syscore.h"
#include "ramka/edycja/zapis_procedury.h"
#include "siblings.h"

namespace partners {

namespace {

constexpr int NajpozniejszyDzienPoczatku = 28;

QDate pierwszyDzien(const QDate &data)
{
    return QDate(data.year(), data.month(), 1);
}

void ustawDlugoscWUstawieniachGlobalnych(int kodDlugosci)
{
    host::SiblingLibrary biblioteka(QStringLiteral("shared_store.dll"));
    if (auto *pobierz = biblioteka.resolve<shared_store::GlobalSettings *()>("_GetGlobalSettings"))
        if (shared_store::GlobalSettings *ustawienia = pobierz())
            ustawienia->okresRoz = kodDlugosci;
}

} // namespace

QList<OkresRozliczeniowy> podgladOkresow(const QDate &koniecOstatniego, const QDate &wybranaData, int dzienPoczatku,
                                         int miesiace)
{
    QList<OkresRozliczeniowy> wynik;
    if (!wybranaData.isValid())
        return wynik;
    const int d = qBound(1, dzienPoczatku, NajpozniejszyDzienPoczatku);
    const int n = qMax(1, miesiace);
    QDate poczatek = koniecOstatniego.isValid() ? koniecOstatniego.addDays(1) : pierwszyDzien(wybranaData);
    const QDate granica = pierwszyDzien(wybranaData).addMonths(1).addDays(-1);

    if (poczatek <= granica && poczatek.day() != d) {
        QDate koniec = pierwszyDzien(poczatek).addDays(d - 2);
        // Month first, then the days: for D = 1 the end is the month's last day, not a clamped one.
        if (koniec < poczatek)
            koniec = pierwszyDzien(poczatek).addMonths(1).addDays(d - 2);
        wynik << OkresRozliczeniowy{poczatek, koniec};
        poczatek = koniec.addDays(1);
    }
    while (poczatek <= granica) {
        const QDate koniec = pierwszyDzien(poczatek).addMonths(n).addDays(d - 2);
        wynik << OkresRozliczeniowy{poczatek, koniec};
        poczatek = koniec.addDays(1);
    }
    return wynik;
}

QDate koniecOstatniegoOkresu(int idFirmy)
{
    return host::GetDateTimeDB(QStringLiteral("select max(data_do) as max_data_do from okres_roz where id_f = :id"),
                               QStringLiteral("max_data_do"), nullptr, {{QStringLiteral("id"), idFirmy}})
        .date();
}

QDate poczatekPierwszegoOkresu(int idFirmy, db::Connection *polaczenie)
{
    return host::GetDateTimeDB(QStringLiteral("select min(data_od) as min_data_od from okres_roz where id_f = :id"),
                               QStringLiteral("min_data_od"), polaczenie, {{QStringLiteral("id"), idFirmy}})
        .date();
}

ParametryOkresow parametryOkresow(int kodDlugosci)
{
    ParametryOkresow wynik;
    host::SiblingLibrary biblioteka(QStringLiteral("shared_store.dll"));
    auto *pobierz = biblioteka.resolve<shared_store::GlobalSettings *()>("_GetGlobalSettings");
    const shared_store::GlobalSettings *ustawienia = pobierz ? pobierz() : nullptr;
    if (!ustawienia)
        return wynik;
    wynik.dzienPoczatku = ustawienia->dzienPoczatkuOkresu;
    for (const shared_store::DlugoscOkresu &dlugosc : ustawienia->dlugosc_okresu)
        if (dlugosc.kod == kodDlugosci)
            wynik.miesiace = dlugosc.miesiace;
    return wynik;
}

int zapiszOkresy(int idFirmy, const QList<OkresRozliczeniowy> &okresy, int kodDlugosci)
{
    db::Connection *polaczenie = host::GetConnection();
    if (!polaczenie || idFirmy <= 0)
        return -1;
    // A database failure is logged by the guard and told to the user; a refused row was told already.
    bool zapisano = false;
    if (!host::guard([&] {
            db::Transaction transakcja(*polaczenie);
            for (const OkresRozliczeniowy &okres : okresy) {
                const WynikZapisu wynik = wykonajZapis(QStringLiteral("PZapOkresRozl"),
                                                       {{QStringLiteral("@data_od"), okres.od.startOfDay()},
                                                        {QStringLiteral("@data_do"), okres.doDnia.startOfDay()},
                                                        {QStringLiteral("@id_f"), idFirmy}},
                                                       polaczenie);
                if (!wynik.wykonano)
                    return;
                if (wynik.kod != 0) {
                    zglosKodZapisu(wynik.kod);
                    return;
                }
            }
            if (kodDlugosci > 0
                && !host::ExecQuery(QStringLiteral("update firma set okres_roz = :kod where id_f = :id"), polaczenie, 0,
                                    {{QStringLiteral("kod"), kodDlugosci}, {QStringLiteral("id"), idFirmy}}))
                return;
            transakcja.commit();
            zapisano = true;
        })) {
        host::InfoError(QStringLiteral("Resstrings_IDS_Blad_zapisu"));
        return -1;
    }
    if (!zapisano)
        return -1;

    if (kodDlugosci > 0 && host::var::AktywnaFirma.get() == idFirmy
        && host::SprawdzUpr(QStringLiteral("calendars.dll")) >= 0)
        ustawDlugoscWUstawieniachGlobalnych(kodDlugosci);
    host::OdswiezFirmy_main(19, 0);
    host::OdswiezFirmy_main(0, 0);
    return int(okresy.size());
}

int generujOkresy(int idFirmy, int kodDlugosci, QDate odDnia)
{
    if (idFirmy <= 0 || !odDnia.isValid())
        return 0;
    const ParametryOkresow parametry = parametryOkresow(kodDlugosci);
    const QList<OkresRozliczeniowy> okresy =
        podgladOkresow(koniecOstatniegoOkresu(idFirmy), odDnia, parametry.dzienPoczatku, parametry.miesiace);
    return qMax(0, zapiszOkresy(idFirmy, okresy, kodDlugosci));
}

} // namespace partners
