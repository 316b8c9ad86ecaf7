#include "FieldSolver.h"

#include "LineModel.h"

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace lmz0 {
namespace {

constexpr double kEps0 = 8.8541878128e-12;

// Grid: the finest step is a fraction of the smallest feature; steps then
// grow linearly with the distance from the nearest edge. Two grids, the finest
// steps one half of the other, extrapolate the capacitance to a fine grid: it
// converges about linearly in the step because of the fields at the corners.
constexpr double kCoarseFraction = 1.0 / 5.0;
constexpr double kFineFraction = 1.0 / 10.0;
constexpr double kGrowth = 0.25;
// Beyond this many grid nodes (a cross-section far outside board sizes) there is no answer.
constexpr std::size_t kMostNodes = 200000;
// An open top and side lie this many cross-section sizes away.
constexpr double kOpenDistance = 40.0;
// A stripline's side wall lies this many plane spacings beyond the trace.
constexpr double kStriplineSide = 6.0;

struct Band {
    double y0, y1, er;
};

// The half section x >= 0 (the symmetry plane at x = 0), y = 0 the plane below.
struct Geometry {
    double x0 = 0.0, x1 = 0.0;   // the trace
    double y0 = 0.0, y1 = 0.0;
    double top = 0.0;            // the plane above (stripline) or the open top
    double side = 0.0;           // the far side
    bool topPlane = false;
    std::vector<Band> bands;     // full-width dielectrics
    double slabEr = 1.0;         // beside the trace
    double coat = 0.0, coatEr = 1.0;
};

Geometry geometryOf(const CrossSection& s, double w, double gap)
{
    Geometry g;
    g.x0 = gap > 0.0 ? gap / 2.0 : 0.0;
    g.x1 = g.x0 + (gap > 0.0 ? w : w / 2.0);
    double y = 0.0;
    for (auto it = s.planeSide.rbegin(); it != s.planeSide.rend(); ++it) {
        g.bands.push_back({y, y + it->thickness, it->er});
        y += it->thickness;
    }
    g.y0 = y;
    g.y1 = y + s.t;
    g.topPlane = s.structure == Structure::Stripline || s.structure == Structure::OffsetStripline;
    if (s.maskOnly) {
        const Dielectric coat = combined(s.otherSide);
        g.coat = coat.thickness;
        g.coatEr = coat.er;
    } else {
        g.slabEr = s.otherSide.empty() ? 1.0 : s.slabEr;
        y = g.y1;
        for (const Dielectric& d : s.otherSide) {
            g.bands.push_back({y, y + d.thickness, d.er});
            y += d.thickness;
        }
    }
    if (g.topPlane) {
        g.top = y;
        g.side = g.x1 + kStriplineSide * g.top;
    } else {
        const double size = g.y1 + g.x1 + g.coat;
        g.top = kOpenDistance * size;
        g.side = kOpenDistance * size;
    }
    return g;
}

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

// Grid lines from lo to hi through every key.
// Offsets from an edge to the middle of a stretch of `half` length: steps that
// start at `first` and grow with the distance, stretched to end exactly in the
// middle, so that no sliver of a cell appears when the geometry changes a little.
std::vector<double> gradedHalf(double half, double first)
{
    std::vector<double> offsets{0.0};
    for (double p = 0.0; p < half;) {
        p += first + kGrowth * p;
        offsets.push_back(p);
    }
    const double stretch = half / offsets.back();
    for (double& offset : offsets) offset *= stretch;
    return offsets;
}

// Grid lines from lo to hi through every key. The first step from an edge is
// `fraction` of the smallest feature, or of the stretch to the next edge when
// that is shorter.
std::vector<double> gradedAxis(std::vector<double> keys, double lo, double hi, double smallest, double fraction)
{
    keys.push_back(lo);
    keys.push_back(hi);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::remove_if(keys.begin(), keys.end(), [&](double k) { return k < lo || k > hi; }), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end(), [&](double a, double b) { return b - a < smallest * 1e-6; }),
               keys.end());
    std::vector<double> points{keys.front()};
    for (std::size_t k = 0; k + 1 < keys.size(); ++k) {
        const double a = keys[k], b = keys[k + 1];
        const std::vector<double> offsets = gradedHalf((b - a) / 2.0, fraction * std::min(smallest, b - a));
        for (std::size_t i = 1; i < offsets.size(); ++i) points.push_back(a + offsets[i]);
        for (std::size_t i = offsets.size() - 1; i-- > 0;) points.push_back(b - offsets[i]);
    }
    return points;
}

