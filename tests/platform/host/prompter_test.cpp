#include "host_funcs.h"
#include "scripted_prompter.h"
#include "services.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
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

struct DefaultCase
{
    int flags;
    int first;
    int escape;
};

class MessageDefaults : public testing::TestWithParam<DefaultCase>
{};

TEST_P(MessageDefaults, FirstButtonAndEscape)
{
    EXPECT_EQ(host::mb::firstButton(GetParam().flags), GetParam().first);
    EXPECT_EQ(host::mb::escapeAnswer(GetParam().flags), GetParam().escape);
}

INSTANTIATE_TEST_SUITE_P(Flags, MessageDefaults,
                         testing::Values(DefaultCase{0, 1, 1}, DefaultCase{64, 1, 1}, DefaultCase{48, 1, 1},
                                         DefaultCase{16, 1, 1}, DefaultCase{1, 1, 2}, DefaultCase{4, 6, 7},
                                         DefaultCase{36, 6, 7}, DefaultCase{3, 6, 2}, DefaultCase{35, 6, 2},
                                         DefaultCase{5, 4, 2}));

TEST_F(PrompterTest, ScriptedAnswersAreUsedInOrder)
{
    scripted().answerMessage(6).answerMessage(7).answerMessage(2);
    EXPECT_EQ(host::InfoBox(nullptr, QStringLiteral("first?"), 35), 6);
    EXPECT_EQ(host::InfoBox(QStringLiteral("second?"), 35), 7);
    EXPECT_EQ(host::InfoBox(nullptr, QStringLiteral("third?"), 35), 2);
    EXPECT_EQ(scripted().pendingAnswers(), 0);
    EXPECT_EQ(scripted().messageTexts(), (QStringList{"first?", "second?", "third?"}));
}

TEST_F(PrompterTest, UnscriptedMessagesTakeTheDefault)
{
    EXPECT_EQ(host::InfoBox(nullptr, QStringLiteral("q"), 36), 6);
    EXPECT_EQ(host::InfoBox(nullptr, QStringLiteral("i"), 64), 1);
    scripted().setDefaultMessageAnswer(7);
    EXPECT_EQ(host::InfoBox(nullptr, QStringLiteral("q"), 36), 7);
    scripted().clearDefaultMessageAnswer();
    EXPECT_EQ(host::InfoBox(nullptr, QStringLiteral("q"), 3), 6);
}

TEST_F(PrompterTest, RecordsFlagsCaptionAndTranslatedText)
{
    host::services().setTranslation(QStringLiteral("Resstrings_IDS_Czy_usunac"), QStringLiteral("Usunąć?"));
    host::InfoBox(nullptr, QStringLiteral("Resstrings_IDS_Czy_usunac"), 36, QStringLiteral("Pytanie"));
    host::InfoWarning(QStringLiteral("uwaga"));
    host::InfoBoxTop(QStringLiteral("na wierzchu"));
    host::InfoError(QStringLiteral("błąd"));
    host::services().reset();

    const auto &q = scripted().questions();
    ASSERT_EQ(q.size(), 4);
    EXPECT_EQ(q[0].text, QStringLiteral("Usunąć?"));
    EXPECT_EQ(q[0].flags, 36);
    EXPECT_EQ(q[0].caption, QStringLiteral("Pytanie"));
    EXPECT_EQ(q[1].flags & host::mb::IconMask, host::mb::IconWarning);
    EXPECT_EQ(q[1].caption, QStringLiteral("Malvo"));
    EXPECT_TRUE(q[2].flags & host::mb::TopMost);
    EXPECT_EQ(q[3].flags & host::mb::IconMask, host::mb::IconError);
}

TEST_F(PrompterTest, AnswerOfAnotherKindIsNotTaken)
{
    scripted().push(Answer::openFile(QStringLiteral("/tmp/a.csv")));
    EXPECT_EQ(host::InfoBox(nullptr, QStringLiteral("q"), 4), 6); // default, the file answer stays
    EXPECT_EQ(scripted().mismatches().size(), 1);
    EXPECT_EQ(host::prompter().chooseOpenFile(nullptr, QStringLiteral("Plik"), QStringLiteral("/tmp"),
                                              QStringLiteral("*.csv")),
              QStringLiteral("/tmp/a.csv"));
    const auto files = scripted().questionsOf(ScriptedPrompter::Kind::OpenFile);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0].dir, QStringLiteral("/tmp"));
    EXPECT_EQ(files[0].filter, QStringLiteral("*.csv"));
}

