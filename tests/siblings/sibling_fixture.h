#pragma once

#include "host_fixture.h"
#include "siblings.h"

#include <QDialog>
#include <functional>

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

    // Presses OK on a window left incomplete by `zmien`, notes whether it
    // stayed open, then cancels it.
    Answer okNaNiepelnym(std::function<void(QDialog &)> zmien)
    {
        return Answer::dialog([this, zmien](QDialog &okno) {
            zmien(okno);
            okno.accept();
            m_otwarteMimoOk = okno.result() != QDialog::Accepted;
            okno.reject();
        });
    }

    // The window stayed open and its only message names the missing field.
    void odmowionoBez(const char *pole)
    {
        EXPECT_TRUE(m_otwarteMimoOk);
        ASSERT_EQ(prompter().messageTexts().size(), 1);
        EXPECT_TRUE(prompter().messageTexts().first().contains(QLatin1String(pole)))
            << prompter().messageTexts().first().toStdString();
    }

    bool m_otwarteMimoOk = false;

    // Written directly, not through the code under test.
    static int wstaw(const QString &tabela, const QString &kolumnaId, const QVariantMap &wartosci)
    {
        const QStringList kolumny = wartosci.keys();
        host::ExecQuery(
            QString("insert into %1 (%2) values (:%3)").arg(tabela, kolumny.join(", "), kolumny.join(", :")), nullptr,
            0, wartosci);
        return ile(QString("select max(%1) from %2").arg(kolumnaId, tabela));
    }

    static int firma(const QString &nazwa) { return wstaw("firma", "id_f", {{"nazwa", nazwa}, {"skrot", nazwa}}); }

    static int ile(const QString &sql, const QVariantMap &parametry = {})
    {
        return host::GetIntDB(sql, QString(), nullptr, parametry);
    }

    static QString tekst(const QString &sql, const QVariantMap &parametry = {})
    {
        return host::GetStringDB(sql, QString(), nullptr, parametry);
    }
};
