// How the inbox reaches the disk: through the change journal, off the window
// thread, never past a failed save; and how a damaged data file is read.
#include "model_world.h"
#include "protocol/command_codes.h"
#include "storage/config_file.h"
#include "support/file_size_limit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murmex {
namespace {

using test::CFileSizeLimit;
using test::CModelWorld;

const char* const kMe = "QID=\"5\" Nick=\"ja\" Email=\"me@x\" Name=\"\" Surname=\"\" "
                        "HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" SavePassword=\"1\" "
                        "Password=\"pw\" ";

std::string Line(int sender, const std::string& text, int read = 0, int when = 1) {
    return "msgtext=\"" + text + "\" wasread=\"" + std::to_string(read) + "\" sender=\"" +
           std::to_string(sender) + "\" whensent=\"" + std::to_string(when) + "\" type=\"0\" ";
}

CMessageRecord Message(int sender, const std::string& text) {
    CMessageRecord m;
    m.SetContent(text, sender, 1);
    return m;
}

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

class MessageStorage : public ::testing::Test {
protected:
    void Open(std::vector<std::string> extra = {}) {
        ASSERT_TRUE(w.Connect());
        std::vector<std::string> lines = {"[LocalUsers]", kMe, "", "[QID5-Messages]",
                                          Line(21, "stary", 0)};
        lines.insert(lines.end(), extra.begin(), extra.end());
        w.WriteConfig(lines);
        dm().SwitchLocalUser(5);
        dm().WaitForWorkers();
        w.LogIn(5);
    }
    // The inbox as a freshly started program finds it on disk.
    std::vector<std::string> MessagesOnDisk() {
        dm().FlushStorage();
        CConfigFile::ForgetAll();
        CConfigStore store;
        store.Open("QID5-Messages", CConfigStore::Read);
        std::vector<std::string> lines;
        std::string line;
        while (store.ReadLine(line))
            lines.push_back(line);
        return lines;
    }
    CDataManager& dm() { return w.Manager(); }
    CModelWorld w;
};

TEST_F(MessageStorage, NewMessagesAndReadMarksGoToTheJournalNotARewrite) {
    Open();
    const ino_t before = InodeOf(w.dir.File("murmex.cfg"));
    EXPECT_EQ(dm().AddMessage(Message(22, "nowa")), 1);
    CMessageRecord sent = Message(22, "moja");
    sent.SetType(CMessageRecord::SentSms);
    EXPECT_EQ(dm().StoreSentMessage(sent), 2);
    EXPECT_TRUE(dm().SetMessageRead(0));
    EXPECT_EQ(MessagesOnDisk(),
              (std::vector<std::string>{Line(21, "stary", 1), Line(22, "nowa"),
                                        "msgtext=\"moja\" wasread=\"1\" sender=\"22\" "
                                        "whensent=\"1\" type=\"2\" "}));
    EXPECT_EQ(InodeOf(w.dir.File("murmex.cfg")), before) << "murmex.cfg was not rewritten";

    // At exit the journal is folded into murmex.cfg, in its old format.
    dm().Shutdown();
    EXPECT_EQ(::access(w.dir.File("murmex.cfg.journal").c_str(), F_OK), -1);
    EXPECT_NE(w.dir.ReadFile("murmex.cfg")
                  .find("[QID5-Messages]\r\n" + Line(21, "stary", 1) + "\r\n" + Line(22, "nowa") +
                        "\r\n"),
              std::string::npos);
}

TEST_F(MessageStorage, UnreadCountsPerSenderFollowEveryChange) {
    Open({Line(21, "b", 0), Line(22, "c", 1), Line(23, "d", 0)});
    EXPECT_EQ(dm().UnreadCountFrom(21), 2);
    EXPECT_EQ(dm().UnreadCountFrom(22), 0);
    EXPECT_EQ(dm().UnreadCount(), 3);
    dm().AddMessage(Message(22, "e"));
    EXPECT_TRUE(dm().HasUnreadFrom(22));
    dm().SetMessageRead(0);
    dm().SetMessageRead(0); // twice counts once
    EXPECT_EQ(dm().UnreadCountFrom(21), 1);
    dm().SetMessageRead(1);
    EXPECT_FALSE(dm().HasUnreadFrom(21));
    EXPECT_EQ(dm().FirstUnreadFrom(21), 0);
    dm().SetMessageRead(1, false);
    EXPECT_EQ(dm().FirstUnreadFrom(21), 1);
    EXPECT_EQ(dm().UnreadCount(), 3);
    // The same counts after a reload from disk.
    dm().FlushStorage();
    CConfigFile::ForgetAll();
    dm().Load();
    EXPECT_EQ(dm().UnreadCountFrom(21), 1);
    EXPECT_EQ(dm().UnreadCountFrom(22), 1);
    EXPECT_EQ(dm().UnreadCountFrom(23), 1);
    EXPECT_EQ(dm().UnreadCount(), 3);
}

TEST_F(MessageStorage, AFailedSaveStopsTheFetchUntilASaveSucceeds) {
    Open();
    for (const char* text : {"a", "b", "c"})
        w.peer.Reply(CMD_FETCH_MESSAGE,
                     std::string("2000 sender=\"21\" msg=\"") + text + "\" date=\"1\" ");
    {
        CFileSizeLimit fullDisk(1); // nothing can be written: a full disk
        dm().StartMessageFetch();
        dm().WaitForWorkers();
        EXPECT_EQ(w.peer.Count(CMD_FETCH_MESSAGE), 1)
            << "no further request while the fetched message is not on disk";
        EXPECT_TRUE(dm().StorageFailed());
        dm().StartMessageFetch(); // the next tick: still failing, still no request
        dm().WaitForWorkers();
        EXPECT_EQ(w.peer.Count(CMD_FETCH_MESSAGE), 1);
    }
    ASSERT_EQ(w.messageBox.Calls().size(), 1u) << "told once, not once per attempt";
    const std::string told = w.messageBox.Calls()[0];
    EXPECT_EQ(told.rfind("Nie mogę zapisać danych do pliku " + w.dir.File("murmex.cfg"), 0), 0u)
        << told;
    EXPECT_EQ(dm().MessageCount(), 2) << "the message stays in memory meanwhile";

    // Space again: the next tick saves everything and fetches on.
    dm().StartMessageFetch();
    dm().WaitForWorkers();
    EXPECT_FALSE(dm().StorageFailed());
    EXPECT_EQ(MessagesOnDisk(), (std::vector<std::string>{Line(21, "stary"), Line(21, "a"),
                                                          Line(21, "b"), Line(21, "c")}));
    EXPECT_EQ(w.messageBox.Calls().size(), 1u);
}

TEST_F(MessageStorage, ADamagedFileLosesOnlyItsDamagedLinesAndIsKeptAndReported) {
    ASSERT_TRUE(w.Connect());
    const std::string damaged =
        "[LocalUsers]\r\n"
        // The line lost its RemoteCellPhonePrefix key.
        "QID=\"5\" Nick=\"ja\" Email=\"me@x\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
        "SavePassword=\"1\" Password=\"pw\" \r\n"
        "\r\n[QID5-Messages]\r\n" +
        Line(21, "jeden") + "\r\n\x13\x07\xff garbage \" = ~\r\nmsgtext=\"cut sh\r\n" +
        Line(22, "dwa") + "\r\n";
    w.dir.WriteFile("murmex.cfg", damaged);
    dm().SwitchLocalUser(5);
    dm().WaitForWorkers();

    EXPECT_EQ(dm().MessageCount(), 2);
    EXPECT_EQ(w.missing.Calls().size(), 0u) << "the server is not blamed for a local file";
    EXPECT_EQ(w.dir.ReadFile("murmex.cfg.damaged"), damaged);
    ASSERT_EQ(w.messageBox.Calls().size(), 1u);
    EXPECT_NE(w.messageBox.Calls()[0].find(w.dir.File("murmex.cfg")), std::string::npos);

    // Damaged lines are gone after the next save; everything else stays, and
    // positions are in step again for the journal.
    dm().AddMessage(Message(23, "trzy"));
    EXPECT_EQ(MessagesOnDisk(),
              (std::vector<std::string>{Line(21, "jeden"), Line(22, "dwa"), Line(23, "trzy")}));
    const std::string saved = w.Config();
    EXPECT_NE(saved.find("Nick=\"ja\""), std::string::npos);
    EXPECT_NE(saved.find("Email=\"me@x\""), std::string::npos);
    EXPECT_NE(saved.find("Password=\"pw\""), std::string::npos);
    EXPECT_EQ(w.dir.ReadFile("murmex.cfg.damaged"), damaged) << "the copy is left alone";
}

} // namespace
} // namespace murmex
