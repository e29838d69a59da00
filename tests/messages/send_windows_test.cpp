// The send-message and send-SMS windows: what goes on the wire, what is
// stored, and what the window does after a send that worked or failed.
#include "friends/message_texts.h"
#include "friends/send_message_dlg.h"
#include "friends/send_sms_dlg.h"
#include "messages/message_world.h"
#include "ui/animation.h"
#include "ui/local_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CodeOf;
using test::Holds;

class SendWindows : public ::testing::Test {
protected:
    // The SMS rules look at the option "LocalSMS".
    void SetUp() override { ClearOptions(); }

    CSendMessageDlg* OpenMessage(int qid) {
        w.windows.OpenMessageWindow(qid);
        return w.windows.SendMessageWindow();
    }
    CSendSmsDlg* OpenSms(int qid) {
        w.windows.OpenSmsWindow(qid);
        return w.windows.SendSmsWindow();
    }
    std::optional<CMessageRecord> Last() { return w.data->MessageAt(w.data->MessageCount() - 1); }

    test::CMessageWorld w;
};

TEST_F(SendWindows, AMessageGoesOutAsTypedIsStoredAsSentAndTheWindowCloses) {
    w.LogIn();
    CSendMessageDlg* send = OpenMessage(21);
    EXPECT_EQ(send->RecipientName()->text(), QStringLiteral("Ala z pracy")) << "display name";
    EXPECT_TRUE(send->isVisible());
    EXPECT_TRUE(send->SendButton()->isDefault());
    EXPECT_TRUE(send->TextEdit()->toPlainText().isEmpty());

    const QString typed = QStringLiteral("Zażółć gęślą jaźń,\n\"cytat\" i ~tylda");
    send->TextEdit()->setPlainText(typed);
    QTest::mouseClick(send->SendButton(), Qt::LeftButton);

    const auto commands = w.Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(CodeOf(commands[0]), CMD_SEND_MESSAGE);
    EXPECT_TRUE(Holds(commands[0], "userid=\"21\""));
    EXPECT_TRUE(Holds(commands[0], Utf8ToWin1250("Zażółć")));
    ASSERT_EQ(w.data->MessageCount(), 1);
    EXPECT_EQ(Last()->Type(), CMessageRecord::Sent);
    EXPECT_EQ(Last()->Sender(), 21);
    EXPECT_EQ(Last()->Text(), Utf8ToWin1250("Zażółć gęślą jaźń,\r\n\"cytat\" i ~tylda"));
    EXPECT_EQ(Last()->SentTime(), w.clock.now.load());
    EXPECT_TRUE(Last()->IsRead());
    EXPECT_TRUE(w.Has("msgtext=")) << "saved";
    EXPECT_FALSE(send->isVisible());
    EXPECT_TRUE(send->Body()->isEnabled());
    EXPECT_FALSE(send->Animation()->IsPlaying());
    EXPECT_TRUE(w.box.Shown().empty()) << "success says nothing";
    EXPECT_TRUE(w.tree.blinking.empty()) << "a sent message never blinks";
}

TEST_F(SendWindows, AFailedSendSaysSoKeepsTheWindowAndTheTextAndStoresNothing) {
    w.LogIn();
    w.peer.Reply("4001 \r\n");
    CSendMessageDlg* send = OpenMessage(22);
    send->TextEdit()->setPlainText(QStringLiteral("Nie dojdzie"));
    QTest::mouseClick(send->SendButton(), Qt::LeftButton);
    EXPECT_EQ(w.box.Shown(), std::vector<std::string>{std::string(kTextCannotSendMessage)});
    EXPECT_EQ(w.data->MessageCount(), 0);
    EXPECT_TRUE(send->isVisible());
    EXPECT_EQ(send->TextEdit()->toPlainText(), QStringLiteral("Nie dojdzie"));
    EXPECT_TRUE(send->Body()->isEnabled());
    EXPECT_FALSE(send->IsSending());
    EXPECT_FALSE(send->Animation()->IsPlaying());

    // Logged out nothing is even sent; an empty text is not refused by itself.
    w.engine.SetLoggedIn(false);
    send->TextEdit()->clear();
    QTest::mouseClick(send->SendButton(), Qt::LeftButton);
    EXPECT_EQ(w.Commands().size(), 1u);
    EXPECT_EQ(w.box.Shown().size(), 2u);
    EXPECT_EQ(w.data->MessageCount(), 0);

    // Logged in again, the empty text goes out unchanged.
    w.engine.SetLoggedIn(true);
    QTest::mouseClick(send->SendButton(), Qt::LeftButton);
    ASSERT_EQ(w.Commands().size(), 2u);
    EXPECT_TRUE(Holds(w.Commands()[1], "message=\"\""));
    EXPECT_EQ(Last()->Text(), "");
}

