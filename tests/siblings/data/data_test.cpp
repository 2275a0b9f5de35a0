#include "sibling_fixture.h"

class DataTest : public SiblingTest
{
protected:
    static int zapiszUstaw(const QString &co, const QString &wartosc, const QString &kod, int idU, int idF)
    {
        return host::callSibling<int(QString, QString, QString, int, int)>("data.dll", "_ZapiszUstaw", co, wartosc, kod,
                                                                           idU, idF)
            .value_or(-1);
    }

    static QStringList wiersze()
    {
        return host::GetListaStringDB(
            "select co || '|' || wartosc || '|' || coalesce(kod, '-') || '|' || coalesce(cast(id_u as text), '-')"
            " || '|' || coalesce(cast(id_f as text), '-') as w from ustawienia order by id_ust",
            "w");
    }
};

// Values are stored as typed, apostrophes included; a keyless write fails without a row.
TEST_P(DataTest, ASecondWriteOfTheSameKeyUpdatesItsRowAndOtherOwnersGetTheirOwn)
{
    const int idF = firma("Klient");
    const QString f = QString::number(idF);
    const QString t = "termin_zaplaty";
    const QString p = "partners.dll";
    const QString linia = "Płatne do 'końca' miesiąca; -- bez zmian";

    EXPECT_EQ(zapiszUstaw(QString(), "1", p, 0, 0), 0);
    EXPECT_EQ(zapiszUstaw(t, "30", p, 0, idF), 1);
    EXPECT_EQ(zapiszUstaw(t, "45", p, 0, idF), 1);
    EXPECT_EQ(wiersze(), QStringList{t + "|45|partners.dll|-|" + f});

    // A user's own row, a global row and another module's row stand beside it.
    EXPECT_EQ(zapiszUstaw(t, "14", p, 5, idF), 1);
    EXPECT_EQ(zapiszUstaw(t, linia, p, 0, 0), 1);
    EXPECT_EQ(zapiszUstaw(t, "60", "FK", 0, idF), 1);
    EXPECT_EQ(zapiszUstaw(t, "21", p, 5, idF), 1);
    EXPECT_EQ(wiersze(),
              (QStringList{t + "|45|partners.dll|-|" + f, t + "|21|partners.dll|5|" + f,
                           t + '|' + linia + "|partners.dll|-|-", t + "|60|FK|-|" + f}));
}

MALVO_INSTANTIATE_FOR_ENGINES(DataTest);
