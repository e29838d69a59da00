#include "support/modal_answer.h"
#include "ui/image_button.h"
#include "ui/question_dialog.h"
#include "ui/wizard_page.h"
#include "ui/wizard_sheet.h"
#include "ui_test_support.h"

#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::WaitFor;

// A page whose answers the test sets, counting what the sheet asks it.
class CScriptedPage final : public CWizardPage {
public:
    explicit CScriptedPage(int mode, QSize size = {300, 100}) : m_mode(mode) { resize(size); }

    void OnActivate() override {
        ++activations;
        SetWizardButtons(m_mode);
    }
    int OnNext() override {
        ++nextCalls;
        if (duringNext)
            duringNext();
        return nextResult;
    }
    int OnBack() override {
        ++backCalls;
        return backResult;
    }
    bool OnFinish() override {
        ++finishCalls;
        return finishResult;
    }

    int nextResult = kAdjacent;
    int backResult = kAdjacent;
    bool finishResult = true;
    std::function<void()> duringNext;
    int activations = 0;
    int nextCalls = 0;
    int backCalls = 0;
    int finishCalls = 0;

private:
    int m_mode;
};

constexpr int kBackNext = CWizardSheet::kButtonBack | CWizardSheet::kButtonNext;

class WizardSheet : public ::testing::Test {
protected:
    // Three pages: 101 (Next only), 135 (Back and Next), 144 (Back and Finish).
    void SetUp() override {
        m_first = new CScriptedPage(CWizardSheet::kButtonNext);
        m_middle = new CScriptedPage(kBackNext);
        m_last = new CScriptedPage(CWizardSheet::kButtonBack | CWizardSheet::kButtonFinish);
        m_sheet.AddPage(m_first, 101);
        m_sheet.AddPage(m_middle, 135);
        m_sheet.AddPage(m_last, 144);
    }

    void Show() {
        m_sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_sheet));
    }

    QString NextText() const { return m_sheet.NextButton()->text(); }

    CWizardSheet m_sheet;
    CScriptedPage* m_first = nullptr;
    CScriptedPage* m_middle = nullptr;
    CScriptedPage* m_last = nullptr;
};

TEST_F(WizardSheet, FirstShowingLaysOutAndActivatesTheFirstPage) {
    EXPECT_EQ(m_first->activations, 0);
    Show();
    EXPECT_EQ(m_sheet.size(), QSize(340, 200)); // page + 40 by page + 100
    EXPECT_EQ(m_first->geometry(), QRect(20, 40, 300, 100));
    EXPECT_EQ(m_sheet.Rule()->geometry(), QRect(15, 150, 310, 2));
    EXPECT_EQ(m_sheet.CancelButton()->geometry(), QRect(250, 165, 75, 24));
    EXPECT_EQ(m_sheet.NextButton()->geometry(), QRect(169, 165, 75, 24));
    EXPECT_EQ(m_sheet.BackButton()->geometry(), QRect(94, 165, 75, 24));
    EXPECT_EQ(m_sheet.CloseButton()->geometry(), QRect(319, 0, 21, 19));
    EXPECT_EQ(m_first->activations, 1);
    EXPECT_TRUE(m_first->isVisible());
    EXPECT_FALSE(m_middle->isVisible());
    EXPECT_FALSE(m_sheet.BackButton()->isEnabled());
    EXPECT_TRUE(m_sheet.NextButton()->isEnabled());
    EXPECT_EQ(NextText(), QStringLiteral("Dalej >"));
    EXPECT_EQ(m_sheet.BackButton()->text(), QStringLiteral("< Wstecz"));
    EXPECT_EQ(m_sheet.CancelButton()->text(), QStringLiteral("Anuluj"));
}

