// The favourite channel list: its rows, its click mode and its menus.
#include "friends/favourite_channel_list.h"
#include "friends/tree_icons.h"
#include "tree_world.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace murmex {
namespace {

using test::CLongDoubleClick;
using test::WaitFor;

class FavouriteList : public ::testing::Test {
protected:
    void SetUp() override {
        list = std::make_unique<CFavouriteChannelList>(w.channels, *w.data, nullptr);
        w.channels.SetFavouritesView(list.get());
        list->SetMenuRunner(menus.Runner());
        list->SetConnectionCheck([this] { return connected; });
        list->resize(200, 300);
        list->show();
    }
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0);
        return rows;
    }
    QPoint At(int channelId) { return test::CentreOf(*list, list->ChannelItem(channelId)); }
    void OpenMenuAt(const QPoint& at, int command) {
        const std::size_t before = menus.menus.size();
        menus.choose = command;
        test::Click(*list, Qt::LeftButton, at);
        ASSERT_TRUE(WaitFor([&] { return menus.menus.size() > before; }));
    }

    test::CTreeWorld w;
    test::CMenuRecorder menus;
    bool connected = true;
    std::unique_ptr<CFavouriteChannelList> list;
};

TEST_F(FavouriteList, ShowsTheFavouritesInOrderAndFollowsTheChannelList) {
    // The favourite without a record keeps a row under its number.
    EXPECT_EQ(Rows(), (QStringList{"czat", "muzyka", "9"}));
    EXPECT_EQ(CClickTree::ItemValue(list->ChannelItem(8)), 8);
    EXPECT_EQ(CClickTree::ItemIcon(list->ChannelItem(8)), kIconGroupClosed);

    w.channels.RefreshFavouritesView();
    EXPECT_EQ(Rows(), (QStringList{"czat", "muzyka", "9"}));
    list->FavouritesRemove(8);
    EXPECT_EQ(Rows(), (QStringList{"czat", "9"}));
    EXPECT_FALSE(list->ShowsEmptyHint());
    list->FavouritesClear();
    EXPECT_TRUE(Rows().isEmpty());
    // Empty, the list says how to fill it.
    EXPECT_TRUE(list->ShowsEmptyHint());
    EXPECT_TRUE(list->EmptyHint().contains(QStringLiteral("Dodaj kanał do ulubionych")));
}

TEST_F(FavouriteList, RemovingAFavouriteSavesWithoutTheService) {
    OpenMenuAt(At(7), CFavouriteChannelList::kCmdRemoveChannel);
    EXPECT_EQ(Rows(), (QStringList{"muzyka", "9"}));
    EXPECT_EQ(w.channels.Favourites(), (std::vector<int>{8, 9}));
    EXPECT_TRUE(w.Has("Favorites=\"8,9\""));
    EXPECT_TRUE(w.peer.Requests().empty());
}

TEST_F(FavouriteList, MenusForAChannelAndForEmptySpace) {
    OpenMenuAt(At(8), 0);
    EXPECT_EQ(menus.menus[0].entries,
              (QStringList{"Otwórz okno", "Wejdź na kanał", "Funkcje operatorskie", "-",
                           "Dodaj kanał do ulubionych", "Usuń kanał"}));
    EXPECT_EQ(menus.menus[0].defaultEntry, "Otwórz okno");
    EXPECT_EQ(list->currentItem(), list->ChannelItem(8));

    // Empty space clears the selection and still has its menu.
    OpenMenuAt(test::EmptySpace(*list), 0);
    EXPECT_EQ(menus.menus[1].entries, (QStringList{"Dodaj kanał do ulubionych", "Szukaj kanału"}));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(menus.menus[1].enabled, (std::vector<bool>{true, true}));

    // Offline, what needs the service is greyed.
    connected = false;
    OpenMenuAt(At(8), 0);
    EXPECT_EQ(menus.menus[2].enabled, (std::vector<bool>{true, false, false, true, false, true}));
    OpenMenuAt(test::EmptySpace(*list), 0);
    EXPECT_EQ(menus.menus[3].enabled, (std::vector<bool>{false, false}));
}

TEST_F(FavouriteList, TheCommandsReachTheMainBar) {
    QSignalSpy info(list.get(), &CFavouriteChannelList::ShowChannelInfo);
    QSignalSpy enter(list.get(), &CFavouriteChannelList::EnterChannel);
    QSignalSpy oper(list.get(), &CFavouriteChannelList::ChannelOperator);
    QSignalSpy add(list.get(), &CFavouriteChannelList::AddFavouriteRequested);
    QSignalSpy search(list.get(), &CFavouriteChannelList::SearchChannelsRequested);
    OpenMenuAt(At(8), CFavouriteChannelList::kCmdOpenChannel);
    OpenMenuAt(At(8), CFavouriteChannelList::kCmdEnterChannel);
    OpenMenuAt(At(7), CFavouriteChannelList::kCmdOperator);
    OpenMenuAt(At(7), CFavouriteChannelList::kCmdAddFavourite);
    OpenMenuAt(test::EmptySpace(*list), CFavouriteChannelList::kCmdSearchChannel);
    ASSERT_EQ(info.count(), 1);
    EXPECT_EQ(info.at(0).at(0).toInt(), 8);
    ASSERT_EQ(enter.count(), 1);
    EXPECT_EQ(enter.at(0).at(0).toInt(), 8);
    ASSERT_EQ(oper.count(), 1);
    EXPECT_EQ(oper.at(0).at(0).toInt(), 7);
    EXPECT_EQ(add.count(), 1);
    EXPECT_EQ(search.count(), 1);

    // A greyed entry does nothing even if it is chosen.
    connected = false;
    OpenMenuAt(At(8), CFavouriteChannelList::kCmdEnterChannel);
    EXPECT_EQ(enter.count(), 1);
}

TEST_F(FavouriteList, ClickModeLikeTheFriendTree) {
    CLongDoubleClick longWait;
    QSignalSpy info(list.get(), &CFavouriteChannelList::ShowChannelInfo);
    test::DoubleClick(*list, Qt::LeftButton, At(7));
    ASSERT_EQ(info.count(), 1);
    EXPECT_EQ(info.at(0).at(0).toInt(), 7);
    EXPECT_FALSE(list->IsMenuPending());
    test::DoubleClick(*list, Qt::LeftButton, test::EmptySpace(*list));
    EXPECT_EQ(info.count(), 1) << "a double click on empty space opens nothing";

    // The other button only clears the selection.
    list->setCurrentItem(list->ChannelItem(7));
    test::Click(*list, Qt::RightButton, At(8));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_FALSE(list->IsMenuPending());

    SetOption("MouseButton", "1");
    test::Click(*list, Qt::RightButton, At(8));
    EXPECT_EQ(list->currentItem(), list->ChannelItem(8));
    EXPECT_TRUE(list->IsMenuPending());
    test::Click(*list, Qt::LeftButton, At(7));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_TRUE(menus.menus.empty());
}

TEST_F(FavouriteList, ChangesFromAnotherThreadArriveOnTheListsThread) {
    std::thread worker([&] { list->FavouritesRemove(7); });
    worker.join();
    EXPECT_EQ(Rows().size(), 3);
    EXPECT_TRUE(WaitFor([&] { return Rows() == QStringList{"muzyka", "9"}; }));
}

} // namespace
} // namespace murmex
