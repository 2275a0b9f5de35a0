#include "host_funcs.h"
#include "host_variables.h"
#include "scripted_prompter.h"
#include "services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

using host::ScriptedPrompter;
using Answer = ScriptedPrompter::Answer;

class PrompterTest : public testing::Test
{
protected:
    void SetUp() override { m_prompter = &host::installScriptedPrompter(); }
    void TearDown() override { host::setPrompter(nullptr); }
    ScriptedPrompter &scripted() { return *m_prompter; }

private:
    ScriptedPrompter *m_prompter = nullptr;
};

TEST_F(PrompterTest, MessagesTakeScriptedAnswersInOrderThenTheDefaultAndAreRecorded)
{
    // flags, first button, answer to Escape
    const int defaults[][3] = {{0, 1, 1}, {1, 1, 2}, {4, 6, 7}, {36, 6, 7}, {3, 6, 2}, {5, 4, 2}};
    for (const auto &[flags, first, escape] : defaults) {
        EXPECT_EQ(host::mb::firstButton(flags), first) << flags;
        EXPECT_EQ(host::mb::escapeAnswer(flags), escape) << flags;
    }
    scripted().answerMessage(6).answerMessage(7).answerMessage(2);
    EXPECT_EQ(host::InfoBox(nullptr, "first?", 35), 6);
    EXPECT_EQ(host::InfoBox("second?", 35), 7);
    EXPECT_EQ(host::InfoBox(nullptr, "third?", 35), 2);
    EXPECT_EQ(scripted().pendingAnswers(), 0);
    EXPECT_EQ(scripted().messageTexts(), (QStringList{"first?", "second?", "third?"}));

    EXPECT_EQ(host::InfoBox(nullptr, "q", 36), 6);
    EXPECT_EQ(host::InfoBox(nullptr, "i", 64), 1);
    scripted().setDefaultMessageAnswer(7);
    EXPECT_EQ(host::InfoBox(nullptr, "q", 36), 7);
    scripted().clearDefaultMessageAnswer();
    EXPECT_EQ(host::InfoBox(nullptr, "q", 3), 6);

    // Each question keeps its flags, caption and translated text.
    host::services().setTranslation("Resstrings_IDS_Czy_usunac", "Usunąć?");
    host::InfoBox(nullptr, "Resstrings_IDS_Czy_usunac", 36, "Pytanie");
    host::InfoWarning("uwaga");
    host::InfoBoxTop("na wierzchu");
    host::InfoError("błąd");
    host::KomunikatZapisuBlad(117);
    host::services().reset();

    const auto q = scripted().questions().mid(7);
    ASSERT_EQ(q.size(), 5);
    EXPECT_EQ(q[0].text, "Usunąć?");
    EXPECT_EQ(q[0].flags, 36);
    EXPECT_EQ(q[0].caption, "Pytanie");
    EXPECT_EQ(q[1].flags & host::mb::IconMask, host::mb::IconWarning);
    EXPECT_EQ(q[1].caption, "Malvo");
    EXPECT_TRUE(q[2].flags & host::mb::TopMost);
    EXPECT_EQ(q[3].flags & host::mb::IconMask, host::mb::IconError);
    EXPECT_TRUE(q[4].text.contains("117"));
    EXPECT_EQ(q[4].flags & host::mb::IconMask, host::mb::IconError);
}

