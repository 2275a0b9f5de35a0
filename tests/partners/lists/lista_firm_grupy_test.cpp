#include "lista_firm_demo.h"

#include "lists/lista_firm_grupy.h"
#include "lists/lista_firm_kolumny.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;
using namespace listytest;

namespace {

class NazwyGrupDemo : public DemoBazaTest
{
protected:
    // One statement per company, the translation joined by language.
    QString naiwnie(int idF, int jezyk)
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

TEST_P(NazwyGrupDemo, ZgodneZObliczeniemWprost)
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
        for (int idF : firmy)
            ASSERT_EQ(nazwy.nazwy(idF), naiwnie(idF, jezyk)) << "company " << idF << " language " << jezyk;
        EXPECT_TRUE(nazwy.nazwy(firmy.at(0)).endsWith(u"Mój rodzaj"_s));
        EXPECT_TRUE(nazwy.nazwy(firmy.at(1)).isEmpty());
    }

    // A tag narrows the read to one company.
    NazwyGrupFirm jednej;
    jednej.wczytaj(db(), suitedb::LanguagePolish, firmy.at(5));
    EXPECT_EQ(jednej.liczbaFirm(), 1);
    EXPECT_EQ(jednej.nazwy(firmy.at(5)), naiwnie(firmy.at(5), suitedb::LanguagePolish));
}

TEST_P(NazwyGrupDemo, ObliczaniePoleNazwaGrupyListy)
{
    NazwyGrupFirm nazwy;
    nazwy.wczytaj(db(), suitedb::LanguageEnglish);
    StanZapytaniaListyFirm stan;
    stan.idJezyka = suitedb::LanguageEnglish;
    const KomendaSql komenda = komendaListyFirm(stan, db().dialect());
    db::Query lista(&db(), komenda.tekst);
    lista.parameters().setValue(u"id_jezyka"_s, stan.idJezyka);
    lista.addCalculatedField(QString::fromLatin1(PoleNazwaGrupy), QMetaType::QString);
    lista.setOnCalcFields(nazwy.obliczanie());
    lista.open();
    ASSERT_EQ(lista.recordCount(), FirmyDemo);
    int sprawdzone = 0;
    for (lista.first(); !lista.eof() && sprawdzone < 40; lista.next(), ++sprawdzone)
        EXPECT_EQ(lista.value(QString::fromLatin1(PoleNazwaGrupy)).toString(),
                  naiwnie(lista.value(u"id"_s).toInt(), suitedb::LanguageEnglish));
}

MALVO_INSTANTIATE_FOR_ENGINES(NazwyGrupDemo);

// Rows as lista_grup_firm gives them (id_fg, id_f, grupa, wartosc, tresc).
TEST(NazwyGrupFirm, ZWierszyGrup)
{
    QList<db::FieldDef> pola;
    for (const char *n : {"id_fg", "id_f", "grupa", "wartosc", "tresc"})
        pola << db::FieldDef{QString::fromLatin1(n), n[0] == 'i' || n[0] == 'g' ? QMetaType::Int : QMetaType::QString};
    const auto wiersz = [](int idF, int grupa, const QVariant &tresc) {
        return std::vector<QVariant>{QVariant(idF * 10 + grupa), QVariant(idF), QVariant(grupa),
                                     QVariant(u"slow_%1"_s.arg(grupa)), tresc};
    };
    std::vector<std::vector<QVariant>> wiersze{wiersz(1, 11, u"Rodzaj 11"_s), wiersz(1, 12, u"Rodzaj 12"_s),
                                               wiersz(7, 11, u"Rodzaj 11"_s), wiersz(7, 12, QVariant())};
    db::DataSet grupy;
    grupy.openFromRows(pola, std::move(wiersze));
    NazwyGrupFirm nazwy;
    nazwy.wczytaj(grupy);
    EXPECT_EQ(nazwy.liczbaFirm(), 2);
    EXPECT_EQ(nazwy.nazwy(1), u"Rodzaj 11, Rodzaj 12"_s);
    EXPECT_EQ(nazwy.nazwy(7), u"Rodzaj 11, slow_12"_s);
    EXPECT_EQ(nazwy.nazwy(2), QString());
}

} // namespace
