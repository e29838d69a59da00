// A large inbox is read at every start: plain lines in place, the rest through
// the decoding reader, and at start-up the text and time only when first asked
// for. Whichever way a line goes, the message must be the same.
#include "model/message_record.h"
#include "protocol/param_record.h"
#include "storage/config_file.h"
#include "storage/config_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace murmex {
namespace {

enum class EReader { Eager, Lazy };

// Lazy: the start-up reader, whose records keep their lines beyond the pass,
// the reader and the file's image (each forgotten before anything is read).
std::vector<CMessageRecord> ReadSection(EReader reader) {
    CConfigFile::ForgetAll();
    CConfigStore store;
    store.Open("M", CConfigStore::Read);
    std::vector<CMessageRecord> read;
    if (reader == EReader::Eager) {
        CMessageRecord m;
        while (m.ReadFrom(store))
            read.push_back(m);
    } else {
        CMessageLines lines;
        std::string_view line;
        while (store.ReadLineView(line)) {
            CMessageRecord m;
            if (m.ReadFromLine(line, lines))
                read.push_back(m);
        }
    }
    store.Close();
    CConfigFile::ForgetAll();
    return read;
}

class MessageLoading : public ::testing::TestWithParam<EReader> {};

INSTANTIATE_TEST_SUITE_P(BothReaders, MessageLoading,
                         ::testing::Values(EReader::Eager, EReader::Lazy));

TEST_P(MessageLoading, EveryKindOfTextReadsBackAsWritten) {
    test::CTempDataDir dir;
    const std::vector<std::string> texts = {
        "zwyk\xB3y tekst",
        "dwie\r\nlinie",
        "tylda ~ w \\~ \xB9rodku",
        "cudzys\\\"\"low \"",
        "",
        std::string(CParamRecord::kMaxField, 'd'),
        "ko\xF1"
        "cowy \\",
    };
    std::vector<CMessageRecord> written;
    CConfigStore store;
    store.Open("M", CConfigStore::Write);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        CMessageRecord m;
        m.SetContent(texts[i], 100 + static_cast<int>(i), 1700000000 + static_cast<int>(i));
        m.SetType(static_cast<int>(i % 3));
        m.SetRead(i % 2 == 0);
        m.WriteTo(store);
        written.push_back(m);
    }
    ASSERT_TRUE(store.Close());

    const std::vector<CMessageRecord> read = ReadSection(GetParam());
    // The file changes under the records before their text is first read.
    dir.WriteFile("murmex.cfg", "[M]\r\nmsgtext=\"inna\" sender=\"1\" \r\n");
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        // What the writer can carry: a CR comes back with its LF, a trailing
        // backslash is the one byte a value loses.
        CParamRecord expected;
        expected.Parse(written[i].ToRecord().Serialize(), 0);
        EXPECT_EQ(read[i].Text(), expected.Get("msgtext")) << i;
        EXPECT_EQ(read[i].Sender(), written[i].Sender()) << i;
        EXPECT_EQ(read[i].SentTime(), written[i].SentTime()) << i;
        EXPECT_EQ(read[i].Type(), written[i].Type()) << i;
        EXPECT_EQ(read[i].IsRead(), written[i].IsRead()) << i;
    }
    EXPECT_EQ(read[1].Text(), "dwie\r\nlinie");
    EXPECT_EQ(read[0].Text(), "zwyk\xB3y tekst");
}

// One record read twice: nothing of the first line may stay when the second
// lacks a key, whichever reader each line needs.
TEST_P(MessageLoading, AKeyMissingFromTheNextLineIsNotCarriedOver) {
    test::CTempDataDir dir;
    dir.WriteFile("murmex.cfg",
                  "[M]\r\n"
                  "msgtext=\"pierwsza\" wasread=\"1\" sender=\"7\" whensent=\"99\" type=\"1\" \r\n"
                  "sender=\"8\" \r\n"
                  "msgtext=\"a~b\" wasread=\"1\" sender=\"9\" whensent=\"5\" type=\"2\" \r\n"
                  "sender=\"10\" \r\n"
                  "garbage without quotes\r\n"
                  "msgtext=\"ostatnia\" sender=\"11\" wasread=\"0\" whensent=\"-1\" \r\n");
    const std::vector<CMessageRecord> read = ReadSection(GetParam());
    ASSERT_EQ(read.size(), 5u) << "the damaged line is passed over";
    for (int i : {1, 3}) {
        EXPECT_EQ(read[i].Text(), "") << i;
        EXPECT_EQ(read[i].Type(), CMessageRecord::Received) << i;
        EXPECT_FALSE(read[i].IsRead()) << i;
        EXPECT_EQ(read[i].SentTime(), 0) << i;
    }
    EXPECT_EQ(read[2].Text(), "a\r\nb");
    EXPECT_EQ(read[2].Type(), CMessageRecord::SentSms);
    EXPECT_EQ(read[4].Text(), "ostatnia");
    EXPECT_EQ(read[4].Sender(), 11);
    EXPECT_EQ(read[4].SentTime(), -1);
}

// A copy taken before the text was read and the original read later: each
// reads its own line once, and a change to one is no change to the other.
TEST(MessageLoadingLazy, CopiesOfAnUnreadRecordStayIndependent) {
    test::CTempDataDir dir;
    dir.WriteFile("murmex.cfg", "[M]\r\n"
                                "msgtext=\"tre\xB6\xE6\" wasread=\"0\" sender=\"4\" "
                                "whensent=\"1700000000\" type=\"0\" \r\n");
    std::vector<CMessageRecord> read = ReadSection(EReader::Lazy);
    ASSERT_EQ(read.size(), 1u);
    CMessageRecord copy = read[0];
    read[0].SetSentTime(5);
    read[0].SetRead(true);
    EXPECT_EQ(read[0].Text(), "tre\xB6\xE6");
    EXPECT_EQ(copy.SentTime(), 1700000000);
    EXPECT_FALSE(copy.IsRead());
    EXPECT_EQ(copy.ToRecord().Serialize(),
              "msgtext=\"tre\xB6\xE6\" wasread=\"0\" sender=\"4\" whensent=\"1700000000\" "
              "type=\"0\" ");
    EXPECT_EQ(read[0].ToRecord().Serialize(),
              "msgtext=\"tre\xB6\xE6\" wasread=\"1\" sender=\"4\" whensent=\"5\" type=\"0\" ");
}

} // namespace
} // namespace murmex
