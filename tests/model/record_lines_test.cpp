// How user, group, message and channel records are stored: one line each.
#include "model/channel_record.h"
#include "model/group.h"
#include "model/message_record.h"
#include "model/user_record.h"
#include "protocol/param_record.h"
#include "storage/config_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

class RecordLines : public ::testing::Test {
protected:
    RecordLines() {
        CParamRecord::SetMissingEntryHandler(
            [this](const std::string& m) { missing.push_back(m); });
    }
    ~RecordLines() override { CParamRecord::SetMissingEntryHandler(nullptr); }

    std::string LineOf(const CStorable& record) {
        CConfigStore store;
        store.Open("T", CConfigStore::Write);
        record.WriteTo(store);
        EXPECT_TRUE(store.Close());
        std::string text = dir.ReadFile("murmex.cfg");
        const std::string head = "[T]\r\n";
        EXPECT_EQ(text.compare(0, head.size(), head), 0);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        return text.substr(head.size(), text.size() - head.size() - 2);
    }

    template <class T> T FromLine(const std::string& line) {
        dir.WriteFile("murmex.cfg", "[T]\r\n" + line + "\r\n");
        CConfigStore store;
        store.Open("T", CConfigStore::Read);
        T record;
        EXPECT_TRUE(record.ReadFrom(store));
        EXPECT_FALSE(record.ReadFrom(store)) << "one line, one record";
        store.Close();
        return record;
    }

    test::CTempDataDir dir;
    std::vector<std::string> missing;
};

CUserRecord Friend() {
    CUserRecord u(77);
    u.SetNick("ala");
    u.SetEmail("a@b.pl");
    u.SetName("Ala");
    u.SetSurname("Kot");
    u.SetHasRemoteCellPhone(true);
    u.SetRemoteCellPhonePrefix("601");
    u.SetLocalCellPhone("0601000000");
    u.SetDisplay("Alusia");
    u.SetNote("two\r\nlines");
    u.SetOnEnterSmsFlag(true);
    u.SetFlag(CUserRecord::kHasBrief, true);
    return u;
}

TEST_F(RecordLines, UserWithBriefDataIsWrittenInItsFixedOrderAndReadsBack) {
    CUserRecord u = Friend();
    EXPECT_EQ(LineOf(u),
              "QID=\"77\" Nick=\"ala\" Email=\"a@b.pl\" Name=\"Ala\" Surname=\"Kot\" "
              "HasRemoteCellPhone=\"1\" LocalCellPhone=\"0601000000\" Display=\"Alusia\" "
              "Note=\"two~lines\" OnEnterSMS=\"1\" OnEnterEmail=\"0\" "
              "RemoteCellPhonePrefix=\"601\" ");
    CUserRecord back = FromLine<CUserRecord>(LineOf(u));
    EXPECT_TRUE(back.HasBrief());
    EXPECT_FALSE(back.IsStoredLocalUser());
    EXPECT_EQ(back.Note(), "two\r\nlines");
    EXPECT_EQ(back.DisplayName(), "Alusia");
    EXPECT_TRUE(back.OnEnterSmsFlag());
    EXPECT_FALSE(back.OnEnterEmailFlag());
    EXPECT_TRUE(back.CanReceiveSms());
}

TEST_F(RecordLines, PasswordKeysBelongToStoredLocalUsersOnly) {
    CUserRecord cached = Friend();
    cached.SetPassword("secret");
    cached.SetSavePassword(true);
    EXPECT_EQ(LineOf(cached).find("Password"), std::string::npos);

    CUserRecord local = Friend();
    local.SetLocalUser(true);
    local.SetPassword("secret");
    local.SetSavePassword(false);
    const std::string unsaved = LineOf(local);
    EXPECT_NE(unsaved.find("SavePassword=\"0\" "), std::string::npos);
    EXPECT_EQ(unsaved.find(" Password="), std::string::npos);
    CUserRecord back = FromLine<CUserRecord>(unsaved);
    EXPECT_TRUE(back.IsStoredLocalUser());
    EXPECT_FALSE(back.HasPassword()) << "the login must ask for it";

    local.SetSavePassword(true);
    back = FromLine<CUserRecord>(LineOf(local));
    ASSERT_TRUE(back.HasPassword());
    EXPECT_EQ(back.Password(), "secret");
}

