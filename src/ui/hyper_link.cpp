#include "ui/hyper_link.h"

#include "ports/ui_interfaces.h"

#include <QMouseEvent>
#include <QPainter>

namespace murmex {
namespace {

constexpr int kTextX = 5;
constexpr int kTextY = 5;

} // namespace

CHyperLink::CHyperLink(IDesktopShell& shell, const QString& text, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_text(text) {
    setCursor(Qt::PointingHandCursor);
}

void CHyperLink::SetText(const QString& text) {
    m_text = text;
    updateGeometry();
    update();
}

QString CHyperLink::Url() const {
    return QStringLiteral("http://") + m_text;
}

QSize CHyperLink::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(m_text) + 2 * kTextX, metrics.height() + 2 * kTextY};
}

void CHyperLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.setPen(QColor(0, 0, 255));
    painter.drawText(QRect(kTextX, kTextY, width() - kTextX, height() - kTextY),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (!click || m_text.isEmpty())
        return;
    const bool success = m_shell.OpenDocument(Url().toStdString());
    emit Opened(success);
}

} // namespace murmex
