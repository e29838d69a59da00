#pragma once

#include "ui/skin_dialog.h"

#include <cstdint>

class QComboBox;
class QPushButton;

namespace murmex {

// Asks for the day and month of a holiday, which then recurs every year.
class CHolidayPrompt : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 290;

    explicit CHolidayPrompt(QWidget* parent = nullptr);

    QComboBox* DayList() const { return m_days; }
    QComboBox* MonthList() const { return m_months; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // Both lists start without a choice, and a holiday needs both: OK waits for them.
    bool HasDate() const;
    int Day() const;   // 1-31, 0 without a choice
    int Month() const; // 1-12, 0 without a choice
    // Local midnight of the chosen day in the year 2000, the form in which the
    // counter keeps holidays; 31 "Luty" rolls over into March as the calendar does.
    std::int64_t HolidayTime() const;

    void accept() override;

private:
    void UpdateOk();

    QComboBox* m_days = nullptr;
    QComboBox* m_months = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace murmex
