// The about box names the exact build, so a user's report says what they ran.
#include "bar_world.h"
#include "platform/build_version.h"
#include "shell/main_bar.h"
#include "shell/main_menu.h"
#include "shell/window_router.h"
#include "support/modal_answer.h"
#include "ui/skin_dialog.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace murmex::test {
namespace {

TEST(AboutBox, ShowsTheVersionOfThisBuild) {
    ASSERT_STRNE(MurmexVersion(), "") << "the build gave no version";
    CBarWorld world;
    CMainBar bar(*world.ctx);
    CWindowRouter router(*world.ctx, bar);
    QStringList texts;
    AnswerNextModal<CSkinDialog>(&bar, [&](CSkinDialog* box) {
        for (QLabel* label : box->findChildren<QLabel*>())
            texts << label->text();
        box->accept();
    });
    router.RunMenuCommand(EMenuCommand::About);
    EXPECT_TRUE(texts.contains(QStringLiteral("Wersja ") + QString::fromUtf8(MurmexVersion())))
        << texts.join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace murmex::test
