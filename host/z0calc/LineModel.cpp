#include "LineModel.h"

#include <algorithm>
#include <cmath>

namespace lmz0 {
namespace {

// Fraction of the field above a bare microstrip that a planar cover of
// thickness d (over the trace top) takes into its dielectric.
double coverFill(double d, double t, double h) { return 1.0 - std::exp(-2.0 * (d + t) / h); }

// The same for a conformal coat of thickness c over trace and substrate.
double coatFill(double c, double t, double h) { return 1.0 - std::exp(-2.0 * (c + t) / h); }

// The part of the field above the plane-side dielectric moves into the cover.
Mode covered(Mode bare, double erBelow, const CrossSection& section)
{
    if (section.otherSide.empty()) return bare;
    const Dielectric cover = combined(section.otherSide);
    const double q = erBelow > 1.0 ? std::clamp((bare.erEff - 1.0) / (erBelow - 1.0), 0.0, 1.0) : 0.0;
    const double h = section.h1();
    const double fill = section.maskOnly ? coatFill(cover.thickness, section.t, h)
                                         : coverFill(cover.thickness, section.t, h);
    bare.erEff = q * erBelow + (1.0 - q) * (1.0 + (cover.er - 1.0) * fill);
    return bare;
}

// Between two planes each half holds the capacitance of its own centred line.
double halvesEffectiveEr(double zLowerHalf, double zUpperHalf, double erBelow, double erAbove)
{
    const double cLower = 1.0 / zLowerHalf, cUpper = 1.0 / zUpperHalf;
    return (erBelow * cLower + erAbove * cUpper) / (cLower + cUpper);
}

} // namespace

Dielectric combined(const std::vector<Dielectric>& stack)
{
    Dielectric result{0.0, 1.0, 0.0, 1e6};
    double thickest = -1.0, hOverEr = 0.0, loss = 0.0;
    for (const Dielectric& d : stack) {
        result.thickness += d.thickness;
        hOverEr += d.thickness / d.er;
        loss += d.thickness / d.er * d.tanDelta;
        if (d.thickness > thickest) {
            thickest = d.thickness;
            result.erFrequency = d.erFrequency;
        }
    }
    if (hOverEr > 0.0) {
        result.er = result.thickness / hOverEr;
        result.tanDelta = loss / hOverEr;
    }
    return result;
}

Mode singleLine(const CrossSection& s, double w)
{
    const Dielectric below = combined(s.planeSide);
    if (s.structure == Structure::Microstrip || s.structure == Structure::EmbeddedMicrostrip)
        return covered(microstrip(w, below.thickness, s.t, below.er), below.er, s);
    const Dielectric above = combined(s.otherSide);
    const double zAir = striplineAirImpedance(w, below.thickness, above.thickness, s.t);
    if (below.er == above.er) return {zAir, below.er};
    const double zLower = striplineAirImpedance(w, below.thickness, below.thickness, s.t);
    const double zUpper = striplineAirImpedance(w, above.thickness, above.thickness, s.t);
    return {zAir, halvesEffectiveEr(zLower, zUpper, below.er, above.er)};
}

Mode oddModeLine(const CrossSection& s, double w, double gap)
{
    const Dielectric below = combined(s.planeSide);
    if (s.structure == Structure::Microstrip || s.structure == Structure::EmbeddedMicrostrip)
        return covered(coupledMicrostripOdd(w, gap, below.thickness, s.t, below.er), below.er, s);
    const Dielectric above = combined(s.otherSide);
    const double zAir = coupledStriplineOddAirImpedance(w, gap, below.thickness, above.thickness, s.t);
    if (below.er == above.er) return {zAir, below.er};
    const double zLower = coupledStriplineOddAirImpedance(w, gap, below.thickness, below.thickness, s.t);
    const double zUpper = coupledStriplineOddAirImpedance(w, gap, above.thickness, above.thickness, s.t);
    return {zAir, halvesEffectiveEr(zLower, zUpper, below.er, above.er)};
}

} // namespace lmz0
