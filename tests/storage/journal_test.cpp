// The change journal beside murmex.cfg, the shared file image, and how
// rewrites name their temporary files and set their modes.
#include "protocol/param_record.h"
#include "storage/config_file.h"
#include "storage/config_store.h"
#include "storage/record_line.h"
#include "support/temp_dir.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace murmex {
namespace {

using test::CTempDataDir;

CParamRecord Numbered(int n) {
    CParamRecord r;
    r.AddText("msgtext", "wiadomość " + std::to_string(n) + " ~ \"cytat\"");
    r.AddInt("n", n);
    return r;
}

// The section as a freshly started program reads it.
std::vector<std::string> FreshRead(const std::string& section) {
    CConfigFile::ForgetAll();
    CConfigStore store;
    store.Open(section, CConfigStore::Read);
    std::vector<std::string> lines;
    std::string line;
    while (store.ReadLine(line))
        lines.push_back(line);
    store.Close();
    return lines;
}

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(ConfigJournal, ChangesGoToTheJournalAndAreFoldedInWithTheSameBytes) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg",
                  "[Options]\r\na=\"1\"\r\n[QID5-Messages]\r\nn=\"0\" \r\n[Tail]\r\nt=\"1\"\r\n");
    const ino_t before = InodeOf(dir.File("murmex.cfg"));

    ASSERT_TRUE(CConfigStore::JournalRecord("QID5-Messages", true, 1, Numbered(1)));
    ASSERT_TRUE(CConfigStore::JournalRecord("QID5-Messages", true, 2, Numbered(2)));
    CParamRecord read;
    read.AddInt("n", 0);
    read.AddInt("wasread", 1);
    ASSERT_TRUE(CConfigStore::JournalRecord("QID5-Messages", false, 0, read));
    // A brand-new section starts at position 0.
    ASSERT_TRUE(CConfigStore::JournalRecord("QID7-Messages", true, 0, Numbered(70)));
    EXPECT_EQ(InodeOf(dir.File("murmex.cfg")), before) << "murmex.cfg itself is not rewritten";

    // Positions that do not fit the section are refused, not guessed at.
    EXPECT_FALSE(CConfigStore::JournalRecord("QID5-Messages", true, 7, Numbered(7)));
    EXPECT_FALSE(CConfigStore::JournalRecord("QID5-Messages", false, 3, Numbered(3)));
    EXPECT_FALSE(CConfigStore::JournalRecord("QID9-Messages", true, 1, Numbered(3)));

    const std::vector<std::string> expected = {read.Serialize(), Numbered(1).Serialize(),
                                               Numbered(2).Serialize()};
    EXPECT_EQ(FreshRead("QID5-Messages"), expected);
    EXPECT_EQ(FreshRead("QID7-Messages"), std::vector<std::string>{Numbered(70).Serialize()});
    EXPECT_EQ(FreshRead("Tail"), std::vector<std::string>{"t=\"1\""});

    ASSERT_TRUE(CConfigStore::CompactMainFile());
    EXPECT_EQ(::access(dir.File("murmex.cfg.journal").c_str(), F_OK), -1);
    EXPECT_EQ(dir.ReadFile("murmex.cfg"),
              "[Options]\r\na=\"1\"\r\n[QID5-Messages]\r\n" + expected[0] + "\r\n" + expected[1] +
                  "\r\n" + expected[2] + "\r\n[Tail]\r\nt=\"1\"\r\n[QID7-Messages]\r\n" +
                  Numbered(70).Serialize() + "\r\n");
    EXPECT_EQ(FreshRead("QID5-Messages"), expected);
}

TEST(ConfigJournal, AnyRewriteFoldsTheJournalIn) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[M]\r\nn=\"0\" \r\n");
    ASSERT_TRUE(CConfigStore::JournalRecord("M", true, 1, Numbered(1)));
    CConfigStore store;
    store.Open("Other", CConfigStore::Write);
    store.WriteInt("x", 1);
    ASSERT_TRUE(store.Close());
    EXPECT_EQ(::access(dir.File("murmex.cfg.journal").c_str(), F_OK), -1);
    EXPECT_EQ(FreshRead("M"), (std::vector<std::string>{"n=\"0\" ", Numbered(1).Serialize()}));
}

