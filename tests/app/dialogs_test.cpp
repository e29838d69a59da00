// The small start-up and shutdown dialogs driven as a user would, and the
// password question handed from the login thread to the windows.
#include "app/app_test_support.h"
#include "friends/group_choice_dialog.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "protocol/command_codes.h"
#include "protocol/request_engine.h"
#include "session/app_texts.h"
#include "session/shell_fakes.h"
#include "shell/autorun_question_dialog.h"
#include "shell/feedback_dialog.h"
#include "shell/local_user_dialogs.h"
#include "shell/password_dialog.h"
#include "shell/password_prompt.h"
#include "shell/splash_window.h"
#include "storage/options.h"
#include "support/fake_peer.h"
#include "support/temp_dir.h"
#include "ui/image_button.h"
#include "ui/local_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace murmex {
namespace {

QStringList Labels(QWidget* dialog) {
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

TEST(AutorunQuestion, BothAnswersTakeTheBoxButClosingDoesNot) {
    {
        CAutorunQuestionDialog dialog;
        dialog.show();
        // The desktop session is "the system" here, whatever it is.
        EXPECT_TRUE(Labels(&dialog).contains(
            QStringLiteral("Czy chcesz, aby Murmex był uruchamiany przy każdym starcie systemu?")));
        dialog.DontAskBox()->setChecked(true);
        dialog.NoButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(dialog.DontAskAgain());
    }
    {
        CAutorunQuestionDialog dialog;
        dialog.show();
        dialog.YesButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.DontAskAgain());
    }
    {
        // The close button is no answer: the box is not taken.
        CAutorunQuestionDialog dialog;
        dialog.show();
        dialog.DontAskBox()->setChecked(true);
        dialog.CloseButton()->click();
        ASSERT_TRUE(test::WaitFor([&] { return !dialog.isVisible(); }));
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.DontAskAgain());
    }
}

std::vector<SChoice> TwoUsers() {
    return {{11, Utf8ToWin1250("Łucja")}, {22, "bartek"}};
}

TEST(ChooseLocalUser, OffersTheUsersInOrderWithTheFirstChosen) {
    test::CFakeMessageBox box;
    CChooseLocalUserDialog dialog(TwoUsers(), box);
    dialog.show();
    EXPECT_EQ(dialog.CaptionText(), QStringLiteral("Murmex"));
    ASSERT_EQ(dialog.List()->count(), 2);
    EXPECT_EQ(dialog.List()->item(0)->text(), QStringLiteral("Łucja"));
    EXPECT_EQ(dialog.List()->item(1)->text(), QStringLiteral("bartek"));
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenQid(), 11);
    EXPECT_TRUE(box.Shown().empty());
}

TEST(ChooseLocalUser, OkWithoutAChoiceRemindsAndStaysOpen) {
    test::CFakeMessageBox box;
    CChooseLocalUserDialog dialog(TwoUsers(), box);
    dialog.show();
    dialog.List()->clearSelection();
    dialog.OkButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.ChosenQid(), 0);
    EXPECT_EQ(box.Shown(), std::vector<std::string>{"Musisz wybrać użytkownika!"});

    dialog.List()->item(1)->setSelected(true);
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenQid(), 22);
}

TEST(ChooseLocalUser, CancelChoosesNobody) {
    test::CFakeMessageBox box;
    CChooseLocalUserDialog dialog(TwoUsers(), box);
    dialog.show();
    dialog.CancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.ChosenQid(), 0);
}

TEST(DeleteLocalUser, NothingIsChosenBeforehand) {
    test::CFakeMessageBox box;
    CDeleteLocalUserDialog dialog(TwoUsers(), box);
    dialog.show();
    EXPECT_TRUE(dialog.List()->selectedItems().isEmpty());
    dialog.OkButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(box.Shown(), std::vector<std::string>{
                               "Musisz wybrać użytkownika do skasowania, aby kontynuować."});
    dialog.List()->item(0)->setSelected(true);
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.ChosenQid(), 11);
}

