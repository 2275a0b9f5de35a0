#pragma once

#include "company/dane_firmy.h"
#include "company/walidacja_firmy.h"

#include "connection.h"
#include "host_fixture.h"
#include "host_variables.h"
#include "query.h"
#include "siblings.h"

#include <QLineEdit>
#include <QVariantMap>
#include <ostream>
#include <stdexcept>
#include <string>

// Readable texts in failure messages.
inline void PrintTo(const QString &tekst, std::ostream *os)
{
    *os << '"' << tekst.toStdString() << '"';
}

namespace partners {
inline void PrintTo(PoleFirmy pole, std::ostream *os)
{
    *os << "PoleFirmy(" << int(pole) << ')';
}
} // namespace partners

namespace firmatest {

using Answer = host::ScriptedPrompter::Answer;

// A bootstrapped host on a fresh suite database, with helpers that write
// companies directly (not through the code under test).
class FirmaTest : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        m_warszawa = host::GetIntDB(QStringLiteral("select min(id_m) from miasto where miasto = 'Warszawa'"));
        m_kodWarszawy = host::GetIntDB(QStringLiteral("select min(id_kodu) from kod_pocztowy where id_m = :id_m"),
                                       QString(), nullptr, {{QStringLiteral("id_m"), m_warszawa}});
        ASSERT_GT(m_warszawa, 0);
    }

    // Every scripted answer was asked for, in its turn; a test's sibling folder goes.
    void TearDown() override
    {
        if (!IsSkipped()) {
            EXPECT_TRUE(prompter().mismatches().isEmpty());
            EXPECT_EQ(prompter().pendingAnswers(), 0) << "a scripted answer was never asked for";
            host::setSiblingDirectory(QString());
        }
        HostDatabaseTest::TearDown();
    }

    int wstaw(const QString &tabela, const QString &kolumnaId, const QVariantMap &wartosci)
    {
        QStringList kolumny;
        QStringList miejsca;
        for (auto it = wartosci.cbegin(); it != wartosci.cend(); ++it) {
            kolumny << it.key();
            miejsca << QLatin1Char(':') + it.key();
        }
        const QString insert = QStringLiteral("insert into %1 (%2) values (%3)")
                                   .arg(tabela, kolumny.join(QLatin1String(", ")), miejsca.join(QLatin1String(", ")));
        db::Query q(host::GetConnection(), host::GetConnection()->dialect().insertReturningId(insert, kolumnaId));
        for (auto it = wartosci.cbegin(); it != wartosci.cend(); ++it)
            q.parameters().setValue(it.key(), it.value());
        q.open();
        q.first();
        return q.value(0).toInt();
    }

    int firma(const QString &nazwa, const QVariantMap &inne = {})
    {
        QVariantMap w = inne;
        w.insert(QStringLiteral("nazwa"), nazwa);
        return wstaw(QStringLiteral("firma"), QStringLiteral("id_f"), w);
    }

    // A company with a default address in Warsaw, its short name cut from the name unless given.
    int firmaZAdresem(const QString &nazwa, QVariantMap inne = {})
    {
        if (!inne.contains(QStringLiteral("skrot")))
            inne.insert(QStringLiteral("skrot"), nazwa.left(10));
        const int id = firma(nazwa, inne);
        wstaw(QStringLiteral("adres"), QStringLiteral("id_adr"),
              {{"id_", id}, {"tabela", 7}, {"id_m", m_warszawa}, {"id_kodu", m_kodWarszawy}, {"czy_domyslny", 1}});
        return id;
    }

    // A control of a window by its name; a missing one ends the test.
    template <typename T = QLineEdit>
    static T *pole(QWidget &okno, const char *nazwa)
    {
        T *w = okno.findChild<T *>(QLatin1String(nazwa));
        if (!w)
            throw std::runtime_error(std::string("no control ") + nazwa);
        return w;
    }
    static QString tekst(const char *klucz) { return host::LoadResstrings(QLatin1String(klucz)); }

    // Values that pass every required-field step.
    partners::DaneFirmy poprawna(const QString &nazwa = QStringLiteral("Nowa Firma Testowa"),
                                 const QString &skrot = QStringLiteral("NFT"))
    {
        partners::DaneFirmy d = partners::nowaFirma();
        d.nazwa = nazwa;
        d.skrot = skrot;
        d.idM = m_warszawa;
        d.idKodu = m_kodWarszawy;
        return d;
    }

    int ile(const QString &sql, const QVariantMap &parametry = {})
    {
        return host::GetIntDB(sql, QString(), nullptr, parametry);
    }
    QString tekstDB(const QString &sql, const QVariantMap &parametry = {})
    {
        return host::GetStringDB(sql, QString(), nullptr, parametry);
    }

    // The messages shown since the last oznacz(), joined, so failures read well.
    std::string komunikaty() { return lista(prompter().messageTexts().mid(m_znacznik)); }
    void oznacz() { m_znacznik = int(prompter().messageTexts().size()); }
    static std::string lista(const QStringList &teksty) { return teksty.join(QLatin1String(" | ")).toStdString(); }

    int m_znacznik = 0;

    int m_warszawa = 0;
    int m_kodWarszawy = 0;
};

} // namespace firmatest