TEST(ConfigJournal, ATornLastEntryIsIgnoredAndCutOffBeforeTheNextAppend) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[M]\r\n");
    ASSERT_TRUE(CConfigStore::JournalRecord("M", true, 0, Numbered(0)));
    ASSERT_TRUE(CConfigStore::JournalRecord("M", true, 1, Numbered(1)));
    // The program died in the middle of the third entry.
    std::string journal = dir.ReadFile("murmex.cfg.journal");
    SJournalEdit third{SJournalEdit::Append, "M", 2, Numbered(2).Serialize()};
    const std::string entry = FormatJournalEntry(third);
    dir.WriteFile("murmex.cfg.journal", journal + entry.substr(0, entry.size() / 2));
    EXPECT_EQ(FreshRead("M"),
              (std::vector<std::string>{Numbered(0).Serialize(), Numbered(1).Serialize()}));

    // A later entry is not lost behind the torn one.
    ASSERT_TRUE(CConfigStore::JournalRecord("M", true, 2, Numbered(22)));
    EXPECT_EQ(FreshRead("M"),
              (std::vector<std::string>{Numbered(0).Serialize(), Numbered(1).Serialize(),
                                        Numbered(22).Serialize()}));

    // A flipped byte fails the checksum: replay stops there.
    journal = dir.ReadFile("murmex.cfg.journal");
    journal[journal.size() - 5] ^= 0x20;
    dir.WriteFile("murmex.cfg.journal", journal);
    EXPECT_EQ(FreshRead("M").size(), 2u);
}

TEST(ConfigJournal, AJournalOfAnotherFileIsIgnored) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[M]\r\n");
    ASSERT_TRUE(CConfigStore::JournalRecord("M", true, 0, Numbered(0)));
    const std::string journal = dir.ReadFile("murmex.cfg.journal");
    // A rewrite that folded the journal in, and died before removing it.
    CConfigStore store;
    store.Open("M", CConfigStore::Write);
    store.WriteRecord(Numbered(0));
    store.WriteRecord(Numbered(1));
    ASSERT_TRUE(store.Close());
    dir.WriteFile("murmex.cfg.journal", journal);
    EXPECT_EQ(FreshRead("M"),
              (std::vector<std::string>{Numbered(0).Serialize(), Numbered(1).Serialize()}));
}

// A child appends numbered lines through the journal (folding it in every few
// lines) and reports each one on a pipe once JournalRecord has returned. It is
// killed at a random moment; whatever it reported must be in the file, in
// order, with nothing torn — hundreds of times.
TEST(ConfigJournalCrashSafety, NoConfirmedLineIsLostOverHundredsOfKills) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[Options]\r\na=\"1\"\r\n[M]\r\n");
    std::mt19937 random(12345);
    int confirmed = 0;
    constexpr int kKills = 300;
    for (int kill = 0; kill < kKills; ++kill) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeFds[0]);
            CConfigFile::ForgetAll();
            for (int n = confirmed;; ++n) {
                if (!CConfigStore::JournalRecord("M", true, static_cast<std::size_t>(n),
                                                 Numbered(n)))
                    ::_exit(3);
                if (::write(pipeFds[1], &n, sizeof n) != sizeof n)
                    ::_exit(4);
                if (n % 9 == 8 && !CConfigStore::CompactMainFile())
                    ::_exit(5);
            }
        }
        ::close(pipeFds[1]);
        ::usleep(std::uniform_int_distribution<unsigned>(0, 3000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child failed on its own: " << WEXITSTATUS(status);
        int n = 0;
        while (::read(pipeFds[0], &n, sizeof n) == sizeof n)
            confirmed = n + 1;
        ::close(pipeFds[0]);

        const auto lines = FreshRead("M");
        ASSERT_GE(lines.size(), static_cast<std::size_t>(confirmed)) << "kill " << kill;
        for (std::size_t i = 0; i < lines.size(); ++i)
            ASSERT_EQ(lines[i], Numbered(static_cast<int>(i)).Serialize()) << "kill " << kill;
        ASSERT_EQ(FreshRead("Options"), std::vector<std::string>{"a=\"1\""});
        confirmed =
            static_cast<int>(lines.size()); // a line on disk but not yet reported counts too
    }
    EXPECT_GT(confirmed, 50) << "the children got some work done";
}

