#include "shell/tray_pictures.h"

#include "session/tray_icon_picture.h"
#include "ui/palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

namespace murmex {
namespace {

using namespace palette;

// The bubble in a 32-unit square.
void Bubble(QPainter& p, const QColor& fill) {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2, 4, 28, 18), 6, 6);
    QPainterPath tail;
    tail.moveTo(8, 21);
    tail.lineTo(15, 21);
    tail.lineTo(6, 29);
    tail.closeSubpath();
    p.setPen(QPen(fill.darker(150), 1.2));
    p.setBrush(fill);
    p.drawPath(bubble.united(tail));
    // The murmur inside: three bars like a sound wave.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(9, 11, 3, 4), 1, 1);
    p.drawRoundedRect(QRectF(14.5, 8, 3, 10), 1, 1);
    p.drawRoundedRect(QRectF(20, 10, 3, 6), 1, 1);
}

void Envelope(QPainter& p) {
    const QRectF body(14, 17, 17, 12);
    p.setPen(QPen(kEnvelopeLine, 1.2));
    p.setBrush(kEnvelopeWhite);
    p.drawRect(body);
    p.drawLine(body.topLeft(), QPointF(body.center().x(), body.center().y() + 1));
    p.drawLine(body.topRight(), QPointF(body.center().x(), body.center().y() + 1));
}

void Friend(QPainter& p) {
    p.setPen(QPen(kFriendGreen.darker(160), 1));
    p.setBrush(kFriendGreen);
    QPainterPath shoulders;
    shoulders.moveTo(15, 31);
    shoulders.cubicTo(15, 22, 31, 22, 31, 31);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setBrush(QColor(244, 200, 150));
    p.drawEllipse(QPointF(23, 19), 4.5, 4.5);
}

bool Draw(QPainter& p, int number) {
    switch (number) {
    case kTrayOffline:
        Bubble(p, kOfflineGrey);
        return true;
    case kTrayOfflineUnread:
        Bubble(p, kOfflineGrey);
        Envelope(p);
        return true;
    case kTrayLoginEven:
        Bubble(p, kLoginLight);
        return true;
    case kTrayLoginOdd:
        Bubble(p, kLoginDark);
        return true;
    case kTrayOnline:
        Bubble(p, kBrand);
        return true;
    case kTrayUnread:
        Bubble(p, kBrand);
        Envelope(p);
        return true;
    case kTrayFriendOnline:
        Bubble(p, kBrand);
        Friend(p);
        return true;
    default:
        return false;
    }
}

QPixmap Render(int number, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 32.0, side / 32.0);
    const bool known = Draw(painter, number);
    painter.end();
    return known ? pixmap : QPixmap();
}

} // namespace

QIcon TrayPicture(int number) {
    // Drawn once each: the same picture is the program's, the main bar's and,
    // over and over as the state turns, the tray's. On the UI thread only.
    static std::map<int, QIcon> drawn;
    if (const auto known = drawn.find(number); known != drawn.end())
        return known->second;
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64}) {
        const QPixmap pixmap = Render(number, side);
        if (pixmap.isNull())
            return {};
        icon.addPixmap(pixmap);
    }
    drawn.emplace(number, icon);
    return icon;
}

} // namespace murmex
