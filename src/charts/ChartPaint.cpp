// CChartControl: drawing on the screen, into the clipboard's bitmap and on a printed page.
#include "charts/ChartControl.h"
#include "charts/ChartNumbers.h"

#include <algorithm>
#include <cmath>

namespace lm {
namespace {

constexpr uint32_t kXorColour = 0x5C5C5C;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
// Pixels far outside any window; a point beyond them is pulled in so that a
// deeply zoomed log axis cannot overflow the drawing's coordinates.
constexpr double kFarPixel = 100000;
// Half the width of a label box: labels are centred or right-aligned in it.
constexpr int32_t kLabelBox = 4000;

uint32_t inverted(uint32_t colour) { return kWhite - colour; }

Pen solid(uint32_t colour) { return Pen{PenStyle::Solid, colour, 1}; }

int32_t clampPixel(double p) { return static_cast<int32_t>(std::clamp(p, -kFarPixel, kFarPixel)); }

// The plot's frame as a drawn rectangle: ticks lie on its right and bottom edges too.
Rect frameOf(const Rect& plot) { return {plot.left, plot.top, plot.right + 1, plot.bottom + 1}; }

} // namespace

CChartControl::DrawStyle CChartControl::screenStyle() const
{
    return {colours.foreground, colours.grid, colours.background, false};
}

void CChartControl::paint(Canvas& canvas)
{
    const Rect client = window_ ? window_->clientRect() : Rect{};
    draw(canvas, screenStyle(), client.size());
    if (last_.x >= 0 && frameOf(plot_).contains(last_) && mode_ != kChartPan)
        drawReadout(canvas);
    if (const std::optional<Rect> band = rubberBand()) {
        canvas.setXor(true);
        canvas.setPen(solid(kXorColour));
        canvas.setBrush(Brush{BrushStyle::None, 0});
        canvas.rectangle(*band);
        canvas.setXor(false);
    }
}

void CChartControl::draw(Canvas& canvas, const DrawStyle& style, Size area)
{
    canvas.clearClip();
    canvas.fillRect({0, 0, area.width, area.height}, style.background);
    canvas.setTextColour(style.foreground);
    canvas.setBrush(Brush{BrushStyle::None, 0});
    canvas.setPen(solid(style.grid));
    canvas.rectangle(frameOf(plot_));

    drawAxis(canvas, style, true);
    drawAxis(canvas, style, false);

    const int32_t h = labelHeight_;
    if (!yTitle.empty())
        canvas.text({plot_.left, plot_.top - h, plot_.left + kLabelBox, plot_.top}, yTitle, TextAlign::Left);
    if (!xTitle.empty())
        canvas.text({plot_.right - kLabelBox, plot_.bottom - h, plot_.right, plot_.bottom}, xTitle, TextAlign::Right);
    drawCurves(canvas);
}

void CChartControl::drawAxis(Canvas& canvas, const DrawStyle& style, bool horizontal)
{
    // The x axis draws vertical grid lines with labels centred below the plot;
    // the y axis horizontal ones with labels right-aligned left of it.
    const AxisState& axis = horizontal ? x_ : y_;
    const Rect frame = frameOf(plot_);
    const Pen gridPen{style.dottedGrid ? PenStyle::Dotted : PenStyle::Solid, style.grid, 1};
    const Pen majorPen = axis.log ? solid(style.foreground) : gridPen;
    const int32_t n = axis.intervals();
    const int32_t h = labelHeight_;
    const int32_t k = horizontal ? axis.labelSpacing(plot_.width(), labelWidth_)
                                 : axis.labelSpacing(plot_.height(), 2 * labelHeight_);
    const int32_t row = horizontal ? xPrefixRow() : yPrefixRow();
    const std::string& unit = horizontal ? xUnit : yUnit;
    const double minor = axis.log ? minorTickFraction(axis.scale) : 0;
    const auto pixelOf = [&](double value) { return horizontal ? xPixel(value) : yPixel(value); };
    const auto within = [&](int32_t p) {
        return horizontal ? p >= plot_.left && p <= plot_.right : p >= plot_.top && p <= plot_.bottom;
    };
    const auto gridLine = [&](int32_t p) {
        if (horizontal)
            canvas.line({p, plot_.top}, {p, plot_.bottom});
        else
            canvas.line({plot_.left, p}, {plot_.right, p});
    };

    for (int32_t i = 0; i <= n + 1 && i <= 10001; ++i) {
        const double value = axis.tick(i);
        canvas.setClip(frame);
        if (minor != 0) {
            canvas.setPen(gridPen);
            for (const double m : minorTicksBelow(value, minor))
                if (const int32_t p = pixelOf(m); within(p))
                    gridLine(p);
        }
        if (i > n)
            break;
        const int32_t p = pixelOf(value);
        canvas.setPen(majorPen);
        gridLine(p);
        canvas.clearClip();
        if (i % k != 0)
            continue;
        const std::string label = tickLabel(value, row, unit);
        if (horizontal)
            canvas.text({p - kLabelBox, plot_.bottom + h / 2, p + kLabelBox, plot_.bottom + h / 2 + h}, label,
                        TextAlign::Centre);
        else
            canvas.text({plot_.left - kLabelBox, p - h / 2, plot_.left, p - h / 2 + h}, label, TextAlign::Right);
    }
    canvas.clearClip();
    if (!axis.log) {
        const int32_t zero = pixelOf(0);
        const bool inside = horizontal ? zero > plot_.left && zero < plot_.right : zero > plot_.top && zero < plot_.bottom;
        if (inside) {
            canvas.setPen(solid(style.foreground));
            gridLine(zero);
        }
    }
}

void CChartControl::drawCurves(Canvas& canvas)
{
    // Clipped to the plot on the sides where the data reach beyond the view or
    // the pan brings hidden data in; elsewhere the window's edge is enough.
    const Rect client = window_ ? window_->clientRect() : Rect{};
    const Rect frame = frameOf(plot_);
    Rect clip = client;
    if (data_.minX < view_.minX || pan_.x < 0)
        clip.left = frame.left;
    if (data_.maxY > view_.maxY || pan_.y < 0)
        clip.top = frame.top;
    if (data_.maxX > view_.maxX || pan_.x > 0)
        clip.right = frame.right;
    if (data_.minY < view_.minY || pan_.y > 0)
        clip.bottom = frame.bottom;
    canvas.setClip(clip);

    std::vector<Point> run;
    for (auto curve = curves_.rbegin(); curve != curves_.rend(); ++curve) {
        canvas.setPen(solid((*curve)->colour()));
        run.clear();
        // A point a log axis cannot show (0 or below) breaks the line.
        const auto flush = [&] {
            if (run.size() >= 2)
                canvas.polyline(run);
            run.clear();
        };
        for (const VEC2& p : (*curve)->points()) {
            if ((x_.log && !(p.x > 0)) || (y_.log && !(p.y > 0))) {
                flush();
                continue;
            }
            const double px = plot_.left + (x_.transform(p.x) - x_.transform(x_.first)) * x_.scale + pan_.x;
            const double py = plot_.top - (y_.transform(p.y) - y_.transform(y_.last)) * y_.scale + pan_.y;
            run.push_back({clampPixel(nearest(px)), clampPixel(nearest(py))});
        }
        flush();
    }
    canvas.clearClip();
}

void CChartControl::drawReadout(Canvas& canvas)
{
    const std::string text = readout();
    const int32_t h = labelHeight_;
    canvas.text({plot_.right - kLabelBox, plot_.bottom + 2 * h, plot_.right, plot_.bottom + 3 * h}, text,
                TextAlign::Right);
    if (const std::optional<TrackPoint> point = lockedPointAt(last_)) {
        const int32_t px = xPixel(point->x);
        const int32_t py = yPixel(point->y);
        canvas.setXor(true);
        canvas.setPen(solid(kXorColour));
        canvas.setClip(frameOf(plot_));
        canvas.line({px, plot_.top}, {px, plot_.bottom + 1});
        canvas.line({plot_.left, py}, {plot_.right + 1, py});
        canvas.clearClip();
        canvas.setXor(false);
    }
}

std::string CChartControl::readout() const
{
    if (last_.x < 0 || !frameOf(plot_).contains(last_) || mode_ == kChartPan)
        return {};
    const double x = xValueAt(last_.x);
    double y = yValueAt(last_.y);
    if (const std::optional<TrackPoint> point = lockedPointAt(last_))
        y = point->y;
    return readoutText(x, xUnit, y, yUnit, engineeringPrefixes);
}

Size CChartControl::outputSize() const
{
    const Rect client = window_ ? window_->clientRect() : Rect{};
    return {client.width(), client.height() + 2 * labelHeight_};
}

bool CChartControl::copyToClipboard(std::string_view caption, bool invertColours)
{
    if (!window_)
        return false;
    DrawStyle style = screenStyle();
    if (invertColours)
        style = {inverted(style.foreground), inverted(style.grid), inverted(style.background), false};
    const std::string text(caption);
    return window_->copyBitmap(outputSize(), [this, style, text](Canvas& canvas) {
        draw(canvas, style, outputSize());
        drawCaption(canvas, text);
    });
}

bool CChartControl::print(std::string_view documentName)
{
    if (!window_ || curves_.empty())
        return false;
    ChartPageSettings page;
    page.caption = std::string(documentName);
    return window_->printChart(*this, documentName, page);
}

PrintPlacement CChartControl::placeForPrint(const Rect& printable, int32_t dpiX, int32_t dpiY,
                                            const ChartPageSettings& page) const
{
    // Margins are inches with `unitDecimals` decimals under the code 'I', device pixels otherwise.
    const double divisor = std::pow(10.0, page.unitDecimals);
    const auto toPixels = [&](int32_t margin, int32_t dpi) {
        return page.unitCode == 'I' ? static_cast<int32_t>(nearest(margin * dpi / divisor)) : margin;
    };
    const Rect area{printable.left + toPixels(page.marginLeft, dpiX), printable.top + toPixels(page.marginTop, dpiY),
                    printable.right - toPixels(page.marginRight, dpiX),
                    printable.bottom - toPixels(page.marginBottom, dpiY)};
    const Size chart = outputSize();
    if (chart.width <= 0 || chart.height <= 0 || area.width() <= 0 || area.height() <= 0)
        return {{area.left, area.top}, 1};
    const double factor = std::min(static_cast<double>(area.width()) / chart.width,
                                   static_cast<double>(area.height()) / chart.height) *
                          page.scalePercent / 100.0;
    const int32_t width = static_cast<int32_t>(chart.width * factor);
    const int32_t height = static_cast<int32_t>(chart.height * factor);
    Point origin{area.left + (area.width() - width) / 2, area.top + (area.height() - height) / 2};
    if (page.horizontalAlign == 'L')
        origin.x = area.left;
    else if (page.horizontalAlign == 'R')
        origin.x = area.right - width;
    if (page.verticalAlign == 'T')
        origin.y = area.top;
    else if (page.verticalAlign == 'B')
        origin.y = area.bottom - height;
    return {origin, factor};
}

void CChartControl::drawForPrint(Canvas& canvas, std::string_view caption, bool colourPrinter)
{
    DrawStyle style{inverted(colours.foreground), inverted(colours.grid), kWhite, false};
    if (!colourPrinter)
        style = {kBlack, kBlack, kWhite, true};
    const Point savedPan = pan_;
    pan_ = {};
    draw(canvas, style, outputSize());
    pan_ = savedPan;
    drawCaption(canvas, caption);
}

void CChartControl::drawCaption(Canvas& canvas, std::string_view caption)
{
    // At the plot's left edge, four label heights below it: under the readout's row.
    const int32_t h = labelHeight_;
    canvas.text({plot_.left, plot_.bottom + 4 * h, plot_.left + kLabelBox, plot_.bottom + 5 * h}, caption,
                TextAlign::Left);
}

} // namespace lm
