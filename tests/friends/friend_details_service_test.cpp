// The friend details window against murmexd in this process: sending from
// "Dane" and the notification boxes of "Przypomnienia", checked on the
// service's side.
#include "friends/friend_data.h"
#include "friends/friend_details_dlg.h"
#include "friends/friend_details_host.h"
#include "friends/friend_events.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model/message_record.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "server/database.h"
#include "server/friend_table.h"
#include "support/service_world.h"
#include "ui/local_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace murmex {
namespace {

// What the window showed, in order.
class CShownMessages final : public IMessageBox {
public:
    void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> Calls() const { return shown; }
    std::vector<std::string> shown;
};

// Alicja, logged in as the local user, with Bartek among her friends.
class FriendDetailsService : public ::testing::Test {
protected:
    void SetUp() override {
        alice = service.Client(false);
        bob = service.Client(false);
        ASSERT_TRUE(alice->Connect());
        ASSERT_TRUE(bob->Connect());
        aliceQid = test::CServiceWorld::Register(*alice, "alicja", "haslo1");
        bobQid = test::CServiceWorld::Register(*bob, "bartek", "haslo2");
        ASSERT_GT(aliceQid, 0);
        ASSERT_GT(bobQid, 0);

        channels = std::make_unique<CChannelList>(*alice, clock);
        data = std::make_unique<CDataManager>(*alice, *channels, clock);
        data->SetMessageBox(&box);
        ASSERT_EQ(data->AddLocalUser(aliceQid), 1);
        data->SwitchLocalUser(aliceQid);
        data->WaitForWorkers();
        data->LocalUser(aliceQid)->SetPassword("haslo1");
        ASSERT_TRUE(data->QuietLogin());
        ASSERT_EQ(data->AddFriend(bobQid, data->NewGroup("Znajomi")), CDataManager::kDone);
        host = std::make_unique<CFriendDetailsHost>(
            SFriendDetailsServices{*data, *channels, box, clock, {}});
    }
    void TearDown() override {
        host.reset();
        data->Shutdown();
        service.server->Stop();
    }

    std::vector<int> ServiceNotifyMethods() {
        CDatabase db;
        EXPECT_TRUE(db.Open(service.DatabasePath()));
        std::vector<int> methods;
        CFriendTable(db).NotifyMethods(aliceQid, bobQid, methods);
        return methods;
    }
    void SetServiceNotify(int method, bool on) {
        CDatabase db;
        ASSERT_TRUE(db.Open(service.DatabasePath()));
        CFriendTable(db).SetNotify(aliceQid, bobQid, method, on);
    }
    bool ConfigHas(const std::string& text) {
        return service.dir.ReadFile("murmex.cfg").find(text) != std::string::npos;
    }

    test::CServiceWorld service;
    std::unique_ptr<CRequestEngine> alice, bob;
    int aliceQid = 0, bobQid = 0;
    CSystemClock clock;
    CShownMessages box;
    std::unique_ptr<CChannelList> channels;
    std::unique_ptr<CDataManager> data;
    std::unique_ptr<CFriendDetailsHost> host;
};

TEST_F(FriendDetailsService, AMessageFromDaneReachesTheFriendAndIsListedAsSent) {
    CFriendData* page = host->Open(bobQid)->DataPage();
    EXPECT_FALSE(page->SendSmsButton()->isEnabled()) << "Bartek has no cell phone";
    page->MessageField()->insertPlainText(QStringLiteral("Wpadnij wieczorem, będzie pizza"));
    page->SendMessageButton()->click();
    ASSERT_EQ(box.Calls(), std::vector<std::string>{"Wiadomość została pomyślnie wysłana."});
    EXPECT_TRUE(page->MessageField()->toPlainText().isEmpty());
    EXPECT_EQ(page->CharactersLeftLabel()->text(), QStringLiteral("1000"));
    EXPECT_TRUE(page->SendMessageButton()->isEnabled()) << "the controls come back";
    ASSERT_EQ(data->MessageCount(), 1);
    EXPECT_EQ(data->MessageAt(0)->Type(), CMessageRecord::Sent);
    EXPECT_EQ(data->MessageAt(0)->Sender(), bobQid);

    CUserRecord bartek(bobQid);
    bartek.SetPassword("haslo2");
    ASSERT_TRUE(bartek.LoginAs(*bob));
    CParamRecord fetched;
    ASSERT_TRUE(bob->ExecuteCommand(CMD_FETCH_MESSAGE, &fetched));
    EXPECT_EQ(fetched.GetInt("sender"), aliceQid);
    EXPECT_EQ(fetched.Get("msg"), ToLocal(QStringLiteral("Wpadnij wieczorem, będzie pizza")));

    // Logged out the send fails, and the text stays for another try.
    ASSERT_TRUE(data->Logout());
    QTest::keyClicks(page->MessageField(), QStringLiteral("Halo?"));
    page->SendMessageButton()->click();
    EXPECT_EQ(box.Calls().back(), "Nie mogę wysłać wiadomości!");
    EXPECT_EQ(page->MessageField()->toPlainText(), QStringLiteral("Halo?"));
    EXPECT_EQ(data->MessageCount(), 1);
}

TEST_F(FriendDetailsService, NotificationBoxesSendOnlyTheMethodThatChanged) {
    data->LocalUser(aliceQid)->SetHasRemoteCellPhone(true);
    CFriendEvents* page = host->Open(bobQid, CFriendDetailsDlg::kPageEvents)->EventsPage();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->NotifyBox()->isChecked());
    EXPECT_FALSE(page->EmailBox()->isEnabled());

    page->NotifyBox()->click();
    EXPECT_TRUE(page->EmailBox()->isEnabled());
    EXPECT_TRUE(page->SmsBox()->isEnabled());
    EXPECT_TRUE(ServiceNotifyMethods().empty()) << "the main box alone tells nobody";

    page->EmailBox()->click();
    EXPECT_EQ(ServiceNotifyMethods(), std::vector<int>{CFriendTable::kNotifyEmail});
    EXPECT_TRUE(data->CachedUser(bobQid)->OnEnterEmailFlag());
    EXPECT_TRUE(ConfigHas("OnEnterEmail=\"1\""));

    // The e-mail flag is already on here: ticking "SMS-a" must not send it again.
    SetServiceNotify(CFriendTable::kNotifyEmail, false);
    page->SmsBox()->click();
    EXPECT_EQ(ServiceNotifyMethods(), std::vector<int>{CFriendTable::kNotifySms});
    EXPECT_TRUE(data->CachedUser(bobQid)->OnEnterSmsFlag());

    // Clearing the main box only closes the methods.
    page->NotifyBox()->click();
    EXPECT_FALSE(page->EmailBox()->isEnabled());
    EXPECT_EQ(ServiceNotifyMethods(), std::vector<int>{CFriendTable::kNotifySms});

    // Shown again, the boxes come from the record; without a number of her
    // own the local user cannot be texted.
    data->LocalUser(aliceQid)->SetHasRemoteCellPhone(false);
    CFriendEvents* again = host->Open(bobQid, CFriendDetailsDlg::kPageEvents)->EventsPage();
    EXPECT_TRUE(again->NotifyBox()->isChecked());
    EXPECT_TRUE(again->EmailBox()->isChecked());
    EXPECT_TRUE(again->SmsBox()->isChecked());
    EXPECT_TRUE(again->EmailBox()->isEnabled());
    EXPECT_FALSE(again->SmsBox()->isEnabled());
}

} // namespace
} // namespace murmex