TEST(ConfigStoreDamage, LinesThatAreNotRecordsArePassedOverAndCounted) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[M]\r\na=\"1\" \r\n\x01\x02garbage\r\nb=\"cut in the "
                                "mid\r\nc=\"3\" d=\"4\"\r\n=\"x\" \r\n");
    CConfigStore store;
    store.Open("M", CConfigStore::Read);
    CParamRecord r;
    std::vector<std::string> read;
    while (store.ReadRecord(r)) {
        read.push_back(r.Serialize());
        r.Clear();
    }
    EXPECT_EQ(read, (std::vector<std::string>{"a=\"1\" ", "c=\"3\" d=\"4\" "}));
    EXPECT_EQ(store.SkippedLines(), 3u);
    store.Close();

    EXPECT_TRUE(IsRecordLine("msgtext=\"say \\\"hi\\\"\" wasread=\"0\" "));
    EXPECT_TRUE(IsRecordLine("a=\"\""));
    EXPECT_FALSE(IsRecordLine(""));
    EXPECT_FALSE(IsRecordLine("a=\"1\"b=\"2\""));
    EXPECT_FALSE(IsRecordLine("a=1"));
}

TEST(ConfigStoreFiles, TwoProgramsRewritingOneFolderNeverShareATemporaryFile) {
    CTempDataDir dir;
    // Left over from an old version: the fixed temporary name is taken.
    ASSERT_EQ(::mkdir(dir.File("counter.cfg.tmp").c_str(), 0700), 0);
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            for (int round = 0; round < 150; ++round) {
                CConfigStore store;
                store.Open("Data", CConfigStore::WriteFile, "counter.cfg");
                for (int i = 0; i < 50; ++i)
                    store.WriteLine("writer " + std::to_string(c) + " line " + std::to_string(i));
                if (!store.Close())
                    ::_exit(9);
            }
            ::_exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "every save of both programs succeeded";
    }
    // The file is one writer's whole section, never a mix.
    const auto lines = [&] {
        CConfigFile::ForgetAll();
        CConfigStore store;
        store.Open("Data", CConfigStore::ReadFile, "counter.cfg");
        std::vector<std::string> out;
        std::string line;
        while (store.ReadLine(line))
            out.push_back(line);
        return out;
    }();
    ASSERT_EQ(lines.size(), 50u);
    const std::string owner = lines[0].substr(0, 8);
    for (const auto& line : lines)
        EXPECT_EQ(line.substr(0, 8), owner);
}

TEST(ConfigStoreFiles, OnlyPasswordFilesArePrivateTheRestFollowTheUmask) {
    CTempDataDir dir;
    const mode_t old = ::umask(077);
    CConfigStore counter;
    counter.Open("Data", CConfigStore::WriteFile, "counter.cfg");
    counter.WriteLine("x");
    EXPECT_TRUE(counter.Close());
    CConfigStore main;
    main.Open("Options", CConfigStore::Write);
    EXPECT_TRUE(main.Close());
    ::umask(022);
    CConfigStore billing;
    billing.Open("", CConfigStore::WriteFile, "billing.txt");
    billing.WriteLine("y");
    EXPECT_TRUE(billing.Close());
    ::umask(old);
    EXPECT_EQ(ModeOf(dir.File("counter.cfg")), 0600u) << "umask 077 is respected";
    EXPECT_EQ(ModeOf(dir.File("billing.txt")), 0644u);
    EXPECT_EQ(ModeOf(dir.File("murmex.cfg")), 0600u);
}

} // namespace
} // namespace murmex