TEST_F(SendWindows, TheSmsButtonFollowsWhatTheFriendCanReceive) {
    EXPECT_FALSE(OpenMessage(22)->SendSmsButton()->isEnabled()) << "no number at all";
    w.data->CachedUser(22)->SetHasRemoteCellPhone(true);
    w.windows.SendMessageWindow()->close();
    EXPECT_TRUE(OpenMessage(22)->SendSmsButton()->isEnabled()) << "the service's number";
    w.data->CachedUser(23)->SetLocalCellPhone("0600111222");
    EXPECT_TRUE(OpenMessage(23)->SendSmsButton()->isEnabled()) << "a number typed here";
}

// What CMD_SEND_SMS carries for each kind of recipient: the key=value pairs in order.
struct SSmsCase {
    const char* name;
    bool remote;
    const char* local;
    const char* localSmsOption; // nullptr: option absent
    std::vector<std::string> pairs;
};

class SmsParameters : public SendWindows, public ::testing::WithParamInterface<SSmsCase> {};

TEST_P(SmsParameters, TheRecordCarriesTheRightEntries) {
    const SSmsCase& c = GetParam();
    if (c.localSmsOption)
        SetOption("LocalSMS", c.localSmsOption);
    auto user = w.data->CachedUser(22);
    user->SetHasRemoteCellPhone(c.remote);
    user->SetLocalCellPhone(c.local);
    w.LogIn();
    CSendSmsDlg* sms = OpenSms(22);
    EXPECT_TRUE(sms->SendSmsButton()->isDefault());
    sms->TextEdit()->setPlainText(QStringLiteral("Będę o 18"));
    QTest::mouseClick(sms->SendSmsButton(), Qt::LeftButton);

    const auto commands = w.Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(CodeOf(commands[0]), CMD_SEND_SMS);
    std::string expected = std::to_string(CMD_SEND_SMS) + " ";
    for (const std::string& pair : c.pairs)
        expected += pair + " ";
    expected += "message=\"" + Utf8ToWin1250("Będę o 18") + "\" \r\n";
    EXPECT_EQ(commands[0], expected);
    EXPECT_EQ(Last()->Type(), CMessageRecord::SentSms);
    EXPECT_FALSE(sms->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Recipients, SmsParameters,
    ::testing::Values(
        SSmsCase{"ServiceNumberOnly", true, "", "1", {"userid=\"22\""}},
        SSmsCase{"LocalNumberOnly",
                 false,
                 "0601000111",
                 nullptr,
                 {"userid=\"22\"", "cellphone=\"0601000111\""}},
        SSmsCase{"BothNumbersOptionAbsent", true, "0601000111", nullptr, {"userid=\"22\""}},
        SSmsCase{"BothNumbersOptionZero", true, "0601000111", "0", {"userid=\"22\""}},
        SSmsCase{"BothNumbersOptionOne",
                 true,
                 "0601000111",
                 "1",
                 {"userid=\"22\"", "cellphone=\"0601000111\""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SendWindows, ALocalContactIsTextedByNumberOnlyAndAFriendWithoutNumbersNotAtAll) {
    w.LogIn();
    CSendSmsDlg* sms = OpenSms(test::CTreeWorld::kContactSms);
    EXPECT_EQ(sms->RecipientName()->text(), QStringLiteral("hydraulik"));
    sms->TextEdit()->setPlainText(QStringLiteral("Cieknie kran"));
    QTest::mouseClick(sms->SendSmsButton(), Qt::LeftButton);
    auto commands = w.Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_FALSE(Holds(commands[0], "userid=")) << "the service does not know local contacts";
    EXPECT_TRUE(Holds(commands[0], "cellphone=\"0601234567\""));
    EXPECT_EQ(Last()->Sender(), test::CTreeWorld::kContactSms);

    // Nobody to text: the send fails before anything goes out.
    sms = OpenSms(test::CTreeWorld::kContactPlain);
    sms->TextEdit()->setPlainText(QStringLiteral("Halo"));
    QTest::mouseClick(sms->SendSmsButton(), Qt::LeftButton);
    EXPECT_EQ(w.Commands().size(), 1u);
    EXPECT_EQ(w.box.Shown(), std::vector<std::string>{std::string(kTextCannotSendMessage)});
    EXPECT_TRUE(sms->isVisible());
    EXPECT_EQ(w.data->MessageCount(), 1);
}

TEST_F(SendWindows, TheSmsButtonOfTheMessageWindowSendsAnSms) {
    w.data->CachedUser(24)->SetHasRemoteCellPhone(true);
    w.LogIn();
    CSendMessageDlg* send = OpenMessage(24);
    send->TextEdit()->setPlainText(QStringLiteral("Krótko"));
    QTest::mouseClick(send->SendSmsButton(), Qt::LeftButton);
    ASSERT_EQ(w.Commands().size(), 1u);
    EXPECT_EQ(CodeOf(w.Commands()[0]), CMD_SEND_SMS);
    EXPECT_EQ(Last()->Type(), CMessageRecord::SentSms);
}

TEST_F(SendWindows, InfoAndHistoryOpenTheFriendsDetailsOnTheirPages) {
    CSendMessageDlg* send = OpenMessage(23);
    QTest::mouseClick(send->InfoButton(), Qt::LeftButton);
    QTest::mouseClick(send->HistoryButton(), Qt::LeftButton);
    CSendSmsDlg* sms = OpenSms(test::CTreeWorld::kContactSms);
    QTest::mouseClick(sms->InfoButton(), Qt::LeftButton);
    EXPECT_EQ(w.detailsOpened, (std::vector<std::pair<int, int>>{
                                   {23, kDetailsPageData},
                                   {23, kDetailsPageHistory},
                                   {test::CTreeWorld::kContactSms, kDetailsPageData}}));
    QTest::mouseClick(send->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(send->isVisible());
}

TEST_F(SendWindows, TheTextStopsAtAThousandCharacters) {
    CSendMessageDlg* send = OpenMessage(21);
    send->TextEdit()->setPlainText(QString(990, QLatin1Char('a')));
    QTextCursor end = send->TextEdit()->textCursor();
    end.movePosition(QTextCursor::End);
    send->TextEdit()->setTextCursor(end);
    // Pasted past the end: what does not fit is dropped from what came in.
    send->TextEdit()->insertPlainText(QStringLiteral("ąęśćżźńółbbbbbbbbbb"));
    const QString text = send->TextEdit()->toPlainText();
    EXPECT_EQ(text.size(), CSendWindowBase::kMaxTextLength);
    EXPECT_TRUE(text.endsWith(QStringLiteral("ąęśćżźńółb")));
}

TEST_F(SendWindows, AWindowKeepsItsFriendsRecordWhenTheFriendOrTheUserGoes) {
    w.LogIn();
    CSendMessageDlg* send = OpenMessage(24);
    w.data->RemoveFriend(24, 500);
    ASSERT_FALSE(w.data->IsFriend(24));
    send->TextEdit()->setPlainText(QStringLiteral("Jeszcze jedno"));
    QTest::mouseClick(send->SendButton(), Qt::LeftButton);
    EXPECT_EQ(CodeOf(w.Commands().back()), CMD_SEND_MESSAGE);
    EXPECT_TRUE(Holds(w.Commands().back(), "userid=\"24\""));

    // Another local user: the windows of the old one close.
    OpenMessage(21);
    ASSERT_TRUE(w.windows.SendMessageWindow()->isVisible());
    w.windows.CloseAll();
    EXPECT_FALSE(w.windows.Existing(CMessageWindows::kSlotSendMessage)->isVisible());
}

} // namespace
} // namespace murmex
