#include "storage/options.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest() { ClearOptions(); }
    ~OptionsTest() override { ClearOptions(); }
    test::CTempDataDir dir;
};

TEST_F(OptionsTest, NewNameSavesAtOnceExistingNameOnlyInMemory) {
    EXPECT_FALSE(HasOption("Server"));
    EXPECT_EQ(GetOption("Server"), "");

    SetOption("Server", "10.0.0.1");
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), "[Options]\r\nServer=\"10.0.0.1\"\r\n");

    SetOption("Server", "10.0.0.2");
    EXPECT_EQ(GetOption("Server"), "10.0.0.2");
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), "[Options]\r\nServer=\"10.0.0.1\"\r\n");

    SetOptionInt("appbar", -3);
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), "[Options]\r\nServer=\"10.0.0.2\"\r\nappbar=\"-3\"\r\n");
}

TEST_F(OptionsTest, LoadKeepsFileOrderAndSkipsBrokenLines) {
    dir.WriteFile("murmex.cfg",
                  "[Other]\r\nx=\"y\"\r\n[Options]\r\nB=\"2\"\r\nbroken\r\nA=\"1\"\r\n"
                  "Case=\"lower\"\r\ncase=\"upper\"\r\n");
    LoadOptions();
    EXPECT_EQ(GetOption("B"), "2");
    EXPECT_EQ(GetOption("A"), "1");
    EXPECT_EQ(GetOption("Case"), "lower");
    EXPECT_EQ(GetOption("case"), "upper");
    EXPECT_FALSE(HasOption("broken"));
    EXPECT_FALSE(HasOption("x"));

    ASSERT_TRUE(SaveOptions());
    EXPECT_EQ(dir.ReadFile("murmex.cfg"),
              "[Other]\r\nx=\"y\"\r\n[Options]\r\nB=\"2\"\r\nA=\"1\"\r\n"
              "Case=\"lower\"\r\ncase=\"upper\"\r\n");
}

TEST_F(OptionsTest, MissingFileGivesAnEmptyTable) {
    LoadOptions();
    EXPECT_FALSE(HasOption("Server"));
}

} // namespace
} // namespace murmex
