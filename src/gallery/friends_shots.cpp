// The friend notices and the new-group question.

#include "friends/add_group_dialog.h"
#include "friends/friend_notices.h"
#include "gallery/gallery_book.h"
#include "session/app_context.h"

#include <QLineEdit>

namespace murmex {

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
}

} // namespace murmex
