// CChartControl: the gestures. Zoom drags a rectangle, pan moves the axes by
// whole steps and completes a started step in 180 ms, the track cursor selects
// and locks a curve and reads values off it.
#include "charts/ChartControl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lm {
namespace {

constexpr double kZoomLimit = 64;       // no zoom deeper than 64 times the data range
constexpr int32_t kMinZoomPixels = 2;   // a smaller rectangle is a click
constexpr int32_t kPanDeadZone = 3;     // offsets below this count as 0
constexpr int32_t kPanSnap = 2;         // a step is taken this many pixels early
constexpr int64_t kCompletionMs = 180;
constexpr int32_t kTrackBox = 4;        // the track cursor looks this far around the mouse

int32_t sign(int32_t v) { return (v > 0) - (v < 0); }

// Liang-Barsky: whether the segment from a to b meets the closed box.
bool segmentMeetsBox(double ax, double ay, double bx, double by, double x0, double y0, double x1, double y1)
{
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

} // namespace

void CChartControl::buttonDown(Point p)
{
    if (completion_)
        animate(completion_->startMs + kCompletionMs); // a new gesture finishes the last one first
    if (mode_ != kChartZoom && mode_ != kChartPan)
        return;
    if (window_)
        window_->captureMouse(true);
    press_ = p;
    dragging_ = true;
}

void CChartControl::mouseMove(Point p)
{
    last_ = p;
    if (mode_ == kChartPan) {
        if (dragging_)
            panTo(p);
        return;
    }
    if (mode_ == kChartTrack && !curveLocked())
        trackSelect(p);
    if (window_)
        window_->repaint();
}

void CChartControl::buttonUp(Point p, int64_t nowMs)
{
    if (mode_ == kChartTrack) {
        if (curveLocked())
            return;
        trackSelect(p);
        if (selected_ >= 0) {
            restoreSelectedColour();
            dragging_ = true; // locked until the mode is chosen again
            if (window_) {
                window_->showCursor(cursorId());
                window_->repaint();
            }
        }
        return;
    }
    if (!dragging_)
        return;
    if (window_)
        window_->captureMouse(false);
    dragging_ = false;
    if (mode_ == kChartZoom) {
        zoomTo(p);
        return;
    }
    if (std::abs(pan_.x) >= kPanDeadZone || std::abs(pan_.y) >= kPanDeadZone) {
        const Point to{sign(pan_.x) * x_.stepPixels(), sign(pan_.y) * y_.stepPixels()};
        completion_ = Completion{nowMs, pan_, to};
        if (window_)
            window_->startAnimation();
        return;
    }
    finishPan();
}

std::optional<Rect> CChartControl::rubberBand() const
{
    if (mode_ != kChartZoom || !dragging_ || last_.x < 0)
        return std::nullopt;
    return Rect{std::min(press_.x, last_.x), std::min(press_.y, last_.y), std::max(press_.x, last_.x) + 1,
                std::max(press_.y, last_.y) + 1};
}

void CChartControl::mouseLeft()
{
    last_ = {-1, -1};
    if (window_)
        window_->repaint();
}

void CChartControl::resized()
{
    recalcLayout();
    last_ = {-1, -1};
}

// ------------------------------------------------------------------ zoom

void CChartControl::zoomTo(Point corner)
{
    const int32_t left = std::min(press_.x, corner.x), right = std::max(press_.x, corner.x);
    const int32_t top = std::min(press_.y, corner.y), bottom = std::max(press_.y, corner.y);
    if (right - left < kMinZoomPixels || bottom - top < kMinZoomPixels) {
        if (window_)
            window_->repaint(); // the band goes
        return;
    }
    ChartRange range{xValueAt(left), yValueAt(bottom), xValueAt(right), yValueAt(top)};
    const auto limit = [](double& low, double& high, double dataLow, double dataHigh) {
        const double full = dataHigh - dataLow;
        if (full / (high - low) > kZoomLimit) {
            const double middle = (low + high) / 2;
            low = middle - full / (2 * kZoomLimit);
            high = middle + full / (2 * kZoomLimit);
        }
    };
    if (!x_.log)
        limit(range.minX, range.maxX, data_.minX, data_.maxX);
    if (!y_.log)
        limit(range.minY, range.maxY, data_.minY, data_.maxY);
    setView(range);
    recalcLayout();
    if (window_)
        window_->repaint();
}

// ------------------------------------------------------------------ pan

void CChartControl::moveTicks(int32_t xSteps, int32_t ySteps)
{
    // Positive x steps show lower x values (the content follows a drag to the
    // right); positive y steps show higher y values (a drag downwards).
    if (xSteps != 0) {
        x_.first = x_.moved(x_.first, xSteps);
        x_.last = x_.moved(x_.last, xSteps);
    }
    if (ySteps != 0) {
        y_.first = y_.moved(y_.first, -ySteps);
        y_.last = y_.moved(y_.last, -ySteps);
    }
    view_ = {x_.first, y_.first, x_.last, y_.last};
    x_.min = view_.minX;
    x_.max = view_.maxX;
    y_.min = view_.minY;
    y_.max = view_.maxY;
}

void CChartControl::panTo(Point p)
{
    const auto whole = [](int32_t distance, int32_t stepPixels) {
        if (stepPixels <= 0 || std::abs(distance) + kPanSnap < stepPixels)
            return 0;
        return sign(distance) * static_cast<int32_t>(std::ceil(static_cast<double>(std::abs(distance)) / stepPixels));
    };
    const int32_t xSteps = whole(p.x - press_.x, x_.stepPixels());
    const int32_t ySteps = whole(p.y - press_.y, y_.stepPixels());
    moveTicks(xSteps, ySteps);
    press_.x += xSteps * x_.stepPixels();
    press_.y += ySteps * y_.stepPixels();
    const auto offset = [](int32_t rest) { return std::abs(rest) < kPanDeadZone ? 0 : rest; };
    pan_ = {offset(p.x - press_.x), offset(p.y - press_.y)};
    if (window_)
        window_->repaint();
}

bool CChartControl::animate(int64_t nowMs)
{
    if (!completion_)
        return false;
    const double done = std::clamp(static_cast<double>(nowMs - completion_->startMs) / kCompletionMs, 0.0, 1.0);
    if (done < 1) {
        const Completion& c = *completion_;
        pan_ = {c.from.x + static_cast<int32_t>(nearest((c.to.x - c.from.x) * done)),
                c.from.y + static_cast<int32_t>(nearest((c.to.y - c.from.y) * done))};
        if (window_)
            window_->repaint();
        return true;
    }
    moveTicks(sign(completion_->to.x), sign(completion_->to.y));
    completion_.reset();
    finishPan();
    return false;
}

void CChartControl::finishPan()
{
    pan_ = {};
    // The labels of the new ticks may be wider: the plot follows them.
    recalcLayout();
    if (window_)
        window_->repaint();
}

// ------------------------------------------------------------------ track cursor

int32_t CChartControl::curveUnder(Point p) const
{
    // The box around the mouse in values, tested on the axes' transformed
    // scale, where the curves are drawn as straight segments.
    const double x0 = x_.transform(xValueAt(p.x - kTrackBox)), x1 = x_.transform(xValueAt(p.x + kTrackBox));
    const double y0 = y_.transform(yValueAt(p.y + kTrackBox)), y1 = y_.transform(yValueAt(p.y - kTrackBox));
    for (std::size_t c = 0; c < curves_.size(); ++c) {
        const std::vector<VEC2>& points = curves_[c]->points();
        for (std::size_t i = points.size(); i-- > 0;) {
            const VEC2 b = points[i];
            const VEC2 a = i > 0 ? points[i - 1] : b;
            if (i == 0 && points.size() > 1)
                break;
            const double ax = x_.transform(a.x), ay = y_.transform(a.y);
            const double bx = x_.transform(b.x), by = y_.transform(b.y);
            if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by))
                continue;
            if (segmentMeetsBox(ax, ay, bx, by, x0, y0, x1, y1))
                return static_cast<int32_t>(c);
        }
    }
    return -1;
}

