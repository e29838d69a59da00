// The stored forms of the mobile number and the sex code, both ways.
#include "wizards/account_fields.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

TEST(MobileNumber, TenCharactersSplitIntoPrefixAndNumber) {
    const SMobileFields shown = MobileFieldsFor("0501123456");
    EXPECT_EQ(shown.prefixIndex, 0);
    EXPECT_EQ(shown.number, "123456");
    // The first prefix that begins with the three operator digits.
    EXPECT_EQ(MobileFieldsFor("0604999888").prefixIndex, 5);
}

TEST(MobileNumber, OtherLengthsAndUnknownOperatorsShowWhatTheyCan) {
    // A number stored with a four-digit prefix has 11 characters: nothing shown.
    const SMobileFields eleven = MobileFieldsFor("00605123456");
    EXPECT_EQ(eleven.prefixIndex, -1);
    EXPECT_EQ(eleven.number, "");
    EXPECT_EQ(MobileFieldsFor("").number, "");
    EXPECT_EQ(MobileFieldsFor("050112345").number, "");
    // Ten characters whose operator digits no prefix begins with: the number only.
    const SMobileFields unknown = MobileFieldsFor("0605123456");
    EXPECT_EQ(unknown.prefixIndex, -1);
    EXPECT_EQ(unknown.number, "123456");
}

TEST(MobileNumber, StoredOnlyWithAPrefixAndSixCharacters) {
    EXPECT_EQ(MobileToStore(0, "123456"), std::optional<std::string>("0501123456"));
    EXPECT_EQ(MobileToStore(6, "123456"), std::optional<std::string>("00605123456"));
    EXPECT_EQ(MobileToStore(0, "1234567"), std::nullopt);
    EXPECT_EQ(MobileToStore(0, "12345"), std::nullopt);
    EXPECT_EQ(MobileToStore(-1, "123456"), std::nullopt);
    EXPECT_EQ(MobileToStore(9, "123456"), std::nullopt);
    // What is stored shows again as it was typed.
    const SMobileFields again = MobileFieldsFor(*MobileToStore(3, "765432"));
    EXPECT_EQ(again.prefixIndex, 3);
    EXPECT_EQ(again.number, "765432");
}

TEST(SexCode, RowsAndCodes) {
    EXPECT_EQ(SexCodeForRow(kSexRowFemale), 2);
    EXPECT_EQ(SexCodeForRow(kSexRowMale), 1);
    EXPECT_EQ(SexCodeForRow(-1), 0);
    EXPECT_EQ(SexRowForCode(2), kSexRowFemale);
    // Anything but "female" shows as "male", "not given" included.
    EXPECT_EQ(SexRowForCode(1), kSexRowMale);
    EXPECT_EQ(SexRowForCode(0), kSexRowMale);
    EXPECT_EQ(SexRowForCode(-1), kSexRowMale);
}

} // namespace
} // namespace murmex
