#include "counter_windows/call_list_dialog.h"

#include "counter/billing_report.h"
#include "counter/call_counter.h"
#include "counter/counter_format.h"
#include "counter/local_time.h"
#include "counter_windows/counter_window_parts.h"
#include "counter_windows/counter_window_texts.h"
#include "counter_windows/statistics_dialog.h"
#include "counter_windows/tariff_dialog.h"
#include "platform/clock.h"
#include "ui/local_text.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace murmex {

using namespace counter_parts;

namespace {

constexpr int kColumns = 5;
constexpr const char* kDateFormat = "dd.MM.yyyy";

int YearOf(std::int64_t time) {
    std::tm tm{};
    return LocalTm(time, tm) ? tm.tm_year + 1900 : 0;
}

int MonthOf(std::int64_t time) {
    std::tm tm{};
    return LocalTm(time, tm) ? tm.tm_mon + 1 : 0;
}

QDateTimeEdit* DatePicker() {
    auto* picker = new QDateTimeEdit;
    // The picker shows the day but keeps the time of day it was given: a month
    // runs to 23:59:59 of its last day, and a new "do" day keeps that.
    picker->setDisplayFormat(kDateFormat);
    picker->setCalendarPopup(true);
    // The log holds 32-bit time values.
    picker->setDateTimeRange(QDateTime(QDate(1970, 1, 2), QTime(0, 0)),
                             QDateTime(QDate(2037, 12, 31), QTime(23, 59, 59)));
    return picker;
}

QLineEdit* SumField() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setMaximumWidth(100);
    return field;
}

} // namespace

CCallListDialog::CCallListDialog(const SCounterWindowServices& services, QWidget* parent)
    : CSkinDialog(parent), m_services(services) {
    setWindowTitle(FromUtf8(kTextCallListTitle));
    BuildControls();
    FillYears();

    const std::int64_t now = m_services.clock.WallSeconds();
    SelectMonth(MonthOf(now), YearOf(now));
}

