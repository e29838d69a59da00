#include "counter/chart_picture.h"

#include "counter/chart_data.h"
#include "counter/chart_scale.h"

#include <cmath>

namespace murmex {

namespace {

constexpr CChartColor kWhite{255, 255, 255};
constexpr CChartColor kBlack{0, 0, 0};
constexpr CChartColor kGrid{100, 100, 100};
constexpr CChartColor kBar{0, 255, 100};

// Margin between the canvas edge and the plot area.
constexpr int kMargin = 35;

} // namespace

CDrawOp CDrawOp::MakeFill(CChartRect rect, CChartColor fill) {
    CDrawOp op;
    op.kind = FillRect;
    op.rect = rect;
    op.color = fill;
    return op;
}

CDrawOp CDrawOp::MakeBox(CChartRect rect, CChartColor fill, CChartColor border) {
    CDrawOp op = MakeFill(rect, fill);
    op.border = true;
    op.borderColor = border;
    return op;
}

CDrawOp CDrawOp::MakeLine(int x1, int y1, int x2, int y2, EPenStyle pen, CChartColor color) {
    CDrawOp op;
    op.kind = Line;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.pen = pen;
    op.color = color;
    return op;
}

CDrawOp CDrawOp::MakeText(CChartRect rect, std::string text) {
    CDrawOp op;
    op.kind = Text;
    op.rect = rect;
    op.text = std::move(text);
    return op;
}

std::vector<CDrawOp> DrawChart(const CChartData& data, int W, int H) {
    std::vector<CDrawOp> ops;
    const int base = H - kMargin;
    const int plot = H - 2 * kMargin;
    const int s = plot / 4;

    ops.push_back(CDrawOp::MakeFill({0, 0, W, H}, kWhite));

    // The base line, then up the vertical axis on the right.
    ops.push_back(CDrawOp::MakeLine(kMargin, base, W - kMargin, base, EPenStyle::Solid, kBlack));
    ops.push_back(
        CDrawOp::MakeLine(W - kMargin, base, W - kMargin, kMargin, EPenStyle::Solid, kBlack));
    for (int k = 1; k <= 4; ++k)
        ops.push_back(CDrawOp::MakeLine(kMargin, base - k * s, W - kMargin, base - k * s,
                                        EPenStyle::Dotted, kGrid));

    const double maxValue = data.Maximum();
    const CChartScale scale = data.money ? ZlotyScale(maxValue) : MinutesScale(maxValue);
    ops.push_back(CDrawOp::MakeText({W - 32, 5, W, kMargin}, scale.unit));
    for (int k = 1; k <= 4; ++k)
        ops.push_back(CDrawOp::MakeText({W - 32, base - k * s, W, base - (k - 1) * s},
                                        scale.labels[static_cast<std::size_t>(k - 1)]));

    if (data.slotCount <= 0)
        return ops;
    const int e = (W - 2 * kMargin) / data.slotCount;
    for (std::size_t i = 0; i < data.bars.size(); ++i) {
        const CChartBar& bar = data.bars[i];
        const int d = W - static_cast<int>(i) * e;
        // A bar never reaches above the top line nor below the base, whatever the
        // values (a negative one from a damaged log, or one past the scale).
        double ratio = scale.maximum > 0 ? bar.value / scale.maximum : 0.0;
        if (!(ratio > 0))
            ratio = 0;
        if (ratio > 1)
            ratio = 1;
        const int height = static_cast<int>(std::trunc(plot * ratio));
        ops.push_back(CDrawOp::MakeBox({d - e - 34, base - height, d - 36, H - 34}, kBar, kBlack));
        if (!bar.label.empty())
            ops.push_back(CDrawOp::MakeText({d - e - 34, H - 33, d - 16, H}, bar.label));
    }
    return ops;
}

} // namespace murmex
