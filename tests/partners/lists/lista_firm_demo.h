#pragma once

#include "lists/lista_firm_zapytanie.h"

#include "connection.h"
#include "demo.h"
#include "query.h"
#include "scratch_database.h"
#include "suitedb.h"

#include <QSet>
#include <QVariantMap>
#include <memory>

namespace listytest {

inline constexpr int FirmyDemo = 300;

// A fresh database of one engine with the suite's schema and demo companies.
class DemoBaza
{
public:
    explicit DemoBaza(db::Engine engine)
        : m_baza(engine)
    {
        if (!m_baza.available())
            return;
        suitedb::createOrUpgrade(m_baza.connection());
        suitedb::generateDemoCompanies(m_baza.connection(), FirmyDemo, 7);
    }

    bool dostepna() const { return m_baza.available(); }
    db::Connection &db() { return m_baza.connection(); }

private:
    testsupport::ScratchDatabase m_baza;
};

// A test on one engine's demo database; skipped when the engine is not available.
class DemoBazaTest : public testsupport::EngineTest
{
protected:
    void SetUp() override
    {
        m_baza = std::make_unique<DemoBaza>(GetParam());
        if (!m_baza->dostepna())
            GTEST_SKIP() << "engine not available";
    }

    db::Connection &db() { return m_baza->db(); }

    std::unique_ptr<DemoBaza> m_baza;
};

inline std::unique_ptr<db::Query> otworz(db::Connection &polaczenie, const partners::KomendaSql &komenda)
{
    auto zapytanie = std::make_unique<db::Query>(&polaczenie, komenda.tekst);
    zapytanie->setJoinedColumns(komenda.kolumnyDolaczane, QStringLiteral("id"));
    for (auto it = komenda.parametry.cbegin(); it != komenda.parametry.cend(); ++it)
        zapytanie->parameters().setValue(it.key(), it.value());
    zapytanie->open();
    return zapytanie;
}

// The column of every row, in result order.
inline QList<int> kolumnaInt(db::Connection &polaczenie, const partners::KomendaSql &komenda,
                             const QString &kolumna = QStringLiteral("id"))
{
    auto zapytanie = otworz(polaczenie, komenda);
    QList<int> wynik;
    for (zapytanie->first(); !zapytanie->eof(); zapytanie->next())
        wynik << (kolumna.isEmpty() ? zapytanie->value(0) : zapytanie->value(kolumna)).toInt();
    return wynik;
}

inline QSet<int> zbior(const QList<int> &lista)
{
    return QSet<int>(lista.cbegin(), lista.cend());
}

inline int wstaw(db::Connection &polaczenie, const QString &insert, const QString &kolumnaId,
                 const QVariantMap &parametry)
{
    return kolumnaInt(polaczenie, {polaczenie.dialect().insertReturningId(insert, kolumnaId), parametry}, QString())
        .value(0);
}

} // namespace listytest
