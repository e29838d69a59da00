// The call list: the month it opens on, the month and date choices, the rows
// and totals they select, the report and the windows it leads to.
#include "counter_window_world.h"
#include "counter_windows/call_list_dialog.h"
#include "counter_windows/statistics_dialog.h"
#include "counter_windows/tariff_dialog.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <sstream>

namespace murmex::test {
namespace {

class CallListWindow : public CCounterWindowTest {
protected:
    void Open() { window = std::make_unique<CCallListDialog>(Services()); }

    QStringList Row(int index) const {
        QStringList texts;
        QTreeWidgetItem* item = window->CallList()->topLevelItem(index);
        for (int column = 0; item && column < 5; ++column)
            texts << item->text(column);
        return texts;
    }
    int Rows() const { return window->CallList()->topLevelItemCount(); }
    QStringList Sums() const {
        return {window->TimeField()->text(), window->CostField()->text(),
                window->ImpulsesField()->text()};
    }
    std::string Report() const {
        std::ifstream in(dir.File("billing.txt"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::unique_ptr<CCallListDialog> window;
};

TEST_F(CallListWindow, OpensOnTodaysMonthAndAMonthWithoutCallsShowsNothingAndZeroTotals) {
    AddCall(2026, 2, 10, 9, 0, 0, 600, 4); // the month before: not shown
    Open();
    EXPECT_EQ(window->MonthList()->currentText(), "Marzec");
    EXPECT_EQ(window->YearList()->currentText(), "2026");
    EXPECT_EQ(window->PeriodStart(), MakeLocalTime(2026, 3, 1, 0, 0, 0));
    EXPECT_EQ(window->PeriodEnd(), MakeLocalTime(2026, 3, 31, 23, 59, 59));
    EXPECT_EQ(window->FromPicker()->dateTime(), QDateTime(QDate(2026, 3, 1), QTime(0, 0)));
    EXPECT_EQ(window->ToPicker()->dateTime(), QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59)));
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Sums(), (QStringList{"00:00:00", "0.00 zł", "0"}));
}

TEST_F(CallListWindow, TheListHasFiveColumnsOfEightyPixelsUnderTheirTitles) {
    Open();
    QTreeWidget* list = window->CallList();
    ASSERT_EQ(list->columnCount(), 5);
    QStringList titles;
    for (int column = 0; column < 5; ++column) {
        titles << list->headerItem()->text(column);
        EXPECT_EQ(list->columnWidth(column), 80) << column;
    }
    EXPECT_EQ(titles,
              (QStringList{"Data", "Godzina", "Czas trwania", "Liczba impulsów", "Opłata"}));
}

// The list ends at the current year even though the calendar has moved on
// long past the list's first twenty years; a call dated later (a clock that
// was wrong) stretches it so that its month can be chosen too.
TEST_F(CallListWindow, TheYearListRunsFrom1990ToThisYearOrTheNewestCallsYear) {
    Open();
    EXPECT_EQ(window->YearList()->itemText(0), "1990");
    EXPECT_EQ(window->YearList()->count(), 2026 - 1990 + 1);
    EXPECT_EQ(window->YearList()->currentIndex(), 2026 - 1990);

    AddCall(2028, 7, 1, 10, 0, 0, 60, 1);
    Open();
    EXPECT_EQ(window->YearList()->itemText(window->YearList()->count() - 1), "2028");
    EXPECT_EQ(window->YearList()->currentText(), "2026") << "still opens on today";
}

TEST_F(CallListWindow, LutyOf2000SelectsTheWholeLeapMonthButNotItsOpeningSecond) {
    AddCall(2000, 2, 1, 0, 0, 0, 60, 1);     // exactly the period start: outside
    AddCall(2000, 2, 10, 8, 30, 15, 600, 4); // inside
    AddCall(2000, 2, 29, 23, 59, 59, 61, 1); // the last second: inside
    AddCall(2000, 3, 1, 0, 0, 1, 60, 1);     // March: outside
    Open();
    window->YearList()->setCurrentIndex(2000 - 1990);
    window->MonthList()->setCurrentIndex(1);

    EXPECT_EQ(window->PeriodStart(), MakeLocalTime(2000, 2, 1, 0, 0, 0));
    EXPECT_EQ(window->PeriodEnd(), MakeLocalTime(2000, 2, 29, 23, 59, 59));
    EXPECT_EQ(window->FromPicker()->dateTime(), QDateTime(QDate(2000, 2, 1), QTime(0, 0)));
    EXPECT_EQ(window->ToPicker()->dateTime(), QDateTime(QDate(2000, 2, 29), QTime(23, 59, 59)));
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Row(0), (QStringList{"02/10/00", "08:30:15", "00:10:00", "4", "1.32 zł"}));
    EXPECT_EQ(Row(1), (QStringList{"02/29/00", "23:59:59", "00:01:01", "1", "0.33 zł"}));
    EXPECT_EQ(Sums(), (QStringList{"00:11:01", "1.65 zł", "5"}));
}

TEST_F(CallListWindow, ChangingTheYearAloneKeepsTheChosenMonth) {
    AddCall(1999, 12, 24, 18, 0, 0, 3600, 20);
    Open();
    window->MonthList()->setCurrentIndex(11);
    window->YearList()->setCurrentIndex(1999 - 1990);
    EXPECT_EQ(window->PeriodStart(), MakeLocalTime(1999, 12, 1, 0, 0, 0));
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Sums(), (QStringList{"01:00:00", "6.60 zł", "20"}));
}

