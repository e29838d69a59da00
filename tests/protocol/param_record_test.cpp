#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/param_record.h"

namespace murmex {
namespace {

// Collects the internal-error messages instead of printing them.
class CMissingEntries {
public:
    CMissingEntries() {
        CParamRecord::SetMissingEntryHandler([this](const std::string& m) { messages.push_back(m); });
    }
    ~CMissingEntries() { CParamRecord::SetMissingEntryHandler(nullptr); }
    std::vector<std::string> messages;
};

CParamRecord ParsedLine(std::string_view text, std::size_t start = 0) {
    CParamRecord r;
    r.Parse(text, start);
    return r;
}

std::string RoundTrip(const std::string& value) {
    CParamRecord r;
    r.AddText("v", value);
    r.AddText("next", "intact");
    CParamRecord back = ParsedLine(r.Serialize());
    EXPECT_EQ(back.Size(), 2u) << "for value [" << value << "]";
    EXPECT_EQ(back.Get("next"), "intact") << "for value [" << value << "]";
    return back.Get("v");
}

TEST(ParamRecordWrite, EntriesInOrderEachFollowedByBlank) {
    CParamRecord r;
    EXPECT_EQ(r.Serialize(), "");
    r.AddInt("userid", 12);
    r.AddText("nick", "x");
    r.AddText("empty", "");
    r.AddInt("neg", -5);
    r.AddIntList("list", {1, 2, 3});
    r.AddIntList("none", {});
    EXPECT_EQ(r.Serialize(),
              "userid=\"12\" nick=\"x\" empty=\"\" neg=\"-5\" list=\"1,2,3\" none=\"\" ");
}

TEST(ParamRecordWrite, LineBreaksAndTildesAreEncoded) {
    CParamRecord r;
    r.AddText("a", "a\r\nb~c");
    r.AddText("b", "x~y");
    r.AddText("c", "only\rcr");
    r.AddText("d", "lf\nonly");
    EXPECT_EQ(r.Serialize(), "a=\"a~b\\~c\" b=\"x\\~y\" c=\"only\rcr\" d=\"lf~only\" ");
}

TEST(ParamRecordWrite, QuotesAndBackslashesReadBackWithoutHarmingTheNextEntry) {
    EXPECT_EQ(RoundTrip("say \"hi\""), "say \"hi\"");
    EXPECT_EQ(RoundTrip("a\\\"b"), "a\\\"b");
    EXPECT_EQ(RoundTrip("c:\\dir\\file"), "c:\\dir\\file");
    EXPECT_EQ(RoundTrip("\\~ and ~"), "\\~ and ~");
    EXPECT_EQ(RoundTrip("\"\""), "\"\"");
    // A backslash cannot stand before the closing quote or an encoded line
    // break: those backslashes are the only bytes that do not survive.
    EXPECT_EQ(RoundTrip("ends with\\"), "ends with");
    EXPECT_EQ(RoundTrip("\\\\"), "");
    EXPECT_EQ(RoundTrip("line\\\r\nnext"), "line\r\nnext");
}

TEST(ParamRecordRead, ConfigurationLineAndResponse) {
    CParamRecord line = ParsedLine("Nick=\"abc\" Note=\"x\" ");
    ASSERT_EQ(line.Size(), 2u);
    EXPECT_EQ(line.Get("Nick"), "abc");
    EXPECT_EQ(line.Get("Note"), "x");

    CParamRecord response = ParsedLine("2000 userid=\"7\" \r\n", 4);
    ASSERT_EQ(response.Size(), 1u);
    EXPECT_EQ(response.Entries()[0], (CParamRecord::Entry{"userid", "7"}));

    EXPECT_TRUE(ParsedLine("2000 \r\n", 4).Empty());
    EXPECT_TRUE(ParsedLine("", 0).Empty());
}

TEST(ParamRecordRead, StateMachineEdges) {
    // The byte after a closing quote is always skipped.
    CParamRecord glued = ParsedLine("a=\"1\"b=\"2\" ");
    ASSERT_EQ(glued.Size(), 2u);
    EXPECT_EQ(glued.Entries()[0], (CParamRecord::Entry{"a", "1"}));
    EXPECT_EQ(glued.Entries()[1], (CParamRecord::Entry{"", "2"}));

    // Blanks around '=' are tolerated; junk before the quote is ignored.
    CParamRecord spaced = ParsedLine("name = \"v\" ");
    EXPECT_EQ(spaced.Get("name"), "v");

    // Escaped quote inside the value; the value goes on to the next plain quote.
    CParamRecord escaped = ParsedLine("a=\"x\\\"y\" b=\"z\" ");
    EXPECT_EQ(escaped.Get("a"), "x\"y");
    EXPECT_EQ(escaped.Get("b"), "z");

    // Tilde decodes to CR LF; backslash-tilde to a tilde.
    EXPECT_EQ(ParsedLine("t=\"a~b\\~c\" ").Get("t"), "a\r\nb~c");

    // An unterminated value adds nothing; earlier entries stay.
    EXPECT_TRUE(ParsedLine("a=\"x").Empty());
    CParamRecord partial = ParsedLine("a=\"1\" b=\"never closed");
    EXPECT_EQ(partial.Size(), 1u);

    // Text stops at a NUL as a C string would.
    EXPECT_EQ(ParsedLine(std::string("a=\"1\" \0b=\"2\" ", 13)).Size(), 1u);
}

TEST(ParamRecordRead, ParseAppendsAndDuplicatesKeepTheFirst) {
    CParamRecord r = ParsedLine("k=\"first\" ");
    r.Parse("k=\"second\" other=\"o\" ");
    EXPECT_EQ(r.Size(), 3u);
    EXPECT_EQ(r.Get("k"), "first");
    EXPECT_TRUE(r.Has("other"));
    EXPECT_FALSE(r.Has("K"));
}

TEST(ParamRecordRead, LongFieldsAreCutAt1023Bytes) {
    std::string longName(3000, 'n');
    std::string longValue(5000, 'v');
    CParamRecord r = ParsedLine(longName + "=\"" + longValue + "\" after=\"ok\" ");
    ASSERT_EQ(r.Size(), 2u);
    EXPECT_EQ(r.Entries()[0].first.size(), CParamRecord::kMaxField);
    EXPECT_EQ(r.Entries()[0].second.size(), CParamRecord::kMaxField);
    EXPECT_EQ(r.Get("after"), "ok");

    // Decoded line breaks count as two bytes.
    std::string breaks(600, '~');
    EXPECT_EQ(ParsedLine("b=\"" + breaks + "\" ").Get("b").size(), CParamRecord::kMaxField);
}

TEST(ParamRecordRead, MissingEntryReportsAndGivesEmpty) {
    CMissingEntries errors;
    CParamRecord r = ParsedLine("a=\"1\" ");
    EXPECT_EQ(r.Get("b"), "");
    EXPECT_EQ(r.GetInt("b"), 0);
    std::vector<int> list{9};
    r.GetIntList("b", list);
    EXPECT_EQ(list, std::vector<int>{9});
    ASSERT_EQ(errors.messages.size(), 3u);
    EXPECT_EQ(errors.messages[0], "Severe internal error: server didn't return expected value b");
}

TEST(ParamRecordIntegers, DecimalConversionLikeAtoi) {
    EXPECT_EQ(CParamRecord::ToInt("12abc"), 12);
    EXPECT_EQ(CParamRecord::ToInt(""), 0);
    EXPECT_EQ(CParamRecord::ToInt("  -7"), -7);
    EXPECT_EQ(CParamRecord::ToInt("+3"), 3);
    EXPECT_EQ(CParamRecord::ToInt("x1"), 0);
    EXPECT_EQ(CParamRecord::ToInt("99999999999999999999"), CParamRecord::ToInt("99999999999999999999"));
}

TEST(ParamRecordIntegers, IntListPieces) {
    auto list = [](const std::string& value) {
        CParamRecord r;
        r.AddText("l", value);
        std::vector<int> out;
        r.GetIntList("l", out);
        return out;
    };
    EXPECT_EQ(list(""), std::vector<int>{});
    EXPECT_EQ(list("5"), std::vector<int>{5});
    EXPECT_EQ(list("1,2,"), (std::vector<int>{1, 2}));
    EXPECT_EQ(list("1,,2"), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(list(",3"), (std::vector<int>{0, 3}));
    EXPECT_EQ(list("-1,42"), (std::vector<int>{-1, 42}));

    CParamRecord r;
    r.AddIntList("none", {});
    r.AddIntList("some", {4, -2});
    CParamRecord back = ParsedLine(r.Serialize());
    std::vector<int> out{7};
    back.GetIntList("none", out);
    back.GetIntList("some", out);
    EXPECT_EQ(out, (std::vector<int>{7, 4, -2}));
}

} // namespace
} // namespace murmex
