#pragma once

#include "counter/chart_picture.h"

#include <QFont>
#include <QImage>
#include <vector>

namespace murmex {

// Paints a chart's drawing steps, in order, onto a fresh canvas. The steps hold
// the whole geometry; this only turns them into pixels, each exactly where the
// step puts it (no smoothing of lines or edges), with texts in the given font.
// The window's font at the size the chart's geometry was made for: its label
// boxes are 13 pixels apart with 24 bars, so two digits must fit in 12.
QFont ChartFont(const QFont& windowFont);

QImage PaintChart(const std::vector<CDrawOp>& ops, int width, int height, const QFont& font);

} // namespace murmex
