#include "FieldSolver.h"

#include "KeyedMemory.h"
#include "Outline.h"

#include <Eigen/Dense>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace lmz0 {
namespace {

constexpr double kEps0 = 8.8541878128e-12;
// Richardson: 2^p - 1 for an error falling as (panels)^-p.
constexpr double kAirGain = 7.0;
constexpr double kDielectricGain = 2.0;

// Capacitances per metre of the half section's trace at 1 V, in air and in its dielectrics.
struct Capacitances {
    double air = 0.0;
    double dielectric = 0.0;
    bool interfaces = false; // else the dielectric one is the air one times the Er
};

// The charge on every panel (over eps0) that holds the trace at 1 V: on the
// trace the potential is 1, on an interface the normal D is continuous,
//   q (er_left + er_right) / (2 (er_left - er_right)) + E_other . n = 0
// with n to the left. In air only the trace's panels carry charge. The free
// charge on the trace is its total charge times the Er touching it.
Capacitances capacitancesAt(const Geometry& g, bool odd, int fineness)
{
    const std::vector<Panel> panels = outlineOf(g, fineness);
    const PanelKernel kernel(g.topPlane ? g.top : 0.0, odd ? -1.0 : 1.0);
    const auto count = static_cast<Eigen::Index>(panels.size());
    Eigen::Index conductors = 0;
    while (conductors < count && panels[conductors].conductor) ++conductors;
    std::vector<Segment> segments;
    for (const Panel& p : panels) segments.emplace_back(p.a, p.b);
    Eigen::MatrixXd system(count, count);
    for (Eigen::Index i = 0; i < count; ++i) {
        const Panel& at = panels[i];
        const Point mid{(at.a.x + at.b.x) / 2.0, (at.a.y + at.b.y) / 2.0}, normal{-segments[i].ty, segments[i].tx};
        for (Eigen::Index j = 0; j < count; ++j)
            system(i, j) = at.conductor ? kernel.potential(mid, segments[j])
                                        : kernel.normalField(mid, normal, segments[j], i == j);
        if (!at.conductor) system(i, i) += (at.er + at.erRight) / (2.0 * (at.er - at.erRight));
    }
    const auto chargeOn = [&](const Eigen::VectorXd& q, bool air) {
        double sum = 0.0;
        for (Eigen::Index j = 0; j < conductors; ++j) sum += q[j] * segments[j].length * (air ? 1.0 : panels[j].er);
        return kEps0 * sum;
    };
    const Eigen::VectorXd inAir =
        system.topLeftCorner(conductors, conductors).partialPivLu().solve(Eigen::VectorXd::Ones(conductors));
    Capacitances c{chargeOn(inAir, true), 0.0, conductors < count};
    if (!c.interfaces) {
        c.dielectric = chargeOn(inAir, false);
        return c;
    }
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(count);
    rhs.head(conductors).setOnes();
    c.dielectric = chargeOn(system.partialPivLu().solve(rhs), false);
    return c;
}

// Two outlines, the second with twice the panels, extrapolated to fine ones
// (Richardson): the error of the air solution falls about eightfold from one
// to the other, that of a solution with interfaces threefold (the charge is
// singular where an interface meets the trace).
Capacitances capacitances(const Geometry& g, bool odd)
{
    const Capacitances coarse = capacitancesAt(g, odd, 1), fine = capacitancesAt(g, odd, 2);
    const double gain = fine.interfaces ? kDielectricGain : kAirGain;
    return {fine.air + (fine.air - coarse.air) / kAirGain,
            fine.dielectric + (fine.dielectric - coarse.dielectric) / gain, fine.interfaces};
}

// Answers per geometry: the grid refresh asks the same questions again and again.
KeyedMemory<Mode, 4096>& cache()
{
    static KeyedMemory<Mode, 4096> instance;
    return instance;
}

std::string geometryKey(const Geometry& g, bool odd)
{
    std::vector<double> values{g.x0, g.x1, g.y0, g.y1, g.top, g.slabEr, g.coat, g.coatEr,
                               g.topPlane ? 1.0 : 0.0, odd ? 1.0 : 0.0};
    for (const Band& b : g.bands) values.insert(values.end(), {b.y0, b.y1, b.er});
    return keyOf(values);
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
    const Capacitances both = capacitances(g, odd);
    const double cAir = share * both.air, c = share * both.dielectric;
    if (!(cAir > 0.0) || !(c > 0.0) || !std::isfinite(c)) return {0.0, 1.0};
    const Mode mode{1.0 / (kLightSpeed * cAir), c / cAir};
    cache().store(key, mode);
    return mode;
}

} // namespace lmz0
