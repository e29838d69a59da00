#pragma once

#include <QProxyStyle>

namespace murmex {

// Lists and trees reached with the keyboard show it on their frame. The
// style's own mark is a thin frame around the current item, which is lost in
// the selection's colour when that item is also selected, as it usually is;
// the view's frame drawn in the selection colour stays visible whatever is
// selected. Everything else is the application's usual style.
class CFocusFrameStyle final : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace murmex
