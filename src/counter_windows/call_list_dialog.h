#pragma once

#include "counter_windows/counter_window_services.h"
#include "ui/skin_dialog.h"

#include <cstdint>

class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace murmex {

// The call list: the logged calls of a month, or of any two dates, with their
// totals, and the way to the billing report, the charts and the settings. Not
// modal; every use of the menu entry opens one more.
class CCallListDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 263;
    static constexpr int kHelpTopic = 53;
    static constexpr int kColumnWidth = 80;
    static constexpr int kFirstYear = 1990;

    explicit CCallListDialog(const SCounterWindowServices& services, QWidget* parent = nullptr);

    // A new window on the month of today, shown, deleted when it is closed.
    static CCallListDialog* Open(const SCounterWindowServices& services, QWidget* parent);

    // The period on show: every call with start > PeriodStart and <= PeriodEnd.
    std::int64_t PeriodStart() const { return m_start; }
    std::int64_t PeriodEnd() const { return m_end; }

    // Month 1-12 of a year, as choosing them in the lists does.
    void SelectMonth(int month, int year);
    // "Wykaz": the report of the period on show, written and handed to the desktop.
    void ProduceReport();
    // "Statystyki" and "Ustawienia": modal, over this window.
    void OpenStatistics();
    void OpenSettings();

    QTreeWidget* CallList() const { return m_calls; }
    QDateTimeEdit* FromPicker() const { return m_from; }
    QDateTimeEdit* ToPicker() const { return m_to; }
    QComboBox* MonthList() const { return m_months; }
    QComboBox* YearList() const { return m_years; }
    QLineEdit* TimeField() const { return m_sumTime; }
    QLineEdit* CostField() const { return m_sumCost; }
    QLineEdit* ImpulsesField() const { return m_sumImpulses; }
    QPushButton* ReportButton() const { return m_report; }
    QPushButton* StatisticsButton() const { return m_statistics; }
    QPushButton* SettingsButton() const { return m_settings; }
    QPushButton* CloseButton() const { return m_close; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void FillYears();
    void EnsureYear(int year);
    void ListsChanged();
    void PickersChanged();
    void ShowPeriod(std::int64_t start, std::int64_t end);

    SCounterWindowServices m_services;
    std::int64_t m_start = 0;
    std::int64_t m_end = 0;

    QTreeWidget* m_calls = nullptr;
    QDateTimeEdit* m_from = nullptr;
    QDateTimeEdit* m_to = nullptr;
    QComboBox* m_months = nullptr;
    QComboBox* m_years = nullptr;
    QLineEdit* m_sumTime = nullptr;
    QLineEdit* m_sumCost = nullptr;
    QLineEdit* m_sumImpulses = nullptr;
    QPushButton* m_report = nullptr;
    QPushButton* m_statistics = nullptr;
    QPushButton* m_settings = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace murmex
