// Channel records' commands, the known channels and the favourites.
#include "model/channel_record.h"
#include "model_world.h"
#include "protocol/command_codes.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CModelWorld;

constexpr const char* kDescription =
    "2000 name=\"dla wszystkich\" description=\"d\" url=\"u\" category=\"3\" creator=\"9\" "
    "max_users=\"40\" ";

class Channels : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(w.Connect());
        w.LogIn(7);
    }
    std::vector<std::string> Sent() {
        auto all = w.peer.Requests();
        all.erase(all.begin());
        return all;
    }
    CModelWorld w;
};

TEST_F(Channels, DescriptionIsFetchedOnceAndStoredForKnownChannels) {
    w.peer.Reply(CMD_GET_CHANNEL, kDescription);
    auto channel = w.channels.Channel(31);
    ASSERT_TRUE(channel);
    EXPECT_TRUE(channel->IsDescribed());
    EXPECT_EQ(channel->Name(), "dla wszystkich");
    EXPECT_EQ(channel->MaxUsers(), 40);
    EXPECT_EQ(w.channels.Channel(31), channel);
    EXPECT_EQ(Sent(), std::vector<std::string>{"1200 chanid=\"31\" "});
    EXPECT_NE(w.Config().find("[Channels]\r\nCID=\"31\" Name=\"dla wszystkich\""),
              std::string::npos);

    w.peer.Reply(CMD_GET_CHANNEL, "4000 ");
    EXPECT_EQ(w.channels.Channel(32), nullptr);
    EXPECT_FALSE(w.channels.IsKnown(32));
}

TEST_F(Channels, PartlyStoredChannelAsksTheServerForItsDescription) {
    w.WriteConfig({"[Channels]", "CID=\"8\" Name=\"n\" ", "Name=\"no id\" ", "CID=\"8\" "});
    w.channels.Load();
    ASSERT_EQ(w.channels.Known().size(), 1u) << "no id-less or duplicate records";
    auto channel = w.channels.KnownById(8);
    ASSERT_TRUE(channel);
    EXPECT_FALSE(channel->IsDescribed());
    w.peer.Reply(CMD_GET_CHANNEL, kDescription);
    ASSERT_TRUE(channel->LoadDescription(w.channels));
    EXPECT_EQ(Sent(), std::vector<std::string>{"1200 chanid=\"8\" "});
    EXPECT_EQ(w.Config(), "[Channels]\r\nCID=\"8\" Name=\"dla wszystkich\" Description=\"d\" "
                          "Category=\"3\" CreatorQID=\"9\" URL=\"u\" MaxUsers=\"40\" \r\n");
}

TEST_F(Channels, OperatorCommands) {
    CChannelRecord c(5);
    EXPECT_FALSE(c.ApplySettings(w.channels)) << "needs description, state and operator data";
    w.peer.Reply(CMD_GET_CHANNEL_STATE, "2000 topic=\"t\" topicsetby=\"3\" current_user=\"12\" ");
    w.peer.Reply(CMD_GET_CHANNEL_OPERS, "2000 opers=\"3,4\" password=\"pw\" ");
    ASSERT_TRUE(c.LoadState(w.channels));
    EXPECT_EQ(c.CurrentUsers(), 12);
    EXPECT_EQ(c.StateTime(), w.clock.now);
    ASSERT_TRUE(c.LoadOperatorData(w.channels));
    EXPECT_TRUE(c.LoadOperatorData(w.channels)) << "kept from the first time";
    ASSERT_TRUE(c.AddOperator(w.channels, 10));
    EXPECT_EQ(c.Operators(), (std::vector<int>{3, 4, 10}));
    w.peer.Reply(CMD_REMOVE_OPERATOR, "4000 ");
    EXPECT_FALSE(c.RemoveOperator(w.channels, 4));
    EXPECT_EQ(c.Operators().size(), 3u);
    c.SetFlag(CChannelRecord::kDescribed, true);
    c.SetTopic("nowy");
    c.SetMaxUsers(9);
    ASSERT_TRUE(c.ApplySettings(w.channels));
    w.peer.Reply(CMD_CHECK_OPERATOR, "4003 ");
    EXPECT_FALSE(c.CheckOperator(w.channels));
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "1210 chanid=\"5\" ",
                          "1220 chanid=\"5\" ",
                          "1250 userid=\"10\" chanid=\"5\" ",
                          "1251 userid=\"4\" ",
                          "1230 chanid=\"5\" topic=\"nowy\" password=\"pw\" max_users=\"9\" ",
                          "1240 chanid=\"5\" ",
                      }));
}

TEST_F(Channels, CreateAndFind) {
    CChannelRecord c;
    c.SetName("nowy");
    c.SetDescription("o");
    c.SetUrl("http://u/");
    c.SetCategory(2);
    c.SetMaxUsers(30);
    w.peer.Reply(CMD_CREATE_CHANNEL, "2000 chanid=\"77\" ");
    ASSERT_TRUE(c.Create(w.channels));
    EXPECT_EQ(c.Id(), 77);
    EXPECT_EQ(c.Creator(), 7);
    EXPECT_TRUE(c.IsDescribed());
    EXPECT_FALSE(c.Create(w.channels)) << "it has an id now";

    CChannelRecord f;
    w.peer.Reply(CMD_FIND_CHANNEL, "4000 ");
    EXPECT_FALSE(f.FindByName(w.channels, "x"));
    EXPECT_FALSE(f.HasId());
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "1260 name=\"nowy\" description=\"o\" category=\"2\" URL=\"http://u/\" "
                          "max_users=\"30\" ",
                          "1270 name=\"x\" ",
                      }));
}

