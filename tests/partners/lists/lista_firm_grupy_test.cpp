#include "lista_firm_demo.h"

#include "lists/lista_firm_grupy.h"
#include "lists/lista_firm_kolumny.h"

#include <QElapsedTimer>
#include <QMap>
#include <gtest/gtest.h>

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
                            {QStringLiteral("select s.wartosc, t.tresc from firma_grupa fg"
                                            " join slowwartosci s on s.id_wartosci = fg.grupa"
                                            " left join tlumaczenie t on t.identyfikator = s.wartosc"
                                            " and t.id_jezyka = :j where fg.id_f = :id_f order by fg.grupa"),
                             {{QStringLiteral("id_f"), idF}, {QStringLiteral("j"), jezyk}}});
        QStringList nazwy;
        for (grupy->first(); !grupy->eof(); grupy->next())
            nazwy << (grupy->value(1).isNull() ? grupy->value(0) : grupy->value(1)).toString();
        return nazwy.join(QStringLiteral(", "));
    }
};

TEST_P(NazwyGrupDemo, ZgodneZObliczeniemWprost)
{
    const QList<int> firmy = kolumnaInt(db(), {QStringLiteral("select id_f from firma order by id_f"), {}}, {});
    // A kind without any translation shows its raw value; a company without kinds shows nothing.
    const int wlasny = wstaw(
        db(), QStringLiteral("insert into slowwartosci (typ_slownika, wartosc) values ('firma_rodzaj', 'Mój rodzaj')"),
        QStringLiteral("id_wartosci"), {});
    wstaw(db(), SqlZapiszGrupe, QStringLiteral("id_fg"),
          {{QStringLiteral("id_f"), firmy.at(0)}, {QStringLiteral("grupa"), wlasny}});
    db::Query(&db(), QStringLiteral("delete from firma_grupa where id_f = ") + QString::number(firmy.at(1))).exec();

    for (int jezyk : {suitedb::LanguagePolish, suitedb::LanguageEnglish}) {
        NazwyGrupFirm nazwy;
        nazwy.wczytaj(db(), jezyk);
        for (int idF : firmy)
            ASSERT_EQ(nazwy.nazwy(idF), naiwnie(idF, jezyk)) << "company " << idF << " language " << jezyk;
        EXPECT_TRUE(nazwy.nazwy(firmy.at(0)).endsWith(QStringLiteral("Mój rodzaj")));
        EXPECT_TRUE(nazwy.nazwy(firmy.at(1)).isEmpty());
    }
}

TEST_P(NazwyGrupDemo, TagWczytujeGrupyJednejFirmy)
{
    const QList<int> firmy = kolumnaInt(db(), {QStringLiteral("select id_f from firma order by id_f"), {}}, {});
    const int tag = firmy.at(5);
    NazwyGrupFirm nazwy;
    nazwy.wczytaj(db(), suitedb::LanguagePolish, tag);
    EXPECT_EQ(nazwy.liczbaFirm(), 1);
    EXPECT_EQ(nazwy.nazwy(tag), naiwnie(tag, suitedb::LanguagePolish));
}

TEST_P(NazwyGrupDemo, ObliczaniePoleNazwaGrupyListy)
{
    NazwyGrupFirm nazwy;
    nazwy.wczytaj(db(), suitedb::LanguageEnglish);
    StanZapytaniaListyFirm stan;
    stan.idJezyka = suitedb::LanguageEnglish;
    const KomendaSql komenda = komendaListyFirm(stan, db().dialect());
    db::Query lista(&db(), komenda.tekst);
    lista.parameters().setValue(QStringLiteral("id_jezyka"), stan.idJezyka);
    lista.addCalculatedField(QString::fromLatin1(PoleNazwaGrupy), QMetaType::QString);
    lista.setOnCalcFields(nazwy.obliczanie());
    lista.open();
    ASSERT_EQ(lista.recordCount(), FirmyDemo);
    int sprawdzone = 0;
    for (lista.first(); !lista.eof() && sprawdzone < 40; lista.next(), ++sprawdzone)
        EXPECT_EQ(lista.value(QString::fromLatin1(PoleNazwaGrupy)).toString(),
                  naiwnie(lista.value(QStringLiteral("id")).toInt(), suitedb::LanguageEnglish));
}

MALVO_INSTANTIATE_FOR_ENGINES(NazwyGrupDemo);

QList<db::FieldDef> polaGrup()
{
    QList<db::FieldDef> pola;
    for (const char *n : {"id_fg", "id_f", "grupa", "wartosc", "tresc"}) {
        db::FieldDef f;
        f.name = QString::fromLatin1(n);
        f.type = (f.name == QLatin1String("wartosc") || f.name == QLatin1String("tresc")) ? QMetaType::QString
                                                                                          : QMetaType::Int;
        pola << f;
    }
    return pola;
}

TEST(NazwyGrupFirm, StoTysiecyFirmZDwomaRodzajami)
{
    constexpr int Firm = 100000;
    std::vector<std::vector<QVariant>> wiersze;
    wiersze.reserve(2 * Firm);
    for (int f = 1; f <= Firm; ++f)
        for (int g = 0; g < 2; ++g)
            wiersze.push_back(
                {QVariant(2 * f + g), QVariant(f), QVariant(10 + g + f % 3),
                 QVariant(QStringLiteral("slow_%1").arg(10 + g + f % 3)),
                 (f % 7 == 0 && g == 1) ? QVariant() : QVariant(QStringLiteral("Rodzaj %1").arg(10 + g + f % 3))});
    db::DataSet grupy;
    grupy.openFromRows(polaGrup(), std::move(wiersze));

    QElapsedTimer czas;
    czas.start();
    NazwyGrupFirm nazwy;
    nazwy.wczytaj(grupy);
    testing::Test::RecordProperty("czas_ms", int(czas.elapsed()));

    EXPECT_EQ(nazwy.liczbaFirm(), Firm);
    EXPECT_EQ(nazwy.nazwy(1), QStringLiteral("Rodzaj 11, Rodzaj 12"));
    EXPECT_EQ(nazwy.nazwy(7), QStringLiteral("Rodzaj 11, slow_12"));
    EXPECT_EQ(nazwy.nazwy(Firm), QStringLiteral("Rodzaj 11, Rodzaj 12"));
    EXPECT_EQ(nazwy.nazwy(Firm + 1), QString());
}

} // namespace