CCallListDialog* CCallListDialog::Open(const SCounterWindowServices& services, QWidget* parent) {
    auto* window = new CCallListDialog(services, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

void CCallListDialog::BuildControls() {
    m_calls = new QTreeWidget;
    m_calls->setAccessibleName(FromUtf8(kTextCallListTitle));
    m_calls->setRootIsDecorated(false);
    m_calls->setUniformRowHeights(true);
    m_calls->setColumnCount(kColumns);
    m_calls->setHeaderLabels({FromUtf8(kTextColumnDate), FromUtf8(kTextColumnTime),
                              FromUtf8(kTextColumnDuration), FromUtf8(kTextColumnImpulses),
                              FromUtf8(kTextColumnCost)});
    m_calls->header()->setStretchLastSection(false);
    for (int column = 0; column < kColumns; ++column)
        m_calls->setColumnWidth(column, kColumnWidth);
    m_calls->setMinimumWidth(kColumns * kColumnWidth + 2 * m_calls->frameWidth() + 20);
    m_calls->setMinimumHeight(180);

    m_from = DatePicker();
    m_to = DatePicker();
    m_months = new QComboBox;
    for (std::string_view month : kMonthNames)
        m_months->addItem(FromUtf8(month));
    m_months->setAccessibleName(FromUtf8(kTextMonthList));
    m_years = new QComboBox;
    m_years->setAccessibleName(FromUtf8(kTextYearList));
    connect(m_from, &QDateTimeEdit::dateTimeChanged, this, &CCallListDialog::PickersChanged);
    connect(m_to, &QDateTimeEdit::dateTimeChanged, this, &CCallListDialog::PickersChanged);
    connect(m_months, &QComboBox::currentIndexChanged, this, &CCallListDialog::ListsChanged);
    connect(m_years, &QComboBox::currentIndexChanged, this, &CCallListDialog::ListsChanged);

    auto* period = new QGridLayout;
    period->addWidget(LabelFor(kTextFrom, m_from), 0, 0);
    period->addWidget(m_from, 0, 1);
    period->addWidget(LabelFor(kTextTo, m_to), 1, 0);
    period->addWidget(m_to, 1, 1);
    period->addWidget(Label(kTextWholeMonth), 2, 0, 1, 2);
    auto* monthRow = new QHBoxLayout;
    monthRow->addWidget(m_months, 1);
    monthRow->addWidget(m_years);
    period->addLayout(monthRow, 3, 0, 1, 2);

    m_sumTime = SumField();
    m_sumCost = SumField();
    m_sumImpulses = SumField();
    auto* sums = new QGridLayout;
    sums->addWidget(LabelFor(kTextSumTime, m_sumTime), 0, 0);
    sums->addWidget(m_sumTime, 0, 1);
    sums->addWidget(LabelFor(kTextSumCost, m_sumCost), 1, 0);
    sums->addWidget(m_sumCost, 1, 1);
    sums->addWidget(LabelFor(kTextSumImpulses, m_sumImpulses), 2, 0);
    sums->addWidget(m_sumImpulses, 2, 1);
    sums->setRowStretch(3, 1);

    m_report = Button(kTextReport);
    m_statistics = Button(kTextStatistics);
    m_settings = Button(kTextSettings);
    m_close = Button(kTextClose);
    connect(m_report, &QPushButton::clicked, this, &CCallListDialog::ProduceReport);
    connect(m_statistics, &QPushButton::clicked, this, &CCallListDialog::OpenStatistics);
    connect(m_settings, &QPushButton::clicked, this, &CCallListDialog::OpenSettings);
    connect(m_close, &QPushButton::clicked, this, &CCallListDialog::close);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_report);
    buttons->addWidget(m_statistics);
    buttons->addWidget(m_settings);
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto* lower = new QHBoxLayout;
    lower->addWidget(Group(kTextPeriodGroup, period));
    lower->addWidget(Group(kTextSumGroup, sums));
    lower->addLayout(buttons);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(m_calls, 1);
    layout->addLayout(lower);
}

// The years from 1990 on, up to this year or the newest call's year, whichever
// is later, so that today's month can always be chosen. The year y sits at
// index y - 1990.
void CCallListDialog::FillYears() {
    int last = YearOf(m_services.clock.WallSeconds());
    const CallLog& log = m_services.counter.Log();
    if (log.Count() > 0)
        last = std::max(last, YearOf(log.Record(log.Count() - 1).start));
    const QSignalBlocker blocker(m_years);
    m_years->clear();
    EnsureYear(std::max(last, kFirstYear));
}

void CCallListDialog::EnsureYear(int year) {
    const QSignalBlocker blocker(m_years);
    for (int y = kFirstYear + m_years->count(); y <= year; ++y)
        m_years->addItem(QString::number(y));
}

void CCallListDialog::SelectMonth(int month, int year) {
    if (month < 1 || month > 12 || year < kFirstYear)
        return;
    const CPeriod period = MonthPeriod(year, month);
    EnsureYear(year);
    {
        const QSignalBlocker monthBlocker(m_months);
        const QSignalBlocker yearBlocker(m_years);
        const QSignalBlocker fromBlocker(m_from);
        const QSignalBlocker toBlocker(m_to);
        m_months->setCurrentIndex(month - 1);
        m_years->setCurrentIndex(year - kFirstYear);
        m_from->setDateTime(ToDateTime(period.start));
        m_to->setDateTime(ToDateTime(period.end));
    }
    ShowPeriod(period.start, period.end);
}

void CCallListDialog::ListsChanged() {
    const int month = m_months->currentIndex() + 1;
    const int year = m_years->currentIndex() + kFirstYear;
    if (month < 1 || m_years->currentIndex() < 0)
        return;
    SelectMonth(month, year);
}

void CCallListDialog::PickersChanged() {
    const std::int64_t start = FromDateTime(m_from->dateTime());
    const std::int64_t end = FromDateTime(m_to->dateTime());
    const int year = YearOf(start);
    EnsureYear(year);
    {
        const QSignalBlocker monthBlocker(m_months);
        const QSignalBlocker yearBlocker(m_years);
        m_months->setCurrentIndex(MonthOf(start) - 1);
        // Before the first year of the list no year is shown.
        m_years->setCurrentIndex(year >= kFirstYear ? year - kFirstYear : -1);
    }
    ShowPeriod(start, end);
}

void CCallListDialog::ShowPeriod(std::int64_t start, std::int64_t end) {
    m_start = start;
    m_end = end;
    CallLog& log = m_services.counter.Log();
    log.Select(start, end);

    m_calls->clear();
    QList<QTreeWidgetItem*> items;
    for (const CCallRow& row : log.ListRows()) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, FromUtf8(row.date));
        item->setText(1, FromUtf8(row.time));
        item->setText(2, FromUtf8(row.duration));
        item->setText(3, FromUtf8(row.impulses));
        item->setText(4, FromUtf8(row.cost));
        items.append(item);
    }
    m_calls->addTopLevelItems(items);

    m_sumTime->setText(FromUtf8(FormatSpan(log.TotalDuration())));
    m_sumCost->setText(FromUtf8(FormatMoney(log.TotalCost())));
    m_sumImpulses->setText(QString::number(log.TotalImpulses()));
}

void CCallListDialog::ProduceReport() {
    // The log has one selection for every window that looks at it (another call
    // list, the charts); the report is of the period this window shows.
    CallLog& log = m_services.counter.Log();
    log.Select(m_start, m_end);
    ProduceBillingReport(log, m_services.shell);
}

void CCallListDialog::OpenStatistics() {
    CStatisticsDialog dialog(m_services, this);
    dialog.exec();
}

void CCallListDialog::OpenSettings() {
    CTariffDialog dialog(m_services, this);
    dialog.exec();
}

void CCallListDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_services.OpenHelp(kHelpTopic);
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

} // namespace murmex