TEST_F(PrompterTest, ModalDialogIsDrivenByTheScript)
{
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("nazwa_form"));
    dialog.setWindowTitle(QStringLiteral("Nazwa"));
    auto *edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("nazwa"));
    scripted().push(Answer::dialog([](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("nazwa"))->setText(QStringLiteral("Nowa"));
        d.accept();
    }));
    EXPECT_EQ(host::prompter().runModal(&dialog), QDialog::Accepted);
    EXPECT_EQ(edit->text(), QStringLiteral("Nowa"));
    EXPECT_FALSE(dialog.isVisible());
    const auto modal = scripted().questionsOf(ScriptedPrompter::Kind::Modal);
    ASSERT_EQ(modal.size(), 1);
    EXPECT_EQ(modal[0].dialogName, QStringLiteral("nazwa_form"));
    EXPECT_EQ(modal[0].dialogClass, QStringLiteral("QDialog"));
}

TEST_F(PrompterTest, UnscriptedModalIsRejectedAndChoicesCancelled)
{
    QDialog dialog;
    EXPECT_EQ(host::prompter().runModal(&dialog), QDialog::Rejected);
    EXPECT_TRUE(host::prompter().chooseSaveFile(nullptr, {}, {}, {}).isEmpty());
    EXPECT_TRUE(host::get_directory(nullptr, QStringLiteral("Folder"), QStringLiteral("C:\\dane")).isEmpty());
    EXPECT_FALSE(host::prompter().inputText(nullptr, {}, {}, {}).has_value());
    const auto dirs = scripted().questionsOf(ScriptedPrompter::Kind::Directory);
    ASSERT_EQ(dirs.size(), 1);
    EXPECT_EQ(dirs[0].dir, QStringLiteral("C:/dane"));
}

TEST_F(PrompterTest, ScriptedChoicesAndMailAreRecorded)
{
    scripted()
        .push(Answer::directory(QStringLiteral("/srv/dok")))
        .push(Answer::input(QStringLiteral("plik2.pdf")))
        .push(Answer::dialogResult(5));
    EXPECT_EQ(host::get_directory(nullptr, {}, {}), QStringLiteral("/srv/dok"));
    EXPECT_EQ(host::prompter().inputText(nullptr, {}, {}, QStringLiteral("plik.pdf")).value_or(QString()),
              QStringLiteral("plik2.pdf"));
    QDialog dialog;
    EXPECT_EQ(host::prompter().runModal(&dialog), 5);

    EXPECT_TRUE(host::SendMail({QStringLiteral("C:\\dok\\a.pdf")}));
    const auto mails = scripted().questionsOf(ScriptedPrompter::Kind::SendMail);
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0].attachments, QStringList{QStringLiteral("C:/dok/a.pdf")});
}

TEST_F(PrompterTest, SaveErrorNamesTheCode)
{
    host::KomunikatZapisuBlad(117);
    ASSERT_EQ(scripted().questions().size(), 1);
    EXPECT_TRUE(scripted().questions()[0].text.contains(QStringLiteral("117")));
    EXPECT_EQ(scripted().questions()[0].flags & host::mb::IconMask, host::mb::IconError);
}

TEST_F(PrompterTest, ErrorOnAWorkerThreadIsShownLaterOnTheUiThread)
{
    QTemporaryDir dir;
    host::setLogFilePath(dir.filePath(QStringLiteral("host.log")));
    int result = 0;
    std::unique_ptr<QThread> worker(
        QThread::create([&result] { result = host::GetIntDB(QStringLiteral("select 1")); }));
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
    EXPECT_EQ(widgets.messageBox(nullptr, QStringLiteral("Czy?"), 35, QStringLiteral("Malvo")), 7);
    EXPECT_EQ(shown, 3);
}

} // namespace
