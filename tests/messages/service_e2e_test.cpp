// The send windows against the real service server: what one member types
// reaches the other byte for byte, and an SMS lands in the service's outbox.
#include "friends/message_windows.h"
#include "friends/send_message_dlg.h"
#include "friends/send_sms_dlg.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "server/database.h"
#include "server/sms_outbox.h"
#include "support/fakes.h"
#include "support/service_world.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace murmex {
namespace {

using test::CFakeMessageBox;
using test::CServiceWorld;

class SendThroughService : public ::testing::Test {
protected:
    void SetUp() override {
        alice = service.Client();
        bob = service.Client();
        aliceQid = CServiceWorld::RegisterAndLogIn(*alice, "alicja", "haslo1");
        bobQid = CServiceWorld::RegisterAndLogIn(*bob, "bob", "haslo2");
        ASSERT_GT(aliceQid, 0);
        ASSERT_GT(bobQid, 0);
        channels = std::make_unique<CChannelList>(*alice, clock);
        data = std::make_unique<CDataManager>(*alice, *channels, clock);
        data->AddLocalUser(aliceQid);
        data->SwitchLocalUser(aliceQid);
        // Changing the local user logs the old one out: log in as the new one.
        CUserRecord me(aliceQid);
        me.SetPassword("haslo1");
        ASSERT_TRUE(me.LoginAs(*alice));
        windows = std::make_unique<CMessageWindows>(
            SMessageWindowServices{*data, *alice, box, clock, {}, {}});
    }
    void TearDown() override {
        windows.reset();
        if (data)
            data->Shutdown();
        data.reset();
    }

    std::vector<SSmsRecord> Outbox() {
        CDatabase db;
        EXPECT_TRUE(db.Open(service.DatabasePath()));
        std::vector<SSmsRecord> all;
        CSmsOutbox(db).All(all);
        return all;
    }

    CServiceWorld service;
    std::unique_ptr<CRequestEngine> alice, bob;
    int aliceQid = 0, bobQid = 0;
    CSystemClock clock;
    CFakeMessageBox box;
    std::unique_ptr<CChannelList> channels;
    std::unique_ptr<CDataManager> data;
    std::unique_ptr<CMessageWindows> windows;
};

TEST_F(SendThroughService, AMessageArrivesInTheOtherMembersQueueByteForByte) {
    windows->OpenMessageWindow(bobQid);
    CSendMessageDlg* send = windows->SendMessageWindow();
    const QString typed = QStringLiteral("Zażółć gęślą jaźń — ŻÓŁW\n\"w cudzysłowie\" ~ 100%");
    send->TextEdit()->setPlainText(typed);
    QTest::mouseClick(send->SendButton(), Qt::LeftButton);
    ASSERT_TRUE(box.Shown().empty());
    ASSERT_EQ(data->MessageCount(), 1);
    const std::string stored = data->MessageAt(0)->Text();

    CParamRecord fetched;
    ASSERT_TRUE(bob->ExecuteCommandInline(CMD_FETCH_MESSAGE, &fetched));
    EXPECT_EQ(fetched.Get("msg"), stored);
    EXPECT_EQ(Win1250ToUtf8(fetched.Get("msg")),
              "Zażółć gęślą jaźń — ŻÓŁW\r\n\"w cudzysłowie\" ~ 100%")
        << "line breaks travel as CR LF";
    EXPECT_EQ(fetched.GetInt("sender"), aliceQid);
    CParamRecord none;
    EXPECT_FALSE(bob->ExecuteCommandInline(CMD_FETCH_MESSAGE, &none)) << "exactly one";
}

TEST_F(SendThroughService, AnSmsGoesToTheNumberTheRulesPick) {
    // Bob gave the service no number: only one typed here can reach him.
    windows->OpenSmsWindow(bobQid);
    CSendSmsDlg* sms = windows->SendSmsWindow();
    sms->TextEdit()->setPlainText(QStringLiteral("Spóźnię się"));
    QTest::mouseClick(sms->SendSmsButton(), Qt::LeftButton);
    EXPECT_EQ(box.Shown().size(), 1u) << "no number: refused before sending";
    EXPECT_TRUE(Outbox().empty());
    EXPECT_EQ(data->MessageCount(), 0);

    data->UserRecord(bobQid)->SetLocalCellPhone("0601222333");
    sms->close();
    windows->OpenSmsWindow(bobQid);
    sms = windows->SendSmsWindow();
    sms->TextEdit()->setPlainText(QStringLiteral("Spóźnię się"));
    QTest::mouseClick(sms->SendSmsButton(), Qt::LeftButton);
    EXPECT_EQ(box.Shown().size(), 1u);
    const auto outbox = Outbox();
    ASSERT_EQ(outbox.size(), 1u);
    EXPECT_EQ(outbox[0].sender, aliceQid);
    EXPECT_EQ(outbox[0].recipient, bobQid);
    EXPECT_EQ(outbox[0].phone, "0601222333");
    EXPECT_EQ(outbox[0].text, "Spóźnię się") << "the service keeps its texts in UTF-8";
    ASSERT_EQ(data->MessageCount(), 1);
    EXPECT_EQ(data->MessageAt(0)->Type(), CMessageRecord::SentSms);
}

} // namespace
} // namespace murmex