TEST_F(RecordLines, UserLinesThatLostAKeyKeepEveryFieldTheyStillHave) {
    // A local user whose line lost the prefix key (a damaged file): written
    // back, it must still hold the nick, e-mail and saved password.
    CUserRecord u = FromLine<CUserRecord>(
        "QID=\"5\" Nick=\"n\" Email=\"e\" Name=\"a\" Surname=\"b\" HasRemoteCellPhone=\"0\" "
        "OnEnterEmail=\"1\" SavePassword=\"1\" Password=\"x\" ");
    EXPECT_TRUE(u.HasQid());
    EXPECT_TRUE(u.HasBrief());
    EXPECT_TRUE(u.OnEnterEmailFlag());
    ASSERT_TRUE(u.HasPassword());
    EXPECT_EQ(u.Password(), "x");
    const std::string back = LineOf(u);
    for (const char* kept : {"Nick=\"n\"", "Email=\"e\"", "SavePassword=\"1\"", "Password=\"x\""})
        EXPECT_NE(back.find(kept), std::string::npos) << kept << " in " << back;

    // A password line without any brief key still keeps the password.
    CUserRecord bare = FromLine<CUserRecord>("QID=\"6\" SavePassword=\"1\" Password=\"y\" ");
    EXPECT_EQ(bare.Password(), "y");
    EXPECT_NE(LineOf(bare).find("Password=\"y\""), std::string::npos);

    // A local contact without "Street" keeps the rest of its phone data.
    CUserRecord c = FromLine<CUserRecord>("QID=\"1000000005\" Nick=\"n\" Email=\"e\" Name=\"a\" "
                                          "Surname=\"b\" LocalCellPhone=\"1\" Phone=\"2\" ");
    EXPECT_EQ(c.Qid(), 1000000005);
    EXPECT_TRUE(c.IsLocalContact());
    EXPECT_EQ(c.Nick(), "n");
    EXPECT_NE(LineOf(c).find("Phone=\"2\""), std::string::npos);

    // No QID at all: a record without data.
    CUserRecord none = FromLine<CUserRecord>("Nick=\"n\" ");
    EXPECT_FALSE(none.HasQid());
    EXPECT_EQ(LineOf(none), "");
}

TEST_F(RecordLines, LocalContactsKeepTheirPhoneData) {
    CUserRecord c(1000000042);
    c.SetLocalContact(true);
    c.SetNick("hydraulik");
    c.SetStreet("Prosta 1");
    c.SetPhone("221234567");
    c.SetLocalCellPhone("0601234567");
    EXPECT_EQ(LineOf(c), "QID=\"1000000042\" Nick=\"hydraulik\" Email=\"\" Name=\"\" Surname=\"\" "
                         "Street=\"Prosta 1\" LocalCellPhone=\"0601234567\" Phone=\"221234567\" ");
    c.SetDisplay("Pan Zenek");
    CUserRecord back = FromLine<CUserRecord>(LineOf(c));
    EXPECT_TRUE(back.IsLocalContact());
    EXPECT_EQ(back.Street(), "Prosta 1");
    EXPECT_EQ(back.DisplayName(), "Pan Zenek");
}

TEST(UserRecord, NamesAndNumbers) {
    CUserRecord u;
    u.SetNick("nick");
    EXPECT_EQ(u.DisplayName(), "nick");
    EXPECT_FALSE(u.CanReceiveSms());
    u.SetCellPhone("");
    EXPECT_FALSE(u.HasRemoteCellPhone());
    u.SetCellPhone("0601234567");
    EXPECT_TRUE(u.HasRemoteCellPhone());

    EXPECT_EQ(CUserRecord::CellPrefix("0601234567"), "601");
    EXPECT_EQ(CUserRecord::CellNumber("0601234567"), "234567");
    EXPECT_EQ(CUserRecord::CellPrefix("060123456"), "");
    EXPECT_EQ(CUserRecord::CellNumber("06012345678"), "");

    EXPECT_EQ(u.FirstLanguage(), 0);
    u.SetLanguages({4, 9});
    EXPECT_TRUE(u.HasLanguage(9));
    u.SetSingleLanguage(3);
    EXPECT_EQ(u.Languages(), std::vector<int>{3});
}

TEST_F(RecordLines, GroupLines) {
    CGroup g(12, "Praca");
    g.AddMember(5);
    g.AddMember(6);
    g.AddMember(5);
    EXPECT_EQ(LineOf(g), "GID=\"12\" Name=\"Praca\" FriendsCount=\"2\" F1=\"5\" F2=\"6\" ");
    CGroup back = FromLine<CGroup>(LineOf(g));
    EXPECT_EQ(back.Members(), (std::vector<int>{5, 6}));
    EXPECT_EQ(back.Member(2), 0);

    // A member key that a damaged line lost is left out, and nobody blames the
    // server for our own file.
    CGroup gap = FromLine<CGroup>("GID=\"3\" Name=\"x\" FriendsCount=\"2\" F2=\"9\" ");
    EXPECT_EQ(gap.Members(), (std::vector<int>{9}));
    EXPECT_TRUE(missing.empty());

    // Without its three keys the line still counts, as an empty group 0.
    CGroup bare = FromLine<CGroup>("Name=\"x\" ");
    EXPECT_EQ(bare.Id(), 0);
    EXPECT_EQ(bare.MemberCount(), 0);
}

