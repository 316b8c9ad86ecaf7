#include "LineLoss.h"

#include "FieldSolver.h"
#include "LineModel.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace lmz0 {
namespace {

using std::numbers::pi;

constexpr double kMu0 = 4e-7 * pi;
constexpr double kNeperToDb = 8.685889638065036;
constexpr double kReferenceTemperatureC = 20.0;

// Poles of the wideband Debye model from 10 kHz to 1 THz.
constexpr double kOmegaLow = 2.0 * pi * 1e4;
constexpr double kOmegaHigh = 2.0 * pi * 1e12;

std::complex<double> debyeShape(double frequency)
{
    const double omega = 2.0 * pi * frequency;
    const std::complex<double> j(0.0, omega);
    return std::log((kOmegaHigh + j) / (kOmegaLow + j)) / std::log(kOmegaHigh / kOmegaLow);
}

// The same cross-section with every conductor surface receded by n.
CrossSection receded(CrossSection section, double n)
{
    section.t -= 2.0 * n;
    section.planeSide.front().thickness += 2.0 * n;
    if (section.structure == Structure::Stripline || section.structure == Structure::OffsetStripline)
        section.otherSide.front().thickness += 2.0 * n;
    return section;
}

} // namespace

Permittivity djordjevicSarkar(double er, double tanDelta, double anchor, double frequency)
{
    if (tanDelta <= 0.0 || anchor <= 0.0) return {er, std::max(tanDelta, 0.0)};
    const std::complex<double> atAnchor = debyeShape(anchor);
    const double spread = -er * tanDelta / atAnchor.imag();
    const double erInfinity = er - spread * atAnchor.real();
    const std::complex<double> eps = erInfinity + spread * debyeShape(frequency);
    return {eps.real(), -eps.imag() / eps.real()};
}

LineLoss::LineLoss(const CrossSection& section, double w, const LossOptions& options)
{
    if (section.structure == Structure::None || !(w > 0.0) || !std::isfinite(w)) return;
    resistivity_ = section.resistivity * (1.0 + section.tempCoef * (options.temperatureC - kReferenceTemperatureC));
    if (!(resistivity_ > 0.0) || !std::isfinite(resistivity_)) return;
    rdc_ = resistivity_ / (w * section.t);
    roughness_ = std::max(options.roughnessRms, 0.0);

    const Mode mode = fieldSolvedLine(section, w, 0.0);
    zAir_ = mode.zAir;
    // Wheeler's incremental-inductance rule, R = Rs / eta0 * dZair/dn, with the
    // derivative of the closed form (the solver's grid moves with the geometry).
    const double n = 1e-4 * std::min(w, section.t);
    const double zClosed = singleLine(section, w).zAir;
    rhfPerRs_ = (singleLine(receded(section, n), w - 2.0 * n).zAir - zClosed) / n / kEta0;

    std::vector<Dielectric> all = section.planeSide;
    if (section.structure != Structure::Microstrip || section.maskOnly)
        all.insert(all.end(), section.otherSide.begin(), section.otherSide.end());
    const Dielectric material = combined(all);
    er_ = material.er;
    tanDelta_ = material.tanDelta;
    erFrequency_ = material.erFrequency;
    filling_ = er_ > 1.0 ? std::clamp((mode.erEff - 1.0) / (er_ - 1.0), 0.0, 1.0) : 1.0;
    valid_ = std::isfinite(zAir_) && zAir_ > 0.0 && std::isfinite(rhfPerRs_) && rhfPerRs_ > 0.0;
}

LossPoint LineLoss::at(double frequency) const
{
    const double surfaceResistance = std::sqrt(pi * frequency * kMu0 * resistivity_);
    const double skinDepth = std::sqrt(resistivity_ / (pi * frequency * kMu0));
    // Hammerstad-Jensen roughness factor: up to twice the smooth loss.
    const double rough = 1.0 + 2.0 / pi * std::atan(1.4 * std::pow(roughness_ / skinDepth, 2));
    const double rhf = surfaceResistance * rough * rhfPerRs_;

    const Permittivity material = djordjevicSarkar(er_, tanDelta_, erFrequency_, frequency);
    const double erEff = 1.0 + filling_ * (material.er - 1.0);
    const double tanDeltaEff = filling_ * material.er * material.tanDelta / erEff;
    const double z0 = zAir_ / std::sqrt(erEff);

    LossPoint point;
    point.resistance = std::hypot(rdc_, rhf);
    point.resistiveAttenuation = kNeperToDb * point.resistance / (2.0 * z0);
    point.dielectricAttenuation = kNeperToDb * pi * frequency * std::sqrt(erEff) * tanDeltaEff / kLightSpeed;
    point.attenuation = point.resistiveAttenuation + point.dielectricAttenuation;
    return point;
}

} // namespace lmz0