TEST_F(Channels, FavouritesByName) {
    w.channels.SetLocalUser(7);
    w.peer.Reply(CMD_FIND_CHANNEL, "4000 ");
    EXPECT_EQ(w.channels.AddFavouriteByName("nikt"), CChannelList::kNoSuchChannel);
    EXPECT_TRUE(w.channels.Known().empty());

    w.peer.Reply(CMD_FIND_CHANNEL, "2000 chanid=\"31\" ");
    w.peer.Reply(CMD_GET_CHANNEL, kDescription);
    EXPECT_EQ(w.channels.AddFavouriteByName("dla wszystkich"), CChannelList::kDone);
    EXPECT_EQ(w.favourites.Calls(), std::vector<std::string>{"add 31"});
    const std::string saved = w.Config();
    EXPECT_NE(saved.find("[QID7-ChannelFavorites]\r\nFavorites=\"31\" \r\n"), std::string::npos);

    w.dir.WriteFile("murmex.cfg", "");
    EXPECT_EQ(w.channels.AddFavouriteByName("dla wszystkich"), CChannelList::kAlreadyFavourite);
    EXPECT_EQ(w.Config(), "") << "nothing saved";

    // A channel found under a name we do not know, with an id we do, is not doubled.
    w.peer.Reply(CMD_FIND_CHANNEL, "2000 chanid=\"31\" ");
    EXPECT_EQ(w.channels.AddFavouriteByName("inna nazwa"), CChannelList::kAlreadyFavourite);
    EXPECT_EQ(w.channels.Favourites(), std::vector<int>{31});

    EXPECT_EQ(w.channels.RemoveFavourite(99), CChannelList::kNoSuchChannel);
    EXPECT_EQ(w.channels.RemoveFavourite(31), CChannelList::kDone);
    EXPECT_EQ(w.favourites.Calls().back(), "remove 31");
    EXPECT_TRUE(w.channels.Favourites().empty());
}

TEST_F(Channels, UsersShareChannelsButNotFavourites) {
    w.WriteConfig({"[Channels]", "CID=\"1\" ", "CID=\"2\" ", "", "[QID5-ChannelFavorites]",
                   "Favorites=\"2,1\" ", "", "[QID6-ChannelFavorites]", "Favorites=\"1\" "});
    w.channels.SetLocalUser(5);
    w.channels.Load();
    EXPECT_EQ(w.channels.Favourites(), (std::vector<int>{2, 1}));
    w.channels.SetFavouritesView(&w.favourites);
    w.channels.RefreshFavouritesView();
    EXPECT_EQ(w.favourites.Calls(), (std::vector<std::string>{"clear", "add 2", "add 1"}));
    w.channels.SetLocalUser(6);
    w.channels.Load();
    EXPECT_EQ(w.channels.Favourites(), std::vector<int>{1});
    EXPECT_EQ(w.channels.Known().size(), 2u);
    w.channels.SetLocalUser(0);
    w.channels.Load();
    EXPECT_TRUE(w.channels.Favourites().empty());

    w.dir.WriteFile("murmex.cfg", "");
    ASSERT_TRUE(w.channels.Save());
    EXPECT_EQ(w.Config(), "[Channels]\r\nCID=\"1\" \r\nCID=\"2\" \r\n") << "no user, no favourites";
}

TEST_F(Channels, SearchResolvesEveryFoundChannel) {
    w.peer.Reply(CMD_SEARCH_CHANNELS, "2000 found=\"4,5\" ");
    w.peer.Reply(CMD_GET_CHANNEL, kDescription);
    w.peer.Reply(CMD_GET_CHANNEL, "4000 ");
    ASSERT_TRUE(w.channels.SearchChannels("czat"));
    EXPECT_EQ(w.channels.SearchResultCount(), 2);
    EXPECT_EQ(w.channels.SearchResultId(1), 5);
    EXPECT_TRUE(w.channels.SearchResult(0));
    EXPECT_FALSE(w.channels.SearchResult(1)) << "the server could not describe it";
    EXPECT_FALSE(w.channels.SearchResult(2));
    EXPECT_EQ(w.peer.RequestsFor(CMD_SEARCH_CHANNELS),
              std::vector<std::string>{"1320 query=\"czat\" "});

    w.peer.Reply(CMD_SEARCH_CHANNELS, "4000 ");
    EXPECT_FALSE(w.channels.SearchChannels("x"));
    EXPECT_EQ(w.channels.SearchResultCount(), 0);
}

TEST_F(Channels, AnAnswerListingThousandsKeepsAndFetchesOnlyTheFirstHundred) {
    std::string many = "2000 found=\"";
    for (int i = 0; i < 3000; ++i)
        many += (i ? "," : "") + std::to_string(100 + i);
    w.peer.Reply(CMD_SEARCH_CHANNELS, many + "\" ");
    ASSERT_TRUE(w.channels.SearchChannels(""));
    EXPECT_EQ(w.channels.SearchResultCount(), static_cast<int>(CChannelList::kMaxSearchResults));
    EXPECT_EQ(w.channels.SearchResultId(99), 199);
    EXPECT_EQ(w.channels.SearchResultId(100), 0);
    EXPECT_EQ(w.peer.RequestsFor(CMD_GET_CHANNEL).size(), CChannelList::kMaxSearchResults);
}

} // namespace
} // namespace murmex
