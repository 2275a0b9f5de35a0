#include "lista_firm_demo.h"

#include "lists/lista_firm_grupy.h"
#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_zapytanie.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;
using namespace listytest;

namespace {

class ZapytanieListyFirmDemo : public DemoBazaTest
{
protected:
    static StanZapytaniaListyFirm stan(int tag = 0)
    {
        StanZapytaniaListyFirm s;
        s.idJezyka = suitedb::LanguagePolish;
        s.tag = tag;
        return s;
    }

    QSet<int> idFirm(const QString &sql) { return zbior(kolumnaInt(db(), {sql, {}}, {})); }

    // A company's kinds read one statement per company, the translation joined by language.
    QString grupyWprost(int idF, int jezyk)
    {
        auto grupy = otworz(db(),
                            {u"select s.wartosc, t.tresc from firma_grupa fg"
                             " join slowwartosci s on s.id_wartosci = fg.grupa"
                             " left join tlumaczenie t on t.identyfikator = s.wartosc"
                             " and t.id_jezyka = :j where fg.id_f = :id_f order by fg.grupa"_s,
                             {{u"id_f"_s, idF}, {u"j"_s, jezyk}}});
        QStringList nazwy;
        for (grupy->first(); !grupy->eof(); grupy->next())
            nazwy << (grupy->value(1).isNull() ? grupy->value(0) : grupy->value(1)).toString();
        return nazwy.join(u", "_s);
    }
};

TEST_P(ZapytanieListyFirmDemo, FiltryZmieniajaWierszeJakOpisano)
{
    const QSet<int> wszystkie = idFirm(u"select id_f from firma"_s);
    // Loading and unloading places named by their kinds, not by the group number.
    const QSet<int> zaladunkowe =
        idFirm(u"select fg.id_f from firma_grupa fg join slowwartosci s on s.id_wartosci = fg.grupa"
               " where s.wartosc in ('slow_firma_rodzaj_zaladunek', 'slow_firma_rodzaj_rozladunek')"_s);
    const QSet<int> wlasne = idFirm(u"select f.id_f from firma f join slowwartosci s on s.id_wartosci ="
                                    " f.typ_firmy where s.wartosc = 'firma_wlasna'"_s);
    ASSERT_FALSE(zaladunkowe.isEmpty()) << "demo data without loading places";
    struct Przypadek
    {
        bool tylkoWlasne, ukryjWidoczne, ukryj;
    };
    // The last: a hidden box (not Polish) filters nothing even when checked.
    for (const Przypadek &p :
         {Przypadek{false, true, false}, Przypadek{true, true, false}, Przypadek{false, true, true},
          Przypadek{true, true, true}, Przypadek{false, false, true}}) {
        SCOPED_TRACE(testing::Message() << p.tylkoWlasne << p.ukryjWidoczne << p.ukryj);
        StanZapytaniaListyFirm s = stan();
        s.tylkoWlasneFirmy = p.tylkoWlasne;
        s.ukryjFirmyZalRozWidoczne = p.ukryjWidoczne;
        s.ukryjFirmyZalRoz = p.ukryj;
        QSet<int> oczekiwane = wszystkie;
        if (p.tylkoWlasne)
            oczekiwane &= wlasne;
        if (p.ukryj && p.ukryjWidoczne)
            oczekiwane -= zaladunkowe;
        const QList<int> ids = kolumnaInt(db(), komendaListyFirm(s, db().dialect()));
        EXPECT_EQ(ids.size(), oczekiwane.size()) << "one row per company";
        EXPECT_EQ(zbior(ids), oczekiwane);
    }
}

TEST_P(ZapytanieListyFirmDemo, SortujePoNazwieZKazdymPolemListy)
{
    auto lista = otworz(db(), komendaListyFirm(stan(), db().dialect()));
    lista->setBaseSort(QString::fromLatin1(PorzadekListyFirm));
    const QList<int> wgNazwy =
        kolumnaInt(db(), {"select id_f from firma order by " + db().dialect().collated("nazwa") + ", id_f", {}}, {});
    QList<int> ids;
    for (lista->first(); !lista->eof(); lista->next()) {
        ids << lista->value(u"id"_s).toInt();
        EXPECT_EQ(lista->value(u"nr_id_firmy"_s).toInt(), ids.last());
    }
    EXPECT_EQ(ids, wgNazwy);
    for (const db::FieldDef &pole : polaListyFirm())
        EXPECT_TRUE(pole.name == QLatin1String(PoleNazwaGrupy) || lista->hasField(pole.name))
            << pole.name.toStdString();
    for (const TUstKolumna &k : kolumnyListyFirm())
        EXPECT_TRUE(k.pole == QLatin1String(PoleNazwaGrupy) || lista->hasField(k.pole)) << k.pole.toStdString();
}

TEST_P(ZapytanieListyFirmDemo, TagWczytujeJednaFirmeZgodnieZFiltrami)
{
    const QList<int> wszystkie = kolumnaInt(db(), komendaListyFirm(stan(), db().dialect()));
    const int tag = wszystkie.at(wszystkie.size() / 2);
    for (int jezyk : {suitedb::LanguagePolish, suitedb::LanguageEnglish}) {
        StanZapytaniaListyFirm s = stan(tag);
        s.idJezyka = jezyk;
        const KomendaSql komenda = komendaListyFirm(s, db().dialect());
        EXPECT_FALSE(komenda.tekst.contains(QLatin1String("order by"), Qt::CaseInsensitive));
        auto lista = otworz(db(), komenda);
        ASSERT_EQ(lista->recordCount(), 1);
        EXPECT_EQ(lista->value(u"id"_s).toInt(), tag);
        EXPECT_EQ(lista->value(u"id_jezyka"_s).toInt(), jezyk);
    }

    // A tag outside the filters gives nothing.
    const QList<int> zal =
        kolumnaInt(db(),
                   {u"select fg.id_f from firma_grupa fg join slowwartosci s on s.id_wartosci = fg.grupa"
                    " join firma f on f.id_f = fg.id_f join slowwartosci t on t.id_wartosci = f.typ_firmy"
                    " where s.wartosc = 'slow_firma_rodzaj_zaladunek' and t.wartosc <> 'firma_wlasna'"_s,
                    {}},
                   {});
    ASSERT_FALSE(zal.isEmpty());
    StanZapytaniaListyFirm s = stan(zal.first());
    EXPECT_EQ(kolumnaInt(db(), komendaListyFirm(s, db().dialect())).size(), 1);
    s.ukryjFirmyZalRoz = true;
    EXPECT_TRUE(kolumnaInt(db(), komendaListyFirm(s, db().dialect())).isEmpty());
    s.ukryjFirmyZalRoz = false;
    s.tylkoWlasneFirmy = true;
    EXPECT_TRUE(kolumnaInt(db(), komendaListyFirm(s, db().dialect())).isEmpty());
}

TEST_P(ZapytanieListyFirmDemo, CzyPosiadaDokTylkoZPlikiemDokumentu)
{
    const QList<int> ids = kolumnaInt(db(), komendaListyFirm(stan(), db().dialect()));
    const int zPlikiem = ids.at(0), bezPliku = ids.at(1), plikInnejTabeli = ids.at(2);
    const QString dokument = u"insert into dokument (rodzaj, id_f) values (1, :id_f)"_s;
    const QString plik = u"insert into dokument_plik (sciezka, tabela, id_) values ('a.pdf', :tabela, :id_)"_s;
    for (int firma : {zPlikiem, bezPliku, plikInnejTabeli}) {
        const int dok = wstaw(db(), dokument, u"id_dok"_s, {{u"id_f"_s, firma}});
        if (firma == zPlikiem)
            wstaw(db(), plik, u"id_dp"_s, {{u"tabela"_s, suitedb::TableDocument}, {u"id_"_s, dok}});
        if (firma == plikInnejTabeli)
            wstaw(db(), plik, u"id_dp"_s, {{u"tabela"_s, suitedb::TableCompany}, {u"id_"_s, dok}});
    }
    auto lista = otworz(db(), komendaListyFirm(stan(), db().dialect()));
    int zDokumentem = 0;
    for (lista->first(); !lista->eof(); lista->next()) {
        const int id = lista->value(u"id"_s).toInt();
        const int ma = lista->value(u"czy_posiada_dok"_s).toInt();
        zDokumentem += ma;
        if (id == zPlikiem) {
            EXPECT_EQ(ma, 1);
        }
    }
    EXPECT_EQ(zDokumentem, 1) << "a document without a file, or a file of another table, does not count";
}

TEST_P(ZapytanieListyFirmDemo, ZapomnijAktywnaFirmeUsuwaTylkoTeFirme)
{
    const QString wstawUst = u"insert into ustawienia (co, wartosc, kod, id_u) values (:co, :wartosc, 'ALL', :id_u)"_s;
    using Wiersz = std::pair<const char *, const char *>;
    for (const auto &[co, wartosc] : {Wiersz{"aktywna_firma", "12"}, Wiersz{"aktywna_firma", "12"},
                                      Wiersz{"aktywna_firma", "120"}, Wiersz{"inne", "12"}})
        wstaw(db(), wstawUst, u"id_ust"_s,
              {{u"co"_s, QString::fromLatin1(co)}, {u"wartosc"_s, QString::fromLatin1(wartosc)}, {u"id_u"_s, 1}});
    db::Query usun(&db(), komendaZapomnijAktywnaFirme(12).tekst);
    usun.parameters().setValue(u"id_f"_s, komendaZapomnijAktywnaFirme(12).parametry.value(u"id_f"_s));
    EXPECT_EQ(usun.exec(), 2);
    EXPECT_EQ(
        kolumnaInt(db(), {u"select count(*) from ustawienia where co in ('aktywna_firma', 'inne')"_s, {}}, {}).value(0),
        2);
}

TEST_P(ZapytanieListyFirmDemo, NazwyGrupZgodneZObliczeniemWprost)
{
    const QList<int> firmy = kolumnaInt(db(), {u"select id_f from firma order by id_f"_s, {}}, {});
    // A kind without any translation shows its raw value; a company without kinds shows nothing.
    const int wlasny =
        wstaw(db(), u"insert into slowwartosci (typ_slownika, wartosc) values ('firma_rodzaj', 'Mój rodzaj')"_s,
              u"id_wartosci"_s, {});
    wstaw(db(), SqlZapiszGrupe, u"id_fg"_s, {{u"id_f"_s, firmy.at(0)}, {u"grupa"_s, wlasny}});
    db::Query(&db(), u"delete from firma_grupa where id_f = "_s + QString::number(firmy.at(1))).exec();

    for (int jezyk : {suitedb::LanguagePolish, suitedb::LanguageEnglish}) {
        NazwyGrupFirm nazwy;
        nazwy.wczytaj(db(), jezyk);
        StanZapytaniaListyFirm stan;
        stan.idJezyka = jezyk;
        auto lista = otworz(db(), komendaListyFirm(stan, db().dialect()));
        QHash<int, QString> wgFirmy;
        for (lista->first(); !lista->eof(); lista->next())
            wgFirmy.insert(lista->value(u"id"_s).toInt(),
                           nazwy.nazwy(lista->value(QString::fromLatin1(PoleIdGrup)).toString()));
        ASSERT_EQ(wgFirmy.size(), firmy.size());
        for (int idF : firmy)
            ASSERT_EQ(wgFirmy.value(idF), grupyWprost(idF, jezyk)) << "company " << idF << " language " << jezyk;
        EXPECT_TRUE(wgFirmy.value(firmy.at(0)).endsWith(u"Mój rodzaj"_s));
        EXPECT_TRUE(wgFirmy.value(firmy.at(1)).isEmpty());
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(ZapytanieListyFirmDemo);

} // namespace