TEST_F(WizardSheet, WindowGrowsToThePagesButNeverShrinks) {
    m_sheet.AddPage(new CScriptedPage(kBackNext, {400, 150}), 168);
    m_sheet.resize(500, 120);
    Show();
    EXPECT_EQ(m_sheet.size(), QSize(500, 250));
    // Every page gets the room of the largest.
    EXPECT_EQ(m_first->geometry(), QRect(20, 40, 400, 150));
    EXPECT_EQ(m_sheet.NextButton()->geometry(), QRect(329, 215, 75, 24));
}

TEST_F(WizardSheet, NextAndBackFollowThePagesAnswers) {
    Show();
    m_sheet.Next();
    EXPECT_EQ(m_sheet.ActiveResourceId(), 135);
    EXPECT_FALSE(m_first->isVisible());
    EXPECT_TRUE(m_middle->isVisible());
    EXPECT_EQ(m_middle->activations, 1);

    m_middle->nextResult = CWizardPage::kStay;
    m_sheet.Next();
    EXPECT_EQ(m_sheet.ActiveResourceId(), 135);
    EXPECT_EQ(m_middle->activations, 1);

    m_middle->nextResult = 999; // a page the sheet does not hold
    m_sheet.Next();
    EXPECT_EQ(m_sheet.ActiveResourceId(), 135);
    EXPECT_TRUE(m_middle->isVisible());
    EXPECT_EQ(m_middle->activations, 1);

    m_middle->backResult = 135; // its own number: shown and activated again
    m_sheet.Back();
    EXPECT_EQ(m_sheet.ActiveResourceId(), 135);
    EXPECT_TRUE(m_middle->isVisible());
    EXPECT_EQ(m_middle->activations, 2);

    m_middle->nextResult = 144; // by number
    m_sheet.Next();
    EXPECT_EQ(m_sheet.ActiveIndex(), 2);

    m_last->backResult = 101;
    m_sheet.Back();
    EXPECT_EQ(m_sheet.ActiveIndex(), 0);
    EXPECT_EQ(m_first->activations, 2);

    // Before the first page there is nothing: it stays.
    m_sheet.Back();
    EXPECT_EQ(m_sheet.ActiveIndex(), 0);
    EXPECT_EQ(m_first->backCalls, 1);
    EXPECT_EQ(m_first->activations, 2);
}

TEST_F(WizardSheet, FinishModeTurnsNextIntoZakonczAndBack) {
    Show();
    m_sheet.SetActivePageById(144);
    EXPECT_EQ(NextText(), QStringLiteral("Zakończ"));
    EXPECT_TRUE(m_sheet.IsFinishing());
    EXPECT_TRUE(m_sheet.NextButton()->isEnabled());
    EXPECT_TRUE(m_sheet.BackButton()->isEnabled());

    // Mode 3 on the next page reads "Dalej >" again and finishes nothing.
    m_sheet.Back();
    EXPECT_EQ(m_sheet.ActiveResourceId(), 135);
    EXPECT_EQ(NextText(), QStringLiteral("Dalej >"));
    EXPECT_FALSE(m_sheet.IsFinishing());
    m_sheet.Next();
    EXPECT_EQ(m_last->finishCalls, 0);
    EXPECT_EQ(m_middle->nextCalls, 1);

    // A page that declines to finish keeps the wizard open.
    m_last->finishResult = false;
    m_sheet.Next();
    EXPECT_EQ(m_last->finishCalls, 1);
    EXPECT_EQ(m_last->nextCalls, 0);
    EXPECT_TRUE(m_sheet.isVisible());

    m_last->finishResult = true;
    QTest::mouseClick(m_sheet.NextButton(), Qt::LeftButton);
    EXPECT_EQ(m_last->finishCalls, 2);
    EXPECT_FALSE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.result(), QDialog::Accepted);
}

