#include "counter_windows/tariff_dialog.h"

#include "counter/call_counter.h"
#include "counter/counter_format.h"
#include "counter/tariff.h"
#include "counter_windows/counter_window_parts.h"
#include "counter_windows/counter_window_texts.h"
#include "counter_windows/holiday_prompt.h"
#include "ports/ui_interfaces.h"
#include "ui/local_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace murmex {

using namespace counter_parts;

namespace {

constexpr const char* kTimeFormat = "HH:mm";

QLineEdit* LengthField(QObject* owner) {
    auto* field = new QLineEdit;
    field->setValidator(
        new QIntValidator(CTariffDialog::kMinLength, CTariffDialog::kMaxLength, owner));
    field->setMaximumWidth(80);
    return field;
}

QTimeEdit* TimePicker() {
    auto* picker = new QTimeEdit;
    picker->setDisplayFormat(kTimeFormat);
    return picker;
}

// A whole number the tariff can use, or 0 when the field holds none.
int LengthOf(const QLineEdit* field) {
    if (!field->hasAcceptableInput())
        return 0;
    return field->text().toInt();
}

QString HolidayText(std::int64_t holiday) {
    return FromLocal(FormatLocalTime("%d %B", holiday));
}

bool AskWithPrompt(QWidget* parent, std::int64_t& holiday) {
    CHolidayPrompt prompt(parent);
    if (prompt.exec() != QDialog::Accepted)
        return false;
    holiday = prompt.HolidayTime();
    return true;
}

} // namespace

