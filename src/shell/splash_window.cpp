#include "shell/splash_window.h"

#include "session/app_texts.h"
#include "ui/local_text.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace murmex {
namespace {

// The picture covers the whole window, title strip included.
class CSplashPicture final : public QWidget {
public:
    explicit CSplashPicture(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(rect(), CSplashWindow::Picture(devicePixelRatioF()));
    }
};

void DrawBubble(QPainter& painter, const QRectF& box, const QColor& fill, bool tailLeft) {
    QPainterPath path;
    path.addRoundedRect(box, box.height() / 3, box.height() / 3);
    QPainterPath tail;
    const qreal x = tailLeft ? box.left() + box.width() * 0.22 : box.right() - box.width() * 0.22;
    const qreal dx = tailLeft ? -box.width() * 0.16 : box.width() * 0.16;
    tail.moveTo(x - 8, box.bottom() - 2);
    tail.lineTo(x + dx, box.bottom() + box.height() * 0.32);
    tail.lineTo(x + 10, box.bottom() - 2);
    tail.closeSubpath();
    painter.fillPath(path.united(tail), fill);
}

} // namespace

CSplashWindow::CSplashWindow(int showMs, QWidget* parent)
    : CSkinDialog(parent, kSkinNoCloseButton) {
    setModal(true);
    setFixedSize(kWidth, kHeight);
    m_picture = new CSplashPicture(this);
    m_picture->setGeometry(rect());
    m_picture->raise();
    // A coarse timer may fire 5% early or late; the splash is told to stay its time.
    QTimer::singleShot(std::max(0, showMs), Qt::PreciseTimer, this, &CSplashWindow::accept);
}

void CSplashWindow::resizeEvent(QResizeEvent* event) {
    CSkinDialog::resizeEvent(event);
    if (m_picture) {
        m_picture->setGeometry(rect());
        m_picture->raise();
    }
}

QImage CSplashWindow::Picture(qreal devicePixelRatio) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image(QSize(kWidth, kHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0x1d, 0x35, 0x57));
    sky.setColorAt(1, QColor(0x45, 0x7b, 0x9d));
    painter.fillRect(QRectF(0, 0, kWidth, kHeight), sky);

    // Two people talking: the program in one picture.
    DrawBubble(painter, QRectF(28, 52, 96, 56), QColor(255, 255, 255, 230), true);
    DrawBubble(painter, QRectF(70, 104, 86, 48), QColor(0xf4, 0xa2, 0x61), false);
    painter.setPen(QPen(QColor(0x1d, 0x35, 0x57), 5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        painter.drawPoint(QPointF(56 + i * 20, 80));

    QFont title(QStringLiteral("Sans Serif"));
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(170, 60, kWidth - 180, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     FromUtf8(kTextProgramName));

    QFont small(QStringLiteral("Sans Serif"));
    small.setPixelSize(13);
    painter.setFont(small);
    painter.setPen(QColor(0xe0, 0xea, 0xf2));
    painter.drawText(QRectF(172, 108, kWidth - 180, 40), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("znajomi · wiadomości\nkanały · SMS"));

    painter.setPen(QColor(255, 255, 255, 40));
    painter.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    return image;
}

} // namespace murmex
