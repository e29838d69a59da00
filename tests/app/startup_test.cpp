// The start-up sequence and shutdown of the program: whose data it opens,
// the autostart question, the start switch, the exit question and the help.
#include "app/startup_fixture.h"
#include "model/data_manager.h"
#include "protocol/request_engine.h"
#include "session/app_texts.h"
#include "session/heartbeat.h"
#include "session/main_menu_rules.h"
#include "shell/autorun_question_dialog.h"
#include "shell/exit_confirm_dialog.h"
#include "shell/hot_tip_dialog.h"
#include "shell/local_user_dialogs.h"
#include "shell/main_bar.h"
#include "shell/window_router.h"
#include "ui/question_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

namespace murmex {
namespace {

using test::CModalAnswer;

// Every run but the autostart tests' own says "do not ask".
const char* const kDontAsk = "autorun_dontask=\"1\"";

class Startup : public test::StartupFixture {};

TEST_F(Startup, AGivenUpRegistrationIsRecordedAndLeavesNoUser) {
    CModalAnswer<CAutorunQuestionDialog> autorun([](auto* d) { d->NoButton()->click(); });
    ASSERT_TRUE(Start());
    EXPECT_EQ(registration.Count(), 1);
    EXPECT_TRUE(app->FirstRunDone());
    EXPECT_EQ(app->Data()->CurrentLocalUser(), 0);
    EXPECT_NE(Config().find("RegWizStart=\"0\""), std::string::npos) << Config();
    ASSERT_NE(app->MainBar(), nullptr);
    EXPECT_TRUE(app->MainBar()->isVisible());
    EXPECT_TRUE(app->MainBar()->IsHeartbeatRunning());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Startup, TheOnlyLocalUserBecomesCurrent) {
    WriteConfig({"[Options]", kDontAsk, "", "[LocalUsers]", LocalUserLine(11, "ala")});
    ASSERT_TRUE(Start());
    EXPECT_FALSE(app->FirstRunDone());
    EXPECT_EQ(app->Data()->CurrentLocalUser(), 11);
    EXPECT_EQ(Config().find("RegWizStart"), std::string::npos);
}

TEST_F(Startup, WithSeveralLocalUsersTheChosenOneBecomesCurrent) {
    WriteConfig({"[Options]", kDontAsk, "", "[LocalUsers]", LocalUserLine(11, "ala"),
                 LocalUserLine(22, "bartek")});
    CModalAnswer<CChooseLocalUserDialog> choose([](CChooseLocalUserDialog* d) {
        d->List()->setCurrentRow(1);
        d->OkButton()->click();
    });
    ASSERT_TRUE(Start());
    EXPECT_EQ(choose.Count(), 1);
    EXPECT_EQ(app->Data()->CurrentLocalUser(), 22);
}

TEST_F(Startup, RemovingALocalUserAsksFirstAndNieKeepsTheUser) {
    WriteConfig({"[Options]", kDontAsk, "", "[LocalUsers]", LocalUserLine(11, "ala")});
    ASSERT_TRUE(Start());
    CModalAnswer<CDeleteLocalUserDialog> choose(
        [](CDeleteLocalUserDialog* d) { d->OkButton()->click(); });
    QString asked;
    bool yes = false;
    CModalAnswer<CQuestionDialog> question([&](CQuestionDialog* d) {
        asked = d->Text();
        (yes ? d->YesButton() : d->NoButton())->click();
    });
    app->WindowRouter()->RunMenuCommand(EMenuCommand::RemoveUser);
    EXPECT_EQ(question.Count(), 1);
    EXPECT_TRUE(asked.contains(QStringLiteral("ala"))) << asked.toStdString();
    EXPECT_EQ(app->Data()->LocalUsers().size(), 1u);
    EXPECT_EQ(app->Data()->CurrentLocalUser(), 11);

    yes = true;
    app->WindowRouter()->RunMenuCommand(EMenuCommand::RemoveUser);
    EXPECT_EQ(question.Count(), 2);
    EXPECT_TRUE(app->Data()->LocalUsers().empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Startup, CancelInTheChoiceRunsWithoutAUserAndNeverLogsIn) {
    // A LAN is always up: the heartbeat would log a current user in at once.
    WriteConfig({"[Options]", kDontAsk, "InternetConnection=\"LAN\"", "Server=\"127.0.0.1\"", "",
                 "[LocalUsers]", LocalUserLine(11, "ala"), LocalUserLine(22, "bartek")});
    CModalAnswer<CChooseLocalUserDialog> choose(
        [](CChooseLocalUserDialog* d) { d->CancelButton()->click(); });
    ASSERT_TRUE(Start());
    EXPECT_EQ(app->Data()->CurrentLocalUser(), 0);
    ASSERT_NE(app->MainBar(), nullptr);
    EXPECT_TRUE(app->MainBar()->isVisible());
    // Once the heartbeat has seen the connection come up, it has had its chance.
    ASSERT_TRUE(test::WaitFor(
        [&] { return app->MainBar()->StatusLine()->text() == QStringLiteral("Online"); }));
    EXPECT_FALSE(app->Heartbeat()->IsLoginInProgress());
    EXPECT_FALSE(app->Engine().IsConnected());
    EXPECT_TRUE(messages.empty());
}

// --- the autostart question

TEST_F(Startup, YesMakesTheAutostartEntryThatStartsTheProgramHidden) {
    WriteConfig({"[Options]", "HotTip=\"0\""});
    CModalAnswer<CAutorunQuestionDialog> autorun([](auto* d) { d->YesButton()->click(); });
    ASSERT_TRUE(Start());
    EXPECT_EQ(autorun.Count(), 1);
    const std::string entry = dir.ReadFile("autostart/murmex.desktop");
    EXPECT_NE(entry.find(std::string("\nExec=") + kProgram + " /autorun\n"), std::string::npos)
        << entry;
    EXPECT_EQ(Config().find("autorun_dontask"), std::string::npos);
}

TEST_F(Startup, NoWithTheBoxTickedIsNeverAskedAgainAndWritesNoEntry) {
    WriteConfig({"[Options]", "HotTip=\"0\""});
    {
        CModalAnswer<CAutorunQuestionDialog> autorun([](CAutorunQuestionDialog* d) {
            d->DontAskBox()->setChecked(true);
            d->NoButton()->click();
        });
        ASSERT_TRUE(Start());
        EXPECT_EQ(autorun.Count(), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("autostart/murmex.desktop")));
    // A new name: stored at once, without waiting for another save.
    EXPECT_NE(Config().find("autorun_dontask=\"1\""), std::string::npos) << Config();

    app.reset();
    ClearOptions();
    CModalAnswer<CAutorunQuestionDialog> again([](auto* d) { d->NoButton()->click(); });
    ASSERT_TRUE(Start());
    EXPECT_EQ(again.Count(), 0);
}

TEST_F(Startup, NoWithoutTheBoxAsksAgainNextTime) {
    WriteConfig({"[Options]", "HotTip=\"0\""});
    CModalAnswer<CAutorunQuestionDialog> autorun([](auto* d) { d->NoButton()->click(); });
    ASSERT_TRUE(Start());
    app.reset();
    ClearOptions();
    ASSERT_TRUE(Start());
    EXPECT_EQ(autorun.Count(), 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File("autostart/murmex.desktop")));
}

TEST_F(Startup, NoQuestionWhenTheUserSaidSoTheEntryIsThereOrNoneCanBeMade) {
    CModalAnswer<CAutorunQuestionDialog> autorun([](auto* d) { d->YesButton()->click(); });
    // Any value of the option counts.
    WriteConfig({"[Options]", "autorun_dontask=\"0\""});
    ASSERT_TRUE(Start());
    app.reset();
    ClearOptions();

    // An entry of any content, say one the user disabled, is left alone.
    std::filesystem::create_directories(dir.File("autostart"));
    dir.WriteFile("autostart/murmex.desktop", "[Desktop Entry]\nHidden=true\n");
    WriteConfig({"[Options]", "HotTip=\"0\""});
    ASSERT_TRUE(Start());
    EXPECT_EQ(dir.ReadFile("autostart/murmex.desktop"), "[Desktop Entry]\nHidden=true\n");
    app.reset();
    ClearOptions();
    std::filesystem::remove_all(dir.File("autostart"));

    // No folder for entries (a file stands in its way).
    dir.WriteFile("autostart", "");
    ASSERT_TRUE(Start());
    EXPECT_EQ(autorun.Count(), 0);
    EXPECT_EQ(Config().find("autorun_dontask=\"1\""), std::string::npos);
}

// --- shown or hidden at start

TEST_F(Startup, TheAutorunSwitchHidesTheMainBarOnlyWhenTheTrayCanBringItBack) {
    WriteConfig({"[Options]", kDontAsk});
    tray = true;
    ASSERT_TRUE(Start({"-x", "/autorunx"}));
    EXPECT_FALSE(app->MainBar()->isVisible());
    app.reset();
    ClearOptions();

    tray = false;
    ASSERT_TRUE(Start({"/autorun"}));
    EXPECT_TRUE(app->MainBar()->isVisible());
    app.reset();
    ClearOptions();

    tray = true;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(app->MainBar()->isVisible());
}

TEST(StartSwitch, IsAPlainSubstringOfAnArgumentButNotOfTheProgramPath) {
    EXPECT_TRUE(CMurmexApp::HasAutorunSwitch({"murmex", "/autorun"}));
    EXPECT_TRUE(CMurmexApp::HasAutorunSwitch({"murmex", "x/autorunx"}));
    EXPECT_FALSE(CMurmexApp::HasAutorunSwitch({"murmex", "autorun", "-autorun"}));
    EXPECT_FALSE(CMurmexApp::HasAutorunSwitch({"/opt/autorun/murmex"}));
    EXPECT_FALSE(CMurmexApp::StartsHidden({"murmex", "/autorun"}, false));
    EXPECT_TRUE(CMurmexApp::StartsHidden({"murmex", "/autorun"}, true));
}

TEST(ServicePort, TheEnvironmentMayNameAnotherPort) {
    test::CEnvGuard guard(CMurmexApp::kPortVariable);
    ::unsetenv(CMurmexApp::kPortVariable);
    EXPECT_EQ(CMurmexApp::ServicePort(0), 4678);
    EXPECT_EQ(CMurmexApp::ServicePort(5000), 5000);
    ::setenv(CMurmexApp::kPortVariable, "14678", 1);
    EXPECT_EQ(CMurmexApp::ServicePort(0), 14678);
    EXPECT_EQ(CMurmexApp::ServicePort(5000), 5000);
    for (const char* bad : {"", "0", "65536", "12ab", "-5", " 80"}) {
        ::setenv(CMurmexApp::kPortVariable, bad, 1);
        EXPECT_EQ(CMurmexApp::ServicePort(0), 4678) << bad;
    }
}

TEST_F(Startup, TheHintOfTheDayComesUnlessItWasTurnedOff) {
    WriteConfig({"[Options]", kDontAsk, "HotTipDisabled=\"0\""});
    CModalAnswer<CHotTipDialog> hint([](CHotTipDialog* d) { d->OkButton()->click(); });
    app = std::make_unique<CMurmexApp>([this] {
        SAppSettings s = Settings();
        s.showHotTip = true;
        return s;
    }());
    ASSERT_TRUE(app->Start({kProgram}));
    EXPECT_EQ(hint.Count(), 1);
    app.reset();
    ClearOptions();

    WriteConfig({"[Options]", kDontAsk, "HotTipDisabled=\"1\""});
    app = std::make_unique<CMurmexApp>([this] {
        SAppSettings s = Settings();
        s.showHotTip = true;
        return s;
    }());
    ASSERT_TRUE(app->Start({kProgram}));
    EXPECT_EQ(hint.Count(), 1);
}

// --- shutdown

TEST_F(Startup, ALanNeedsNoConfirmationToQuit) {
    WriteConfig({"[Options]", kDontAsk, "InternetConnection=\"LAN\""});
    CModalAnswer<CExitConfirmDialog> confirm([](auto* d) { d->NoButton()->click(); });
    ASSERT_TRUE(Start());
    app->RequestQuit();
    EXPECT_EQ(confirm.Count(), 0);
    EXPECT_TRUE(app->QuitRequested());
    EXPECT_FALSE(app->MainBar()->isVisible());
    app->Stop();
}

TEST_F(Startup, ADialUpCallIsOnlyLeftWhenTheUserSaysSo) {
    WriteConfig({"[Options]", kDontAsk, "InternetConnection=\"DialUp\"", "RASEntry=\"modem\""});
    platform.links = {{42, "modem", "", "ppp0"}};
    platform.runningInterfaces = {"ppp0"};
    bool answerYes = false;
    CModalAnswer<CExitConfirmDialog> confirm(
        [&](CExitConfirmDialog* d) { (answerYes ? d->YesButton() : d->NoButton())->click(); });
    ASSERT_TRUE(Start());
    app->RequestQuit();
    EXPECT_EQ(confirm.Count(), 1);
    EXPECT_FALSE(app->QuitRequested());
    EXPECT_TRUE(app->MainBar()->isVisible());

    answerYes = true;
    app->RequestQuit();
    EXPECT_EQ(confirm.Count(), 2);
    EXPECT_TRUE(app->QuitRequested());
    EXPECT_FALSE(app->MainBar()->isVisible());
    // Quitting does not hang up.
    for (const std::string& call : platform.Calls())
        EXPECT_NE(call, "poff -a");
}

TEST_F(Startup, ADialUpLinkThatIsDownNeedsNoConfirmation) {
    WriteConfig({"[Options]", kDontAsk, "InternetConnection=\"DialUp\"", "RASEntry=\"modem\""});
    CModalAnswer<CExitConfirmDialog> confirm([](auto* d) { d->NoButton()->click(); });
    ASSERT_TRUE(Start());
    app->RequestQuit();
    EXPECT_EQ(confirm.Count(), 0);
    EXPECT_TRUE(app->QuitRequested());
}

// --- help

TEST_F(Startup, HelpOpensTheTopicsPageOrTheIndex) {
    WriteConfig({"[Options]", kDontAsk});
    ASSERT_TRUE(Start());
    app->OpenHelp(0);
    app->OpenHelp(53);
    app->OpenHelp(999);
    const std::string help = "file://" MURMEX_SOURCE_DIR "/resources/help/";
    EXPECT_EQ(opened, (std::vector<std::string>{help + "index.html", help + "53.html",
                                                help + "index.html"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Startup, HelpWithNoProgramToOpenItSaysSoAndWhere) {
    WriteConfig({"[Options]", kDontAsk});
    ASSERT_TRUE(Start());
    openerWorks = false;
    app->OpenHelp(53);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(kTextNoHelpViewer, 0), 0u) << messages[0];
    EXPECT_NE(messages[0].find("help/53.html"), std::string::npos) << messages[0];
}

} // namespace
} // namespace murmex