// Capacitance per metre of the half section's trace at 1 V on one grid.
double gridCapacitance(const Geometry& g, bool air, bool odd, double fraction)
{
    const double smallest =
        std::min({g.x1 - g.x0, g.y1 - g.y0, g.y0, g.x0 > 0.0 ? g.x0 : g.x1, g.topPlane ? g.top - g.y1 : g.y0});
    std::vector<double> xKeys{0.0, g.x0, g.x1};
    std::vector<double> yKeys{0.0, g.y0, g.y1};
    for (const Band& b : g.bands) {
        yKeys.push_back(b.y0);
        yKeys.push_back(b.y1);
    }
    if (g.coat > 0.0) {
        xKeys.insert(xKeys.end(), {std::max(0.0, g.x0 - g.coat), g.x1 + g.coat});
        yKeys.insert(yKeys.end(), {g.y0 + g.coat, g.y1 + g.coat});
    }
    const std::vector<double> xs = gradedAxis(xKeys, 0.0, g.side, smallest, fraction);
    const std::vector<double> ys = gradedAxis(yKeys, 0.0, g.top, smallest, fraction);
    if (xs.size() * ys.size() > kMostNodes) return 0.0;
    const int nx = static_cast<int>(xs.size()), ny = static_cast<int>(ys.size());
    auto node = [nx](int i, int j) { return j * nx + i; };

    // Fixed potentials: the planes 0, the trace 1, the odd mode's symmetry plane 0.
    std::vector<double> potential(static_cast<std::size_t>(nx) * ny, 0.0);
    std::vector<int> unknown(potential.size(), -1);
    int unknowns = 0;
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            const bool onTrace = xs[i] >= g.x0 && xs[i] <= g.x1 && ys[j] >= g.y0 && ys[j] <= g.y1;
            const bool grounded = j == 0 || (g.topPlane && j == ny - 1) || (odd && i == 0);
            if (onTrace) potential[node(i, j)] = 1.0;
            else if (!grounded) unknown[node(i, j)] = unknowns++;
        }

    // Edge conductances: each cell lends half its width to the edges along it.
    struct Edge {
        int a, b;
        double c;
    };
    std::vector<Edge> edges;
    edges.reserve(static_cast<std::size_t>(4 * nx * ny));
    for (int j = 0; j + 1 < ny; ++j)
        for (int i = 0; i + 1 < nx; ++i) {
            const double dx = xs[i + 1] - xs[i], dy = ys[j + 1] - ys[j];
            const double e = air ? 1.0 : permittivityAt(g, (xs[i] + xs[i + 1]) / 2.0, (ys[j] + ys[j + 1]) / 2.0);
            const double horizontal = e * dy / (2.0 * dx), vertical = e * dx / (2.0 * dy);
            edges.push_back({node(i, j), node(i + 1, j), horizontal});
            edges.push_back({node(i, j + 1), node(i + 1, j + 1), horizontal});
            edges.push_back({node(i, j), node(i, j + 1), vertical});
            edges.push_back({node(i + 1, j), node(i + 1, j + 1), vertical});
        }

    std::vector<Eigen::Triplet<double>> triplets;
    triplets.reserve(edges.size() * 4);
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(unknowns);
    for (const Edge& e : edges) {
        const int ua = unknown[e.a], ub = unknown[e.b];
        if (ua >= 0) triplets.emplace_back(ua, ua, e.c);
        if (ub >= 0) triplets.emplace_back(ub, ub, e.c);
        if (ua >= 0 && ub >= 0) {
            triplets.emplace_back(ua, ub, -e.c);
            triplets.emplace_back(ub, ua, -e.c);
        } else if (ua >= 0) {
            rhs[ua] += e.c * potential[e.b];
        } else if (ub >= 0) {
            rhs[ub] += e.c * potential[e.a];
        }
    }
    Eigen::SparseMatrix<double> matrix(unknowns, unknowns);
    matrix.setFromTriplets(triplets.begin(), triplets.end());
    Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> solver(matrix);
    if (solver.info() != Eigen::Success) return 0.0;
    const Eigen::VectorXd solution = solver.solve(rhs);
    for (std::size_t n = 0; n < potential.size(); ++n)
        if (unknown[n] >= 0) potential[n] = solution[unknown[n]];

    double energy = 0.0;
    for (const Edge& e : edges) energy += e.c * std::pow(potential[e.a] - potential[e.b], 2);
    return kEps0 * energy;
}

