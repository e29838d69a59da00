// The tariff window and the holiday prompt: what they show of the counter and
// how every change reaches the counter at once.
#include "counter/tariff.h"
#include "counter_window_world.h"
#include "counter_windows/holiday_prompt.h"
#include "counter_windows/tariff_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>

namespace murmex::test {
namespace {

class TariffWindow : public CCounterWindowTest {
protected:
    void Open() {
        window = std::make_unique<CTariffDialog>(Services());
        // Shown, so that clicks land on the boxes' texts where the layout put them.
        window->show();
        window->SetHolidayAsker([this](QWidget*, std::int64_t& holiday) {
            if (answers.empty())
                return false;
            holiday = answers.front();
            answers.erase(answers.begin());
            return true;
        });
    }
    QStringList Lines(QListWidget* list) const {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }
    void SetPickers(QTime from, QTime to, const QString& length) {
        window->FromPicker()->setTime(from);
        window->ToPicker()->setTime(to);
        window->PeriodLengthField()->setText(length);
    }
    // On the tick box itself: the box's row is wider than its text.
    static void ClickBox(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    void Type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    std::vector<std::int64_t> answers; // what the holiday prompt answers, in turn
    std::unique_ptr<CTariffDialog> window;
};

TEST_F(TariffWindow, OpensWithTheCountersHolidaysFreeDaysAndNormalTariff) {
    counter->AddHoliday(HolidayTime(25, 12));
    counter->AddHoliday(HolidayTime(1, 5));
    counter->SetFreeDays(1 << 0);
    counter->SetPricePerImpulse(0.275);
    counter->NormalTariff().SetRange("8:0-17:59", 120);
    counter->HolidayTariff().SetDefaultLength(360);
    Open();

    EXPECT_EQ(Lines(window->HolidayList()), (QStringList{"25 December", "01 May"}));
    EXPECT_TRUE(window->WeekdayBox(0)->isChecked());
    for (int w = 1; w < 7; ++w)
        EXPECT_FALSE(window->WeekdayBox(w)->isChecked()) << w;
    EXPECT_FALSE(window->UniformBox()->isChecked());
    EXPECT_TRUE(window->NormalRadio()->isChecked());
    EXPECT_EQ(window->PriceField()->text(), "0.28");
    EXPECT_EQ(window->DefaultLengthField()->text(), "180");
    EXPECT_EQ(Lines(window->PeriodList()), (QStringList{"08:00 - 17:59"}));
    EXPECT_EQ(window->FromPicker()->time(), QTime(8, 0));
    EXPECT_EQ(window->ToPicker()->time(), QTime(17, 59));
    EXPECT_EQ(window->PeriodLengthField()->text(), "120");
    EXPECT_EQ(window->FromPicker()->displayFormat(), "HH:mm");

    QTest::mouseClick(window->HolidayRadio(), Qt::LeftButton);
    EXPECT_EQ(window->DefaultLengthField()->text(), "360");
    EXPECT_TRUE(Lines(window->PeriodList()).isEmpty());
    EXPECT_EQ(window->PriceField()->text(), "0.28") << "one price for both tariffs";
}

TEST_F(TariffWindow, TickingSobotaAndNiedzielaMakesTheFreeWeekdayValue65) {
    Open();
    QTest::mouseClick(window->WeekdayBox(6), Qt::LeftButton);
    QTest::mouseClick(window->WeekdayBox(0), Qt::LeftButton);
    EXPECT_EQ(counter->FreeDays(), 65);
    QTest::mouseClick(window->WeekdayBox(6), Qt::LeftButton);
    EXPECT_EQ(counter->FreeDays(), 1);
}

TEST_F(TariffWindow, DodajAddsTheHoursOfThePickersAndUsunReturnsThemToTheDefault) {
    Open();
    SetPickers(QTime(8, 0), QTime(17, 59), "120");
    QTest::mouseClick(window->AddPeriodButton(), Qt::LeftButton);
    EXPECT_EQ(Lines(window->PeriodList()), (QStringList{"08:00 - 17:59"}));
    EXPECT_EQ(counter->NormalTariff().LookupMinute(8 * 60), 120);
    EXPECT_EQ(counter->NormalTariff().LookupMinute(18 * 60), 180);
    EXPECT_TRUE(counter->HolidayTariff().Periods().empty()) << "only the selected tariff";

    SetPickers(QTime(8, 0), QTime(17, 59), "120");
    QTest::mouseClick(window->RemovePeriodButton(), Qt::LeftButton);
    EXPECT_TRUE(Lines(window->PeriodList()).isEmpty());
    EXPECT_TRUE(counter->NormalTariff().Periods().empty());
}

TEST_F(TariffWindow, HoursAddedInsideOthersSplitThemIntoThreeLines) {
    Open();
    SetPickers(QTime(8, 0), QTime(17, 59), "120");
    QTest::mouseClick(window->AddPeriodButton(), Qt::LeftButton);
    SetPickers(QTime(12, 0), QTime(12, 59), "60");
    QTest::mouseClick(window->AddPeriodButton(), Qt::LeftButton);
    EXPECT_EQ(Lines(window->PeriodList()),
              (QStringList{"08:00 - 11:59", "12:00 - 12:59", "13:00 - 17:59"}));

    // Choosing a line puts its hours and length back into the pickers.
    window->PeriodList()->setCurrentRow(1);
    EXPECT_EQ(window->FromPicker()->time(), QTime(12, 0));
    EXPECT_EQ(window->ToPicker()->time(), QTime(12, 59));
    EXPECT_EQ(window->PeriodLengthField()->text(), "60");
    window->PeriodList()->setCurrentRow(2);
    EXPECT_EQ(window->FromPicker()->time(), QTime(13, 0));
    EXPECT_EQ(window->PeriodLengthField()->text(), "120");
}

TEST_F(TariffWindow, HoursWhoseEndLiesBeforeTheirStartChangeNothing) {
    Open();
    SetPickers(QTime(18, 0), QTime(6, 0), "90");
    QTest::mouseClick(window->AddPeriodButton(), Qt::LeftButton);
    EXPECT_TRUE(counter->NormalTariff().Periods().empty());
    EXPECT_TRUE(Lines(window->PeriodList()).isEmpty());
}

// A length of 0 would charge an impulse every second and a negative one means
// nothing; the fields take whole positive numbers and the tariff keeps the
// last usable length meanwhile.
TEST_F(TariffWindow, ImpulseLengthsAreWholePositiveNumbersOnly) {
    Open();
    Type(window->DefaultLengthField(), "240");
    EXPECT_EQ(counter->NormalTariff().DefaultLength(), 240);
    Type(window->DefaultLengthField(), "0");
    EXPECT_EQ(counter->NormalTariff().DefaultLength(), 240);
    Type(window->DefaultLengthField(), "");
    EXPECT_EQ(counter->NormalTariff().DefaultLength(), 240);
    Type(window->DefaultLengthField(), "-5");
    EXPECT_EQ(window->DefaultLengthField()->text(), "5") << "no minus sign is taken";
    Type(window->DefaultLengthField(), "1x2");
    EXPECT_EQ(window->DefaultLengthField()->text(), "12") << "letters are not taken";
    EXPECT_EQ(counter->NormalTariff().DefaultLength(), 12);

    SetPickers(QTime(8, 0), QTime(9, 0), "0");
    EXPECT_FALSE(window->AddPeriodButton()->isEnabled());
    QTest::mouseClick(window->AddPeriodButton(), Qt::LeftButton);
    EXPECT_TRUE(counter->NormalTariff().Periods().empty());
    window->PeriodLengthField()->setText("45");
    EXPECT_TRUE(window->AddPeriodButton()->isEnabled());
}

TEST_F(TariffWindow, TheLengthFieldEditsTheSelectedTariffOnly) {
    Open();
    QTest::mouseClick(window->HolidayRadio(), Qt::LeftButton);
    Type(window->DefaultLengthField(), "600");
    SetPickers(QTime(0, 0), QTime(5, 59), "900");
    QTest::mouseClick(window->AddPeriodButton(), Qt::LeftButton);
    EXPECT_EQ(counter->HolidayTariff().DefaultLength(), 600);
    EXPECT_EQ(counter->HolidayTariff().Periods().size(), 1u);
    EXPECT_EQ(counter->NormalTariff().DefaultLength(), 180);
    EXPECT_TRUE(counter->NormalTariff().Periods().empty());
}

TEST_F(TariffWindow, ThePriceIsReadAsANumberWithPointOrCommaAndOtherwiseAsZero) {
    Open();
    Type(window->PriceField(), "0.41");
    EXPECT_DOUBLE_EQ(counter->PricePerImpulse(), 0.41);
    Type(window->PriceField(), "0,25");
    EXPECT_DOUBLE_EQ(counter->PricePerImpulse(), 0.25);
    Type(window->PriceField(), "tanio");
    EXPECT_DOUBLE_EQ(counter->PricePerImpulse(), 0.0);
}

TEST_F(TariffWindow, TheUniformSwitchShowsTheNormalTariffAndLocksTheHolidaySide) {
    counter->SetFreeDays(65);
    counter->HolidayTariff().SetDefaultLength(360);
    Open();
    QTest::mouseClick(window->HolidayRadio(), Qt::LeftButton);
    ASSERT_EQ(window->DefaultLengthField()->text(), "360");

    ClickBox(window->UniformBox());
    EXPECT_TRUE(window->NormalRadio()->isChecked());
    EXPECT_EQ(window->DefaultLengthField()->text(), "180");
    EXPECT_FALSE(window->HolidayRadio()->isEnabled());
    EXPECT_FALSE(window->HolidayGroup()->isEnabled());
    EXPECT_FALSE(window->AddHolidayButton()->isEnabled());
    EXPECT_FALSE(window->WeekdayBox(0)->isEnabled());
    EXPECT_EQ(counter->FreeDays(), 65) << "the switch changes nothing in the counter";

    ClickBox(window->UniformBox());
    EXPECT_TRUE(window->HolidayRadio()->isEnabled());
    EXPECT_TRUE(window->WeekdayBox(0)->isEnabled());
    EXPECT_TRUE(window->NormalRadio()->isChecked());
}

TEST_F(TariffWindow, HolidaysAreAddedAtTheEndAndRemovedByTheirPlaceInTheList) {
    counter->AddHoliday(HolidayTime(1, 1));
    Open();
    answers = {HolidayTime(25, 12), HolidayTime(25, 12)};
    QTest::mouseClick(window->AddHolidayButton(), Qt::LeftButton);
    QTest::mouseClick(window->AddHolidayButton(), Qt::LeftButton);
    QTest::mouseClick(window->AddHolidayButton(), Qt::LeftButton); // cancelled
    EXPECT_EQ(Lines(window->HolidayList()),
              (QStringList{"01 January", "25 December", "25 December"}));
    EXPECT_EQ(counter->Holidays().size(), 3u);
    EXPECT_TRUE(counter->IsHolidayDay(MakeLocalTime(2031, 12, 25, 10, 0, 0)));

    // Without a chosen line nothing goes, and the user is told why.
    QTest::mouseClick(window->RemoveHolidayButton(), Qt::LeftButton);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Musisz wybrać święto z listy!"}));
    EXPECT_EQ(counter->Holidays().size(), 3u);

    window->HolidayList()->setCurrentRow(0);
    QTest::mouseClick(window->RemoveHolidayButton(), Qt::LeftButton);
    EXPECT_EQ(Lines(window->HolidayList()), (QStringList{"25 December", "25 December"}));
    EXPECT_EQ(counter->Holidays(),
              (std::vector<std::int64_t>{HolidayTime(25, 12), HolidayTime(25, 12)}));
    EXPECT_FALSE(counter->IsHolidayDay(MakeLocalTime(2031, 1, 1, 10, 0, 0)));
}

TEST_F(TariffWindow, DodajAsksForTheDateInTheHolidayPrompt) {
    window = std::make_unique<CTariffDialog>(Services());
    window->show();
    QString title;
    OnNextModal([&](QWidget* modal) {
        auto* prompt = qobject_cast<CHolidayPrompt*>(modal);
        ASSERT_NE(prompt, nullptr);
        title = prompt->windowTitle();
        prompt->DayList()->setCurrentIndex(10);
        prompt->MonthList()->setCurrentIndex(10);
        QTest::mouseClick(prompt->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(window->AddHolidayButton(), Qt::LeftButton);
    EXPECT_FALSE(title.isEmpty());
    EXPECT_EQ(counter->Holidays(), (std::vector<std::int64_t>{HolidayTime(11, 11)}));
    EXPECT_EQ(Lines(window->HolidayList()), (QStringList{"11 November"}));
}

TEST_F(TariffWindow, F1OpensTheTariffHelp) {
    Open();
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(help, (std::vector<int>{82}));
}

class HolidayPrompt : public CCounterWindowTest {};

TEST_F(HolidayPrompt, StartsWithoutADateAndTakesOkOnlyWithDayAndMonth) {
    CHolidayPrompt prompt;
    EXPECT_EQ(prompt.DayList()->count(), 31);
    EXPECT_EQ(prompt.MonthList()->count(), 12);
    EXPECT_EQ(prompt.DayList()->currentIndex(), -1);
    EXPECT_EQ(prompt.MonthList()->currentIndex(), -1);
    EXPECT_FALSE(prompt.OkButton()->isEnabled());

    prompt.DayList()->setCurrentIndex(24);
    EXPECT_FALSE(prompt.OkButton()->isEnabled()) << "a day without a month is no holiday";
    prompt.accept();
    EXPECT_EQ(prompt.result(), QDialog::Rejected);

    prompt.MonthList()->setCurrentIndex(11);
    EXPECT_TRUE(prompt.OkButton()->isEnabled());
    EXPECT_EQ(prompt.HolidayTime(), MakeLocalTime(2000, 12, 25, 0, 0, 0));
    prompt.accept();
    EXPECT_EQ(prompt.result(), QDialog::Accepted);
}

TEST_F(HolidayPrompt, AnImpossibleDayRollsIntoTheNextMonthAsTheCalendarDoes) {
    CHolidayPrompt prompt;
    prompt.DayList()->setCurrentIndex(30);
    prompt.MonthList()->setCurrentIndex(1); // "Luty"
    EXPECT_EQ(prompt.MonthList()->currentText(), "Luty");
    EXPECT_EQ(prompt.HolidayTime(), MakeLocalTime(2000, 3, 2, 0, 0, 0));
}

} // namespace
} // namespace murmex::test
