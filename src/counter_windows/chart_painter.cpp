#include "counter_windows/chart_painter.h"

#include "ui/local_text.h"

#include <QFont>
#include <QPainter>
#include <cstdlib>

namespace murmex {

namespace {

QColor ToColor(CChartColor c) {
    return QColor(c.r, c.g, c.b);
}

QRect ToRect(const CChartRect& r) {
    // The steps' right and bottom edges are exclusive, as QRect's width counts.
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void PaintBox(QPainter& painter, const CDrawOp& op) {
    const QRect rect = ToRect(op.rect);
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.fillRect(rect, ToColor(op.color));
    if (!op.border)
        return;
    // The border lies inside the rectangle's edges, one pixel wide.
    const QColor border = ToColor(op.borderColor);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), border);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), border);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), border);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), border);
}

// Steps pixel by pixel from the first point towards the second and leaves the
// second out, so that a line continued from where another ended does not paint
// the shared corner twice. A dotted pen paints every other pixel, starting with
// the first.
void PaintLine(QPainter& painter, const CDrawOp& op) {
    const QColor color = ToColor(op.color);
    int x = op.x1;
    int y = op.y1;
    const int dx = std::abs(op.x2 - op.x1);
    const int dy = -std::abs(op.y2 - op.y1);
    const int sx = op.x1 < op.x2 ? 1 : -1;
    const int sy = op.y1 < op.y2 ? 1 : -1;
    int error = dx + dy;
    for (int step = 0; x != op.x2 || y != op.y2; ++step) {
        if (op.pen == EPenStyle::Solid || step % 2 == 0)
            painter.fillRect(QRect(x, y, 1, 1), color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void PaintText(QPainter& painter, const CDrawOp& op) {
    const QRect rect = ToRect(op.rect);
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setClipRect(rect);
    painter.setPen(Qt::black);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FromUtf8(op.text));
    painter.restore();
}

} // namespace

QFont ChartFont(const QFont& windowFont) {
    QFont font = windowFont;
    font.setPixelSize(10);
    return font;
}

QImage PaintChart(const std::vector<CDrawOp>& ops, int width, int height, const QFont& font) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font);
    for (const CDrawOp& op : ops) {
        switch (op.kind) {
        case CDrawOp::FillRect:
            PaintBox(painter, op);
            break;
        case CDrawOp::Line:
            PaintLine(painter, op);
            break;
        case CDrawOp::Text:
            PaintText(painter, op);
            break;
        }
    }
    return image;
}

} // namespace murmex