// Any two dates: the period runs from "od" to "do" with the times of day the
// pickers hold, and the lists follow the start's month and year.
TEST_F(CallListWindow, ThePickersSelectAnyPeriodAndTheListsFollowItsStart) {
    AddCall(2001, 5, 9, 12, 0, 0, 60, 1);
    AddCall(2001, 5, 10, 12, 0, 0, 120, 1);
    AddCall(2001, 6, 20, 22, 0, 0, 180, 2);
    AddCall(2001, 6, 21, 0, 0, 1, 240, 2);
    Open();
    window->FromPicker()->setDateTime(QDateTime(QDate(2001, 5, 10), QTime(0, 0)));
    window->ToPicker()->setDateTime(QDateTime(QDate(2001, 6, 20), QTime(23, 59, 59)));

    EXPECT_EQ(window->MonthList()->currentText(), "Maj");
    EXPECT_EQ(window->YearList()->currentText(), "2001");
    EXPECT_EQ(window->PeriodStart(), MakeLocalTime(2001, 5, 10, 0, 0, 0));
    EXPECT_EQ(window->PeriodEnd(), MakeLocalTime(2001, 6, 20, 23, 59, 59));
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Sums(), (QStringList{"00:05:00", "0.99 zł", "3"}));

    // Choosing a month afterwards takes over the pickers again.
    window->MonthList()->setCurrentIndex(5);
    EXPECT_EQ(window->FromPicker()->date(), QDate(2001, 6, 1));
    EXPECT_EQ(window->ToPicker()->dateTime(), QDateTime(QDate(2001, 6, 30), QTime(23, 59, 59)));
    EXPECT_EQ(Rows(), 2);
}

// The pickers show days only; a day chosen in "do" keeps the end of the day
// that the month put there, so the last day's evening calls stay in.
TEST_F(CallListWindow, ANewDayInDoKeepsTheTimeOfDayThePickerHeld) {
    AddCall(2026, 3, 15, 22, 0, 0, 60, 1);
    Open();
    window->ToPicker()->setDate(QDate(2026, 3, 15));
    EXPECT_EQ(window->PeriodEnd(), MakeLocalTime(2026, 3, 15, 23, 59, 59));
    EXPECT_EQ(Rows(), 1);
}

TEST_F(CallListWindow, WykazWritesTheReportOfThePeriodOnShowAndAsksTheDesktopToOpenIt) {
    AddCall(2026, 3, 2, 10, 0, 0, 600, 4);
    AddCall(2026, 2, 2, 10, 0, 0, 60, 1);
    Open();
    // The charts select periods of their own in the same log; the report still
    // covers what this window shows.
    counter->Log().Select(0, MakeLocalTime(2030, 1, 1, 0, 0, 0));
    QTest::mouseClick(window->ReportButton(), Qt::LeftButton);

    ASSERT_EQ(desktop.opened, (std::vector<std::string>{dir.File("billing.txt")}));
    const std::string report = Report();
    EXPECT_EQ(report.rfind("Murmex -- Wykaz polaczen z dni od 03/01/26 do 03/31/26\r\n", 0), 0u)
        << report;
    EXPECT_NE(report.find("00:10:00"), std::string::npos);
    EXPECT_EQ(report.find("00:01:00"), std::string::npos) << "February's call is not in March";
    EXPECT_NE(report.find("Sumaryczny koszt: 1.32 z\xB3\r\n"), std::string::npos);

    // A second report replaces the first rather than adding to it.
    QTest::mouseClick(window->ReportButton(), Qt::LeftButton);
    EXPECT_EQ(Report(), report);
    EXPECT_EQ(desktop.opened.size(), 2u);
}

TEST_F(CallListWindow, EveryOpeningIsANewWindowThatGoesAwayWhenClosed) {
    QWidget owner;
    QPointer<CCallListDialog> first = CCallListDialog::Open(Services(), &owner);
    QPointer<CCallListDialog> second = CCallListDialog::Open(Services(), &owner);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.data(), second.data());
    EXPECT_FALSE(first->isModal());
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->windowTitle().isEmpty());

    QTest::mouseClick(first->CloseButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_FALSE(second.isNull());
}

TEST_F(CallListWindow, StatystykiAndUstawieniaOpenTheirWindowsModallyAndF1ItsHelp) {
    Open();
    window->show();
    QString opened;
    OnNextModal(
        [&](QWidget* modal) { opened = modal ? modal->metaObject()->className() : QString(); });
    QTest::mouseClick(window->StatisticsButton(), Qt::LeftButton);
    EXPECT_EQ(opened, "murmex::CStatisticsDialog");

    OnNextModal(
        [&](QWidget* modal) { opened = modal ? modal->metaObject()->className() : QString(); });
    QTest::mouseClick(window->SettingsButton(), Qt::LeftButton);
    EXPECT_EQ(opened, "murmex::CTariffDialog");

    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(help, (std::vector<int>{53}));
}

} // namespace
} // namespace murmex::test
