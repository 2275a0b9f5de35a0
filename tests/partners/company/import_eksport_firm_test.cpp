#include "firma_fixture.h"

#include "company/import_eksport/export_firm_form.h"
#include "company/import_eksport/import_firm_form.h"
#include "company/import_eksport/pomin_nadpisz_form.h"

#include "dataset.h"
#include "demo.h"

#include <QDateTime>
#include <QDomDocument>
#include <QPushButton>
#include <QRegularExpression>

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
};

TEST_P(ImportEksportFirm, EksportWracaImportemTymiSamymiWierszami)
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
    wstaw(u"konto"_s, u"id_konta"_s,
          {{u"id_"_s, id},
           {u"tabela"_s, 7},
           {u"nr_konta"_s, u"PL61109010140000071219812874"_s},
           {u"bank"_s, u"Bank 'Ś'"_s},
           {u"waluta"_s, u"PLN"_s},
           {u"czy_domyslne"_s, 1},
           {u"aktywne"_s, 1}});
    wstaw(u"adres"_s, u"id_adr"_s,
          {{u"id_"_s, id},
           {u"tabela"_s, 7},
           {u"id_m"_s, m_warszawa},
           {u"id_kodu"_s, m_kodWarszawy},
           {u"ulica"_s, u"Ząbkowska; 'róg'"_s},
           {u"nr_domu"_s, u"5"_s},
           {u"czy_domyslny"_s, 1}});
    wstaw(u"kontakt"_s, u"id_kontakt"_s,
          {{u"id_f"_s, id},
           {u"nazwisko"_s, u"O'Brien"_s},
           {u"imie"_s, u"Łucja"_s},
           {u"nr_trans"_s, u"T-1"_s},
           {u"id_stan"_s, ile(u"select min(id_wartosci) from slowwartosci where typ_slownika = 'stanowiska'"_s)}});
    wstaw(u"telefon"_s, u"id_tel"_s,
          {{u"id_"_s, id},
           {u"tabela"_s, 7},
           {u"numer"_s, u"+48 22 100"_s},
           {u"tel_fax"_s, 3},
           {u"rodzaj"_s, ile(u"select min(id_wartosci) from slowwartosci where typ_slownika = 'telefony_rodzaj'"_s)}});
    const QString wgListy = u"select id_f from firma order by nazwa desc"_s;
    const QList<int> ids = host::GetListaIntDB(wgListy);
    const QDomDocument przed = eksport(ids);

    const QDomElement pierwsza = przed.documentElement().firstChildElement();
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

    for (const char *tabela : {"telefon", "adres", "konto"})
        host::GetConnection()->execute(u"delete from %1 where tabela = 7"_s.arg(QLatin1String(tabela)));
    host::GetConnection()->execute(u"delete from firma"_s);
    Timport_firm_form import([](const QString &) {
        ADD_FAILURE() << "no company exists";
        return 0;
    });
    EXPECT_FALSE(importuj(import, przed).contains(false)) << import.podsumowanie().tekst().toStdString();
    EXPECT_EQ(import.podsumowanie().zapisane, ids.size());

    // Ids and the status, which an import does not read, aside.
    const auto bezKluczy = [](const QDomDocument &d) {
        return d.toString().remove(QRegularExpression(u" id=\"\\d+\"|\\s*<status>.*</status>"_s));
    };
    EXPECT_EQ(bezKluczy(eksport(host::GetListaIntDB(wgListy))), bezKluczy(przed));
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
    EXPECT_EQ(stan(), u"A nowy 1, B  0, C nowy 1, D nowy 1"_s);
    EXPECT_EQ(okno.podsumowanie().nadpisane, 3);
    EXPECT_EQ(okno.podsumowanie().pominiete, 1);

    prompter().push(kliknij("btnPominAll"));
    Timport_firm_form drugie;
    importuj(drugie, plik(firmy.replace(u"nowy"_s, u"trzeci"_s).replace(u"-1"_s, u"-2"_s)));
    EXPECT_EQ(stan(), u"A nowy 1, B  0, C nowy 1, D nowy 1"_s);
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

MALVO_INSTANTIATE_FOR_ENGINES(ImportEksportFirm);

} // namespace
