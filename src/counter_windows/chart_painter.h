#pragma once

#include "counter/chart_picture.h"

#include <QImage>
#include <vector>

class QFont;

namespace murmex {

// Paints a chart's drawing steps, in order, onto a fresh canvas. The steps hold
// the whole geometry; this only turns them into pixels, each exactly where the
// step puts it (no smoothing of lines or edges), with texts in the given font.
QImage PaintChart(const std::vector<CDrawOp>& ops, int width, int height, const QFont& font);

} // namespace murmex
