#include "platform/paths.h"
#include "storage/config_store.h"
#include "support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace murmex {
namespace {

using test::CTempDataDir;

std::vector<std::string> ReadSection(const std::string& section) {
    CConfigStore store;
    store.Open(section, CConfigStore::Read);
    std::vector<std::string> lines;
    std::string line;
    while (store.ReadLine(line))
        lines.push_back(line);
    store.Close();
    return lines;
}

bool WriteSection(const std::string& section, const std::vector<std::string>& values) {
    CConfigStore store;
    store.Open(section, CConfigStore::Write);
    for (std::size_t i = 0; i < values.size(); ++i)
        store.WriteValue("k" + std::to_string(i), values[i]);
    return store.Close();
}

TEST(ConfigStoreSections, RewriteMovesSectionToTheEndAndKeepsTheRest) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "stray line\r\n[Options]\r\nA=\"1\"\r\n[Users]\r\nu=\"x\" \r\n");
    ASSERT_TRUE(WriteSection("Options", {"2"}));
    EXPECT_EQ(dir.ReadFile("murmex.cfg"),
              "stray line\r\n[Users]\r\nu=\"x\" \r\n[Options]\r\nk0=\"2\"\r\n");
}

TEST(ConfigStoreSections, FirstFileIsCreatedWithJustTheSection) {
    CTempDataDir dir;
    ASSERT_TRUE(WriteSection("Options", {"v"}));
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), "[Options]\r\nk0=\"v\"\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("murmex.cfg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u); // it may hold passwords
}

TEST(ConfigStoreSections, DuplicateSectionReadsFirstAndSaveDropsBoth) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[S]\r\nfirst\r\n[T]\r\nt\r\n[S]\r\nsecond\r\n");
    EXPECT_EQ(ReadSection("S"), std::vector<std::string>{"first"});
    ASSERT_TRUE(WriteSection("S", {"new"}));
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), "[T]\r\nt\r\n[S]\r\nk0=\"new\"\r\n");
}

TEST(ConfigStoreSections, EmptyLineEndsTheBodyAndTheNextSaveDropsWhatFollowed) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[S]\r\na\r\n\r\nhidden\r\n[T]\r\nt\r\n");
    EXPECT_EQ(ReadSection("S"), std::vector<std::string>{"a"});
    ASSERT_TRUE(WriteSection("S", {}));
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), "[T]\r\nt\r\n[S]\r\n");
}

TEST(ConfigStoreSections, LinesEndAtLfAndAcceptBareLf) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[S]\na\r\nb\nc");
    EXPECT_EQ(ReadSection("S"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(ReadSection("Missing").empty());
}

TEST(ConfigStoreSections, ReadOfMissingFileFailsAndChangesNothing) {
    CTempDataDir dir;
    CConfigStore store;
    EXPECT_FALSE(store.Open("S", CConfigStore::Read));
    EXPECT_TRUE(store.AtEnd());
    EXPECT_TRUE(store.Close());
    EXPECT_EQ(::access(dir.File("murmex.cfg").c_str(), F_OK), -1);
}

TEST(ConfigStoreValues, ValueLineParsing) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[S]\r\n"
                                "a=\"1\"\r\n"
                                "q=\"say \"hi\"\"\r\n"
                                "noquotes=1\r\n"
                                "noequals \"x\"\r\n"
                                "t=\"x\\~y~z\"\r\n"
                                "last=\"ok\"\r\n");
    CConfigStore store;
    ASSERT_TRUE(store.Open("S", CConfigStore::Read));
    std::vector<std::pair<std::string, std::string>> values;
    int rejected = 0;
    while (!store.AtEnd()) {
        std::string name, value;
        if (store.ReadValue(name, value))
            values.emplace_back(name, value);
        else
            ++rejected;
    }
    store.Close();
    EXPECT_EQ(rejected, 2);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[1].second, "say ");    // a quote inside a value cuts it
    EXPECT_EQ(values[2].second, "x\\~y~z"); // no escape is undone on reading
    EXPECT_EQ(values[3], (std::pair<std::string, std::string>{"last", "ok"}));
}

TEST(ConfigStoreValues, MultiLineValuesAreFoldedOntoOneLine) {
    EXPECT_EQ(CConfigStore::EncodeValue("one~line"), "one~line");
    EXPECT_EQ(CConfigStore::EncodeValue("a\r\nb~c"), "a~b\\~c");
    CTempDataDir dir;
    ASSERT_TRUE(WriteSection("S", {"a\r\nb~c", "plain~tilde"}));
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), "[S]\r\nk0=\"a~b\\~c\"\r\nk1=\"plain~tilde\"\r\n");
}

