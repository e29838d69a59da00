// Sections are read from the file's shared image in place: what a pass reads
// must be the file as it is, even when the image changes during the pass.
#include "platform/paths.h"
#include "protocol/param_record.h"
#include "storage/config_file.h"
#include "storage/config_store.h"
#include "storage/text_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace murmex {
namespace {

using test::CTempDataDir;

TEST(SectionReading, LineEndsAreSplitAsWritten) {
    CTempDataDir dir;
    dir.WriteFile("lines.txt", "crlf\r\nlf\n\r\n\nlone\rcr\r\nlast without end");
    std::vector<std::string> lines{"kept"};
    ASSERT_TRUE(ReadTextLines(dir.File("lines.txt"), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"kept", "crlf", "lf", "", "", "lone\rcr",
                                               "last without end"}));

    dir.WriteFile("empty.txt", "");
    lines.clear();
    ASSERT_TRUE(ReadTextLines(dir.File("empty.txt"), lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(ReadTextLines(dir.File("missing.txt"), lines));

    // Bigger than one read, so the line across the boundary must come out whole.
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big += "line number " + std::to_string(i) + " with some text\r\n";
    dir.WriteFile("big.txt", big);
    lines.clear();
    ASSERT_TRUE(ReadTextLines(dir.File("big.txt"), lines));
    ASSERT_EQ(lines.size(), 5000u);
    EXPECT_EQ(lines[2471], "line number 2471 with some text");
    EXPECT_EQ(lines.back(), "line number 4999 with some text");
}

TEST(SectionReading, RemainingCountsWhatIsLeftAndRecordLinesSkipDamage) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg",
                  "[A]\r\na=\"1\" \r\ncut in the mid\r\nb=\"2\" \r\n\r\n[B]\r\nx\r\n");
    CConfigFile::ForgetAll();
    CConfigStore store;
    ASSERT_TRUE(store.Open("A", CConfigStore::Read));
    EXPECT_EQ(store.Remaining(), 3u);
    std::string_view line;
    ASSERT_TRUE(store.ReadRecordLine(line));
    EXPECT_EQ(line, "a=\"1\" ");
    ASSERT_TRUE(store.ReadRecordLine(line));
    EXPECT_EQ(line, "b=\"2\" ");
    EXPECT_EQ(store.SkippedLines(), 1u);
    EXPECT_EQ(store.Remaining(), 0u);
    EXPECT_FALSE(store.ReadRecordLine(line));
    store.Close();
    EXPECT_EQ(store.Remaining(), 0u);

    ASSERT_TRUE(store.Open("None", CConfigStore::Read));
    EXPECT_TRUE(store.AtEnd());
    store.Close();
}

// A pass holds the file's lock, so only its own thread can change the image
// under it: a change journalled mid-pass must neither crash the reader nor
// make it read lines of another section.
TEST(SectionReading, AChangeDuringAPassIsSeenNotMisread) {
    CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[A]\r\na=\"1\" \r\na=\"2\" \r\n\r\n[B]\r\nb=\"1\" \r\n");
    CConfigFile::ForgetAll();
    CConfigStore store;
    ASSERT_TRUE(store.Open("B", CConfigStore::Read));
    CParamRecord added;
    added.AddText("a", "3");
    // A line inserted in front of section B moves every line of B.
    ASSERT_TRUE(CConfigStore::JournalRecord("A", true, 2, added));
    std::string line;
    ASSERT_TRUE(store.ReadLine(line));
    EXPECT_EQ(line, "b=\"1\" ");
    EXPECT_FALSE(store.ReadLine(line));

    // Replaced under a pass that has read part of it: the rest is the new text.
    ASSERT_TRUE(store.Open("A", CConfigStore::Read));
    ASSERT_TRUE(store.ReadLine(line));
    EXPECT_EQ(line, "a=\"1\" ");
    CParamRecord replaced;
    replaced.AddText("a", "zmieniony");
    ASSERT_TRUE(CConfigStore::JournalRecord("A", false, 1, replaced));
    ASSERT_TRUE(store.ReadLine(line));
    EXPECT_EQ(line, "a=\"zmieniony\" ");
    ASSERT_TRUE(store.ReadLine(line));
    EXPECT_EQ(line, "a=\"3\" ");
    EXPECT_FALSE(store.ReadLine(line));
    store.Close();
}

} // namespace
} // namespace murmex
