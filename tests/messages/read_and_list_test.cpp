// The read window, the message list and the registry that keeps one of each
// window: what is shown, what counts as read, and which window comes back.
#include "friends/group_choice_dialog.h"
#include "friends/message_list_dlg.h"
#include "friends/message_list_model.h"
#include "friends/message_texts.h"
#include "friends/read_message_dlg.h"
#include "friends/send_message_dlg.h"
#include "messages/message_world.h"
#include "model/model_texts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace murmex {
namespace {

constexpr std::int64_t kMonday = 1700000000;

class ReadWindow : public ::testing::Test {
protected:
    CReadMessageDlg* Open(int index) {
        w.windows.OpenReadWindow(index);
        return w.windows.ReadWindow();
    }
    test::CMessageWorld w;
};

TEST_F(ReadWindow, ShowsTheSenderAndTextAsPlainTextAndCountsTheMessageRead) {
    const int first = w.Received(21, "<b>Cześć</b>, jak leci?", kMonday);
    w.Received(22, "Druga", kMonday + 60);
    ASSERT_EQ(w.tree.blinking, (std::vector<int>{21, 22}));
    CReadMessageDlg* read = Open(first);
    EXPECT_EQ(read->NickField()->text(), QStringLiteral("ala"));
    EXPECT_EQ(read->TextField()->toPlainText(), QStringLiteral("<b>Cześć</b>, jak leci?"));
    EXPECT_TRUE(w.data->MessageAt(first)->IsRead());
    EXPECT_EQ(w.tree.read, std::vector<int>{21});
    EXPECT_EQ(w.tree.blinking, std::vector<int>{22}) << "the other friend still blinks";
    EXPECT_TRUE(w.data->HasUnreadMessages());
    EXPECT_TRUE(w.Has("wasread=\"1\"")) << "saved as read";

    // One unread left: "Następna nowa" leads to it, then has nothing more to do.
    EXPECT_TRUE(read->NextUnreadButton()->isEnabled());
    EXPECT_TRUE(read->ReplyButton()->isDefault());
    EXPECT_FALSE(read->AddFriendButton()->isVisible()) << "ala is a friend";
    QTest::mouseClick(read->NextUnreadButton(), Qt::LeftButton);
    EXPECT_EQ(read->NickField()->text(), QStringLiteral("bolek"));
    EXPECT_FALSE(read->NextUnreadButton()->isEnabled());
    EXPECT_TRUE(read->CloseDialogButton()->isDefault());
    EXPECT_FALSE(read->ReplyButton()->isDefault());
    EXPECT_FALSE(w.data->HasUnreadMessages()) << "the tray stops showing unread messages";
    EXPECT_TRUE(w.tree.blinking.empty());
}

TEST_F(ReadWindow, AnEntryAlreadyReadIsNotSavedAgain) {
    const int index = w.Received(21, "Stara", kMonday, true);
    w.Config(); // the stored message on disk first, then the marker over it
    w.dir.WriteFile("murmex.cfg", "[marker]\r\n");
    Open(index);
    EXPECT_EQ(w.Config(), "[marker]\r\n");
}

TEST_F(ReadWindow, AnUnknownSenderShowsNieznanyAndCannotBeAnswered) {
    const int index = w.Received(777, "Kim jestem?", kMonday);
    CReadMessageDlg* read = Open(index);
    const QString unknown = QString::fromUtf8(texts::kUnknownUser);
    EXPECT_EQ(read->NickField()->text(), unknown);
    EXPECT_EQ(read->EmailField()->text(), unknown);
    EXPECT_FALSE(read->AddFriendButton()->isVisible());
    QTest::mouseClick(read->ReplyButton(), Qt::LeftButton);
    EXPECT_TRUE(read->isVisible());
    EXPECT_EQ(w.windows.Existing(CMessageWindows::kSlotSendMessage), nullptr);
}

TEST_F(ReadWindow, ReplyOpensTheSendWindowToTheSenderAndHidesItself) {
    CReadMessageDlg* read = Open(w.Received(23, "Odpisz", kMonday));
    QTest::mouseClick(read->ReplyButton(), Qt::LeftButton);
    EXPECT_FALSE(read->isVisible());
    auto* send =
        static_cast<CSendMessageDlg*>(w.windows.Existing(CMessageWindows::kSlotSendMessage));
    ASSERT_NE(send, nullptr);
    EXPECT_TRUE(send->isVisible());
    EXPECT_EQ(send->Recipient(), 23);
}

TEST_F(ReadWindow, AStrangerCanBeAddedToAChosenGroupAndTheButtonStays) {
    w.LogIn();
    // The service knows sender 31: brief data, then the account details.
    w.peer.Reply("2000 nick=\"zenek\" email=\"zenek@example.pl\" name=\"\" surname=\"\" "
                 "is_cellphone=\"0\" \r\n");
    const int fromStranger = w.Received(31, "Poznajmy się", kMonday);
    const int fromFriend = w.Received(21, "A to ja", kMonday + 5);
    CReadMessageDlg* read = Open(fromStranger);
    EXPECT_EQ(read->NickField()->text(), QStringLiteral("zenek"));
    EXPECT_FALSE(read->AddFriendButton()->isHidden());

    // Cancelled: nothing happens.
    test::AnswerNextModal<CGroupChoiceDialog>(read, [](CGroupChoiceDialog* d) { d->reject(); });
    QTest::mouseClick(read->AddFriendButton(), Qt::LeftButton);
    EXPECT_FALSE(w.data->IsFriend(31));
    EXPECT_TRUE(w.box.Shown().empty());

    test::AnswerNextModal<CGroupChoiceDialog>(read, [](CGroupChoiceDialog* d) {
        d->Groups()->setCurrentIndex(d->Groups()->findData(300));
        QTest::mouseClick(d->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(read->AddFriendButton(), Qt::LeftButton);
    EXPECT_TRUE(w.data->IsFriend(31));
    EXPECT_EQ(w.Members(300), std::vector<int>{31});
    EXPECT_EQ(test::CodeOf(w.Commands().back()), CMD_ADD_FRIEND);
    EXPECT_TRUE(read->Body()->isEnabled());
    EXPECT_TRUE(w.box.Shown().empty());

    // Adding again fails (already a friend) and says so; the button stays for a friend's message.
    test::AnswerNextModal<CGroupChoiceDialog>(
        read, [](CGroupChoiceDialog* d) { QTest::mouseClick(d->OkButton(), Qt::LeftButton); });
    QTest::mouseClick(read->AddFriendButton(), Qt::LeftButton);
    EXPECT_EQ(w.box.Shown(), std::vector<std::string>{std::string(kTextCannotAddToFriends)});
    read->ShowEntry(fromFriend);
    EXPECT_FALSE(read->AddFriendButton()->isHidden());
}

TEST_F(ReadWindow, AddingWithoutAnyGroupToChooseSaysItCannot) {
    for (int group : {100, 200, 300, 400, 500})
        w.data->DeleteGroup(group);
    w.LogIn();
    w.peer.Reply("2000 nick=\"zenek\" email=\"\" name=\"\" surname=\"\" is_cellphone=\"0\" \r\n");
    CReadMessageDlg* read = Open(w.Received(31, "Hej", kMonday));
    test::AnswerNextModal<CGroupChoiceDialog>(
        read, [](CGroupChoiceDialog* d) { QTest::mouseClick(d->OkButton(), Qt::LeftButton); });
    QTest::mouseClick(read->AddFriendButton(), Qt::LeftButton);
    EXPECT_EQ(w.box.Shown(), std::vector<std::string>{std::string(kTextCannotAddToFriends)});
    EXPECT_FALSE(w.data->IsFriend(31));
}

TEST_F(ReadWindow, APositionTheInboxDoesNotHoldShowsNothing) {
    CReadMessageDlg* read = Open(5);
    EXPECT_EQ(read->Entry(), -1);
    EXPECT_TRUE(read->TextField()->toPlainText().isEmpty());
}

class MessageList : public ::testing::Test {
protected:
    CMessageListDlg* Open() {
        w.windows.OpenMessageList();
        return w.windows.MessageList();
    }
    static QString Line(CMessageListDlg* list, int row) {
        return list->Model()->index(row).data().toString();
    }
    static QString Time(std::int64_t when) {
        CMessageRecord r;
        r.SetContent("", 0, when);
        r.SetType(CMessageRecord::Sent);
        return QString::fromStdString(r.Summary().substr(2));
    }
    test::CMessageWorld w;
};

TEST_F(MessageList, AnEmptyInboxOpensAnEmptyListWithNoText) {
    CMessageListDlg* list = Open();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->Model()->rowCount(), 0);
    EXPECT_EQ(list->ShownEntry(), -1);
    EXPECT_TRUE(list->TextField()->toPlainText().isEmpty());
    EXPECT_TRUE(list->NickField()->text().isEmpty());
}

TEST_F(MessageList, LinesAreNewestFirstMarkedByTypeAndTheShownOneLosesItsNewMark) {
    w.Received(21, "Pierwsza", kMonday);
    w.Sent(22, "Odpowiedź", kMonday + 60, CMessageRecord::Sent);
    w.Sent(24, "SMS do Dawida", kMonday + 120, CMessageRecord::SentSms);
    w.Received(23, "Najnowsza", kMonday + 180);
    CMessageListDlg* list = Open();
    ASSERT_EQ(list->Model()->rowCount(), 4);
    // The newest is selected and shown at once, so it is read already.
    EXPECT_EQ(Line(list, 0), QStringLiteral("< cezary - ") + Time(kMonday + 180));
    EXPECT_EQ(Line(list, 1), QStringLiteral("SMS dawid - ") + Time(kMonday + 120));
    EXPECT_EQ(Line(list, 2), QStringLiteral("> bolek - ") + Time(kMonday + 60));
    EXPECT_EQ(Line(list, 3), QStringLiteral("< [nowa] ala - ") + Time(kMonday));
    EXPECT_EQ(list->List()->currentIndex().row(), 0);
    EXPECT_EQ(list->TextField()->toPlainText(), QStringLiteral("Najnowsza"));
    EXPECT_EQ(list->NickField()->text(), QStringLiteral("cezary"));
    EXPECT_EQ(w.tree.read, std::vector<int>{23});

    // Moving to the last line shows it and drops its mark; nothing is unread any more.
    list->List()->setCurrentIndex(list->Model()->index(3));
    EXPECT_EQ(list->TextField()->toPlainText(), QStringLiteral("Pierwsza"));
    EXPECT_EQ(list->ShownEntry(), 0);
    EXPECT_EQ(Line(list, 3), QStringLiteral("< ala - ") + Time(kMonday));
    EXPECT_FALSE(w.data->HasUnreadMessages());
    EXPECT_TRUE(w.tree.blinking.empty());
    EXPECT_EQ(list->Model()->index(3).data(Qt::UserRole).toInt(), 0);
}

TEST_F(MessageList, AnotherFillShowsMessagesThatArrivedMeanwhile) {
    w.Received(21, "Jedna", kMonday, true);
    CMessageListDlg* list = Open();
    ASSERT_EQ(list->Model()->rowCount(), 1);
    w.Received(22, "Nowa", kMonday + 1);
    EXPECT_EQ(list->Model()->rowCount(), 1) << "the list holds still while open";
    w.windows.OpenMessageList();
    EXPECT_EQ(w.windows.MessageList(), list) << "a visible list is reused";
    EXPECT_EQ(list->Model()->rowCount(), 2);
    EXPECT_EQ(list->TextField()->toPlainText(), QStringLiteral("Nowa"));
}

TEST(MessageWindowsRegistry, AVisibleWindowIsReusedAndAHiddenOneReplaced) {
    test::CMessageWorld w;
    EXPECT_EQ(w.windows.Existing(CMessageWindows::kSlotMessageList), nullptr);
    CMessageListDlg* list = w.windows.MessageList();
    EXPECT_TRUE(list->isVisible()) << "the list shows itself when made";

    CSendMessageDlg* send = w.windows.SendMessageWindow();
    EXPECT_FALSE(send->isVisible()) << "the others wait for their caller";
    send->SetRecipient(21);
    send->show();
    send->TextEdit()->setPlainText(QStringLiteral("w trakcie"));
    EXPECT_EQ(w.windows.SendMessageWindow(), send);
    EXPECT_EQ(send->TextEdit()->toPlainText(), QStringLiteral("w trakcie"));

    send->close();
    QPointer<CSendMessageDlg> old(send);
    CSendMessageDlg* fresh = w.windows.SendMessageWindow();
    EXPECT_TRUE(fresh->TextEdit()->toPlainText().isEmpty());
    EXPECT_EQ(fresh->Recipient(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull()) << "the hidden one is gone";
    EXPECT_EQ(w.windows.Existing(CMessageWindows::kSlotSendMessage), fresh);
    EXPECT_EQ(w.windows.Existing(CMessageWindows::kSlotSendSms), nullptr);
}

} // namespace
} // namespace murmex
