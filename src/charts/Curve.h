#pragma once
// A curve of the chart: points in order with their bounds and a colour.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lm {

struct VEC2 {
    double x = 0;
    double y = 0;
    bool operator==(const VEC2&) const = default;
};

struct CurveBounds {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool operator==(const CurveBounds&) const = default;
};

class Curve {
public:
    Curve() = default;
    // From x[i], y[i] for i < n (n >= 1), bounds widened point by point.
    Curve(const double* x, const double* y, std::size_t n, uint32_t colour);

    const std::vector<VEC2>& points() const { return points_; }
    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    const CurveBounds& bounds() const { return bounds_; }
    uint32_t colour() const { return colour_; }
    void setColour(uint32_t colour) { colour_ = colour; }

    // Stores a point at an index, growing the curve when the index is at or
    // past its end; the bounds stay as they were.
    void setPoint(std::size_t index, VEC2 point);
    // Bounds from the points; all 0 without points.
    void recalcBounds();
    void removeAllPoints() { points_.clear(); }

private:
    std::vector<VEC2> points_;
    CurveBounds bounds_;
    uint32_t colour_ = 0;
};

} // namespace lm