double capacitance(const Geometry& g, bool air, bool odd)
{
    const double coarse = gridCapacitance(g, air, odd, kCoarseFraction);
    const double fine = gridCapacitance(g, air, odd, kFineFraction);
    return 2.0 * fine - coarse;
}

// Answers per geometry: the grid refresh asks the same questions again and again.
class ModeCache {
public:
    bool find(const std::string& key, Mode& mode)
    {
        const std::lock_guard lock(mutex_);
        const auto it = modes_.find(key);
        if (it == modes_.end()) return false;
        mode = it->second;
        return true;
    }
    void store(const std::string& key, Mode mode)
    {
        const std::lock_guard lock(mutex_);
        if (modes_.size() >= kCapacity) modes_.clear();
        modes_.emplace(key, mode);
    }

private:
    static constexpr std::size_t kCapacity = 4096;
    std::mutex mutex_;
    std::unordered_map<std::string, Mode> modes_;
};

ModeCache& cache()
{
    static ModeCache instance;
    return instance;
}

std::string keyOf(const Geometry& g, bool odd)
{
    std::vector<double> values{g.x0, g.x1, g.y0, g.y1, g.top, g.side, g.slabEr, g.coat, g.coatEr,
                               g.topPlane ? 1.0 : 0.0, odd ? 1.0 : 0.0};
    for (const Band& b : g.bands) values.insert(values.end(), {b.y0, b.y1, b.er});
    std::string key(values.size() * sizeof(double), '\0');
    std::memcpy(key.data(), values.data(), key.size());
    return key;
}

bool homogeneous(const Geometry& g, double& er)
{
    if (!g.topPlane || g.coat > 0.0 || g.bands.empty()) return false;
    er = g.bands.front().er;
    for (const Band& b : g.bands)
        if (b.er != er) return false;
    return g.slabEr == er;
}

} // namespace

Mode fieldSolvedLine(const CrossSection& section, double w, double gap)
{
    if (section.structure == Structure::None || !(w > 0.0) || gap < 0.0) return {0.0, 1.0};
    const Geometry g = geometryOf(section, w, gap);
    const bool odd = gap > 0.0;
    const std::string key = keyOf(g, odd);
    Mode mode;
    if (cache().find(key, mode)) return mode;
    // The half section holds half a single trace, or one trace of the pair.
    const double share = odd ? 1.0 : 2.0;
    const double cAir = share * capacitance(g, true, odd);
    double er = 1.0;
    const double c = homogeneous(g, er) ? er * cAir : share * capacitance(g, false, odd);
    if (!(cAir > 0.0) || !(c > 0.0) || !std::isfinite(c)) return {0.0, 1.0};
    mode = {1.0 / (kLightSpeed * cAir), c / cAir};
    cache().store(key, mode);
    return mode;
}

} // namespace lmz0