TEST_F(RecordLines, GroupCountFromADamagedFileIsBounded) {
    CGroup g = FromLine<CGroup>("GID=\"3\" Name=\"x\" FriendsCount=\"2000000000\" F1=\"4\" ");
    EXPECT_EQ(g.Members(), (std::vector<int>{4}));
    EXPECT_TRUE(missing.empty());
    CGroup negative = FromLine<CGroup>("GID=\"3\" Name=\"x\" FriendsCount=\"-5\" F1=\"4\" ");
    EXPECT_EQ(negative.MemberCount(), 0);
}

TEST_F(RecordLines, MessageLines) {
    CMessageRecord sent;
    sent.SetContent("hej~\r\nty", 9, 1000);
    sent.SetType(CMessageRecord::Sent);
    sent.SetRead(false);
    EXPECT_EQ(LineOf(sent),
              "msgtext=\"hej\\~~ty\" wasread=\"1\" sender=\"9\" whensent=\"1000\" type=\"1\" ");

    CMessageRecord old =
        FromLine<CMessageRecord>("msgtext=\"a\" wasread=\"0\" sender=\"4\" whensent=\"77\" ");
    EXPECT_EQ(old.Type(), CMessageRecord::Received);
    EXPECT_FALSE(old.IsRead());
    EXPECT_EQ(old.SentTime(), 77);
    EXPECT_EQ(old.Sender(), 4);
    EXPECT_TRUE(missing.empty());

    // Keys a damaged line lost read as empty, without the server's error.
    CMessageRecord partial = FromLine<CMessageRecord>("type=\"2\" sender=\"8\" ");
    EXPECT_EQ(partial.Type(), CMessageRecord::SentSms);
    EXPECT_TRUE(partial.IsRead());
    EXPECT_EQ(partial.Sender(), 8);
    EXPECT_EQ(partial.Text(), "");
    EXPECT_TRUE(missing.empty());
}

TEST(MessageRecord, SummaryMarksTypeAndUnread) {
    CMessageRecord m;
    m.SetContent("x", 4, 0);
    const std::string unread = m.Summary("ala");
    EXPECT_EQ(unread.rfind("< [nowa] ala - ", 0), 0u) << unread;
    EXPECT_GT(unread.size(), std::string("< [nowa] ala - ").size()) << "the time follows";
    EXPECT_TRUE(m.SetRead(true));
    EXPECT_FALSE(m.SetRead(true)) << "only the change to read is news";
    EXPECT_EQ(m.Summary().rfind("< ", 0), 0u);
    EXPECT_EQ(m.Summary().find("[nowa]"), std::string::npos);
    m.SetType(CMessageRecord::SentSms);
    EXPECT_EQ(m.Summary("ala").rfind("SMS ala - ", 0), 0u);
}

TEST_F(RecordLines, ChannelLines) {
    CChannelRecord c(31);
    c.SetName("dla wszystkich");
    c.SetDescription("opis");
    c.SetUrl("http://x/");
    c.SetCategory(2);
    c.SetCreator(7);
    c.SetMaxUsers(50);
    EXPECT_EQ(LineOf(c), "CID=\"31\" ");
    c.SetFlag(CChannelRecord::kDescribed, true);
    EXPECT_EQ(LineOf(c), "CID=\"31\" Name=\"dla wszystkich\" Description=\"opis\" Category=\"2\" "
                         "CreatorQID=\"7\" URL=\"http://x/\" MaxUsers=\"50\" ");
    CChannelRecord back = FromLine<CChannelRecord>(LineOf(c));
    EXPECT_TRUE(back.IsDescribed());
    EXPECT_EQ(back.MaxUsers(), 50);

    CChannelRecord partial = FromLine<CChannelRecord>("CID=\"8\" Name=\"n\" URL=\"u\" ");
    EXPECT_EQ(partial.Id(), 8);
    EXPECT_FALSE(partial.IsDescribed());
    EXPECT_EQ(partial.Name(), "");
}

} // namespace
} // namespace murmex
