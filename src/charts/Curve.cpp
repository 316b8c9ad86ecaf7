#include "charts/Curve.h"

namespace lm {
namespace {

// A point left of the minimum lowers it, otherwise one right of the maximum raises it.
void widen(CurveBounds& bounds, VEC2 p)
{
    if (p.x < bounds.minX)
        bounds.minX = p.x;
    else if (p.x > bounds.maxX)
        bounds.maxX = p.x;
    if (p.y < bounds.minY)
        bounds.minY = p.y;
    else if (p.y > bounds.maxY)
        bounds.maxY = p.y;
}

} // namespace

Curve::Curve(const double* x, const double* y, std::size_t n, uint32_t colour) : colour_(colour)
{
    points_.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        points_.push_back({x[i], y[i]});
    recalcBounds();
}

void Curve::setPoint(std::size_t index, VEC2 point)
{
    if (index >= points_.size())
        points_.resize(index + 1);
    points_[index] = point;
}

void Curve::recalcBounds()
{
    if (points_.empty()) {
        bounds_ = {};
        return;
    }
    const VEC2 first = points_.front();
    bounds_ = {first.x, first.y, first.x, first.y};
    for (const VEC2& p : points_)
        widen(bounds_, p);
}

} // namespace lm
