#include "ui/dialog_parts.h"

#include "ui/local_text.h"
#include "ui/wrapped_note.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex::dialog_parts {

QLabel* PlainLabel(std::string_view textUtf8, QWidget* parent) {
    auto* label = new QLabel(FromUtf8(textUtf8), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* WrappedLabel(std::string_view textUtf8) {
    return new CWrappedNote(FromUtf8(textUtf8));
}

QLabel* BoldLabel(std::string_view textUtf8) {
    QLabel* label = PlainLabel(textUtf8);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QVBoxLayout* BodyColumn(QWidget* body) {
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(16, 14, 16, 12);
    column->setSpacing(10);
    return column;
}

QLabel* TextLabel(std::string_view textUtf8) {
    QLabel* label = WrappedLabel(textUtf8);
    label->setMinimumWidth(kTextWidth);
    return label;
}

QPushButton* Button(std::string_view textUtf8) {
    auto* button = new QPushButton(FromUtf8(textUtf8));
    button->setMinimumWidth(75);
    return button;
}

void AddButtonRow(QBoxLayout* column, std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    column->addLayout(row);
}

} // namespace murmex::dialog_parts
