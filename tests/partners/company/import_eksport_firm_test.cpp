#include "firma_fixture.h"

#include "company/import_eksport/export_firm_form.h"
#include "company/import_eksport/import_firm_form.h"
#include "company/import_eksport/pomin_nadpisz_form.h"
#include "ramka/import_eksport/import_eksport.h"

#include "dataset.h"
#include "demo.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDomDocument>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

class ImportEksportFirm : public firmatest::FirmaTest
{
protected:
    // What the import/export job does with the forms.
    static QDomDocument eksport(const QList<int> &ids)
    {
        Texport_firm_form forma(ids);
        QDomDocument dokument;
        QDomElement root = dokument.createElement(u"root"_s);
        dokument.appendChild(root);
        db::DataSet *lista = forma.Lista();
        for (lista->first(); !lista->eof(); lista->next()) {
            const int id = lista->value(u"id"_s).toInt();
            QDomElement firma = forma.WriteRecord(root, id);
            forma.WriteSubRecords(firma, id);
        }
        return dokument;
    }
    static QList<bool> importuj(Timport_firm_form &forma, const QDomDocument &plik)
    {
        QList<bool> wyniki;
        for (QDomElement e = plik.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            wyniki << forma.ImportRecord(e);
        return wyniki;
    }
    static QDomDocument plik(const QString &firmy)
    {
        QDomDocument d;
        d.setContent(u"<root>"_s + firmy + u"</root>"_s);
        return d;
    }
    static firmatest::Answer kliknij(const char *przycisk)
    {
        return firmatest::Answer::dialog(
            [przycisk](QDialog &d) { d.findChild<QPushButton *>(QLatin1String(przycisk))->click(); });
    }
    // Each company by name: owner and number of phones.
    QString stan()
    {
        QStringList wynik;
        for (int id : host::GetListaIntDB(u"select id_f from firma order by nazwa"_s)) {
            const QVariantMap f{{u"id"_s, id}};
            wynik << tekstDB(u"select nazwa from firma where id_f = :id"_s, f) + u' '
                    + tekstDB(u"select wlasciciel from firma where id_f = :id"_s, f) + u' '
                    + QString::number(ile(u"select count(*) from telefon where tabela = 7 and id_ = :id"_s, f));
        }
        return wynik.join(u", "_s);
    }
    // Every company with its accounts, addresses, contacts and phones, by
    // name and without keys, in one order whatever order they were written in.
    QStringList zrzut()
    {
        constexpr int PierwszaGodzina = 12;
        const char *const zapytania[] = {
            "select nazwa, skrot, wlasciciel, e_mail, www, nr_gg, skype, nr_trans, nip, regon, krs, typ_firmy,"
            " nocne_od, nocne_do, swieta_od, pora_nocna_od, pora_nocna_do from firma",
            "select f.nazwa, k.nr_konta, k.bank, k.waluta, k.czy_domyslne, k.aktywne from konto k"
            " join firma f on f.id_f = k.id_ and k.tabela = 7",
            "select f.nazwa, a.ulica, a.nr_domu, a.nr_m, m.miasto, m.id_panstwa, kp.kod, a.czy_domyslny from adres a"
            " join firma f on f.id_f = a.id_ and a.tabela = 7 join miasto m on m.id_m = a.id_m"
            " left join kod_pocztowy kp on kp.id_kodu = a.id_kodu",
            "select f.nazwa, k.imie, k.nazwisko, k.e_mail, k.nr_gg, k.skype, k.nr_trans, k.id_stan, k.tel"
            " from kontakt k join firma f on f.id_f = k.id_f",
            "select f.nazwa, t.numer, t.rodzaj, t.tel_fax, t.czy_domysl from telefon t"
            " join firma f on f.id_f = t.id_ and t.tabela = 7"};
        QStringList wiersze;
        for (int n = 0; n < 5; ++n) {
            const char *sql = zapytania[n];
            db::Query q(host::GetConnection(), QLatin1String(sql));
            q.open();
            for (q.first(); !q.eof(); q.next()) {
                QStringList w{QString::number(n)};
                // Times of day travel as "hh:mm", a missing one as midnight.
                for (int i = 0; i < q.fieldCount(); ++i)
                    w << (n == 0 && i >= PierwszaGodzina
                              ? QTime::fromMSecsSinceStartOfDay(q.value(i).toDateTime().time().msecsSinceStartOfDay())
                                    .toString(u"hh:mm"_s)
                              : q.value(i).toString());
                wiersze << w.join(u'|');
            }
        }
        wiersze.sort();
        return wiersze;
    }
};

TEST_P(ImportEksportFirm, EksportPiszeFirmyWKolejnosciListyZPolamiWUstalonymPorzadku)
{
    suitedb::generateDemoCompanies(*host::GetConnection(), 12);
    const QString nazwa = u"Kowalski & Syn 'Ąę' <X> 50%_a; \"Żółw\""_s;
    const int typ = ile(u"select min(id_wartosci) from slowwartosci where typ_slownika = 'typ_firmy'"_s);
    const int id = firma(nazwa,
                         {{u"skrot"_s, u"KS"_s},
                          {u"wlasciciel"_s, u"Jan"_s},
                          {u"e_mail"_s, u"a@b.pl"_s},
                          {u"www"_s, u"b.pl"_s},
                          {u"nr_gg"_s, u"12"_s},
                          {u"skype"_s, u"ks"_s},
                          {u"nr_trans"_s, u"TR"_s},
                          {u"regon"_s, u"123456785"_s},
                          {u"krs"_s, u"12345"_s},
                          {u"typ_firmy"_s, typ},
                          {u"nip"_s, u"PL1234563218"_s},
                          {u"nocne_od"_s, QDateTime(QDate(1899, 12, 30), QTime(22, 15))},
                          {u"pora_nocna_do"_s, QDateTime(QDate(1899, 12, 30), QTime(6, 5))}});
    // One row of each kind, so each container is written.
    wstaw(u"konto"_s, u"id_konta"_s, {{u"id_"_s, id}, {u"tabela"_s, 7}, {u"nr_konta"_s, u"1"_s}});
    wstaw(u"adres"_s, u"id_adr"_s, {{u"id_"_s, id}, {u"tabela"_s, 7}, {u"id_m"_s, m_warszawa}});
    wstaw(u"kontakt"_s, u"id_kontakt"_s, {{u"id_f"_s, id}, {u"nazwisko"_s, u"O'Brien"_s}});
    wstaw(u"telefon"_s, u"id_tel"_s, {{u"id_"_s, id}, {u"tabela"_s, 7}, {u"numer"_s, u"+48 22 100"_s}});
    const QList<int> ids = host::GetListaIntDB(u"select id_f from firma order by nazwa desc"_s);
    const QDomDocument dokument = eksport(ids);
    const QDomElement pierwsza = dokument.documentElement().firstChildElement();
    EXPECT_EQ(pierwsza.attribute(u"id"_s).toInt(), ids.first());
    QDomElement nasza = pierwsza;
    while (nasza.attribute(u"id"_s).toInt() != id)
        nasza = nasza.nextSiblingElement();
    QStringList elementy;
    for (QDomElement e = nasza.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        elementy << e.tagName() + (e.firstChildElement().isNull() ? u'=' + e.text() : QString());
    EXPECT_EQ(
        elementy.join(u' '),
        u"nazwa="_s + nazwa
            + u" skrot=KS wlasciciel=Jan e_mail=a@b.pl www=b.pl nr_gadu-gadu=12 skype=ks transID=TR "
              "nip=PL1234563218 regon=123456785 krs=12345 typ_firmy=%1 nocne_od=22:15 nocne_do=00:00 "
              "swieta_od=00:00 pora_nocna_od=00:00 pora_nocna_do=06:05 konta adresy kontakty telefony"_s.arg(typ));
}

TEST_P(ImportEksportFirm, PominINadpiszRobiaCoMowia)
{
    QString firmy;
    // A's phone is in the file too: overwriting does not add it again.
    wstaw(u"telefon"_s, u"id_tel"_s, {{u"id_"_s, firma(u"A"_s)}, {u"tabela"_s, 7}, {u"numer"_s, u"A-1"_s}});
    for (const QString &n : {u"A"_s, u"B"_s, u"C"_s, u"D"_s}) {
        if (n != u"A"_s)
            firma(n);
        firmy += u"<firma><nazwa> %1 </nazwa><wlasciciel>nowy</wlasciciel>"
                 "<telefony><telefon><numer>%1-1</numer></telefon></telefony></firma>"_s.arg(n);
    }
    prompter().push(kliknij("btnNadpisz")).push(kliknij("btnPomin")).push(kliknij("btnNadpiszAll"));
    Timport_firm_form okno;
    importuj(okno, plik(firmy));
    // Matched by the name without its blanks, stored with them as the file gives it.
    EXPECT_EQ(stan(), u" A  nowy 1,  C  nowy 1,  D  nowy 1, B  0"_s);
    EXPECT_EQ(okno.podsumowanie().nadpisane, 3);
    EXPECT_EQ(okno.podsumowanie().pominiete, 1);

    prompter().push(kliknij("btnPominAll"));
    Timport_firm_form drugie;
    importuj(drugie, plik(firmy.replace(u"nowy"_s, u"trzeci"_s).replace(u"-1"_s, u"-2"_s)));
    EXPECT_EQ(stan(), u" A  nowy 1,  C  nowy 1,  D  nowy 1, B  0"_s);
    EXPECT_EQ(drugie.podsumowanie().pominiete, 4);
}

TEST_P(ImportEksportFirm, ZepsutyRekordOdrzuconyCalyZNumeremINazwa)
{
    const QString adres = u"<adresy><adres><miasto>Nowogród Testowy</miasto><kod>99-999</kod></adres></adresy>"_s;
    const QDomDocument d =
        plik(u"<firma><nazwa>Dobra 1</nazwa></firma>"
             "<firma><nazwa>Zepsuta</nazwa><telefony><telefon><numer>555</numer></telefon></telefony>%1"
             "<konta><konto><nr_konta>%2</nr_konta></konto></konta></firma>"
             "<firma><skrot>BEZ</skrot><telefony><telefon><numer>556</numer></telefon></telefony></firma>"
             "<firma><nazwa>Dobra 2</nazwa>%1</firma>"_s.arg(adres, QString(60, u'1')));
    Timport_firm_form import([](const QString &) { return 0; });
    EXPECT_EQ(importuj(import, d), QList<bool>({true, false, false, true}));

    const auto &odrzucone = import.podsumowanie().odrzucone;
    ASSERT_EQ(odrzucone.size(), 2);
    EXPECT_EQ(odrzucone[0].numer, 2);
    EXPECT_EQ(odrzucone[0].nazwa, u"Zepsuta"_s);
    EXPECT_TRUE(odrzucone[0].powod.contains(u"nr_konta"_s)) << odrzucone[0].powod.toStdString();
    EXPECT_EQ(odrzucone[1].numer, 3);
    EXPECT_TRUE(import.podsumowanie().tekst().contains(u"Rekord 2 (Zepsuta)"_s));
    EXPECT_EQ(stan(), u"Dobra 1  0, Dobra 2  0"_s);
    EXPECT_EQ(ile(u"select count(*) from telefon"_s), 0);
    // The city a refused company brought is gone with it; the next company creates it.
    EXPECT_EQ(ile(u"select count(*) from miasto m join kod_pocztowy k on k.id_m = m.id_m "
                  "where m.miasto = 'Nowogród Testowy' and k.kod = '99-999'"_s),
              1);
}

TEST_P(ImportEksportFirm, NipZPrefiksemISeparatoramiToTaSamaFirma)
{
    const int alfa = firma(u"Alfa"_s, {{u"nip"_s, u"1234563218"_s}});
    QStringList pytania;
    Timport_firm_form import(
        [&pytania](const QString &nazwa) {
            pytania << nazwa;
            return int(Tpomin_nadpisz_form::Nadpisz);
        },
        Timport_firm_form::Dopasowanie::NazwaLubNip);
    importuj(import, plik(u"<firma><nazwa>Alfa Sp. z o.o.</nazwa><nip>PL 123-456-32-18</nip></firma>"_s));
    EXPECT_EQ(pytania, QStringList({u"Alfa Sp. z o.o."_s}));
    EXPECT_EQ(host::GetListaIntDB(u"select id_f from firma"_s), QList<int>({alfa}));
    EXPECT_EQ(tekstDB(u"select nazwa from firma"_s), u"Alfa Sp. z o.o."_s);
}

TEST_P(ImportEksportFirm, ImportZabityWPolowieNieZostawiaPolowyFirmyIPowtorzonyKonczy)
{
    QTemporaryDir katalog;
    QFile plik(katalog.filePath(u"firmy.xml"_s));
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.write("<root>");
    for (int i = 0; i < 5000; ++i)
        plik.write(u"<firma><nazwa>Import %1</nazwa><telefony><telefon><numer>%1</numer></telefon><telefon><numer>"
                   "%1-2</numer></telefon></telefony><adresy><adres><miasto>Warszawa</miasto><ulica>U%1</ulica>"
                   "</adres></adresy><konta><konto><nr_konta>%1</nr_konta></konto></konta><kontakty><kontakt>"
                   "<nazwisko>K%1</nazwisko></kontakt></kontakty></firma>"_s.arg(i)
                       .toUtf8());
    plik.write("</root>");
    plik.close();
    const QString malvo = QStringLiteral(MALVO_BIN_DIR "/malvo");
    const QStringList argumenty{u"import"_s,         u"--db"_s, scratch().target(),
                                u"--on-duplicate"_s, u"skip"_s, plik.fileName()};
    QProcess import;
    import.start(malvo, argumenty);
    ASSERT_TRUE(import.waitForStarted());
    QDeadlineTimer limit(120000);
    while (ile(u"select count(*) from firma"_s) == 0 && import.state() == QProcess::Running && !limit.hasExpired())
        QThread::msleep(10);
    ASSERT_EQ(import.state(), QProcess::Running) << "the import ended before it could be killed";
    ::kill(pid_t(import.processId()), SIGKILL);
    import.waitForFinished();

    if (GetParam() == db::Engine::SQLite) {
        EXPECT_EQ(tekstDB(u"pragma integrity_check"_s), u"ok"_s);
    }
    // Every company has each row the file gave it, or is not there at all.
    const QString polowiczne =
        u"select count(*) from firma f where (select count(*) from telefon t where t.tabela = 7 and t.id_ = f.id_f)"
        " <> 2 or (select count(*) from adres a where a.tabela = 7 and a.id_ = f.id_f) <> 1"
        " or (select count(*) from konto k where k.tabela = 7 and k.id_ = f.id_f) <> 1"
        " or (select count(*) from kontakt k where k.id_f = f.id_f) <> 1"_s;
    const int przerwany = ile(u"select count(*) from firma"_s);
    EXPECT_GT(przerwany, 0);
    EXPECT_LT(przerwany, 5000);
    EXPECT_EQ(ile(polowiczne), 0);

    EXPECT_EQ(QProcess::execute(malvo, argumenty), 0);
    EXPECT_EQ(ile(u"select count(distinct nazwa) from firma where nazwa like 'Import %'"_s), 5000);
    EXPECT_EQ(ile(u"select count(*) from firma"_s), 5000);
    EXPECT_EQ(ile(polowiczne), 0);
}

// 200 demo companies go out as XML and CSV and come back into an empty
// database as they were (hostile text in every column: wrogie_teksty_test).
TEST_P(ImportEksportFirm, XmlICsvWracajaDoPustejBazyTymiSamymiWierszami)
{
    suitedb::generateDemoCompanies(*host::GetConnection(), 200, 7);
    // Values the demo leaves empty.
    host::ExecQuery(u"update firma set wlasciciel = :w, skype = 'ks', nr_gg = '12', nocne_od = :od, pora_nocna_do = :do"
                    " where id_f = (select min(id_f) from firma)"_s,
                    nullptr, 0,
                    {{u"w"_s, u"Anna Kowalska"_s},
                     {u"od"_s, QDateTime(QDate(1899, 12, 30), QTime(22, 15))},
                     {u"do"_s, QDateTime(QDate(1900, 1, 1), QTime(6, 5))}});
    host::ExecQuery(u"update kontakt set nr_trans = 'T-1', skype = 'k', nr_gg = '7'"
                    " where id_kontakt = (select min(id_kontakt) from kontakt)"_s);
    const QStringList przed = zrzut();
    const QList<int> ids = host::GetListaIntDB(u"select id_f from firma order by nazwa"_s);
    QTemporaryDir katalog;
    const QString xml = katalog.filePath(u"firmy.xml"_s), csv = katalog.filePath(u"firmy.csv"_s);
    for (const QString &plik : {xml, csv})
        ASSERT_TRUE(TImportExport(TIEFileType::utworz(kodTypuPliku(plik)), std::make_unique<Texport_firm_form>(ids),
                                  plik, false)
                        .Run(false));

    for (const QString &plik : {xml, csv}) {
        testsupport::ScratchDatabase pusta(GetParam());
        host::BootstrapOptions opcje;
        opcje.database = pusta.target();
        host::bootstrap(opcje);
        ASSERT_EQ(ile(u"select count(*) from firma"_s), 0);
        Timport_firm_form::Podsumowanie podsumowanie;
        auto forma = std::make_unique<Timport_firm_form>([](const QString &) { return 0; });
        forma->poImporcie = [&](const Timport_firm_form::Podsumowanie &p) { podsumowanie = p; };
        EXPECT_TRUE(TImportExport(TIEFileType::utworz(kodTypuPliku(plik)), std::move(forma), plik).Run(false));
        EXPECT_EQ(podsumowanie.zapisane, 200) << podsumowanie.tekst().toStdString();
        const QStringList &oczekiwane = przed;
        const QStringList po = zrzut();
        EXPECT_EQ(po.size(), oczekiwane.size());
        for (int i = 0; i < qMax(po.size(), oczekiwane.size()); ++i)
            if (po.value(i) != oczekiwane.value(i)) {
                ADD_FAILURE() << po.value(i).toStdString() << "\ninstead of\n" << oczekiwane.value(i).toStdString();
                break;
            }
        bootstrapAs(u"admin"_s);
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(ImportEksportFirm);

} // namespace
