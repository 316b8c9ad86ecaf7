#include "FieldSolver.h"

#include "KeyedMemory.h"
#include "LineModel.h"

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <future>
#include <optional>
#include <string>
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
constexpr std::size_t kStretchedCells = 3;
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

// Offsets from an edge to the middle of a stretch of `half` length: steps that
// start at `first` and grow with the distance, the last few stretched to end
// exactly in the middle. No sliver of a cell appears when the geometry changes
// a little, and when it changes enough for one more step, only the cells in the
// middle, where the field is smooth, change: the answer stays smooth in the
// dimensions (a root search on it converges) instead of jumping by 1e-4.
std::vector<double> gradedHalf(double half, double first)
{
    std::vector<double> offsets{0.0};
    for (double p = 0.0; p < half;) {
        p += first + kGrowth * p;
        offsets.push_back(p);
    }
    const std::size_t kept = offsets.size() > kStretchedCells + 1 ? offsets.size() - kStretchedCells - 1 : 0;
    const double from = offsets[kept], stretch = (half - from) / (offsets.back() - from);
    for (std::size_t i = kept + 1; i < offsets.size(); ++i) offsets[i] = from + (offsets[i] - from) * stretch;
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

// Capacitances per metre of the half section's trace at 1 V, in air and in its dielectrics.
struct Capacitances {
    double air = 0.0;
    double dielectric = 0.0;
};

// The five-point system of one grid. Both media share the grid, the fixed
// nodes and so the sparsity pattern: the fill-reducing ordering is found once.
class GridSystem {
public:
    GridSystem(const Geometry& g, bool odd, double fraction)
    {
        const double smallest = std::min(
            {g.x1 - g.x0, g.y1 - g.y0, g.y0, g.x0 > 0.0 ? g.x0 : g.x1, g.topPlane ? g.top - g.y1 : g.y0});
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
        xs_ = gradedAxis(xKeys, 0.0, g.side, smallest, fraction);
        ys_ = gradedAxis(yKeys, 0.0, g.top, smallest, fraction);
        nx_ = static_cast<int>(xs_.size());
        ny_ = static_cast<int>(ys_.size());
        if (xs_.size() * ys_.size() > kMostNodes) return;
        // Fixed potentials: the planes 0, the trace 1, the odd mode's symmetry plane 0.
        potential_.assign(xs_.size() * ys_.size(), 0.0);
        unknown_.assign(potential_.size(), -1);
        for (int j = 0; j < ny_; ++j)
            for (int i = 0; i < nx_; ++i) {
                const bool onTrace = xs_[i] >= g.x0 && xs_[i] <= g.x1 && ys_[j] >= g.y0 && ys_[j] <= g.y1;
                const bool grounded = j == 0 || (g.topPlane && j == ny_ - 1) || (odd && i == 0);
                if (onTrace) potential_[node(i, j)] = 1.0;
                else if (!grounded) unknown_[node(i, j)] = unknowns_++;
            }
        cellEr_.resize(static_cast<std::size_t>(nx_ - 1) * (ny_ - 1));
        for (int j = 0; j + 1 < ny_; ++j)
            for (int i = 0; i + 1 < nx_; ++i)
                cellEr_[cell(i, j)] = permittivityAt(g, (xs_[i] + xs_[i + 1]) / 2.0, (ys_[j] + ys_[j + 1]) / 2.0);
    }

    bool usable() const { return !potential_.empty() && unknowns_ > 0; }

    // The capacitance with every cell in air, or with the cells' own permittivity.
    double capacitance(bool air)
    {
        Eigen::SparseMatrix<double> matrix(unknowns_, unknowns_);
        Eigen::VectorXd rhs = Eigen::VectorXd::Zero(unknowns_);
        const Edges e = edges(air);
        assemble(e, matrix, rhs);
        if (!analysed_) {
            solver_.analyzePattern(matrix);
            analysed_ = true;
        }
        solver_.factorize(matrix);
        if (solver_.info() != Eigen::Success) return 0.0;
        const Eigen::VectorXd solution = solver_.solve(rhs);
        std::vector<double> potential = potential_;
        for (std::size_t n = 0; n < potential.size(); ++n)
            if (unknown_[n] >= 0) potential[n] = solution[unknown_[n]];
        return kEps0 * energy(e, potential);
    }

private:
    int node(int i, int j) const { return j * nx_ + i; }
    std::size_t cell(int i, int j) const { return static_cast<std::size_t>(j) * (nx_ - 1) + i; }

    // Each cell lends half its width to each of its four edges: the conductance
    // between two neighbouring nodes sums what the cells beside that edge lend.
    struct Edges {
        std::vector<double> across; // (i, j)-(i+1, j)
        std::vector<double> up;     // (i, j)-(i, j+1)
    };
    Edges edges(bool air) const
    {
        Edges e{std::vector<double>(static_cast<std::size_t>(nx_) * ny_, 0.0),
                std::vector<double>(static_cast<std::size_t>(nx_) * ny_, 0.0)};
        for (int j = 0; j + 1 < ny_; ++j)
            for (int i = 0; i + 1 < nx_; ++i) {
                const double dx = xs_[i + 1] - xs_[i], dy = ys_[j + 1] - ys_[j];
                const double er = air ? 1.0 : cellEr_[cell(i, j)];
                const double across = er * dy / (2.0 * dx), up = er * dx / (2.0 * dy);
                e.across[node(i, j)] += across;
                e.across[node(i, j + 1)] += across;
                e.up[node(i, j)] += up;
                e.up[node(i + 1, j)] += up;
            }
        return e;
    }

    // Calls visit(a, b, c) for every pair of neighbours a, b with conductance c.
    template <typename Visit>
    void forEachEdge(const Edges& e, Visit&& visit) const
    {
        for (int j = 0; j < ny_; ++j)
            for (int i = 0; i < nx_; ++i) {
                const int n = node(i, j);
                if (i + 1 < nx_) visit(n, node(i + 1, j), e.across[n]);
                if (j + 1 < ny_) visit(n, node(i, j + 1), e.up[n]);
            }
    }

    // The lower triangle (what the factorisation reads), column by column in
    // node order, and the right-hand side from the fixed potentials.
    void assemble(const Edges& e, Eigen::SparseMatrix<double>& matrix, Eigen::VectorXd& rhs) const
    {
        matrix.reserve(Eigen::VectorXi::Constant(unknowns_, 3));
        for (int j = 0; j < ny_; ++j)
            for (int i = 0; i < nx_; ++i) {
                const int n = node(i, j), u = unknown_[n];
                if (u < 0) continue;
                double diagonal = 0.0;
                const auto neighbour = [&](int other, double c, bool later) {
                    diagonal += c;
                    if (unknown_[other] < 0) rhs[u] += c * potential_[other];
                    else if (later) matrix.insert(unknown_[other], u) = -c;
                };
                if (i > 0) neighbour(node(i - 1, j), e.across[node(i - 1, j)], false);
                if (j > 0) neighbour(node(i, j - 1), e.up[node(i, j - 1)], false);
                matrix.insert(u, u) = 0.0;
                if (i + 1 < nx_) neighbour(node(i + 1, j), e.across[n], true);
                if (j + 1 < ny_) neighbour(node(i, j + 1), e.up[n], true);
                matrix.coeffRef(u, u) = diagonal;
            }
        matrix.makeCompressed();
    }

    double energy(const Edges& e, const std::vector<double>& potential) const
    {
        double sum = 0.0;
        forEachEdge(e, [&](int a, int b, double c) {
            const double drop = potential[a] - potential[b];
            sum += c * drop * drop;
        });
        return sum;
    }

    std::vector<double> xs_, ys_;
    int nx_ = 0, ny_ = 0;
    std::vector<double> potential_;
    std::vector<int> unknown_;
    int unknowns_ = 0;
    std::vector<double> cellEr_;
    Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> solver_;
    bool analysed_ = false;
};

Capacitances gridCapacitances(const Geometry& g, bool odd, bool withDielectric, double fraction)
{
    GridSystem system(g, odd, fraction);
    if (!system.usable()) return {};
    Capacitances c;
    c.air = system.capacitance(true);
    if (withDielectric) c.dielectric = system.capacitance(false);
    return c;
}

// Two grids, extrapolated to a fine one. The coarse grid is solved on a second
// thread: the caller (an editor's idle pass) waits for the slower one only.
Capacitances capacitances(const Geometry& g, bool odd, bool withDielectric)
{
    std::future<Capacitances> coarseSolution =
        std::async(std::launch::async, [&] { return gridCapacitances(g, odd, withDielectric, kCoarseFraction); });
    const Capacitances fine = gridCapacitances(g, odd, withDielectric, kFineFraction);
    const Capacitances coarse = coarseSolution.get();
    return {2.0 * fine.air - coarse.air, 2.0 * fine.dielectric - coarse.dielectric};
}

// Answers per geometry: the grid refresh asks the same questions again and again.
KeyedMemory<Mode, 4096>& cache()
{
    static KeyedMemory<Mode, 4096> instance;
    return instance;
}

std::string geometryKey(const Geometry& g, bool odd)
{
    std::vector<double> values{g.x0, g.x1, g.y0, g.y1, g.top, g.side, g.slabEr, g.coat, g.coatEr,
                               g.topPlane ? 1.0 : 0.0, odd ? 1.0 : 0.0};
    for (const Band& b : g.bands) values.insert(values.end(), {b.y0, b.y1, b.er});
    return keyOf(values);
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
    const std::string key = geometryKey(g, odd);
    if (const std::optional<Mode> known = cache().find(key)) return *known;
    // The half section holds half a single trace, or one trace of the pair.
    const double share = odd ? 1.0 : 2.0;
    double er = 1.0;
    const bool uniform = homogeneous(g, er);
    const Capacitances both = capacitances(g, odd, !uniform);
    const double cAir = share * both.air;
    const double c = uniform ? er * cAir : share * both.dielectric;
    if (!(cAir > 0.0) || !(c > 0.0) || !std::isfinite(c)) return {0.0, 1.0};
    const Mode mode{1.0 / (kLightSpeed * cAir), c / cAir};
    cache().store(key, mode);
    return mode;
}

} // namespace lmz0
