#include "firma_fixture.h"

#include "company/import_eksport/export_firm_form.h"
#include "company/import_eksport/import_firm_form.h"
#include "ramka/import_eksport/import_eksport.h"

#include "demo.h"

using namespace Qt::StringLiterals;

namespace {

class ImportEksportPliki : public firmatest::FirmaTest
{
protected:
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

// 200 demo companies go out as XML and CSV and come back into an empty
// database as they were (hostile text in every column: wrogie_teksty_test).
TEST_P(ImportEksportPliki, XmlICsvWracajaDoPustejBazyTymiSamymiWierszami)
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

MALVO_INSTANTIATE_FOR_ENGINES(ImportEksportPliki);

} // namespace
