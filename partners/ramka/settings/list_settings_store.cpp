#include "ramka/settings/list_settings_store.h"

#include "connection.h"
#include "db_error.h"
#include "host_funcs.h"
#include "query.h"
#include "stored_proc.h"

#include <memory>

namespace ramka {

namespace {

const QString TypKolumna = QStringLiteral("TColumn");
const QString TypSortowanie = QStringLiteral("TFilterCollector");
const QString TypOkres = QStringLiteral("TDateTimePicker");
const QString NazwaSortowanie = QStringLiteral("filtr_sortowania");
const QString NazwaOkres = QStringLiteral("okres");
const QString KodFlagi = QStringLiteral("ramka_lista_fr");

QVariant dataLubNull(const QDateTime &value)
{
    return value.isValid() ? QVariant(value) : QVariant();
}

bool rowne(const QVariant &value, const QString &text)
{
    return value.toString().compare(text, Qt::CaseInsensitive) == 0;
}

void logujBlad(const char *metoda, int linia, const QString &tekst)
{
    host::save_log_to_file(QStringLiteral("ramka\\ramka_lista_fr"), QString::fromLatin1(metoda), linia,
                           QStringLiteral("CATCH ") + tekst);
}

} // namespace

UstawieniaListy::UstawieniaListy(KluczUstawien klucz, db::Connection *connection)
    : m_klucz(std::move(klucz)),
      m_connection(connection)
{}

db::Connection *UstawieniaListy::polaczenie() const
{
    return m_connection ? m_connection : host::GetConnection();
}

void UstawieniaListy::ustawDomyslnyUklad(const UkladKolumn &uklad)
{
    m_domyslny = uklad;
    numeruj(m_domyslny);
    m_migawka = m_domyslny;
}

WynikUstawien UstawieniaListy::odczytaj(OdczytaneUstawienia &wynik)
{
    wynik = OdczytaneUstawienia();
    wynik.kolumny = m_domyslny;
    if (!czyZapisywac())
        return {};
    db::Connection *connection = polaczenie();
    if (!connection || m_klucz.idU <= 0)
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Brak_danych"));

    std::vector<ZapisanaKolumna> kolumny;
    try {
        db::StoredProc proc(connection, QStringLiteral("pob_ust2"));
        proc.refreshParameters();
        proc.setValue(QStringLiteral("@form"), m_klucz.formularz);
        proc.setValue(QStringLiteral("@kod_dll"), m_klucz.kodDll);
        proc.setValue(QStringLiteral("@id_u"), m_klucz.idU);
        if (proc.execProc() != 0)
            return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Nie_udalo_sie_wczytac_ustawien_menu"));

        // pob_ust2 only counts the rows; they are read here with the same three keys.
        db::Query rekordy(connection,
                          QStringLiteral("select * from ust_form where formularz = :form and kod_dll = :kod_dll"
                                         " and id_u = :id_u order by typ, menu, kolejnosc"));
        rekordy.parameters().setValue(QStringLiteral("form"), m_klucz.formularz);
        rekordy.parameters().setValue(QStringLiteral("kod_dll"), m_klucz.kodDll);
        rekordy.parameters().setValue(QStringLiteral("id_u"), m_klucz.idU);
        rekordy.open();
        for (rekordy.first(); !rekordy.eof(); rekordy.next()) {
            const QVariant typ = rekordy.value(QStringLiteral("typ"));
            const QVariant nazwa = rekordy.value(QStringLiteral("nazwa"));
            const bool tejRamki = rowne(rekordy.value(QStringLiteral("menu")), m_klucz.menu);
            if (rowne(typ, TypOkres) && rowne(nazwa, NazwaOkres)) {
                if (wynik.okres)
                    continue;
                UstawienieOkresu okres;
                okres.kodOkresu = rekordy.value(QStringLiteral("kolejnosc")).toInt();
                okres.napis = rekordy.value(QStringLiteral("napis")).toString();
                okres.dataOd = rekordy.value(QStringLiteral("data_od")).toDateTime();
                okres.dataDo = rekordy.value(QStringLiteral("data_do")).toDateTime();
                wynik.okres = okres;
            } else if (rowne(typ, TypKolumna) && tejRamki) {
                ZapisanaKolumna k;
                k.pole = nazwa.toString();
                k.napis = rekordy.value(QStringLiteral("napis")).toString();
                k.szerokosc = rekordy.value(QStringLiteral("szerokosc")).toInt();
                k.widoczna = rekordy.value(QStringLiteral("czy_widoczny")).toInt() != 0;
                k.wyrownanie = rekordy.value(QStringLiteral("wyrownanie")).toInt();
                kolumny.push_back(k);
            } else if (rowne(typ, TypSortowanie) && rowne(nazwa, NazwaSortowanie) && tejRamki) {
                wynik.sortowanie = rekordy.value(QStringLiteral("filtr")).toString();
            }
        }
    } catch (const db::DbError &e) {
        logujBlad("Tramka_lista_frame::OdczytUstawienListyPoczatek", __LINE__, e.message());
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Nie_udalo_sie_wczytac_ustawien_menu"));
    }

    wynik.kolumny = zastosujZapisane(m_domyslny, kolumny);
    wynik.zapisanyUklad = !kolumny.empty();
    m_migawka = wynik.kolumny;
    return {};
}

WynikUstawien UstawieniaListy::zapisz(const StanListy &stan, bool tylkoFiltry)
{
    if (!czyZapisywac())
        return {};
    db::Connection *connection = polaczenie();
    if (!connection || m_klucz.idU <= 0)
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Brak_danych"));

    std::unique_ptr<db::StoredProc> proc;
    try {
        proc = std::make_unique<db::StoredProc>(connection, QStringLiteral("zap_ust"));
        proc->refreshParameters();
    } catch (const db::DbError &e) {
        logujBlad("Tramka_lista_frame::ZapisUstawienListy", __LINE__, e.message());
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Nie_zapisano"));
    }

    // Every execution sets every value: the procedure keeps no state between records.
    auto wykonaj = [&](const QString &typ, const QString &nazwa, const QVariant &menu, const QVariant &kolejnosc,
                       const QVariant &napis, const QVariant &widoczny, const QVariant &wyrownanie,
                       const QVariant &szerokosc, const QVariant &filtr, const QVariant &od, const QVariant &do_) {
        proc->setValue(QStringLiteral("@form"), m_klucz.formularz);
        proc->setValue(QStringLiteral("@id_u"), m_klucz.idU);
        proc->setValue(QStringLiteral("@kod_dll"), m_klucz.kodDll);
        proc->setValue(QStringLiteral("@menu"), menu);
        proc->setValue(QStringLiteral("@typ"), typ);
        proc->setValue(QStringLiteral("@nazwa"), nazwa);
        proc->setValue(QStringLiteral("@kolejnosc"), kolejnosc);
        proc->setValue(QStringLiteral("@napis"), napis);
        proc->setValue(QStringLiteral("@czy_widoczny"), widoczny);
        proc->setValue(QStringLiteral("@wyrownanie"), wyrownanie);
        proc->setValue(QStringLiteral("@szer"), szerokosc);
        proc->setValue(QStringLiteral("@filtr"), filtr);
        proc->setValue(QStringLiteral("@data_od"), od);
        proc->setValue(QStringLiteral("@data_do"), do_);
        const int rc = proc->execProc();
        if (rc != 0)
            throw db::DbError(QStringLiteral("zap_ust: %1").arg(rc));
    };

    WynikUstawien wynik;
    try {
        db::Transaction transakcja(*connection);
        const QVariant menu = db::nullIfEmpty(m_klucz.menu);
        if (!tylkoFiltry && !stan.sortowanie.isEmpty())
            wykonaj(TypSortowanie, NazwaSortowanie, menu, 0, QVariant(), QVariant(), QVariant(), QVariant(),
                    stan.sortowanie, QVariant(), QVariant());
        if (stan.okres) {
            const UstawienieOkresu &o = *stan.okres;
            const bool zakresUzytkownika = o.kodOkresu < 1;
            // The date record belongs to the window: read without the frame name.
            wykonaj(TypOkres, NazwaOkres, QVariant(), o.kodOkresu, db::nullIfEmpty(o.napis), QVariant(), QVariant(),
                    QVariant(), QVariant(), zakresUzytkownika ? dataLubNull(o.dataOd) : QVariant(),
                    zakresUzytkownika ? dataLubNull(o.dataDo) : QVariant());
        }
        if (!tylkoFiltry && czyUkladZmieniony(m_migawka, stan.kolumny)) {
            for (int i = 0; i < int(stan.kolumny.size()); ++i) {
                const TUstKolumna &k = stan.kolumny[i];
                if (czyKolumnaZaznaczenia(k))
                    continue;
                wykonaj(TypKolumna, k.pole, menu, i, k.napis, k.widoczna ? 1 : 0, k.wyrownanie, k.szerokosc, QVariant(),
                        QVariant(), QVariant());
                ++wynik.zapisaneKolumny;
            }
        }
        transakcja.commit();
    } catch (const db::DbError &e) {
        logujBlad("Tramka_lista_frame::ZapisUstawienListy", __LINE__, e.message());
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Nie_zapisano"));
    }
    if (!tylkoFiltry)
        m_migawka = stan.kolumny;
    return wynik;
}

WynikUstawien UstawieniaListy::resetuj(const UkladKolumn &biezacy, bool tylkoOdczyt, UkladKolumn &przywrocony)
{
    przywrocony = ukladPoResecie(m_domyslny, biezacy, tylkoOdczyt);
    m_migawka = przywrocony;
    if (!czyZapisywac())
        return {};
    db::Connection *connection = polaczenie();
    if (!connection || m_klucz.idU <= 0)
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Brak_danych"));
    try {
        db::Query usun(
            connection,
            QStringLiteral("delete from ust_form where id_u = :id_u AND typ in ('TColumn', 'TFilterCollector')"
                           " AND formularz = :formularz AND kod_dll = :kod_dll and menu = :menu"));
        usun.parameters().setValue(QStringLiteral("id_u"), m_klucz.idU);
        usun.parameters().setValue(QStringLiteral("formularz"), m_klucz.formularz);
        usun.parameters().setValue(QStringLiteral("kod_dll"), m_klucz.kodDll);
        usun.parameters().setValue(QStringLiteral("menu"), m_klucz.menu);
        usun.exec();
    } catch (const db::DbError &e) {
        logujBlad("Tramka_lista_frame::ResetUstawienListy", __LINE__, e.message());
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Blad_programu"));
    }
    return {};
}

QString UstawieniaListy::kluczDopasowania() const
{
    return QStringLiteral("szerokosci|%1|%2|%3").arg(m_klucz.kodDll, m_klucz.formularz, m_klucz.menu);
}

bool UstawieniaListy::czySzerokosciDopasowane() const
{
    db::Connection *connection = polaczenie();
    if (!connection || m_klucz.idU <= 0)
        return true;
    try {
        db::Query q(connection,
                    QStringLiteral("select wartosc from ustawienia where co = :co and kod = :kod and id_u = :id_u"));
        q.parameters().setValue(QStringLiteral("co"), kluczDopasowania());
        q.parameters().setValue(QStringLiteral("kod"), KodFlagi);
        q.parameters().setValue(QStringLiteral("id_u"), m_klucz.idU);
        q.open();
        return !q.isEmpty() && q.value(0).toString() == QLatin1String("1");
    } catch (const db::DbError &e) {
        logujBlad("Tramka_lista_frame::PierwszeOtwarcie", __LINE__, e.message());
        return true; // never fit on every open because the flag cannot be read
    }
}

WynikUstawien UstawieniaListy::oznaczSzerokosciDopasowane()
{
    db::Connection *connection = polaczenie();
    if (!connection || m_klucz.idU <= 0)
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Brak_danych"));
    try {
        db::Query q(connection,
                    QStringLiteral("insert into ustawienia (co, wartosc, kod, id_u, id_f)"
                                   " values (:co, '1', :kod, :id_u, NULL)"));
        q.parameters().setValue(QStringLiteral("co"), kluczDopasowania());
        q.parameters().setValue(QStringLiteral("kod"), KodFlagi);
        q.parameters().setValue(QStringLiteral("id_u"), m_klucz.idU);
        q.exec();
    } catch (const db::DbError &e) {
        logujBlad("Tramka_lista_frame::PierwszeOtwarcie", __LINE__, e.message());
        return WynikUstawien::blad(QStringLiteral("Resstrings_IDS_Nie_zapisano"));
    }
    return {};
}

} // namespace ramka
