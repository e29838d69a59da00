#include "server/line_buffer.h"
#include "server/password_hasher.h"
#include "server/request_line.h"
#include "server/server_options.h"
#include "server/text_fold.h"
#include "server/user_search.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

std::vector<std::string> Lines(CLineBuffer& buffer, CLineBuffer::ENext* last = nullptr) {
    std::vector<std::string> lines;
    std::string line;
    CLineBuffer::ENext next;
    while ((next = buffer.Next(line)) == CLineBuffer::ENext::Line)
        lines.push_back(line);
    if (last)
        *last = next;
    return lines;
}

TEST(LineBuffer, CutsLinesAtEitherLineEndAndKeepsTheUnfinishedRest) {
    CLineBuffer buffer(100);
    const std::string bytes = "1010\r\n1031\n1280 \r\n1350";
    buffer.Append(bytes.data(), bytes.size());
    CLineBuffer::ENext last;
    EXPECT_EQ(Lines(buffer, &last), (std::vector<std::string>{"1010", "1031", "1280 "}));
    EXPECT_EQ(last, CLineBuffer::ENext::NeedMore);
    buffer.Append(" \r", 2);
    EXPECT_TRUE(Lines(buffer).empty()) << "a CR alone ends nothing";
    buffer.Append("\n", 1);
    EXPECT_EQ(Lines(buffer), (std::vector<std::string>{"1350 "}));
    EXPECT_EQ(buffer.Size(), 0u);
}

TEST(LineBuffer, ReportsALineLongerThanTheLimitWithOrWithoutItsEnd) {
    CLineBuffer buffer(8);
    buffer.Append("12345678\r\n", 10);
    EXPECT_EQ(Lines(buffer), std::vector<std::string>{"12345678"}) << "exactly the limit is fine";

    buffer.Append("123456789\r\n", 11);
    std::string line;
    EXPECT_EQ(buffer.Next(line), CLineBuffer::ENext::TooLong);

    CLineBuffer unfinished(8);
    unfinished.Append("12345678", 8);
    EXPECT_EQ(unfinished.Next(line), CLineBuffer::ENext::NeedMore);
    EXPECT_FALSE(unfinished.Full());
    unfinished.Append("9", 1);
    EXPECT_EQ(unfinished.Next(line), CLineBuffer::ENext::TooLong);
    EXPECT_TRUE(unfinished.Full());
}

TEST(RequestLine, ReadsTheCodeAndTheRecordInTheClientsCodePage) {
    SRequest request;
    ASSERT_TRUE(ParseRequestLine("1010", request));
    EXPECT_EQ(request.code, 1010);
    EXPECT_TRUE(request.args.Empty());

    ASSERT_TRUE(ParseRequestLine("1280 ", request));
    EXPECT_EQ(request.code, 1280);
    EXPECT_TRUE(request.args.Empty());

    // ą ś ź travel as ISO-8859-2 and are held as Windows-1250.
    ASSERT_TRUE(ParseRequestLine("1090 nick=\"\xB1\xB6\xBC\" email=\"a@b\" ", request));
    EXPECT_EQ(request.code, 1090);
    ASSERT_EQ(request.args.Size(), 2u);
    EXPECT_EQ(request.args.Get("nick"), "\xB9\x9C\x9F");
    EXPECT_EQ(request.args.Get("email"), "a@b");

    for (const char* bad : {"", "abc", " 1010", "1010x", "10-10", "x1010 a=\"1\" "})
        EXPECT_FALSE(ParseRequestLine(bad, request)) << bad;
    EXPECT_EQ(PeekCommandCode("1030 userid=\"1\" "), 1030);
    EXPECT_EQ(PeekCommandCode("1030userid"), 0);
}

TEST(RequestLine, ResponsesAreFourDigitsABlankTheRecordAndCrLf) {
    EXPECT_EQ(FormatResponse(2000, CParamRecord()), "2000 \r\n");
    CParamRecord record;
    record.AddInt("userid", 7);
    record.AddText("nick", "\xB9\x9C\x9F");
    EXPECT_EQ(FormatResponse(2000, record), "2000 userid=\"7\" nick=\"\xB1\xB6\xBC\" \r\n");
    EXPECT_EQ(FormatResponse(5, CParamRecord()), "0005 \r\n");
}

