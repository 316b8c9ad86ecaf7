// CChartControl: curves, view and the layout of the axes around their labels.
#include "charts/ChartControl.h"
#include "charts/ChartNumbers.h"

#include <algorithm>

namespace lm {
namespace {

constexpr int32_t kMinPlotSide = 40;
// The label sizes settle in two or three passes; a font whose widths keep
// alternating must not hang the window.
constexpr int kMaxLayoutPasses = 16;

} // namespace

void CChartControl::attach(ChartWindow* window)
{
    window_ = window;
    if (window_)
        window_->showCursor(cursorId());
}

int32_t CChartControl::addCurve(Curve& curve)
{
    const CurveBounds& b = curve.bounds();
    if (curves_.empty()) {
        data_ = {b.minX, b.minY, b.maxX, b.maxY};
    } else {
        data_.minX = std::min(data_.minX, b.minX);
        data_.minY = std::min(data_.minY, b.minY);
        data_.maxX = std::max(data_.maxX, b.maxX);
        data_.maxY = std::max(data_.maxY, b.maxY);
    }
    curves_.push_back(&curve);
    view_ = data_;
    return static_cast<int32_t>(curves_.size()) - 1;
}

void CChartControl::removeAllCurves()
{
    restoreSelectedColour();
    curves_.clear();
    data_ = {};
    view_ = {};
    selected_ = -1;
    dragging_ = false;
}

void CChartControl::setLogScale(bool logX, bool logY)
{
    x_.log = logX && data_.minX > 0;
    y_.log = logY && data_.minY > 0;
    view_ = data_;
    recalcLayout();
}

void CChartControl::setLabelFont(std::string_view face, int32_t height, int32_t weight, bool italic)
{
    font_ = {std::string(face), height, weight, italic};
    recalcLayout();
}

void CChartControl::recalcLayout()
{
    if (window_)
        window_->measure([this](Canvas& canvas) { layout(canvas); });
}

void CChartControl::fitToWindow()
{
    view_ = data_;
    recalcLayout();
    if (window_)
        window_->repaint();
}

void CChartControl::setCursors(uint32_t zoom, uint32_t pan, uint32_t track)
{
    cursors_ = {zoom, pan, track};
    if (window_)
        window_->showCursor(cursorId());
}

uint32_t CChartControl::cursorId() const
{
    switch (mode_) {
    case kChartZoom: return cursors_.zoom;
    case kChartPan: return cursors_.pan;
    default: return curveLocked() ? 0 : cursors_.track;
    }
}

void CChartControl::setView(const ChartRange& range) { view_ = range; }

int32_t CChartControl::xPrefixRow() const { return engineeringPrefixes ? prefixRowFor(x_.first, x_.last) : kNoPrefixRow; }
int32_t CChartControl::yPrefixRow() const { return engineeringPrefixes ? prefixRowFor(y_.first, y_.last) : kNoPrefixRow; }

void CChartControl::measureLabels(Canvas& measure, int32_t& width, int32_t& height, int32_t& extra) const
{
    width = 0;
    extra = 0;
    height = measure.textHeight();
    const int32_t xRow = xPrefixRow();
    for (int32_t i = 0, n = x_.intervals(); i <= n && i <= 10000; ++i)
        width = std::max(width, measure.textWidth(tickLabel(x_.tick(i), xRow, xUnit)));
    const int32_t yRow = yPrefixRow();
    for (int32_t i = 0, n = y_.intervals(); i <= n && i <= 10000; ++i)
        extra = std::max(extra, measure.textWidth(tickLabel(y_.tick(i), yRow, yUnit)));
}

void CChartControl::layout(Canvas& measure)
{
    if (x_.log && !(data_.minX > 0))
        x_.log = false;
    if (y_.log && !(data_.minY > 0))
        y_.log = false;
    widenDegenerateRange(view_.minX, view_.maxX, x_.log);
    widenDegenerateRange(view_.minY, view_.maxY, y_.log);
    x_.min = view_.minX;
    x_.max = view_.maxX;
    y_.min = view_.minY;
    y_.max = view_.maxY;

    const Rect client = window_->clientRect();
    int32_t width = 0, height = 0, extra = 0;
    for (int pass = 0; pass < kMaxLayoutPasses; ++pass) {
        Rect plot = client;
        plot.left += height / 4 + std::max(extra, width / 2);
        plot.top += xTitle.empty() ? height : 2 * height;
        plot.bottom -= 4 * height;
        plot.right -= height / 4 + width / 2;
        plot.right = std::max(plot.right, plot.left + kMinPlotSide);
        plot.top = std::min(plot.top, plot.bottom - kMinPlotSide);
        plot_ = plot;

        x_.placeTicks(x_.stepFor(x_.min, x_.max, plot.width()));
        y_.placeTicks(y_.stepFor(y_.min, y_.max, plot.height()));

        int32_t newWidth = 0, newHeight = 0, newExtra = 0;
        measureLabels(measure, newWidth, newHeight, newExtra);
        const bool grew = newWidth > width || newHeight > height || newExtra > extra;
        width = newWidth;
        height = newHeight;
        extra = newExtra;
        if (!grew)
            break;
    }
    labelWidth_ = width;
    labelHeight_ = height;
    labelExtra_ = extra;
    x_.scale = plot_.width() / (x_.transform(x_.last) - x_.transform(x_.first));
    y_.scale = plot_.height() / (y_.transform(y_.last) - y_.transform(y_.first));
}

int32_t CChartControl::xPixel(double x) const { return plot_.left + x_.offsetOf(x) + pan_.x; }

int32_t CChartControl::yPixel(double y) const
{
    return plot_.top - saturatingInt(nearest((y_.transform(y) - y_.transform(y_.last)) * y_.scale)) + pan_.y;
}

double CChartControl::xValueAt(int32_t px) const { return x_.valueAtOffset(px - pan_.x - plot_.left); }

double CChartControl::yValueAt(int32_t py) const { return y_.valueAtOffset(plot_.bottom - (py - pan_.y)); }

} // namespace lm