CTariffDialog::CTariffDialog(const SCounterWindowServices& services, QWidget* parent)
    : CSkinDialog(parent), m_services(services), m_askHoliday(&AskWithPrompt) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextTariffTitle));

    m_uniform = new QCheckBox(FromUtf8(kTextUniform));
    m_close = Button(kTextClose);
    connect(m_close, &QPushButton::clicked, this, &CTariffDialog::accept);

    auto* sides = new QHBoxLayout;
    sides->addLayout(BuildHolidaySide(), 1);
    sides->addLayout(BuildTariffSide(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(m_uniform);
    layout->addLayout(sides);
    layout->addLayout(buttons);

    connect(m_uniform, &QCheckBox::toggled, this, &CTariffDialog::ApplyUniform);

    LoadHolidays();
    m_normal->setChecked(true);
    ApplyUniform();
    ShowSelectedTariff();
}

QLayout* CTariffDialog::BuildHolidaySide() {
    m_holidays = new QListWidget;
    m_holidays->setSelectionMode(QAbstractItemView::SingleSelection);
    m_addHoliday = Button(kTextAdd);
    m_addHoliday->setAccessibleName(FromUtf8(kTextHolidays) + " " + FromUtf8(kTextAdd));
    m_removeHoliday = Button(kTextRemove);
    m_removeHoliday->setAccessibleName(FromUtf8(kTextHolidays) + " " + FromUtf8(kTextRemove));
    connect(m_addHoliday, &QPushButton::clicked, this, &CTariffDialog::AddHoliday);
    connect(m_removeHoliday, &QPushButton::clicked, this, &CTariffDialog::RemoveHoliday);

    auto* holidayButtons = new QVBoxLayout;
    holidayButtons->addWidget(m_addHoliday);
    holidayButtons->addWidget(m_removeHoliday);
    holidayButtons->addStretch();
    auto* holidayRow = new QHBoxLayout;
    holidayRow->addWidget(m_holidays, 1);
    holidayRow->addLayout(holidayButtons);

    auto* weekdays = new QGridLayout;
    for (std::size_t w = 0; w < m_weekdays.size(); ++w) {
        m_weekdays[w] = new QCheckBox(FromUtf8(kWeekdayNames[w]));
        m_weekdays[w]->setChecked(m_services.counter.IsFreeWeekday(static_cast<int>(w)));
        connect(m_weekdays[w], &QCheckBox::clicked, this, &CTariffDialog::WeekdayClicked);
        // Monday first on screen, as a Polish calendar reads; the bits stay Sunday first.
        const int position = (static_cast<int>(w) + 6) % 7;
        weekdays->addWidget(m_weekdays[w], position / 2, position % 2);
    }

    auto* column = new QVBoxLayout;
    column->addWidget(LabelFor(kTextHolidays, m_holidays));
    column->addLayout(holidayRow);
    column->addWidget(Label(kTextFreeWeekdays));
    column->addLayout(weekdays);
    m_holidayGroup = Group(kTextHolidayGroup, column);

    auto* side = new QVBoxLayout;
    side->addWidget(m_holidayGroup);
    return side;
}

QLayout* CTariffDialog::BuildTariffSide() {
    m_normal = new QRadioButton(FromUtf8(kTextNormalTariff));
    m_holiday = new QRadioButton(FromUtf8(kTextHolidayTariff));
    auto* tariffs = new QButtonGroup(this);
    tariffs->addButton(m_normal);
    tariffs->addButton(m_holiday);
    connect(m_normal, &QRadioButton::clicked, this, &CTariffDialog::ShowSelectedTariff);
    connect(m_holiday, &QRadioButton::clicked, this, &CTariffDialog::ShowSelectedTariff);

    m_price = new QLineEdit;
    m_price->setMaximumWidth(80);
    connect(m_price, &QLineEdit::textEdited, this, &CTariffDialog::PriceEdited);
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(LabelFor(kTextPrice, m_price));
    priceRow->addWidget(m_price);
    priceRow->addStretch();

    m_defaultLength = LengthField(this);
    connect(m_defaultLength, &QLineEdit::textEdited, this, &CTariffDialog::DefaultLengthEdited);
    auto* normalRow = new QHBoxLayout;
    normalRow->addWidget(LabelFor(kTextImpulseEvery, m_defaultLength));
    normalRow->addWidget(m_defaultLength);
    normalRow->addStretch();
    m_defaultLength->setAccessibleName(FromUtf8(kTextNormalHours) + ": " +
                                       FromUtf8(kTextImpulseEvery));

    m_from = TimePicker();
    m_to = TimePicker();
    m_periodLength = LengthField(this);
    m_addPeriod = Button(kTextAdd);
    m_addPeriod->setAccessibleName(FromUtf8(kTextOtherHoursGroup) + " " + FromUtf8(kTextAdd));
    m_removePeriod = Button(kTextRemove);
    m_removePeriod->setAccessibleName(FromUtf8(kTextOtherHoursGroup) + " " + FromUtf8(kTextRemove));
    m_periods = new QListWidget;
    m_periods->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_addPeriod, &QPushButton::clicked, this, [this] { ApplyPeriod(false); });
    connect(m_removePeriod, &QPushButton::clicked, this, [this] { ApplyPeriod(true); });
    connect(m_periods, &QListWidget::currentRowChanged, this, &CTariffDialog::PeriodChosen);
    connect(m_periodLength, &QLineEdit::textChanged, this, &CTariffDialog::UpdatePeriodButtons);

    auto* pickers = new QGridLayout;
    pickers->addWidget(LabelFor(kTextFrom, m_from), 0, 0);
    pickers->addWidget(m_from, 0, 1);
    pickers->addWidget(LabelFor(kTextTo, m_to), 0, 2);
    pickers->addWidget(m_to, 0, 3);
    pickers->addWidget(LabelFor(kTextImpulseEvery, m_periodLength), 1, 0, 1, 3);
    pickers->addWidget(m_periodLength, 1, 3);
    m_periodLength->setAccessibleName(FromUtf8(kTextPeriodLength));
    auto* periodButtons = new QHBoxLayout;
    periodButtons->addStretch();
    periodButtons->addWidget(m_addPeriod);
    periodButtons->addWidget(m_removePeriod);
    auto* other = new QVBoxLayout;
    other->addLayout(pickers);
    other->addLayout(periodButtons);
    other->addWidget(LabelFor(kTextOtherHoursList, m_periods));
    other->addWidget(m_periods, 1);

    auto* radios = new QHBoxLayout;
    radios->addWidget(m_normal);
    radios->addWidget(m_holiday);
    radios->addStretch();
    auto* side = new QVBoxLayout;
    side->addLayout(radios);
    side->addLayout(priceRow);
    side->addWidget(Group(kTextNormalHours, normalRow));
    side->addWidget(Group(kTextOtherHoursGroup, other), 1);
    return side;
}