void CChartControl::restoreSelectedColour()
{
    if (selected_ >= 0 && selected_ < curveCount() && !curveLocked())
        curves_[static_cast<std::size_t>(selected_)]->setColour(selectedColour_);
}

void CChartControl::trackSelect(Point p)
{
    const int32_t under = curveUnder(p);
    if (under == selected_)
        return;
    restoreSelectedColour();
    selected_ = under;
    if (selected_ >= 0) {
        Curve& curve = *curves_[static_cast<std::size_t>(selected_)];
        selectedColour_ = curve.colour();
        curve.setColour(colours.highlight);
    }
}

std::optional<CChartControl::TrackPoint> CChartControl::lockedPointAt(Point p) const
{
    if (!curveLocked() || p.x < 0)
        return std::nullopt;
    const double x = xValueAt(p.x);
    const double tx = x_.transform(x);
    const double ty = y_.transform(yValueAt(p.y));
    std::optional<double> best;
    const std::vector<VEC2>& points = curves_[static_cast<std::size_t>(selected_)]->points();
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double ax = x_.transform(points[i - 1].x), bx = x_.transform(points[i].x);
        if (!(std::min(ax, bx) <= tx && tx <= std::max(ax, bx)))
            continue;
        const double ay = y_.transform(points[i - 1].y), by = y_.transform(points[i].y);
        const double t = bx == ax ? 0 : (tx - ax) / (bx - ax);
        const double candidate = ay + t * (by - ay);
        if (std::isfinite(candidate) && (!best || std::abs(candidate - ty) < std::abs(*best - ty)))
            best = candidate;
    }
    if (!best)
        return std::nullopt;
    return TrackPoint{x, y_.log ? std::pow(10.0, *best) : *best};
}

void CChartControl::setMouseMode(int32_t mode)
{
    const bool selectionShown = selected_ >= 0;
    if (curveLocked())
        dragging_ = false; // the lock goes with the mode choice; the colour is its own again already
    else
        restoreSelectedColour();
    selected_ = -1;
    mode_ = mode;
    dragging_ = false;
    if (window_) {
        window_->showCursor(cursorId());
        if (selectionShown)
            window_->repaint();
    }
}

} // namespace lm
