#pragma once
// The potential and the field that a straight panel of uniform charge makes
// over the half cross-section x >= 0: the plane at y = 0 and the symmetry
// plane x = 0 by images, a stripline's plane above in closed form. Charge
// densities are given over eps0, so a density of 1 makes these in volts.
namespace lmz0 {

struct Point {
    double x = 0.0, y = 0.0;
};

// A straight panel from a to b: its length and unit tangent.
struct Segment {
    Segment(Point from, Point to);
    Segment(Point from, Point to, double tangentX, double tangentY, double size)
        : a(from), b(to), tx(tangentX), ty(tangentY), length(size) {}
    Point a, b;
    double tx, ty, length;
};

class PanelKernel {
public:
    // planeAbove: the height of a grounded plane above (0: none); mirror: +1
    // for a single trace (its other half alike), -1 for a pair's odd mode.
    PanelKernel(double planeAbove, double mirror) : b_(planeAbove), mirror_(mirror) {}

    // At p, from the panel a-b.
    double potential(Point p, const Segment& s) const;
    // The field along n at p. `own`: p is the panel's own midpoint, where
    // only the principal value counts.
    double normalField(Point p, Point n, const Segment& s, bool own) const;

private:
    template <typename Visit>
    void forEachImage(const Segment& s, Visit&& visit) const;
    template <typename Visit>
    void forEachGaussPoint(const Segment& s, Visit&& visit) const;
    double b_, mirror_;
};

} // namespace lmz0
