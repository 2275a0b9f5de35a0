#pragma once

#include "connection.h"
#include "host_fixture.h"
#include "query.h"
#include "siblings.h"

#include <QVariantMap>

// A bootstrapped host whose siblings are the ones just built.
class SiblingTest : public HostDatabaseTest
{
protected:
    using Answer = host::ScriptedPrompter::Answer;

    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    }

    void TearDown() override
    {
        host::setSiblingDirectory(QString());
        HostDatabaseTest::TearDown();
    }

    // Written directly, not through the code under test.
    static int wstaw(const QString &tabela, const QString &kolumnaId, const QVariantMap &wartosci)
    {
        QStringList kolumny;
        QStringList miejsca;
        for (auto it = wartosci.cbegin(); it != wartosci.cend(); ++it) {
            kolumny << it.key();
            miejsca << QLatin1Char(':') + it.key();
        }
        db::Connection *c = host::GetConnection();
        db::Query q(c,
                    c->dialect().insertReturningId(
                        QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(tabela, kolumny.join(QLatin1String(", ")), miejsca.join(QLatin1String(", "))),
                        kolumnaId));
        for (auto it = wartosci.cbegin(); it != wartosci.cend(); ++it)
            q.parameters().setValue(it.key(), it.value());
        q.open();
        return q.value(0).toInt();
    }

    static int firma(const QString &nazwa)
    {
        return wstaw(QStringLiteral("firma"), QStringLiteral("id_f"),
                     {{QStringLiteral("nazwa"), nazwa}, {QStringLiteral("skrot"), nazwa}});
    }

    static int ile(const QString &sql, const QVariantMap &parametry = {})
    {
        return host::GetIntDB(sql, QString(), nullptr, parametry);
    }

    static QString tekst(const QString &sql, const QVariantMap &parametry = {})
    {
        return host::GetStringDB(sql, QString(), nullptr, parametry);
    }
};
