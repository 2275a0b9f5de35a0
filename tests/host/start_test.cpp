#include "connection.h"
#include "query.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome
{
    bool crashed = true;
    int code = -1;
    QString out, err;
};

// Runs the built program with its own files in `home`, with or without a display; one that does not finish
// in time counts as crashed.
Outcome malvo(const QStringList &arguments, const QString &home, bool display = true)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("MALVO_DB");
    environment.insert("XDG_DATA_HOME", home);
    environment.insert("MALVO_LOG", home + "/malvo.log");
    if (!display)
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MALVO_BIN_DIR "/malvo"), arguments);
    Outcome run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.code = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

int companies(const QString &file)
{
    auto connection = db::Connection::open(file);
    db::Query query(connection.get(), QStringLiteral("select count(*) from firma"));
    query.open();
    return query.value(0).toInt();
}

TEST(Start, ABadOrMissingDatabaseIsReportedOnStandardErrorAndLeftAsItWas)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.db"), shot = dir.filePath("x.png");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("hello\n");
    file.close();
    Outcome run = malvo({"--db", bad, "--screenshot", shot}, dir.path());
    EXPECT_FALSE(run.crashed);
    EXPECT_NE(run.code, 0);
    EXPECT_TRUE(run.err.contains("not a database")) << run.err.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "hello\n");

    const QString missing = dir.filePath("typo/malvo.db");
    run = malvo({"--db", missing, "--screenshot", shot}, dir.path());
    EXPECT_NE(run.code, 0);
    EXPECT_TRUE(run.err.contains("malvo db create " + missing)) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("typo")));
}

TEST(Start, TheDefaultRegisterStartsEmptyAndTheDemoDatabaseHoldsCompanies)
{
    QTemporaryDir dir;
    EXPECT_EQ(malvo({"--screenshot", dir.filePath("a.png")}, dir.path()).code, 0);
    EXPECT_EQ(malvo({"--demo", "--screenshot", dir.filePath("b.png")}, dir.path()).code, 0);
    EXPECT_EQ(companies(dir.filePath("malvo/malvo.db")), 0);
    EXPECT_EQ(companies(dir.filePath("malvo/demo.db")), 200);
}

TEST(Start, OptionsAreReadWithoutADisplay)
{
    QTemporaryDir dir;
    Outcome run = malvo({"--bogus"}, dir.path(), false);
    EXPECT_FALSE(run.crashed);
    EXPECT_NE(run.code, 0);
    EXPECT_TRUE(run.err.contains("bogus")) << run.err.toStdString();
    run = malvo({"--help"}, dir.path(), false);
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.contains("--demo")) << run.out.toStdString();
}

} // namespace
