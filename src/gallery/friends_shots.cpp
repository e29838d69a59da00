// The friends folder's windows: the friend notices, the new-group question,
// the message windows and the recommend dialog, with the gallery world's sample data.
#include "friends/add_group_dialog.h"
#include "friends/friend_notices.h"
#include "friends/message_list_dlg.h"
#include "friends/message_windows.h"
#include "friends/read_message_dlg.h"
#include "friends/recommend_dlg.h"
#include "friends/send_message_dlg.h"
#include "friends/send_sms_dlg.h"
#include "gallery/gallery_book.h"
#include "model/data_manager.h"
#include "model/message_record.h"
#include "platform/code_page.h"
#include "session/app_context.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <memory>

namespace murmex {
namespace {

// The message windows are made by hand here, not through the registry, so
// that each PNG owns its window; they still need a registry for their services.
CMessageWindows& Windows(CGalleryWorld& world) {
    static std::unique_ptr<CMessageWindows> windows;
    static CGalleryWorld* owner = nullptr;
    if (!windows || owner != &world) {
        SAppContext& ctx = world.Context();
        windows = std::make_unique<CMessageWindows>(
            SMessageWindowServices{ctx.data, ctx.engine, ctx.messageBox, ctx.clock, {}, {}});
        owner = &world;
    }
    return *windows;
}

// A friend of the sample world, the first one that can take an SMS if asked.
int SampleFriend(CDataManager& data, bool sms) {
    const std::vector<int> friends = data.Friends();
    for (int qid : friends)
        if (!sms || data.UserRecord(qid)->CanReceiveSms())
            return qid;
    if (friends.empty())
        return 0;
    // Nobody has a number in the sample: give the first friend one typed here.
    data.UserRecord(friends.front())->SetLocalCellPhone("0601234567");
    return friends.front();
}

// A message from a friend, so that the read window has something to show.
int SampleMessage(CDataManager& data) {
    if (data.MessageCount() > 0)
        return data.FirstUnread() >= 0 ? data.FirstUnread() : data.MessageCount() - 1;
    CMessageRecord message;
    message.SetContent(Utf8ToWin1250("Cześć! Wpadniesz w sobotę na grilla? Zaczynamy koło 17."),
                       SampleFriend(data, false), 1718000000);
    return data.AddMessage(std::move(message));
}

} // namespace

void AddFriendsShots(CGalleryBook& book) {
    book.Add("CFriendOnlineDialog", [](CGalleryWorld& world) {
        return std::make_unique<CFriendOnlineDialog>(world.FriendQids().at(3), world.Data(),
                                                     world.Context().channels);
    });
    book.Add("CNewFriendDialog", [](CGalleryWorld& world) {
        return std::make_unique<CNewFriendDialog>(world.FriendQids().at(0), world.Data());
    });
    book.Add("CVanishedFriendDialog", [](CGalleryWorld& world) {
        return std::make_unique<CVanishedFriendDialog>(world.FriendQids().at(1), world.Data());
    });
    book.Add("CAddGroupDlg", [](CGalleryWorld&) {
        auto dialog = std::make_unique<CAddGroupDlg>();
        dialog->NameEdit()->setText(QStringLiteral("Koledzy z liceum"));
        return dialog;
    });

    book.Add("CMessageListDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        SampleMessage(world.Data());
        auto list = std::make_unique<CMessageListDlg>(Windows(world));
        list->Fill();
        return list;
    });
    book.Add("CReadMessageDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        auto read = std::make_unique<CReadMessageDlg>(Windows(world));
        read->ShowEntry(SampleMessage(world.Data()));
        return read;
    });
    book.Add("CSendMessageDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        auto send = std::make_unique<CSendMessageDlg>(Windows(world));
        send->SetRecipient(SampleFriend(world.Data(), false));
        send->TextEdit()->setPlainText(
            QStringLiteral("Dzięki za zaproszenie, będę na pewno. Przynieść coś do picia?"));
        return send;
    });
    book.Add("CSendSmsDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        auto sms = std::make_unique<CSendSmsDlg>(Windows(world));
        sms->SetRecipient(SampleFriend(world.Data(), true));
        sms->TextEdit()->setPlainText(
            QStringLiteral("Spóźnię się 10 minut, zaczynajcie beze mnie."));
        return sms;
    });
    book.Add("CRecommendDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        auto recommend = std::make_unique<CRecommendDlg>(world.Data());
        recommend->EmailField()->setText(QStringLiteral("kasia.nowak@example.pl"));
        return recommend;
    });
}

} // namespace murmex
