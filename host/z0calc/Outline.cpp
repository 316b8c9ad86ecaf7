#include "Outline.h"

#include "LineModel.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace lmz0 {
namespace {

// An open section's interfaces end this many section sizes out; a
// stripline's this many plane spacings beyond the trace (its field dies as
// exp(-pi x / spacing)). Further out changes no answer by 1e-4.
constexpr double kOpenDistance = 100.0;
constexpr double kStriplineSide = 8.0;
// Every stretch of an outline between two keys gets the same number of
// panels per step of fineness, graded towards both ends as f^p / (f^p + (1-f)^p)
// (the charge is singular at corners), so the panels move smoothly with the
// dimensions and so does the answer. A stretch out to the far end gets
// panels growing geometrically from a fraction of the smallest feature.
constexpr int kEdgePanels = 3;
constexpr double kGrading = 3.0;
constexpr int kFarPanels = 9;
constexpr double kFarFirst = 0.003;
// Keys closer than this are one; probes this far off a line tell its sides.
constexpr double kTouching = 1e-9;
constexpr double kProbe = 1e-7;

double permittivityAt(const Geometry& g, double x, double y)
{
    for (const Band& b : g.bands)
        if (y >= b.y0 && y < b.y1) return b.er;
    if (g.coat > 0.0) {
        if (y >= g.y0 && y < g.y0 + g.coat) return g.coatEr;
        if (x >= g.x0 - g.coat && x < g.x1 + g.coat && y >= g.y0 && y < g.y1 + g.coat) return g.coatEr;
    }
    if (y >= g.y0 && y < g.y1) return g.slabEr;
    return 1.0;
}

bool insideTrace(const Geometry& g, Point p) { return p.x > g.x0 && p.x < g.x1 && p.y > g.y0 && p.y < g.y1; }

// What lies along a->b: a face of the trace, an interface, or nothing.
std::optional<Panel> classify(const Geometry& g, Point a, Point b)
{
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const double nx = -(b.y - a.y) / length * kProbe, ny = (b.x - a.x) / length * kProbe;
    const Point mid{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
    const Point left{mid.x + nx, mid.y + ny}, right{mid.x - nx, mid.y - ny};
    const bool inLeft = insideTrace(g, left), inRight = insideTrace(g, right);
    if (inLeft && inRight) return std::nullopt;
    if (inLeft != inRight) {
        const Point outside = inLeft ? right : left;
        return Panel{a, b, true, permittivityAt(g, outside.x, outside.y), 1.0};
    }
    const double erLeft = permittivityAt(g, left.x, left.y), erRight = permittivityAt(g, right.x, right.y);
    if (erLeft == erRight) return std::nullopt;
    return Panel{a, b, false, erLeft, erRight};
}

std::vector<double> sortedKeys(std::vector<double> keys, double lo, double hi)
{
    keys.push_back(lo);
    keys.push_back(hi);
    std::erase_if(keys, [&](double k) { return k < lo || k > hi; });
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end(), [](double p, double q) { return q - p < kTouching; }),
               keys.end());
    return keys;
}

// Fractions 0..1 along a stretch of `count` panels, graded towards both ends.
std::vector<double> gradedBothEnds(int count)
{
    std::vector<double> at;
    for (int i = 0; i <= count; ++i) {
        const double f = static_cast<double>(i) / count;
        const double p = std::pow(f, kGrading), q = std::pow(1.0 - f, kGrading);
        at.push_back(p / (p + q));
    }
    return at;
}

// Fractions 0..1 along a stretch of `length`: `count` panels growing
// geometrically from `first` (evenly when that is too long).
std::vector<double> growingFrom(double first, double length, int count)
{
    // The ratio r with r^count - 1 = (length / first) (r - 1): Newton from
    // above, where the left side is convex, converges from one side.
    const double span = length / first;
    double ratio = 1.0;
    if (span > count) {
        ratio = std::pow(span, 1.0 / (count - 1)) + 1.0;
        for (int i = 0; i < 50; ++i) {
            double power = 1.0;
            for (int k = 1; k < count; ++k) power *= ratio;
            const double f = power * ratio - 1.0 - span * (ratio - 1.0), slope = count * power - span;
            const double next = ratio - f / slope;
            if (!(next < ratio)) break;
            ratio = next;
        }
    }
    std::vector<double> at{0.0};
    double step = 1.0;
    for (int i = 0; i < count; ++i, step *= ratio) at.push_back(at.back() + step);
    for (double& a : at) a /= at.back();
    return at;
}

