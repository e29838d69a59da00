// The hint of the day: which hint it shows, the walk round the hints, and the
// index it leaves for the next start (in memory, and in the file only when
// the options are saved).
#include "bar_world.h"
#include "shell/hot_tip_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace murmex::test {
namespace {

class HotTip : public ::testing::Test {
protected:
    // Five hints "Rada 0" ... "Rada 4" in misc.cfg, then the options.
    void Make(const std::vector<std::string>& config, bool withHints = true) {
        world.reset(); // first: it clears the process-wide options as it goes
        world = std::make_unique<CBarWorld>(config);
        if (withHints) {
            world->dir.WriteFile("misc.cfg", "[HotTip]\r\n1=\"Rada 0\"\r\n2=\"Rada 1\"\r\n"
                                             "3=\"Rada 2\"\r\n4=\"Rada 3\"\r\n5=\"Rada 4\"\r\n");
            LoadDictionariesFrom(world->dir.File("misc.cfg"));
        }
    }

    std::unique_ptr<CBarWorld> world;
};

TEST_F(HotTip, WrapsRoundAndOkStoresTheNextIndexInMemory) {
    Make({"[Options]", "HotTip=\"4\" "});
    CHotTipDialog dialog;
    EXPECT_EQ(dialog.HintText(), QStringLiteral("Rada 4"));
    dialog.NextButton()->click();
    EXPECT_EQ(dialog.Index(), 0);
    EXPECT_EQ(dialog.HintText(), QStringLiteral("Rada 0"));
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(GetOption("HotTip"), "1");
    EXPECT_TRUE(world->FileHas("HotTip=\"4\"")) << "the file hears of it with the next save";
    EXPECT_FALSE(HasOption("HotTipDisabled"));
}

TEST_F(HotTip, PreviousGoesBackRoundToTheLastAndNextForward) {
    Make({"[Options]", "HotTip=\"1\" "});
    CHotTipDialog dialog;
    dialog.PreviousButton()->click();
    EXPECT_EQ(dialog.HintText(), QStringLiteral("Rada 0"));
    dialog.PreviousButton()->click();
    EXPECT_EQ(dialog.HintText(), QStringLiteral("Rada 4"));
    dialog.NextButton()->click();
    EXPECT_EQ(dialog.HintText(), QStringLiteral("Rada 0"));
    dialog.NextButton()->click();
    EXPECT_EQ(dialog.HintText(), QStringLiteral("Rada 1"));
}

TEST_F(HotTip, AnIndexPastTheEndOrBelowZeroStartsOver) {
    Make({"[Options]", "HotTip=\"9\" "});
    EXPECT_EQ(CHotTipDialog().HintText(), QStringLiteral("Rada 0"));
    Make({"[Options]", "HotTip=\"-3\" "});
    EXPECT_EQ(CHotTipDialog().HintText(), QStringLiteral("Rada 0"));
    Make({"[Options]", "HotTip=\"abc\" "});
    EXPECT_EQ(CHotTipDialog().HintText(), QStringLiteral("Rada 0"));
}

TEST_F(HotTip, ClosingStoresTheNextIndexAndTheBoxDisablesTheHint) {
    Make({"[Options]", "HotTip=\"2\" "});
    {
        CHotTipDialog dialog;
        dialog.reject(); // the close button and Escape end here
        EXPECT_EQ(GetOption("HotTip"), "3");
        EXPECT_FALSE(HasOption("HotTipDisabled"));
    }
    CHotTipDialog dialog;
    EXPECT_EQ(dialog.HintText(), QStringLiteral("Rada 3"));
    dialog.DisableBox()->setChecked(true);
    dialog.OkButton()->click();
    EXPECT_EQ(GetOption("HotTip"), "4");
    EXPECT_EQ(GetOption("HotTipDisabled"), "1");
    // A new name: the options were saved, and the index with them.
    EXPECT_TRUE(world->FileHas("HotTipDisabled=\"1\""));
    EXPECT_TRUE(world->FileHas("HotTip=\"4\""));
}

TEST_F(HotTip, WithoutAStoredIndexStartsAtTheFirstAndStoresItAtOnce) {
    Make({});
    CHotTipDialog dialog;
    EXPECT_EQ(dialog.HintText(), QStringLiteral("Rada 0"));
    EXPECT_TRUE(world->FileHas("HotTip=\"0\""));
}

TEST_F(HotTip, WithoutHintsItClosesAtOnceAndStoresNothingElse) {
    Make({}, false);
    CHotTipDialog dialog;
    EXPECT_FALSE(dialog.HasHints());
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(GetOption("HotTip"), "0");
    EXPECT_TRUE(world->FileHas("HotTip=\"0\""));
    // Shown without exec it closes itself as well.
    dialog.show();
    EXPECT_TRUE(WaitFor([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(GetOption("HotTip"), "0");
}

TEST_F(HotTip, ExecRunsUntilTheUserAnswers) {
    Make({"[Options]", "HotTip=\"0\" "});
    CHotTipDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.NextButton()->click(); });
    QTimer::singleShot(0, &dialog, [&] { dialog.OkButton()->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(GetOption("HotTip"), "2");
}

} // namespace
} // namespace murmex::test
