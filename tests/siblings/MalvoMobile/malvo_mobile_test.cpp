#include "sibling_fixture.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

class MalvoMobileTest : public SiblingTest
{
protected:
    static int synchronizuj(int idF, int apdId, const QString &token)
    {
        return host::callSibling<int(int, int, QString)>("data\\MalvoMobile\\MalvoMobile.dll", "_SynchronizeAPD", idF,
                                                         apdId, token)
            .value_or(-1);
    }

    static QStringList kolejka()
    {
        return host::GetListaStringDB("select wartosc from ustawienia where kod = 'MalvoMobile'"
                                      " and co = 'apd_do_wyslania' and id_u is null order by id_f");
    }
};

TEST_P(MalvoMobileTest, APendingPushOfACompanyIsReplacedByTheNewerOne)
{
    const int a = firma("A");
    const int b = firma("B");
    const QDateTime przed = QDateTime::currentDateTimeUtc().addSecs(-1);
    // Nothing is queued for a company that does not exist.
    EXPECT_EQ(synchronizuj(987654, 1, "t"), 0);
    EXPECT_EQ(synchronizuj(0, 1, "t"), 0);
    EXPECT_TRUE(kolejka().isEmpty());

    EXPECT_EQ(synchronizuj(a, 11, "stary"), 1);
    EXPECT_EQ(synchronizuj(b, 0, QString()), 1);
    EXPECT_EQ(synchronizuj(a, 12, "nowy'token"), 1);

    const QStringList wiersze = kolejka();
    ASSERT_EQ(wiersze.size(), 2);
    const QJsonObject pierwszy = QJsonDocument::fromJson(wiersze[0].toUtf8()).object();
    EXPECT_EQ(pierwszy.value("apd_id").toInt(), 12);
    EXPECT_EQ(pierwszy.value("apd_token").toString(), "nowy'token");
    EXPECT_EQ(pierwszy.value("id_u").toInt(), host::AktIdU());
    EXPECT_GE(QDateTime::fromString(pierwszy.value("zgloszono").toString(), Qt::ISODate), przed);
    // A company whose APD data was cleared is pushed too, so the service drops it.
    const QJsonObject drugi = QJsonDocument::fromJson(wiersze[1].toUtf8()).object();
    EXPECT_TRUE(drugi.value("apd_id").isNull());
    EXPECT_TRUE(drugi.value("apd_token").isNull());
}

MALVO_INSTANTIATE_FOR_ENGINES(MalvoMobileTest);
