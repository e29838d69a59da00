#pragma once

#include <QString>
#include <initializer_list>
#include <string_view>

class QBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Pieces the small start-up and shutdown dialogs share, so that they look alike.
namespace murmex::dialog_parts {

// Text width of the small dialogs; their height follows the wrapped text.
inline constexpr int kTextWidth = 300;

// The dialog body's column with the usual margins.
QVBoxLayout* BodyColumn(QWidget* body);
// A wrapped label of the program's own text (never read as markup).
QLabel* TextLabel(std::string_view textUtf8);
QPushButton* Button(std::string_view textUtf8);
// The buttons in a row, right-aligned, under what the column already holds.
void AddButtonRow(QBoxLayout* column, std::initializer_list<QPushButton*> buttons);

} // namespace murmex::dialog_parts
