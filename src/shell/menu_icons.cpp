#include "shell/menu_icons.h"

#include "ui/palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QString>
#include <cmath>
#include <numbers>

namespace murmex {
namespace {

using namespace palette;

void Person(QPainter& p, QPointF at, qreal scale, const QColor& body) {
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(body);
    QPainterPath shoulders;
    shoulders.moveTo(at.x() - 4.5 * scale, at.y() + 7 * scale);
    shoulders.cubicTo(at.x() - 4.5 * scale, at.y() + 2.5 * scale, at.x() + 4.5 * scale,
                      at.y() + 2.5 * scale, at.x() + 4.5 * scale, at.y() + 7 * scale);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setBrush(kIconSkin);
    p.drawEllipse(QPointF(at.x(), at.y()), 2.6 * scale, 2.6 * scale);
}

void DrawFriends(QPainter& p) {
    Person(p, {10.5, 5}, 0.95, kBrandDark);
    Person(p, {5.5, 7}, 1.0, kBrand);
}

void DrawUser(QPainter& p) {
    Person(p, {8, 5.5}, 1.2, kBrand);
}

void DrawChannels(QPainter& p) {
    // Two speech bubbles: a conversation among many.
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(QColor(200, 220, 245));
    p.drawRoundedRect(QRectF(6.5, 1.5, 8.5, 6.5), 2, 2);
    p.setBrush(kBrand);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1, 6, 10, 7), 2, 2);
    QPainterPath tail;
    tail.moveTo(3, 12.5);
    tail.lineTo(6, 12.5);
    tail.lineTo(2.5, 15.5);
    tail.closeSubpath();
    p.drawPath(bubble.united(tail));
}

void DrawHelp(QPainter& p) {
    p.setPen(QPen(kBrandDark, 0.8));
    p.setBrush(kBrand);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawCounter(QPainter& p) {
    // A clock face: the counter times calls.
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(kBrandDark, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    p.setPen(QPen(kIconRed, 0.9));
    p.drawPoint(QPointF(8, 8));
}

void DrawOptions(QPainter& p) {
    // A cog wheel.
    QPainterPath cog;
    const QPointF centre(8, 8);
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal angle = std::numbers::pi * i / teeth;
        const qreal radius = (i % 2 == 0) ? 7.2 : 5.4;
        const QPointF point(centre.x() + radius * std::cos(angle),
                            centre.y() + radius * std::sin(angle));
        if (i == 0)
            cog.moveTo(point);
        else
            cog.lineTo(point);
    }
    cog.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, 2.2, 2.2);
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(QColor(150, 150, 160));
    p.drawPath(cog.subtracted(hole));
}

void DrawPlug(QPainter& p, bool connected) {
    // A plug and a socket, joined or pulled apart.
    const qreal gap = connected ? 0 : 3;
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(connected ? kIconGreen : QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(1, 5, 5.5 - gap / 2, 6), 1, 1);
    p.drawRoundedRect(QRectF(9.5 + gap / 2, 5, 5.5 - gap / 2, 6), 1, 1);
    p.setPen(QPen(kIconOutline, 1.2));
    p.drawLine(QPointF(6.5 - gap / 2, 6.8), QPointF(9.5 + gap / 2, 6.8));
    p.drawLine(QPointF(6.5 - gap / 2, 9.2), QPointF(9.5 + gap / 2, 9.2));
    if (connected)
        return;
    p.setPen(QPen(kIconRed, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 1.5), QPointF(10.5, 14.5));
}

void DrawDoorArrow(QPainter& p, bool in) {
    // A door with an arrow going in (log in) or coming out (log out).
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(8.5, 1.5, 6, 13));
    p.setBrush(kIconYellow);
    p.drawEllipse(QPointF(10, 8), 0.8, 0.8);
    const QColor colour = in ? kIconGreen : kIconRed;
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal from = in ? 1.5 : 8;
    const qreal to = in ? 8 : 1.5;
    p.drawLine(QPointF(from, 8), QPointF(to, 8));
    const qreal back = in ? to - 3 : to + 3;
    p.drawLine(QPointF(to, 8), QPointF(back, 5));
    p.drawLine(QPointF(to, 8), QPointF(back, 11));
}

void DrawExit(QPainter& p) {
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(kIconRed);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
}

bool Draw(QPainter& p, int number) {
    switch (number) {
    case kIconFriends:
        DrawFriends(p);
        return true;
    case kIconUser:
        DrawUser(p);
        return true;
    case kIconChannels:
        DrawChannels(p);
        return true;
    case kIconHelp:
        DrawHelp(p);
        return true;
    case kIconCounter:
        DrawCounter(p);
        return true;
    case kIconOptions:
        DrawOptions(p);
        return true;
    case kIconConnect:
        DrawPlug(p, true);
        return true;
    case kIconDisconnect:
        DrawPlug(p, false);
        return true;
    case kIconLogin:
        DrawDoorArrow(p, true);
        return true;
    case kIconLogout:
        DrawDoorArrow(p, false);
        return true;
    case kIconExit:
        DrawExit(p);
        return true;
    default:
        return false;
    }
}

} // namespace

QPixmap MenuIcon(int number, qreal devicePixelRatio) {
    const QString key =
        QStringLiteral("murmex-menu-%1-%2").arg(number).arg(devicePixelRatio, 0, 'f', 2);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    const int side = static_cast<int>(std::ceil(kMenuIconSize * devicePixelRatio));
    pixmap = QPixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!Draw(painter, number))
        return {};
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace murmex
