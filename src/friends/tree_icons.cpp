#include "friends/tree_icons.h"

#include "friends/tree_texts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace murmex {
namespace {

const QColor kFolderLight(252, 217, 110);
const QColor kFolderDark(222, 168, 40);
const QColor kFolderEdge(150, 104, 0);
const QColor kOnline(46, 158, 68);
const QColor kOnlineEdge(24, 100, 40);
const QColor kAway(168, 168, 168);
const QColor kAwayEdge(104, 104, 104);
const QColor kBubble(47, 111, 214);
const QColor kEnvelopeEdge(30, 60, 140);
const QColor kEnvelopeLit(255, 176, 0);
const QColor kEnvelopeLitEdge(130, 70, 0);
const QColor kPhone(58, 58, 58);
const QColor kPhoneScreen(191, 227, 255);

// Pens sit on half pixels so that one-pixel lines fall on whole pixels at 1x.
void DrawFolder(QPainter& p, bool open) {
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(6.5, 3.5);
    back.lineTo(7.5, 4.5);
    back.lineTo(14.5, 4.5);
    back.lineTo(14.5, 13.5);
    back.closeSubpath();
    QLinearGradient fill(0, 3, 0, 14);
    fill.setColorAt(0, open ? kFolderDark : kFolderLight);
    fill.setColorAt(1, kFolderDark);
    p.setPen(QPen(kFolderEdge, 1));
    p.setBrush(fill);
    p.drawPath(back);
    if (!open) {
        p.setPen(QPen(kFolderLight.lighter(115), 1));
        p.drawLine(QPointF(2.5, 6.5), QPointF(13.5, 6.5));
        return;
    }
    // The front flap, tipped forward.
    const QPolygonF flap({{4.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}});
    QLinearGradient front(0, 7, 0, 14);
    front.setColorAt(0, kFolderLight.lighter(108));
    front.setColorAt(1, kFolderLight);
    p.setPen(QPen(kFolderEdge, 1));
    p.setBrush(front);
    p.drawPolygon(flap);
}

void DrawPerson(QPainter& p, bool running) {
    const QColor fill = running ? kOnline : kAway;
    const QColor edge = running ? kOnlineEdge : kAwayEdge;
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    QPainterPath body;
    body.moveTo(1.5, 14.5);
    body.cubicTo(1.5, 9.0, 11.5, 9.0, 11.5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(fill.lighter(118));
    p.drawEllipse(QPointF(6.5, 5.5), 3.0, 3.0);
}

// The web chat: a small speech bubble at the top right.
void DrawChatBadge(QPainter& p) {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(8.5, 0.5, 7, 5), 1.5, 1.5);
    QPainterPath tail;
    tail.moveTo(10.5, 5);
    tail.lineTo(10, 7.5);
    tail.lineTo(13, 5);
    tail.closeSubpath();
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kBubble);
    p.drawPath(bubble.united(tail));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (qreal x : {10.5, 12.0, 13.5})
        p.drawEllipse(QPointF(x, 3.0), 0.6, 0.6);
}

void DrawEnvelope(QPainter& p, bool lit) {
    p.setPen(QPen(lit ? kEnvelopeLitEdge : kEnvelopeEdge, 1));
    p.setBrush(lit ? kEnvelopeLit : QColor(Qt::white));
    p.drawRect(QRectF(1.5, 3.5, 13, 9));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{1.5, 3.5}, {8, 9}, {14.5, 3.5}}));
}

void DrawPhone(QPainter& p) {
    p.setPen(QPen(kPhone.darker(140), 1));
    p.setBrush(kPhone);
    p.drawRoundedRect(QRectF(4.5, 0.5, 7, 15), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kPhoneScreen);
    p.drawRect(QRectF(6, 2.5, 4, 6));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 12.5), 1.0, 1.0);
}

void Draw(QPainter& p, int icon) {
    switch (icon) {
    case kIconGroupClosed:
        DrawFolder(p, false);
        break;
    case kIconGroupOpen:
        DrawFolder(p, true);
        break;
    case kIconOffline:
        DrawPerson(p, false);
        break;
    case kIconChatAndProgram:
        DrawPerson(p, true);
        DrawChatBadge(p);
        break;
    case kIconProgram:
        DrawPerson(p, true);
        break;
    case kIconChat:
        DrawPerson(p, false);
        DrawChatBadge(p);
        break;
    case kIconBlinkOdd:
        DrawEnvelope(p, false);
        break;
    case kIconBlinkEven:
        DrawEnvelope(p, true);
        break;
    case kIconLocalContact:
        DrawPhone(p);
        break;
    default:
        break;
    }
}

} // namespace

std::string_view IconDescription(int icon) {
    switch (icon) {
    case kIconOffline:
        return kTextPresenceOffline;
    case kIconChatAndProgram:
        return kTextPresenceChatAndProgram;
    case kIconProgram:
        return kTextPresenceProgram;
    case kIconChat:
        return kTextPresenceChat;
    case kIconBlinkOdd:
    case kIconBlinkEven:
        return kTextPresenceUnread;
    case kIconLocalContact:
        return kTextPresenceLocalContact;
    default:
        return {};
    }
}

int PresenceIcon(bool inChat, bool runningProgram) {
    if (inChat && runningProgram)
        return kIconChatAndProgram;
    if (inChat)
        return kIconChat;
    if (runningProgram)
        return kIconProgram;
    return kIconOffline;
}

QPixmap TreeIconPixmap(int icon, qreal devicePixelRatio) {
    if (icon < 0 || icon >= kTreeIconCount || devicePixelRatio <= 0)
        return {};
    const int side = qRound(kTreeIconSize * devicePixelRatio);
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, icon);
    return pixmap;
}

QIcon TreeIcon(int icon) {
    if (icon < 0 || icon >= kTreeIconCount)
        return {};
    // Each made on its first use, on the UI thread that draws the trees: a
    // start-up shows a few of them.
    static std::array<QIcon, kTreeIconCount> icons;
    QIcon& made = icons[static_cast<std::size_t>(icon)];
    if (made.isNull()) {
        made.addPixmap(TreeIconPixmap(icon, 1.0));
        made.addPixmap(TreeIconPixmap(icon, 2.0));
    }
    return made;
}

} // namespace murmex
