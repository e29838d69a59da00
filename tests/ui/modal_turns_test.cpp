// One modal window at a time: what the background raises while a modal
// window is up waits for it, in order, and its caller still gets the answer.
#include "support/modal_answer.h"
#include "ui/message_dialog.h"
#include "ui/modal_turns.h"
#include "ui/qt_message_box.h"
#include "ui/question_dialog.h"
#include "ui/queued_ticker.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace murmex {
namespace {

using test::CModalAnswer;
using test::WaitFor;

template <class T> std::vector<T*> TopLevels(bool visible) {
    std::vector<T*> found;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<T*>(top); window && window->isVisible() == visible)
            found.push_back(window);
    return found;
}

// Drives a test from outside every dialog's loop: a step runs each turn of
// whatever loop is running. Should the turn of a waiting dialog never come,
// the waiting ones are let go after a while so the test fails, not hangs.
class CSteps {
public:
    explicit CSteps(std::function<bool()> step) : m_step(std::move(step)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_step())
                m_timer.stop();
            else if (++m_turns > 4000)
                LetGo();
        });
        m_timer.start();
    }

private:
    // The boxes and questions here are made on the heap and guarded.
    static void LetGo() {
        for (QDialog* waiting : TopLevels<CMessageDialog>(false))
            delete waiting;
        for (QDialog* waiting : TopLevels<CQuestionDialog>(false))
            delete waiting;
    }

    std::function<bool()> m_step;
    QTimer m_timer;
    int m_turns = 0;
};

TEST(ModalTurns, TwoBoxesFromOtherThreadsWaitForTheOneUpAndComeOneAfterTheOther) {
    CModalTurns& turns = CModalTurns::Instance();
    CQtMessageBox box;
    std::vector<std::thread> workers;
    std::vector<QString> seen;
    std::size_t mostAtOnce = 0;
    QPointer<CMessageDialog> up;
    CModalAnswer<CMessageDialog> answer([&](CMessageDialog* shown) {
        seen.push_back(shown->Text());
        mostAtOnce = std::max(mostAtOnce, TopLevels<CMessageDialog>(true).size());
        if (shown->Text() == QStringLiteral("up")) {
            up = shown;
            workers.emplace_back([&box] { box.ShowMessage("first"); });
            return;
        }
        shown->OkButton()->click();
    });
    std::size_t shownWhileWaiting = 0;
    CSteps steps([&] {
        if (!up)
            return false;
        if (workers.size() == 1 && turns.Waiting() == 1)
            workers.emplace_back([&box] { box.ShowMessage("second"); });
        if (workers.size() < 2 || turns.Waiting() < 2)
            return false;
        shownWhileWaiting = TopLevels<CMessageDialog>(true).size();
        up->OkButton()->click();
        return true;
    });

    CMessageDialog::Show(nullptr, QStringLiteral("up"));
    EXPECT_TRUE(WaitFor([&] { return seen.size() >= 3 && box.Waiting() == 0; }));
    for (std::thread& worker : workers)
        worker.join();

    EXPECT_EQ(shownWhileWaiting, 1u) << "nothing lands on the box that is up";
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("up"), QStringLiteral("first"),
                                          QStringLiteral("second")}));
    EXPECT_EQ(mostAtOnce, 1u) << "never two boxes at once";
    EXPECT_EQ(turns.Waiting(), 0);
    EXPECT_FALSE(turns.IsBusy());
}

TEST(ModalTurns, ATicksQuestionWaitsWhileTheTicksGoOnAndItsCallerGetsTheAnswer) {
    CModalTurns& turns = CModalTurns::Instance();
    int ticks = 0;
    int ticksWhenAsked = -1;
    std::optional<bool> said;
    CQueuedTicker ticker(std::chrono::milliseconds(1), [&] {
        ++ticks;
        if (ticksWhenAsked >= 0)
            return;
        ticksWhenAsked = ticks;
        said = CQuestionDialog::Ask(nullptr, QStringLiteral("tick"));
    });

    std::vector<QString> seen;
    QPointer<CMessageDialog> up;
    CModalAnswer<CMessageDialog> upAnswer([&](CMessageDialog* shown) {
        seen.push_back(shown->Text());
        up = shown;
        ticker.Start();
    });
    CModalAnswer<CQuestionDialog> questionAnswer([&](CQuestionDialog* shown) {
        seen.push_back(shown->Text());
        EXPECT_TRUE(TopLevels<CMessageDialog>(true).empty()) << "the box that was up went first";
        shown->YesButton()->click();
    });
    bool questionShownEarly = false;
    CSteps steps([&] {
        // The tick is waiting; the ticks after it go on before the box is closed.
        if (!up || turns.Waiting() != 1 || ticks < ticksWhenAsked + 5)
            return false;
        questionShownEarly = !TopLevels<CQuestionDialog>(true).empty();
        up->OkButton()->click();
        return true;
    });

    CMessageDialog::Show(nullptr, QStringLiteral("up"));
    EXPECT_TRUE(WaitFor([&] { return said.has_value(); }));
    ticker.Stop();

    EXPECT_FALSE(questionShownEarly);
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("up"), QStringLiteral("tick")}));
    EXPECT_EQ(said, std::optional<bool>(true)) << "the tick gets the user's answer";
}

TEST(ModalTurns, TheUsersOwnDialogOnTheWindowThatIsUpComesAtOnce) {
    // A box a wizard page shows about its own field must not wait for the
    // wizard to close: the wizard could never close then.
    std::vector<QString> seen;
    bool parentUpUnderChild = false;
    // Two answerers: a timer is not fired again while its own handler runs.
    CModalAnswer<CMessageDialog> wizard([&](CMessageDialog* shown) {
        if (shown->Text() != QStringLiteral("wizard"))
            return;
        seen.push_back(shown->Text());
        CMessageDialog::Show(shown, QStringLiteral("field"));
        shown->OkButton()->click();
    });
    CModalAnswer<CMessageDialog> field([&](CMessageDialog* shown) {
        if (shown->Text() != QStringLiteral("field"))
            return;
        seen.push_back(shown->Text());
        parentUpUnderChild = shown->parentWidget() && shown->parentWidget()->isVisible();
        shown->OkButton()->click();
    });
    // Should the child wait after all, the wizard would never be answered.
    CSteps steps([&] { return seen.size() >= 2; });
    CMessageDialog::Show(nullptr, QStringLiteral("wizard"));
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("wizard"), QStringLiteral("field")}));
    EXPECT_TRUE(parentUpUnderChild);
}

} // namespace
} // namespace murmex
