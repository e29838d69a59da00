#include "wizards/wrapped_check.h"

#include "ui/local_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace murmex {

CWrappedCheck::CWrappedCheck(std::string_view textUtf8, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_box = new QCheckBox;
    m_box->setAccessibleName(FromUtf8(textUtf8));
    m_text = new QLabel(FromUtf8(textUtf8));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    row->addWidget(m_box, 0, Qt::AlignTop);
    row->addWidget(m_text, 1);
}

void CWrappedCheck::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        m_text->geometry().contains(event->position().toPoint()))
        m_box->click();
    QWidget::mouseReleaseEvent(event);
}

} // namespace murmex
