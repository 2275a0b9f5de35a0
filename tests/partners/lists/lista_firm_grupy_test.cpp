#include "lista_firm_demo.h"

#include "lists/lista_firm_grupy.h"
#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_zapytanie.h"

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
        StanZapytaniaListyFirm stan;
        stan.idJezyka = jezyk;
        auto lista = otworz(db(), komendaListyFirm(stan, db().dialect()));
        QHash<int, QString> wgFirmy;
        for (lista->first(); !lista->eof(); lista->next())
            wgFirmy.insert(lista->value(u"id"_s).toInt(),
                           nazwy.nazwy(lista->value(QString::fromLatin1(PoleIdGrup)).toString()));
        ASSERT_EQ(wgFirmy.size(), firmy.size());
        for (int idF : firmy)
            ASSERT_EQ(wgFirmy.value(idF), naiwnie(idF, jezyk)) << "company " << idF << " language " << jezyk;
        EXPECT_TRUE(wgFirmy.value(firmy.at(0)).endsWith(u"Mój rodzaj"_s));
        EXPECT_TRUE(wgFirmy.value(firmy.at(1)).isEmpty());
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(NazwyGrupDemo);

} // namespace
