#include "sibling_fixture.h"

#include <gtest/gtest.h>

class DataTest : public SiblingTest
{
protected:
    static int zapiszUstaw(const QString &co, const QString &wartosc, const QString &kod, int idU, int idF)
    {
        return host::callSibling<int(QString, QString, QString, int, int)>(QStringLiteral("data.dll"), "_ZapiszUstaw",
                                                                           co, wartosc, kod, idU, idF)
            .value_or(-1);
    }

    static QStringList wiersze(const QString &co)
    {
        return host::GetListaStringDB(
            QStringLiteral(
                "select co || '|' || wartosc || '|' || coalesce(kod, '-') || '|' || coalesce(cast(id_u as text), '-')"
                " || '|' || coalesce(cast(id_f as text), '-') as w from ustawienia where co = :co order by id_ust"),
            QStringLiteral("w"), nullptr, {{QStringLiteral("co"), co}});
    }
};

TEST_P(DataTest, ASecondWriteOfTheSameKeyUpdatesItsRowAndOtherOwnersGetTheirOwn)
{
    const int idF = firma(QStringLiteral("Klient"));
    const QString f = QString::number(idF);
    const QString termin = QStringLiteral("termin_zaplaty");

    EXPECT_EQ(zapiszUstaw(termin, QStringLiteral("30"), QStringLiteral("partners.dll"), 0, idF), 1);
    EXPECT_EQ(zapiszUstaw(termin, QStringLiteral("45"), QStringLiteral("partners.dll"), 0, idF), 1);
    EXPECT_EQ(wiersze(termin), QStringList{termin + QStringLiteral("|45|partners.dll|-|") + f});

    // A user's own row, a global row and another module's row stand beside it.
    EXPECT_EQ(zapiszUstaw(termin, QStringLiteral("14"), QStringLiteral("partners.dll"), 5, idF), 1);
    EXPECT_EQ(zapiszUstaw(termin, QStringLiteral("7"), QStringLiteral("partners.dll"), 0, 0), 1);
    EXPECT_EQ(zapiszUstaw(termin, QStringLiteral("60"), QStringLiteral("FK"), 0, idF), 1);
    EXPECT_EQ(zapiszUstaw(termin, QStringLiteral("21"), QStringLiteral("partners.dll"), 5, idF), 1);
    EXPECT_EQ(wiersze(termin),
              (QStringList{termin + QStringLiteral("|45|partners.dll|-|") + f,
                           termin + QStringLiteral("|21|partners.dll|5|") + f,
                           termin + QStringLiteral("|7|partners.dll|-|-"), termin + QStringLiteral("|60|FK|-|") + f}));
}

TEST_P(DataTest, ValuesAreStoredAsTypedApostrophesIncluded)
{
    const int idF = firma(QStringLiteral("Klient"));
    const QString linia = QStringLiteral("Płatne do 'końca' miesiąca; -- bez zmian");
    EXPECT_EQ(zapiszUstaw(QStringLiteral("uwagi_firmy_fv_0"), linia, QStringLiteral("partners.dll"), 0, idF), 1);
    EXPECT_EQ(tekst(QStringLiteral("select wartosc from ustawienia where co = 'uwagi_firmy_fv_0'")), linia);
}

TEST_P(DataTest, AKeylessWriteFailsWithoutARow)
{
    EXPECT_EQ(zapiszUstaw(QString(), QStringLiteral("1"), QStringLiteral("partners.dll"), 0, 0), 0);
    EXPECT_EQ(ile(QStringLiteral("select count(*) from ustawienia where kod = 'partners.dll'")), 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(DataTest);
