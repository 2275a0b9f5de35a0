#pragma once

#include "connection.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// An empty database of one engine, made for one test and removed after it.
// PostgreSQL databases are created on the server named by MALVO_TEST_PG
// (scripts/test.sh starts one); without it PostgreSQL tests are skipped.
class ScratchDatabase
{
public:
    explicit ScratchDatabase(db::Engine engine);
    ~ScratchDatabase();

    bool available() const { return !m_target.isEmpty(); }
    const QString &target() const { return m_target; }
    db::Connection &connection();
    std::unique_ptr<db::Connection> openAnother() const;

private:
    db::Engine m_engine;
    QTemporaryDir m_dir;
    QString m_target;
    QString m_pgName;
    std::unique_ptr<db::Connection> m_connection;
};

// Both engines, for INSTANTIATE_TEST_SUITE_P.
std::vector<db::Engine> engines();
std::string engineName(const testing::TestParamInfo<db::Engine> &info);

// A fixture parameterised by engine that holds a fresh empty database;
// skips the test when the engine is not available here.
class EngineTest : public testing::TestWithParam<db::Engine>
{
protected:
    void SetUp() override;
    db::Connection &connection() { return m_db->connection(); }
    ScratchDatabase &scratch() { return *m_db; }

private:
    std::unique_ptr<ScratchDatabase> m_db;
};

} // namespace testsupport

#define MALVO_INSTANTIATE_FOR_ENGINES(Suite)                                                                           \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, testing::ValuesIn(testsupport::engines()), testsupport::engineName)
