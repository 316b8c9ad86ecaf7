#include "PanelKernel.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace lmz0 {
namespace {

constexpr double kPi = std::numbers::pi;
// Beyond this many panel lengths from its middle a panel acts through the
// expansion about its middle to fourth order (the term's relative error is
// below 1e-4 there); nearer, it is integrated exactly.
constexpr double kFarLengths = 2.0;
// Beyond this many plane spacings / pi along x the plane pair's field has died (e^-60).
constexpr double kDeadSpacings = 30.0;

// The far expansions' small parameter is tangent / d as a complex number,
// d from the panel's middle to p.
struct Complex {
    double x, y;
};
Complex squared(Complex z) { return {z.x * z.x - z.y * z.y, 2.0 * z.x * z.y}; }

// p seen from a panel: d from its middle, r2 = |d|^2.
struct Offset {
    double dx, dy, r2;
};
Offset offsetOf(Point p, const Segment& s)
{
    const double dx = p.x - 0.5 * (s.a.x + s.b.x), dy = p.y - 0.5 * (s.a.y + s.b.y);
    return {dx, dy, dx * dx + dy * dy};
}

bool far(const Offset& o, const Segment& s) { return o.r2 > kFarLengths * kFarLengths * s.length * s.length; }

// Far from the panel: the integral of ln r over it less length * ln |d|,
// the middle's expansion to fourth order: -length^3/24 Re z^2 - length^5/320 Re z^4.
double farLnIntegralRest(const Offset& o, const Segment& s)
{
    const double inverse = 1.0 / o.r2;
    const Complex z2 = squared({(s.tx * o.dx + s.ty * o.dy) * inverse, (s.ty * o.dx - s.tx * o.dy) * inverse});
    const double l2 = s.length * s.length;
    return -s.length * l2 * (z2.x / 24.0 + l2 / 320.0 * (z2.x * z2.x - z2.y * z2.y));
}

// Near it, exactly: with u along the panel from a and v along its normal
// (the tangent turned left), the ends at x1 = -u and x2 = length - u.
struct Near {
    double x1, x2, v, r1, r2;
};
Near nearOf(Point p, const Segment& s)
{
    const double px = p.x - s.a.x, py = p.y - s.a.y;
    const double u = px * s.tx + py * s.ty, v = py * s.tx - px * s.ty;
    const double x1 = -u, x2 = s.length - u;
    return {x1, x2, v, x1 * x1 + v * v, x2 * x2 + v * v};
}

double nearLnIntegral(const Near& n, double length)
{
    const double l1 = n.r1 > 0.0 ? std::log(n.r1) : 0.0, l2 = n.r2 > 0.0 ? std::log(n.r2) : 0.0;
    const double angle = std::atan2(n.v * length, n.x1 * n.x2 + n.v * n.v);
    return 0.5 * (n.x2 * l2 - n.x1 * l1) - length + n.v * angle;
}

// The field along (nx, ny): near, the subtended angle over 2 pi across the
// panel and the log of the distances' ratio along it; far, 1/conj(z)
// integrated to fourth order, (length + length^3/12 e^2 + length^5/80 e^4) / conj(d)
// with e = conj(t/d).
double segmentField(Point p, const Segment& s, double nx, double ny, bool own)
{
    const Offset o = offsetOf(p, s);
    if (far(o, s)) {
        const double inverse = 1.0 / o.r2, ux = o.dx * inverse, uy = o.dy * inverse;
        const Complex z2 = squared({s.tx * ux + s.ty * uy, s.ty * ux - s.tx * uy}), z4 = squared(z2);
        const double l2 = s.length * s.length;
        const double sx = s.length * (1.0 + l2 / 12.0 * z2.x + l2 * l2 / 80.0 * z4.x);
        const double sy = -s.length * (l2 / 12.0 * z2.y + l2 * l2 / 80.0 * z4.y);
        return ((ux * sx - uy * sy) * nx + (ux * sy + uy * sx) * ny) / (2.0 * kPi);
    }
    const Near n = nearOf(p, s);
    const double tangential = std::log(n.r1 / n.r2) / (4.0 * kPi);
    const double normal = own ? 0.0 : std::atan2(n.v * s.length, n.x1 * n.x2 + n.v * n.v) / (2.0 * kPi);
    const double ex = tangential * s.tx - normal * s.ty, ey = tangential * s.ty + normal * s.tx;
    return ex * nx + ey * ny;
}

// The Green's function between grounded planes at y = 0 and y = h,
// (1/4 pi) ln[(cosh(pi dx/h) - cos(pi (y+y')/h)) / (cosh(pi dx/h) - cos(pi (y-y')/h))],
// less the line charge at q and its images in either plane, which the panel
// integrals take exactly: what is left is smooth over the section. Its
// potential and its field along n.
struct Remainder {
    double potential, normalField;
};

Remainder planePairRemainder(Point p, Point q, double h, double nx, double ny)
{
    const double k = kPi / (2.0 * h);
    const double dx = p.x - q.x, sum = p.y + q.y, diff = p.y - q.y, above = sum - 2.0 * h;
    const double r = dx * dx + diff * diff, rBelow = dx * dx + sum * sum, rAbove = dx * dx + above * above;
    double ratio = r / (rBelow * rAbove);
    double gx = 2.0 * dx * (1.0 / r - 1.0 / rBelow - 1.0 / rAbove);
    double gy = 2.0 * (diff / r - sum / rBelow - above / rAbove);
    const double alpha = k * dx;
    if (std::abs(alpha) < kDeadSpacings) {
        // cosh(2a) - cos(2c) = 2 (sinh^2 a + sin^2 c), without cancellation near the charge;
        // the double angles from the single ones (the sines are most of a stripline's solution).
        const double sh = std::sinh(alpha), sp = std::sin(k * sum), sm = std::sin(k * diff);
        const double cp = std::cos(k * sum), cm = std::cos(k * diff);
        const double dPlus = sh * sh + sp * sp, dMinus = sh * sh + sm * sm;
        ratio *= dPlus / dMinus;
        gx += k * 2.0 * sh * std::sqrt(1.0 + sh * sh) * (1.0 / dPlus - 1.0 / dMinus);
        gy += k * 2.0 * (sp * cp / dPlus - sm * cm / dMinus);
    }
    return {std::log(ratio) / (4.0 * kPi), -(gx * nx + gy * ny) / (4.0 * kPi)};
}

} // namespace

