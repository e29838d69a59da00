#include "counter_windows/holiday_prompt.h"

#include "counter/local_time.h"
#include "counter_windows/counter_window_parts.h"
#include "counter_windows/counter_window_texts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

using namespace counter_parts;

CHolidayPrompt::CHolidayPrompt(QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextHolidayPromptTitle));

    m_days = new QComboBox;
    m_days->setAccessibleName(FromUtf8(kTextDay));
    for (int day = 1; day <= 31; ++day)
        m_days->addItem(QString::number(day));
    m_days->setCurrentIndex(-1);
    m_months = new QComboBox;
    m_months->setAccessibleName(FromUtf8(kTextMonth));
    for (std::string_view month : kMonthNames)
        m_months->addItem(FromUtf8(month));
    m_months->setCurrentIndex(-1);

    m_ok = Button(kTextOk);
    m_ok->setDefault(true);
    m_cancel = Button(kTextCancel);
    connect(m_ok, &QPushButton::clicked, this, &CHolidayPrompt::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CHolidayPrompt::reject);
    connect(m_days, &QComboBox::currentIndexChanged, this, &CHolidayPrompt::UpdateOk);
    connect(m_months, &QComboBox::currentIndexChanged, this, &CHolidayPrompt::UpdateOk);

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_days);
    lists->addWidget(m_months, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 10);
    QLabel* prompt = Label(kTextHolidayPrompt);
    prompt->setBuddy(m_days);
    layout->addWidget(prompt);
    layout->addLayout(lists);
    layout->addLayout(buttons);
    UpdateOk();
}

bool CHolidayPrompt::HasDate() const {
    return Day() > 0 && Month() > 0;
}

int CHolidayPrompt::Day() const {
    return m_days->currentIndex() + 1;
}

int CHolidayPrompt::Month() const {
    return m_months->currentIndex() + 1;
}

std::int64_t CHolidayPrompt::HolidayTime() const {
    return murmex::HolidayTime(Day(), Month());
}

void CHolidayPrompt::UpdateOk() {
    m_ok->setEnabled(HasDate());
}

void CHolidayPrompt::accept() {
    // Without a day or a month the date would fall outside the year the
    // holidays live in and match no day at all.
    if (!HasDate())
        return;
    CSkinDialog::accept();
}

} // namespace murmex
