#include "storage/dictionaries.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <set>
#include <string>

namespace murmex {
namespace {

using test::CTempDataDir;

constexpr int kAllDictionaries[] = {DictInterestance, DictLanguage, DictJob,      DictEducation,
                                    DictCitySize,     DictCountry,  DictCategory, DictHotTip};

// The program's files end their lines with CR LF.
std::string CrLf(std::initializer_list<const char*> lines) {
    std::string bytes;
    for (const char* line : lines)
        bytes += std::string(line) + "\r\n";
    return bytes;
}

void LoadText(const CTempDataDir& dir, const std::string& bytes) {
    dir.WriteFile("misc.cfg", bytes);
    LoadDictionariesFrom(dir.File("misc.cfg"));
}

SDictEntry Parsed(std::string_view line) {
    SDictEntry entry;
    EXPECT_TRUE(ParseDictionaryLine(line, entry)) << line;
    return entry;
}

bool HasText(int type, const std::string& text) {
    for (int i = 0; i < DictCount(type); ++i)
        if (DictTextAt(type, i) == text)
            return true;
    return false;
}

TEST(DictionaryLine, EscapedQuoteStaysInTheTextAndDoesNotEndIt) {
    SDictEntry e = Parsed(R"(5="Kliknij \"OK\" i gotowe")");
    EXPECT_EQ(e.key, 5);
    EXPECT_EQ(e.text, "Kliknij \"OK\" i gotowe");
    EXPECT_EQ(Parsed(R"(1="\"")").text, "\"");
}

TEST(DictionaryLine, BackslashesAreRemovedButADoubledOneLeavesOne) {
    EXPECT_EQ(Parsed(R"(1="C:\\dir")").text, R"(C:\dir)");
    EXPECT_EQ(Parsed(R"(1="a\xb")").text, "axb");
    EXPECT_EQ(Parsed(R"(1="a\\\\b")").text, R"(a\\b)");
    // Escaped backslash followed by an escaped quote.
    EXPECT_EQ(Parsed(R"(1="a\\\"b")").text, R"(a\"b)");
}

TEST(DictionaryLine, KeyIsTheLeadingNumberBeforeTheEqualsSign) {
    EXPECT_EQ(Parsed(R"(  7="x")").key, 7);
    EXPECT_EQ(Parsed(R"(-3="x")").key, -3);
    EXPECT_EQ(Parsed(R"(abc="x")").key, 0);
    EXPECT_EQ(Parsed(R"(12="")").text, "");
    // Only the quoted part is the text; what follows the closing quote is dropped.
    SDictEntry e = Parsed(R"(4="Polska" trailing)");
    EXPECT_EQ(e.key, 4);
    EXPECT_EQ(e.text, "Polska");
}

TEST(DictionaryLine, LinesWithoutEqualsOrAClosedQuoteAreNotEntries) {
    SDictEntry e;
    for (std::string_view line : {"", "   ", "7", R"(7 "x")", "7=x", R"(7="never closed)",
                                  // A quote right after a backslash never closes the text.
                                  R"(7="ends in backslash\")"})
        EXPECT_FALSE(ParseDictionaryLine(line, e)) << "[" << line << "]";
}

TEST(DictionaryFile, SectionsFillTheirDictionariesInFileOrder) {
    CTempDataDir dir;
    LoadText(dir, CrLf({"notes before the first header are ignored", R"(99="not in any section")",
                        "[Country]", R"(1="Polska")", "", R"(7="Niemcy")", "garbage without equals",
                        R"(3=Czechy)", R"(2="Czechy")", "[Language]", R"(1="angielski")",
                        "[HotTip]", R"(1="Podpowiedz \"pierwsza\"")"}));

    ASSERT_EQ(DictCount(DictCountry), 3);
    EXPECT_EQ(DictKeyAt(DictCountry, 0), 1);
    EXPECT_EQ(DictTextAt(DictCountry, 0), "Polska");
    EXPECT_EQ(DictKeyAt(DictCountry, 1), 7);
    EXPECT_EQ(DictKeyAt(DictCountry, 2), 2);
    EXPECT_EQ(DictTextAt(DictCountry, 2), "Czechy");
    EXPECT_EQ(DictCount(DictLanguage), 1);
    EXPECT_EQ(DictTextAt(DictHotTip, 0), "Podpowiedz \"pierwsza\"");
    EXPECT_EQ(DictTextForKey(DictCountry, 99), "");
    for (int type : {DictInterestance, DictJob, DictEducation, DictCitySize, DictCategory})
        EXPECT_EQ(DictCount(type), 0) << type;
}

TEST(DictionaryFile, UnknownHeadersSwallowTheirLinesAndHeadersCompareExactly) {
    CTempDataDir dir;
    LoadText(dir,
             CrLf({"[Job]", R"(1="informatyka")", "[Jobs]", R"(2="lost")", "[job]", R"(3="lost")",
                   "[Job] ", R"(4="lost")", "[", R"(5="lost")", "[Job]", R"(6="handel")"}));
    ASSERT_EQ(DictCount(DictJob), 2);
    EXPECT_EQ(DictKeyAt(DictJob, 0), 1);
    EXPECT_EQ(DictKeyAt(DictJob, 1), 6);
}

TEST(DictionaryFile, RepeatedHeaderAppendsToTheSameDictionary) {
    CTempDataDir dir;
    LoadText(dir, CrLf({"[Category]", R"(1="Muzyka")", "[Education]", R"(1="podstawowe")",
                        "[Category]", R"(2="Sport")", R"(1="Muzyka again")"}));
    ASSERT_EQ(DictCount(DictCategory), 3);
    EXPECT_EQ(DictTextAt(DictCategory, 1), "Sport");
    // The first entry with a key wins the lookup.
    EXPECT_EQ(DictTextForKey(DictCategory, 1), "Muzyka");
    EXPECT_EQ(DictCount(DictEducation), 1);
}

TEST(DictionaryFile, LoneLineFeedsAndWindows1250BytesPassThrough) {
    CTempDataDir dir;
    // "wieś" and "Łódź" in Windows-1250; the last line has no line end at all.
    LoadText(dir, "[CitySize]\n1=\"wie\x9c\"\r\n\r\n2=\"\xa3\xf3\x64\x9f\"");
    ASSERT_EQ(DictCount(DictCitySize), 2);
    EXPECT_EQ(DictTextAt(DictCitySize, 0), "wie\x9c");
    EXPECT_EQ(DictTextForKey(DictCitySize, 2), "\xa3\xf3\x64\x9f");
}

TEST(DictionaryLookup, OutOfRangeQueriesGiveZeroOrEmptyText) {
    CTempDataDir dir;
    LoadText(dir, CrLf({"[Interestance]", R"(1="muzyka")", R"(2="film")", "[Language]",
                        R"(5="niemiecki")"}));
    EXPECT_EQ(DictKeyAt(DictInterestance, 2), 0); // index == count
    EXPECT_EQ(DictKeyAt(DictInterestance, -1), 0);
    EXPECT_EQ(DictTextAt(DictInterestance, 2), "");
    EXPECT_EQ(DictTextAt(DictInterestance, -1), "");
    for (int type : {0, 9, -1}) {
        EXPECT_EQ(DictCount(type), 0);
        EXPECT_EQ(DictKeyAt(type, 0), 0);
        EXPECT_EQ(DictTextAt(type, 0), "");
        EXPECT_EQ(DictTextForKey(type, 1), "");
    }
    // A key of another dictionary is not found here.
    EXPECT_EQ(DictTextForKey(DictInterestance, 5), "");
    EXPECT_EQ(DictTextForKey(DictLanguage, 1), "");
    EXPECT_EQ(DictTextForKey(DictLanguage, 5), "niemiecki");
}

TEST(DictionaryLoad, FileWithoutHotTipSectionLeavesNoHints) {
    CTempDataDir dir;
    LoadText(dir, CrLf({"[HotTip]", R"(1="stara")"}));
    ASSERT_EQ(DictCount(DictHotTip), 1);
    LoadText(dir, CrLf({"[Country]", R"(1="Polska")"}));
    EXPECT_EQ(DictCount(DictHotTip), 0);
    EXPECT_EQ(DictTextAt(DictHotTip, 0), "");
    EXPECT_EQ(DictCount(DictCountry), 1);
}

TEST(DictionaryLoad, MissingFileEmptiesWhatWasLoadedBefore) {
    CTempDataDir dir;
    LoadText(dir, CrLf({"[Country]", R"(1="Polska")", "[Job]", R"(1="prawo")"}));
    ASSERT_EQ(DictCount(DictCountry), 1);
    LoadDictionariesFrom(dir.File("no-such-misc.cfg"));
    for (int type : kAllDictionaries)
        EXPECT_EQ(DictCount(type), 0) << type;
    EXPECT_EQ(DictTextForKey(DictCountry, 1), "");
}

TEST(DictionaryLoad, StartUpLoadFindsMiscCfgInTheDataDirectory) {
    CTempDataDir dir;
    dir.WriteFile("misc.cfg", CrLf({"[Education]", R"(9="doktorat")"}));
    LoadDictionaries();
    EXPECT_EQ(DictTextForKey(DictEducation, 9), "doktorat");
}

// The file the program ships with.
class ShippedDictionaries : public ::testing::Test {
protected:
    void SetUp() override { LoadDictionariesFrom(MURMEX_SOURCE_DIR "/resources/misc.cfg"); }
};

TEST_F(ShippedDictionaries, EveryDictionaryHasUniqueRealKeys) {
    for (int type : kAllDictionaries) {
        ASSERT_GT(DictCount(type), 0) << type;
        std::set<int> keys;
        for (int i = 0; i < DictCount(type); ++i) {
            int key = DictKeyAt(type, i);
            // 0 and -1 mean "not chosen" in the account windows and the search.
            EXPECT_GT(key, 0) << type << ": " << DictTextAt(type, i);
            EXPECT_TRUE(keys.insert(key).second) << type << ": duplicate key " << key;
            EXPECT_FALSE(DictTextAt(type, i).empty()) << type << ": key " << key;
        }
    }
}

TEST_F(ShippedDictionaries, WizardsGetAFullSetOfCheckBoxes) {
    EXPECT_GE(DictCount(DictLanguage), 12);
    EXPECT_GE(DictCount(DictInterestance), 24);
    EXPECT_GE(DictCount(DictHotTip), 10);
}

// Registration sends a country of 1 as 0, "not given": so 1 must be the
// "not saying" choice, never a real country, or that country would be lost.
TEST_F(ShippedDictionaries, CountryOneIsNotARealCountryAndPolandLeadsTheList) {
    EXPECT_EQ(DictKeyAt(DictCountry, 0), 1);
    EXPECT_EQ(DictTextForKey(DictCountry, 1), "(nie podaj\xea)");
    EXPECT_EQ(DictKeyAt(DictCountry, 1), 2);
    EXPECT_EQ(DictTextForKey(DictCountry, 2), "Polska");
}

TEST_F(ShippedDictionaries, PolishLettersAreWindows1250Bytes) {
    EXPECT_TRUE(HasText(DictCountry, "Bia\xb3oru\x9c"));           // Białoruś
    EXPECT_TRUE(HasText(DictCountry, "W\xeagry"));                 // Węgry
    EXPECT_TRUE(HasText(DictLanguage, "w\xb3oski"));               // włoski
    const std::string sailing = std::string("\xbf") + "eglarstwo"; // żeglarstwo
    EXPECT_TRUE(HasText(DictInterestance, sailing));
    EXPECT_TRUE(HasText(DictEducation, "\x9crednie zawodowe (technikum)")); // średnie
    EXPECT_TRUE(HasText(DictCitySize, "wie\x9c"));                          // wieś
    for (int type : kAllDictionaries) {
        for (int i = 0; i < DictCount(type); ++i) {
            const std::string text = DictTextAt(type, i);
            // A file saved as UTF-8 by mistake would show 'Ĺ' or 'Ä' lead bytes here.
            EXPECT_EQ(text.find('\xc5'), std::string::npos) << type << ": " << text;
            EXPECT_EQ(text.find('\xc4'), std::string::npos) << type << ": " << text;
            EXPECT_EQ(text.find('\r'), std::string::npos) << type << ": " << text;
        }
    }
}

TEST_F(ShippedDictionaries, HintsFitTheHintFieldAndKeepTheirQuotes) {
    bool anyQuote = false;
    for (int i = 0; i < DictCount(DictHotTip); ++i) {
        const std::string hint = DictTextAt(DictHotTip, i);
        EXPECT_LE(hint.size(), 300u) << hint;
        EXPECT_EQ(hint.find('\\'), std::string::npos) << hint;
        anyQuote = anyQuote || hint.find('"') != std::string::npos;
    }
    EXPECT_TRUE(anyQuote);
}

} // namespace
} // namespace murmex