Segment::Segment(Point from, Point to) : a(from), b(to), length(std::hypot(to.x - from.x, to.y - from.y))
{
    tx = (to.x - from.x) / length;
    ty = (to.y - from.y) / length;
}

// visit(image, sign, itself) for the panel and its images in the planes and
// the symmetry plane (its own mirror image among them).
template <typename Visit>
void PanelKernel::forEachImage(const Segment& s, Visit&& visit) const
{
    for (const double side : {1.0, -1.0}) {
        const double sign = side > 0.0 ? 1.0 : mirror_;
        const double ax = side * s.a.x, bx = side * s.b.x, tx = side * s.tx;
        visit(Segment({ax, s.a.y}, {bx, s.b.y}, tx, s.ty, s.length), sign, side > 0.0);
        visit(Segment({ax, -s.a.y}, {bx, -s.b.y}, tx, -s.ty, s.length), -sign, false);
        if (b_ > 0.0)
            visit(Segment({ax, 2.0 * b_ - s.a.y}, {bx, 2.0 * b_ - s.b.y}, tx, -s.ty, s.length), -sign, false);
    }
}

// visit(q, weight) at the two Gauss-Legendre points of the panel and of its mirror.
template <typename Visit>
void PanelKernel::forEachGaussPoint(const Segment& s, Visit&& visit) const
{
    const double offset = 0.5 / std::numbers::sqrt3;
    for (const double side : {1.0, -1.0})
        for (const double f : {0.5 - offset, 0.5 + offset})
            visit(Point{side * (s.a.x + f * (s.b.x - s.a.x)), s.a.y + f * (s.b.y - s.a.y)},
                  (side > 0.0 ? 1.0 : mirror_) * 0.5 * s.length);
}

double PanelKernel::potential(Point p, const Segment& s) const
{
    // The far images' length * ln |d| in one logarithm.
    double lnIntegrals = 0.0, distances = 1.0;
    forEachImage(s, [&](const Segment& image, double sign, bool) {
        const Offset o = offsetOf(p, image);
        if (!far(o, image)) {
            lnIntegrals += sign * nearLnIntegral(nearOf(p, image), image.length);
            return;
        }
        lnIntegrals += sign * farLnIntegralRest(o, image);
        distances *= sign > 0.0 ? o.r2 : 1.0 / o.r2;
    });
    double sum = -(lnIntegrals + 0.5 * s.length * std::log(distances)) / (2.0 * kPi);
    if (b_ > 0.0)
        forEachGaussPoint(s, [&](Point q, double weight) {
            sum += weight * planePairRemainder(p, q, b_, 0.0, 0.0).potential;
        });
    return sum;
}

double PanelKernel::normalField(Point p, Point n, const Segment& s, bool own) const
{
    double sum = 0.0;
    forEachImage(s, [&](const Segment& image, double sign, bool itself) {
        sum += sign * segmentField(p, image, n.x, n.y, own && itself);
    });
    if (b_ > 0.0)
        forEachGaussPoint(s, [&](Point q, double weight) {
            sum += weight * planePairRemainder(p, q, b_, n.x, n.y).normalField;
        });
    return sum;
}

} // namespace lmz0
