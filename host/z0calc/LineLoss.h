#pragma once
// Conductor and dielectric loss of a single trace over its cross-section.
#include "CrossSection.h"

#include <laminar/z0calc.h>

namespace lmz0 {

// One frequency of the loss curve; resistance ohm/m, attenuations dB/m.
struct LossPoint {
    double resistance = 0.0;
    double attenuation = 0.0;
    double resistiveAttenuation = 0.0;
    double dielectricAttenuation = 0.0;
};

// A trace of width w; holds what does not depend on the frequency.
class LineLoss {
public:
    // valid() is false for a section without structure or a trace without resistivity.
    LineLoss(const CrossSection& section, double w, const LossOptions& options);
    bool valid() const { return valid_; }
    double dcResistance() const { return rdc_; }
    LossPoint at(double frequency) const;

private:
    bool valid_ = false;
    double rdc_ = 0.0;          // ohm/m
    double resistivity_ = 0.0;  // ohm-m at the operating temperature
    double roughness_ = 0.0;    // m rms
    double rhfPerRs_ = 0.0;     // skin-effect resistance per unit surface resistance, 1/m
    double zAir_ = 0.0;
    double filling_ = 1.0;      // share of the field in the dielectric: erEff = 1 + q (er - 1)
    double er_ = 1.0, tanDelta_ = 0.0, erFrequency_ = 1e6;
};

// Djordjevic-Sarkar wideband Debye model: Er and loss tangent at `frequency`
// of a material stated as (er, tanDelta) at `anchor` hertz.
struct Permittivity {
    double er;
    double tanDelta;
};
Permittivity djordjevicSarkar(double er, double tanDelta, double anchor, double frequency);

} // namespace lmz0
