#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace murmex {

struct CChartData;

// A chart is computed as a list of drawing steps so that its geometry is exact and
// testable; the window only paints the list, in order, onto its canvas.

struct CChartColor {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const CChartColor&) const = default;
};

// Pixels from the top-left corner; right and bottom are exclusive, so a rectangle
// from x = 355 to x = 364 covers the nine columns 355 ... 363.
struct CChartRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const CChartRect&) const = default;
};

enum class EPenStyle { Solid, Dotted };
enum class ETextAlign { TopLeft };

// One drawing step: a filled rectangle (optionally with a 1-pixel border inside
// its edges), a line from the first point towards the second whose last pixel is
// not drawn, or single-line text (UTF-8) in the window's font, clipped to its
// rectangle.
struct CDrawOp {
    enum EKind { FillRect, Line, Text };
    EKind kind = FillRect;
    CChartRect rect;         // FillRect, Text
    int x1 = 0, y1 = 0;      // Line
    int x2 = 0, y2 = 0;      // Line
    CChartColor color;       // FillRect: fill; Line: pen
    bool border = false;     // FillRect
    CChartColor borderColor; // FillRect
    EPenStyle pen = EPenStyle::Solid;
    int penWidth = 1; // Line
    std::string text; // Text
    ETextAlign align = ETextAlign::TopLeft;

    static CDrawOp MakeFill(CChartRect rect, CChartColor fill);
    static CDrawOp MakeBox(CChartRect rect, CChartColor fill, CChartColor border);
    static CDrawOp MakeLine(int x1, int y1, int x2, int y2, EPenStyle pen, CChartColor color);
    static CDrawOp MakeText(CChartRect rect, std::string text);
};

// The whole picture of a chart on a canvas of the given size: background, axes,
// grid, scale labels, then the bars with their labels.
std::vector<CDrawOp> DrawChart(const CChartData& data, int width, int height);

} // namespace murmex
