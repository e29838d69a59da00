#include "ui/sheet_page.h"
#include "ui/tab_sheet.h"

#include <QEventLoop>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace murmex {
namespace {

class CCountingPage final : public CSheetPage {
public:
    CCountingPage() { resize(300, 150); }
    void OnActivate() override {
        ++activations;
        visibleWhenActivated = isVisible();
    }
    int activations = 0;
    bool visibleWhenActivated = true;
};

// The owner's sheet: Apply is what it overrides.
class CCountingSheet final : public CTabSheet {
public:
    using CTabSheet::CTabSheet;
    int applies = 0;
    std::function<void()> duringApply;

protected:
    void Apply() override {
        ++applies;
        if (duringApply)
            duringApply();
    }
};

class TabSheet : public ::testing::Test {
protected:
    void SetUp() override {
        m_basic = new CCountingPage;
        m_details = new CCountingPage;
        m_sheet.AddPage(m_basic, 253, QStringLiteral("Podstawowe"));
        m_sheet.AddPage(m_details, 254, QStringLiteral("Szczegółowe"));
        m_sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_sheet));
    }

    CCountingSheet m_sheet;
    CCountingPage* m_basic = nullptr;
    CCountingPage* m_details = nullptr;
};

TEST_F(TabSheet, LayoutAndTheFirstPage) {
    EXPECT_EQ(m_sheet.size(), QSize(340, 270)); // page + 40 by page + 120
    EXPECT_EQ(m_basic->geometry(), QRect(20, 45, 300, 150));
    EXPECT_EQ(m_sheet.TabFrame()->geometry(), QRect(10, 20, 320, 190));
    EXPECT_EQ(m_sheet.OkButton()->geometry(), QRect(250, 235, 75, 24));
    EXPECT_EQ(m_sheet.CancelButton()->geometry(), QRect(172, 235, 75, 24));
    EXPECT_EQ(m_sheet.ApplyButton()->geometry(), QRect(89, 235, 75, 24));
    EXPECT_EQ(m_sheet.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(m_sheet.CancelButton()->text(), QStringLiteral("Anuluj"));
    EXPECT_EQ(m_sheet.ApplyButton()->text(), QStringLiteral("Zastosuj"));
    ASSERT_EQ(m_sheet.TabBar()->count(), 2);
    EXPECT_EQ(m_sheet.TabBar()->tabText(1), QStringLiteral("Szczegółowe"));

    EXPECT_EQ(m_basic->activations, 1);
    EXPECT_EQ(m_details->activations, 0);
    EXPECT_TRUE(m_basic->isVisible());
    EXPECT_FALSE(m_details->isVisible());
}

TEST_F(TabSheet, SelectingATabSwapsThePages) {
    m_sheet.TabBar()->setCurrentIndex(1);
    EXPECT_EQ(m_sheet.ActiveResourceId(), 254);
    EXPECT_EQ(m_details->activations, 1);
    // Activated first, so that it fills its fields before it is seen.
    EXPECT_FALSE(m_details->visibleWhenActivated);
    EXPECT_TRUE(m_details->isVisible());
    EXPECT_FALSE(m_basic->isVisible());

    m_sheet.SetActivePage(0);
    EXPECT_EQ(m_basic->activations, 2);
    EXPECT_EQ(m_sheet.TabBar()->currentIndex(), 0);
    EXPECT_FALSE(m_sheet.SetActivePage(2));
    EXPECT_EQ(m_sheet.ActiveIndex(), 0);
}

TEST_F(TabSheet, ApplyKeepsTheSheetOpen) {
    QTest::mouseClick(m_sheet.ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(m_sheet.applies, 1);
    EXPECT_TRUE(m_sheet.isVisible());
}

TEST_F(TabSheet, OkAppliesThenCloses) {
    QTest::mouseClick(m_sheet.OkButton(), Qt::LeftButton);
    EXPECT_EQ(m_sheet.applies, 1);
    EXPECT_FALSE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.result(), QDialog::Accepted);
}

TEST_F(TabSheet, CancelAndEscapeCloseWithoutApplying) {
    QTest::mouseClick(m_sheet.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(m_sheet.applies, 0);
    EXPECT_FALSE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.result(), QDialog::Rejected);

    m_sheet.show();
    QTest::keyClick(&m_sheet, Qt::Key_Escape);
    EXPECT_EQ(m_sheet.applies, 0);
    EXPECT_FALSE(m_sheet.isVisible());
}

TEST_F(TabSheet, ButtonsWaitWhileApplyRuns) {
    // Apply waits for the server with the event loop turning; the user clicks
    // OK, "Zastosuj" and "Anuluj" meanwhile.
    m_sheet.duringApply = [this] {
        m_sheet.duringApply = nullptr;
        QEventLoop wait;
        QTimer::singleShot(0, &m_sheet, [this, &wait] {
            QTest::mouseClick(m_sheet.OkButton(), Qt::LeftButton);
            QTest::mouseClick(m_sheet.ApplyButton(), Qt::LeftButton);
            QTest::mouseClick(m_sheet.CancelButton(), Qt::LeftButton);
            wait.quit();
        });
        wait.exec();
    };
    QTest::mouseClick(m_sheet.OkButton(), Qt::LeftButton);
    EXPECT_EQ(m_sheet.applies, 1);
    EXPECT_FALSE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.result(), QDialog::Accepted);
}

TEST(TabSheetButtons, OptionalButtonsCanBeLeftOut) {
    CTabSheet sheet(nullptr, CTabSheet::kTabButtonsOkOnly);
    sheet.AddPage(new CCountingPage, 253, QStringLiteral("Podstawowe"));
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    EXPECT_EQ(sheet.CancelButton(), nullptr);
    EXPECT_EQ(sheet.ApplyButton(), nullptr);
    EXPECT_EQ(sheet.OkButton()->geometry(), QRect(250, 235, 75, 24));
}

} // namespace
} // namespace murmex
