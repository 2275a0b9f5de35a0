#pragma once

#include "bootstrap.h"
#include "host_funcs.h"
#include "scratch_database.h"
#include "scripted_prompter.h"
#include "services.h"

#include <QFile>
#include <QTemporaryDir>

// A bootstrapped host on a fresh database of the test's engine, with a
// scripted prompter and a log of its own.
class HostDatabaseTest : public testsupport::EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        host::setLogFilePath(m_logDir.filePath(QStringLiteral("host.log")));
        m_prompter = &host::installScriptedPrompter();
        bootstrapAs(QStringLiteral("admin"));
    }

    void TearDown() override
    {
        if (!m_prompter)
            return; // skipped before bootstrapping
        host::shutdown();
        host::setPrompter(nullptr);
        host::setLogFilePath(QString());
    }

    void bootstrapAs(const QString &login, const QString &language = QStringLiteral("pl"))
    {
        host::BootstrapOptions options;
        options.database = scratch().target();
        options.login = login;
        options.language = language;
        host::bootstrap(options);
    }

    QString logText() const
    {
        QFile file(m_logDir.filePath(QStringLiteral("host.log")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    host::ScriptedPrompter &prompter() { return *m_prompter; }

private:
    QTemporaryDir m_logDir;
    host::ScriptedPrompter *m_prompter = nullptr;
};