TEST(ConfigStoreModes, WriteFileTakesOnlyRawLinesAndEmptySectionAppends) {
    CTempDataDir dir;
    dir.WriteFile("billing.txt", "old\r\n");
    CConfigStore store;
    ASSERT_TRUE(store.Open("", CConfigStore::WriteFile, "billing.txt"));
    store.WriteValue("ignored", "x");
    CParamRecord r;
    r.AddText("ignored", "y");
    store.WriteRecord(r);
    store.WriteLine("new 1");
    store.WriteLine("new 2");
    ASSERT_TRUE(store.Close());
    EXPECT_EQ(dir.ReadFile("billing.txt"), "old\r\nnew 1\r\nnew 2\r\n");
    EXPECT_EQ(::access(dir.File("murmex.cfg").c_str(), F_OK), -1);

    CConfigStore reader;
    EXPECT_FALSE(reader.Open("Data", CConfigStore::ReadFile, "counter.cfg"));
    reader.Close();
}

TEST(ConfigStoreModes, RecordsRoundTripThroughASection) {
    CTempDataDir dir;
    {
        CConfigStore store;
        store.Open("QID7-Users", CConfigStore::Write);
        CParamRecord a;
        a.AddInt("QID", 1);
        a.AddText("Note", "two\r\nlines ~ \"quoted\"");
        store.WriteRecord(a);
        ASSERT_TRUE(store.Close());
    }
    CConfigStore store;
    ASSERT_TRUE(store.Open("QID7-Users", CConfigStore::Read));
    CParamRecord back;
    ASSERT_TRUE(store.ReadRecord(back));
    EXPECT_TRUE(store.AtEnd());
    store.Close();
    EXPECT_EQ(back.Get("Note"), "two\r\nlines ~ \"quoted\"");
}

TEST(ConfigStoreSections, OnePassOverSeveralSectionsEqualsOnePassEach) {
    const std::string start = "x\r\n[B]\r\nold b\r\n[Other]\r\no\r\n[A]\r\nold a\r\n[C]\r\nc\r\n";
    CTempDataDir sequential;
    sequential.WriteFile("murmex.cfg", start);
    for (const char* name : {"A", "B", "A"}) {
        CConfigStore store;
        store.Open(name, CConfigStore::Write);
        store.WriteValue("from", name);
        ASSERT_TRUE(store.Close());
    }
    const std::string expected = sequential.ReadFile("murmex.cfg");

    CTempDataDir batched;
    batched.WriteFile("murmex.cfg", start);
    CConfigStore store;
    store.Open("A", CConfigStore::Write);
    store.WriteValue("from", "A");
    store.NextSection("B");
    store.WriteValue("from", "B");
    store.NextSection("A");
    store.WriteValue("from", "A");
    ASSERT_TRUE(store.Close());
    EXPECT_EQ(batched.ReadFile("murmex.cfg"), expected);
    EXPECT_EQ(expected,
              "x\r\n[Other]\r\no\r\n[C]\r\nc\r\n[B]\r\nfrom=\"B\"\r\n[A]\r\nfrom=\"A\"\r\n");
}

TEST(ConfigStoreConcurrency, SavesOfDifferentSectionsFromManyThreadsLoseNothing) {
    CTempDataDir dir;
    constexpr int kThreads = 6, kRounds = 40;
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([t] {
                for (int round = 0; round < kRounds; ++round) {
                    CConfigStore store;
                    store.Open("T" + std::to_string(t), CConfigStore::Write);
                    store.WriteInt("round", round);
                    store.WriteValue("owner", std::to_string(t));
                    EXPECT_TRUE(store.Close());
                    // Interleave reads of the others' sections.
                    ReadSection("T" + std::to_string((t + 1) % kThreads));
                }
            });
    }
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(ReadSection("T" + std::to_string(t)),
                  (std::vector<std::string>{"round=\"" + std::to_string(kRounds - 1) + "\"",
                                            "owner=\"" + std::to_string(t) + "\""}))
            << "section T" << t;
}

TEST(ConfigStoreCrashSafety, FailedRewriteLeavesTheOldFileWhole) {
    CTempDataDir dir;
    const std::string original = "[Keep]\r\nimportant=\"yes\"\r\n[Big]\r\nold=\"1\"\r\n";
    dir.WriteFile("murmex.cfg", original);

    // The child may write no more than 64 bytes to any file: the rewrite of a
    // large section fails half-way, as on a full disk.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        CConfigStore store;
        store.Open("Big", CConfigStore::Write);
        for (int i = 0; i < 200; ++i)
            store.WriteInt("line", i);
        ::_exit(store.Close() ? 0 : 7);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7) << "the failed save must report failure";
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), original);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename().string().rfind("murmex.cfg.tmp", 0), std::string::npos)
            << "a failed save leaves no temporary file behind: " << entry.path();
}

TEST(ConfigStoreCrashSafety, UnwritableFolderLeavesTheOldFileWhole) {
    CTempDataDir dir;
    const std::string original = "[A]\r\na=\"1\"\r\n";
    dir.WriteFile("murmex.cfg", original);
    // No temporary file can be made where the data directory is a file.
    CPaths::SetDataDirectory(dir.File("murmex.cfg") + "/");
    EXPECT_FALSE(WriteSection("A", {"2"}));
    CPaths::SetDataDirectory(dir.Path());
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), original);
}

} // namespace
} // namespace murmex
