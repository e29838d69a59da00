#include "shell/main_bar_geometry.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdio>

namespace murmex {

int DialogUnitsToPixelsX(const QFont& font, int units) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseUnit = std::max(1, (letters / 26 + 1) / 2);
    return (units * baseUnit + 2) / 4;
}

SFloatingPlace ParseLastPos(std::optional<std::string_view> option) {
    SFloatingPlace place;
    if (!option)
        return place;
    // The numbers are read as the C library reads them: as many as are there.
    const std::string text(*option);
    int left = place.left;
    int top = place.top;
    int width = 0;
    int height = place.height;
    std::sscanf(text.c_str(), "%d %d %d %d", &left, &top, &width, &height);
    place.left = left;
    place.top = top;
    place.height = std::max(height, kMainBarMinHeight);
    return place;
}

std::string LastPosText(const QRect& frame) {
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d", frame.left(), frame.top(), frame.width(),
                  frame.height());
    return text;
}

SFloatingPlace KeepReachable(const SFloatingPlace& place, int width,
                             const std::vector<QRect>& screens) {
    // The strip the bar is dragged by must show on some screen.
    const QRect strip(place.left, place.top, width, kMainBarMoveStripHeight);
    for (const QRect& screen : screens)
        if (screen.intersects(strip))
            return place;
    if (screens.empty())
        return place;
    SFloatingPlace reachable = place;
    reachable.left = screens.front().left() + kMainBarDefaultLeft;
    reachable.top = screens.front().top() + kMainBarDefaultTop;
    return reachable;
}

QRect DockedArea(const QRect& screen, const QRect& available, int width) {
    // Right against the monitor's edge; top and bottom keep clear of panels
    // that other programs reserve there.
    const int top = available.isValid() ? available.top() : screen.top();
    const int height = available.isValid() ? available.height() : screen.height();
    return {screen.left() + screen.width() - width, top, width, height};
}

std::optional<int> BesideBarX(const QRect& bar, const QRect& desktop, int dialogWidth) {
    const int barRight = bar.x() + bar.width();
    if (dialogWidth < desktop.x() + desktop.width() - barRight)
        return barRight + 10;
    if (dialogWidth < bar.x() - desktop.x())
        return bar.x() - dialogWidth - 10;
    return std::nullopt;
}

std::optional<int> AttachedToBarX(const QRect& bar, const QRect& desktop, int dialogWidth) {
    const int barRight = bar.x() + bar.width();
    if (dialogWidth < desktop.x() + desktop.width() - barRight)
        return barRight - 1;
    if (dialogWidth < bar.x() - desktop.x())
        return bar.x() - dialogWidth + 1;
    return std::nullopt;
}

} // namespace murmex
