#include "counter_windows/counter_window_parts.h"

#include "counter/local_time.h"
#include "ui/local_text.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <ctime>

namespace murmex::counter_parts {

QLabel* Label(std::string_view textUtf8) {
    auto* label = new QLabel(FromUtf8(textUtf8));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* LabelFor(std::string_view textUtf8, QWidget* buddy) {
    QLabel* label = Label(textUtf8);
    label->setBuddy(buddy);
    buddy->setAccessibleName(label->text());
    return label;
}

QPushButton* Button(std::string_view textUtf8) {
    auto* button = new QPushButton(FromUtf8(textUtf8));
    button->setAutoDefault(false);
    return button;
}

QGroupBox* Group(std::string_view titleUtf8, QLayout* content) {
    auto* group = new QGroupBox(FromUtf8(titleUtf8));
    group->setLayout(content);
    return group;
}

QDateTime ToDateTime(std::int64_t time) {
    std::tm tm{};
    if (!LocalTm(time, tm))
        return QDateTime(QDate(1990, 1, 1), QTime(0, 0));
    return QDateTime(QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
                     QTime(tm.tm_hour, tm.tm_min, tm.tm_sec));
}

std::int64_t FromDateTime(const QDateTime& value) {
    const QDate date = value.date();
    const QTime time = value.time();
    return MakeLocalTime(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                         time.second());
}

} // namespace murmex::counter_parts
