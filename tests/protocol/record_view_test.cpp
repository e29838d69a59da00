// Reading stored record lines in place must give exactly what the decoding
// reader gives, and must hand every line it cannot read exactly to that reader.
#include "protocol/param_record.h"
#include "protocol/record_view.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace murmex {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// What the in-place reader made of the line, by looking every entry up by name.
Entries InPlace(const CRecordView& view, const CParamRecord& reference) {
    Entries out;
    for (const auto& [name, value] : reference.Entries()) {
        const std::string_view* found = view.Find(name);
        out.emplace_back(name, found ? std::string(*found) : "<missing>");
    }
    return out;
}

// The first value of each name, as Get would return it.
Entries FirstValues(const CParamRecord& reference) {
    Entries out;
    for (const auto& [name, value] : reference.Entries())
        out.emplace_back(name, reference.Get(name));
    return out;
}

TEST(RecordView, PlainLinesReadAsTheDecodingReaderReadsThem) {
    const std::vector<std::string> lines = {
        "msgtext=\"Wiadomo\x9C\xE6 z tekstem\" wasread=\"1\" sender=\"100\" whensent=\"17\" "
        "type=\"0\" ",
        "a=\"1\"",                     // no blank after the last entry
        "a=\"\" b=\"\" ",              // empty values
        "a=\"first\" a=\"second\" ",   // the first of a name counts
        "name=\"x=y\" other=\"[z]\" ", // '=' and brackets inside a value
        "k=\"" + std::string(CParamRecord::kMaxField, 'v') + "\" ", // longest field kept whole
    };
    for (const std::string& line : lines) {
        CParamRecord reference;
        reference.Parse(line, 0);
        CRecordView view;
        ASSERT_TRUE(view.Parse(line)) << line;
        EXPECT_EQ(view.Size(), reference.Size()) << line;
        EXPECT_EQ(InPlace(view, reference), FirstValues(reference)) << line;
    }
}

TEST(RecordView, LinesThatNeedDecodingAreLeftToTheDecodingReader) {
    const std::vector<std::string> lines = {
        "msgtext=\"dwie~linie\" ",                                      // an encoded line break
        "msgtext=\"tylda \\~\" ",                                       // an escaped tilde
        "msgtext=\"cudzys\\\"low\" sender=\"1\" ",                      // an escaped quote
        std::string("msgtext=\"przed\0po\" sender=\"1\" ", 31),         // a NUL ends the text early
        "k=\"" + std::string(CParamRecord::kMaxField + 1, 'v') + "\" ", // cut by the reader
        std::string(CParamRecord::kMaxField + 1, 'n') + "=\"v\" ",
        "",
        "a=\"1\"  b=\"2\" ", // two blanks
        "a=\"1\"x",
    };
    for (const std::string& line : lines) {
        CRecordView view;
        EXPECT_FALSE(view.Parse(line)) << line;
    }
}

// Random records of awkward bytes, written as the program writes them: each
// line is either read in place with the very entries the decoding reader
// finds, or refused.
TEST(RecordView, RandomWrittenRecordsNeverReadDifferently) {
    std::mt19937 random(20261208);
    const std::string alphabet = std::string("ab \"=~\\[]\r\n\x9C\xB9", 15);
    int inPlace = 0;
    for (int round = 0; round < 3000; ++round) {
        CParamRecord written;
        const int entries = 1 + static_cast<int>(random() % 5);
        for (int e = 0; e < entries; ++e) {
            std::string value;
            const int length = static_cast<int>(random() % 12);
            for (int i = 0; i < length; ++i)
                value += random() % 3 ? 'x' : alphabet[random() % alphabet.size()];
            written.AddText("k" + std::to_string(random() % 4), value);
        }
        const std::string line = written.Serialize();
        CParamRecord reference;
        reference.Parse(line, 0);
        CRecordView view;
        if (!view.Parse(line))
            continue;
        ++inPlace;
        ASSERT_EQ(view.Size(), reference.Size()) << line;
        ASSERT_EQ(InPlace(view, reference), FirstValues(reference)) << line;
    }
    EXPECT_GT(inPlace, 300) << "plain lines must take the fast way";
}

} // namespace
} // namespace murmex