Tariff& CTariffDialog::SelectedTariff() const {
    CallCounter& counter = m_services.counter;
    return m_holiday->isChecked() ? counter.HolidayTariff() : counter.NormalTariff();
}

void CTariffDialog::LoadHolidays() {
    m_holidays->clear();
    for (std::int64_t holiday : m_services.counter.Holidays())
        m_holidays->addItem(HolidayText(holiday));
}

// A tariff the same on every day: the holiday side has nothing to say then. The
// counter's free days and holidays stay as they are.
void CTariffDialog::ApplyUniform() {
    const bool uniform = m_uniform->isChecked();
    m_holidayGroup->setEnabled(!uniform);
    m_holiday->setEnabled(!uniform);
    if (!uniform)
        return;
    m_normal->setChecked(true);
    ShowSelectedTariff();
}

void CTariffDialog::ShowSelectedTariff() {
    const Tariff& tariff = SelectedTariff();
    m_price->setText(QString::fromStdString(FormatC("%.2f", m_services.counter.PricePerImpulse())));
    m_defaultLength->setText(QString::number(tariff.DefaultLength()));
    const std::vector<TariffPeriod> periods = tariff.Periods();
    {
        // Rebuilding the list must not count as the user choosing its lines.
        const QSignalBlocker blocker(m_periods);
        m_periods->clear();
        for (const TariffPeriod& period : periods)
            m_periods->addItem(QString::fromStdString(Tariff::PeriodListText(period)));
    }
    if (!periods.empty())
        PeriodChosen(0);
    UpdatePeriodButtons();
}

void CTariffDialog::PriceEdited() {
    // The program's own numbers use a point, but a Polish keyboard user types a
    // comma; both mean the same price. Anything that is no number reads as 0.
    QString text = m_price->text().trimmed();
    text.replace(',', '.');
    m_services.counter.SetPricePerImpulse(LeadingDouble(text.toStdString()));
}

void CTariffDialog::DefaultLengthEdited() {
    // While the field holds no usable length the tariff keeps the last one.
    const int length = LengthOf(m_defaultLength);
    if (length > 0)
        SelectedTariff().SetDefaultLength(length);
}

void CTariffDialog::ApplyPeriod(bool remove) {
    const int length = remove ? 0 : LengthOf(m_periodLength);
    if (!remove && length <= 0)
        return;
    const QTime from = m_from->time();
    const QTime to = m_to->time();
    SelectedTariff().SetRange(Tariff::RangeText(from.hour(), from.minute(), to.hour(), to.minute()),
                              length);
    ShowSelectedTariff();
}

void CTariffDialog::PeriodChosen(int row) {
    const std::vector<TariffPeriod> periods = SelectedTariff().Periods();
    if (row < 0 || row >= static_cast<int>(periods.size()))
        return;
    const TariffPeriod& period = periods[static_cast<std::size_t>(row)];
    m_from->setTime(QTime(period.startHour, period.startMinute));
    m_to->setTime(QTime(period.endHour, period.endMinute));
    m_periodLength->setText(QString::number(period.length));
}

void CTariffDialog::UpdatePeriodButtons() {
    m_addPeriod->setEnabled(LengthOf(m_periodLength) > 0);
}

void CTariffDialog::WeekdayClicked() {
    int bits = 0;
    for (std::size_t w = 0; w < m_weekdays.size(); ++w)
        if (m_weekdays[w]->isChecked())
            bits |= 1 << w;
    m_services.counter.SetFreeDays(bits);
}

void CTariffDialog::AddHoliday() {
    std::int64_t holiday = 0;
    if (!m_askHoliday || !m_askHoliday(this, holiday))
        return;
    m_services.counter.AddHoliday(holiday);
    m_holidays->addItem(HolidayText(holiday));
}

void CTariffDialog::RemoveHoliday() {
    QListWidgetItem* item = m_holidays->currentItem();
    const int row = m_holidays->currentRow();
    if (!item || !item->isSelected() || row < 0) {
        m_services.messageBox.ShowMessage(kTextMustChooseHoliday);
        return;
    }
    if (!m_services.counter.RemoveHoliday(row))
        return;
    delete m_holidays->takeItem(row);
    // The view moves the current line on by itself; the next removal must be chosen.
    m_holidays->clearSelection();
}

void CTariffDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_services.OpenHelp(kHelpTopic);
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

} // namespace murmex
