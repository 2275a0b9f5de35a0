#include "ramka/export/print_list.h"

#include "report_viewer_api.h"

#include "connection.h"
#include "db_error.h"
#include "host_funcs.h"
#include "query.h"
#include "siblings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ramka {

namespace {

const QString SelectKolumn = QStringLiteral(
    "SELECT nazwa, napis FROM ust_form WHERE nazwa <> 'check' AND typ = 'columns' AND formularz = :formularz"
    " AND id_u = :id_u ORDER BY kolejnosc");

void logujBlad(int linia, const QString &tekst)
{
    host::save_log_to_file(QStringLiteral("ramka\\ramka_lista_fr"), QStringLiteral("Tramka_lista_frame::DrukujListe"),
                           linia, QStringLiteral("CATCH ") + tekst);
}

int indeksPola(const std::vector<KolumnaWydruku> &kolumny, const QString &pole)
{
    for (int i = 0; i < int(kolumny.size()); ++i)
        if (kolumny[i].pole.compare(pole, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

UstawieniaWydruku::UstawieniaWydruku(QString formularz, int idU, db::Connection *connection)
    : m_formularz(std::move(formularz)),
      m_idU(idU),
      m_connection(connection)
{}

db::Connection *UstawieniaWydruku::polaczenie() const
{
    return m_connection ? m_connection : host::GetConnection();
}

std::vector<KolumnaWydruku> UstawieniaWydruku::wczytaj(const std::vector<KolumnaWydruku> &kolumnySiatki) const
{
    std::vector<KolumnaWydruku> siatka = kolumnySiatki;
    for (KolumnaWydruku &k : siatka)
        k.szerokosc = std::max(0, k.szerokosc);
    db::Connection *connection = polaczenie();
    if (!connection)
        return siatka;

    std::vector<KolumnaWydruku> wynik;
    try {
        db::Query q(connection, SelectKolumn);
        q.parameters().setValue(QStringLiteral("formularz"), m_formularz);
        q.parameters().setValue(QStringLiteral("id_u"), m_idU);
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            const int i = indeksPola(siatka, q.value(QStringLiteral("nazwa")).toString());
            if (i < 0 || indeksPola(wynik, siatka[i].pole) >= 0)
                continue;
            KolumnaWydruku k = siatka[i];
            k.szerokosc = std::max(0, q.value(QStringLiteral("napis")).toString().toInt());
            k.drukuj = true;
            wynik.push_back(k);
        }
    } catch (const db::DbError &e) {
        logujBlad(__LINE__, e.message());
        return siatka;
    }
    if (wynik.empty())
        return siatka;
    for (const KolumnaWydruku &k : siatka) {
        if (indeksPola(wynik, k.pole) < 0) {
            KolumnaWydruku reszta = k;
            reszta.drukuj = false;
            wynik.push_back(reszta);
        }
    }
    return wynik;
}

bool UstawieniaWydruku::zapamietaj(const std::vector<KolumnaWydruku> &kolumny) const
{
    db::Connection *connection = polaczenie();
    if (!connection)
        return false;
    try {
        db::Transaction transakcja(*connection);
        const QVariantMap klucz = {{QStringLiteral("formularz"), m_formularz}, {QStringLiteral("id_u"), m_idU}};
        auto zwiaz = [&klucz](db::Query &q) {
            for (auto it = klucz.cbegin(); it != klucz.cend(); ++it)
                q.parameters().setValue(it.key(), it.value());
        };
        db::Query znacznik(connection,
                           QStringLiteral("SELECT nazwa FROM ust_form WHERE nazwa = 'check' AND typ = 'columns'"
                                          " AND formularz = :formularz AND id_u = :id_u"));
        zwiaz(znacznik);
        znacznik.open();
        if (znacznik.isEmpty()) {
            db::Query wstaw(connection,
                            QStringLiteral("INSERT INTO ust_form (nazwa, typ, formularz, id_u)"
                                           " VALUES ('check', 'columns', :formularz, :id_u)"));
            zwiaz(wstaw);
            wstaw.exec();
        }
        db::Query usun(connection,
                       QStringLiteral("DELETE FROM ust_form WHERE nazwa <> 'check' AND typ = 'columns'"
                                      " AND formularz = :formularz AND id_u = :id_u"));
        zwiaz(usun);
        usun.exec();
        int pozycja = 0;
        for (const KolumnaWydruku &k : kolumny) {
            if (!k.drukuj)
                continue;
            db::Query wstaw(connection,
                            QStringLiteral("INSERT INTO ust_form (nazwa, napis, typ, formularz, kolejnosc, id_u)"
                                           " VALUES (:nazwa, :napis, 'columns', :formularz, :kolejnosc, :id_u)"));
            zwiaz(wstaw);
            wstaw.parameters().setValue(QStringLiteral("nazwa"), k.pole);
            // napis is a text column that holds the width.
            wstaw.parameters().setValue(QStringLiteral("napis"), QString::number(std::max(0, k.szerokosc)));
            wstaw.parameters().setValue(QStringLiteral("kolejnosc"), pozycja++);
            wstaw.exec();
        }
        transakcja.commit();
    } catch (const db::DbError &e) {
        logujBlad(__LINE__, e.message());
        return false;
    }
    return true;
}

bool UstawieniaWydruku::zapomnij() const
{
    db::Connection *connection = polaczenie();
    if (!connection)
        return false;
    try {
        db::Query usun(connection,
                       QStringLiteral("DELETE FROM ust_form WHERE typ = 'columns' AND formularz = :formularz"
                                      " AND id_u = :id_u"));
        usun.parameters().setValue(QStringLiteral("formularz"), m_formularz);
        usun.parameters().setValue(QStringLiteral("id_u"), m_idU);
        usun.exec();
    } catch (const db::DbError &e) {
        logujBlad(__LINE__, e.message());
        return false;
    }
    return true;
}

std::vector<KolumnaEksportu> kolumnyDoDruku(const std::vector<KolumnaWydruku> &kolumny)
{
    std::vector<KolumnaEksportu> wynik;
    for (const KolumnaWydruku &k : kolumny)
        if (k.drukuj)
            wynik.push_back({k.pole, k.tytul, k.szerokosc});
    return wynik;
}

QString sciezkaXmlWydruku(const QString &katalogHosta)
{
    return QDir(katalogHosta.isEmpty() ? host::siblingDirectory() : katalogHosta)
        .filePath(QStringLiteral("data/Reports/SYS_R.xml"));
}

QString sciezkaRaportuWydruku(const QString &katalogHosta)
{
    return QDir(katalogHosta.isEmpty() ? host::siblingDirectory() : katalogHosta)
        .filePath(QStringLiteral("data/Reports/SYS_R.rpt"));
}

bool zapiszXmlWydrukuDoPliku(const QString &sciezka, const TabelaEksportu &tabela, QString *blad)
{
    QDir().mkpath(QFileInfo(sciezka).absolutePath());
    QSaveFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly)) {
        if (blad)
            *blad = plik.errorString();
        return false;
    }
    zapiszXmlWydruku(plik, tabela);
    if (!plik.commit()) {
        if (blad)
            *blad = plik.errorString();
        return false;
    }
    return true;
}

QList<QPair<QString, QString>> parametryRaportu(const ParametryWydruku &p)
{
    const QString format = QStringLiteral("dd-MM-yyyy");
    const QDate data = p.dataWydruku.isValid() ? p.dataWydruku : QDate::currentDate();
    QString okres;
    if (p.okresOd.isValid() || p.okresDo.isValid()) {
        if (p.okresOd.isValid())
            okres = host::LoadResstrings(QStringLiteral("Resstrings_IDS_data_od")) + QStringLiteral(": ")
                + p.okresOd.toString(format);
        if (p.okresDo.isValid())
            okres += (okres.isEmpty() ? QString() : QStringLiteral("  "))
                + host::LoadResstrings(QStringLiteral("Resstrings_IDS_data_do")) + QStringLiteral(": ")
                + p.okresDo.toString(format);
    }
    const QString tytulWydruku = host::LoadResstrings(QStringLiteral("Resstrings_IDS_DrukujTrAll"));
    const QString plik = p.nazwaPliku.isEmpty()
        ? QString(p.tytul.isEmpty() ? tytulWydruku : p.tytul).replace(QLatin1Char('/'), QLatin1Char(' '))
        : p.nazwaPliku;
    const QString podpis = p.podpisOkna.isEmpty()
        ? (p.tytul.isEmpty() ? tytulWydruku : tytulWydruku + QStringLiteral(" - ") + p.tytul)
        : p.podpisOkna;
    return {
        {QStringLiteral("@nazwa_programu"), p.nazwaProgramu},
        {QStringLiteral("@data_rap"), data.toString(format)},
        {QStringLiteral("@tytul"), p.tytul.isEmpty() ? tytulWydruku : p.tytul},
        {QStringLiteral("@uzytk_rap"), p.uzytkownik.isEmpty() ? host::AktNazwiskoImieLoginU() : p.uzytkownik},
        {QStringLiteral("@nazwa_pliku"), plik},
        {QStringLiteral("@nazwa_pliku2"), okres},
        {QStringLiteral("@chrome_tabs_caption"), podpis},
    };
}

WynikWydruku DrukujListe(const TabelaEksportu &tabela, const ParametryWydruku &parametry, const QString &katalogHosta)
{
    QString blad;
    if (!zapiszXmlWydrukuDoPliku(sciezkaXmlWydruku(katalogHosta), tabela, &blad)) {
        logujBlad(__LINE__, blad);
        return WynikWydruku::Blad;
    }
    const QList<QPair<QString, QString>> pary = parametryRaportu(parametry);
    // The texts must outlive the call.
    std::vector<std::u16string> teksty;
    for (const auto &para : pary) {
        teksty.push_back(para.first.toStdU16String());
        teksty.push_back(para.second.toStdU16String());
    }
    std::vector<MalvoReportParam> tablica;
    for (size_t i = 0; i + 1 < teksty.size(); i += 2)
        tablica.push_back({teksty[i].c_str(), teksty[i + 1].c_str()});
    const std::u16string raport = sciezkaRaportuWydruku(katalogHosta).toStdU16String();
    const std::u16string podpis = pary.last().second.toStdU16String();
    const auto wynik = host::callSibling<int(const char16_t *, const MalvoReportParam *, int, const char16_t *)>(
        QStringLiteral("report_viewer.dll"), "_run_crystal_ext", raport.c_str(), tablica.data(), int(tablica.size()),
        podpis.c_str());
    if (!wynik)
        return WynikWydruku::BrakPodgladu;
    if (*wynik != MalvoReportShown) {
        logujBlad(__LINE__, QStringLiteral("_run_crystal_ext: %1").arg(*wynik));
        return WynikWydruku::Blad;
    }
    return WynikWydruku::Pokazano;
}

} // namespace ramka
