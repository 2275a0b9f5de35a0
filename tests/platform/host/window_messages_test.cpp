#include "host_funcs.h"
#include "host_syscore.h"
#include "recording_main_window.h"
#include "scripted_prompter.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Messages = QList<testsupport::HostMessage>;

class WindowMessagesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window.reply = [](const testsupport::HostMessage &m) { return m.wParam + 100; };
        host::setMainWindow(&window);
        host::notifier()->clearRecords();
    }
    void TearDown() override { host::setMainWindow(nullptr); }

    testsupport::RecordingMainWindow window;
};

TEST_F(WindowMessagesTest, PostedAndSentMessagesArriveWithTheirParametersWhileTheMainWindowLives)
{
    QWidget list;
    EXPECT_TRUE(host::postToMainWindow(host::msg::WindowCreated, host::windowParam(&list), 0));
    EXPECT_TRUE(host::postToMainWindow(host::msg::ActiveCompanyChanged, 1, 0));
    EXPECT_TRUE(window.messages.isEmpty()); // posted, not yet delivered
    EXPECT_EQ(host::sendToMainWindow(host::msg::ListEditing, 1, 0), 101);
    EXPECT_EQ(window.messages, (Messages{{host::msg::ListEditing, 1, 0}}));
    QCoreApplication::sendPostedEvents(&window);
    EXPECT_EQ(window.messages,
              (Messages{{host::msg::ListEditing, 1, 0},
                        {host::msg::WindowCreated, host::windowParam(&list), 0},
                        {host::msg::ActiveCompanyChanged, 1, 0}}));

    QWidget deaf;
    EXPECT_EQ(host::sendMessage(&deaf, host::msg::CloseMe, 5, 0), 0);

    // Without a main window, or once it is destroyed, nothing is delivered.
    host::setMainWindow(nullptr);
    EXPECT_FALSE(host::postToMainWindow(host::msg::WindowCreated));
    EXPECT_EQ(host::sendToMainWindow(host::msg::WindowCreated), 0);
    auto gone = std::make_unique<QWidget>();
    host::setMainWindow(gone.get());
    gone.reset();
    EXPECT_EQ(host::mainWindow(), nullptr);
    EXPECT_FALSE(host::postToMainWindow(host::msg::WindowCreated));
}

TEST_F(WindowMessagesTest, CompanyChangesAreSignalledRecordedAndPosted)
{
    QSignalSpy companies(host::notifier(), &host::Notifier::companiesChanged);
    QSignalSpy dictionaries(host::notifier(), &host::Notifier::dictionaryChanged);
    QSignalSpy active(host::notifier(), &host::Notifier::activeCompanyChanged);
    host::OdswiezFirmy_main(19, 0);
    host::OdswiezFirmySlownik_main("firma_rodzaj");
    host::UstawAktKontroleFirme(12, nullptr, true, false, true);
    ASSERT_EQ(companies.count(), 1);
    EXPECT_EQ(companies.at(0).at(0).toInt(), 19);
    ASSERT_EQ(dictionaries.count(), 1);
    EXPECT_EQ(dictionaries.at(0).at(0).toString(), "firma_rodzaj");
    ASSERT_EQ(active.count(), 1);
    EXPECT_EQ(active.at(0).at(0).toInt(), 12);
    EXPECT_EQ(host::var::AktywnaFirma.get(), 12);
    ASSERT_EQ(host::notifier()->records().size(), 3);
    EXPECT_EQ(host::notifier()->records()[0].kind, host::Notifier::Record::Companies);
    EXPECT_EQ(host::notifier()->records()[2].kind, host::Notifier::Record::ActiveCompany);

    QCoreApplication::sendPostedEvents(&window);
    ASSERT_EQ(window.messages.size(), 3);
    EXPECT_EQ(window.messages[0], (testsupport::HostMessage{host::msg::CompaniesChanged, 19, 0}));
    EXPECT_EQ(window.messages[1].text, "firma_rodzaj");
    EXPECT_EQ(window.messages[2].message, host::msg::ActiveCompanyChanged);
    host::resetVariables();
}

TEST(WindowLimit, AnotherWindowRefusedAboveTheLimitAndEditorsCounted)
{
    auto &scripted = host::installScriptedPrompter();
    const int saved = host::windowLimit();
    QWidget open;
    open.show();
    host::setWindowLimit(100);
    EXPECT_TRUE(host::checkWindowsLimits());
    EXPECT_TRUE(scripted.questions().isEmpty());
    host::setWindowLimit(0);
    EXPECT_FALSE(host::checkWindowsLimits());
    EXPECT_EQ(scripted.questions().size(), 1);
    host::setWindowLimit(saved);
    host::setPrompter(nullptr);

    EXPECT_FALSE(host::isEdited(6));
    auto first = std::make_unique<QWidget>();
    QWidget second;
    host::registerEditor(6, first.get());
    host::registerEditor(6, &second);
    EXPECT_TRUE(host::isEdited(6));
    EXPECT_FALSE(host::isEdited(7));
    first.reset();
    EXPECT_TRUE(host::isEdited(6));
    host::unregisterEditor(6, &second);
    EXPECT_FALSE(host::isEdited(6));
}

TEST(Log, LinesFromManyThreadsStayWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/host.log");
    host::setLogFilePath(path);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back(QThread::create([t] {
            for (int i = 0; i < 50; ++i)
                host::save_log_to_file("lista.cpp", "Tramka_lista_frame::usunClick", t, "CATCH");
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        thread->wait();
    host::setLogFilePath(QString());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 200);
    for (const QString &line : lines)
        ASSERT_TRUE(line.endsWith("Tramka_lista_frame::usunClick: CATCH")) << line.toStdString();
}

} // namespace
