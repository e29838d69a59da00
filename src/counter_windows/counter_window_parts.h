#pragma once

#include <QDateTime>
#include <cstdint>
#include <string_view>

class QGroupBox;
class QLabel;
class QLayout;
class QPushButton;
class QWidget;

// Pieces the counter's windows share, so that they look alike, and the one
// crossing between the counter's time values and the date pickers.
namespace murmex::counter_parts {

QLabel* Label(std::string_view textUtf8);
// A label that names the control after it for screen readers and mnemonics.
QLabel* LabelFor(std::string_view textUtf8, QWidget* buddy);
QPushButton* Button(std::string_view textUtf8);
QGroupBox* Group(std::string_view titleUtf8, QLayout* content);

// The counter reckons days and months in the C library's local time (the TZ
// environment), so the pickers are filled and read through the same calendar.
QDateTime ToDateTime(std::int64_t time);
std::int64_t FromDateTime(const QDateTime& value);

} // namespace murmex::counter_parts