TEST(DeleteLocalUser, TheOnlyUserIsChosenBeforehand) {
    test::CFakeMessageBox box;
    CDeleteLocalUserDialog dialog({{11, "ala"}}, box);
    dialog.show();
    dialog.OkButton()->click();
    EXPECT_TRUE(box.Shown().empty());
    EXPECT_EQ(dialog.ChosenQid(), 11);
}

TEST(PasswordDialog, TakesAtMost32CharactersWithTheFocusInTheField) {
    CPasswordDialog dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(test::WaitFor([&] { return dialog.Field()->hasFocus(); }));
    EXPECT_EQ(dialog.Field()->echoMode(), QLineEdit::Password);
    QTest::keyClicks(dialog.Field(), QString(40, QLatin1Char('x')));
    EXPECT_EQ(dialog.Password(), QString(32, QLatin1Char('x')));
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(PasswordPrompt, TheLoginThreadWaitsForTheAnswerGivenOnTheUiThread) {
    CQtPasswordPrompt prompt;
    std::thread::id askedOn;
    prompt.SetAsker([&](QWidget*, QString& password) {
        askedOn = std::this_thread::get_id();
        password = QStringLiteral("zażółć");
        return true;
    });
    auto answer = std::async(std::launch::async, [&] {
        std::string password;
        const bool ok = prompt.AskPassword(7, password);
        return std::make_pair(ok, password);
    });
    ASSERT_TRUE(test::WaitFor(
        [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    const auto [ok, password] = answer.get();
    EXPECT_TRUE(ok);
    // The core keeps the password as the wire and the file need it.
    EXPECT_EQ(password, Utf8ToWin1250("zażółć"));
    EXPECT_EQ(askedOn, std::this_thread::get_id());
}

TEST(PasswordPrompt, CancelAndShutdownAnswerNoPassword) {
    CQtPasswordPrompt prompt;
    prompt.SetAsker([](QWidget*, QString&) { return false; });
    std::string password = "stays";
    EXPECT_FALSE(prompt.AskPassword(7, password));
    EXPECT_EQ(password, "stays");

    // A login thread waiting while the program ends is let go at once: the UI
    // thread will not come back to show the dialog.
    int asked = 0;
    prompt.SetAsker([&](QWidget*, QString&) {
        ++asked;
        return true;
    });
    auto answer = std::async(std::launch::async, [&] {
        std::string typed;
        return prompt.AskPassword(7, typed);
    });
    const auto waitingDeadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (prompt.Waiting() == 0 && std::chrono::steady_clock::now() < waitingDeadline)
        std::this_thread::yield();
    ASSERT_EQ(prompt.Waiting(), 1);
    prompt.StopForShutdown();
    EXPECT_FALSE(answer.get());
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, 0);
    std::string typed;
    EXPECT_FALSE(prompt.AskPassword(7, typed));
}

TEST(GroupChoice, GivesTheChosenGroupOrNone) {
    CGroupChoiceDialog dialog({{5, "Rodzina"}, {9, Utf8ToWin1250("Przyjaciele z pracy ąę")}});
    dialog.show();
    ASSERT_EQ(dialog.Groups()->count(), 2);
    EXPECT_EQ(dialog.Groups()->itemText(1), QStringLiteral("Przyjaciele z pracy ąę"));
    dialog.Groups()->setCurrentIndex(1);
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenGroup(), 9);

    CGroupChoiceDialog empty({});
    empty.show();
    empty.OkButton()->click();
    EXPECT_EQ(empty.result(), QDialog::Accepted);
    EXPECT_EQ(empty.ChosenGroup(), -1);
}

TEST(Splash, ClosesItselfWhenItsTimeIsUp) {
    CSplashWindow splash(1);
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    const QImage picture = CSplashWindow::Picture(2.0);
    EXPECT_EQ(picture.size(), QSize(CSplashWindow::kWidth, CSplashWindow::kHeight) * 2);
}

// A data manager talking to a scripted peer, for the feedback dialog.
class FeedbackDialog : public ::testing::Test {
protected:
    void SetUp() override {
        SEngineSettings s;
        s.port = peer.Port();
        s.connectWait = s.writeWait = s.readWait = s.lockWait = std::chrono::seconds(5);
        engine = std::make_unique<CRequestEngine>(s);
        engine->SetAddressSource([] { return std::string("127.0.0.1"); });
        ASSERT_TRUE(engine->Connect());
        channels = std::make_unique<CChannelList>(*engine, CSystemClock::Instance());
        data = std::make_unique<CDataManager>(*engine, *channels, CSystemClock::Instance());
    }
    void TearDown() override {
        data->Shutdown();
        ClearOptions();
    }

    test::CTempDataDir dir;
    test::CFakePeer peer;
    std::unique_ptr<CRequestEngine> engine;
    std::unique_ptr<CChannelList> channels;
    std::unique_ptr<CDataManager> data;
    test::CFakeMessageBox box;
};

TEST_F(FeedbackDialog, SendsTheTextAndCloses) {
    CFeedbackDialog dialog(*data, box);
    dialog.show();
    dialog.Field()->setPlainText(QStringLiteral("Świetny program\nDzięki"));
    dialog.SendButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(box.Shown().empty());
    ASSERT_TRUE(peer.WaitForRequests(2));
    const std::string request = peer.Requests()[1];
    EXPECT_EQ(request.rfind(std::to_string(CMD_FEEDBACK) + " ", 0), 0u);
    std::string expected = Utf8ToWin1250("text=\"Świetny program~Dzięki\"");
    Win1250ToWire(expected);
    EXPECT_NE(request.find(expected), std::string::npos) << request;
}

TEST_F(FeedbackDialog, AFailureIsToldAndKeepsTheTextForAnotherTry) {
    peer.Reply("4000 \r\n");
    CFeedbackDialog dialog(*data, box);
    dialog.show();
    dialog.Field()->setPlainText(QStringLiteral("uwagi"));
    dialog.SendButton()->click();
    EXPECT_EQ(box.Shown(), std::vector<std::string>{"Nie mogę wysłać wiadomości!"});
    EXPECT_TRUE(dialog.isVisible()) << "closing would lose what the user wrote";
    EXPECT_EQ(dialog.Field()->toPlainText(), QStringLiteral("uwagi"));
    EXPECT_TRUE(dialog.SendButton()->isEnabled());
    EXPECT_TRUE(dialog.Field()->isEnabled());

    // The second try goes through and closes it.
    dialog.SendButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(box.Shown().size(), 1u);
}

TEST_F(FeedbackDialog, WyslijWaitsForSomethingToSend) {
    CFeedbackDialog dialog(*data, box);
    dialog.show();
    EXPECT_FALSE(dialog.SendButton()->isEnabled());
    dialog.Field()->setPlainText(QStringLiteral("  \n "));
    EXPECT_FALSE(dialog.SendButton()->isEnabled()) << "blanks are nothing to send";
    dialog.Field()->setPlainText(QStringLiteral("uwagi"));
    EXPECT_TRUE(dialog.SendButton()->isEnabled());
    dialog.Field()->clear();
    EXPECT_FALSE(dialog.SendButton()->isEnabled());
}

TEST_F(FeedbackDialog, KeepsAtMostAThousandCharacters) {
    CFeedbackDialog dialog(*data, box);
    dialog.show();
    dialog.Field()->setPlainText(QString(1200, QLatin1Char('a')));
    EXPECT_EQ(dialog.Field()->toPlainText().size(), CFeedbackDialog::kMaxLength);
    dialog.Field()->moveCursor(QTextCursor::End);
    QTest::keyClicks(dialog.Field(), QStringLiteral("bcd"));
    EXPECT_EQ(dialog.Field()->toPlainText(), QString(1000, QLatin1Char('a')));
}

} // namespace
} // namespace murmex
