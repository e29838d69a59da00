#pragma once

#include <QString>
#include <initializer_list>
#include <string_view>

class QBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Pieces the windows share, so that they look alike: labels that never read
// their text as markup, and the small dialogs' column and button row.
namespace murmex::dialog_parts {

// Text width of the small dialogs; their height follows the wrapped text.
inline constexpr int kTextWidth = 300;

// A label that shows its text as it is, never as markup: for the program's
// own texts and for anything that came from the network or a file.
QLabel* PlainLabel(std::string_view textUtf8 = {}, QWidget* parent = nullptr);
// The same, wrapped at the width it is given.
QLabel* WrappedLabel(std::string_view textUtf8);
// The same in bold type (titles).
QLabel* BoldLabel(std::string_view textUtf8);

// The dialog body's column with the usual margins.
QVBoxLayout* BodyColumn(QWidget* body);
// A wrapped label of the small dialogs' width.
QLabel* TextLabel(std::string_view textUtf8);
QPushButton* Button(std::string_view textUtf8);
// The buttons in a row, right-aligned, under what the column already holds.
void AddButtonRow(QBoxLayout* column, std::initializer_list<QPushButton*> buttons);

} // namespace murmex::dialog_parts