TEST_F(PrompterTest, ModalDialogAndChoicesTakeOnlyAnswersOfTheirKindElseCancel)
{
    QDialog dialog;
    dialog.setObjectName("nazwa_form");
    dialog.setWindowTitle("Nazwa");
    auto *edit = new QLineEdit(&dialog);
    edit->setObjectName("nazwa");
    scripted().push(Answer::dialog([](QDialog &d) {
        d.findChild<QLineEdit *>("nazwa")->setText("Nowa");
        d.accept();
    }));
    EXPECT_EQ(host::prompter().runModal(&dialog), QDialog::Accepted);
    EXPECT_EQ(edit->text(), "Nowa");
    EXPECT_FALSE(dialog.isVisible());
    const auto modal = scripted().questionsOf(ScriptedPrompter::Kind::Modal);
    ASSERT_EQ(modal.size(), 1);
    EXPECT_EQ(modal[0].dialogName, "nazwa_form");
    EXPECT_EQ(modal[0].dialogClass, "QDialog");

    scripted().push(Answer::openFile("/tmp/a.csv"));
    EXPECT_EQ(host::InfoBox(nullptr, "q", 4), 6); // default, the file answer stays
    EXPECT_EQ(scripted().mismatches().size(), 1);
    EXPECT_EQ(host::prompter().chooseOpenFile(nullptr, "Plik", "/tmp", "*.csv"), "/tmp/a.csv");
    const auto files = scripted().questionsOf(ScriptedPrompter::Kind::OpenFile);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0].dir, "/tmp");
    EXPECT_EQ(files[0].filter, "*.csv");

    QDialog plain;
    EXPECT_EQ(host::prompter().runModal(&plain), QDialog::Rejected);
    EXPECT_TRUE(host::prompter().chooseSaveFile(nullptr, {}, {}, {}).isEmpty());
    EXPECT_TRUE(host::get_directory(nullptr, "Folder", "C:\\dane").isEmpty());
    EXPECT_FALSE(host::prompter().inputText(nullptr, {}, {}, {}).has_value());
    const auto dirs = scripted().questionsOf(ScriptedPrompter::Kind::Directory);
    ASSERT_EQ(dirs.size(), 1);
    EXPECT_EQ(dirs[0].dir, "C:/dane");

    scripted().push(Answer::directory("/srv/dok")).push(Answer::input("plik2.pdf")).push(Answer::dialogResult(5));
    EXPECT_EQ(host::get_directory(nullptr, {}, {}), "/srv/dok");
    EXPECT_EQ(host::prompter().inputText(nullptr, {}, {}, "plik.pdf").value_or(QString()), "plik2.pdf");
    EXPECT_EQ(host::prompter().runModal(&plain), 5);

    EXPECT_TRUE(host::SendMail({"C:\\dok\\a.pdf"}));
    const auto mails = scripted().questionsOf(ScriptedPrompter::Kind::SendMail);
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0].attachments, QStringList{"C:/dok/a.pdf"});
}

TEST_F(PrompterTest, ErrorOnAWorkerThreadIsShownLaterOnTheUiThread)
{
    QTemporaryDir dir;
    host::setLogFilePath(dir.filePath("host.log"));
    int result = 0;
    std::unique_ptr<QThread> worker(QThread::create([&result] { result = host::GetIntDB("select 1"); }));
    worker->start();
    worker->wait();
    host::setLogFilePath(QString());
    EXPECT_EQ(result, -1); // no connection
    EXPECT_TRUE(scripted().questions().isEmpty());
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(scripted().questions().size(), 1);
    EXPECT_EQ(scripted().questions()[0].flags & host::mb::IconMask, host::mb::IconError);
}

// The real box: its buttons carry the suite's codes.
TEST(WidgetPrompter, ClickedButtonGivesItsCode)
{
    host::WidgetPrompter widgets;
    int shown = 0;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = int(box->buttons().size());
        QAbstractButton *no = nullptr;
        for (QAbstractButton *b : box->buttons())
            if (box->buttonRole(b) == QMessageBox::NoRole)
                no = b;
        if (no)
            no->click();
        else
            box->reject(); // never leave the test waiting on the box
    });
    EXPECT_EQ(widgets.messageBox(nullptr, "Czy?", 35, "Malvo"), 7);
    EXPECT_EQ(shown, 3);
}

// The real mail path, with a program in place of xdg-email that writes down its arguments.
TEST(WidgetPrompter, MailGivesEachAttachmentAsALocalPathAndLeavesOutEmptyTexts)
{
    host::setPrompter(nullptr);
    QTemporaryDir dir;
    host::setLogFilePath(dir.filePath("host.log"));
    const auto restore = qScopeGuard([] {
        host::resetVariables();
        host::setLogFilePath(QString());
    });
    const QString program = dir.filePath("poczta.sh");
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    ASSERT_TRUE(host::var::MailCommand.set(program));

    EXPECT_TRUE(host::SendMail({dir.path() + "\\Firma 1\\umowa żółć.pdf", "/srv/dok/a b.jpg"}));
    QFile arguments(program + ".args");
    ASSERT_TRUE(QTest::qWaitFor([&] { return arguments.exists(); }, 10000));
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(arguments.readAll()).split('\n', Qt::SkipEmptyParts),
              (QStringList{"--attach", dir.path() + "/Firma 1/umowa żółć.pdf", "--attach", "/srv/dok/a b.jpg"}));

    ASSERT_TRUE(host::var::MailCommand.set(dir.filePath("brak")));
    EXPECT_FALSE(host::SendMail({"/srv/dok/a.pdf"}));
    QFile log(dir.filePath("host.log"));
    EXPECT_TRUE(log.open(QIODevice::ReadOnly) && log.readAll().contains("brak could not be started"));
}

} // namespace
