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

    static QStringList wiersze()
    {
        return host::GetListaStringDB(
            QStringLiteral(
                "select co || '|' || wartosc || '|' || coalesce(kod, '-') || '|' || coalesce(cast(id_u as text), '-')"
                " || '|' || coalesce(cast(id_f as text), '-') as w from ustawienia order by id_ust"),
            QStringLiteral("w"));
    }
};

// Values are stored as typed, apostrophes included; a keyless write fails without a row.
TEST_P(DataTest, ASecondWriteOfTheSameKeyUpdatesItsRowAndOtherOwnersGetTheirOwn)
{
    const int idF = firma(QStringLiteral("Klient"));
    const QString f = QString::number(idF);
    const QString t = QStringLiteral("termin_zaplaty");
    const QString p = QStringLiteral("partners.dll");
    const QString linia = QStringLiteral("Płatne do 'końca' miesiąca; -- bez zmian");

    EXPECT_EQ(zapiszUstaw(QString(), QStringLiteral("1"), p, 0, 0), 0);
    EXPECT_EQ(zapiszUstaw(t, QStringLiteral("30"), p, 0, idF), 1);
    EXPECT_EQ(zapiszUstaw(t, QStringLiteral("45"), p, 0, idF), 1);
    EXPECT_EQ(wiersze(), QStringList{t + QStringLiteral("|45|partners.dll|-|") + f});

    // A user's own row, a global row and another module's row stand beside it.
    EXPECT_EQ(zapiszUstaw(t, QStringLiteral("14"), p, 5, idF), 1);
    EXPECT_EQ(zapiszUstaw(t, linia, p, 0, 0), 1);
    EXPECT_EQ(zapiszUstaw(t, QStringLiteral("60"), QStringLiteral("FK"), 0, idF), 1);
    EXPECT_EQ(zapiszUstaw(t, QStringLiteral("21"), p, 5, idF), 1);
    EXPECT_EQ(wiersze(),
              (QStringList{t + QStringLiteral("|45|partners.dll|-|") + f, t + QStringLiteral("|21|partners.dll|5|") + f,
                           t + QLatin1Char('|') + linia + QStringLiteral("|partners.dll|-|-"),
                           t + QStringLiteral("|60|FK|-|") + f}));
}

MALVO_INSTANTIATE_FOR_ENGINES(DataTest);
