#include "platform/paths.h"
#include "support/temp_dir.h"
#include "ui/animation.h"
#include "ui_test_support.h"

#include <fstream>
#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::WaitFor;

const std::string kLogo = test::SourceFile("resources/logo1.avi");

TEST(Animation, PlaysTheShippedLogoRoundAndRound) {
    CAnimation animation;
    ASSERT_TRUE(animation.Open(kLogo));
    EXPECT_EQ(animation.FrameCount(), 16);
    EXPECT_EQ(animation.FrameSize(), QSize(48, 42));
    EXPECT_EQ(animation.FrameIntervalMs(), 80);
    EXPECT_EQ(animation.CurrentFrame(), 0);
    EXPECT_FALSE(animation.IsPlaying());

    animation.Play();
    EXPECT_TRUE(animation.IsPlaying());
    for (int i = 1; i < 16; ++i)
        animation.AdvanceFrame();
    EXPECT_EQ(animation.CurrentFrame(), 15);
    animation.AdvanceFrame(); // after the last, the first again
    EXPECT_EQ(animation.CurrentFrame(), 0);
    animation.AdvanceFrame();
    animation.AdvanceFrame();

    animation.Stop();
    EXPECT_FALSE(animation.IsPlaying());
    EXPECT_EQ(animation.CurrentFrame(), 0); // stopped, it shows the first frame

    // Playing again starts from the first frame, and the timer drives it.
    animation.AdvanceFrame();
    animation.Play();
    EXPECT_EQ(animation.CurrentFrame(), 0);
    EXPECT_TRUE(WaitFor([&] { return animation.CurrentFrame() > 0; }));
    animation.Stop();
}

TEST(Animation, BackgroundIsLeftOutAndTheMarkDrawn) {
    CAnimation animation;
    ASSERT_TRUE(animation.Open(kLogo));
    const QImage first = animation.Frame(0);
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(first.pixel(47, 0)), 0);
    EXPECT_EQ(qAlpha(first.pixel(24, 16)), 255); // the middle of the bubble
    EXPECT_TRUE(animation.Frame(16).isNull());

    // Drawn centred in the control.
    animation.resize(60, 60);
    const QImage shown = animation.grab().toImage();
    EXPECT_EQ(shown.pixel(6 + 24, 9 + 16), first.pixel(24, 16));
}

TEST(Animation, BrokenClipsLeaveItBlankAndHarmless) {
    test::CTempDataDir dir;
    dir.WriteFile("empty.avi", "");
    dir.WriteFile("text.avi", "not a video at all");
    std::ifstream logo(kLogo, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(logo), std::istreambuf_iterator<char>()};
    dir.WriteFile("header-only.avi", bytes.substr(0, 300));

    CAnimation animation;
    animation.resize(60, 60);
    for (const char* name : {"missing.avi", "empty.avi", "text.avi", "header-only.avi"}) {
        ASSERT_TRUE(animation.Open(kLogo));
        EXPECT_FALSE(animation.Open(dir.File(name))) << name;
        // What was there before is gone, not left frozen.
        EXPECT_FALSE(animation.IsOpen()) << name;
        EXPECT_EQ(animation.FrameCount(), 0) << name;
        animation.Play();
        EXPECT_FALSE(animation.IsPlaying()) << name;
        animation.AdvanceFrame();
        animation.Stop();
        EXPECT_EQ(animation.CurrentFrame(), 0);
        EXPECT_FALSE(animation.grab().isNull());
    }
}

TEST(Animation, LogoComesFromTheResources) {
    test::CTempDataDir dir;
    CAnimation animation;
    std::ifstream logo(kLogo, std::ios::binary);
    dir.WriteFile("logo1.avi",
                  {std::istreambuf_iterator<char>(logo), std::istreambuf_iterator<char>()});
    EXPECT_TRUE(animation.OpenLogo());
    EXPECT_EQ(animation.FrameCount(), 16);
}

} // namespace
} // namespace murmex
