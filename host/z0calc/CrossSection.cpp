#include "CrossSection.h"

#include "LayerKinds.h"

#include <cmath>

namespace lmz0 {
namespace {

// Planes within this fraction of each other's height make a symmetric stripline.
constexpr double kSymmetryTolerance = 1e-3;

Dielectric dielectricOf(const LMLAYEREX& layer)
{
    return {layer.dThickness, layer.dEr, layer.dLossTangent, layer.dErFrequency};
}

struct SideScan {
    std::vector<Dielectric> dielectrics;
    bool reachedPlane = false;
    bool maskOnly = true;
    bool valid = true;
};

// Walks from the trace outward (step -1 up, +1 down) to the first reference plane.
SideScan scanSide(const LMLAYEREX* layers, int32_t count, int32_t index, int32_t step)
{
    SideScan side;
    for (int32_t i = index + step; i >= 0 && i < count; i += step) {
        const LMLAYEREX& layer = layers[i];
        if (isReferencePlane(layer)) {
            side.reachedPlane = true;
            break;
        }
        if (isPlating(layer)) continue;
        if (!isPositive(layer.dThickness) || !std::isfinite(layer.dEr) || layer.dEr < 1.0) side.valid = false;
        if (isMetal(layer) || layer.nUsage != LM_USAGE_SOLDER_MASK) side.maskOnly = false;
        side.dielectrics.push_back(dielectricOf(layer));
    }
    return side;
}

double totalThickness(const std::vector<Dielectric>& dielectrics)
{
    double sum = 0.0;
    for (const Dielectric& d : dielectrics) sum += d.thickness;
    return sum;
}

} // namespace

bool isConductorLayer(const LMLAYEREX& layer)
{
    return isMetal(layer) && layer.nUsage >= LM_USAGE_SIGNAL && layer.nUsage <= LM_USAGE_FLOODED_SIGNAL;
}

double CrossSection::h1() const { return totalThickness(planeSide); }
double CrossSection::h2() const { return totalThickness(otherSide); }

CrossSection crossSectionOf(const LMLAYEREX* layers, int32_t count, int32_t index, const LMLAYEREX& self)
{
    CrossSection section;
    if (!layers || index < 0 || index >= count || !isConductorLayer(self) || !isPositive(self.dThickness))
        return section;
    section.t = self.dThickness;
    section.resistivity = self.dBulkResistivity;
    section.tempCoef = self.dTempCoef;
    section.slabEr = std::isfinite(self.dEr) && self.dEr >= 1.0 ? self.dEr : 1.0;
    SideScan above = scanSide(layers, count, index, -1);
    SideScan below = scanSide(layers, count, index, +1);
    if (!above.valid || !below.valid) return section;
    if (below.reachedPlane && above.reachedPlane) {
        section.planeSide = std::move(below.dielectrics);
        section.otherSide = std::move(above.dielectrics);
        if (section.planeSide.empty() || section.otherSide.empty()) return section;
        const double h1 = section.h1(), h2 = section.h2();
        section.structure = std::abs(h1 - h2) <= kSymmetryTolerance * std::max(h1, h2) ? Structure::Stripline
                                                                                        : Structure::OffsetStripline;
        return section;
    }
    if (!below.reachedPlane && !above.reachedPlane) return section;
    SideScan& planeSide = below.reachedPlane ? below : above;
    SideScan& openSide = below.reachedPlane ? above : below;
    if (planeSide.dielectrics.empty()) return section;
    section.planeSide = std::move(planeSide.dielectrics);
    section.otherSide = std::move(openSide.dielectrics);
    section.maskOnly = !section.otherSide.empty() && openSide.maskOnly;
    section.structure = section.otherSide.empty() || section.maskOnly ? Structure::Microstrip
                                                                      : Structure::EmbeddedMicrostrip;
    return section;
}

CrossSection crossSectionOf(const LMLAYEREX* layers, int32_t count, int32_t index)
{
    if (!layers || index < 0 || index >= count) return {};
    return crossSectionOf(layers, count, index, layers[index]);
}

} // namespace lmz0
