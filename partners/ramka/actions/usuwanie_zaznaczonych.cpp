#include "ramka/actions/usuwanie_zaznaczonych.h"

#include "ramka/actions/usuwanie_postep_form.h"

#include "connection.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "prompter.h"
#include "query.h"

#include <QPointer>

namespace ramka {

namespace {

QString tekst(const char *klucz)
{
    return host::LoadResstrings(QLatin1String(klucz));
}

} // namespace

QHash<int, QList<PlikPowiazany>> plikiPowiazane(db::Connection *polaczenie, const QString &tabelaSlownie,
                                                const QList<int> &ids)
{
    QHash<int, QList<PlikPowiazany>> wynik;
    if (tabelaSlownie.isEmpty() || ids.isEmpty())
        return wynik;
    db::Connection *c = polaczenie ? polaczenie : host::GetConnection();
    const int kod = host::KodTabeli(tabelaSlownie, c);
    if (kod <= 0 || !c)
        return wynik;
    const bool ok = host::guard([&] {
        db::Query q(c,
                    QStringLiteral("select id_dp, sciezka from dokument_plik where tabela = :tabela and id_ = :id_"
                                   " order by id_dp"));
        q.parameters().setValue(QStringLiteral("tabela"), kod);
        for (int id : ids) {
            q.parameters().setValue(QStringLiteral("id_"), id);
            q.open();
            for (q.first(); !q.eof(); q.next())
                wynik[id] << PlikPowiazany{q.value(QStringLiteral("id_dp")).toInt(),
                                           q.value(QStringLiteral("sciezka")).toString()};
            q.close();
        }
    });
    if (!ok)
        wynik.clear();
    return wynik;
}

bool zapytajOUsunieciePlikow(QWidget *owner, const QHash<int, QList<PlikPowiazany>> &pliki)
{
    QStringList sciezki;
    for (const QList<PlikPowiazany> &lista : pliki)
        for (const PlikPowiazany &plik : lista)
            sciezki << plik.sciezka;
    if (sciezki.isEmpty())
        return false;
    sciezki.sort();
    const QString pytanie = tekst("Resstrings_IDS_czyusunpliki") + QLatin1Char('\n') + sciezki.join(QLatin1Char('\n'));
    if (host::InfoBox(owner, pytanie, host::mb::YesNo | host::mb::IconQuestion) != host::mb::IdYes)
        return false;
    const QString ostrzezenie =
        tekst("Resstrings_IDS_usunxpliki") + QLatin1Char('\n') + tekst("Resstrings_IDS_CzyKontynuujesz");
    return host::InfoBox(owner, ostrzezenie, host::mb::YesNo | host::mb::IconWarning | host::mb::DefaultButton2)
        == host::mb::IdYes;
}

TUsuwanie_zaznaczonych::TUsuwanie_zaznaczonych(ParametryUsuwania parametry)
    : m_p(std::move(parametry))
{}

WynikUsuwania TUsuwanie_zaznaczonych::wykonaj(QWidget *owner, bool przezUzytkownika)
{
    m_potwierdzono = false;
    WynikUsuwania wynik;
    wynik.wszystkie = int(m_p.ids.size());
    if (m_p.ids.isEmpty())
        return wynik;

    ParametryUsuwania p = m_p;
    if (p.polaczenie.isEmpty() && host::GetConnection())
        p.polaczenie = host::GetConnection()->target();
    if (p.idU == 0)
        p.idU = host::AktIdU();
    if (p.idJezyka == 0)
        p.idJezyka = host::GetLanguage();
    if (p.katalogDokumentow.isEmpty())
        p.katalogDokumentow = host::var::SciezkaDokumenty.get();

    // The records are confirmed first; their files are a question only then.
    if (przezUzytkownika) {
        const QString pytanie = m_pytanie.isEmpty() ? tekst("Resstrings_IDS_Czy_usunac_zaznaczone_pozycje") : m_pytanie;
        if (host::InfoBox(owner, pytanie, host::mb::YesNo | host::mb::IconQuestion) != host::mb::IdYes)
            return wynik;
    }
    m_potwierdzono = true;
    const QHash<int, QList<PlikPowiazany>> pliki = plikiPowiazane(nullptr, m_tabelaSlownie, p.ids);
    if (!pliki.isEmpty() && zapytajOUsunieciePlikow(owner, pliki))
        p.plikiDoUsuniecia = pliki;

    TUsuwanie_watek watek(std::move(p));
    {
        // Whoever owns the owner may destroy the window while it runs.
        QPointer<Tusuwanie_postep_form> okno = new Tusuwanie_postep_form(&watek, owner);
        host::prompter().runModal(okno);
        delete okno.data();
    }
    watek.zatrzymajIZaczekaj();
    wynik = watek.wynik();
    wynik.przerwano = wynik.przerwano || wynik.pozostale() > 0;
    pokazWynik(owner, wynik);
    return wynik;
}

void pokazWynik(QWidget *owner, const WynikUsuwania &wynik)
{
    if (!wynik.odmowy.isEmpty())
        host::CzyMoznaUsunac(wynik.odmowy.join(QStringLiteral("\n\n")), nullptr, owner);
    QStringList bledy = wynik.bledy;
    bledy += wynik.plikiNieusuniete;
    if (!bledy.isEmpty())
        host::InfoError(tekst("Resstrings_IDS_Usuniecie_nieudane") + QLatin1Char('\n') + bledy.join(QLatin1Char('\n')),
                        owner);
}

} // namespace ramka
