#include "ui/skin_pictures.h"

#include "ui/palette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QString>
#include <cmath>

namespace murmex {
namespace {

using namespace palette;

void FillBrandBackground(QPainter& painter, const QRectF& area) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, kBrand);
    gradient.setColorAt(1.0, kBrandDark);
    painter.fillRect(area, gradient);
}

// The speech bubble with the murmur spreading out of it; the mark fits a
// strip 19 pixels high and about 40 wide.
void DrawMark(QPainter& painter) {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(5, 3, 17, 10.5), 3.5, 3.5);
    QPainterPath tail;
    tail.moveTo(8, 12.5);
    tail.lineTo(12, 12.5);
    tail.lineTo(7, 16.5);
    tail.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(bubble.united(tail));

    // A little sound wave inside the bubble, on whole pixels so that it stays
    // sharp at the strip's small size.
    const QRectF bars[] = {{8, 7, 2, 2}, {12, 5, 2, 6}, {16, 6, 2, 4}};
    for (const QRectF& bar : bars)
        painter.fillRect(bar, kBrand);

    // The murmur: three arcs fading as they spread.
    const qreal alphas[] = {0.95, 0.7, 0.45};
    for (int i = 0; i < 3; ++i) {
        const qreal radius = 4.5 + 4.5 * i;
        QColor colour(Qt::white);
        colour.setAlphaF(alphas[i]);
        painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        const QRectF circle(22.5 - radius, 8.25 - radius, 2 * radius, 2 * radius);
        painter.drawArc(circle, -40 * 16, 80 * 16);
    }
}

void DrawLogo(QPainter& painter, const QSize& size, bool wide) {
    FillBrandBackground(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    if (!wide) {
        // Centred in the narrow box; the wide one has the name beside it.
        painter.translate(4, 0);
        DrawMark(painter);
        return;
    }
    DrawMark(painter);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(40, 0, size.width() - 42, size.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Murmex"));
}

enum class EGlyph { Close, Hide };

void DrawTitleButton(QPainter& painter, const QSize& size, EGlyph glyph, const QColor& background,
                     const QColor& ink, qreal shift) {
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), background);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal cx = size.width() / 2.0 + shift;
    const qreal cy = size.height() / 2.0 + shift;
    if (glyph == EGlyph::Close) {
        painter.drawLine(QPointF(cx - 3.5, cy - 3.5), QPointF(cx + 3.5, cy + 3.5));
        painter.drawLine(QPointF(cx - 3.5, cy + 3.5), QPointF(cx + 3.5, cy - 3.5));
    } else {
        painter.drawLine(QPointF(cx - 4, cy + 3), QPointF(cx + 4, cy + 3));
    }
}

void Draw(QPainter& painter, int picture, const QSize& size) {
    switch (picture) {
    case kPicLogo:
        DrawLogo(painter, size, false);
        break;
    case kPicLogoWide:
        DrawLogo(painter, size, true);
        break;
    case kPicCloseNormal:
        DrawTitleButton(painter, size, EGlyph::Close, kCaptionBlack, kGlyphIdle, 0);
        break;
    case kPicCloseHover:
        DrawTitleButton(painter, size, EGlyph::Close, kCloseHover, Qt::white, 0);
        break;
    case kPicClosePressed:
        DrawTitleButton(painter, size, EGlyph::Close, kClosePressed, Qt::white, 0.5);
        break;
    case kPicHideNormal:
        DrawTitleButton(painter, size, EGlyph::Hide, kCaptionBlack, kGlyphIdle, 0);
        break;
    case kPicHideHover:
        DrawTitleButton(painter, size, EGlyph::Hide, kHideHover, Qt::white, 0);
        break;
    case kPicHidePressed:
        DrawTitleButton(painter, size, EGlyph::Hide, kHidePressed, Qt::white, 0.5);
        break;
    default:
        break;
    }
}

} // namespace

QSize SkinPictureSize(int picture) {
    switch (picture) {
    case kPicLogo:
        return {50, 19};
    case kPicLogoWide:
        return {100, 19};
    case kPicCloseNormal:
    case kPicCloseHover:
    case kPicClosePressed:
    case kPicHideNormal:
    case kPicHideHover:
    case kPicHidePressed:
        return {21, 19};
    default:
        return {};
    }
}

QPixmap SkinPicture(int picture, qreal devicePixelRatio) {
    const QSize size = SkinPictureSize(picture);
    if (size.isEmpty())
        return {};
    if (!(devicePixelRatio > 0))
        devicePixelRatio = 1;
    const QString key =
        QStringLiteral("murmex-skin-%1@%2").arg(picture).arg(devicePixelRatio, 0, 'f', 3);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    pixmap = QPixmap(int(std::ceil(size.width() * devicePixelRatio)),
                     int(std::ceil(size.height() * devicePixelRatio)));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        Draw(painter, picture, size);
    }
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace murmex
