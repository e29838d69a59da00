// The friend details window as the router opens it: from the friend tree and
// the friend-online pop-up, one at a time, renaming the friend in the tree on
// "OK" and going away with the local user.
#include "bar_world.h"
#include "friends/friend_data.h"
#include "friends/friend_details_dlg.h"
#include "friends/friend_details_host.h"
#include "friends/friend_notices.h"
#include "friends/friend_tree.h"
#include "shell/main_bar.h"
#include "shell/window_router.h"

#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace murmex::test {
namespace {

TEST(FriendDetailsRouter, OpenedFromTheTreeAndThePopupOneAtATime) {
    CBarWorld world(kTwoUsers, 5);
    CMainBar bar(*world.ctx);
    CWindowRouter router(*world.ctx, bar);
    CFriendDetailsHost& details = router.FriendDetails();

    world.data->CachedUser(21)->SetPresence(true, true, 7, world.clock.now);
    router.OpenFriendOnlinePopup(21);
    ASSERT_EQ(router.FriendOnlinePopups().size(), 1u);
    auto* popup = static_cast<CFriendOnlineDialog*>(router.FriendOnlinePopups().front());
    popup->DetailsButton()->click();
    ASSERT_NE(details.Window(), nullptr);
    EXPECT_EQ(details.Window()->Qid(), 21);
    EXPECT_EQ(details.Window()->ActiveIndex(), CFriendDetailsDlg::kPageData);
    EXPECT_FALSE(bar.IsBusy());

    // "Otwórz okno" on another friend replaces it.
    QPointer<CFriendDetailsDlg> first = details.Window();
    bar.FriendTree()->RunCommand(CFriendTree::kCmdOpenFriend, 100, 22);
    ASSERT_NE(details.Window(), nullptr);
    EXPECT_EQ(details.Window()->Qid(), 22);
    EXPECT_TRUE(!first || !first->isVisible());

    // "Historia" of a send window opens on its page.
    router.OpenFriendDetails(22, CFriendDetailsDlg::kPageHistory);
    EXPECT_EQ(details.Window()->ActiveIndex(), CFriendDetailsDlg::kPageHistory);

    // A confirmed display name is what the tree shows.
    CFriendDetailsDlg* window = details.Window();
    window->SetActivePage(CFriendDetailsDlg::kPageData);
    window->DataPage()->ShowAsChoice()->setEditText(QStringLiteral("Bolek z pracy"));
    window->OkButton()->click();
    EXPECT_EQ(details.Window(), nullptr);
    EXPECT_EQ(bar.FriendTree()->FriendItem(100, 22)->text(0), QStringLiteral("Bolek z pracy"));

    router.OpenFriendDetails(23);
    ASSERT_NE(details.Window(), nullptr);
    router.LocalUserSwitching();
    EXPECT_EQ(details.Window(), nullptr);
}

} // namespace
} // namespace murmex::test