TEST(AgeRange, TurnsAgesIntoBirthTimeBounds) {
    const std::int64_t now = 1600000000; // 2020-09-13 12:26:40 UTC
    SUserQuery query;
    ASSERT_TRUE(ParseAgeRange("7-10", now, query));
    EXPECT_TRUE(query.byAge);
    EXPECT_EQ(query.bornUpTo, YearsBefore(now, 7));
    EXPECT_EQ(query.bornAfter, YearsBefore(now, 11));

    ASSERT_TRUE(ParseAgeRange(" 18 ", now, query));
    EXPECT_EQ(query.bornUpTo, YearsBefore(now, 18));
    EXPECT_EQ(query.bornAfter, YearsBefore(now, 19));
    ASSERT_TRUE(ParseAgeRange("55-", now, query));
    EXPECT_EQ(query.bornAfter, YearsBefore(now, 201));
    ASSERT_TRUE(ParseAgeRange("", now, query));
    EXPECT_FALSE(query.byAge);

    for (const char* bad : {"-7", "10-7", "a", "7-b", "7-10-12", "123456"})
        EXPECT_FALSE(ParseAgeRange(bad, now, query)) << bad;
}

TEST(AgeRange, YearsBeforeCountsCalendarYears) {
    EXPECT_EQ(YearsBefore(1600000000, 20), 968848000); // 2000-09-13 12:26:40
    EXPECT_EQ(YearsBefore(1600000000, 0), 1600000000);
    // 2020-02-29 a year back is the day after 2019-02-28.
    EXPECT_EQ(YearsBefore(1582934400, 1), 1551398400);
}

TEST(FoldCase, LowersAsciiAndAccentedLatinLetters) {
    EXPECT_EQ(FoldCase("ABC xyz 123"), "abc xyz 123");
    EXPECT_EQ(FoldCase("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), "zażółć gęślą jaźń");
    EXPECT_EQ(FoldCase("ŠŤŽĽÉÜ"), "šťžľéü");
    EXPECT_EQ(FoldCase("×÷"), "×÷") << "signs are no letters";
    EXPECT_EQ(FoldCase("日本"), "日本");
    EXPECT_EQ(FoldCase("A\xFF"
                       "B"),
              "a\xFF"
              "b")
        << "bytes that are not UTF-8 are kept";
}

TEST(ServerOptions, DefaultsAndEveryOption) {
    SServerSettings settings;
    std::string error;
    ASSERT_TRUE(ParseServerArgs({}, settings, error));
    EXPECT_EQ(settings.address, "127.0.0.1");
    EXPECT_EQ(settings.port, 4678);
    EXPECT_EQ(settings.database, "murmexd.db");
    EXPECT_EQ(settings.hashCost, CPasswordHasher::ECost::Interactive);
    EXPECT_EQ(settings.idleTimeout, std::chrono::minutes(5));

    ASSERT_TRUE(ParseServerArgs({"--address", "0.0.0.0", "--port", "0", "--database", "/tmp/x.db",
                                 "--fast-hash", "--idle-timeout", "2", "--max-connections", "10",
                                 "--workers", "3"},
                                settings, error))
        << error;
    EXPECT_EQ(settings.address, "0.0.0.0");
    EXPECT_EQ(settings.port, 0);
    EXPECT_EQ(settings.database, "/tmp/x.db");
    EXPECT_EQ(settings.hashCost, CPasswordHasher::ECost::Fast);
    EXPECT_EQ(settings.idleTimeout, std::chrono::seconds(2));
    EXPECT_EQ(settings.maxConnections, 10);
    EXPECT_EQ(settings.workers, 3);

    SServerSettings untouched;
    EXPECT_FALSE(ParseServerArgs({"--bogus"}, untouched, error));
    EXPECT_EQ(error, "unknown option --bogus");
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--port", "65536"},
                                                {"--port", "12x"},
                                                {"--port"},
                                                {"--bogus", "1"},
                                                {"stray"},
                                                {"--max-connections", "0"},
                                                {"--idle-timeout", "-1"}}) {
        SServerSettings untouched;
        EXPECT_FALSE(ParseServerArgs(bad, untouched, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(PasswordHasher, SaltedHashesVerifyOnlyTheirPassword) {
    ASSERT_TRUE(CPasswordHasher::InitLibrary());
    CPasswordHasher fast(CPasswordHasher::ECost::Fast);
    std::string first, second;
    ASSERT_TRUE(fast.Hash("zażółć", first));
    ASSERT_TRUE(fast.Hash("zażółć", second));
    EXPECT_NE(first, second) << "each hash has its own salt";
    EXPECT_EQ(first.find("zażółć"), std::string::npos);
    EXPECT_TRUE(fast.Verify(first, "zażółć"));
    EXPECT_FALSE(fast.Verify(first, "zazolc"));
    EXPECT_FALSE(fast.Verify(first, ""));
    // The cost is in the hash: a server at full cost still accepts it.
    EXPECT_TRUE(CPasswordHasher().Verify(first, "zażółć"));
    EXPECT_FALSE(fast.Verify("", "x"));
    EXPECT_FALSE(fast.Verify("$argon2id$garbage", "x"));
    EXPECT_FALSE(fast.Verify(std::string(500, 'x'), "x"));
}

} // namespace
} // namespace murmex
