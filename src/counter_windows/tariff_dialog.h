#pragma once

#include "counter_windows/counter_window_services.h"
#include "ui/skin_dialog.h"

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace murmex {

class Tariff;

// The counter's settings: free weekdays and holidays, and per tariff (normal
// or holiday) the default impulse length and the hours that differ from it.
// Every change goes into the call counter at once; the counter writes its
// settings with the next call that ends.
class CTariffDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 286;
    static constexpr int kHelpTopic = 82;
    // The minute table holds 16-bit lengths; 0 would charge an impulse every second.
    static constexpr int kMinLength = 1;
    static constexpr int kMaxLength = 0xFFFF;

    explicit CTariffDialog(const SCounterWindowServices& services, QWidget* parent = nullptr);

    QCheckBox* UniformBox() const { return m_uniform; }
    QGroupBox* HolidayGroup() const { return m_holidayGroup; }
    QListWidget* HolidayList() const { return m_holidays; }
    QPushButton* AddHolidayButton() const { return m_addHoliday; }
    QPushButton* RemoveHolidayButton() const { return m_removeHoliday; }
    QCheckBox* WeekdayBox(int weekday) const {
        return m_weekdays[static_cast<std::size_t>(weekday)];
    }
    QRadioButton* NormalRadio() const { return m_normal; }
    QRadioButton* HolidayRadio() const { return m_holiday; }
    QLineEdit* PriceField() const { return m_price; }
    QLineEdit* DefaultLengthField() const { return m_defaultLength; }
    QTimeEdit* FromPicker() const { return m_from; }
    QTimeEdit* ToPicker() const { return m_to; }
    QLineEdit* PeriodLengthField() const { return m_periodLength; }
    QPushButton* AddPeriodButton() const { return m_addPeriod; }
    QPushButton* RemovePeriodButton() const { return m_removePeriod; }
    QListWidget* PeriodList() const { return m_periods; }
    QPushButton* CloseButton() const { return m_close; }

    // The tariff that the right-hand side shows and edits.
    Tariff& SelectedTariff() const;

    // "Dodaj" under the holidays runs the prompt; tests (and the gallery)
    // replace it. Returns false when the user cancelled.
    using HolidayAsker = std::function<bool(QWidget* parent, std::int64_t& holiday)>;
    void SetHolidayAsker(HolidayAsker asker) { m_askHoliday = std::move(asker); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLayout* BuildHolidaySide();
    QLayout* BuildTariffSide();
    void LoadHolidays();
    void ApplyUniform();
    void ShowSelectedTariff();
    void PriceEdited();
    void DefaultLengthEdited();
    void ApplyPeriod(bool remove);
    void PeriodChosen(int row);
    void WeekdayClicked();
    void AddHoliday();
    void RemoveHoliday();
    void UpdatePeriodButtons();

    SCounterWindowServices m_services;
    HolidayAsker m_askHoliday;

    QCheckBox* m_uniform = nullptr;
    QGroupBox* m_holidayGroup = nullptr;
    QListWidget* m_holidays = nullptr;
    QPushButton* m_addHoliday = nullptr;
    QPushButton* m_removeHoliday = nullptr;
    std::array<QCheckBox*, 7> m_weekdays{};
    QRadioButton* m_normal = nullptr;
    QRadioButton* m_holiday = nullptr;
    QLineEdit* m_price = nullptr;
    QLineEdit* m_defaultLength = nullptr;
    QTimeEdit* m_from = nullptr;
    QTimeEdit* m_to = nullptr;
    QLineEdit* m_periodLength = nullptr;
    QPushButton* m_addPeriod = nullptr;
    QPushButton* m_removePeriod = nullptr;
    QListWidget* m_periods = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace murmex