TEST_F(WizardSheet, ModesEnableOnlyWhatTheyName) {
    Show();
    m_sheet.SetButtonMode(CWizardSheet::kButtonBack);
    EXPECT_TRUE(m_sheet.BackButton()->isEnabled());
    EXPECT_FALSE(m_sheet.NextButton()->isEnabled());
    m_sheet.SetButtonMode(0);
    EXPECT_FALSE(m_sheet.BackButton()->isEnabled());
    EXPECT_FALSE(m_sheet.NextButton()->isEnabled());
    m_sheet.SetButtonMode(CWizardSheet::kButtonFinish);
    EXPECT_TRUE(m_sheet.NextButton()->isEnabled());
    EXPECT_FALSE(m_sheet.BackButton()->isEnabled());
}

TEST_F(WizardSheet, CancelAsksNoPage) {
    Show();
    QTest::mouseClick(m_sheet.CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.result(), QDialog::Rejected);
    EXPECT_EQ(m_first->nextCalls + m_first->backCalls + m_first->finishCalls, 0);
}

TEST_F(WizardSheet, EscapeAndTheCloseButtonCancelToo) {
    Show();
    QTest::keyClick(&m_sheet, Qt::Key_Escape);
    EXPECT_FALSE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.result(), QDialog::Rejected);

    CWizardSheet other;
    other.AddPage(new CScriptedPage(kBackNext), 101);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    QTest::mouseClick(other.CloseButton(), Qt::LeftButton, {}, QPoint(10, 9));
    ASSERT_TRUE(WaitFor([&] { return !other.isVisible(); }));
    EXPECT_EQ(other.result(), QDialog::Rejected);
}

TEST_F(WizardSheet, TypedTextIsThrownAwayOnlyAfterTheUserSaysSo) {
    auto* field = new QLineEdit(m_first);
    Show();
    // Filled by the program: nothing the user would lose, no question.
    field->setText(QStringLiteral("z pliku"));
    QObject owner;
    int asked = 0;
    {
        CWizardSheet plain;
        auto* page = new CScriptedPage(CWizardSheet::kButtonNext);
        (new QLineEdit(page))->setText(QStringLiteral("z pliku"));
        plain.AddPage(page, 101);
        plain.show();
        plain.reject();
        EXPECT_EQ(plain.result(), QDialog::Rejected);
    }
    // Typed by the user: "Nie" keeps the wizard and the text, "Tak" closes it.
    field->clear();
    QTest::keyClicks(field, QStringLiteral("Zenon"));
    test::AnswerNextModal<CQuestionDialog>(&owner, [&](CQuestionDialog* q) {
        ++asked;
        q->NoButton()->click();
    });
    QTest::keyClick(&m_sheet, Qt::Key_Escape);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(m_sheet.isVisible());
    EXPECT_EQ(field->text(), QStringLiteral("Zenon"));
    test::AnswerNextModal<CQuestionDialog>(&owner, [&](CQuestionDialog* q) {
        ++asked;
        q->YesButton()->click();
    });
    m_sheet.CancelButton()->click();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.result(), QDialog::Rejected);
}

TEST_F(WizardSheet, ButtonsWaitWhileAPageIsWorking) {
    Show();
    // The page's Next waits for the server with the event loop turning; the
    // user clicks again and cancels meanwhile.
    m_first->duringNext = [this] {
        QEventLoop wait;
        QTimer::singleShot(0, &m_sheet, [this, &wait] {
            QTest::mouseClick(m_sheet.NextButton(), Qt::LeftButton);
            QTest::mouseClick(m_sheet.CancelButton(), Qt::LeftButton);
            QTest::keyClick(&m_sheet, Qt::Key_Escape);
            wait.quit();
        });
        wait.exec();
    };
    m_sheet.Next();
    EXPECT_EQ(m_first->nextCalls, 1);
    EXPECT_TRUE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.ActiveResourceId(), 135);
    EXPECT_EQ(m_middle->activations, 1);

    // Afterwards the buttons work again.
    QTest::mouseClick(m_sheet.CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(m_sheet.isVisible());
}

} // namespace
} // namespace murmex