void cut(const Panel& piece, const std::vector<double>& at, std::vector<Panel>& panels)
{
    for (std::size_t i = 0; i + 1 < at.size(); ++i) {
        Panel p = piece;
        p.a = {piece.a.x + at[i] * (piece.b.x - piece.a.x), piece.a.y + at[i] * (piece.b.y - piece.a.y)};
        p.b = {piece.a.x + at[i + 1] * (piece.b.x - piece.a.x), piece.a.y + at[i + 1] * (piece.b.y - piece.a.y)};
        panels.push_back(p);
    }
}

// The pieces of one line between consecutive keys (each its own grading: a
// key may be where a corner above or below makes the field change fast).
std::vector<Panel> piecesAlong(const Geometry& g, Point from, Point to, const std::vector<double>& keys, bool alongX)
{
    std::vector<Panel> pieces;
    for (std::size_t k = 0; k + 1 < keys.size(); ++k) {
        const Point a = alongX ? Point{keys[k], from.y} : Point{from.x, keys[k]};
        const Point b = alongX ? Point{keys[k + 1], to.y} : Point{to.x, keys[k + 1]};
        const std::optional<Panel> piece = classify(g, a, b);
        if (piece) pieces.push_back(*piece);
    }
    return pieces;
}

} // namespace

Geometry geometryOf(const CrossSection& s, double w, double gap)
{
    Geometry g;
    const double unit = s.h1() + s.t;
    g.x0 = gap > 0.0 ? gap / 2.0 / unit : 0.0;
    g.x1 = g.x0 + (gap > 0.0 ? w : w / 2.0) / unit;
    double y = 0.0;
    for (auto it = s.planeSide.rbegin(); it != s.planeSide.rend(); ++it) {
        g.bands.push_back({y, y + it->thickness / unit, it->er});
        y += it->thickness / unit;
    }
    g.y0 = y;
    g.y1 = 1.0;
    g.topPlane = s.structure == Structure::Stripline || s.structure == Structure::OffsetStripline;
    y = g.y1;
    if (s.maskOnly) {
        const Dielectric coat = combined(s.otherSide);
        g.coat = coat.thickness / unit;
        g.coatEr = coat.er;
    } else {
        g.slabEr = s.otherSide.empty() ? 1.0 : s.slabEr;
        for (const Dielectric& d : s.otherSide) {
            g.bands.push_back({y, y + d.thickness / unit, d.er});
            y += d.thickness / unit;
        }
    }
    g.top = y;
    return g;
}

std::vector<Panel> outlineOf(const Geometry& g, int fineness)
{
    const double far = g.topPlane ? g.x1 + kStriplineSide * g.top : kOpenDistance * (g.y1 + g.x1 + g.coat);
    std::vector<double> xKeys{g.x0, g.x1}, yKeys{g.y0, g.y1};
    for (const Band& b : g.bands) yKeys.insert(yKeys.end(), {b.y0, b.y1});
    if (g.coat > 0.0) {
        xKeys.insert(xKeys.end(), {g.x0 - g.coat, g.x1 + g.coat});
        yKeys.insert(yKeys.end(), {g.y0 + g.coat, g.y1 + g.coat});
    }
    xKeys = sortedKeys(xKeys, 0.0, far);
    const double yTop = g.topPlane ? g.top : std::max(g.top, g.y1 + g.coat);
    yKeys = sortedKeys(yKeys, 0.0, yTop);
    // The first panel on the smallest feature sets where the far stretches start.
    double smallest = std::min({g.x1 - g.x0, g.y1 - g.y0, g.y0, g.x0 > 0.0 ? g.x0 : g.x1});
    if (g.coat > 0.0) smallest = std::min(smallest, g.coat);
    const double first = smallest * kFarFirst;
    const std::vector<double> edge = gradedBothEnds(kEdgePanels * fineness);
    std::vector<Panel> conductors, interfaces;
    const auto add = [&](const std::vector<Panel>& pieces) {
        for (const Panel& piece : pieces) {
            const double length = std::hypot(piece.b.x - piece.a.x, piece.b.y - piece.a.y);
            cut(piece, piece.b.x >= far ? growingFrom(first, length, kFarPanels * fineness) : edge,
                piece.conductor ? conductors : interfaces);
        }
    };
    for (const double y : yKeys)
        if (y > 0.0 && (y < yTop || !g.topPlane)) add(piecesAlong(g, {0.0, y}, {far, y}, xKeys, true));
    for (const double x : xKeys)
        if (x > 0.0 && x < far) add(piecesAlong(g, {x, 0.0}, {x, yTop}, yKeys, false));
    conductors.insert(conductors.end(), interfaces.begin(), interfaces.end());
    return conductors;
}

} // namespace lmz0
