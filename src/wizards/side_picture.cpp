#include "wizards/side_picture.h"

#include "session/app_texts.h"
#include "ui/local_text.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace murmex {

CWizardSidePicture::CWizardSidePicture(QWidget* parent) : QWidget(parent) {
    setFixedWidth(kWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void CWizardSidePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();

    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(16, 32, 72));
    sky.setColorAt(0.6, QColor(40, 88, 160));
    sky.setColorAt(1.0, QColor(250, 176, 64));
    painter.fillRect(area, sky);

    // Three soft waves across the lower part: the murmur in the name.
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const qreal base = area.height() * (0.62 + 0.1 * i);
        wave.moveTo(0, base);
        wave.cubicTo(area.width() * 0.3, base - 18, area.width() * 0.6, base + 18, area.width(),
                     base - 4);
        QColor line(255, 255, 255, 150 - 40 * i);
        painter.setPen(QPen(line, 3 - i));
        painter.drawPath(wave);
    }

    // Two speech bubbles: people talking.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawEllipse(QRectF(18, 26, 48, 34));
    painter.setBrush(QColor(250, 176, 64, 230));
    painter.drawEllipse(QRectF(46, 50, 44, 30));

    // The name, bottom to top.
    painter.save();
    painter.translate(area.width() / 2 + 10, area.height() - 16);
    painter.rotate(-90);
    QFont font = this->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 2.2);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 235));
    painter.drawText(QPointF(0, 0), FromUtf8(kTextProgramName));
    painter.restore();
}

} // namespace murmex
